#pragma once

// Benchmarks judged by ratios: each case runs beside a baseline measured in the same run (a
// memcpy of as many bytes as the case writes, or another case), or against a fixed budget
// such as one 16 ms frame, and the program ends with a table of ratios and targets. Ratios,
// not absolute times, stay comparable from one machine to another.
#include <benchmark/benchmark.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace zantor::bench {

// What a case is measured against.
struct Baseline {
  enum class Kind { Memcpy, Case, FixedMicroseconds };
  Kind kind;
  std::size_t bytes = 0;    // Memcpy: bytes copied
  std::string caseName;     // Case: the other case
  double microseconds = 0;  // FixedMicroseconds: the budget

  static Baseline Memcpy(std::size_t bytes) { return {Kind::Memcpy, bytes, {}, 0}; }
  static Baseline OtherCase(std::string name) { return {Kind::Case, 0, std::move(name), 0}; }
  static Baseline Budget(double microseconds) {
    return {Kind::FixedMicroseconds, 0, {}, microseconds};
  }
};

struct RatioCase {
  std::string name;
  std::function<void(benchmark::State&)> run;
  Baseline baseline;
  double targetRatio;  // 0: printed without a target
};

// Source and destination of the memcpy baseline: page aligned and placed at different offsets
// within their pages. Where two buffers land decides the copy's speed on some machines (a
// copy between addresses 4 KiB apart modulo the page runs many times slower), which would
// make the baseline, and every ratio, depend on the allocator.
class CopyBuffers {
 public:
  explicit CopyBuffers(std::size_t bytes)
      : bytes_(bytes),
        from_(Allocate(bytes + kSourceOffset)),
        to_(Allocate(bytes + kTargetOffset)) {
    std::memset(from_.get(), 0x5A, bytes + kSourceOffset);
    std::memset(to_.get(), 0, bytes + kTargetOffset);
  }
  void Copy() { std::memcpy(to_.get() + kTargetOffset, from_.get() + kSourceOffset, bytes_); }
  const std::uint8_t* Target() const { return to_.get() + kTargetOffset; }

 private:
  static constexpr std::size_t kPage = 4096;
  static constexpr std::size_t kSourceOffset = 0;
  static constexpr std::size_t kTargetOffset = 1024 + 64;
  struct Free {
    void operator()(std::uint8_t* p) const { std::free(p); }
  };
  static std::unique_ptr<std::uint8_t[], Free> Allocate(std::size_t bytes) {
    const std::size_t rounded = (bytes + kPage - 1) / kPage * kPage;
    return std::unique_ptr<std::uint8_t[], Free>(
        static_cast<std::uint8_t*>(std::aligned_alloc(kPage, rounded)));
  }

  std::size_t bytes_;
  std::unique_ptr<std::uint8_t[], Free> from_;
  std::unique_ptr<std::uint8_t[], Free> to_;
};

inline std::string MemcpyName(const RatioCase& c) { return c.name + "/memcpy"; }

// Registers every case and the memcpy baselines the cases need.
inline void RegisterCases(const std::vector<RatioCase>& cases) {
  for (const RatioCase& c : cases) {
    benchmark::RegisterBenchmark(c.name.c_str(), c.run)->Unit(benchmark::kMicrosecond);
    if (c.baseline.kind != Baseline::Kind::Memcpy) continue;
    const std::size_t bytes = c.baseline.bytes;
    benchmark::RegisterBenchmark(MemcpyName(c).c_str(), [bytes](benchmark::State& state) {
      CopyBuffers buffers(bytes);
      for (auto _ : state) {
        buffers.Copy();
        benchmark::DoNotOptimize(buffers.Target());
        benchmark::ClobberMemory();
      }
    })->Unit(benchmark::kMicrosecond);
  }
}

// The console report plus the time of every benchmark for the ratio table: the median of
// the repetitions when they were asked for (--benchmark_repetitions), a shared machine's
// load moving single runs either way, else the best run.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  explicit RatioReporter(std::vector<RatioCase> cases) : cases_(std::move(cases)) {}

  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      if (run.error_occurred) continue;
      const std::string name = run.run_name.str();
      const double time = run.GetAdjustedRealTime();
      if (run.run_type == Run::RT_Aggregate) {
        if (run.aggregate_name == "median") medians_[name] = time;
        continue;
      }
      const auto it = best_.find(name);
      if (it == best_.end() || time < it->second) best_[name] = time;
    }
    ConsoleReporter::ReportRuns(runs);
  }

  // The time the table uses for a benchmark; none when it did not run.
  std::optional<double> TimeOf(const std::string& name) const {
    for (const auto* times : {&medians_, &best_}) {
      if (const auto it = times->find(name); it != times->end()) return it->second;
    }
    return std::nullopt;
  }

  void PrintRatios() const {
    std::printf("\n%-38s %11s %11s %8s %8s %9s\n", "operation", "time us", "base us", "ratio",
                "target", "memcpy");
    for (const RatioCase& c : cases_) {
      const auto own = TimeOf(c.name);
      if (!own) continue;
      double base = 0;
      std::string speed = "";
      switch (c.baseline.kind) {
        case Baseline::Kind::Memcpy: {
          const auto time = TimeOf(MemcpyName(c));
          if (!time) continue;
          base = *time;
          char text[32];
          std::snprintf(text, sizeof text, "%.1f GB/s",
                        static_cast<double>(c.baseline.bytes) / (base * 1e3));
          speed = text;
          break;
        }
        case Baseline::Kind::Case: {
          const auto time = TimeOf(c.baseline.caseName);
          if (!time) continue;
          base = *time;
          break;
        }
        case Baseline::Kind::FixedMicroseconds: base = c.baseline.microseconds; break;
      }
      const double ratio = *own / base;
      if (c.targetRatio > 0) {
        std::printf("%-38s %11.2f %11.2f %8.3f %8.3f %9s %s\n", c.name.c_str(), *own, base,
                    ratio, c.targetRatio, speed.c_str(), ratio <= c.targetRatio ? "ok" : "MISSED");
      } else {
        std::printf("%-38s %11.2f %11.2f %8.3f %8s %9s\n", c.name.c_str(), *own, base, ratio,
                    "-", speed.c_str());
      }
    }
  }

 private:
  std::vector<RatioCase> cases_;
  std::map<std::string, double> best_;
  std::map<std::string, double> medians_;
};

// The program's main: runs the cases and prints the ratio table.
inline int RunRatioBenchmarks(int argc, char** argv, const std::vector<RatioCase>& cases) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  RegisterCases(cases);
  RatioReporter reporter(cases);
  benchmark::RunSpecifiedBenchmarks(&reporter);
  reporter.PrintRatios();
  std::fflush(stdout);
  benchmark::Shutdown();
  return 0;
}

}  // namespace zantor::bench
