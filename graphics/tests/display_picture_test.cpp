#include "graphics/display_picture.h"

#include <gtest/gtest.h>

#include <limits>
#include <stdexcept>

#include "graphics/indexed_bitmap.h"
#include "graphics/tests/render_test_support.h"

namespace zantor {
namespace {

using testing::ColorRows;
using Rows = std::vector<std::string>;

constexpr std::uint32_t kRed = 0x0000FF;
constexpr std::uint32_t kWhite = 0xFFFFFF;

ColorTable GreyZeroMaster() {
  ColorTable master;
  master.Set(0, 0x202020);
  master.Set(3, kRed);
  return master;
}

const std::map<std::uint32_t, char> kLegend{
    {0x202020, '.'}, {0x000000, 'k'}, {kRed, 'r'}, {kWhite, 'w'}};

TEST(DisplayPictureShape, StartsAtMasterEntryZeroInTheToolkitsPixelOrder) {
  DisplayPicture picture(3, 2, GreyZeroMaster());
  EXPECT_EQ(ColorRows(picture, picture.Bounds(), kLegend), (Rows{"...", "..."}));
  EXPECT_EQ(picture.BytesPerLine(), 12);
  // Words and copies of a picture nothing was drawn on yet show entry 0 as well.
  const DisplayPicture blank(3, 2, GreyZeroMaster());
  EXPECT_EQ(std::vector<std::uint32_t>(blank.Words(), blank.Words() + 6),
            std::vector<std::uint32_t>(6, GreyZeroMaster().Word(0)));
  DisplayPicture copy(3, 2, GreyZeroMaster());
  copy.FillRect(copy.Bounds(), 3);
  copy.DrawPicture({1, 0}, DisplayPicture(1, 2, GreyZeroMaster()));
  EXPECT_EQ(ColorRows(copy, copy.Bounds(), kLegend), (Rows{"r.r", "r.r"}));
  picture.DrawLine({0, 1}, {1, 1}, 0x332211);  // red 0x11, green 0x22, blue 0x33
  const auto* bytes = reinterpret_cast<const std::uint8_t*>(picture.Words()) + 12;
  EXPECT_EQ((std::vector<int>(bytes, bytes + 4)), (std::vector<int>{0x33, 0x22, 0x11, 0xFF}));
}

TEST(DisplayPictureShape, BadSizesAndPixelsAreErrors) {
  EXPECT_THROW(DisplayPicture(0, 4, ColorTable()), std::invalid_argument);
  EXPECT_THROW(DisplayPicture(4, -1, ColorTable()), std::invalid_argument);
  const DisplayPicture picture(4, 4, ColorTable());
  EXPECT_THROW(picture.Pixel(4, 0), std::out_of_range);
  EXPECT_THROW(picture.Pixel(0, -1), std::out_of_range);
}

TEST(DisplayPictureDrawing, FillRectUsesTheMasterEntryAndClips) {
  DisplayPicture picture(4, 3, GreyZeroMaster());
  picture.FillRect({2, 1, 9, 9}, 3);
  EXPECT_EQ(ColorRows(picture, picture.Bounds(), kLegend), (Rows{"....", "..rr", "..rr"}));
  EXPECT_THROW(picture.FillRect({0, 0, 1, 1}, 256), std::out_of_range);
}

TEST(DisplayPictureDrawing, LinesLeaveOutTheirEndPointAndAreClippedCheaply) {
  DisplayPicture picture(5, 4, GreyZeroMaster());
  picture.DrawLine({0, 0}, {4, 0}, kWhite);
  picture.DrawLine({4, 3}, {1, 3}, kRed);
  picture.DrawLine({0, 1}, {0, 1}, kRed);  // zero length: nothing
  picture.DrawLine({-2'000'000'000, 2}, {2'000'000'000, 2}, kWhite);
  picture.DrawLine({2, 2'000'000'000}, {2, 1}, kRed);
  EXPECT_EQ(ColorRows(picture, picture.Bounds(), kLegend),
            (Rows{"wwww.", ".....", "wwrww", "..rrr"}));
  EXPECT_THROW(picture.DrawLine({0, 0}, {4, 2}, kRed), std::invalid_argument);
}

TEST(DisplayPictureDrawing, HexByteIsBlackOnWhite) {
  DisplayPicture picture(15, 11, GreyZeroMaster());
  picture.DrawHexByte({1, 1}, 0x0A);
  // clang-format off
  const Rows expected{
      "...............",
      ".wwwwwwwwwwwww.",
      ".wwkkkwwwkkkww.",
      ".wkwwwkwkwwwkw.",
      ".wkwwwkwkwwwkw.",
      ".wkwwwkwkkkkkw.",
      ".wkwwwkwkwwwkw.",
      ".wkwwwkwkwwwkw.",
      ".wwkkkwwkwwwkw.",
      ".wwwwwwwwwwwww.",
      "...............",
  };
  // clang-format on
  EXPECT_EQ(ColorRows(picture, picture.Bounds(), kLegend), expected);
}

TEST(DisplayPictureDrawing, HexByteIsClippedNotMoved) {
  DisplayPicture picture(6, 4, GreyZeroMaster());
  picture.DrawHexByte({-3, -4}, 0x4B);
  // Box columns 3..8 and rows 4..7: the right part of the 4, the gap, the left of the B,
  // glyph rows 3..6.
  EXPECT_EQ(ColorRows(picture, picture.Bounds(), kLegend),
            (Rows{"wkwwkk", "kkkwkw", "wkwwkw", "wkwwkk"}));
}

TEST(DisplayPictureDrawing, FarOffRectanglesAndTextDrawNothing) {
  constexpr int kMax = std::numeric_limits<int>::max();
  constexpr int kMin = std::numeric_limits<int>::min();
  DisplayPicture picture(4, 3, GreyZeroMaster());
  picture.FillRect(PixelRect::FromSize(kMax - 1, 0, 10, 3), 3);
  picture.FillRect(PixelRect::FromSize(0, kMax, kMax, kMax), 3);
  picture.FillRect(PixelRect::FromSize(kMin, kMin, -10, -10), 3);
  picture.DrawHexByte({kMax - 3, 0}, 0xFF);
  picture.DrawHexByte({0, kMax}, 0xFF);
  picture.DrawHexByte({kMin, kMin}, 0xFF);
  EXPECT_EQ(ColorRows(picture, picture.Bounds(), kLegend), (Rows{"....", "....", "...."}));
  // Reaching in from far off still covers the picture.
  picture.FillRect(PixelRect::FromSize(-4, 1, kMax, kMax), 3);
  EXPECT_EQ(ColorRows(picture, picture.Bounds(), kLegend), (Rows{"....", "rrrr", "rrrr"}));
}

TEST(DisplayPictureDrawing, AnotherPictureIsCopiedAsItIsAndClipped) {
  DisplayPicture source(3, 2, GreyZeroMaster());
  source.FillRect({1, 0, 3, 1}, 3);
  DisplayPicture picture(4, 3, GreyZeroMaster());
  picture.DrawPicture({2, 1}, source);
  picture.DrawPicture({-2, 0}, source);
  EXPECT_EQ(ColorRows(picture, picture.Bounds(), kLegend), (Rows{"r...", "...r", "...."}));
}

// Fills, lines, text and region copies alike land inside the viewport's area, measured from
// its corner, until it ends.
TEST(DisplayPictureDrawing, AViewportMovesAndClipsEveryDrawingUntilItEnds) {
  DisplayPicture picture(7, 5, GreyZeroMaster());
  IndexedBitmap red;
  red.SetPaletteEntry(0, kRed);
  {
    const DisplayPicture::Viewport view(picture, {2, 1, 5, 4});
    EXPECT_EQ(picture.Bounds().Width(), 3);
    EXPECT_EQ(picture.Bounds().Height(), 3);
    picture.FillRect({-5, -5, 1, 1}, 3);
    picture.DrawLine({-9, 2}, {9, 2}, kWhite);
    red.CopyRegion(picture, {2, 0, 9, 2}, red.Bounds());
    picture.DrawHexByte({1, -20}, 0xFF);
  }
  picture.FillRect({0, 4, 7, 5}, 3);
  EXPECT_EQ(ColorRows(picture, {0, 0, 7, 5}, kLegend),
            (Rows{".......", "..r.r..", "....r..", "..www..", "rrrrrrr"}));
  EXPECT_THROW(DisplayPicture::Viewport(picture, {5, 0, 8, 2}), std::out_of_range);
  EXPECT_THROW(DisplayPicture::Viewport(picture, {1, 1, 1, 3}), std::out_of_range);
}

}  // namespace
}  // namespace zantor
