#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>

#include "core/in_place_backup.h"

namespace zantor {

// Replaces a file's content so that a failure never leaves it half written: the bytes go
// to a temporary file beside the target, are flushed to the disk, and only then is the
// temporary renamed over the target. A symbolic link is written through to the file it
// names, and the target's permission bits (and, where allowed, owner) are kept. A target
// the user may not write is refused, even where its folder would let it be replaced, and
// so is one that is no regular file (a pipe, a device).
// Where the folder refuses the user a temporary file but the target itself is writable,
// the target is overwritten in place once the disk has granted the room for the new
// content; that is the one case that is not all-or-nothing. Given a backup, the writer keeps
// the old content there until the new one is on the disk (and refuses to write in place
// when it cannot), so that a crash halfway can be undone; without one it writes in place
// unguarded.
// A temporary carries the writing process's id in its name: one left by a process that no
// longer runs (killed halfway) is removed when the next save starts in its folder.
class AtomicFileWriter {
 public:
  explicit AtomicFileWriter(std::optional<InPlaceBackup> backup = std::nullopt)
      : backup_(std::move(backup)) {}
  virtual ~AtomicFileWriter() = default;

  // Returns an empty text on success, else the system's reason for the failure; the
  // target is then untouched (except after a failed in-place write). Virtual so that a run
  // without a disk can keep the bytes in memory instead.
  virtual std::string Write(const std::filesystem::path& target,
                            std::span<const std::uint8_t> data);

 protected:
  // The steps that meet the user's rights and the disk's limits, apart so a test can make
  // them fail.
  // Whether the existing target may be written; false with errno set otherwise.
  virtual bool MayWrite(const std::string& path);
  // Creates the new file exclusively; returns its descriptor, or -1 with errno set.
  virtual int CreateTemporary(const std::string& path);
  // Writes all of data to the open file; on failure returns false with errno set.
  virtual bool WriteContent(int fd, std::span<const std::uint8_t> data);

 private:
  // Creates a temporary file under a fresh name in folder; returns its descriptor and sets
  // path, or returns -1 with errno set.
  int CreateTemporaryIn(const std::filesystem::path& folder, std::string& path);
  std::string WriteInPlace(const std::filesystem::path& target, std::span<const std::uint8_t> data);

  std::optional<InPlaceBackup> backup_;
};

// The prefix of every temporary a save makes beside its target.
inline constexpr char kTemporaryPrefix[] = ".zantor-save-";

// Removes the temporaries in folder whose writing process no longer runs; those of a living
// process, and every other file, stay.
void RemoveAbandonedTemporaries(const std::filesystem::path& folder);

}  // namespace zantor
