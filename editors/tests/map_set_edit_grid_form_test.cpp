#include "editors/map_set_edit_grid_form.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <array>
#include <functional>
#include <string>
#include <vector>

#include "editors/testing/scripted_dialogs.h"

namespace zantor {
namespace {

// The dialog shown for map set 1B whose cell (c, r) holds r * 8 + c, driven through its grid,
// menu and buttons; keys go to whatever has the keyboard.
class GridDialog : public ::testing::Test {
 protected:
  void SetUp() override {
    for (int i = 0; i < 64; ++i) bytes[i] = static_cast<std::uint8_t>(i);
    form.PrepareGridDialog(0x1B, bytes);
    form.open();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
  }
  void TearDown() override {
    menu->hide();
    form.hide();
    EXPECT_TRUE(dialogs.AllScriptedAnswersUsed());
  }

  template <typename T>
  T* Find(const char* name) {
    return form.findChild<T*>(QString::fromLatin1(name));
  }
  QString Cell(int column, int row) { return grid->item(row, column)->text(); }
  void Click(int column, int row, Qt::MouseButton button = Qt::LeftButton,
             Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    const QPoint at = grid->visualItemRect(grid->item(row, column)).center();
    QTest::mouseClick(grid->viewport(), button, modifiers, at);
  }
  void Select(int left, int top, int right, int bottom) {
    Click(left, top);
    Click(right, bottom, Qt::LeftButton, Qt::ShiftModifier);
  }
  // A right click on the cell, then a click on the menu item.
  void Choose(int column, int row, const char* item) {
    Click(column, row, Qt::RightButton);
    ASSERT_TRUE(menu->isVisible());
    QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(Find<QAction>(item)).center());
    EXPECT_FALSE(menu->isVisible());
  }
  void Type(const QString& keys) { QTest::keyClicks(QApplication::focusWidget(), keys); }
  void Press(Qt::Key key, Qt::KeyboardModifiers mod = {}) {
    QTest::keyClick(QApplication::focusWidget(), key, mod);
  }
  QTableWidgetSelectionRange Selected() { return grid->selectedRanges().value(0); }
  // Every cell's text as a copy of the whole grid would give it.
  std::string Texts() {
    QString all;
    for (int i = 0; i < 64; ++i) all += Cell(i % 8, i / 8) + (i % 8 < 7 ? " " : "\r\n");
    return all.toStdString();
  }
  static std::size_t At(int column, int row) { return row * 25 + column * 3; }
  std::string Clipboard() { return QApplication::clipboard()->text().toStdString(); }

