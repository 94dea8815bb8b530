#include "graphics/indexed_bitmap.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "graphics/display_picture.h"
#include "graphics/tests/render_test_support.h"

namespace zantor {
namespace {

using testing::ColorRows;
using testing::IndexRows;
using testing::Sized;
using Rows = std::vector<std::string>;

// Writes rows of hex digits into the bitmap from (x, y).
void Paint(IndexedBitmap& bitmap, int x, int y, const Rows& rows) {
  for (std::size_t r = 0; r < rows.size(); ++r) {
    for (std::size_t k = 0; k < rows[r].size(); ++k) {
      bitmap.ScanLine(y + static_cast<int>(r))[x + k] =
          static_cast<std::uint8_t>(std::stoi(std::string(1, rows[r][k]), nullptr, 16));
    }
  }
}

TEST(IndexedBitmapShape, FreshBitmapIsOneBlackPixel) {
  const IndexedBitmap bitmap;
  EXPECT_EQ(bitmap.Width(), 1);
  EXPECT_EQ(bitmap.Height(), 1);
  EXPECT_EQ(bitmap.ScanLine(0)[0], 0);
  for (int i = 0; i < 256; ++i) ASSERT_EQ(bitmap.GetPaletteEntry(i), 0u) << i;
}

TEST(IndexedBitmapShape, ResizingClearsPixelsAndTable) {
  IndexedBitmap bitmap;
  bitmap.SetPaletteEntry(1, 0x123456);
  bitmap.SetWidth(128);
  bitmap.ScanLine(0)[127] = 9;
  bitmap.SetPaletteEntry(2, 0x654321);
  bitmap.SetHeight(128);
  EXPECT_EQ(bitmap.Width(), 128);
  EXPECT_EQ(bitmap.Height(), 128);
  EXPECT_EQ(bitmap.GetPaletteEntry(1), 0u);
  EXPECT_EQ(bitmap.GetPaletteEntry(2), 0u);
  for (int y = 0; y < 128; ++y) {
    for (const std::uint8_t pixel : bitmap.ScanLine(y)) ASSERT_EQ(pixel, 0);
  }
}

TEST(IndexedBitmapShape, ScanLineZeroIsTheTopRow) {
  IndexedBitmap bitmap = Sized(4, 3);
  bitmap.ScanLine(0)[1] = 7;
  EXPECT_EQ(IndexRows(bitmap, bitmap.Bounds()), (Rows{"0700", "0000", "0000"}));
  EXPECT_EQ(bitmap.ScanLine(2).size(), 4u);
}

TEST(IndexedBitmapShape, BadSizesRowsAndIndexesAreErrors) {
  IndexedBitmap bitmap = Sized(8, 8);
  EXPECT_THROW(bitmap.SetWidth(0), std::invalid_argument);
  EXPECT_THROW(bitmap.SetWidth(-4), std::invalid_argument);
  EXPECT_THROW(bitmap.SetHeight(0), std::invalid_argument);
  EXPECT_THROW(bitmap.SetHeight(-1), std::invalid_argument);
  EXPECT_EQ(bitmap.Width(), 8);  // a refused size leaves the bitmap as it was
  EXPECT_THROW(bitmap.ScanLine(-1), std::out_of_range);
  EXPECT_THROW(bitmap.ScanLine(8), std::out_of_range);
  EXPECT_THROW(bitmap.SetPaletteEntry(256, 0), std::out_of_range);
  EXPECT_THROW(bitmap.SetPaletteEntry(-1, 0), std::out_of_range);
  EXPECT_THROW(bitmap.GetPaletteEntry(256), std::out_of_range);
}

TEST(IndexedBitmapColours, EntriesKeepOnlyTheColourBits) {
  IndexedBitmap bitmap;
  bitmap.SetPaletteEntry(5, 0xAB123456);
  EXPECT_EQ(bitmap.GetPaletteEntry(5), 0x123456u);
}

TEST(IndexedBitmapColours, CopyPaletteFromTakesAllEntries) {
  IndexedBitmap source;
  for (int i = 0; i < 256; ++i) source.SetPaletteEntry(i, 0x010203u * static_cast<unsigned>(i));
  source.SetPaletteEntry(80, 0xFF00FF);
  source.SetPaletteEntry(81, 0xFFFFFF);
  IndexedBitmap target = Sized(4, 4);
  target.CopyPaletteFrom(source);
  for (int i = 0; i < 256; ++i) {
    ASSERT_EQ(target.GetPaletteEntry(i), source.GetPaletteEntry(i)) << i;
  }
  EXPECT_EQ(target.GetPaletteEntry(80), 0xFF00FFu);
  EXPECT_EQ(target.GetPaletteEntry(81), 0xFFFFFFu);
  EXPECT_EQ(target.Width(), 4);
}

// A 4 x 4 source used by the copy tests.
IndexedBitmap Checker() {
  IndexedBitmap source = Sized(4, 4);
  Paint(source, 0, 0, {"0123", "4567", "89AB", "CDEF"});
  return source;
}

TEST(RegionCopyBetweenBitmaps, OneToOneKeepsIndexesEvenWhereColoursAreEqual) {
  IndexedBitmap source = Checker();
  source.SetPaletteEntry(1, 0x111111);
  source.SetPaletteEntry(2, 0x111111);
  IndexedBitmap target = Sized(6, 4);
  source.CopyRegion(target, {2, 1, 4, 3}, {1, 0, 3, 2});
  EXPECT_EQ(IndexRows(target, target.Bounds()), (Rows{"000000", "001200", "005600", "000000"}));
}

TEST(RegionCopyBetweenBitmaps, DoublingMakesTwoByTwoBlocks) {
  IndexedBitmap source = Sized(8, 8);
  Paint(source, 0, 0,
        {"01234567", "12345670", "23456701", "34567012", "45670123", "56701234", "67012345",
         "70123456"});
  IndexedBitmap target = Sized(16, 16);
  source.CopyRegion(target, {0, 0, 16, 16}, {0, 0, 8, 8});
  EXPECT_EQ(IndexRows(target, {0, 0, 16, 4}),
            (Rows{"0011223344556677", "0011223344556677", "1122334455667700",
                  "1122334455667700"}));
  for (int y = 0; y < 16; ++y) {
    for (int x = 0; x < 16; ++x) {
      ASSERT_EQ(target.ScanLine(y)[x], source.ScanLine(y / 2)[x / 2]) << x << "," << y;
    }
  }
}

TEST(RegionCopyBetweenBitmaps, QuadruplingMakesFourByFourBlocks) {
  IndexedBitmap source = Checker();
  IndexedBitmap target = Sized(8, 8);
  source.CopyRegion(target, {0, 0, 8, 8}, {2, 2, 4, 4});
  EXPECT_EQ(IndexRows(target, target.Bounds()),
            (Rows{"AAAABBBB", "AAAABBBB", "AAAABBBB", "AAAABBBB", "EEEEFFFF", "EEEEFFFF",
                  "EEEEFFFF", "EEEEFFFF"}));
}

TEST(RegionCopyBetweenBitmaps, HalvingKeepsTheTopLeftPixelOfEachPair) {
  IndexedBitmap source = Checker();
  IndexedBitmap target = Sized(2, 2);
  source.CopyRegion(target, {0, 0, 2, 2}, source.Bounds());
  EXPECT_EQ(IndexRows(target, target.Bounds()), (Rows{"02", "8A"}));
}

TEST(RegionCopyBetweenBitmaps, TargetIsClippedAtItsEdges) {
  IndexedBitmap source = Checker();
  IndexedBitmap target = Sized(3, 3);
  source.CopyRegion(target, {-1, 1, 3, 5}, source.Bounds());
  EXPECT_EQ(IndexRows(target, target.Bounds()), (Rows{"000", "123", "567"}));
  source.CopyRegion(target, {-4, -8, 4, 0}, source.Bounds());  // doubled, wholly above
  EXPECT_EQ(IndexRows(target, target.Bounds()), (Rows{"000", "123", "567"}));
}

TEST(RegionCopyBetweenBitmaps, HugeTargetRectangleIsClippedWithoutOverflow) {
  IndexedBitmap source = Checker();
  IndexedBitmap target = Sized(4, 4);
  // A 4 x 4 source stretched over 4e9 x 4e9 pixels: the visible corner is source pixel
  // (2, 2), as the middle of the stretch lands on the target's origin.
  source.CopyRegion(target, {-2'000'000'000, -2'000'000'000, 2'000'000'000, 2'000'000'000},
                    source.Bounds());
  EXPECT_EQ(IndexRows(target, target.Bounds()), (Rows{"AAAA", "AAAA", "AAAA", "AAAA"}));
}

TEST(RegionCopyBetweenBitmaps, SourceOutsideTheBitmapIsAnError) {
  IndexedBitmap source = Checker();
  IndexedBitmap target = Sized(4, 4);
  EXPECT_THROW(source.CopyRegion(target, {0, 0, 4, 4}, {1, 0, 5, 4}), std::out_of_range);
  EXPECT_THROW(source.CopyRegion(target, {0, 0, 4, 4}, {0, -1, 4, 3}), std::out_of_range);
  EXPECT_THROW(source.CopyRegion(target, {0, 0, 4, 4}, {2, 2, 2, 4}), std::out_of_range);
}

TEST(RegionCopyBetweenBitmaps, OverlappingCopyWithinOneBitmap) {
  IndexedBitmap bitmap = Checker();
  bitmap.CopyRegion(bitmap, {1, 0, 4, 1}, {0, 0, 3, 1});
  EXPECT_EQ(IndexRows(bitmap, {0, 0, 4, 1}), (Rows{"0012"}));
}

TEST(RegionCopyOntoPicture, CarriesColoursAndFollowsTableChanges) {
  IndexedBitmap source = Checker();
  ColorTable master;
  source.SetPaletteEntry(1, 0x0000AA);
  source.SetPaletteEntry(2, 0x00BB00);
  DisplayPicture picture(4, 2, master);
  const std::map<std::uint32_t, char> legend{
      {0x000000, '.'}, {0x0000AA, 'a'}, {0x00BB00, 'b'}, {0xCC0000, 'c'}};
  source.CopyRegion(picture, {0, 0, 4, 1}, {0, 0, 4, 1});
  EXPECT_EQ(ColorRows(picture, picture.Bounds(), legend), (Rows{".ab.", "...."}));

  source.SetPaletteEntry(1, 0xCC0000);
  source.CopyRegion(picture, {0, 1, 4, 2}, {0, 0, 4, 1});
  EXPECT_EQ(ColorRows(picture, picture.Bounds(), legend), (Rows{".ab.", ".cb."}));
}

TEST(RegionCopyOntoPicture, EveryIndexShowsItsCurrentColourWhateverItsNeighbours) {
  // Runs of chip indexes (below 16) and runs mixing in higher indexes, plus a short tail.
  const std::vector<std::uint8_t> indexes{0, 1, 2, 3, 15, 14, 13, 12, 4, 81, 5, 80, 6, 255,
                                          7, 16, 3, 9, 81};
  IndexedBitmap source = Sized(static_cast<int>(indexes.size()), 1);
  for (std::size_t x = 0; x < indexes.size(); ++x) source.ScanLine(0)[x] = indexes[x];
  const auto colour = [](int i) { return static_cast<std::uint32_t>(0x010203 * (i + 1)) & 0xFFFFFF; };
  for (int i = 0; i < 256; ++i) source.SetPaletteEntry(i, colour(i));
  DisplayPicture picture(source.Width(), 2, ColorTable());
  source.CopyRegion(picture, {0, 0, source.Width(), 1}, source.Bounds());
  source.SetPaletteEntry(3, 0xABCDEF);  // every pixel of index 3 follows
  source.SetPaletteEntry(81, 0x123456);
  source.CopyRegion(picture, {0, 1, source.Width(), 2}, source.Bounds());
  for (std::size_t x = 0; x < indexes.size(); ++x) {
    const int i = indexes[x];
    ASSERT_EQ(picture.Pixel(static_cast<int>(x), 0), colour(i)) << x;
    const std::uint32_t now = i == 3 ? 0xABCDEF : i == 81 ? 0x123456 : colour(i);
    ASSERT_EQ(picture.Pixel(static_cast<int>(x), 1), now) << x;
  }
}

TEST(RegionCopyOntoPicture, DoubledCopyOfEightByEight) {
  IndexedBitmap source = Sized(8, 8);
  Paint(source, 0, 0,
        {"10000000", "01000000", "00100000", "00010000", "00001000", "00000100", "00000010",
         "00000001"});
  source.SetPaletteEntry(1, 0xFFFFFF);
  DisplayPicture picture(16, 16, ColorTable());
  source.CopyRegion(picture, {0, 0, 16, 16}, {0, 0, 8, 8});
  const Rows expected{"##..............", "##..............", "..##............",
                      "..##............", "....##..........", "....##..........",
                      "......##........", "......##........", "........##......",
                      "........##......", "..........##....", "..........##....",
                      "............##..", "............##..", "..............##",
                      "..............##"};
  EXPECT_EQ(ColorRows(picture, picture.Bounds(), {{0, '.'}, {0xFFFFFF, '#'}}), expected);
}

}  // namespace
}  // namespace zantor
