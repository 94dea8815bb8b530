#include "graphics/palette_animation.h"

namespace zantor {

PaletteAnimation::PaletteAnimation(const ImageBytes& image, const AddressData& addresses)
    : image_(image), addresses_(addresses) {}

void PaletteAnimation::Reset() { slots_.fill(Slot{}); }

PaletteAnimation::Changes PaletteAnimation::Step(std::span<const std::uint8_t, kSlots> bytes) {
  Changes changes;
  for (int p = 0; p < kSlots; ++p) {
    const std::uint8_t animation = bytes[p];
    if (animation < 0x80) continue;
    Slot& slot = slots_[p];
    ++slot.delay;
    const std::int64_t record =
        addresses_.PaletteAnimationData() +
        image_.Read(addresses_.PaletteAnimationPointer() + (animation & 0x7F));
    const int last_frame = image_.Read(record);
    const int delay = image_.Read(record + 1);
    if (delay >= slot.delay) continue;
    slot.delay = 0;
    const std::uint8_t color_set = image_.Read(record + 2 + slot.frame);
    if (color_set == 0) continue;
    const std::int64_t colors = addresses_.PaletteAnimationPalette() + std::int64_t{color_set} * 3;
    changes[p] = ColorSet{image_.Read(colors), image_.Read(colors + 1), image_.Read(colors + 2)};
    if (++slot.frame > last_frame) slot.frame = 0;
  }
  return changes;
}

}  // namespace zantor
