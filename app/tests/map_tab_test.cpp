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
#include "editors/two_digit_hex.h"
#include "graphics/testing/reference_pixels.h"

namespace zantor {
namespace {

using testing::NesColor;
using Colours = std::function<std::uint32_t(int index)>;

const QString kMapEdit = QStringLiteral("マップの編集");

class MapTab : public testing::MainFormTest {
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
  QString Label(const char* name) { return Find<QLabel>(name)->text(); }
  QScrollBar* Bar(int side) {
    return Find<QScrollBar>(side == 0 ? "ScrbarEditMapPage0" : "ScrbarEditMapPage1");
  }
  QScrollBar* RoomBar() { return Find<QScrollBar>("ScrBarMap"); }
  // The thumb held and moved over the positions, as the mouse reports a drag.
  static void Drag(QScrollBar* bar, std::initializer_list<int> positions) {
    bar->setSliderDown(true);
    for (const int position : positions) bar->setSliderPosition(position);
    bar->setSliderDown(false);
  }
  // Whether the room on `side` shows map set `mapSet`, in the stored colours unless told.
  bool Shows(int side, int mapSet, Colours colours = {}) {
    if (!colours) colours = [this](int i) { return NesColor(Stage().BGPalette()[i]); };
    std::array<std::uint32_t, 16> shown{};
    for (int i = 0; i < 16; ++i) shown[i] = colours(i);
    const DisplayPicture& room = *Image(QStringLiteral("ImgEditMapPage%1").arg(side))->Picture();
    for (int y = 0; y < 256; ++y) {
      for (int x = 0; x < 256; ++x) {
        const int index = testing::ReferenceMapSetPixel(Stage(), mapSet, x, y);
        if (room.Pixel(x, y) != shown[index]) return false;
      }
    }
    return true;
  }
  bool ShowsDemoRooms(int first, Colours colours = {}) {
    const int stage = form->Rom().CurrentStage();
    return Shows(0, DemoMapSetOfRoom(stage, first), colours) &&
           Shows(1, DemoMapSetOfRoom(stage, first + 1), colours);
  }
};

class MapTabBeforeOpen : public testing::MainFormTest {};

TEST_F(MapTabBeforeOpen, ControlsCarryTheirNamesCaptionsSizesTagsAndFirstTexts) {
  Start();
  EXPECT_EQ(Find<QLabel>("LblMapPage")->text(), QStringLiteral("00-01"));
  EXPECT_EQ(Find<QGroupBox>("GBMapEdit")->title(), QStringLiteral("マップ編集"));
  EXPECT_EQ(Find<QPushButton>("BtnMapEditReload")->text(), QStringLiteral("再読み込み"));
  const QRect roomBar = Find<QScrollBar>("ScrBarMap")->geometry();
  EXPECT_EQ(Find<QScrollBar>("ScrBarMap")->maximum(), 78);
  for (const int side : {0, 1}) {
    const QString n = QString::number(side);
    TImageEx* image = Image("ImgEditMapPage" + n);
    EXPECT_EQ(image->geometry().size(), QSize(256, 256));
    EXPECT_EQ(image->geometry().topLeft(), roomBar.topLeft() + QPoint(side * 264, -264));
    EXPECT_FALSE(image->OnMouseDown || image->OnMouseMove || image->OnMouseLeave);
    auto* bar = Find<QScrollBar>(("ScrbarEditMapPage" + n).toLatin1().constData());
    EXPECT_EQ(TagOf(*image), side);
    EXPECT_EQ(TagOf(*bar), side);
    EXPECT_EQ(bar->maximum(), 39);
    EXPECT_EQ(Find<QLabel>(("LblMapVal" + n).toLatin1().constData())->text(), "00");
  }
}

TEST_F(MapTab, TheRoomBarShowsEveryPairClampsRequestsAndAStageChangeStartsAgain) {
  EXPECT_TRUE(ShowsDemoRooms(0));
  RoomBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
  EXPECT_EQ(Label("LblMapPage"), QStringLiteral("01-02"));
  EXPECT_TRUE(ShowsDemoRooms(1));
  EXPECT_EQ(Bar(1)->value(), DemoMapSetOfRoom(0, 2));
  EXPECT_EQ(Label("LblMapVal1"), TwoDigitHex(DemoMapSetOfRoom(0, 2)));
  QSignalSpy actions(RoomBar(), &QAbstractSlider::actionTriggered);
  Drag(RoomBar(), {30, 78});
  EXPECT_EQ(actions.count(), 2);  // a held thumb reports every move
  EXPECT_EQ(actions.at(0).at(0).toInt(), QAbstractSlider::SliderMove);
  EXPECT_EQ(Label("LblMapPage"), QStringLiteral("4E-4F"));
  EXPECT_TRUE(ShowsDemoRooms(78));
  auto& editor = dynamic_cast<MapEditClass&>(form->EditorOf(EditTab::Map));
  for (const auto& [request, shown] : {std::pair{90, "4E-4F"}, {-3, "00-01"}}) {
    editor.ShowRooms(request);
    EXPECT_EQ(Label("LblMapPage"), QString::fromLatin1(shown)) << request;
    EXPECT_EQ(RoomBar()->value(), 78);  // left where the user put it
  }
  Drag(RoomBar(), {5});
  Bar(1)->triggerAction(QAbstractSlider::SliderSingleStepAdd);
  form->ShowTab(EditTab::Chip32x32);
  Show();
  EXPECT_EQ(Label("LblMapPage"), QStringLiteral("05-06"));  // the pair survives the tab
  EXPECT_TRUE(Shows(1, DemoMapSetOfRoom(0, 6) + 1));

  form->SelectStage(2);
  Show();
  EXPECT_EQ(Label("LblMapPage"), QStringLiteral("00-01"));
  EXPECT_EQ(Label("LblMapVal1"), TwoDigitHex(DemoMapSetOfRoom(2, 1)));
  EXPECT_EQ(RoomBar()->value(), 0);
  EXPECT_TRUE(ShowsDemoRooms(0));
  form->SelectStage(0);
  EXPECT_EQ(Stage().Map()[6], DemoMapSetOfRoom(0, 6) + 1);
  EXPECT_EQ(Stage().UndoName(), kMapEdit.toStdString());
  EXPECT_FALSE(form->Flags().IsMapModified(2));
}

TEST_F(MapTab, ValueBarsRecordEveryNewPositionOnTheirOwnSideAndNothingElse) {
  const int left = DemoMapSetOfRoom(0, 0);
  int* leftDrawings = CountDrawings("ImgEditMapPage0");
  Bar(1)->triggerAction(QAbstractSlider::SliderSingleStepAdd);
  EXPECT_TRUE(Shows(1, DemoMapSetOfRoom(0, 1) + 1));
  EXPECT_EQ(Label("LblMapVal1"), TwoDigitHex(DemoMapSetOfRoom(0, 1) + 1));
  EXPECT_EQ(*leftDrawings, 0);
  EXPECT_EQ(Label("LblMapVal0"), TwoDigitHex(left));
  EXPECT_EQ(Label("LblMapPage"), QStringLiteral("00-01"));
  EXPECT_TRUE(form->Flags().IsMapModified(0));
  EXPECT_EQ(StatusPanel(0), QStringLiteral("変更あり"));

  Drag(Bar(0), {left + 5, left + 7, left + 7, left + 2});
  EXPECT_EQ(Label("LblMapVal0"), TwoDigitHex(left + 2));
  for (const int held : {left + 7, left + 5, left}) {  // each entry holds the number before
    EXPECT_EQ(Stage().UndoName(), kMapEdit.toStdString());
    Stage().Undo();
    EXPECT_EQ(Stage().Map()[0], held);
  }
  Stage().Undo();
  EXPECT_FALSE(Stage().CanUndo());

  // Room 0D uses map set 27, the last: actions that keep the position change nothing.
  form->Flags().ClearAll();
  Drag(RoomBar(), {13});
  ASSERT_EQ(Bar(0)->value(), 39);
  for (const auto action : {QAbstractSlider::SliderSingleStepAdd,
                            QAbstractSlider::SliderPageStepAdd, QAbstractSlider::SliderMove}) {
    Bar(0)->triggerAction(action);
  }
  EXPECT_FALSE(Stage().CanUndo());
  EXPECT_FALSE(form->Flags().IsModified());
}

TEST_F(MapTab, UndoAndRedoByKeyBringBackPictureBarAndLabelAndKeepTheFlag) {
  form->show();
  QApplication::setActiveWindow(form.get());
  ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
  const int before = DemoMapSetOfRoom(0, 1);
  Drag(Bar(1), {before + 4});
  const auto item = [&](const char* name) {
    form->Edit1Click();
    return Find<QAction>(name)->text();
  };
  EXPECT_EQ(item("Undo1"), QStringLiteral("元に戻す(&U) - ") + kMapEdit);
  for (const auto& [key, shown] : {std::pair{Qt::Key_Z, before}, {Qt::Key_Y, before + 4}}) {
    QTest::keyClick(form.get(), key, Qt::ControlModifier);
    EXPECT_TRUE(Shows(1, shown));
    EXPECT_EQ(Bar(1)->value(), shown);
    EXPECT_EQ(Label("LblMapVal1"), TwoDigitHex(shown));
    if (key == Qt::Key_Z) {
      EXPECT_EQ(item("Redo1"), QStringLiteral("やり直し(&R) - ") + kMapEdit);
    }
  }
  EXPECT_TRUE(form->Flags().IsMapModified(0));
}

TEST_F(MapTab, ReloadReadsTheMapAgainOnlyAfterYesAndEmptiesTheWholeHistory) {
  Drag(RoomBar(), {10});
  Drag(Bar(1), {20});
  Stage().SetBGPaletteEntry(18, Stage().BGPalette()[18] ^ 0x10);  // a definition not shown
  Stage().Undo();
  const std::vector<std::uint8_t> edited(Stage().Map().begin(), Stage().Map().end());
  dialogs.confirms.push_back(false);
  Find<QPushButton>("BtnMapEditReload")->click();
  EXPECT_EQ(std::vector(Stage().Map().begin(), Stage().Map().end()), edited);
  EXPECT_TRUE(Stage().CanUndo() && Stage().CanRedo());
  EXPECT_EQ(Label("LblMapPage"), QStringLiteral("0A-0B"));

  dialogs.confirms.push_back(true);
  Find<QPushButton>("BtnMapEditReload")->click();
  EXPECT_EQ(dialogs.Texts(testing::ScriptedDialogs::Kind::Confirm).back(),
            QStringLiteral("このステージのマップデータを読み込み直します。よろしいですか？"));
  EXPECT_EQ(Stage().Map()[11], DemoMapSetOfRoom(0, 11));
  EXPECT_FALSE(Stage().CanUndo() || Stage().CanRedo());
  EXPECT_TRUE(form->Flags().IsMapModified(0));
  EXPECT_EQ(Label("LblMapPage"), QStringLiteral("00-01"));
  EXPECT_TRUE(ShowsDemoRooms(0));
}

TEST_F(MapTab, ATickThatChangesColoursRecoloursBothRooms) {
  // Definition 0 of stage 0 animates one sub-palette, first after kDemoCycleDelay quiet ticks.
  for (int tick = 0; tick < kDemoCycleDelay; ++tick) EXPECT_FALSE(form->FrameTimerTimer());
  ASSERT_TRUE(form->FrameTimerTimer());
  EXPECT_FALSE(ShowsDemoRooms(0));
  EXPECT_TRUE(ShowsDemoRooms(0, [this](int index) {
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
  // Black, a magenta frame round every 32x32 cell (under ASan: nothing read past the sets).
  const auto showsNoMapSet = [&](int side) {
    const DisplayPicture& room = *Image(QStringLiteral("ImgEditMapPage%1").arg(side))->Picture();
    for (int y = 0; y < 256; ++y) {
      for (int x = 0; x < 256; ++x) {
        const bool edge = x % 32 == 0 || x % 32 == 31 || y % 32 == 0 || y % 32 == 31;
        if (room.Pixel(x, y) != (edge ? 0xFF00FF : NesColor(0x0F))) return false;
      }
    }
    return true;
  };
  Show();
  Drag(RoomBar(), {5});
  for (int tick = 0; tick <= kDemoCycleDelay; ++tick) form->FrameTimerTimer();
  EXPECT_TRUE(showsNoMapSet(0) && showsNoMapSet(1));
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
  EXPECT_TRUE(showsNoMapSet(0));
  EXPECT_EQ(Label("LblMapVal0"), QStringLiteral("FF"));
  EXPECT_EQ(Bar(0)->value(), 39);
}

}  // namespace
}  // namespace zantor
