#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zantor {

// Hexadecimal numbers in the dialogs' texts. A token is a number only when it is not empty
// and every character is one of 0-9, A-F, a-f: no sign, no "0x", no blank, no full-width
// digit.

// The token's value when it is a number no greater than FF; leading zeros are allowed.
std::optional<int> HexByteToken(std::u16string_view token);

// The low 8 bits of the token's value when it is a number, whatever its length.
std::optional<std::uint8_t> HexLowByteToken(std::u16string_view token);

// Appends the byte as two upper-case hexadecimal digits (TwoDigitHexText).
void AppendTwoDigitHex(std::u16string& text, int value);

}  // namespace zantor
