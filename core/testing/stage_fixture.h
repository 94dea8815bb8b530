#pragma once

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "core/address_data.h"
#include "core/image_bytes.h"
#include "core/my_mem_ini_file.h"
#include "core/stage_data.h"

namespace zantor::testing {

// One stage over its own image buffer, with the address table of the given settings text
// and its own undo switch.
struct StageFixture {
  explicit StageFixture(int stageNumber = 0, const std::string& settings = "")
      : ini("unused.ini", settings), addresses(ini), stage(stageNumber, addresses, image, undo) {}

  // Fills [first, first + count) with a pattern that differs from byte to byte.
  void FillPattern(std::int64_t first, std::int64_t count, std::uint8_t seed = 1) {
    for (std::int64_t i = 0; i < count; ++i) {
      image.Write(first + i, static_cast<std::uint8_t>(seed + i * 7));
    }
  }
  std::vector<std::uint8_t> ImageRange(std::int64_t first, std::int64_t count) const {
    std::vector<std::uint8_t> out(static_cast<std::size_t>(count));
    image.ReadBlock(first, out);
    return out;
  }

  TMyMemIniFile ini;
  AddressData addresses;
  ImageBytes image;
  bool undo = true;
  StageData stage;
};

// Every byte of a stage's decoded blocks (objects aside), one block after the other.
inline std::vector<std::uint8_t> DecodedBytes(const StageData& stage) {
  std::vector<std::uint8_t> bytes;
  // Appended by resizing and copying: GCC 12 at -O2 warns falsely about vector::insert here.
  const auto add = [&bytes](auto block) {
    const std::size_t at = bytes.size();
    bytes.resize(at + block.size());
    std::copy(block.begin(), block.end(), bytes.begin() + static_cast<std::ptrdiff_t>(at));
  };
  add(stage.BGBank());
  add(stage.Chip16x16());
  add(stage.ChipProperty());
  add(stage.Chip32x32());
  add(stage.MapSet());
  add(stage.Map());
  add(stage.BGPalette());
  add(stage.BGPaletteAnime());
  return bytes;
}

}  // namespace zantor::testing
