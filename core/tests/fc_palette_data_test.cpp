#include "core/fc_palette_data.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "core/testing/recording_sinks.h"

namespace zantor {
namespace {

namespace fs = std::filesystem;

// A palette file in the temporary directory, removed again at the end of the test.
class PaletteFile {
 public:
  PaletteFile(const std::string& name, const std::vector<std::uint8_t>& bytes)
      : path_(fs::temp_directory_path() / name) {
    std::ofstream out(path_, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
  }
  ~PaletteFile() { fs::remove(path_); }
  const fs::path& Path() const { return path_; }

 private:
  fs::path path_;
};

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
  const PaletteFile file("zantor_palette_ok.pal", bytes);
  testing::RecordingNotifier notifier;
  FcPaletteData palette;
  ASSERT_TRUE(palette.Load(file.Path(), notifier));
  EXPECT_TRUE(notifier.messages.empty());
  EXPECT_EQ(palette.GetColor(0), 0x8000FFu);
  EXPECT_EQ(palette.GetColor(0x3F), 0xBD7E3Fu);  // 63, 126, 189
  EXPECT_EQ(palette.GetColor(0x21), 0x634221u);
}

TEST(MasterPaletteLoading, WrongSizesAreRefusedWithTheSizeMessage) {
  for (const std::size_t size : {std::size_t{0}, std::size_t{191}, std::size_t{193}}) {
    auto bytes = CountingTriples();
    bytes.resize(size, 0x55);
    const PaletteFile file("zantor_palette_size.pal", bytes);
    testing::RecordingNotifier notifier;
    FcPaletteData palette;
    EXPECT_FALSE(palette.Load(file.Path(), notifier)) << size;
    ASSERT_EQ(notifier.messages.size(), 1u) << size;
    EXPECT_EQ(notifier.messages[0], file.Path().string() + "のサイズが不正です");
  }
}

TEST(MasterPaletteLoading, MissingFileOrFolderGivesTheReadMessageWithTheNameAsGiven) {
  testing::RecordingNotifier notifier;
  FcPaletteData palette;
  EXPECT_FALSE(palette.Load("no_such_palette_here.pal", notifier));
  EXPECT_FALSE(palette.Load(fs::temp_directory_path(), notifier));
  ASSERT_EQ(notifier.messages.size(), 2u);
  EXPECT_EQ(notifier.messages[0], "no_such_palette_here.palが読み込めませんでした");
  EXPECT_EQ(notifier.messages[1], fs::temp_directory_path().string() + "が読み込めませんでした");
}

TEST(MasterPaletteLoading, AFailedReloadKeepsTheColoursItHad) {
  const PaletteFile good("zantor_palette_keep.pal", CountingTriples());
  const PaletteFile bad("zantor_palette_short.pal", std::vector<std::uint8_t>(10, 0xEE));
  testing::RecordingNotifier notifier;
  FcPaletteData palette;
  ASSERT_TRUE(palette.Load(good.Path(), notifier));
  EXPECT_FALSE(palette.Load(bad.Path(), notifier));
  EXPECT_EQ(palette.GetColor(1), 0x030201u);
}

TEST(MasterPaletteLookup, NumbersOutsideTheTableUseTheirLowSixBits) {
  const PaletteFile file("zantor_palette_mask.pal", CountingTriples());
  testing::RecordingNotifier notifier;
  FcPaletteData palette;
  ASSERT_TRUE(palette.Load(file.Path(), notifier));
  EXPECT_EQ(palette.GetColor(0x40), palette.GetColor(0x00));
  EXPECT_EQ(palette.GetColor(0x7F), palette.GetColor(0x3F));
  EXPECT_EQ(palette.GetColor(0xFF), palette.GetColor(0x3F));
  EXPECT_EQ(palette.GetColor(0x41), 0x030201u);
  EXPECT_EQ(palette.GetColor(-1), palette.GetColor(0x3F));
}

}  // namespace
}  // namespace zantor
