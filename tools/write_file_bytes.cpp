#include "tools/write_file_bytes.h"

#include <fstream>
#include <iostream>

namespace zantor {

bool WriteFileBytes(const std::filesystem::path& path, std::span<const std::uint8_t> bytes) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(reinterpret_cast<const char*>(bytes.data()),
             static_cast<std::streamsize>(bytes.size()));
  file.close();
  return static_cast<bool>(file);
}

int RunFileWriterTool(int argc, char** argv, std::span<const std::uint8_t> bytes) {
  if (argc != 2) {
    std::cerr << "usage: " << (argc > 0 ? argv[0] : "tool") << " OUTPUT_FILE\n";
    return 2;
  }
  if (!WriteFileBytes(argv[1], bytes)) {
    std::cerr << "cannot write " << argv[1] << "\n";
    return 1;
  }
  return 0;
}

}  // namespace zantor
