// Writes the demo image to the given path (demo.nes beside the program in the build).
#include "tools/demo_image.h"
#include "tools/write_file_bytes.h"

int main(int argc, char** argv) {
  return zantor::RunFileWriterTool(argc, argv, zantor::BuildDemoImage());
}
