// Making a patch of a 2 MiB image with one byte in a hundred changed, in either format,
// beside a memcpy of the image. The changed bytes lie either each on its own at random
// places (the most records a patch can need for them) or in runs of 1 to 64 bytes, as
// edits of chips, map sets and palettes leave them.
#include <algorithm>
#include <cstdint>
#include <random>
#include <vector>

#include "bench/bench_ratios.h"
#include "core/patch_making.h"

namespace zantor {
namespace {

constexpr std::size_t kImageSize = 2 * 1024 * 1024;
constexpr std::size_t kChangedBytes = kImageSize / 100;

struct Images {
  explicit Images(std::size_t longestRun) : source(kImageSize) {
    std::mt19937 random(12345);
    for (auto& b : source) b = static_cast<std::uint8_t>(random());
    target = source;
    for (std::size_t changed = 0; changed < kChangedBytes;) {
      const std::size_t at = random() % kImageSize;
      const std::size_t length = std::min(1 + random() % longestRun, kImageSize - at);
      for (std::size_t i = at; i < at + length; ++i) {
        changed += target[i] == source[i];
        target[i] = static_cast<std::uint8_t>(~source[i]);
      }
    }
  }
  std::vector<std::uint8_t> source;
  std::vector<std::uint8_t> target;
};

template <PatchFormat format, std::size_t longestRun>
void MakeOnePatch(benchmark::State& state) {
  static const Images images(longestRun);
  for (auto _ : state) {
    const std::vector<std::uint8_t> patch = MakePatch(format, images.source, images.target);
    benchmark::DoNotOptimize(patch.data());
    benchmark::ClobberMemory();
  }
}

std::vector<bench::RatioCase> Cases() {
  using bench::Baseline;
  return {
      {"IpsScattered", MakeOnePatch<PatchFormat::Ips, 1>, Baseline::Memcpy(kImageSize), 4.0},
      {"IpsInRuns", MakeOnePatch<PatchFormat::Ips, 64>, Baseline::Memcpy(kImageSize), 4.0},
      {"BpsScattered", MakeOnePatch<PatchFormat::Bps, 1>, Baseline::Memcpy(kImageSize), 4.0},
      {"BpsInRuns", MakeOnePatch<PatchFormat::Bps, 64>, Baseline::Memcpy(kImageSize), 4.0},
  };
}

}  // namespace
}  // namespace zantor

int main(int argc, char** argv) {
  return zantor::bench::RunRatioBenchmarks(argc, argv, zantor::Cases());
}
