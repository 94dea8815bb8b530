// The bytes as clipboard text pasted into the map set grid dialog at every one of its 64
// cells: once widened byte by byte, once read as UTF-16 (little-endian pairs).
#include <cstddef>
#include <cstdint>
#include <string>

#include "editors/grid_text.h"
#include "fuzz/fuzz_check.h"

namespace zantor::fuzz {
namespace {

constexpr GridSelection kWholeGrid{0, 0, kGridColumns - 1, kGridRows - 1};

// A grid of distinct numbers, so that any change shows.
GridCells StartingCells() {
  GridCells cells{};
  for (std::size_t i = 0; i < cells.size(); ++i) cells[i] = static_cast<std::uint8_t>(0x40 + i);
  return cells;
}

void PasteEverywhere(std::u16string_view text) {
  static const GridCells before = StartingCells();
  for (int row = 0; row < kGridRows; ++row) {
    for (int column = 0; column < kGridColumns; ++column) {
      const GridCells after = PasteGridText(before, text, column, row);
      if (text.size() > kMaxGridPasteLength) FUZZ_CHECK(after == before);
      // Nothing lands above the starting row or left of the starting column.
      for (int r = 0; r < kGridRows; ++r) {
        for (int c = 0; c < kGridColumns; ++c) {
          const int i = r * kGridColumns + c;
          if (r < row || c < column) FUZZ_CHECK(after[i] == before[i]);
        }
      }
      // What the dialog copies pastes back as the same grid.
      if (row == 0 && column == 0) {
        FUZZ_CHECK(PasteGridText(GridCells{}, GridCopyText(after, kWholeGrid), 0, 0) == after);
      }
    }
  }
}

}  // namespace
}  // namespace zantor::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using zantor::fuzz::PasteEverywhere;
  PasteEverywhere(std::u16string(data, data + size));
  std::u16string pairs(size / 2, u'\0');
  for (std::size_t i = 0; i < pairs.size(); ++i) {
    pairs[i] = static_cast<char16_t>(data[2 * i] | data[2 * i + 1] << 8);
  }
  PasteEverywhere(pairs);
  return 0;
}
