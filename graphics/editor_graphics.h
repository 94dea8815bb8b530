#pragma once

#include <cstdint>
#include <memory>
#include <span>

#include "core/address_data.h"
#include "core/fc_palette_data.h"
#include "core/image_bytes.h"
#include "graphics/display_picture.h"
#include "graphics/indexed_bitmap.h"
#include "graphics/palette_animation.h"

namespace zantor {

// The renderer shared by every editor. Chip pictures hold palette indexes (palette
// number * 4 + 2-bit colour) and carry the stage's background palette as their colour
// table, so a colour change replaces table entries and copies again; tiles are decoded
// only when chips, banks or chip palettes change. Every drawing onto a picture reports one
// change to the picture's handler, however many pieces it is made of.
class EditorGraphics {
 public:
  static constexpr int kMagentaEntry = 80;
  static constexpr int kWhiteEntry = 81;
  static constexpr std::uint32_t kMagenta = 0xFF00FF;
  static constexpr std::uint32_t kWhite = 0xFFFFFF;
  static constexpr std::uint32_t kHighlightColor = kMagenta;
  static constexpr std::uint32_t kGridColor = kWhite;
  static constexpr std::uint32_t kCursorColor = kWhite;
  static constexpr int kStageColors = 16;
  static constexpr int kChip16Side = 16;
  static constexpr int kChip32Side = 32;

  // The stage tables the renderer draws, as the stage data holds them.
  using BankPair = std::span<const std::uint8_t, 2>;
  // Chip16x16: the top-left tile numbers of chips 0..255, then top-right, bottom-left,
  // bottom-right.
  using Chip16Table = std::span<const std::uint8_t, 1024>;
  using PropertyTable = std::span<const std::uint8_t, 256>;
  // Chip32x32: four 16x16 chip numbers per chip, top-left, top-right, bottom-left,
  // bottom-right.
  using Chip32Table = std::span<const std::uint8_t, 1024>;
  using MapSetCells = std::span<const std::uint8_t, 64>;
  using StagePalette = std::span<const std::uint8_t, kStageColors>;
  using AnimationBytes = std::span<const std::uint8_t, PaletteAnimation::kSlots>;

  EditorGraphics(const FcPaletteData& palette, const ImageBytes& image,
                 const AddressData& addresses);
  EditorGraphics(const EditorGraphics&) = delete;
  EditorGraphics& operator=(const EditorGraphics&) = delete;

  // CHR base = 16 + 16384 * image byte 4; run after every successful open.
  void SetChrBase();

  // Background palette: entry i = master colour of NES number n[i].
  void SetStagePalette(StagePalette numbers);
  // entry 0..15, else std::out_of_range.
  void SetStageColor(int entry, int number);
  std::uint32_t GetStageColor(int entry) const;
  const IndexedBitmap& StageBitmap() const { return stage_; }

  IndexedBitmap& Chip16Sheet() { return chip16Sheet_; }
  const IndexedBitmap& Chip16Sheet() const { return chip16Sheet_; }
  IndexedBitmap& Chip32Sheet() { return chip32Sheet_; }
  const IndexedBitmap& Chip32Sheet() const { return chip32Sheet_; }

  // A picture of the given size carrying the master table.
  std::unique_ptr<DisplayPicture> CreateDisplayPicture(int width, int height) const;
  // A bitmap of the given size carrying the background palette as it is now.
  IndexedBitmap CreateStageBitmap(int width, int height) const;
  void RefreshChip32SheetPalette();

  // Fills the rectangle with colour index i (a master entry on a picture), clipped.
  void FillRect(DisplayPicture& picture, int x, int y, int width, int height, int index) const;
  void FillRect(IndexedBitmap& bitmap, int x, int y, int width, int height,
                std::uint8_t index) const;

