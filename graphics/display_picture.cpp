#include "graphics/display_picture.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <string>

#include "graphics/hex_digit_font.h"

namespace zantor {

namespace {

constexpr std::uint32_t kTextInk = 0x000000;
constexpr std::uint32_t kTextBackground = 0xFFFFFF;

}  // namespace

DisplayPicture::DisplayPicture(int width, int height, const ColorTable& master)
    : width_(CheckedSide(width, "picture", "width")),
      height_(CheckedSide(height, "picture", "height")),
      words_(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_),
             master.Word(0)) {
  std::copy_n(master.Words(), ColorTable::kSize, master_words_.begin());
}

std::uint32_t DisplayPicture::Pixel(int x, int y) const {
  if (x < 0 || x >= width_ || y < 0 || y >= height_) {
    throw std::out_of_range("pixel (" + std::to_string(x) + ", " + std::to_string(y) +
                            ") outside the picture");
  }
  return FromShownWord(words_[static_cast<std::size_t>(y) * width_ + x]);
}

void DisplayPicture::FillRect(const PixelRect& area, int index) {
  Fill(area, master_words_[CheckedIndex(index, ColorTable::kSize, "colour table index")]);
  Changed();
}

void DisplayPicture::DrawLine(PixelPoint from, PixelPoint to, std::uint32_t color) {
  PlotLine(from, to, ToShownWord(color));
  Changed();
}

void DisplayPicture::DrawPolyline(std::initializer_list<PixelPoint> points,
                                  std::uint32_t color) {
  const std::uint32_t word = ToShownWord(color);
  for (auto it = points.begin(); it != points.end() && it + 1 != points.end(); ++it) {
    PlotLine(*it, *(it + 1), word);
  }
  Changed();
}

void DisplayPicture::DrawHexByte(PixelPoint at, std::uint8_t value) {
  Fill(PixelRect::FromSize(at.x, at.y, HexDigitFont::TextWidth(2), HexDigitFont::TextHeight()),
       ToShownWord(kTextBackground));
  const int glyph_top = at.y + HexDigitFont::kPadding;
  const int first_left = at.x + HexDigitFont::kPadding;
  PlotDigit(first_left, glyph_top, value >> 4, ToShownWord(kTextInk));
  PlotDigit(first_left + HexDigitFont::kAdvance, glyph_top, value & 0x0F, ToShownWord(kTextInk));
  Changed();
}

void DisplayPicture::Fill(const PixelRect& area, std::uint32_t word) {
  const PixelRect clipped = area.Intersect(Bounds());
  if (clipped.Empty()) return;
  for (int y = clipped.top; y < clipped.bottom; ++y) {
    std::fill(Row(y) + clipped.left, Row(y) + clipped.right, word);
  }
}

// Walks the major axis one pixel per step and rounds the other coordinate, visiting only
// the steps whose major coordinate lies inside the picture, so far-off end points cost
// nothing. Rounding is exact while the coordinates stay below 2^26.
void DisplayPicture::PlotLine(PixelPoint from, PixelPoint to, std::uint32_t word) {
  const std::int64_t dx = std::int64_t{to.x} - from.x;
  const std::int64_t dy = std::int64_t{to.y} - from.y;
  const bool x_major = std::llabs(dx) >= std::llabs(dy);
  const std::int64_t steps = x_major ? std::llabs(dx) : std::llabs(dy);
  if (steps == 0) return;
  const std::int64_t major_start = x_major ? from.x : from.y;
  const std::int64_t major_step = (x_major ? dx : dy) > 0 ? 1 : -1;
  const std::int64_t major_extent = x_major ? width_ : height_;
  const std::int64_t minor_start = x_major ? from.y : from.x;
  const double minor_delta = static_cast<double>(x_major ? dy : dx);
  const std::int64_t minor_extent = x_major ? height_ : width_;

  // Steps i in [first, last] keep major_start + i * major_step inside 0..extent-1.
  std::int64_t first = 0;
  std::int64_t last = steps - 1;
  if (major_step > 0) {
    first = std::max(first, -major_start);
    last = std::min(last, major_extent - 1 - major_start);
  } else {
    first = std::max(first, major_start - (major_extent - 1));
    last = std::min(last, major_start);
  }
  for (std::int64_t i = first; i <= last; ++i) {
    const std::int64_t major = major_start + i * major_step;
    const double offset = static_cast<double>(i) * minor_delta / static_cast<double>(steps);
    const std::int64_t minor = minor_start + static_cast<std::int64_t>(std::floor(offset + 0.5));
    if (minor < 0 || minor >= minor_extent) continue;
    const std::int64_t x = x_major ? major : minor;
    const std::int64_t y = x_major ? minor : major;
    Row(static_cast<int>(y))[x] = word;
  }
}

void DisplayPicture::PlotDigit(int x, int y, int digit, std::uint32_t word) {
  for (int row = 0; row < HexDigitFont::kGlyphHeight; ++row) {
    for (int column = 0; column < HexDigitFont::kGlyphWidth; ++column) {
      const std::int64_t px = std::int64_t{x} + column;
      const std::int64_t py = std::int64_t{y} + row;
      if (!HexDigitFont::Ink(digit, column, row) || px < 0 || px >= width_ || py < 0 ||
          py >= height_) {
        continue;
      }
      Row(static_cast<int>(py))[px] = word;
    }
  }
}

void DisplayPicture::Changed() {
  if (batches_ > 0) {
    held_change_ = true;
  } else if (on_change_) {
    on_change_();
  }
}

}  // namespace zantor
