#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "core/my_mem_ini_file.h"
#include "graphics/editor_graphics.h"
#include "graphics/tests/render_test_support.h"

namespace zantor {
namespace {

using testing::RenderFixture;
using testing::TestMasterColor;

// Table addresses chosen for these tests (inside the image, away from each other).
constexpr std::int64_t kPointer = 0x30000;
constexpr std::int64_t kData = 0x30100;
constexpr std::int64_t kSets = 0x30400;
const char* const kTables =
    "[Address]\nPaletteAnimationPointer=30000\nPaletteAnimationData=30100\n"
    "PaletteAnimationPalette=30400\n";

// Sequence n's record at offset `at` of the data table: last frame, delay, sets.
void PutSequence(ImageBytes& image, int n, std::uint8_t at, std::uint8_t last_frame,
                 std::uint8_t delay, const std::vector<std::uint8_t>& sets) {
  image.Write(kPointer + n, at);
  image.Write(kData + at, last_frame);
  image.Write(kData + at + 1, delay);
  for (std::size_t i = 0; i < sets.size(); ++i) image.Write(kData + at + 2 + i, sets[i]);
}

// Colour set c replaces colours 1-3 by NES numbers c*4+1 .. c*4+3 (mod 64).
void PutColourSets(ImageBytes& image) {
  for (int c = 0; c < 16; ++c) {
    for (int k = 0; k < 3; ++k)
      image.Write(kSets + c * 3 + k, static_cast<std::uint8_t>(c * 4 + 1 + k));
  }
}

struct AnimationFixture : RenderFixture {
  AnimationFixture() : RenderFixture(kTables) {
    PutColourSets(image);
    std::array<std::uint8_t, 16> numbers{};
    // Descending numbers: no sub-palette looks like a colour set of PutColourSets.
    for (int i = 0; i < 16; ++i) numbers[i] = static_cast<std::uint8_t>(0x2F - i);
    graphics.SetStagePalette(numbers);
  }
  // Which colour set sub-palette p shows now (-1: its stored colours).
  int SetShown(int p) const {
    for (int c = 0; c < 16; ++c) {
      bool all = true;
      for (int k = 0; k < 3; ++k) {
        all = all && graphics.GetStageColor(p * 4 + 1 + k) == TestMasterColor(c * 4 + 1 + k);
      }
      if (all) return c;
    }
    return -1;
  }
  std::vector<bool> Ticks(const std::array<std::uint8_t, 4>& bytes, int count) {
    std::vector<bool> changed;
    for (int i = 0; i < count; ++i) changed.push_back(graphics.StepPaletteAnimation(bytes));
    return changed;
  }
};

TEST(PaletteAnimationRule, DelayThreeStepsOnEveryFourthTickAndTwoLastCyclesThreeFrames) {
  AnimationFixture f;
  PutSequence(f.image, 5, 0x10, 2, 3, {7, 8, 9});
  const std::array<std::uint8_t, 4> bytes{0x85, 0x00, 0x00, 0x00};
  std::vector<int> shown;
  std::vector<bool> changed;
  for (int tick = 1; tick <= 16; ++tick) {
    changed.push_back(f.graphics.StepPaletteAnimation(bytes));
    shown.push_back(f.SetShown(0));
  }
  EXPECT_EQ(changed, (std::vector<bool>{false, false, false, true, false, false, false, true, false,
                                        false, false, true, false, false, false, true}));
  EXPECT_EQ(shown, (std::vector<int>{-1, -1, -1, 7, 7, 7, 7, 8, 8, 8, 8, 9, 9, 9, 9, 7}));
}

TEST(PaletteAnimationRule, ColourZeroOfEverySubPaletteAndOtherSlotsStayPut) {
  AnimationFixture f;
  PutSequence(f.image, 1, 0x00, 0, 0, {3});
  f.Ticks({0x81, 0x81, 0x81, 0x81}, 1);
  for (int p = 0; p < 4; ++p) {
    EXPECT_EQ(f.graphics.GetStageColor(p * 4), TestMasterColor(0x2F - p * 4)) << p;
    EXPECT_EQ(f.SetShown(p), 3) << p;
  }
}

TEST(PaletteAnimationRule, BytesFromEightyAnimateTheSequenceOfTheirLowSevenBits) {
  AnimationFixture f;
  PutSequence(f.image, 5, 0x10, 0, 0, {4});
  PutSequence(f.image, 0x7F, 0x40, 0, 0, {11});
  const std::vector<bool> changed = f.Ticks({0x05, 0x7F, 0xFF, 0x85}, 3);
  EXPECT_EQ(changed, (std::vector<bool>{true, true, true}));
  EXPECT_EQ(f.SetShown(0), -1);
  EXPECT_EQ(f.SetShown(1), -1);
  EXPECT_EQ(f.SetShown(2), 11);
  EXPECT_EQ(f.SetShown(3), 4);
  EXPECT_EQ(f.Ticks({0x05, 0x7F, 0x00, 0x00}, 2), (std::vector<bool>{false, false}));
}

TEST(PaletteAnimationRule, ASetNumberOfZeroFreezesItsSlot) {
  AnimationFixture f;
  PutSequence(f.image, 2, 0x00, 2, 0, {5, 0, 6});
  PutSequence(f.image, 3, 0x10, 1, 0, {9, 10});
  const std::array<std::uint8_t, 4> bytes{0x82, 0x83, 0x00, 0x00};
  EXPECT_TRUE(f.graphics.StepPaletteAnimation(bytes));
  EXPECT_EQ(f.SetShown(0), 5);
  for (int tick = 0; tick < 5; ++tick) {
    EXPECT_TRUE(f.graphics.StepPaletteAnimation(bytes));  // slot 1 keeps cycling
    EXPECT_EQ(f.SetShown(0), 5);                          // slot 0 stays on frame 1
  }
  EXPECT_EQ(f.Ticks({0x82, 0x00, 0x00, 0x00}, 3), (std::vector<bool>{false, false, false}));
}

TEST(PaletteAnimationRule, ResetStartsEverySlotOverAndStoredColoursReturnOnlyWhenSet) {
  AnimationFixture f;
  PutSequence(f.image, 5, 0x10, 2, 1, {7, 8, 9});
  const std::array<std::uint8_t, 4> bytes{0x85, 0x00, 0x00, 0x00};
  f.Ticks(bytes, 3);  // tick 2 shows frame 0; tick 3 counts towards frame 1
  EXPECT_EQ(f.SetShown(0), 7);
  f.graphics.ResetPaletteAnimation();
  EXPECT_EQ(f.SetShown(0), 7);  // a reset keeps the animated colours
  EXPECT_EQ(f.Ticks(bytes, 2), (std::vector<bool>{false, true}));
  EXPECT_EQ(f.SetShown(0), 7);  // frame 0 again, not frame 1
}

TEST(PaletteAnimationBounds, RecordRunningPastTheBufferReadsZero) {
  const std::int64_t last = ImageBytes::kCapacity - 1;
  ASSERT_EQ(last - 2, 0x20003D);  // the data table below
  RenderFixture f(
      "[Address]\nPaletteAnimationPointer=30000\nPaletteAnimationData=20003D\n"
      "PaletteAnimationPalette=30400\n");
  PutColourSets(f.image);
  f.image.Write(kPointer + 1, 0);  // sequence 1 at the data table's start
  f.image.Write(last - 2, 1);      // last frame 1
  f.image.Write(last - 1, 0);      // no delay
  f.image.Write(last, 2);          // frame 0 uses set 2; frame 1 lies past the end
  const std::array<std::uint8_t, 4> bytes{0x81, 0x00, 0x00, 0x00};
  EXPECT_TRUE(f.graphics.StepPaletteAnimation(bytes));
  EXPECT_EQ(f.graphics.GetStageColor(1), TestMasterColor(9));
  EXPECT_FALSE(f.graphics.StepPaletteAnimation(bytes));
  EXPECT_FALSE(f.graphics.StepPaletteAnimation(bytes));
}

// Colours 1-3 of sub-palette p as NES numbers of the test palette (-1: none).
std::array<int, 3> ShownNumbers(const EditorGraphics& graphics, int p) {
  std::array<int, 3> numbers{-1, -1, -1};
  for (int c = 0; c < 3; ++c) {
    for (int n = 0; n < 64; ++n) {
      if (graphics.GetStageColor(p * 4 + 1 + c) == TestMasterColor(n)) numbers[c] = n;
    }
  }
  return numbers;
}

TEST(PaletteAnimationBounds, PointerTableOutsideTheBufferReadsZero) {
  const std::int64_t end = ImageBytes::kCapacity;
  for (const std::int64_t pointer : {std::int64_t{0xFFFFFFFF}, end - 2}) {
    RenderFixture f("[Address]\nPaletteAnimationPointer=" + FormatHex(pointer) +
                    "\nPaletteAnimationData=30100\nPaletteAnimationPalette=30400\n");
    ASSERT_EQ(f.addresses.PaletteAnimationPointer(), pointer);
    PutColourSets(f.image);
    f.image.Write(end - 1, 0x10);  // sequence 1 of the table two bytes before the end
    // Records of one frame without delay: set 2 at offset 0, set 3 at offset 0x10.
    f.image.WriteBlock(kData, std::array<std::uint8_t, 3>{0, 0, 2});
    f.image.WriteBlock(kData + 0x10, std::array<std::uint8_t, 3>{0, 0, 3});
    // Only sequence 1's pointer, in the table two bytes before the end, lies inside the
    // buffer; every other pointer reads 0 and leads to the record at offset 0.
    const std::array<std::uint8_t, 4> bytes{0x81, 0x82, 0x85, 0};
    EXPECT_TRUE(f.graphics.StepPaletteAnimation(bytes));
    EXPECT_EQ(ShownNumbers(f.graphics, 0), pointer == end - 2 ? (std::array<int, 3>{13, 14, 15})
                                                              : (std::array<int, 3>{9, 10, 11}));
    EXPECT_EQ(ShownNumbers(f.graphics, 1), (std::array<int, 3>{9, 10, 11}));
    EXPECT_EQ(ShownNumbers(f.graphics, 2), (std::array<int, 3>{9, 10, 11}));
  }
}

TEST(PaletteAnimationBounds, ColourSetsOutsideTheBufferReadZero) {
  const std::int64_t end = ImageBytes::kCapacity;
  for (const std::int64_t palette : {std::int64_t{0xFFFFFFFF}, end - 4}) {
    RenderFixture f(
        "[Address]\nPaletteAnimationPointer=30000\nPaletteAnimationData=30100\n"
        "PaletteAnimationPalette=" +
        FormatHex(palette) + "\n");
    ASSERT_EQ(f.addresses.PaletteAnimationPalette(), palette);
    f.image.Write(end - 1, 0x21);  // colour 1 of set 1 when the sets start 4 bytes before
    f.image.WriteBlock(kData, std::array<std::uint8_t, 3>{0, 0, 1});  // set 1, at once
    const std::array<std::uint8_t, 4> bytes{0x80, 0, 0, 0};
    EXPECT_TRUE(f.graphics.StepPaletteAnimation(bytes));
    EXPECT_EQ(ShownNumbers(f.graphics, 0),
              (std::array<int, 3>{palette == end - 4 ? 0x21 : 0, 0, 0}));
  }
}

}  // namespace
}  // namespace zantor
