// The bytes as an image file: opened, and when it opens, every group of every stage is
// stored and saved, the saved file holds the bytes SavedBytes gave, and it opens to the same
// stages.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "core/rom_image_data.h"
#include "core/testing/recording_sinks.h"
#include "fuzz/fuzz_check.h"
#include "fuzz/scratch_file.h"

namespace zantor::fuzz {
namespace {

// An image object under the default address table (an empty settings file), as the
// program has it without a settings file. Kept from input to input: each one allocates the
// whole image buffer.
struct OpenedImage {
  testing::RecordingStatusText status;
  EditFlagManagement flags{status};
  std::vector<std::string> attributeNames;
  TMyMemIniFile settings{"unused.ini", ""};
  testing::RecordingNotifier notifier;
  RomImageData rom{flags, attributeNames, settings, notifier};
};

void CheckSameStage(const StageData& a, const StageData& b) {
  const auto same = [](auto x, auto y) {
    return std::equal(x.begin(), x.end(), y.begin(), y.end());
  };
  FUZZ_CHECK(same(a.BGBank(), b.BGBank()));
  FUZZ_CHECK(same(a.Chip16x16(), b.Chip16x16()));
  FUZZ_CHECK(same(a.ChipProperty(), b.ChipProperty()));
  FUZZ_CHECK(same(a.Chip32x32(), b.Chip32x32()));
  FUZZ_CHECK(same(a.MapSet(), b.MapSet()));
  FUZZ_CHECK(same(a.Map(), b.Map()));
  FUZZ_CHECK(same(a.BGPalette(), b.BGPalette()));
  FUZZ_CHECK(same(a.BGPaletteAnime(), b.BGPaletteAnime()));
  for (int room = 0; room < kRoomCount; ++room) {
    const auto sameEntry = [](const ObjectEntry& x, const ObjectEntry& y) {
      return x.X == y.X && x.Y == y.Y && x.Kind == y.Kind;
    };
    FUZZ_CHECK(std::equal(a.Room(room).begin(), a.Room(room).end(), b.Room(room).begin(),
                          b.Room(room).end(), sameEntry));
  }
}

}  // namespace
}  // namespace zantor::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace zantor;
  using namespace zantor::fuzz;
  static ScratchFile input("zantor-fuzz-image");
  static ScratchFile saved("zantor-fuzz-saved");
  static OpenedImage image;
  static OpenedImage reopened;

  // Short images are told of at every open and save: only this input's messages are kept.
  image.notifier.messages.clear();
  reopened.notifier.messages.clear();
  image.rom.Close();
  const bool opened = image.rom.Open(input.Write(data, size));
  FUZZ_CHECK(opened == image.rom.IsOpen());
  if (!opened) return 0;
  FUZZ_CHECK(image.rom.Size() == static_cast<std::int64_t>(size));

  for (int stage = 0; stage < kStageCount; ++stage) {
    for (int group = 0; group < EditFlagManagement::kGroupCount; ++group) {
      image.flags.SetGroup(static_cast<EditFlagManagement::Group>(group), stage, true);
    }
  }
  // The bytes a patch is made from are those the save writes.
  const std::vector<std::uint8_t> expected = image.rom.SavedBytes();
  FUZZ_CHECK(image.rom.Save(saved.Path()));

  FUZZ_CHECK(reopened.rom.Open(saved.Path()));
  FUZZ_CHECK(reopened.rom.Size() == image.rom.Size());
  FUZZ_CHECK(std::equal(expected.begin(), expected.end(), reopened.rom.Bytes().Data(),
                        reopened.rom.Bytes().Data() + reopened.rom.Size()));
  for (int stage = 0; stage < kStageCount; ++stage) {
    CheckSameStage(image.rom.Stage(stage), reopened.rom.Stage(stage));
  }
  return 0;
}
