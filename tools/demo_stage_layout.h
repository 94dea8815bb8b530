#pragma once

#include <array>
#include <cstdint>

namespace zantor {

// The demo's building blocks of one stage, in the byte order of the image: 16x16 chips
// (4 planes of 256 tile numbers), their properties, 32x32 chips (4 chip numbers each),
// 40 map sets of 8x8 32x32 chips and the 80-room map.
class DemoStageLayout {
 public:
  static constexpr int kMapSetCount = 40;
  static constexpr int kRoomCount = 80;

  static std::array<std::uint8_t, 1024> Chip16x16();
  static std::array<std::uint8_t, 256> ChipProperty(int stage);
  static std::array<std::uint8_t, 1024> Chip32x32();
  static std::array<std::uint8_t, 64 * kMapSetCount> MapSets(int stage);
  static std::array<std::uint8_t, kRoomCount> Map(int stage);
};

}  // namespace zantor
