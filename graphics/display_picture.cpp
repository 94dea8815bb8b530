#include "graphics/display_picture.h"

#include <algorithm>
#include <stdexcept>

#include "graphics/hex_digit_font.h"

namespace zantor {

namespace {

constexpr std::uint32_t kTextInk = ToShownWord(0x000000);
constexpr std::uint32_t kTextBackground = ToShownWord(0xFFFFFF);

}  // namespace

DisplayPicture::DisplayPicture(int width, int height, const ColorTable& master)
    : width_(CheckedSide(width, "picture", "width")),
      height_(CheckedSide(height, "picture", "height")),
      blankWord_(master.Word(0)),
      view_{0, 0, width_, height_} {
  std::copy_n(master.Words(), ColorTable::kSize, masterWords_.begin());
}

DisplayPicture::Viewport::Viewport(DisplayPicture& picture, const PixelRect& area)
    : picture_(picture), previous_(picture.view_) {
  if (area.Empty() || !PixelRect{0, 0, picture.width_, picture.height_}.Contains(area)) {
    throw std::out_of_range("a viewport must be a part of the picture");
  }
  picture_.view_ = area;
}

std::uint32_t DisplayPicture::Pixel(int x, int y) const {
  const std::size_t row = static_cast<std::size_t>(CheckedIndex(y, height_, "picture row"));
  const std::size_t column = static_cast<std::size_t>(CheckedIndex(x, width_, "picture column"));
  return FromShownWord(words_.empty() ? blankWord_ : words_[row * width_ + column]);
}

void DisplayPicture::FillRect(const PixelRect& area, int index) {
  Fill(area, masterWords_[ColorTable::CheckedIndex(index)]);
  Changed();
}

void DisplayPicture::DrawLine(PixelPoint from, PixelPoint to, std::uint32_t color) {
  PlotLine(from, to, ToShownWord(color));
  Changed();
}

void DisplayPicture::DrawPolyline(std::initializer_list<PixelPoint> points, std::uint32_t color) {
  const std::uint32_t word = ToShownWord(color);
  for (auto it = points.begin(); it != points.end() && it + 1 != points.end(); ++it) {
    PlotLine(*it, *(it + 1), word);
  }
  Changed();
}

void DisplayPicture::DrawHexByte(PixelPoint at, std::uint8_t value) {
  const PixelRect box =
      PixelRect::FromSize(at.x, at.y, HexDigitFont::TextWidth(2), HexDigitFont::TextHeight());
  // Digits are placed only in a box that shows: far off, their places would overflow.
  if (!box.Intersect(Bounds()).Empty()) {
    Fill(box, kTextBackground);
    const int glyph_top = at.y + HexDigitFont::kPadding;
    const int first_left = at.x + HexDigitFont::kPadding;
    PlotDigit(first_left, glyph_top, value >> 4, kTextInk);
    PlotDigit(first_left + HexDigitFont::kAdvance, glyph_top, value & 0x0F, kTextInk);
  }
  Changed();
}

void DisplayPicture::DrawPicture(PixelPoint at, const DisplayPicture& source) {
  const PixelRect to =
      PixelRect::FromSize(at.x, at.y, source.width_, source.height_).Intersect(Bounds());
  for (int y = to.top; y < to.bottom; ++y) {
    const std::uint32_t* from = source.Words() +
                                static_cast<std::size_t>(y - at.y) * source.width_ +
                                (to.left - at.x);
    std::copy(from, from + to.Width(), Row(y) + to.left);
  }
  Touch(to);
  Changed();
}

void DisplayPicture::DrawSampled(const PixelRect& area, const DisplayPicture& source,
                                 PixelPoint origin, std::span<const int> columns,
                                 std::span<const int> rows) {
  const PixelRect to = area.Intersect(Bounds());
  for (int y = to.top; y < to.bottom; ++y) {
    const std::uint32_t* from =
        source.Words() + static_cast<std::size_t>(rows[y] - origin.y) * source.width_;
    std::uint32_t* out = Row(y);
    for (int x = to.left; x < to.right; ++x) out[x] = from[columns[x] - origin.x];
  }
  Touch(to);
  Changed();
}

void DisplayPicture::Fill(const PixelRect& area, std::uint32_t word) {
  const PixelRect clipped = area.Intersect(Bounds());
  if (clipped.Empty()) return;
  for (int y = clipped.top; y < clipped.bottom; ++y) {
    std::fill(Row(y) + clipped.left, Row(y) + clipped.right, word);
  }
  Touch(clipped);
}

// The line as a one-pixel-wide rectangle, clipped in 64 bits so that far-off end points
// cannot overflow: along the line from included, to left out.
void DisplayPicture::PlotLine(PixelPoint from, PixelPoint to, std::uint32_t word) {
  if (from.x != to.x && from.y != to.y) {
    throw std::invalid_argument("only horizontal and vertical lines are drawn");
  }
  const bool horizontal = from.y == to.y;
  const int across = horizontal ? from.y : from.x;
  const PixelRect bounds = Bounds();
  if (across < 0 || across >= (horizontal ? bounds.bottom : bounds.right)) return;
  const std::int64_t a = horizontal ? from.x : from.y;
  const std::int64_t b = horizontal ? to.x : to.y;
  const std::int64_t extent = horizontal ? bounds.right : bounds.bottom;
  const int first = static_cast<int>(std::clamp<std::int64_t>(a <= b ? a : b + 1, 0, extent));
  const int last = static_cast<int>(std::clamp<std::int64_t>(a <= b ? b : a + 1, 0, extent));
  Fill(horizontal ? PixelRect{first, across, last, across + 1}
                  : PixelRect{across, first, across + 1, last},
       word);
}

void DisplayPicture::PlotDigit(int x, int y, int digit, std::uint32_t word) {
  const PixelRect glyph =
      PixelRect::FromSize(x, y, HexDigitFont::kGlyphWidth, HexDigitFont::kGlyphHeight)
          .Intersect(Bounds());
  for (int py = glyph.top; py < glyph.bottom; ++py) {
    for (int px = glyph.left; px < glyph.right; ++px) {
      if (HexDigitFont::Ink(digit, px - x, py - y)) Row(py)[px] = word;
    }
  }
}

void DisplayPicture::Touch(const PixelRect& area) {
  const PixelRect clipped = area.Intersect(Bounds());
  if (clipped.Empty()) return;
  changed_ = changed_.Unite({clipped.left + view_.left, clipped.top + view_.top,
                             clipped.right + view_.left, clipped.bottom + view_.top});
}

void DisplayPicture::Changed() {
  if (batches_ > 0) {
    heldChange_ = true;
    return;
  }
  const PixelRect changed = std::exchange(changed_, PixelRect{});
  if (onChange_) onChange_(changed);
}

}  // namespace zantor
