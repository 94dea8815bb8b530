#include "editors/grid_text.h"

#include <gtest/gtest.h>

#include <climits>
#include <optional>
#include <string>

#include "editors/hex_token.h"

namespace zantor {
namespace {

// Cell (column, row) holds row * 16 + column, so every cell tells where it is.
GridCells Numbered() {
  GridCells cells{};
  for (int row = 0; row < kGridRows; ++row) {
    for (int column = 0; column < kGridColumns; ++column)
      cells[row * 8 + column] = row * 16 + column;
  }
  return cells;
}

std::string Narrow(const std::u16string& text) { return {text.begin(), text.end()}; }

TEST(HexTokens, ANumberIsMadeOfHexDigitsOnlyAndTheGridTakesNoMoreThanFF) {
  struct Case {
    std::u16string token;
    std::optional<int> gridValue;        // HexByteToken
    std::optional<int> objectListValue;  // HexLowByteToken
  };
  const std::u16string thirtyDigits(30, u'F');
  const Case cases[] = {
      {u"1A", 0x1A, 0x1A},
      {u"ff", 0xFF, 0xFF},
      {u"7", 0x07, 0x07},
      {u"100", std::nullopt, 0x00},
      {u"1FF", std::nullopt, 0xFF},
      {u"0000000000000000000000000000001A", 0x1A, 0x1A},
      {thirtyDigits, std::nullopt, 0xFF},
      {u"12345678901234567890", std::nullopt, 0x90},
      {u"", std::nullopt, std::nullopt},
      {u"G1", std::nullopt, std::nullopt},
      {u"-1", std::nullopt, std::nullopt},
      {u"+1", std::nullopt, std::nullopt},
      {u"0x0A", std::nullopt, std::nullopt},
      {u"$0A", std::nullopt, std::nullopt},
      {u" 1", std::nullopt, std::nullopt},
      {u"\uFF11", std::nullopt, std::nullopt},  // a full-width 1
  };
  for (const Case& c : cases) {
    EXPECT_EQ(HexByteToken(c.token), c.gridValue) << Narrow(c.token);
    const auto low = HexLowByteToken(c.token);
    EXPECT_EQ(low ? std::optional<int>(*low) : std::nullopt, c.objectListValue) << Narrow(c.token);
  }
}

TEST(GridText, ACopyWritesEveryRowOfTheClampedSelectionWithCrLf) {
  const GridCells cells = Numbered();
  const std::u16string all = GridCopyText(cells, {0, 0, 7, 7});
  EXPECT_EQ(all.substr(0, 25), u"00 01 02 03 04 05 06 07\r\n");
  EXPECT_EQ(all.substr(all.size() - 25), u"70 71 72 73 74 75 76 77\r\n");
  EXPECT_EQ(all.size(), 8u * 25u);
  EXPECT_EQ(GridCopyText(cells, {-3, -1, 1, 0}), u"00 01\r\n");
  EXPECT_EQ(GridCopyText(cells, {6, 6, 20, 9}), u"66 67\r\n76 77\r\n");
  for (const GridSelection bad :
       {GridSelection{2, 0, 1, 0}, GridSelection{0, 2, 0, 1}, GridSelection{-2, 0, -1, 0},
        GridSelection{0, -2, 0, -1}, GridSelection{8, 0, 9, 0}, GridSelection{0, 8, 0, 9}}) {
    EXPECT_EQ(GridCopyText(cells, bad), u"") << bad.left << "," << bad.top;
    EXPECT_EQ(FillGridSelection(cells, bad, 0xEE), cells);
  }
}

TEST(GridText, ACopyPastesBackUnchangedWhicheverLineEndsTheRows) {
  const GridCells source = Numbered();
  const std::u16string crLf = GridCopyText(source, {1, 2, 3, 4});
  std::u16string lf, cr;
  for (const char16_t c : crLf) {
    if (c != u'\r') lf += c;
    if (c != u'\n') cr += c;
  }
  for (const std::u16string& text : {crLf, lf, cr}) {
    const GridCells pasted = PasteGridText(GridCells{}, text, 1, 2);
    EXPECT_EQ(GridCopyText(pasted, {1, 2, 3, 4}), crLf) << Narrow(text);
    EXPECT_EQ(GridCopyText(pasted, {0, 0, 7, 1}), GridCopyText(GridCells{}, {0, 0, 7, 1}));
  }
  // Ignoring the lone LF would join 02 and 10 into one token and drop both.
  EXPECT_EQ(PasteGridText(GridCells{}, u"01 02\n10", 0, 0)[8], 0x10);
}

TEST(GridText, PastesStartInsideTheGridOrChangeNothing) {
  const GridCells zeros{};
  GridCells expected{};
  expected[0] = 0x1A;
  EXPECT_EQ(PasteGridText(zeros, u"1A", -5, -1), expected);
  EXPECT_EQ(PasteGridText(zeros, u"1A", 8, 0), zeros);
  EXPECT_EQ(PasteGridText(zeros, u"1A", 0, 8), zeros);
  EXPECT_EQ(PasteGridText(zeros, u"1A 2B\r\n3C", INT_MAX, INT_MAX), zeros);
  // 256 characters are still pasted, 257 are not.
  std::u16string longest = u"1A" + std::u16string(254, u' ');
  EXPECT_EQ(PasteGridText(zeros, longest, 0, 0), expected);
  EXPECT_EQ(PasteGridText(zeros, longest + u' ', 0, 0), zeros);
}

TEST(GridText, AFillSetsEverySelectedCellOnly) {
  const GridCells cells = Numbered();
  const GridCells filled = FillGridSelection(cells, {-1, 6, 1, 12}, 0x07);
  EXPECT_EQ(GridCopyText(filled, {0, 5, 3, 7}), u"50 51 52 53\r\n07 07 62 63\r\n07 07 72 73\r\n");
  EXPECT_EQ(GridCopyText(filled, {0, 0, 7, 4}), GridCopyText(cells, {0, 0, 7, 4}));
}

}  // namespace
}  // namespace zantor
