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

// Whether the marker of an object at (x, y) reaches into a width x height area at (0, 0).
bool MarkerReaches(int x, int y, int width, int height) {
  // The extent of a marker round its object's position.
  constexpr int kMarkerBefore = 8;
  constexpr int kMarkerAfter = 7;
  return x + kMarkerAfter >= 0 && x - kMarkerBefore < width && y + kMarkerAfter >= 0 &&
         y - kMarkerBefore < height;
}

// Whether a marker of the objects of a room that begins at -origin reaches into picture.
bool AnyMarkerOver(const DisplayPicture& picture, const StageData::ObjectList& objects,
                   PixelPoint origin) {
  return std::any_of(objects.begin(), objects.end(), [&](const ObjectEntry& object) {
    return MarkerReaches(object.X - origin.x, object.Y - origin.y, picture.Bounds().right,
                         picture.Bounds().bottom);
  });
}

}  // namespace

StagePicture::StagePicture(const FcPaletteData& palette, const RomImageData& rom,
                           const StagePictureRequest& layout, int shownWidth, int shownHeight)
    : rom_(rom), graphics_(palette, rom.Bytes(), rom.Addresses()), request_(layout) {
  CheckRequest(layout);
  count_ = layout.lastRoom - layout.firstRoom + 1;
  columns_ = std::min(layout.columns, count_);
  laidOutWidth_ = columns_ * kRoomSide;
  laidOutHeight_ = (count_ + columns_ - 1) / columns_ * kRoomSide;
  if (shownWidth == 0 && shownHeight == 0) {
    shownWidth = laidOutWidth_;
    shownHeight = laidOutHeight_;
  }
  SetShownSize(shownWidth, shownHeight);
  constexpr int kSide32 = EditorGraphics::kChip32Side;
  roomPicture_ = graphics_.CreateDisplayPicture(kRoomSide, kRoomSide);
  cellPicture_ = graphics_.CreateDisplayPicture(kSide32, kSide32);
  markedRoom_ = graphics_.CreateDisplayPicture(kRoomSide, kRoomSide);
  markedCell_ = graphics_.CreateDisplayPicture(kSide32, kSide32);
}

void StagePicture::SetShownSize(int width, int height) {
  picture_ = graphics_.CreateDisplayPicture(width, height);
  everythingDrawn_ = false;
  scaled_ = width != laidOutWidth_ || height != laidOutHeight_;
  // The laid-out pixel each shown one stands for, and the first shown pixel that stands for
  // one at or past each laid-out edge: the look of a cell divides nothing.
  const auto map = [](std::vector<int>& sources, std::vector<int>& firstShown, int shown,
                      std::int64_t laidOut) {
    sources.resize(static_cast<std::size_t>(shown));
    for (int at = 0; at < shown; ++at) sources[at] = static_cast<int>(at * laidOut / shown);
    firstShown.resize(static_cast<std::size_t>(laidOut) + 1);
    for (std::int64_t at = 0; at <= laidOut; ++at) {
      firstShown[at] = static_cast<int>((at * shown + laidOut - 1) / laidOut);
    }
  };
  map(sourceColumns_, firstShownColumns_, width, laidOutWidth_);
  map(sourceRows_, firstShownRows_, height, laidOutHeight_);
}

PixelRect StagePicture::LaidOutCell(int room) const {
  return PixelRect::GridCell(room - request_.firstRoom, columns_, kRoomSide);
}

PixelRect StagePicture::Shown(const PixelRect& laidOut) const {
  if (!scaled_) return laidOut;
  return {firstShownColumns_[laidOut.left], firstShownRows_[laidOut.top],
          firstShownColumns_[laidOut.right], firstShownRows_[laidOut.bottom]};
}

const std::vector<PixelRect>& StagePicture::Draw(const StagePictureRequest& request,
                                                 const StageChanges& changes) {
  CheckRequest(request);
  const bool sameView = everythingDrawn_ && request.stage == request_.stage &&
                        request.definition == request_.definition &&
                        request.objects == request_.objects;
  request_.stage = request.stage;
  request_.definition = request.definition;
  request_.objects = request.objects;
  const StageData& stage = rom_.Stage(request_.stage);
  drawn_.clear();
  if (!sameView || changes.everything) {
    DrawEverything(stage);
    drawn_.assign({{0, 0, picture_->Width(), picture_->Height()}});
    return drawn_;
  }
  DrawSheetChanges(stage, changes);
  std::array<bool, 256> mapSetDone{};
  for (int room = request_.firstRoom; room <= request_.lastRoom; ++room) {
    if (changes.rooms[room]) {
      DrawRoomMapSet(graphics_, *roomPicture_, stage, stage.Map()[room]);
      Place(LaidOutCell(room), *roomPicture_, stage, room, {0, 0});
    } else if (changes.cells[room] != 0 && !std::exchange(mapSetDone[stage.Map()[room]], true)) {
      DrawMapSetCells(stage, room, changes);
    }
  }
  return drawn_;
}

