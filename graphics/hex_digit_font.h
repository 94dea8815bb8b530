#pragma once

namespace zantor {

// A 5 x 7 pixel font for the hexadecimal digits 0-9 and A-F, so that short numbers look
// the same on every machine, whatever fonts are installed.
class HexDigitFont {
 public:
  static constexpr int kGlyphWidth = 5;
  static constexpr int kGlyphHeight = 7;
  // Blank margin around the text and between two digits.
  static constexpr int kPadding = 1;
  static constexpr int kAdvance = kGlyphWidth + kPadding;

  static constexpr int TextWidth(int digits) { return kPadding + digits * kAdvance; }
  static constexpr int TextHeight() { return kGlyphHeight + 2 * kPadding; }

  // Whether pixel (column 0..4, row 0..6) of digit 0..15 is inked.
  static bool Ink(int digit, int column, int row);
};

}  // namespace zantor
