#pragma once

#include <array>
#include <cstdint>

#include "core/image_bytes.h"

namespace zantor {

// NES background tiles: 16 bytes per 8 x 8 tile, bytes 0-7 bit plane 0 of rows 0-7 and
// bytes 8-15 bit plane 1; the leftmost pixel is bit 7.
class TileDecoder {
 public:
  static constexpr int kTileBytes = 16;
  static constexpr int kSide = 8;
  using Tile = std::array<std::uint8_t, kTileBytes>;
  using Row = std::array<std::uint8_t, kSide>;

  // The tile at a file offset; bytes outside the image buffer read 0.
  static Tile Fetch(const ImageBytes& image, std::int64_t offset);

  // Row r (0..7) left to right, each pixel base + its 2-bit colour. base must have its
  // low two bits clear (a palette number times 4).
  static Row DecodeRow(const Tile& tile, int r, std::uint8_t base);
};

}  // namespace zantor
