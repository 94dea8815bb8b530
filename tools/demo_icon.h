#pragma once

#include <cstdint>
#include <vector>

namespace zantor {

// The program's icon: a corner of a demo room, 3 x 3 of the demo's 16x16 chips in stage 0's
// tiles and colours.
class DemoIcon {
 public:
  static constexpr int kSide = 48;

  // kSide * scale pixels square, each chip pixel a scale x scale block, row by row as
  // 0x00BBGGRR.
  static std::vector<std::uint32_t> Draw(int scale);
};

}  // namespace zantor
