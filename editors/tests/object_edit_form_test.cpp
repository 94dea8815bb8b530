#include "editors/object_edit_form.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <functional>

namespace zantor {
namespace {

TEST(ObjectListDialog, ShowsARoomsTextAndGivesBackItsLinesAfterOk) {
  TObjectEditForm form;
  auto* memo = form.findChild<QPlainTextEdit*>(QStringLiteral("MemoObjectEdit"));
  auto* ok = form.findChild<QPushButton*>(QStringLiteral("BtnOK"));
  EXPECT_EQ(form.windowTitle(), QStringLiteral("部屋番号XXのオブジェクトの編集"));
  EXPECT_EQ(form.findChild<QLabel*>(QStringLiteral("Label1"))->text(),
            QStringLiteral("\"X座標 Y座標 種類\"を1列に記述して下さい"));
  EXPECT_EQ(memo->toPlainText(), QStringLiteral("00 00 00"));
  EXPECT_EQ(memo->geometry(), QRect(16, 32, 241, 201));
  const QString font = QFontInfo(memo->font()).family();
  EXPECT_TRUE(font == QStringLiteral("ＭＳ ゴシック") || font == QStringLiteral("IPAGothic"));
  EXPECT_EQ(ok->text(), QStringLiteral("OK"));

  form.PrepareObjectDialog(0x4F, u"0A 14 05\r\n50 50 1A\r\n");
  EXPECT_EQ(form.windowTitle(), QStringLiteral("部屋番号4Fのオブジェクトの編集"));
  form.open();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
  memo->moveCursor(QTextCursor::End);
  // Typed to whatever has the keyboard: the memo first, the buttons after a tab.
  for (const char key : std::string("1 2 3\r4\t5")) {
    QTest::keyClick(QApplication::focusWidget(), key);
  }
  QTest::mouseClick(ok, Qt::LeftButton);
  EXPECT_EQ(form.result(), QDialog::Accepted);
  EXPECT_EQ(form.MemoLines(),
            (std::vector<std::u16string>{u"0A 14 05", u"50 50 1A", u"1 2 3", u"4"}));
}

TEST(ObjectListDialog, CancelEscapeAndTheFrameReject) {
  TObjectEditForm form;
  const std::function<void()> closes[] = {
      [&form] {
        QTest::mouseClick(form.findChild<QPushButton*>(QStringLiteral("BtnCancel")),
                          Qt::LeftButton);
      },
      [] { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape); },
      [&form] { form.close(); }};
  for (const auto& close : closes) {
    form.PrepareObjectDialog(1, u"");
    form.open();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    close();
    EXPECT_EQ(form.result(), QDialog::Rejected);
    EXPECT_FALSE(form.isVisible());
  }
}

}  // namespace
}  // namespace zantor
