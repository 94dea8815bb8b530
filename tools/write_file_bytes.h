#pragma once

#include <cstdint>
#include <filesystem>
#include <span>

namespace zantor {

// Creates or replaces the file with exactly these bytes; false when that fails.
bool WriteFileBytes(const std::filesystem::path& path, std::span<const std::uint8_t> bytes);

// The body of a tool that writes one generated file to the path given as its only
// argument: reports misuse and failure on stderr and returns the process exit code.
int RunFileWriterTool(int argc, char** argv, std::span<const std::uint8_t> bytes);

}  // namespace zantor
