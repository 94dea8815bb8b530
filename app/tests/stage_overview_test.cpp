// The stage overview window: the rooms of the current stage as the stage picture draws them,
// kept current after every kind of change, a click showing a room on the map and object tabs,
// and its place kept in the settings file.
#include <QCheckBox>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QToolButton>

#include "app/stage_overview_form.h"
#include "app/tests/main_form_fixture.h"
#include "core/fc_palette_data.h"
#include "core/my_mem_ini_file.h"
#include "core/testing/recording_sinks.h"
#include "editors/two_digit_hex.h"
#include "editors/up_down_buttons.h"
#include "graphics/stage_picture.h"

namespace zantor {
namespace {

constexpr std::uint32_t kMagenta = 0xFF00FF;
constexpr std::uint32_t kCyan = 0xFFFF00;

std::uint32_t Colour(QRgb pixel) { return qRed(pixel) | qGreen(pixel) << 8 | qBlue(pixel) << 16; }

class StageOverview : public testing::MainFormTest {
 protected:
  TStageOverviewForm* Overview() { return Find<TStageOverviewForm>("StageOverviewForm"); }
  QWidget* View() { return Find<QWidget>("ImgStageOverview"); }
  void ShowOverview() {
    Find<QAction>("StageOverview1")->trigger();
    Overview()->resize(1000, 400);
    QApplication::processEvents();
  }
  // The shown rooms after the next paint.
  QImage Shown() {
    View()->grab();
    return Overview()->ShownRooms();
  }
  // Shown pixels that differ from the stage picture of the current stage in the colours
  // chosen on the palette tab, each shown pixel (x, y) standing for picture pixel
  // (x * width / shown width, y * height / shown height).
  int WrongPixels(bool objects) {
    const QImage shown = Shown();
    FcPaletteData palette;
    testing::RecordingNotifier notifier;
    EXPECT_TRUE(palette.Load(folder / "fcpalette.pal", notifier));
    StagePictureRequest request;
    request.stage = form->Rom().CurrentStage();
    request.definition = Find<QComboBox>("CBSelectPaletteSet")->currentIndex();
    request.objects = objects;
    const auto picture = DrawStagePicture(palette, form->Rom(), request);
    const std::int64_t w = picture->Width();
    const std::int64_t h = picture->Height();
    EXPECT_EQ(shown.width(), View()->width());  // as wide as fits
    int wrong = 0;
    for (int y = 0; y < shown.height(); ++y) {
      for (int x = 0; x < shown.width(); ++x) {
        const std::uint32_t expected = picture->Pixel(static_cast<int>(x * w / shown.width()),
                                                      static_cast<int>(y * h / shown.height()));
        wrong += Colour(shown.pixel(x, y)) != expected;
      }
    }
    return wrong;
  }
  void ScrollTo(const char* name, int value) {
    auto* bar = Find<QScrollBar>(name);
    bar->setValue(value == 0 ? 1 : value - 1);
    bar->triggerAction(value == 0 ? QAbstractSlider::SliderSingleStepSub
                                  : QAbstractSlider::SliderSingleStepAdd);
  }
  void ClickObjectsBox() {
    auto* box = Find<QCheckBox>("ChkStageOverviewObjects");
    QTest::mouseClick(box, Qt::LeftButton, Qt::NoModifier, {6, box->height() / 2});
  }
  std::uint32_t ShownAt(QPoint at) { return Colour(View()->grab().toImage().pixel(at)); }
};

TEST_F(StageOverview, ShowsTheStagePictureAfterEveryKindOfChange) {
  StartWithDemo();
  Find<QTimer>("FrameTimer")->stop();
  ShowOverview();
  EXPECT_EQ(WrongPixels(true), 0) << "shown";
  const auto& stage = Stage();
  const int mapSet = stage.Map()[0];
  const int chip32 = stage.MapSet()[mapSet * 64];
  const int chip16 = stage.Chip32x32()[chip32 * 4];
  struct Change {
    const char* name;
    std::function<void()> run;
  };
  const std::vector<Change> changes = {
      {"16x16 chip",
       [&] {
         form->ShowTab(EditTab::Chip16x16);
         Click("ImgEdit16x16ChipView", Qt::LeftButton,
               {chip16 % 16 * 16 + 8, chip16 / 16 * 16 + 8});
         const int tile = (stage.Chip16x16()[chip16] + 1) % 256;
         Click("ImgBGBankTable", Qt::LeftButton, {tile % 16 * 8 + 4, tile / 16 * 8 + 4});
         Click("ImgEdit16x16Chip", Qt::LeftButton, {8, 8});
       }},
      {"32x32 chip",
       [&] {
         form->ShowTab(EditTab::Chip32x32);
         const int part = (chip16 + 3) % 256;
         Click("Img16x16ChipTable", Qt::LeftButton, {part % 16 * 16 + 4, part / 16 * 16 + 4});
         Click("ImgEdit32x32ChipView", Qt::LeftButton, {chip32 % 16 * 32 + 4, chip32 / 16 * 32 + 4},
               Qt::ShiftModifier);
       }},
      {"map set",
       [&] {
         form->ShowTab(EditTab::MapSet);
         ScrollTo("ScrBarMapSet", mapSet);
         const int chip = (stage.MapSet()[mapSet * 64 + 9] + 1) % 256;
         Click("Img32x32ChipTable", Qt::LeftButton, {chip % 16 * 16 + 3, chip / 16 * 16 + 3});
         Click("ImgEditMapSetPage0", Qt::LeftButton, {32 + 4, 32 + 4});
       }},
      {"map", [&] { ScrollTo("ScrbarEditMapPage1", (stage.Map()[1] + 1) % 40); }},
      {"object",
       [&] {
         form->ShowTab(EditTab::Object);
         QTest::mouseClick(Find<QPushButton>("BtnObjectCreate"), Qt::LeftButton);
       }},
      {"object moved",
       [&] {
         for (int step = 0; step < 16; ++step) {
           Find<UpDownButtons>("UDObjectX")->UpButton()->click();
         }
       }},
      {"undo", [&] { form->Undo1Click(); }},
      {"stage", [&] { form->SelectStage(2); }},
      {"open", [&] { ASSERT_TRUE(form->OpenImage(PathOf("demo.nes"))); }},
  };
  for (const Change& change : changes) {
    SCOPED_TRACE(change.name);
    const QImage before = Shown();
    change.run();
    EXPECT_NE(Shown(), before) << "the change must show";
    EXPECT_EQ(WrongPixels(true), 0);
  }
  ClickObjectsBox();
  EXPECT_EQ(WrongPixels(false), 0) << "without markers";
  ScrollTo("ScrbarEditMapPage0", (Stage().Map()[0] + 1) % 40);
  EXPECT_EQ(WrongPixels(false), 0) << "a map edit without markers";
}

TEST_F(StageOverview, AClickShowsTheRoomOnTheMapAndObjectTabsAndMovesBothFrames) {
  StartWithDemo();
  ShowOverview();
  form->ShowTab(EditTab::Palette);
  for (const auto& [room, pair, first] : std::vector<std::tuple<int, QString, int>>{
           {0x00, "00-01", 0x00}, {0x27, "27-28", 0x27}, {0x4F, "4E-4F", 0x4E}}) {
    SCOPED_TRACE(pair.toStdString());
    QTest::mouseClick(View(), Qt::LeftButton, {}, Overview()->RoomRect(room).center());
    EXPECT_EQ(Label("LblMapPage"), pair);
    EXPECT_EQ(Label("LblObjectRoom"), pair);
    EXPECT_EQ(Find<QScrollBar>("ScrBarMap")->value(), first);
    EXPECT_EQ(Find<QScrollBar>("ScrBarObjectMap")->value(), first);
    EXPECT_EQ(form->ActiveTab(), EditTab::Palette);
    const QRect left = Overview()->RoomRect(first);
    const QRect right = Overview()->RoomRect(first + 1);
    EXPECT_EQ(ShownAt(left.topLeft() + QPoint(9, 1)), kMagenta) << "map frame";
    EXPECT_EQ(ShownAt(right.bottomRight() - QPoint(9, 0)), kMagenta);
    EXPECT_EQ(ShownAt(left.topLeft() + QPoint(9, 2)), kCyan) << "object frame";
    const QRect away = Overview()->RoomRect(first == 0 ? 0x30 : 0x10);
    EXPECT_NE(ShownAt(away.topLeft() + QPoint(9, 1)), kMagenta) << "the old frame is gone";
  }
  const QPoint over = Overview()->RoomRect(0x27).center();
  QMouseEvent move(QEvent::MouseMove, over, View()->mapToGlobal(over), Qt::NoButton, Qt::NoButton,
                   Qt::NoModifier);
  QApplication::sendEvent(View(), &move);
  EXPECT_EQ(Label("LblStageOverviewStatus"),
            QStringLiteral("部屋番号:27 マップセット番号:") + TwoDigitHex(Stage().Map()[0x27]));
  QEvent leave(QEvent::Leave);
  QApplication::sendEvent(View(), &leave);
  EXPECT_EQ(Label("LblStageOverviewStatus"), QString());
}

TEST_F(StageOverview, ItsPlaceSizeAndChoicesAreReadAndWrittenBesideTheOtherSettings) {
  folder.Write("zantor5editor.ini",
               "[ObjectEdit]\nSort=0\n[Timer]\nInterval=40\n"
               "[StageOverview]\nShown=1\nX=120\nY=80\nWidth=900\nHeight=420\nObjects=0\n");
  Start();
  EXPECT_TRUE(Find<QAction>("StageOverview1")->isChecked());
  EXPECT_TRUE(Overview()->isHidden()) << "no image yet";
  ASSERT_TRUE(form->OpenImage(PathOf("demo.nes")));
  EXPECT_FALSE(Overview()->isHidden());
  EXPECT_EQ(Overview()->pos(), QPoint(120, 80));
  EXPECT_EQ(Overview()->size(), QSize(900, 420));
  EXPECT_FALSE(Find<QCheckBox>("ChkStageOverviewObjects")->isChecked());

  Overview()->move(200, 150);
  Overview()->resize(700, 300);
  ClickObjectsBox();
  ASSERT_TRUE(form->close());
  const TMyMemIniFile written(folder / "zantor5editor.ini");
  for (const auto& [key, value] :
       std::vector<std::pair<const char*, const char*>>{{"Shown", "1"},
                                                        {"X", "200"},
                                                        {"Y", "150"},
                                                        {"Width", "700"},
                                                        {"Height", "300"},
                                                        {"Objects", "1"}}) {
    EXPECT_EQ(written.ReadString("StageOverview", key, ""), value) << key;
  }
  EXPECT_EQ(written.ReadString("ObjectEdit", "Sort", ""), "0");
  EXPECT_EQ(written.ReadString("Timer", "Interval", ""), "40");
  EXPECT_NE(written.ReadString("LevelDataAddress", "BGBank", ""), "");
  EXPECT_NE(written.ReadString("ShareData", "level.11", "<missing>"), "<missing>");
}

TEST_F(StageOverview, HiddenWithoutAnImageAndUncheckedWhenClosed) {
  Start();
  QAction* item = Find<QAction>("StageOverview1");
  QMenu* view = Find<QMenu>("View1");
  EXPECT_EQ(view->title(), QStringLiteral("表示(&V)"));
  EXPECT_EQ(item->text(), QStringLiteral("ステージ全体図(&O)"));
  EXPECT_EQ(item->shortcut(), QKeySequence(Qt::Key_F2));
  EXPECT_FALSE(view->menuAction()->isVisible());
  EXPECT_FALSE(item->isChecked());
  ASSERT_TRUE(form->OpenImage(PathOf("demo.nes")));
  EXPECT_TRUE(view->menuAction()->isVisible());
  EXPECT_TRUE(Overview()->isHidden());
  ShowOverview();
  EXPECT_FALSE(Overview()->isHidden());
  EXPECT_TRUE(Overview()->isWindow() && !Overview()->isModal());

  form->Close1Click();
  EXPECT_TRUE(Overview()->isHidden());
  EXPECT_FALSE(view->menuAction()->isVisible());
  EXPECT_TRUE(item->isChecked()) << "shown again with the next image";
  ASSERT_TRUE(form->OpenImage(PathOf("demo.nes")));
  EXPECT_FALSE(Overview()->isHidden());

  EXPECT_TRUE(Overview()->close());
  EXPECT_TRUE(Overview()->isHidden());
  EXPECT_FALSE(item->isChecked());
  item->trigger();
  EXPECT_FALSE(Overview()->isHidden());
  item->trigger();
  EXPECT_TRUE(Overview()->isHidden());
}

}  // namespace
}  // namespace zantor
