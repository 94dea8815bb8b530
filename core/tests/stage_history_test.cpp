#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <functional>
#include <vector>

#include "core/stage_data.h"
#include "core/testing/stage_fixture.h"

namespace zantor {
namespace {

// Stage 0 decoded from bytes that differ from their neighbours.
struct HistoryFixture : testing::StageFixture {
  HistoryFixture() {
    FillPattern(0, 0x2100);
    stage.LoadAll();
  }
};

std::vector<std::uint8_t> Bytes(std::initializer_list<std::uint8_t> b) { return b; }

// A recorded edit and the bytes of stage data it covers.
struct EditCase {
  const char* name;
  int kind;
  std::function<bool(StageData&)> edit;
  std::function<std::vector<std::uint8_t>(const StageData&)> target;
};

std::uint8_t Other(std::uint8_t value) { return static_cast<std::uint8_t>(value + 1); }

std::array<std::uint8_t, 64> Run64(std::uint8_t first) {
  std::array<std::uint8_t, 64> run{};
  for (int i = 0; i < 64; ++i) run[i] = static_cast<std::uint8_t>(first + i);
  return run;
}

std::vector<EditCase> EveryKind() {
  const std::array<std::uint8_t, 5> chip16{0xA0, 0xA1, 0xA2, 0xA3, 0xA4};
  const std::array<std::uint8_t, 4> chip32{0xB0, 0xB1, 0xB2, 0xB3};
  const auto set5 = Run64(0x40);
  const auto set39 = Run64(0x80);
  return {
      {"SetChipTile", UndoKindChipTile,
       [](StageData& s) { return s.SetChipTile(2 * 256 + 7, Other(s.Chip16x16()[519])); },
       [](const StageData& s) { return Bytes({s.Chip16x16()[519]}); }},
      {"SetChipProperty", UndoKindChipProperty,
       [](StageData& s) { return s.SetChipProperty(7, Other(s.ChipProperty()[7])); },
       [](const StageData& s) { return Bytes({s.ChipProperty()[7]}); }},
      {"PasteChip16x16", UndoKindChip16x16Paste,
       [chip16](StageData& s) { return s.PasteChip16x16(7, chip16); },
       [](const StageData& s) {
         return Bytes({s.Chip16x16()[7], s.Chip16x16()[263], s.Chip16x16()[519], s.Chip16x16()[775],
                       s.ChipProperty()[7]});
       }},
      {"SetBGBank", UndoKindBGBank,
       [](StageData& s) { return s.SetBGBank(1, Other(s.BGBank()[1])); },
       [](const StageData& s) { return Bytes({s.BGBank()[1]}); }},
      {"SetChip32x32Part", UndoKindChip32x32,
       [](StageData& s) { return s.SetChip32x32Part(13, Other(s.Chip32x32()[13])); },
       [](const StageData& s) { return Bytes({s.Chip32x32()[13]}); }},
      {"PasteChip32x32", UndoKindChip32x32Paste,
       [chip32](StageData& s) { return s.PasteChip32x32(12, chip32); },
       [](const StageData& s) {
         return std::vector<std::uint8_t>(s.Chip32x32().begin() + 12, s.Chip32x32().begin() + 16);
       }},
      {"SetMapSetCell", UndoKindMapSet,
       [](StageData& s) { return s.SetMapSetCell(3 * 64 + 9, Other(s.MapSet()[201])); },
       [](const StageData& s) { return Bytes({s.MapSet()[201]}); }},
      {"PasteMapSet", UndoKindMapSetPaste,
       [set5](StageData& s) { return s.PasteMapSet(5 * 64, set5); },
       [](const StageData& s) {
         return std::vector<std::uint8_t>(s.MapSet().begin() + 320, s.MapSet().begin() + 384);
       }},
      {"GridEditMapSet", UndoKindMapSetGrid,
       [set39](StageData& s) { return s.GridEditMapSet(39 * 64, set39); },
       [](const StageData& s) {
         return std::vector<std::uint8_t>(s.MapSet().end() - 64, s.MapSet().end());
       }},
      {"SetMapRoom", UndoKindMap, [](StageData& s) { return s.SetMapRoom(79, Other(s.Map()[79])); },
       [](const StageData& s) { return Bytes({s.Map()[79]}); }},
      {"SetBGPaletteEntry", UndoKindPalette,
       [](StageData& s) { return s.SetBGPaletteEntry(63, Other(s.BGPalette()[63])); },
       [](const StageData& s) { return Bytes({s.BGPalette()[63]}); }},
      {"SetBGPaletteAnimeEntry", UndoKindPaletteAnime,
       [](StageData& s) { return s.SetBGPaletteAnimeEntry(15, Other(s.BGPaletteAnime()[15])); },
       [](const StageData& s) { return Bytes({s.BGPaletteAnime()[15]}); }},
  };
}

TEST(RecordedEdits, EveryKindUndoesAndRedoesThroughInverseEntries) {
  for (const EditCase& c : EveryKind()) {
    SCOPED_TRACE(c.name);
    HistoryFixture f;
    const auto before = c.target(f.stage);
    ASSERT_TRUE(c.edit(f.stage));
    const auto after = c.target(f.stage);
    ASSERT_NE(after, before);
    EXPECT_EQ(f.stage.UndoName(), UndoKindName(c.kind));
    EXPECT_FALSE(f.stage.CanRedo());

    EXPECT_EQ(f.stage.Undo(), c.kind);
    EXPECT_EQ(c.target(f.stage), before);
    EXPECT_FALSE(f.stage.CanUndo());
    ASSERT_TRUE(f.stage.CanRedo());
    EXPECT_EQ(f.stage.RedoName(), UndoKindName(c.kind));

    EXPECT_EQ(f.stage.Redo(), c.kind);
    EXPECT_EQ(c.target(f.stage), after);
    EXPECT_FALSE(f.stage.CanRedo());

    EXPECT_EQ(f.stage.Undo(), c.kind);
    EXPECT_EQ(c.target(f.stage), before);
  }
}

TEST(RecordedEdits, PastesPlaceTheirBytesInArgumentOrder) {
  HistoryFixture f;
  const std::array<std::uint8_t, 5> chip{1, 2, 3, 4, 5};
  f.stage.PasteChip16x16(0xFF, chip);
  EXPECT_EQ(f.stage.Chip16x16()[0x0FF], 1);
  EXPECT_EQ(f.stage.Chip16x16()[0x1FF], 2);
  EXPECT_EQ(f.stage.Chip16x16()[0x2FF], 3);
  EXPECT_EQ(f.stage.Chip16x16()[0x3FF], 4);
  EXPECT_EQ(f.stage.ChipProperty()[0xFF], 5);
}

TEST(RecordedEdits, AnEqualSingleByteIsNeitherWrittenNorRecorded) {
  HistoryFixture f;
  f.stage.SetBGBank(0, Other(f.stage.BGBank()[0]));
  f.stage.SetChipTile(0, Other(f.stage.Chip16x16()[0]));
  f.stage.SetChipProperty(0, Other(f.stage.ChipProperty()[0]));
  f.stage.Undo();
  f.stage.Undo();  // leaves one undo entry and two redo entries
  EXPECT_FALSE(f.stage.SetMapRoom(5, f.stage.Map()[5]));
  EXPECT_EQ(f.stage.UndoName(), "BGバンクの変更");
  EXPECT_TRUE(f.stage.CanRedo()) << "an edit that did nothing must not empty the redo stack";

  EXPECT_TRUE(f.stage.SetMapRoom(5, Other(f.stage.Map()[5])));
  EXPECT_EQ(f.stage.UndoName(), "マップの編集");
  EXPECT_FALSE(f.stage.CanRedo());
}

TEST(RecordedEdits, PastingIdenticalBytesStillRecords) {
  HistoryFixture f;
  std::array<std::uint8_t, 64> own{};
  std::copy_n(f.stage.MapSet().begin() + 128, 64, own.begin());
  EXPECT_TRUE(f.stage.PasteMapSet(128, own));
  EXPECT_EQ(f.stage.UndoName(), "マップセットの編集(貼り付け)");
  EXPECT_EQ(f.stage.Undo(), UndoKindMapSetPaste);
  EXPECT_FALSE(f.stage.CanUndo());
}

TEST(RecordedEdits, IndicesOutsideTheBlockOrOffAPasteStartChangeNothing) {
  static constexpr std::array<std::uint8_t, 4> kFour{};
  static constexpr std::array<std::uint8_t, 5> kFive{};
  static constexpr std::array<std::uint8_t, 64> kSixtyFour{};
  const std::pair<const char*, std::function<bool(StageData&)>> refused[] = {
      {"chip tile 1024", [](StageData& s) { return s.SetChipTile(1024, 1); }},
      {"chip tile -1", [](StageData& s) { return s.SetChipTile(-1, 1); }},
      {"chip property 256", [](StageData& s) { return s.SetChipProperty(256, 1); }},
      {"16x16 paste 256", [](StageData& s) { return s.PasteChip16x16(256, kFive); }},
      {"BG bank 2", [](StageData& s) { return s.SetBGBank(2, 1); }},
      {"32x32 part 1024", [](StageData& s) { return s.SetChip32x32Part(1024, 1); }},
      {"32x32 paste 1021", [](StageData& s) { return s.PasteChip32x32(1021, kFour); }},
      {"32x32 paste 2", [](StageData& s) { return s.PasteChip32x32(2, kFour); }},
      {"map set cell 2560", [](StageData& s) { return s.SetMapSetCell(2560, 1); }},
      {"map set paste 2497", [](StageData& s) { return s.PasteMapSet(2560 - 63, kSixtyFour); }},
      {"map set paste 32", [](StageData& s) { return s.PasteMapSet(32, kSixtyFour); }},
      {"grid edit -64", [](StageData& s) { return s.GridEditMapSet(-64, kSixtyFour); }},
      {"grid edit 65", [](StageData& s) { return s.GridEditMapSet(65, kSixtyFour); }},
      {"map room 80", [](StageData& s) { return s.SetMapRoom(80, 1); }},
      {"palette 64", [](StageData& s) { return s.SetBGPaletteEntry(64, 1); }},
      {"palette anime 16", [](StageData& s) { return s.SetBGPaletteAnimeEntry(16, 1); }},
      {"merge 2560", [](StageData& s) { return s.OverwriteMapSetCell(2560, 1); }},
  };
  HistoryFixture f;
  const std::vector<std::uint8_t> before = testing::DecodedBytes(f.stage);
  for (const auto& [name, edit] : refused) {
    SCOPED_TRACE(name);
    EXPECT_FALSE(edit(f.stage));
    EXPECT_EQ(testing::DecodedBytes(f.stage), before);
    EXPECT_FALSE(f.stage.CanUndo());
  }
}

TEST(RecordedEdits, APasteFromItsOwnBlockTakesTheBytesAsTheyWere) {
  HistoryFixture f;
  const std::vector<std::uint8_t> chips(f.stage.Chip32x32().begin(), f.stage.Chip32x32().end());
  const std::vector<std::uint8_t> sets(f.stage.MapSet().begin(), f.stage.MapSet().end());
  // Each source starts before its target and overlaps it.
  EXPECT_TRUE(f.stage.PasteChip32x32(4, f.stage.Chip32x32().subspan<2, 4>()));
  EXPECT_TRUE(f.stage.PasteMapSet(64, f.stage.MapSet().subspan<32, 64>()));
  EXPECT_TRUE(f.stage.GridEditMapSet(192, f.stage.MapSet().subspan<160, 64>()));
  EXPECT_TRUE(std::equal(chips.begin() + 2, chips.begin() + 6, f.stage.Chip32x32().begin() + 4));
  EXPECT_TRUE(std::equal(sets.begin() + 32, sets.begin() + 96, f.stage.MapSet().begin() + 64));
  EXPECT_TRUE(std::equal(sets.begin() + 160, sets.begin() + 224, f.stage.MapSet().begin() + 192));
}

TEST(RecordedEdits, WithTheSwitchOffEditsChangeDataWithoutRecording) {
  HistoryFixture f;
  f.undo = false;
  const std::uint8_t value = Other(f.stage.Chip16x16()[3]);
  EXPECT_TRUE(f.stage.SetChipTile(3, value));
  EXPECT_EQ(f.stage.Chip16x16()[3], value);
  EXPECT_FALSE(f.stage.CanUndo());

  f.undo = true;  // the stage reads the switch at each edit
  EXPECT_TRUE(f.stage.SetChipTile(3, Other(value)));
  EXPECT_TRUE(f.stage.CanUndo());
}

TEST(RecordedEdits, UndoAndRedoWorkWhateverTheSwitch) {
  HistoryFixture f;
  const std::uint8_t old = f.stage.Map()[0];
  f.stage.SetMapRoom(0, Other(old));
  f.undo = false;
  EXPECT_EQ(f.stage.Undo(), UndoKindMap);
  EXPECT_EQ(f.stage.Map()[0], old);
  EXPECT_EQ(f.stage.Redo(), UndoKindMap);
  EXPECT_EQ(f.stage.Map()[0], Other(old));
}

TEST(RecordedEdits, MergingChipsWritesWithoutRecording) {
  HistoryFixture f;
  EXPECT_TRUE(f.stage.OverwriteMapSetCell(2559, 0x42));
  EXPECT_EQ(f.stage.MapSet()[2559], 0x42);
  EXPECT_FALSE(f.stage.CanUndo());
}

TEST(UndoHistory, UndoWithAnEmptyHistoryReturnsUnknownAndChangesNothing) {
  HistoryFixture f;
  const std::vector<std::uint8_t> map(f.stage.Map().begin(), f.stage.Map().end());
  EXPECT_EQ(f.stage.Undo(), UndoKindUnknown);
  EXPECT_EQ(f.stage.Redo(), UndoKindUnknown);
  EXPECT_EQ(std::vector<std::uint8_t>(f.stage.Map().begin(), f.stage.Map().end()), map);
}

TEST(UndoHistory, StepsRunInLastInFirstOutOrder) {
  HistoryFixture f;
  const std::uint8_t original = f.stage.Map()[2];
  ASSERT_TRUE(original != 0x10 && original != 0x20 && original != 0x30);
  f.stage.SetMapRoom(2, 0x10);
  f.stage.SetMapRoom(2, 0x20);
  f.stage.SetMapRoom(2, 0x30);
  f.stage.Undo();
  EXPECT_EQ(f.stage.Map()[2], 0x20);
  f.stage.Undo();
  EXPECT_EQ(f.stage.Map()[2], 0x10);
  f.stage.Redo();
  EXPECT_EQ(f.stage.Map()[2], 0x20);
  f.stage.Undo();
  f.stage.Undo();
  EXPECT_EQ(f.stage.Map()[2], original);
  EXPECT_FALSE(f.stage.CanUndo());
}

TEST(UndoHistory, EntriesOfNoRecordedKindAreDroppedAsUnknown) {
  HistoryFixture f;
  const std::vector<std::uint8_t> sets(f.stage.MapSet().begin(), f.stage.MapSet().end());
  f.stage.AddObject(0, 1, 2, 3);
  f.stage.PushUndo({13, 0, 0, {}});
  EXPECT_EQ(f.stage.UndoName(), "オブジェクトの編集");
  EXPECT_EQ(f.stage.Undo(), UndoKindUnknown);
  // Object entries of no room, or whose bytes are no whole objects.
  f.stage.PushUndo({UndoKindObject, 80, 0, {}});
  f.stage.PushUndo({UndoKindObject, 0, 0, {1, 2}});
  EXPECT_EQ(f.stage.Undo(), UndoKindUnknown);
  EXPECT_EQ(f.stage.Undo(), UndoKindUnknown);
  EXPECT_FALSE(f.stage.CanUndo());
  EXPECT_FALSE(f.stage.CanRedo());
  EXPECT_EQ(f.stage.RoomObjectCount(0), 1);

  // Entries that do not fit their kind are not written anywhere.
  f.stage.PushUndo({UndoKindMapSetPaste, 2540, 0, std::vector<std::uint8_t>(64)});
  f.stage.PushUndo({UndoKindMapSetPaste, 0, 0, std::vector<std::uint8_t>(3)});
  EXPECT_EQ(f.stage.Undo(), UndoKindUnknown);
  EXPECT_EQ(f.stage.Undo(), UndoKindUnknown);
  EXPECT_EQ(std::vector<std::uint8_t>(f.stage.MapSet().begin(), f.stage.MapSet().end()), sets);
}

TEST(UndoHistory, ClearHistoryAndLoadAllEmptyBothStacks) {
  HistoryFixture f;
  f.stage.SetMapRoom(0, Other(f.stage.Map()[0]));
  f.stage.SetMapRoom(1, Other(f.stage.Map()[1]));
  f.stage.Undo();
  f.stage.ClearHistory();
  EXPECT_FALSE(f.stage.CanUndo());
  EXPECT_FALSE(f.stage.CanRedo());

  f.stage.SetMapRoom(0, Other(f.stage.Map()[0]));
  f.stage.Undo();
  f.stage.SetMapRoom(1, Other(f.stage.Map()[1]));
  f.stage.LoadAll();
  EXPECT_FALSE(f.stage.CanUndo());
  EXPECT_FALSE(f.stage.CanRedo());
}

TEST(UndoHistory, ObjectEditsRecordNothing) {
  HistoryFixture f;
  ObjectEntry* entry = f.stage.AddObject(0, 1, 2, 3);
  f.stage.SortRoom(0);
  f.stage.RemoveObject(0, entry);
  EXPECT_FALSE(f.stage.CanUndo());
}

struct ObjectState {
  int x, y, kind;
  bool operator==(const ObjectState&) const = default;
};
std::vector<ObjectState> Objects(const StageData& stage, int room) {
  std::vector<ObjectState> objects;
  for (const ObjectEntry& o : stage.Room(room)) objects.push_back({o.X, o.Y, o.Kind});
  return objects;
}

TEST(UndoHistory, ARecordedObjectEditUndoesAndRedoesTheRoomExactly) {
  HistoryFixture f;
  f.stage.AddObject(4, 90, 1, 0x10);
  f.stage.AddObject(4, 20, 2, 0x11);
  f.stage.AddObject(5, 7, 7, 7);
  f.stage.SetMapRoom(0, Other(f.stage.Map()[0]));
  const auto before = Objects(f.stage, 4);

  // A create that sorting put first.
  auto bytes = f.stage.RoomObjectBytes(4);
  EXPECT_EQ(bytes, Bytes({90, 1, 0x10, 20, 2, 0x11}));
  f.stage.AddObject(4, 5, 3, 0x12);
  f.stage.SortRoom(4);
  const auto after = Objects(f.stage, 4);
  ASSERT_TRUE(f.stage.RecordObjectEdit(4, std::move(bytes)));
  EXPECT_EQ(f.stage.UndoName(), "オブジェクトの編集");
  EXPECT_EQ(f.stage.NextUndoObjectRoom(), 4);

  EXPECT_EQ(f.stage.Undo(), UndoKindObject);
  EXPECT_EQ(Objects(f.stage, 4), before);
  EXPECT_EQ(f.stage.NextRedoObjectRoom(), 4);
  EXPECT_EQ(f.stage.Redo(), UndoKindObject);
  EXPECT_EQ(Objects(f.stage, 4), after);
  EXPECT_EQ(f.stage.ObjectIndex(&f.stage.Room(4).front(), 4), 0);
  EXPECT_EQ(Objects(f.stage, 5), (std::vector<ObjectState>{{7, 7, 7}})) << "no other room";

  // Histories mix: the map edit below it is undone next.
  EXPECT_EQ(f.stage.Undo(), UndoKindObject);
  EXPECT_FALSE(f.stage.NextUndoObjectRoom());
  EXPECT_EQ(f.stage.Undo(), UndoKindMap);
}

TEST(UndoHistory, AnObjectEditIsRecordedOnlyWhenTheRoomChangedAndTheSwitchIsOn) {
  HistoryFixture f;
  f.stage.AddObject(2, 1, 2, 3);
  EXPECT_FALSE(f.stage.RecordObjectEdit(2, f.stage.RoomObjectBytes(2)));
  EXPECT_FALSE(f.stage.RecordObjectEdit(80, {}));
  f.undo = false;
  EXPECT_FALSE(f.stage.RecordObjectEdit(2, {}));
  EXPECT_FALSE(f.stage.CanUndo());
  f.undo = true;
  f.stage.SetMapRoom(1, Other(f.stage.Map()[1]));
  f.stage.Undo();
  ASSERT_TRUE(f.stage.RecordObjectEdit(2, {}));
  EXPECT_FALSE(f.stage.CanRedo()) << "a new edit empties the redo stack";
}

TEST(UndoHistory, DroppingObjectEntriesKeepsTheOthersInOrder) {
  HistoryFixture f;
  f.stage.SetMapRoom(1, Other(f.stage.Map()[1]));
  f.stage.RecordObjectEdit(2, {1, 1, 1});
  f.stage.SetBGPaletteEntry(3, Other(f.stage.BGPalette()[3]));
  f.stage.RecordObjectEdit(3, {1, 1, 1});
  f.stage.Undo();
  f.stage.Undo();  // the palette entry goes to the redo stack, above the object one
  f.stage.DropObjectEntries();
  EXPECT_EQ(f.stage.Redo(), UndoKindPalette);
  EXPECT_FALSE(f.stage.CanRedo());
  EXPECT_EQ(f.stage.Undo(), UndoKindPalette);
  EXPECT_EQ(f.stage.Undo(), UndoKindMap);
  EXPECT_FALSE(f.stage.CanUndo());
}

}  // namespace
}  // namespace zantor
