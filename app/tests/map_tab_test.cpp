// The map tab through its real controls, rooms compared with the map sets read straight from
// the image's bytes.
#include <QGroupBox>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTimer>
#include <functional>

#include "app/tests/main_form_fixture.h"
#include "core/edit_flag_management.h"
#include "core/rom_image_data.h"
#include "editors/map_edit_class.h"
#include "editors/two_digit_hex.h"
#include "graphics/testing/reference_pixels.h"

namespace zantor {
namespace {

using testing::MainFormTest;
using testing::NesColor;
using testing::ReferenceMapSetPixel;
using testing::SequenceColor;

constexpr std::uint32_t kMagenta = 0xFF00FF;
const QString kMapEdit = QStringLiteral("マップの編集");

class MapTab : public MainFormTest {
 protected:
  void SetUp() override {
    MainFormTest::SetUp();
    StartWithDemo();
    Show();
  }
  void Show() {
    Find<QTimer>("FrameTimer")->stop();  // stored colours until a test ticks
    form->ShowTab(EditTab::Map);
  }

  StageData& Stage() { return form->Rom().CurrentStageData(); }
  int CurrentStage() { return form->Rom().CurrentStage(); }
  MapEditClass& Editor() { return dynamic_cast<MapEditClass&>(form->EditorOf(EditTab::Map)); }
  QString Label(const char* name) { return Find<QLabel>(name)->text(); }
  QScrollBar* Bar(const char* name) { return Find<QScrollBar>(name); }
  QScrollBar* ValueBar(int side) {
    return side == 0 ? Bar("ScrbarEditMapPage0") : Bar("ScrbarEditMapPage1");
  }
  DisplayPicture& Room(int side) {
    return *Image(QStringLiteral("ImgEditMapPage%1").arg(side))->Picture();
  }
  // A drag of the thumb over the positions, as the mouse reports it.
  static void Drag(QScrollBar* bar, std::initializer_list<int> positions) {
    bar->setSliderDown(true);
    for (const int position : positions) bar->setSliderPosition(position);
    bar->setSliderDown(false);
  }
  // Whether the room on `side` shows map set `mapSet` of the current stage, colour index i
  // shown as colour(i).
  bool RoomShows(int side, int mapSet, const std::function<std::uint32_t(int)>& colour) {
    std::array<std::uint32_t, 16> colours{};
    for (int i = 0; i < 16; ++i) colours[i] = colour(i);
    const DisplayPicture& room = Room(side);
    for (int y = 0; y < 256; ++y) {
      for (int x = 0; x < 256; ++x) {
        if (room.Pixel(x, y) != colours[ReferenceMapSetPixel(Stage(), mapSet, x, y)]) {
          return false;
        }
      }
    }
    return true;
  }
  bool RoomShows(int side, int mapSet) {
    return RoomShows(side, mapSet, [this](int i) { return NesColor(Stage().BGPalette()[i]); });
  }
  // Both rooms of the pair from `first` show the demo's map sets of those rooms.
  bool PairShowsTheDemo(int first) {
    return RoomShows(0, DemoMapSetOfRoom(CurrentStage(), first)) &&
           RoomShows(1, DemoMapSetOfRoom(CurrentStage(), first + 1));
  }
  int UndoCount() {
    int count = 0;
    for (; Stage().CanUndo(); ++count) Stage().Undo();
    return count;
  }
};

// --- Controls ---------------------------------------------------------------------------

class MapTabBeforeOpen : public MainFormTest {};

TEST_F(MapTabBeforeOpen, ControlsCarryTheirNamesCaptionsSizesTagsAndFirstTexts) {
  Start();
  for (const auto& [name, text] :
       {std::pair{"LblMapVal0", "00"}, {"LblMapVal1", "00"}, {"LblMapPage", "00-01"}}) {
    EXPECT_EQ(Find<QLabel>(name)->text(), QString::fromLatin1(text)) << name;
  }
  EXPECT_EQ(Find<QGroupBox>("GBMapEdit")->title(), QStringLiteral("マップ編集"));
  EXPECT_EQ(Find<QPushButton>("BtnMapEditReload")->text(), QStringLiteral("再読み込み"));
  const QRect bar = Find<QScrollBar>("ScrBarMap")->geometry();
  QRect previous;
  for (const int side : {0, 1}) {
    SCOPED_TRACE(side);
    TImageEx* image = Image(QStringLiteral("ImgEditMapPage%1").arg(side));
    EXPECT_EQ(image->size(), QSize(256, 256));
    EXPECT_EQ(image->property("Tag").toInt(), side);
    EXPECT_FALSE(image->OnMouseDown || image->OnMouseMove || image->OnMouseLeave);
    // Side by side above the room bar.
    EXPECT_LE(image->geometry().bottom(), bar.top());
    if (side == 1) {
      EXPECT_GT(image->geometry().left(), previous.right());
    }
    previous = image->geometry();
    auto* value = Find<QScrollBar>(side == 0 ? "ScrbarEditMapPage0" : "ScrbarEditMapPage1");
    EXPECT_EQ(value->property("Tag").toInt(), side);
    EXPECT_EQ(value->maximum(), 39);
  }
  EXPECT_EQ(Find<QScrollBar>("ScrBarMap")->maximum(), 78);
}

// --- The rooms shown --------------------------------------------------------------------

TEST_F(MapTab, TheRoomBarShowsEveryPairUpTo4E4FAndRequestsAreClamped) {
  EXPECT_TRUE(PairShowsTheDemo(0));
  QScrollBar* rooms = Bar("ScrBarMap");
  rooms->triggerAction(QAbstractSlider::SliderSingleStepAdd);
  EXPECT_EQ(Label("LblMapPage"), QStringLiteral("01-02"));
  EXPECT_TRUE(PairShowsTheDemo(1));
  EXPECT_EQ(Label("LblMapVal1"), TwoDigitHex(DemoMapSetOfRoom(0, 2)));
  EXPECT_EQ(ValueBar(1)->value(), DemoMapSetOfRoom(0, 2));

  QSignalSpy actions(rooms, &QAbstractSlider::actionTriggered);
  Drag(rooms, {30, 78});
  ASSERT_EQ(actions.count(), 2);
  EXPECT_EQ(actions[0][0].toInt(), QAbstractSlider::SliderMove);
  EXPECT_EQ(Label("LblMapPage"), QStringLiteral("4E-4F"));
  EXPECT_TRUE(PairShowsTheDemo(78));
  rooms->triggerAction(QAbstractSlider::SliderSingleStepAdd);
  EXPECT_EQ(Label("LblMapPage"), QStringLiteral("4E-4F"));

  for (const auto& [request, shown] : {std::pair{90, "4E-4F"}, {-3, "00-01"}, {40, "28-29"}}) {
    Editor().ShowRooms(request);
    EXPECT_EQ(Label("LblMapPage"), QString::fromLatin1(shown)) << request;
    EXPECT_EQ(rooms->value(), 78);  // the bar is where the user left it
  }
  EXPECT_EQ(Editor().SecondRoom(), 41);
  EXPECT_FALSE(Stage().CanUndo());
  EXPECT_FALSE(form->Flags().IsModified());
}

TEST_F(MapTab, ThePairSurvivesTabSwitchesAndAStageChangeShowsTheNewStagesFirstRooms) {
  Drag(Bar("ScrBarMap"), {5});
  ValueBar(1)->triggerAction(QAbstractSlider::SliderSingleStepAdd);
  form->ShowTab(EditTab::Chip32x32);
  Show();
  EXPECT_EQ(Label("LblMapPage"), QStringLiteral("05-06"));
  EXPECT_TRUE(RoomShows(1, DemoMapSetOfRoom(0, 6) + 1));

  form->SelectStage(2);
  Show();
  EXPECT_EQ(Label("LblMapPage"), QStringLiteral("00-01"));
  EXPECT_EQ(Bar("ScrBarMap")->value(), 0);
  EXPECT_EQ(Label("LblMapVal0"), TwoDigitHex(DemoMapSetOfRoom(2, 0)));
  EXPECT_EQ(Label("LblMapVal1"), TwoDigitHex(DemoMapSetOfRoom(2, 1)));
  EXPECT_TRUE(PairShowsTheDemo(0));
  EXPECT_FALSE(Stage().CanUndo());

  form->SelectStage(0);
  EXPECT_EQ(Stage().Map()[6], DemoMapSetOfRoom(0, 6) + 1);
  EXPECT_EQ(Stage().UndoName(), kMapEdit.toStdString());
  EXPECT_TRUE(form->Flags().IsMapModified(0));
  EXPECT_FALSE(form->Flags().IsMapModified(2));
}

// --- Choosing map sets ------------------------------------------------------------------

TEST_F(MapTab, AStepOnTheRightBarChangesOnlyTheRightRoom) {
  const int before = DemoMapSetOfRoom(0, 1);
  int* leftDrawings = CountDrawings("ImgEditMapPage0");
  ValueBar(1)->triggerAction(QAbstractSlider::SliderSingleStepAdd);
  EXPECT_EQ(Stage().Map()[1], before + 1);
  EXPECT_TRUE(RoomShows(1, before + 1));
  EXPECT_EQ(Label("LblMapVal1"), TwoDigitHex(before + 1));
  EXPECT_EQ(*leftDrawings, 0);
  EXPECT_EQ(Label("LblMapVal0"), TwoDigitHex(DemoMapSetOfRoom(0, 0)));
  EXPECT_EQ(Label("LblMapPage"), QStringLiteral("00-01"));
  EXPECT_EQ(Stage().Map()[0], DemoMapSetOfRoom(0, 0));
  EXPECT_EQ(Stage().UndoName(), kMapEdit.toStdString());
  EXPECT_TRUE(form->Flags().IsMapModified(0));
  EXPECT_EQ(StatusPanel(0), QStringLiteral("変更あり"));
}

TEST_F(MapTab, ADragRecordsOneEntryPerNewPositionEachHoldingTheNumberBeforeIt) {
  ASSERT_EQ(Stage().Map()[0], 0);
  Drag(ValueBar(0), {5, 7, 7, 2});
  EXPECT_EQ(Stage().Map()[0], 2);
  EXPECT_EQ(Label("LblMapVal0"), QStringLiteral("02"));
  for (const int held : {7, 5, 0}) {
    Stage().Undo();
    EXPECT_EQ(Stage().Map()[0], held);
  }
  EXPECT_FALSE(Stage().CanUndo());
}

TEST_F(MapTab, AnActionThatKeepsThePositionRecordsNothingAndSetsNoFlag) {
  // Room 0D uses map set 27, the last: the right arrow cannot go further.
  ASSERT_EQ(DemoMapSetOfRoom(0, 13), 39);
  Drag(Bar("ScrBarMap"), {13});
  QScrollBar* left = ValueBar(0);
  QSignalSpy actions(left, &QAbstractSlider::actionTriggered);
  left->triggerAction(QAbstractSlider::SliderSingleStepAdd);
  left->triggerAction(QAbstractSlider::SliderPageStepAdd);
  left->triggerAction(QAbstractSlider::SliderMove);
  left->setSliderDown(true);
  left->setSliderDown(false);
  EXPECT_EQ(actions.count(), 3);
  EXPECT_FALSE(Stage().CanUndo());
  EXPECT_FALSE(form->Flags().IsModified());
  EXPECT_EQ(Stage().Map()[13], 39);
}

TEST_F(MapTab, UndoAndRedoByKeyBringBackPictureBarAndLabelAndKeepTheFlag) {
  form->show();
  QApplication::setActiveWindow(form.get());
  ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
  const int before = DemoMapSetOfRoom(0, 1);
  Drag(ValueBar(1), {before + 4});
  const auto menuItem = [&](const char* name) {
    form->Edit1Click();
    return Find<QAction>(name)->text();
  };
  EXPECT_EQ(menuItem("Undo1"), QStringLiteral("元に戻す(&U) - ") + kMapEdit);
  QTest::keyClick(form.get(), Qt::Key_Z, Qt::ControlModifier);
  EXPECT_TRUE(RoomShows(1, before));
  EXPECT_EQ(ValueBar(1)->value(), before);
  EXPECT_EQ(Label("LblMapVal1"), TwoDigitHex(before));
  EXPECT_EQ(menuItem("Redo1"), QStringLiteral("やり直し(&R) - ") + kMapEdit);
  EXPECT_TRUE(form->Flags().IsMapModified(0));
  QTest::keyClick(form.get(), Qt::Key_Y, Qt::ControlModifier);
  EXPECT_TRUE(RoomShows(1, before + 4));
  EXPECT_EQ(ValueBar(1)->value(), before + 4);
  EXPECT_EQ(Label("LblMapVal1"), TwoDigitHex(before + 4));
  EXPECT_EQ(Label("LblMapPage"), QStringLiteral("00-01"));
}

TEST_F(MapTab, ReloadReadsTheMapAgainOnlyAfterYesAndEmptiesTheWholeHistory) {
  const std::int64_t map = form->Rom().Addresses().Map(0);
  Drag(Bar("ScrBarMap"), {10});
  Drag(ValueBar(1), {20, 21});
  // A colour of a definition not shown, so that the rooms keep their colours.
  const std::uint8_t colour = Stage().BGPalette()[18] ^ 0x10;
  Stage().SetBGPaletteEntry(18, colour);
  Stage().SetMapRoom(40, 1);
  Stage().Undo();  // a redo entry too
  const auto edited = std::vector(Stage().Map().begin(), Stage().Map().end());

  dialogs.confirms.push_back(false);
  Find<QPushButton>("BtnMapEditReload")->click();
  EXPECT_EQ(std::vector(Stage().Map().begin(), Stage().Map().end()), edited);
  EXPECT_TRUE(Stage().CanUndo() && Stage().CanRedo());
  EXPECT_EQ(Label("LblMapPage"), QStringLiteral("0A-0B"));

  dialogs.confirms.push_back(true);
  Find<QPushButton>("BtnMapEditReload")->click();
  EXPECT_EQ(dialogs.Texts(testing::ScriptedDialogs::Kind::Confirm).back(),
            QStringLiteral("このステージのマップデータを読み込み直します。よろしいですか？"));
  for (int room = 0; room < kRoomCount; ++room) {
    ASSERT_EQ(Stage().Map()[room], form->Rom().Bytes().Read(map + room)) << room;
  }
  EXPECT_FALSE(Stage().CanUndo());
  EXPECT_FALSE(Stage().CanRedo());
  EXPECT_EQ(Stage().BGPalette()[18], colour);  // only the map is read again
  EXPECT_TRUE(form->Flags().IsMapModified(0));
  EXPECT_EQ(Label("LblMapPage"), QStringLiteral("00-01"));
  EXPECT_EQ(Bar("ScrBarMap")->value(), 0);
  EXPECT_TRUE(PairShowsTheDemo(0));
}

// --- Colours ----------------------------------------------------------------------------

TEST_F(MapTab, ATickThatChangesColoursRecoloursBothRooms) {
  // Definition 0 of stage 0 animates sub-palette kDemoCycleSlot.slot; its first step comes
  // after kDemoCycleDelay quiet ticks.
  const auto animated = [this](int index) {
    return index / 4 == kDemoCycleSlot.slot && index % 4 != 0
               ? SequenceColor(kDemoCycleAnimation, 0, index % 4)
               : NesColor(Stage().BGPalette()[index]);
  };
  for (int tick = 0; tick < kDemoCycleDelay; ++tick) EXPECT_FALSE(form->FrameTimerTimer());
  EXPECT_TRUE(PairShowsTheDemo(0));
  EXPECT_TRUE(form->FrameTimerTimer());
  EXPECT_FALSE(PairShowsTheDemo(0));  // the rooms use the animated colours
  EXPECT_TRUE(RoomShows(0, DemoMapSetOfRoom(0, 0), animated));
  EXPECT_TRUE(RoomShows(1, DemoMapSetOfRoom(0, 1), animated));
}

// --- Bytes that name no map set ---------------------------------------------------------

class MapTabOddBytes : public MapTab {
 protected:
  void SetUp() override {
    MainFormTest::SetUp();
    Start();
    bytes = BuildDemoImage();
    const std::int64_t map = form->Rom().Addresses().Map(0);
    bytes[map + 5] = 0xFF;
    bytes[map + 6] = 0x28;
    WriteImage("odd.nes", bytes);
    ASSERT_TRUE(form->OpenImage(PathOf("odd.nes")));
    Show();
  }
  // Black, with a magenta frame round every 32x32 cell.
  bool ShowsNoMapSet(int side) {
    const DisplayPicture& room = Room(side);
    for (int y = 0; y < 256; ++y) {
      for (int x = 0; x < 256; ++x) {
        const bool edge = x % 32 == 0 || x % 32 == 31 || y % 32 == 0 || y % 32 == 31;
        if (room.Pixel(x, y) != (edge ? kMagenta : NesColor(0x0F))) return false;
      }
    }
    return true;
  }

