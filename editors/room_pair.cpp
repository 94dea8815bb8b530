#include "editors/room_pair.h"

#include <algorithm>

#include "editors/two_digit_hex.h"
#include "graphics/display_picture.h"
#include "graphics/editor_graphics.h"

namespace zantor {

namespace {

constexpr int kMapSetBytes = 64;
constexpr int kCell = EditorGraphics::kChip32Side;
constexpr int kBlackNesColor = 0x0F;

void DrawNoMapSet(const EditorGraphics& graphics, DisplayPicture& picture) {
  const DisplayPicture::ChangeBatch batch(picture);
  graphics.FillRect(picture, 0, 0, kRoomSide, kRoomSide, kBlackNesColor);
  for (int y = 0; y < kRoomSide; y += kCell) {
    for (int x = 0; x < kRoomSide; x += kCell) graphics.DrawFrame(picture, x, y, kCell);
  }
}

}  // namespace

void RoomPair::Show(int firstRoom) { first_ = std::clamp(firstRoom, 0, kLastFirstRoom); }

QString RoomPair::Label() const {
  return TwoDigitHex(First()) + QStringLiteral("-") + TwoDigitHex(Second());
}

void DrawRoomMapSet(const EditorGraphics& graphics, DisplayPicture& picture, const StageData& stage,
                    int mapSet) {
  if (mapSet < 0 || mapSet >= kMapSetCount) {
    DrawNoMapSet(graphics, picture);
    return;
  }
  graphics.DrawMapSet(picture, stage.MapSet()
                                   .subspan(static_cast<std::size_t>(mapSet) * kMapSetBytes)
                                   .first<kMapSetBytes>());
}

}  // namespace zantor
