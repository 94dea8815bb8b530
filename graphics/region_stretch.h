#pragma once

#include <cstdint>
#include <cstring>
#include <stdexcept>
#include <vector>

#include "graphics/color_table.h"
#include "graphics/indexed_bitmap.h"
#include "graphics/pixel_rect.h"

// The one nearest-neighbour stretch behind both region copies of IndexedBitmap.
namespace zantor::region_stretch {

// Bitmap to bitmap: indexes unchanged.
struct KeepIndexes {
  using Pixel = std::uint8_t;
  Pixel operator()(std::uint8_t index) const { return index; }
  void Run(Pixel* out, const std::uint8_t* in, int count) const {
    std::memmove(out, in, static_cast<std::size_t>(count));  // a bitmap may copy onto itself
  }
};

// Bitmap to picture: each index becomes the colour it has in the source table.
struct CarryColors {
  using Pixel = std::uint32_t;
  const ColorTable& table;
  Pixel operator()(std::uint8_t index) const { return table.Word(index); }
  void Run(Pixel* out, const std::uint8_t* in, int count) const {
    for (int i = 0; i < count; ++i) out[i] = table.Word(in[i]);
  }
};

// Source coordinate of target coordinate t for a span of `from` source and `to` target
// pixels: whole factors repeat or drop pixels evenly.
inline std::int64_t SourceOf(std::int64_t t, std::int64_t from, std::int64_t to) {
  return t * from / to;
}

// row_of(y) gives the first pixel of target row y.
template <typename Convert, typename RowOf>
void Stretch(const IndexedBitmap& source, const PixelRect& from, const PixelRect& target_bounds,
             const PixelRect& to, RowOf row_of, const Convert& convert) {
  using Pixel = typename Convert::Pixel;
  if (from.Empty() || !source.Bounds().Contains(from)) {
    throw std::out_of_range("source rectangle is not a part of the bitmap");
  }
  const PixelRect clipped = to.Intersect(target_bounds);
  if (to.Empty() || clipped.Empty()) return;

  const int count = clipped.Width();
  const bool same_width = from.Width() == to.Width();
  // Column i of the clipped run reads source column columns[i] (only when stretched).
  std::vector<int> columns;
  if (!same_width) {
    columns.resize(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
      columns[i] = from.left + static_cast<int>(SourceOf(clipped.left + i - to.left,
                                                         from.Width(), to.Width()));
    }
  }
  const int first_column = from.left + (clipped.left - to.left);

  std::int64_t previous_row = -1;
  const Pixel* previous_out = nullptr;
  for (int y = clipped.top; y < clipped.bottom; ++y) {
    const std::int64_t source_row =
        from.top + SourceOf(y - to.top, from.Height(), to.Height());
    Pixel* out = row_of(y) + clipped.left;
    if (source_row == previous_row) {
      // Enlarged rows repeat the row above.
      std::memcpy(out, previous_out, static_cast<std::size_t>(count) * sizeof(Pixel));
      continue;
    }
    const std::uint8_t* in = source.ScanLine(static_cast<int>(source_row)).data();
    if (same_width) {
      convert.Run(out, in + first_column, count);
    } else {
      for (int i = 0; i < count; ++i) out[i] = convert(in[columns[i]]);
    }
    previous_row = source_row;
    previous_out = out;
  }
}

}  // namespace zantor::region_stretch
