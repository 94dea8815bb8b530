#include <QAction>

#include "app/tests/main_form_fixture.h"
#include "core/edit_flag_management.h"
#include "core/rom_image_data.h"
#include "core/testing/patch_appliers.h"

namespace zantor {
namespace {

using testing::ReadFile;
using Kind = testing::ScriptedDialogs::Kind;

const QString kImageFilter =
    QStringLiteral("ZANTOR5 ROMイメージ (*.nes)|*.nes|すべてのファイル (*.*)|*.*");
const QString kPatchFilter = QStringLiteral("IPSパッチ (*.ips)|*.ips|BPSパッチ (*.bps)|*.bps");

class PatchMenu : public testing::MainFormTest {
 protected:
  void SetUp() override {
    MainFormTest::SetUp();
    StartWithDemo();
    demo = ReadFile(folder / "demo.nes");
  }

  // Runs the item with the user's answers to its two file dialogs; without an answer for
  // the patch file, being asked for one fails the test.
  void MakePatch(const std::optional<QString>& original,
                 std::deque<std::optional<QString>> patch = {}) {
    dialogs.openFiles = {original};
    dialogs.saveFiles = std::move(patch);
    Find<QAction>("MakePatch1")->trigger();
  }

  std::size_t FileCount() const {
    return static_cast<std::size_t>(std::distance(
        std::filesystem::directory_iterator(folder.Path()), std::filesystem::directory_iterator()));
  }

  std::vector<std::uint8_t> demo;
};

TEST_F(PatchMenu, IsOfferedWhileAnImageIsOpen) {
  QAction* item = Find<QAction>("MakePatch1");
  EXPECT_EQ(item->text(), QStringLiteral("パッチの作成(&P)..."));
  EXPECT_TRUE(item->isEnabled());
  form->Close1Click();
  EXPECT_FALSE(item->isEnabled());
}

// Unsaved edits in stages 1 and 3, one of them undone and redone: both patches hold them
// as Save then writes them, and the window is left exactly as it was.
TEST_F(PatchMenu, HoldsTheUnsavedEditsOfTwoStagesAndChangesNothing) {
  RomImageData& rom = form->Rom();
  StageData& one = rom.Stage(1);
  const std::uint8_t room5 = static_cast<std::uint8_t>(one.Map()[5] ^ 0x11);
  ASSERT_TRUE(one.SetMapRoom(5, room5));
  form->Flags().SetMapModified(1, true);
  StageData& three = rom.Stage(3);
  const std::uint8_t colour = static_cast<std::uint8_t>(three.BGPalette()[6] ^ 0x01);
  ASSERT_TRUE(three.SetBGPaletteEntry(6, colour));
  ASSERT_TRUE(three.SetBGPaletteEntry(7, three.BGPalette()[7] ^ 0x02));
  three.Undo();
  form->Flags().SetPaletteModified(3, true);
  const std::vector<std::uint8_t> buffer(rom.Bytes().Data(), rom.Bytes().Data() + rom.Size());

  for (const std::string name : {"edits.ips", "edits.bps"}) {
    MakePatch(PathOf("demo.nes"), {PathOf(name)});
  }
  EXPECT_EQ(dialogs.lastOpenRequest.filter, kImageFilter);
  EXPECT_EQ(dialogs.lastSaveRequest.filter, kPatchFilter);
  EXPECT_EQ(dialogs.lastSaveRequest.defaultSuffix, QStringLiteral("ips"));
  EXPECT_TRUE(dialogs.Texts(Kind::Message).empty() && dialogs.Texts(Kind::Error).empty());

  EXPECT_TRUE(std::equal(buffer.begin(), buffer.end(), rom.Bytes().Data()));
  EXPECT_TRUE(form->Flags().IsMapModified(1) && form->Flags().IsPaletteModified(3));
  EXPECT_EQ(StatusPanel(0), QStringLiteral("変更あり"));
  EXPECT_TRUE(one.CanUndo() && three.CanUndo() && three.CanRedo());
  EXPECT_EQ(ReadFile(folder / "demo.nes"), demo);

  const auto ips = testing::ApplyIps(demo, ReadFile(folder / "edits.ips"));
  const auto bps = testing::ApplyBps(demo, ReadFile(folder / "edits.bps"));
  EXPECT_EQ(ips.refusal, "");
  EXPECT_EQ(bps.refusal, "");
  EXPECT_EQ(ips.bytes, bps.bytes);
  ASSERT_EQ(ips.bytes.size(), demo.size());
  EXPECT_EQ(ips.bytes[rom.Addresses().Map(1) + 5], room5);
  EXPECT_EQ(ips.bytes[rom.Addresses().BGPalette(3) + 6], colour);
  form->Save1Click();
  EXPECT_EQ(ips.bytes, ReadFile(folder / "demo.nes"));
}

TEST_F(PatchMenu, AnOriginalThatIsNoImageOrOfAnotherLengthIsRefusedBeforeAnyPatchFile) {
  folder.Write("bad.nes", QByteArray(64, 'x'));
  auto longer = demo;
  longer.push_back(0);
  WriteImage("longer.nes", longer);
  const std::size_t files = FileCount();
  const std::vector<std::pair<const char*, QString>> cases = {
      {"bad.nes", QStringLiteral("ROMイメージが異常です")},
      {"longer.nes", QStringLiteral("元のROMイメージと編集後のROMイメージのサイズが違います")},
  };
  for (const auto& [name, message] : cases) {
    dialogs.log.clear();
    MakePatch(PathOf(name));
    EXPECT_EQ(dialogs.Texts(Kind::Message), std::vector<QString>{message}) << name;
  }
  EXPECT_EQ(FileCount(), files);
}

TEST_F(PatchMenu, AFailedWriteIsReportedAndACancelWritesNothing) {
  folder.Write("blocker", "x");
  const std::size_t files = FileCount();
  MakePatch(PathOf("demo.nes"), {PathOf("blocker") + "/p.ips"});
  ASSERT_EQ(dialogs.Texts(Kind::Error).size(), 1u);
  EXPECT_TRUE(dialogs.Texts(Kind::Error)[0].startsWith(
      QStringLiteral("ファイル \"") + PathOf("blocker") + "/p.ips\" に書き込めません。"));

  MakePatch(std::nullopt);
  MakePatch(PathOf("demo.nes"), {std::nullopt});
  EXPECT_EQ(dialogs.Texts(Kind::Error).size(), 1u);
  EXPECT_EQ(FileCount(), files);
}

}  // namespace
}  // namespace zantor
