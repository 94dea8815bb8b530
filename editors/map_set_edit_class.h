#pragma once

#include <QString>
#include <array>
#include <cstdint>
#include <span>
#include <string>

#include "editors/chip_components.h"
#include "editors/hover_cell.h"
#include "editors/tab_editor.h"
#include "graphics/pixel_rect.h"

class QCheckBox;
class QLabel;
class QScrollBar;

namespace zantor {

class Dialogs;
class EditFlagManagement;
class EditorGraphics;
class PointerStatus;
class RomImageData;
class StageData;
class TImageEx;
class TMapSetEditGridForm;
class TShowUnusedChipNumForm;

// The map set tab: two of the stage's 40 map sets side by side (Page0 and Page1, each 8 x 8
// 32x32 chips), the table of all 32x32 chips and the chip a left click places.
class MapSetEditClass : public TabEditor {
 public:
  static constexpr int kPages = 2;
  static constexpr int kCells = 64;

  MapSetEditClass(RomImageData& rom, EditFlagManagement& flags, EditorGraphics& graphics,
                  Dialogs& dialogs, PointerStatus& pointerStatus);

  // Gives each page a 256 x 256 picture, the selected chip a 64 x 64 one and the chip table
  // a 256 x 256 one.
  void AttachImages(TImageEx* page0, TImageEx* page1, TImageEx* selectedChip, TImageEx* chipTable);
  void AttachLabels(std::array<QLabel*, kPages> pageNumbers, QLabel* selectedIndex,
                    ChipComponentLabels components);
  void AttachScrollBars(QScrollBar* bothPages, std::array<QScrollBar*, kPages> pages);
  void AttachGridCheckBox(QCheckBox* grid);
  void AttachGridDialog(TMapSetEditGridForm* gridDialog);
  void AttachReportDialog(TShowUnusedChipNumForm* reports);

  void Reset() override;
  void RefreshTab() override;
  void RefreshPalette() override;
  bool DrawsFromChipSheets() const override { return true; }

  int PageMapSet(int side) const { return pageMapSets_[side]; }
  int SelectedChip() const { return selectedChip_; }
  // The chip the next left click places; shown when the tab is next refreshed.
  void SetSelectedChip(int chip) { selectedChip_ = chip; }

  // The common bar asks for `first` as Page0; Page1 moves by as much.
  void ScrollPages(int first);
  void SetPageMapSet(int side, int number);
  void DrawPages();
  void DrawPage(int side);

  // The mouse over the pages and the chip table; positions outside a picture address no cell.
  void PageMouseDown(int side, Qt::MouseButton button, bool shift, bool ctrl, int x, int y);
  void PageMouseMove(int side, int x, int y);
  void PageMouseLeave(int side);
  // The frame moved onto the cell under (x, y) of a page, without the status text.
  void HoverPage(int side, int x, int y);
  void ChipTableMouseDown(Qt::MouseButton button, int x, int y);
  void ChipTableMouseMove(int x, int y);
  void ChipTableMouseLeave();

  // Reads the stage's map sets from the image again, after asking.
  void Reload();

  // The merging of 32x32 chips defined alike in the map sets: what it would replace (a line
  // "first <- duplicates" per group), and the merge itself, which returns the number of
  // cells changed. The definitions stay; a merge that changes cells flags the stage's map
  // sets and empties its history, as nothing of it can be undone.
  std::string ReplacementList() const;
  int ReplaceDuplicateChips();
  void ShowReplacement();

 private:
  HoverCell PageHover(int side);
  StageData& Stage() const;
  std::span<const std::uint8_t, kCells> PageCells(int side) const;
  int GetPageChip(int side, int cell) const;
  static int PageCellAt(int x, int y);
  static int TableCellAt(int x, int y);

  // The grid lines over area of a page, when shown.
  void DrawGridIfOn(int side, const PixelRect& area);
  void DrawChipTable();
  void DrawSelectedChip();
  void ShowPageLabel(int side);
  void SelectChip(int chip);

  void RestorePageCell(int side, int cell);
  void FramePageCell(int side, int cell);
  void RestoreTableCell(int chip);
  void FrameTableCell(int chip);
  void FrameAgainUnderThePointer();
  // After a page's map set changed: the page again with the frame under the pointer, and
  // the other page too when it shows the same map set.
  void ShowChangedPage(int side);

  void PlaceChip(int side, int cell);
  void CopyPage(int side);
  void PastePage(int side);
  void OpenGridDialog(int side);
  void ApplyGrid(int side, std::span<const std::uint8_t, kCells> cells);

  RomImageData& rom_;
  EditFlagManagement& flags_;
  EditorGraphics& graphics_;
  Dialogs& dialogs_;
  PointerStatus& pointerStatus_;

  std::array<int, kPages> pageMapSets_{0, 1};
  int selectedChip_ = 0;
  // One map set; survives resets, reloads, stage changes and opens.
  std::array<std::uint8_t, kCells> copyBuffer_{};
  std::array<HoverCell, kPages> pageHovers_;
  HoverCell tableHover_;

  std::array<TImageEx*, kPages> pages_{};
  TImageEx* selectedChipView_ = nullptr;
  TImageEx* chipTable_ = nullptr;
  std::array<QLabel*, kPages> pageLabels_{};
  QLabel* selectedIndexLabel_ = nullptr;
  ChipComponentLabels components_;
  QScrollBar* bothPagesBar_ = nullptr;
  std::array<QScrollBar*, kPages> pageBars_{};
  QCheckBox* grid_ = nullptr;
  TMapSetEditGridForm* gridDialog_ = nullptr;
  TShowUnusedChipNumForm* reports_ = nullptr;
};

}  // namespace zantor
