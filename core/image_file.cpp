#include "core/image_file.h"

#include <algorithm>
#include <array>

#include "core/file_reading.h"
#include "core/image_bytes.h"

namespace zantor {

namespace {

constexpr std::array<std::uint8_t, 4> kMagic = {0x4E, 0x45, 0x53, 0x1A};  // "NES" 0x1A

}  // namespace

std::optional<std::vector<std::uint8_t>> ReadImageBytes(const std::filesystem::path& path,
                                                        UserNotifier& notifier) {
  FileContent file = ReadFileUpTo(path, static_cast<std::size_t>(ImageBytes::kCapacity));
  if (file.notAFile) {
    // A pipe or a device has no length of an image: refused as a file of the wrong length.
    notifier.ShowMessage("ファイルを開けませんでした");
    return std::nullopt;
  }
  if (!file.error.empty()) {
    notifier.ReportError(CannotOpenReport(path, file.error));
    return std::nullopt;
  }
  return std::move(file.bytes);
}

bool CheckImageBytes(std::span<const std::uint8_t> bytes, UserNotifier& notifier) {
  const auto length = static_cast<std::int64_t>(bytes.size());
  if (length < kImageHeaderSize || length > ImageBytes::kCapacity) {
    notifier.ShowMessage("ファイルを開けませんでした");
    return false;
  }
  if (!std::equal(kMagic.begin(), kMagic.end(), bytes.begin())) {
    notifier.ShowMessage("ROMイメージが異常です");
    return false;
  }
  return true;
}

std::optional<std::vector<std::uint8_t>> ReadImageFile(const std::filesystem::path& path,
                                                       UserNotifier& notifier) {
  auto bytes = ReadImageBytes(path, notifier);
  if (!bytes || !CheckImageBytes(*bytes, notifier)) return std::nullopt;
  return bytes;
}

}  // namespace zantor
