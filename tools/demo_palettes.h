#pragma once

#include <array>
#include <cstdint>
#include <vector>

namespace zantor {

// The demo's background palettes and the palette animation tables they point into.
class DemoPalettes {
 public:
  static constexpr int kColourSetCount = 64;

  // Definition s, entry e at s * 16 + e: valid NES colour numbers, never 0D.
  static std::array<std::uint8_t, 64> Colours(int stage);
  // Definition s, slot p at s * 4 + p.
  static std::array<std::uint8_t, 16> AnimeBytes(int stage);

  // One offset into the scripts per animation number.
  static std::array<std::uint8_t, 32> PointerTable();
  // Per animation: last frame L, delay D, then L + 1 colour set numbers.
  static std::vector<std::uint8_t> Scripts();
  // Three NES colour numbers per colour set.
  static std::array<std::uint8_t, 3 * kColourSetCount> ColourSets();
};

}  // namespace zantor
