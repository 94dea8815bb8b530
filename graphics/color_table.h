#pragma once

#include <array>
#include <bit>
#include <cstdint>

namespace zantor {

// Pictures are shown straight from memory in the toolkit's own 32-bit order, the word
// 0xFFRRGGBB, which it blits without converting a pixel. Each colour is turned into that
// order once, where a table entry is set; the API speaks the packed 0x00BBGGRR.
static_assert(std::endian::native == std::endian::little,
              "the byte planes of the shown words are laid out for little-endian words");

inline constexpr std::uint32_t kOpaque = 0xFF000000u;

// Red and blue change places; the same swap turns a shown word back.
constexpr std::uint32_t SwapRedAndBlue(std::uint32_t value) {
  return (value & 0xFFu) << 16 | (value & 0xFF00u) | (value >> 16 & 0xFFu);
}
constexpr std::uint32_t ToShownWord(std::uint32_t color) { return SwapRedAndBlue(color) | kOpaque; }
constexpr std::uint32_t FromShownWord(std::uint32_t word) { return SwapRedAndBlue(word); }

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
  // Byte k (B, G, R, X in memory) of the shown words of indexes 0..15, one 16-byte plane per byte, for
  // lookups sixteen pixels at a time.
  using Planes = std::array<std::array<std::uint8_t, kPairIndexes>, 4>;
  const Planes& ShownPlanes() const { return planes_; }

 private:
  std::array<std::uint32_t, kSize> words_;
  std::array<std::uint64_t, kPairIndexes * kPairIndexes> pairs_;
  alignas(16) Planes planes_;
};

}  // namespace zantor
