#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "core/address_data.h"
#include "core/fc_palette_data.h"
#include "core/image_bytes.h"
#include "core/my_mem_ini_file.h"
#include "core/testing/recording_sinks.h"
#include "core/testing/temporary_folder.h"
#include "graphics/display_picture.h"
#include "graphics/editor_graphics.h"
#include "graphics/indexed_bitmap.h"

namespace zantor::testing {

// Master colour of NES number n in the test palette: distinct for every n and none of
// them black, magenta or white.
constexpr std::uint32_t TestMasterColor(int n) {
  return static_cast<std::uint32_t>(n) | static_cast<std::uint32_t>(0x40 + n) << 8 |
         static_cast<std::uint32_t>(0x80 + n) << 16;
}

inline FcPaletteData LoadTestPalette() {
  std::vector<std::uint8_t> triples;
  for (int n = 0; n < FcPaletteData::kColorCount; ++n) {
    const std::uint32_t color = TestMasterColor(n);
    for (const int shift : {0, 8, 16}) triples.push_back(static_cast<std::uint8_t>(color >> shift));
  }
  const TemporaryFolder folder;
  WriteFile(folder.File("test.pal"), triples);
  RecordingNotifier notifier;
  FcPaletteData palette;
  palette.Load(folder.File("test.pal"), notifier);
  return palette;
}

// An image, its address table (defaults unless ini text says otherwise), the test master
// palette and a renderer over them.
struct RenderFixture {
  explicit RenderFixture(const std::string& ini_text = "")
      : ini("unused.ini", ini_text),
        addresses(ini),
        palette(LoadTestPalette()),
        graphics(palette, image, addresses) {}

  ImageBytes image;
  TMyMemIniFile ini;
  AddressData addresses;
  FcPaletteData palette;
  EditorGraphics graphics;
};

// The 16 bytes of a tile drawn as eight rows of eight digits '0'..'3'.
inline std::array<std::uint8_t, 16> EncodeTile(const std::array<std::string, 8>& rows) {
  std::array<std::uint8_t, 16> bytes{};
  for (int r = 0; r < 8; ++r) {
    for (int k = 0; k < 8; ++k) {
      const int color = rows[r][k] - '0';
      if (color & 1) bytes[r] |= static_cast<std::uint8_t>(0x80 >> k);
      if (color & 2) bytes[r + 8] |= static_cast<std::uint8_t>(0x80 >> k);
    }
  }
  return bytes;
}

// A tile whose every pixel has the one colour c.
inline std::array<std::uint8_t, 16> SolidTile(int c) {
  const std::string row(8, static_cast<char>('0' + c));
  return EncodeTile({row, row, row, row, row, row, row, row});
}

// A bitmap of the given size: pixels 0, table all black.
inline IndexedBitmap Sized(int width, int height) {
  IndexedBitmap bitmap;
  bitmap.SetWidth(width);
  bitmap.SetHeight(height);
  return bitmap;
}

// The indexes of a rectangle, one hex digit per pixel ('?' for 16 and above).
inline std::vector<std::string> IndexRows(const IndexedBitmap& bitmap, const PixelRect& area) {
  static const char* kDigits = "0123456789ABCDEF";
  std::vector<std::string> rows;
  for (int y = area.top; y < area.bottom; ++y) {
    std::string row;
    const auto line = bitmap.ScanLine(y);
    for (int x = area.left; x < area.right; ++x) row += line[x] < 16 ? kDigits[line[x]] : '?';
    rows.push_back(row);
  }
  return rows;
}

// The colours of a rectangle, one legend character per pixel ('?' when not in legend).
inline std::vector<std::string> ColorRows(const DisplayPicture& picture, const PixelRect& area,
                                          const std::map<std::uint32_t, char>& legend) {
  std::vector<std::string> rows;
  for (int y = area.top; y < area.bottom; ++y) {
    std::string row;
    for (int x = area.left; x < area.right; ++x) {
      const auto it = legend.find(picture.Pixel(x, y));
      row += it == legend.end() ? '?' : it->second;
    }
    rows.push_back(row);
  }
  return rows;
}

}  // namespace zantor::testing
