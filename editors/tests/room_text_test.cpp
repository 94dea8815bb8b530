#include "editors/room_text.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "core/testing/stage_fixture.h"

namespace zantor {
namespace {

using testing::StageFixture;
using Objects = std::vector<std::tuple<int, int, int>>;

Objects RoomObjects(const StageData& stage, int room) {
  Objects objects;
  for (const ObjectEntry& o : stage.Room(room)) objects.emplace_back(o.X, o.Y, o.Kind);
  return objects;
}

std::string Narrow(const std::u16string& text) { return {text.begin(), text.end()}; }

TEST(RoomText, OneLineOfThreeUpperCaseNumbersPerObjectInListOrder) {
  StageFixture f;
  EXPECT_EQ(RoomText(f.stage.Room(3)), u"");
  f.stage.AddObject(3, 10, 20, 0x05);
  f.stage.AddObject(3, 80, 80, 0x1A);
  f.stage.AddObject(3, 0xFF, 0, 0xab);
  f.stage.AddObject(4, 1, 2, 3);
  EXPECT_EQ(RoomText(f.stage.Room(3)), u"0A 14 05\r\n50 50 1A\r\nFF 00 AB\r\n");
}

TEST(RoomText, TheRoomTakesTheObjectOfEveryLineWhoseFirstThreeFieldsAreNumbers) {
  struct Case {
    std::vector<std::u16string> lines;
    Objects objects;
  };
  const std::u16string twentyDigits = u"12345678901234567890";
  const Case cases[] = {
      {{u"  a  14\t5 word"}, {{0x0A, 0x14, 0x05}}},
      {{u"0A 14 05 GG"}, {{0x0A, 0x14, 0x05}}},
      {{u"1FF 0 " + twentyDigits}, {{0xFF, 0x00, 0x90}}},
      {{u"01 02 03", u"0A 14", u"04 05 06"}, {{1, 2, 3}, {4, 5, 6}}},
      {{u"0A GG 05", u"0x0A 1 2", u"-1 2 3", u"0A,14,05 1 2", u"\uFF11 2 3", u"07 08 09"},
       {{7, 8, 9}}},
      {{u"0A 14 05\r", u"01 02 03"}, {{1, 2, 3}}},  // a CR left in a token spoils its line
      {{u"", u"   ", u"\t"}, {}},
      {{}, {}},
  };
  for (const Case& c : cases) {
    StageFixture f;
    f.stage.AddObject(2, 9, 9, 9);
    f.stage.AddObject(2, 8, 8, 8);
    f.stage.AddObject(1, 7, 7, 7);
    ApplyRoomText(f.stage, 2, c.lines);
    EXPECT_EQ(RoomObjects(f.stage, 2), c.objects) << (c.lines.empty() ? "" : Narrow(c.lines[0]));
    EXPECT_EQ(RoomObjects(f.stage, 1), (Objects{{7, 7, 7}}));
  }
}

TEST(RoomText, LinesAreAddedOnlyWhileTheStageHoldsFewerThan127Objects) {
  StageFixture f;
  for (int i = 0; i < kMaxObjects - 1; ++i) f.stage.AddObject(5 + i % 3, i, i, 0);
  f.stage.AddObject(4, 0, 0, 0);  // replaced by the text
  const std::vector<std::u16string> lines = {u"01 01 01", u"02 02 02", u"03 03 03"};
  ApplyRoomText(f.stage, 4, lines);
  EXPECT_EQ(RoomObjects(f.stage, 4), (Objects{{1, 1, 1}}));
  EXPECT_EQ(f.stage.ObjectCount(), kMaxObjects);
}

TEST(RoomText, ARoomsTextReadBackRebuildsItsObjectsInOrder) {
  StageFixture f;
  f.stage.AddObject(6, 0x40, 1, 2);
  f.stage.AddObject(6, 0x10, 3, 4);
  f.stage.AddObject(6, 0x40, 5, 6);
  const Objects before = RoomObjects(f.stage, 6);
  ApplyRoomText(f.stage, 6, TextLines(RoomText(f.stage.Room(6))));
  EXPECT_EQ(RoomObjects(f.stage, 6), before);
}

TEST(RoomText, CrLfALoneLfAndALoneCrEachEndALine) {
  const std::vector<std::u16string> three = {u"01 02 03", u"", u"04 05 06"};
  for (const std::u16string text : {u"01 02 03\r\n\r\n04 05 06\r\n", u"01 02 03\n\n04 05 06",
                                    u"01 02 03\r\r04 05 06\r", u"01 02 03\r\n\n04 05 06"}) {
    EXPECT_EQ(TextLines(text), three) << Narrow(text);
  }
  EXPECT_TRUE(TextLines(u"").empty());
  EXPECT_EQ(TextLines(u"\r\n"), std::vector<std::u16string>{u""});
}

}  // namespace
}  // namespace zantor
