#pragma once

#include <array>
#include <cstdint>
#include <cstring>

#include "core/image_bytes.h"

namespace zantor {

namespace tile_detail {

// Byte k of entry b is bit (7 - k) of b: a plane byte spread into eight pixels with the
// leftmost first in memory (the renderer requires a little-endian machine).
constexpr std::array<std::uint64_t, 256> MakeSpreadTable() {
  std::array<std::uint64_t, 256> table{};
  for (int b = 0; b < 256; ++b) {
    for (int k = 0; k < 8; ++k) {
      if (b & (0x80 >> k)) table[b] |= std::uint64_t{1} << (8 * k);
    }
  }
  return table;
}
inline constexpr std::array<std::uint64_t, 256> kSpread = MakeSpreadTable();

}  // namespace tile_detail

// NES background tiles: 16 bytes per 8 x 8 tile, bytes 0-7 bit plane 0 of rows 0-7 and
// bytes 8-15 bit plane 1; the leftmost pixel is bit 7. Inline: the chip sheets decode
// a thousand tiles at a time.
class TileDecoder {
 public:
  static constexpr int kTileBytes = 16;
  static constexpr int kSide = 8;
  using Tile = std::array<std::uint8_t, kTileBytes>;
  using Row = std::array<std::uint8_t, kSide>;

  // The tile at a file offset; bytes outside the image buffer read 0.
  static Tile Fetch(const ImageBytes& image, std::int64_t offset) {
    Tile tile;
    image.ReadBlock(offset, tile);
    return tile;
  }

  // Row r (0..7) left to right, each pixel base + its 2-bit colour. base must have its
  // low two bits clear (a palette number times 4).
  static Row DecodeRow(const Tile& tile, int r, std::uint8_t base) {
    const std::uint64_t pixels = tile_detail::kSpread[tile[r]] |
                                 tile_detail::kSpread[tile[r + kSide]] << 1 |
                                 base * std::uint64_t{0x0101010101010101};
    Row row;
    std::memcpy(row.data(), &pixels, sizeof pixels);
    return row;
  }
};

}  // namespace zantor
