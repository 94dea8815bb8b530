#include "graphics/display_picture.h"

#include <gtest/gtest.h>

#include <stdexcept>

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

TEST(DisplayPictureShape, NewPictureShowsMasterEntryZero) {
  const DisplayPicture picture(3, 2, GreyZeroMaster());
  EXPECT_EQ(ColorRows(picture, picture.Bounds(), kLegend), (Rows{"...", "..."}));
  EXPECT_EQ(picture.BytesPerLine(), 12);
}

TEST(DisplayPictureShape, RowsAreRgbxBytes) {
  DisplayPicture picture(2, 1, ColorTable());
  picture.DrawLine({0, 0}, {1, 0}, 0x332211);  // red 0x11, green 0x22, blue 0x33
  const auto* bytes = reinterpret_cast<const std::uint8_t*>(picture.Words());
  EXPECT_EQ(bytes[0], 0x11);
  EXPECT_EQ(bytes[1], 0x22);
  EXPECT_EQ(bytes[2], 0x33);
  EXPECT_EQ(bytes[3], 0xFF);
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

TEST(DisplayPictureDrawing, LinesLeaveOutTheirEndPoint) {
  DisplayPicture picture(5, 4, GreyZeroMaster());
  picture.DrawLine({0, 0}, {4, 0}, kWhite);
  picture.DrawLine({4, 3}, {1, 3}, kRed);
  picture.DrawLine({0, 1}, {0, 1}, kRed);  // zero length: nothing
  EXPECT_THROW(picture.DrawLine({0, 0}, {4, 2}, kRed), std::invalid_argument);
  EXPECT_EQ(ColorRows(picture, picture.Bounds(), kLegend), (Rows{"wwww.", ".....", ".....", "..rrr"}));
}

TEST(DisplayPictureDrawing, ClosedOutlineSetsEveryCorner) {
  DisplayPicture picture(6, 5, GreyZeroMaster());
  picture.DrawPolyline({{1, 1}, {4, 1}, {4, 3}, {1, 3}, {1, 1}}, kWhite);
  EXPECT_EQ(ColorRows(picture, picture.Bounds(), kLegend),
            (Rows{"......", ".wwww.", ".w..w.", ".wwww.", "......"}));
}

TEST(DisplayPictureDrawing, LinesFarOutsideAreClippedCheaply) {
  DisplayPicture picture(4, 2, GreyZeroMaster());
  picture.DrawLine({-2'000'000'000, 1}, {2'000'000'000, 1}, kWhite);
  picture.DrawLine({2, -2'000'000'000}, {2, 2'000'000'000}, kRed);
  EXPECT_EQ(ColorRows(picture, picture.Bounds(), kLegend), (Rows{"..r.", "wwrw"}));
}

TEST(DisplayPictureDrawing, HexByteIsBlackOnWhite) {
  DisplayPicture picture(15, 11, GreyZeroMaster());
  picture.DrawHexByte({1, 1}, 0x0A);
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

}  // namespace
}  // namespace zantor
