#pragma once

#include <cstdint>
#include <cstring>
#include <stdexcept>
#include <vector>

#include "graphics/chip_color_lookup.h"
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
    // Never overlapping: a bitmap copies onto its own source through a snapshot.
    std::memcpy(out, in, static_cast<std::size_t>(count));
  }
  void RunRows(Pixel* out, std::size_t outStride, const std::uint8_t* in, std::size_t inStride,
               int count, int rows) const {
    for (int row = 0; row < rows; ++row, out += outStride, in += inStride) Run(out, in, count);
  }
};

// Bitmap to picture: each index becomes the colour it has in the source table.
struct CarryColors {
  using Pixel = std::uint32_t;
  const ColorTable& table;
  Pixel operator()(std::uint8_t index) const { return table.Word(index); }
  // Eight indexes are read at a time and colours are written two at a time, through
  // local copies of the table pointers: the compiler must assume that any store may change
  // memory it has already read, so values held in memory would be read again pixel by
  // pixel. Chip pixels (indexes below 16) take one lookup per pair.
  void Run(Pixel* out, const std::uint8_t* in, int count) const {
    const std::uint32_t* words = table.Words();
    const std::uint64_t* pairs = table.PairWords();
    int i = 0;
    for (; i + 8 <= count; i += 8) {
      std::uint64_t indexes;
      std::memcpy(&indexes, in + i, sizeof indexes);
      if (indexes & 0xF0F0F0F0F0F0F0F0u) {
        for (int k = 0; k < 8; ++k) out[i + k] = words[in[i + k]];
        continue;
      }
      // Byte 2m of keys is index 2m | index 2m+1 << 4, the key of that pixel pair.
      const std::uint64_t keys = indexes | indexes >> 4;
      for (int k = 0; k < 8; k += 2) {
        const std::uint64_t pair = pairs[(keys >> (8 * k)) & 0xFF];
        std::memcpy(out + i + k, &pair, sizeof pair);
      }
    }
    for (; i < count; ++i) out[i] = words[in[i]];
  }
  // Whole rows of a region: chip pixels sixteen at a time where the processor can.
  void RunRows(Pixel* out, std::size_t outStride, const std::uint8_t* in, std::size_t inStride,
               int count, int rows) const {
    for (int row = 0; row < rows;) {
      row += ConvertChipRows(out + row * outStride, outStride, in + row * inStride, inStride, count,
                             rows - row, table.ShownPlanes());
      if (row < rows) Run(out + row * outStride, in + row * inStride, count), ++row;
    }
  }
};

// Source coordinate of target coordinate t for a span of `from` source and `to` target
// pixels: whole factors repeat or drop pixels evenly.
inline std::int64_t SourceOf(std::int64_t t, std::int64_t from, std::int64_t to) {
  return t * from / to;
}

// target is the first pixel of a target of target_bounds' size, its rows stride pixels
// apart.
template <typename Convert>
void Stretch(const IndexedBitmap& source, const PixelRect& from, typename Convert::Pixel* target,
             const PixelRect& target_bounds, std::size_t stride, const PixelRect& to,
             const Convert& convert) {
  using Pixel = typename Convert::Pixel;
  if (from.Empty() || !source.Bounds().Contains(from)) {
    throw std::out_of_range("source rectangle is not a part of the bitmap");
  }
  const PixelRect clipped = to.Intersect(target_bounds);
  if (to.Empty() || clipped.Empty()) return;

  // Offsets into `to` in 64 bits: a rectangle reaching far outside the target must not
  // overflow on the way to the few rows and columns that are drawn.
  const std::int64_t from_width = from.Width();
  const std::int64_t from_height = from.Height();
  const std::int64_t to_width = std::int64_t{to.right} - to.left;
  const std::int64_t to_height = std::int64_t{to.bottom} - to.top;
  const int count = clipped.Width();
  const bool same_width = from_width == to_width;
  const bool same_height = from_height == to_height;
  const int first_column = from.left + static_cast<int>(std::int64_t{clipped.left} - to.left);
  const auto row_of = [&](int y) { return target + static_cast<std::size_t>(y) * stride; };

  if (same_width && same_height) {
    // Whole cells of map sets and sheets: row addresses stepped in locals, as a store may
    // alias anything and addresses kept in memory would be looked up again every row.
    const int first_row = from.top + static_cast<int>(std::int64_t{clipped.top} - to.top);
    const std::uint8_t* in = source.ScanLine(first_row).data() + first_column;
    const std::size_t in_stride = static_cast<std::size_t>(source.Width());
    convert.RunRows(row_of(clipped.top) + clipped.left, stride, in, in_stride, count,
                    clipped.Height());
    return;
  }

  // Column i of the clipped run reads source column columns[i] (only when stretched); the
  // indexes of a stretched row are gathered first, so that the row converts as fast as a
  // whole one.
  // A whole-number reduction reads every step-th column, without the table.
  std::vector<int> columns;
  std::vector<std::uint8_t> gathered;
  const std::int64_t step = from_width % to_width == 0 ? from_width / to_width : 0;
  const int first_source =
      from.left +
      static_cast<int>(SourceOf(std::int64_t{clipped.left} - to.left, from_width, to_width));
  if (!same_width) {
    columns.resize(static_cast<std::size_t>(step > 0 ? 0 : count));
    gathered.resize(static_cast<std::size_t>(count));
    for (std::size_t i = 0; i < columns.size(); ++i) {
      const std::int64_t t = std::int64_t{clipped.left} + static_cast<std::int64_t>(i) - to.left;
      columns[i] = from.left + static_cast<int>(SourceOf(t, from_width, to_width));
    }
  }
  std::int64_t previous_row = -1;
  const Pixel* previous_out = nullptr;
  for (int y = clipped.top; y < clipped.bottom; ++y) {
    // (Division only when stretched: a 64-bit divide costs as much as a row of pixels.)
    const std::int64_t t = std::int64_t{y} - to.top;
    const std::int64_t source_row =
        from.top + (same_height ? t : SourceOf(t, from_height, to_height));
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
      if (step == 2) {
        GatherEvenBytes(gathered.data(), in + first_source, count);
      } else if (step > 0) {
        const std::uint8_t* first = in + first_source;
        for (int i = 0; i < count; ++i) gathered[i] = first[i * step];
      } else {
        for (int i = 0; i < count; ++i) gathered[i] = in[columns[i]];
      }
      convert.RunRows(out, 0, gathered.data(), 0, count, 1);
    }
    previous_row = source_row;
    previous_out = out;
  }
}

}  // namespace zantor::region_stretch
