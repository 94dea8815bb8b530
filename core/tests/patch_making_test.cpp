#include "core/patch_making.h"

#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <stdexcept>
#include <string>

#include "core/image_bytes.h"
#include "core/testing/patch_appliers.h"

namespace zantor {
namespace {

using testing::ApplyBps;
using testing::ApplyIps;
using Buffer = std::vector<std::uint8_t>;

constexpr std::size_t kEofOffset = 0x454F46;  // the offset whose three bytes read "EOF"
constexpr std::size_t kPastEof = 0x460000;
constexpr auto kFullImage = static_cast<std::size_t>(ImageBytes::kCapacity);

Buffer Random(std::size_t size, std::uint32_t seed) {
  Buffer bytes(size);
  std::mt19937 random(seed);
  for (auto& b : bytes) b = static_cast<std::uint8_t>(random());
  return bytes;
}

// Changes every byte of [first, first + count) to a value it did not have.
void Change(Buffer& bytes, std::size_t first, std::size_t count) {
  for (std::size_t i = first; i < first + count; ++i)
    bytes[i] = static_cast<std::uint8_t>(~bytes[i]);
}

void Fill(Buffer& bytes, std::size_t first, std::size_t count, std::uint8_t value) {
  std::fill_n(bytes.begin() + static_cast<std::ptrdiff_t>(first), count, value);
}

struct ChangeCase {
  const char* name;
  std::size_t size;
  std::function<void(Buffer&)> change;
};

const std::vector<ChangeCase>& ChangeCases() {
  static const std::vector<ChangeCase> cases = {
      {"identical buffers", kFullImage, [](Buffer&) {}},
      {"a change starting at 0x454F46", kPastEof, [](Buffer& b) { Change(b, kEofOffset, 10); }},
      {"a change starting at 0x454F47", kPastEof, [](Buffer& b) { Change(b, kEofOffset + 1, 10); }},
      {"one changed byte at 0x454F46", kPastEof, [](Buffer& b) { Change(b, kEofOffset, 1); }},
      {"a run of one value starting at 0x454F46", kPastEof,
       [](Buffer& b) { Fill(b, kEofOffset, 40, 0x00); }},
      {"a long change whose second record would start at 0x454F46", kPastEof,
       [](Buffer& b) { Change(b, kEofOffset - 0xFFFF, 0x18000); }},
      {"a change longer than 65,535 bytes", kFullImage,
       [](Buffer& b) { Change(b, 0x1000, 70000); }},
      {"a run of one value longer than 65,535 bytes", kFullImage,
       [](Buffer& b) { Fill(b, 0x30000, 150000, 0xEA); }},
      {"the first and the last byte", kFullImage,
       [](Buffer& b) {
         Change(b, 0, 1);
         Change(b, b.size() - 1, 1);
       }},
      {"one byte in a hundred, anywhere", kFullImage,
       [](Buffer& b) {
         std::mt19937 random(7);
         for (std::size_t i = 0; i < b.size() / 100; ++i) Change(b, random() % b.size(), 1);
       }},
      {"nearly equal stretches and short gaps", 4096,
       [](Buffer& b) {
         for (std::size_t at = 16; at < 4000; at += 9 + at % 7) Change(b, at, 1 + at % 3);
       }},
  };
  return cases;
}

// Each patch applies to give the target; a BPS patch is refused by a different source
// and when its own bytes were changed; identical buffers give an IPS patch of no records.
TEST(Patches, EveryPatchTurnsTheSourceIntoTheTarget) {
  for (const ChangeCase& c : ChangeCases()) {
    SCOPED_TRACE(c.name);
    const Buffer source = Random(c.size, 1);
    Buffer target = source;
    c.change(target);

    const Buffer ips = MakeIpsPatch(source, target);
    const auto applied = ApplyIps(source, ips);
    EXPECT_EQ(applied.refusal, "");
    EXPECT_TRUE(applied.bytes == target) << "IPS";
    if (source == target) {
      EXPECT_EQ(std::string(ips.begin(), ips.end()), "PATCHEOF");
    }

    Buffer bps = MakeBpsPatch(source, target);
    const auto patched = ApplyBps(source, bps);
    EXPECT_EQ(patched.refusal, "");
    EXPECT_TRUE(patched.bytes == target) << "BPS";
    Buffer other = source;
    Change(other, c.size / 2, 1);
    EXPECT_EQ(ApplyBps(other, bps).refusal, "source CRC-32");
    bps[bps.size() / 2] ^= 1;
    EXPECT_EQ(ApplyBps(source, bps).refusal, "patch CRC-32");
  }
}

TEST(Patches, BuffersOfUnequalLengthAreRefused) {
  const Buffer a(10), b(11);
  EXPECT_THROW(MakeIpsPatch(a, b), std::invalid_argument);
  EXPECT_THROW(MakeBpsPatch(a, b), std::invalid_argument);
}

}  // namespace
}  // namespace zantor
