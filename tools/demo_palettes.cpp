#include "tools/demo_palettes.h"

#include <stdexcept>

#include "tools/demo_image.h"

namespace zantor {

namespace {

struct Script {
  int last_frame;
  int delay;
  std::vector<int> colour_sets;
};

// The published animations first; the rest vary delay and length and never freeze.
std::vector<Script> AllScripts() {
  std::vector<Script> scripts(kDemoAnimationCount);
  scripts[kDemoCycleAnimation] = {kDemoCycleLastFrame,
                                  kDemoCycleDelay,
                                  {kDemoCycleColourSets.begin(), kDemoCycleColourSets.end()}};
  scripts[1] = {3, 7, {4, 5, 6, 7}};
  scripts[kDemoFrozenAnimation] = {2, kDemoFrozenDelay, {kDemoFrozenColourSet, 0, 9}};
  scripts[3] = {0, 0, {12}};
  scripts[4] = {5, 15, {13, 14, 15, 16, 17, 18}};
  scripts[5] = {7, 2, {19, 20, 21, 22, 23, 24, 25, 26}};
  for (int n = 6; n < kDemoAnimationCount; ++n) {
    Script& script = scripts[n];
    script.last_frame = n % 4;
    script.delay = 2 + n % 9;
    for (int f = 0; f <= script.last_frame; ++f) {
      script.colour_sets.push_back(1 + (n * 3 + f) % (DemoPalettes::kColourSetCount - 1));
    }
  }
  return scripts;
}

// Colours of hue column h (1..12) in luma rows from the given one down, so the three
// entries of a sub-palette go from dark to light.
std::array<std::uint8_t, 3> Ramp(int hue, int first_row) {
  return {static_cast<std::uint8_t>(first_row * 0x10 + hue),
          static_cast<std::uint8_t>((first_row + 1) * 0x10 + hue),
          static_cast<std::uint8_t>((first_row + 2) * 0x10 + hue)};
}

}  // namespace

std::array<std::uint8_t, 64> DemoPalettes::Colours(int stage) {
  static constexpr std::array<std::uint8_t, 4> kBackdrops = {0x0F, 0x0C, 0x01, 0x08};
  std::array<std::uint8_t, 64> colours{};
  for (int s = 0; s < 4; ++s) {
    for (int p = 0; p < 4; ++p) {
      const int hue = 1 + (stage * 5 + s * 3 + p * 4) % 12;
      const std::array<std::uint8_t, 3> ramp =
          s == 0 && p == 0 ? std::array<std::uint8_t, 3>{0x00, 0x10, 0x30} : Ramp(hue, s % 2);
      colours[s * 16 + p * 4] = kBackdrops[stage % 4];
      for (int e = 1; e < 4; ++e) colours[s * 16 + p * 4 + e] = ramp[e - 1];
    }
  }
  return colours;
}

std::array<std::uint8_t, 16> DemoPalettes::AnimeBytes(int stage) {
  std::array<std::uint8_t, 16> bytes{};
  const auto at = [&bytes](const DemoAnimationSlot& slot) -> std::uint8_t& {
    return bytes[slot.definition * 4 + slot.slot];
  };
  if (stage == 0) {
    // Definition 0: one cycling slot among 00s; definition 1: the frozen one beside
    // another; definition 2: three animated slots.
    at(kDemoCycleSlot) = 0x80 | kDemoCycleAnimation;
    at(kDemoFrozenSlot) = 0x80 | kDemoFrozenAnimation;
    at({0, 1, 1}) = 0x81;
    at({0, 2, 0}) = 0x83;
    at({0, 2, 1}) = 0x84;
    at({0, 2, 2}) = 0x85;
    return bytes;
  }
  for (int s = 0; s < 4; ++s) {
    if (s == kDemoStillDefinition) continue;
    for (int p = 0; p < 4; ++p) {
      if ((stage + s + p) % 3 != 0) continue;
      bytes[s * 4 + p] = static_cast<std::uint8_t>(0x80 | (stage * 5 + s * 7 + p * 3) % 32);
    }
  }
  if (stage == kDemoStrayAnimeSlot.stage) at(kDemoStrayAnimeSlot) = kDemoStrayAnimeByte;
  return bytes;
}

std::array<std::uint8_t, 32> DemoPalettes::PointerTable() {
  std::array<std::uint8_t, 32> pointers{};
  int offset = 0;
  const std::vector<Script> scripts = AllScripts();
  for (int n = 0; n < kDemoAnimationCount; ++n) {
    pointers[n] = static_cast<std::uint8_t>(offset);
    offset += 2 + static_cast<int>(scripts[n].colour_sets.size());
  }
  if (offset > 256) throw std::logic_error("demo animation scripts exceed one-byte offsets");
  return pointers;
}

std::vector<std::uint8_t> DemoPalettes::Scripts() {
  std::vector<std::uint8_t> data;
  for (const Script& script : AllScripts()) {
    data.push_back(static_cast<std::uint8_t>(script.last_frame));
    data.push_back(static_cast<std::uint8_t>(script.delay));
    for (int set : script.colour_sets) data.push_back(static_cast<std::uint8_t>(set));
  }
  return data;
}

std::array<std::uint8_t, 3 * DemoPalettes::kColourSetCount> DemoPalettes::ColourSets() {
  std::array<std::uint8_t, 3 * kColourSetCount> sets{};
  for (int c = 0; c < kColourSetCount; ++c) {
    const auto ramp = Ramp(1 + (c * 5) % 12, c % 2);
    for (int i = 0; i < 3; ++i) sets[c * 3 + i] = ramp[i];
  }
  return sets;
}

}  // namespace zantor
