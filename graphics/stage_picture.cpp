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
#include "graphics/stage_change_tracker.h"

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

StagePicture::StagePicture(const FcPaletteData& palette, const RomImageData& rom,
                           const StagePictureRequest& layout)
    : rom_(rom), graphics_(palette, rom.Bytes(), rom.Addresses()), request_(layout) {
  CheckRequest(layout);
  count_ = layout.lastRoom - layout.firstRoom + 1;
  columns_ = std::min(layout.columns, count_);
  const int rows = (count_ + columns_ - 1) / columns_;
  picture_ = graphics_.CreateDisplayPicture(columns_ * kRoomSide, rows * kRoomSide);
}

PixelRect StagePicture::RoomCell(int room) const {
  return PixelRect::GridCell(room - request_.firstRoom, columns_, kRoomSide);
}

std::vector<PixelRect> StagePicture::Draw(const StagePictureRequest& request,
                                          const StageChanges& changes) {
  CheckRequest(request);
  const bool sameView = drawn_ && request.stage == request_.stage &&
                        request.definition == request_.definition &&
                        request.objects == request_.objects;
  request_.stage = request.stage;
  request_.definition = request.definition;
  request_.objects = request.objects;
  const StageData& stage = rom_.Stage(request_.stage);
  if (!sameView || changes.everything) {
    DrawEverything(stage);
    return {{0, 0, picture_->Width(), picture_->Height()}};
  }
  DrawSheetChanges(stage, changes);
  std::vector<PixelRect> drawn;
  for (int room = request_.firstRoom; room <= request_.lastRoom; ++room) {
    if (changes.rooms[room]) {
      DrawWholeRoom(stage, room);
      drawn.push_back(RoomCell(room));
    } else if (changes.cells[room] != 0) {
      DrawRoomCells(stage, room, changes.cells[room], drawn);
    }
  }
  return drawn;
}

void StagePicture::DrawEverything(const StageData& stage) {
  drawn_ = true;
  BuildSheets(graphics_, stage, request_.definition);
  // Rooms of one map byte differ only in their markers: the room picture is drawn once, as
  // the tabs draw it, and copied to each of them; the markers follow within the room's own
  // cell, clipped at its edges as on the tab.
  const auto room = graphics_.CreateDisplayPicture(kRoomSide, kRoomSide);
  const auto byteOf = [&](int k) { return stage.Map()[request_.firstRoom + k]; };
  std::array<bool, 256> done{};
  for (int k = 0; k < count_; ++k) {
    if (std::exchange(done[byteOf(k)], true)) continue;
    DrawRoomMapSet(graphics_, *room, stage, byteOf(k));
    for (int same = k; same < count_; ++same) {
      if (byteOf(same) != byteOf(k)) continue;
      const PixelRect cell = RoomCell(request_.firstRoom + same);
      picture_->DrawPicture({cell.left, cell.top}, *room);
      if (request_.objects) {
        const DisplayPicture::Viewport view(*picture_, cell);
        DrawRoomObjects(graphics_, *picture_, stage.Room(request_.firstRoom + same));
      }
    }
  }
  if (const int filled = count_ % columns_; filled != 0) {
    const int rows = (count_ + columns_ - 1) / columns_;
    graphics_.FillRect(*picture_, filled * kRoomSide, (rows - 1) * kRoomSide,
                       (columns_ - filled) * kRoomSide, kRoomSide, kBlackNesColor);
  }
}

void StagePicture::DrawSheetChanges(const StageData& stage, const StageChanges& changes) {
  constexpr int kSide16 = EditorGraphics::kChip16Side;
  if (changes.chips16.none() && changes.chips32.none()) return;
  for (int chip = 0; chip < StageChanges::kChips; ++chip) {
    if (!changes.chips16[chip]) continue;
    const PixelRect cell = PixelRect::GridCell(chip, 16, kSide16);
    graphics_.DrawChip16(graphics_.Chip16Sheet(), stage.BGBank(), stage.Chip16x16(), cell.left,
                         cell.top, static_cast<std::uint8_t>(chip), stage.ChipProperty()[chip] & 3);
  }
  for (int chip = 0; chip < StageChanges::kChips; ++chip) {
    if (changes.chips32[chip]) {
      graphics_.UpdateChip32(graphics_.Chip32Sheet(), stage.Chip32x32(),
                             static_cast<std::uint8_t>(chip));
    }
  }
}

void StagePicture::DrawWholeRoom(const StageData& stage, int room) {
  const DisplayPicture::Viewport view(*picture_, RoomCell(room));
  if (request_.objects) {
    DrawRoomWithObjects(graphics_, *picture_, stage, room);
  } else {
    DrawRoomMapSet(graphics_, *picture_, stage, stage.Map()[room]);
  }
}

void StagePicture::DrawRoomCells(const StageData& stage, int room, std::uint64_t cells,
                                 std::vector<PixelRect>& drawn) {
  constexpr int kSide32 = EditorGraphics::kChip32Side;
  constexpr int kCellsPerRow = kRoomSide / kSide32;
  // The extent of a marker round its object's position.
  constexpr int kMarkerBefore = 8;
  constexpr int kMarkerAfter = 7;
  const PixelRect roomCell = RoomCell(room);
  const auto mapSet = stage.MapSet().subspan(std::size_t{stage.Map()[room]} * 64, 64);
  for (int cell = 0; cell < 64; ++cell) {
    if ((cells >> cell & 1) == 0) continue;
    const PixelRect inRoom = PixelRect::GridCell(cell, kCellsPerRow, kSide32);
    const PixelRect area = PixelRect::FromSize(roomCell.left + inRoom.left,
                                               roomCell.top + inRoom.top, kSide32, kSide32);
    const DisplayPicture::Viewport view(*picture_, area);
    graphics_.DrawChip32(*picture_, 0, 0, kSide32, kSide32, mapSet[cell]);
    // The markers over the cell, in list order and clipped to it, leave it as a whole
    // redraw of the room would.
    if (request_.objects) {
      for (const ObjectEntry& object : stage.Room(room)) {
        if (object.X + kMarkerAfter < inRoom.left || object.X - kMarkerBefore >= inRoom.right ||
            object.Y + kMarkerAfter < inRoom.top || object.Y - kMarkerBefore >= inRoom.bottom) {
          continue;
        }
        graphics_.DrawObjectMarker(*picture_, object.X - inRoom.left, object.Y - inRoom.top,
                                   static_cast<std::uint8_t>(object.Kind));
      }
    }
    drawn.push_back(area);
  }
}

std::unique_ptr<DisplayPicture> DrawStagePicture(const FcPaletteData& palette,
                                                 const RomImageData& rom,
                                                 const StagePictureRequest& request) {
  StagePicture picture(palette, rom, request);
  picture.Draw(request, StageChanges::Everything());
  return picture.TakePicture();
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
