#include "editors/map_set_edit_class.h"

#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QScrollBar>
#include <algorithm>

#include "core/chip_reports.h"
#include "core/edit_flag_management.h"
#include "core/rom_image_data.h"
#include "editors/dialogs.h"
#include "editors/map_set_edit_grid_form.h"
#include "editors/pointer_status.h"
#include "editors/reload_confirmation.h"
#include "editors/show_unused_chip_num_form.h"
#include "editors/two_digit_hex.h"
#include "graphics/editor_graphics.h"
#include "graphics/image_ex.h"

namespace zantor {

namespace {

constexpr int kCell = EditorGraphics::kChip32Side;  // a chip of a page, 1:1
constexpr int kColumns = 8;
constexpr int kPageSide = kColumns * kCell;
constexpr int kTableCell = 16;  // a chip of the table, at half size
constexpr int kTableColumns = 16;
constexpr int kTableSide = kTableColumns * kTableCell;
constexpr int kSelectedSide = 2 * kCell;
constexpr int kLastMapSet = kMapSetCount - 1;
constexpr int kLastFirstPage = kMapSetCount - 2;  // the common bar's last position

PixelRect PageCell(int cell) { return PixelRect::GridCell(cell, kColumns, kCell); }

PixelRect TableCell(int chip) { return PixelRect::GridCell(chip, kTableColumns, kTableCell); }

}  // namespace

MapSetEditClass::MapSetEditClass(RomImageData& rom, EditFlagManagement& flags,
                                 EditorGraphics& graphics, Dialogs& dialogs,
                                 PointerStatus& pointerStatus)
    : rom_(rom),
      flags_(flags),
      graphics_(graphics),
      dialogs_(dialogs),
      pointerStatus_(pointerStatus),
      pageHovers_{PageHover(0), PageHover(1)},
      tableHover_([this](int chip) { RestoreTableCell(chip); },
                  [this](int chip) { FrameTableCell(chip); }) {}

HoverCell MapSetEditClass::PageHover(int side) {
  return HoverCell([this, side](int cell) { RestorePageCell(side, cell); },
                   [this, side](int cell) { FramePageCell(side, cell); });
}

void MapSetEditClass::AttachImages(TImageEx* page0, TImageEx* page1, TImageEx* selectedChip,
                                   TImageEx* chipTable) {
  pages_ = {page0, page1};
  selectedChipView_ = selectedChip;
  chipTable_ = chipTable;
  for (TImageEx* page : pages_)
    page->SetPicture(graphics_.CreateDisplayPicture(kPageSide, kPageSide));
  selectedChipView_->SetPicture(graphics_.CreateDisplayPicture(kSelectedSide, kSelectedSide));
  chipTable_->SetPicture(graphics_.CreateDisplayPicture(kTableSide, kTableSide));
}

void MapSetEditClass::AttachLabels(std::array<QLabel*, kPages> pageNumbers, QLabel* selectedIndex,
                                   ChipComponentLabels components) {
  pageLabels_ = pageNumbers;
  selectedIndexLabel_ = selectedIndex;
  components_ = components;
}

void MapSetEditClass::AttachScrollBars(QScrollBar* bothPages,
                                       std::array<QScrollBar*, kPages> pages) {
  bothPagesBar_ = bothPages;
  pageBars_ = pages;
}

void MapSetEditClass::AttachGridCheckBox(QCheckBox* grid) { grid_ = grid; }

void MapSetEditClass::AttachGridDialog(TMapSetEditGridForm* gridDialog) {
  gridDialog_ = gridDialog;
}

void MapSetEditClass::AttachReportDialog(TShowUnusedChipNumForm* reports) { reports_ = reports; }

StageData& MapSetEditClass::Stage() const { return rom_.CurrentStageData(); }

std::span<const std::uint8_t, MapSetEditClass::kCells> MapSetEditClass::PageCells(int side) const {
  return Stage()
      .MapSet()
      .subspan(static_cast<std::size_t>(pageMapSets_[side]) * kCells)
      .first<kCells>();
}

int MapSetEditClass::GetPageChip(int side, int cell) const { return PageCells(side)[cell]; }

int MapSetEditClass::PageCellAt(int x, int y) {
  return GridCellAt(x, y, kCell, kColumns, kColumns);
}

int MapSetEditClass::TableCellAt(int x, int y) {
  return GridCellAt(x, y, kTableCell, kTableColumns, kTableColumns);
}

// --- Lifecycle -------------------------------------------------------------------------

void MapSetEditClass::Reset() {
  pageMapSets_ = {0, 1};
  for (HoverCell& hover : pageHovers_) hover.Clear();
  tableHover_.Clear();
  DrawPages();
  for (int side = 0; side < kPages; ++side) ShowPageLabel(side);
  DrawChipTable();
  SelectChip(0);
  bothPagesBar_->setValue(0);  // bars set from code run no handler
  pageBars_[0]->setValue(0);
  pageBars_[1]->setValue(1);
}

void MapSetEditClass::RefreshTab() {
  DrawPages();
  DrawChipTable();
  SelectChip(selectedChip_);
  // The pointer may rest on a page that was just drawn anew (an undo by key).
  FrameAgainUnderThePointer();
}

void MapSetEditClass::RefreshPalette() {
  graphics_.RefreshChip32SheetPalette();
  DrawPages();
  DrawChipTable();
  DrawSelectedChip();
  FrameAgainUnderThePointer();
}

void MapSetEditClass::FrameAgainUnderThePointer() {
  for (HoverCell& hover : pageHovers_) hover.FrameAgain();
  tableHover_.FrameAgain();
}

// --- Pages -----------------------------------------------------------------------------

void MapSetEditClass::DrawPage(int side) {
  graphics_.DrawMapSet(*pages_[side]->Picture(), PageCells(side));
  DrawGridIfOn(side, pages_[side]->Picture()->Bounds());
}

void MapSetEditClass::DrawPages() {
  for (int side = 0; side < kPages; ++side) DrawPage(side);
}

void MapSetEditClass::DrawGridIfOn(int side, const PixelRect& area) {
  if (grid_->isChecked()) graphics_.DrawGrid(*pages_[side]->Picture(), kCell, kCell, area);
}

void MapSetEditClass::ShowPageLabel(int side) {
  pageLabels_[side]->setText(TwoDigitHex(pageMapSets_[side]));
}

void MapSetEditClass::ScrollPages(int first) {
  const int page0 = std::clamp(first, 0, kLastFirstPage);
  const int step = page0 - pageMapSets_[0];
  pageMapSets_[0] = page0;
  pageMapSets_[1] = std::clamp(pageMapSets_[1] + step, 1, kLastMapSet);
  for (int side = 0; side < kPages; ++side) {
    DrawPage(side);
    ShowPageLabel(side);
    pageBars_[side]->setValue(pageMapSets_[side]);
    // The cells under the pointer show other chips now.
    pageHovers_[side].FrameAgain();
  }
}

void MapSetEditClass::SetPageMapSet(int side, int number) {
  pageMapSets_[side] = std::clamp(number, 0, kLastMapSet);
  DrawPage(side);
  ShowPageLabel(side);
  pageHovers_[side].FrameAgain();
}

void MapSetEditClass::ShowChangedPage(int side) {
  pageHovers_[side].FrameAgain();
  const int other = 1 - side;
  if (pageMapSets_[other] == pageMapSets_[side]) {
    DrawPage(other);
    pageHovers_[other].FrameAgain();
  }
}

// --- Chip table and selected chip ------------------------------------------------------

void MapSetEditClass::DrawChipTable() { graphics_.DrawChip32Sheet(*chipTable_->Picture()); }

void MapSetEditClass::DrawSelectedChip() {
  graphics_.DrawChip32(*selectedChipView_->Picture(), 0, 0, kSelectedSide, kSelectedSide,
                       static_cast<std::uint8_t>(selectedChip_));
}

void MapSetEditClass::SelectChip(int chip) {
  selectedChip_ = chip;
  DrawSelectedChip();
  selectedIndexLabel_->setText(TwoDigitHex(chip));
  components_.Show(rom_, chip);
}

// --- Hover frames ----------------------------------------------------------------------

void MapSetEditClass::RestorePageCell(int side, int cell) {
  const PixelRect area = PageCell(cell);
  graphics_.DrawChip32(*pages_[side]->Picture(), area.left, area.top, kCell, kCell,
                       static_cast<std::uint8_t>(GetPageChip(side, cell)));
  DrawGridIfOn(side, area);
}

void MapSetEditClass::FramePageCell(int side, int cell) {
  const PixelRect area = PageCell(cell);
  graphics_.DrawFrame(*pages_[side]->Picture(), area.left, area.top, kCell);
}

void MapSetEditClass::RestoreTableCell(int chip) {
  const PixelRect area = TableCell(chip);
  graphics_.DrawChip32(*chipTable_->Picture(), area.left, area.top, kTableCell, kTableCell,
                       static_cast<std::uint8_t>(chip));
}

void MapSetEditClass::FrameTableCell(int chip) {
  const PixelRect area = TableCell(chip);
  graphics_.DrawFrame(*chipTable_->Picture(), area.left, area.top, kTableCell);
}

// --- Mouse -----------------------------------------------------------------------------

void MapSetEditClass::PageMouseDown(int side, Qt::MouseButton button, bool shift, bool ctrl, int x,
                                    int y) {
  if (button == Qt::LeftButton && shift) {
    OpenGridDialog(side);
  } else if (button == Qt::LeftButton && ctrl) {
    PastePage(side);
  } else if (button == Qt::RightButton && ctrl) {
    CopyPage(side);
  } else if (button == Qt::LeftButton || button == Qt::RightButton) {
    const int cell = PageCellAt(x, y);
    if (cell == HoverCell::kNone) return;
    pageHovers_[side].MoveTo(cell);
    if (button == Qt::LeftButton) {
      PlaceChip(side, cell);
    } else {
      SelectChip(GetPageChip(side, cell));
    }
  }
}

void MapSetEditClass::PageMouseMove(int side, int x, int y) {
  const int cell = PageCellAt(x, y);
  if (cell == HoverCell::kNone) {
    pointerStatus_.ClearPointerText();
  } else {
    pointerStatus_.ShowPointerText(QStringLiteral("Index:%1(%2,%3) 32x32チップNo:%4")
                                       .arg(TwoDigitHex(cell))
                                       .arg(cell % kColumns)
                                       .arg(cell / kColumns)
                                       .arg(TwoDigitHex(GetPageChip(side, cell))));
  }
  HoverPage(side, x, y);
}

void MapSetEditClass::HoverPage(int side, int x, int y) {
  pageHovers_[side].MoveTo(PageCellAt(x, y));
}

void MapSetEditClass::PageMouseLeave(int side) {
  pointerStatus_.ClearPointerText();
  // Leaving with no cell framed draws and reads nothing.
  pageHovers_[side].Leave();
}

void MapSetEditClass::ChipTableMouseDown(Qt::MouseButton button, int x, int y) {
  const int chip = TableCellAt(x, y);
  if (button != Qt::LeftButton || chip == HoverCell::kNone) return;
  tableHover_.MoveTo(chip);
  SelectChip(chip);
}

void MapSetEditClass::ChipTableMouseMove(int x, int y) {
  const int chip = TableCellAt(x, y);
  pointerStatus_.ShowNumber(QStringLiteral("32x32チップNo:"), chip);
  tableHover_.MoveTo(chip);
}

void MapSetEditClass::ChipTableMouseLeave() {
  pointerStatus_.ClearPointerText();
  tableHover_.Leave();
}

// --- Editing ---------------------------------------------------------------------------

void MapSetEditClass::PlaceChip(int side, int cell) {
  const int index = pageMapSets_[side] * kCells + cell;
  if (!Stage().SetMapSetCell(index, static_cast<std::uint8_t>(selectedChip_))) return;
  RestorePageCell(side, cell);
  ShowChangedPage(side);
  flags_.SetMapSetModified(rom_.CurrentStage(), true);
}

void MapSetEditClass::CopyPage(int side) {
  const auto cells = PageCells(side);
  std::copy(cells.begin(), cells.end(), copyBuffer_.begin());
}

void MapSetEditClass::PastePage(int side) {
  const auto cells = PageCells(side);
  if (std::equal(cells.begin(), cells.end(), copyBuffer_.begin())) return;
  Stage().PasteMapSet(pageMapSets_[side] * kCells, copyBuffer_);
  flags_.SetMapSetModified(rom_.CurrentStage(), true);
  DrawPage(side);
  ShowChangedPage(side);
}

void MapSetEditClass::OpenGridDialog(int side) {
  gridDialog_->PrepareGridDialog(pageMapSets_[side], PageCells(side));
  if (dialogs_.ExecModal(*gridDialog_) != QDialog::Accepted) return;
  ApplyGrid(side, gridDialog_->GridResult());
}

void MapSetEditClass::ApplyGrid(int side, std::span<const std::uint8_t, kCells> cells) {
  const auto stored = PageCells(side);
  if (std::equal(stored.begin(), stored.end(), cells.begin())) return;
  Stage().GridEditMapSet(pageMapSets_[side] * kCells, cells);
  flags_.SetMapSetModified(rom_.CurrentStage(), true);
  DrawPage(side);
  ShowChangedPage(side);
}

void MapSetEditClass::Reload() {
  ReloadAfterConfirming(dialogs_, QStringLiteral("マップセットデータ"), Stage(),
                        &StageData::LoadMapSet, *this);
}

// --- Merging duplicate chips ----------------------------------------------------------

std::string MapSetEditClass::ReplacementList() const {
  return DuplicateGroupText(DuplicateChipGroups(Stage().Chip32x32()), " <- ");
}

int MapSetEditClass::ReplaceDuplicateChips() {
  StageData& stage = Stage();
  // Every chip stands for itself but a duplicate, which stands for the first of its group
  // (a chip is the duplicate of one group at most).
  std::array<std::uint8_t, 256> standsFor{};
  for (int chip = 0; chip < 256; ++chip) standsFor[chip] = static_cast<std::uint8_t>(chip);
  for (const DuplicateGroup& group : DuplicateChipGroups(stage.Chip32x32())) {
    for (const int duplicate : group.duplicates) {
      standsFor[duplicate] = static_cast<std::uint8_t>(group.first);
    }
  }
  int changed = 0;
  for (int index = 0; index < kMapSetCount * kCells; ++index) {
    const std::uint8_t chip = stage.MapSet()[index];
    if (standsFor[chip] != chip) {
      stage.OverwriteMapSetCell(index, standsFor[chip]);
      ++changed;
    }
  }
  if (changed > 0) {
    flags_.SetMapSetModified(rom_.CurrentStage(), true);
    stage.ClearHistory();
  }
  return changed;
}

void MapSetEditClass::ShowReplacement() {
  reports_->ShowReplacement(dialogs_, ReplacementList(),
                            [this] { return ReplaceDuplicateChips(); });
}

}  // namespace zantor
