// The renderer on the demo image, checked against a plain per-pixel reading of the image's
// bytes that shares no code with the renderer.
#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <vector>

#include "core/stage_data.h"
#include "graphics/editor_graphics.h"
#include "graphics/testing/reference_pixels.h"
#include "graphics/tests/render_test_support.h"
#include "tools/demo_image.h"

namespace zantor {
namespace {

using testing::DemoBytes;
using testing::ReferenceChip16Pixel;
using testing::ReferenceChip32Pixel;
using testing::TestMasterColor;

// The demo image with one stage's tables decoded, and a renderer over it.
struct DemoStage : testing::RenderFixture {
  explicit DemoStage(int stage) {
    image.WriteBlock(0, DemoBytes());
    data = std::make_unique<StageData>(stage, addresses, image, undo_enabled);
    data->LoadAll();
    graphics.SetChrBase();
  }

  std::span<const std::uint8_t, 16> Definition(int d) const {
    return std::span<const std::uint8_t, 16>(data->BGPalette().data() + d * 16, 16);
  }
  std::span<const std::uint8_t, 4> AnimationBytes(int d) const {
    return std::span<const std::uint8_t, 4>(data->BGPaletteAnime().data() + d * 4, 4);
  }

  bool undo_enabled = true;
  std::unique_ptr<StageData> data;
};

TEST(DemoImageRendering, ChipSheetsOfEveryStageMatchTheReference) {
  for (int stage = 0; stage < 16; ++stage) {
    DemoStage demo(stage);
    const StageData& data = *demo.data;
    demo.graphics.BuildChip16Sheet(demo.graphics.Chip16Sheet(), data.BGBank(), data.Chip16x16(),
                                   data.ChipProperty());
    demo.graphics.BuildChip32Sheet(demo.graphics.Chip32Sheet(), data.Chip32x32());
    const IndexedBitmap& small = demo.graphics.Chip16Sheet();
    for (int y = 0; y < 256; ++y) {
      for (int x = 0; x < 256; ++x) {
        ASSERT_EQ(small.ScanLine(y)[x], ReferenceChip16Pixel(data, x, y))
            << "stage " << stage << " 16x16 sheet at " << x << "," << y;
      }
    }
    const IndexedBitmap& large = demo.graphics.Chip32Sheet();
    for (int y = 0; y < 512; ++y) {
      for (int x = 0; x < 512; ++x) {
        ASSERT_EQ(large.ScanLine(y)[x], ReferenceChip32Pixel(data, x, y))
            << "stage " << stage << " 32x32 sheet at " << x << "," << y;
      }
    }
  }
}

TEST(DemoImageRendering, CatalogueMapSetInTheStageColours) {
  DemoStage demo(2);
  const StageData& data = *demo.data;
  demo.graphics.SetStagePalette(demo.Definition(0));
  demo.graphics.BuildChip16Sheet(demo.graphics.Chip16Sheet(), data.BGBank(), data.Chip16x16(),
                                 data.ChipProperty());
  demo.graphics.BuildChip32Sheet(demo.graphics.Chip32Sheet(), data.Chip32x32());
  demo.graphics.RefreshChip32SheetPalette();
  const auto cells =
      std::span<const std::uint8_t, 64>(data.MapSet().data() + kDemoCatalogueMapSet * 64, 64);
  auto picture = demo.graphics.CreateDisplayPicture(256, 256);
  demo.graphics.DrawMapSet(*picture, cells);
  for (int y = 0; y < 256; ++y) {
    for (int x = 0; x < 256; ++x) {
      const int chip = cells[y / 32 * 8 + x / 32];
      const int index =
          ReferenceChip32Pixel(data, chip % 16 * 32 + x % 32, chip / 16 * 32 + y % 32);
      ASSERT_EQ(picture->Pixel(x, y), TestMasterColor(demo.Definition(0)[index])) << x << "," << y;
    }
  }
}

// The whole background colour table now.
std::array<std::uint32_t, 16> StageColours(const EditorGraphics& graphics) {
  std::array<std::uint32_t, 16> colours;
  for (int i = 0; i < 16; ++i) colours[i] = graphics.GetStageColor(i);
  return colours;
}

// The colour table with colours 1-3 of sub-palette `slot` showing colour set c, whose NES
// numbers are read from the file's bytes.
std::array<std::uint32_t, 16> WithColourSet(std::array<std::uint32_t, 16> colours,
                                            const AddressData& addresses, int slot, int c) {
  const std::size_t at = static_cast<std::size_t>(addresses.PaletteAnimationPalette() + c * 3);
  for (int k = 0; k < 3; ++k) colours[slot * 4 + 1 + k] = TestMasterColor(DemoBytes()[at + k]);
  return colours;
}

// The demo's tables drive the real stepper; the stepping rules have tests of their own.
TEST(DemoImageAnimation, CycleStepsOnEveryFourthTickThroughFramesZeroOneTwoZero) {
  DemoStage demo(kDemoCycleSlot.stage);
  const auto bytes = demo.AnimationBytes(kDemoCycleSlot.definition);
  demo.graphics.SetStagePalette(demo.Definition(kDemoCycleSlot.definition));
  const std::array<std::uint32_t, 16> stored = StageColours(demo.graphics);
  const auto frame = [&](int f) {
    return WithColourSet(stored, demo.addresses, kDemoCycleSlot.slot, kDemoCycleColourSets[f]);
  };
  ASSERT_NE(frame(0), stored);
  ASSERT_NE(frame(1), frame(0));
  ASSERT_NE(frame(2), frame(1));
  // Entry 4p and the other sub-palettes keep their stored colours throughout.
  const std::vector<std::array<std::uint32_t, 16>> expected{
      stored,   stored,   stored,   frame(0), frame(0), frame(0), frame(0), frame(1),
      frame(1), frame(1), frame(1), frame(2), frame(2), frame(2), frame(2), frame(0)};
  std::vector<bool> changed;
  std::vector<std::array<std::uint32_t, 16>> shown;
  for (int tick = 1; tick <= 16; ++tick) {
    changed.push_back(demo.graphics.StepPaletteAnimation(bytes));
    shown.push_back(StageColours(demo.graphics));
  }
  EXPECT_EQ(changed, (std::vector<bool>{false, false, false, true, false, false, false, true, false,
                                        false, false, true, false, false, false, true}));
  EXPECT_EQ(shown, expected);
}

TEST(DemoImageAnimation, FrozenSlotStaysOnItsFirstColourSet) {
  DemoStage demo(kDemoFrozenSlot.stage);
  demo.graphics.SetStagePalette(demo.Definition(kDemoFrozenSlot.definition));
  const std::array<std::uint32_t, 16> stored = StageColours(demo.graphics);
  std::array<std::uint8_t, 4> frozen{};
  const int slot = kDemoFrozenSlot.slot;
  frozen[slot] = demo.AnimationBytes(kDemoFrozenSlot.definition)[slot];
  std::vector<bool> changed;
  for (int tick = 0; tick < 12; ++tick) {
    changed.push_back(demo.graphics.StepPaletteAnimation(frozen));
  }
  EXPECT_EQ(changed, (std::vector<bool>{false, true, false, false, false, false, false, false,
                                        false, false, false, false}));
  EXPECT_EQ(StageColours(demo.graphics),
            WithColourSet(stored, demo.addresses, slot, kDemoFrozenColourSet));
}

TEST(DemoImageAnimation, StrayByteBelowEightyNeverAnimatesItsSlot) {
  DemoStage demo(kDemoStrayAnimeSlot.stage);
  const auto bytes = demo.AnimationBytes(kDemoStrayAnimeSlot.definition);
  const int slot = kDemoStrayAnimeSlot.slot;
  ASSERT_EQ(bytes[slot], kDemoStrayAnimeByte);
  demo.graphics.SetStagePalette(demo.Definition(kDemoStrayAnimeSlot.definition));
  const std::array<std::uint32_t, 16> stored = StageColours(demo.graphics);
  // Longer than the slowest animation of the demo takes to step through all its frames.
  constexpr int kTicks = 128;
  for (int tick = 1; tick <= kTicks; ++tick) {
    demo.graphics.StepPaletteAnimation(bytes);  // the other slots may animate
    for (int c = 0; c < 4; ++c) {
      ASSERT_EQ(demo.graphics.GetStageColor(slot * 4 + c), stored[slot * 4 + c]) << tick;
    }
  }
  std::array<std::uint8_t, 4> stray_only{};
  stray_only[slot] = bytes[slot];
  for (int tick = 1; tick <= kTicks; ++tick) {
    ASSERT_FALSE(demo.graphics.StepPaletteAnimation(stray_only)) << tick;
  }
}

}  // namespace
}  // namespace zantor
