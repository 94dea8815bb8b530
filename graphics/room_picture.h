#pragma once

#include "core/stage_data.h"

namespace zantor {

class DisplayPicture;
class EditorGraphics;

// Side of the square picture a room is drawn on.
inline constexpr int kRoomSide = 256;
// The NES black of a room whose byte names no map set.
inline constexpr int kBlackNesColor = 0x0F;

// Draws a room showing map set `mapSet` of the stage from the 32x32 chip sheet onto a
// kRoomSide picture. A room's byte of kMapSetCount or more names no map set: its room is
// drawn black with a magenta frame round each chip cell, which no chip can show, and
// nothing of the map sets is read.
void DrawRoomMapSet(const EditorGraphics& graphics, DisplayPicture& picture, const StageData& stage,
                    int mapSet);

// A marker for each object of a room in list order, clipped at the picture's edges.
void DrawRoomObjects(const EditorGraphics& graphics, DisplayPicture& picture,
                     const StageData::ObjectList& objects);

// Room `room` of the stage as the object tab shows it before any frame: the map set its
// byte names, then its objects' markers. One change reported.
void DrawRoomWithObjects(const EditorGraphics& graphics, DisplayPicture& picture,
                         const StageData& stage, int room);

}  // namespace zantor
