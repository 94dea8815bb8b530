#include "tools/ntsc_palette.h"

#include <gtest/gtest.h>

namespace zantor {
namespace {

using Rgb = NtscPalette::Rgb;

// The colour as it ends up in the file.
Rgb FromFile(int number) {
  const auto bytes = NtscPalette::FileBytes();
  return {bytes[number * 3], bytes[number * 3 + 1], bytes[number * 3 + 2]};
}

// One channel clearly ahead of the other two.
bool Leads(int lead, int other1, int other2) { return lead > other1 + 40 && lead > other2 + 40; }

TEST(NtscPalette, KnownColoursLookRight) {
  const Rgb black = FromFile(0x0F);
  EXPECT_EQ(black.r + black.g + black.b, 0);
  const Rgb white = FromFile(0x30);
  EXPECT_GE(white.r, 230);
  EXPECT_GE(white.g, 230);
  EXPECT_GE(white.b, 230);
  const Rgb red = FromFile(0x16);
  EXPECT_TRUE(Leads(red.r, red.g, red.b));
  const Rgb blue = FromFile(0x12);
  EXPECT_TRUE(Leads(blue.b, blue.r, blue.g));
  const Rgb green = FromFile(0x1A);
  EXPECT_TRUE(Leads(green.g, green.r, green.b));
}

TEST(NtscPalette, GreyColumnIsGreyAndBrightensDownTheRows) {
  int previous = -1;
  for (int row = 0; row < 3; ++row) {
    const Rgb grey = FromFile(row * 0x10);
    EXPECT_EQ(grey.r, grey.g);
    EXPECT_EQ(grey.g, grey.b);
    EXPECT_GT(grey.r, previous);
    previous = grey.r;
  }
  for (int row = 0; row < 4; ++row) {
    for (int column = 0x0D; column <= 0x0F; ++column) {
      const Rgb c = FromFile(row * 0x10 + column);
      EXPECT_EQ(c.r + c.g + c.b, 0) << std::hex << row * 0x10 + column;
    }
  }
}

TEST(NtscPalette, HuesChangeAlongARowAndNoColourIsRepeatedThere) {
  for (int row = 0; row < 4; ++row) {
    for (int a = 1; a <= 0x0C; ++a) {
      for (int b = a + 1; b <= 0x0C; ++b) {
        const Rgb x = FromFile(row * 0x10 + a);
        const Rgb y = FromFile(row * 0x10 + b);
        EXPECT_FALSE(x.r == y.r && x.g == y.g && x.b == y.b) << row << " " << a << " " << b;
      }
    }
  }
}

}  // namespace
}  // namespace zantor
