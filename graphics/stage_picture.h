#pragma once

#include <filesystem>
#include <memory>

#include "core/atomic_file_writer.h"
#include "core/stage_data.h"
#include "core/user_notifier.h"
#include "graphics/display_picture.h"
#include "graphics/editor_graphics.h"

namespace zantor {

class FcPaletteData;
class RomImageData;
struct StageChanges;

// Which rooms of which stage a stage picture shows, in which colours, how many to a row.
struct StagePictureRequest {
  static constexpr int kDefaultColumns = 16;

  int stage = 0;
  // The palette definition (0..3) whose stored colours the rooms are drawn in.
  int definition = 0;
  int firstRoom = 0;
  int lastRoom = kRoomCount - 1;
  int columns = kDefaultColumns;
  // With the object markers, as the object tab draws them.
  bool objects = false;
};

// The palette definitions of a stage.
inline constexpr int kPaletteDefinitions = 4;

// A stage picture kept to be drawn again where its stage changed: the picture of
// DrawStagePicture, with sheets of its own, at its own size or shown smaller or larger.
class StagePicture {
 public:
  // The request's rooms and columns lay the picture out for good; its stage, definition and
  // markers are those of each Draw. Raises as DrawStagePicture does. The picture is shown at
  // its laid-out size, or at shownWidth x shownHeight when they are given (see SetShownSize).
  StagePicture(const FcPaletteData& palette, const RomImageData& rom,
               const StagePictureRequest& layout)
      : StagePicture(palette, rom, layout, 0, 0) {}
  StagePicture(const FcPaletteData& palette, const RomImageData& rom,
               const StagePictureRequest& layout, int shownWidth, int shownHeight);

  // From now on the picture is width x height, its pixel (x, y) showing the laid-out
  // picture's pixel (x * W / width, y * H / height) for a laid-out size of W x H: nearest
  // neighbour, never a blend. Only the shown pixels are drawn. The next Draw draws
  // everything. Sides below 1 raise std::invalid_argument.
  void SetShownSize(int width, int height);

  // Draws the request's stage again where `changes` says, everything when they say so or
  // when the request names another stage, definition or marker choice than the last Draw.
  // Returns the areas of the picture drawn, kept until the next Draw.
  const std::vector<PixelRect>& Draw(const StagePictureRequest& request,
                                     const StageChanges& changes);

  const DisplayPicture& Picture() const { return *picture_; }
  std::unique_ptr<DisplayPicture> TakePicture() { return std::move(picture_); }
  // The cell of a room of the layout on the picture as it is shown.
  PixelRect RoomCell(int room) const { return Shown(LaidOutCell(room)); }

 private:
  PixelRect LaidOutCell(int room) const;
  // The shown pixels that stand for pixels of a laid-out area.
  PixelRect Shown(const PixelRect& laidOut) const;
  void DrawEverything(const StageData& stage);
  void DrawSheetChanges(const StageData& stage, const StageChanges& changes);
  // The changed cells of the map set firstRoom names, in every room from firstRoom on that
  // names it and is not drawn whole.
  void DrawMapSetCells(const StageData& stage, int firstRoom, const StageChanges& changes);
  // Puts source, drawn for the laid-out area, on the picture, with the markers of the
  // room's objects over it when they are shown; `origin` is where source begins in the room.
  void Place(const PixelRect& laidOut, const DisplayPicture& source, const StageData& stage,
             int room, PixelPoint origin);
  // The markers of objects whose room begins at -origin, over the picture.
  void DrawMarkers(DisplayPicture& picture, const StageData::ObjectList& objects,
                   PixelPoint origin) const;

  const RomImageData& rom_;
  EditorGraphics graphics_;
  StagePictureRequest request_;
  bool everythingDrawn_ = false;
  int columns_;
  int count_;
  int laidOutWidth_;
  int laidOutHeight_;
  // When shown at another size: the laid-out column and row of each shown column and row,
  // and the first shown column and row at or past each laid-out one.
  bool scaled_ = false;
  std::vector<int> sourceColumns_;
  std::vector<int> sourceRows_;
  std::vector<int> firstShownColumns_;
  std::vector<int> firstShownRows_;
  std::unique_ptr<DisplayPicture> picture_;
  std::vector<PixelRect> drawn_;  // by the last Draw
  // A room and a 32x32 chip as drawn from the sheets, and the same with markers over them.
  std::unique_ptr<DisplayPicture> roomPicture_;
  std::unique_ptr<DisplayPicture> cellPicture_;
  std::unique_ptr<DisplayPicture> markedRoom_;
  std::unique_ptr<DisplayPicture> markedCell_;
};

// Rooms firstRoom..lastRoom of the stage in one picture, each drawn as the map tab draws it
// (with objects, as the object tab draws it before any frame) from chip sheets built for the
// stage in the definition's stored colours, never animated ones. The k-th room asked for lies
// at column k mod columns and row k div columns, kRoomSide pixels a room; the picture is no
// wider than its rooms, and cells of its last row without a room are black. The window's
// sheets and colours are not used nor touched. A request outside its ranges (stage 0..15,
// rooms within 0..79 in order, at least one column) raises std::out_of_range.
std::unique_ptr<DisplayPicture> DrawStagePicture(const FcPaletteData& palette,
                                                 const RomImageData& rom,
                                                 const StagePictureRequest& request);

// The stage picture as a PNG file, written through writer so a failure leaves no partial
// file; false when it cannot be written, the reason told to notifier.
bool WriteStagePicture(const std::filesystem::path& file, const FcPaletteData& palette,
                       const RomImageData& rom, const StagePictureRequest& request,
                       AtomicFileWriter& writer, UserNotifier& notifier);

}  // namespace zantor
