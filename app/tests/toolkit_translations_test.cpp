#include "app/toolkit_translations.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>

#include "app/qt_dialogs.h"
#include "app/tests/main_form_fixture.h"

namespace zantor {
namespace {

using testing::MainFormTest;

const QStringList kEnglish{"&Yes", "&No", "Cancel"};

// The buttons of the save question as the real dialogs show it, read while it is open;
// the box is then cancelled.
QStringList SaveQuestionButtons(QWidget* window) {
  QStringList texts;
  QTimer::singleShot(0, [&texts] {
    for (QWidget* shown : QApplication::topLevelWidgets()) {
      auto* box = qobject_cast<QMessageBox*>(shown);
      if (box == nullptr || !box->isVisible()) continue;
      for (QMessageBox::StandardButton button :
           {QMessageBox::Yes, QMessageBox::No, QMessageBox::Cancel}) {
        texts.append(box->button(button)->text());
      }
      box->reject();
    }
  });
  QtDialogs dialogs(window);
  EXPECT_EQ(dialogs.AskYesNoCancel(QStringLiteral("ZANTOR 5 EDITOR"), QStringLiteral("?")),
            Answer::Cancel);
  return texts;
}

TEST(ToolkitTranslations, TurnTheStandardButtonsJapaneseWhileInstalled) {
  const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
  QTranslator file;
  ASSERT_TRUE(file.load(QStringLiteral("qtbase_ja"), folder)) << "qt6-translations-l10n missing";
  QStringList japanese;
  for (const QString& english : kEnglish) {
    japanese.append(file.translate("QPlatformTheme", english.toUtf8().constData()));
  }
  ASSERT_FALSE(japanese.contains(QString())) << japanese.join(u',').toStdString();

  QWidget window;
  {
    const auto installed = InstallToolkitTranslations();
    ASSERT_NE(installed, nullptr);
    EXPECT_EQ(SaveQuestionButtons(&window), japanese);
  }
  EXPECT_EQ(SaveQuestionButtons(&window), kEnglish);
}

TEST_F(MainFormTest, WithoutTheTranslationFileTheProgramStartsInEnglishSilently) {
  const testing::TempFolder empty;
  EXPECT_EQ(InstallToolkitTranslations(QString::fromStdString(empty.Path().string())), nullptr);
  Start();
  EXPECT_FALSE(form->StartupFailed());
  EXPECT_TRUE(dialogs.log.empty());
  EXPECT_EQ(SaveQuestionButtons(form.get()), kEnglish);
}

}  // namespace
}  // namespace zantor
