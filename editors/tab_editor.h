#pragma once

namespace zantor {

// What the main window asks of the editor behind each tab.
class TabEditor {
 public:
  virtual ~TabEditor() = default;
  // An image was opened or the stage changed: start again on the current stage.
  virtual void Reset() = 0;
  // The tab is being shown (also after every undo and redo): show the current data.
  virtual void RefreshTab() = 0;
  // The palette animation changed a colour while the tab is shown: recolour its pictures.
  virtual void RefreshPalette() = 0;
  // Whether the tab draws from the 16x16 and 32x32 chip sheets, which the main window
  // then rebuilds before RefreshTab.
  virtual bool DrawsFromChipSheets() const { return false; }
};

// An editor that keeps one of the chip sheets other tabs draw from.
class ChipSheetSource {
 public:
  virtual ~ChipSheetSource() = default;
  // Gives the sheet the current background palette.
  virtual void ApplySheetPalette() = 0;
  // Draws every chip of the current stage into the sheet again.
  virtual void RebuildChipSheet() = 0;
};

}  // namespace zantor
