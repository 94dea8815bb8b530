// What a look tells after each kind of change, on stage 0 of the demo image: the rooms to
// draw whole, and the map set cells to draw in every other room using a changed map set.
#include "graphics/stage_change_tracker.h"

#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <string>
#include <vector>

#include "core/testing/rom_fixture.h"
#include "core/testing/temporary_folder.h"
#include "graphics/testing/reference_pixels.h"

namespace zantor {
namespace {

struct DemoStage : testing::RomFixture {
  DemoStage() {
    testing::WriteFile(folder.File("demo.nes"), testing::DemoBytes());
    EXPECT_TRUE(rom.Open(folder.File("demo.nes")));
  }
  StageData& Stage() { return rom.Stage(0); }

  testing::TemporaryFolder folder;
};

void Bump(StageData& stage, int index) {
  ASSERT_TRUE(stage.SetMapSetCell(index, static_cast<std::uint8_t>(stage.MapSet()[index] + 1)));
}

TEST(StageChangeTracker, TellsTheRoomsAndCellsEachChangeShowsIn) {
  DemoStage demo;
  StageData& stage = demo.Stage();
  const int set = stage.Map()[0];
  int other = 0;  // neither room 5's map set nor `set`
  while (other == set || other == stage.Map()[5]) ++other;
  struct Case {
    std::string name;
    std::function<void()> change;
    std::set<int> rooms;          // drawn whole
    std::uint64_t cellsOfSet = 0;  // in the rooms using `set`, but for those drawn whole
  };
  const std::vector<Case> cases = {
      {"nothing", [] {}, {}, 0},
      {"first cell", [&] { Bump(stage, set * 64); }, {}, 1},
      // Cells in three of the eight bytes of a word and in the last one, in one look.
      {"several cells",
       [&] {
         for (const int cell : {7, 8, 15, 63}) Bump(stage, set * 64 + cell);
       },
       {},
       (1ULL << 7) | (1ULL << 8) | (1ULL << 15) | (1ULL << 63)},
      {"a map byte", [&] { ASSERT_TRUE(stage.SetMapRoom(5, static_cast<std::uint8_t>(other))); },
       {5}, 0},
      {"an object", [&] { stage.AddObject(3, 40, 40, 1); }, {3}, 0},
      // The room given the changed map set is drawn whole; the others using it, in part.
      {"a cell and a map byte",
       [&] {
         Bump(stage, set * 64 + 33);
         ASSERT_TRUE(stage.SetMapRoom(5, static_cast<std::uint8_t>(set)));
       },
       {5}, 1ULL << 33},
  };
  StageChangeTracker tracker;
  EXPECT_TRUE(tracker.Take(stage, 0, 0).everything);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    c.change();
    const StageChanges changes = tracker.Take(stage, 0, 0);
    EXPECT_FALSE(changes.everything);
    EXPECT_EQ(changes.None(), c.rooms.empty() && c.cellsOfSet == 0);
    for (int room = 0; room < kRoomCount; ++room) {
      const bool whole = c.rooms.count(room) != 0;
      EXPECT_EQ(changes.rooms[room], whole) << "room " << room;
      const std::uint64_t cells = !whole && stage.Map()[room] == set ? c.cellsOfSet : 0;
      EXPECT_EQ(changes.cells[room], cells) << "room " << room;
    }
    EXPECT_TRUE(tracker.Take(stage, 0, 0).None()) << "told once";
  }
}

}  // namespace
}  // namespace zantor
