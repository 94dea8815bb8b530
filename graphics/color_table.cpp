#include "graphics/color_table.h"

#include <stdexcept>
#include <string>

namespace zantor {

namespace {

int CheckedIndex(int index) {
  if (index < 0 || index >= ColorTable::kSize) {
    throw std::out_of_range("colour table index " + std::to_string(index) + " outside 0..255");
  }
  return index;
}

}  // namespace

void ColorTable::Set(int index, std::uint32_t color) {
  words_[CheckedIndex(index)] = ToShownWord(color);
}

std::uint32_t ColorTable::Get(int index) const {
  return FromShownWord(words_[CheckedIndex(index)]);
}

}  // namespace zantor
