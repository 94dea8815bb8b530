#include "core/in_place_backup.h"

#include <cerrno>
#include <cstdio>
#include <system_error>

#include "core/atomic_file_writer.h"
#include "core/file_reading.h"
#include "core/image_bytes.h"

namespace zantor {

namespace {

namespace fs = std::filesystem;

// FNV-1a: stable across runs and builds, which std::hash is not bound to be.
std::uint64_t PathHash(const std::string& text) {
  std::uint64_t hash = 0xCBF29CE484222325ULL;
  for (const unsigned char c : text) {
    hash ^= c;
    hash *= 0x100000001B3ULL;
  }
  return hash;
}

std::vector<std::uint8_t> Bytes(const std::string& text) { return {text.begin(), text.end()}; }

}  // namespace

InPlaceBackup::Names InPlaceBackup::NamesOf(const fs::path& file) const {
  std::error_code ignored;
  // Every name of one file gives the same record: relative names and links are resolved.
  const fs::path full = fs::weakly_canonical(fs::absolute(file, ignored), ignored);
  Names names;
  names.path = full.string();
  char stem[17];
  std::snprintf(stem, sizeof stem, "%016llx",
                static_cast<unsigned long long>(PathHash(names.path)));
  names.copy = folder_ / (std::string(stem) + ".nes");
  names.record = folder_ / (std::string(stem) + ".path");
  return names;
}

std::string InPlaceBackup::Keep(const fs::path& file, std::span<const std::uint8_t> bytes) const {
  if (folder_.empty()) return std::system_category().message(ENOENT);
  if (Find(file)) return {};
  std::error_code error;
  fs::create_directories(folder_, error);
  if (error) return error.message();
  const Names names = NamesOf(file);
  // The copy first: a record is only ever beside a whole copy.
  AtomicFileWriter writer;
  if (std::string reason = writer.Write(names.copy, bytes); !reason.empty()) return reason;
  if (std::string reason = writer.Write(names.record, Bytes(names.path)); !reason.empty()) {
    fs::remove(names.copy, error);
    return reason;
  }
  return {};
}

void InPlaceBackup::Drop(const fs::path& file) const {
  if (folder_.empty()) return;
  const Names names = NamesOf(file);
  std::error_code ignored;
  fs::remove(names.record, ignored);
  fs::remove(names.copy, ignored);
}

std::optional<std::vector<std::uint8_t>> InPlaceBackup::Find(const fs::path& file) const {
  if (folder_.empty()) return std::nullopt;
  const Names names = NamesOf(file);
  const FileContent record = ReadFileUpTo(names.record, names.path.size());
  // Another file whose path has the same hash is not this one.
  if (!record.error.empty() || record.bytes != Bytes(names.path)) return std::nullopt;
  FileContent copy = ReadFileUpTo(names.copy, static_cast<std::size_t>(ImageBytes::kCapacity));
  if (!copy.error.empty()) return std::nullopt;
  return std::move(copy.bytes);
}

}  // namespace zantor
