#include "graphics/stage_picture.h"

#include <algorithm>
#include <array>
#include <stdexcept>
#include <string>
#include <utility>

#include "core/rom_image_data.h"
#include "graphics/editor_graphics.h"
#include "graphics/png_file.h"
#include "graphics/room_picture.h"

namespace zantor {

namespace {

constexpr int kColors = EditorGraphics::kStageColors;

void CheckRequest(const StagePictureRequest& request) {
  CheckedIndex(request.stage, kStageCount, "stage");
  CheckedIndex(request.definition, kPaletteDefinitions, "palette definition");
  if (request.firstRoom < 0 || request.firstRoom > request.lastRoom ||
      request.lastRoom >= kRoomCount || request.columns < 1) {
    throw std::out_of_range("rooms " + std::to_string(request.firstRoom) + "-" +
                            std::to_string(request.lastRoom) + " in " +
                            std::to_string(request.columns) + " columns");
  }
}

// The sheets the map tab draws from, for this stage in stored colours.
void BuildSheets(EditorGraphics& graphics, const StageData& stage, int definition) {
  graphics.SetChrBase();
  graphics.SetStagePalette(stage.BGPalette().subspan(definition * kColors).first<kColors>());
  graphics.BuildChip16Sheet(graphics.Chip16Sheet(), stage.BGBank(), stage.Chip16x16(),
                            stage.ChipProperty());
  graphics.BuildChip32Sheet(graphics.Chip32Sheet(), stage.Chip32x32());
  graphics.RefreshChip32SheetPalette();
}

}  // namespace

std::unique_ptr<DisplayPicture> DrawStagePicture(const FcPaletteData& palette,
                                                 const RomImageData& rom,
                                                 const StagePictureRequest& request) {
  CheckRequest(request);
  const StageData& stage = rom.Stage(request.stage);
  EditorGraphics graphics(palette, rom.Bytes(), rom.Addresses());
  BuildSheets(graphics, stage, request.definition);

  const int count = request.lastRoom - request.firstRoom + 1;
  const int columns = std::min(request.columns, count);
  const int rows = (count + columns - 1) / columns;
  auto picture = graphics.CreateDisplayPicture(columns * kRoomSide, rows * kRoomSide);
  const auto cell = [columns](int k) { return PixelRect::GridCell(k, columns, kRoomSide); };
  // Rooms of one map byte differ only in their markers: the room picture is drawn once, as
  // the tabs draw it, and copied to each of them; the markers follow within the room's own
  // cell, clipped at its edges as on the tab.
  const auto room = graphics.CreateDisplayPicture(kRoomSide, kRoomSide);
  const auto byteOf = [&](int k) { return stage.Map()[request.firstRoom + k]; };
  std::array<bool, 256> drawn{};
  for (int k = 0; k < count; ++k) {
    if (std::exchange(drawn[byteOf(k)], true)) continue;
    DrawRoomMapSet(graphics, *room, stage, byteOf(k));
    for (int same = k; same < count; ++same) {
      if (byteOf(same) != byteOf(k)) continue;
      picture->DrawPicture({cell(same).left, cell(same).top}, *room);
      if (request.objects) {
        const DisplayPicture::Viewport view(*picture, cell(same));
        DrawRoomObjects(graphics, *picture, stage.Room(request.firstRoom + same));
      }
    }
  }
  if (const int filled = count % columns; filled != 0) {
    graphics.FillRect(*picture, filled * kRoomSide, (rows - 1) * kRoomSide,
                      (columns - filled) * kRoomSide, kRoomSide, kBlackNesColor);
  }
  return picture;
}

bool WriteStagePicture(const std::filesystem::path& file, const FcPaletteData& palette,
                       const RomImageData& rom, const StagePictureRequest& request,
                       AtomicFileWriter& writer, UserNotifier& notifier) {
  const auto picture = DrawStagePicture(palette, rom, request);
  std::vector<std::uint32_t> colors(static_cast<std::size_t>(picture->Width()) *
                                    static_cast<std::size_t>(picture->Height()));
  std::transform(picture->Words(), picture->Words() + colors.size(), colors.begin(),
                 FromShownWord);
  const std::vector<std::uint8_t> png = EncodePng(picture->Width(), picture->Height(), colors);
  if (const std::string error = writer.Write(file, png); !error.empty()) {
    notifier.ReportError(CannotWriteReport(file, error));
    return false;
  }
  return true;
}

}  // namespace zantor
