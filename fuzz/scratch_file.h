#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>

namespace zantor::fuzz {

// A file of this process's own in the temporary folder ($TMPDIR), for readers that take a
// path: rewritten with every input, removed at exit. Parallel fuzzing processes each get
// their own name.
class ScratchFile {
 public:
  explicit ScratchFile(const char* stem);
  ScratchFile(const ScratchFile&) = delete;
  ScratchFile& operator=(const ScratchFile&) = delete;
  ~ScratchFile();

  const std::filesystem::path& Path() const { return path_; }
  // Replaces the file's content with the bytes; returns the path.
  const std::filesystem::path& Write(const std::uint8_t* data, std::size_t size);

 private:
  std::filesystem::path path_;
};

}  // namespace zantor::fuzz
