#pragma once

#include <filesystem>
#include <memory>

#include "core/atomic_file_writer.h"
#include "core/stage_data.h"
#include "core/user_notifier.h"
#include "graphics/display_picture.h"

namespace zantor {

class FcPaletteData;
class RomImageData;

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
