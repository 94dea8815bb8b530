#include "core/fc_palette_data.h"

#include <fstream>

namespace zantor {

bool FcPaletteData::Load(const std::filesystem::path& name, UserNotifier& notifier) {
  const std::string shown = name.string();
  std::ifstream file(name, std::ios::binary);
  std::error_code error;
  if (!file || std::filesystem::is_directory(name, error)) {
    notifier.ShowMessage(shown + "が読み込めませんでした");
    return false;
  }
  // One byte more than needed tells a long file from an exact one without asking its size.
  std::array<char, kFileSize + 1> buffer{};
  file.read(buffer.data(), static_cast<std::streamsize>(buffer.size()));
  if (file.bad()) {
    notifier.ShowMessage(shown + "が読み込めませんでした");
    return false;
  }
  if (static_cast<std::uintmax_t>(file.gcount()) != kFileSize) {
    notifier.ShowMessage(shown + "のサイズが不正です");
    return false;
  }
  for (std::size_t i = 0; i < raw_.size(); ++i) raw_[i] = static_cast<std::uint8_t>(buffer[i]);
  for (int n = 0; n < kColorCount; ++n) {
    const std::uint32_t red = raw_[3 * n];
    const std::uint32_t green = raw_[3 * n + 1];
    const std::uint32_t blue = raw_[3 * n + 2];
    colors_[n] = red | green << 8 | blue << 16;
  }
  return true;
}

}  // namespace zantor
