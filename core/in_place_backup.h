#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace zantor {

// The copy of a file's old bytes that a save written in place keeps until the new bytes are
// all on the disk, so that a save cut short by a crash can be undone at the next open. Each
// file has one copy, named after a hash of its full path, beside a record of that path.
class InPlaceBackup {
 public:
  // The folder the copies live in (made when first needed); an empty one has no room for
  // any, so every Keep fails.
  explicit InPlaceBackup(std::filesystem::path folder) : folder_(std::move(folder)) {}

  // Keeps bytes as the old content of file, with the record of its path, both flushed to
  // the disk. A copy left by a save that did not complete stays instead: it holds the last
  // content known to be whole. Returns an empty text, or the system's reason.
  std::string Keep(const std::filesystem::path& file, std::span<const std::uint8_t> bytes) const;
  // Forgets the copy of file, once its new content is complete.
  void Drop(const std::filesystem::path& file) const;
  // The old bytes of file when a save of it did not complete; nothing otherwise.
  std::optional<std::vector<std::uint8_t>> Find(const std::filesystem::path& file) const;

 private:
  struct Names {
    std::string path;  // the file's full path, as the record holds it
    std::filesystem::path copy;
    std::filesystem::path record;
  };
  Names NamesOf(const std::filesystem::path& file) const;

  std::filesystem::path folder_;
};

}  // namespace zantor
