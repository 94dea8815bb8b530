// Seeded property tests over whole images and long edit sequences.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

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

constexpr std::int64_t kLastStageEnd = 0x1610 + 15 * 0x2000 + 2560;

void Put(std::vector<std::uint8_t>& image, std::int64_t offset, std::uint8_t value) {
  if (offset >= 0 && offset < static_cast<std::int64_t>(image.size())) image[offset] = value;
}

// Object tables as the game writes them: up to 127 objects in ascending rooms, the 0xFF
// terminator after them, and each room's first slot in the offset table.
void WriteWellFormedObjects(std::vector<std::uint8_t>& image, const AddressData& addresses,
                            int stage, std::mt19937& random) {
  const int count = static_cast<int>(random() % (kMaxObjects + 1));
  std::vector<std::uint8_t> rooms(count);
  for (auto& room : rooms) room = static_cast<std::uint8_t>(random() % kRoomCount);
  std::sort(rooms.begin(), rooms.end());
  for (int i = 0; i < count; ++i) Put(image, addresses.ObjectScreen(stage) + i, rooms[i]);
  Put(image, addresses.ObjectScreen(stage) + count, 0xFF);
  for (int room = 0; room < kRoomCount; ++room) {
    const auto first = std::lower_bound(rooms.begin(), rooms.end(), room) - rooms.begin();
    Put(image, addresses.ObjectOffset(stage) + room, static_cast<std::uint8_t>(first));
  }
}

// Image lengths that either hold every stage or end right before some stage's blocks, so
// no object table is cut in half.
std::size_t RandomLength(std::mt19937& random) {
  switch (random() % 4) {
    case 0: return static_cast<std::size_t>(ImageBytes::kCapacity);
    case 1: return static_cast<std::size_t>(0x910 + 0x2000 * (random() % kStageCount));
    default:
      return static_cast<std::size_t>(kLastStageEnd +
                                      random() % (ImageBytes::kCapacity - kLastStageEnd + 1));
  }
}

TEST(RoundTripProperty, StoringEveryGroupOfEveryStageRewritesTheSameFile) {
  TemporaryFolder folder;
  for (std::uint32_t seed = 1; seed <= 12; ++seed) {
    SCOPED_TRACE(seed);
    std::mt19937 random(seed);
    RomFixture f;
    auto image = MakeImage(RandomLength(random), seed);
    for (int stage = 0; stage < kStageCount; ++stage) {
      WriteWellFormedObjects(image, f.rom.Addresses(), stage, random);
    }
    const auto path = folder.File("image.nes");
    WriteFile(path, image);
    ASSERT_TRUE(f.rom.Open(path));
    for (int stage = 0; stage < kStageCount; ++stage) {
      for (int group = 0; group < EditFlagManagement::kGroupCount; ++group) {
        f.flags.SetGroup(static_cast<EditFlagManagement::Group>(group), stage, true);
      }
    }
    ASSERT_TRUE(f.rom.Save(folder.File("saved.nes")));
    ASSERT_EQ(ReadFile(folder.File("saved.nes")), image);
  }
}

// Every byte of every stage's decoded data, in one row.
std::vector<std::uint8_t> Snapshot(const RomImageData& rom) {
  std::vector<std::uint8_t> all;
  for (int n = 0; n < kStageCount; ++n) {
    const std::vector<std::uint8_t> stage = testing::DecodedBytes(rom.Stage(n));
    all.insert(all.end(), stage.begin(), stage.end());
  }
  return all;
}

// One random recorded edit, now and then with an index outside its block.
bool RandomEdit(StageData& s, std::mt19937& random) {
  const auto byte = [&random] { return static_cast<std::uint8_t>(random() % 4); };
  const auto index = [&random](int size) { return static_cast<int>(random() % (size + 2)) - 1; };
  std::array<std::uint8_t, 64> bytes{};
  for (auto& b : bytes) b = byte();
  switch (random() % 12) {
    case 0: return s.SetChipTile(index(1024), byte());
    case 1: return s.SetChipProperty(index(256), byte());
    case 2: return s.PasteChip16x16(index(256), std::span(bytes).first<5>());
    case 3: return s.SetBGBank(index(2), byte());
    case 4: return s.SetChip32x32Part(index(1024), byte());
    case 5: return s.PasteChip32x32(index(256) * 4, std::span(bytes).first<4>());
    case 6: return s.SetMapSetCell(index(2560), byte());
    case 7: return s.PasteMapSet(index(40) * 64, bytes);
    case 8: return s.GridEditMapSet(index(40) * 64, bytes);
    case 9: return s.SetMapRoom(index(80), byte());
    case 10: return s.SetBGPaletteEntry(index(64), byte());
    default: return s.SetBGPaletteAnimeEntry(index(16), byte());
  }
}

TEST(HistoryProperty, UndoingEveryEditRestoresEveryStageAndRedoingReappliesThem) {
  TemporaryFolder folder;
  for (std::uint32_t seed = 1; seed <= 8; ++seed) {
    SCOPED_TRACE(seed);
    std::mt19937 random(seed);
    RomFixture f;
    WriteFile(folder.File("image.nes"), MakeImage(0x22000, seed));
    ASSERT_TRUE(f.rom.Open(folder.File("image.nes")));
    const auto before = Snapshot(f.rom);

    // Shared stages (11 with 8, 15 with 14) interleave edits of the same bytes, so the
    // steps are taken back in the global order of the edits.
    std::vector<int> edited_stages;
    for (int i = 0; i < 1500; ++i) {
      const int stage = static_cast<int>(random() % kStageCount);
      if (RandomEdit(f.rom.Stage(stage), random)) edited_stages.push_back(stage);
    }
    const auto after = Snapshot(f.rom);
    ASSERT_NE(after, before);

    for (auto it = edited_stages.rbegin(); it != edited_stages.rend(); ++it) {
      ASSERT_NE(f.rom.Stage(*it).Undo(), UndoKindUnknown);
    }
    EXPECT_EQ(Snapshot(f.rom), before);
    for (int n = 0; n < kStageCount; ++n) EXPECT_FALSE(f.rom.Stage(n).CanUndo());

    for (int stage : edited_stages) ASSERT_NE(f.rom.Stage(stage).Redo(), UndoKindUnknown);
    EXPECT_EQ(Snapshot(f.rom), after);
    for (int n = 0; n < kStageCount; ++n) EXPECT_FALSE(f.rom.Stage(n).CanRedo());
  }
}

}  // namespace
}  // namespace zantor