void StagePicture::DrawEverything(const StageData& stage) {
  everythingDrawn_ = true;
  BuildSheets(graphics_, stage, request_.definition);
  // Rooms of one map byte differ only in their markers: the room picture is drawn once, as
  // the tabs draw it, and put in each of them; the markers follow within the room's own
  // cell, clipped at its edges as on the tab.
  const auto byteOf = [&](int k) { return stage.Map()[request_.firstRoom + k]; };
  std::array<bool, 256> done{};
  for (int k = 0; k < count_; ++k) {
    if (std::exchange(done[byteOf(k)], true)) continue;
    DrawRoomMapSet(graphics_, *roomPicture_, stage, byteOf(k));
    for (int same = k; same < count_; ++same) {
      if (byteOf(same) != byteOf(k)) continue;
      const int room = request_.firstRoom + same;
      Place(LaidOutCell(room), *roomPicture_, stage, room, {0, 0});
    }
  }
  if (const int filled = count_ % columns_; filled != 0) {
    const PixelRect rest{filled * kRoomSide, laidOutHeight_ - kRoomSide, laidOutWidth_,
                         laidOutHeight_};
    picture_->FillRect(Shown(rest), kBlackNesColor);
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

void StagePicture::DrawMapSetCells(const StageData& stage, int firstRoom,
                                   const StageChanges& changes) {
  constexpr int kSide32 = EditorGraphics::kChip32Side;
  constexpr int kCellsPerRow = kRoomSide / kSide32;
  const std::uint8_t mapByte = stage.Map()[firstRoom];
  const std::uint64_t cells = changes.cells[firstRoom];
  const auto mapSet = stage.MapSet().subspan(std::size_t{mapByte} * 64, 64);
  std::array<int, kRoomCount> rooms;
  int roomCount = 0;
  for (int room = firstRoom; room <= request_.lastRoom; ++room) {
    if (stage.Map()[room] == mapByte && !changes.rooms[room]) rooms[roomCount++] = room;
  }
  for (int cell = 0; cell < 64; ++cell) {
    if ((cells >> cell & 1) == 0) continue;
    const std::uint8_t chip = mapSet[cell];
    const PixelRect inRoom = PixelRect::GridCell(cell, kCellsPerRow, kSide32);
    const PixelPoint origin{inRoom.left, inRoom.top};
    // The chip is coloured whole once, for the rooms that show all of it or a marker on it;
    // the others sample the shown pixels straight from the sheet.
    bool coloured = false;
    for (int k = 0; k < roomCount; ++k) {
      const int room = rooms[k];
      const PixelRect roomCell = LaidOutCell(room);
      const PixelRect laidOut = PixelRect::FromSize(roomCell.left + inRoom.left,
                                                    roomCell.top + inRoom.top, kSide32, kSide32);
      if (scaled_ &&
          !(request_.objects && AnyMarkerOver(*cellPicture_, stage.Room(room), origin))) {
        const PixelRect shown = Shown(laidOut);
        if (shown.Empty()) continue;
        graphics_.SampleChip32(*picture_, shown, {laidOut.left, laidOut.top}, sourceColumns_,
                               sourceRows_, chip);
        drawn_.push_back(shown);
        continue;
      }
      if (!std::exchange(coloured, true)) {
        graphics_.DrawChip32(*cellPicture_, 0, 0, kSide32, kSide32, chip);
      }
      Place(laidOut, *cellPicture_, stage, room, origin);
    }
  }
}

void StagePicture::Place(const PixelRect& laidOut, const DisplayPicture& source,
                         const StageData& stage, int room, PixelPoint origin) {
  const StageData::ObjectList* objects = request_.objects ? &stage.Room(room) : nullptr;
  if (!scaled_) {
    picture_->DrawPicture({laidOut.left, laidOut.top}, source);
    if (objects != nullptr) {
      const DisplayPicture::Viewport view(*picture_, laidOut);
      DrawMarkers(*picture_, *objects, origin);
    }
    drawn_.push_back(laidOut);
    return;
  }
  const PixelRect shown = Shown(laidOut);
  if (shown.Empty()) return;
  const DisplayPicture* sampled = &source;
  if (objects != nullptr && AnyMarkerOver(source, *objects, origin)) {
    DisplayPicture& marked = source.Width() == kRoomSide ? *markedRoom_ : *markedCell_;
    marked.DrawPicture({0, 0}, source);
    DrawMarkers(marked, *objects, origin);
    sampled = &marked;
  }
  picture_->DrawSampled(shown, *sampled, {laidOut.left, laidOut.top}, sourceColumns_, sourceRows_);
  drawn_.push_back(shown);
}

void StagePicture::DrawMarkers(DisplayPicture& picture, const StageData::ObjectList& objects,
                               PixelPoint origin) const {
  const PixelRect area = picture.Bounds();
  const DisplayPicture::ChangeBatch batch(picture);
  // In list order and clipped to the area: a part of a room ends as a whole redraw of the
  // room would leave it.
  for (const ObjectEntry& object : objects) {
    const int x = object.X - origin.x;
    const int y = object.Y - origin.y;
    if (MarkerReaches(x, y, area.right, area.bottom)) {
      graphics_.DrawObjectMarker(picture, x, y, static_cast<std::uint8_t>(object.Kind));
    }
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
  std::transform(picture->Words(), picture->Words() + colors.size(), colors.begin(), FromShownWord);
  const std::vector<std::uint8_t> png = EncodePng(picture->Width(), picture->Height(), colors);
  if (const std::string error = writer.Write(file, png); !error.empty()) {
    notifier.ReportError(CannotWriteReport(file, error));
    return false;
  }
  return true;
}

}  // namespace zantor
