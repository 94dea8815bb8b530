#pragma once

#include <QString>
#include <array>

#include "editors/hover_cell.h"
#include "editors/tab_editor.h"
#include "graphics/indexed_bitmap.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QTimer;

namespace zantor {

class Dialogs;
class DisplayPicture;
class EditFlagManagement;
class EditorGraphics;
class RomImageData;
class StageData;
class TImageEx;
class UpDownButtons;

// The palette tab: the current stage's four palette definitions of 16 NES colours and
// their four animation bytes each. The definition chosen here colours every picture on
// every tab, and its animation is what the frame timer plays.
class PaletteEditClass : public TabEditor {
 public:
  static constexpr int kCell = 24;
  static constexpr int kEntries = 16;
  static constexpr int kSlots = 4;
  static constexpr int kColors = 64;
  // Stored colours from 40 up are not NES colours; a right-click pick turns them into this.
  static constexpr int kPickedForInvalidColor = 0x0F;

  PaletteEditClass(RomImageData& rom, EditFlagManagement& flags, EditorGraphics& graphics,
                   Dialogs& dialogs);

  void AttachImages(std::array<TImageEx*, kSlots> paletteViews, TImageEx* colorTable,
                    TImageEx* selectedColor, std::array<TImageEx*, kSlots> animeViews);
  void AttachEdits(std::array<QLineEdit*, kEntries> paletteEdits,
                   std::array<QLineEdit*, kSlots> animeEdits);
  void AttachLabels(QLabel* selectedColor);
  void AttachUpDowns(std::array<UpDownButtons*, kSlots> animeButtons);
  void AttachTimer(QTimer* frameTimer);
  void AttachPaletteSetCombo(QComboBox* paletteSet);
  // Gives every attached image control its picture.
  void CreateBitmaps();

  void Reset() override;
  void RefreshTab() override;
  void RefreshPalette() override;

  void ShowPaletteEdits();
  void ShowAnimeEdits();
  // Runs on every text change of colour edit `entry` / animation edit `slot`.
  void ApplyPaletteEdit(int entry);
  void ApplyAnimeEdit(int slot);
  // The animation up-down buttons: +1 up, -1 down; walks 00, 80..FF, 00.
  void StepAnimeEdit(int slot, int direction);
  void SelectColor(int color);
  int SelectedColor() const { return selectedColor_; }
  int SelectedDefinition() const;

  // Reads the palettes (or the animation bytes) of the stage from the image again, after
  // asking; empties the stage's history.
  void Reload();
  void ReloadAnime();

  // Another definition was chosen (also after undo and redo of palette edits).
  void PaletteSetChange();
  // One frame-timer tick of the chosen definition's animation; true when a colour changed.
  bool StepAnimation();

  void ColorTableMouseDown(Qt::MouseButton button, int x, int y);
  void ColorTableMouseMove(int x, int y);
  void ColorTableMouseLeave();
  void PaletteViewMouseDown(int view, Qt::MouseButton button, int x);
  void PaletteViewMouseMove(int view, int x);
  void PaletteViewMouseLeave();

 private:
  StageData& Stage() const;
  // The renderer's stage colours become the chosen definition's stored ones, dropping any
  // animated colours.
  void UseStoredColors();
  // The cell under a picture position, or HoverCell::kNone outside the cells.
  static int ColorAt(int x, int y);
  static int PaletteEntryAt(int view, int x);
  int PaletteIndex(int entry) const { return SelectedDefinition() * kEntries + entry; }
  int AnimeIndex(int slot) const { return SelectedDefinition() * kSlots + slot; }
  void DrawPaletteCell(int entry);
  void RedrawPaletteCell(int entry);
  void DrawPaletteViews();
  void DrawColorTableCell(int color);
  void DrawColorTable();
  void DrawSelectedColor();
  void CopyAnimeStrip(int firstEntry, int count);
  void FramePaletteCell(int entry);
  void FrameColorTableCell(int color);

  RomImageData& rom_;
  EditFlagManagement& flags_;
  EditorGraphics& graphics_;
  Dialogs& dialogs_;

  int rememberedStage_ = 0;
  int selectedColor_ = 0;
  HoverCell paletteHover_;
  HoverCell colorHover_;
  // Cell e holds entry number e; recoloured through the renderer's stage colours.
  IndexedBitmap animeStrip_;

  std::array<TImageEx*, kSlots> paletteViews_{};
  TImageEx* colorTable_ = nullptr;
  TImageEx* selectedColorView_ = nullptr;
  std::array<TImageEx*, kSlots> animeViews_{};
  std::array<QLineEdit*, kEntries> paletteEdits_{};
  std::array<QLineEdit*, kSlots> animeEdits_{};
  std::array<UpDownButtons*, kSlots> animeButtons_{};
  QLabel* selectedColorLabel_ = nullptr;
  QTimer* frameTimer_ = nullptr;
  QComboBox* paletteSet_ = nullptr;
};

// The animation byte the up-down buttons step to from `current`.
int SteppedAnimeByte(int current, int direction);

}  // namespace zantor
