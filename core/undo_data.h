#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace zantor {

// Kinds of recorded edit; the number is stored in the entry and names the Edit menu item.
inline constexpr int UndoKindChipTile = 0;
inline constexpr int UndoKindChipProperty = 1;
inline constexpr int UndoKindChip16x16Paste = 2;
inline constexpr int UndoKindBGBank = 3;
inline constexpr int UndoKindChip32x32 = 4;
inline constexpr int UndoKindChip32x32Paste = 5;
inline constexpr int UndoKindMapSet = 6;
inline constexpr int UndoKindMapSetPaste = 7;
inline constexpr int UndoKindMapSetGrid = 8;
inline constexpr int UndoKindMap = 9;
inline constexpr int UndoKindPalette = 10;
inline constexpr int UndoKindPaletteAnime = 11;
// A change of one room's objects, recorded only when the user asks for object edits to be
// undoable: the entry holds the room's objects before it, three bytes each.
inline constexpr int UndoKindObject = 12;
// What Undo and Redo return when they did nothing.
inline constexpr int UndoKindUnknown = 14;

// One entry of an undo or redo stack: what a recorded edit overwrote.
struct UndoData {
  std::uint8_t kind = 0;
  std::int32_t index = 0;           // the index argument of the recorded edit, or the room
  std::uint8_t value = 0;           // the old byte of a single-byte kind
  // The old bytes of a multi-byte kind (5, 4 or 64), or a room's objects (X, Y, kind each).
  std::vector<std::uint8_t> bytes;
};

// The Edit menu's name of an entry kind; only the low 7 bits count.
std::string UndoKindName(int kind);

}  // namespace zantor
