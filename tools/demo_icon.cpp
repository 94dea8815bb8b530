#include "tools/demo_icon.h"

#include <array>

#include "tools/demo_image.h"
#include "tools/demo_palettes.h"
#include "tools/demo_stage_layout.h"
#include "tools/demo_tile_art.h"
#include "tools/ntsc_palette.h"

namespace zantor {

namespace {

constexpr int kStage = 0;
constexpr int kChipSide = 16;
// A ladder beside a disc over a brick floor.
constexpr std::array<std::array<int, 3>, 3> kChips = {{
    {0x00, 0x04, 0x11},
    {0x0C, 0x0C, 0x10},
    {0x08, 0x08, 0x08},
}};

// Pixel (x, y) of a 16x16 chip as a NES colour number, as the image shows it in the stage.
int ChipPixelColour(int chip, int x, int y) {
  static const auto tiles = DemoStageLayout::Chip16x16();
  static const auto properties = DemoStageLayout::ChipProperty(kStage);
  static const auto colours = DemoPalettes::Colours(kStage);
  const int quarter = (y / 8) * 2 + x / 8;
  const int tile = tiles[static_cast<std::size_t>(quarter * 256 + chip)];
  const int bank = kDemoBGBanks[kStage][static_cast<std::size_t>(tile / 0x80)] + (tile / 0x40) % 2;
  const int pixel = DemoTileArt::Draw(bank, tile % kDemoTilesPerBank)[y % 8][x % 8];
  return colours[static_cast<std::size_t>((properties[static_cast<std::size_t>(chip)] & 3) * 4 +
                                          pixel)];
}

}  // namespace

std::vector<std::uint32_t> DemoIcon::Draw(int scale) {
  const int side = kSide * scale;
  std::vector<std::uint32_t> pixels(static_cast<std::size_t>(side) * side);
  for (int y = 0; y < side; ++y) {
    for (int x = 0; x < side; ++x) {
      const int cx = x / scale;
      const int cy = y / scale;
      const int chip = kChips[static_cast<std::size_t>(cy / kChipSide)]
                             [static_cast<std::size_t>(cx / kChipSide)];
      const NtscPalette::Rgb rgb =
          NtscPalette::Color(ChipPixelColour(chip, cx % kChipSide, cy % kChipSide));
      pixels[static_cast<std::size_t>(y) * side + x] =
          rgb.r | static_cast<std::uint32_t>(rgb.g) << 8 | static_cast<std::uint32_t>(rgb.b) << 16;
    }
  }
  return pixels;
}

}  // namespace zantor
