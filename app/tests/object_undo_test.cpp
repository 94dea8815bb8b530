// Object edits made undoable by the Edit menu's switch: one entry per edit, through the
// real controls, mixed with the other kinds in the stage's history.
#include <QAction>
#include <QComboBox>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolButton>

#include "app/tests/main_form_fixture.h"
#include "core/edit_flag_management.h"
#include "core/my_mem_ini_file.h"
#include "core/rom_image_data.h"
#include "editors/up_down_buttons.h"

namespace zantor {
namespace {

using Rooms = std::vector<std::vector<std::array<int, 3>>>;

class ObjectUndo : public testing::TabTest<EditTab::Object> {
 protected:
  void SetUp() override {
    TabTest::SetUp();
    for (int room = 0; room < kRoomCount; ++room) Stage().ClearRoom(room);
    Stage().AddObject(0, 40, 40, 1);
    Stage().AddObject(0, 80, 40, 0);
    Stage().AddObject(1, 100, 100, 1);
    Show();
    ActivateWindow();
  }
  void ChooseUndoObjects(bool on) {
    QAction* item = Find<QAction>("UndoObjects1");
    if (item->isChecked() != on) item->trigger();
  }
  Rooms AllObjects() {
    Rooms rooms;
    for (int room = 0; room < kRoomCount; ++room) {
      rooms.emplace_back();
      for (const ObjectEntry& o : Stage().Room(room)) rooms.back().push_back({o.X, o.Y, o.Kind});
    }
    return rooms;
  }
  static QString Room(int page) { return QStringLiteral("ImgObjectMapPage%1").arg(page); }
  void RightClickAndChoose(int page, QPoint at, const char* item) {
    Click(Room(page), Qt::RightButton, at);
    Find<QMenu>("PopupMenuObjectEdit")->hide();
    Find<QAction>(item)->trigger();
  }
  // A real drag: the press, moves with the button held, the release.
  void Drag(int page, QPoint from, const std::vector<QPoint>& path) {
    QTest::mousePress(Image(Room(page)), Qt::LeftButton, {}, from);
    for (const QPoint& at : path) Move(Room(page), at, Qt::LeftButton);
    QTest::mouseRelease(Image(Room(page)), Qt::LeftButton, {}, path.back());
  }
  void Key(int key) { QTest::keyClick(form.get(), key, Qt::ControlModifier); }
  QString UndoCaption() {
    form->Edit1Click();
    return Find<QAction>("Undo1")->text();
  }
  struct ObjectEdit {
    const char* name;
    std::function<void()> run;
  };
  // Every way the user changes a stage's objects.
  std::vector<ObjectEdit> ObjectEdits() {
    return {
      {"create by button",
       [this] {
         Click(Room(0), Qt::LeftButton, {20, 200});
         Find<QPushButton>("BtnObjectCreate")->click();
       }},
      {"create by menu",
       [this] { RightClickAndChoose(1, {10, 10}, "MenuCreateObject"); }},
      {"paste",
       [this] {
         RightClickAndChoose(0, {40, 40}, "MenuCopyObject");
         RightClickAndChoose(0, {60, 200}, "MenuPasteObject");
       }},
      {"cut", [this] { RightClickAndChoose(0, {40, 40}, "MenuCutObject"); }},
      {"delete by button",
       [this] {
         Click(Room(0), Qt::LeftButton, {80, 40});
         Find<QPushButton>("BtnObjectRemove")->click();
       }},
      {"delete by menu",
       [this] { RightClickAndChoose(0, {80, 40}, "MenuRemoveObject"); }},
      {"kind",
       [this] {
         Click(Room(1), Qt::LeftButton, {100, 100});
         QTest::keyClick(Find<QComboBox>("CBSelectObject"), Qt::Key_Up);
       }},
      {"step right",
       [this] {
         Click(Room(0), Qt::LeftButton, {40, 40});
         Find<UpDownButtons>("UDObjectX")->UpButton()->click();
       }},
      {"step down",
       [this] {
         Click(Room(0), Qt::LeftButton, {40, 40});
         Find<UpDownButtons>("UDObjectY")->DownButton()->click();
       }},
      {"drag of ten moves, sorted",
       [this] {
         std::vector<QPoint> path;
         for (int i = 1; i <= 10; ++i) path.push_back({80 + 10 * i, 40 + i});
         Drag(0, {40, 40}, path);
       }},
      {"object list dialog",
       [this] {
         dialogs.modals.push_back([](QDialog& dialog) {
           dialog.findChild<QPlainTextEdit*>("MemoObjectEdit")->setPlainText("01 02 03\n");
           return QDialog::Accepted;
         });
         Click(Room(0), Qt::LeftButton, {200, 200}, Qt::ShiftModifier);
       }},
    };
  }

};

TEST_F(ObjectUndo, EveryObjectEditIsOneEntryThatUndoesAndRedoesExactly) {
  ChooseUndoObjects(true);
  for (const ObjectEdit& edit : ObjectEdits()) {
    SCOPED_TRACE(edit.name);
    const Rooms before = AllObjects();
    edit.run();
    const Rooms after = AllObjects();
    ASSERT_NE(after, before);
    EXPECT_EQ(UndoCaption(), QStringLiteral("元に戻す(&U) - オブジェクトの編集"));

    form->Flags().ClearAll();
    Key(Qt::Key_Z);
    EXPECT_EQ(AllObjects(), before);
    EXPECT_TRUE(form->Flags().IsObjectModified(0));
    EXPECT_FALSE(form->Rom().CanUndo()) << "one entry for the whole edit";
    EXPECT_EQ(form->Rom().RedoName(), "オブジェクトの編集");
    Key(Qt::Key_Y);
    EXPECT_EQ(AllObjects(), after);
    Key(Qt::Key_Z);
    EXPECT_EQ(AllObjects(), before);
    form->Rom().ClearAllHistory();
  }
}

TEST_F(ObjectUndo, ADragBackToItsStartAndAnUnchangedListRecordNothing) {
  ChooseUndoObjects(true);
  Drag(0, {40, 40}, {{60, 60}, {90, 90}, {40, 40}});
  dialogs.modals.push_back([](QDialog&) { return QDialog::Accepted; });
  Click(Room(0), Qt::LeftButton, {200, 200}, Qt::ShiftModifier);
  EXPECT_FALSE(form->Rom().CanUndo());
  EXPECT_TRUE(form->Flags().IsObjectModified(0)) << "the flags stay as without the switch";
}

TEST_F(ObjectUndo, NoReferenceToAnObjectTheStepsRemoveSurvives) {
  ChooseUndoObjects(true);
  Click(Room(0), Qt::LeftButton, {80, 40});
  Find<QPushButton>("BtnObjectRemove")->click();
  Key(Qt::Key_Z);
  EXPECT_EQ(form->Rom().CurrentStageData().RoomObjectCount(0), 2);
  // Selected and hovered again, then taken away by the redo.
  Click(Room(0), Qt::LeftButton, {80, 40});
  Move(Room(0), {81, 41});
  ASSERT_NE(form->findChild<QPushButton*>("BtnObjectRemove"), nullptr);
  EXPECT_TRUE(Find<QPushButton>("BtnObjectRemove")->isEnabled());
  Key(Qt::Key_Y);
  EXPECT_EQ(Label("LblObjectIndex"), QStringLiteral("--"));
  EXPECT_FALSE(Find<QPushButton>("BtnObjectRemove")->isEnabled());
  // The sanitizers would catch a use of the freed entries here.
  Move(Room(0), {40, 40});
  Find<UpDownButtons>("UDObjectX")->UpButton()->click();
  Click(Room(0), Qt::LeftButton, {40, 40});
  Find<UpDownButtons>("UDObjectX")->UpButton()->click();
  EXPECT_EQ(Stage().Room(0).front().X, 41);
}

TEST_F(ObjectUndo, HistoriesOfAllKindsMixAcrossAStageChange) {
  ChooseUndoObjects(true);
  ASSERT_TRUE(Stage().SetMapRoom(0, static_cast<std::uint8_t>(Stage().Map()[0] ^ 1)));
  RightClickAndChoose(0, {200, 10}, "MenuCreateObject");
  ASSERT_TRUE(Stage().SetBGPaletteEntry(5, static_cast<std::uint8_t>(Stage().BGPalette()[5] ^ 1)));
  form->SelectStage(1);
  EXPECT_FALSE(form->Rom().CanUndo());
  form->SelectStage(0);
  for (const char* name : {"パレットの編集", "オブジェクトの編集", "マップの編集"}) {
    EXPECT_EQ(UndoCaption(), QStringLiteral("元に戻す(&U) - ") + QString::fromUtf8(name));
    Key(Qt::Key_Z);
  }
  EXPECT_FALSE(form->Rom().CanUndo());
  EXPECT_EQ(Stage().RoomObjectCount(0), 2);
}

TEST_F(ObjectUndo, TheObjectTabsReloadDropsOnlyItsStagesObjectEntries) {
  ChooseUndoObjects(true);
  ASSERT_TRUE(Stage().SetMapRoom(0, static_cast<std::uint8_t>(Stage().Map()[0] ^ 1)));
  RightClickAndChoose(0, {200, 10}, "MenuCreateObject");
  dialogs.confirms = {true};
  Find<QPushButton>("BtnObjectEditReload")->click();
  EXPECT_EQ(UndoCaption(), QStringLiteral("元に戻す(&U) - マップの編集"));
}

TEST_F(ObjectUndo, SwitchedOffNoEditRecordsAndEntriesMadeBeforeStay) {
  RightClickAndChoose(0, {200, 10}, "MenuCreateObject");
  ChooseUndoObjects(true);
  RightClickAndChoose(0, {200, 60}, "MenuCreateObject");
  ChooseUndoObjects(false);
  form->Rom().CurrentStageData().Undo();
  for (const ObjectEdit& edit : ObjectEdits()) {
    SCOPED_TRACE(edit.name);
    edit.run();
    EXPECT_FALSE(form->Rom().CanUndo());
  }
  EXPECT_EQ(UndoCaption(), QStringLiteral("元に戻す(&U)"));
  EXPECT_EQ(form->Rom().RedoName(), "オブジェクトの編集") << "the entry made while on stays";
}

class ObjectUndoSetting : public testing::MainFormTest {};

TEST_F(ObjectUndoSetting, OffByDefaultKeptInTheSettingsAndDisabledWithoutUndo) {
  Start();
  QAction* item = Find<QAction>("UndoObjects1");
  EXPECT_TRUE(item->isCheckable());
  EXPECT_FALSE(item->isChecked());
  EXPECT_TRUE(item->isEnabled());
  EXPECT_EQ(item->text(), QStringLiteral("オブジェクトの編集も元に戻せるようにする(&O)"));
  item->trigger();
  form->close();
  EXPECT_TRUE(TMyMemIniFile(folder / "zantor5editor.ini").ReadBool("Undo", "Objects", false));

  folder.Write("zantor5editor.ini", "[Undo]\nEnabled=0\nObjects=1\n");
  Start();
  EXPECT_TRUE(Find<QAction>("UndoObjects1")->isChecked());
  EXPECT_FALSE(Find<QAction>("UndoObjects1")->isEnabled());
  EXPECT_FALSE(form->Rom().ObjectUndoEnabled());
  form->close();
  const TMyMemIniFile written(folder / "zantor5editor.ini");
  EXPECT_TRUE(written.ReadBool("Undo", "Objects", false));
  EXPECT_FALSE(written.ReadBool("Undo", "Enabled", true));
}

}  // namespace
}  // namespace zantor
