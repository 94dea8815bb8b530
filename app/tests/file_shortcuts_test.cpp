#include <QDialog>
#include <QSignalSpy>
#include <QTest>

#include "app/tests/main_form_fixture.h"
#include "core/edit_flag_management.h"
#include "core/rom_image_data.h"

namespace zantor {
namespace {

using Kind = testing::ScriptedDialogs::Kind;
using Keys = std::vector<std::pair<const char*, QKeySequence>>;

const Keys kFileKeys{{"Open1", QKeySequence(Qt::CTRL | Qt::Key_O)},
                     {"SaveAs1", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S)},
                     {"Close1", QKeySequence(Qt::CTRL | Qt::Key_W)},
                     {"Exit1", QKeySequence(Qt::CTRL | Qt::Key_Q)},
                     {"Save1", QKeySequence(Qt::CTRL | Qt::Key_S)}};

class FileShortcuts : public testing::MainFormTest {
 protected:
  void SetUp() override {
    MainFormTest::SetUp();
    StartWithDemo();
    ActivateWindow();
    form->ShowTab(EditTab::Palette);
    edit = Find<QLineEdit>("EditPal0");
    edit->setFocus();
    form->Flags().SetMapModified(0, true);
  }
  // Presses the keys on a widget; how many times their items ran.
  int ItemsRun(QWidget* target, const Keys& keys) {
    int runs = 0;
    for (const auto& [item, key] : keys) {
      QSignalSpy spy(Find<QAction>(item), &QAction::triggered);
      QTest::keySequence(target, key);
      runs += static_cast<int>(spy.count());
    }
    return runs;
  }
  QLineEdit* edit = nullptr;
};

// Close and Exit ask the save question as their items do; no key reaches the edit box.
TEST_F(FileShortcuts, EachKeyRunsItsItemWhileAHexEditHasTheFocus) {
  const QString stored = edit->text();
  dialogs.openFiles = {std::nullopt};
  dialogs.saveFiles = {std::nullopt};
  dialogs.answers = {Answer::Cancel, Answer::Cancel};
  EXPECT_EQ(ItemsRun(edit, kFileKeys), 5);
  EXPECT_EQ(dialogs.Texts(Kind::YesNoCancel).size(), 2u);
  EXPECT_TRUE(form->isVisible());
  EXPECT_FALSE(form->Flags().IsModified());  // saved by the last key
  EXPECT_EQ(edit->text(), stored);
}

TEST_F(FileShortcuts, DoNothingWhileAModalDialogIsOpenOrTheirItemIsDisabled) {
  QDialog modal(form.get());
  modal.setModal(true);
  modal.show();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&modal));
  EXPECT_EQ(ItemsRun(&modal, kFileKeys), 0);
  EXPECT_TRUE(form->Flags().IsModified());
  modal.hide();

  dialogs.answers = {Answer::No};
  form->Close1Click();
  ActivateWindow();
  EXPECT_EQ(ItemsRun(form.get(), {kFileKeys[1], kFileKeys[2], kFileKeys[4]}), 0);
  EXPECT_EQ(dialogs.log.size(), 1u);  // the close's question alone
}

}  // namespace
}  // namespace zantor
