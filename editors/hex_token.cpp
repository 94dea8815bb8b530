#include "editors/hex_token.h"

#include "core/hex_text.h"

namespace zantor {

namespace {

int DigitValue(char16_t c) {
  if (c >= u'0' && c <= u'9') return c - u'0';
  if (c >= u'A' && c <= u'F') return c - u'A' + 10;
  if (c >= u'a' && c <= u'f') return c - u'a' + 10;
  return -1;
}

}  // namespace

std::optional<int> HexByteToken(std::u16string_view token) {
  if (token.empty()) return std::nullopt;
  int value = 0;
  for (const char16_t c : token) {
    const int digit = DigitValue(c);
    // Stopping as soon as the value passes FF keeps any number of digits from overflowing.
    if (digit < 0) return std::nullopt;
    value = value * 16 + digit;
    if (value > 0xFF) return std::nullopt;
  }
  return value;
}

std::optional<std::uint8_t> HexLowByteToken(std::u16string_view token) {
  if (token.empty()) return std::nullopt;
  int value = 0;
  for (const char16_t c : token) {
    const int digit = DigitValue(c);
    if (digit < 0) return std::nullopt;
    value = (value * 16 + digit) & 0xFF;
  }
  return static_cast<std::uint8_t>(value);
}

void AppendTwoDigitHex(std::u16string& text, int value) {
  const std::string digits = TwoDigitHexText(value);
  text.append(digits.begin(), digits.end());
}

}  // namespace zantor
