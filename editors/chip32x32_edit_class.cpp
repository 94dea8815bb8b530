#include "editors/chip32x32_edit_class.h"

#include <QCheckBox>
#include <QLabel>

#include "core/chip_reports.h"
#include "core/edit_flag_management.h"
#include "core/rom_image_data.h"
#include "editors/pointer_status.h"
#include "editors/reload_confirmation.h"
#include "editors/show_unused_chip_num_form.h"
#include "editors/two_digit_hex.h"
#include "graphics/editor_graphics.h"
#include "graphics/image_ex.h"

namespace zantor {

namespace {

constexpr int kChip32 = EditorGraphics::kChip32Side;
constexpr int kChip16 = EditorGraphics::kChip16Side;
constexpr int kSheetColumns = 16;
constexpr int kViewRows = 8;
constexpr int kChipsPerHalf = kSheetColumns * kViewRows;
constexpr int kViewWidth = kSheetColumns * kChip32;
constexpr int kViewHeight = kViewRows * kChip32;
constexpr int kTableSide = kSheetColumns * kChip16;
constexpr int kPartSide = 32;  // a 16x16 part of the edited chip, shown twice its size
constexpr int kEditedSide = 2 * kPartSide;
constexpr int kSelectedSide = 2 * kChip16;

PixelRect SheetCell(int chip, int side) { return PixelRect::GridCell(chip, kSheetColumns, side); }

// Where chip k shows in the view when its half is shown.
PixelRect ViewCell(int chip) { return SheetCell(chip % kChipsPerHalf, kChip32); }

}  // namespace

Chip32x32EditClass::Chip32x32EditClass(RomImageData& rom, EditFlagManagement& flags,
                                       EditorGraphics& graphics, Dialogs& dialogs,
                                       PointerStatus& pointerStatus)
    : rom_(rom),
      flags_(flags),
      graphics_(graphics),
      dialogs_(dialogs),
      pointerStatus_(pointerStatus),
      tableHover_([this](int chip) { RestoreTableCell(chip); },
                  [this](int chip) { FrameTableCell(chip); }),
      viewHover_([this](int chip) { CopyViewCell(chip); },
                 [this](int chip) { FrameViewCell(chip); }),
      editHover_([this](int) { DrawEditedChip(); }, [this](int part) { FrameQuadrant(part); }) {}

void Chip32x32EditClass::AttachImages(TImageEx* chipTable, TImageEx* view, TImageEx* editedChip,
                                      TImageEx* selectedChip) {
  chipTable_ = chipTable;
  view_ = view;
  editedChipView_ = editedChip;
  selectedChipView_ = selectedChip;
  chipTable_->SetPicture(graphics_.CreateDisplayPicture(kTableSide, kTableSide));
  view_->SetPicture(graphics_.CreateDisplayPicture(kViewWidth, kViewHeight));
  editedChipView_->SetPicture(graphics_.CreateDisplayPicture(kEditedSide, kEditedSide));
  selectedChipView_->SetPicture(graphics_.CreateDisplayPicture(kSelectedSide, kSelectedSide));
}

void Chip32x32EditClass::AttachLabels(QLabel* viewHalf, QLabel* selectedIndex,
                                      QLabel* selectedAttribute, ChipComponentLabels components,
                                      QLabel* editedIndex) {
  viewHalfLabel_ = viewHalf;
  selectedIndexLabel_ = selectedIndex;
  selectedAttributeLabel_ = selectedAttribute;
  components_ = components;
  editedIndexLabel_ = editedIndex;
}

void Chip32x32EditClass::AttachGridCheckBox(QCheckBox* grid) { grid_ = grid; }

void Chip32x32EditClass::AttachReportDialog(TShowUnusedChipNumForm* reports) { reports_ = reports; }

StageData& Chip32x32EditClass::Stage() const { return rom_.CurrentStageData(); }

int Chip32x32EditClass::ViewChipAt(int x, int y) const {
  const int cell = GridCellAt(x, y, kChip32, kSheetColumns, kViewRows);
  return cell == HoverCell::kNone ? HoverCell::kNone : cell + viewHalf_ * kChipsPerHalf;
}

// --- Lifecycle -------------------------------------------------------------------------

void Chip32x32EditClass::Reset() {
  editedChip_ = 0;
  selected16x16Chip_ = 0;
  viewHalf_ = 0;
  viewHalfLabel_->setText(QStringLiteral("00-7F"));
  tableHover_.Clear();
  viewHover_.Clear();
  editHover_.Clear();
  ApplySheetPalette();
  RebuildChipSheet();
  DrawView();
  DrawChipTable();
  SelectEditedChip(0);
  Select16x16Chip(0);
}

void Chip32x32EditClass::RefreshTab() {
  // The window has just rebuilt both sheets.
  DrawView();
  DrawChipTable();
  SelectEditedChip(editedChip_);
  Select16x16Chip(selected16x16Chip_);
  FrameAgainUnderThePointer();
}

void Chip32x32EditClass::RefreshPalette() {
  DrawView();
  DrawChipTable();
  DrawEditedChip();
  DrawSelectedChip();
  FrameAgainUnderThePointer();
}

void Chip32x32EditClass::FrameAgainUnderThePointer() {
  viewHover_.FrameAgain();
  tableHover_.FrameAgain();
  editHover_.FrameAgain();
}

void Chip32x32EditClass::ApplySheetPalette() { graphics_.RefreshChip32SheetPalette(); }

void Chip32x32EditClass::RebuildChipSheet() {
  graphics_.BuildChip32Sheet(graphics_.Chip32Sheet(), Stage().Chip32x32());
}

// --- Drawing ---------------------------------------------------------------------------

void Chip32x32EditClass::DrawView() {
  ApplySheetPalette();
  graphics_.Chip32Sheet().CopyRegion(
      *view_->Picture(), view_->Picture()->Bounds(),
      PixelRect::FromSize(0, viewHalf_ * kViewHeight, kViewWidth, kViewHeight));
  DrawGridIfOn(view_->Picture()->Bounds());
}

void Chip32x32EditClass::DrawGridIfOn(const PixelRect& area) {
  if (grid_->isChecked()) graphics_.DrawGrid(*view_->Picture(), kChip32, kChip32, area);
}

void Chip32x32EditClass::SetViewHalf(int half) {
  if (half == viewHalf_) return;
  viewHalf_ = half;
  viewHalfLabel_->setText(half == 0 ? QStringLiteral("00-7F") : QStringLiteral("80-FF"));
  // The cell under the pointer now shows another chip: nothing of the old frame is left
  // to restore.
  viewHover_.Clear();
  DrawView();
}

void Chip32x32EditClass::CopyViewCell(int chip) {
  graphics_.Chip32Sheet().CopyRegion(*view_->Picture(), ViewCell(chip), SheetCell(chip, kChip32));
  DrawGridIfOn(ViewCell(chip));
}

void Chip32x32EditClass::RedrawChip(int chip) {
  graphics_.UpdateChip32(graphics_.Chip32Sheet(), Stage().Chip32x32(),
                         static_cast<std::uint8_t>(chip));
  if (chip / kChipsPerHalf == viewHalf_) CopyViewCell(chip);
}

void Chip32x32EditClass::DrawChipTable() {
  graphics_.Chip16Sheet().CopyPaletteFrom(graphics_.StageBitmap());
  graphics_.Chip16Sheet().CopyRegion(*chipTable_->Picture(), chipTable_->Picture()->Bounds(),
                                     graphics_.Chip16Sheet().Bounds());
}

void Chip32x32EditClass::DrawEditedChip() {
  graphics_.Chip32Sheet().CopyRegion(*editedChipView_->Picture(),
                                     editedChipView_->Picture()->Bounds(),
                                     SheetCell(editedChip_, kChip32));
}

void Chip32x32EditClass::DrawSelectedChip() {
  graphics_.Chip16Sheet().CopyRegion(*selectedChipView_->Picture(),
                                     selectedChipView_->Picture()->Bounds(),
                                     SheetCell(selected16x16Chip_, kChip16));
}

void Chip32x32EditClass::SelectEditedChip(int chip) {
  editedChip_ = chip;
  DrawEditedChip();
  editedIndexLabel_->setText(TwoDigitHex(chip));
  components_.Show(rom_, chip);
}

void Chip32x32EditClass::Select16x16Chip(int chip) {
  selected16x16Chip_ = chip;
  DrawSelectedChip();
  selectedIndexLabel_->setText(TwoDigitHex(chip));
  selectedAttributeLabel_->setText(
      QString::fromStdString(rom_.ChipAttributeName(Stage().ChipProperty()[chip])));
}

// --- Hover frames ----------------------------------------------------------------------

void Chip32x32EditClass::FrameViewCell(int chip) {
  const PixelRect cell = ViewCell(chip);
  graphics_.DrawFrame(*view_->Picture(), cell.left, cell.top, kChip32);
}

void Chip32x32EditClass::RestoreTableCell(int chip) {
  graphics_.Chip16Sheet().CopyRegion(*chipTable_->Picture(), SheetCell(chip, kChip16),
                                     SheetCell(chip, kChip16));
}

void Chip32x32EditClass::FrameTableCell(int chip) {
  const PixelRect cell = SheetCell(chip, kChip16);
  graphics_.DrawFrame(*chipTable_->Picture(), cell.left, cell.top, kChip16);
}

void Chip32x32EditClass::FrameQuadrant(int quadrant) {
  graphics_.DrawFrame(*editedChipView_->Picture(), quadrant % 2 * kPartSide,
                      quadrant / 2 * kPartSide, kPartSide);
}

// --- Mouse -----------------------------------------------------------------------------

void Chip32x32EditClass::ViewMouseDown(Qt::MouseButton button, bool shift, bool ctrl, int x,
                                       int y) {
  const int chip = ViewChipAt(x, y);
  if (chip == HoverCell::kNone || button == Qt::MiddleButton) return;
  viewHover_.MoveTo(chip);
  const int part = (y % kChip32 / kChip16) * 2 + x % kChip32 / kChip16;
  if (button == Qt::LeftButton) {
    if (ctrl) {
      Paste(chip);
    } else if (shift) {
      if (PlaceInto(chip, part)) viewHover_.FrameAgain();
    } else {
      SelectEditedChip(chip);
      if (viewChipChosen_) viewChipChosen_(chip);
    }
  } else if (button == Qt::RightButton) {
    if (ctrl) {
      Copy(chip);
    } else {
      Select16x16Chip(Stage().Chip32x32()[chip * 4 + part]);
    }
  }
}

void Chip32x32EditClass::ViewMouseMove(int x, int y) {
  const int chip = ViewChipAt(x, y);
  pointerStatus_.ShowNumber(QStringLiteral("32x32チップNo:"), chip);
  viewHover_.MoveTo(chip);
}

void Chip32x32EditClass::ViewMouseLeave() {
  pointerStatus_.ClearPointerText();
  viewHover_.Leave();
}

void Chip32x32EditClass::EditedChipMouseDown(Qt::MouseButton button, int x, int y) {
  const int part = GridCellAt(x, y, kPartSide, 2, 2);
  if (part == HoverCell::kNone) return;
  editHover_.MoveTo(part);
  if (button == Qt::LeftButton) {
    if (PlaceInto(editedChip_, part)) editHover_.FrameAgain();
  } else if (button == Qt::RightButton) {
    Select16x16Chip(Stage().Chip32x32()[editedChip_ * 4 + part]);
  }
}

void Chip32x32EditClass::EditedChipMouseMove(int x, int y) {
  editHover_.MoveTo(GridCellAt(x, y, kPartSide, 2, 2));
}

void Chip32x32EditClass::EditedChipMouseLeave() { editHover_.Leave(); }

void Chip32x32EditClass::ChipTableMouseDown(Qt::MouseButton button, int x, int y) {
  const int chip = GridCellAt(x, y, kChip16, kSheetColumns, kSheetColumns);
  if (button != Qt::LeftButton || chip == HoverCell::kNone) return;
  tableHover_.MoveTo(chip);
  Select16x16Chip(chip);
}

void Chip32x32EditClass::ChipTableMouseMove(int x, int y) {
  const int chip = GridCellAt(x, y, kChip16, kSheetColumns, kSheetColumns);
  pointerStatus_.ShowNumber(QStringLiteral("16x16チップNo:"), chip);
  tableHover_.MoveTo(chip);
}

void Chip32x32EditClass::ChipTableMouseLeave() {
  pointerStatus_.ClearPointerText();
  tableHover_.Leave();
}

// --- Editing ---------------------------------------------------------------------------

bool Chip32x32EditClass::PlaceInto(int chip, int part) {
  if (!Stage().SetChip32x32Part(chip * 4 + part, static_cast<std::uint8_t>(selected16x16Chip_))) {
    return false;
  }
  flags_.SetChip32x32Modified(rom_.CurrentStage(), true);
  RedrawChip(chip);
  // The edited chip follows the data even when another chip was changed.
  SelectEditedChip(editedChip_);
  return true;
}

void Chip32x32EditClass::Paste(int chip) {
  const auto parts = Stage().Chip32x32().subspan(static_cast<std::size_t>(chip) * 4, 4);
  if (std::equal(parts.begin(), parts.end(), copyBuffer_.begin())) return;
  Stage().PasteChip32x32(chip * 4, copyBuffer_);
  flags_.SetChip32x32Modified(rom_.CurrentStage(), true);
  RedrawChip(chip);
  SelectEditedChip(editedChip_);
  viewHover_.FrameAgain();
}

void Chip32x32EditClass::Copy(int chip) {
  const auto parts = Stage().Chip32x32().subspan(static_cast<std::size_t>(chip) * 4, 4);
  std::copy(parts.begin(), parts.end(), copyBuffer_.begin());
}

void Chip32x32EditClass::Reload() {
  ReloadAfterConfirming(dialogs_, QStringLiteral("32x32チップデータ"), Stage(),
                        &StageData::LoadChip32x32, *this);
}

// --- Reports ---------------------------------------------------------------------------

std::string Chip32x32EditClass::UnusedChipList() const {
  return UnusedNumberReport(Stage().MapSet());
}

std::string Chip32x32EditClass::DuplicateChipList() const {
  return DuplicateGroupText(DuplicateChipGroups(Stage().Chip32x32()), " ");
}

void Chip32x32EditClass::ShowUnusedChips() {
  reports_->ShowReport(dialogs_, QStringLiteral("未使用32x32チップ番号"),
                       QStringLiteral("マップセットに使用されてない32x32チップ番号は"),
                       UnusedChipList());
}

void Chip32x32EditClass::ShowDuplicateChips() {
  reports_->ShowReport(dialogs_, QStringLiteral("重複チップの置換"),
                       QStringLiteral("重複定義されている32x32チップ番号は"), DuplicateChipList());
}

}  // namespace zantor
