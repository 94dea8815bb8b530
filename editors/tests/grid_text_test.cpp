#include "editors/grid_text.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

namespace zantor {
namespace {

TEST(GridText, CrLfALoneLfOrALoneCrEndsARowSoACopyPastesBackUnchanged) {
  GridCells source{}, block{};
  for (int i = 0; i < 64; ++i) source[i] = static_cast<std::uint8_t>(i * 3);
  for (int i : {17, 18, 19, 25, 26, 27, 33, 34, 35}) block[i] = source[i];  // (1, 2) to (3, 4)
  const std::u16string crLf = GridCopyText(source, {1, 2, 3, 4});
  EXPECT_EQ(crLf.substr(0, 10), u"33 36 39\r\n");
  std::u16string lf, cr;
  for (const char16_t c : crLf) {
    if (c != u'\r') lf += c;
    if (c != u'\n') cr += c;
  }
  for (const std::u16string& text : {crLf, lf, cr}) {
    EXPECT_EQ(PasteGridText(GridCells{}, text, 1, 2), block);
  }
}

TEST(GridText, APasteStartsInsideTheGridAndHoldsAtMost256Characters) {
  const GridCells zeros{};
  const std::u16string longest = u"1A" + std::u16string(254, u' ');
  EXPECT_EQ(PasteGridText(zeros, longest, -5, -1)[0], 0x1A);
  EXPECT_EQ(PasteGridText(zeros, longest + u' ', 0, 0), zeros);
  EXPECT_EQ(PasteGridText(zeros, u"1A", 8, 0), zeros);
  EXPECT_EQ(PasteGridText(zeros, u"1A 2B\r\n3C", INT_MAX, INT_MAX), zeros);
  EXPECT_EQ(GridCopyText(zeros, {-2, 0, -1, 0}), u"");
}

}  // namespace
}  // namespace zantor