  std::vector<std::uint8_t> bytes;
};

TEST_F(MapTabOddBytes, ShowingThemReadsNothingOutsideTheMapSetsAndKeepsTheBytes) {
  Drag(Bar("ScrBarMap"), {5});
  EXPECT_TRUE(ShowsNoMapSet(0));
  EXPECT_TRUE(ShowsNoMapSet(1));
  EXPECT_EQ(Label("LblMapVal0"), QStringLiteral("FF"));
  EXPECT_EQ(Label("LblMapVal1"), QStringLiteral("28"));
  EXPECT_EQ(ValueBar(0)->value(), 39);
  EXPECT_EQ(ValueBar(1)->value(), 39);
  Show();
  for (int tick = 0; tick <= kDemoCycleDelay; ++tick) form->FrameTimerTimer();
  EXPECT_TRUE(ShowsNoMapSet(0));
  EXPECT_EQ(Stage().Map()[5], 0xFF);
  EXPECT_EQ(Stage().Map()[6], 0x28);
  EXPECT_FALSE(Stage().CanUndo());
  EXPECT_FALSE(form->Flags().IsModified());
  form->Save1Click();
  EXPECT_EQ(testing::ReadFile(folder / "odd.nes"), bytes);
}

TEST_F(MapTabOddBytes, PickingANumberRecordsOneEntryWhoseUndoBringsTheByteBack) {
  Drag(Bar("ScrBarMap"), {5});
  Drag(ValueBar(0), {10});
  EXPECT_EQ(Stage().Map()[5], 10);
  EXPECT_TRUE(RoomShows(0, 10));
  EXPECT_EQ(Label("LblMapVal0"), QStringLiteral("0A"));
  EXPECT_TRUE(ShowsNoMapSet(1));
  form->Undo1Click();
  EXPECT_EQ(Stage().Map()[5], 0xFF);
  EXPECT_FALSE(Stage().CanUndo());
  EXPECT_TRUE(ShowsNoMapSet(0));
  EXPECT_EQ(Label("LblMapVal0"), QStringLiteral("FF"));
  EXPECT_EQ(ValueBar(0)->value(), 39);
}

}  // namespace
}  // namespace zantor
