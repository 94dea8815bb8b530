#pragma once

namespace zantor {

// The command line that makes a patch without a window:
//   zantor5editor --make-patch ORIGINAL EDITED OUT.ips|OUT.bps
// It needs neither a display nor the application object.

// Whether the command line asks for a patch: any of its arguments is --make-patch.
bool IsPatchCommand(int argc, const char* const* argv);

// Makes the patch from ORIGINAL to EDITED, both read and checked as Open checks an image,
// in the format OUT's extension names. Success says nothing and returns 0; otherwise one
// line on standard error says why, no file is written, and the result is 2 for a bad
// command line, 1 for an image that does not open or a patch that cannot be written.
int RunPatchCommand(int argc, const char* const* argv);

}  // namespace zantor
