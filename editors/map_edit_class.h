#pragma once

#include <array>

#include "editors/room_pair.h"
#include "editors/tab_editor.h"

class QLabel;
class QScrollBar;

namespace zantor {

class Dialogs;
class EditFlagManagement;
class EditorGraphics;
class RomImageData;
class StageData;
class TImageEx;

// The map tab: the stage's 80 rooms two at a time, each drawn as the map set it uses, with
// one value bar per shown room to choose that map set. Draws from the 32x32 chip sheet.
class MapEditClass : public TabEditor {
 public:
  static constexpr int kSides = 2;
  static constexpr int kLastMapSet = kMapSetCount - 1;

  MapEditClass(RomImageData& rom, EditFlagManagement& flags, EditorGraphics& graphics,
               Dialogs& dialogs);

  // Gives each image its kRoomSide picture; left first.
  void AttachImages(TImageEx* left, TImageEx* right);
  void AttachScrollBars(QScrollBar* leftValue, QScrollBar* rightValue, QScrollBar* rooms);
  void AttachLabels(QLabel* leftValue, QLabel* rightValue, QLabel* rooms);

  void Reset() override;
  void RefreshTab() override;
  void RefreshPalette() override;
  bool DrawsFromChipSheets() const override { return true; }

  int FirstRoom() const { return rooms_.First(); }
  int SecondRoom() const { return rooms_.Second(); }
  // The room's byte as the stage holds it, 0..255: bytes from kMapSetCount up name no map
  // set and are kept until the user picks one.
  int GetMapSetNumber(int room) const;
  void DrawRoom(TImageEx& image, int mapSet);
  // Shows `firstRoom` (clamped to 0..4E) and the room after it; the room bar is left where
  // it is.
  void ShowRooms(int firstRoom);
  // The room on `side` (0 left, else right) uses map set `value`, clamped to 0..27.
  void SetMapSetNumber(int side, int value);
  // The value bars and labels in step with the data; the pictures stay.
  void RefreshControls();
  // Reads the stage's map from the image again, after asking.
  void Reload();

 private:
  StageData& Stage() const;
  void DrawBothRooms();

  RomImageData& rom_;
  EditFlagManagement& flags_;
  EditorGraphics& graphics_;
  Dialogs& dialogs_;

  RoomPair rooms_;

  std::array<TImageEx*, kSides> images_{};
  std::array<QScrollBar*, kSides> valueBars_{};
  QScrollBar* roomBar_ = nullptr;
  std::array<QLabel*, kSides> valueLabels_{};
  QLabel* roomLabel_ = nullptr;
};

}  // namespace zantor
