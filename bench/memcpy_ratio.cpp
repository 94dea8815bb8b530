#include "bench/memcpy_ratio.h"

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <vector>

namespace zantor::bench {

namespace {

std::string BaselineName(const RatioCase& c) { return std::string(c.name) + "/memcpy"; }

void Register(std::span<const RatioCase> cases) {
  for (const RatioCase& c : cases) {
    benchmark::RegisterBenchmark(c.name, c.run)->Unit(benchmark::kMicrosecond);
    const std::size_t bytes = c.bytes;
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

  void PrintRatios(std::span<const RatioCase> cases) const {
    std::printf("\n%-18s %12s %12s %8s %8s\n", "operation", "time us", "memcpy us", "ratio",
                "target");
    for (const RatioCase& c : cases) {
      const auto own = best_.find(c.name);
      const auto base = best_.find(BaselineName(c));
      if (own == best_.end() || base == best_.end()) continue;
      const double ratio = own->second / base->second;
      std::printf("%-18s %12.2f %12.2f %8.2f %8.1f %s\n", c.name, own->second, base->second, ratio,
                  c.targetRatio, ratio <= c.targetRatio ? "ok" : "MISSED");
    }
  }

 private:
  std::map<std::string, double> best_;
};

}  // namespace

int RunBesideMemcpy(int argc, char** argv, std::span<const RatioCase> cases) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  Register(cases);
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  reporter.PrintRatios(cases);
  benchmark::Shutdown();
  return 0;
}

}  // namespace zantor::bench
