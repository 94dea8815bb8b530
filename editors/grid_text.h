#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zantor {

// A map set as the grid dialog shows it: 8 x 8 chip numbers, cell (column, row) at
// row * 8 + column. The text forms here are plain C++ so that they can be used and tried
// without any window.
inline constexpr int kGridColumns = 8;
inline constexpr int kGridRows = 8;
using GridCells = std::array<std::uint8_t, kGridColumns * kGridRows>;

// Longer clipboard texts are not pasted at all.
inline constexpr std::size_t kMaxGridPasteLength = 256;

// A rectangle of cells, edges included.
struct GridSelection {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  bool operator==(const GridSelection&) const = default;
};

// The selection as copy and fill use it: nothing when it is backwards or lies wholly
// outside the grid; otherwise clamped to the grid.
std::optional<GridSelection> UsableGridSelection(GridSelection selection);

// The selected cells as text: two-digit upper-case hex numbers separated by one blank, CR LF
// after every row, the last one included. Empty for a selection that is not usable.
std::u16string GridCopyText(const GridCells& cells, GridSelection selection);

// The cells after pasting text with its first number at (startColumn, startRow); starts
// below 0 count as 0. Blanks end a number and move one cell right; CR, LF or CR LF end a
// number and a row. A number is a hex token worth no more than FF; anything else, and
// everything falling outside the grid, leaves its cell unchanged while still taking its
// place. A text longer than kMaxGridPasteLength changes nothing.
GridCells PasteGridText(const GridCells& cells, std::u16string_view text, int startColumn,
                        int startRow);

// The cells with every cell of a usable selection set to value.
GridCells FillGridSelection(const GridCells& cells, GridSelection selection, std::uint8_t value);

}  // namespace zantor
