#include "editors/grid_text.h"

#include <algorithm>

#include "editors/hex_token.h"

namespace zantor {

namespace {

int CellIndex(int column, int row) { return row * kGridColumns + column; }

// Walks pasted text and writes each number where it falls.
class GridPaste {
 public:
  GridPaste(const GridCells& cells, int startColumn, int startRow)
      : cells_(cells),
        // Starts past the grid stay past it; clamping keeps the offsets below from
        // overflowing.
        startColumn_(std::clamp(startColumn, 0, kGridColumns)),
        startRow_(std::clamp(startRow, 0, kGridRows)) {}

  void Read(std::u16string_view text) {
    bool afterCarriageReturn = false;
    for (const char16_t c : text) {
      if (c == u'\n') {
        // A CR LF pair ends one row, a lone LF ends one as well.
        if (!afterCarriageReturn) EndRow();
      } else if (c == u'\r') {
        EndRow();
      } else if (c == u' ') {
        FinishToken();
        ++column_;
      } else {
        token_ += c;
      }
      afterCarriageReturn = c == u'\r';
    }
    if (!token_.empty()) FinishToken();
  }

  const GridCells& Cells() const { return cells_; }

 private:
  void EndRow() {
    FinishToken();
    column_ = 0;
    ++row_;
  }

  void FinishToken() {
    const int column = startColumn_ + column_;
    const int row = startRow_ + row_;
    if (column < kGridColumns && row < kGridRows) {
      if (const auto value = HexByteToken(token_)) {
        cells_[CellIndex(column, row)] = static_cast<std::uint8_t>(*value);
      }
    }
    token_.clear();
  }

  GridCells cells_;
  const int startColumn_;
  const int startRow_;
  int column_ = 0;
  int row_ = 0;
  std::u16string token_;
};

}  // namespace

std::optional<GridSelection> UsableGridSelection(GridSelection s) {
  if (s.right < s.left || s.bottom < s.top || s.right < 0 || s.bottom < 0 ||
      s.left >= kGridColumns || s.top >= kGridRows) {
    return std::nullopt;
  }
  return GridSelection{std::max(s.left, 0), std::max(s.top, 0), std::min(s.right, kGridColumns - 1),
                       std::min(s.bottom, kGridRows - 1)};
}

std::u16string GridCopyText(const GridCells& cells, GridSelection selection) {
  std::u16string text;
  const auto usable = UsableGridSelection(selection);
  if (!usable) return text;
  for (int row = usable->top; row <= usable->bottom; ++row) {
    for (int column = usable->left; column <= usable->right; ++column) {
      if (column > usable->left) text += u' ';
      AppendTwoDigitHex(text, cells[CellIndex(column, row)]);
    }
    text += u"\r\n";
  }
  return text;
}

GridCells PasteGridText(const GridCells& cells, std::u16string_view text, int startColumn,
                        int startRow) {
  if (text.size() > kMaxGridPasteLength) return cells;
  GridPaste paste(cells, startColumn, startRow);
  paste.Read(text);
  return paste.Cells();
}

GridCells FillGridSelection(const GridCells& cells, GridSelection selection, std::uint8_t value) {
  GridCells filled = cells;
  const auto usable = UsableGridSelection(selection);
  if (!usable) return filled;
  for (int row = usable->top; row <= usable->bottom; ++row) {
    for (int column = usable->left; column <= usable->right; ++column) {
      filled[CellIndex(column, row)] = value;
    }
  }
  return filled;
}

}  // namespace zantor
