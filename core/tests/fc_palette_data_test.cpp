#include "core/fc_palette_data.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/testing/recording_sinks.h"
#include "core/testing/temporary_folder.h"

namespace zantor {
namespace {

using testing::TemporaryFolder;
using testing::WriteFile;

// Triple n is (n, 2n, 3n) unless changed.
std::vector<std::uint8_t> CountingTriples() {
  std::vector<std::uint8_t> bytes(192);
  for (int n = 0; n < 64; ++n) {
    bytes[3 * n] = static_cast<std::uint8_t>(n);
    bytes[3 * n + 1] = static_cast<std::uint8_t>(2 * n);
    bytes[3 * n + 2] = static_cast<std::uint8_t>(3 * n);
  }
  return bytes;
}

TEST(MasterPaletteLoading, TriplesBecomeRedInTheLowByte) {
  auto bytes = CountingTriples();
  bytes[0] = 0xFF;
  bytes[1] = 0x00;
  bytes[2] = 0x80;
  const TemporaryFolder folder;
  WriteFile(folder.File("ok.pal"), bytes);
  testing::RecordingNotifier notifier;
  FcPaletteData palette;
  ASSERT_TRUE(palette.Load(folder.File("ok.pal"), notifier));
  EXPECT_TRUE(notifier.messages.empty());
  EXPECT_EQ(palette.GetColor(0), 0x8000FFu);
  EXPECT_EQ(palette.GetColor(0x3F), 0xBD7E3Fu);  // 63, 126, 189
  EXPECT_EQ(palette.GetColor(0x21), 0x634221u);
}

TEST(MasterPaletteLoading, WrongSizesAreRefusedWithTheSizeMessage) {
  const TemporaryFolder folder;
  const auto path = folder.File("size.pal");
  for (const std::size_t size : {std::size_t{0}, std::size_t{191}, std::size_t{193}}) {
    auto bytes = CountingTriples();
    bytes.resize(size, 0x55);
    WriteFile(path, bytes);
    testing::RecordingNotifier notifier;
    FcPaletteData palette;
    EXPECT_FALSE(palette.Load(path, notifier)) << size;
    ASSERT_EQ(notifier.messages.size(), 1u) << size;
    EXPECT_EQ(notifier.messages[0], path.string() + "のサイズが不正です");
  }
}

TEST(MasterPaletteLoading, MissingFileOrFolderGivesTheReadMessageWithTheNameAsGiven) {
  const TemporaryFolder folder;
  testing::RecordingNotifier notifier;
  FcPaletteData palette;
  EXPECT_FALSE(palette.Load("no_such_palette_here.pal", notifier));
  EXPECT_FALSE(palette.Load(folder.Path(), notifier));
  ASSERT_EQ(notifier.messages.size(), 2u);
  EXPECT_EQ(notifier.messages[0], "no_such_palette_here.palが読み込めませんでした");
  EXPECT_EQ(notifier.messages[1], folder.Path().string() + "が読み込めませんでした");
}

TEST(MasterPaletteLoading, AFailedReloadKeepsTheColoursItHad) {
  const TemporaryFolder folder;
  WriteFile(folder.File("good.pal"), CountingTriples());
  WriteFile(folder.File("short.pal"), std::vector<std::uint8_t>(10, 0xEE));
  testing::RecordingNotifier notifier;
  FcPaletteData palette;
  ASSERT_TRUE(palette.Load(folder.File("good.pal"), notifier));
  EXPECT_FALSE(palette.Load(folder.File("short.pal"), notifier));
  EXPECT_EQ(palette.GetColor(1), 0x030201u);
}

TEST(MasterPaletteLookup, NumbersOutsideTheTableUseTheirLowSixBits) {
  const TemporaryFolder folder;
  WriteFile(folder.File("mask.pal"), CountingTriples());
  testing::RecordingNotifier notifier;
  FcPaletteData palette;
  ASSERT_TRUE(palette.Load(folder.File("mask.pal"), notifier));
  EXPECT_EQ(palette.GetColor(0x40), palette.GetColor(0x00));
  EXPECT_EQ(palette.GetColor(0x7F), palette.GetColor(0x3F));
  EXPECT_EQ(palette.GetColor(0xFF), palette.GetColor(0x3F));
  EXPECT_EQ(palette.GetColor(0x41), 0x030201u);
  EXPECT_EQ(palette.GetColor(-1), palette.GetColor(0x3F));
}

}  // namespace
}  // namespace zantor
