#include "editors/map_set_edit_grid_form.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QGuiApplication>
#include <QHeaderView>
#include <QImage>
#include <QMenu>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "editors/testing/scripted_dialogs.h"

namespace zantor {
namespace {

using testing::ScriptedDialogs;

// The dialog as the map set editor shows it, prepared for map set 1B whose cell (c, r)
// holds r * 8 + c, and driven through its grid, menu and buttons.
class GridDialog : public ::testing::Test {
 protected:
  void SetUp() override {
    for (int i = 0; i < 64; ++i) bytes[i] = static_cast<std::uint8_t>(i);
    form.PrepareGridDialog(0x1B, bytes);
    form.open();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
  }
  void TearDown() override {
    Menu()->hide();
    form.hide();
    EXPECT_TRUE(dialogs.AllScriptedAnswersUsed()) << "a scripted answer was not asked for";
  }

  template <typename T>
  T* Find(const char* name) {
    T* found = form.findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(found, nullptr) << name;
    return found;
  }
  QTableWidget* Grid() { return Find<QTableWidget>("SGridMapSetEdit"); }
  QMenu* Menu() { return Find<QMenu>("PopupMenuGrid"); }
  QAction* Item(const char* name) { return Find<QAction>(name); }

  QString Cell(int column, int row) { return Grid()->item(row, column)->text(); }
  QPoint At(int column, int row) {
    return Grid()->visualItemRect(Grid()->item(row, column)).center();
  }
  void Click(int column, int row, Qt::MouseButton button = Qt::LeftButton,
             Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::mouseClick(Grid()->viewport(), button, modifiers, At(column, row));
  }
  // The grid's own selection: a click, then a Shift click on the opposite corner.
  void Select(int left, int top, int right, int bottom) {
    Click(left, top);
    Click(right, bottom, Qt::LeftButton, Qt::ShiftModifier);
  }
  // A right click on the cell, then a click on the menu item.
  void Choose(int column, int row, const char* item) {
    Click(column, row, Qt::RightButton);
    ASSERT_TRUE(Menu()->isVisible());
    ASSERT_TRUE(Item(item)->isEnabled()) << item;
    QTest::mouseClick(Menu(), Qt::LeftButton, Qt::NoModifier,
                      Menu()->actionGeometry(Item(item)).center());
    EXPECT_FALSE(Menu()->isVisible());
  }
  // Keys as the user types them: to whatever has the keyboard.
  void Type(const QString& keys) { QTest::keyClicks(QApplication::focusWidget(), keys); }
  void Press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(QApplication::focusWidget(), key, modifiers);
  }
  GridSelection Selected() {
    const auto ranges = Grid()->selectedRanges();
    EXPECT_EQ(ranges.size(), 1);
    if (ranges.isEmpty()) return {-1, -1, -1, -1};
    return {ranges[0].leftColumn(), ranges[0].topRow(), ranges[0].rightColumn(),
            ranges[0].bottomRow()};
  }
  // Every cell's text, row by row, blanks between cells and CR LF after each row.
  std::string Texts() {
    QString all;
    for (int row = 0; row < 8; ++row) {
      for (int column = 0; column < 8; ++column) {
        all += Cell(column, row) + (column < 7 ? QStringLiteral(" ") : QStringLiteral("\r\n"));
      }
    }
    return all.toStdString();
  }
  // Where a two-digit cell stands in Texts().
  static std::size_t Offset(int column, int row) { return row * 25 + column * 3; }
  std::string ClipboardText() { return Clipboard().text().toStdString(); }
  QClipboard& Clipboard() { return *QGuiApplication::clipboard(); }

