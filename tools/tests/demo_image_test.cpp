#include "tools/demo_image.h"

#include <gtest/gtest.h>

#include <optional>
#include <set>

#include "core/address_data.h"

namespace zantor {
namespace {

const std::vector<std::uint8_t>& Image() {
  static const std::vector<std::uint8_t> image = BuildDemoImage();
  return image;
}

const AddressData& DefaultAddresses() {
  static TMyMemIniFile ini("", "");
  static const AddressData addresses(ini);
  return addresses;
}

std::uint8_t At(std::int64_t offset) { return Image().at(static_cast<std::size_t>(offset)); }

bool IsValidColour(std::uint8_t colour) { return colour < 0x40 && colour != 0x0D; }

TEST(DemoImage, IsTheSameOnEveryBuild) { EXPECT_EQ(BuildDemoImage(), Image()); }

TEST(DemoImage, HeaderAndLength) {
  EXPECT_EQ(At(0), 'N');
  EXPECT_EQ(At(1), 'E');
  EXPECT_EQ(At(2), 'S');
  EXPECT_EQ(At(3), 0x1A);
  EXPECT_EQ(At(4), kDemoPrgUnits);
  EXPECT_EQ(At(5), kDemoChrUnits);
  EXPECT_GT(At(4), 0);
  EXPECT_GT(At(5), 0);
  EXPECT_EQ(Image().size(), 16u + At(4) * 16384u + At(5) * 8192u);
  EXPECT_EQ(static_cast<std::int64_t>(Image().size()), kDemoImageSize);
}

TEST(DemoImage, EveryBlockLiesInsidePrg) {
  const AddressData& a = DefaultAddresses();
  const std::int64_t prg_begin = 16;
  const std::int64_t prg_end = 16 + At(4) * 16384;
  const auto inside = [&](std::int64_t begin, std::int64_t size) {
    return begin >= prg_begin && begin + size <= prg_end;
  };
  const std::pair<LevelBlock, std::int64_t> blocks[] = {
      {LevelBlock::BGBank, 2},         {LevelBlock::Chip16x16, 1024},
      {LevelBlock::ChipProperty, 256}, {LevelBlock::Chip32x32, 1024},
      {LevelBlock::MapSet, 2560},      {LevelBlock::Map, 80},
      {LevelBlock::BGPalette, 76},     {LevelBlock::BGPaletteAnime, 64},
      {LevelBlock::ObjectScreen, 128}, {LevelBlock::ObjectX, 128},
      {LevelBlock::ObjectY, 128},      {LevelBlock::ObjectKind, 128},
      {LevelBlock::ObjectOffset, 80},
  };
  for (int stage = 0; stage < kStageCount; ++stage) {
    for (const auto& [block, size] : blocks) {
      EXPECT_TRUE(inside(a.Address(block, stage), size))
          << AddressData::KeyName(block) << " of stage " << stage;
    }
  }
  EXPECT_TRUE(inside(a.PaletteAnimationPointer(), kDemoAnimationCount));
  for (int n = 0; n < kDemoAnimationCount; ++n) {
    const std::int64_t script = a.PaletteAnimationData() + At(a.PaletteAnimationPointer() + n);
    EXPECT_TRUE(inside(script, 3 + At(script))) << "animation " << n;
  }
}

TEST(DemoImage, BankNumbersLeaveRoomForTheirWindow) {
  const int bank_count = At(5) * 8;
  std::set<int> distinct;
  for (int stage = 0; stage < kStageCount; ++stage) {
    for (int slot = 0; slot < 2; ++slot) {
      const int bank = At(DefaultAddresses().BGBank(stage) + slot);
      EXPECT_EQ(bank, kDemoBGBanks[stage][slot]);
      EXPECT_LE(bank, bank_count - 2);
      distinct.insert(bank);
    }
  }
  EXPECT_GT(distinct.size(), 16u);
}

// Decodes one tile of the CHR data into its 64 colours.
std::vector<int> TileColours(int bank, int kind) {
  const std::int64_t tile = kDemoChrBase + bank * 1024 + kind * 16;
  std::vector<int> colours;
  for (int row = 0; row < 8; ++row) {
    for (int bit = 7; bit >= 0; --bit) {
      colours.push_back(((At(tile + row) >> bit) & 1) | (((At(tile + row + 8) >> bit) & 1) << 1));
    }
  }
  return colours;
}

TEST(DemoTiles, EveryBankUsesAllFourColoursAndHasSolidTiles) {
  for (int bank = 0; bank < kDemoChrBankCount; ++bank) {
    std::set<int> used;
    for (int kind = 0; kind < kDemoTilesPerBank; ++kind) {
      for (int c : TileColours(bank, kind)) used.insert(c);
    }
    EXPECT_EQ(used.size(), 4u) << "bank " << bank;
    EXPECT_EQ(TileColours(bank, kDemoTileBlank), std::vector<int>(64, 0));
    EXPECT_EQ(TileColours(bank, kDemoTileSolid1 + 2), std::vector<int>(64, 3));
  }
}

TEST(DemoTiles, DigitsDifferFromEachOtherAndBanksDifferInTheirLabel) {
  std::set<std::vector<int>> digits;
  for (int d = 0; d < 16; ++d) digits.insert(TileColours(7, kDemoTileDigit0 + d));
  EXPECT_EQ(digits.size(), 16u);
  EXPECT_NE(TileColours(3, kDemoTileBankLabel), TileColours(4, kDemoTileBankLabel));
}

std::uint8_t Property(int stage, int chip) {
  return At(DefaultAddresses().ChipProperty(stage) + chip);
}

TEST(DemoChips, PropertiesCoverEveryNibbleKindAndPalette) {
  for (int stage = 0; stage < kStageCount; ++stage) {
    std::set<int> nibbles, kinds, palettes;
    for (int chip = 0; chip < 256; ++chip) {
      nibbles.insert(Property(stage, chip) >> 4);
      kinds.insert((Property(stage, chip) >> 2) & 3);
      palettes.insert(Property(stage, chip) & 3);
    }
    EXPECT_EQ(nibbles.size(), 16u) << "stage " << stage;
    EXPECT_EQ(kinds.size(), 4u) << "stage " << stage;
    EXPECT_EQ(palettes.size(), 4u) << "stage " << stage;
  }
  EXPECT_EQ(Property(0, kDemoBlankChip), 0);
  EXPECT_EQ(Property(4, 0xC0 + 0x2B), DemoCatalogueProperty(0xC0 + 0x2B));
}

TEST(DemoChips, DuplicateChip32sAreExactCopiesUsedInTheirMapSet) {
  const AddressData& a = DefaultAddresses();
  for (const auto& [copy, original] : kDemoDuplicateChip32) {
    for (int q = 0; q < 4; ++q) {
      EXPECT_EQ(At(a.Chip32x32(3) + copy * 4 + q), At(a.Chip32x32(3) + original * 4 + q));
    }
    bool used = false;
    for (int cell = 0; cell < 64; ++cell) {
      used |= At(a.MapSet(3) + kDemoDuplicateMapSet * 64 + cell) == copy;
    }
    EXPECT_TRUE(used) << std::hex << copy;
  }
}

// The attribute nibbles that a map set cell shows, through 32x32 and 16x16 chips.
std::set<int> AttributesOfCell(int stage, int set, int cell) {
  const AddressData& a = DefaultAddresses();
  const int chip32 = At(a.MapSet(stage) + set * 64 + cell);
  std::set<int> attributes;
  for (int q = 0; q < 4; ++q) {
    attributes.insert(Property(stage, At(a.Chip32x32(stage) + chip32 * 4 + q)) >> 4);
  }
  return attributes;
}

TEST(DemoMapSets, RoomsHaveFloorsAndLadders) {
  for (int stage = 0; stage < kStageCount; ++stage) {
    for (int set = 0; set < 40; ++set) {
      if (set == kDemoCatalogueMapSet || set == kDemoOverviewMapSet) continue;
      int floor_cells = 0;
      bool ladder = false;
      for (int cell = 0; cell < 64; ++cell) {
        const std::set<int> attributes = AttributesOfCell(stage, set, cell);
        if (cell >= 56 && attributes != std::set<int>{0}) ++floor_cells;
        ladder |= attributes.contains(2) && attributes.contains(4);
      }
      EXPECT_EQ(floor_cells, 8) << "stage " << stage << " set " << set;
      EXPECT_TRUE(ladder) << "stage " << stage << " set " << set;
    }
  }
}

TEST(DemoMapSets, TheMapUsesEveryMapSet) {
  for (int stage = 0; stage < kStageCount; ++stage) {
    std::set<int> sets;
    for (int room = 0; room < 80; ++room) {
      const int set = At(DefaultAddresses().Map(stage) + room);
      EXPECT_EQ(set, DemoMapSetOfRoom(stage, room));
      sets.insert(set);
    }
    EXPECT_EQ(sets.size(), 40u);
  }
}

TEST(DemoSharing, SharedStagesLookRightOnlyThroughTheirSource) {
  const AddressData& a = DefaultAddresses();
  for (const auto& [stage, source] : {std::pair{11, 8}, std::pair{15, 14}}) {
    ASSERT_EQ(a.ShareSource(stage), source);
    const std::pair<LevelBlock, std::int64_t> blocks[] = {{LevelBlock::Chip16x16, 1024},
                                                          {LevelBlock::ChipProperty, 256},
                                                          {LevelBlock::Chip32x32, 1024},
                                                          {LevelBlock::MapSet, 2560}};
    for (const auto& [block, size] : blocks) {
      const std::int64_t own = AddressData::DefaultAddress(block) + stage * 0x2000;
      int filled = 0;
      for (std::int64_t i = 0; i < size; ++i) filled += At(own + i) == kDemoUnsharedFill;
      EXPECT_EQ(filled, size) << AddressData::KeyName(block) << " of stage " << stage;
      int same_in_source = 0;
      for (std::int64_t i = 0; i < size; ++i) {
        same_in_source += At(a.Address(block, stage) + i) == kDemoUnsharedFill;
      }
      EXPECT_LT(same_in_source, size / 4) << AddressData::KeyName(block);
    }
  }
}

struct DecodedObjects {
  int count = 0;
  std::vector<int> first_in_room;  // 80 entries
};

// Reads the tables the way the game does: rooms must ascend and end in 0xFF.
DecodedObjects DecodeObjects(int stage) {
  const AddressData& a = DefaultAddresses();
  DecodedObjects decoded;
  int previous_room = 0;
  while (decoded.count < 128 && At(a.ObjectScreen(stage) + decoded.count) != 0xFF) {
    const int room = At(a.ObjectScreen(stage) + decoded.count);
    EXPECT_LT(room, 80);
    EXPECT_GE(room, previous_room);
    previous_room = room;
    ++decoded.count;
  }
  EXPECT_LT(decoded.count, 128) << "no terminator in stage " << stage;
  for (int room = 0; room < 80; ++room) {
    int before = 0;
    while (before < decoded.count && At(a.ObjectScreen(stage) + before) < room) ++before;
    decoded.first_in_room.push_back(before);
  }
  return decoded;
}

TEST(DemoObjectTables, AreWellFormedWithThePublishedCounts) {
  const AddressData& a = DefaultAddresses();
  for (int stage = 0; stage < kStageCount; ++stage) {
    const DecodedObjects decoded = DecodeObjects(stage);
    EXPECT_EQ(decoded.count, kDemoObjectCounts[stage]) << "stage " << stage;
    for (int room = 0; room < 80; ++room) {
      EXPECT_EQ(At(a.ObjectOffset(stage) + room), decoded.first_in_room[room])
          << "stage " << stage << " room " << room;
    }
  }
  EXPECT_EQ(DecodeObjects(kDemoMostObjectsStage).count, kDemoMostObjectsCount);
  EXPECT_EQ(At(a.ObjectScreen(kDemoStageWithoutObjects)), 0xFF);
}

TEST(DemoObjectTables, SeveralRoomsHoldSeveralObjectsAndUnusedSlotsAreNotBlank) {
  const AddressData& a = DefaultAddresses();
  std::set<int> busy_rooms;
  for (int slot = 1; slot < kDemoObjectCounts[0]; ++slot) {
    const int room = At(a.ObjectScreen(0) + slot);
    if (room == At(a.ObjectScreen(0) + slot - 1)) busy_rooms.insert(room);
  }
  EXPECT_GE(busy_rooms.size(), 2u);
  std::set<int> leftover;
  for (int slot = kDemoObjectCounts[0] + 1; slot < 128; ++slot) {
    leftover.insert(At(a.ObjectX(0) + slot));
  }
  EXPECT_GT(leftover.size(), 8u);
}

std::uint8_t AnimeByte(const DemoAnimationSlot& s) {
  return At(DefaultAddresses().BGPaletteAnime(s.stage) + s.definition * 20 + s.slot);
}

// One slot of the palette animation, stepped as the frame timer does.
class SlotAnimation {
 public:
  explicit SlotAnimation(std::uint8_t anime_byte) : anime_byte_(anime_byte) {}

