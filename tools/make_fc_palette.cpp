// Writes the 192-byte master palette file to the given path (fcpalette.pal).
#include "tools/file_writer_tool.h"
#include "tools/ntsc_palette.h"

int main(int argc, char** argv) {
  return zantor::RunFileWriterTool(argc, argv, zantor::NtscPalette::FileBytes());
}
