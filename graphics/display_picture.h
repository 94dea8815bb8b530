#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <span>
#include <utility>
#include <vector>

#include "graphics/color_table.h"
#include "graphics/pixel_rect.h"

namespace zantor {

class IndexedBitmap;

// What an image control shows: a true-colour picture whose rows the toolkit blits as they
// are (see ToShownWord). It keeps the master colour table so that drawing with a colour
// index shows that master entry. Every drawing operation clips at the edges and calls the
// change handler once when it is done with the rectangle it changed, so the control can
// repaint just that; drawings made while a ChangeBatch lives report once, when the batch
// ends, with the rectangle around all of them.
class DisplayPicture {
 public:
  class ChangeBatch {
   public:
    explicit ChangeBatch(DisplayPicture& picture) : picture_(picture) { ++picture_.batches_; }
    ChangeBatch(const ChangeBatch&) = delete;
    ChangeBatch& operator=(const ChangeBatch&) = delete;
    ~ChangeBatch() {
      if (--picture_.batches_ == 0 && std::exchange(picture_.heldChange_, false)) {
        picture_.Changed();
      }
    }

   private:
    DisplayPicture& picture_;
  };

  // While it lives, drawings on the picture land in `area` only, with (0, 0) at its
  // top-left, as they would on a picture of area's size: one picture holds many rooms, each
  // drawn as on a room picture of its own. area must lie inside the picture, else
  // std::out_of_range. Width, Height, Pixel and Words go on speaking of the whole picture.
  class Viewport {
   public:
    Viewport(DisplayPicture& picture, const PixelRect& area);
    Viewport(const Viewport&) = delete;
    Viewport& operator=(const Viewport&) = delete;
    ~Viewport() { picture_.view_ = previous_; }

   private:
    DisplayPicture& picture_;
    PixelRect previous_;
  };

  // width and height at least 1, else std::invalid_argument. A new picture shows master
  // entry 0 everywhere, as a fresh 8-bit picture of zeros would.
  DisplayPicture(int width, int height, const ColorTable& master);
  DisplayPicture(const DisplayPicture&) = delete;
  DisplayPicture& operator=(const DisplayPicture&) = delete;

  int Width() const { return width_; }
  int Height() const { return height_; }
  // Where drawings land, in drawing coordinates: the whole picture, or a viewport's area.
  PixelRect Bounds() const { return {0, 0, view_.Width(), view_.Height()}; }

  // 0x00BBGGRR of pixel (x, y); std::out_of_range outside the picture.
  std::uint32_t Pixel(int x, int y) const;

  // Rows from the top, Width() shown words (0xFFRRGGBB) each, without padding.
  const std::uint32_t* Words() const { return Stored().data(); }
  int BytesPerLine() const { return width_ * 4; }

  // changed is in picture coordinates, empty when a drawing fell outside the picture.
  using ChangeHandler = std::function<void(const PixelRect& changed)>;
  void SetChangeHandler(ChangeHandler handler) { onChange_ = std::move(handler); }

  // Fills area with master entry index (0..255, else std::out_of_range).
  void FillRect(const PixelRect& area, int index);
  // A one-pixel horizontal or vertical line in colour 0x00BBGGRR; the end point itself is
  // not drawn. A slanted line raises std::invalid_argument.
  void DrawLine(PixelPoint from, PixelPoint to, std::uint32_t color);
  // Lines through the points in order, each without its end point: an outline that
  // returns to its first point has every corner set.
  void DrawPolyline(std::initializer_list<PixelPoint> points, std::uint32_t color);
  // Two upper-case hex digits, black on an opaque white box whose top-left is at.
  void DrawHexByte(PixelPoint at, std::uint8_t value);
  // Every pixel of another picture as it is, its top-left at `at`.
  void DrawPicture(PixelPoint at, const DisplayPicture& source);
  // A picture drawn smaller or larger by nearest neighbour: pixel (x, y) of area (clipped at
  // the edges) shows pixel (columns[x], rows[y]) of a larger picture whose part with its
  // top-left at `origin` source is. columns and rows reach past area's right and bottom, and
  // every pixel they name for area lies in source.
  void DrawSampled(const PixelRect& area, const DisplayPicture& source, PixelPoint origin,
                   std::span<const int> columns, std::span<const int> rows);

 private:
  friend class IndexedBitmap;  // region copies write whole rows, then report the change

  // Row y of Bounds(); rows lie Stride() words apart.
  std::uint32_t* Row(int y) {
    return Stored().data() + static_cast<std::size_t>(view_.top + y) * width_ + view_.left;
  }
  // The words, made on first use: the pictures of pages not yet shown cost no memory.
  std::vector<std::uint32_t>& Stored() const {
    if (words_.empty()) words_.assign(static_cast<std::size_t>(width_) * height_, blankWord_);
    return words_;
  }
  std::size_t Stride() const { return static_cast<std::size_t>(width_); }
  void Fill(const PixelRect& area, std::uint32_t word);
  void PlotLine(PixelPoint from, PixelPoint to, std::uint32_t word);
  void PlotDigit(int x, int y, int digit, std::uint32_t word);
  // Marks area of Bounds() as changed, for the next report.
  void Touch(const PixelRect& area);
  void Changed();

  int width_;
  int height_;
  std::array<std::uint32_t, ColorTable::kSize> masterWords_;
  std::uint32_t blankWord_;  // what every pixel shows before the first drawing
  mutable std::vector<std::uint32_t> words_;
  PixelRect view_;  // in picture coordinates
  ChangeHandler onChange_;
  PixelRect changed_;  // since the last report, in picture coordinates
  int batches_ = 0;
  bool heldChange_ = false;
};

}  // namespace zantor
