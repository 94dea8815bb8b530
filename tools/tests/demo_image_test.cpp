#include "tools/demo_image.h"

#include <gtest/gtest.h>

#include <set>
#include <tuple>
#include <utility>

#include "core/address_data.h"
#include "core/stage_data.h"
#include "tools/demo_palettes.h"

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

// Where a stage's block lies when the stage uses its own.
std::int64_t OwnAddress(LevelBlock block, int stage) {
  return AddressData::DefaultAddress(block) + stage * AddressData::kStageStride;
}

// Where an animation's script starts: last frame, delay, then its colour sets.
std::int64_t Script(int animation) {
  const AddressData& a = DefaultAddresses();
  return a.PaletteAnimationData() + At(a.PaletteAnimationPointer() + animation);
}

bool IsValidColour(std::uint8_t colour) { return colour < 0x40 && colour != 0x0D; }

TEST(DemoImage, TheHeaderDescribesTheImage) {
  EXPECT_EQ(At(0), 'N');
  EXPECT_EQ(At(1), 'E');
  EXPECT_EQ(At(2), 'S');
  EXPECT_EQ(At(3), 0x1A);
  EXPECT_EQ(Image().size(), RomImageData::kHeaderSize + At(4) * 16384u + At(5) * 8192u);
}

// The generator writes into a buffer that knows nothing of PRG bounds: this is what keeps
// the address table's blocks out of the header and the CHR data.
TEST(DemoImage, EveryBlockLiesInsidePrg) {
  const std::int64_t prg_end = RomImageData::kHeaderSize + At(4) * 16384;
  const auto inside = [&](std::int64_t begin, std::int64_t size) {
    return begin >= RomImageData::kHeaderSize && begin + size <= prg_end;
  };
  // Lengths in the image; the four palette runs lie 20 bytes apart.
  const std::pair<LevelBlock, std::int64_t> blocks[] = {
      {LevelBlock::BGBank, 2},
      {LevelBlock::Chip16x16, std::tuple_size_v<StageData::Chip16x16Block>},
      {LevelBlock::ChipProperty, std::tuple_size_v<StageData::ChipPropertyBlock>},
      {LevelBlock::Chip32x32, std::tuple_size_v<StageData::Chip32x32Block>},
      {LevelBlock::MapSet, std::tuple_size_v<StageData::MapSetBlock>},
      {LevelBlock::Map, kRoomCount},
      {LevelBlock::BGPalette, 3 * 20 + 16},
      {LevelBlock::BGPaletteAnime, 3 * 20 + 4},
      {LevelBlock::ObjectScreen, kObjectSlots},
      {LevelBlock::ObjectX, kObjectSlots},
      {LevelBlock::ObjectY, kObjectSlots},
      {LevelBlock::ObjectKind, kObjectSlots},
      {LevelBlock::ObjectOffset, kRoomCount},
  };
  // Every stage's own places, which include those of the stages shared from.
  for (int stage = 0; stage < kStageCount; ++stage) {
    for (const auto& [block, size] : blocks) {
      EXPECT_TRUE(inside(OwnAddress(block, stage), size))
          << AddressData::KeyName(block) << " of stage " << stage;
    }
  }
  const AddressData& a = DefaultAddresses();
  EXPECT_TRUE(inside(a.PaletteAnimationPointer(), kDemoAnimationCount));
  EXPECT_TRUE(inside(a.PaletteAnimationPalette(), 3 * DemoPalettes::kColourSetCount));
  for (int n = 0; n < kDemoAnimationCount; ++n) {
    EXPECT_TRUE(inside(Script(n), 3 + At(Script(n)))) << "animation " << n;
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
    for (int set = 0; set < kMapSetCount; ++set) {
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
    for (int room = 0; room < kRoomCount; ++room) {
      const int set = At(DefaultAddresses().Map(stage) + room);
      EXPECT_EQ(set, DemoMapSetOfRoom(stage, room));
      sets.insert(set);
    }
    EXPECT_EQ(sets.size(), static_cast<std::size_t>(kMapSetCount));
  }
}

TEST(DemoSharing, SharedStagesLookRightOnlyThroughTheirSource) {
  const AddressData& a = DefaultAddresses();
  for (const auto& [stage, source] : {std::pair{11, 8}, std::pair{15, 14}}) {
    ASSERT_EQ(a.ShareSource(stage), source);
    const std::pair<LevelBlock, std::int64_t> blocks[] = {
        {LevelBlock::Chip16x16, std::tuple_size_v<StageData::Chip16x16Block>},
        {LevelBlock::ChipProperty, std::tuple_size_v<StageData::ChipPropertyBlock>},
        {LevelBlock::Chip32x32, std::tuple_size_v<StageData::Chip32x32Block>},
        {LevelBlock::MapSet, std::tuple_size_v<StageData::MapSetBlock>}};
    for (const auto& [block, size] : blocks) {
      const std::int64_t own = OwnAddress(block, stage);
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
  std::vector<int> first_in_room;  // one per room
};

// Reads the tables the way the game does: rooms must ascend and end in 0xFF.
DecodedObjects DecodeObjects(int stage) {
  const AddressData& a = DefaultAddresses();
  DecodedObjects decoded;
  int previous_room = 0;
  while (decoded.count < kObjectSlots && At(a.ObjectScreen(stage) + decoded.count) != 0xFF) {
    const int room = At(a.ObjectScreen(stage) + decoded.count);
    EXPECT_LT(room, kRoomCount);
    EXPECT_GE(room, previous_room);
    previous_room = room;
    ++decoded.count;
  }
  EXPECT_LT(decoded.count, kObjectSlots) << "no terminator in stage " << stage;
  for (int room = 0; room < kRoomCount; ++room) {
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
    for (int room = 0; room < kRoomCount; ++room) {
      EXPECT_EQ(At(a.ObjectOffset(stage) + room), decoded.first_in_room[room])
          << "stage " << stage << " room " << room;
    }
  }
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
  for (int slot = kDemoObjectCounts[0] + 1; slot < kObjectSlots; ++slot) {
    leftover.insert(At(a.ObjectX(0) + slot));
  }
  EXPECT_GT(leftover.size(), 8u);
}

std::uint8_t AnimeByte(const DemoAnimationSlot& s) {
  return At(DefaultAddresses().BGPaletteAnime(s.stage) + s.definition * 20 + s.slot);
}

TEST(DemoAnimation, TheCycleSlotAmongZerosAndItsScript) {
  EXPECT_EQ(AnimeByte(kDemoCycleSlot), 0x80 | kDemoCycleAnimation);
  for (int slot = 0; slot < 4; ++slot) {
    if (slot != kDemoCycleSlot.slot) {
      EXPECT_EQ(AnimeByte({kDemoCycleSlot.stage, kDemoCycleSlot.definition, slot}), 0);
    }
  }
  const std::int64_t script = Script(kDemoCycleAnimation);
  EXPECT_EQ(At(script), kDemoCycleLastFrame);
  EXPECT_EQ(At(script + 1), kDemoCycleDelay);
  for (int frame = 0; frame <= kDemoCycleLastFrame; ++frame) {
    EXPECT_EQ(At(script + 2 + frame), kDemoCycleColourSets[frame]);
  }
}

TEST(DemoAnimation, TheFrozenSlotAndItsScript) {
  EXPECT_EQ(AnimeByte(kDemoFrozenSlot), 0x80 | kDemoFrozenAnimation);
  const std::int64_t script = Script(kDemoFrozenAnimation);
  EXPECT_EQ(At(script + 1), kDemoFrozenDelay);
  EXPECT_EQ(At(script + 2), kDemoFrozenColourSet);
  EXPECT_EQ(At(script + 2 + kDemoFrozenFrame), 0);
}

TEST(DemoAnimation, OtherDelaysAndEveryScriptShowsValidColours) {
  const std::pair<int, std::pair<int, int>> delays[] = {
      {1, {7, 3}}, {3, {0, 0}}, {4, {15, 5}}, {5, {2, 7}}};
  for (const auto& [animation, delay_and_last] : delays) {
    EXPECT_EQ(At(Script(animation) + 1), delay_and_last.first);
    EXPECT_EQ(At(Script(animation)), delay_and_last.second);
  }
  const std::int64_t colour_sets = DefaultAddresses().PaletteAnimationPalette();
  for (int n = 0; n < kDemoAnimationCount; ++n) {
    for (int frame = 0; frame <= At(Script(n)); ++frame) {
      const int set = At(Script(n) + 2 + frame);
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
