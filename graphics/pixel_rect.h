#pragma once

#include <algorithm>

namespace zantor {

struct PixelPoint {
  int x = 0;
  int y = 0;
};

// left and top inclusive, right and bottom exclusive.
struct PixelRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;

  static constexpr PixelRect FromSize(int x, int y, int width, int height) {
    return {x, y, x + width, y + height};
  }
  constexpr int Width() const { return right - left; }
  constexpr int Height() const { return bottom - top; }
  constexpr bool Empty() const { return right <= left || bottom <= top; }
  constexpr PixelRect Intersect(const PixelRect& other) const {
    return {std::max(left, other.left), std::max(top, other.top),
            std::min(right, other.right), std::min(bottom, other.bottom)};
  }
  constexpr bool Contains(const PixelRect& inner) const {
    return inner.left >= left && inner.top >= top && inner.right <= right &&
           inner.bottom <= bottom;
  }
};

}  // namespace zantor
