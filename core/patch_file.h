#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <vector>

#include "core/atomic_file_writer.h"
#include "core/user_notifier.h"

namespace zantor {

// The image a patch starts from: read and checked as Open checks an image, and refused
// unless it is as long as the edited image. Nothing when refused; the reason goes to
// notifier.
std::optional<std::vector<std::uint8_t>> ReadPatchOriginal(const std::filesystem::path& path,
                                                           std::size_t editedLength,
                                                           UserNotifier& notifier);

// Writes the patch from original to edited (of equal length) in the format the file's
// extension names, through writer, so a failure leaves no partial file. False when the
// extension names no format or the file cannot be written; the reason goes to notifier.
bool WritePatchFile(const std::filesystem::path& file, std::span<const std::uint8_t> original,
                    std::span<const std::uint8_t> edited, AtomicFileWriter& writer,
                    UserNotifier& notifier);

}  // namespace zantor
