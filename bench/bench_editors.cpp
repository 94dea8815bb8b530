// The editors' hot paths under the mouse and the frame timer, on the demo image in a real
// main window (offscreen), each against a baseline measured in the same run or a budget.
#include <QApplication>
#include <QCheckBox>

#include "bench/bench_ratios.h"
#include "bench/editor_scene.h"
#include "editors/chip16x16_edit_class.h"
#include "editors/chip32x32_edit_class.h"
#include "editors/map_set_edit_class.h"

namespace zantor {
namespace {

constexpr double kFrameMicroseconds = 16'000;

bench::EditorScene& TheScene() {
  static bench::EditorScene scene;
  return scene;
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
// again. Two tiles in turn, so every paint changes the chip.
void PaintQuadrant(benchmark::State& state) {
  Chip16x16EditClass& editor = Chip16x16Editor();
  editor.ChipTableMouseDown(Qt::LeftButton, false, 5 * 16 + 4, 12 * 16 + 4);
  editor.EditedChipMouseMove(40, 8);
  int turn = 0;
  for (auto _ : state) {
    const int tile = 0x21 + (++turn & 1);
    editor.BankTableMouseDown(Qt::LeftButton, tile % 16 * 16, tile / 16 * 16);
    editor.EditedChipMouseDown(Qt::LeftButton, 40, 8);
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
// Two 16x16 chips in turn, so every click changes the chip.
void Place32x32Part(benchmark::State& state) {
  Chip32x32EditClass& editor = Chip32x32Editor();
  TheScene().Form().findChild<QCheckBox*>("Chk32x32ChipEditDrawGrid")->setChecked(true);
  editor.ViewMouseMove(3 * 32 + 4, 2 * 32 + 4);
  int turn = 0;
  for (auto _ : state) {
    editor.ChipTableMouseDown(Qt::LeftButton, (++turn & 1) * 16, 0);
    editor.ViewMouseDown(Qt::LeftButton, true, false, 3 * 32 + 4, 2 * 32 + 4);
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
void MapSetPlaceChip(benchmark::State& state) {
  MapSetEditClass& editor = MapSetEditor(false);
  editor.HoverPage(0, 100, 100);
  int turn = 0;
  for (auto _ : state) {
    editor.SetSelectedChip(++turn & 1);
    editor.PageMouseDown(0, Qt::LeftButton, false, false, 100, 100);
    benchmark::ClobberMemory();
  }
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

std::vector<bench::RatioCase> Cases() {
  using bench::Baseline;
  return {
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
      // Two pages, the table and the selected chip: 3 x 256 x 256 + 64 x 64 pixels.
      {"MapSet/Tick", MapSetTick, Baseline::Memcpy((3 * 256 * 256 + 64 * 64) * 4), 4.0},
      {"MapSet/TickInAFrame", MapSetTick, Baseline::Budget(kFrameMicroseconds), 0.02},
  };
}

}  // namespace
}  // namespace zantor

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  return zantor::bench::RunRatioBenchmarks(argc, argv, zantor::Cases());
}
