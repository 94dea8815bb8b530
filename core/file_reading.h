#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace zantor {

struct FileContent {
  std::vector<std::uint8_t> bytes;  // at most limit + 1 bytes: one more means too long
  std::string error;                // the system's reason when the file could not be read
  // A pipe, a device or a socket: refused before anything is read, since reading one may
  // wait for good. error says so too.
  bool notAFile = false;
};

// The reason given for a path that names a pipe, a device or a socket.
inline constexpr const char* kNotARegularFile = "Not a regular file";

// Reads a file whole, but never more than one byte past limit, so an oversized file is
// recognised without reading it all. A folder is a file that cannot be read. Never waits on
// a pipe or a device.
FileContent ReadFileUpTo(const std::filesystem::path& path, std::size_t limit);

}  // namespace zantor
