#include "tools/demo_icon.h"

#include <gtest/gtest.h>

#include <QImage>

#include "graphics/png_file.h"

namespace zantor {
namespace {

TEST(Icon, EveryScaleDecodesToTheSamePictureInBlocksOfScalePixels) {
  const std::vector<std::uint32_t> base = DemoIcon::Draw(1);
  for (const int scale : {1, 4}) {
    const int side = DemoIcon::kSide * scale;
    const auto png = EncodePng(side, side, DemoIcon::Draw(scale));
    QImage decoded;
    ASSERT_TRUE(decoded.loadFromData(png.data(), static_cast<int>(png.size()), "PNG"));
    ASSERT_EQ(decoded.size(), QSize(side, side));
    int wrong = 0;
    for (int y = 0; y < side; ++y) {
      for (int x = 0; x < side; ++x) {
        const std::uint32_t c = base[(y / scale) * DemoIcon::kSide + x / scale];
        wrong += decoded.pixel(x, y) != qRgb(c & 0xFF, (c >> 8) & 0xFF, c >> 16);
      }
    }
    EXPECT_EQ(wrong, 0) << scale;
  }
}

}  // namespace
}  // namespace zantor
