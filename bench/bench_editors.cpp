// The editors' hot paths under the mouse and the frame timer, on the demo image in a real
// main window (offscreen), each against a baseline measured in the same run or a budget.
#include <QApplication>

#include "bench/bench_ratios.h"
#include "bench/editor_scene.h"

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

std::vector<bench::RatioCase> Cases() {
  using bench::Baseline;
  return {
      {"PaletteTab/AnimationTick", PaletteAnimationTick, Baseline::Budget(kFrameMicroseconds),
       0.02},
  };
}

}  // namespace
}  // namespace zantor

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  return zantor::bench::RunRatioBenchmarks(argc, argv, zantor::Cases());
}
