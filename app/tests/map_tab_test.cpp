// The map tab through its real controls, rooms compared with the map sets read straight from
// the image's bytes.
#include <QGroupBox>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTimer>
#include <functional>

#include "app/tab_page_controls.h"
#include "app/tests/main_form_fixture.h"
#include "core/edit_flag_management.h"
#include "core/rom_image_data.h"
#include "editors/map_edit_class.h"
#include "graphics/testing/reference_pixels.h"

namespace zantor {
namespace {

using testing::NesColor;
const std::string kMapEdit = "マップの編集";

class MapTab : public testing::TabTest<EditTab::Map> {
 protected:
  QScrollBar* Bar(const QString& name) { return Find<QScrollBar>(name.toLatin1().constData()); }
  QScrollBar* Bar(int side) { return Bar(QStringLiteral("ScrbarEditMapPage%1").arg(side)); }
  // The thumb held and moved over the positions, as the mouse reports a drag.
  static void Drag(QScrollBar* bar, std::initializer_list<int> positions) {
    bar->setSliderDown(true);
    for (const int position : positions) bar->setSliderPosition(position);
    bar->setSliderDown(false);
  }
  // The room on `side` shows map set `set` in colours(index), by default the stored ones; a
  // number of 28 or more, black with a magenta frame round every 32x32 cell.
  bool Shows(int side, int set, std::function<std::uint32_t(int)> colours = {}) {
    if (!colours) colours = [this](int i) { return Shown(i); };
    std::array<std::uint32_t, 16> shown{};
    for (int i = 0; i < 16; ++i) shown[i] = colours(i);
    const DisplayPicture& room = *Image(QStringLiteral("ImgEditMapPage%1").arg(side))->Picture();
    for (int y = 0; y < 256; ++y) {
      for (int x = 0; x < 256; ++x) {
        const bool edge = x % 32 == 0 || x % 32 == 31 || y % 32 == 0 || y % 32 == 31;
        const std::uint32_t expected =
            set >= kMapSetCount ? (edge ? 0xFF00FF : NesColor(0x0F))
                                : shown[testing::ReferenceMapSetPixel(Stage(), set, x, y)];
        if (room.Pixel(x, y) != expected) return false;
      }
    }
    return true;
  }
  // Both rooms of the pair from `first` as the demo image holds them, with their numbers in
  // the labels and on the bars.
  bool ShowsDemoPair(int first, std::function<std::uint32_t(int)> colours = {}) {
    for (const int side : {0, 1}) {
      const int set = DemoMapSetOfRoom(form->Rom().CurrentStage(), first + side);
      if (!Shows(side, set, colours) || Bar(side)->value() != set ||
          Label(QStringLiteral("LblMapVal%1").arg(side)) != QString::asprintf("%02X", set)) {
        return false;
      }
    }
    return Label("LblMapPage") == QString::asprintf("%02X-%02X", first, first + 1);
  }
};

class MapTabBeforeOpen : public testing::MainFormTest {};

TEST_F(MapTabBeforeOpen, ControlsCarryTheirNamesCaptionsSizesTagsAndFirstTexts) {
  Start();
  EXPECT_EQ(Find<QGroupBox>("GBMapEdit")->title(), QStringLiteral("マップ編集"));
  EXPECT_EQ(Find<QPushButton>("BtnMapEditReload")->text(), QStringLiteral("再読み込み"));
  EXPECT_EQ(Find<QLabel>("LblMapPage")->text(), QStringLiteral("00-01"));
  const QRect roomBar = Find<QScrollBar>("ScrBarMap")->geometry();
  for (const int side : {0, 1}) {
    TImageEx* image = Image(QStringLiteral("ImgEditMapPage%1").arg(side));
    EXPECT_EQ(image->geometry(),
              QRect(roomBar.topLeft() + QPoint(side * 264, -264), QSize(256, 256)));
    EXPECT_FALSE(image->OnMouseDown || image->OnMouseMove || image->OnMouseLeave);
    EXPECT_EQ(TagOf(*image), side);
    EXPECT_EQ(TagOf(*Find<QScrollBar>(side == 0 ? "ScrbarEditMapPage0" : "ScrbarEditMapPage1")),
              side);
    EXPECT_EQ(Find<QLabel>(side == 0 ? "LblMapVal0" : "LblMapVal1")->text(), QStringLiteral("00"));
  }
}

TEST_F(MapTab, TheRoomBarShowsEveryPairClampsRequestsAndAStageChangeStartsAgain) {
  EXPECT_TRUE(ShowsDemoPair(0));
  Bar("ScrBarMap")->triggerAction(QAbstractSlider::SliderSingleStepAdd);
  EXPECT_TRUE(ShowsDemoPair(1));
  QSignalSpy actions(Bar("ScrBarMap"), &QAbstractSlider::actionTriggered);
  Drag(Bar("ScrBarMap"), {30, 78});
  EXPECT_EQ(actions.count(), 2);  // a held thumb reports every move
  EXPECT_EQ(actions.at(0).at(0).toInt(), QAbstractSlider::SliderMove);
  EXPECT_EQ(Label("LblMapPage"), QStringLiteral("4E-4F"));
  EXPECT_TRUE(ShowsDemoPair(78));
  auto& editor = dynamic_cast<MapEditClass&>(form->EditorOf(EditTab::Map));
  editor.ShowRooms(90);
  EXPECT_EQ(Label("LblMapPage"), QStringLiteral("4E-4F"));
  editor.ShowRooms(-3);
  EXPECT_TRUE(ShowsDemoPair(0));
  EXPECT_EQ(Bar("ScrBarMap")->value(), 78);  // left where the user put it

  Drag(Bar("ScrBarMap"), {5});
  Bar(1)->triggerAction(QAbstractSlider::SliderSingleStepAdd);
  form->ShowTab(EditTab::Chip32x32);
  Show();
  EXPECT_EQ(Label("LblMapPage"), QStringLiteral("05-06"));  // the pair survives the tab
  EXPECT_TRUE(Shows(1, DemoMapSetOfRoom(0, 6) + 1));
  form->SelectStage(2);
  Show();
  EXPECT_TRUE(ShowsDemoPair(0));
  EXPECT_EQ(Bar("ScrBarMap")->value(), 0);
  form->SelectStage(0);
  EXPECT_EQ(Stage().Map()[6], DemoMapSetOfRoom(0, 6) + 1);
  EXPECT_EQ(Stage().UndoName(), kMapEdit);
  EXPECT_FALSE(form->Flags().IsMapModified(2));
}

TEST_F(MapTab, ValueBarsRecordEveryNewPositionOnTheirOwnSideAndNothingElse) {
  const int left = DemoMapSetOfRoom(0, 0);
  int* leftDrawings = CountDrawings("ImgEditMapPage0");
  Bar(1)->triggerAction(QAbstractSlider::SliderSingleStepAdd);
  EXPECT_TRUE(Shows(1, DemoMapSetOfRoom(0, 1) + 1));
  EXPECT_EQ(Label("LblMapVal1"), QString::asprintf("%02X", DemoMapSetOfRoom(0, 1) + 1));
  EXPECT_EQ(*leftDrawings, 0);
  EXPECT_EQ(Label("LblMapVal0") + Label("LblMapPage"), QStringLiteral("0000-01"));
  EXPECT_EQ(StatusPanel(0), QStringLiteral("変更あり"));

  Drag(Bar(0), {left + 5, left + 7, left + 7, left + 2});
  for (const int held : {left + 7, left + 5, left}) {  // each entry holds the number before
    EXPECT_EQ(Stage().UndoName(), kMapEdit);
    Stage().Undo();
    EXPECT_EQ(Stage().Map()[0], held);
  }
  Stage().Undo();
  ASSERT_FALSE(Stage().CanUndo());

  // Room 0D uses map set 27, the last: actions that keep the position change nothing.
  form->Flags().ClearAll();
  Drag(Bar("ScrBarMap"), {13});
  for (const auto action : {QAbstractSlider::SliderSingleStepAdd,
                            QAbstractSlider::SliderPageStepAdd, QAbstractSlider::SliderMove}) {
    Bar(0)->triggerAction(action);
  }
  EXPECT_EQ(Stage().Map()[13], 39);
  EXPECT_FALSE(Stage().CanUndo() || form->Flags().IsModified());
}

TEST_F(MapTab, UndoAndRedoByKeyBringBackPictureBarAndLabelAndKeepTheFlag) {
  ActivateWindow();
  const int before = DemoMapSetOfRoom(0, 1);
  Drag(Bar(1), {before + 4});
  const auto item = [&](const char* name) {
    form->Edit1Click();
    return Find<QAction>(name)->text().toStdString();
  };
  EXPECT_EQ(item("Undo1"), "元に戻す(&U) - " + kMapEdit);
  QTest::keyClick(form.get(), Qt::Key_Z, Qt::ControlModifier);
  EXPECT_TRUE(ShowsDemoPair(0));
  EXPECT_EQ(item("Redo1"), "やり直し(&R) - " + kMapEdit);
  QTest::keyClick(form.get(), Qt::Key_Y, Qt::ControlModifier);
  EXPECT_TRUE(Shows(1, before + 4));
  EXPECT_EQ(Bar(1)->value(), before + 4);
  EXPECT_EQ(Label("LblMapVal1"), QString::asprintf("%02X", before + 4));
  EXPECT_TRUE(form->Flags().IsMapModified(0));
}

TEST_F(MapTab, ReloadReadsTheMapAgainOnlyAfterYesAndEmptiesTheWholeHistory) {
  Drag(Bar("ScrBarMap"), {10});
  Drag(Bar(1), {20});
  Stage().SetBGPaletteEntry(18, Stage().BGPalette()[18] ^ 0x10);  // a definition not shown
  Stage().Undo();
  dialogs.confirms = {false, true};
  Find<QPushButton>("BtnMapEditReload")->click();
  EXPECT_EQ(Stage().Map()[11], 20);
  EXPECT_TRUE(Stage().CanUndo() && Stage().CanRedo());
  EXPECT_EQ(Label("LblMapPage"), QStringLiteral("0A-0B"));
  Find<QPushButton>("BtnMapEditReload")->click();
  EXPECT_EQ(dialogs.Texts(testing::ScriptedDialogs::Kind::Confirm).back(),
            QStringLiteral("このステージのマップデータを読み込み直します。よろしいですか？"));
  EXPECT_EQ(Stage().Map()[11], DemoMapSetOfRoom(0, 11));
  EXPECT_FALSE(Stage().CanUndo() || Stage().CanRedo());
  EXPECT_TRUE(form->Flags().IsMapModified(0));
  EXPECT_TRUE(ShowsDemoPair(0));
}

TEST_F(MapTab, ATickThatChangesColoursRecoloursBothRooms) {
  // Definition 0 of stage 0 animates one sub-palette, first after kDemoCycleDelay quiet ticks.
  for (int tick = 0; tick < kDemoCycleDelay; ++tick) EXPECT_FALSE(form->FrameTimerTimer());
  ASSERT_TRUE(form->FrameTimerTimer());
  EXPECT_FALSE(ShowsDemoPair(0));
  EXPECT_TRUE(ShowsDemoPair(0, [this](int index) {
    return index / 4 == kDemoCycleSlot.slot && index % 4 != 0
               ? testing::SequenceColor(kDemoCycleAnimation, 0, index % 4)
               : NesColor(Stage().BGPalette()[index]);
  }));
}

TEST_F(MapTab, BytesNamingNoMapSetAreShownAsTheyAreReadNothingAndStayUntilChosen) {
  std::vector<std::uint8_t> bytes = BuildDemoImage();
  bytes[form->Rom().Addresses().Map(0) + 5] = 0xFF;
  bytes[form->Rom().Addresses().Map(0) + 6] = 0x28;
  WriteImage("odd.nes", bytes);
  ASSERT_TRUE(form->OpenImage(PathOf("odd.nes")));
  Show();
  Drag(Bar("ScrBarMap"), {5});  // under ASan: nothing is read past the map sets
  for (int tick = 0; tick <= kDemoCycleDelay; ++tick) form->FrameTimerTimer();
  EXPECT_TRUE(Shows(0, 0xFF) && Shows(1, 0x28));
  EXPECT_EQ(Label("LblMapVal0") + Label("LblMapVal1"), QStringLiteral("FF28"));
  EXPECT_EQ(Bar(0)->value() + Bar(1)->value(), 39 + 39);
  EXPECT_FALSE(Stage().CanUndo() || form->Flags().IsModified());
  form->Save1Click();
  EXPECT_EQ(testing::ReadFile(folder / "odd.nes"), bytes);

  Drag(Bar(0), {10});
  EXPECT_EQ(Stage().Map()[5], 10);
  form->Undo1Click();
  EXPECT_EQ(Stage().Map()[5], 0xFF);
  EXPECT_FALSE(Stage().CanUndo());
  EXPECT_TRUE(Shows(0, 0xFF));
  EXPECT_EQ(Label("LblMapVal0") + QString::number(Bar(0)->value()), QStringLiteral("FF39"));
}

}  // namespace
}  // namespace zantor