  // Tile t through the bank pair at (x, y), pixels palette * 4 + colour. Only the tile's
  // 8 x 8 pixels are written, clipped at the bitmap's edges.
  void DrawTile(IndexedBitmap& bitmap, BankPair banks, int x, int y, std::uint8_t tile,
                int palette) const;
  // The 128 tiles of bank b as 16 x 8 tiles from row y, plain colours 0..3.
  void DrawBank(IndexedBitmap& bitmap, std::uint8_t bank, int y) const;
  void DrawChip16(IndexedBitmap& bitmap, BankPair banks, Chip16Table tiles, int x, int y,
                  std::uint8_t chip, int palette) const;
  // Every 16x16 chip at its cell, with palette number property & 3.
  void BuildChip16Sheet(IndexedBitmap& bitmap, BankPair banks, Chip16Table tiles,
                        PropertyTable properties) const;
  // Every 32x32 chip composed of Chip16Sheet cells, indexes kept.
  void BuildChip32Sheet(IndexedBitmap& bitmap, Chip32Table chips) const;
  void UpdateChip32(IndexedBitmap& bitmap, Chip32Table chips, std::uint8_t chip) const;

  // A 256 x 256 screen of 8 x 8 Chip32Sheet cells at the picture's top-left.
  void DrawMapSet(DisplayPicture& picture, MapSetCells cells) const;
  // The whole Chip32Sheet scaled onto the whole picture.
  void DrawChip32Sheet(DisplayPicture& picture) const;
  void DrawChip32(DisplayPicture& picture, int x, int y, int width, int height,
                  std::uint8_t chip) const;
  // A chip sampled onto `to` as IndexedBitmap::SampleRegion does, the chip standing for the
  // larger picture's 32 x 32 part at origin.
  void SampleChip32(DisplayPicture& picture, const PixelRect& to, PixelPoint origin,
                    std::span<const int> columns, std::span<const int> rows,
                    std::uint8_t chip) const;

  // One-pixel square outlines: DrawFrame covers x..x+size-1 and y..y+size-1 in magenta;
  // the cursors and the marker are white squares of side 24, 32 and 16 around (x, y).
  void DrawFrame(DisplayPicture& picture, int x, int y, int size) const;
  void DrawCursor24(DisplayPicture& picture, int x, int y) const;
  void DrawCursor32(DisplayPicture& picture, int x, int y) const;
  // Grid lines every dx columns and dy rows from 0, none at the right or bottom edge; a
  // step below 1 draws no lines in that direction.
  void DrawGrid(DisplayPicture& picture, int dx, int dy) const;
  // The same grid, only the parts of its lines inside area (a cell drawn anew).
  void DrawGrid(DisplayPicture& picture, int dx, int dy, const PixelRect& area) const;
  // Marker square plus the kind in two hex digits at (x - 6, y - 6).
  void DrawObjectMarker(DisplayPicture& picture, int x, int y, std::uint8_t kind) const;

  void ResetPaletteAnimation() { animation_.Reset(); }
  // One timer tick; true when a colour of the background palette changed.
  bool StepPaletteAnimation(AnimationBytes bytes);

 private:
  void DrawTileAt(IndexedBitmap& bitmap, std::int64_t offset, int x, int y,
                  std::uint8_t base) const;
  std::int64_t TileOffset(BankPair banks, std::uint8_t tile) const;
  void CopyChip16Into(IndexedBitmap& bitmap, Chip32Table chips, int chip) const;
  // Corners in 64 bits: a square around a far-off point must not overflow.
  void DrawSquare(DisplayPicture& picture, std::int64_t left, std::int64_t top, int side,
                  std::uint32_t color) const;
  // The square of the cursors and the marker, centred on (x, y).
  void DrawSquareAround(DisplayPicture& picture, int x, int y, int side, std::uint32_t color) const;

  const FcPaletteData& palette_;
  const ImageBytes& image_;
  std::int64_t chrBase_ = 16;  // that of an image of zeros, until SetChrBase
  ColorTable master_;
  IndexedBitmap stage_;
  IndexedBitmap chip16Sheet_;
  IndexedBitmap chip32Sheet_;
  PaletteAnimation animation_;
};

}  // namespace zantor
