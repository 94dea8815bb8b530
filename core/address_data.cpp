#include "core/address_data.h"

#include <string>

namespace zantor {

namespace {

struct BlockDefault {
  const char* key;
  std::int64_t address;
  std::int64_t length;
};

// The palette blocks are four runs 20 bytes apart: of 16 colours, and of 4 animation bytes.
constexpr std::array<BlockDefault, kLevelBlockCount> kBlocks = {{
    {"BGBank", 0x990, 2},
    {"Chip16x16", 0xD10, 1024},
    {"ChipProperty", 0x1110, 256},
    {"Chip32x32", 0x1210, 1024},
    {"MapSet", 0x1610, 2560},
    {"Map", 0x910, 80},
    {"BGPalette", 0x998, 3 * 20 + 16},
    {"BGPaletteAnime", 0x9A8, 3 * 20 + 4},
    {"ObjectScreen", 0xA10, 128},
    {"ObjectX", 0xA90, 128},
    {"ObjectY", 0xB10, 128},
    {"ObjectKind", 0xB90, 128},
    {"ObjectOffset", 0xC10, 80},
}};

constexpr LevelBlock kSharedBlocks[] = {LevelBlock::Chip16x16, LevelBlock::ChipProperty,
                                        LevelBlock::Chip32x32, LevelBlock::MapSet};

const char* const kLevelSection = "LevelDataAddress";
const char* const kShareSection = "ShareData";
const char* const kGlobalSection = "Address";

}  // namespace

const char* AddressData::KeyName(LevelBlock block) { return kBlocks[static_cast<int>(block)].key; }

std::int64_t AddressData::DefaultAddress(LevelBlock block) {
  return kBlocks[static_cast<int>(block)].address;
}

std::int64_t AddressData::BlockLength(LevelBlock block) {
  return kBlocks[static_cast<int>(block)].length;
}

int AddressData::DefaultShareSource(int stage) {
  switch (stage) {
    case 11: return 8;
    case 15: return 14;
    default: return stage;
  }
}

AddressData::AddressData(TMyMemIniFile& ini) {
  for (int b = 0; b < kLevelBlockCount; ++b) {
    const std::int64_t base = ini.ReadHex(kLevelSection, kBlocks[b].key, kBlocks[b].address);
    ini.WriteHex(kLevelSection, kBlocks[b].key, base);
    for (int stage = 0; stage < kStageCount; ++stage) {
      level_[b][stage] = base + stage * kStageStride;
    }
  }

  // Ascending order, so a chain resolves through lower stages as they stand by then.
  for (int n = 0; n < kStageCount; ++n) {
    share_[n] = n;
    const std::string key = "level." + std::to_string(n);
    const int m = ini.ReadInteger(kShareSection, key, DefaultShareSource(n));
    // A value naming no stage is left alone and the stage keeps its own blocks.
    if (m == n || m < 0 || m >= kStageCount) continue;
    share_[n] = m;
    for (LevelBlock block : kSharedBlocks) {
      level_[static_cast<int>(block)][n] = level_[static_cast<int>(block)][m];
    }
    ini.WriteInteger(kShareSection, key, m);
  }

  const auto global = [&ini](const char* key, std::int64_t fallback) {
    const std::int64_t value = ini.ReadHex(kGlobalSection, key, fallback);
    ini.WriteHex(kGlobalSection, key, value);
    return value;
  };
  animationPointer_ = global("PaletteAnimationPointer", 0x3DD11);
  animationData_ = global("PaletteAnimationData", 0x3DD31);
  animationPalette_ = global("PaletteAnimationPalette", 0x3DC36);
}

}  // namespace zantor
