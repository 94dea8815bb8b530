#include "editors/object_edit_class.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <algorithm>
#include <cstdlib>
#include <utility>

#include "core/edit_flag_management.h"
#include "core/rom_image_data.h"
#include "editors/dialogs.h"
#include "editors/hint_text.h"
#include "editors/object_edit_form.h"
#include "editors/reload_confirmation.h"
#include "editors/room_text.h"
#include "editors/two_digit_hex.h"
#include "editors/up_down_buttons.h"
#include "graphics/editor_graphics.h"
#include "graphics/image_ex.h"
#include "graphics/room_picture.h"

namespace zantor {

namespace {

constexpr int kHitDistance = 9;
constexpr int kLastPosition = 255;
const QString kNoObject = QStringLiteral("--");

}  // namespace

ObjectEditClass::ObjectEditClass(RomImageData& rom, EditFlagManagement& flags,
                                 EditorGraphics& graphics, Dialogs& dialogs)
    : rom_(rom), flags_(flags), graphics_(graphics), dialogs_(dialogs) {}

void ObjectEditClass::AttachImages(std::array<TImageEx*, kPages> rooms) {
  rooms_ = rooms;
  for (TImageEx* room : rooms_)
    room->SetPicture(graphics_.CreateDisplayPicture(kRoomSide, kRoomSide));
}

void ObjectEditClass::AttachScrollBars(QScrollBar* rooms) { roomBar_ = rooms; }

void ObjectEditClass::AttachLabels(QLabel* rooms, QLabel* counts, QLabel* total, QLabel* index,
                                   QLabel* room, QLabel* x, QLabel* y) {
  roomsLabel_ = rooms;
  countsLabel_ = counts;
  totalLabel_ = total;
  indexLabel_ = index;
  roomLabel_ = room;
  xLabel_ = x;
  yLabel_ = y;
}

void ObjectEditClass::AttachKindCombo(QComboBox* kinds) { kinds_ = kinds; }

void ObjectEditClass::AttachUpDowns(UpDownButtons* x, UpDownButtons* y) {
  xButtons_ = x;
  yButtons_ = y;
}

void ObjectEditClass::AttachButtons(QPushButton* create, QPushButton* remove) {
  createButton_ = create;
  removeButton_ = remove;
}

void ObjectEditClass::AttachCheckBoxes(QCheckBox* sort, QCheckBox* popupHint) {
  sort_ = sort;
  popupHint_ = popupHint;
}

void ObjectEditClass::AttachMenu(ObjectMenu menu) { menu_ = menu; }

void ObjectEditClass::AttachObjectDialog(TObjectEditForm* dialog) { objectDialog_ = dialog; }

StageData& ObjectEditClass::Stage() const { return rom_.CurrentStageData(); }

void ObjectEditClass::Flag() { flags_.SetObjectModified(rom_.CurrentStage(), true); }

// --- Lifecycle -------------------------------------------------------------------------

void ObjectEditClass::Reset() {
  dragBefore_.reset();
  hovered_ = nullptr;
  previousHovered_ = nullptr;
  selected_ = nullptr;
  previousSelected_ = nullptr;
  roomBar_->setValue(0);  // runs no handler
  ShowRooms(0);
  ShowSelected();
  ShowCounts();
  lastClickPage_ = lastClickX_ = lastClickY_ = 0;
}

void ObjectEditClass::RefreshTab() {
  // The rooms and their objects; the frames come back with the next hover update.
  DrawRooms();
  ShowCounts();
}

void ObjectEditClass::RefreshPalette() {
  graphics_.RefreshChip32SheetPalette();
  DrawRooms();
  UpdateHover();
  DrawSelection();
}

// --- Drawing ---------------------------------------------------------------------------

void ObjectEditClass::ShowRooms(int firstRoom) {
  pair_.Show(firstRoom);
  DrawRooms();
  DrawSelection();
  ShowRoomLabels();
}

void ObjectEditClass::ShowRoomLabels() {
  roomsLabel_->setText(pair_.Label());
  countsLabel_->setText(QStringLiteral("%1-%2")
                            .arg(Stage().RoomObjectCount(pair_.First()))
                            .arg(Stage().RoomObjectCount(pair_.Second())));
}

void ObjectEditClass::DrawRooms() {
  for (int page = 0; page < kPages; ++page) {
    DrawRoomWithObjects(graphics_, *rooms_[page]->Picture(), Stage(), pair_.Room(page));
  }
}

void ObjectEditClass::DrawSelection() {
  if (selected_ == nullptr) return;
  for (int page = 0; page < kPages; ++page) {
    if (pair_.Room(page) == selectedRoom_) {
      graphics_.DrawCursor32(*rooms_[page]->Picture(), selected_->X, selected_->Y);
    }
  }
}

void ObjectEditClass::UpdateHover() {
  if (selected_ != previousSelected_ || needsRedraw_ || hovered_ != previousHovered_) {
    DrawRooms();
    previousSelected_ = selected_;
    needsRedraw_ = false;
  }
  if (hovered_ == nullptr) return;
  for (int page = 0; page < kPages; ++page) {
    if (pair_.Room(page) == hoveredRoom_) {
      graphics_.DrawCursor24(*rooms_[page]->Picture(), hovered_->X, hovered_->Y);
    }
  }
}

void ObjectEditClass::ShowSelected() {
  const bool any = selected_ != nullptr;
  if (any) {
    indexLabel_->setText(TwoDigitHex(Stage().ObjectIndex(selected_, selectedRoom_)));
    roomLabel_->setText(TwoDigitHex(selectedRoom_));
    xLabel_->setText(TwoDigitHex(selected_->X));
    yLabel_->setText(TwoDigitHex(selected_->Y));
    // A kind the name list offers no item for shows no item.
    kinds_->setCurrentIndex(selected_->Kind < kinds_->count() ? selected_->Kind : -1);
  } else {
    for (QLabel* label : {indexLabel_, roomLabel_, xLabel_, yLabel_}) label->setText(kNoObject);
    kinds_->setCurrentIndex(-1);
  }
  kinds_->setEnabled(any);
  createButton_->setEnabled(!any);
  for (QWidget* control : {static_cast<QWidget*>(removeButton_), static_cast<QWidget*>(xButtons_),
                           static_cast<QWidget*>(yButtons_)}) {
    control->setEnabled(any);
  }
}

void ObjectEditClass::ShowCounts() {
  ShowRoomLabels();
  totalLabel_->setText(QStringLiteral("%1 / %2").arg(Stage().ObjectCount()).arg(kMaxObjects));
}

// --- Mouse -----------------------------------------------------------------------------

void ObjectEditClass::HitTest(int page, int x, int y) {
  previousHovered_ = hovered_;
  hovered_ = nullptr;
  const int room = pair_.Room(page);
  for (ObjectEntry& object : Stage().Room(room)) {
    if (std::abs(x - object.X) <= kHitDistance && std::abs(y - object.Y) <= kHitDistance) {
      hovered_ = &object;
      hoveredRoom_ = room;
      return;
    }
  }
}

void ObjectEditClass::RoomMouseMove(int page, Qt::MouseButtons held, bool shift, bool ctrl, int x,
                                    int y) {
  if (held.testFlag(Qt::LeftButton) && hovered_ != nullptr) {
    SetHintText(*rooms_[page], QString());
    if (ctrl && shift) return;
    // Division truncating toward zero, as the rounding of a position past the left edge.
    const int grid = ctrl ? 8 : shift ? 4 : 1;
    MoveHovered(x / grid * grid, y / grid * grid);
  } else if (!held.testFlag(Qt::LeftButton)) {
    HitTest(page, x, y);
    ShowHint(page);
  }
  UpdateHover();
  DrawSelection();
}

void ObjectEditClass::ShowHint(int page) {
  SetHintText(*rooms_[page], popupHint_->isChecked() ? BuildHint(page) : QString());
}

QString ObjectEditClass::BuildHint(int page) const {
  if (hovered_ == nullptr) return {};
  // A kind the name list has no line for is named by its number.
  const QString name = hovered_->Kind < kinds_->count() ? kinds_->itemText(hovered_->Kind)
                                                        : TwoDigitHex(hovered_->Kind);
  return QStringLiteral("設置番号:") +
         TwoDigitHex(Stage().ObjectIndex(hovered_, pair_.Room(page))) +
         QStringLiteral("\r\nX座標:") + TwoDigitHex(hovered_->X) + QStringLiteral("\r\nY座標:") +
         TwoDigitHex(hovered_->Y) + QStringLiteral("\r\n種類:\r\n") + name;
}

void ObjectEditClass::RoomMouseDown(int page, Qt::MouseButton button, bool shift, int x, int y,
                                    QPoint global) {
  if (button == Qt::LeftButton) {
    // The object under the pointer now, not at the last move: the rooms may have changed
    // under a resting pointer.
    HitTest(page, x, y);
    lastClickPage_ = page;
    lastClickX_ = x;
    lastClickY_ = y;
    previousSelected_ = selected_;
    selected_ = hovered_;
    selectedRoom_ = hoveredRoom_;
    if (hovered_ != nullptr) {
      dragRoom_ = hoveredRoom_;
      dragBefore_ = ObjectsBefore(dragRoom_);
    }
    ShowSelected();
    UpdateHover();
    DrawSelection();
    if (shift && hovered_ == nullptr) OpenObjectDialog(pair_.Room(page));
  } else if (button == Qt::RightButton) {
    HitTest(page, x, y);
    UpdateHover();
    DrawSelection();
    ShowMenu(page, x, y, global);
  }
}

void ObjectEditClass::RoomMouseUp(Qt::MouseButton button) {
  if (button != Qt::LeftButton || !dragBefore_) return;
  // A drag that ends where it began records nothing.
  RecordEdit(dragRoom_, std::exchange(dragBefore_, std::nullopt));
}

void ObjectEditClass::ShowMenu(int page, int x, int y, QPoint global) {
  menuX_ = std::clamp(x, 0, kLastPosition);
  menuY_ = std::clamp(y, 0, kLastPosition);
  menuRoom_ = pair_.Room(page);
  menu_.create->setEnabled(true);
  for (QAction* item : {menu_.copy, menu_.cut, menu_.remove}) item->setEnabled(hovered_ != nullptr);
  menu_.paste->setEnabled(clipboardKind_ >= 0);
  menu_.paste->setText(clipboardKind_ < 0
                           ? QStringLiteral("オブジェクトを貼り付け")
                           : QStringLiteral("オブジェクト(") + TwoDigitHex(clipboardKind_) +
                                 QStringLiteral(")を貼り付け"));
  // Not waited for: the items' handlers run when chosen.
  menu_.menu->popup(global);
}

void ObjectEditClass::OpenObjectDialog(int room) {
  objectDialog_->PrepareObjectDialog(room, RoomText(room));
  if (dialogs_.ExecModal(*objectDialog_) != QDialog::Accepted) return;
  ApplyRoomText(room, objectDialog_->MemoLines());
  ShowRooms(roomBar_->value());
  ShowCounts();
}

// --- Editing ---------------------------------------------------------------------------

bool ObjectEditClass::RefusedAsTooMany() {
  // At or above the limit (a damaged table can decode 128): the last slot is the terminator.
  if (Stage().ObjectCount() < kMaxObjects) return false;
  dialogs_.ShowMessage(
      QStringLiteral("オブジェクトの総数を越えるため、オブジェクトを作成できませんでした"));
  return true;
}

void ObjectEditClass::SortIfChosen(int room) {
  if (sort_->isChecked()) Stage().SortRoom(room);
}

std::optional<std::vector<std::uint8_t>> ObjectEditClass::ObjectsBefore(int room) const {
  if (!rom_.ObjectUndoEnabled()) return std::nullopt;
  return Stage().RoomObjectBytes(room);
}

void ObjectEditClass::RecordEdit(int room, std::optional<std::vector<std::uint8_t>> before) {
  if (before) Stage().RecordObjectEdit(room, std::move(*before));
}

void ObjectEditClass::ForgetObjectsOfRoom(int room) {
  dragBefore_.reset();
  ForgetObjectsOf(room);
  needsRedraw_ = true;
  ShowSelected();
}

void ObjectEditClass::CreateAtClick() {
  if (RefusedAsTooMany()) return;
  const int room = pair_.First() + lastClickPage_;
  auto before = ObjectsBefore(room);
  Stage().AddObject(room, lastClickX_, lastClickY_, 0);
  previousSelected_ = selected_;
  selected_ = Stage().LastObject(room);
  selectedRoom_ = room;
  SortIfChosen(room);
  RecordEdit(room, std::move(before));
  DrawRooms();
  ShowSelected();
  ShowCounts();
  DrawSelection();
  Flag();
}

void ObjectEditClass::AddAtMenuPoint(int kind) {
  if (RefusedAsTooMany()) return;
  auto before = ObjectsBefore(menuRoom_);
  Stage().AddObject(menuRoom_, menuX_, menuY_, kind);
  SortIfChosen(menuRoom_);
  RecordEdit(menuRoom_, std::move(before));
  ShowSelected();
  ShowCounts();
  needsRedraw_ = true;
  Flag();
}

void ObjectEditClass::CreateAtMenuPoint() { AddAtMenuPoint(0); }

void ObjectEditClass::PasteAtMenuPoint() {
  if (clipboardKind_ >= 0) AddAtMenuPoint(clipboardKind_);
}

void ObjectEditClass::CopyHovered() {
  if (hovered_ != nullptr) clipboardKind_ = hovered_->Kind;
}

void ObjectEditClass::CutHovered() {
  CopyHovered();
  RemoveHovered();
}

void ObjectEditClass::Forget(const ObjectEntry* entry) {
  if (selected_ == entry) selected_ = nullptr;
  if (previousSelected_ == entry) previousSelected_ = nullptr;
  if (hovered_ == entry) hovered_ = nullptr;
  if (previousHovered_ == entry) previousHovered_ = nullptr;
}

void ObjectEditClass::ForgetObjectsOf(int room) {
  for (const ObjectEntry& object : Stage().Room(room)) Forget(&object);
}

void ObjectEditClass::RemoveHovered() {
  if (hovered_ == nullptr) return;
  const ObjectEntry* removed = hovered_;
  auto before = ObjectsBefore(menuRoom_);
  Forget(removed);
  Stage().RemoveObject(menuRoom_, removed);
  RecordEdit(menuRoom_, std::move(before));
  ShowSelected();
  ShowCounts();
  needsRedraw_ = true;
  Flag();
}

void ObjectEditClass::RemoveSelected() {
  if (selected_ == nullptr) return;
  const ObjectEntry* removed = selected_;
  auto before = ObjectsBefore(selectedRoom_);
  Forget(removed);
  Stage().RemoveObject(selectedRoom_, removed);
  RecordEdit(selectedRoom_, std::move(before));
  DrawRooms();
  ShowSelected();
  ShowCounts();
  Flag();
}

void ObjectEditClass::SetKind(int kind) {
  if (selected_ == nullptr || kind < 0 || kind == selected_->Kind) return;
  auto before = ObjectsBefore(selectedRoom_);
  Stage().SetObjectKind(*selected_, kind);
  RecordEdit(selectedRoom_, std::move(before));
  DrawRooms();
  DrawSelection();
  Flag();
}

void ObjectEditClass::StepX(int step) {
  if (selected_ == nullptr) return;
  auto before = ObjectsBefore(selectedRoom_);
  Stage().MoveObject(*selected_, std::clamp(selected_->X + step, 0, kLastPosition), selected_->Y);
  RecordEdit(selectedRoom_, std::move(before));
  ShowSelected();
  needsRedraw_ = true;
  Flag();
}

void ObjectEditClass::StepY(int step) {
  if (selected_ == nullptr) return;
  auto before = ObjectsBefore(selectedRoom_);
  Stage().MoveObject(*selected_, selected_->X, std::clamp(selected_->Y + step, 0, kLastPosition));
  RecordEdit(selectedRoom_, std::move(before));
  ShowSelected();
  needsRedraw_ = true;
  Flag();
}

void ObjectEditClass::RefreshSelection() {
  UpdateHover();
  DrawSelection();
}

void ObjectEditClass::MoveHovered(int x, int y) {
  Stage().MoveObject(*hovered_, std::clamp(x, 0, kLastPosition), std::clamp(y, 0, kLastPosition));
  SortIfChosen(hoveredRoom_);
  ShowSelected();
  needsRedraw_ = true;
  Flag();
}

std::u16string ObjectEditClass::RoomText(int room) const {
  return zantor::RoomText(Stage().Room(room));
}

void ObjectEditClass::ApplyRoomText(int room, std::span<const std::u16string> lines) {
  auto before = ObjectsBefore(room);
  ForgetObjectsOf(room);
  zantor::ApplyRoomText(Stage(), room, lines);
  // The same objects read back are no edit.
  RecordEdit(room, std::move(before));
  // Flagged whatever the lines held: the room was emptied first.
  Flag();
  ShowSelected();
}

void ObjectEditClass::Reload() {
  if (!ConfirmReload(dialogs_, QStringLiteral("オブジェクトデータ"))) return;
  Stage().LoadObjects();
  Stage().DropObjectEntries();
  Reset();
}

}  // namespace zantor
