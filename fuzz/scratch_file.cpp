#include "fuzz/scratch_file.h"

#include <stdlib.h>
#include <unistd.h>

#include <cstdio>
#include <stdexcept>
#include <string>

namespace zantor::fuzz {

ScratchFile::ScratchFile(const char* stem) {
  std::string pattern =
      (std::filesystem::temp_directory_path() / (std::string(stem) + "-XXXXXX")).string();
  const int fd = ::mkstemp(pattern.data());
  if (fd < 0) throw std::runtime_error("cannot create a scratch file in the temporary folder");
  ::close(fd);
  path_ = pattern;
}

ScratchFile::~ScratchFile() {
  std::error_code ignored;
  std::filesystem::remove(path_, ignored);
}

const std::filesystem::path& ScratchFile::Write(const std::uint8_t* data, std::size_t size) {
  std::FILE* file = std::fopen(path_.c_str(), "wb");
  if (file == nullptr) throw std::runtime_error("cannot write " + path_.string());
  const bool written = size == 0 || std::fwrite(data, 1, size, file) == size;
  if (std::fclose(file) != 0 || !written)
    throw std::runtime_error("cannot write " + path_.string());
  return path_;
}

}  // namespace zantor::fuzz