  std::array<std::uint8_t, 64> bytes{};
  testing::ScriptedDialogs dialogs;
  TMapSetEditGridForm form{dialogs};
  QTableWidget* grid = Find<QTableWidget>("SGridMapSetEdit");
  QMenu* menu = Find<QMenu>("PopupMenuGrid");
};

TEST_F(GridDialog, PreparedForANumberWithTheKeyboardOnCellZero) {
  EXPECT_EQ(form.windowTitle(), QStringLiteral("マップセット(番号1B)の編集"));
  EXPECT_EQ(grid->viewport()->size(), QSize(8 * 31, 8 * 31));
  EXPECT_EQ(Cell(7, 7), QStringLiteral("3F"));
  EXPECT_EQ(QApplication::focusWidget(), grid);
  Select(2, 2, 4, 4);
  Type(QStringLiteral("5"));
  form.PrepareGridDialog(0x27, std::array<std::uint8_t, 64>{});
  EXPECT_EQ(form.windowTitle(), QStringLiteral("マップセット(番号27)の編集"));
  EXPECT_EQ(Texts(), QStringLiteral("00 00 00 00 00 00 00 00\r\n").repeated(8).toStdString());
  EXPECT_EQ(Selected().rowCount() * Selected().columnCount(), 1);
  EXPECT_EQ(grid->currentColumn() + grid->currentRow(), 0);
}

TEST_F(GridDialog, DigitsAreTypedTwoAtATimeAndCellsGetTwoDigitsOnArrowsLeavingAndPresses) {
  bytes[0] = 0x3F;
  bytes[1] = 0x1A;  // where the view's own search would move on "1"
  form.PrepareGridDialog(0, bytes);
  Type(QStringLiteral("1"));
  EXPECT_EQ(Cell(0, 0), QStringLiteral("1"));
  Type(QStringLiteral("ag"));
  EXPECT_EQ(Cell(0, 0), QStringLiteral("1A"));
  EXPECT_EQ(grid->currentColumn(), 0);
  Type(QStringLiteral("5"));
  Press(Qt::Key_Right, Qt::ShiftModifier);
  EXPECT_EQ(Cell(0, 0), QStringLiteral("05"));
  EXPECT_EQ(Selected().columnCount(), 2);
  Click(2, 0);
  Type(QStringLiteral("7"));
  Click(3, 3);
  EXPECT_EQ(Cell(2, 0), QStringLiteral("07"));
  Type(QStringLiteral("b"));
  Find<QPushButton>("BtnGridEditOK")->setFocus();
  EXPECT_EQ(Cell(3, 3), QStringLiteral("0B"));
}

TEST_F(GridDialog, ARightClickMovesASingleCellSelectionButKeepsABlockForTheCopy) {
  Choose(6, 1, "N1");
  EXPECT_EQ(Clipboard(), "0E\r\n");
  Select(1, 2, 2, 3);
  Choose(5, 6, "N1");
  EXPECT_EQ(Clipboard(), "11 12\r\n19 1A\r\n");
  Select(0, 0, 7, 7);
  Choose(4, 4, "N1");
  EXPECT_EQ(Clipboard(), Texts());
  EXPECT_EQ(Clipboard().substr(0, 27), "00 01 02 03 04 05 06 07\r\n08");
}

TEST_F(GridDialog, PastesAtTheSelectedCell) {
  struct Case {
    QString text;
    int column, row;
    std::vector<std::pair<std::size_t, std::string>> changed;
  };
  const Case cases[] = {
      {"1A 2B\r\n3C", 6, 7, {{At(6, 7), "1A"}, {At(7, 7), "2B"}}},
      {"1A" + QString(255, u' '), 0, 0, {}},  // 257 characters
      {"1A  2B", 0, 0, {{At(0, 0), "1A"}, {At(2, 0), "2B"}}},
      {"100 ff", 0, 0, {{At(1, 0), "FF"}}},
      {QString(30, u'F') + " 00000000000000000000000001A", 3, 0, {{At(4, 0), "1A"}}},
      {"1A 2B\n3C\n", 2, 2, {{At(2, 2), "1A"}, {At(3, 2), "2B"}, {At(2, 3), "3C"}}},
  };
  for (const Case& c : cases) {
    form.PrepareGridDialog(0x1B, bytes);
    std::string expected = Texts();
    for (const auto& [at, text] : c.changed) expected.replace(at, 2, text);
    QApplication::clipboard()->setText(c.text);
    Click(c.column, c.row);
    Choose(c.column, c.row, "N2");
    EXPECT_EQ(Texts(), expected) << c.text.toStdString();
  }
  for (const QString& empty : {QString(), QStringLiteral("")}) {
    QApplication::clipboard()->setText(empty);
    Click(0, 0, Qt::RightButton);
    EXPECT_FALSE(Find<QAction>("N2")->isEnabled());
  }
}

TEST_F(GridDialog, AFillSetsTheSelectionToAByteTypedInTheInputBox) {
  std::string expected = Texts();
  dialogs.inputs = {"G1", "", std::nullopt, "100", "7"};
  Select(1, 1, 2, 2);
  for (int i = 0; i < 5; ++i) Choose(1, 1, "N3");
  for (std::size_t at : {At(1, 1), At(2, 1), At(1, 2), At(2, 2)}) expected.replace(at, 2, "07");
  EXPECT_EQ(Texts(), expected);
  EXPECT_EQ(dialogs.log[0].title, QStringLiteral("選択範囲の初期化"));
  EXPECT_EQ(dialogs.log[0].text, QStringLiteral("初期化に使用する値を入力して下さい(00～FF)|"));
}

TEST_F(GridDialog, OkGivesBackTheCellsCancelEscapeAndTheFrameReject) {
  Type(QStringLiteral("C"));  // still one digit when OK is pressed
  QTest::mouseClick(Find<QPushButton>("BtnGridEditOK"), Qt::LeftButton);
  EXPECT_EQ(form.result(), QDialog::Accepted);
  std::array<std::uint8_t, 64> expected = bytes;
  expected[0] = 0x0C;
  EXPECT_EQ(form.GridResult(), expected);
  const std::function<void()> closes[] = {
      [this] { QTest::mouseClick(Find<QPushButton>("BtnGridEditCancel"), Qt::LeftButton); },
      [this] { Press(Qt::Key_Escape); }, [this] { form.close(); }};
  for (const auto& close : closes) {
    form.open();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    close();
    EXPECT_EQ(form.result(), QDialog::Rejected);
    EXPECT_FALSE(form.isVisible());
  }
}

TEST_F(GridDialog, CellTextsStandAtTheRightEdgeTwoPixelsDown) {
  const QImage image = grid->viewport()->grab().toImage();
  const QRect cell = grid->visualItemRect(grid->item(3, 2));
  const QRgb paper = image.pixel(cell.left() + 1, cell.bottom() - 1);
  QRect ink;
  for (int y = cell.top(); y <= cell.bottom(); ++y) {
    for (int x = cell.left(); x <= cell.right(); ++x) {
      if (image.pixel(x, y) != paper) ink |= QRect(x, y, 1, 1);
    }
  }
  EXPECT_GT(ink.left(), cell.center().x() - 4);
  EXPECT_GE(ink.right(), cell.right() - 2);
  EXPECT_LE(ink.bottom(), cell.top() + 2 + grid->fontMetrics().height());
}

}  // namespace
}  // namespace zantor
