#include "graphics/indexed_bitmap.h"

#include <stdexcept>
#include <string>

#include "graphics/display_picture.h"
#include "graphics/region_stretch.h"

namespace zantor {

IndexedBitmap::IndexedBitmap() { Recreate(1, 1); }

void IndexedBitmap::SetWidth(int width) {
  Recreate(CheckedSide(width, "bitmap", "width"), height_);
}

void IndexedBitmap::SetHeight(int height) {
  Recreate(width_, CheckedSide(height, "bitmap", "height"));
}

void IndexedBitmap::Recreate(int width, int height) {
  width_ = width;
  height_ = height;
  colors_ = ColorTable();
  pixels_.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), 0);
}

void IndexedBitmap::ThrowRowOutOfRange(int y) {
  throw std::out_of_range("row " + std::to_string(y) + " outside the bitmap");
}

void IndexedBitmap::CopyRegion(IndexedBitmap& target, const PixelRect& to,
                               const PixelRect& from) const {
  if (&target == this && !to.Intersect(from).Empty() && Bounds().Contains(from)) {
    // Rows are written top to bottom and a stretch reads a source pixel more than once, so
    // a copy onto its own source would read pixels it has already replaced: it reads a
    // snapshot of the source instead.
    IndexedBitmap snapshot;
    snapshot.Recreate(from.Width(), from.Height());
    CopyRegion(snapshot, snapshot.Bounds(), from);
    snapshot.CopyRegion(target, to, snapshot.Bounds());
    return;
  }
  region_stretch::Stretch(*this, from, target.ScanLine(0).data(), target.Bounds(),
                          static_cast<std::size_t>(target.Width()), to,
                          region_stretch::KeepIndexes{});
}

void IndexedBitmap::CopyRegion(DisplayPicture& target, const PixelRect& to,
                               const PixelRect& from) const {
  region_stretch::Stretch(*this, from, target.Row(0), target.Bounds(), target.Stride(), to,
                          region_stretch::CarryColors{colors_});
  target.Touch(to);
  target.Changed();
}

void IndexedBitmap::SampleRegion(DisplayPicture& target, const PixelRect& to, const PixelRect& from,
                                 PixelPoint origin, std::span<const int> columns,
                                 std::span<const int> rows) const {
  if (from.Empty() || !Bounds().Contains(from)) {
    throw std::out_of_range("source rectangle is not a part of the bitmap");
  }
  const PixelRect clipped = to.Intersect(target.Bounds());
  const std::uint32_t* words = colors_.Words();
  for (int y = clipped.top; y < clipped.bottom; ++y) {
    const std::uint8_t* in =
        pixels_.data() + static_cast<std::size_t>(from.top + rows[y] - origin.y) * width_;
    const int shift = from.left - origin.x;
    std::uint32_t* out = target.Row(y);
    for (int x = clipped.left; x < clipped.right; ++x) out[x] = words[in[columns[x] + shift]];
  }
  target.Touch(clipped);
  target.Changed();
}

}  // namespace zantor
