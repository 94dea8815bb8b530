#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "core/rom_image_data.h"
#include "core/testing/memory_file_writer.h"
#include "core/testing/rom_fixture.h"
#include "core/testing/stage_fixture.h"
#include "core/testing/temporary_folder.h"

namespace zantor {
namespace {

using testing::MakeImage;
using testing::ReadFile;
using testing::RomFixture;
using testing::TemporaryFolder;
using testing::WriteFile;

constexpr std::size_t kFullSize = 0x40000;  // covers every stage's blocks

// Everything an open leaves to be seen, to compare two images by.
struct Outcome {
  bool opened = false;
  bool isOpen = false;
  std::int64_t size = 0;
  std::string fileName;
  std::vector<std::string> messages;
  std::vector<std::string> errors;
  std::vector<int> stagesPastEnd;
  std::vector<std::uint8_t> bytes;  // the whole buffer
  std::vector<std::vector<std::uint8_t>> stages;

  bool operator==(const Outcome&) const = default;
};

Outcome OutcomeOf(bool opened, RomFixture& f) {
  Outcome o{opened,
            f.rom.IsOpen(),
            f.rom.Size(),
            f.rom.FileName(),
            f.notifier.messages,
            f.notifier.errors,
            f.rom.StagesPastEnd(),
            {f.rom.Bytes().Data(), f.rom.Bytes().Data() + ImageBytes::kCapacity},
            {}};
  for (int n = 0; n < kStageCount; ++n) {
    const StageData& s = f.rom.Stage(n);
    std::vector<std::uint8_t> decoded = testing::DecodedBytes(s);
    for (int room = 0; room < kRoomCount; ++room) {
      const std::vector<std::uint8_t> objects = s.RoomObjectBytes(room);
      decoded.insert(decoded.end(), objects.begin(), objects.end());
    }
    o.stages.push_back(std::move(decoded));
  }
  return o;
}

std::vector<std::uint8_t> WithByte(std::vector<std::uint8_t> bytes, std::size_t at,
                                   std::uint8_t value) {
  bytes[at] = value;
  return bytes;
}

TEST(RomOpenBytes, AgreesWithOpeningAFileOfTheSameBytes) {
  const struct {
    const char* name;
    std::vector<std::uint8_t> bytes;
  } cases[] = {
      {"empty", {}},
      {"15 bytes", MakeImage(15)},
      {"a header alone", MakeImage(16)},
      {"a bad magic", WithByte(MakeImage(0x9000), 3, 0x1B)},
      {"short of stage 4 on", MakeImage(0x9000, 2)},
      {"whole", MakeImage(kFullSize, 3)},
      {"header sizes past the buffer", MakeImage(0x2010, 4, 0xFF, 0xFF)},
      {"the buffer's length", MakeImage(ImageBytes::kCapacity, 5)},
      {"a byte too long", MakeImage(ImageBytes::kCapacity + 1, 6)},
  };
  TemporaryFolder folder;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const auto path = folder.File("odd.nes");
    WriteFile(path, c.bytes);
    // Once with nothing open, once over a longer image that must either stay or vanish.
    for (const bool overLonger : {false, true}) {
      SCOPED_TRACE(overLonger ? "over a longer image" : "with nothing open");
      RomFixture fromFile;
      RomFixture fromBytes;
      if (overLonger) {
        WriteFile(folder.File("longer.nes"), MakeImage(kFullSize, 7));
        ASSERT_TRUE(fromFile.rom.Open(folder.File("longer.nes")));
        ASSERT_TRUE(
            fromBytes.rom.OpenBytes(MakeImage(kFullSize, 7), folder.File("longer.nes").string()));
      }
      const bool fileOpened = fromFile.rom.Open(path);
      const bool bytesOpened = fromBytes.rom.OpenBytes(c.bytes, path.string());
      EXPECT_EQ(OutcomeOf(fileOpened, fromFile), OutcomeOf(bytesOpened, fromBytes));
    }
  }
}

TEST(RomOpenBytes, ASaveIntoMemoryWritesWhatTheFileSaveWrites) {
  TemporaryFolder folder;
  const auto path = folder.File("short.nes");
  const std::vector<std::uint8_t> image = MakeImage(0x9000, 8);
  WriteFile(path, image);
  std::vector<std::uint8_t> inMemory;
  RomFixture toFile;
  RomFixture toMemory("", std::make_unique<testing::MemoryFileWriter>(inMemory));
  for (RomFixture* f : {&toFile, &toMemory}) {
    ASSERT_TRUE(f->rom.Open(path));
    f->notifier.messages.clear();
    StageData& four = f->rom.Stage(4);  // its chips straddle the end
    four.SetChipTile(0, 0x5A);
    four.SetChipTile(1023, 0xA5);
    f->rom.Stage(1).SetMapRoom(3, 9);
    f->flags.SetChip16x16Modified(4, true);
    f->flags.SetMapModified(1, true);
    ASSERT_TRUE(f->rom.Save(path));
    EXPECT_FALSE(f->flags.IsModified());
  }
  EXPECT_EQ(ReadFile(path), inMemory);
  EXPECT_NE(inMemory, image);
  EXPECT_EQ(toFile.notifier.messages, toMemory.notifier.messages);
  EXPECT_EQ(OutcomeOf(true, toFile), OutcomeOf(true, toMemory));
}

}  // namespace
}  // namespace zantor
