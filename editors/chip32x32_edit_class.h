#pragma once

#include <QString>
#include <array>
#include <cstdint>
#include <functional>
#include <string>

#include "editors/chip_components.h"
#include "editors/hover_cell.h"
#include "editors/tab_editor.h"
#include "graphics/pixel_rect.h"

class QCheckBox;
class QLabel;

namespace zantor {

class Dialogs;
class EditFlagManagement;
class EditorGraphics;
class PointerStatus;
class RomImageData;
class StageData;
class TImageEx;
class TShowUnusedChipNumForm;

// The 32x32 chip tab: the stage's 256 32x32 chips, each four 16x16 chips, shown half at a
// time. Keeps the renderer's 32x32 chip sheet, which the map set, map and object tabs draw
// from.
class Chip32x32EditClass : public TabEditor, public ChipSheetSource {
 public:
  Chip32x32EditClass(RomImageData& rom, EditFlagManagement& flags, EditorGraphics& graphics,
                     Dialogs& dialogs, PointerStatus& pointerStatus);

  // Gives each control its picture: 256 x 256, 512 x 256, 64 x 64 and 32 x 32.
  void AttachImages(TImageEx* chipTable, TImageEx* view, TImageEx* editedChip,
                    TImageEx* selectedChip);
  void AttachLabels(QLabel* viewHalf, QLabel* selectedIndex, QLabel* selectedAttribute,
                    ChipComponentLabels components, QLabel* editedIndex);
  void AttachGridCheckBox(QCheckBox* grid);
  void AttachReportDialog(TShowUnusedChipNumForm* reports);
  // Who hears of the chip a plain left click on the view chose (the map set tab places it).
  void OnViewChipChosen(std::function<void(int chip)> receiver) {
    viewChipChosen_ = std::move(receiver);
  }

  void Reset() override;
  void RefreshTab() override;
  void RefreshPalette() override;
  bool DrawsFromChipSheets() const override { return true; }
  void ApplySheetPalette() override;
  void RebuildChipSheet() override;

  int EditedChip() const { return editedChip_; }
  int Selected16x16Chip() const { return selected16x16Chip_; }
  int ViewHalf() const { return viewHalf_; }

  // 0 shows chips 00..7F, 1 chips 80..FF.
  void SetViewHalf(int half);
  void DrawView();

  // The mouse over the three pictures; positions outside a picture address no chip.
  void ViewMouseDown(Qt::MouseButton button, bool shift, bool ctrl, int x, int y);
  void ViewMouseMove(int x, int y);
  void ViewMouseLeave();
  void EditedChipMouseDown(Qt::MouseButton button, int x, int y);
  void EditedChipMouseMove(int x, int y);
  void EditedChipMouseLeave();
  void ChipTableMouseDown(Qt::MouseButton button, int x, int y);
  void ChipTableMouseMove(int x, int y);
  void ChipTableMouseLeave();

  // Reads the stage's 32x32 chips from the image again, after asking.
  void Reload();

  // The two reports: chips no map set uses, chips defined alike.
  std::string UnusedChipList() const;
  std::string DuplicateChipList() const;
  void ShowUnusedChips();
  void ShowDuplicateChips();

 private:
  StageData& Stage() const;
  // The chip under a position of the view, or HoverCell::kNone.
  int ViewChipAt(int x, int y) const;

  void RedrawChip(int chip);
  void CopyViewCell(int chip);
  // The grid lines over area of the view, when shown.
  void DrawGridIfOn(const PixelRect& area);
  void DrawChipTable();
  void SelectEditedChip(int chip);
  void Select16x16Chip(int chip);
  void DrawEditedChip();
  void DrawSelectedChip();

  void FrameViewCell(int chip);
  void RestoreTableCell(int chip);
  void FrameTableCell(int chip);
  void FrameQuadrant(int quadrant);
  void FrameAgainUnderThePointer();

  // Puts Selected16x16Chip into part `part` of chip `chip`; false when it was there already.
  bool PlaceInto(int chip, int part);
  void Paste(int chip);
  void Copy(int chip);

  RomImageData& rom_;
  EditFlagManagement& flags_;
  EditorGraphics& graphics_;
  Dialogs& dialogs_;
  PointerStatus& pointerStatus_;

  int editedChip_ = 0;
  int selected16x16Chip_ = 0;
  int viewHalf_ = 0;
  // One chip's four parts; survives resets, reloads, stage changes and opens.
  std::array<std::uint8_t, 4> copyBuffer_{};
  HoverCell tableHover_;
  HoverCell viewHover_;
  HoverCell editHover_;

  TImageEx* chipTable_ = nullptr;
  TImageEx* view_ = nullptr;
  TImageEx* editedChipView_ = nullptr;
  TImageEx* selectedChipView_ = nullptr;
  QLabel* viewHalfLabel_ = nullptr;
  QLabel* selectedIndexLabel_ = nullptr;
  QLabel* selectedAttributeLabel_ = nullptr;
  ChipComponentLabels components_;
  QLabel* editedIndexLabel_ = nullptr;
  QCheckBox* grid_ = nullptr;
  TShowUnusedChipNumForm* reports_ = nullptr;
  std::function<void(int)> viewChipChosen_;
};

}  // namespace zantor
