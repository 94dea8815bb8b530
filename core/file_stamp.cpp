#include "core/file_stamp.h"

#include <zlib.h>

#include <system_error>

#include "core/file_reading.h"

namespace zantor {

namespace {

std::uint32_t Crc(std::span<const std::uint8_t> bytes) {
  return static_cast<std::uint32_t>(::crc32_z(0, bytes.data(), bytes.size()));
}

}  // namespace

FileStamp FileStamp::Of(std::span<const std::uint8_t> content) {
  return {true, content.size(), Crc(content)};
}

bool FileStamp::ChangedOnDisk(const std::filesystem::path& file) const {
  std::error_code error;
  if (!known || !std::filesystem::exists(file, error)) return false;
  // One byte past the stamped length is enough to tell a longer file.
  const FileContent now = ReadFileUpTo(file, static_cast<std::size_t>(size));
  if (!now.error.empty()) return true;
  return now.bytes.size() != size || Crc(now.bytes) != crc;
}

}  // namespace zantor
