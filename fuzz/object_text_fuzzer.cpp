// The bytes as the object list dialog's text for one room of the demo image (the first byte
// picks the stage, the second the room, the rest is the text, widened byte by byte): the
// room's objects from it, then the stored object tables decoded back.
#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "core/rom_image_data.h"
#include "core/testing/rom_fixture.h"
#include "editors/room_text.h"
#include "fuzz/fuzz_check.h"
#include "fuzz/scratch_file.h"
#include "tools/demo_image.h"

namespace zantor::fuzz {
namespace {

using Rooms = std::array<StageData::ObjectList, kRoomCount>;

Rooms RoomsOf(const StageData& stage) {
  Rooms rooms;
  for (int room = 0; room < kRoomCount; ++room) rooms[room] = stage.Room(room);
  return rooms;
}

bool SameRooms(const Rooms& a, const Rooms& b) {
  const auto same = [](const ObjectEntry& x, const ObjectEntry& y) {
    return x.X == y.X && x.Y == y.Y && x.Kind == y.Kind;
  };
  for (int room = 0; room < kRoomCount; ++room) {
    if (!std::equal(a[room].begin(), a[room].end(), b[room].begin(), b[room].end(), same)) {
      return false;
    }
  }
  return true;
}

// The demo image, opened once; every input starts from its pristine bytes.
struct DemoImage {
  DemoImage() : bytes(BuildDemoImage()) {
    ScratchFile file("zantor-fuzz-demo");
    FUZZ_CHECK(fixture.rom.Open(file.Write(bytes.data(), bytes.size())));
  }
  std::vector<std::uint8_t> bytes;
  testing::RomFixture fixture;
};

}  // namespace
}  // namespace zantor::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace zantor;
  using namespace zantor::fuzz;
  if (size < 2) return 0;
  static DemoImage demo;
  RomImageData& rom = demo.fixture.rom;
  rom.Bytes().WriteBlock(0, demo.bytes);
  StageData& stage = rom.Stage(data[0] % kStageCount);
  stage.LoadObjects();
  const int room = data[1] % kRoomCount;
  const std::u16string text(data + 2, data + size);

  Rooms expected = RoomsOf(stage);
  const int othersBefore = stage.ObjectCount() - stage.RoomObjectCount(room);
  ApplyRoomText(stage, room, TextLines(text));
  const int added = stage.RoomObjectCount(room);
  FUZZ_CHECK(added <= kMaxObjects);
  FUZZ_CHECK(added == 0 || othersBefore + added <= kMaxObjects);
  // Only that room changed.
  expected[room] = stage.Room(room);
  FUZZ_CHECK(SameRooms(RoomsOf(stage), expected));

  stage.StoreObjects(rom.Bytes());
  stage.LoadObjects();
  FUZZ_CHECK(SameRooms(RoomsOf(stage), expected));
  return 0;
}
