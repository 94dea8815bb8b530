#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace zantor {

// The unused-number report over a table of byte entries (32x32 chip parts for the 16x16
// chips, 16x16 chip tiles for the tiles, map set cells for the 32x32 chips): the numbers
// 00..FF no entry holds, by rows of their high digit, each as two hex digits and a blank, a
// row without one giving no line, every line ended by CR LF. Empty when every number is used.
std::string UnusedNumberReport(std::span<const std::uint8_t> table);

// 32x32 chips defined alike: the first chip of each group and the later chips whose four
// bytes equal its own, in ascending order. A chip already collected into a group starts no
// group of its own.
struct DuplicateGroup {
  int first;
  std::vector<int> duplicates;
};
std::vector<DuplicateGroup> DuplicateChipGroups(std::span<const std::uint8_t, 1024> chip32x32);

// One line per group: the first chip, the separator, then each duplicate followed by a
// blank, ended by CR LF (" " gives "01 05 09 ", " <- " gives "01 <- 05 09 ").
std::string DuplicateGroupText(const std::vector<DuplicateGroup>& groups,
                               const std::string& separator);

}  // namespace zantor
