// The bytes as the settings file: every key the program reads, the address table built from
// it, and the demo image opened and decoded under that table, palette animation included.
// The file the program writes back at exit must read as the same settings.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "core/rom_image_data.h"
#include "core/testing/recording_sinks.h"
#include "fuzz/fuzz_check.h"
#include "fuzz/scratch_file.h"
#include "graphics/palette_animation.h"
#include "tools/demo_image.h"

namespace zantor::fuzz {
namespace {

// The window's own settings (TMainForm::StoredSettingsTable): flags and the timer interval,
// all read as integers.
struct WindowKey {
  const char* section;
  const char* key;
};
constexpr std::array<WindowKey, 6> kWindowKeys = {{
    {"ObjectEdit", "Sort"},
    {"ObjectEdit", "Popup"},
    {"32x32ChipEdit", "Grid"},
    {"MapSetEdit", "Grid"},
    {"Timer", "Interval"},
    {"Undo", "Enabled"},
}};

std::array<int, kWindowKeys.size()> ReadWindowKeys(const TMyMemIniFile& ini) {
  std::array<int, kWindowKeys.size()> values{};
  for (std::size_t i = 0; i < kWindowKeys.size(); ++i) {
    values[i] = ini.ReadInteger(kWindowKeys[i].section, kWindowKeys[i].key, -1);
  }
  return values;
}

bool SameAddresses(const AddressData& a, const AddressData& b) {
  for (int stage = 0; stage < kStageCount; ++stage) {
    if (a.ShareSource(stage) != b.ShareSource(stage)) return false;
    for (int block = 0; block < kLevelBlockCount; ++block) {
      if (a.Address(static_cast<LevelBlock>(block), stage) !=
          b.Address(static_cast<LevelBlock>(block), stage)) {
        return false;
      }
    }
  }
  return a.PaletteAnimationPointer() == b.PaletteAnimationPointer() &&
         a.PaletteAnimationData() == b.PaletteAnimationData() &&
         a.PaletteAnimationPalette() == b.PaletteAnimationPalette();
}

// Every definition of every stage played for a while, so that the tables are read at
// each slot's records and colour sets.
void PlayPaletteAnimations(const RomImageData& rom) {
  PaletteAnimation animation(rom.Bytes(), rom.Addresses());
  for (int stage = 0; stage < kStageCount; ++stage) {
    const auto bytes = rom.Stage(stage).BGPaletteAnime();
    for (int definition = 0; definition < 4; ++definition) {
      animation.Reset();
      const auto slots =
          bytes.subspan(definition * PaletteAnimation::kSlots).first<PaletteAnimation::kSlots>();
      for (int tick = 0; tick < 32; ++tick) animation.Step(slots);
    }
  }
}

}  // namespace
}  // namespace zantor::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace zantor;
  using namespace zantor::fuzz;
  // Built once; each input opens a copy of its bytes.
  static const std::vector<std::uint8_t> demo = BuildDemoImage();
  static ScratchFile settingsFile("zantor-fuzz-settings");

  TMyMemIniFile settings(settingsFile.Write(data, size));
  const auto windowValues = ReadWindowKeys(settings);

  testing::RecordingStatusText status;
  EditFlagManagement flags(status);
  const std::vector<std::string> attributeNames;
  testing::RecordingNotifier notifier;
  RomImageData rom(flags, attributeNames, settings, notifier);
  for (int stage = 0; stage < kStageCount; ++stage) {
    const int source = rom.Addresses().ShareSource(stage);
    FUZZ_CHECK(source >= 0 && source < kStageCount);
  }
  rom.SetUndoEnabled(settings.ReadBool("Undo", "Enabled", true));
  FUZZ_CHECK(rom.OpenBytes(demo, "demo.nes"));
  PlayPaletteAnimations(rom);

  // The file as written at exit, read at the next start.
  TMyMemIniFile again(settingsFile.Path(), settings.Text());
  FUZZ_CHECK(ReadWindowKeys(again) == windowValues);
  FUZZ_CHECK(SameAddresses(AddressData(again), rom.Addresses()));
  return 0;
}
