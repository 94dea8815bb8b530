// Each renderer benchmark runs beside a memcpy of as many bytes as it writes, and the
// program ends with the ratio of the two times. The ratio, not the absolute time, is what
// stays comparable from one machine to another.
#include <benchmark/benchmark.h>

#include <array>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "core/address_data.h"
#include "core/fc_palette_data.h"
#include "core/image_bytes.h"
#include "core/my_mem_ini_file.h"
#include "graphics/editor_graphics.h"

namespace zantor {
namespace {

// A renderer over random CHR data and random stage tables.
struct Scene {
  Scene() : ini("unused.ini", ""), addresses(ini), graphics(palette, image, addresses) {
    std::mt19937 random(12345);
    const auto byte = [&random] { return static_cast<std::uint8_t>(random() & 0xFF); };
    image.Write(4, 8);  // CHR data after 128 KiB of program data
    graphics.SetChrBase();
    constexpr std::int64_t kChrBase = 16 + 8 * 16384;
    for (std::int64_t i = 0; i < 256 * 1024; ++i) image.Write(kChrBase + i, byte());
    for (auto& b : tiles) b = byte();
    for (auto& b : properties) b = byte();
    for (auto& b : chip32) b = byte();
    for (auto& b : map_set) b = byte();
    for (int i = 0; i < 16; ++i) stage_palette[i] = byte();
    graphics.SetStagePalette(stage_palette);
    graphics.BuildChip16Sheet(graphics.Chip16Sheet(), banks, tiles, properties);
    graphics.BuildChip32Sheet(graphics.Chip32Sheet(), chip32);
  }

  ImageBytes image;
  TMyMemIniFile ini;
  AddressData addresses;
  FcPaletteData palette;  // all black: colours do not change the work done
  EditorGraphics graphics;
  std::array<std::uint8_t, 2> banks{3, 9};
  std::array<std::uint8_t, 1024> tiles{};
  std::array<std::uint8_t, 256> properties{};
  std::array<std::uint8_t, 1024> chip32{};
  std::array<std::uint8_t, 64> map_set{};
  std::array<std::uint8_t, 16> stage_palette{};
};

Scene& TheScene() {
  static Scene scene;
  return scene;
}

void BuildChip16Sheet(benchmark::State& state) {
  Scene& s = TheScene();
  for (auto _ : state) {
    s.graphics.BuildChip16Sheet(s.graphics.Chip16Sheet(), s.banks, s.tiles, s.properties);
    benchmark::DoNotOptimize(s.graphics.Chip16Sheet().ScanLine(255).data());
    benchmark::ClobberMemory();
  }
}

void BuildChip32Sheet(benchmark::State& state) {
  Scene& s = TheScene();
  for (auto _ : state) {
    s.graphics.BuildChip32Sheet(s.graphics.Chip32Sheet(), s.chip32);
    benchmark::DoNotOptimize(s.graphics.Chip32Sheet().ScanLine(511).data());
    benchmark::ClobberMemory();
  }
}

void DrawMapSet(benchmark::State& state) {
  Scene& s = TheScene();
  const auto picture = s.graphics.CreateDisplayPicture(256, 256);
  for (auto _ : state) {
    s.graphics.DrawMapSet(*picture, s.map_set);
    benchmark::DoNotOptimize(picture->Words());
    benchmark::ClobberMemory();
  }
}

// One animation step's worth of work on the 32x32 chip tab: new colours into the sheet's
// table, then the visible half of the sheet onto its picture.
void RecolourAndCopy(benchmark::State& state) {
  Scene& s = TheScene();
  const auto picture = s.graphics.CreateDisplayPicture(512, 256);
  int step = 0;
  for (auto _ : state) {
    s.graphics.SetStageColor(5, ++step & 0x3F);
    s.graphics.RefreshChip32SheetPalette();
    s.graphics.Chip32Sheet().CopyRegion(*picture, picture->Bounds(), {0, 0, 512, 256});
    benchmark::DoNotOptimize(picture->Words());
    benchmark::ClobberMemory();
  }
}

struct Case {
  const char* name;
  void (*run)(benchmark::State&);
  std::size_t output_bytes;
  double target_ratio;
};

const Case kCases[] = {
    {"BuildChip16Sheet", BuildChip16Sheet, 256 * 256, 8.0},
    {"BuildChip32Sheet", BuildChip32Sheet, 512 * 512, 3.0},
    {"DrawMapSet", DrawMapSet, 256 * 256 * 4, 3.0},
    {"RecolourAndCopy", RecolourAndCopy, 512 * 256 * 4, 4.0},
};

std::string BaselineName(const Case& c) { return std::string(c.name) + "/memcpy"; }

void Register() {
  for (const Case& c : kCases) {
    benchmark::RegisterBenchmark(c.name, c.run)->Unit(benchmark::kMicrosecond);
    const std::size_t bytes = c.output_bytes;
    benchmark::RegisterBenchmark(BaselineName(c).c_str(), [bytes](benchmark::State& state) {
      std::vector<std::uint8_t> from(bytes, 0x5A);
      std::vector<std::uint8_t> to(bytes);
      for (auto _ : state) {
        std::memcpy(to.data(), from.data(), bytes);
        benchmark::DoNotOptimize(to.data());
        benchmark::ClobberMemory();
      }
    })->Unit(benchmark::kMicrosecond);
  }
}

// The console report plus the best time of every benchmark, for the ratio table.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      if (run.run_type != Run::RT_Iteration || run.error_occurred) continue;
      const std::string name = run.benchmark_name();
      const double time = run.GetAdjustedRealTime();
      const auto it = best_.find(name);
      if (it == best_.end() || time < it->second) best_[name] = time;
    }
    ConsoleReporter::ReportRuns(runs);
  }

  void PrintRatios() const {
    std::printf("\n%-18s %12s %12s %8s %8s\n", "operation", "time us", "memcpy us", "ratio",
                "target");
    for (const Case& c : kCases) {
      const auto own = best_.find(c.name);
      const auto base = best_.find(BaselineName(c));
      if (own == best_.end() || base == best_.end()) continue;
      const double ratio = own->second / base->second;
      std::printf("%-18s %12.2f %12.2f %8.2f %8.1f %s\n", c.name, own->second, base->second, ratio,
                  c.target_ratio, ratio <= c.target_ratio ? "ok" : "MISSED");
    }
  }

 private:
  std::map<std::string, double> best_;
};

}  // namespace
}  // namespace zantor

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  zantor::Register();
  zantor::RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  reporter.PrintRatios();
  benchmark::Shutdown();
  return 0;
}
