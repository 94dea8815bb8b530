#include "graphics/editor_graphics.h"

#include <gtest/gtest.h>

#include <array>

#include "graphics/tests/render_test_support.h"

namespace zantor {
namespace {

using testing::ColorRows;
using testing::EncodeTile;
using testing::IndexRows;
using testing::Sized;
using testing::RenderFixture;
using testing::SolidTile;
using testing::TestMasterColor;
using Rows = std::vector<std::string>;

constexpr std::int64_t kChrBase = 16 + 2 * 16384;  // image byte 4 = 2

// A renderer whose CHR data starts at kChrBase.
struct ChrFixture : RenderFixture {
  ChrFixture() {
    image.Write(4, 2);
    graphics.SetChrBase();
  }
};

const std::array<std::string, 8> kArrow{"00011000", "00122100", "01233210", "12333321",
                                        "00033000", "00033000", "00033000", "00000000"};
const std::array<std::string, 8> kCorner{"33333333", "30000000", "30000000", "30000000",
                                         "30000000", "30000000", "30000000", "30000000"};

Rows WithBase(const std::array<std::string, 8>& rows, int palette) {
  Rows result;
  for (const std::string& row : rows) {
    std::string shifted;
    for (const char c : row) shifted += "0123456789ABCDEF"[palette * 4 + (c - '0')];
    result.push_back(shifted);
  }
  return result;
}

TEST(TileAddressing, LastTileOfSlotZeroAndFirstOfSlotOne) {
  ChrFixture f;
  const std::array<std::uint8_t, 2> banks{2, 5};
  f.image.WriteBlock(kChrBase + 2 * 1024 + 2032, EncodeTile(kArrow));
  f.image.WriteBlock(kChrBase + 5 * 1024, EncodeTile(kCorner));
  // Decoys where a slot mix-up would look.
  f.image.WriteBlock(kChrBase + 5 * 1024 + 2032, SolidTile(1));
  f.image.WriteBlock(kChrBase + 2 * 1024 + 2048, SolidTile(2));
  IndexedBitmap bitmap = Sized(16, 8);
  f.graphics.DrawTile(bitmap, banks, 0, 0, 0x7F, 0);
  f.graphics.DrawTile(bitmap, banks, 8, 0, 0x80, 0);
  EXPECT_EQ(IndexRows(bitmap, {0, 0, 8, 8}), WithBase(kArrow, 0));
  EXPECT_EQ(IndexRows(bitmap, {8, 0, 16, 8}), WithBase(kCorner, 0));
}

TEST(TileAddressing, BankPairFourSix) {
  ChrFixture f;
  const std::array<std::uint8_t, 2> banks{4, 6};
  f.image.WriteBlock(kChrBase + 6 * 1024 + 0x10 * 16, EncodeTile(kArrow));
  f.image.WriteBlock(kChrBase + 4 * 1024 + 0x10 * 16, SolidTile(3));  // slot 0's tile 0x10
  IndexedBitmap bitmap = Sized(8, 8);
  f.graphics.DrawTile(bitmap, banks, 0, 0, 0x90, 1);
  EXPECT_EQ(IndexRows(bitmap, bitmap.Bounds()), WithBase(kArrow, 1));
}

TEST(TileDecoding, BitPlaneRowExample) {
  ChrFixture f;
  const std::array<std::uint8_t, 2> banks{0, 1};
  std::array<std::uint8_t, 16> bytes{};
  bytes[0] = 0x80;  // plane 0 of row 0
  bytes[8] = 0x01;  // plane 1 of row 0
  f.image.WriteBlock(kChrBase + 3 * 16, bytes);
  IndexedBitmap bitmap = Sized(8, 2);
  f.graphics.DrawTile(bitmap, banks, 0, 0, 3, 0);
  EXPECT_EQ(IndexRows(bitmap, {0, 0, 8, 1}), (Rows{"10000002"}));
  f.graphics.DrawTile(bitmap, banks, 0, 0, 3, 3);
  EXPECT_EQ(IndexRows(bitmap, bitmap.Bounds()), (Rows{"DCCCCCCE", "CCCCCCCC"}));
}

TEST(TileDecoding, WritesOnlyItsOwnPixelsAndClipsAtTheEdges) {
  ChrFixture f;
  const std::array<std::uint8_t, 2> banks{0, 0};
  f.image.WriteBlock(kChrBase + 16, SolidTile(3));
  IndexedBitmap bitmap = Sized(12, 10);
  f.graphics.FillRect(bitmap, 0, 0, 12, 10, 9);
  f.graphics.DrawTile(bitmap, banks, 2, 1, 1, 0);
  f.graphics.DrawTile(bitmap, banks, 8, 6, 1, 1);  // half outside, right and bottom
  f.graphics.DrawTile(bitmap, banks, -6, -6, 1, 2);  // mostly outside, left and top
  EXPECT_EQ(IndexRows(bitmap, bitmap.Bounds()),
            (Rows{"BB9999999999", "BB3333333399", "993333333399", "993333333399",
                  "993333333399", "993333333399", "993333337777", "993333337777",
                  "993333337777", "999999997777"}));
}

TEST(ChipDrawing, QuadrantsComeFromTheFourTableParts) {
  ChrFixture f;
  const std::array<std::uint8_t, 2> banks{0, 1};
  for (int t = 1; t <= 4; ++t) f.image.WriteBlock(kChrBase + t * 16, SolidTile(t - 1));
  std::array<std::uint8_t, 1024> tiles{};
  tiles[7] = 1;
  tiles[256 + 7] = 2;
  tiles[512 + 7] = 3;
  tiles[768 + 7] = 4;
  IndexedBitmap bitmap = Sized(18, 17);
  f.graphics.DrawChip16(bitmap, banks, tiles, 1, 1, 7, 2);
  const Rows rows = IndexRows(bitmap, {1, 1, 17, 17});
  EXPECT_EQ(rows[0], "8888888899999999");
  EXPECT_EQ(rows[15], "AAAAAAAABBBBBBBB");
  EXPECT_EQ(IndexRows(bitmap, {0, 0, 18, 1}), (Rows{"000000000000000000"}));
}

TEST(ChipDrawing, SheetUsesTheLowTwoPropertyBits) {
  ChrFixture f;
  const std::array<std::uint8_t, 2> banks{0, 1};
  f.image.WriteBlock(kChrBase + 16, EncodeTile(kArrow));
  std::array<std::uint8_t, 1024> tiles{};
  std::array<std::uint8_t, 256> properties{};
  for (const int quadrant : {0, 256, 512, 768}) tiles[quadrant + 0x21] = 1;
  tiles[0x22] = 1;
  properties[0x21] = 0x1E;
  properties[0x22] = 0x02;
  f.graphics.BuildChip16Sheet(f.graphics.Chip16Sheet(), banks, tiles, properties);
  const IndexedBitmap& sheet = f.graphics.Chip16Sheet();
  const PixelRect chip21{0x1 * 16, 0x2 * 16, 0x1 * 16 + 8, 0x2 * 16 + 8};
  const PixelRect chip22{0x2 * 16, 0x2 * 16, 0x2 * 16 + 8, 0x2 * 16 + 8};
  EXPECT_EQ(IndexRows(sheet, chip21), WithBase(kArrow, 2));
  EXPECT_EQ(IndexRows(sheet, chip22), IndexRows(sheet, chip21));
  // Chip 0 uses tile 0 (all zero) with palette 0; its neighbour the arrow quadrants.
  EXPECT_EQ(IndexRows(sheet, {0, 0, 16, 1}), (Rows{"0000000000000000"}));
  EXPECT_EQ(IndexRows(sheet, {0x1 * 16 + 8, 0x2 * 16 + 8, 0x1 * 16 + 16, 0x2 * 16 + 16}),
            WithBase(kArrow, 2));
}

TEST(ChipDrawing, BankTableShowsAllTilesInPlainColours) {
  ChrFixture f;
  f.image.WriteBlock(kChrBase + 3 * 1024 + 0 * 16, SolidTile(1));
  f.image.WriteBlock(kChrBase + 3 * 1024 + 17 * 16, SolidTile(2));
  f.image.WriteBlock(kChrBase + 3 * 1024 + 127 * 16, EncodeTile(kArrow));
  IndexedBitmap bitmap = Sized(128, 128);
  f.graphics.DrawBank(bitmap, 3, 64);
  EXPECT_EQ(IndexRows(bitmap, {0, 64, 8, 65}), (Rows{"11111111"}));
  EXPECT_EQ(IndexRows(bitmap, {8, 72, 16, 73}), (Rows{"22222222"}));
  EXPECT_EQ(IndexRows(bitmap, {120, 120, 128, 128}), WithBase(kArrow, 0));
  EXPECT_EQ(IndexRows(bitmap, {0, 63, 8, 64}), (Rows{"00000000"}));
}

// Fills each 16x16 chip cell n of the sheet with index n % 16, with an 'x' in its top-left
// pixel set to (n + 1) % 16 so that cell shifts show.
void LabelChip16Sheet(IndexedBitmap& sheet) {
  for (int n = 0; n < 256; ++n) {
    const int x0 = n % 16 * 16;
    const int y0 = n / 16 * 16;
    for (int y = 0; y < 16; ++y) {
      for (int x = 0; x < 16; ++x) {
        sheet.ScanLine(y0 + y)[x0 + x] = static_cast<std::uint8_t>(n % 16);
      }
    }
    sheet.ScanLine(y0)[x0] = static_cast<std::uint8_t>((n + 1) % 16);
  }
}

TEST(Chip32Sheet, QuadrantsAreCopiesOfChip16Cells) {
  RenderFixture f;
  LabelChip16Sheet(f.graphics.Chip16Sheet());
  std::array<std::uint8_t, 1024> chips{};
  chips[0x13 * 4 + 0] = 0x21;
  chips[0x13 * 4 + 1] = 0x32;
  chips[0x13 * 4 + 2] = 0x43;
  chips[0x13 * 4 + 3] = 0x54;
  for (int q = 0; q < 4; ++q) chips[0x40 * 4 + q] = 5;
  f.graphics.BuildChip32Sheet(f.graphics.Chip32Sheet(), chips);
  const IndexedBitmap& sheet = f.graphics.Chip32Sheet();
  const int x0 = 0x3 * 32;
  const int y0 = 0x1 * 32;
  EXPECT_EQ(IndexRows(sheet, {x0, y0, x0 + 32, y0 + 1}),
            (Rows{"2111111111111111" "3222222222222222"}));
  EXPECT_EQ(IndexRows(sheet, {x0, y0 + 16, x0 + 32, y0 + 17}),
            (Rows{"4333333333333333" "5444444444444444"}));
  // Chip 0x40 shows chip 5 four times, index for index.
  const IndexedBitmap& small = f.graphics.Chip16Sheet();
  for (int y = 0; y < 32; ++y) {
    for (int x = 0; x < 32; ++x) {
      ASSERT_EQ(sheet.ScanLine(4 * 32 + y)[x], small.ScanLine(y % 16)[5 * 16 + x % 16]);
    }
  }
}

TEST(Chip32Sheet, UpdateTouchesOnlyTheOneChip) {
  RenderFixture f;
  LabelChip16Sheet(f.graphics.Chip16Sheet());
  std::array<std::uint8_t, 1024> chips{};
  f.graphics.BuildChip32Sheet(f.graphics.Chip32Sheet(), chips);
  for (int q = 0; q < 4; ++q) chips[0x11 * 4 + q] = 0x0B;
  chips[0x12 * 4] = 0x0C;  // changed, but not updated
  f.graphics.UpdateChip32(f.graphics.Chip32Sheet(), chips, 0x11);
  const IndexedBitmap& sheet = f.graphics.Chip32Sheet();
  EXPECT_EQ(IndexRows(sheet, {32, 32, 40, 33}), (Rows{"CBBBBBBB"}));
  EXPECT_EQ(IndexRows(sheet, {64, 32, 72, 33}), (Rows{"10000000"}));
}

// Paints each 32x32 chip cell of the sheet with index n % 16 and gives index i the
// master colour of NES number i.
void LabelChip32Sheet(RenderFixture& f) {
  IndexedBitmap& sheet = f.graphics.Chip32Sheet();
  for (int n = 0; n < 256; ++n) {
    f.graphics.FillRect(sheet, n % 16 * 32, n / 16 * 32, 32, 32, static_cast<std::uint8_t>(n % 16));
  }
  for (int i = 0; i < 16; ++i) f.graphics.SetStageColor(i, i);
  f.graphics.RefreshChip32SheetPalette();
}

std::map<std::uint32_t, char> NesLegend() {
  std::map<std::uint32_t, char> legend;
  for (int i = 0; i < 16; ++i) legend[TestMasterColor(i)] = "0123456789ABCDEF"[i];
  legend[EditorGraphics::kMagenta] = 'm';
  legend[EditorGraphics::kWhite] = 'w';
  legend[0] = 'k';
  return legend;
}

TEST(ScreenDrawing, MapSetPlacesEightByEightChips) {
  RenderFixture f;
  LabelChip32Sheet(f);
  std::array<std::uint8_t, 64> cells{};
  for (int i = 0; i < 64; ++i) cells[i] = static_cast<std::uint8_t>(i * 3);
  auto picture = f.graphics.CreateDisplayPicture(256, 256);
  f.graphics.DrawMapSet(*picture, cells);
  Rows corners;
  for (int r = 0; r < 8; ++r) {
    std::string row;
    for (int c = 0; c < 8; ++c) {
      // Sample each cell at both corners: the whole cell has one colour.
      const std::uint32_t a = picture->Pixel(c * 32, r * 32);
      ASSERT_EQ(a, picture->Pixel(c * 32 + 31, r * 32 + 31));
      row += NesLegend().at(a);
    }
    corners.push_back(row);
  }
  EXPECT_EQ(corners, (Rows{"0369CF25", "8BE147AD", "0369CF25", "8BE147AD", "0369CF25",
                           "8BE147AD", "0369CF25", "8BE147AD"}));
}

TEST(ScreenDrawing, ChipTableIsTheSheetHalved) {
  RenderFixture f;
  IndexedBitmap& sheet = f.graphics.Chip32Sheet();
  for (int y = 0; y < 512; ++y) {
    for (int x = 0; x < 512; ++x) sheet.ScanLine(y)[x] = static_cast<std::uint8_t>((x + 3 * y) % 16);
  }
  for (int i = 0; i < 16; ++i) f.graphics.SetStageColor(i, i);
  f.graphics.RefreshChip32SheetPalette();
  auto picture = f.graphics.CreateDisplayPicture(256, 256);
  f.graphics.DrawChip32Sheet(*picture);
  for (int y = 0; y < 256; ++y) {
    for (int x = 0; x < 256; ++x) {
      ASSERT_EQ(picture->Pixel(x, y), TestMasterColor((2 * x + 6 * y) % 16)) << x << "," << y;
    }
  }
}

TEST(ScreenDrawing, OneChipEnlargedOrReduced) {
  RenderFixture f;
  IndexedBitmap& sheet = f.graphics.Chip32Sheet();
  // Chip 0x12 at (64, 32): index = column of the chip pixel % 16.
  for (int y = 0; y < 32; ++y) {
    for (int x = 0; x < 32; ++x) sheet.ScanLine(32 + y)[64 + x] = static_cast<std::uint8_t>(x % 16);
  }
  for (int i = 0; i < 16; ++i) f.graphics.SetStageColor(i, i);
  f.graphics.RefreshChip32SheetPalette();
  auto picture = f.graphics.CreateDisplayPicture(100, 100);
  f.graphics.DrawChip32(*picture, 4, 4, 64, 64, 0x12);
  f.graphics.DrawChip32(*picture, 80, 80, 16, 16, 0x12);
  EXPECT_EQ(ColorRows(*picture, {4, 4, 40, 6}, NesLegend()),
            (Rows{"00112233445566778899AABBCCDDEEFF0011", "00112233445566778899AABBCCDDEEFF0011"}));
  EXPECT_EQ(ColorRows(*picture, {80, 80, 96, 81}, NesLegend()), (Rows{"02468ACE02468ACE"}));
}

int CountColor(const DisplayPicture& picture, std::uint32_t color) {
  int count = 0;
  for (int y = 0; y < picture.Height(); ++y) {
    for (int x = 0; x < picture.Width(); ++x) count += picture.Pixel(x, y) == color;
  }
  return count;
}

TEST(Outlines, FrameSetsExactlyTheSixtyBorderPixels) {
  RenderFixture f;
  auto picture = f.graphics.CreateDisplayPicture(64, 64);
  f.graphics.DrawFrame(*picture, 16, 32, 16);
  EXPECT_EQ(CountColor(*picture, EditorGraphics::kMagenta), 60);
  for (int y = 0; y < 64; ++y) {
    for (int x = 0; x < 64; ++x) {
      const bool inside = x >= 16 && x <= 31 && y >= 32 && y <= 47;
      const bool border = inside && (x == 16 || x == 31 || y == 32 || y == 47);
      ASSERT_EQ(picture->Pixel(x, y) == EditorGraphics::kMagenta, border) << x << "," << y;
    }
  }
}

TEST(Outlines, CursorsAreWhiteSquaresAroundThePoint) {
  RenderFixture f;
  auto picture = f.graphics.CreateDisplayPicture(64, 64);
  f.graphics.DrawCursor24(*picture, 20, 20);
  EXPECT_EQ(CountColor(*picture, EditorGraphics::kWhite), 4 * 23);
  EXPECT_EQ(picture->Pixel(8, 8), EditorGraphics::kWhite);
  EXPECT_EQ(picture->Pixel(31, 31), EditorGraphics::kWhite);
  EXPECT_NE(picture->Pixel(32, 31), EditorGraphics::kWhite);
  f.graphics.DrawCursor32(*picture, 48, 48);
  EXPECT_EQ(picture->Pixel(32, 32), EditorGraphics::kWhite);
  EXPECT_EQ(picture->Pixel(63, 63), EditorGraphics::kWhite);
  EXPECT_EQ(picture->Pixel(32, 63), EditorGraphics::kWhite);
  EXPECT_NE(picture->Pixel(48, 48), EditorGraphics::kWhite);
  EXPECT_EQ(CountColor(*picture, EditorGraphics::kWhite), 4 * 23 + 4 * 31);
}

TEST(Outlines, GridLinesEveryStepButNotAtTheFarEdges) {
  RenderFixture f;
  auto picture = f.graphics.CreateDisplayPicture(256, 256);
  f.graphics.DrawGrid(*picture, 32, 32);
  for (int y = 0; y < 256; ++y) {
    for (int x = 0; x < 256; ++x) {
      ASSERT_EQ(picture->Pixel(x, y) == EditorGraphics::kWhite, x % 32 == 0 || y % 32 == 0)
          << x << "," << y;
    }
  }
  // 8 full rows plus 8 full columns, crossings counted once.
  EXPECT_EQ(CountColor(*picture, EditorGraphics::kWhite), 8 * 256 + 8 * 256 - 64);
}

TEST(Outlines, GridWithUnequalStepsAndWithoutSteps) {
  RenderFixture f;
  auto picture = f.graphics.CreateDisplayPicture(8, 6);
  f.graphics.DrawGrid(*picture, 4, 3);
  EXPECT_EQ(ColorRows(*picture, picture->Bounds(), NesLegend()),
            (Rows{"wwwwwwww", "w000w000", "w000w000", "wwwwwwww", "w000w000", "w000w000"}));
  auto empty = f.graphics.CreateDisplayPicture(8, 6);
  f.graphics.DrawGrid(*empty, 0, -3);  // no endless loop, no lines
  EXPECT_EQ(CountColor(*empty, EditorGraphics::kWhite), 0);
}

TEST(Outlines, ObjectMarkerShowsTheKindInHex) {
  RenderFixture f;
  auto picture = f.graphics.CreateDisplayPicture(40, 40);
  f.graphics.DrawObjectMarker(*picture, 20, 20, 0x0A);
  const std::map<std::uint32_t, char> legend{
      {TestMasterColor(0), '.'}, {0xFFFFFF, 'w'}, {0x000000, 'k'}};
  const Rows expected{
      "wwwwwwwwwwwwwwww",
      "w..............w",
      "w.wwwwwwwwwwwwww",
      "w.wwkkkwwwkkkwww",
      "w.wkwwwkwkwwwkww",
      "w.wkwwwkwkwwwkww",
      "w.wkwwwkwkkkkkww",
      "w.wkwwwkwkwwwkww",
      "w.wkwwwkwkwwwkww",
      "w.wwkkkwwkwwwkww",
      "w.wwwwwwwwwwwwww",
      "w..............w",
      "w..............w",
      "w..............w",
      "w..............w",
      "wwwwwwwwwwwwwwww",
  };
  EXPECT_EQ(ColorRows(*picture, {12, 12, 28, 28}, legend), expected);
  EXPECT_EQ(ColorRows(*picture, {11, 11, 29, 12}, legend), (Rows{".................."}));
}

TEST(Outlines, ObjectMarkerNearTheEdgeIsClippedNotMoved) {
  RenderFixture f;
  auto picture = f.graphics.CreateDisplayPicture(32, 32);
  f.graphics.DrawObjectMarker(*picture, 2, 2, 0x0A);
  const std::map<std::uint32_t, char> legend{
      {TestMasterColor(0), '.'}, {0xFFFFFF, 'w'}, {0x000000, 'k'}};
  const Rows expected{
      "wkwkkkkkww", "wkwkwwwkww", "wkwkwwwkww", "kwwkwwwkww", "wwwwwwwwww",
      ".........w", ".........w", ".........w", ".........w", "wwwwwwwwww",
  };
  EXPECT_EQ(ColorRows(*picture, {0, 0, 10, 10}, legend), expected);
}

TEST(ChangeReports, EveryPictureOperationReportsOnceHoweverManyPiecesItDraws) {
  RenderFixture f;
  auto picture = f.graphics.CreateDisplayPicture(256, 256);
  int changes = 0;
  picture->SetChangeHandler([&changes] { ++changes; });
  f.graphics.DrawMapSet(*picture, std::array<std::uint8_t, 64>{});
  EXPECT_EQ(changes, 1);
  f.graphics.DrawGrid(*picture, 32, 16);
  EXPECT_EQ(changes, 2);
  f.graphics.DrawObjectMarker(*picture, 20, 20, 0x12);
  EXPECT_EQ(changes, 3);
  f.graphics.DrawGrid(*picture, 0, 0);  // draws nothing
  EXPECT_EQ(changes, 3);
  f.graphics.DrawCursor32(*picture, 40, 40);
  EXPECT_EQ(changes, 4);
}

TEST(ColourTables, PicturesShowMasterEntriesAndStageTablesStartBlack) {
  RenderFixture f;
  auto picture = f.graphics.CreateDisplayPicture(256, 1);
  for (int i = 0; i < 256; ++i) f.graphics.FillRect(*picture, i, 0, 1, 1, i);
  for (int n = 0; n < 64; ++n) ASSERT_EQ(picture->Pixel(n, 0), TestMasterColor(n)) << n;
  const IndexedBitmap& stage = f.graphics.StageBitmap();
  EXPECT_EQ(picture->Pixel(80, 0), EditorGraphics::kMagenta);
  EXPECT_EQ(picture->Pixel(81, 0), EditorGraphics::kWhite);
  EXPECT_EQ(stage.GetPaletteEntry(80), EditorGraphics::kMagenta);
  EXPECT_EQ(stage.GetPaletteEntry(81), EditorGraphics::kWhite);
  for (const int other : {64, 79, 82, 255}) {
    EXPECT_EQ(picture->Pixel(other, 0), 0u);
    EXPECT_EQ(stage.GetPaletteEntry(other), 0u);
  }
  for (int i = 0; i < 16; ++i) EXPECT_EQ(stage.GetPaletteEntry(i), 0u);
  EXPECT_EQ(f.graphics.Chip16Sheet().Width(), 256);
  EXPECT_EQ(f.graphics.Chip32Sheet().Height(), 512);
  EXPECT_EQ(f.graphics.Chip32Sheet().GetPaletteEntry(80), EditorGraphics::kMagenta);
}

TEST(ColourTables, StageBitmapsCopyThePaletteOfTheirMoment) {
  RenderFixture f;
  const std::array<std::uint8_t, 16> numbers{0x0F, 0x01, 0x02, 0x03, 0x10, 0x11, 0x12, 0x13,
                                             0x20, 0x21, 0x22, 0x23, 0x30, 0x31, 0x32, 0x33};
  f.graphics.SetStagePalette(numbers);
  for (int i = 0; i < 16; ++i) EXPECT_EQ(f.graphics.GetStageColor(i), TestMasterColor(numbers[i]));
  const IndexedBitmap bitmap = f.graphics.CreateStageBitmap(96, 24);
  f.graphics.SetStageColor(1, 0x2A);
  EXPECT_EQ(bitmap.Width(), 96);
  EXPECT_EQ(bitmap.GetPaletteEntry(1), TestMasterColor(0x01));
  EXPECT_EQ(f.graphics.GetStageColor(1), TestMasterColor(0x2A));
  EXPECT_EQ(bitmap.GetPaletteEntry(81), 0xFFFFFFu);
  EXPECT_THROW(f.graphics.SetStageColor(16, 0), std::out_of_range);
  EXPECT_THROW(f.graphics.GetStageColor(-1), std::out_of_range);
}

TEST(ColourTables, NumbersFromTheImageAboveThreeFUseTheLowSixBits) {
  RenderFixture f;
  std::array<std::uint8_t, 16> numbers{};
  numbers[0] = 0x45;
  numbers[1] = 0xFF;
  numbers[2] = 0x80;
  f.graphics.SetStagePalette(numbers);
  EXPECT_EQ(f.graphics.GetStageColor(0), TestMasterColor(0x05));
  EXPECT_EQ(f.graphics.GetStageColor(1), TestMasterColor(0x3F));
  EXPECT_EQ(f.graphics.GetStageColor(2), TestMasterColor(0x00));
  f.graphics.SetStageColor(3, 0x7E);
  EXPECT_EQ(f.graphics.GetStageColor(3), TestMasterColor(0x3E));
}

TEST(Recolouring, StageColourChangeShowsWithoutDecodingAgain) {
  ChrFixture f;
  const std::array<std::uint8_t, 2> banks{0, 1};
  f.image.WriteBlock(kChrBase + 16, EncodeTile(kArrow));
  std::array<std::uint8_t, 1024> tiles{};
  std::array<std::uint8_t, 256> properties{};
  for (const int quadrant : {0, 256, 512, 768}) tiles[quadrant + 9] = 1;
  properties[9] = 1;  // palette 1: the arrow's colours are indexes 4..7
  for (int i = 0; i < 16; ++i) f.graphics.SetStageColor(i, i);
  f.graphics.BuildChip16Sheet(f.graphics.Chip16Sheet(), banks, tiles, properties);

  // New CHR bytes and a new colour for index 5: the sheet must keep the old shapes.
  f.image.WriteBlock(kChrBase + 16, SolidTile(1));
  f.graphics.SetStageColor(5, 0x30);
  f.graphics.Chip16Sheet().CopyPaletteFrom(f.graphics.StageBitmap());
  auto picture = f.graphics.CreateDisplayPicture(16, 16);
  f.graphics.Chip16Sheet().CopyRegion(*picture, picture->Bounds(), {144, 0, 160, 16});

  std::map<std::uint32_t, char> legend = NesLegend();
  legend[TestMasterColor(0x30)] = '*';
  const Rows top = ColorRows(*picture, {0, 0, 8, 8}, legend);
  EXPECT_EQ(top, (Rows{"444**444", "44*66*44", "4*6776*4", "*677776*", "44477444", "44477444",
                       "44477444", "44444444"}));
  EXPECT_EQ(ColorRows(*picture, {8, 8, 16, 16}, legend), top);
}

TEST(ImageBounds, ChrBaseBeyondTheBufferDrawsColourZero) {
  RenderFixture f;
  f.image.Write(4, 0xFF);  // CHR base 16 + 255 * 16384, past the 2 MiB buffer
  f.graphics.SetChrBase();
  const std::array<std::uint8_t, 2> banks{0xFF, 0xFF};
  IndexedBitmap bitmap = Sized(16, 8);
  f.graphics.FillRect(bitmap, 0, 0, 16, 8, 9);
  f.graphics.DrawTile(bitmap, banks, 0, 0, 0xFF, 2);
  f.graphics.DrawTile(bitmap, banks, 8, 0, 0x00, 0);
  EXPECT_EQ(IndexRows(bitmap, {0, 0, 16, 1}), (Rows{"8888888800000000"}));
  IndexedBitmap table = Sized(128, 64);
  f.graphics.DrawBank(table, 0xFF, 0);
  EXPECT_EQ(IndexRows(table, {120, 56, 128, 64}), Rows(8, "00000000"));
}

TEST(ImageBounds, BankWindowRunningOffTheEndStopsAtTheLastWholeTile) {
  RenderFixture f;
  f.image.Write(4, 0x80);  // CHR base 2,097,168: three tiles before the buffer's end
  f.graphics.SetChrBase();
  f.image.WriteBlock(ImageBytes::kCapacity - 16, EncodeTile(kCorner));
  const std::array<std::uint8_t, 2> banks{0, 0};
  IndexedBitmap bitmap = Sized(16, 8);
  f.graphics.FillRect(bitmap, 0, 0, 16, 8, 9);
  f.graphics.DrawTile(bitmap, banks, 0, 0, 2, 0);  // the buffer's last 16 bytes
  f.graphics.DrawTile(bitmap, banks, 8, 0, 3, 0);  // wholly outside
  EXPECT_EQ(IndexRows(bitmap, {0, 0, 8, 8}), WithBase(kCorner, 0));
  EXPECT_EQ(IndexRows(bitmap, {8, 0, 16, 8}), Rows(8, "00000000"));
}

}  // namespace
}  // namespace zantor
