#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/stage_data.h"

namespace zantor {

// A room's objects as the object list dialog shows and reads them: one object per line,
// X, Y and kind as hex numbers. Plain C++, so that it can be used and tried without any
// window.

// "XX YY KK" and CR LF for every object in list order; an empty room gives an empty text.
std::u16string RoomText(const StageData::ObjectList& objects);

// The lines of a text without their ends. CR LF, a lone LF and a lone CR each end a line;
// an end at the very end of the text starts no further line.
std::vector<std::u16string> TextLines(std::u16string_view text);

// Empties the room, then appends, in line order, the object of every line whose first three
// fields are hex numbers, while the stage holds fewer than kMaxObjects objects. Fields are
// separated by blanks and tabs; a number keeps its low 8 bits; whatever follows the third
// field is ignored. A line with fewer than three fields, or a field before the fourth that
// is not a number, adds nothing. No sort, no history, no modified flag: the caller flags the
// stage's objects, whatever the lines held.
void ApplyRoomText(StageData& stage, int room, std::span<const std::u16string> lines);

}  // namespace zantor
