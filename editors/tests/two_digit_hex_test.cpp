#include "editors/two_digit_hex.h"

#include <gtest/gtest.h>

#include "editors/hover_cell.h"

namespace zantor {
namespace {

using State = HexEditReading::State;

TEST(TwoDigitHexEdits, OnlyTwoPlainHexDigitsAreANumber) {
  EXPECT_EQ(ReadHexEdit("").state, State::Waiting);
  EXPECT_EQ(ReadHexEdit("3").state, State::Waiting);
  EXPECT_EQ(ReadHexEdit("3F1").state, State::Waiting);
  for (const char* refused : {"G1", "-1", "+F", " 1", "1 ", "0x"}) {
    EXPECT_EQ(ReadHexEdit(refused).state, State::Invalid) << refused;
  }
  const HexEditReading lower = ReadHexEdit("0a");
  EXPECT_EQ(lower.state, State::Number);
  EXPECT_EQ(lower.value, 0x0A);
  EXPECT_EQ(ReadHexEdit("FF").value, 0xFF);
}

TEST(HoverCells, TheFrameMovesOnlyBetweenCells) {
  HoverCell hover;
  std::vector<std::string> drawn;
  const auto update = [&] {
    hover.Update([&](int c) { drawn.push_back("erase " + std::to_string(c)); },
                 [&](int c) { drawn.push_back("draw " + std::to_string(c)); });
  };
  hover.Track(3);
  update();
  update();
  hover.Track(4);
  update();
  hover.Track(HoverCell::kNone);
  update();
  hover.Track(5);
  update();
  hover.Leave([&](int c) { drawn.push_back("erase " + std::to_string(c)); });
  EXPECT_EQ(drawn, (std::vector<std::string>{"draw 3", "erase 3", "draw 4", "erase 4", "draw 5",
                                             "erase 5"}));
  EXPECT_EQ(hover.Current(), HoverCell::kNone);
}

}  // namespace
}  // namespace zantor
