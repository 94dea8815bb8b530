#pragma once

#include <array>
#include <bit>
#include <cstdint>

namespace zantor {

// Pictures are shown straight from memory as RGBX rows (bytes R, G, B, 0xFF), so colours
// are stored as the little-endian word 0xFFBBGGRR. The API speaks the packed 0x00BBGGRR.
static_assert(std::endian::native == std::endian::little,
              "shown colours are stored as little-endian RGBX words");

inline constexpr std::uint32_t kOpaque = 0xFF000000u;

constexpr std::uint32_t ToShownWord(std::uint32_t color) { return color | kOpaque; }
constexpr std::uint32_t FromShownWord(std::uint32_t word) { return word & ~kOpaque; }

// A 256-entry colour table, all black until entries are set.
class ColorTable {
 public:
  static constexpr int kSize = 256;

  // Pixel pairs whose indexes are both below 16 (the only indexes chip pictures use) are
  // looked up at once: key = first | second << 4, the first pixel's word in the low half.
  static constexpr int kPairIndexes = 16;

  ColorTable() {
    words_.fill(kOpaque);
    pairs_.fill(std::uint64_t{kOpaque} << 32 | kOpaque);
    for (auto& plane : planes_) plane.fill(0);
    planes_[3].fill(0xFF);
  }

  // index as given when it is 0..255, else std::out_of_range.
  static int CheckedIndex(int index);

  // index 0..255, else std::out_of_range. Bits 24-31 of color are ignored.
  void Set(int index, std::uint32_t color);
  std::uint32_t Get(int index) const;

  // The shown word of an index, for copies that carry colours.
  std::uint32_t Word(std::uint8_t index) const { return words_[index]; }
  // All 256 shown words, and the 256 pair words, for loops that look up many pixels.
  const std::uint32_t* Words() const { return words_.data(); }
  const std::uint64_t* PairWords() const { return pairs_.data(); }
  // Byte k (R, G, B, X) of the shown words of indexes 0..15, one 16-byte plane per byte, for
  // lookups sixteen pixels at a time.
  using Planes = std::array<std::array<std::uint8_t, kPairIndexes>, 4>;
  const Planes& ShownPlanes() const { return planes_; }

 private:
  std::array<std::uint32_t, kSize> words_;
  std::array<std::uint64_t, kPairIndexes * kPairIndexes> pairs_;
  alignas(16) Planes planes_;
};

}  // namespace zantor
