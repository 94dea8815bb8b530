#pragma once

#include <string>

namespace zantor {

// A byte as the user sees it: two upper-case hexadecimal digits (only the low 8 bits count).
inline std::string TwoDigitHexText(int value) {
  constexpr char kDigits[] = "0123456789ABCDEF";
  return {kDigits[(value >> 4) & 0xF], kDigits[value & 0xF]};
}

}  // namespace zantor
