#include "core/atomic_file_writer.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <random>
#include <string_view>
#include <system_error>
#include <vector>

#include "core/file_reading.h"
#include "core/running_process.h"

namespace zantor {

namespace {

namespace fs = std::filesystem;

constexpr int kMaxLinkDepth = 40;
constexpr int kTemporaryNameAttempts = 100;

std::string Reason(int error) { return std::system_category().message(error); }

// The file a path finally names, following symbolic links (a dangling link names the file
// it would point at, which is then created).
fs::path ResolveLinks(fs::path path, std::error_code& error) {
  for (int depth = 0; depth < kMaxLinkDepth; ++depth) {
    if (!fs::is_symlink(fs::symlink_status(path, error))) {
      error.clear();  // a missing target is fine: it will be created
      return path;
    }
    const fs::path link = fs::read_symlink(path, error);
    if (error) return {};
    path = link.is_absolute() ? link : path.parent_path() / link;
  }
  error = std::make_error_code(std::errc::too_many_symbolic_link_levels);
  return {};
}

constexpr int kTemporaryLetters = 6;

// A short name whatever the target's, so that a target whose name is as long as the file
// system allows still has room for its temporary: the prefix, the process id, a dash and
// random letters.
std::string TemporaryName() {
  static constexpr std::string_view kLetters =
      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
  static std::mt19937_64 generator{std::random_device{}()};
  std::uniform_int_distribution<std::size_t> pick(0, kLetters.size() - 1);
  std::string name = kTemporaryPrefix + std::to_string(::getpid()) + "-";
  for (int i = 0; i < kTemporaryLetters; ++i) name += kLetters[pick(generator)];
  return name;
}

// The process id in a temporary's name; 0 for a name that is not a temporary's.
pid_t TemporaryOwner(std::string_view name) {
  const std::string_view prefix = kTemporaryPrefix;
  if (!name.starts_with(prefix)) return 0;
  name.remove_prefix(prefix.size());
  pid_t pid = 0;
  const auto [end, error] = std::from_chars(name.data(), name.data() + name.size(), pid);
  const std::string_view rest(end, name.data() + name.size() - end);
  if (error != std::errc() || pid <= 0 || rest.size() != kTemporaryLetters + 1 || rest[0] != '-') {
    return 0;
  }
  return pid;
}

// The whole content of an open file, read from its start.
bool ReadWhole(int fd, std::vector<std::uint8_t>& bytes) {
  struct stat s {};
  if (::fstat(fd, &s) != 0) return false;
  bytes.resize(static_cast<std::size_t>(s.st_size));
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t got = ::pread(fd, bytes.data() + done, bytes.size() - done,
                                static_cast<off_t>(done));
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return false;
    if (got == 0) break;
    done += static_cast<std::size_t>(got);
  }
  bytes.resize(done);
  return true;
}

// Claims the disk space for size bytes, so that a full disk shows before anything is
// overwritten. Returns 0, or the error; a file system without reservations is no error.
int ReserveSpace(int fd, std::size_t size) {
  int error = 0;
  do {
    error = ::posix_fallocate(fd, 0, static_cast<off_t>(size));
  } while (error == EINTR);
  return error == EOPNOTSUPP || error == EINVAL ? 0 : error;
}

// Closes the descriptor once; a failing close reports a lost write on some file systems.
class FileHandle {
 public:
  explicit FileHandle(int fd) : fd_(fd) {}
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;
  ~FileHandle() {
    if (fd_ >= 0) ::close(fd_);
  }
  int get() const { return fd_; }
  bool Close() {
    const int fd = fd_;
    fd_ = -1;
    return ::close(fd) == 0;
  }

 private:
  int fd_;
};

}  // namespace

bool AtomicFileWriter::MayWrite(const std::string& path) {
  return ::access(path.c_str(), W_OK) == 0;
}

int AtomicFileWriter::CreateTemporary(const std::string& path) {
  return ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
}

