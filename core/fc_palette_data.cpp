#include "core/fc_palette_data.h"

#include <algorithm>

#include "core/file_reading.h"

namespace zantor {

bool FcPaletteData::Load(const std::filesystem::path& name, UserNotifier& notifier,
                         const std::string& missingNote) {
  const FileContent file = ReadFileUpTo(name, kFileSize);
  std::string problem;
  if (!file.error.empty()) {
    problem = "が読み込めませんでした" + missingNote;
  } else if (file.bytes.size() != kFileSize) {
    problem = "のサイズが不正です";
  }
  if (!problem.empty()) {
    notifier.ShowMessage(name.string() + problem);
    return false;
  }
  std::copy(file.bytes.begin(), file.bytes.end(), raw_.begin());
  for (int n = 0; n < kColorCount; ++n) {
    const std::uint32_t red = raw_[3 * n];
    const std::uint32_t green = raw_[3 * n + 1];
    const std::uint32_t blue = raw_[3 * n + 2];
    colors_[n] = red | green << 8 | blue << 16;
  }
  return true;
}

}  // namespace zantor
