#include "core/output_file_check.h"

#include <sys/stat.h>

#include <algorithm>
#include <cctype>

namespace zantor {

bool IsSameFile(const std::filesystem::path& a, const std::filesystem::path& b) {
  struct stat first {};
  struct stat second {};
  return ::stat(a.c_str(), &first) == 0 && ::stat(b.c_str(), &second) == 0 &&
         first.st_dev == second.st_dev && first.st_ino == second.st_ino;
}

bool HasExtension(const std::filesystem::path& file, std::string_view extension) {
  const std::string name = file.filename().string();
  if (name.size() <= extension.size()) return false;
  return std::equal(extension.begin(), extension.end(), name.end() - extension.size(),
                    [](char wanted, char found) {
                      return std::tolower(static_cast<unsigned char>(wanted)) ==
                             std::tolower(static_cast<unsigned char>(found));
                    });
}

std::string OutputRefusal(const std::filesystem::path& output,
                          const std::vector<std::filesystem::path>& inputs,
                          std::string_view extension) {
  if (!extension.empty() && !HasExtension(output, extension)) {
    return "出力ファイルの拡張子は " + std::string(extension) + " にしてください";
  }
  for (const std::filesystem::path& input : inputs) {
    if (IsSameFile(output, input)) {
      return "出力ファイル \"" + output.string() + "\" は入力ファイル \"" + input.string() +
             "\" と同じファイルです。別のファイルを指定してください";
    }
  }
  return {};
}

}  // namespace zantor
