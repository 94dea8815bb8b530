#include "core/file_reading.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>

namespace zantor {

FileContent ReadFileUpTo(const std::filesystem::path& path, std::size_t limit) {
  FileContent content;
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    content.error = std::system_category().message(errno);
    return content;
  }
  content.bytes.resize(limit + 1);
  std::size_t filled = 0;
  while (filled < content.bytes.size()) {
    const ssize_t got = ::read(fd, content.bytes.data() + filled, content.bytes.size() - filled);
    if (got == 0) break;
    if (got < 0) {
      if (errno == EINTR) continue;
      content.error = std::system_category().message(errno);
      break;
    }
    filled += static_cast<std::size_t>(got);
  }
  ::close(fd);
  content.bytes.resize(filled);
  return content;
}

}  // namespace zantor
