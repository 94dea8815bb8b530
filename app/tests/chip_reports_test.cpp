// The merging of duplicate 32x32 chips in the map sets, through the map set tab's button and
// the report dialog's own buttons.
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>

#include "app/tests/main_form_fixture.h"
#include "core/edit_flag_management.h"
#include "core/rom_image_data.h"
#include "tools/demo_stage_layout.h"

namespace zantor {
namespace {

using testing::MainFormTest;
using Kind = testing::ScriptedDialogs::Kind;

class ChipMerge : public testing::TabTest<EditTab::MapSet> {
 protected:
  // Presses the tab's button; the dialog, if shown, is read and closed by `close`.
  struct Shown {
    QString caption, message, memo;
    bool okShown = false;
  };
  Shown Press(const char* button, const std::function<void(QDialog&)>& close) {
    Shown shown;
    dialogs.modals.push_back([&](QDialog& dialog) {
      shown = {dialog.windowTitle(), dialog.findChild<QLabel*>("LblMessage")->text(),
               dialog.findChild<QPlainTextEdit*>("MemoUnusedChipNum")->toPlainText(),
               dialog.findChild<QPushButton*>("BtnReplaceMapSetChips")->isVisibleTo(&dialog)};
      close(dialog);
      return dialog.result();
    });
    Find<QPushButton>(button)->click();
    return shown;
  }
  static void ClickOk(QDialog& dialog) {
    dialog.findChild<QPushButton*>("BtnReplaceMapSetChips")->click();
  }
  static void ClickCancel(QDialog& dialog) { dialog.findChild<QPushButton*>("BtnCancel")->click(); }
  // Cells of the stage's map sets that hold one of the demo's copies.
  static int DemoCopyCells(int stage) {
    const auto mapSets = DemoStageLayout::MapSets(stage);
    return static_cast<int>(std::count_if(mapSets.begin(), mapSets.end(), [](std::uint8_t chip) {
      return chip == kDemoDuplicateChip32[0][0] || chip == kDemoDuplicateChip32[1][0];
    }));
  }
};

TEST_F(ChipMerge, ThePreviewListsTheCopiesAndOkPointsTheirCellsAtTheFirstChip) {
  Stage().SetMapRoom(0, 7);  // an entry of another kind, which the merge takes with it
  form->Rom().Stage(4).SetMapRoom(0, 7);
  const auto before = std::vector<std::uint8_t>(Stage().MapSet().begin(), Stage().MapSet().end());
  Shown shown = Press("BtnReplaceMapSetChip", ClickCancel);
  EXPECT_EQ(shown.memo, QStringLiteral("07 <- BE \n0B <- BF \n"));
  EXPECT_EQ(shown.message, QStringLiteral("マップセット内のチップ番号を以下のように置換します"));
  EXPECT_EQ(shown.caption, QStringLiteral("重複チップの置換"));
  EXPECT_TRUE(shown.okShown);
  EXPECT_TRUE(std::equal(before.begin(), before.end(), Stage().MapSet().begin()));
  EXPECT_FALSE(form->Flags().IsModified());

  Press("BtnReplaceMapSetChip", ClickOk);
  EXPECT_EQ(dialogs.Texts(Kind::Message).back(),
            QString::number(DemoCopyCells(0)) + QStringLiteral("個のチップを置換しました"));
  for (std::size_t i = 0; i < before.size(); ++i) {
    const std::uint8_t expected = before[i] == 0xBE ? 0x07 : before[i] == 0xBF ? 0x0B : before[i];
    ASSERT_EQ(Stage().MapSet()[i], expected) << i;
  }
  EXPECT_EQ(Stage().Chip32x32()[0xBE * 4], Stage().Chip32x32()[0x07 * 4]);  // still defined
  EXPECT_TRUE(form->Flags().IsMapSetModified(0));
  EXPECT_FALSE(form->Flags().IsMapSetModified(4));
  EXPECT_FALSE(Stage().CanUndo());
  EXPECT_TRUE(form->Rom().Stage(4).CanUndo());
  form->Undo1Click();
  EXPECT_EQ(Stage().Map()[0], 7);

  // The unused report now names the copies, and offers no OK.
  form->ShowTab(EditTab::Chip32x32);
  shown = Press("BtnUnused32x32ChipChk", [](QDialog& dialog) { dialog.reject(); });
  EXPECT_TRUE(shown.memo.contains(QStringLiteral("BE BF ")));
  EXPECT_FALSE(shown.okShown);
}

TEST_F(ChipMerge, ASecondMergeFindsTheSameGroupsAndChangesNothing) {
  Press("BtnReplaceMapSetChip", ClickOk);
  Stage().SetBGPaletteEntry(3, 0x21);
  form->Flags().ClearAll();
  const Shown shown = Press("BtnReplaceMapSetChip", ClickOk);
  EXPECT_EQ(shown.memo, QStringLiteral("07 <- BE \n0B <- BF \n"));
  EXPECT_EQ(dialogs.Texts(Kind::Message).back(), QStringLiteral("0個のチップを置換しました"));
  EXPECT_FALSE(form->Flags().IsModified());
  EXPECT_EQ(Stage().UndoName(), "パレットの編集");
}

TEST_F(ChipMerge, WithoutCopiesItSaysSoAndShowsNoDialog) {
  Stage().SetChip32x32Part(0xBE * 4, 0x55);
  Stage().SetChip32x32Part(0xBF * 4, 0x56);
  Find<QPushButton>("BtnReplaceMapSetChip")->click();
  EXPECT_EQ(dialogs.Texts(Kind::Message),
            std::vector<QString>{QStringLiteral("置換対象チップはありません。")});
  EXPECT_TRUE(dialogs.Texts(Kind::Modal).empty());
}

TEST_F(ChipMerge, APreviewClosedByItsFrameLeavesTheNextReportWithoutOk) {
  Press("BtnReplaceMapSetChip", [](QDialog& dialog) { dialog.close(); });
  EXPECT_FALSE(form->Flags().IsModified());
  form->ShowTab(EditTab::Chip32x32);
  const Shown shown = Press("BtnOverlap32x32ChipChk", [](QDialog& dialog) { dialog.reject(); });
  EXPECT_FALSE(shown.okShown);
  EXPECT_EQ(shown.caption, QStringLiteral("重複チップの置換"));
  EXPECT_EQ(shown.message, QStringLiteral("重複定義されている32x32チップ番号は"));
}

TEST_F(ChipMerge, SaveWritesExactlyTheMergedCellsAndSharedStagesShareTheMerge) {
  const auto original = testing::ReadFile(folder / "demo.nes");
  form->SelectStage(0x0B);  // shares stage 8's map sets
  Press("BtnReplaceMapSetChip", ClickOk);
  EXPECT_EQ(form->Rom().Stage(0x08).MapSet()[0], Stage().MapSet()[0]);
  EXPECT_TRUE(form->Flags().IsMapSetModified(0x0B));
  ASSERT_TRUE(form->Rom().Save(folder / "saved.nes"));
  const auto saved = testing::ReadFile(folder / "saved.nes");
  ASSERT_EQ(saved.size(), original.size());
  const std::int64_t mapSets = form->Rom().Addresses().MapSet(0x08);
  int changed = 0;
  for (std::size_t i = 0; i < saved.size(); ++i) {
    if (saved[i] == original[i]) continue;
    ++changed;
    const auto offset = static_cast<std::int64_t>(i) - mapSets;
    ASSERT_TRUE(offset >= 0 && offset < kMapSetCount * 64) << i;
    EXPECT_TRUE(original[i] == 0xBE || original[i] == 0xBF) << i;
  }
  EXPECT_EQ(changed, DemoCopyCells(0x08));
}

}  // namespace
}  // namespace zantor
