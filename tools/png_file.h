#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace zantor {

// A true-colour PNG file of width x height pixels given row by row as 0x00BBGGRR, without
// compression: the picture is small and the file needs no library.
std::vector<std::uint8_t> EncodePng(int width, int height, std::span<const std::uint32_t> pixels);

}  // namespace zantor
