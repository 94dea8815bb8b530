#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace zantor {

// Whether a and b name one existing file: the same device and inode, whether reached by the
// same name, another name, a symbolic link or a hard link.
bool IsSameFile(const std::filesystem::path& a, const std::filesystem::path& b);

// Whether the file name ends in extension (".png"), in any case.
bool HasExtension(const std::filesystem::path& file, std::string_view extension);

// Why a command may not write output: its name lacks the extension it must have (when one is
// given), or it is one of the files the command reads, so writing it would destroy its own
// input. Empty when output may be written.
std::string OutputRefusal(const std::filesystem::path& output,
                          const std::vector<std::filesystem::path>& inputs,
                          std::string_view extension = {});

}  // namespace zantor
