#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>

#include "core/address_data.h"
#include "core/image_bytes.h"

namespace zantor {

// The palette animation of the four sub-palettes, played from the image's tables: the
// pointer table gives each sequence's record (last frame, delay, one colour-set number
// per frame), and each colour set holds the three NES numbers for colours 1-3.
class PaletteAnimation {
 public:
  static constexpr int kSlots = 4;
  // The three NES colour numbers a slot shows from now on.
  using ColorSet = std::array<std::uint8_t, 3>;
  using Changes = std::array<std::optional<ColorSet>, kSlots>;

  PaletteAnimation(const ImageBytes& image, const AddressData& addresses);

  // Every delay counter and frame number back to 0.
  void Reset();

  // One timer tick for the four animation bytes of a palette definition. A slot animates
  // when its byte is 0x80 or above (sequence = byte & 0x7F); it advances on every
  // (delay + 1)-th tick, and a colour-set number of 0 holds it where it is. Returns the
  // new colours of the slots that advanced. Table reads outside the image read 0.
  Changes Step(std::span<const std::uint8_t, kSlots> bytes);

 private:
  struct Slot {
    int delay = 0;
    int frame = 0;
  };

  const ImageBytes& image_;
  const AddressData& addresses_;
  std::array<Slot, kSlots> slots_{};
};

}  // namespace zantor
