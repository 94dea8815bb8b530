#pragma once

#include <algorithm>
#include <cstdint>
#include <limits>
#include <stdexcept>
#include <string>

namespace zantor {

struct PixelPoint {
  int x = 0;
  int y = 0;
};

// A coordinate worked out in 64 bits, clamped to the int range: no picture reaches that
// far, so a far-off end point lies outside every picture either way.
constexpr int ClampedCoordinate(std::int64_t value) {
  return static_cast<int>(std::clamp<std::int64_t>(value, std::numeric_limits<int>::min(),
                                                   std::numeric_limits<int>::max()));
}

// left and top inclusive, right and bottom exclusive.
struct PixelRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;

  static constexpr PixelRect FromSize(int x, int y, int width, int height) {
    return {x, y, ClampedCoordinate(std::int64_t{x} + width),
            ClampedCoordinate(std::int64_t{y} + height)};
  }
  // Cell n of a grid of square cells, numbered row by row from the top left.
  static constexpr PixelRect GridCell(int n, int columns, int side) {
    return FromSize(n % columns * side, n / columns * side, side, side);
  }
  constexpr int Width() const { return right - left; }
  constexpr int Height() const { return bottom - top; }
  constexpr bool Empty() const { return right <= left || bottom <= top; }
  // Never backwards: rectangles that do not meet give an empty one, so a loop over its
  // rows or columns runs no times.
  constexpr PixelRect Intersect(const PixelRect& other) const {
    const int l = std::max(left, other.left);
    const int t = std::max(top, other.top);
    return {l, t, std::max(l, std::min(right, other.right)),
            std::max(t, std::min(bottom, other.bottom))};
  }
  // The smallest rectangle holding both; an empty one adds nothing.
  constexpr PixelRect Unite(const PixelRect& other) const {
    if (other.Empty()) return *this;
    if (Empty()) return other;
    return {std::min(left, other.left), std::min(top, other.top), std::max(right, other.right),
            std::max(bottom, other.bottom)};
  }
  constexpr bool Contains(const PixelRect& inner) const {
    return inner.left >= left && inner.top >= top && inner.right <= right && inner.bottom <= bottom;
  }
};

// A picture or bitmap side as given, or std::invalid_argument when it is below 1.
inline int CheckedSide(int side, const char* owner, const char* what) {
  if (side < 1) {
    throw std::invalid_argument(std::string(owner) + " " + what + " " + std::to_string(side) +
                                " is below 1");
  }
  return side;
}

// An index as given, or std::out_of_range when it lies outside 0..count-1.
inline int CheckedIndex(int index, int count, const char* what) {
  if (index < 0 || index >= count) {
    throw std::out_of_range(std::string(what) + " " + std::to_string(index) + " outside 0.." +
                            std::to_string(count - 1));
  }
  return index;
}

}  // namespace zantor
