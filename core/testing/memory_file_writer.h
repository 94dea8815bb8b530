#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

#include "core/atomic_file_writer.h"

namespace zantor::testing {

// Keeps what a save writes in memory instead of on the disk, so that all of Save runs but
// its last step, at the cost of a copy.
class MemoryFileWriter : public AtomicFileWriter {
 public:
  // content receives the bytes of every write, the last one kept.
  explicit MemoryFileWriter(std::vector<std::uint8_t>& content) : content_(content) {}

  std::string Write(const std::filesystem::path&, std::span<const std::uint8_t> data) override {
    content_.assign(data.begin(), data.end());
    return {};
  }

 private:
  std::vector<std::uint8_t>& content_;
};

}  // namespace zantor::testing
