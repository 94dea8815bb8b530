#pragma once

#include <functional>

namespace zantor {

// The cell under the pointer and the one that carries the hover frame now, with how a frame
// is erased (the cell drawn back) and drawn. A move within the same cell draws nothing; a
// move to another cell erases the old frame and draws the new one. A click is a move too,
// so a frame is never left behind on a cell the pointer has left.
class HoverCell {
 public:
  static constexpr int kNone = -1;
  using Action = std::function<void(int cell)>;

  HoverCell(Action erase, Action draw) : erase_(std::move(erase)), draw_(std::move(draw)) {}

  int Current() const { return current_; }

  // The pointer is over `cell`, or over no cell (kNone).
  void MoveTo(int cell) {
    current_ = cell;
    if (current_ == framed_) return;
    if (framed_ != kNone) erase_(framed_);
    if (current_ != kNone) draw_(current_);
    framed_ = current_;
  }

  // The pointer left the picture: erase the frame, forget both cells.
  void Leave() {
    if (framed_ != kNone) erase_(framed_);
    Clear();
  }

  // The cell under the frame was drawn anew, taking the frame with it: frame it again.
  void FrameAgain() {
    framed_ = kNone;
    MoveTo(current_);
  }

  // Forgets both cells without drawing (the whole picture is being drawn anew).
  void Clear() { current_ = framed_ = kNone; }

 private:
  Action erase_;
  Action draw_;
  int current_ = kNone;
  int framed_ = kNone;
};

// The cell of a grid of square cells under a picture position, numbered row by row, or
// HoverCell::kNone outside the grid (a drag reports positions beyond the picture).
constexpr int GridCellAt(int x, int y, int cellSize, int columns, int rows) {
  if (x < 0 || y < 0) return HoverCell::kNone;
  const int column = x / cellSize;
  const int row = y / cellSize;
  if (column >= columns || row >= rows) return HoverCell::kNone;
  return row * columns + column;
}

}  // namespace zantor
