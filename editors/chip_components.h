#pragma once

#include <QLabel>
#include <array>

#include "core/rom_image_data.h"
#include "editors/two_digit_hex.h"

namespace zantor {

// The four 16x16 chips a 32x32 chip is made of (top left, top right, bottom left, bottom
// right), as the 32x32 chip and map set tabs show them: each number in hex and the name of
// its chip attribute.
struct ChipComponentLabels {
  std::array<QLabel*, 4> numbers{};
  std::array<QLabel*, 4> attributes{};

  void Show(const RomImageData& rom, int chip32) const {
    const StageData& stage = rom.CurrentStageData();
    for (int part = 0; part < 4; ++part) {
      const int chip16 = stage.Chip32x32()[chip32 * 4 + part];
      numbers[part]->setText(TwoDigitHex(chip16));
      attributes[part]->setText(
          QString::fromStdString(rom.ChipAttributeName(stage.ChipProperty()[chip16])));
    }
  }
};

}  // namespace zantor
