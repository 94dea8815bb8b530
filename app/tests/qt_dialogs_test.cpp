#include "app/qt_dialogs.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QInputDialog>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include "app/tests/temp_folder.h"

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

// "title|folder|selected files|filter" of the file dialog an ask shows; then cancelled.
template <typename Ask>
QString FileDialogOf(Ask ask) {
  QString shown;
  QTimer::singleShot(0, [&shown] {
    for (QWidget* window : QApplication::topLevelWidgets()) {
      auto* dialog = qobject_cast<QFileDialog*>(window);
      if (dialog == nullptr || !dialog->isVisible()) continue;
      shown = QStringList{dialog->windowTitle(), dialog->directory().absolutePath(),
                          dialog->selectedFiles().join(u','), dialog->selectedNameFilter()}
                  .join(u'|');
      dialog->reject();
    }
  });
  EXPECT_EQ(ask(), std::nullopt);
  return shown;
}

TEST(QtFileDialogs, StartInTheAskedFolderWithTheProposedNameAndItsFilter) {
  const testing::TempFolder folder;
  const QString there = QString::fromStdString(folder.Path().string());
  QWidget mainWindow;
  QtDialogs dialogs(&mainWindow);
  EXPECT_EQ(FileDialogOf([&] {
              return dialogs.AskSaveFileName({.filter = "IPS (*.ips)|*.ips|BPS (*.bps)|*.bps",
                                              .title = "パッチの保存",
                                              .folder = there,
                                              .fileName = "level.bps"});
            }),
            "パッチの保存|" + there + u'|' + there + "/level.bps|BPS (*.bps)");
  EXPECT_TRUE(FileDialogOf([&] {
                return dialogs.AskOpenFileName(
                    {.filter = "ROM (*.nes)|*.nes", .title = "元の", .folder = there});
              }).startsWith("元の|" + there + u'|'));
}

}  // namespace
}  // namespace zantor
