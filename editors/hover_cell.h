#pragma once

namespace zantor {

// The cell under the pointer and the one that carries the hover frame now. A move within
// the same cell draws nothing; a move to another cell erases the old frame and draws the
// new one.
class HoverCell {
 public:
  static constexpr int kNone = -1;

  int Current() const { return current_; }
  void Track(int cell) { current_ = cell; }

  template <typename Erase, typename Draw>
  void Update(Erase erase, Draw draw) {
    if (current_ == framed_) return;
    if (framed_ != kNone) erase(framed_);
    if (current_ != kNone) draw(current_);
    framed_ = current_;
  }

  // The pointer left the picture: erase the frame, forget both cells.
  template <typename Erase>
  void Leave(Erase erase) {
    if (framed_ != kNone) erase(framed_);
    Clear();
  }

  // The picture under the pointer was drawn anew, taking the frame with it: forget the frame,
  // keep the current cell and frame it again.
  template <typename Draw>
  void FrameAgain(Draw draw) {
    framed_ = kNone;
    Update([](int) {}, draw);
  }

  // Forgets both cells without drawing (the picture is being drawn anew).
  void Clear() { current_ = framed_ = kNone; }

 private:
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
