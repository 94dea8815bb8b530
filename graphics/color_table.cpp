#include "graphics/color_table.h"

#include "graphics/pixel_rect.h"

namespace zantor {

int ColorTable::CheckedIndex(int index) {
  return zantor::CheckedIndex(index, kSize, "colour table index");
}

void ColorTable::Set(int index, std::uint32_t color) {
  words_[CheckedIndex(index)] = ToShownWord(color);
  if (index >= kPairIndexes) return;
  for (int byte = 0; byte < 4; ++byte) {
    planes_[byte][index] = static_cast<std::uint8_t>(words_[index] >> (8 * byte));
  }
  for (int other = 0; other < kPairIndexes; ++other) {
    for (const int key : {index | other << 4, other | index << 4}) {
      pairs_[key] = std::uint64_t{words_[key >> 4]} << 32 | words_[key & 0x0F];
    }
  }
}

std::uint32_t ColorTable::Get(int index) const {
  return FromShownWord(words_[CheckedIndex(index)]);
}

}  // namespace zantor
