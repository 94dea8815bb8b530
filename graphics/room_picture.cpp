#include "graphics/room_picture.h"

#include "graphics/display_picture.h"
#include "graphics/editor_graphics.h"

namespace zantor {

namespace {

constexpr int kMapSetBytes = 64;
constexpr int kCell = EditorGraphics::kChip32Side;

void DrawNoMapSet(const EditorGraphics& graphics, DisplayPicture& picture) {
  const DisplayPicture::ChangeBatch batch(picture);
  graphics.FillRect(picture, 0, 0, kRoomSide, kRoomSide, kBlackNesColor);
  for (int y = 0; y < kRoomSide; y += kCell) {
    for (int x = 0; x < kRoomSide; x += kCell) graphics.DrawFrame(picture, x, y, kCell);
  }
}

}  // namespace

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

void DrawRoomObjects(const EditorGraphics& graphics, DisplayPicture& picture,
                     const StageData::ObjectList& objects) {
  const DisplayPicture::ChangeBatch batch(picture);
  for (const ObjectEntry& object : objects) {
    graphics.DrawObjectMarker(picture, object.X, object.Y, static_cast<std::uint8_t>(object.Kind));
  }
}

void DrawRoomWithObjects(const EditorGraphics& graphics, DisplayPicture& picture,
                         const StageData& stage, int room) {
  const DisplayPicture::ChangeBatch batch(picture);
  DrawRoomMapSet(graphics, picture, stage, stage.Map()[room]);
  DrawRoomObjects(graphics, picture, stage.Room(room));
}

}  // namespace zantor
