#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <vector>

#include "core/user_notifier.h"

namespace zantor {

inline constexpr std::int64_t kImageHeaderSize = 16;

// Reads a file meant to hold a game image, but never more than one byte past the image
// buffer: enough to tell that it is too long. Unchecked; nothing when it cannot be read,
// the reason then goes to notifier.
std::optional<std::vector<std::uint8_t>> ReadImageBytes(const std::filesystem::path& path,
                                                        UserNotifier& notifier);

// Checks bytes as Open does: their length (a header, at most the image buffer) and their
// magic. False when they fail; the reason goes to notifier.
bool CheckImageBytes(std::span<const std::uint8_t> bytes, UserNotifier& notifier);

// Reads a game image whole and checks it. Nothing when it fails; the reason goes to
// notifier.
std::optional<std::vector<std::uint8_t>> ReadImageFile(const std::filesystem::path& path,
                                                       UserNotifier& notifier);

}  // namespace zantor
