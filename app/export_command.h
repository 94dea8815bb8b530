#pragma once

namespace zantor {

// The command line that writes a picture of a stage's rooms without a window:
//   zantor5editor IMAGE --export-map FILE.png [--stage N] [--rooms A-B] [--columns C]
//                 [--objects]
// It needs neither a display nor the application object.

// Whether the command line asks for a stage picture: any of its arguments is --export-map.
bool IsExportCommand(int argc, const char* const* argv);

// Opens IMAGE as Open does, with the master palette and the address table the window would
// find, and writes rooms A-B (default 0-79) of stage N (default 0) in the stored colours of
// palette definition 0, C rooms to a row (default 16), with the object markers when asked.
// Success says nothing and returns 0; otherwise one line on standard error says why, no file
// is written, and the result is 2 for a bad command line, 1 for anything that cannot be read
// or written.
int RunExportCommand(int argc, const char* const* argv);

}  // namespace zantor
