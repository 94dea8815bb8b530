#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace zantor {

// A true-colour PNG file of width x height pixels given row by row as 0x00BBGGRR (bits 24-31
// are ignored, so a picture's shown words serve as they are), deflated by zlib. A pixel
// count other than width x height, or a side below 1, raises std::invalid_argument.
std::vector<std::uint8_t> EncodePng(int width, int height, std::span<const std::uint32_t> pixels);

}  // namespace zantor
