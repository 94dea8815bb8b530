#include <QAction>

#include "app/tests/main_form_fixture.h"
#include "core/edit_flag_management.h"
#include "core/rom_image_data.h"
#include "core/testing/patch_appliers.h"

namespace zantor {
namespace {

using testing::ReadFile;
using Kind = testing::ScriptedDialogs::Kind;

class PatchMenu : public testing::MainFormTest {
 protected:
  void SetUp() override {
    MainFormTest::SetUp();
    StartWithDemo();
    demo = ReadFile(folder / "demo.nes");
  }
  // Runs the item with the user's answers to its two file dialogs; being asked for a
  // patch file without an answer for it fails the test.
  void MakePatch(const std::optional<QString>& original,
                 std::deque<std::optional<QString>> patch = {}) {
    dialogs.openFiles = {original};
    dialogs.saveFiles = std::move(patch);
    Find<QAction>("MakePatch1")->trigger();
  }
  std::vector<std::uint8_t> demo;
};

// Unsaved edits in stages 1 and 3, one undone: both patches hold them as Save then writes
// them, and the image, its flags, its histories and its file stay as they were.
TEST_F(PatchMenu, HoldsTheUnsavedEditsOfTwoStagesAndChangesNothing) {
  RomImageData& rom = form->Rom();
  StageData& one = rom.Stage(1);
  const auto room5 = static_cast<std::uint8_t>(one.Map()[5] ^ 0x11);
  ASSERT_TRUE(one.SetMapRoom(5, room5));
  form->Flags().SetMapModified(1, true);
  StageData& three = rom.Stage(3);
  const auto colour = static_cast<std::uint8_t>(three.BGPalette()[6] ^ 0x01);
  ASSERT_TRUE(three.SetBGPaletteEntry(6, colour));
  ASSERT_TRUE(three.SetBGPaletteEntry(7, three.BGPalette()[7] ^ 0x02));
  three.Undo();
  form->Flags().SetPaletteModified(3, true);
  const std::vector<std::uint8_t> buffer(rom.Bytes().Data(), rom.Bytes().Data() + rom.Size());

  MakePatch(PathOf("demo.nes"), {PathOf("edits.ips")});
  MakePatch(PathOf("demo.nes"), {PathOf("edits.bps")});
  EXPECT_EQ(dialogs.lastSaveRequest.filter,
            QStringLiteral("IPSパッチ (*.ips)|*.ips|BPSパッチ (*.bps)|*.bps"));
  EXPECT_EQ(dialogs.lastSaveRequest.defaultSuffix, QStringLiteral("bps"));
  EXPECT_TRUE(dialogs.Texts(Kind::Message).empty() && dialogs.Texts(Kind::Error).empty());
  EXPECT_TRUE(std::equal(buffer.begin(), buffer.end(), rom.Bytes().Data()));
  EXPECT_TRUE(form->Flags().IsMapModified(1) && form->Flags().IsPaletteModified(3));
  EXPECT_TRUE(one.CanUndo() && three.CanUndo() && three.CanRedo());
  EXPECT_EQ(ReadFile(folder / "demo.nes"), demo);

  const auto ips = testing::ApplyIps(demo, ReadFile(folder / "edits.ips"));
  EXPECT_EQ(testing::ApplyBps(demo, ReadFile(folder / "edits.bps")).bytes, ips.bytes);
  ASSERT_EQ(ips.bytes.size(), demo.size());
  EXPECT_EQ(ips.bytes[rom.Addresses().Map(1) + 5], room5);
  EXPECT_EQ(ips.bytes[rom.Addresses().BGPalette(3) + 6], colour);
  form->Save1Click();
  EXPECT_EQ(ips.bytes, ReadFile(folder / "demo.nes"));
}

// Refused originals are said before any patch file is asked for; a failed write is
// reported; none of them, nor a cancel, leaves a file.
TEST_F(PatchMenu, RefusalsFailuresAndCancelsWriteNothing) {
  folder.Write("bad.nes", QByteArray(64, 'x'));
  auto longer = demo;
  longer.push_back(0);
  WriteImage("longer.nes", longer);
  folder.Write("blocker", "x");
  const auto files = std::distance(std::filesystem::directory_iterator(folder.Path()), {});
  MakePatch(PathOf("bad.nes"));
  MakePatch(PathOf("longer.nes"));
  EXPECT_EQ(dialogs.Texts(Kind::Message),
            (std::vector<QString>{"ROMイメージが異常です",
                                  "元のROMイメージと編集後のROMイメージのサイズが違います"}));
  MakePatch(PathOf("demo.nes"), {PathOf("blocker") + "/p.ips"});
  ASSERT_EQ(dialogs.Texts(Kind::Error).size(), 1u);
  EXPECT_TRUE(dialogs.Texts(Kind::Error)[0].startsWith("ファイル \"" + PathOf("blocker") +
                                                       "/p.ips\" に書き込めません。"));
  MakePatch(std::nullopt);
  MakePatch(PathOf("demo.nes"), {std::nullopt});
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()), {}), files);
}

TEST_F(PatchMenu, IsOfferedOnlyWhileAnImageIsOpen) {
  QAction* item = Find<QAction>("MakePatch1");
  EXPECT_EQ(item->text(), QStringLiteral("パッチの作成(&P)..."));
  EXPECT_TRUE(item->isEnabled());
  form->Close1Click();
  EXPECT_FALSE(item->isEnabled());
}

}  // namespace
}  // namespace zantor
