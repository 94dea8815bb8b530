#include "graphics/tile_decoder.h"

#include <cstring>

namespace zantor {

namespace {

// Byte k of entry b is bit (7 - k) of b, so a plane byte spreads into eight pixels with
// the leftmost pixel first in memory (little-endian).
constexpr std::array<std::uint64_t, 256> MakeSpreadTable() {
  std::array<std::uint64_t, 256> table{};
  for (int b = 0; b < 256; ++b) {
    std::uint64_t spread = 0;
    for (int k = 0; k < 8; ++k) {
      if (b & (0x80 >> k)) spread |= std::uint64_t{1} << (8 * k);
    }
    table[b] = spread;
  }
  return table;
}

constexpr std::array<std::uint64_t, 256> kSpread = MakeSpreadTable();
constexpr std::uint64_t kEveryByte = 0x0101010101010101ULL;

}  // namespace

TileDecoder::Tile TileDecoder::Fetch(const ImageBytes& image, std::int64_t offset) {
  Tile tile;
  if (offset >= 0 && offset <= ImageBytes::kCapacity - kTileBytes) {
    std::memcpy(tile.data(), image.Data() + offset, kTileBytes);
  } else {
    image.ReadBlock(offset, tile);
  }
  return tile;
}

TileDecoder::Row TileDecoder::DecodeRow(const Tile& tile, int r, std::uint8_t base) {
  const std::uint64_t pixels =
      kSpread[tile[r]] | kSpread[tile[r + kSide]] << 1 | base * kEveryByte;
  Row row;
  std::memcpy(row.data(), &pixels, sizeof pixels);
  return row;
}

}  // namespace zantor
