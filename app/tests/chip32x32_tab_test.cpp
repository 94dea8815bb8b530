// The 32x32 chip tab through its real controls, pictures compared with the chip sheets read
// straight from the image's bytes.
#include <QCheckBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>

#include "app/tests/main_form_fixture.h"
#include "core/edit_flag_management.h"
#include "core/my_mem_ini_file.h"
#include "core/rom_image_data.h"
#include "editors/two_digit_hex.h"
#include "editors/up_down_buttons.h"
#include "graphics/testing/reference_pixels.h"

namespace zantor {
namespace {

using testing::MainFormTest;
using testing::NesColor;
using testing::ReferenceChip16Pixel;
using testing::ReferenceChip32Pixel;

constexpr std::uint32_t kMagenta = 0xFF00FF;
constexpr std::uint32_t kWhite = 0xFFFFFF;

class Chip32x32Tab : public testing::TabTest<EditTab::Chip32x32> {
 protected:
  DisplayPicture& View() { return *Image("ImgEdit32x32ChipView")->Picture(); }
  // Whether view cell (column, row) shows chip `chip` as the image's bytes give it, once the
  // pointer has left the view.
  bool ViewCellShows(int column, int row, int chip) {
    Leave("ImgEdit32x32ChipView");
    for (int y = 0; y < 32; ++y) {
      for (int x = 0; x < 32; ++x) {
        const int index = ReferenceChip32Pixel(Stage(), chip % 16 * 32 + x, chip / 16 * 32 + y);
        if (View().Pixel(column * 32 + x, row * 32 + y) != Shown(index)) return false;
      }
    }
    return true;
  }
  bool TableCellShows(int chip) {
    Leave("Img16x16ChipTable");
    const DisplayPicture& table = *Image("Img16x16ChipTable")->Picture();
    for (int y = chip / 16 * 16; y < chip / 16 * 16 + 16; ++y) {
      for (int x = chip % 16 * 16; x < chip % 16 * 16 + 16; ++x) {
        if (table.Pixel(x, y) != Shown(ReferenceChip16Pixel(Stage(), x, y))) return false;
      }
    }
    return true;
  }
  // A click on the view at part `part` of the cell that shows chip `chip`.
  void ClickView(int chip, int part, Qt::MouseButton button, Qt::KeyboardModifiers keys = {}) {
    Click("ImgEdit32x32ChipView", button,
          {chip % 16 * 32 + part % 2 * 16 + 4, chip % 128 / 16 * 32 + part / 2 * 16 + 4}, keys);
  }
  void Select16x16(int chip) {
    Click("Img16x16ChipTable", Qt::LeftButton, {chip % 16 * 16 + 4, chip / 16 * 16 + 4});
  }
  void Arrow(bool up) {
    auto* buttons = Find<UpDownButtons>("UDChange32x32ChipView");
    (up ? buttons->UpButton() : buttons->DownButton())->click();
  }
  std::uint8_t Part(int chip, int part) { return Stage().Chip32x32()[chip * 4 + part]; }
};

TEST_F(Chip32x32Tab, TheArrowsShowEitherHalfAndAStageChangeShowsTheFirst) {
  EXPECT_EQ(Label("LblEdit32x32ChipView"), QStringLiteral("00-7F"));
  EXPECT_EQ(Label("LblStructChipProperty2"),
            form->Rom().ChipAttributeName(Stage().ChipProperty()[Part(0, 2)]).c_str());
  int* drawings = CountDrawings("ImgEdit32x32ChipView");
  Arrow(true);
  EXPECT_EQ(*drawings, 0);
  Arrow(false);
  EXPECT_EQ(Label("LblEdit32x32ChipView"), QStringLiteral("80-FF"));
  for (const auto& [column, row] : {std::pair{0, 0}, {5, 3}, {15, 7}}) {
    EXPECT_TRUE(ViewCellShows(column, row, 0x80 + row * 16 + column)) << column << "," << row;
  }
  form->SelectStage(2);
  EXPECT_EQ(Label("LblEdit32x32ChipView"), QStringLiteral("00-7F"));
  EXPECT_TRUE(ViewCellShows(15, 7, 0x7F));
}

TEST_F(Chip32x32Tab, TheMouseOnTheViewPastesPlacesSelectsCopiesAndPicks) {
  for (const int half : {0, 1}) {
    SCOPED_TRACE(half);
    const int chip = half * 0x80 + 0x25;
    const int other = half * 0x80 + 0x26;
    if (half == 1) Arrow(false);
    // Right: picks the 16x16 chip under the pointer.
    ClickView(chip, 3, Qt::RightButton);
    EXPECT_EQ(Label("LblSelect16x16ChipIndex"), TwoDigitHex(Part(chip, 3)));
    // Left: the chip becomes the edited one.
    ClickView(other, 0, Qt::LeftButton);
    EXPECT_EQ(Label("LblSelect32x32ChipIndex"), TwoDigitHex(other));
    // Shift + left: the selected 16x16 chip goes into that part of that chip only.
    Select16x16(0xC6);
    const auto edited = Image("ImgEdit32x32Chip")->Picture()->Pixel(10, 10);
    ClickView(chip, 1, Qt::LeftButton, Qt::ShiftModifier);
    EXPECT_EQ(Part(chip, 1), 0xC6);
    EXPECT_TRUE(ViewCellShows(chip % 16, chip % 128 / 16, chip));
    EXPECT_EQ(Label("LblSelect32x32ChipIndex"), TwoDigitHex(other));
    EXPECT_EQ(Image("ImgEdit32x32Chip")->Picture()->Pixel(10, 10), edited);
    // Ctrl + right copies, Ctrl (and Shift) + left pastes.
    ClickView(chip, 0, Qt::RightButton, Qt::ControlModifier);
    ClickView(other, 2, Qt::LeftButton, Qt::ControlModifier | Qt::ShiftModifier);
    for (int part = 0; part < 4; ++part) EXPECT_EQ(Part(other, part), Part(chip, part));
    EXPECT_EQ(Label("LblStructChipIndex1"), QStringLiteral("C6"));  // the edited chip follows
    EXPECT_TRUE(ViewCellShows(other % 16, other % 128 / 16, other));
    // Middle: nothing.
    const auto before = Stage().CanUndo();
    ClickView(other, 0, Qt::MiddleButton, Qt::ControlModifier);
    EXPECT_EQ(Stage().CanUndo(), before);
  }
}

TEST_F(Chip32x32Tab, EditsRecordOneEntryFlagTheChipsOfTheStageAndUndoByKey) {
  ActivateWindow();
  Select16x16(0x33);
  ClickView(0x10, 0, Qt::LeftButton);  // the edited chip
  const std::uint8_t old = Part(0x10, 3);
  Click("ImgEdit32x32Chip", Qt::LeftButton, {40, 40});
  EXPECT_EQ(Stage().UndoName(), "32x32チップの編集");
  Click("ImgEdit32x32Chip", Qt::LeftButton, {40, 40});  // the same chip again: nothing
  EXPECT_EQ(Label("LblStructChipIndex3"), QStringLiteral("33"));
  EXPECT_TRUE(form->Flags().IsChip32x32Modified(0));
  EXPECT_FALSE(form->Flags().IsChip32x32Modified(3));
  EXPECT_FALSE(form->Flags().IsChip16x16Modified(0));

  ClickView(0x11, 0, Qt::LeftButton, Qt::ControlModifier);  // nothing copied yet: zeros
  for (int part = 0; part < 4; ++part) EXPECT_EQ(Part(0x11, part), 0);
  EXPECT_EQ(Stage().UndoName(), "32x32チップの編集(貼り付け)");
  form->Flags().ClearAll();
  ClickView(0x11, 0, Qt::LeftButton, Qt::ControlModifier);
  EXPECT_FALSE(form->Flags().IsModified());

  QTest::keyClick(form.get(), Qt::Key_Z, Qt::ControlModifier);
  EXPECT_TRUE(ViewCellShows(1, 1, 0x11));
  QTest::keyClick(form.get(), Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(Label("LblStructChipIndex3"), TwoDigitHex(old));
  EXPECT_FALSE(Stage().CanUndo());
  QTest::keyClick(form.get(), Qt::Key_Y, Qt::ControlModifier);
  EXPECT_EQ(Label("LblStructChipIndex3"), QStringLiteral("33"));
  EXPECT_TRUE(ViewCellShows(0, 1, 0x10));
}

TEST_F(Chip32x32Tab, TheCopySurvivesStageChangesAndReloads) {
  const std::array<std::uint8_t, 4> copied{Part(0x40, 0), Part(0x40, 1), Part(0x40, 2),
                                           Part(0x40, 3)};
  ClickView(0x40, 0, Qt::RightButton, Qt::ControlModifier);
  form->SelectStage(4);
  Show();
  ClickView(0x41, 0, Qt::LeftButton, Qt::ControlModifier);
  dialogs.confirms.push_back(true);
  Find<QPushButton>("Button2")->click();
  Show();
  ClickView(0x42, 0, Qt::LeftButton, Qt::ControlModifier);
  for (int part = 0; part < 4; ++part) {
    EXPECT_EQ(Part(0x42, part), copied[part]);
    EXPECT_EQ(Part(0x41, part),
              form->Rom().Bytes().Read(form->Rom().Addresses().Chip32x32(4) + 0x41 * 4 + part));
  }
}

TEST_F(Chip32x32Tab, AttributeNamesComeFromTheLookupWithItsBuiltInNames) {
  ASSERT_EQ(Stage().ChipProperty()[0xC6], 0x62);
  Select16x16(0xC6);
  EXPECT_EQ(Label("LblSelect16x16ChipProperty"), QStringLiteral("6x 前景"));
  Click("ImgEdit32x32Chip", Qt::LeftButton, {8, 40});
  EXPECT_EQ(Label("LblStructChipProperty2"), QStringLiteral("6x 前景"));
}

TEST_F(Chip32x32Tab, AChipPaintedOnThe16x16TabShowsHereAndItsUndoHereTakesItBack) {
  const int chip16 = Part(0x05, 0);
  form->ShowTab(EditTab::Chip16x16);
  Click("ImgEdit16x16ChipView", Qt::LeftButton, {chip16 % 16 * 16 + 2, chip16 / 16 * 16 + 2});
  Click("ImgBGBankTable", Qt::LeftButton, {0x2C % 16 * 16 + 2, 0x2C / 16 * 16 + 2});
  Click("ImgEdit16x16Chip", Qt::LeftButton, {8, 8});
  Show();
  EXPECT_TRUE(ViewCellShows(5, 0, 0x05));
  EXPECT_TRUE(TableCellShows(chip16));
  form->Undo1Click();
  EXPECT_TRUE(ViewCellShows(5, 0, 0x05));
  EXPECT_TRUE(TableCellShows(chip16));
}

TEST_F(Chip32x32Tab, GridLinesFollowTheBoxAndSurviveHoverLeaveAndPlace) {
  folder.Write("zantor5editor.ini", "[32x32ChipEdit]\nGrid=1\n");
  StartWithDemo();
  Show();
  // Whole white lines on every 32nd row and column, none along the bottom and right edges.
  const auto whole = [&](int x0, int y0, int dx, int dy, int length) {
    for (int i = 0; i < length; ++i) {
      if (View().Pixel(x0 + i * dx, y0 + i * dy) != kWhite) return false;
    }
    return true;
  };
  const auto gridShown = [&] {
    for (int y = 0; y < 256; y += 32) {
      if (!whole(0, y, 1, 0, 512)) return false;
    }
    for (int x = 0; x < 512; x += 32) {
      if (!whole(x, 0, 0, 1, 256)) return false;
    }
    return !whole(0, 255, 1, 0, 512) && !whole(511, 0, 0, 1, 256);
  };
  EXPECT_TRUE(gridShown());
  Move("ImgEdit32x32ChipView", {100, 70});
  Move("ImgEdit32x32ChipView", {200, 70});
  Select16x16(0x11);
  Click("ImgEdit32x32ChipView", Qt::LeftButton, {100, 70}, Qt::ShiftModifier);
  Leave("ImgEdit32x32ChipView");
  EXPECT_TRUE(gridShown());
  auto* box = Find<QCheckBox>("Chk32x32ChipEditDrawGrid");
  box->click();
  EXPECT_FALSE(whole(0, 64, 1, 0, 512));
  box->click();
  EXPECT_TRUE(gridShown());
  box->click();
  dialogs.answers.push_back(Answer::No);  // the placed chip is not saved
  form->close();
  EXPECT_FALSE(TMyMemIniFile(folder / "zantor5editor.ini").ReadBool("32x32ChipEdit", "Grid", true));
}

TEST_F(Chip32x32Tab, DragsEndingOutsideThePicturesAddressNothing) {
  Arrow(false);  // below the view the formula would name chips past FF
  for (const char* name : {"ImgEdit32x32ChipView", "Img16x16ChipTable", "ImgEdit32x32Chip"}) {
    SCOPED_TRACE(name);
    const QSize size = Image(name)->size();
    for (const QPoint at : {QPoint(-5, 10), QPoint(10, -5), QPoint(size.width() + 3, 10),
                            QPoint(10, size.height() + 40)}) {
      Move(name, at, Qt::LeftButton);
      Click(name, Qt::LeftButton, at, Qt::ShiftModifier);
      EXPECT_EQ(StatusPanel(1), QString());
      for (int x = 0; x < size.width(); ++x) {
        ASSERT_NE(Image(name)->Picture()->Pixel(x, 0), kMagenta) << x;
      }
    }
  }
  EXPECT_FALSE(Stage().CanUndo());
  Move("ImgEdit32x32ChipView", {40, 40});
  EXPECT_EQ(StatusPanel(1), QStringLiteral("32x32チップNo:91"));
}

TEST_F(Chip32x32Tab, PlacesAndTicksRedrawOneChipAndKeepTheFramesUnderThePointer) {
  // Changed behind the editor's back: its cell keeps the old picture until the tab is
  // shown again.
  Stage().SetChip32x32Part(0x03 * 4, static_cast<std::uint8_t>(Part(0x03, 0) ^ 0x5A));
  Select16x16(0x21);
  Move("ImgEdit32x32ChipView", {0x20 % 16 * 32 + 4, 0x20 / 16 * 32 + 4});
  Click("ImgEdit32x32ChipView", Qt::LeftButton, {0x20 % 16 * 32 + 4, 0x20 / 16 * 32 + 4},
        Qt::ShiftModifier);
  EXPECT_EQ(View().Pixel(0, 64), kMagenta);
  for (int tick = 0; tick < 4 * (kDemoCycleDelay + 1); ++tick) form->FrameTimerTimer();
  EXPECT_EQ(View().Pixel(0, 64), kMagenta);
  form->ShowTab(EditTab::Palette);
  emit Find<QComboBox>("CBSelectPaletteSet")->activated(0);  // the stored colours again
  form->ShowTab(EditTab::Chip16x16);
  Find<QTimer>("FrameTimer")->stop();
  EXPECT_FALSE(ViewCellShows(3, 0, 0x03));  // still the picture from before the change
  Show();
  EXPECT_TRUE(ViewCellShows(3, 0, 0x03));
  EXPECT_TRUE(ViewCellShows(0, 2, 0x20));
}

TEST_F(Chip32x32Tab, ReloadReadsTheChipsAgainOnlyAfterYes) {
  ClickView(0x12, 0, Qt::LeftButton, Qt::ControlModifier);
  Stage().SetMapRoom(3, 7);
  dialogs.confirms.push_back(false);
  Find<QPushButton>("Button2")->click();
  EXPECT_EQ(Part(0x12, 0), 0);
  dialogs.confirms.push_back(true);
  Find<QPushButton>("Button2")->click();
  EXPECT_EQ(dialogs.Texts(testing::ScriptedDialogs::Kind::Confirm).back(),
            QStringLiteral("このステージの32x32チップデータを読み込み直します。よろしいですか？"));
  EXPECT_NE(Part(0x12, 0) | Part(0x12, 1) | Part(0x12, 2) | Part(0x12, 3), 0);
  EXPECT_FALSE(Stage().CanUndo());
  EXPECT_TRUE(form->Flags().IsChip32x32Modified(0));
}

TEST_F(Chip32x32Tab, ReportsListUnusedAndDuplicateChips) {
  QStringList memos;
  const auto read = [&](QDialog& dialog) {
    memos.append(dialog.windowTitle() + "|" +
                 dialog.findChild<QPlainTextEdit*>("MemoUnusedChipNum")->toPlainText());
    return QDialog::Rejected;
  };
  dialogs.modals.push_back(read);
  Find<QPushButton>("BtnOverlap32x32ChipChk")->click();
  const QStringList lines = memos.back().split(u'|').back().split(u'\n');
  EXPECT_TRUE(lines.contains(QStringLiteral("07 BE ")));
  EXPECT_TRUE(lines.contains(QStringLiteral("0B BF ")));
  EXPECT_TRUE(memos.back().startsWith(QStringLiteral("重複チップの置換|")));

  // Every chip number in some map set but 21 and 9C; map sets no room shows count too.
  for (int cell = 0; cell < 40 * 64; ++cell) {
    const int chip = cell % 256 == 0x21 || cell % 256 == 0x9C ? 0 : cell % 256;
    Stage().SetMapSetCell(cell, static_cast<std::uint8_t>(chip));
  }
  dialogs.modals.push_back(read);
  Find<QPushButton>("BtnUnused32x32ChipChk")->click();
  EXPECT_EQ(memos.back(), QStringLiteral("未使用32x32チップ番号|21 \n9C \n"));
}

}  // namespace
}  // namespace zantor