bool AtomicFileWriter::WriteContent(int fd, std::span<const std::uint8_t> data) {
  while (!data.empty()) {
    const ssize_t written = ::write(fd, data.data(), data.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    data = data.subspan(static_cast<std::size_t>(written));
  }
  return true;
}

int AtomicFileWriter::CreateTemporaryIn(const fs::path& folder, std::string& path) {
  for (int attempt = 0; attempt < kTemporaryNameAttempts; ++attempt) {
    path = (folder / TemporaryName()).string();
    const int fd = CreateTemporary(path);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  return -1;  // errno still EEXIST
}

void RemoveAbandonedTemporaries(const fs::path& folder) {
  std::error_code error;
  for (fs::directory_iterator entry(folder.empty() ? fs::path(".") : folder, error), end;
       !error && entry != end; entry.increment(error)) {
    const pid_t owner = TemporaryOwner(entry->path().filename().string());
    std::error_code ignored;
    if (owner != 0 && owner != ::getpid() && !ProcessIsRunning(owner) &&
        entry->symlink_status(ignored).type() == fs::file_type::regular) {
      fs::remove(entry->path(), ignored);
    }
  }
}

std::string AtomicFileWriter::WriteInPlace(const fs::path& target,
                                           std::span<const std::uint8_t> data) {
  FileHandle file(::open(target.c_str(), (backup_ ? O_RDWR : O_WRONLY) | O_CLOEXEC));
  if (file.get() < 0) return Reason(errno);
  if (backup_) {
    // Two copies of the program saving one file in place take turns, so that each keeps
    // the other's whole content, never a half-written one.
    while (::flock(file.get(), LOCK_EX) != 0) {
      if (errno != EINTR) return Reason(errno);
    }
    std::vector<std::uint8_t> old;
    if (!ReadWhole(file.get(), old)) return Reason(errno);
    if (std::string reason = backup_->Keep(target, old); !reason.empty()) return reason;
  }
  struct stat before {};
  if (::fstat(file.get(), &before) != 0) return Reason(errno);
  if (const int error = ReserveSpace(file.get(), data.size()); error != 0) {
    // A reservation that failed partway may have lengthened the file; its bytes are whole.
    [[maybe_unused]] const int ignored = ::ftruncate(file.get(), before.st_size);
    if (backup_) backup_->Drop(target);
    return Reason(error);
  }
  // From here a failure may leave the file torn: the kept copy stays for the next open.
  if (!WriteContent(file.get(), data) ||
      ::ftruncate(file.get(), static_cast<off_t>(data.size())) != 0 || ::fsync(file.get()) != 0) {
    return Reason(errno);
  }
  // Still under the lock: another save must not find this copy and take it for its own.
  if (backup_) backup_->Drop(target);
  if (!file.Close()) return Reason(errno);
  return {};
}

std::string AtomicFileWriter::Write(const fs::path& requested, std::span<const std::uint8_t> data) {
  std::error_code error;
  const fs::path target = ResolveLinks(requested, error);
  if (error) return error.message();

  struct stat existing {};
  const bool exists = ::stat(target.c_str(), &existing) == 0;
  if (exists && S_ISDIR(existing.st_mode)) return Reason(EISDIR);
  // The rename would put a plain file where a pipe or a device was, and opening one to
  // write in place may block for good: only regular files are saved over.
  if (exists && !S_ISREG(existing.st_mode)) return kNotARegularFile;
  // The rename below needs only the folder's consent; the file's own must not be skipped.
  if (exists && !MayWrite(target.string())) return Reason(errno);

  RemoveAbandonedTemporaries(target.parent_path());
  std::string temporary;
  FileHandle file(CreateTemporaryIn(target.parent_path(), temporary));
  if (file.get() < 0) {
    const int create_error = errno;
    // A folder closed to this user may still hold a file the user may write. Any other
    // reason (a full disk, too many open files) would strike the in-place write as well.
    if (exists && (create_error == EACCES || create_error == EPERM)) {
      return WriteInPlace(target, data);
    }
    return Reason(create_error);
  }

  const auto fail = [&temporary](int reason) {
    ::unlink(temporary.c_str());
    return Reason(reason);
  };
  if (exists) {
    // Keep who owns the file and who may use it; a change of owner needs rights the
    // user may not have, which is no reason to fail.
    [[maybe_unused]] const int ignored = ::fchown(file.get(), existing.st_uid, existing.st_gid);
    if (::fchmod(file.get(), existing.st_mode & 07777) != 0) return fail(errno);
  }
  if (!WriteContent(file.get(), data) || ::fsync(file.get()) != 0 || !file.Close()) {
    return fail(errno);
  }
  if (::rename(temporary.c_str(), target.c_str()) != 0) return fail(errno);

  // Make the rename itself durable; a folder that cannot be synced does not undo it.
  FileHandle folder(::open(target.parent_path().empty() ? "." : target.parent_path().c_str(),
                           O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (folder.get() >= 0) ::fsync(folder.get());
  return {};
}

}  // namespace zantor
