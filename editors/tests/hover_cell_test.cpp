#include "editors/hover_cell.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zantor {
namespace {

struct HoverLog {
  HoverCell hover;
  std::vector<std::string> drawn;

  auto Erase() {
    return [this](int c) { drawn.push_back("erase " + std::to_string(c)); };
  }
  auto Draw() {
    return [this](int c) { drawn.push_back("draw " + std::to_string(c)); };
  }
  void Update() { hover.Update(Erase(), Draw()); }
};

TEST(HoverCells, TheFrameMovesOnlyBetweenCells) {
  HoverLog log;
  log.hover.Track(3);
  log.Update();
  log.Update();
  log.hover.Track(4);
  log.Update();
  log.hover.Track(HoverCell::kNone);
  log.Update();
  log.hover.Track(5);
  log.Update();
  log.hover.Leave(log.Erase());
  EXPECT_EQ(log.drawn, (std::vector<std::string>{"draw 3", "erase 3", "draw 4", "erase 4", "draw 5",
                                                 "erase 5"}));
  EXPECT_EQ(log.hover.Current(), HoverCell::kNone);
}

TEST(HoverCells, AfterTheCellWasDrawnAnewTheFrameComesBackOnTheCurrentCellOnly) {
  HoverLog log;
  log.hover.FrameAgain(log.Draw());  // nothing under the pointer: nothing to frame
  log.hover.Track(7);
  log.Update();
  log.hover.FrameAgain(log.Draw());  // drawn anew under the frame: framed again, none erased
  log.hover.Track(8);
  log.Update();  // the frame on 7 is still known, so moving on erases it
  log.hover.Leave(log.Erase());
  log.hover.FrameAgain(log.Draw());
  EXPECT_EQ(log.drawn,
            (std::vector<std::string>{"draw 7", "draw 7", "erase 7", "draw 8", "erase 8"}));
}

}  // namespace
}  // namespace zantor
