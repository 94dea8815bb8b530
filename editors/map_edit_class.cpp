#include "editors/map_edit_class.h"

#include <QLabel>
#include <QScrollBar>
#include <algorithm>

#include "core/edit_flag_management.h"
#include "core/rom_image_data.h"
#include "editors/reload_confirmation.h"
#include "editors/two_digit_hex.h"
#include "graphics/editor_graphics.h"
#include "graphics/image_ex.h"

namespace zantor {

MapEditClass::MapEditClass(RomImageData& rom, EditFlagManagement& flags, EditorGraphics& graphics,
                           Dialogs& dialogs)
    : rom_(rom), flags_(flags), graphics_(graphics), dialogs_(dialogs) {}

void MapEditClass::AttachImages(TImageEx* left, TImageEx* right) {
  images_ = {left, right};
  for (TImageEx* image : images_) {
    image->SetPicture(graphics_.CreateDisplayPicture(kRoomSide, kRoomSide));
  }
}

void MapEditClass::AttachScrollBars(QScrollBar* leftValue, QScrollBar* rightValue,
                                    QScrollBar* rooms) {
  valueBars_ = {leftValue, rightValue};
  roomBar_ = rooms;
}

void MapEditClass::AttachLabels(QLabel* leftValue, QLabel* rightValue, QLabel* rooms) {
  valueLabels_ = {leftValue, rightValue};
  roomLabel_ = rooms;
}

StageData& MapEditClass::Stage() const { return rom_.CurrentStageData(); }

void MapEditClass::Reset() {
  roomBar_->setValue(0);
  ShowRooms(0);
}

void MapEditClass::RefreshTab() {
  // The window has just rebuilt the chip sheets.
  DrawBothRooms();
  RefreshControls();
}

void MapEditClass::RefreshPalette() {
  graphics_.RefreshChip32SheetPalette();
  DrawBothRooms();
}

int MapEditClass::GetMapSetNumber(int room) const { return Stage().Map()[room]; }

void MapEditClass::DrawRoom(TImageEx& image, int mapSet) {
  DrawRoomMapSet(graphics_, *image.Picture(), Stage(), mapSet);
}

void MapEditClass::DrawBothRooms() {
  for (int side = 0; side < kSides; ++side) {
    DrawRoom(*images_[side], GetMapSetNumber(rooms_.Room(side)));
  }
}

void MapEditClass::ShowRooms(int firstRoom) {
  rooms_.Show(firstRoom);
  DrawBothRooms();
  RefreshControls();
  roomLabel_->setText(rooms_.Label());
}

void MapEditClass::SetMapSetNumber(int side, int value) {
  const int room = rooms_.Room(side);
  Stage().SetMapRoom(room, static_cast<std::uint8_t>(std::clamp(value, 0, kLastMapSet)));
  const int stored = GetMapSetNumber(room);
  DrawRoom(*images_[side], stored);
  valueLabels_[side]->setText(TwoDigitHex(stored));
  // Also when the byte was there already: at worst a save stores the same bytes.
  flags_.SetMapModified(rom_.CurrentStage(), true);
}

void MapEditClass::RefreshControls() {
  for (int side = 0; side < kSides; ++side) {
    const int mapSet = GetMapSetNumber(rooms_.Room(side));
    // A byte naming no map set leaves the bar at its end; the byte itself stays.
    valueBars_[side]->setValue(mapSet);
    valueLabels_[side]->setText(TwoDigitHex(mapSet));
  }
}

void MapEditClass::Reload() {
  ReloadAfterConfirming(dialogs_, QStringLiteral("マップデータ"), Stage(), &StageData::LoadMap,
                        *this);
}

}  // namespace zantor
