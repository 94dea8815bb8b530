#include "core/image_bytes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <utility>
#include <vector>

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

TEST(ImageBytes, ClearFromCountsTheNonZeroBytesItClears) {
  const struct {
    const char* name;
    std::vector<std::pair<std::int64_t, std::uint8_t>> writes;
    std::int64_t from;
    std::int64_t counted;
  } cases[] = {
      {"nothing written", {}, 0, 0},
      {"all before the start", {{10, 1}, {99, 2}}, 100, 0},
      {"zeros written count nothing", {{200, 0}, {300000, 0}}, 100, 0},
      {"one byte per word, words apart", {{101, 1}, {109, 0x80}, {117, 0xFF}}, 100, 3},
      {"a whole word",
       {{104, 1}, {105, 2}, {106, 3}, {107, 4}, {108, 5}, {109, 6}, {110, 7}, {111, 8}},
       100,
       8},
      {"across a run of zeros, up to the last byte",
       {{100, 0x01}, {70000, 0x40}, {ImageBytes::kCapacity - 1, 0x02}},
       100,
       3},
      {"the start itself, before it not", {{99, 9}, {100, 9}}, 100, 1},
      {"from a negative offset", {{0, 5}, {7, 5}}, -5, 2},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ImageBytes bytes;
    for (const auto& [offset, value] : c.writes) bytes.Write(offset, value);
    EXPECT_EQ(bytes.ClearFrom(c.from), c.counted);
    EXPECT_LE(bytes.WrittenEnd(), std::max<std::int64_t>(c.from, 0));
    for (const auto& [offset, value] : c.writes) {
      EXPECT_EQ(bytes.Read(offset), offset < c.from ? value : 0) << offset;
    }
    EXPECT_EQ(bytes.ClearFrom(c.from), 0) << "cleared already";
  }
}

TEST(ImageBytes, ABlockGivenBackComesAgainCleared) {
  const std::uint8_t* first = nullptr;
  {
    ImageBytes bytes;
    bytes.WriteBlock(5000, std::array<std::uint8_t, 3>{1, 2, 3});
    bytes.Write(ImageBytes::kCapacity - 1, 4);
    first = bytes.Data();
  }
  ImageBytes again;
  EXPECT_EQ(again.Data(), first) << "the spare block is taken";
  EXPECT_EQ(again.WrittenEnd(), 0);
  EXPECT_EQ(again.Read(5001), 0);
  EXPECT_EQ(again.Read(ImageBytes::kCapacity - 1), 0);
}

}  // namespace
}  // namespace zantor
