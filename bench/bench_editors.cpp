// The editors' hot paths under the mouse and the frame timer, on the demo image in a real
// main window (offscreen), each against a baseline measured in the same run or a budget.
#include <QApplication>
#include <QCheckBox>
#include <QScrollBar>
#include <algorithm>
#include <memory>

#include "app/cached_primitive_style.h"
#include "app/stage_overview_form.h"
#include "bench/bench_ratios.h"
#include "bench/editor_scene.h"
#include "bench/painted_window.h"
#include "core/fc_palette_data.h"
#include "core/rom_image_data.h"
#include "editors/chip16x16_edit_class.h"
#include "editors/chip32x32_edit_class.h"
#include "editors/map_edit_class.h"
#include "editors/map_set_edit_class.h"
#include "editors/object_edit_class.h"
#include "graphics/image_ex.h"
#include "graphics/room_picture.h"
#include "graphics/stage_picture.h"

namespace zantor {
namespace {

constexpr double kFrameMicroseconds = 16'000;
// What the map tab writes when it draws both rooms: two 256 x 256 pictures of 4 bytes a pixel.
constexpr std::size_t kTwoRoomsBytes = 2 * kRoomSide * kRoomSide * 4;
// The stage picture: 80 rooms of the same.
constexpr std::size_t kStagePictureBytes = std::size_t{kRoomCount} * kRoomSide * kRoomSide * 4;

// Made on first use and ended by main while the application object still lives: shown
// windows must not outlive it.
std::unique_ptr<bench::EditorScene>& SceneHolder() {
  static std::unique_ptr<bench::EditorScene> scene;
  return scene;
}

bench::EditorScene& TheScene() {
  if (!SceneHolder()) SceneHolder() = std::make_unique<bench::EditorScene>();
  return *SceneHolder();
}

// Ticks until one changes a colour: the quiet ticks before it and the recolouring of the
// shown tab's pictures.
void PaletteAnimationTick(benchmark::State& state) {
  TMainForm& form = TheScene().Form();
  form.ShowTab(EditTab::Palette);
  for (auto _ : state) {
    while (!form.FrameTimerTimer()) {
    }
    benchmark::ClobberMemory();
  }
}

Chip16x16EditClass& Chip16x16Editor() {
  TMainForm& form = TheScene().Form();
  form.ShowTab(EditTab::Chip16x16);
  return dynamic_cast<Chip16x16EditClass&>(form.EditorOf(EditTab::Chip16x16));
}

// One tile painted into a quadrant of the edited chip under the pointer: recorded, the chip
// decoded into the sheet and copied to the table and the enlarged view, the frame drawn
// again.
void PaintQuadrant(benchmark::State& state) {
  Chip16x16EditClass& editor = Chip16x16Editor();
  editor.ChipTableMouseDown(Qt::LeftButton, false, 5 * 16 + 4, 12 * 16 + 4);
  editor.EditedChipMouseMove(40, 8);
  editor.BankTableMouseDown(Qt::LeftButton, 0x21 % 16 * 16, 0x21 / 16 * 16);
  StageData& stage = TheScene().Form().Rom().CurrentStageData();
  for (auto _ : state) {
    editor.EditedChipMouseDown(Qt::LeftButton, 40, 8);
    stage.Undo();  // the data only, so that the next paint changes the chip again
    benchmark::ClobberMemory();
  }
}

// Every chip decoded again and the whole table copied: what a bank change costs.
void RebuildChipTable(benchmark::State& state) {
  Chip16x16EditClass& editor = Chip16x16Editor();
  for (auto _ : state) {
    editor.RebuildChipSheet();
    editor.DrawChipTable();
    benchmark::ClobberMemory();
  }
}

Chip32x32EditClass& Chip32x32Editor() {
  TMainForm& form = TheScene().Form();
  form.ShowTab(EditTab::Chip32x32);
  return dynamic_cast<Chip32x32EditClass&>(form.EditorOf(EditTab::Chip32x32));
}

// Shift + left on the view with the grid on: one part recorded, the chip composed again and
// copied to the view with its grid lines, the edited chip's picture and labels, the frame.
void Place32x32Part(benchmark::State& state) {
  Chip32x32EditClass& editor = Chip32x32Editor();
  TheScene().Form().findChild<QCheckBox*>("Chk32x32ChipEditDrawGrid")->setChecked(true);
  editor.ViewMouseMove(3 * 32 + 4, 2 * 32 + 4);
  editor.ChipTableMouseDown(Qt::LeftButton, 0x33 % 16 * 16, 0x33 / 16 * 16);
  StageData& stage = TheScene().Form().Rom().CurrentStageData();
  for (auto _ : state) {
    editor.ViewMouseDown(Qt::LeftButton, true, false, 3 * 32 + 4, 2 * 32 + 4);
    stage.Undo();  // the data only, so that the next placing changes the chip again
    benchmark::ClobberMemory();
  }
}

// Every chip composed again and the shown half copied with the grid.
void RebuildView(benchmark::State& state) {
  Chip32x32EditClass& editor = Chip32x32Editor();
  for (auto _ : state) {
    editor.RebuildChipSheet();
    editor.DrawView();
    benchmark::ClobberMemory();
  }
}

MapSetEditClass& MapSetEditor(bool grid) {
  TMainForm& form = TheScene().Form();
  form.findChild<QCheckBox*>("ChkMapSetEditDrawGrid")->setChecked(grid);
  form.ShowTab(EditTab::MapSet);
  return dynamic_cast<MapSetEditClass&>(form.EditorOf(EditTab::MapSet));
}

// The pointer from one cell of Page0 to the next: the old cell drawn back (and the grid, when
// shown), the new one framed.
void MapSetHover(benchmark::State& state, bool grid) {
  MapSetEditClass& editor = MapSetEditor(grid);
  int turn = 0;
  for (auto _ : state) {
    editor.HoverPage(0, (++turn & 1) * 32 + 4, 68);
    benchmark::ClobberMemory();
  }
}

void MapSetDrawPage(benchmark::State& state, bool grid) {
  MapSetEditClass& editor = MapSetEditor(grid);
  for (auto _ : state) {
    editor.DrawPage(0);
    benchmark::ClobberMemory();
  }
}

// A left click placing the selected chip under the pointer; two chips in turn.
// Each place pushes an undo step: both place cases start from an empty history, so that the
// one run later does not pay for the steps the earlier one left.
void ForgetPlaces() { TheScene().Form().Rom().CurrentStageData().ClearHistory(); }

void MapSetPlaceChip(benchmark::State& state) {
  MapSetEditClass& editor = MapSetEditor(false);
  editor.HoverPage(0, 100, 100);
  ForgetPlaces();
  int turn = 0;
  for (auto _ : state) {
    editor.SetSelectedChip(++turn & 1);
    editor.PageMouseDown(0, Qt::LeftButton, false, false, 100, 100);
    benchmark::ClobberMemory();
  }
}

// The same placing with the stage overview shown, on the map set most rooms use: the place,
// then the overview's look that draws the placed cell again in each of those rooms.
void MapSetPlaceChipWithOverview(benchmark::State& state) {
  TMainForm& form = TheScene().Form();
  MapSetEditClass& editor = MapSetEditor(false);
  const StageData& stage = form.Rom().CurrentStageData();
  std::array<int, kMapSetCount> rooms{};
  for (const std::uint8_t mapSet : stage.Map()) {
    if (mapSet < kMapSetCount) ++rooms[mapSet];
  }
  const int mostUsed =
      static_cast<int>(std::max_element(rooms.begin(), rooms.end()) - rooms.begin());
  editor.SetPageMapSet(0, mostUsed);
  editor.HoverPage(0, 100, 100);
  TStageOverviewForm& overview = *form.StageOverview();
  overview.SetWanted(true);
  QApplication::processEvents();
  ForgetPlaces();
  int turn = 0;
  for (auto _ : state) {
    editor.SetSelectedChip(++turn & 1);
    editor.PageMouseDown(0, Qt::LeftButton, false, false, 100, 100);
    overview.Refresh();
    benchmark::ClobberMemory();
  }
  state.counters["rooms"] = rooms[mostUsed];
  overview.SetWanted(false);
  editor.SetPageMapSet(0, 0);
}

// Ticks until one changes a colour with the map set tab shown: both pages, the table and the
// selected chip recoloured.
void MapSetTick(benchmark::State& state) {
  MapSetEditor(false);
  TMainForm& form = TheScene().Form();
  for (auto _ : state) {
    while (!form.FrameTimerTimer()) {
    }
    benchmark::ClobberMemory();
  }
}

MapEditClass& MapEditor() {
  TMainForm& form = TheScene().Form();
  form.ShowTab(EditTab::Map);
  return dynamic_cast<MapEditClass&>(form.EditorOf(EditTab::Map));
}

// One step of the room bar: both rooms drawn from the 32x32 chip sheet, the bars and labels.
void ShowRoomsStep(benchmark::State& state) {
  MapEditClass& editor = MapEditor();
  int first = 0;
  for (auto _ : state) {
    editor.ShowRooms(first = (first + 1) % 79);
    benchmark::ClobberMemory();
  }
}

// One step of a value bar: the choice recorded, the one room drawn again, its label. Two map
// sets in turn, so every step changes the room.
void MapSetStep(benchmark::State& state) {
  MapEditClass& editor = MapEditor();
  editor.ShowRooms(0);
  int turn = 0;
  for (auto _ : state) {
    editor.SetMapSetNumber(1, 10 + (++turn & 1));
    benchmark::ClobberMemory();
  }
}

// Ticks until one changes a colour with the map tab shown: both rooms recoloured.
void MapTick(benchmark::State& state) {
  MapEditor().ShowRooms(0);
  TMainForm& form = TheScene().Form();
  for (auto _ : state) {
    while (!form.FrameTimerTimer()) {
    }
    benchmark::ClobberMemory();
  }
}

// The merge of 128 pairs of chips defined alike, every map set cell holding a copy. Runs
// last: it changes the stage's chips and map sets.
void MergeDuplicates(benchmark::State& state) {
  MapSetEditClass& editor = MapSetEditor(false);
  StageData& stage = TheScene().Form().Rom().CurrentStageData();
  for (int chip = 0; chip < 256; ++chip) {
    for (int part = 0; part < 4; ++part) {
      stage.SetChip32x32Part(chip * 4 + part, static_cast<std::uint8_t>(chip / 2 + part));
    }
  }
  for (auto _ : state) {
    state.PauseTiming();
    for (int cell = 0; cell < kMapSetCount * 64; ++cell) {
      stage.OverwriteMapSetCell(cell, static_cast<std::uint8_t>(cell % 128 * 2 + 1));
    }
    state.ResumeTiming();
    benchmark::DoNotOptimize(editor.ReplaceDuplicateChips());
  }
}

// A room of 127 objects, all but two far from the pointer's two places.
ObjectEditClass& CrowdedObjectRoom() {
  static ObjectEditClass* editor = [] {
    TMainForm& form = TheScene().Form();
    StageData& stage = form.Rom().Stage(1);
    for (int room = 0; room < kRoomCount; ++room) stage.ClearRoom(room);
    stage.AddObject(0, 40, 40, 1);
    stage.AddObject(0, 200, 40, 2);
    for (int i = 2; i < kMaxObjects; ++i) stage.AddObject(0, i % 200 + 20, 100 + i % 150, i);
    form.SelectStage(1);
    return &dynamic_cast<ObjectEditClass&>(form.EditorOf(EditTab::Object));
  }();
  TheScene().Form().ShowTab(EditTab::Object);
  return *editor;
}

// The pointer within one object: its hover frame drawn again, nothing else.
void ObjectHoverKept(benchmark::State& state) {
  ObjectEditClass& editor = CrowdedObjectRoom();
  int turn = 0;
  for (auto _ : state) {
    editor.RoomMouseMove(0, Qt::NoButton, false, false, 40 + (++turn & 1), 40);
    benchmark::ClobberMemory();
  }
}

// The pointer from one object to another: both rooms and every marker drawn again.
void ObjectHoverChanged(benchmark::State& state) {
  ObjectEditClass& editor = CrowdedObjectRoom();
  int turn = 0;
  for (auto _ : state) {
    editor.RoomMouseMove(0, Qt::NoButton, false, false, (++turn & 1) ? 40 : 200, 40);
    benchmark::ClobberMemory();
  }
}

// The picture of a stage's 80 rooms, 16 to a row, as the menu and the command line write it
// before encoding: the stage's own sheets, every room, the whole picture.
void StagePicture(benchmark::State& state) {
  const FcPaletteData palette;  // all black: colours do not change the work done
  const RomImageData& rom = TheScene().Form().Rom();
  for (auto _ : state) {
    const auto picture = DrawStagePicture(palette, rom, {});
    benchmark::DoNotOptimize(picture->Words());
    benchmark::ClobberMemory();
  }
}

// From here on the window is shown and every case ends when the toolkit has painted.
TMainForm& ShownForm() {
  TMainForm& form = TheScene().Form();
  if (!form.isVisible()) {
    form.show();
    bench::FlushPaint();
  }
  return form;
}

TImageEx& ImageOf(const char* name) { return *ShownForm().findChild<TImageEx*>(name); }

void BareBlit(benchmark::State& state) {
  bench::BareBlitWindow window;
  for (auto _ : state) {
    window.update();
    bench::FlushPaint();
  }
}

// One picture control painted again whole, nothing drawn on its picture.
void PictureRepaint(benchmark::State& state) {
  ShownForm().ShowTab(EditTab::MapSet);
  TImageEx& page = ImageOf("ImgEditMapSetPage0");
  bench::FlushPaint();
  for (auto _ : state) {
    page.update();
    bench::FlushPaint();
  }
}

// The pointer moved from one cell of Page0 to the next, as the toolkit delivers it.
void MapSetHoverPainted(benchmark::State& state) {
  MapSetEditor(false);
  TImageEx& page = ImageOf("ImgEditMapSetPage0");
  bench::FlushPaint();
  int turn = 0;
  for (auto _ : state) {
    bench::SendMouse(page, QEvent::MouseMove, (++turn & 1) * 32 + 4, 68);
    bench::FlushPaint();
  }
}

void MapSetPlacePainted(benchmark::State& state) {
  MapSetEditClass& editor = MapSetEditor(false);
  TImageEx& page = ImageOf("ImgEditMapSetPage0");
  bench::SendMouse(page, QEvent::MouseMove, 100, 100);
  bench::FlushPaint();
  int turn = 0;
  for (auto _ : state) {
    editor.SetSelectedChip(++turn & 1);
    bench::SendClick(page, 100, 100);
    bench::FlushPaint();
  }
}

// One step of the room bar, back and forth: both rooms, the bars and the labels.
void MapBarStepPainted(benchmark::State& state) {
  ShownForm().ShowTab(EditTab::Map);
  auto* bar = ShownForm().findChild<QScrollBar*>("ScrBarMap");
  bar->setValue(10);
  bench::FlushPaint();
  int turn = 0;
  for (auto _ : state) {
    bar->triggerAction((++turn & 1) ? QAbstractSlider::SliderSingleStepAdd
                                    : QAbstractSlider::SliderSingleStepSub);
    bench::FlushPaint();
  }
}

void PaintQuadrantPainted(benchmark::State& state) {
  Chip16x16EditClass& editor = Chip16x16Editor();
  TImageEx& chip = ImageOf("ImgEdit16x16Chip");
  editor.ChipTableMouseDown(Qt::LeftButton, false, 5 * 16 + 4, 12 * 16 + 4);
  bench::SendMouse(chip, QEvent::MouseMove, 40, 8);
  editor.BankTableMouseDown(Qt::LeftButton, 0x21 % 16 * 16, 0x21 / 16 * 16);
  StageData& stage = ShownForm().Rom().CurrentStageData();
  bench::FlushPaint();
  for (auto _ : state) {
    bench::SendClick(chip, 40, 8);
    bench::FlushPaint();
    stage.Undo();  // the data only, so that the next paint changes the chip again
  }
}

void MapTickPainted(benchmark::State& state) {
  TMainForm& form = ShownForm();
  form.ShowTab(EditTab::Map);
  bench::FlushPaint();
  for (auto _ : state) {
    while (!form.FrameTimerTimer()) {
    }
    bench::FlushPaint();
  }
}

void TabSwitchPainted(benchmark::State& state) {
  TMainForm& form = ShownForm();
  for (auto _ : state) {
    state.PauseTiming();
    form.ShowTab(EditTab::Chip16x16);
    bench::FlushPaint();
    state.ResumeTiming();
    form.ShowTab(EditTab::MapSet);
    bench::FlushPaint();
  }
}

void StageChangePainted(benchmark::State& state) {
  TMainForm& form = ShownForm();
  form.ShowTab(EditTab::MapSet);
  int turn = 0;
  for (auto _ : state) {
    form.SelectStage(++turn & 1);
    bench::FlushPaint();
  }
  form.SelectStage(0);
}

// A tab page painted again whole, its controls and pictures, nothing changed.
void TabPageRepaint(benchmark::State& state, EditTab tab, const char* page) {
  TMainForm& form = ShownForm();
  form.ShowTab(tab);
  QWidget& widget = *form.findChild<QWidget*>(page);
  bench::FlushPaint();
  for (auto _ : state) {
    widget.update();
    bench::FlushPaint();
  }
}

std::vector<bench::RatioCase> PaintedCases() {
  using bench::Baseline;
  const auto bare = [] { return Baseline::OtherCase("Painted/BareBlit256"); };
  const auto frame = [] { return Baseline::Budget(kFrameMicroseconds); };
  std::vector<bench::RatioCase> cases = {
      {"Painted/BareBlit256", BareBlit, frame(), 0},
      {"Painted/PictureRepaint", PictureRepaint, bare(), 2.0},
      {"Painted/MapSetHover", MapSetHoverPainted, bare(), 5.0},
      {"Painted/MapSetPlace", MapSetPlacePainted, bare(), 0},
      {"Painted/MapBarStep", MapBarStepPainted, bare(), 0},
      {"Painted/PaintQuadrant", PaintQuadrantPainted, bare(), 0},
      {"Painted/MapTabTick", MapTickPainted, frame(), 0},
      {"Painted/TabSwitch16x16ToMapSet", TabSwitchPainted, frame(), 0.25},
      {"Painted/StageChange", StageChangePainted, frame(), 0},
  };
  const std::pair<EditTab, const char*> pages[] = {
      {EditTab::Map, "TabMapEdit"},         {EditTab::MapSet, "TabMapSetEdit"},
      {EditTab::Chip32x32, "Tab32x32ChipEdit"}, {EditTab::Chip16x16, "Tab16x16ChipEdit"},
      {EditTab::Palette, "TabPaletteEdit"}, {EditTab::Object, "TabObjectEdit"}};
  for (const auto& [tab, page] : pages) {
    cases.push_back({std::string("Painted/PageRepaint/") + page,
                     [tab, page](benchmark::State& s) { TabPageRepaint(s, tab, page); }, frame(),
                     1.0 / 16});
  }
  return cases;
}

std::vector<bench::RatioCase> Cases() {
  using bench::Baseline;
  std::vector<bench::RatioCase> cases = {
      {"PaletteTab/AnimationTick", PaletteAnimationTick, Baseline::Budget(kFrameMicroseconds),
       0.02},
      {"Chip16x16/RebuildChipTable", RebuildChipTable, Baseline::Budget(kFrameMicroseconds), 0},
      {"Chip16x16/PaintQuadrant", PaintQuadrant, Baseline::OtherCase("Chip16x16/RebuildChipTable"),
       1.0 / 8},
      {"Chip32x32/RebuildView", RebuildView, Baseline::Budget(kFrameMicroseconds), 0},
      {"Chip32x32/PlacePart", Place32x32Part, Baseline::OtherCase("Chip32x32/RebuildView"),
       1.0 / 8},
      {"MapSet/DrawPage", [](benchmark::State& s) { MapSetDrawPage(s, false); },
       Baseline::Budget(kFrameMicroseconds), 0},
      {"MapSet/DrawPageGrid", [](benchmark::State& s) { MapSetDrawPage(s, true); },
       Baseline::Budget(kFrameMicroseconds), 0},
      {"MapSet/Hover", [](benchmark::State& s) { MapSetHover(s, false); },
       Baseline::OtherCase("MapSet/DrawPage"), 0.1},
      {"MapSet/HoverGrid", [](benchmark::State& s) { MapSetHover(s, true); },
       Baseline::OtherCase("MapSet/DrawPageGrid"), 0.25},
      {"MapSet/PlaceChip", MapSetPlaceChip, Baseline::OtherCase("MapSet/DrawPage"), 0.1},
      {"MapSet/PlaceChipOverview", MapSetPlaceChipWithOverview,
       Baseline::OtherCase("MapSet/PlaceChip"), 3.0},
      // Two pages, the table and the selected chip: 3 x 256 x 256 + 64 x 64 pixels.
      {"MapSet/Tick", MapSetTick, Baseline::Memcpy((3 * 256 * 256 + 64 * 64) * 4), 4.0},
      {"MapSet/TickInAFrame", MapSetTick, Baseline::Budget(kFrameMicroseconds), 0.02},
      {"Map/ShowRooms", ShowRoomsStep, Baseline::Memcpy(kTwoRoomsBytes), 4.0},
      {"Map/MapSetStep", MapSetStep, Baseline::OtherCase("Map/ShowRooms"), 0.6},
      {"Map/Tick", MapTick, Baseline::Memcpy(kTwoRoomsBytes), 4.0},
  };
  const auto painted = PaintedCases();
  cases.insert(cases.end(), painted.begin(), painted.end());
  cases.insert(cases.end(), {
      {"Object/HoverChanged", ObjectHoverChanged, Baseline::Budget(kFrameMicroseconds), 0},
      {"Object/HoverKept", ObjectHoverKept, Baseline::OtherCase("Object/HoverChanged"), 0.1},
      {"MapSet/MergeDuplicates", MergeDuplicates, Baseline::OtherCase("MapSet/DrawPage"), 0},
      {"Export/StagePicture", StagePicture, Baseline::Memcpy(kStagePictureBytes), 3.0},
  });
  return cases;
}

}  // namespace
}  // namespace zantor

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  zantor::CachedPrimitiveStyle::Install();  // as the program does
  const int result = zantor::bench::RunRatioBenchmarks(argc, argv, zantor::Cases());
  zantor::SceneHolder().reset();
  return result;
}
