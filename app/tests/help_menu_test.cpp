// The Help menu: the operation guide of the shown tab and the version box.
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QTimer>
#include <set>

#include "app/help_texts.h"
#include "app/tests/main_form_fixture.h"
#include "graphics/image_ex.h"

namespace zantor {
namespace {

using testing::MainFormTest;

class HelpMenuTest : public MainFormTest {
 protected:
  struct Shown {
    QString title;
    QString text;
    bool readOnly = false;
  };
  // Runs `choose` and reads the text dialog it shows.
  Shown Read(const std::function<void()>& choose) {
    Shown shown;
    dialogs.modals.push_back([&](QDialog& dialog) {
      const auto* memo = dialog.findChild<QPlainTextEdit*>();
      shown = {dialog.windowTitle(), memo->toPlainText(), memo->isReadOnly()};
      return static_cast<int>(QDialog::Rejected);
    });
    choose();
    return shown;
  }
};

bool IsJapanese(const QString& text) {
  return text.contains(
      QRegularExpression(QStringLiteral("[\\x{3040}-\\x{30FF}\\x{4E00}-\\x{9FFF}]")));
}

TEST_F(HelpMenuTest, ComesAfterTheEditMenuAndIsShownWithoutAnImage) {
  Start();
  const QList<QAction*> menus = form->menuBar()->actions();
  const auto help = std::find_if(menus.begin(), menus.end(), [](const QAction* a) {
    return a->text() == QStringLiteral("ヘルプ(&H)");
  });
  ASSERT_NE(help, menus.end());
  ASSERT_GE(help - menus.begin(), 2);
  // The View menu stands between, shown only with an image.
  EXPECT_EQ((*(help - 1))->text(), QStringLiteral("表示(&V)"));
  EXPECT_EQ((*(help - 2))->text(), QStringLiteral("編集(&E)"));
  EXPECT_TRUE((*help)->isVisible());
  EXPECT_EQ(Find<QAction>("OperationGuide1")->text(), QStringLiteral("操作方法(&M)..."));
  EXPECT_EQ(Find<QAction>("About1")->text(), QStringLiteral("バージョン情報(&A)..."));
}

// F1 shows the guide of the shown tab, which describes every picture on it by what it does
// and names no control that is not there.
TEST_F(HelpMenuTest, TheGuideOfEachTabDescribesEveryPictureOfTheTab) {
  StartWithDemo();
  Find<QTimer>("FrameTimer")->stop();
  ActivateWindow();
  auto* tabs = Find<QTabWidget>("EditPageControl");
  for (int tab = 0; tab < kEditTabCount; ++tab) {
    SCOPED_TRACE(tabs->tabText(tab).toStdString());
    form->ShowTab(static_cast<EditTab>(tab));
    const Shown shown = Read([&] { QTest::keyClick(form.get(), Qt::Key_F1); });
    EXPECT_EQ(shown.title, QStringLiteral("操作方法"));
    EXPECT_TRUE(shown.readOnly);
    EXPECT_TRUE(shown.text.startsWith("「" + tabs->tabText(tab) + "」タブの操作"));
    std::set<QString> described;
    for (const HelpTopic& topic : OperationTopics(static_cast<EditTab>(tab))) {
      EXPECT_TRUE(IsJapanese(topic.title)) << topic.title.toStdString();
      EXPECT_TRUE(shown.text.contains(topic.title)) << topic.title.toStdString();
      EXPECT_FALSE(topic.lines.isEmpty()) << topic.title.toStdString();
      for (const QString& line : topic.lines) {
        EXPECT_TRUE(IsJapanese(line) && shown.text.contains(line)) << line.toStdString();
      }
      for (const QString& control : topic.controls) {
        EXPECT_NE(tabs->widget(tab)->findChild<QWidget*>(control), nullptr)
            << control.toStdString();
        described.insert(control);
      }
    }
    for (const TImageEx* picture : tabs->widget(tab)->findChildren<TImageEx*>()) {
      EXPECT_TRUE(described.count(picture->objectName()))
          << picture->objectName().toStdString() << " is not described";
    }
    // The menu shortcuts, as the menus give them.
    EXPECT_TRUE(shown.text.contains(QStringLiteral("Ctrl+Z: 元に戻す")));
    EXPECT_TRUE(shown.text.contains(QStringLiteral("Ctrl+Y: やり直し")));
    EXPECT_TRUE(shown.text.contains(QStringLiteral("F1: 操作方法")));
  }
}

TEST_F(HelpMenuTest, TheVersionBoxNamesTheProgramItsVersionAndTheToolkit) {
  Start();
  const Shown shown = Read([&] { Find<QAction>("About1")->trigger(); });
  EXPECT_EQ(shown.title, QStringLiteral("バージョン情報"));
  EXPECT_TRUE(shown.readOnly);
  const QStringList lines = shown.text.split(u'\n');
  ASSERT_GE(lines.size(), 4);
  EXPECT_EQ(lines[0], QStringLiteral("ZANTOR 5 EDITOR"));
  EXPECT_EQ(lines[1], QStringLiteral("バージョン " ZANTOR_PROJECT_VERSION));
  EXPECT_EQ(lines[2], QStringLiteral("Qt ") + QString::fromLatin1(qVersion()));
  EXPECT_TRUE(IsJapanese(lines.last()));
}

}  // namespace
}  // namespace zantor
