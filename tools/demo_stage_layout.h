#pragma once

#include <array>
#include <cstdint>

#include "core/stage_data.h"

namespace zantor {

// The demo's building blocks of one stage, in the byte order of the image: 16x16 chips
// (4 planes of 256 tile numbers), their properties, 32x32 chips (4 chip numbers each),
// 40 map sets of 8x8 32x32 chips and the 80-room map.
class DemoStageLayout {
 public:
  static StageData::Chip16x16Block Chip16x16();
  static StageData::ChipPropertyBlock ChipProperty(int stage);
  static StageData::Chip32x32Block Chip32x32();
  static StageData::MapSetBlock MapSets(int stage);
  static std::array<std::uint8_t, kRoomCount> Map(int stage);
};

}  // namespace zantor
