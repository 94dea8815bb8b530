// The renderer's hot paths, each beside a memcpy of as many bytes as it writes.
#include <array>
#include <memory>
#include <random>
#include <vector>

#include "bench/bench_ratios.h"
#include "core/address_data.h"
#include "core/chip_reports.h"
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

// The unused-number report over the 2,560 map set cells of a stage.
void UnusedScan(benchmark::State& state) {
  std::array<std::uint8_t, 2560> cells{};
  std::mt19937 random(7);
  for (auto& cell : cells) cell = static_cast<std::uint8_t>(random() % 250);
  for (auto _ : state) benchmark::DoNotOptimize(UnusedNumberReport(cells));
}

// The grouping of 32x32 chips defined alike: all distinct, or 128 pairs.
void DuplicateGrouping(benchmark::State& state, bool pairs) {
  std::array<std::uint8_t, 1024> chips{};
  for (int chip = 0; chip < 256; ++chip) {
    const int definition = pairs ? chip / 2 : chip;
    for (int part = 0; part < 4; ++part) {
      chips[chip * 4 + part] = static_cast<std::uint8_t>(definition + part);
    }
  }
  for (auto _ : state) benchmark::DoNotOptimize(DuplicateChipGroups(chips));
}

std::vector<bench::RatioCase> Cases() {
  using bench::Baseline;
  return {
      {"BuildChip16Sheet", BuildChip16Sheet, Baseline::Memcpy(256 * 256), 8.0},
      {"BuildChip32Sheet", BuildChip32Sheet, Baseline::Memcpy(512 * 512), 3.0},
      {"DrawMapSet", DrawMapSet, Baseline::Memcpy(256 * 256 * 4), 3.0},
      {"RecolourAndCopy", RecolourAndCopy, Baseline::Memcpy(512 * 256 * 4), 4.0},
      {"UnusedScan", UnusedScan, Baseline::OtherCase("DrawMapSet"), 0.5},
      {"GroupDistinctChips", [](benchmark::State& s) { DuplicateGrouping(s, false); },
       Baseline::OtherCase("DrawMapSet"), 4.0},
      {"GroupChipPairs", [](benchmark::State& s) { DuplicateGrouping(s, true); },
       Baseline::OtherCase("DrawMapSet"), 4.0},
  };
}

}  // namespace
}  // namespace zantor

int main(int argc, char** argv) {
  return zantor::bench::RunRatioBenchmarks(argc, argv, zantor::Cases());
}
