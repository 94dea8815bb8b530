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
// DrawStagePicture, with sheets of its own.
class StagePicture {
 public:
  // The request's rooms and columns lay the picture out for good; its stage, definition and
  // markers are those of each Draw. Raises as DrawStagePicture does.
  StagePicture(const FcPaletteData& palette, const RomImageData& rom,
               const StagePictureRequest& layout);

  // Draws the request's stage again where `changes` says, everything when they say so or
  // when the request names another stage, definition or marker choice than the last Draw.
  // Returns the areas of the picture drawn.
  std::vector<PixelRect> Draw(const StagePictureRequest& request, const StageChanges& changes);

  const DisplayPicture& Picture() const { return *picture_; }
  std::unique_ptr<DisplayPicture> TakePicture() { return std::move(picture_); }
  // The cell of a room of the layout on the picture.
  PixelRect RoomCell(int room) const;

 private:
  void DrawEverything(const StageData& stage);
  void DrawSheetChanges(const StageData& stage, const StageChanges& changes);
  void DrawWholeRoom(const StageData& stage, int room);
  void DrawRoomCells(const StageData& stage, int room, std::uint64_t cells,
                     std::vector<PixelRect>& drawn);

  const RomImageData& rom_;
  EditorGraphics graphics_;
  StagePictureRequest request_;
  bool drawn_ = false;
  int columns_;
  int count_;
  std::unique_ptr<DisplayPicture> picture_;
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
