#pragma once

#include <QString>

#include "core/stage_data.h"

namespace zantor {

class DisplayPicture;
class EditorGraphics;

// The two rooms the map and object tabs show side by side: a left room and the one after
// it, so the left one runs from 00 to 4E.
class RoomPair {
 public:
  static constexpr int kLastFirstRoom = kRoomCount - 2;

  // Shows `firstRoom`, clamped to 0..kLastFirstRoom, and the room after it.
  void Show(int firstRoom);
  int First() const { return first_; }
  int Second() const { return first_ + 1; }
  // Side 0 is the left room, any other side the right one.
  int Room(int side) const { return side == 0 ? First() : Second(); }
  // "NN-MM" in hex, as the tabs label the pair.
  QString Label() const;

 private:
  int first_ = 0;
};

// Side of the square picture a room is drawn on.
inline constexpr int kRoomSide = 256;

// Draws a room showing map set `mapSet` of the stage from the 32x32 chip sheet onto a
// kRoomSide picture. A room's byte of kMapSetCount or more names no map set: its room is
// drawn black with a magenta frame round each chip cell, which no chip can show, and
// nothing of the map sets is read.
void DrawRoomMapSet(const EditorGraphics& graphics, DisplayPicture& picture, const StageData& stage,
                    int mapSet);

}  // namespace zantor
