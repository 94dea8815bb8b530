#include "app/qt_dialogs.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QInputDialog>
#include <QTest>
#include <QTimer>
#include <QWidget>

namespace zantor {
namespace {

// The window a box of QtDialogs belongs to, read while it is open; the box is then cancelled.
QWidget* ParentOfTheBox(QtDialogs& dialogs) {
  QWidget* parent = nullptr;
  QTimer::singleShot(0, [&parent] {
    for (QWidget* window : QApplication::topLevelWidgets()) {
      auto* box = qobject_cast<QInputDialog*>(window);
      if (box == nullptr || !box->isVisible()) continue;
      parent = box->parentWidget();
      box->reject();
    }
  });
  dialogs.InputBox(QStringLiteral("選択範囲の初期化"), QStringLiteral("?"), QString());
  return parent;
}

TEST(QtDialogBoxes, OpenOverTheModalDialogShownElseOverTheMainWindow) {
  QWidget mainWindow;
  QtDialogs dialogs(&mainWindow);
  EXPECT_EQ(ParentOfTheBox(dialogs), &mainWindow);

  QDialog modal(&mainWindow);
  modal.setModal(true);
  modal.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&modal));
  EXPECT_EQ(ParentOfTheBox(dialogs), &modal);
  modal.hide();
  EXPECT_EQ(ParentOfTheBox(dialogs), &mainWindow);
}

}  // namespace
}  // namespace zantor
