#pragma once

#include <cstdint>

namespace zantor {

// The xorshift32 generator behind the demo's noise and room layouts: cheap, and the same
// sequence on every build and platform.
class DemoRandom {
 public:
  explicit DemoRandom(std::uint32_t seed) : state_(seed) {}

  std::uint32_t Next() {
    state_ ^= state_ << 13;
    state_ ^= state_ >> 17;
    state_ ^= state_ << 5;
    return state_;
  }
  int Below(int n) { return static_cast<int>(Next() % static_cast<std::uint32_t>(n)); }

 private:
  std::uint32_t state_;
};

}  // namespace zantor
