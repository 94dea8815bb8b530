#include "app/patch_command.h"

#include <algorithm>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/one_line_notifier.h"
#include "core/atomic_file_writer.h"
#include "core/image_file.h"
#include "core/output_file_check.h"
#include "core/patch_file.h"

namespace zantor {

namespace {

constexpr std::string_view kOption = "--make-patch";

struct PatchCommand {
  std::filesystem::path original;
  std::filesystem::path edited;
  std::filesystem::path patch;
};

std::optional<PatchCommand> Parse(int argc, const char* const* argv, std::string* error) {
  std::vector<std::filesystem::path> files;
  bool optionSeen = false;
  for (int i = 1; i < argc; ++i) {
    const std::string_view argument = argv[i];
    if (argument == kOption && !optionSeen) {
      optionSeen = true;
    } else if (argument.starts_with("--")) {
      *error = "--make-patch と一緒には使えないオプションです: " + std::string(argument);
      return std::nullopt;
    } else {
      files.emplace_back(argument);
    }
  }
  if (files.size() != 3) {
    *error = "--make-patch には ORIGINAL EDITED OUT.ips|OUT.bps を指定してください";
    return std::nullopt;
  }
  return PatchCommand{files[0], files[1], files[2]};
}

}  // namespace

bool IsPatchCommand(int argc, const char* const* argv) {
  return std::any_of(argv + 1, argv + argc, [](const char* a) { return a == kOption; });
}

int RunPatchCommand(int argc, const char* const* argv) {
  OneLineNotifier notifier;
  std::string error;
  const std::optional<PatchCommand> command = Parse(argc, argv, &error);
  if (!command) {
    notifier.ShowMessage(error);
    return 2;
  }
  if (const std::string refusal = OutputRefusal(command->patch, {command->original, command->edited});
      !refusal.empty()) {
    notifier.ShowMessage(refusal);
    return 2;
  }
  notifier.subject = command->edited.string();
  const auto edited = ReadImageFile(command->edited, notifier);
  if (!edited) return 1;
  notifier.subject = command->original.string();
  const auto original = ReadPatchOriginal(command->original, edited->size(), notifier);
  if (!original) return 1;
  notifier.subject.clear();
  AtomicFileWriter writer;
  return WritePatchFile(command->patch, *original, *edited, writer, notifier) ? 0 : 1;
}

}  // namespace zantor
