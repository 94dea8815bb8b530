#include "graphics/editor_graphics.h"

#include <algorithm>
#include <cstring>

#include "graphics/hex_digit_font.h"
#include "graphics/tile_decoder.h"

namespace zantor {

namespace {

constexpr int kBankBytes = 1024;
constexpr int kTilesPerSlot = 128;
constexpr int kTilesPerBankRow = 16;
constexpr int kSheetColumns = 16;
constexpr int kMapSetSide = 8;
constexpr int kCursor24Side = 24;
constexpr int kCursor32Side = 32;
constexpr int kMarkerSide = 16;
constexpr int kMarkerTextOffset = 6;
// The kind's digits stay inside the marker's outline.
static_assert(HexDigitFont::TextWidth(2) - kMarkerTextOffset <= kMarkerSide / 2 - 1 &&
              HexDigitFont::TextHeight() - kMarkerTextOffset <= kMarkerSide / 2 - 1);

PixelRect SheetCell(int item, int side) { return PixelRect::GridCell(item, kSheetColumns, side); }

int CheckedStageEntry(int entry) {
  return CheckedIndex(entry, EditorGraphics::kStageColors, "stage colour entry");
}

}  // namespace

EditorGraphics::EditorGraphics(const FcPaletteData& palette, const ImageBytes& image,
                               const AddressData& addresses)
    : palette_(palette), image_(image), animation_(image, addresses) {
  for (int n = 0; n < FcPaletteData::kColorCount; ++n) master_.Set(n, palette_.GetColor(n));
  master_.Set(kMagentaEntry, kMagenta);
  master_.Set(kWhiteEntry, kWhite);
  stage_.SetPaletteEntry(kMagentaEntry, kMagenta);
  stage_.SetPaletteEntry(kWhiteEntry, kWhite);
  chip16Sheet_ = CreateStageBitmap(kSheetColumns * kChip16Side, kSheetColumns * kChip16Side);
  chip32Sheet_ = CreateStageBitmap(kSheetColumns * kChip32Side, kSheetColumns * kChip32Side);
}

void EditorGraphics::SetChrBase() { chrBase_ = 16 + std::int64_t{image_.Read(4)} * 16384; }

void EditorGraphics::SetStagePalette(StagePalette numbers) {
  for (int i = 0; i < kStageColors; ++i) SetStageColor(i, numbers[i]);
}

void EditorGraphics::SetStageColor(int entry, int number) {
  stage_.SetPaletteEntry(CheckedStageEntry(entry), palette_.GetColor(number));
}

std::uint32_t EditorGraphics::GetStageColor(int entry) const {
  return stage_.GetPaletteEntry(CheckedStageEntry(entry));
}

std::unique_ptr<DisplayPicture> EditorGraphics::CreateDisplayPicture(int width, int height) const {
  return std::make_unique<DisplayPicture>(width, height, master_);
}

IndexedBitmap EditorGraphics::CreateStageBitmap(int width, int height) const {
  IndexedBitmap bitmap;
  bitmap.SetWidth(width);
  bitmap.SetHeight(height);
  bitmap.CopyPaletteFrom(stage_);
  return bitmap;
}

void EditorGraphics::RefreshChip32SheetPalette() { chip32Sheet_.CopyPaletteFrom(stage_); }

void EditorGraphics::FillRect(DisplayPicture& picture, int x, int y, int width, int height,
                              int index) const {
  picture.FillRect(PixelRect::FromSize(x, y, width, height), index);
}

void EditorGraphics::FillRect(IndexedBitmap& bitmap, int x, int y, int width, int height,
                              std::uint8_t index) const {
  const PixelRect area = PixelRect::FromSize(x, y, width, height).Intersect(bitmap.Bounds());
  for (int row = area.top; row < area.bottom; ++row) {
    const auto line = bitmap.ScanLine(row);
    std::fill(line.begin() + area.left, line.begin() + area.right, index);
  }
}

std::int64_t EditorGraphics::TileOffset(BankPair banks, std::uint8_t tile) const {
  const int slot = tile / kTilesPerSlot;
  return chrBase_ + std::int64_t{banks[slot]} * kBankBytes +
         std::int64_t{tile % kTilesPerSlot} * TileDecoder::kTileBytes;
}

void EditorGraphics::DrawTileAt(IndexedBitmap& bitmap, std::int64_t offset, int x, int y,
                                std::uint8_t base) const {
  constexpr int kSide = TileDecoder::kSide;
  const TileDecoder::Tile tile = TileDecoder::Fetch(image_, offset);
  const PixelRect area = PixelRect::FromSize(x, y, kSide, kSide);
  if (bitmap.Bounds().Contains(area)) {
    // Address and stride in locals: they would be read again after every byte store.
    std::uint8_t* out = bitmap.ScanLine(y).data() + x;
    const std::size_t stride = static_cast<std::size_t>(bitmap.Width());
    for (int r = 0; r < kSide; ++r) {
      const TileDecoder::Row row = TileDecoder::DecodeRow(tile, r, base);
      std::memcpy(out + r * stride, row.data(), row.size());
    }
    return;
  }
  const PixelRect visible = area.Intersect(bitmap.Bounds());
  for (int py = visible.top; py < visible.bottom; ++py) {
    const TileDecoder::Row row = TileDecoder::DecodeRow(tile, py - y, base);
    const auto line = bitmap.ScanLine(py);
    for (int px = visible.left; px < visible.right; ++px) line[px] = row[px - x];
  }
}

void EditorGraphics::DrawTile(IndexedBitmap& bitmap, BankPair banks, int x, int y,
                              std::uint8_t tile, int palette) const {
  // The palette number is used as given; as a byte index p * 4 keeps its low bits clear.
  DrawTileAt(bitmap, TileOffset(banks, tile), x, y, static_cast<std::uint8_t>(palette * 4));
}

void EditorGraphics::DrawBank(IndexedBitmap& bitmap, std::uint8_t bank, int y) const {
  const std::int64_t start = chrBase_ + std::int64_t{bank} * kBankBytes;
  for (int k = 0; k < kTilesPerSlot; ++k) {
    DrawTileAt(bitmap, start + std::int64_t{k} * TileDecoder::kTileBytes,
               k % kTilesPerBankRow * TileDecoder::kSide,
               ClampedCoordinate(std::int64_t{y} + k / kTilesPerBankRow * TileDecoder::kSide), 0);
  }
}

void EditorGraphics::DrawChip16(IndexedBitmap& bitmap, BankPair banks, Chip16Table tiles, int x,
                                int y, std::uint8_t chip, int palette) const {
  const int right = ClampedCoordinate(std::int64_t{x} + kChip16Side / 2);
  const int lower = ClampedCoordinate(std::int64_t{y} + kChip16Side / 2);
  DrawTile(bitmap, banks, x, y, tiles[chip], palette);
  DrawTile(bitmap, banks, right, y, tiles[256 + chip], palette);
  DrawTile(bitmap, banks, x, lower, tiles[512 + chip], palette);
  DrawTile(bitmap, banks, right, lower, tiles[768 + chip], palette);
}

void EditorGraphics::BuildChip16Sheet(IndexedBitmap& bitmap, BankPair banks, Chip16Table tiles,
                                      PropertyTable properties) const {
  for (int c = 0; c < 256; ++c) {
    const PixelRect cell = SheetCell(c, kChip16Side);
    DrawChip16(bitmap, banks, tiles, cell.left, cell.top, static_cast<std::uint8_t>(c),
               properties[c] & 3);
  }
}

void EditorGraphics::CopyChip16Into(IndexedBitmap& bitmap, Chip32Table chips, int chip) const {
  const PixelRect cell = SheetCell(chip, kChip32Side);
  for (int q = 0; q < 4; ++q) {
    const PixelRect to = PixelRect::FromSize(
        cell.left + q % 2 * kChip16Side, cell.top + q / 2 * kChip16Side, kChip16Side, kChip16Side);
    const PixelRect from = SheetCell(chips[chip * 4 + q], kChip16Side);
    if (!bitmap.Bounds().Contains(to) || !chip16Sheet_.Bounds().Contains(from)) {
      chip16Sheet_.CopyRegion(bitmap, to, from);  // clips, or refuses a resized sheet
      continue;
    }
    // A sheet is a thousand such cells: fixed-size row moves instead of the general copy,
    // with addresses held in locals (a byte store may alias anything, so addresses kept in
    // memory would be looked up again after every move).
    std::uint8_t* out = bitmap.ScanLine(to.top).data() + to.left;
    const std::uint8_t* in = chip16Sheet_.ScanLine(from.top).data() + from.left;
    const std::size_t out_stride = static_cast<std::size_t>(bitmap.Width());
    const std::size_t in_stride = static_cast<std::size_t>(chip16Sheet_.Width());
    for (int r = 0; r < kChip16Side; ++r) {
      std::memmove(out + r * out_stride, in + r * in_stride, kChip16Side);
    }
  }
}

void EditorGraphics::BuildChip32Sheet(IndexedBitmap& bitmap, Chip32Table chips) const {
  for (int k = 0; k < 256; ++k) CopyChip16Into(bitmap, chips, k);
}

void EditorGraphics::UpdateChip32(IndexedBitmap& bitmap, Chip32Table chips,
                                  std::uint8_t chip) const {
  CopyChip16Into(bitmap, chips, chip);
}

void EditorGraphics::DrawMapSet(DisplayPicture& picture, MapSetCells cells) const {
  const DisplayPicture::ChangeBatch batch(picture);
  for (int r = 0; r < kMapSetSide; ++r) {
    for (int col = 0; col < kMapSetSide; ++col) {
      const PixelRect to =
          PixelRect::FromSize(col * kChip32Side, r * kChip32Side, kChip32Side, kChip32Side);
      chip32Sheet_.CopyRegion(picture, to, SheetCell(cells[r * kMapSetSide + col], kChip32Side));
    }
  }
}

void EditorGraphics::DrawChip32Sheet(DisplayPicture& picture) const {
  chip32Sheet_.CopyRegion(picture, picture.Bounds(), chip32Sheet_.Bounds());
}

void EditorGraphics::DrawChip32(DisplayPicture& picture, int x, int y, int width, int height,
                                std::uint8_t chip) const {
  chip32Sheet_.CopyRegion(picture, PixelRect::FromSize(x, y, width, height),
                          SheetCell(chip, kChip32Side));
}

void EditorGraphics::SampleChip32(DisplayPicture& picture, const PixelRect& to, PixelPoint origin,
                                  std::span<const int> columns, std::span<const int> rows,
                                  std::uint8_t chip) const {
  chip32Sheet_.SampleRegion(picture, to, SheetCell(chip, kChip32Side), origin, columns, rows);
}

void EditorGraphics::DrawSquare(DisplayPicture& picture, std::int64_t left, std::int64_t top,
                                int side, std::uint32_t color) const {
  const int l = ClampedCoordinate(left);
  const int t = ClampedCoordinate(top);
  const int r = ClampedCoordinate(left + side - 1);
  const int b = ClampedCoordinate(top + side - 1);
  picture.DrawPolyline({{l, t}, {r, t}, {r, b}, {l, b}, {l, t}}, color);
}

void EditorGraphics::DrawSquareAround(DisplayPicture& picture, int x, int y, int side,
                                      std::uint32_t color) const {
  DrawSquare(picture, std::int64_t{x} - side / 2, std::int64_t{y} - side / 2, side, color);
}

void EditorGraphics::DrawFrame(DisplayPicture& picture, int x, int y, int size) const {
  DrawSquare(picture, x, y, size, kHighlightColor);
}

void EditorGraphics::DrawCursor24(DisplayPicture& picture, int x, int y) const {
  DrawSquareAround(picture, x, y, kCursor24Side, kCursorColor);
}

void EditorGraphics::DrawCursor32(DisplayPicture& picture, int x, int y) const {
  DrawSquareAround(picture, x, y, kCursor32Side, kCursorColor);
}

void EditorGraphics::DrawGrid(DisplayPicture& picture, int dx, int dy) const {
  DrawGrid(picture, dx, dy, picture.Bounds());
}

void EditorGraphics::DrawGrid(DisplayPicture& picture, int dx, int dy,
                              const PixelRect& area) const {
  const PixelRect clip = area.Intersect(picture.Bounds());
  if (clip.Empty()) return;
  // The first line at or after the area's edge: lines lie at 0, step, 2 * step, ...
  const auto first = [](int edge, int step) -> std::int64_t {
    return (std::int64_t{edge} + step - 1) / step * step;
  };
  const DisplayPicture::ChangeBatch batch(picture);
  if (dy >= 1) {
    for (std::int64_t y = first(clip.top, dy); y < clip.bottom; y += dy) {
      picture.DrawLine({clip.left, static_cast<int>(y)}, {clip.right, static_cast<int>(y)},
                       kGridColor);
    }
  }
  if (dx >= 1) {
    for (std::int64_t x = first(clip.left, dx); x < clip.right; x += dx) {
      picture.DrawLine({static_cast<int>(x), clip.top}, {static_cast<int>(x), clip.bottom},
                       kGridColor);
    }
  }
}

void EditorGraphics::DrawObjectMarker(DisplayPicture& picture, int x, int y,
                                      std::uint8_t kind) const {
  const DisplayPicture::ChangeBatch batch(picture);
  DrawSquareAround(picture, x, y, kMarkerSide, kCursorColor);
  picture.DrawHexByte({ClampedCoordinate(std::int64_t{x} - kMarkerTextOffset),
                       ClampedCoordinate(std::int64_t{y} - kMarkerTextOffset)},
                      kind);
}

bool EditorGraphics::StepPaletteAnimation(AnimationBytes bytes) {
  bool changed = false;
  const PaletteAnimation::Changes changes = animation_.Step(bytes);
  for (int p = 0; p < PaletteAnimation::kSlots; ++p) {
    if (!changes[p]) continue;
    // Colour 0 of a sub-palette never animates.
    for (int c = 0; c < 3; ++c) SetStageColor(p * 4 + 1 + c, (*changes[p])[c]);
    changed = true;
  }
  return changed;
}

}  // namespace zantor
