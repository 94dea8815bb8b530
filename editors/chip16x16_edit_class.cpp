#include "editors/chip16x16_edit_class.h"

#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QWidget>
#include <algorithm>

#include "core/chip_reports.h"
#include "core/edit_flag_management.h"
#include "core/rom_image_data.h"
#include "editors/color_panel.h"
#include "editors/pointer_status.h"
#include "editors/radio_group.h"
#include "editors/reload_confirmation.h"
#include "editors/show_unused_chip_num_form.h"
#include "editors/two_digit_hex.h"
#include "graphics/editor_graphics.h"
#include "graphics/image_ex.h"

namespace zantor {

namespace {

constexpr int kTile = 8;
constexpr int kBankCell = 16;  // a tile of the bank table, shown twice its size
constexpr int kBankColumns = 16;
constexpr int kBankSide = kBankColumns * kTile;
constexpr int kChipSide = EditorGraphics::kChip16Side;
constexpr int kTableColumns = 16;
constexpr int kTableSide = kTableColumns * kChipSide;
constexpr int kQuadrantSide = 32;  // a tile of the edited chip, shown four times its size
constexpr int kEditedSide = 2 * kQuadrantSide;
constexpr int kSelectedTileSide = 32;

PixelRect TileCell(int tile) { return PixelRect::GridCell(tile, kBankColumns, kTile); }

PixelRect ChipCell(int chip) { return PixelRect::GridCell(chip, kTableColumns, kChipSide); }

PixelRect BankTableCell(int tile) { return PixelRect::GridCell(tile, kBankColumns, kBankCell); }

}  // namespace

Chip16x16EditClass::Chip16x16EditClass(RomImageData& rom, EditFlagManagement& flags,
                                       EditorGraphics& graphics, Dialogs& dialogs,
                                       PointerStatus& pointerStatus)
    : rom_(rom),
      flags_(flags),
      graphics_(graphics),
      dialogs_(dialogs),
      pointerStatus_(pointerStatus),
      bankBitmap_(graphics.CreateStageBitmap(kBankSide, kBankSide)),
      bankHover_([this](int tile) { RestoreBankCell(tile); },
                 [this](int tile) { FrameBankCell(tile); }),
      tableHover_([this](int chip) { RestoreTableCell(chip); },
                  [this](int chip) { FrameTableCell(chip); }),
      quadrantHover_([this](int) { DrawEditedChip(); },
                     [this](int quadrant) { FrameQuadrant(quadrant); }) {}

void Chip16x16EditClass::AttachImages(TImageEx* bankTable, TImageEx* chipTable,
                                      TImageEx* editedChip, TImageEx* selectedTile) {
  bankTable_ = bankTable;
  chipTable_ = chipTable;
  editedChip_ = editedChip;
  selectedTileView_ = selectedTile;
  bankTable_->SetPicture(graphics_.CreateDisplayPicture(2 * kBankSide, 2 * kBankSide));
  chipTable_->SetPicture(graphics_.CreateDisplayPicture(kTableSide, kTableSide));
  editedChip_->SetPicture(graphics_.CreateDisplayPicture(kEditedSide, kEditedSide));
  selectedTileView_->SetPicture(
      graphics_.CreateDisplayPicture(kSelectedTileSide, kSelectedTileSide));
}

void Chip16x16EditClass::AttachPanels(std::array<QWidget*, kPanels> paletteColors) {
  paletteColors_ = paletteColors;
}

void Chip16x16EditClass::AttachLabels(QLabel* chipIndex, QLabel* tileIndex,
                                      std::array<QLabel*, kQuadrants> chipTiles,
                                      std::array<QLabel*, kBankSlots> banks, QLabel* property) {
  chipIndexLabel_ = chipIndex;
  tileIndexLabel_ = tileIndex;
  chipTileLabels_ = chipTiles;
  bankLabels_ = banks;
  propertyLabel_ = property;
}

void Chip16x16EditClass::AttachRadioGroups(RadioGroup* attribute, RadioGroup* palette) {
  attributeGroup_ = attribute;
  paletteGroup_ = palette;
}

void Chip16x16EditClass::AttachScrollBars(std::array<QScrollBar*, kBankSlots> banks) {
  bankBars_ = banks;
}

void Chip16x16EditClass::AttachEdit(QLineEdit* property) { propertyEdit_ = property; }

void Chip16x16EditClass::AttachReportDialog(TShowUnusedChipNumForm* reports) { reports_ = reports; }

StageData& Chip16x16EditClass::Stage() const { return rom_.CurrentStageData(); }

std::uint8_t Chip16x16EditClass::Property() const { return Stage().ChipProperty()[selectedChip_]; }

void Chip16x16EditClass::Flag() { flags_.SetChip16x16Modified(rom_.CurrentStage(), true); }

int Chip16x16EditClass::TableCellAt(int x, int y) {
  return GridCellAt(x, y, kChipSide, kTableColumns, kTableColumns);
}

int Chip16x16EditClass::QuadrantAt(int x, int y) { return GridCellAt(x, y, kQuadrantSide, 2, 2); }

// --- Lifecycle -------------------------------------------------------------------------

void Chip16x16EditClass::Reset() {
  bankPalette_ = 0;
  selectedTile_ = 0;
  selectedChip_ = 0;
  bankHover_.Clear();
  tableHover_.Clear();
  quadrantHover_.Clear();
  DrawBanks();
  ShowBankTable();
  RebuildChipSheet();
  DrawChipTable();
  SelectChip(0);
  SelectTile(0);
  ShowPaletteColors();
  ShowBanks();
}

void Chip16x16EditClass::RefreshTab() {
  ApplySheetPalette();
  RebuildChipSheet();
  ShowBanks();
  DrawBanks();
  ShowBankTable();
  DrawChipTable();
  DrawEditedChip();
  ShowPaletteColors();
  ShowChipAttribute();
  ShowChipPalette();
  ShowPropertyText();
  ShowChipTiles();
  // The pointer may rest on a picture that was just drawn anew (an undo by key).
  FrameAgainUnderThePointer();
}

void Chip16x16EditClass::RefreshPalette() {
  ShowBankTable();
  DrawChipTable();
  DrawEditedChip();
  FrameAgainUnderThePointer();
  ShowPaletteColors();
}

void Chip16x16EditClass::FrameAgainUnderThePointer() {
  bankHover_.FrameAgain();
  tableHover_.FrameAgain();
  quadrantHover_.FrameAgain();
}

void Chip16x16EditClass::ApplySheetPalette() {
  graphics_.Chip16Sheet().CopyPaletteFrom(graphics_.StageBitmap());
}

void Chip16x16EditClass::RebuildChipSheet() {
  graphics_.BuildChip16Sheet(graphics_.Chip16Sheet(), Stage().BGBank(), Stage().Chip16x16(),
                             Stage().ChipProperty());
}

// --- Drawing ---------------------------------------------------------------------------

void Chip16x16EditClass::DrawBanks() {
  for (int slot = 0; slot < kBankSlots; ++slot) {
    graphics_.DrawBank(bankBitmap_, Stage().BGBank()[slot], slot * kBankSide / 2);
  }
}

void Chip16x16EditClass::ApplyBankPalette() {
  for (int colour = 0; colour < 4; ++colour) {
    bankBitmap_.SetPaletteEntry(colour, graphics_.GetStageColor(bankPalette_ * 4 + colour));
  }
}

void Chip16x16EditClass::ShowBankTable() {
  ApplyBankPalette();
  bankBitmap_.CopyRegion(*bankTable_->Picture(), bankTable_->Picture()->Bounds(),
                         bankBitmap_.Bounds());
  DrawSelectedTile();
}

void Chip16x16EditClass::DrawSelectedTile() {
  bankBitmap_.CopyRegion(*selectedTileView_->Picture(), selectedTileView_->Picture()->Bounds(),
                         TileCell(selectedTile_));
}

void Chip16x16EditClass::DrawChipTable() {
  ApplySheetPalette();
  graphics_.Chip16Sheet().CopyRegion(*chipTable_->Picture(), chipTable_->Picture()->Bounds(),
                                     graphics_.Chip16Sheet().Bounds());
}

void Chip16x16EditClass::RedrawChip(int chip) {
  const PixelRect cell = ChipCell(chip);
  graphics_.DrawChip16(graphics_.Chip16Sheet(), Stage().BGBank(), Stage().Chip16x16(), cell.left,
                       cell.top, static_cast<std::uint8_t>(chip), Stage().ChipProperty()[chip] & 3);
  graphics_.Chip16Sheet().CopyRegion(*chipTable_->Picture(), cell, cell);
}

void Chip16x16EditClass::DrawEditedChip() {
  graphics_.Chip16Sheet().CopyRegion(*editedChip_->Picture(), editedChip_->Picture()->Bounds(),
                                     ChipCell(selectedChip_));
}

void Chip16x16EditClass::ShowPaletteColors() {
  for (int entry = 0; entry < kPanels; ++entry) {
    ShowPanelColor(*paletteColors_[entry], graphics_.GetStageColor(entry));
  }
}

void Chip16x16EditClass::ShowBanks() {
  for (int slot = 0; slot < kBankSlots; ++slot) {
    bankBars_[slot]->setValue(Stage().BGBank()[slot]);  // runs no scroll handler
    ShowBankLabel(slot);
  }
}

void Chip16x16EditClass::ShowBankLabel(int slot) {
  bankLabels_[slot]->setText(TwoDigitHex(Stage().BGBank()[slot]));
}

// --- Hover frames ----------------------------------------------------------------------

void Chip16x16EditClass::RestoreBankCell(int tile) {
  bankBitmap_.CopyRegion(*bankTable_->Picture(), BankTableCell(tile), TileCell(tile));
}

void Chip16x16EditClass::FrameBankCell(int tile) {
  const PixelRect cell = BankTableCell(tile);
  graphics_.DrawFrame(*bankTable_->Picture(), cell.left, cell.top, kBankCell);
}

void Chip16x16EditClass::RestoreTableCell(int chip) {
  graphics_.Chip16Sheet().CopyRegion(*chipTable_->Picture(), ChipCell(chip), ChipCell(chip));
}

void Chip16x16EditClass::FrameTableCell(int chip) {
  const PixelRect cell = ChipCell(chip);
  graphics_.DrawFrame(*chipTable_->Picture(), cell.left, cell.top, kChipSide);
}

void Chip16x16EditClass::FrameQuadrant(int quadrant) {
  graphics_.DrawFrame(*editedChip_->Picture(), quadrant % 2 * kQuadrantSide,
                      quadrant / 2 * kQuadrantSide, kQuadrantSide);
}

void Chip16x16EditClass::BankTableMouseMove(int x, int y) {
  const int tile = GridCellAt(x, y, kBankCell, kBankColumns, kBankColumns);
  pointerStatus_.ShowNumber(QStringLiteral("タイルNo:"), tile);
  bankHover_.MoveTo(tile);
}

void Chip16x16EditClass::BankTableMouseLeave() {
  pointerStatus_.ClearPointerText();
  bankHover_.Leave();
}

void Chip16x16EditClass::BankTableMouseDown(Qt::MouseButton button, int x, int y) {
  if (button == Qt::LeftButton) {
    const int tile = GridCellAt(x, y, kBankCell, kBankColumns, kBankColumns);
    if (tile == HoverCell::kNone) return;
    bankHover_.MoveTo(tile);
    SelectTile(tile);
  } else if (button == Qt::RightButton) {
    bankPalette_ = (bankPalette_ + 1) % 4;
    ShowBankTable();
    bankHover_.FrameAgain();
  }
}

void Chip16x16EditClass::ChipTableMouseMove(int x, int y) {
  const int chip = TableCellAt(x, y);
  pointerStatus_.ShowNumber(QStringLiteral("16x16チップNo:"), chip);
  tableHover_.MoveTo(chip);
}

void Chip16x16EditClass::ChipTableMouseLeave() {
  pointerStatus_.ClearPointerText();
  tableHover_.Leave();
}

void Chip16x16EditClass::ChipTableMouseDown(Qt::MouseButton button, bool ctrl, int x, int y) {
  const int chip = TableCellAt(x, y);
  if (chip == HoverCell::kNone) return;
  tableHover_.MoveTo(chip);
  if (button == Qt::LeftButton) {
    if (ctrl) {
      PasteChip(chip);
    } else {
      SelectChip(chip);
    }
  } else if (button == Qt::RightButton) {
    if (ctrl) {
      CopyChip(chip);
    } else {
      SelectTile(PickChipTile(x, y));
    }
  }
}

void Chip16x16EditClass::EditedChipMouseMove(int x, int y) {
  quadrantHover_.MoveTo(QuadrantAt(x, y));
}

void Chip16x16EditClass::EditedChipMouseLeave() { quadrantHover_.Leave(); }

void Chip16x16EditClass::EditedChipMouseDown(Qt::MouseButton button, int x, int y) {
  const int quadrant = QuadrantAt(x, y);
  if (quadrant == HoverCell::kNone) return;
  quadrantHover_.MoveTo(quadrant);
  if (button == Qt::LeftButton) {
    PaintQuadrant(quadrant);
  } else if (button == Qt::RightButton) {
    SelectTile(Stage().Chip16x16()[quadrant * kChips + selectedChip_]);
  }
}

// --- Selection -------------------------------------------------------------------------

void Chip16x16EditClass::SelectTile(int tile) {
  selectedTile_ = tile;
  DrawSelectedTile();
  tileIndexLabel_->setText(TwoDigitHex(tile));
}

void Chip16x16EditClass::SelectChip(int chip) {
  selectedChip_ = chip;
  DrawEditedChip();
  chipIndexLabel_->setText(TwoDigitHex(chip));
  ShowChipTiles();
  ShowPropertyText();
  ShowChipAttribute();
  ShowChipPalette();
}

void Chip16x16EditClass::ShowChipTiles() {
  for (int quadrant = 0; quadrant < kQuadrants; ++quadrant) {
    chipTileLabels_[quadrant]->setText(
        TwoDigitHex(Stage().Chip16x16()[quadrant * kChips + selectedChip_]));
  }
}

void Chip16x16EditClass::ShowPropertyText() {
  const int property = Property();
  propertyLabel_->setText(QStringLiteral("(") + TwoDigitHex(property & 0xFC) +
                          QStringLiteral(" + ") + QString::number(property & 3) +
                          QStringLiteral(")"));
  propertyEdit_->setText(TwoDigitHex(property));  // its change handler finds nothing to do
}

void Chip16x16EditClass::ShowChipAttribute() { attributeGroup_->SetItemIndex(Property() >> 4); }

void Chip16x16EditClass::ShowChipPalette() { paletteGroup_->SetItemIndex(Property() & 3); }

int Chip16x16EditClass::PickChipTile(int x, int y) {
  const int chip = TableCellAt(x, y);
  const int quadrant = (y % kChipSide / kTile) * 2 + x % kChipSide / kTile;
  return Stage().Chip16x16()[quadrant * kChips + chip];
}

// --- Editing ---------------------------------------------------------------------------

void Chip16x16EditClass::PaintQuadrant(int quadrant) {
  if (!Stage().SetChipTile(quadrant * kChips + selectedChip_,
                           static_cast<std::uint8_t>(selectedTile_))) {
    return;
  }
  Flag();
  chipTileLabels_[quadrant]->setText(TwoDigitHex(selectedTile_));
  RedrawChip(selectedChip_);
  DrawEditedChip();
  quadrantHover_.FrameAgain();
}

void Chip16x16EditClass::CopyChip(int chip) {
  for (int quadrant = 0; quadrant < kQuadrants; ++quadrant) {
    copyBuffer_[quadrant] = Stage().Chip16x16()[quadrant * kChips + chip];
  }
  copyBuffer_[kQuadrants] = Stage().ChipProperty()[chip];
}

void Chip16x16EditClass::PasteChip(int chip) {
  std::array<std::uint8_t, 5> current{};
  for (int quadrant = 0; quadrant < kQuadrants; ++quadrant) {
    current[quadrant] = Stage().Chip16x16()[quadrant * kChips + chip];
  }
  current[kQuadrants] = Stage().ChipProperty()[chip];
  if (current == copyBuffer_) return;
  Stage().PasteChip16x16(chip, copyBuffer_);
  Flag();
  RedrawChip(chip);
  // The chip being edited shows its new tiles and property at once.
  if (chip == selectedChip_) SelectChip(chip);
  tableHover_.FrameAgain();
}

void Chip16x16EditClass::StoreProperty(std::uint8_t value) {
  Stage().SetChipProperty(selectedChip_, value);
  Flag();
}

void Chip16x16EditClass::ApplyAttributeSelection() {
  const int attribute = attributeGroup_->ItemIndex();
  const int property = Property();
  if (attribute < 0 || attribute == property >> 4) return;
  StoreProperty(static_cast<std::uint8_t>(attribute * 16 + (property & 0x0F)));
  ShowPropertyText();
}

void Chip16x16EditClass::ApplyPaletteSelection() {
  const int palette = paletteGroup_->ItemIndex();
  const int property = Property();
  if (palette < 0 || palette == (property & 3)) return;
  StoreProperty(static_cast<std::uint8_t>((property & 0xFC) + palette));
  ShowPropertyText();
  RedrawChip(selectedChip_);
  DrawEditedChip();
}

void Chip16x16EditClass::ApplyPropertyText() {
  // Every byte is a property.
  const auto value = SettleHexEdit(*propertyEdit_, Property(), [](int) { return true; });
  if (!value) return;
  StoreProperty(static_cast<std::uint8_t>(*value));
  ShowChipPalette();
  ShowChipAttribute();
  RedrawChip(selectedChip_);
  DrawEditedChip();
  ShowPropertyText();
}

void Chip16x16EditClass::ChangeBank(int slot, int position) {
  // Recorded only when the number changes; a notification that keeps it still marks the
  // chips modified, as the bar was moved.
  Stage().SetBGBank(slot, static_cast<std::uint8_t>(position));
  ShowBankLabel(slot);
  graphics_.DrawBank(bankBitmap_, Stage().BGBank()[slot], slot * kBankSide / 2);
  ShowBankTable();
  RebuildChipSheet();
  DrawChipTable();
  DrawEditedChip();
  Flag();
}

void Chip16x16EditClass::Reload() {
  ReloadAfterConfirming(
      dialogs_, QStringLiteral("チップ・BGバンク"), Stage(),
      [](StageData& stage) {
        stage.LoadBGBank();
        stage.LoadChip16x16();
        stage.LoadChipProperty();
      },
      *this);
}

// --- Reports ---------------------------------------------------------------------------

std::string Chip16x16EditClass::UnusedChipList() const {
  return UnusedNumberReport(Stage().Chip32x32());
}

std::string Chip16x16EditClass::UnusedTileList() const {
  return UnusedNumberReport(Stage().Chip16x16());
}

void Chip16x16EditClass::ShowUnusedChips() {
  reports_->ShowReport(dialogs_, QStringLiteral("未使用16x16チップ番号"),
                       QStringLiteral("32x32チップに使用されてない16x16チップ番号は"),
                       UnusedChipList());
}

void Chip16x16EditClass::ShowUnusedTiles() {
  reports_->ShowReport(dialogs_, QStringLiteral("未使用タイル番号"),
                       QStringLiteral("16x16チップに使用されてないタイル番号は"), UnusedTileList());
}

}  // namespace zantor
