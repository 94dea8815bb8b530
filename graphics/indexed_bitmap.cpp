#include "graphics/indexed_bitmap.h"

#include <stdexcept>
#include <string>
#include <utility>

#include "graphics/display_picture.h"
#include "graphics/region_stretch.h"

namespace zantor {

namespace {

int CheckedSide(int side, const char* what) {
  if (side < 1) {
    throw std::invalid_argument(std::string("bitmap ") + what + " " + std::to_string(side) +
                                " is below 1");
  }
  return side;
}

}  // namespace

IndexedBitmap::IndexedBitmap() { Recreate(1, 1); }

void IndexedBitmap::SetWidth(int width) { Recreate(CheckedSide(width, "width"), height_); }

void IndexedBitmap::SetHeight(int height) { Recreate(width_, CheckedSide(height, "height")); }

void IndexedBitmap::SetSize(int width, int height) {
  Recreate(CheckedSide(width, "width"), CheckedSide(height, "height"));
}

void IndexedBitmap::Recreate(int width, int height) {
  width_ = width;
  height_ = height;
  colors_ = ColorTable();
  pixels_.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), 0);
}

std::span<std::uint8_t> IndexedBitmap::ScanLine(int y) {
  const auto row = std::as_const(*this).ScanLine(y);
  return {const_cast<std::uint8_t*>(row.data()), row.size()};
}

std::span<const std::uint8_t> IndexedBitmap::ScanLine(int y) const {
  if (y < 0 || y >= height_) {
    throw std::out_of_range("row " + std::to_string(y) + " outside the bitmap");
  }
  return {pixels_.data() + static_cast<std::size_t>(y) * width_,
          static_cast<std::size_t>(width_)};
}

void IndexedBitmap::CopyRegion(IndexedBitmap& target, const PixelRect& to,
                               const PixelRect& from) const {
  region_stretch::Stretch(
      *this, from, target.Bounds(), to,
      [&target](int y) { return target.ScanLine(y).data(); }, region_stretch::KeepIndexes{});
}

void IndexedBitmap::CopyRegion(DisplayPicture& target, const PixelRect& to,
                               const PixelRect& from) const {
  region_stretch::Stretch(
      *this, from, target.Bounds(), to, [&target](int y) { return target.Row(y); },
      region_stretch::CarryColors{colors_});
  target.Changed();
}

}  // namespace zantor