  // The colour set shown by this tick, if the tick changed the colours.
  std::optional<int> Tick() {
    if (anime_byte_ < 0x80) return std::nullopt;
    ++delay_;
    const std::int64_t script = Script(anime_byte_ & 0x7F);
    if (At(script + 1) >= delay_) return std::nullopt;
    delay_ = 0;
    const int set = At(script + 2 + frame_);
    if (set == 0) return std::nullopt;
    if (++frame_ > At(script)) frame_ = 0;
    return set;
  }

  static std::int64_t Script(int animation) {
    const AddressData& a = DefaultAddresses();
    return a.PaletteAnimationData() + At(a.PaletteAnimationPointer() + animation);
  }

 private:
  std::uint8_t anime_byte_;
  int delay_ = 0;
  int frame_ = 0;
};

// tick number -> colour set, over the given number of ticks.
std::vector<std::pair<int, int>> ColourChanges(std::uint8_t anime_byte, int ticks) {
  SlotAnimation animation(anime_byte);
  std::vector<std::pair<int, int>> changes;
  for (int tick = 1; tick <= ticks; ++tick) {
    if (const auto set = animation.Tick()) changes.emplace_back(tick, *set);
  }
  return changes;
}

TEST(DemoAnimation, CycleStepsEveryFourthTickThroughThreeFrames) {
  const std::uint8_t byte = AnimeByte(kDemoCycleSlot);
  EXPECT_EQ(byte, 0x80 | kDemoCycleAnimation);
  const std::int64_t script = SlotAnimation::Script(kDemoCycleAnimation);
  EXPECT_EQ(At(script), kDemoCycleLastFrame);
  EXPECT_EQ(At(script + 1), kDemoCycleDelay);
  const auto [a, b, c] = kDemoCycleColourSets;
  EXPECT_EQ(ColourChanges(byte, 17),
            (std::vector<std::pair<int, int>>{{4, a}, {8, b}, {12, c}, {16, a}}));
  for (int slot = 0; slot < 4; ++slot) {
    if (slot != kDemoCycleSlot.slot) {
      EXPECT_EQ(AnimeByte({kDemoCycleSlot.stage, kDemoCycleSlot.definition, slot}), 0);
    }
  }
}

TEST(DemoAnimation, FrozenAnimationChangesOnceThenHolds) {
  const std::uint8_t byte = AnimeByte(kDemoFrozenSlot);
  EXPECT_EQ(byte, 0x80 | kDemoFrozenAnimation);
  const std::int64_t script = SlotAnimation::Script(kDemoFrozenAnimation);
  EXPECT_EQ(At(script + 1), kDemoFrozenDelay);
  EXPECT_EQ(At(script + 2 + kDemoFrozenFrame), 0);
  EXPECT_EQ(ColourChanges(byte, 40), (std::vector<std::pair<int, int>>{{2, kDemoFrozenColourSet}}));
}

TEST(DemoAnimation, OtherDelaysAndEveryScriptIsWellFormed) {
  const std::pair<int, std::pair<int, int>> delays[] = {
      {1, {7, 3}}, {3, {0, 0}}, {4, {15, 5}}, {5, {2, 7}}};
  for (const auto& [animation, delay_and_last] : delays) {
    EXPECT_EQ(At(SlotAnimation::Script(animation) + 1), delay_and_last.first);
    EXPECT_EQ(At(SlotAnimation::Script(animation)), delay_and_last.second);
  }
  const std::int64_t colour_sets = DefaultAddresses().PaletteAnimationPalette();
  for (int n = 0; n < kDemoAnimationCount; ++n) {
    const std::int64_t script = SlotAnimation::Script(n);
    for (int frame = 0; frame <= At(script); ++frame) {
      const int set = At(script + 2 + frame);
      for (int i = 0; i < 3; ++i) {
        EXPECT_TRUE(IsValidColour(At(colour_sets + set * 3 + i))) << "animation " << n;
      }
    }
  }
}

TEST(DemoAnimation, StillDefinitionsAndTheStrayByte) {
  for (int stage = 0; stage < kStageCount; ++stage) {
    for (int slot = 0; slot < 4; ++slot) {
      EXPECT_EQ(AnimeByte({stage, kDemoStillDefinition, slot}), 0);
    }
  }
  EXPECT_EQ(AnimeByte(kDemoStrayAnimeSlot), kDemoStrayAnimeByte);
  EXPECT_TRUE(ColourChanges(kDemoStrayAnimeByte, 40).empty());
}

TEST(DemoPalettes, AllColoursAreValid) {
  for (int stage = 0; stage < kStageCount; ++stage) {
    for (int s = 0; s < 4; ++s) {
      for (int e = 0; e < 16; ++e) {
        EXPECT_TRUE(IsValidColour(At(DefaultAddresses().BGPalette(stage) + s * 20 + e)))
            << "stage " << stage << " definition " << s << " entry " << e;
      }
    }
  }
}

}  // namespace
}  // namespace zantor
