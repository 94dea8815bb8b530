#pragma once

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <span>

#include "core/atomic_file_writer.h"

namespace zantor::testing {

// Simulates a disk that fails partway through the data while `failing` is set: the first
// byte is written, then EIO.
class FailingContentWriter : public AtomicFileWriter {
 public:
  bool failing = true;

 protected:
  bool WriteContent(int fd, std::span<const std::uint8_t> data) override {
    if (!failing) return AtomicFileWriter::WriteContent(fd, data);
    AtomicFileWriter::WriteContent(fd, data.first(std::min<std::size_t>(1, data.size())));
    errno = EIO;
    return false;
  }
};

}  // namespace zantor::testing
