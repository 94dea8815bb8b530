#include "tools/file_writer_tool.h"

#include <iostream>
#include <string>

#include "core/atomic_file_writer.h"

namespace zantor {

int RunFileWriterTool(int argc, char** argv, std::span<const std::uint8_t> bytes) {
  if (argc != 2) {
    std::cerr << "usage: " << (argc > 0 ? argv[0] : "tool") << " OUTPUT_FILE\n";
    return 2;
  }
  if (const std::string reason = AtomicFileWriter().Write(argv[1], bytes); !reason.empty()) {
    std::cerr << "cannot write " << argv[1] << ": " << reason << "\n";
    return 1;
  }
  return 0;
}

}  // namespace zantor
