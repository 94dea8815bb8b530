#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QHelpEvent>
#include <QMenu>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <QToolTip>

#include "app/tests/main_form_fixture.h"
#include "core/edit_flag_management.h"
#include "core/my_mem_ini_file.h"
#include "core/rom_image_data.h"
#include "core/testing/pipe_watchdog.h"
#include "editors/pointer_status.h"
#include "editors/radio_group.h"
#include "graphics/image_ex.h"

namespace zantor {
namespace {

using testing::MainFormTest;
using testing::ReadFile;
using Kind = testing::ScriptedDialogs::Kind;

const QString kTitle = QStringLiteral("ZANTOR 5 EDITOR");

// An edit as an editor makes it: recorded, then its group flagged.
void EditMapRoom(TMainForm& form, int room, int mapSet) {
  RomImageData& rom = form.Rom();
  ASSERT_TRUE(rom.CurrentStageData().SetMapRoom(room, static_cast<std::uint8_t>(mapSet)));
  form.Flags().SetMapModified(rom.CurrentStage(), true);
}

TEST_F(MainFormTest, StartsWithoutSettingsOnDefaultsAndWritesEveryKeyAtExit) {
  Start();
  ASSERT_FALSE(form->StartupFailed());
  EXPECT_EQ(form->windowTitle(), kTitle);
  EXPECT_FALSE(Find<QCheckBox>("Chk32x32ChipEditDrawGrid")->isChecked());
  EXPECT_FALSE(Find<QCheckBox>("ChkMapSetEditDrawGrid")->isChecked());
  EXPECT_TRUE(Find<QCheckBox>("ChkSortObjectList")->isChecked());
  EXPECT_TRUE(Find<QCheckBox>("ChkPopupHint")->isChecked());
  EXPECT_EQ(Find<QTimer>("FrameTimer")->interval(), 16);
  EXPECT_FALSE(Find<QTimer>("FrameTimer")->isActive());
  EXPECT_TRUE(form->Rom().UndoEnabled());
  EXPECT_FALSE(Find<QComboBox>("CBStage")->isVisibleTo(form.get()));
  EXPECT_FALSE(Find<QAction>("Save1")->isEnabled());
  EXPECT_FALSE(Find<QMenu>("Edit1")->menuAction()->isVisible());

  EXPECT_TRUE(form->close());
  const TMyMemIniFile written(folder / "zantor5editor.ini");
  for (const auto& [section, key] :
       std::vector<std::pair<const char*, const char*>>{{"LevelDataAddress", "BGBank"},
                                                        {"LevelDataAddress", "ObjectOffset"},
                                                        {"ShareData", "level.11"},
                                                        {"ShareData", "level.15"},
                                                        {"Address", "PaletteAnimationPalette"},
                                                        {"ObjectEdit", "Sort"},
                                                        {"ObjectEdit", "Popup"},
                                                        {"32x32ChipEdit", "Grid"},
                                                        {"MapSetEdit", "Grid"},
                                                        {"Timer", "Interval"},
                                                        {"Undo", "Enabled"}}) {
    EXPECT_NE(written.ReadString(section, key, "<missing>"), "<missing>") << section << key;
  }
  EXPECT_EQ(written.ReadString("Timer", "Interval", ""), "16");
  EXPECT_EQ(written.ReadString("ObjectEdit", "Sort", ""), "1");
  EXPECT_EQ(written.ReadString("MapSetEdit", "Grid", ""), "0");
}

TEST_F(MainFormTest, StoredSettingsReachTheirControlsAndGoBackChanged) {
  folder.Write("zantor5editor.ini",
               "[ObjectEdit]\nSort=0\nPopup=0\n[32x32ChipEdit]\nGrid=1\n[MapSetEdit]\nGrid=1\n"
               "[Timer]\nInterval=40\n[Undo]\nEnabled=0\n");
  Start();
  EXPECT_FALSE(Find<QCheckBox>("ChkSortObjectList")->isChecked());
  EXPECT_TRUE(Find<QCheckBox>("ChkMapSetEditDrawGrid")->isChecked());
  EXPECT_EQ(Find<QTimer>("FrameTimer")->interval(), 40);
  EXPECT_FALSE(form->Rom().UndoEnabled());
  Find<QCheckBox>("ChkPopupHint")->setChecked(true);
  form->close();
  const TMyMemIniFile written(folder / "zantor5editor.ini");
  EXPECT_TRUE(written.ReadBool("ObjectEdit", "Popup", false));
  EXPECT_TRUE(written.ReadBool("32x32ChipEdit", "Grid", false));
  EXPECT_FALSE(written.ReadBool("Undo", "Enabled", true));
}

TEST_F(MainFormTest, ATimerIntervalOfZeroOrLessRunsAtSixteenAndIsWrittenBackAsStored) {
  for (const char* stored : {"0", "-5"}) {
    SCOPED_TRACE(stored);
    folder.Write("zantor5editor.ini", QByteArray("[Timer]\nInterval=") + stored + "\n");
    Start();
    EXPECT_EQ(Find<QTimer>("FrameTimer")->interval(), 16);
    form->close();
    const TMyMemIniFile written(folder / "zantor5editor.ini");
    EXPECT_EQ(written.ReadString("Timer", "Interval", ""), stored);
  }
}

TEST_F(MainFormTest, ASettingsFileThatCannotBeReadIsReportedOnceAndLeftAlone) {
  std::filesystem::create_directory(folder / "zantor5editor.ini");
  Start();
  EXPECT_FALSE(form->StartupFailed());
  ASSERT_EQ(dialogs.Texts(Kind::Error).size(), 1u);
  EXPECT_TRUE(dialogs.Texts(Kind::Error)[0].contains(
      QString::fromStdString(std::system_category().message(EISDIR))));
  EXPECT_EQ(Find<QTimer>("FrameTimer")->interval(), 16);  // the defaults
  form->close();
  EXPECT_EQ(dialogs.Texts(Kind::Error).size(), 1u);  // no attempt to write over it
  EXPECT_TRUE(std::filesystem::is_directory(folder / "zantor5editor.ini"));
}

TEST_F(MainFormTest, PipesNamedLikeTheSettingsAndTheObjectListCountAsMissing) {
  std::filesystem::remove(folder / "ObjectList.txt");
  testing::PipeWatchdog settings(folder / "zantor5editor.ini");
  testing::PipeWatchdog objects(folder / "ObjectList.txt");
  Start();
  EXPECT_FALSE(settings.Hung());
  EXPECT_FALSE(objects.Hung());
  EXPECT_FALSE(form->StartupFailed());
  EXPECT_TRUE(dialogs.Texts(Kind::Error).empty());
  EXPECT_EQ(dialogs.Texts(Kind::Message),
            std::vector<QString>{QStringLiteral("ObjectList.txtを読み込めませんでした。")});
}

TEST_F(MainFormTest, EditorsWriteAndEmptyStatusPanelOne) {
  StartWithDemo();
  form->Flags().SetMapModified(0, true);
  PointerStatus& panel = form->PointerText();
  panel.ShowPointerText(QStringLiteral("タイルNo:C2"));
  EXPECT_EQ(StatusPanel(1), QStringLiteral("タイルNo:C2"));
  panel.ClearPointerText();
  EXPECT_EQ(StatusPanel(1), QString());
  EXPECT_EQ(StatusPanel(0), QStringLiteral("変更あり"));
}

TEST_F(MainFormTest, AMissingMasterPaletteEndsStartupWithoutWritingSettings) {
  std::filesystem::remove(folder / "fcpalette.pal");
  Start();
  EXPECT_TRUE(form->StartupFailed());
  const auto messages = dialogs.Texts(Kind::Message);
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_TRUE(messages[0].endsWith(QStringLiteral("fcpalette.palが読み込めませんでした")));
  form->close();
  form.reset();
  EXPECT_FALSE(std::filesystem::exists(folder / "zantor5editor.ini"));
}

TEST_F(MainFormTest, AWronglySizedMasterPaletteEndsStartupWithItsMessage) {
  folder.Write("fcpalette.pal", QByteArray(191, '\x10'));
  Start();
  EXPECT_TRUE(form->StartupFailed());
  ASSERT_EQ(dialogs.Texts(Kind::Message).size(), 1u);
  EXPECT_TRUE(dialogs.Texts(Kind::Message)[0].endsWith(QStringLiteral("のサイズが不正です")));
  form.reset();
  EXPECT_FALSE(std::filesystem::exists(folder / "zantor5editor.ini"));
}

TEST_F(MainFormTest, OpeningShowsTheImageState) {
  StartWithDemo();
  EXPECT_EQ(form->windowTitle(), kTitle + " - " + PathOf("demo.nes"));
  auto* stages = Find<QComboBox>("CBStage");
  EXPECT_TRUE(stages->isVisibleTo(form.get()));
  EXPECT_EQ(stages->count(), 16);
  EXPECT_EQ(stages->currentIndex(), 0);
  EXPECT_TRUE(stages->itemText(0x0B).startsWith(QStringLiteral("0B ")));
  EXPECT_TRUE(Find<QTabWidget>("EditPageControl")->isVisibleTo(form.get()));
  EXPECT_TRUE(Find<QAction>("Save1")->isEnabled());
  EXPECT_TRUE(Find<QAction>("SaveAs1")->isEnabled());
  EXPECT_TRUE(Find<QAction>("Close1")->isEnabled());
  EXPECT_TRUE(Find<QMenu>("Edit1")->menuAction()->isVisible());
  EXPECT_TRUE(Find<QTimer>("FrameTimer")->isActive());
  EXPECT_EQ(Find<QScrollBar>("ScrBarBGBank0")->maximum(), kDemoChrBankCount - 2);
  EXPECT_EQ(Find<QScrollBar>("ScrBarMap")->maximum(), 78);
  EXPECT_EQ(Find<QScrollBar>("ScrBarSelectPage1")->maximum(), 39);
  EXPECT_EQ(Find<QScrollBar>("ScrBarMapSet")->maximum(), 38);
  EXPECT_EQ(StatusPanel(0), QString());
}

// Keys pressed while looking at a picture go to the shown tab, not the stage list: after an
// open from the command line, an open from the menu and a stage chosen in the list.
TEST_F(MainFormTest, AfterAnOpenOrAStageChangeArrowKeysLeaveTheStageAsItIs) {
  StartWithDemo();
  ActivateWindow();
  auto* stages = Find<QComboBox>("CBStage");
  const auto pressKeysWhereFocused = [&](const char* after, int stage) {
    SCOPED_TRACE(after);
    QWidget* focused = QApplication::focusWidget();
    ASSERT_NE(focused, nullptr);
    EXPECT_NE(focused, stages);
    for (Qt::Key key : {Qt::Key_Down, Qt::Key_PageDown, Qt::Key_Up, Qt::Key_End}) {
      QTest::keyClick(QApplication::focusWidget(), key);
    }
    EXPECT_EQ(form->Rom().CurrentStage(), stage);
    EXPECT_EQ(stages->currentIndex(), stage);
  };
  pressKeysWhereFocused("an open before the window shows", 0);

  stages->setFocus();
  QTest::keyClick(stages, Qt::Key_Down);  // the user chooses the next stage
  ASSERT_EQ(form->Rom().CurrentStage(), 1);
  pressKeysWhereFocused("a stage change", 1);

  stages->setFocus();
  dialogs.openFiles = {PathOf("demo.nes")};
  Find<QAction>("Open1")->trigger();
  pressKeysWhereFocused("an open from the menu", 0);
}

TEST_F(MainFormTest, TheTabsComeInTheirOrderWithTheirCaptions) {
  StartWithDemo();
  auto* tabs = Find<QTabWidget>("EditPageControl");
  const QStringList expected{"マップ",      "マップセット", "32x32チップ",
                             "16x16チップ", "パレット",     "オブジェクト"};
  ASSERT_EQ(tabs->count(), expected.size());
  for (int i = 0; i < tabs->count(); ++i) EXPECT_EQ(tabs->tabText(i), expected[i]);
  EXPECT_EQ(tabs->currentWidget()->objectName(), QStringLiteral("Tab16x16ChipEdit"));
}

TEST_F(MainFormTest, AnImageWithoutChrDataOpensWithBankBarsLimitedToZero) {
  std::vector<std::uint8_t> image = BuildDemoImage();
  image[5] = 0;
  image.resize(kDemoChrBase);
  WriteImage("nochr.nes", image);
  Start();
  ASSERT_TRUE(form->OpenImage(PathOf("nochr.nes")));
  EXPECT_EQ(Find<QScrollBar>("ScrBarBGBank0")->minimum(), 0);
  EXPECT_EQ(Find<QScrollBar>("ScrBarBGBank0")->maximum(), 0);
  EXPECT_EQ(Find<QScrollBar>("ScrBarBGBank1")->maximum(), 0);
  form->ShowTab(EditTab::Chip16x16);  // tiles past the data show colour 0
  EXPECT_EQ(Image("ImgBGBankTable")->Picture()->Pixel(255, 255),
            testing::NesColor(form->Rom().Stage(0).BGPalette()[0]));
}

TEST_F(MainFormTest, AFailedOpenLeavesTheWindowAsItWas) {
  folder.Write("bad.nes", QByteArray(64, 'x'));
  StartWithDemo();
  dialogs.openFiles = {PathOf("bad.nes")};
  form->Open1Click();
  EXPECT_EQ(dialogs.Texts(Kind::Message), std::vector<QString>{"ROMイメージが異常です"});
  EXPECT_EQ(form->windowTitle(), kTitle + " - " + PathOf("demo.nes"));
  EXPECT_TRUE(Find<QTabWidget>("EditPageControl")->isVisibleTo(form.get()));
}

TEST_F(MainFormTest, OpenUsesTheImageFilterAndACancelledDialogDoesNothing) {
  Start();
  dialogs.openFiles = {std::nullopt};
  form->Open1Click();
  EXPECT_EQ(dialogs.lastOpenRequest.filter,
            QStringLiteral("ZANTOR5 ROMイメージ (*.nes)|*.nes|すべてのファイル (*.*)|*.*"));
  EXPECT_EQ(form->windowTitle(), kTitle);
}

// --- The save question -------------------------------------------------------------

class SaveQuestion : public MainFormTest {
 protected:
  void SetUp() override {
    MainFormTest::SetUp();
    WriteImage("other.nes", BuildDemoImage());
    StartWithDemo();
    EditMapRoom(*form, 3, 7);
    original = ReadFile(folder / "demo.nes");
  }
  void ExpectQuestionAsked() {
    ASSERT_EQ(dialogs.Texts(Kind::YesNoCancel).size(), 1u);
    for (const auto& shown : dialogs.log) {
      if (shown.kind == Kind::YesNoCancel) {
        EXPECT_EQ(shown.title, kTitle);
      }
    }
    EXPECT_EQ(dialogs.Texts(Kind::YesNoCancel)[0],
              PathOf("demo.nes") + QStringLiteral("への変更を保存しますか？"));
  }
  void ExpectStillOpenWithChanges() {
    EXPECT_EQ(form->windowTitle(), kTitle + " - " + PathOf("demo.nes"));
    EXPECT_TRUE(form->Flags().IsModified());
    EXPECT_EQ(form->Rom().Stage(0).Map()[3], 7);
    EXPECT_EQ(StatusPanel(0), QStringLiteral("変更あり"));
    EXPECT_EQ(ReadFile(folder / "demo.nes"), original);
  }
  std::vector<std::uint8_t> original;
};

// Cancel, a cancelled save dialog and a failing save each call off open, close and exit.
TEST_F(SaveQuestion, AnActionCalledOffLosesNothing) {
  folder.Write("blocker", "x");
  enum class Action { Open, Close, Exit };
  enum class Reply { Cancel, YesThenNoFile, YesThenFailingSave };
  for (Action action : {Action::Open, Action::Close, Action::Exit}) {
    for (Reply reply : {Reply::Cancel, Reply::YesThenNoFile, Reply::YesThenFailingSave}) {
      SCOPED_TRACE(static_cast<int>(action) * 10 + static_cast<int>(reply));
      dialogs.log.clear();
      dialogs.answers = {reply == Reply::Cancel ? Answer::Cancel : Answer::Yes};
      if (reply == Reply::YesThenNoFile) dialogs.saveFiles = {std::nullopt};
      if (reply == Reply::YesThenFailingSave) {
        dialogs.saveFiles = {PathOf("blocker") + "/target.nes"};
      }
      switch (action) {
        case Action::Open:
          dialogs.openFiles = {PathOf("other.nes")};
          form->Open1Click();
          break;
        case Action::Close: form->Close1Click(); break;
        case Action::Exit:
          EXPECT_FALSE(form->close());
          EXPECT_FALSE(std::filesystem::exists(folder / "zantor5editor.ini"));
          break;
      }
      ExpectQuestionAsked();
      ExpectStillOpenWithChanges();
      EXPECT_TRUE(Find<QTabWidget>("EditPageControl")->isVisibleTo(form.get()));
      EXPECT_EQ(dialogs.Texts(Kind::Error).size(), reply == Reply::YesThenFailingSave ? 1u : 0u);
      if (reply != Reply::Cancel) {
        EXPECT_EQ(dialogs.lastSaveRequest.filter,
                  QStringLiteral("ZANTOR5 ROMイメージ (*.nes)|*.nes"));
        EXPECT_EQ(dialogs.lastSaveRequest.defaultSuffix, QStringLiteral("nes"));
      }
    }
  }
}

TEST_F(SaveQuestion, OpenAnsweredYesSavesThenOpens) {
  dialogs.openFiles = {PathOf("other.nes")};
  dialogs.answers = {Answer::Yes};
  dialogs.saveFiles = {PathOf("saved.nes")};
  form->Open1Click();
  EXPECT_EQ(ReadFile(folder / "saved.nes")[0x910 + 3], 7);
  EXPECT_EQ(form->windowTitle(), kTitle + " - " + PathOf("other.nes"));
  EXPECT_FALSE(form->Flags().IsModified());
}

TEST_F(SaveQuestion, OpenAnsweredNoDropsTheChanges) {
  dialogs.openFiles = {PathOf("other.nes")};
  dialogs.answers = {Answer::No};
  form->Open1Click();
  EXPECT_EQ(form->windowTitle(), kTitle + " - " + PathOf("other.nes"));
  EXPECT_FALSE(form->Flags().IsModified());
  EXPECT_EQ(StatusPanel(0), QString());
  EXPECT_EQ(ReadFile(folder / "demo.nes"), original);
}

TEST_F(SaveQuestion, AfterYesTheCaptionNamesTheSavedFileEvenWhenTheOpenFails) {
  folder.Write("bad.nes", QByteArray(64, 'x'));
  dialogs.openFiles = {PathOf("bad.nes")};
  dialogs.answers = {Answer::Yes};
  dialogs.saveFiles = {PathOf("saved.nes")};
  form->Open1Click();
  EXPECT_EQ(dialogs.Texts(Kind::Message), std::vector<QString>{"ROMイメージが異常です"});
  EXPECT_EQ(form->windowTitle(), kTitle + " - " + PathOf("saved.nes"));
  EditMapRoom(*form, 4, 8);
  form->Save1Click();
  EXPECT_EQ(ReadFile(folder / "saved.nes")[0x910 + 4], 8);
}

TEST_F(SaveQuestion, CloseAnsweredNoClosesTheImage) {
  dialogs.answers = {Answer::No};
  form->Close1Click();
  EXPECT_EQ(form->windowTitle(), kTitle);
  EXPECT_EQ(StatusPanel(0), QString());
  EXPECT_FALSE(form->Flags().IsModified());
  EXPECT_FALSE(Find<QComboBox>("CBStage")->isVisibleTo(form.get()));
  EXPECT_FALSE(Find<QTabWidget>("EditPageControl")->isVisibleTo(form.get()));
  EXPECT_FALSE(Find<QAction>("Save1")->isEnabled());
  EXPECT_FALSE(Find<QAction>("Close1")->isEnabled());
  EXPECT_FALSE(Find<QMenu>("Edit1")->menuAction()->isVisible());
  EXPECT_EQ(ReadFile(folder / "demo.nes"), original);
}

TEST_F(SaveQuestion, CloseAnsweredYesSavesThenCloses) {
  dialogs.answers = {Answer::Yes};
  dialogs.saveFiles = {PathOf("saved.nes")};
  form->Close1Click();
  EXPECT_EQ(ReadFile(folder / "saved.nes")[0x910 + 3], 7);
  EXPECT_EQ(ReadFile(folder / "demo.nes"), original);
  EXPECT_EQ(form->windowTitle(), kTitle);
  EXPECT_FALSE(form->Flags().IsModified());
  EXPECT_FALSE(Find<QTabWidget>("EditPageControl")->isVisibleTo(form.get()));
}

TEST_F(SaveQuestion, ExitAnsweredYesSavesAndWritesTheSettings) {
  dialogs.answers = {Answer::Yes};
  dialogs.saveFiles = {PathOf("demo.nes")};
  EXPECT_TRUE(form->close());
  EXPECT_EQ(ReadFile(folder / "demo.nes")[0x910 + 3], 7);
  EXPECT_TRUE(std::filesystem::exists(folder / "zantor5editor.ini"));
}

TEST_F(SaveQuestion, ExitAnsweredNoEndsAndWritesTheSettings) {
  dialogs.answers = {Answer::No};
  EXPECT_TRUE(form->close());
  EXPECT_TRUE(std::filesystem::exists(folder / "zantor5editor.ini"));
  EXPECT_EQ(ReadFile(folder / "demo.nes"), original);
}

TEST_F(MainFormTest, AStageCannotBeChosenWithoutAnImage) {
  Start();
  form->SelectStage(3);
  EXPECT_EQ(form->Rom().CurrentStage(), 0);
  EXPECT_FALSE(Find<QTimer>("FrameTimer")->isActive());
}

TEST_F(MainFormTest, UndoRefreshesTheShownTabBeforeTheWindowIsOnScreen) {
  StartWithDemo();
  form->ShowTab(EditTab::Palette);
  auto* edit = Find<QLineEdit>("EditPal0");
  const QString stored = edit->text();
  edit->setText(QStringLiteral("3"));
  EditMapRoom(*form, 0, 9);
  form->Undo1Click();
  EXPECT_EQ(edit->text(), stored);
}

TEST_F(MainFormTest, TheDialogsWaitHiddenFromTheStart) {
  Start();
  for (const char* name : {"ShowUnusedChipNumForm", "MapSetEditGridForm", "ObjectEditForm"}) {
    auto* dialog = Find<QDialog>(name);
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(dialog->isHidden()) << name;
  }
}

TEST_F(MainFormTest, AHintShowsItsText) {
  StartWithDemo();
  form->show();
  auto* box = Find<QCheckBox>("ChkSortObjectList");
  box->setToolTip(QStringLiteral("並べ替え"));
  QHelpEvent help(QEvent::ToolTip, QPoint(2, 2), box->mapToGlobal(QPoint(2, 2)));
  QApplication::sendEvent(box, &help);
  EXPECT_TRUE(QToolTip::isVisible());
  EXPECT_EQ(QToolTip::text(), QStringLiteral("並べ替え"));
  QToolTip::hideText();
}

TEST_F(MainFormTest, NoQuestionWithoutChanges) {
  StartWithDemo();
  form->Close1Click();
  EXPECT_TRUE(dialogs.log.empty());
  EXPECT_EQ(form->windowTitle(), kTitle);
}

// --- Save and Save As ----------------------------------------------------------------

TEST_F(MainFormTest, SaveWritesToTheOpenedFileAndClearsTheMark) {
  StartWithDemo();
  EditMapRoom(*form, 0, 9);
  form->Save1Click();
  EXPECT_TRUE(dialogs.log.empty());
  EXPECT_EQ(ReadFile(folder / "demo.nes")[0x910], 9);
  EXPECT_EQ(StatusPanel(0), QString());
  EXPECT_FALSE(form->Rom().CanUndo());
}

TEST_F(MainFormTest, SaveAsMovesTheCaptionAndTheNextSaveTarget) {
  StartWithDemo();
  EditMapRoom(*form, 0, 9);
  dialogs.saveFiles = {PathOf("copy.nes")};
  form->SaveAs1Click();
  EXPECT_EQ(form->windowTitle(), kTitle + " - " + PathOf("copy.nes"));
  EXPECT_EQ(ReadFile(folder / "copy.nes")[0x910], 9);

  EditMapRoom(*form, 0, 10);
  form->Save1Click();
  EXPECT_EQ(ReadFile(folder / "copy.nes")[0x910], 10);
  EXPECT_NE(ReadFile(folder / "demo.nes")[0x910], 10);
}

TEST_F(MainFormTest, AFailedSaveAsKeepsTheCaptionAndTheChanges) {
  StartWithDemo();
  EditMapRoom(*form, 0, 9);
  folder.Write("blocker", "x");
  dialogs.saveFiles = {PathOf("blocker") + "/copy.nes"};
  form->SaveAs1Click();
  EXPECT_EQ(form->windowTitle(), kTitle + " - " + PathOf("demo.nes"));
  EXPECT_TRUE(form->Flags().IsModified());
  EXPECT_TRUE(form->Rom().CanUndo());
}

// --- The Edit menu ---------------------------------------------------------------------

class EditMenu : public MainFormTest {
 protected:
  void SetUp() override {
    MainFormTest::SetUp();
    StartWithDemo();
    ActivateWindow();
    undo = Find<QAction>("Undo1");
    redo = Find<QAction>("Redo1");
  }
  QAction* undo = nullptr;
  QAction* redo = nullptr;
};

TEST_F(EditMenu, AnEmptyHistoryShowsPlainDisabledItemsAndCtrlZDoesNothing) {
  form->Edit1Click();
  EXPECT_FALSE(undo->isEnabled());
  EXPECT_FALSE(redo->isEnabled());
  EXPECT_EQ(undo->text(), QStringLiteral("元に戻す(&U)"));
  EXPECT_EQ(redo->text(), QStringLiteral("やり直し(&R)"));
  // A saved edit leaves no history, so Ctrl+Z must leave it alone.
  EditMapRoom(*form, 0, 9);
  form->Save1Click();
  QTest::keyClick(form.get(), Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(form->Rom().Stage(0).Map()[0], 9);
}

TEST_F(EditMenu, CaptionsNameTheTopEntries) {
  EditMapRoom(*form, 0, 9);
  form->Edit1Click();
  EXPECT_TRUE(undo->isEnabled());
  EXPECT_EQ(undo->text(), QStringLiteral("元に戻す(&U) - マップの編集"));
  undo->trigger();
  form->Edit1Click();
  EXPECT_EQ(redo->text(), QStringLiteral("やり直し(&R) - マップの編集"));
  EXPECT_FALSE(undo->isEnabled());
}

TEST_F(EditMenu, CtrlZAndCtrlYWorkWithoutOpeningTheMenu) {
  const auto before = form->Rom().Stage(0).Map()[0];
  EditMapRoom(*form, 0, before ^ 1);
  QTest::keyClick(form.get(), Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(form->Rom().Stage(0).Map()[0], before);
  QTest::keyClick(form.get(), Qt::Key_Y, Qt::ControlModifier);
  EXPECT_EQ(form->Rom().Stage(0).Map()[0], before ^ 1);
}

TEST_F(EditMenu, CtrlZBelongsToTheMenuEvenInsideAnEditBox) {
  form->ShowTab(EditTab::Palette);
  auto* edit = Find<QLineEdit>("EditPal0");
  edit->setFocus();
  const auto before = form->Rom().Stage(0).Map()[0];
  EditMapRoom(*form, 0, before ^ 1);
  QTest::keyClick(edit, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(form->Rom().Stage(0).Map()[0], before);
}

TEST_F(EditMenu, WithNothingToUndoCtrlZGoesToTheFocusedEditBox) {
  form->ShowTab(EditTab::Palette);
  auto* edit = Find<QLineEdit>("EditPal0");
  const QString stored = edit->text();
  edit->setFocus();
  edit->selectAll();
  QTest::keyClicks(edit, QStringLiteral("3"));
  ASSERT_EQ(edit->text(), QStringLiteral("3"));
  QTest::keyClick(edit, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(edit->text(), stored);
  EXPECT_FALSE(form->Rom().CanRedo());
}

TEST_F(EditMenu, TheUsersStageChoiceSwitchesTheStageAndResetsTheEditors) {
  form->ShowTab(EditTab::Palette);
  auto* stages = Find<QComboBox>("CBStage");
  stages->setFocus();
  QTest::keyClick(stages, Qt::Key_Down);
  ASSERT_EQ(stages->currentIndex(), 1);
  EXPECT_EQ(form->Rom().CurrentStage(), 1);
  EXPECT_EQ(
      Find<QLineEdit>("EditPal1")->text(),
      QStringLiteral("%1").arg(form->Rom().Stage(1).BGPalette()[1], 2, 16, QChar('0')).toUpper());
  EXPECT_TRUE(Find<QTimer>("FrameTimer")->isActive());
}

TEST_F(EditMenu, EachStageKeepsItsChangesAndItsHistory) {
  EditMapRoom(*form, 0, 9);
  form->SelectStage(1);
  EXPECT_EQ(form->Rom().CurrentStage(), 1);
  form->Edit1Click();
  EXPECT_FALSE(undo->isEnabled());
  EditMapRoom(*form, 1, 20);

  form->SelectStage(0);
  form->Edit1Click();
  EXPECT_EQ(undo->text(), QStringLiteral("元に戻す(&U) - マップの編集"));
  EXPECT_EQ(form->Rom().Stage(0).Map()[0], 9);
  EXPECT_EQ(form->Rom().Stage(1).Map()[1], 20);
  EXPECT_TRUE(form->Flags().IsMapModified(0));
  EXPECT_TRUE(form->Flags().IsMapModified(1));
}

TEST_F(EditMenu, ChoosingTheShownStageAgainKeepsTheEditorsAsTheyAre) {
  form->ShowTab(EditTab::Palette);
  auto* definitions = Find<QComboBox>("CBSelectPaletteSet");
  definitions->setCurrentIndex(2);
  emit definitions->activated(2);
  emit Find<QComboBox>("CBStage")->activated(0);
  EXPECT_EQ(definitions->currentIndex(), 2);
}

// Everything the program can change and show: the stages' data, flags and histories, and
// every picture of every tab.
std::vector<std::uint32_t> Snapshot(TMainForm& form) {
  std::vector<std::uint32_t> state;
  const auto add = [&state](auto bytes) { state.insert(state.end(), bytes.begin(), bytes.end()); };
  for (int stage = 0; stage < kStageCount; ++stage) {
    const StageData& s = form.Rom().Stage(stage);
    add(s.BGBank()), add(s.Chip16x16()), add(s.ChipProperty()), add(s.Chip32x32());
    add(s.MapSet()), add(s.Map()), add(s.BGPalette()), add(s.BGPaletteAnime());
    state.push_back(static_cast<std::uint32_t>(s.ObjectCount()));
    state.push_back(s.CanUndo() || s.CanRedo());
  }
  state.push_back(form.Flags().IsModified());
  state.push_back(static_cast<std::uint32_t>(form.Rom().CurrentStage()));
  for (TImageEx* image : form.findChildren<TImageEx*>()) {
    const DisplayPicture& p = *image->Picture();
    state.insert(state.end(), p.Words(), p.Words() + p.Width() * p.Height());
  }
  return state;
}

TEST_F(EditMenu, SettingBarsBoxesAndListsFromCodeRunsNoHandler) {
  const auto before = Snapshot(*form);
  for (QScrollBar* bar : form->findChildren<QScrollBar*>()) {
    const int maximum = bar->maximum();
    bar->setMaximum(bar->minimum());  // clamps the value, as a new image's range may
    bar->setMaximum(maximum);
    bar->setValue(maximum);
    bar->setValue(bar->minimum() + 1);
  }
  for (QCheckBox* box : form->findChildren<QCheckBox*>()) box->setChecked(!box->isChecked());
  for (QComboBox* list : form->findChildren<QComboBox*>()) {
    list->setCurrentIndex((list->currentIndex() + 1) % list->count());
  }
  for (RadioGroup* group : form->findChildren<RadioGroup*>()) {
    group->SetItemIndex((group->ItemIndex() + 1) % group->Count());
  }
  QApplication::processEvents();
  EXPECT_TRUE(Snapshot(*form) == before);
}

// --- Name lists at start-up -------------------------------------------------------------

TEST_F(MainFormTest, WithoutAnObjectListStartupSaysSoAndGoesOn) {
  std::filesystem::remove(folder / "ObjectList.txt");
  Start();
  EXPECT_FALSE(form->StartupFailed());
  EXPECT_EQ(dialogs.Texts(Kind::Message),
            std::vector<QString>{QStringLiteral("ObjectList.txtを読み込めませんでした。")});
  EXPECT_EQ(Find<QComboBox>("CBSelectObject")->count(), 256);
}

TEST_F(MainFormTest, TheAttributeListNamesTheRadioCaptionsAndTheLookup) {
  QString text;
  for (int i = 0; i < 64; ++i) text += QStringLiteral("属性%1\r\n").arg(i);
  folder.WriteShiftJis("ChipAttributes.txt", text);
  Start();
  auto* captions = Find<RadioGroup>("RGChipPropertySelect");
  EXPECT_EQ(captions->ItemCaption(1), QStringLiteral("属性1"));
  EXPECT_EQ(form->Rom().ChipAttributeName(0x1C), "属性49");
  EXPECT_EQ(form->Rom().ChipAttributeName(0x41), "属性4");
  EXPECT_EQ(form->Rom().ChipAttributeName(0x42), form->Rom().ChipAttributeName(0x40));
  EXPECT_EQ(form->Rom().ChipAttributeName(0x43), form->Rom().ChipAttributeName(0x40));
}

TEST_F(MainFormTest, WithoutAnAttributeListTheFallbacksAreUsedSilently) {
  Start();
  EXPECT_TRUE(dialogs.log.empty());
  EXPECT_EQ(Find<RadioGroup>("RGChipPropertySelect")->ItemCaption(6),
            QStringLiteral("6x 背景裏に隠れる"));
  EXPECT_EQ(form->Rom().ChipAttributeName(0x60), "6x 前景");
  EXPECT_EQ(form->Rom().ChipAttributeName(0xF0), "Fxトゲ");
}

}  // namespace
}  // namespace zantor
