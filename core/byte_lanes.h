#pragma once

#include <cstdint>

namespace zantor {

// A word of eight bytes with bit 7 of each byte set where that byte is not zero, and every
// other bit clear: eight bytes tested at once, without a branch per byte.
constexpr std::uint64_t NonZeroByteMarks(std::uint64_t word) {
  constexpr std::uint64_t kLow7 = 0x7F7F7F7F7F7F7F7FULL;
  return (((word & kLow7) + kLow7) | word) & ~kLow7;
}

// The eight marks of NonZeroByteMarks gathered into bits 0..7, byte 0's mark in bit 0.
constexpr std::uint64_t GatheredByteMarks(std::uint64_t marks) {
  return ((marks >> 7) * 0x0102040810204080ULL) >> 56;
}

}  // namespace zantor
