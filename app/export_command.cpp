#include "app/export_command.h"

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <functional>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "app/one_line_notifier.h"
#include "core/atomic_file_writer.h"
#include "core/edit_flag_management.h"
#include "core/fc_palette_data.h"
#include "core/my_mem_ini_file.h"
#include "core/output_file_check.h"
#include "core/program_locations.h"
#include "core/rom_image_data.h"
#include "graphics/stage_picture.h"

namespace zantor {

namespace {

constexpr std::string_view kOption = "--export-map";

struct ExportCommand {
  std::filesystem::path image;
  std::filesystem::path picture;
  StagePictureRequest request;
};

// A decimal number within first..last, and nothing else.
std::optional<int> Number(std::string_view text, int first, int last) {
  int value = 0;
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, value);
  if (error != std::errc() || stop != end || value < first || value > last) return std::nullopt;
  return value;
}

// "A-B" with A <= B, or "A" for one room.
bool ReadRooms(std::string_view text, StagePictureRequest& request) {
  const std::size_t dash = text.find('-');
  const auto first = Number(text.substr(0, dash), 0, kRoomCount - 1);
  const auto last =
      dash == std::string_view::npos ? first : Number(text.substr(dash + 1), 0, kRoomCount - 1);
  if (!first || !last || *first > *last) return false;
  request.firstRoom = *first;
  request.lastRoom = *last;
  return true;
}

// An option that takes a value: reads it into the command, false when it is not one.
struct ValueOption {
  std::string_view name;
  std::string_view usage;
  std::function<bool(std::string_view, ExportCommand&)> read;
};

const std::vector<ValueOption>& ValueOptions() {
  static const std::vector<ValueOption> options = {
      {kOption, "--export-map には書き出す PNG ファイルを指定してください",
       [](std::string_view value, ExportCommand& command) {
         command.picture = value;
         return true;
       }},
      {"--stage", "--stage には 0 から 15 の数を指定してください",
       [](std::string_view value, ExportCommand& command) {
         const auto stage = Number(value, 0, kStageCount - 1);
         if (stage) command.request.stage = *stage;
         return stage.has_value();
       }},
      {"--rooms", "--rooms には 0 から 79 の部屋を A-B の形で指定してください(A は B 以下)",
       [](std::string_view value, ExportCommand& command) {
         return ReadRooms(value, command.request);
       }},
      {"--columns", "--columns には 1 から 80 の数を指定してください",
       [](std::string_view value, ExportCommand& command) {
         const auto columns = Number(value, 1, kRoomCount);
         if (columns) command.request.columns = *columns;
         return columns.has_value();
       }},
  };
  return options;
}

std::optional<ExportCommand> Parse(int argc, const char* const* argv, std::string* error) {
  ExportCommand command;
  std::vector<std::string_view> images;
  std::set<std::string_view> seen;
  for (int i = 1; i < argc; ++i) {
    const std::string_view argument = argv[i];
    if (!argument.starts_with("--")) {
      images.push_back(argument);
      continue;
    }
    if (!seen.insert(argument).second) {
      *error = std::string(argument) + " が2回指定されています";
      return std::nullopt;
    }
    if (argument == "--objects") {
      command.request.objects = true;
      continue;
    }
    const auto& options = ValueOptions();
    const auto option = std::find_if(options.begin(), options.end(),
                                     [&](const ValueOption& o) { return o.name == argument; });
    if (option == options.end()) {
      *error = "--export-map と一緒には使えないオプションです: " + std::string(argument);
      return std::nullopt;
    }
    // A value that looks like an option is taken for a missing one.
    const bool hasValue = i + 1 < argc && !std::string_view(argv[i + 1]).starts_with("--");
    if (!hasValue || !option->read(argv[++i], command)) {
      *error = option->usage;
      return std::nullopt;
    }
  }
  if (images.size() != 1) {
    *error =
        "--export-map には IMAGE を1つ指定してください: zantor5editor IMAGE --export-map FILE.png";
    return std::nullopt;
  }
  command.image = images.front();
  return command;
}

// Nobody shows the modified mark here.
class NoStatusText : public StatusTextSink {
 public:
  void SetStatusText(const std::string&) override {}
};

}  // namespace

bool IsExportCommand(int argc, const char* const* argv) {
  return std::any_of(argv + 1, argv + argc, [](const char* a) { return a == kOption; });
}

int RunExportCommand(int argc, const char* const* argv) {
  OneLineNotifier notifier;
  std::string error;
  const std::optional<ExportCommand> command = Parse(argc, argv, &error);
  if (!command) {
    notifier.ShowMessage(error);
    return 2;
  }
  const ProgramFolders folders = ProgramFoldersFromEnvironment(RunningProgramFolder(argv[0]));
  const FileSearch paletteFile = FindMasterPalette(kMasterPaletteFileName, folders);
  const std::string refusal = OutputRefusal(
      command->picture, {command->image, paletteFile.file, SettingsFilePath(folders)}, ".png");
  if (!refusal.empty()) {
    notifier.ShowMessage(refusal);
    return 2;
  }
  FcPaletteData palette;
  if (!palette.Load(paletteFile.file, notifier, paletteFile.SearchedFoldersNote())) return 1;
  // The address table the window would use; read only, the file is never written here.
  TMyMemIniFile settings(SettingsFilePath(folders));
  if (!settings.LoadError().empty()) {
    notifier.ReportError(CannotOpenReport(settings.FileName(), settings.LoadError()));
    return 1;
  }
  NoStatusText statusText;
  EditFlagManagement flags(statusText);
  const std::vector<std::string> noAttributeNames;
  RomImageData rom(flags, noAttributeNames, settings, notifier);
  notifier.subject = command->image.string();
  if (!rom.Open(command->image)) return 1;
  notifier.subject.clear();
  AtomicFileWriter writer;
  return WriteStagePicture(command->picture, palette, rom, command->request, writer, notifier) ? 0
                                                                                               : 1;
}

}  // namespace zantor