  std::array<std::uint8_t, 64> bytes{};
  ScriptedDialogs dialogs;
  TMapSetEditGridForm form{dialogs};
};

TEST_F(GridDialog, ControlsCaptionsAndThePreparedState) {
  EXPECT_EQ(form.objectName(), QStringLiteral("MapSetEditGridForm"));
  EXPECT_EQ(form.windowTitle(), QStringLiteral("マップセット(番号1B)の編集"));
  EXPECT_EQ(form.size(), QSize(293, 339));
  EXPECT_EQ(form.minimumSize(), form.maximumSize());
  EXPECT_EQ(Find<QPushButton>("BtnGridEditOK")->text(), QStringLiteral("OK"));
  EXPECT_EQ(Find<QPushButton>("BtnGridEditCancel")->text(), QStringLiteral("キャンセル"));
  EXPECT_EQ(Item("N1")->text(), QStringLiteral("クリップボードにコピー"));
  EXPECT_EQ(Item("N2")->text(), QStringLiteral("クリップボードから貼り付け"));
  EXPECT_EQ(Item("N3")->text(), QStringLiteral("選択範囲を初期化"));
  QTableWidget* grid = Grid();
  EXPECT_EQ(grid->rowCount(), 8);
  EXPECT_EQ(grid->columnCount(), 8);
  EXPECT_FALSE(grid->horizontalHeader()->isVisible());
  EXPECT_FALSE(grid->verticalHeader()->isVisible());
  EXPECT_EQ(grid->columnWidth(3), 31);
  EXPECT_EQ(grid->rowHeight(5), 31);
  EXPECT_EQ(grid->viewport()->size(), QSize(8 * 31, 8 * 31));
  EXPECT_EQ(grid->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
  EXPECT_EQ(grid->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
  EXPECT_EQ(grid->font().pixelSize(), 15);
  EXPECT_EQ(grid->editTriggers(), QAbstractItemView::NoEditTriggers);
  EXPECT_EQ(grid->selectionMode(), QAbstractItemView::ContiguousSelection);
  EXPECT_EQ(Cell(0, 0), QStringLiteral("00"));
  EXPECT_EQ(Cell(7, 6), QStringLiteral("37"));
  EXPECT_EQ(Cell(7, 7), QStringLiteral("3F"));
  EXPECT_EQ(Selected(), (GridSelection{0, 0, 0, 0}));
  EXPECT_EQ(QApplication::focusWidget(), grid) << "typing needs no click";

  // Prepared again, nothing of the last use is left.
  Select(2, 2, 4, 4);
  Type(QStringLiteral("5"));
  bytes.fill(0xA0);
  form.PrepareGridDialog(0x27, bytes);
  EXPECT_EQ(form.windowTitle(), QStringLiteral("マップセット(番号27)の編集"));
  EXPECT_EQ(QString::fromStdString(Texts()),
            QStringLiteral("A0 A0 A0 A0 A0 A0 A0 A0\r\n").repeated(8));
  EXPECT_EQ(Selected(), (GridSelection{0, 0, 0, 0}));
}

TEST_F(GridDialog, TypedDigitsFillTheCurrentCellTwoAtATimeAndLeaveItWhereItIs) {
  bytes[0] = 0x3F;
  bytes[1] = 0x1A;  // the view's own type-ahead search would move here on "1"
  form.PrepareGridDialog(0, bytes);
  Type(QStringLiteral("1"));
  EXPECT_EQ(Cell(0, 0), QStringLiteral("1"));
  Type(QStringLiteral("a"));
  EXPECT_EQ(Cell(0, 0), QStringLiteral("1A"));
  Type(QStringLiteral("cg"));  // g is no digit
  EXPECT_EQ(Cell(0, 0), QStringLiteral("C"));
  EXPECT_EQ(Grid()->currentColumn(), 0);
  EXPECT_EQ(Grid()->currentRow(), 0);
}

TEST_F(GridDialog, ArrowKeysLeavingTheGridAndMousePressesWriteEveryCellWithTwoDigits) {
  Type(QStringLiteral("5"));
  Press(Qt::Key_Right);
  EXPECT_EQ(Cell(0, 0), QStringLiteral("05"));
  EXPECT_EQ(Grid()->currentColumn(), 1);
  Type(QStringLiteral("e"));
  Press(Qt::Key_Down, Qt::ShiftModifier);
  EXPECT_EQ(Cell(1, 0), QStringLiteral("0E"));
  EXPECT_EQ(Selected(), (GridSelection{1, 0, 1, 1}));

  Click(2, 0);
  Type(QStringLiteral("7"));
  Click(3, 3);
  EXPECT_EQ(Cell(2, 0), QStringLiteral("07"));

  Type(QStringLiteral("b"));
  Find<QPushButton>("BtnGridEditCancel")->setFocus();
  EXPECT_EQ(Cell(3, 3), QStringLiteral("0B"));
}

TEST_F(GridDialog, ARightClickMovesASingleCellSelectionAndKeepsABlock) {
  Click(6, 1, Qt::RightButton);
  EXPECT_TRUE(Menu()->isVisible());
  Menu()->hide();
  EXPECT_EQ(Selected(), (GridSelection{6, 1, 6, 1}));
  EXPECT_EQ(Grid()->currentColumn(), 6);

  Select(1, 2, 2, 3);
  Choose(5, 6, "N1");
  EXPECT_EQ(Selected(), (GridSelection{1, 2, 2, 3}));
  EXPECT_EQ(ClipboardText(), "11 12\r\n19 1A\r\n");
}

TEST_F(GridDialog, AFullCopyIsEightLinesOfEightNumbers) {
  Select(0, 0, 7, 7);
  Choose(4, 4, "N1");
  const std::string copied = ClipboardText();
  EXPECT_EQ(copied, Texts());
  EXPECT_EQ(copied.substr(0, 27), "00 01 02 03 04 05 06 07\r\n08");
  EXPECT_EQ(copied.substr(copied.size() - 25), "38 39 3A 3B 3C 3D 3E 3F\r\n");
}

TEST_F(GridDialog, PastesFromTheClipboardAtTheSelectedCell) {
  struct Case {
    QString text;
    int column, row;
    std::vector<std::pair<QPoint, std::string>> changed;  // (column, row) and the new text
  };
  const QString thirtyDigits = QString(30, u'F');
  const Case cases[] = {
      {QStringLiteral("1A 2B\r\n3C"), 6, 7, {{{6, 7}, "1A"}, {{7, 7}, "2B"}}},
      {QStringLiteral("1A") + QString(255, u' '), 0, 0, {}},  // 257 characters
      {QStringLiteral("1A  2B"), 0, 0, {{{0, 0}, "1A"}, {{2, 0}, "2B"}}},
      {QStringLiteral("100 ff"), 0, 0, {{{1, 0}, "FF"}}},
      {thirtyDigits + QStringLiteral(" 00000000000000000000000001A"), 3, 0, {{{4, 0}, "1A"}}},
      {QStringLiteral("1A 2B\n3C 4D\n"),
       2,
       2,
       {{{2, 2}, "1A"}, {{3, 2}, "2B"}, {{2, 3}, "3C"}, {{3, 3}, "4D"}}},
      {QStringLiteral("1A\r\n\r\n2B"), 0, 0, {{{0, 0}, "1A"}, {{0, 2}, "2B"}}},
  };
  for (const Case& c : cases) {
    form.PrepareGridDialog(0x1B, bytes);
    std::string expected = Texts();
    Clipboard().setText(c.text);
    Click(c.column, c.row);
    Choose(c.column, c.row, "N2");
    for (const auto& [cell, text] : c.changed) {
      expected.replace(Offset(cell.x(), cell.y()), 2, text);
    }
    EXPECT_EQ(Texts(), expected) << c.text.toStdString();
  }
}

TEST_F(GridDialog, ThePasteItemNeedsTextOnTheClipboard) {
  Clipboard().clear();
  Click(0, 0, Qt::RightButton);
  EXPECT_FALSE(Item("N2")->isEnabled());
  Menu()->hide();
  Clipboard().setText(QString());
  Click(0, 0, Qt::RightButton);
  EXPECT_FALSE(Item("N2")->isEnabled());
  Menu()->hide();
  Clipboard().setText(QStringLiteral(" "));
  Click(0, 0, Qt::RightButton);
  EXPECT_TRUE(Item("N2")->isEnabled());
}

TEST_F(GridDialog, AFillAsksForOneValueAndSetsTheSelectionWhenItIsAByte) {
  const std::string before = Texts();
  dialogs.inputs = {QStringLiteral("G1"), QString(), std::nullopt, QStringLiteral("100")};
  Select(1, 1, 2, 2);
  for (int i = 0; i < 4; ++i) Choose(1, 1, "N3");
  EXPECT_EQ(Texts(), before);
  ASSERT_EQ(dialogs.log.size(), 4u);
  EXPECT_EQ(dialogs.log[0].title, QStringLiteral("選択範囲の初期化"));
  EXPECT_EQ(dialogs.log[0].text, QStringLiteral("初期化に使用する値を入力して下さい(00～FF)|"));

  dialogs.inputs = {QStringLiteral("7")};
  Choose(1, 1, "N3");
  std::string expected = before;
  for (const QPoint cell : {QPoint(1, 1), QPoint(2, 1), QPoint(1, 2), QPoint(2, 2)}) {
    expected.replace(Offset(cell.x(), cell.y()), 2, "07");
  }
  EXPECT_EQ(Texts(), expected);
}

TEST_F(GridDialog, OkGivesBackTheCellsAndAcceptsTheRestRejects) {
  Type(QStringLiteral("C"));  // still one digit when OK is pressed
  Click(7, 7);
  Type(QStringLiteral("8"));
  QTest::mouseClick(Find<QPushButton>("BtnGridEditOK"), Qt::LeftButton);
  EXPECT_EQ(form.result(), QDialog::Accepted);
  EXPECT_FALSE(form.isVisible());
  std::array<std::uint8_t, 64> expected = bytes;
  expected[0] = 0x0C;
  expected[63] = 0x08;
  EXPECT_EQ(form.GridResult(), expected);

  const auto rejects = [this](const std::function<void()>& close) {
    form.PrepareGridDialog(0, bytes);
    form.open();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    close();
    EXPECT_EQ(form.result(), QDialog::Rejected);
    EXPECT_FALSE(form.isVisible());
  };
  rejects([this] { QTest::mouseClick(Find<QPushButton>("BtnGridEditCancel"), Qt::LeftButton); });
  rejects([this] { Press(Qt::Key_Escape); });
  rejects([this] { form.close(); });
}

TEST_F(GridDialog, CellTextsStandAtTheRightEdgeTwoPixelsDown) {
  const QImage image = Grid()->viewport()->grab().toImage();
  const QRect cell = Grid()->visualItemRect(Grid()->item(3, 2));
  const QRgb paper = image.pixel(cell.left() + 1, cell.bottom() - 1);
  QRect ink;
  for (int y = cell.top(); y <= cell.bottom(); ++y) {
    for (int x = cell.left(); x <= cell.right(); ++x) {
      if (image.pixel(x, y) != paper) ink |= QRect(x, y, 1, 1);
    }
  }
  ASSERT_FALSE(ink.isEmpty());
  EXPECT_GT(ink.left(), cell.center().x() - 4) << "right-aligned";
  EXPECT_GE(ink.right(), cell.right() - 2);
  EXPECT_GE(ink.top(), cell.top() + 2);
  EXPECT_LE(ink.bottom(), cell.top() + 2 + Grid()->fontMetrics().height());
}

}  // namespace
}  // namespace zantor
