#include "core/file_reading.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <system_error>

namespace zantor {

namespace {

constexpr std::size_t kChunk = 64 * 1024;

std::string SystemReason(int error) { return std::system_category().message(error); }

}  // namespace

FileContent ReadFileUpTo(const std::filesystem::path& path, std::size_t limit) {
  FileContent content;
  // Opened without waiting: a named pipe with no writer, or a terminal, would otherwise hold
  // the program before it could be recognised and refused.
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) {
    content.error = SystemReason(errno);
    return content;
  }
  struct stat info {};
  if (::fstat(fd, &info) != 0) {
    content.error = SystemReason(errno);
  } else if (!S_ISREG(info.st_mode) && !S_ISDIR(info.st_mode)) {
    content.error = kNotARegularFile;
    content.notAFile = true;
  } else {
    // A folder goes on to read() and fails there with the system's own reason.
    const std::size_t wanted = limit + 1;
    std::size_t filled = 0;
    // The length the file has now and one byte more, to meet its end; a file growing
    // meanwhile is read on in chunks.
    const std::size_t expected = std::min(wanted, static_cast<std::size_t>(info.st_size) + 1);
    content.bytes.reserve(expected);
    while (filled < wanted) {
      const std::size_t step = filled < expected ? expected - filled : kChunk;
      content.bytes.resize(std::min(wanted, filled + step));
      const ssize_t got = ::read(fd, content.bytes.data() + filled, content.bytes.size() - filled);
      if (got == 0) break;
      if (got < 0) {
        if (errno == EINTR) continue;
        content.error = SystemReason(errno);
        break;
      }
      filled += static_cast<std::size_t>(got);
    }
    content.bytes.resize(filled);
  }
  ::close(fd);
  return content;
}

}  // namespace zantor
