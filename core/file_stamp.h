#pragma once

#include <cstdint>
#include <filesystem>
#include <span>

namespace zantor {

// What a file held when this program last read or wrote it: enough to tell whether another
// program has changed it since. Its length and CRC-32, not its time: a change within the
// file system's clock tick keeps the time, and a touch that keeps the bytes loses nothing.
struct FileStamp {
  bool known = false;
  std::uintmax_t size = 0;
  std::uint32_t crc = 0;

  static FileStamp Of(std::span<const std::uint8_t> content);

  // Whether file now holds other bytes than when stamped. A missing file, or an unknown
  // stamp, is no change: nothing of it can be lost by writing it.
  bool ChangedOnDisk(const std::filesystem::path& file) const;
};

}  // namespace zantor
