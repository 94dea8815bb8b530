#include "editors/hover_cell.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zantor {
namespace {

struct HoverLog {
  std::vector<std::string> drawn;
  HoverCell hover{[this](int c) { drawn.push_back("erase " + std::to_string(c)); },
                  [this](int c) { drawn.push_back("draw " + std::to_string(c)); }};
};

TEST(HoverCells, TheFrameMovesOnlyBetweenCells) {
  HoverLog log;
  for (const int cell : {3, 3, 4, HoverCell::kNone, 5}) log.hover.MoveTo(cell);
  log.hover.Leave();
  EXPECT_EQ(log.drawn, (std::vector<std::string>{"draw 3", "erase 3", "draw 4", "erase 4", "draw 5",
                                                 "erase 5"}));
  EXPECT_EQ(log.hover.Current(), HoverCell::kNone);
}

TEST(HoverCells, AfterTheCellWasDrawnAnewTheFrameComesBackOnTheCurrentCellOnly) {
  HoverLog log;
  log.hover.FrameAgain();  // nothing under the pointer: nothing to frame
  log.hover.MoveTo(7);
  log.hover.FrameAgain();  // drawn anew under the frame: framed again, none erased
  log.hover.MoveTo(8);     // the frame on 7 is still known, so moving on erases it
  log.hover.Leave();
  log.hover.FrameAgain();
  EXPECT_EQ(log.drawn,
            (std::vector<std::string>{"draw 7", "draw 7", "erase 7", "draw 8", "erase 8"}));
}

}  // namespace
}  // namespace zantor
