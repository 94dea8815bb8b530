// The bytes as an image file: opened, and when it opens, every group of every stage is
// stored and saved, the saved file holds the bytes SavedBytes gave, and it opens to the same
// stages. The bytes are opened and saved in memory, through the same code as a file's; the
// replay of the corpus goes through files as well and must come to the same.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/file_reading.h"
#include "core/rom_image_data.h"
#include "core/testing/memory_file_writer.h"
#include "core/testing/recording_sinks.h"
#include "fuzz/fuzz_check.h"
#include "fuzz/scratch_file.h"

namespace zantor::fuzz {
namespace {

// An image object under the default address table (an empty settings file), as the
// program has it without a settings file; it saves into `saved` or, onDisk, to files. Kept
// from input to input: each one allocates the whole image buffer.
struct OpenedImage {
  explicit OpenedImage(bool onDisk = false)
      : rom(flags, attributeNames, settings, notifier,
            onDisk ? nullptr : std::make_unique<testing::MemoryFileWriter>(saved)) {}

  testing::RecordingStatusText status;
  EditFlagManagement flags{status};
  std::vector<std::string> attributeNames;
  TMyMemIniFile settings{"unused.ini", ""};
  testing::RecordingNotifier notifier;
  std::vector<std::uint8_t> saved;
  RomImageData rom;

  // Lets go of what an input made: its messages, its bytes and its stages' objects. libFuzzer
  // runs an input again under the leak checker whenever it leaves more blocks allocated than
  // it found, so each input frees its own.
  void ForgetInput() {
    notifier.messages.clear();
    rom.Close();
    for (int stage = 0; stage < kStageCount; ++stage) {
      for (int room = 0; room < kRoomCount; ++room) rom.Stage(stage).ClearRoom(room);
    }
  }
};

void FlagEveryGroup(EditFlagManagement& flags) {
  for (int stage = 0; stage < kStageCount; ++stage) {
    for (int group = 0; group < EditFlagManagement::kGroupCount; ++group) {
      flags.SetGroup(static_cast<EditFlagManagement::Group>(group), stage, true);
    }
  }
}

#ifdef ZANTOR_REPLAY_THROUGH_FILES
// The input opened and saved through files, as the program does: the same outcome, messages
// and saved bytes as in memory.
void CheckThroughFiles(const std::uint8_t* data, std::size_t size, const OpenedImage& inMemory) {
  static ScratchFile input("zantor-fuzz-image");
  static ScratchFile saved("zantor-fuzz-saved");
  static OpenedImage onDisk(true);
  onDisk.notifier.messages.clear();
  onDisk.rom.Close();
  FUZZ_CHECK(onDisk.rom.Open(input.Write(data, size)) == inMemory.rom.IsOpen());
  if (onDisk.rom.IsOpen()) {
    FlagEveryGroup(onDisk.flags);
    FUZZ_CHECK(onDisk.rom.Save(saved.Path()));
    FUZZ_CHECK(ReadFileUpTo(saved.Path(), ImageBytes::kCapacity).bytes == inMemory.saved);
  }
  FUZZ_CHECK(onDisk.notifier.messages == inMemory.notifier.messages);
}
#endif

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

namespace zantor::fuzz {
namespace {

void RoundTrip(const std::uint8_t* data, std::size_t size, OpenedImage& image,
               OpenedImage& reopened) {
  const bool opened = image.rom.OpenBytes({data, size}, "input.nes");
  FUZZ_CHECK(opened == image.rom.IsOpen());
  std::vector<std::uint8_t> expected;
  if (opened) {
    FUZZ_CHECK(image.rom.Size() == static_cast<std::int64_t>(size));
    FlagEveryGroup(image.flags);
    // The bytes a patch is made from are those the save writes.
    expected = image.rom.SavedBytes();
    FUZZ_CHECK(image.rom.Save("saved.nes"));
    FUZZ_CHECK(image.saved == expected);
  }
#ifdef ZANTOR_REPLAY_THROUGH_FILES
  CheckThroughFiles(data, size, image);
#endif
  if (!opened) return;

  FUZZ_CHECK(reopened.rom.OpenBytes(image.saved, "saved.nes"));
  FUZZ_CHECK(reopened.rom.Size() == image.rom.Size());
  FUZZ_CHECK(std::equal(expected.begin(), expected.end(), reopened.rom.Bytes().Data(),
                        reopened.rom.Bytes().Data() + reopened.rom.Size()));
  for (int stage = 0; stage < kStageCount; ++stage) {
    CheckSameStage(image.rom.Stage(stage), reopened.rom.Stage(stage));
  }
}

}  // namespace
}  // namespace zantor::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using zantor::fuzz::OpenedImage;
  static OpenedImage image;
  static OpenedImage reopened;
  zantor::fuzz::RoundTrip(data, size, image, reopened);
  // Short images are told of at every open and save: only this input's messages are kept.
  image.ForgetInput();
  reopened.ForgetInput();
  return 0;
}
