#pragma once

#include <QString>
#include <array>
#include <cstdint>
#include <string>

#include "editors/hover_cell.h"
#include "editors/tab_editor.h"
#include "graphics/indexed_bitmap.h"

class QLabel;
class QLineEdit;
class QScrollBar;
class QWidget;

namespace zantor {

class Dialogs;
class EditFlagManagement;
class EditorGraphics;
class PointerStatus;
class RadioGroup;
class RomImageData;
class StageData;
class TImageEx;
class TShowUnusedChipNumForm;

// The 16x16 chip tab: the stage's 256 chips of four tiles and a property byte each, and the
// two BG banks their tiles come from. Keeps the renderer's 16x16 chip sheet, which every
// tab that draws 32x32 chips, map sets or rooms is composed from.
class Chip16x16EditClass : public TabEditor, public ChipSheetSource {
 public:
  static constexpr int kChips = 256;
  static constexpr int kQuadrants = 4;
  static constexpr int kBankSlots = 2;
  static constexpr int kPanels = 16;

  Chip16x16EditClass(RomImageData& rom, EditFlagManagement& flags, EditorGraphics& graphics,
                     Dialogs& dialogs, PointerStatus& pointerStatus);

  // Gives each control its picture: 256 x 256, 256 x 256, 64 x 64 and 32 x 32.
  void AttachImages(TImageEx* bankTable, TImageEx* chipTable, TImageEx* editedChip,
                    TImageEx* selectedTile);
  void AttachPanels(std::array<QWidget*, kPanels> paletteColors);
  void AttachLabels(QLabel* chipIndex, QLabel* tileIndex, std::array<QLabel*, kQuadrants> chipTiles,
                    std::array<QLabel*, kBankSlots> banks, QLabel* property);
  void AttachRadioGroups(RadioGroup* attribute, RadioGroup* palette);
  void AttachScrollBars(std::array<QScrollBar*, kBankSlots> banks);
  void AttachEdit(QLineEdit* property);
  void AttachReportDialog(TShowUnusedChipNumForm* reports);

  void Reset() override;
  void RefreshTab() override;
  void RefreshPalette() override;
  void ApplySheetPalette() override;
  void RebuildChipSheet() override;
  // The whole chip sheet onto the chip table, in the current colours.
  void DrawChipTable();

  int SelectedTile() const { return selectedTile_; }
  int SelectedChip() const { return selectedChip_; }
  int BankPalette() const { return bankPalette_; }

  // The mouse over the three pictures; positions outside a picture address no cell.
  void BankTableMouseMove(int x, int y);
  void BankTableMouseLeave();
  void BankTableMouseDown(Qt::MouseButton button, int x, int y);
  void ChipTableMouseMove(int x, int y);
  void ChipTableMouseLeave();
  void ChipTableMouseDown(Qt::MouseButton button, bool ctrl, int x, int y);
  void EditedChipMouseMove(int x, int y);
  void EditedChipMouseLeave();
  void EditedChipMouseDown(Qt::MouseButton button, int x, int y);

  // The user's choices in the two radio groups and the property edit.
  void ApplyAttributeSelection();
  void ApplyPaletteSelection();
  void ApplyPropertyText();
  // A scroll notification of bank bar `slot`, the bar going to `position`.
  void ChangeBank(int slot, int position);

  // Reads the stage's banks, chips and properties from the image again, after asking.
  void Reload();

  // The two reports: 16x16 chips no 32x32 chip uses, tiles no 16x16 chip uses.
  std::string UnusedChipList() const;
  std::string UnusedTileList() const;
  void ShowUnusedChips();
  void ShowUnusedTiles();

 private:
  StageData& Stage() const;
  std::uint8_t Property() const;
  void Flag();

  static int TableCellAt(int x, int y);
  static int QuadrantAt(int x, int y);

  void DrawBanks();
  void ApplyBankPalette();
  void ShowBankTable();
  void DrawSelectedTile();
  void RedrawChip(int chip);
  void DrawEditedChip();
  void ShowPaletteColors();
  void ShowBanks();
  void ShowBankLabel(int slot);

  void RestoreBankCell(int tile);
  void FrameBankCell(int tile);
  void RestoreTableCell(int chip);
  void FrameTableCell(int chip);
  void FrameQuadrant(int quadrant);
  void FrameAgainUnderThePointer();

  void SelectTile(int tile);
  void SelectChip(int chip);
  void ShowChipTiles();
  void ShowPropertyText();
  void ShowChipAttribute();
  void ShowChipPalette();
  int PickChipTile(int x, int y);

  void PaintQuadrant(int quadrant);
  void CopyChip(int chip);
  void PasteChip(int chip);
  // A new property byte for the edited chip, and what shows it.
  void StoreProperty(std::uint8_t value);

  RomImageData& rom_;
  EditFlagManagement& flags_;
  EditorGraphics& graphics_;
  Dialogs& dialogs_;
  PointerStatus& pointerStatus_;

  // Both banks decoded, tile t at (t mod 16 * 8, t div 16 * 8), plain colours 0..3.
  IndexedBitmap bankBitmap_;
  int selectedTile_ = 0;
  int selectedChip_ = 0;
  int bankPalette_ = 0;
  // Tiles of quadrants 0..3, then the property; survives resets, reloads and opens.
  std::array<std::uint8_t, 5> copyBuffer_{};
  HoverCell bankHover_;
  HoverCell tableHover_;
  HoverCell quadrantHover_;

  TImageEx* bankTable_ = nullptr;
  TImageEx* chipTable_ = nullptr;
  TImageEx* editedChip_ = nullptr;
  TImageEx* selectedTileView_ = nullptr;
  std::array<QWidget*, kPanels> paletteColors_{};
  QLabel* chipIndexLabel_ = nullptr;
  QLabel* tileIndexLabel_ = nullptr;
  std::array<QLabel*, kQuadrants> chipTileLabels_{};
  std::array<QLabel*, kBankSlots> bankLabels_{};
  QLabel* propertyLabel_ = nullptr;
  RadioGroup* attributeGroup_ = nullptr;
  RadioGroup* paletteGroup_ = nullptr;
  std::array<QScrollBar*, kBankSlots> bankBars_{};
  QLineEdit* propertyEdit_ = nullptr;
  TShowUnusedChipNumForm* reports_ = nullptr;
};

}  // namespace zantor
