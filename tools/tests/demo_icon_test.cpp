#include "tools/demo_icon.h"

#include <gtest/gtest.h>

#include <QImage>
#include <set>
#include <stdexcept>

#include "tools/png_file.h"

namespace zantor {
namespace {

TEST(Icon, EveryScaleDecodesToTheSamePictureInBlocksOfScalePixels) {
  const std::vector<std::uint32_t> base = DemoIcon::Draw(1);
  // The picture of a room corner, not a plain fill.
  EXPECT_GE(std::set<std::uint32_t>(base.begin(), base.end()).size(), 6u);
  // Scale 4 needs more than one stored block.
  for (const int scale : {1, 2, 4}) {
    const int side = DemoIcon::kSide * scale;
    const auto png = EncodePng(side, side, DemoIcon::Draw(scale));
    QImage decoded;
    ASSERT_TRUE(decoded.loadFromData(png.data(), static_cast<int>(png.size()), "PNG")) << scale;
    ASSERT_EQ(decoded.size(), QSize(side, side));
    int wrong = 0;
    for (int y = 0; y < side; ++y) {
      for (int x = 0; x < side; ++x) {
        const std::uint32_t c = base[(y / scale) * DemoIcon::kSide + x / scale];
        if (decoded.pixel(x, y) != qRgb(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF)) ++wrong;
      }
    }
    EXPECT_EQ(wrong, 0) << scale;
  }
}

TEST(Icon, PixelsThatDoNotFillThePictureAreRefused) {
  EXPECT_THROW(EncodePng(2, 2, std::vector<std::uint32_t>(3)), std::invalid_argument);
  EXPECT_THROW(EncodePng(0, 0, {}), std::invalid_argument);
}

}  // namespace
}  // namespace zantor
