#include "core/atomic_file_writer.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <random>
#include <system_error>

namespace zantor {

namespace {

namespace fs = std::filesystem;

constexpr int kMaxLinkDepth = 40;

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

std::string TemporaryNameBeside(const fs::path& target) {
  static std::mt19937_64 generator{std::random_device{}()};
  return (target.parent_path() /
          ("." + target.filename().string() + "." + std::to_string(generator()) + ".tmp"))
      .string();
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

std::string AtomicFileWriter::Write(const fs::path& requested,
                                    std::span<const std::uint8_t> data) {
  std::error_code error;
  const fs::path target = ResolveLinks(requested, error);
  if (error) return error.message();

  struct stat existing {};
  const bool exists = ::stat(target.c_str(), &existing) == 0;
  if (exists && S_ISDIR(existing.st_mode)) return Reason(EISDIR);

  const std::string temporary = TemporaryNameBeside(target);
  FileHandle file(CreateTemporary(temporary));
  if (file.get() < 0) {
    const int create_error = errno;
    if (!exists) return Reason(create_error);
    // No temporary file possible here (a read-only folder, say): the target itself may
    // still be writable.
    FileHandle in_place(::open(target.c_str(), O_WRONLY | O_CLOEXEC));
    if (in_place.get() < 0) return Reason(errno);
    if (!WriteContent(in_place.get(), data) ||
        ::ftruncate(in_place.get(), static_cast<off_t>(data.size())) != 0 ||
        ::fsync(in_place.get()) != 0 || !in_place.Close()) {
      return Reason(errno);
    }
    return {};
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
