#include "core/chip_reports.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

namespace zantor {
namespace {

TEST(UnusedNumbers, RowsOfTheHighDigitEachUnusedNumberFollowedByABlank) {
  std::vector<std::uint8_t> table;
  for (int n = 0; n < 256; ++n) {
    if (n != 0x03 && n != 0x07 && n != 0x1F) table.push_back(static_cast<std::uint8_t>(n));
  }
  EXPECT_EQ(UnusedNumberReport(table), "03 07 \r\n1F \r\n");
  EXPECT_EQ(UnusedNumberReport(std::vector<std::uint8_t>{}).size(), 16u * (16 * 3 + 2));
  table.push_back(0x03), table.push_back(0x07), table.push_back(0x1F);
  EXPECT_EQ(UnusedNumberReport(table), "");
}

// 32x32 chips as four bytes each, every chip distinct unless set alike.
std::array<std::uint8_t, 1024> DistinctChips() {
  std::array<std::uint8_t, 1024> chips{};
  for (int chip = 0; chip < 256; ++chip) chips[chip * 4] = static_cast<std::uint8_t>(chip);
  return chips;
}

void MakeAlike(std::array<std::uint8_t, 1024>& chips, int chip, int like) {
  std::copy_n(chips.begin() + like * 4, 4, chips.begin() + chip * 4);
}

TEST(DuplicateChips, LaterCopiesGroupUnderTheFirstAndStartNoGroupOfTheirOwn) {
  auto chips = DistinctChips();
  MakeAlike(chips, 0x05, 0x01);
  MakeAlike(chips, 0x09, 0x01);
  MakeAlike(chips, 0xFF, 0xFE);
  const auto groups = DuplicateChipGroups(chips);
  ASSERT_EQ(groups.size(), 2u);
  EXPECT_EQ(DuplicateGroupText(groups, " "), "01 05 09 \r\nFE FF \r\n");
  EXPECT_EQ(DuplicateGroupText(groups, " <- "), "01 <- 05 09 \r\nFE <- FF \r\n");
  EXPECT_TRUE(DuplicateChipGroups(DistinctChips()).empty());
}

}  // namespace
}  // namespace zantor
