#include "core/image_bytes.h"

#include <gtest/gtest.h>

#include <array>

namespace zantor {
namespace {

TEST(ImageBytes, AccessOutsideTheBufferReadsZeroAndWritesNothing) {
  ImageBytes bytes;
  bytes.Write(ImageBytes::kCapacity - 1, 7);
  bytes.Write(ImageBytes::kCapacity, 9);
  bytes.Write(-1, 9);
  EXPECT_EQ(bytes.Read(ImageBytes::kCapacity - 1), 7);
  EXPECT_EQ(bytes.Read(ImageBytes::kCapacity), 0);
  EXPECT_EQ(bytes.Read(-1), 0);
  EXPECT_EQ(bytes.Read(INT64_MAX), 0);
}

TEST(ImageBytes, BlocksStraddlingAnEdgeCopyOnlyTheInsidePart) {
  ImageBytes bytes;
  const std::array<std::uint8_t, 4> in{1, 2, 3, 4};
  bytes.WriteBlock(ImageBytes::kCapacity - 2, in);
  bytes.WriteBlock(-3, in);
  EXPECT_EQ(bytes.Read(0), 4);
  EXPECT_EQ(bytes.Read(1), 0);

  std::array<std::uint8_t, 4> out{9, 9, 9, 9};
  bytes.ReadBlock(ImageBytes::kCapacity - 4, out);  // the last whole block inside
  EXPECT_EQ(out, (std::array<std::uint8_t, 4>{0, 0, 1, 2}));
  bytes.ReadBlock(ImageBytes::kCapacity - 2, out);
  EXPECT_EQ(out, (std::array<std::uint8_t, 4>{1, 2, 0, 0}));
  bytes.ReadBlock(-3, out);
  EXPECT_EQ(out, (std::array<std::uint8_t, 4>{0, 0, 0, 4}));
  bytes.ReadBlock(INT64_MAX - 2, out);
  EXPECT_EQ(out, (std::array<std::uint8_t, 4>{0, 0, 0, 0}));
}

}  // namespace
}  // namespace zantor
