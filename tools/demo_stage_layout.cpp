#include "tools/demo_stage_layout.h"

#include "tools/demo_image.h"
#include "tools/demo_random.h"

namespace zantor {

namespace {

// The first 32 16x16 chips; chips 20..BF repeat them as variants v = 1..5 that take
// their tiles from another quarter of the tile numbers (another CHR bank) and turn the
// palette. Tiles are bank-local kinds (quarter 0), except the label chip's.
struct Chip16Design {
  std::array<std::uint8_t, 4> tiles;
  std::uint8_t attribute;  // high nibble of the property byte
  std::uint8_t palette;
};

constexpr std::array<Chip16Design, 32> kChip16Designs = {{
    {{0x00, 0x00, 0x00, 0x00}, 0x0, 0},  // 0 empty
    {{0x1C, 0x1C, 0x1C, 0x1C}, 0x0, 0},  // 1 sky gradient
    {{0x1F, 0x1F, 0x1F, 0x1F}, 0x0, 1},  // 2 dither
    {{0x38, 0x39, 0x3A, 0x3B}, 0x0, 2},  // 3 dirt
    {{0x28, 0x29, 0x2A, 0x2B}, 0x0, 3},  // 4 disc
    {{0x2C, 0x2C, 0x2C, 0x2C}, 0x0, 1},  // 5 diamonds
    {{0x2E, 0x2E, 0x2F, 0x2F}, 0x0, 2},  // 6 stripes
    {{0x27, 0x27, 0x27, 0x27}, 0x6, 0},  // 7 pillar in front
    {{0x14, 0x15, 0x16, 0x17}, 0x1, 1},  // 8 bricks
    {{0x15, 0x14, 0x17, 0x16}, 0x1, 2},  // 9 bricks, other joints
    {{0x18, 0x19, 0x1A, 0x1B}, 0x1, 3},  // 10 riveted block
    {{0x36, 0x36, 0x36, 0x36}, 0x3, 3},  // 11 special block
    {{0x24, 0x24, 0x25, 0x25}, 0x1, 1},  // 12 ledge top
    {{0x25, 0x25, 0x25, 0x25}, 0x1, 1},  // 13 ledge body
    {{0x24, 0x24, 0x3C, 0x3D}, 0x1, 2},  // 14 ground top
    {{0x3C, 0x3D, 0x3E, 0x38}, 0x1, 2},  // 15 ground
    {{0x20, 0x21, 0x20, 0x21}, 0x2, 3},  // 16 ladder
    {{0x22, 0x23, 0x20, 0x21}, 0x4, 3},  // 17 ladder top
    {{0x34, 0x34, 0x25, 0x25}, 0x5, 1},  // 18 conveyor to the right
    {{0x35, 0x35, 0x25, 0x25}, 0x7, 1},  // 19 conveyor to the left
    {{0x30, 0x31, 0x32, 0x33}, 0x8, 0},  // 20 water surface
    {{0x32, 0x33, 0x32, 0x33}, 0x8, 0},  // 21 water
    {{0x1E, 0x1E, 0x25, 0x25}, 0xD, 2},  // 22 damage floor
    {{0x00, 0x00, 0x2D, 0x2D}, 0xF, 3},  // 23 spikes
    {{0x3F, 0x7F, 0xBF, 0xFF}, 0x0, 0},  // 24 labels of the four banks in view
    {{0x37, 0x37, 0x37, 0x37}, 0x0, 2},  // 25 crosses
    {{0x1C, 0x1D, 0x1D, 0x1C}, 0x0, 3},  // 26 gradients
    {{0x2E, 0x2E, 0x2E, 0x2E}, 0x0, 1},  // 27 bands
    {{0x3B, 0x3C, 0x3D, 0x3E}, 0x1, 0},  // 28 rock
    {{0x2C, 0x2D, 0x2D, 0x2C}, 0x0, 0},  // 29 diamonds and spikes, harmless
    {{0x26, 0x26, 0x00, 0x00}, 0x0, 1},  // 30 shadow under a ledge
    {{0x27, 0x00, 0x27, 0x00}, 0x6, 2},  // 31 thin post in front
}};

// The first 32 32x32 chips, as 16x16 design numbers; chips 20..BF repeat them with the
// 16x16 chips of variant v.
// clang-format off
constexpr std::array<std::array<std::uint8_t, 4>, 32> kChip32Designs = {{
    {0, 0, 0, 0},      {1, 1, 1, 1},     {2, 2, 2, 2},     {3, 3, 3, 3},
    {4, 5, 5, 4},      {6, 6, 6, 6},     {7, 0, 7, 0},     {8, 9, 9, 8},
    {10, 10, 10, 10},  {11, 11, 11, 11}, {12, 12, 30, 30}, {14, 14, 15, 15},
    {15, 15, 15, 15},  {16, 0, 16, 0},   {17, 12, 16, 30}, {18, 18, 13, 13},
    {19, 19, 13, 13},  {20, 20, 21, 21}, {21, 21, 21, 21}, {22, 22, 15, 15},
    {0, 0, 23, 23},    {24, 24, 24, 24}, {25, 25, 25, 25}, {26, 26, 26, 26},
    {28, 28, 28, 28},  {29, 29, 29, 29}, {8, 9, 1, 1},     {12, 0, 30, 0},
    {0, 12, 0, 30},    {31, 0, 31, 0},   {16, 8, 16, 9},   {10, 10, 0, 0},
}};
// clang-format on

// 32x32 design numbers the rooms are made of.
// clang-format off
enum Room32 : int {
  kSky = 1, kDiscs = 4, kStripes = 5, kPillar = 6, kBrickWall = 7,
  kBlocks = 8, kSpecial = 9, kPlatform = 10, kFloor = 11, kLadder = 13,
  kLadderTop = 14, kConveyorRight = 15, kConveyorLeft = 16, kWaterSurface = 17,
  kWater = 18, kDamageFloor = 19, kSpikes = 20, kCrosses = 22, kGradient = 23,
  kDiamonds = 25,
  // clang-format on
};

constexpr int kDesignCount = 32;
// Six variants of the designs fill the chip numbers below the catalogue.
static_assert(6 * kDesignCount == kDemoCatalogueChip16 && 6 * kDesignCount == kDemoCatalogueChip32);

using Grid = std::array<std::array<int, 8>, 8>;  // [row][column] of 32x32 design numbers

Grid DrawRoom(int stage, int set) {
  DemoRandom random(static_cast<std::uint32_t>(stage * 64 + set + 1) * 2654435761u + 0x9E3779B9u);
  static constexpr std::array<int, 4> kBackgrounds = {0, kSky, 0, kGradient};
  static constexpr std::array<int, 5> kDecorations = {kDiscs, kStripes, kPillar, kCrosses,
                                                      kDiamonds};
  Grid grid{};
  for (auto& row : grid) {
    for (int& cell : row) {
      cell = random.Below(10) == 0 ? kDecorations[random.Below(5)] : kBackgrounds[set / 2 % 4];
    }
  }
  if (set % 5 == 0) grid[0].fill(kBlocks);
  grid[7].fill(kFloor);
  switch (set % 5) {
    case 1:
      for (int c = 1; c < 7; ++c) grid[7][c] = set % 2 ? kConveyorLeft : kConveyorRight;
      break;
    case 2: grid[7][3] = grid[7][4] = kSpikes; break;
    case 3:
      for (int c = 2; c < 6; ++c) {
        grid[6][c] = kWaterSurface;
        grid[7][c] = kWater;
      }
      break;
    case 4:
      for (int c = 2; c < 6; ++c) grid[7][c] = kDamageFloor;
      break;
    default: break;
  }
  const int platforms = 1 + set % 2;
  for (int k = 0; k < platforms; ++k) {
    const int row = 2 + 2 * k + random.Below(2);
    const int start = 1 + random.Below(3);
    const int length = 2 + random.Below(3);
    for (int c = start; c < start + length; ++c) grid[row][c] = kPlatform;
    if (set % 7 == 3) grid[row][start] = kSpecial;
    const int ladder = start + random.Below(length);
    grid[row][ladder] = kLadderTop;
    for (int r = row + 1; r < 7 && grid[r][ladder] != kWaterSurface; ++r) {
      grid[r][ladder] = grid[r][ladder] == kPlatform ? kLadderTop : kLadder;
    }
  }
  if (set % 4 == 1 || set % 4 == 3) {
    for (auto& row : grid) row[0] = kBrickWall;
  }
  if (set % 4 == 2 || set % 4 == 3) {
    for (auto& row : grid) row[7] = kBrickWall;
  }
  return grid;
}

}  // namespace

StageData::Chip16x16Block DemoStageLayout::Chip16x16() {
  StageData::Chip16x16Block tiles{};
  for (int c = 0; c < 256; ++c) {
    for (int q = 0; q < 4; ++q) {
      int tile = 0;
      if (c >= kDemoCatalogueChip16) {
        // Two digits of the chip's own number over two solid colours.
        static constexpr std::array<int, 4> kQuarterBase = {0x00, 0x40, 0x80, 0xC0};
        const std::array<int, 4> kinds = {kDemoTileDigit0 + c / 16, kDemoTileDigit0 + c % 16,
                                          kDemoTileSolid1 + c % 3, kDemoTileSolid1 + 2};
        tile = kQuarterBase[q] + kinds[q];
      } else {
        const int variant = c / kDesignCount;
        tile = (kChip16Designs[c % kDesignCount].tiles[q] + 0x40 * (variant % 4)) % 256;
      }
      tiles[q * 256 + c] = static_cast<std::uint8_t>(tile);
    }
  }
  return tiles;
}

StageData::ChipPropertyBlock DemoStageLayout::ChipProperty(int stage) {
  StageData::ChipPropertyBlock properties{};
  for (int c = 0; c < 256; ++c) {
    if (c >= kDemoCatalogueChip16) {
      properties[c] = DemoCatalogueProperty(c);
      continue;
    }
    if (c == kDemoBlankChip) continue;
    const int variant = c / kDesignCount;
    const Chip16Design& design = kChip16Designs[c % kDesignCount];
    const int kind_bits = variant >= 4 ? variant - 3 : 0;  // bits 2-3
    const int palette = (design.palette + variant + stage) % 4;
    properties[c] = static_cast<std::uint8_t>(design.attribute << 4 | kind_bits << 2 | palette);
  }
  return properties;
}

StageData::Chip32x32Block DemoStageLayout::Chip32x32() {
  StageData::Chip32x32Block chips{};
  for (int k = 0; k < 256; ++k) {
    for (int q = 0; q < 4; ++q) {
      int chip16 = 0;
      if (k >= kDemoCatalogueChip32) {
        chip16 = kDemoCatalogueChip16 + (k - kDemoCatalogueChip32 + 16 * q) % 64;
      } else {
        const int variant = k / kDesignCount;
        chip16 = kChip32Designs[k % kDesignCount][q] + kDesignCount * variant;
      }
      chips[k * 4 + q] = static_cast<std::uint8_t>(chip16);
    }
  }
  for (const auto& [copy, original] : kDemoDuplicateChip32) {
    for (int q = 0; q < 4; ++q) chips[copy * 4 + q] = chips[original * 4 + q];
  }
  return chips;
}

StageData::MapSetBlock DemoStageLayout::MapSets(int stage) {
  StageData::MapSetBlock sets{};
  for (int set = 0; set < kMapSetCount; ++set) {
    for (int cell = 0; cell < 64; ++cell) {
      int chip32 = cell;
      if (set == kDemoCatalogueMapSet) chip32 = kDemoCatalogueChip32 + cell;
      sets[set * 64 + cell] = static_cast<std::uint8_t>(chip32);
    }
    if (set == kDemoCatalogueMapSet || set == kDemoOverviewMapSet) continue;
    const Grid grid = DrawRoom(stage, set);
    const int variant = set == kDemoDuplicateMapSet ? 0 : (set + stage) % 3;
    for (int cell = 0; cell < 64; ++cell) {
      int chip32 = grid[cell / 8][cell % 8] + kDesignCount * variant;
      if (set == kDemoDuplicateMapSet) {
        for (const auto& [copy, original] : kDemoDuplicateChip32) {
          if (chip32 == original) chip32 = copy;
        }
      }
      sets[set * 64 + cell] = static_cast<std::uint8_t>(chip32);
    }
  }
  return sets;
}

std::array<std::uint8_t, kRoomCount> DemoStageLayout::Map(int stage) {
  std::array<std::uint8_t, kRoomCount> map{};
  for (int room = 0; room < kRoomCount; ++room) {
    map[room] = static_cast<std::uint8_t>(DemoMapSetOfRoom(stage, room));
  }
  return map;
}

}  // namespace zantor
