#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

#include "core/rom_image_data.h"

namespace zantor {

// A synthetic iNES image laid out by the default address table (an AddressData built
// from an empty settings file): the program's demo and the shared test fixture. All of
// it is drawn procedurally and the result is the same on every build. The constants
// below are the facts that tests may rely on.
std::vector<std::uint8_t> BuildDemoImage();

// --- Header and size --------------------------------------------------------------
inline constexpr int kDemoPrgUnits = 16;  // header byte 4, 16 KiB each
inline constexpr int kDemoChrUnits = 8;   // header byte 5, 8 KiB each
inline constexpr std::int64_t kDemoPrgSize = kDemoPrgUnits * 16384;
inline constexpr std::int64_t kDemoChrSize = kDemoChrUnits * 8192;
inline constexpr std::int64_t kDemoChrBase = RomImageData::kHeaderSize + kDemoPrgSize;
inline constexpr std::int64_t kDemoImageSize = kDemoChrBase + kDemoChrSize;
inline constexpr int kDemoChrBankCount = kDemoChrUnits * 8;  // 1 KiB banks

// --- Tiles ------------------------------------------------------------------------
// Every 1 KiB CHR bank holds the same 64 kinds of tile; a stage's tile number t shows
// kind t mod 0x40 of bank BGBank[t / 0x80] + (t / 0x40) mod 2.
inline constexpr int kDemoTilesPerBank = 64;
inline constexpr int kDemoTileBlank = 0x00;      // all colour 0
inline constexpr int kDemoTileSolid1 = 0x01;     // 0x01..0x03: all colour 1, 2, 3
inline constexpr int kDemoTileDigit0 = 0x04;     // 0x04..0x13: hex digits 0..F
inline constexpr int kDemoTileBankLabel = 0x3F;  // the bank's number in small digits

// Each stage's two BG bank numbers: slot 0 serves tiles 00-7F, slot 1 tiles 80-FF.
// All lie inside the CHR data with room for their 2 KiB window (at most 62).
// clang-format off
inline constexpr std::array<std::array<std::uint8_t, 2>, kStageCount> kDemoBGBanks = {{
    {0, 2}, {4, 6}, {8, 10}, {12, 14}, {16, 18}, {1, 5}, {20, 22}, {24, 26},
    {28, 30}, {32, 34}, {36, 38}, {40, 42}, {44, 46}, {48, 50}, {52, 54}, {56, 62},
}};
// clang-format on

// --- Chips and map sets -------------------------------------------------------------
// 16x16 chip 0 and 32x32 chip 0 are blank (tile kind 0) with property 0.
inline constexpr int kDemoBlankChip = 0x00;
// 16x16 chips C0..FF show their own number in hex digit tiles over two solid tiles;
// their properties cover every attribute nibble, every bits 2-3 value and every
// palette number.
inline constexpr int kDemoCatalogueChip16 = 0xC0;
constexpr std::uint8_t DemoCatalogueProperty(int chip16) {
  const int j = chip16 - kDemoCatalogueChip16;
  return static_cast<std::uint8_t>(((j % 16) << 4) | ((j / 16) << 2) | ((j + j / 16) % 4));
}
// 32x32 chip C0 + j is made of the 16x16 chips C0 + (j + 16 q) mod 64, q = 0..3.
inline constexpr int kDemoCatalogueChip32 = 0xC0;
// Map set 39 shows the 32x32 chips C0..FF row by row, map set 38 the chips 00..3F.
inline constexpr int kDemoCatalogueMapSet = 39;
inline constexpr int kDemoOverviewMapSet = 38;
// 32x32 chips BE and BF are byte-for-byte copies of 07 (brick wall) and 0B (floor);
// map set 37 uses the copies where the other rooms use the originals.
// clang-format off
inline constexpr std::array<std::array<int, 2>, 2> kDemoDuplicateChip32 = {{
    {0xBE, 0x07}, {0xBF, 0x0B},
}};
// clang-format on
inline constexpr int kDemoDuplicateMapSet = 37;
// Every other map set is a room: background, a floor, walls, platforms and ladders.
constexpr int DemoMapSetOfRoom(int stage, int room) { return (3 * room + stage) % kMapSetCount; }

// Stages 11 and 15 use stage 8's and 14's 16x16 chips, chip properties, 32x32 chips
// and map sets (the default sharing). Their own places for those four blocks hold only
// this byte, so they look right only when the sharing is applied.
inline constexpr std::uint8_t kDemoUnsharedFill = 0xA5;

// --- Palettes and palette animation -------------------------------------------------
// All palette colours are valid NES numbers 00..3F other than 0D.
struct DemoAnimationSlot {
  int stage;
  int definition;
  int slot;
};
// Animation number 0: delay D = 3, last frame L = 2, colour sets 1, 2, 3. It is byte 80
// of stage 0, definition 0, slot 1 (that definition's other slots hold 00).
inline constexpr int kDemoCycleAnimation = 0;
inline constexpr int kDemoCycleDelay = 3;
inline constexpr int kDemoCycleLastFrame = 2;
inline constexpr std::array<int, 3> kDemoCycleColourSets = {1, 2, 3};
inline constexpr DemoAnimationSlot kDemoCycleSlot = {0, 0, 1};
// Animation number 2: D = 1, frames 8, 0, 9. The first step shows colour set 8; frame 1
// holds 0, so the slot freezes there. It is byte 82 of stage 0, definition 1, slot 2.
inline constexpr int kDemoFrozenAnimation = 2;
inline constexpr int kDemoFrozenDelay = 1;
inline constexpr int kDemoFrozenFrame = 1;
inline constexpr int kDemoFrozenColourSet = 8;
inline constexpr DemoAnimationSlot kDemoFrozenSlot = {0, 1, 2};
// Other delays: animation 1 has D = 7, L = 3; animation 3 D = 0, L = 0; animation 4
// D = 15, L = 5; animation 5 D = 2, L = 7. All 32 entries of the pointer table lead to
// well-formed scripts whose colour sets hold valid colours.
inline constexpr int kDemoAnimationCount = 32;
// Definition 3 of every stage has four animation bytes 00.
inline constexpr int kDemoStillDefinition = 3;
// One slot holds a byte below 80 other than 00, which the animation ignores.
inline constexpr DemoAnimationSlot kDemoStrayAnimeSlot = {13, 2, 3};
inline constexpr std::uint8_t kDemoStrayAnimeByte = 0x05;

// --- Objects ------------------------------------------------------------------------
// Objects per stage; rooms ascend, the tables end in 0xFF and the ObjectOffset table
// matches. Table bytes past the terminator are left as the image holds them.
inline constexpr std::array<int, kStageCount> kDemoObjectCounts = {
    14, 9, 125, 6, 20, 0, 11, 33, 8, 17, 5, 12, 26, 3, 40, 1,
};
inline constexpr int kDemoMostObjectsStage =
    static_cast<int>(std::max_element(kDemoObjectCounts.begin(), kDemoObjectCounts.end()) -
                     kDemoObjectCounts.begin());
inline constexpr int kDemoMostObjectsCount = kDemoObjectCounts[kDemoMostObjectsStage];
inline constexpr int kDemoStageWithoutObjects = static_cast<int>(
    std::find(kDemoObjectCounts.begin(), kDemoObjectCounts.end(), 0) - kDemoObjectCounts.begin());

}  // namespace zantor
