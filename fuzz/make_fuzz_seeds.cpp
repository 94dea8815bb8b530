// Writes the seed inputs that come from the project's own data into a corpus folder (one
// subfolder per fuzz target): the demo image cut short, the settings the program writes for
// it, the sample name lists, and grid and object list texts as the dialogs write them.
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "core/atomic_file_writer.h"
#include "core/stage_data.h"
#include "editors/grid_text.h"
#include "editors/room_text.h"
#include "tools/demo_image.h"

namespace zantor {
namespace {

namespace fs = std::filesystem;

void Write(const fs::path& file, const std::vector<std::uint8_t>& bytes) {
  fs::create_directories(file.parent_path());
  if (const std::string reason = AtomicFileWriter().Write(file, bytes); !reason.empty()) {
    throw std::runtime_error("cannot write " + file.string() + ": " + reason);
  }
}

std::vector<std::uint8_t> Ascii(std::u16string_view text) { return {text.begin(), text.end()}; }

std::vector<std::uint8_t> Utf16(std::u16string_view text) {
  std::vector<std::uint8_t> bytes;
  for (const char16_t c : text) {
    bytes.push_back(static_cast<std::uint8_t>(c & 0xFF));
    bytes.push_back(static_cast<std::uint8_t>(c >> 8));
  }
  return bytes;
}

// The room of the stage with the most objects.
int FullestRoom(const StageData& stage) {
  int fullest = 0;
  for (int room = 1; room < kRoomCount; ++room) {
    if (stage.RoomObjectCount(room) > stage.RoomObjectCount(fullest)) fullest = room;
  }
  return fullest;
}

void WriteSeeds(const fs::path& corpus) {
  const std::vector<std::uint8_t> demo = BuildDemoImage();
  const auto head = [&demo](std::size_t length) {
    return std::vector<std::uint8_t>(demo.begin(), demo.begin() + length);
  };
  // The header alone; stage 0's blocks; as much as a corpus file may hold.
  Write(corpus / "image/seed-header.nes", head(RomImageData::kHeaderSize));
  Write(corpus / "image/seed-stage0.nes", head(AddressData::kStageStride + 0x10));
  Write(corpus / "image/seed-64k.nes", head(64 * 1024));

  // The address table as the program writes it back to a settings file it found empty.
  TMyMemIniFile settings("seed.ini", "");
  const AddressData addresses(settings);
  const std::string text = settings.Text();
  Write(corpus / "settings/seed-addresses.ini", {text.begin(), text.end()});

  for (const char* list : {"ChipAttributes.txt", "ObjectList.txt"}) {
    const fs::path target = corpus / "name_lists" / (std::string("seed-") + list);
    fs::create_directories(target.parent_path());
    fs::copy_file(fs::path(ZANTOR_SAMPLE_LISTS_DIR) / list, target,
                  fs::copy_options::overwrite_existing);
  }

  ImageBytes image;
  image.WriteBlock(0, demo);
  const bool undoEnabled = true;
  StageData stage0(0, addresses, image, undoEnabled);
  stage0.LoadAll();
  GridCells catalogue{};
  std::copy_n(stage0.MapSet().begin() + kDemoCatalogueMapSet * 64, 64, catalogue.begin());
  const std::u16string whole = GridCopyText(catalogue, {0, 0, kGridColumns - 1, kGridRows - 1});
  Write(corpus / "grid_text/seed-grid.txt", Ascii(whole));
  Write(corpus / "grid_text/seed-grid-utf16.txt", Utf16(whole));
  Write(corpus / "grid_text/seed-part.txt", Ascii(GridCopyText(catalogue, {2, 3, 4, 4})));

  // Each object list seed names its stage and room in its first two bytes.
  const auto objectSeed = [&corpus](const std::string& name, int stage, int room,
                                    std::u16string_view text) {
    std::vector<std::uint8_t> bytes = {static_cast<std::uint8_t>(stage),
                                       static_cast<std::uint8_t>(room)};
    const std::vector<std::uint8_t> ascii = Ascii(text);
    bytes.insert(bytes.end(), ascii.begin(), ascii.end());
    Write(corpus / "object_text" / name, bytes);
  };
  StageData crowded(kDemoMostObjectsStage, addresses, image, undoEnabled);
  crowded.LoadAll();
  std::u16string allObjects;
  for (int room = 0; room < kRoomCount; ++room) allObjects += RoomText(crowded.Room(room));
  objectSeed("seed-fullest-room.txt", 0, FullestRoom(stage0),
             RoomText(stage0.Room(FullestRoom(stage0))));
  // The crowded stage's objects all typed into one room of another: more than fit.
  objectSeed("seed-too-many.txt", 0, 1, allObjects);
}

}  // namespace
}  // namespace zantor

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: " << argv[0] << " CORPUS_FOLDER\n";
    return 2;
  }
  try {
    zantor::WriteSeeds(argv[1]);
  } catch (const std::exception& error) {
    std::cerr << error.what() << "\n";
    return 1;
  }
  return 0;
}
