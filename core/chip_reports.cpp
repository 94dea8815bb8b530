#include "core/chip_reports.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "core/hex_text.h"

namespace zantor {

namespace {

constexpr std::string_view kLineEnd = "\r\n";

}  // namespace

std::string UnusedNumberReport(std::span<const std::uint8_t> table) {
  std::array<bool, 256> used{};
  for (const std::uint8_t entry : table) used[entry] = true;
  std::string text;
  for (int row = 0; row < 16; ++row) {
    std::string line;
    for (int number = row * 16; number < row * 16 + 16; ++number) {
      if (!used[number]) line += TwoDigitHexText(number) + ' ';
    }
    if (!line.empty()) text += line.append(kLineEnd);
  }
  return text;
}

std::vector<DuplicateGroup> DuplicateChipGroups(std::span<const std::uint8_t, 1024> chip32x32) {
  const auto sameDefinition = [&chip32x32](int a, int b) {
    return std::equal(chip32x32.begin() + a * 4, chip32x32.begin() + a * 4 + 4,
                      chip32x32.begin() + b * 4);
  };
  std::array<bool, 256> collected{};
  std::vector<DuplicateGroup> groups;
  for (int first = 0; first < 255; ++first) {
    DuplicateGroup group{first, {}};
    for (int later = first + 1; later < 256; ++later) {
      if (!collected[later] && sameDefinition(first, later)) {
        collected[later] = true;
        group.duplicates.push_back(later);
      }
    }
    if (!group.duplicates.empty()) groups.push_back(std::move(group));
  }
  return groups;
}

std::string DuplicateGroupText(const std::vector<DuplicateGroup>& groups,
                               const std::string& separator) {
  std::string text;
  for (const DuplicateGroup& group : groups) {
    text += TwoDigitHexText(group.first) + separator;
    for (const int duplicate : group.duplicates) text += TwoDigitHexText(duplicate) + ' ';
    text += kLineEnd;
  }
  return text;
}

}  // namespace zantor
