#include "core/rom_image_data.h"

#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <memory>

#include "core/testing/failing_content_writer.h"
#include "core/testing/rom_fixture.h"
#include "core/testing/temporary_folder.h"

namespace zantor {
namespace {

using testing::FailingContentWriter;
using testing::MakeImage;
using testing::ReadFile;
using testing::RomFixture;
using testing::TemporaryFolder;
using testing::WriteFile;

constexpr std::size_t kImageSize = 0x40000;  // covers every stage's blocks

std::int64_t StageOffset(int stage, std::int64_t stageZeroAddress) {
  return stageZeroAddress + stage * AddressData::kStageStride;
}

// The offsets at which two files differ.
std::vector<std::int64_t> Differences(const std::vector<std::uint8_t>& a,
                                      const std::vector<std::uint8_t>& b) {
  std::vector<std::int64_t> offsets;
  for (std::size_t i = 0; i < std::min(a.size(), b.size()); ++i) {
    if (a[i] != b[i]) offsets.push_back(static_cast<std::int64_t>(i));
  }
  return offsets;
}

std::vector<std::int64_t> Range(std::int64_t first, std::int64_t count) {
  std::vector<std::int64_t> offsets(static_cast<std::size_t>(count));
  for (std::int64_t i = 0; i < count; ++i) offsets[i] = first + i;
  return offsets;
}

std::uint8_t Flip(std::uint8_t b) { return static_cast<std::uint8_t>(~b); }

// An open image written to a fresh folder.
struct OpenImage {
  explicit OpenImage(const std::string& settings = "", std::size_t size = kImageSize,
                     std::unique_ptr<AtomicFileWriter> writer = nullptr)
      : f(settings, std::move(writer)), original(MakeImage(size)), path(folder.File("game.nes")) {
    WriteFile(path, original);
    EXPECT_TRUE(f.rom.Open(path));
  }
  TemporaryFolder folder;
  RomFixture f;
  std::vector<std::uint8_t> original;
  std::filesystem::path path;
};

// ---- Opening ----

TEST(RomOpen, LengthLimits) {
  TemporaryFolder folder;
  const std::vector<std::pair<std::size_t, bool>> cases = {
      {15, false}, {16, true}, {2'097'216, true}, {2'097'217, false}};
  for (const auto& [size, opens] : cases) {
    SCOPED_TRACE(size);
    RomFixture f;
    const auto path = folder.File("image" + std::to_string(size) + ".nes");
    WriteFile(path, MakeImage(size));
    EXPECT_EQ(f.rom.Open(path), opens);
    EXPECT_EQ(f.rom.IsOpen(), opens);
    if (opens) {
      // A header alone holds no stage: each is named as lying outside the file.
      EXPECT_EQ(f.notifier.messages.size(), size == 16 ? 1u : 0u);
      EXPECT_EQ(f.rom.Size(), static_cast<std::int64_t>(size));
      EXPECT_EQ(f.rom.FileName(), path.string());
    } else {
      EXPECT_EQ(f.notifier.messages, std::vector<std::string>{"ファイルを開けませんでした"});
      EXPECT_EQ(f.rom.FileName(), "");
    }
    EXPECT_TRUE(f.notifier.errors.empty());
  }
}

TEST(RomOpen, AnImageOfFullLengthSavesBackWhole) {
  TemporaryFolder folder;
  RomFixture f;
  const auto image = MakeImage(2'097'216, 7);
  WriteFile(folder.File("full.nes"), image);
  ASSERT_TRUE(f.rom.Open(folder.File("full.nes")));
  ASSERT_TRUE(f.rom.Save(folder.File("copy.nes")));
  EXPECT_EQ(ReadFile(folder.File("copy.nes")), image);
}

TEST(RomOpen, AFileThatCannotBeReadGoesToTheGeneralErrorReport) {
  TemporaryFolder folder;
  RomFixture f;
  const auto missing = folder.File("missing.nes");
  EXPECT_FALSE(f.rom.Open(missing));
  ASSERT_EQ(f.notifier.errors.size(), 1u);
  EXPECT_EQ(f.notifier.errors[0], "ファイル \"" + missing.string() + "\" を開けません。\n" +
                                      std::system_category().message(ENOENT));
  EXPECT_TRUE(f.notifier.messages.empty());

  EXPECT_FALSE(f.rom.Open(folder.Path()));  // a folder opens but cannot be read
  EXPECT_EQ(f.notifier.errors.size(), 2u);
  EXPECT_FALSE(f.rom.IsOpen());
}

TEST(RomOpen, ABadMagicWithoutAnImageLeavesNothingOpen) {
  TemporaryFolder folder;
  RomFixture f;
  auto image = MakeImage(kImageSize);
  image[3] = 0x1B;
  WriteFile(folder.File("bad.nes"), image);
  EXPECT_FALSE(f.rom.Open(folder.File("bad.nes")));
  EXPECT_EQ(f.notifier.messages, std::vector<std::string>{"ROMイメージが異常です"});
  EXPECT_FALSE(f.rom.IsOpen());
  EXPECT_EQ(f.rom.Bytes().Read(0), 0);
  EXPECT_EQ(f.rom.Bytes().Read(0x910), 0);
  EXPECT_FALSE(f.rom.Save(folder.File("out.nes")));
  EXPECT_FALSE(std::filesystem::exists(folder.File("out.nes")));
}

TEST(RomOpen, EveryKindOfFailedOpenKeepsTheOpenImageAndEmptiesEveryHistory) {
  OpenImage o;
  // A flagged edit not yet saved.
  const std::uint8_t edited = Flip(o.f.rom.Stage(2).Map()[4]);
  o.f.rom.Stage(2).SetMapRoom(4, edited);
  o.f.flags.SetMapModified(2, true);

  auto bad_magic = MakeImage(0x1000, 3);
  bad_magic[0] = 'X';
  WriteFile(o.folder.File("bad.nes"), bad_magic);
  WriteFile(o.folder.File("short.nes"), MakeImage(8));
  for (const char* name : {"missing.nes", "short.nes", "bad.nes"}) {
    SCOPED_TRACE(name);
    // Unflagged edits, so only the one above is saved at the end.
    for (int n = 0; n < kStageCount; ++n) {
      StageData& stage = o.f.rom.Stage(n);
      stage.SetBGBank(0, Flip(stage.BGBank()[0]));
      stage.SetBGBank(1, Flip(stage.BGBank()[1]));
      stage.Undo();
      ASSERT_TRUE(stage.CanUndo() && stage.CanRedo());
    }
    EXPECT_FALSE(o.f.rom.Open(o.folder.File(name)));
    for (int n = 0; n < kStageCount; ++n) {
      EXPECT_FALSE(o.f.rom.Stage(n).CanUndo()) << "stage " << n;
      EXPECT_FALSE(o.f.rom.Stage(n).CanRedo()) << "stage " << n;
    }
    EXPECT_TRUE(o.f.rom.IsOpen());
    EXPECT_EQ(o.f.rom.FileName(), o.path.string());
    EXPECT_EQ(o.f.rom.Size(), static_cast<std::int64_t>(kImageSize));
    EXPECT_EQ(o.f.rom.Stage(2).Map()[4], edited);
    EXPECT_TRUE(o.f.flags.IsMapModified(2));
  }
  ASSERT_TRUE(o.f.rom.Save(o.f.rom.FileName()));
  EXPECT_EQ(Differences(ReadFile(o.path), o.original),
            std::vector<std::int64_t>{StageOffset(2, 0x910) + 4});
}

TEST(RomOpen, AShorterImageShowsNothingOfALongerOne) {
  OpenImage o;
  WriteFile(o.folder.File("small.nes"), MakeImage(32, 9));
  ASSERT_TRUE(o.f.rom.Open(o.folder.File("small.nes")));
  EXPECT_EQ(o.f.rom.Bytes().Read(32), 0);
  EXPECT_EQ(o.f.rom.Bytes().Read(kImageSize - 1), 0);
  const auto map = o.f.rom.Stage(5).Map();
  EXPECT_TRUE(std::all_of(map.begin(), map.end(), [](auto b) { return b == 0; }));
}

TEST(RomOpen, EveryStageIsDecodedAndTheHeaderRead) {
  OpenImage o;
  EXPECT_EQ(o.f.rom.ChrBankCount(), 16 * 8);
  for (int stage = 0; stage < kStageCount; ++stage) {
    EXPECT_EQ(o.f.rom.Stage(stage).Map()[0], o.original[StageOffset(stage, 0x910)]);
  }
  EXPECT_EQ(o.f.rom.Stage(11).Chip16x16()[0], o.original[StageOffset(8, 0xD10)]);
}

TEST(RomOpen, AShortImageNamesTheStagesReachingPastItsEndOnce) {
  TemporaryFolder folder;
  const struct {
    std::size_t size;
    std::string stages;
  } cases[] = {
      {0x9000, "04, 05, 06, 07, 08, 09, 0A, 0B, 0C, 0D, 0E, 0F"},
      // Stage 0's last block (its map sets) ends at 0x2010 exactly.
      {0x2010, "01, 02, 03, 04, 05, 06, 07, 08, 09, 0A, 0B, 0C, 0D, 0E, 0F"},
      {0x200F, "00, 01, 02, 03, 04, 05, 06, 07, 08, 09, 0A, 0B, 0C, 0D, 0E, 0F"},
      {kImageSize, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.size);
    RomFixture f;
    WriteFile(folder.File("short.nes"), MakeImage(c.size));
    ASSERT_TRUE(f.rom.Open(folder.File("short.nes")));
    const std::vector<std::string> expected =
        c.stages.empty() ? std::vector<std::string>{}
                         : std::vector<std::string>{
                               "ファイルが短いため、ステージ" + c.stages +
                               "のデータの一部がファイルの外にあります。その部分の変更は保存されません。"};
    EXPECT_EQ(f.notifier.messages, expected);
  }
}

TEST(RomSave, EditsPastTheEndAreCountedAfterWritingAndTheLengthStays) {
  OpenImage o("", 0x9000);
  o.f.notifier.messages.clear();
  StageData& four = o.f.rom.Stage(4);  // its 16x16 chips straddle the end at 0x9000
  four.SetChipTile(0, Flip(four.Chip16x16()[0]));  // inside, at 0x8D10
  four.SetChipTile(1023, 0x55);                    // at 0x910F, past the end
  o.f.flags.SetChip16x16Modified(4, true);
  o.f.rom.Stage(12).SetMapRoom(0, 7);  // its whole map lies past the end
  o.f.rom.Stage(12).SetMapRoom(1, 8);
  o.f.flags.SetMapModified(12, true);
  ASSERT_TRUE(o.f.rom.Save(o.path));

  EXPECT_EQ(o.f.notifier.messages,
            std::vector<std::string>{"3バイトの変更はファイルの外にあるため保存されませんでした。"});
  const auto saved = ReadFile(o.path);
  EXPECT_EQ(saved.size(), 0x9000u);
  EXPECT_EQ(Differences(o.original, saved), std::vector<std::int64_t>{0x8D10});

  // Saved again, nothing new was dropped: the count is of this save's edits only.
  o.f.notifier.messages.clear();
  four.SetChipTile(1, Flip(four.Chip16x16()[1]));
  o.f.flags.SetChip16x16Modified(4, true);
  ASSERT_TRUE(o.f.rom.Save(o.path));
  EXPECT_EQ(o.f.notifier.messages,
            std::vector<std::string>{"1バイトの変更はファイルの外にあるため保存されませんでした。"})
      << "the chip edited past the end is stored again, and again not saved";
  o.f.notifier.messages.clear();
  o.f.rom.Stage(0).SetMapRoom(0, Flip(o.f.rom.Stage(0).Map()[0]));
  o.f.flags.SetMapModified(0, true);
  ASSERT_TRUE(o.f.rom.Save(o.path));
  EXPECT_TRUE(o.f.notifier.messages.empty());
}

TEST(RomSave, AChangeByAnotherProgramIsSeenByContentWhateverTheName) {
  OpenImage o;
  const auto link = o.folder.File("link.nes");
  std::filesystem::create_symlink(o.path, link);
  WriteFile(o.folder.File("other.nes"), o.original);
  EXPECT_FALSE(o.f.rom.ChangedOnDisk(o.path));

  auto changed = o.original;
  changed[100] = Flip(changed[100]);
  const struct {
    std::vector<std::uint8_t> content;  // what another program leaves in the file
    bool changed;
  } cases[] = {
      {changed, true},
      {o.original, false},  // written again, the same bytes: nothing to lose
      {std::vector<std::uint8_t>(o.original.begin(), o.original.end() - 1), true},
      {[&] {
         auto longer = o.original;
         longer.push_back(0);
         return longer;
       }(),
       true},
  };
  for (const auto& c : cases) {
    WriteFile(o.path, c.content);
    EXPECT_EQ(o.f.rom.ChangedOnDisk(o.path), c.changed);
    EXPECT_EQ(o.f.rom.ChangedOnDisk(link), c.changed) << "the same file through a link";
    EXPECT_FALSE(o.f.rom.ChangedOnDisk(o.folder.File("other.nes"))) << "another file";
  }
  WriteFile(o.path, changed);
  ASSERT_TRUE(o.f.rom.Save(o.path));
  EXPECT_FALSE(o.f.rom.ChangedOnDisk(o.path)) << "remembered again after the save";
  std::filesystem::remove(o.path);
  EXPECT_FALSE(o.f.rom.ChangedOnDisk(o.path)) << "a file gone has nothing to lose";

  ASSERT_TRUE(o.f.rom.Save(o.folder.File("saved-as.nes")));
  WriteFile(o.folder.File("saved-as.nes"), changed);
  EXPECT_TRUE(o.f.rom.ChangedOnDisk(o.folder.File("saved-as.nes")));
  o.f.rom.Close();
  EXPECT_FALSE(o.f.rom.ChangedOnDisk(o.folder.File("saved-as.nes")));
}

// ---- Saving ----

TEST(RomSave, OnlyStageThreesMapChangesWhenOnlyItIsEdited) {
  OpenImage o;
  StageData& stage = o.f.rom.Stage(3);
  for (int room = 0; room < kRoomCount; ++room) {
    stage.SetMapRoom(room, static_cast<std::uint8_t>(~stage.Map()[room]));
  }
  o.f.flags.SetMapModified(3, true);
  // An edit without its flag is not stored.
  o.f.rom.Stage(4).SetMapRoom(0, static_cast<std::uint8_t>(~o.f.rom.Stage(4).Map()[0]));
  ASSERT_TRUE(o.f.rom.Save(o.path));
  EXPECT_EQ(Differences(ReadFile(o.path), o.original), Range(StageOffset(3, 0x910), 80));
}

struct GroupCase {
  const char* name;
  std::function<void(EditFlagManagement&, int)> flag;
  std::function<void(StageData&)> edit;
  // Applies to the opened file, at the stage's bank, the bytes the save must change.
  std::function<void(std::vector<std::uint8_t>&, std::int64_t)> expect;
};

TEST(RomSave, EachFlagStoresExactlyItsGroupsBlocks) {
  const auto flip = [](std::vector<std::uint8_t>& image, std::int64_t offset) {
    image[offset] = Flip(image[offset]);
  };
  const std::vector<GroupCase> cases = {
      {"16x16 chips", [](auto& f, int s) { f.SetChip16x16Modified(s, true); },
       [](StageData& s) {
         s.SetChipTile(0, Flip(s.Chip16x16()[0]));
         s.SetBGBank(1, Flip(s.BGBank()[1]));
         s.SetChipProperty(255, Flip(s.ChipProperty()[255]));
       },
       [&](auto& image, std::int64_t bank) {
         flip(image, bank + 0xD10);
         flip(image, bank + 0x990 + 1);
         flip(image, bank + 0x1110 + 255);
       }},
      {"32x32 chips", [](auto& f, int s) { f.SetChip32x32Modified(s, true); },
       [](StageData& s) { s.SetChip32x32Part(1023, Flip(s.Chip32x32()[1023])); },
       [&](auto& image, std::int64_t bank) { flip(image, bank + 0x1210 + 1023); }},
      {"map sets", [](auto& f, int s) { f.SetMapSetModified(s, true); },
       [](StageData& s) { s.SetMapSetCell(2559, Flip(s.MapSet()[2559])); },
       [&](auto& image, std::int64_t bank) { flip(image, bank + 0x1610 + 2559); }},
      {"map", [](auto& f, int s) { f.SetMapModified(s, true); },
       [](StageData& s) { s.SetMapRoom(79, Flip(s.Map()[79])); },
       [&](auto& image, std::int64_t bank) { flip(image, bank + 0x910 + 79); }},
      {"palettes", [](auto& f, int s) { f.SetPaletteModified(s, true); },
       [](StageData& s) {
         s.SetBGPaletteEntry(63, Flip(s.BGPalette()[63]));
         s.SetBGPaletteAnimeEntry(0, Flip(s.BGPaletteAnime()[0]));
       },
       [&](auto& image, std::int64_t bank) {
         flip(image, bank + 0x998 + 3 * 20 + 15);
         flip(image, bank + 0x9A8);
       }},
      {"objects", [](auto& f, int s) { f.SetObjectModified(s, true); },
       [](StageData& s) {
         // Whatever the random tables decoded goes.
         for (int room = 0; room < kRoomCount; ++room) s.ClearRoom(room);
         s.AddObject(0, 1, 2, 3);
       },
       [](auto& image, std::int64_t bank) {
         image[bank + 0xA10] = 0;
         image[bank + 0xA10 + 1] = 0xFF;
         image[bank + 0xA90] = 1;
         image[bank + 0xB10] = 2;
         image[bank + 0xB90] = 3;
         for (int room = 0; room < kRoomCount; ++room) image[bank + 0xC10 + room] = room > 0;
       }},
  };
  for (const GroupCase& c : cases) {
    SCOPED_TRACE(c.name);
    OpenImage o;
    StageData& stage = o.f.rom.Stage(6);
    c.edit(stage);
    c.flag(o.f.flags, 6);
    ASSERT_TRUE(o.f.rom.Save(o.path));
    auto expected = o.original;
    c.expect(expected, StageOffset(6, 0));
    ASSERT_NE(expected, o.original);
    const auto saved = ReadFile(o.path);
    EXPECT_EQ(saved.size(), expected.size());
    EXPECT_EQ(Differences(saved, expected), std::vector<std::int64_t>{});
  }
}

TEST(RomSave, ClearsFlagsAndHistoriesAndTakesTheNewName) {
  OpenImage o;
  o.f.rom.Stage(0).SetMapRoom(0, Flip(o.f.rom.Stage(0).Map()[0]));
  o.f.rom.Stage(9).SetMapRoom(0, Flip(o.f.rom.Stage(9).Map()[0]));
  o.f.rom.Stage(9).Undo();
  o.f.flags.SetMapModified(0, true);
  const auto copy = o.folder.File("copy.nes");
  ASSERT_TRUE(o.f.rom.Save(copy));
  EXPECT_FALSE(o.f.flags.IsModified());
  EXPECT_FALSE(o.f.flags.IsMapModified(0));
  EXPECT_EQ(o.f.status.text, "");
  EXPECT_EQ(o.f.rom.FileName(), copy.string());
  for (int stage = 0; stage < kStageCount; ++stage) {
    EXPECT_FALSE(o.f.rom.Stage(stage).CanUndo());
    EXPECT_FALSE(o.f.rom.Stage(stage).CanRedo());
  }
  EXPECT_EQ(ReadFile(o.path), o.original) << "the opened file is not written";
}

TEST(RomSave, AFailedSaveKeepsTheTargetFlagsHistoriesAndName) {
  auto owned_writer = std::make_unique<FailingContentWriter>();
  FailingContentWriter& writer = *owned_writer;
  OpenImage o("", kImageSize, std::move(owned_writer));
  // A flagged edit on stage 1 and an unflagged one on stage 12, each stage with an entry
  // on both of its stacks.
  StageData& one = o.f.rom.Stage(1);
  const std::uint8_t room1 = one.Map()[1];
  one.SetMapRoom(0, Flip(one.Map()[0]));
  one.SetMapRoom(1, Flip(room1));
  one.Undo();
  o.f.flags.SetMapModified(1, true);
  StageData& twelve = o.f.rom.Stage(12);
  twelve.SetBGBank(0, Flip(twelve.BGBank()[0]));
  twelve.SetBGBank(1, Flip(twelve.BGBank()[1]));
  twelve.Undo();
  const auto other = o.folder.File("other.nes");
  const auto other_bytes = MakeImage(64, 5);
  WriteFile(other, other_bytes);

  const std::vector<std::pair<std::filesystem::path, std::vector<std::uint8_t>>> targets = {
      {o.path, o.original}, {other, other_bytes}};
  for (const auto& [target, bytes] : targets) {
    SCOPED_TRACE(target.filename().string());
    EXPECT_FALSE(o.f.rom.Save(target));
    EXPECT_EQ(ReadFile(target), bytes);
    ASSERT_FALSE(o.f.notifier.errors.empty());
    EXPECT_EQ(o.f.notifier.errors.back(), "ファイル \"" + target.string() +
                                              "\" に書き込めません。\n" +
                                              std::system_category().message(EIO));
    EXPECT_TRUE(o.f.flags.IsMapModified(1));
    EXPECT_EQ(o.f.status.text, "変更あり");
    for (const StageData* stage : {&one, &twelve}) {
      EXPECT_TRUE(stage->CanUndo()) << "stage " << stage->StageNumber();
      EXPECT_TRUE(stage->CanRedo()) << "stage " << stage->StageNumber();
    }
    EXPECT_EQ(o.f.rom.FileName(), o.path.string());
  }
  EXPECT_EQ(o.f.notifier.errors.size(), 2u);
  EXPECT_TRUE(o.f.notifier.messages.empty());
  EXPECT_EQ(one.Redo(), UndoKindMap);
  EXPECT_EQ(one.Map()[1], Flip(room1));
  one.Undo();

  // Once the disk works again, the change is there to be saved.
  writer.failing = false;
  ASSERT_TRUE(o.f.rom.Save(o.path));
  EXPECT_EQ(Differences(ReadFile(o.path), o.original),
            std::vector<std::int64_t>{StageOffset(1, 0x910)});
}

// ---- The bytes a save would write ----

// The object staging table follows the image only: a copy made between two object edits
// leaves the later save as it would have been without it.
TEST(RomSavedBytes, ACopyBetweenObjectEditsChangesNoLaterSave) {
  std::vector<std::vector<std::uint8_t>> saves;
  for (const bool copyBetween : {false, true}) {
    OpenImage o;
    StageData& stage = o.f.rom.Stage(4);
    const auto place = [&stage](int count) {
      for (int room = 0; room < kRoomCount; ++room) stage.ClearRoom(room);
      for (int i = 0; i < count; ++i) stage.AddObject(i, i, i, i);
    };
    o.f.flags.SetObjectModified(4, true);
    place(6);
    if (copyBetween) {
      EXPECT_NE(o.f.rom.SavedBytes(), o.original);
    }
    place(2);
    ASSERT_TRUE(o.f.rom.Save(o.path));
    saves.push_back(ReadFile(o.path));
  }
  EXPECT_EQ(saves[0], saves[1]);
}

TEST(RomClose, ForgetsTheImageAndEveryHistory) {
  OpenImage o;
  o.f.rom.SetCurrentStage(7);
  for (const int n : {0, 7, 11, 15}) {
    StageData& stage = o.f.rom.Stage(n);
    stage.SetMapRoom(0, Flip(stage.Map()[0]));
    stage.SetMapRoom(1, Flip(stage.Map()[1]));
    stage.Undo();
    ASSERT_TRUE(stage.CanUndo() && stage.CanRedo()) << "stage " << n;
  }
  o.f.rom.Close();
  EXPECT_FALSE(o.f.rom.IsOpen());
  EXPECT_EQ(o.f.rom.CurrentStage(), 0);
  for (int n = 0; n < kStageCount; ++n) {
    EXPECT_FALSE(o.f.rom.Stage(n).CanUndo()) << "stage " << n;
    EXPECT_FALSE(o.f.rom.Stage(n).CanRedo()) << "stage " << n;
  }
  EXPECT_EQ(o.f.rom.Bytes().Read(0), 0);
  EXPECT_EQ(o.f.rom.Bytes().Read(kImageSize - 1), 0);
  EXPECT_FALSE(o.f.rom.Save(o.path));
  EXPECT_EQ(ReadFile(o.path), o.original);
}

TEST(RomStages, TheHistoryFollowsTheCurrentStage) {
  OpenImage o;
  o.f.rom.Stage(0).SetMapRoom(0, Flip(o.f.rom.Stage(0).Map()[0]));
  EXPECT_TRUE(o.f.rom.CanUndo());
  EXPECT_EQ(o.f.rom.UndoName(), "マップの編集");
  o.f.rom.SetCurrentStage(1);
  EXPECT_FALSE(o.f.rom.CanUndo());
  EXPECT_EQ(o.f.rom.Undo(), UndoKindUnknown);
  o.f.rom.SetCurrentStage(16);
  o.f.rom.SetCurrentStage(-1);
  EXPECT_EQ(o.f.rom.CurrentStage(), 1);
  o.f.rom.SetCurrentStage(0);
  EXPECT_EQ(o.f.rom.Undo(), UndoKindMap);
  EXPECT_TRUE(o.f.rom.CanRedo());
  EXPECT_EQ(o.f.rom.RedoName(), "マップの編集");
  EXPECT_EQ(o.f.rom.Redo(), UndoKindMap);
  EXPECT_EQ(&o.f.rom.CurrentStageData(), &o.f.rom.Stage(0));
}

TEST(RomStages, TheUndoSwitchReachesEveryStage) {
  OpenImage o;
  EXPECT_TRUE(o.f.rom.UndoEnabled());
  o.f.rom.SetUndoEnabled(false);
  for (int stage = 0; stage < kStageCount; ++stage) {
    StageData& s = o.f.rom.Stage(stage);
    EXPECT_TRUE(s.SetBGBank(0, Flip(s.BGBank()[0])));
    EXPECT_FALSE(s.CanUndo());
  }
}

// ---- Shared blocks ----

TEST(RomSharing, StageElevenEditsAreStageEightsAndStoredAtItsAddresses) {
  OpenImage o;
  StageData& eleven = o.f.rom.Stage(11);
  const std::uint8_t value = Flip(eleven.Chip16x16()[0]);
  eleven.SetChipTile(0, value);
  EXPECT_EQ(o.f.rom.Stage(8).Chip16x16()[0], value);
  o.f.flags.SetChip16x16Modified(11, true);
  ASSERT_TRUE(o.f.rom.Save(o.path));
  EXPECT_EQ(Differences(ReadFile(o.path), o.original),
            std::vector<std::int64_t>{StageOffset(8, 0xD10)});
}

TEST(RomSharing, UndoOnTheSharingStageLeavesTheOtherHistoryAlone) {
  OpenImage o;
  const std::uint8_t old = o.f.rom.Stage(8).Chip16x16()[5];
  o.f.rom.Stage(11).SetChipTile(5, Flip(old));
  o.f.rom.Stage(8).SetMapRoom(0, Flip(o.f.rom.Stage(8).Map()[0]));
  EXPECT_EQ(o.f.rom.Stage(11).Undo(), UndoKindChipTile);
  EXPECT_EQ(o.f.rom.Stage(8).Chip16x16()[5], old);
  EXPECT_EQ(o.f.rom.Stage(8).UndoName(), "マップの編集");
  EXPECT_FALSE(o.f.rom.Stage(8).CanRedo());
}

TEST(RomSharing, OnlyTheFourShareableBlocksAreShared) {
  OpenImage o;
  StageData& fifteen = o.f.rom.Stage(15);
  const StageData& fourteen = o.f.rom.Stage(14);
  fifteen.SetChipProperty(0, Flip(fifteen.ChipProperty()[0]));
  fifteen.SetChip32x32Part(0, Flip(fifteen.Chip32x32()[0]));
  fifteen.SetMapSetCell(0, Flip(fifteen.MapSet()[0]));
  EXPECT_EQ(fourteen.ChipProperty()[0], fifteen.ChipProperty()[0]);
  EXPECT_EQ(fourteen.Chip32x32()[0], fifteen.Chip32x32()[0]);
  EXPECT_EQ(fourteen.MapSet()[0], fifteen.MapSet()[0]);
  fifteen.SetMapRoom(0, Flip(fifteen.Map()[0]));
  fifteen.SetBGBank(0, Flip(fifteen.BGBank()[0]));
  EXPECT_NE(fourteen.Map()[0], fifteen.Map()[0]);
  EXPECT_NE(fourteen.BGBank()[0], fifteen.BGBank()[0]);
}

TEST(RomSharing, ChainsResolveThroughLowerStages) {
  OpenImage o("[ShareData]\nlevel.3=2\nlevel.2=1\n");
  StageData& three = o.f.rom.Stage(3);
  const std::uint8_t value = Flip(three.MapSet()[0]);
  three.SetMapSetCell(0, value);
  EXPECT_EQ(o.f.rom.Stage(2).MapSet()[0], value);
  EXPECT_EQ(o.f.rom.Stage(1).MapSet()[0], value);
  o.f.flags.SetMapSetModified(3, true);
  ASSERT_TRUE(o.f.rom.Save(o.path));
  EXPECT_EQ(Differences(ReadFile(o.path), o.original),
            std::vector<std::int64_t>{StageOffset(1, 0x1610)});
}

TEST(RomSharing, AReverseReferenceKeepsTheHigherStagesOwnStorage) {
  OpenImage o("[ShareData]\nlevel.2=3\nlevel.3=1\n");
  StageData& two = o.f.rom.Stage(2);
  StageData& three = o.f.rom.Stage(3);
  EXPECT_EQ(two.MapSet()[0], o.original[StageOffset(3, 0x1610)]);
  EXPECT_EQ(three.MapSet()[0], o.original[StageOffset(1, 0x1610)]);

  two.SetMapSetCell(0, Flip(two.MapSet()[0]));
  three.SetMapSetCell(1, Flip(three.MapSet()[1]));
  EXPECT_EQ(o.f.rom.Stage(1).MapSet()[1], three.MapSet()[1]);
  EXPECT_NE(three.MapSet()[0], two.MapSet()[0]);
  o.f.flags.SetMapSetModified(2, true);
  o.f.flags.SetMapSetModified(3, true);
  ASSERT_TRUE(o.f.rom.Save(o.path));
  EXPECT_EQ(Differences(ReadFile(o.path), o.original),
            (std::vector<std::int64_t>{StageOffset(1, 0x1610) + 1, StageOffset(3, 0x1610)}));
}

TEST(RomSharing, ValuesNamingNoStageShareNothing) {
  OpenImage o("[ShareData]\nlevel.4=16\nlevel.5=-1\n");
  StageData& four = o.f.rom.Stage(4);
  four.SetChipTile(0, Flip(four.Chip16x16()[0]));
  for (int stage = 0; stage < kStageCount; ++stage) {
    if (stage == 4) continue;
    EXPECT_NE(o.f.rom.Stage(stage).Chip16x16().data(), four.Chip16x16().data());
  }
}

// ---- Chip attribute names ----

// clang-format off
TEST(ChipAttributeNames, WithoutAListTheHighNibblePicksTheBuiltInName) {
  const std::array<const char*, 16> names = {
      "0x 背景",         "1x ブロック",     "2x はしご(途中)", "3x 特殊ブロック",
      "4x はしご(頂点)", "5x コンベア(右)", "6x 前景",         "7x コンベア(左)",
      "8x 水中",         "9x ?",            "Ax ?",            "Bx ?",
      "Cx ?",            "Dx ダメージ床",   "Ex ?",            "Fxトゲ",
  };
  // clang-format on
  RomFixture f;
  for (int nibble = 0; nibble < 16; ++nibble) {
    for (const int low : {0x0, 0x6, 0xF}) {
      const int a = nibble << 4 | low;
      EXPECT_EQ(f.rom.ChipAttributeName(a), names[nibble]) << "attribute " << a;
    }
  }
}

TEST(ChipAttributeNames, ALineServesFromTheListLengthThatReachesItsIndex) {
  struct Edge {
    int attribute;
    std::size_t index;
    const char* fallback;
  };
  const std::vector<Edge> edges = {
      {0x00, 0, "0x 背景"}, {0xF3, 15, "Fxトゲ"}, {0x0F, 48, "0x 背景"}, {0xFF, 63, "Fxトゲ"}};
  RomFixture f;
  for (const Edge& e : edges) {
    SCOPED_TRACE(e.attribute);
    f.attribute_names.assign(e.index, "other line");
    EXPECT_EQ(f.rom.ChipAttributeName(e.attribute), e.fallback);
    f.attribute_names.push_back("its line");
    EXPECT_EQ(f.rom.ChipAttributeName(e.attribute), "its line");
  }
}

TEST(ChipAttributeNames, TheListIsReadAtEachLookup) {
  RomFixture f;
  for (int i = 0; i < 16; ++i) f.attribute_names.push_back("line " + std::to_string(i));
  EXPECT_EQ(f.rom.ChipAttributeName(0x10), "line 1");
  EXPECT_EQ(f.rom.ChipAttributeName(0x14), "1x ブロック") << "index 17 lies past 16 lines";
}

TEST(ChipAttributeNames, BitsTwoAndThreePickTheBlockAndThePaletteBitsPlayNoPart) {
  RomFixture f;
  for (int i = 0; i < 64; ++i) f.attribute_names.push_back("line " + std::to_string(i));
  EXPECT_EQ(f.rom.ChipAttributeName(0x1C), "line 49");
  EXPECT_EQ(f.rom.ChipAttributeName(0xF8), "line 47");
  for (int a : {0x41, 0x42, 0x43}) EXPECT_EQ(f.rom.ChipAttributeName(a), "line 4");
  f.attribute_names[4] = "";
  EXPECT_EQ(f.rom.ChipAttributeName(0x40), "") << "an empty line is a name, not a gap";
}

}  // namespace
}  // namespace zantor
