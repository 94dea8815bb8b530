#pragma once

#include <array>
#include <cstdint>
#include <span>

namespace zantor {

// An 8x8 tile as 2-bit colours, [row][column].
using TilePixels = std::array<std::array<std::uint8_t, 8>, 8>;

// Draws the demo's CHR tiles. Every 1 KiB bank holds the same 64 kinds of tile (the
// kDemoTile... numbers of demo_image.h); the bank number varies bricks, colours and
// noise so that neighbouring banks look different, and the last kind shows the bank's
// own number.
class DemoTileArt {
 public:
  static TilePixels Draw(int bank, int kind);
  // The NES format: bytes 0-7 bit plane 0 of rows 0-7, bytes 8-15 bit plane 1.
  static std::array<std::uint8_t, 16> Encode(const TilePixels& pixels);
  // Fills chr (a whole number of 1 KiB banks) with every bank's 64 tiles.
  static void FillChr(std::span<std::uint8_t> chr);
};

}  // namespace zantor
