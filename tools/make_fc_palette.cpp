// Writes the 192-byte master palette file to the given path (fcpalette.pal).
#include "tools/ntsc_palette.h"
#include "tools/write_file_bytes.h"

int main(int argc, char** argv) {
  return zantor::RunFileWriterTool(argc, argv, zantor::NtscPalette::FileBytes());
}
