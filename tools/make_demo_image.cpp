// Writes the demo image to the given path (demo.nes beside the program in the build).
#include "tools/demo_image.h"
#include "tools/file_writer_tool.h"

int main(int argc, char** argv) {
  return zantor::RunFileWriterTool(argc, argv, zantor::BuildDemoImage());
}
