// The map set tab through its real controls, pictures compared with the 32x32 chip sheet
// read straight from the image's bytes.
#include <QCheckBox>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTableWidget>
#include <QTimer>

#include "app/tab_page_controls.h"
#include "app/tests/main_form_fixture.h"
#include "core/edit_flag_management.h"
#include "core/my_mem_ini_file.h"
#include "core/rom_image_data.h"
#include "editors/two_digit_hex.h"
#include "graphics/testing/reference_pixels.h"

namespace zantor {
namespace {

using testing::MainFormTest;
using testing::NesColor;
using testing::ReferenceChip32Pixel;
using testing::ReferenceMapSetPixel;

constexpr std::uint32_t kMagenta = 0xFF00FF;
constexpr std::uint32_t kWhite = 0xFFFFFF;

class MapSetTab : public testing::TabTest<EditTab::MapSet> {
 protected:
  static QString PageName(int side) { return QStringLiteral("ImgEditMapSetPage%1").arg(side); }
  DisplayPicture& Page(int side) { return *Image(PageName(side))->Picture(); }
  // Whether the page shows map set `mapSet` as the image's bytes give it, once the pointer
  // has left it.
  bool PageShows(int side, int mapSet) {
    Leave(PageName(side));
    for (int y = 0; y < 256; ++y) {
      for (int x = 0; x < 256; ++x) {
        if (Page(side).Pixel(x, y) != Shown(ReferenceMapSetPixel(Stage(), mapSet, x, y))) {
          return false;
        }
      }
    }
    return true;
  }
  QPoint CellPoint(int cell) { return {cell % 8 * 32 + 5, cell / 8 * 32 + 5}; }
  void ClickCell(int side, int cell, Qt::MouseButton button, Qt::KeyboardModifiers keys = {}) {
    Click(PageName(side), button, CellPoint(cell), keys);
  }
  void SelectChip(int chip) {
    Click("Img32x32ChipTable", Qt::LeftButton, {chip % 16 * 16 + 3, chip / 16 * 16 + 3});
  }
  std::uint8_t Cell(int mapSet, int cell) { return Stage().MapSet()[mapSet * 64 + cell]; }
  void Scroll(const char* bar, int position) {
    auto* scroll = Find<QScrollBar>(bar);
    scroll->setSliderDown(true);
    scroll->setSliderPosition(position);  // what a drag of the thumb reports
    scroll->setSliderDown(false);
  }
  int Entries() {
    int count = 0;
    while (Stage().CanUndo()) Stage().Undo(), ++count;
    return count;
  }
};

TEST_F(MapSetTab, ControlsAndPicturesAfterOpen) {
  EXPECT_EQ(TagOf(*Image(PageName(1))), 1);
  EXPECT_EQ(Image("Img32x32ChipTable")->size(), QSize(256, 256));
  EXPECT_EQ(Image("ImgSelect32x32Chip")->size(), QSize(64, 64));
  EXPECT_EQ(Find<QPushButton>("Button3")->text(), QStringLiteral("再読み込み"));
  EXPECT_EQ(Label("LblMapSetPage1"), QStringLiteral("01"));
  EXPECT_TRUE(PageShows(0, 0));
  EXPECT_TRUE(PageShows(1, 1));
  const DisplayPicture& table = *Image("Img32x32ChipTable")->Picture();
  const DisplayPicture& selected = *Image("ImgSelect32x32Chip")->Picture();
  for (int y = 0; y < 256; ++y) {
    for (int x = 0; x < 256; ++x) {
      ASSERT_EQ(table.Pixel(x, y), Shown(ReferenceChip32Pixel(Stage(), 2 * x, 2 * y))) << x << y;
      if (x < 64 && y < 64) {
        ASSERT_EQ(selected.Pixel(x, y), Shown(ReferenceChip32Pixel(Stage(), x / 2, y / 2)));
      }
    }
  }
}

TEST_F(MapSetTab, PlacePickCopyAndPasteEachRecordOnlyAChange) {
  SelectChip(0x2A);
  ClickCell(0, 9, Qt::LeftButton);
  EXPECT_EQ(Cell(0, 9), 0x2A);
  EXPECT_EQ(Stage().UndoName(), "マップセットの編集");
  EXPECT_TRUE(form->Flags().IsMapSetModified(0));
  form->Flags().ClearAll();
  ClickCell(0, 9, Qt::LeftButton);                   // holds the chip already
  Move(PageName(0), CellPoint(20), Qt::LeftButton);  // no painting by dragging
  EXPECT_EQ(Cell(0, 20), form->Rom().Stage(0).MapSet()[20]);
  EXPECT_FALSE(form->Flags().IsModified());
  EXPECT_EQ(Entries(), 1);

  ClickCell(1, 10, Qt::RightButton, Qt::ShiftModifier);  // a pick, Shift or not
  EXPECT_EQ(Label("LblMapSetSelect32x32ChipIndex"), TwoDigitHex(Cell(1, 10)));
  ClickCell(0, 0, Qt::LeftButton, Qt::ControlModifier);  // nothing copied yet: chip 00 everywhere
  for (int cell = 0; cell < 64; ++cell) ASSERT_EQ(Cell(0, cell), 0);
  EXPECT_EQ(Stage().UndoName(), "マップセットの編集(貼り付け)");
  ClickCell(1, 0, Qt::RightButton, Qt::ControlModifier);
  ClickCell(0, 5, Qt::LeftButton, Qt::ControlModifier);
  EXPECT_TRUE(PageShows(0, 1));
  form->Flags().ClearAll();
  ClickCell(0, 5, Qt::LeftButton, Qt::ControlModifier);  // the same map set again
  EXPECT_FALSE(form->Flags().IsModified());
  EXPECT_EQ(Entries(), 2);
  ClickCell(0, 5, Qt::MiddleButton);
  EXPECT_FALSE(Stage().CanUndo());
}

TEST_F(MapSetTab, TheCommonBarMovesBothPagesAndThePageBarsOnlyTheirOwn) {
  Scroll("ScrBarSelectPage1", 39);
  Scroll("ScrBarMapSet", 3);
  EXPECT_EQ(Label("LblMapSetPage0"), QStringLiteral("03"));
  EXPECT_EQ(Label("LblMapSetPage1"), QStringLiteral("27"));
  Find<QScrollBar>("ScrBarMapSet")->triggerAction(QAbstractSlider::SliderSingleStepSub);
  EXPECT_EQ(Label("LblMapSetPage1"), QStringLiteral("26"));
  Scroll("ScrBarMapSet", 0);
  EXPECT_EQ(Label("LblMapSetPage1"), QStringLiteral("24"));
  Scroll("ScrBarSelectPage1", 1);
  Scroll("ScrBarMapSet", 0);
  EXPECT_EQ(Label("LblMapSetPage1"), QStringLiteral("01"));  // never below 1

  Scroll("ScrBarSelectPage0", 20);
  EXPECT_EQ(Find<QScrollBar>("ScrBarMapSet")->value(), 0);  // only the page's own bar moves
  Find<QScrollBar>("ScrBarMapSet")->triggerAction(QAbstractSlider::SliderSingleStepAdd);
  EXPECT_EQ(Label("LblMapSetPage0"), QStringLiteral("01"));
  EXPECT_EQ(Label("LblMapSetPage1"), QStringLiteral("01"));  // 1 - 19, clamped
  EXPECT_EQ(Find<QScrollBar>("ScrBarSelectPage0")->value(), 1);
  EXPECT_TRUE(PageShows(0, 1));
  EXPECT_FALSE(Stage().CanUndo());
}

TEST_F(MapSetTab, FramesFollowThePointerAndLeaveThePicturesAsTheyWere) {
  Leave(PageName(0));  // no move before: nothing framed, nothing to read or draw
  EXPECT_EQ(StatusPanel(1), QString());
  EXPECT_TRUE(PageShows(0, 0));
  Move(PageName(0), CellPoint(9));
  EXPECT_EQ(StatusPanel(1),
            QStringLiteral("Index:09(1,1) 32x32チップNo:") + TwoDigitHex(Cell(0, 9)));
  EXPECT_EQ(Page(0).Pixel(32, 32), kMagenta);
  EXPECT_EQ(Page(0).Pixel(63, 63), kMagenta);
  Move("Img32x32ChipTable", {0x1F % 16 * 16 + 1, 16});
  EXPECT_EQ(StatusPanel(1), QStringLiteral("32x32チップNo:1F"));
  EXPECT_EQ(Image("Img32x32ChipTable")->Picture()->Pixel(0x1F % 16 * 16, 16), kMagenta);
  Leave("Img32x32ChipTable");
  EXPECT_EQ(StatusPanel(1), QString());
  EXPECT_TRUE(PageShows(0, 0));

  // A page on the last map set, the pointer far right of its bottom row.
  Scroll("ScrBarSelectPage1", 39);
  for (const QPoint at : {QPoint(300, 250), QPoint(-10, 250), QPoint(100, 300)}) {
    Move(PageName(1), at, Qt::LeftButton);
    EXPECT_EQ(StatusPanel(1), QString());
  }
  Leave(PageName(1));
  EXPECT_TRUE(PageShows(1, 39));
}

// The control as the window last painted it, and as a full repaint of its picture paints it.
QImage OnScreen(const QWidget& control) {
  const QPoint at = control.mapTo(control.window(), QPoint(0, 0));
  return control.screen()
      ->grabWindow(control.window()->winId(), at.x(), at.y(), control.width(), control.height())
      .toImage()
      .convertToFormat(QImage::Format_RGB32);
}
QImage FullRepaint(QWidget& control) {
  return control.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

TEST_F(MapSetTab, AfterHoversAndAPlaceTheWindowShowsWhatAFullRepaintShows) {
  form->show();
  Find<QCheckBox>("ChkMapSetEditDrawGrid")->click();  // grid lines drawn back around cells
  QApplication::processEvents();
  SelectChip(0x05);
  for (const int cell : {9, 10, 18, 63, 0, 18}) {
    Move(PageName(0), CellPoint(cell));
    QApplication::processEvents();
  }
  ClickCell(0, 18, Qt::LeftButton);
  QApplication::processEvents();
  Leave(PageName(0));
  Move(PageName(1), CellPoint(27));
  QApplication::processEvents();
  for (const int side : {0, 1}) {
    TImageEx& page = *Image(PageName(side));
    EXPECT_EQ(OnScreen(page), FullRepaint(page)) << side;
  }
  EXPECT_EQ(FullRepaint(*Image(PageName(1))).pixel(3 * 32, 3 * 32), qRgb(0xFF, 0, 0xFF));
}

TEST_F(MapSetTab, GridLinesStayWholeAroundAPlacedCellAndFollowTheBox) {
  folder.Write("zantor5editor.ini", "[MapSetEdit]\nGrid=1\n");
  StartWithDemo();
  Show();
  const auto lineAt = [&](int y) {
    for (int x = 0; x < 256; ++x) {
      if (Page(0).Pixel(x, y) != kWhite) return false;
    }
    return true;
  };
  EXPECT_TRUE(lineAt(32) && lineAt(224) && !lineAt(255));
  SelectChip(0x05);
  Move(PageName(0), CellPoint(9));
  ClickCell(0, 9, Qt::LeftButton);
  Move(PageName(0), CellPoint(40));
  EXPECT_TRUE(lineAt(32) && lineAt(64));
  auto* box = Find<QCheckBox>("ChkMapSetEditDrawGrid");
  box->click();
  EXPECT_FALSE(lineAt(32));
  dialogs.answers.push_back(Answer::No);
  form->close();
  EXPECT_FALSE(TMyMemIniFile(folder / "zantor5editor.ini").ReadBool("MapSetEdit", "Grid", true));
}

TEST_F(MapSetTab, ATickThatChangesColoursKeepsTheFrameUnderThePointer) {
  Move(PageName(1), CellPoint(63));
  int* drawings = CountDrawings(PageName(1));
  while (*drawings == 0) form->FrameTimerTimer();
  EXPECT_EQ(Page(1).Pixel(7 * 32, 7 * 32), kMagenta);
}

TEST_F(MapSetTab, GridDialogOkAppliesItsCellsAsOneStepAndCancelNothing) {
  const auto viaDialog = [&](std::function<int(QDialog&)> run) {
    dialogs.modals.push_back(std::move(run));
    ClickCell(1, 0, Qt::LeftButton, Qt::ShiftModifier | Qt::ControlModifier);
  };
  QString caption;
  viaDialog([&](QDialog& dialog) {
    caption = dialog.windowTitle();
    dialog.findChild<QPushButton*>("BtnGridEditOK")->click();
    return dialog.result();
  });
  EXPECT_EQ(caption, QStringLiteral("マップセット(番号01)の編集"));
  EXPECT_FALSE(Stage().CanUndo());  // unchanged

  viaDialog([&](QDialog& dialog) {
    auto* grid = dialog.findChild<QTableWidget*>("SGridMapSetEdit");
    grid->setCurrentCell(0, 2);
    QTest::keyClicks(grid, "7e");
    dialog.findChild<QPushButton*>("BtnGridEditOK")->click();
    return dialog.result();
  });
  EXPECT_EQ(Cell(1, 2), 0x7E);
  EXPECT_EQ(Stage().UndoName(), "マップセットの編集(グリッド編集)");
  EXPECT_TRUE(PageShows(1, 1));

  viaDialog([&](QDialog& dialog) {
    QTest::keyClicks(dialog.findChild<QTableWidget*>("SGridMapSetEdit"), "11");
    QTest::keyClick(&dialog, Qt::Key_Escape);
    return dialog.result();
  });
  EXPECT_EQ(Cell(1, 0), form->Rom().Stage(0).MapSet()[64]);
  EXPECT_EQ(Entries(), 1);
}

TEST_F(MapSetTab, UndoAndRedoByKeyOfEachKindBringPagesAndCaptionsBack) {
  ActivateWindow();
  SelectChip(0x33);
  ClickCell(0, 1, Qt::LeftButton);
  ClickCell(1, 0, Qt::LeftButton, Qt::ControlModifier);
  dialogs.modals.push_back([](QDialog& dialog) {
    QTest::keyClicks(dialog.findChild<QTableWidget*>("SGridMapSetEdit"), "44");
    dialog.findChild<QPushButton*>("BtnGridEditOK")->click();
    return dialog.result();
  });
  ClickCell(0, 0, Qt::LeftButton, Qt::ShiftModifier);
  for (const char* name :
       {"マップセットの編集(グリッド編集)", "マップセットの編集(貼り付け)", "マップセットの編集"}) {
    form->Edit1Click();
    EXPECT_EQ(Find<QAction>("Undo1")->text(), QStringLiteral("元に戻す(&U) - ") + name);
    QTest::keyClick(form.get(), Qt::Key_Z, Qt::ControlModifier);
  }
  EXPECT_TRUE(PageShows(0, 0));
  EXPECT_TRUE(PageShows(1, 1));
  QTest::keyClick(form.get(), Qt::Key_Y, Qt::ControlModifier);
  form->Edit1Click();
  EXPECT_EQ(Find<QAction>("Redo1")->text(),
            QStringLiteral("やり直し(&R) - マップセットの編集(貼り付け)"));
  EXPECT_EQ(Cell(0, 1), 0x33);
  EXPECT_TRUE(PageShows(0, 0));
  EXPECT_TRUE(form->Flags().IsMapSetModified(0));
}

TEST_F(MapSetTab, ReloadAsksAndOnYesReadsTheMapSetsAgainAndEmptiesTheHistory) {
  ClickCell(0, 0, Qt::LeftButton, Qt::ControlModifier);
  Stage().SetMapRoom(0, 0x21);
  dialogs.confirms.push_back(false);
  Find<QPushButton>("Button3")->click();
  EXPECT_EQ(Cell(0, 5), 0);
  dialogs.confirms.push_back(true);
  Find<QPushButton>("Button3")->click();
  EXPECT_EQ(dialogs.Texts(testing::ScriptedDialogs::Kind::Confirm).back(),
            QStringLiteral("このステージのマップセットデータを読み込み直します。よろしいですか？"));
  EXPECT_FALSE(Stage().CanUndo());
  EXPECT_TRUE(form->Flags().IsMapSetModified(0));
  EXPECT_TRUE(PageShows(0, 0));
}

TEST_F(MapSetTab, TheChipChosenOnThe32x32TabIsShownHereNextTime) {
  form->ShowTab(EditTab::Chip32x32);
  Click("ImgEdit32x32ChipView", Qt::LeftButton, {5 * 32 + 3, 2 * 32 + 3}, Qt::ShiftModifier);
  Click("ImgEdit32x32ChipView", Qt::LeftButton, {6 * 32 + 3, 2 * 32 + 3}, Qt::ControlModifier);
  EXPECT_EQ(Label("LblMapSetSelect32x32ChipIndex"), QStringLiteral("00"));
  Click("ImgEdit32x32ChipView", Qt::LeftButton, {7 * 32 + 3, 2 * 32 + 3});
  Show();
  EXPECT_EQ(Label("LblMapSetSelect32x32ChipIndex"), QStringLiteral("27"));
  ClickCell(0, 3, Qt::LeftButton);
  EXPECT_EQ(Cell(0, 3), 0x27);
}

TEST_F(MapSetTab, AnEditOnStage0BIsSeenOnStage08WhichSharesItsMapSets) {
  form->SelectStage(0x0B);
  Show();
  SelectChip(0x4C);
  ClickCell(1, 63, Qt::LeftButton);
  form->SelectStage(0x08);
  Show();
  EXPECT_EQ(Cell(1, 63), 0x4C);
  EXPECT_TRUE(PageShows(1, 1));
  EXPECT_TRUE(form->Flags().IsMapSetModified(0x0B));
  EXPECT_FALSE(form->Flags().IsMapSetModified(0x08));
}

}  // namespace
}  // namespace zantor
