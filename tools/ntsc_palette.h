#pragma once

#include <array>
#include <cstdint>

#include "core/fc_palette_data.h"

namespace zantor {

// The 64 NES master colours, computed from a model of the console's composite video
// signal as a television decodes it (see ntsc_palette.cpp).
class NtscPalette {
 public:
  struct Rgb {
    std::uint8_t r;
    std::uint8_t g;
    std::uint8_t b;
  };

  // number 0x00..0x3F: bits 4-5 the luma row, bits 0-3 the hue column.
  static Rgb Color(int number);
  // The master palette file: 64 triples R, G, B in colour number order.
  static std::array<std::uint8_t, FcPaletteData::kFileSize> FileBytes();
};

}  // namespace zantor
