#pragma once

#include <QPoint>
#include <QString>
#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "core/stage_data.h"
#include "editors/room_pair.h"
#include "editors/tab_editor.h"

class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class QMenu;
class QPushButton;
class QScrollBar;

namespace zantor {

class Dialogs;
class EditFlagManagement;
class EditorGraphics;
class RomImageData;
class TImageEx;
class TObjectEditForm;
class UpDownButtons;

// The pop-up menu of a room picture, in its order.
struct ObjectMenu {
  QMenu* menu = nullptr;
  QAction* create = nullptr;
  QAction* copy = nullptr;
  QAction* cut = nullptr;
  QAction* paste = nullptr;
  QAction* remove = nullptr;
};

// The object tab: two neighbouring rooms with the stage's objects on them as small labelled
// squares, which the user selects, drags, nudges, retypes, creates, copies, cuts, pastes and
// deletes, and the object list dialog for a whole room. Object edits record no history
// unless the user chose to make them undoable: then each edit of a room is one entry.
class ObjectEditClass : public TabEditor {
 public:
  static constexpr int kPages = 2;

  ObjectEditClass(RomImageData& rom, EditFlagManagement& flags, EditorGraphics& graphics,
                  Dialogs& dialogs);

  // Gives each room picture a 256 x 256 picture.
  void AttachImages(std::array<TImageEx*, kPages> rooms);
  void AttachScrollBars(QScrollBar* rooms);
  // The shown rooms, their counts and the stage's total; the selected object's placement
  // number, room, X and Y.
  void AttachLabels(QLabel* rooms, QLabel* counts, QLabel* total, QLabel* index, QLabel* room,
                    QLabel* x, QLabel* y);
  void AttachKindCombo(QComboBox* kinds);
  void AttachUpDowns(UpDownButtons* x, UpDownButtons* y);
  void AttachButtons(QPushButton* create, QPushButton* remove);
  void AttachCheckBoxes(QCheckBox* sort, QCheckBox* popupHint);
  void AttachMenu(ObjectMenu menu);
  void AttachObjectDialog(TObjectEditForm* dialog);

  void Reset() override;
  void RefreshTab() override;
  void RefreshPalette() override;
  bool DrawsFromChipSheets() const override { return true; }

  void ShowRooms(int firstRoom);
  int FirstRoom() const { return pair_.First(); }
  const ObjectEntry* SelectedObject() const { return selected_; }
  const ObjectEntry* HoveredObject() const { return hovered_; }
  int ClipboardKind() const { return clipboardKind_; }

  // The mouse over room picture `page` (0 left, 1 right); globalX/Y place the pop-up menu.
  void RoomMouseMove(int page, Qt::MouseButtons held, bool shift, bool ctrl, int x, int y);
  void RoomMouseDown(int page, Qt::MouseButton button, bool shift, int x, int y, QPoint global);
  // Ends a drag: the whole drag is one edit.
  void RoomMouseUp(Qt::MouseButton button);

  // Forgets every reference to an object of the room, whose entries an undo or redo step is
  // about to replace, and shows what is then selected.
  void ForgetObjectsOfRoom(int room);

  // The controls of the object being edited.
  void CreateAtClick();
  void RemoveSelected();
  void SetKind(int kind);
  void StepX(int step);
  void StepY(int step);
  // The rooms as the pending changes and the pointer want them, with the selection frame.
  void RefreshSelection();
  // The pop-up menu's items.
  void CreateAtMenuPoint();
  void CopyHovered();
  void CutHovered();
  void PasteAtMenuPoint();
  void RemoveHovered();

  // The five lines of the hint for the hovered object; empty when none is hovered.
  QString BuildHint(int page) const;
  // A room's objects as the object list dialog shows and reads them.
  std::u16string RoomText(int room) const;
  void ApplyRoomText(int room, std::span<const std::u16string> lines);

  // Reads the stage's objects from the image again, after asking; the history stays but for
  // its object edits, which no longer match.
  void Reload();

 private:
  StageData& Stage() const;
  void Flag();
  bool RefusedAsTooMany();
  void SortIfChosen(int room);
  // What the room held before an edit, taken only while object edits are undoable; the edit
  // is recorded from it once it is done.
  std::optional<std::vector<std::uint8_t>> ObjectsBefore(int room) const;
  void RecordEdit(int room, std::optional<std::vector<std::uint8_t>> before);
  // Forgets every reference to an object of the room, whose entries are about to go.
  void ForgetObjectsOf(int room);
  void Forget(const ObjectEntry* entry);

  void DrawRooms();
  void DrawSelection();
  void UpdateHover();
  void HitTest(int page, int x, int y);
  void MoveHovered(int x, int y);
  void ShowSelected();
  // The shown rooms and their object counts; with the stage's total.
  void ShowRoomLabels();
  void ShowCounts();
  void ShowHint(int page);
  void OpenObjectDialog(int room);
  void ShowMenu(int page, int x, int y, QPoint global);
  void AddAtMenuPoint(int kind);

  RomImageData& rom_;
  EditFlagManagement& flags_;
  EditorGraphics& graphics_;
  Dialogs& dialogs_;

  RoomPair pair_;
  ObjectEntry* hovered_ = nullptr;
  const ObjectEntry* previousHovered_ = nullptr;
  int hoveredRoom_ = 0;
  ObjectEntry* selected_ = nullptr;
  const ObjectEntry* previousSelected_ = nullptr;
  int selectedRoom_ = 0;
  bool needsRedraw_ = false;
  int lastClickPage_ = 0;
  int lastClickX_ = 0;
  int lastClickY_ = 0;
  int menuX_ = 0;
  int menuY_ = 0;
  int menuRoom_ = 0;
  // The room being dragged in and what it held at the press.
  int dragRoom_ = 0;
  std::optional<std::vector<std::uint8_t>> dragBefore_;
  // Only a kind; kept for the whole run, across stages and images.
  int clipboardKind_ = -1;

  std::array<TImageEx*, kPages> rooms_{};
  QScrollBar* roomBar_ = nullptr;
  QLabel* roomsLabel_ = nullptr;
  QLabel* countsLabel_ = nullptr;
  QLabel* totalLabel_ = nullptr;
  QLabel* indexLabel_ = nullptr;
  QLabel* roomLabel_ = nullptr;
  QLabel* xLabel_ = nullptr;
  QLabel* yLabel_ = nullptr;
  QComboBox* kinds_ = nullptr;
  UpDownButtons* xButtons_ = nullptr;
  UpDownButtons* yButtons_ = nullptr;
  QPushButton* createButton_ = nullptr;
  QPushButton* removeButton_ = nullptr;
  QCheckBox* sort_ = nullptr;
  QCheckBox* popupHint_ = nullptr;
  ObjectMenu menu_;
  TObjectEditForm* objectDialog_ = nullptr;
};

}  // namespace zantor
