#pragma once

#include <cstdint>
#include <span>

namespace zantor {

// The body of a tool that writes one generated file to the path given as its only
// argument, all or nothing: reports misuse and failure on stderr and returns the process
// exit code.
int RunFileWriterTool(int argc, char** argv, std::span<const std::uint8_t> bytes);

}  // namespace zantor
