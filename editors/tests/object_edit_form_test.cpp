#include "editors/object_edit_form.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <functional>
#include <string>
#include <vector>

#include "core/testing/stage_fixture.h"
#include "editors/room_text.h"

namespace zantor {
namespace {

class ObjectListDialog : public ::testing::Test {
 protected:
  void TearDown() override { form.hide(); }

  template <typename T>
  T* Find(const char* name) {
    T* found = form.findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(found, nullptr) << name;
    return found;
  }
  QPlainTextEdit* Memo() { return Find<QPlainTextEdit>("MemoObjectEdit"); }
  void Show() {
    form.open();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
  }

  TObjectEditForm form;
};

TEST_F(ObjectListDialog, LayoutAndTextsBeforeAndAfterPreparing) {
  EXPECT_EQ(form.objectName(), QStringLiteral("ObjectEditForm"));
  EXPECT_EQ(form.windowTitle(), QStringLiteral("部屋番号XXのオブジェクトの編集"));
  EXPECT_EQ(form.size(), QSize(268, 301));
  EXPECT_EQ(form.minimumSize(), form.maximumSize());
  EXPECT_EQ(Find<QLabel>("Label1")->text(),
            QStringLiteral("\"X座標 Y座標 種類\"を1列に記述して下さい"));
  EXPECT_EQ(Find<QLabel>("Label1")->pos(), QPoint(16, 8));
  EXPECT_EQ(Memo()->geometry(), QRect(16, 32, 241, 201));
  EXPECT_EQ(Memo()->toPlainText(), QStringLiteral("00 00 00"));
  EXPECT_EQ(Memo()->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
  EXPECT_EQ(Memo()->font().pixelSize(), 15);
  EXPECT_EQ(Memo()->font().families().value(0), QStringLiteral("ＭＳ ゴシック"));
  const QString shown = QFontInfo(Memo()->font()).family();
  EXPECT_TRUE(shown == QStringLiteral("ＭＳ ゴシック") || shown == QStringLiteral("IPAGothic"))
      << shown.toStdString();
  EXPECT_EQ(Find<QPushButton>("BtnOK")->text(), QStringLiteral("OK"));
  EXPECT_EQ(Find<QPushButton>("BtnOK")->geometry(), QRect(96, 256, 75, 25));
  EXPECT_EQ(Find<QPushButton>("BtnCancel")->text(), QStringLiteral("キャンセル"));
  EXPECT_EQ(Find<QPushButton>("BtnCancel")->geometry(), QRect(184, 256, 75, 25));

  form.PrepareObjectDialog(0x4F, u"0A 14 05\r\n50 50 1A\r\n");
  EXPECT_EQ(form.windowTitle(), QStringLiteral("部屋番号4Fのオブジェクトの編集"));
  EXPECT_EQ(Memo()->toPlainText(), QStringLiteral("0A 14 05\n50 50 1A\n"));
  form.PrepareObjectDialog(0, u"");
  EXPECT_EQ(form.windowTitle(), QStringLiteral("部屋番号00のオブジェクトの編集"));
  EXPECT_EQ(Memo()->toPlainText(), QString());
}

TEST_F(ObjectListDialog, TheMemoGivesBackTheLinesTheUserLeft) {
  testing::StageFixture f;
  f.stage.AddObject(7, 10, 20, 0x05);
  f.stage.AddObject(7, 80, 80, 0x1A);
  form.PrepareObjectDialog(7, RoomText(f.stage.Room(7)));
  EXPECT_EQ(form.MemoLines(), (std::vector<std::u16string>{u"0A 14 05", u"50 50 1A"}));

  Show();
  EXPECT_EQ(QApplication::focusWidget(), Memo());
  Memo()->moveCursor(QTextCursor::End);
  // Keys as the user types them: to whatever has the keyboard. A tab moves on to the buttons.
  for (const QChar key : QStringLiteral("1 2 3\r4\t5")) {
    QTest::keyClick(QApplication::focusWidget(), key.toLatin1());
  }
  EXPECT_NE(QApplication::focusWidget(), Memo());
  EXPECT_EQ(form.MemoLines(),
            (std::vector<std::u16string>{u"0A 14 05", u"50 50 1A", u"1 2 3", u"4"}));
}

TEST_F(ObjectListDialog, OkAcceptsAndEveryOtherCloseRejects) {
  const auto closes = [this](const std::function<void()>& close, int result) {
    form.PrepareObjectDialog(1, u"");
    Show();
    close();
    EXPECT_EQ(form.result(), result);
    EXPECT_FALSE(form.isVisible());
  };
  closes([this] { QTest::mouseClick(Find<QPushButton>("BtnOK"), Qt::LeftButton); },
         QDialog::Accepted);
  closes([this] { QTest::mouseClick(Find<QPushButton>("BtnCancel"), Qt::LeftButton); },
         QDialog::Rejected);
  closes([this] { QTest::keyClick(Memo(), Qt::Key_Escape); }, QDialog::Rejected);
  closes([this] { form.close(); }, QDialog::Rejected);
}

}  // namespace
}  // namespace zantor
