#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "graphics/color_table.h"
#include "graphics/pixel_rect.h"

namespace zantor {

class DisplayPicture;

// An off-screen picture of 8-bit colour indexes with its own 256-entry colour table.
// Tiles are decoded into its rows byte by byte; swapping table entries recolours every
// pixel of those indexes at the next copy, without touching the pixels.
class IndexedBitmap {
 public:
  // 1 x 1, pixel 0, every table entry black.
  IndexedBitmap();

  int Width() const { return width_; }
  int Height() const { return height_; }
  PixelRect Bounds() const { return {0, 0, width_, height_}; }

  // Each re-creates the bitmap: every pixel 0, every table entry black. A side below 1
  // raises std::invalid_argument.
  void SetWidth(int width);
  void SetHeight(int height);

  // Row y from the top (0..Height()-1, else std::out_of_range); byte x is pixel (x, y).
  // Rows are stored top to bottom without padding: row y + 1 starts Width() bytes after
  // the start of row y.
  std::span<std::uint8_t> ScanLine(int y) {
    CheckRow(y);
    return {pixels_.data() + static_cast<std::size_t>(y) * width_,
            static_cast<std::size_t>(width_)};
  }
  std::span<const std::uint8_t> ScanLine(int y) const {
    CheckRow(y);
    return {pixels_.data() + static_cast<std::size_t>(y) * width_,
            static_cast<std::size_t>(width_)};
  }

  // index 0..255, else std::out_of_range; colours are 0x00BBGGRR.
  void SetPaletteEntry(int index, std::uint32_t color) { colors_.Set(index, color); }
  std::uint32_t GetPaletteEntry(int index) const { return colors_.Get(index); }
  void CopyPaletteFrom(const IndexedBitmap& other) { colors_ = other.colors_; }

  // Draws the source rectangle `from` of this bitmap into the rectangle `to` of target,
  // stretched by nearest neighbour (1:1, 2x, 4x, or 2:1 keeping one source pixel of each
  // pair). Onto a bitmap the indexes are kept as they are; onto a picture each pixel gets
  // the colour its index has in this bitmap's table. `from` must be a non-empty part of
  // this bitmap (else std::out_of_range); `to` is clipped at the target's edges. A bitmap
  // may copy onto itself: where the rectangles overlap, the source is read as it was.
  void CopyRegion(IndexedBitmap& target, const PixelRect& to, const PixelRect& from) const;
  void CopyRegion(DisplayPicture& target, const PixelRect& to, const PixelRect& from) const;
  // The same sampling as DisplayPicture::DrawSampled, from the part `from` of this bitmap,
  // each index shown in its colour.
  void SampleRegion(DisplayPicture& target, const PixelRect& to, const PixelRect& from,
                    PixelPoint origin, std::span<const int> columns,
                    std::span<const int> rows) const;

 private:
  void Recreate(int width, int height);
  void CheckRow(int y) const {
    if (y < 0 || y >= height_) ThrowRowOutOfRange(y);
  }
  [[noreturn]] static void ThrowRowOutOfRange(int y);

  int width_ = 1;
  int height_ = 1;
  ColorTable colors_;
  std::vector<std::uint8_t> pixels_;
};

}  // namespace zantor
