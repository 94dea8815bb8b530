#include "graphics/editor_graphics.h"

#include <gtest/gtest.h>

#include <array>
#include <limits>

#include "graphics/tests/render_test_support.h"

namespace zantor {
namespace {

using testing::ColorRows;
using testing::EncodeTile;
using testing::IndexRows;
using testing::RenderFixture;
using testing::Sized;
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

TEST(TileAddressing, EachSlotReadsItsOwnBank) {
  ChrFixture f;
  const std::array<std::uint8_t, 2> banks{2, 5};
  f.image.WriteBlock(kChrBase + 2 * 1024 + 2032, EncodeTile(kArrow));       // slot 0's last tile
  f.image.WriteBlock(kChrBase + 5 * 1024, EncodeTile(kCorner));             // slot 1's first
  f.image.WriteBlock(kChrBase + 5 * 1024 + 0x10 * 16, EncodeTile(kArrow));  // tile 0x90
  // Decoys where a slot mix-up would look.
  f.image.WriteBlock(kChrBase + 5 * 1024 + 2032, SolidTile(1));
  f.image.WriteBlock(kChrBase + 2 * 1024 + 2048, SolidTile(2));
  f.image.WriteBlock(kChrBase + 2 * 1024 + 0x10 * 16, SolidTile(3));
  IndexedBitmap bitmap = Sized(24, 8);
  f.graphics.DrawTile(bitmap, banks, 0, 0, 0x7F, 0);
  f.graphics.DrawTile(bitmap, banks, 8, 0, 0x80, 0);
  f.graphics.DrawTile(bitmap, banks, 16, 0, 0x90, 1);
  EXPECT_EQ(IndexRows(bitmap, {0, 0, 8, 8}), WithBase(kArrow, 0));
  EXPECT_EQ(IndexRows(bitmap, {8, 0, 16, 8}), WithBase(kCorner, 0));
  EXPECT_EQ(IndexRows(bitmap, {16, 0, 24, 8}), WithBase(kArrow, 1));
}

TEST(TileAddressing, TileNinetyThroughBanksFourAndSixComesFromBankSix) {
  ChrFixture f;
  const std::array<std::uint8_t, 2> banks{4, 6};
  f.image.WriteBlock(kChrBase + 6 * 1024 + 0x10 * 16, EncodeTile(kArrow));
  // Decoys: the same tile place in the other bank, and the unmasked tile number in bank 6.
  f.image.WriteBlock(kChrBase + 4 * 1024 + 0x10 * 16, SolidTile(1));
  f.image.WriteBlock(kChrBase + 6 * 1024 + 0x90 * 16, SolidTile(2));
  IndexedBitmap bitmap = Sized(8, 8);
  f.graphics.DrawTile(bitmap, banks, 0, 0, 0x90, 0);
  EXPECT_EQ(IndexRows(bitmap, bitmap.Bounds()), WithBase(kArrow, 0));
}

TEST(TileDecoding, PlaneBytesEightyAndOneWithPaletteThree) {
  ChrFixture f;
  std::array<std::uint8_t, 16> tile{};
  tile[0] = 0x80;  // plane 0 of row 0
  tile[8] = 0x01;  // plane 1 of row 0
  f.image.WriteBlock(kChrBase + 16, tile);
  const std::array<std::uint8_t, 2> banks{0, 0};
  IndexedBitmap bitmap = Sized(8, 2);
  f.graphics.DrawTile(bitmap, banks, 0, 0, 1, 3);
  const auto row = [&bitmap](int y) {
    const auto line = bitmap.ScanLine(y);
    return std::vector<int>(line.begin(), line.end());
  };
  EXPECT_EQ(row(0), (std::vector<int>{13, 12, 12, 12, 12, 12, 12, 14}));
  EXPECT_EQ(row(1), std::vector<int>(8, 12));
}

TEST(TileDecoding, WritesOnlyItsOwnPixelsAndClipsAtTheEdges) {
  ChrFixture f;
  const std::array<std::uint8_t, 2> banks{0, 0};
  f.image.WriteBlock(kChrBase + 16, SolidTile(3));
  IndexedBitmap bitmap = Sized(12, 10);
  f.graphics.FillRect(bitmap, 0, 0, 12, 10, 9);
  f.graphics.DrawTile(bitmap, banks, 2, 1, 1, 0);
  f.graphics.DrawTile(bitmap, banks, 8, 6, 1, 1);    // half outside, right and bottom
  f.graphics.DrawTile(bitmap, banks, -6, -6, 1, 2);  // mostly outside, left and top
  EXPECT_EQ(IndexRows(bitmap, bitmap.Bounds()),
            // clang-format off
            (Rows{"BB9999999999", "BB3333333399", "993333333399", "993333333399",
                  "993333333399", "993333333399", "993333337777", "993333337777",
                  "993333337777", "999999997777"}));
  // clang-format on
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

TEST(ChipDrawing, PropertyOneEDrawsWithPaletteTwoAndItsOtherBitsChangeNothing) {
  ChrFixture f;
  f.image.WriteBlock(kChrBase + 16, EncodeTile(kArrow));
  f.image.WriteBlock(kChrBase + 32, EncodeTile(kCorner));
  std::array<std::uint8_t, 1024> tiles{};
  for (const int quadrant : {0, 256, 512, 768}) tiles[quadrant + 0x21] = 1;
  tiles[768 + 0x21] = 2;  // bottom-right quadrant: the corner
  std::array<std::uint8_t, 256> properties{};
  properties[0x21] = 0x1E;
  const std::array<std::uint8_t, 2> banks{0, 0};
  f.graphics.BuildChip16Sheet(f.graphics.Chip16Sheet(), banks, tiles, properties);
  const IndexedBitmap& sheet = f.graphics.Chip16Sheet();
  // Chip 0x21: column 1, row 2 of the sheet.
  EXPECT_EQ(IndexRows(sheet, {16, 32, 24, 40}), WithBase(kArrow, 2));
  EXPECT_EQ(IndexRows(sheet, {24, 32, 32, 40}), WithBase(kArrow, 2));
  EXPECT_EQ(IndexRows(sheet, {16, 40, 24, 48}), WithBase(kArrow, 2));
  EXPECT_EQ(IndexRows(sheet, {24, 40, 32, 48}), WithBase(kCorner, 2));
}

TEST(Chip32Sheet, UpdateTouchesOnlyTheOneChip) {
  RenderFixture f;
  IndexedBitmap& small = f.graphics.Chip16Sheet();
  // 16x16 chip n: index n % 16, its top-left pixel (n + 1) % 16 so that shifts show.
  for (int n = 0; n < 256; ++n) {
    f.graphics.FillRect(small, n % 16 * 16, n / 16 * 16, 16, 16, static_cast<std::uint8_t>(n % 16));
    small.ScanLine(n / 16 * 16)[n % 16 * 16] = static_cast<std::uint8_t>((n + 1) % 16);
  }
  std::array<std::uint8_t, 1024> chips{};
  f.graphics.BuildChip32Sheet(f.graphics.Chip32Sheet(), chips);
  for (int q = 0; q < 4; ++q) chips[0x11 * 4 + q] = 0x0B;
  chips[0x12 * 4] = 0x0C;  // changed, but not updated
  f.graphics.UpdateChip32(f.graphics.Chip32Sheet(), chips, 0x11);
  const IndexedBitmap& sheet = f.graphics.Chip32Sheet();
  EXPECT_EQ(IndexRows(sheet, {32, 32, 40, 33}), (Rows{"CBBBBBBB"}));
  EXPECT_EQ(IndexRows(sheet, {64, 32, 72, 33}), (Rows{"10000000"}));
}

std::map<std::uint32_t, char> NesLegend() {
  std::map<std::uint32_t, char> legend;
  for (int i = 0; i < 16; ++i) legend[TestMasterColor(i)] = "0123456789ABCDEF"[i];
  legend[EditorGraphics::kMagenta] = 'm';
  legend[EditorGraphics::kWhite] = 'w';
  legend[0] = 'k';
  return legend;
}

TEST(ScreenDrawing, SheetHalvedAndOneChipEnlargedOrReduced) {
  RenderFixture f;
  // Index (x + 3y) % 16 everywhere, the master colour of that NES number.
  IndexedBitmap& sheet = f.graphics.Chip32Sheet();
  for (int y = 0; y < 512; ++y) {
    for (int x = 0; x < 512; ++x) {
      sheet.ScanLine(y)[x] = static_cast<std::uint8_t>((x + 3 * y) % 16);
    }
  }
  for (int i = 0; i < 16; ++i) f.graphics.SetStageColor(i, i);
  f.graphics.RefreshChip32SheetPalette();

  auto halved = f.graphics.CreateDisplayPicture(256, 256);
  f.graphics.DrawChip32Sheet(*halved);
  for (int y = 0; y < 256; ++y) {
    for (int x = 0; x < 256; ++x) {
      ASSERT_EQ(halved->Pixel(x, y), TestMasterColor((2 * x + 6 * y) % 16)) << x << "," << y;
    }
  }
  auto picture = f.graphics.CreateDisplayPicture(100, 100);
  f.graphics.DrawChip32(*picture, 4, 4, 64, 64, 0x12);  // chip 0x12: top row 0, 1, .. F, 0, ..
  f.graphics.DrawChip32(*picture, 80, 80, 16, 16, 0x12);
  EXPECT_EQ(ColorRows(*picture, {4, 4, 40, 6}, NesLegend()),
            (Rows{"00112233445566778899AABBCCDDEEFF0011", "00112233445566778899AABBCCDDEEFF0011"}));
  EXPECT_EQ(ColorRows(*picture, {80, 80, 96, 81}, NesLegend()), (Rows{"02468ACE02468ACE"}));
}

// Whether (x, y) lies on the one-pixel outline of the square of `side` from (left, top).
bool OnSquare(int x, int y, int left, int top, int side) {
  const bool inside = x >= left && x < left + side && y >= top && y < top + side;
  return inside && (x == left || x == left + side - 1 || y == top || y == top + side - 1);
}

TEST(Outlines, FrameAndCursorsAreOnePixelSquares) {
  RenderFixture f;
  auto picture = f.graphics.CreateDisplayPicture(64, 64);
  f.graphics.DrawFrame(*picture, 16, 32, 16);  // from its corner
  f.graphics.DrawCursor24(*picture, 20, 20);   // around the point: 8..31
  f.graphics.DrawCursor32(*picture, 48, 48);   // 32..63
  for (int y = 0; y < 64; ++y) {
    for (int x = 0; x < 64; ++x) {
      // clang-format off
      const std::uint32_t expected =
          OnSquare(x, y, 16, 32, 16)                                 ? EditorGraphics::kMagenta
          : OnSquare(x, y, 8, 8, 24) || OnSquare(x, y, 32, 32, 32) ? EditorGraphics::kWhite
                                                                     : TestMasterColor(0);
      // clang-format on
      ASSERT_EQ(picture->Pixel(x, y), expected) << x << "," << y;
    }
  }
}

TEST(Outlines, GridLinesEveryStepFromZeroAndNoneForAStepBelowOne) {
  RenderFixture f;
  auto picture = f.graphics.CreateDisplayPicture(8, 6);
  f.graphics.DrawGrid(*picture, 4, 3);
  EXPECT_EQ(ColorRows(*picture, picture->Bounds(), NesLegend()),
            (Rows{"wwwwwwww", "w000w000", "w000w000", "wwwwwwww", "w000w000", "w000w000"}));
  auto empty = f.graphics.CreateDisplayPicture(8, 6);
  f.graphics.DrawGrid(*empty, 0, -3);  // no endless loop, no lines
  EXPECT_EQ(ColorRows(*empty, empty->Bounds(), NesLegend()), Rows(6, "00000000"));
  // Within an area only: the lines of the same grid that cross it.
  auto part = f.graphics.CreateDisplayPicture(8, 6);
  f.graphics.DrawGrid(*part, 4, 3, {2, 1, 6, 5});
  EXPECT_EQ(ColorRows(*part, part->Bounds(), NesLegend()),
            (Rows{"00000000", "0000w000", "0000w000", "00wwww00", "0000w000", "00000000"}));
}

TEST(Outlines, ObjectMarkerIsASquareWithTheKindInsideClippedNotMoved) {
  RenderFixture f;
  // Black and white alike: the outline and the text box, whatever the digits.
  const std::map<std::uint32_t, char> shapes{
      {TestMasterColor(0), '.'}, {EditorGraphics::kWhite, '#'}, {0x000000, '#'}};
  auto picture = f.graphics.CreateDisplayPicture(40, 40);
  f.graphics.DrawObjectMarker(*picture, 20, 20, 0x0A);
  Rows square(16, "#..............#");  // the text box from (14, 14), 13 x 9
  square[0] = square[15] = std::string(16, '#');
  for (int r = 2; r <= 10; ++r) square[r] = "#.##############";
  EXPECT_EQ(ColorRows(*picture, {12, 12, 28, 28}, shapes), square);
  // The box shows the kind as the picture writes a byte at (x - 6, y - 6).
  auto text = f.graphics.CreateDisplayPicture(40, 40);
  text->DrawHexByte({14, 14}, 0x0A);
  EXPECT_EQ(ColorRows(*picture, {14, 14, 27, 23}, NesLegend()),
            ColorRows(*text, {14, 14, 27, 23}, NesLegend()));

  auto corner = f.graphics.CreateDisplayPicture(32, 32);
  f.graphics.DrawObjectMarker(*corner, 2, 2, 0x0A);
  EXPECT_EQ(ColorRows(*corner, {0, 0, 11, 11}, shapes),
            (Rows{"##########.", "##########.", "##########.", "##########.", "##########.",
                  ".........#.", ".........#.", ".........#.", ".........#.", "##########.",
                  "..........."}));
}

TEST(FarOffArguments, DrawNothingOutsideAndClipWhatReachesIn) {
  constexpr int kMax = std::numeric_limits<int>::max();
  constexpr int kMin = std::numeric_limits<int>::min();
  RenderFixture f;
  auto picture = f.graphics.CreateDisplayPicture(6, 4);
  // Ends past the int range on the right and bottom, then on the left and top.
  for (const int far : {kMax, kMax - 8}) {
    f.graphics.FillRect(*picture, far, 0, 10, 4, 5);
    f.graphics.FillRect(*picture, 0, far, 6, kMax, 5);
    f.graphics.DrawFrame(*picture, far, far, kMax);
    f.graphics.DrawFrame(*picture, 0, far, 16);
    f.graphics.DrawCursor24(*picture, far, 2);
    f.graphics.DrawCursor32(*picture, 2, far);
    f.graphics.DrawObjectMarker(*picture, far, far, 0xAB);
    f.graphics.DrawChip32(*picture, far, 0, 64, 64, 0);
  }
  for (const int far : {kMin, kMin + 8}) {
    f.graphics.FillRect(*picture, far, 0, -10, 4, 5);
    f.graphics.DrawFrame(*picture, far, far, -16);
    f.graphics.DrawCursor24(*picture, far, 2);
    f.graphics.DrawCursor32(*picture, 2, far);
    f.graphics.DrawObjectMarker(*picture, far, far, 0xAB);
  }
  EXPECT_EQ(ColorRows(*picture, picture->Bounds(), NesLegend()), Rows(4, "000000"));
  // A frame from inside whose far sides overflow shows its near sides.
  f.graphics.DrawFrame(*picture, 2, 1, kMax);
  EXPECT_EQ(ColorRows(*picture, picture->Bounds(), NesLegend()),
            (Rows{"000000", "00mmmm", "00m000", "00m000"}));

  IndexedBitmap bitmap = Sized(4, 2);
  const std::array<std::uint8_t, 2> banks{0, 0};
  const std::array<std::uint8_t, 1024> tiles{};
  f.graphics.FillRect(bitmap, 6, 0, 2, 2, 7);  // wholly right of the bitmap
  for (const int far : {kMax, kMin}) {
    f.graphics.FillRect(bitmap, far, 0, far == kMax ? kMax : -kMax, 2, 7);
    f.graphics.DrawTile(bitmap, banks, far, far, 0, 1);
    f.graphics.DrawChip16(bitmap, banks, tiles, far, far, 0, 1);
    f.graphics.DrawBank(bitmap, 0, far);
  }
  EXPECT_EQ(IndexRows(bitmap, bitmap.Bounds()), (Rows{"0000", "0000"}));
  f.graphics.FillRect(bitmap, 1, 1, kMax, kMax, 7);
  EXPECT_EQ(IndexRows(bitmap, bitmap.Bounds()), (Rows{"0000", "0777"}));
}

TEST(ChangeReports, EveryPictureOperationReportsOnceHoweverManyPiecesItDraws) {
  RenderFixture f;
  auto picture = f.graphics.CreateDisplayPicture(256, 256);
  int changes = 0;
  picture->SetChangeHandler([&changes](const PixelRect&) { ++changes; });
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

// A 16x16 sheet whose chip c shows the arrow in all four quadrants with palette c & 3,
// stage entry i showing NES number i. The CHR bytes change after building, so that a
// decode made later would show.
struct RecolourFixture : ChrFixture {
  RecolourFixture() {
    const std::array<std::uint8_t, 2> banks{0, 1};
    image.WriteBlock(kChrBase + 16, EncodeTile(kArrow));
    std::array<std::uint8_t, 1024> tiles;
    tiles.fill(1);
    std::array<std::uint8_t, 256> properties;
    for (int c = 0; c < 256; ++c) properties[c] = static_cast<std::uint8_t>(c);
    for (int i = 0; i < 16; ++i) graphics.SetStageColor(i, i);
    graphics.BuildChip16Sheet(graphics.Chip16Sheet(), banks, tiles, properties);
    image.WriteBlock(kChrBase + 16, SolidTile(1));
  }
  // Index of pixel (x, y) of the 16x16 sheet.
  static int SheetIndex(int x, int y) {
    const int chip = y / 16 * 16 + x / 16;
    return chip % 4 * 4 + (kArrow[y % 8][x % 8] - '0');
  }
  // Colour of an index after entry 5 became NES number 0x30.
  static std::uint32_t Recoloured(int index) { return TestMasterColor(index == 5 ? 0x30 : index); }
};

TEST(Recolouring, StageColourChangeShowsOnEveryPixelOfItsIndexWithoutDecodingAgain) {
  RecolourFixture f;
  f.graphics.SetStageColor(5, 0x30);
  f.graphics.Chip16Sheet().CopyPaletteFrom(f.graphics.StageBitmap());
  const IndexedBitmap& sheet = f.graphics.Chip16Sheet();
  auto picture = f.graphics.CreateDisplayPicture(256, 256);
  sheet.CopyRegion(*picture, picture->Bounds(), sheet.Bounds());
  for (int y = 0; y < 256; ++y) {
    for (int x = 0; x < 256; ++x) {
      const int index = RecolourFixture::SheetIndex(x, y);
      ASSERT_EQ(picture->Pixel(x, y), RecolourFixture::Recoloured(index)) << x << "," << y;
    }
  }
}

TEST(Recolouring, MapSetShowsTheNewColourAfterARefreshWithoutBuildingAgain) {
  RecolourFixture f;
  // 32x32 chip k: 16x16 chips k, k + 1, k + 2, k + 3 (mod 256).
  std::array<std::uint8_t, 1024> chips;
  for (int i = 0; i < 1024; ++i) chips[i] = static_cast<std::uint8_t>(i / 4 + i % 4);
  f.graphics.BuildChip32Sheet(f.graphics.Chip32Sheet(), chips);
  f.graphics.RefreshChip32SheetPalette();
  f.graphics.FillRect(f.graphics.Chip16Sheet(), 0, 0, 256, 256, 9);  // a rebuild would show
  f.graphics.SetStageColor(5, 0x30);
  f.graphics.RefreshChip32SheetPalette();
  std::array<std::uint8_t, 64> cells;
  for (int i = 0; i < 64; ++i) cells[i] = static_cast<std::uint8_t>(i * 7 + 3);
  auto picture = f.graphics.CreateDisplayPicture(256, 256);
  f.graphics.DrawMapSet(*picture, cells);
  for (int y = 0; y < 256; ++y) {
    for (int x = 0; x < 256; ++x) {
      const int chip = cells[y / 32 * 8 + x / 32];
      const int small = chips[chip * 4 + (y % 32 / 16) * 2 + x % 32 / 16];
      const int index =
          RecolourFixture::SheetIndex(small % 16 * 16 + x % 16, small / 16 * 16 + y % 16);
      ASSERT_EQ(picture->Pixel(x, y), RecolourFixture::Recoloured(index)) << x << "," << y;
    }
  }
}

}  // namespace
}  // namespace zantor
