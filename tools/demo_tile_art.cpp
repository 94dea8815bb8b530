#include "tools/demo_tile_art.h"

#include <algorithm>
#include <cstdlib>
#include <stdexcept>

#include "tools/demo_image.h"
#include "tools/demo_random.h"

namespace zantor {

namespace {

// Tile kinds past the published ones, in bank order.
enum Kind : int {
  kBrick = 0x14,  // 0x14..0x17: four brick offsets
  kBevel = 0x18,  // 0x18..0x1B: quarters of a 16x16 riveted block
  kGradientV = 0x1C,
  kGradientH = 0x1D,
  kGradientD = 0x1E,
  kDither = 0x1F,
  kLadder = 0x20,  // left half, right half, top left, top right
  kLedgeTop = 0x24,
  kLedgeBody = 0x25,
  kLedgeUnder = 0x26,
  kPost = 0x27,
  kCircle = 0x28,  // 0x28..0x2B: quarters of a 16x16 disc
  kDiamond = 0x2C,
  kSpike = 0x2D,
  kStripesH = 0x2E,
  kStripesV = 0x2F,
  kWaveSurface = 0x30,  // 0x30, 0x31: left and right half of a wave
  kWaterBody = 0x32,    // 0x32, 0x33
  kConveyorRight = 0x34,
  kConveyorLeft = 0x35,
  kChecker = 0x36,
  kCross = 0x37,
  kNoise = 0x38,  // 0x38..0x3E
};

// 5x7 glyphs for the digit tiles and 3x5 glyphs for the bank label, row strings.
constexpr std::array<std::array<const char*, 7>, 16> kLargeDigits = {{
    {".###.", "#...#", "#..##", "#.#.#", "##..#", "#...#", ".###."},
    {"..#..", ".##..", "..#..", "..#..", "..#..", "..#..", ".###."},
    {".###.", "#...#", "....#", "...#.", "..#..", ".#...", "#####"},
    {"####.", "....#", "....#", ".###.", "....#", "....#", "####."},
    {"...#.", "..##.", ".#.#.", "#..#.", "#####", "...#.", "...#."},
    {"#####", "#....", "####.", "....#", "....#", "#...#", ".###."},
    {"..##.", ".#...", "#....", "####.", "#...#", "#...#", ".###."},
    {"#####", "....#", "...#.", "..#..", ".#...", ".#...", ".#..."},
    {".###.", "#...#", "#...#", ".###.", "#...#", "#...#", ".###."},
    {".###.", "#...#", "#...#", ".####", "....#", "...#.", ".##.."},
    {".###.", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"},
    {"####.", "#...#", "#...#", "####.", "#...#", "#...#", "####."},
    {".###.", "#...#", "#....", "#....", "#....", "#...#", ".###."},
    {"####.", "#...#", "#...#", "#...#", "#...#", "#...#", "####."},
    {"#####", "#....", "#....", "####.", "#....", "#....", "#####"},
    {"#####", "#....", "#....", "####.", "#....", "#....", "#...."},
}};

// clang-format off
constexpr std::array<std::array<const char*, 5>, 16> kSmallDigits = {{
    {"###", "#.#", "#.#", "#.#", "###"}, {".#.", "##.", ".#.", ".#.", "###"},
    {"###", "..#", "###", "#..", "###"}, {"###", "..#", ".##", "..#", "###"},
    {"#.#", "#.#", "###", "..#", "..#"}, {"###", "#..", "###", "..#", "###"},
    {"###", "#..", "###", "#.#", "###"}, {"###", "..#", "..#", ".#.", ".#."},
    {"###", "#.#", "###", "#.#", "###"}, {"###", "#.#", "###", "..#", "###"},
    {".#.", "#.#", "###", "#.#", "#.#"}, {"##.", "#.#", "##.", "#.#", "##."},
    {"###", "#..", "#..", "#..", "###"}, {"##.", "#.#", "#.#", "#.#", "##."},
    {"###", "#..", "###", "#..", "###"}, {"###", "#..", "###", "#..", "#.."},
}};
// clang-format on

// Wave crest row for each column of a 16-pixel-wide wave.
constexpr std::array<int, 16> kWaveCrest = {2, 1, 1, 0, 0, 1, 1, 2, 3, 4, 4, 5, 5, 4, 4, 3};

template <typename Fn>
TilePixels Paint(Fn colour_at) {
  TilePixels pixels{};
  for (int y = 0; y < 8; ++y) {
    for (int x = 0; x < 8; ++x) pixels[y][x] = static_cast<std::uint8_t>(colour_at(x, y));
  }
  return pixels;
}

// A 16x16 picture cut into four tiles: quarter 0 top-left .. 3 bottom-right.
template <typename Fn>
TilePixels PaintQuarter(int quarter, Fn colour_at) {
  const int ox = (quarter % 2) * 8;
  const int oy = (quarter / 2) * 8;
  return Paint([&](int x, int y) { return colour_at(ox + x, oy + y); });
}

TilePixels LargeDigit(int digit) {
  const auto& glyph = kLargeDigits[digit];
  const auto ink = [&](int x, int y) {
    return x >= 1 && x <= 5 && y <= 6 && glyph[y][x - 1] == '#';
  };
  return Paint([&](int x, int y) {
    if (ink(x, y)) return 3;
    if (x > 0 && y > 0 && ink(x - 1, y - 1)) return 1;  // drop shadow
    return 0;
  });
}

TilePixels BankLabel(int bank) {
  const auto ink = [](int digit, int x, int y) {
    return x >= 0 && x < 3 && y >= 0 && y < 5 && kSmallDigits[digit][y][x] == '#';
  };
  return Paint([&](int x, int y) {
    if (y == 7) return 2;
    if (ink(bank / 16 % 16, x, y - 1) || ink(bank % 16, x - 4, y - 1)) return 3;
    return 1;
  });
}

TilePixels Brick(int variant, int bank) {
  return Paint([&](int x, int y) {
    if (y % 4 == 0) return 1;
    const int joint = ((y / 4) * 4 + variant * 2 + bank) % 8;
    if (x == joint) return 1;
    return y % 4 == 1 ? 3 : 2;
  });
}

TilePixels Bevel(int quarter) {
  return PaintQuarter(quarter, [](int x, int y) {
    if (y == 0 || x == 0) return 3;
    if (y == 15 || x == 15) return 1;
    const bool rivet = (x == 4 || x == 11) && (y == 4 || y == 11);
    return rivet ? 3 : 2;
  });
}

TilePixels Ladder(int which) {
  const bool right = which % 2 == 1;
  const bool top = which >= 2;
  return Paint([&](int x, int y) {
    const int lx = right ? 7 - x : x;  // the right half mirrors the left
    if (top && y < 3) return 0;
    if (lx == 1 || lx == 2) return 3;
    if (lx == 3) return 1;
    if (!(top && y == 3) && y % 4 == 1 && lx > 3) return 2;
    return 0;
  });
}

TilePixels Circle(int quarter) {
  return PaintQuarter(quarter, [](int x, int y) {
    const double dx = x - 7.5;
    const double dy = y - 7.5;
    const double d2 = dx * dx + dy * dy;
    if (d2 > 7.5 * 7.5) return 0;
    if (d2 > 5.5 * 5.5) return 1;
    if ((x - 5) * (x - 5) + (y - 5) * (y - 5) <= 4) return 3;
    return 2;
  });
}

TilePixels Conveyor(bool to_right) {
  return Paint([&](int x, int y) {
    if (y == 0 || y == 7) return 2;
    const int lx = to_right ? x : 7 - x;
    const int bend = y < 4 ? y - 1 : 6 - y;  // 0..2: the chevron points right
    return lx == bend + 1 || lx == (bend + 5) % 8 ? 3 : 1;
  });
}

TilePixels Noise(int bank, int kind) {
  DemoRandom random(static_cast<std::uint32_t>(bank * 64 + kind) * 2654435761u + 1u);
  static constexpr std::array<int, 8> kWeights = {0, 1, 1, 1, 2, 2, 2, 3};
  return Paint([&](int, int) { return kWeights[random.Below(8)]; });
}

// Decorative kinds take a bank-dependent turn of colours 1..3, so that the two halves
// of a window, and the windows of different stages, look apart.
TilePixels TurnColours(TilePixels pixels, int bank) {
  for (auto& row : pixels) {
    for (auto& c : row) {
      if (c != 0) c = static_cast<std::uint8_t>(1 + (c - 1 + bank) % 3);
    }
  }
  return pixels;
}

TilePixels DrawUnturned(int bank, int kind) {
  if (kind == kDemoTileBlank) return Paint([](int, int) { return 0; });
  if (kind <= kDemoTileSolid1 + 2) return Paint([&](int, int) { return kind; });
  if (kind < kDemoTileDigit0 + 16) return LargeDigit(kind - kDemoTileDigit0);
  if (kind < kBevel) return Brick(kind - kBrick, bank);
  if (kind < kGradientV) return Bevel(kind - kBevel);
  switch (kind) {
    case kGradientV: return Paint([](int, int y) { return y / 2; });
    case kGradientH: return Paint([](int x, int) { return x / 2; });
    case kGradientD: return Paint([](int x, int y) { return (x + y) / 4 > 3 ? 3 : (x + y) / 4; });
    case kDither: return Paint([](int x, int y) { return (x + y) % 2 ? 1 : 2; });
    case kLedgeTop:
      return Paint([](int x, int y) {
        if (y == 0 || (y == 1 && x % 3 == 0)) return 3;
        return y == 7 ? 1 : 2;
      });
    case kLedgeBody: return Paint([](int x, int y) { return (x * 3 + y * 5) % 11 == 0 ? 1 : 2; });
    case kLedgeUnder:
      return Paint([](int x, int y) { return y < 2 || (y == 2 && x % 2 == 1) ? 1 : 0; });
    case kPost:
      return Paint([](int x, int) { return x == 2 ? 3 : x == 3 || x == 4 ? 2 : x == 5 ? 1 : 0; });
    case kDiamond:
      return Paint([](int x, int y) {
        const int m = std::abs(2 * x - 7) + std::abs(2 * y - 7);
        return m <= 4 ? 3 : m <= 8 ? 2 : m <= 10 ? 1 : 0;
      });
    case kSpike:
      return Paint([](int x, int y) {
        if (std::abs(2 * x - 7) > y) return 0;
        return 2 * x < 7 ? 3 : 1;
      });
    case kStripesH: return Paint([](int, int y) { return y / 2 % 4; });
    case kStripesV: return Paint([](int x, int) { return x / 2 % 4; });
    case kConveyorRight: return Conveyor(true);
    case kConveyorLeft: return Conveyor(false);
    case kChecker: return Paint([](int x, int y) { return (x / 2 + y / 2) % 2 ? 1 : 3; });
    case kCross:
      return Paint([](int x, int y) {
        const bool bar_x = x == 3 || x == 4;
        const bool bar_y = y == 3 || y == 4;
        return bar_x && bar_y ? 1 : bar_x || bar_y ? 3 : 2;
      });
    case kDemoTileBankLabel: return BankLabel(bank);
    default: break;
  }
  if (kind < kCircle) return Ladder(kind - kLadder);
  if (kind < kDiamond) return Circle(kind - kCircle);
  if (kind < kWaterBody) {
    const int ox = (kind - kWaveSurface) * 8;
    return Paint([&](int x, int y) {
      const int crest = kWaveCrest[ox + x];
      return y < crest ? 0 : y == crest ? 3 : y == crest + 1 ? 2 : 1;
    });
  }
  if (kind < kConveyorRight) {
    return Paint([&](int x, int y) { return (x + 2 * y + kind) % 7 == 0 ? 2 : 1; });
  }
  if (kind >= kNoise && kind < kDemoTileBankLabel) return Noise(bank, kind);
  throw std::logic_error("unknown demo tile kind");
}

bool IsDecorative(int kind) {
  return (kind >= kGradientV && kind <= kDither) || (kind >= kCircle && kind <= kStripesV) ||
         kind == kChecker || kind == kCross || (kind >= kNoise && kind < kDemoTileBankLabel);
}

}  // namespace

TilePixels DemoTileArt::Draw(int bank, int kind) {
  const TilePixels pixels = DrawUnturned(bank, kind);
  return IsDecorative(kind) ? TurnColours(pixels, bank) : pixels;
}

std::array<std::uint8_t, 16> DemoTileArt::Encode(const TilePixels& pixels) {
  std::array<std::uint8_t, 16> bytes{};
  for (int y = 0; y < 8; ++y) {
    for (int x = 0; x < 8; ++x) {
      const int bit = 7 - x;
      bytes[y] |= static_cast<std::uint8_t>((pixels[y][x] & 1) << bit);
      bytes[y + 8] |= static_cast<std::uint8_t>(((pixels[y][x] >> 1) & 1) << bit);
    }
  }
  return bytes;
}

void DemoTileArt::FillChr(std::span<std::uint8_t> chr) {
  const std::size_t tile_count = chr.size() / 16;
  for (std::size_t t = 0; t < tile_count; ++t) {
    const int bank = static_cast<int>(t / kDemoTilesPerBank);
    const int kind = static_cast<int>(t % kDemoTilesPerBank);
    const auto bytes = Encode(Draw(bank, kind));
    std::copy(bytes.begin(), bytes.end(), chr.begin() + static_cast<std::ptrdiff_t>(t * 16));
  }
}

}  // namespace zantor
