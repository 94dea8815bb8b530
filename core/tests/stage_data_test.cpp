#include "core/stage_data.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace zantor {
namespace {

// One stage over its own image buffer and address table.
struct StageFixture {
  explicit StageFixture(int stage = 0, const std::string& settings = "")
      : ini("unused.ini", settings), addresses(ini), stage_data(stage, addresses, image, undo) {}

  // Fills [first, first + count) with a pattern that differs from byte to byte.
  void FillPattern(std::int64_t first, std::int64_t count, std::uint8_t seed = 1) {
    for (std::int64_t i = 0; i < count; ++i) {
      image.Write(first + i, static_cast<std::uint8_t>(seed + i * 7));
    }
  }
  std::vector<std::uint8_t> ImageRange(std::int64_t first, std::int64_t count) const {
    std::vector<std::uint8_t> out(static_cast<std::size_t>(count));
    image.ReadBlock(first, out);
    return out;
  }
  // Writes the four object tables: room numbers, then X, Y and kind derived from the slot.
  void WriteObjectTables(const std::vector<std::uint8_t>& rooms) {
    for (std::size_t i = 0; i < rooms.size(); ++i) {
      const auto slot = static_cast<std::int64_t>(i);
      image.Write(addresses.ObjectScreen(0) + slot, rooms[i]);
      image.Write(addresses.ObjectX(0) + slot, static_cast<std::uint8_t>(0x10 + i));
      image.Write(addresses.ObjectY(0) + slot, static_cast<std::uint8_t>(0x20 + i));
      image.Write(addresses.ObjectKind(0) + slot, static_cast<std::uint8_t>(0x30 + i));
    }
  }

