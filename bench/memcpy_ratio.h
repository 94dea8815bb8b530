#pragma once

#include <benchmark/benchmark.h>

#include <cstddef>
#include <span>

namespace zantor::bench {

// One benchmark that runs beside a memcpy of `bytes` bytes; its time over the memcpy's
// should stay at most `targetRatio`.
struct RatioCase {
  const char* name;
  void (*run)(benchmark::State&);
  std::size_t bytes;
  double targetRatio;
};

// Registers every case with its memcpy baseline, runs them with the usual benchmark
// arguments, and ends with the table of ratios and targets. The ratio, not the absolute
// time, is what stays comparable from one machine to another. Returns main's result.
int RunBesideMemcpy(int argc, char** argv, std::span<const RatioCase> cases);

}  // namespace zantor::bench
