#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <vector>

#include "core/user_notifier.h"

namespace zantor {

inline constexpr std::int64_t kImageHeaderSize = 16;

// Reads a game image whole and checks it as Open does: its length (a header, at most the
// image buffer) and its magic. Nothing when it fails; the reason goes to notifier.
std::optional<std::vector<std::uint8_t>> ReadImageFile(const std::filesystem::path& path,
                                                       UserNotifier& notifier);

}  // namespace zantor
