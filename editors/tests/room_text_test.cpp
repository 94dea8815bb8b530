#include "editors/room_text.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "core/testing/stage_fixture.h"

namespace zantor {
namespace {

using Objects = std::vector<std::tuple<int, int, int>>;

Objects InRoom(const StageData& stage, int room) {
  Objects objects;
  for (const ObjectEntry& o : stage.Room(room)) objects.emplace_back(o.X, o.Y, o.Kind);
  return objects;
}

TEST(RoomText, OneLineOfThreeNumbersPerObjectAndTheLinesReadBackInOrder) {
  testing::StageFixture f;
  EXPECT_EQ(RoomText(f.stage.Room(3)), u"");
  f.stage.AddObject(3, 10, 20, 0x05);
  f.stage.AddObject(3, 80, 80, 0x1A);
  f.stage.AddObject(3, 0x0F, 0, 0xab);
  const std::u16string text = RoomText(f.stage.Room(3));
  EXPECT_EQ(text, u"0A 14 05\r\n50 50 1A\r\n0F 00 AB\r\n");
  const Objects before = InRoom(f.stage, 3);
  for (const std::u16string ends : {u"\r\n", u"\n", u"\r"}) {
    std::u16string other = text;
    for (std::size_t at = 0; (at = other.find(u"\r\n", at)) != other.npos; at += ends.size()) {
      other.replace(at, 2, ends);
    }
    ApplyRoomText(f.stage, 3, TextLines(other));
    EXPECT_EQ(InRoom(f.stage, 3), before);
  }
}

TEST(RoomText, EveryLineWhoseFirstThreeFieldsAreNumbersAddsAnObject) {
  struct Case {
    std::vector<std::u16string> lines;
    Objects objects;
  };
  const Case cases[] = {
      {{u"  a  14\t5 word", u"0A 14", u"0A GG 05", u"1FF 0 12345678901234567890"},
       {{0x0A, 0x14, 0x05}, {0xFF, 0x00, 0x90}}},
      {{u"0x0A 1 2", u"-1 2 3", u"0A,14,05 1 2", u"\uFF11 2 3", u"01 02 03\r", u"07 08 09"},
       {{7, 8, 9}}},
      {{}, {}},
  };
  for (const Case& c : cases) {
    testing::StageFixture f;
    f.stage.AddObject(2, 9, 9, 9);
    f.stage.AddObject(1, 7, 7, 7);
    ApplyRoomText(f.stage, 2, c.lines);
    EXPECT_EQ(InRoom(f.stage, 2), c.objects);
    EXPECT_EQ(InRoom(f.stage, 1), (Objects{{7, 7, 7}}));
  }
}

TEST(RoomText, LinesAddObjectsOnlyWhileTheStageHoldsFewerThan127) {
  testing::StageFixture f;
  for (int i = 0; i < kMaxObjects - 1; ++i) f.stage.AddObject(5 + i % 3, i, i, 0);
  f.stage.AddObject(4, 0, 0, 0);
  ApplyRoomText(f.stage, 4, TextLines(u"01 01 01\r\n02 02 02\r\n03 03 03"));
  EXPECT_EQ(InRoom(f.stage, 4), (Objects{{1, 1, 1}}));
}

}  // namespace
}  // namespace zantor
