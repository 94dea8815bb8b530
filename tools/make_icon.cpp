// Writes the program's icon as a PNG file, SIDE pixels square (a multiple of 48).
#include <cstdlib>
#include <iostream>

#include "graphics/png_file.h"
#include "tools/demo_icon.h"
#include "tools/file_writer_tool.h"

int main(int argc, char** argv) {
  using zantor::DemoIcon;
  const int side = argc == 3 ? std::atoi(argv[1]) : 0;
  if (side <= 0 || side % DemoIcon::kSide != 0) {
    std::cerr << "usage: make_icon SIDE OUTPUT_FILE (SIDE a multiple of " << DemoIcon::kSide
              << ")\n";
    return 2;
  }
  char* output[] = {argv[0], argv[2]};
  return zantor::RunFileWriterTool(
      2, output, zantor::EncodePng(side, side, DemoIcon::Draw(side / DemoIcon::kSide)));
}
