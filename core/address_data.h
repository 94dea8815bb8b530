#pragma once

#include <array>
#include <cstdint>

#include "core/my_mem_ini_file.h"
#include "core/stage_count.h"

namespace zantor {

// The per-stage data blocks of the image, in the order of the LevelDataAddress section.
enum class LevelBlock {
  BGBank,
  Chip16x16,
  ChipProperty,
  Chip32x32,
  MapSet,
  Map,
  BGPalette,
  BGPaletteAnime,
  ObjectScreen,
  ObjectX,
  ObjectY,
  ObjectKind,
  ObjectOffset,
};
inline constexpr int kLevelBlockCount = 13;

// File offsets of every stage's data blocks and of the palette animation tables, read
// from the settings file (which receives the values back, so it is complete at exit).
// Offsets are 64-bit: a settings value of eight hex digits plus 15 stage banks must not
// overflow. Whether an offset lies inside the image is the image buffer's concern.
class AddressData {
 public:
  static constexpr std::int64_t kStageStride = 0x2000;

  explicit AddressData(TMyMemIniFile& ini);

  std::int64_t Address(LevelBlock block, int stage) const {
    return level_[static_cast<int>(block)][stage];
  }
  // The stage whose 16x16 chips, chip properties, 32x32 chips and map sets this stage
  // uses (itself unless the ShareData section says otherwise).
  int ShareSource(int stage) const { return share_[stage]; }

  std::int64_t BGBank(int stage) const { return Address(LevelBlock::BGBank, stage); }
  std::int64_t Chip16x16(int stage) const { return Address(LevelBlock::Chip16x16, stage); }
  std::int64_t ChipProperty(int stage) const { return Address(LevelBlock::ChipProperty, stage); }
  std::int64_t Chip32x32(int stage) const { return Address(LevelBlock::Chip32x32, stage); }
  std::int64_t MapSet(int stage) const { return Address(LevelBlock::MapSet, stage); }
  std::int64_t Map(int stage) const { return Address(LevelBlock::Map, stage); }
  std::int64_t BGPalette(int stage) const { return Address(LevelBlock::BGPalette, stage); }
  std::int64_t BGPaletteAnime(int stage) const {
    return Address(LevelBlock::BGPaletteAnime, stage);
  }
  std::int64_t ObjectScreen(int stage) const { return Address(LevelBlock::ObjectScreen, stage); }
  std::int64_t ObjectX(int stage) const { return Address(LevelBlock::ObjectX, stage); }
  std::int64_t ObjectY(int stage) const { return Address(LevelBlock::ObjectY, stage); }
  std::int64_t ObjectKind(int stage) const { return Address(LevelBlock::ObjectKind, stage); }
  std::int64_t ObjectOffset(int stage) const { return Address(LevelBlock::ObjectOffset, stage); }

  std::int64_t PaletteAnimationPointer() const { return animationPointer_; }
  std::int64_t PaletteAnimationData() const { return animationData_; }
  std::int64_t PaletteAnimationPalette() const { return animationPalette_; }

  // Key names and defaults of the LevelDataAddress section, in block order.
  static const char* KeyName(LevelBlock block);
  static std::int64_t DefaultAddress(LevelBlock block);
  // The bytes a block spans from its address: the palette blocks' runs with the gaps
  // between them.
  static std::int64_t BlockLength(LevelBlock block);
  static int DefaultShareSource(int stage);

 private:
  std::array<std::array<std::int64_t, kStageCount>, kLevelBlockCount> level_{};
  std::array<int, kStageCount> share_{};
  std::int64_t animationPointer_ = 0;
  std::int64_t animationData_ = 0;
  std::int64_t animationPalette_ = 0;
};

}  // namespace zantor
