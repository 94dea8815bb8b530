#include "core/patch_file.h"

#include "core/image_file.h"
#include "core/patch_making.h"

namespace zantor {

std::optional<std::vector<std::uint8_t>> ReadPatchOriginal(const std::filesystem::path& path,
                                                           std::size_t editedLength,
                                                           UserNotifier& notifier) {
  auto original = ReadImageFile(path, notifier);
  if (original && original->size() != editedLength) {
    notifier.ShowMessage("元のROMイメージと編集後のROMイメージのサイズが違います");
    return std::nullopt;
  }
  return original;
}

bool WritePatchFile(const std::filesystem::path& file, std::span<const std::uint8_t> original,
                    std::span<const std::uint8_t> edited, AtomicFileWriter& writer,
                    UserNotifier& notifier) {
  const std::optional<PatchFormat> format = PatchFormatOf(file);
  if (!format) {
    notifier.ShowMessage("パッチファイルの拡張子は .ips か .bps にしてください");
    return false;
  }
  const std::vector<std::uint8_t> patch = MakePatch(*format, original, edited);
  if (const std::string error = writer.Write(file, patch); !error.empty()) {
    notifier.ReportError(CannotWriteReport(file, error));
    return false;
  }
  return true;
}

}  // namespace zantor