  TMyMemIniFile ini;
  AddressData addresses;
  ImageBytes image;
  bool undo = true;
  StageData stage_data;
};

template <typename Span>
std::vector<std::uint8_t> ToVector(Span span) {
  return {span.begin(), span.end()};
}

// Room numbers for all 128 slots, ascending from room 0 to room 79, with no terminator.
std::vector<std::uint8_t> FullTableRooms() {
  std::vector<std::uint8_t> rooms(kObjectSlots);
  for (int i = 0; i < kObjectSlots; ++i) rooms[i] = static_cast<std::uint8_t>(i * 79 / 127);
  return rooms;
}

// ---- Loads and stores ----

TEST(StageBlocks, ConstructionDecodesNothing) {
  StageFixture f(3);
  f.FillPattern(0, 0x10000);
  EXPECT_EQ(f.stage_data.StageNumber(), 3);
  const auto chips = f.stage_data.Chip16x16();
  EXPECT_TRUE(std::all_of(chips.begin(), chips.end(), [](auto b) { return b == 0; }));
  EXPECT_EQ(f.stage_data.ObjectCount(), 0);
}

TEST(StageBlocks, EachLoadDecodesItsBlockAtTheStageAddress) {
  StageFixture f(3);
  const std::int64_t bank = 3 * 0x2000;
  f.FillPattern(bank, 0x2000);
  f.stage_data.LoadAll();
  EXPECT_EQ(ToVector(f.stage_data.BGBank()), f.ImageRange(bank + 0x990, 2));
  EXPECT_EQ(ToVector(f.stage_data.Chip16x16()), f.ImageRange(bank + 0xD10, 1024));
  EXPECT_EQ(ToVector(f.stage_data.ChipProperty()), f.ImageRange(bank + 0x1110, 256));
  EXPECT_EQ(ToVector(f.stage_data.Chip32x32()), f.ImageRange(bank + 0x1210, 1024));
  EXPECT_EQ(ToVector(f.stage_data.Map()), f.ImageRange(bank + 0x910, 80));
  // MapSet runs into the next stage's bank, which the pattern did not cover.
  f.FillPattern(bank + 0x2000, 0x100, 9);
  f.stage_data.LoadMapSet();
  EXPECT_EQ(ToVector(f.stage_data.MapSet()), f.ImageRange(bank + 0x1610, 2560));
}

TEST(StageBlocks, PalettesAreFourRunsTwentyBytesApart) {
  StageFixture f;
  f.FillPattern(0x990, 0x80);
  f.stage_data.LoadBGPalette();
  f.stage_data.LoadBGPaletteAnime();
  for (int set = 0; set < 4; ++set) {
    for (int e = 0; e < 16; ++e) {
      EXPECT_EQ(f.stage_data.BGPalette()[set * 16 + e], f.image.Read(0x998 + set * 20 + e));
    }
    for (int e = 0; e < 4; ++e) {
      EXPECT_EQ(f.stage_data.BGPaletteAnime()[set * 4 + e], f.image.Read(0x9A8 + set * 20 + e));
    }
  }
}

TEST(StageBlocks, StoringThePaletteLeavesTheBytesBetweenRunsAlone) {
  StageFixture f;
  f.FillPattern(0x990, 0x80);
  f.stage_data.LoadBGPalette();
  const auto before = f.ImageRange(0x990, 0x80);
  for (int i = 0; i < 64; ++i) f.stage_data.SetBGPaletteEntry(i, 0x3F);
  f.stage_data.StoreBGPalette();
  const auto after = f.ImageRange(0x990, 0x80);
  for (int offset = 0; offset < 0x80; ++offset) {
    const int in_run = offset - 8;  // the first run starts at 0x998
    const bool palette_byte = in_run >= 0 && in_run < 4 * 20 && in_run % 20 < 16;
    EXPECT_EQ(after[offset], palette_byte ? 0x3F : before[offset]) << "offset " << offset;
  }
}

TEST(StageBlocks, BlocksReachingPastTheBufferDecodeZeroAndStoreOnlyTheInsidePart) {
  // Stage 0's map starts 32 bytes before the end of the buffer.
  StageFixture f(0, "[LevelDataAddress]\nMap=200020\nChip16x16=FFFFFFFF\n");
  f.FillPattern(0x200020, 32, 0x41);
  f.stage_data.LoadAll();
  const auto map = f.stage_data.Map();
  for (int i = 0; i < 32; ++i) EXPECT_EQ(map[i], f.image.Read(0x200020 + i));
  for (int i = 32; i < 80; ++i) EXPECT_EQ(map[i], 0);
  const auto chips = f.stage_data.Chip16x16();
  EXPECT_TRUE(std::all_of(chips.begin(), chips.end(), [](auto b) { return b == 0; }));

  f.stage_data.SetMapRoom(0, 0xEE);
  f.stage_data.SetMapRoom(79, 0xEE);
  f.stage_data.SetChipTile(0, 0xEE);
  f.stage_data.StoreMap();
  f.stage_data.StoreChip16x16();
  EXPECT_EQ(f.image.Read(0x200020), 0xEE);
}

// ---- Object tables ----

TEST(StageObjects, DecodingStopsAtTheFirstRoomOutOfOrder) {
  StageFixture f;
  f.WriteObjectTables({0, 0, 3, 2, 0xFF});
  f.stage_data.LoadObjects();
  EXPECT_EQ(f.stage_data.RoomObjectCount(0), 2);
  EXPECT_EQ(f.stage_data.RoomObjectCount(3), 1);
  EXPECT_EQ(f.stage_data.RoomObjectCount(2), 0);
  EXPECT_EQ(f.stage_data.ObjectCount(), 3);
  const ObjectEntry& third = f.stage_data.Room(3).front();
  EXPECT_EQ(third.X, 0x12);
  EXPECT_EQ(third.Y, 0x22);
  EXPECT_EQ(third.Kind, 0x32);
}

TEST(StageObjects, RoomNumbersPastTheLastRoomEndTheTable) {
  StageFixture f;
  f.WriteObjectTables({1, 79, 80, 81});
  f.stage_data.LoadObjects();
  EXPECT_EQ(f.stage_data.RoomObjectCount(1), 1);
  EXPECT_EQ(f.stage_data.RoomObjectCount(79), 1);
  EXPECT_EQ(f.stage_data.ObjectCount(), 2);
}

TEST(StageObjects, LoadingReplacesTheRoomLists) {
  StageFixture f;
  f.stage_data.AddObject(7, 1, 2, 3);
  f.WriteObjectTables({0, 0xFF});
  f.stage_data.LoadObjects();
  EXPECT_EQ(f.stage_data.RoomObjectCount(7), 0);
  EXPECT_EQ(f.stage_data.ObjectCount(), 1);
}

TEST(StageObjects, AStageWithoutObjectsStoresATerminatorAndZeroOffsets) {
  StageFixture f;
  f.FillPattern(0xA10, 0x250, 0x55);
  f.stage_data.StoreObjects();
  EXPECT_EQ(f.image.Read(0xA10), 0xFF);
  EXPECT_EQ(f.ImageRange(0xC10, 80), std::vector<std::uint8_t>(80, 0));
}

TEST(StageObjects, OffsetsNameEachRoomsFirstSlot) {
  StageFixture f;
  for (int i = 0; i < 3; ++i) f.stage_data.AddObject(0, i, 0, 0);
  for (int i = 0; i < 2; ++i) f.stage_data.AddObject(5, i, 0, 0);
  f.stage_data.StoreObjects();
  const auto offsets = f.ImageRange(0xC10, 80);
  EXPECT_EQ(offsets[0], 0);
  for (int room = 1; room <= 5; ++room) EXPECT_EQ(offsets[room], 3) << room;
  for (int room = 6; room < 80; ++room) EXPECT_EQ(offsets[room], 5) << room;
  EXPECT_EQ(f.ImageRange(0xA10, 6), (std::vector<std::uint8_t>{0, 0, 0, 5, 5, 0xFF}));
}

TEST(StageObjects, StoringChangesOnlyUsedSlotsAndTheTerminator) {
  StageFixture f;
  f.FillPattern(0xA10, 0x200, 0x80);  // room bytes >= 0x80 end the table at once
  f.stage_data.LoadObjects();
  const auto before = f.ImageRange(0xA10, 0x200);
  f.stage_data.AddObject(2, 0x11, 0x22, 0x33);
  f.stage_data.StoreObjects();
  const auto after = f.ImageRange(0xA10, 0x200);
  for (int i = 0; i < 0x200; ++i) {
    const int table = i / 128;
    const int slot = i % 128;
    std::uint8_t expected = before[i];
    if (slot == 0) expected = std::array<std::uint8_t, 4>{2, 0x11, 0x22, 0x33}[table];
    if (slot == 1 && table == 0) expected = 0xFF;
    EXPECT_EQ(after[i], expected) << "table " << table << " slot " << slot;
  }
}

TEST(StageObjects, ATableWithoutTerminatorIsDecodedWholeAndStoredBackUnchanged) {
  StageFixture f;
  f.WriteObjectTables(FullTableRooms());
  f.FillPattern(0xC10, 0x100, 0x99);  // offsets and what follows
  const auto before = f.ImageRange(0xA10, 0x300);
  f.stage_data.LoadObjects();
  EXPECT_EQ(f.stage_data.ObjectCount(), 128);
  EXPECT_EQ(f.stage_data.RoomObjectCount(79), 1);
  f.stage_data.StoreObjects();
  const auto after = f.ImageRange(0xA10, 0x300);
  // Same tables; only the offset table is rewritten, and nothing past it.
  EXPECT_TRUE(std::equal(after.begin(), after.begin() + 0x200, before.begin()));
  EXPECT_EQ(after[0x200 + 80], before[0x200 + 80]);
}

TEST(StageObjects, At127ObjectsTheLastSlotTakesTheTerminator) {
  StageFixture f;
  f.WriteObjectTables(FullTableRooms());
  f.stage_data.LoadObjects();
  ASSERT_EQ(f.stage_data.ObjectCount(), 128);
  ASSERT_TRUE(f.stage_data.RemoveObject(0, &f.stage_data.Room(0).front()));
  f.stage_data.StoreObjects();
  EXPECT_EQ(f.image.Read(0xA10 + 127), 0xFF);
  EXPECT_EQ(f.image.Read(0xA10 + 126), 79) << "the last object moved up one slot";
  EXPECT_EQ(f.image.Read(0xA90 + 127), 0x10 + 127);
  EXPECT_EQ(f.image.Read(0xB10 + 127), 0x20 + 127);
  EXPECT_EQ(f.image.Read(0xB90 + 127), 0x30 + 127);
}

TEST(StageObjects, NeverMoreThan128SlotsAreStored) {
  // Gaps after the room table and after the offset table catch a write past 128 slots.
  StageFixture f(0, "[LevelDataAddress]\nObjectX=B00\nObjectY=B80\nObjectKind=C00\n"
                    "ObjectOffset=C80\n");
  f.FillPattern(0xA90, 0x70, 0x77);
  f.FillPattern(0xC80 + 80, 0x10, 0x66);
  const auto gap = f.ImageRange(0xA90, 0x70);
  const auto past_offsets = f.ImageRange(0xC80 + 80, 0x10);
  for (int i = 0; i < 200; ++i) f.stage_data.AddObject(i / 3, i, 0, 0);
  f.stage_data.StoreObjects();
  EXPECT_EQ(f.ImageRange(0xA90, 0x70), gap);
  EXPECT_EQ(f.ImageRange(0xC80 + 80, 0x10), past_offsets);
  EXPECT_EQ(f.image.Read(0xA10 + 127), 127 / 3);
  EXPECT_EQ(f.image.Read(0xC80 + 79), 128) << "rooms past the table start at its end";
  f.stage_data.LoadObjects();
  EXPECT_EQ(f.stage_data.ObjectCount(), 128);
}

TEST(StageObjects, ValuesAreStoredAsTheirLowByte) {
  StageFixture f;
  f.stage_data.AddObject(0, 0x1FF, -1, 0x100);
  f.stage_data.StoreObjects();
  EXPECT_EQ(f.image.Read(0xA90), 0xFF);
  EXPECT_EQ(f.image.Read(0xB10), 0xFF);
  EXPECT_EQ(f.image.Read(0xB90), 0x00);
}

// ---- Object lists ----

TEST(StageObjectLists, SortingByXKeepsTheOrderOfEqualXAndTheEntries) {
  StageFixture f;
  ObjectEntry* a = f.stage_data.AddObject(4, 40, 1, 0);
  ObjectEntry* ten = f.stage_data.AddObject(4, 10, 2, 0);
  ObjectEntry* b = f.stage_data.AddObject(4, 40, 3, 0);
  ObjectEntry* twenty = f.stage_data.AddObject(4, 20, 4, 0);
  f.stage_data.SortRoom(4);
  std::vector<const ObjectEntry*> order;
  for (const ObjectEntry& e : f.stage_data.Room(4)) order.push_back(&e);
  EXPECT_EQ(order, (std::vector<const ObjectEntry*>{ten, twenty, a, b}));
  EXPECT_EQ(a->Y, 1);
  EXPECT_EQ(b->Y, 3);
}

TEST(StageObjectLists, ObjectIndexCountsEveryLowerRoomFirst) {
  StageFixture f;
  for (int i = 0; i < 3; ++i) f.stage_data.AddObject(0, 0, 0, 0);
  f.stage_data.AddObject(1, 0, 0, 0);
  const ObjectEntry* first = f.stage_data.AddObject(2, 0, 0, 0);
  const ObjectEntry* second = f.stage_data.AddObject(2, 0, 0, 0);
  EXPECT_EQ(f.stage_data.ObjectIndex(first, 2), 4);
  EXPECT_EQ(f.stage_data.ObjectIndex(second, 2), 5);
  EXPECT_EQ(f.stage_data.ObjectIndex(second, 1), -1);
  EXPECT_EQ(f.stage_data.ObjectIndex(nullptr, 2), -1);
  EXPECT_EQ(f.stage_data.ObjectIndex(second, 80), -1);
}

TEST(StageObjectLists, AddRemoveClearAndLast) {
  StageFixture f;
  EXPECT_EQ(f.stage_data.LastObject(9), nullptr);
  ObjectEntry* first = f.stage_data.AddObject(9, 1, 2, 3);
  ObjectEntry* second = f.stage_data.AddObject(9, 4, 5, 6);
  ObjectEntry* elsewhere = f.stage_data.AddObject(10, 0, 0, 0);
  EXPECT_EQ(f.stage_data.LastObject(9), second);

  EXPECT_FALSE(f.stage_data.RemoveObject(9, elsewhere));
  EXPECT_EQ(f.stage_data.ObjectCount(), 3);
  EXPECT_TRUE(f.stage_data.RemoveObject(9, second));
  EXPECT_EQ(f.stage_data.LastObject(9), first);
  EXPECT_EQ(f.stage_data.RoomObjectCount(9), 1);

  f.stage_data.ClearRoom(9);
  EXPECT_EQ(f.stage_data.RoomObjectCount(9), 0);
  EXPECT_EQ(f.stage_data.ObjectCount(), 1);
}

TEST(StageObjectLists, RoomsOutsideTheStageHoldNothing) {
  StageFixture f;
  EXPECT_EQ(f.stage_data.AddObject(80, 0, 0, 0), nullptr);
  EXPECT_EQ(f.stage_data.AddObject(-1, 0, 0, 0), nullptr);
  EXPECT_EQ(f.stage_data.RoomObjectCount(80), 0);
  EXPECT_EQ(f.stage_data.LastObject(-1), nullptr);
  f.stage_data.ClearRoom(80);
  f.stage_data.SortRoom(-5);
  EXPECT_EQ(f.stage_data.ObjectCount(), 0);
  EXPECT_THROW(f.stage_data.Room(80), std::out_of_range);
}

}  // namespace
}  // namespace zantor
