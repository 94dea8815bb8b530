#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>

#include "core/user_notifier.h"

namespace zantor {

// The 64 NES master colours, read once from a 192-byte file of R, G, B triples.
class FcPaletteData {
 public:
  static constexpr int kColorCount = 64;
  static constexpr std::uintmax_t kFileSize = 3 * kColorCount;

  // Reads the file named as the caller gives it (a bare name is looked up in the current
  // directory). On failure the user is told once through notifier, the table keeps what
  // it held, and the result is false. missingNote follows the report of a file that
  // cannot be read (where it was looked for).
  bool Load(const std::filesystem::path& name, UserNotifier& notifier,
            const std::string& missingNote = {});

  // 0x00BBGGRR of a NES colour number. Stage palettes come unchecked from the image, so
  // numbers outside 0..63 show the colour of the number masked to 6 bits, as the console
  // itself does; nothing is read outside the table.
  std::uint32_t GetColor(int number) const { return colors_[number & (kColorCount - 1)]; }

 private:
  std::array<std::uint8_t, kFileSize> raw_{};
  std::array<std::uint32_t, kColorCount> colors_{};
};

}  // namespace zantor
