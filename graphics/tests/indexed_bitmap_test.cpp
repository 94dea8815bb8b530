#include "graphics/indexed_bitmap.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "graphics/display_picture.h"
#include "graphics/tests/render_test_support.h"

namespace zantor {
namespace {

using testing::IndexRows;
using testing::Sized;
using Rows = std::vector<std::string>;

TEST(IndexedBitmapShape, FreshAndResizedBitmapsAreZeroWithABlackTable) {
  IndexedBitmap bitmap;
  EXPECT_EQ(IndexRows(bitmap, bitmap.Bounds()), (Rows{"0"}));
  for (int i = 0; i < 256; ++i) ASSERT_EQ(bitmap.GetPaletteEntry(i), 0u) << i;
  bitmap.SetPaletteEntry(1, 0x123456);
  bitmap.SetWidth(4);
  bitmap.ScanLine(0)[3] = 9;
  bitmap.SetPaletteEntry(2, 0x654321);
  bitmap.SetHeight(3);
  EXPECT_EQ(IndexRows(bitmap, bitmap.Bounds()), (Rows{"0000", "0000", "0000"}));
  EXPECT_EQ(bitmap.ScanLine(2).size(), 4u);
  EXPECT_EQ(bitmap.GetPaletteEntry(1), 0u);
  EXPECT_EQ(bitmap.GetPaletteEntry(2), 0u);
}

TEST(IndexedBitmapShape, BadSizesRowsAndIndexesAreErrors) {
  IndexedBitmap bitmap = Sized(8, 8);
  EXPECT_THROW(bitmap.SetWidth(0), std::invalid_argument);
  EXPECT_THROW(bitmap.SetWidth(-4), std::invalid_argument);
  EXPECT_THROW(bitmap.SetHeight(0), std::invalid_argument);
  EXPECT_EQ(bitmap.Width(), 8);  // a refused size leaves the bitmap as it was
  EXPECT_THROW(bitmap.ScanLine(-1), std::out_of_range);
  EXPECT_THROW(bitmap.ScanLine(8), std::out_of_range);
  EXPECT_THROW(bitmap.SetPaletteEntry(256, 0), std::out_of_range);
  EXPECT_THROW(bitmap.SetPaletteEntry(-1, 0), std::out_of_range);
  EXPECT_THROW(bitmap.GetPaletteEntry(256), std::out_of_range);
}

TEST(IndexedBitmapColours, EntriesKeepTheColourBitsAndCopyWhole) {
  IndexedBitmap source;
  for (int i = 0; i < 256; ++i) source.SetPaletteEntry(i, 0xAB000000u | (0x010203u * i));
  IndexedBitmap target = Sized(4, 4);
  target.CopyPaletteFrom(source);
  for (int i = 0; i < 256; ++i) {
    ASSERT_EQ(target.GetPaletteEntry(i), (0x010203u * i) & 0xFFFFFF) << i;
  }
  EXPECT_EQ(target.Width(), 4);
}

// The 4 x 4 source of the copy tests: rows "0123", "4567", "89AB", "CDEF".
IndexedBitmap Checker() {
  IndexedBitmap source = Sized(4, 4);
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 4; ++x) source.ScanLine(y)[x] = static_cast<std::uint8_t>(y * 4 + x);
  }
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

TEST(RegionCopyBetweenBitmaps, WholeFactorsRepeatOrDropPixels) {
  const IndexedBitmap source = Checker();
  IndexedBitmap doubled = Sized(8, 8);
  source.CopyRegion(doubled, doubled.Bounds(), source.Bounds());
  EXPECT_EQ(IndexRows(doubled, doubled.Bounds()),
            (Rows{"00112233", "00112233", "44556677", "44556677", "8899AABB", "8899AABB",
                  "CCDDEEFF", "CCDDEEFF"}));
  IndexedBitmap quadrupled = Sized(8, 8);
  source.CopyRegion(quadrupled, quadrupled.Bounds(), {2, 2, 4, 4});
  EXPECT_EQ(IndexRows(quadrupled, quadrupled.Bounds()),
            (Rows{"AAAABBBB", "AAAABBBB", "AAAABBBB", "AAAABBBB", "EEEEFFFF", "EEEEFFFF",
                  "EEEEFFFF", "EEEEFFFF"}));
  IndexedBitmap halved = Sized(2, 2);  // the top-left pixel of each pair
  source.CopyRegion(halved, halved.Bounds(), source.Bounds());
  EXPECT_EQ(IndexRows(halved, halved.Bounds()), (Rows{"02", "8A"}));
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

TEST(RegionCopyBetweenBitmaps, OverlappingCopiesWithinOneBitmapReadTheSourceAsItWas) {
  IndexedBitmap right = Checker();
  right.CopyRegion(right, {1, 0, 4, 1}, {0, 0, 3, 1});
  EXPECT_EQ(IndexRows(right, right.Bounds()), (Rows{"0012", "4567", "89AB", "CDEF"}));
  IndexedBitmap down = Checker();
  down.CopyRegion(down, {1, 1, 4, 4}, {0, 0, 3, 3});
  EXPECT_EQ(IndexRows(down, down.Bounds()), (Rows{"0123", "4012", "8456", "C89A"}));
  IndexedBitmap up = Checker();
  up.CopyRegion(up, {0, 0, 3, 3}, {1, 1, 4, 4});
  EXPECT_EQ(IndexRows(up, up.Bounds()), (Rows{"5673", "9AB7", "DEFB", "CDEF"}));
  IndexedBitmap doubled = Checker();
  doubled.CopyRegion(doubled, doubled.Bounds(), {0, 0, 2, 2});
  EXPECT_EQ(IndexRows(doubled, doubled.Bounds()), (Rows{"0011", "0011", "4455", "4455"}));
  IndexedBitmap halved = Checker();
  halved.CopyRegion(halved, {1, 1, 3, 3}, halved.Bounds());
  EXPECT_EQ(IndexRows(halved, halved.Bounds()), (Rows{"0123", "4027", "88AB", "CDEF"}));
}

TEST(RegionCopyOntoPicture, EveryIndexShowsItsCurrentColourWhateverItsNeighbours) {
  // Runs of chip indexes (below 16) and runs mixing in higher indexes, plus a short tail.
  const std::vector<std::uint8_t> indexes{0, 1,  2, 3,   15, 14, 13, 12, 4, 81,
                                          5, 80, 6, 255, 7,  16, 3,  9,  81};
  IndexedBitmap source = Sized(static_cast<int>(indexes.size()), 1);
  for (std::size_t x = 0; x < indexes.size(); ++x) source.ScanLine(0)[x] = indexes[x];
  const auto colour = [](int i) {
    return static_cast<std::uint32_t>(0x010203 * (i + 1)) & 0xFFFFFF;
  };
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

TEST(RegionCopyOntoPicture, RowsOfSixteenAndMoreConvertLikeAnyOther) {
  // Rows 32 wide: chip indexes only, one higher index at the end, chip indexes again.
  IndexedBitmap source = Sized(32, 3);
  for (int y = 0; y < 3; ++y) {
    for (int x = 0; x < 32; ++x)
      source.ScanLine(y)[x] = static_cast<std::uint8_t>((x * 7 + y) % 16);
  }
  source.ScanLine(1)[31] = 200;
  for (int i = 0; i < 256; ++i)
    source.SetPaletteEntry(i, 0x010101u * static_cast<std::uint32_t>(i));
  DisplayPicture picture(32, 3, ColorTable());
  source.CopyRegion(picture, picture.Bounds(), source.Bounds());
  for (int y = 0; y < 3; ++y) {
    for (int x = 0; x < 32; ++x) {
      ASSERT_EQ(picture.Pixel(x, y), 0x010101u * source.ScanLine(y)[x]) << x << "," << y;
    }
  }
}

TEST(RegionCopyOntoPicture, WholeReductionsReadEveryStepthColumnFromTheClippedEdge) {
  // Wide enough for the sixteen-at-a-time path; each source column holds its own index.
  IndexedBitmap source = Sized(120, 2);
  for (int y = 0; y < 2; ++y) {
    for (int x = 0; x < 120; ++x) source.ScanLine(y)[x] = static_cast<std::uint8_t>(x + y);
  }
  for (int i = 0; i < 256; ++i)
    source.SetPaletteEntry(i, 0x010101u * static_cast<std::uint32_t>(i));
  struct Case {
    int step;
    int left;  // of the target rectangle; negative is clipped by the picture
  };
  for (const Case c : {Case{2, 0}, Case{2, -3}, Case{3, -1}, Case{4, 0}}) {
    const int width = 120 / c.step;
    DisplayPicture picture(width, 2, ColorTable());
    source.CopyRegion(picture, {c.left, 0, c.left + width, 2}, source.Bounds());
    for (int y = 0; y < 2; ++y) {
      for (int x = 0; x < width + c.left; ++x) {
        const int column = (x - c.left) * c.step;
        ASSERT_EQ(picture.Pixel(x, y), 0x010101u * static_cast<std::uint32_t>(column + y))
            << "step " << c.step << " left " << c.left << " at " << x << "," << y;
      }
    }
  }
}

}  // namespace
}  // namespace zantor
