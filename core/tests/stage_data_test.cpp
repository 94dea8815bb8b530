#include "core/stage_data.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <vector>

#include "core/testing/stage_fixture.h"

namespace zantor {
namespace {

using testing::StageFixture;

// Writes the four object tables: room numbers, then X, Y and kind derived from the slot.
void WriteObjectTables(StageFixture& f, const std::vector<std::uint8_t>& rooms) {
  for (std::size_t i = 0; i < rooms.size(); ++i) {
    const auto slot = static_cast<std::int64_t>(i);
    f.image.Write(f.addresses.ObjectScreen(0) + slot, rooms[i]);
    f.image.Write(f.addresses.ObjectX(0) + slot, static_cast<std::uint8_t>(0x10 + i));
    f.image.Write(f.addresses.ObjectY(0) + slot, static_cast<std::uint8_t>(0x20 + i));
    f.image.Write(f.addresses.ObjectKind(0) + slot, static_cast<std::uint8_t>(0x30 + i));
  }
}

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
  EXPECT_EQ(f.stage.StageNumber(), 3);
  const auto chips = f.stage.Chip16x16();
  EXPECT_TRUE(std::all_of(chips.begin(), chips.end(), [](auto b) { return b == 0; }));
  EXPECT_EQ(f.stage.ObjectCount(), 0);
}

TEST(StageBlocks, EachLoadDecodesItsBlockAtTheStageAddress) {
  StageFixture f(3);
  const std::int64_t bank = 3 * 0x2000;
  f.FillPattern(bank, 0x2000);
  f.stage.LoadAll();
  EXPECT_EQ(ToVector(f.stage.BGBank()), f.ImageRange(bank + 0x990, 2));
  EXPECT_EQ(ToVector(f.stage.Chip16x16()), f.ImageRange(bank + 0xD10, 1024));
  EXPECT_EQ(ToVector(f.stage.ChipProperty()), f.ImageRange(bank + 0x1110, 256));
  EXPECT_EQ(ToVector(f.stage.Chip32x32()), f.ImageRange(bank + 0x1210, 1024));
  EXPECT_EQ(ToVector(f.stage.Map()), f.ImageRange(bank + 0x910, 80));
  // MapSet runs into the next stage's bank, which the pattern did not cover.
  f.FillPattern(bank + 0x2000, 0x100, 9);
  f.stage.LoadMapSet();
  EXPECT_EQ(ToVector(f.stage.MapSet()), f.ImageRange(bank + 0x1610, 2560));
}

TEST(StageBlocks, PalettesAreFourRunsTwentyBytesApart) {
  StageFixture f;
  f.FillPattern(0x990, 0x80);
  f.stage.LoadBGPalette();
  f.stage.LoadBGPaletteAnime();
  for (int set = 0; set < 4; ++set) {
    for (int e = 0; e < 16; ++e) {
      EXPECT_EQ(f.stage.BGPalette()[set * 16 + e], f.image.Read(0x998 + set * 20 + e));
    }
    for (int e = 0; e < 4; ++e) {
      EXPECT_EQ(f.stage.BGPaletteAnime()[set * 4 + e], f.image.Read(0x9A8 + set * 20 + e));
    }
  }
}

TEST(StageBlocks, StoringThePaletteLeavesTheBytesBetweenRunsAlone) {
  StageFixture f;
  f.FillPattern(0x990, 0x80);
  f.stage.LoadBGPalette();
  const auto before = f.ImageRange(0x990, 0x80);
  for (int i = 0; i < 64; ++i) f.stage.SetBGPaletteEntry(i, 0x3F);
  f.stage.StoreBGPalette(f.image);
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
  f.stage.LoadAll();
  const auto map = f.stage.Map();
  for (int i = 0; i < 32; ++i) EXPECT_EQ(map[i], f.image.Read(0x200020 + i));
  for (int i = 32; i < 80; ++i) EXPECT_EQ(map[i], 0);
  const auto chips = f.stage.Chip16x16();
  EXPECT_TRUE(std::all_of(chips.begin(), chips.end(), [](auto b) { return b == 0; }));

  f.stage.SetMapRoom(0, 0xEE);
  f.stage.SetMapRoom(79, 0xEE);
  f.stage.SetChipTile(0, 0xEE);
  f.stage.StoreMap(f.image);
  f.stage.StoreChip16x16(f.image);
  EXPECT_EQ(f.image.Read(0x200020), 0xEE);
}

// ---- Object tables ----

TEST(StageObjects, DecodingStopsAtTheFirstRoomOutOfOrder) {
  StageFixture f;
  WriteObjectTables(f, {0, 0, 3, 2, 0xFF});
  f.stage.LoadObjects();
  EXPECT_EQ(f.stage.RoomObjectCount(0), 2);
  EXPECT_EQ(f.stage.RoomObjectCount(3), 1);
  EXPECT_EQ(f.stage.RoomObjectCount(2), 0);
  EXPECT_EQ(f.stage.ObjectCount(), 3);
  const ObjectEntry& third = f.stage.Room(3).front();
  EXPECT_EQ(third.X, 0x12);
  EXPECT_EQ(third.Y, 0x22);
  EXPECT_EQ(third.Kind, 0x32);
}

TEST(StageObjects, RoomNumbersPastTheLastRoomEndTheTable) {
  StageFixture f;
  WriteObjectTables(f, {1, 79, 80, 81});
  f.stage.LoadObjects();
  EXPECT_EQ(f.stage.RoomObjectCount(1), 1);
  EXPECT_EQ(f.stage.RoomObjectCount(79), 1);
  EXPECT_EQ(f.stage.ObjectCount(), 2);
}

TEST(StageObjects, LoadingReplacesTheRoomLists) {
  StageFixture f;
  f.stage.AddObject(7, 1, 2, 3);
  WriteObjectTables(f, {0, 0xFF});
  f.stage.LoadObjects();
  EXPECT_EQ(f.stage.RoomObjectCount(7), 0);
  EXPECT_EQ(f.stage.ObjectCount(), 1);
}

// A watcher trusts the revision to tell any change to the objects: every operation that
// changes them moves it on, to a value no other stage has; queries and stores leave it.
TEST(StageObjects, EveryChangeToTheObjectsMovesTheRevisionOnAndNothingElseDoes) {
  StageFixture f;
  StageFixture other;
  ObjectEntry* entry = f.stage.AddObject(4, 10, 20, 1);
  f.stage.AddObject(4, 5, 20, 2);
  struct Step {
    const char* name;
    std::function<void()> run;
    bool changes;
  };
  const std::vector<Step> steps = {
      {"add", [&] { f.stage.AddObject(6, 1, 1, 1); }, true},
      {"move", [&] { f.stage.MoveObject(*entry, 11, 21); }, true},
      {"kind", [&] { f.stage.SetObjectKind(*entry, 7); }, true},
      {"sort", [&] { f.stage.SortRoom(4); }, true},
      {"remove", [&] { f.stage.RemoveObject(6, f.stage.LastObject(6)); }, true},
      {"clear", [&] { f.stage.ClearRoom(6); }, true},
      {"load", [&] { f.stage.LoadObjects(); }, true},
      {"another stage's change", [&] { other.stage.AddObject(0, 0, 0, 0); }, false},
      {"queries and a store",
       [&] {
         f.stage.ObjectCount();
         f.stage.RoomObjectBytes(4);
         f.stage.StoreObjects(f.image);
       },
       false},
  };
  for (const Step& step : steps) {
    const std::uint64_t before = f.stage.ObjectsRevision();
    step.run();
    EXPECT_EQ(f.stage.ObjectsRevision() != before, step.changes) << step.name;
    EXPECT_NE(f.stage.ObjectsRevision(), other.stage.ObjectsRevision()) << step.name;
  }
}

TEST(StageObjects, AStageWithoutObjectsStoresATerminatorAndZeroOffsets) {
  StageFixture f;
  f.FillPattern(0xA10, 0x250, 0x55);
  f.stage.StoreObjects(f.image);
  EXPECT_EQ(f.image.Read(0xA10), 0xFF);
  EXPECT_EQ(f.ImageRange(0xC10, 80), std::vector<std::uint8_t>(80, 0));
}

TEST(StageObjects, OffsetsNameEachRoomsFirstSlot) {
  StageFixture f;
  for (int i = 0; i < 3; ++i) f.stage.AddObject(0, i, 0, 0);
  for (int i = 0; i < 2; ++i) f.stage.AddObject(5, i, 0, 0);
  f.stage.StoreObjects(f.image);
  const auto offsets = f.ImageRange(0xC10, 80);
  EXPECT_EQ(offsets[0], 0);
  for (int room = 1; room <= 5; ++room) EXPECT_EQ(offsets[room], 3) << room;
  for (int room = 6; room < 80; ++room) EXPECT_EQ(offsets[room], 5) << room;
  EXPECT_EQ(f.ImageRange(0xA10, 6), (std::vector<std::uint8_t>{0, 0, 0, 5, 5, 0xFF}));
}

TEST(StageObjects, StoringChangesOnlyUsedSlotsAndTheTerminator) {
  StageFixture f;
  f.FillPattern(0xA10, 0x200, 0x80);  // room bytes >= 0x80 end the table at once
  f.stage.LoadObjects();
  const auto before = f.ImageRange(0xA10, 0x200);
  f.stage.AddObject(2, 0x11, 0x22, 0x33);
  f.stage.StoreObjects(f.image);
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
  WriteObjectTables(f, FullTableRooms());
  f.FillPattern(0xC10, 0x100, 0x99);  // offsets and what follows
  const auto before = f.ImageRange(0xA10, 0x300);
  f.stage.LoadObjects();
  EXPECT_EQ(f.stage.ObjectCount(), 128);
  EXPECT_EQ(f.stage.RoomObjectCount(79), 1);
  f.stage.StoreObjects(f.image);
  const auto after = f.ImageRange(0xA10, 0x300);
  // Same tables; only the offset table is rewritten, and nothing past it.
  EXPECT_TRUE(std::equal(after.begin(), after.begin() + 0x200, before.begin()));
  EXPECT_EQ(after[0x200 + 80], before[0x200 + 80]);
}

TEST(StageObjects, At127ObjectsTheLastSlotTakesTheTerminator) {
  StageFixture f;
  WriteObjectTables(f, FullTableRooms());
  f.stage.LoadObjects();
  ASSERT_EQ(f.stage.ObjectCount(), 128);
  ASSERT_TRUE(f.stage.RemoveObject(0, &f.stage.Room(0).front()));
  f.stage.StoreObjects(f.image);
  EXPECT_EQ(f.image.Read(0xA10 + 127), 0xFF);
  EXPECT_EQ(f.image.Read(0xA10 + 126), 79) << "the last object moved up one slot";
  EXPECT_EQ(f.image.Read(0xA90 + 127), 0x10 + 127);
  EXPECT_EQ(f.image.Read(0xB10 + 127), 0x20 + 127);
  EXPECT_EQ(f.image.Read(0xB90 + 127), 0x30 + 127);
}

TEST(StageObjects, NeverMoreThan128SlotsAreStored) {
  // Gaps after the room table and after the offset table catch a write past 128 slots.
  StageFixture f(0,
                 "[LevelDataAddress]\nObjectX=B00\nObjectY=B80\nObjectKind=C00\n"
                 "ObjectOffset=C80\n");
  f.FillPattern(0xA90, 0x70, 0x77);
  f.FillPattern(0xC80 + 80, 0x10, 0x66);
  const auto gap = f.ImageRange(0xA90, 0x70);
  const auto past_offsets = f.ImageRange(0xC80 + 80, 0x10);
  for (int i = 0; i < 200; ++i) f.stage.AddObject(i / 3, i, 0, 0);
  f.stage.StoreObjects(f.image);
  EXPECT_EQ(f.ImageRange(0xA90, 0x70), gap);
  EXPECT_EQ(f.ImageRange(0xC80 + 80, 0x10), past_offsets);
  EXPECT_EQ(f.image.Read(0xA10 + 127), 127 / 3);
  EXPECT_EQ(f.image.Read(0xC80 + 79), 128) << "rooms past the table start at its end";
  f.stage.LoadObjects();
  EXPECT_EQ(f.stage.ObjectCount(), 128);
}

TEST(StageObjects, ValuesAreStoredAsTheirLowByte) {
  StageFixture f;
  f.stage.AddObject(0, 0x1FF, -1, 0x100);
  f.stage.StoreObjects(f.image);
  EXPECT_EQ(f.image.Read(0xA90), 0xFF);
  EXPECT_EQ(f.image.Read(0xB10), 0xFF);
  EXPECT_EQ(f.image.Read(0xB90), 0x00);
}

// ---- Object lists ----

TEST(StageObjectLists, SortingByXKeepsTheOrderOfEqualXAndTheEntries) {
  StageFixture f;
  ObjectEntry* a = f.stage.AddObject(4, 40, 1, 0);
  ObjectEntry* ten = f.stage.AddObject(4, 10, 2, 0);
  ObjectEntry* b = f.stage.AddObject(4, 40, 3, 0);
  ObjectEntry* twenty = f.stage.AddObject(4, 20, 4, 0);
  f.stage.SortRoom(4);
  std::vector<const ObjectEntry*> order;
  for (const ObjectEntry& e : f.stage.Room(4)) order.push_back(&e);
  EXPECT_EQ(order, (std::vector<const ObjectEntry*>{ten, twenty, a, b}));
  EXPECT_EQ(a->Y, 1);
  EXPECT_EQ(b->Y, 3);
}

TEST(StageObjectLists, ObjectIndexCountsEveryLowerRoomFirst) {
  StageFixture f;
  for (int i = 0; i < 3; ++i) f.stage.AddObject(0, 0, 0, 0);
  f.stage.AddObject(1, 0, 0, 0);
  const ObjectEntry* first = f.stage.AddObject(2, 0, 0, 0);
  const ObjectEntry* second = f.stage.AddObject(2, 0, 0, 0);
  EXPECT_EQ(f.stage.ObjectIndex(first, 2), 4);
  EXPECT_EQ(f.stage.ObjectIndex(second, 2), 5);
  EXPECT_EQ(f.stage.ObjectIndex(second, 1), -1);
  EXPECT_EQ(f.stage.ObjectIndex(nullptr, 2), -1);
  EXPECT_EQ(f.stage.ObjectIndex(second, 80), -1);
}

TEST(StageObjectLists, AddRemoveClearAndLast) {
  StageFixture f;
  EXPECT_EQ(f.stage.LastObject(9), nullptr);
  ObjectEntry* first = f.stage.AddObject(9, 1, 2, 3);
  ObjectEntry* second = f.stage.AddObject(9, 4, 5, 6);
  ObjectEntry* elsewhere = f.stage.AddObject(10, 0, 0, 0);
  EXPECT_EQ(f.stage.LastObject(9), second);

  EXPECT_FALSE(f.stage.RemoveObject(9, elsewhere));
  EXPECT_EQ(f.stage.ObjectCount(), 3);
  EXPECT_TRUE(f.stage.RemoveObject(9, second));
  EXPECT_EQ(f.stage.LastObject(9), first);
  EXPECT_EQ(f.stage.RoomObjectCount(9), 1);

  f.stage.ClearRoom(9);
  EXPECT_EQ(f.stage.RoomObjectCount(9), 0);
  EXPECT_EQ(f.stage.ObjectCount(), 1);
}

TEST(StageObjectLists, RoomsOutsideTheStageHoldNothing) {
  StageFixture f;
  EXPECT_EQ(f.stage.AddObject(80, 0, 0, 0), nullptr);
  EXPECT_EQ(f.stage.AddObject(-1, 0, 0, 0), nullptr);
  EXPECT_EQ(f.stage.RoomObjectCount(80), 0);
  EXPECT_EQ(f.stage.LastObject(-1), nullptr);
  f.stage.ClearRoom(80);
  f.stage.SortRoom(-5);
  EXPECT_EQ(f.stage.ObjectCount(), 0);
  EXPECT_THROW(f.stage.Room(80), std::out_of_range);
}

}  // namespace
}  // namespace zantor
