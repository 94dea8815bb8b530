#pragma once

// Pixels of the chip sheets read straight from an image file's bytes, sharing no code with
// the renderer: the independent expectation pictures are compared with.
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "core/stage_data.h"
#include "tools/demo_image.h"

namespace zantor::testing {

inline const std::vector<std::uint8_t>& DemoBytes() {
  static const std::vector<std::uint8_t> bytes = BuildDemoImage();
  return bytes;
}

// Palette number * 4 + colour of pixel (x, y) of the stage's 16x16 chip sheet (chip c at
// column c mod 16, row c div 16), as the file's CHR data and the stage's tables give it.
inline int ReferenceChip16Pixel(const StageData& stage, int x, int y,
                                std::span<const std::uint8_t> file = DemoBytes()) {
  const int chip = y / 16 * 16 + x / 16;
  const int quadrant = (y % 16 / 8) * 2 + x % 16 / 8;
  const int tile = stage.Chip16x16()[quadrant * 256 + chip];
  const int bank = stage.BGBank()[tile < 0x80 ? 0 : 1];
  const std::size_t chrBase = 16 + std::size_t{file[4]} * 16384;
  const std::size_t offset = chrBase + bank * 1024 + (tile % 0x80) * 16 + y % 8;
  const int bit = 7 - x % 8;
  const int low = offset < file.size() ? file[offset] >> bit & 1 : 0;
  const int high = offset + 8 < file.size() ? file[offset + 8] >> bit & 1 : 0;
  return (stage.ChipProperty()[chip] & 3) * 4 + low + 2 * high;
}

// The same for the 32x32 chip sheet (chip k at column k mod 16, row k div 16, 32 pixels a
// side).
inline int ReferenceChip32Pixel(const StageData& stage, int x, int y,
                                std::span<const std::uint8_t> file = DemoBytes()) {
  const int chip = y / 32 * 16 + x / 32;
  const int quadrant = (y % 32 / 16) * 2 + x % 32 / 16;
  const int small = stage.Chip32x32()[chip * 4 + quadrant];
  return ReferenceChip16Pixel(stage, small % 16 * 16 + x % 16, small / 16 * 16 + y % 16, file);
}

// Pixel (x, y) of a 256 x 256 room showing map set `mapSet` of the stage.
inline int ReferenceMapSetPixel(const StageData& stage, int mapSet, int x, int y,
                                std::span<const std::uint8_t> file = DemoBytes()) {
  const int chip = stage.MapSet()[mapSet * 64 + y / 32 * 8 + x / 32];
  return ReferenceChip32Pixel(stage, chip % 16 * 32 + x % 32, chip / 16 * 32 + y % 32, file);
}

}  // namespace zantor::testing
