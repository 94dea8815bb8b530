#include "core/atomic_file_writer.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <poll.h>
#include <signal.h>
#include <sys/wait.h>

#include <cerrno>
#include <cstdint>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "core/testing/failing_content_writer.h"
#include "core/testing/temporary_folder.h"

namespace zantor {
namespace {

namespace fs = std::filesystem;
using testing::FailingContentWriter;
using testing::ReadFile;
using testing::TemporaryFolder;
using testing::WriteFile;

const std::vector<std::uint8_t> kOld = {1, 2, 3, 4, 5, 6};
const std::vector<std::uint8_t> kNew = {9, 8, 7};

std::string Write(AtomicFileWriter& writer, const fs::path& target) {
  return writer.Write(target, kNew);
}

struct stat Stat(const fs::path& path) {
  struct stat s {};
  EXPECT_EQ(::stat(path.c_str(), &s), 0);
  return s;
}

std::size_t EntryCount(const fs::path& folder) {
  return static_cast<std::size_t>(
      std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
}

TEST(AtomicFileWriter, CreatesANewFile) {
  TemporaryFolder folder;
  AtomicFileWriter writer;
  EXPECT_EQ(Write(writer, folder.File("new.nes")), "");
  EXPECT_EQ(ReadFile(folder.File("new.nes")), kNew);
  EXPECT_EQ(EntryCount(folder.Path()), 1u);
}

TEST(AtomicFileWriter, ReplacesAFileAndKeepsItsPermissionBits) {
  TemporaryFolder folder;
  AtomicFileWriter writer;
  for (const fs::perms mode : {fs::perms(0640), fs::perms(0751), fs::perms(0604)}) {
    const auto path = folder.File("game.nes");
    WriteFile(path, kOld);
    fs::permissions(path, mode);
    const ino_t old_inode = Stat(path).st_ino;
    EXPECT_EQ(Write(writer, path), "");
    EXPECT_EQ(ReadFile(path), kNew);
    EXPECT_NE(Stat(path).st_ino, old_inode) << "a new file was renamed over the old one";
    EXPECT_EQ(fs::status(path).permissions(), mode);
    EXPECT_EQ(EntryCount(folder.Path()), 1u);
  }
}

TEST(AtomicFileWriter, KeepsTheOwnerWhereAllowed) {
  TemporaryFolder folder;
  AtomicFileWriter writer;
  const auto path = folder.File("game.nes");
  WriteFile(path, kOld);
  if (::chown(path.c_str(), 4321, 4321) != 0) GTEST_SKIP() << "changing owners needs root";
  EXPECT_EQ(Write(writer, path), "");
  EXPECT_EQ(Stat(path).st_uid, 4321u);
  EXPECT_EQ(Stat(path).st_gid, 4321u);
}

TEST(AtomicFileWriter, WritesThroughSymbolicLinks) {
  TemporaryFolder folder;
  AtomicFileWriter writer;
  fs::create_directory(folder.File("real"));
  const auto real = folder.File("real") / "game.nes";
  WriteFile(real, kOld);
  fs::permissions(real, fs::perms(0640));
  fs::create_symlink("real/game.nes", folder.File("relative.nes"));
  fs::create_symlink(folder.File("relative.nes"), folder.File("chained.nes"));

  EXPECT_EQ(Write(writer, folder.File("chained.nes")), "");
  EXPECT_TRUE(fs::is_symlink(fs::symlink_status(folder.File("chained.nes"))));
  EXPECT_TRUE(fs::is_symlink(fs::symlink_status(folder.File("relative.nes"))));
  EXPECT_EQ(ReadFile(real), kNew);
  EXPECT_EQ(fs::status(real).permissions(), fs::perms(0640));
}

TEST(AtomicFileWriter, ADanglingLinkGetsTheFileItNames) {
  TemporaryFolder folder;
  AtomicFileWriter writer;
  fs::create_symlink("target.nes", folder.File("link.nes"));
  EXPECT_EQ(Write(writer, folder.File("link.nes")), "");
  EXPECT_TRUE(fs::is_symlink(fs::symlink_status(folder.File("link.nes"))));
  EXPECT_EQ(ReadFile(folder.File("target.nes")), kNew);
}

TEST(AtomicFileWriter, ReportsTargetsThatCannotBeFiles) {
  TemporaryFolder folder;
  AtomicFileWriter writer;
  WriteFile(folder.File("plain"), kOld);
  EXPECT_EQ(Write(writer, folder.File("plain") / "game.nes"),
            std::system_category().message(ENOTDIR));
  fs::create_directory(folder.File("dir.nes"));
  EXPECT_EQ(Write(writer, folder.File("dir.nes")), std::system_category().message(EISDIR));
  fs::create_symlink("loop.nes", folder.File("loop.nes"));
  EXPECT_NE(Write(writer, folder.File("loop.nes")), "");
  EXPECT_EQ(ReadFile(folder.File("plain")), kOld);
  EXPECT_EQ(EntryCount(folder.Path()), 3u);
}

TEST(AtomicFileWriter, APipeIsRefusedAndStaysAPipe) {
  TemporaryFolder folder;
  AtomicFileWriter writer;
  const auto pipe = folder.File("game.nes");
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0644), 0);
  fs::create_symlink("game.nes", folder.File("link.nes"));
  for (const char* name : {"game.nes", "link.nes"}) {
    SCOPED_TRACE(name);
    EXPECT_EQ(Write(writer, folder.File(name)), "Not a regular file");
    EXPECT_TRUE(S_ISFIFO(Stat(pipe).st_mode));
    EXPECT_EQ(EntryCount(folder.Path()), 2u) << "no temporary is left behind";
  }
}

TEST(AtomicFileWriter, AFailedWriteLeavesTheTargetAndNoTemporary) {
  TemporaryFolder folder;
  FailingContentWriter writer;
  const auto path = folder.File("game.nes");
  WriteFile(path, kOld);
  EXPECT_EQ(Write(writer, path), std::system_category().message(EIO));
  EXPECT_EQ(ReadFile(path), kOld);
  EXPECT_EQ(EntryCount(folder.Path()), 1u);
}

// Simulates a folder that refuses new files with the given error.
class RefusingFolderWriter : public AtomicFileWriter {
 public:
  explicit RefusingFolderWriter(int error) : error_(error) {}

 protected:
  int CreateTemporary(const std::string&) override {
    errno = error_;
    return -1;
  }

 private:
  int error_;
};

TEST(AtomicFileWriter, AFolderClosedToTheUserGetsTheTargetWrittenInPlace) {
  for (const int error : {EACCES, EPERM}) {
    SCOPED_TRACE(error);
    TemporaryFolder folder;
    RefusingFolderWriter writer(error);
    const auto path = folder.File("game.nes");
    WriteFile(path, kOld);
    fs::permissions(path, fs::perms(0600));
    const ino_t inode = Stat(path).st_ino;
    EXPECT_EQ(Write(writer, path), "");
    EXPECT_EQ(ReadFile(path), kNew) << "the longer old content is cut to the new length";
    EXPECT_EQ(Stat(path).st_ino, inode);
    EXPECT_EQ(fs::status(path).permissions(), fs::perms(0600));

    EXPECT_EQ(Write(writer, folder.File("absent.nes")), std::system_category().message(error));
    EXPECT_FALSE(fs::exists(folder.File("absent.nes")));
  }
}

TEST(AtomicFileWriter, OtherReasonsForNoTemporaryLeaveTheTargetAlone) {
  for (const int error : {ENAMETOOLONG, ENOSPC, EDQUOT, EMFILE, EROFS}) {
    SCOPED_TRACE(error);
    TemporaryFolder folder;
    RefusingFolderWriter writer(error);
    const auto path = folder.File("game.nes");
    WriteFile(path, kOld);
    EXPECT_EQ(Write(writer, path), std::system_category().message(error));
    EXPECT_EQ(ReadFile(path), kOld);
  }
}

// Notes the file's length when the first byte is about to be written in place.
class ReservationProbe : public RefusingFolderWriter {
 public:
  ReservationProbe() : RefusingFolderWriter(EACCES) {}
  off_t length_before_writing = -1;

 protected:
  bool WriteContent(int fd, std::span<const std::uint8_t> data) override {
    struct stat s {};
    if (::fstat(fd, &s) == 0) length_before_writing = s.st_size;
    return AtomicFileWriter::WriteContent(fd, data);
  }
};

TEST(AtomicFileWriter, TheInPlaceWriteClaimsItsRoomBeforeTheFirstByte) {
  TemporaryFolder folder;
  ReservationProbe writer;
  const auto path = folder.File("game.nes");
  WriteFile(path, kOld);
  const std::vector<std::uint8_t> longer(100'000, 0x5A);
  EXPECT_EQ(writer.Write(path, longer), "");
  EXPECT_EQ(writer.length_before_writing, static_cast<off_t>(longer.size()));
  EXPECT_EQ(ReadFile(path), longer);
}

// Records each temporary name tried; the first `taken` of them already exist.
class NameRecordingWriter : public AtomicFileWriter {
 public:
  explicit NameRecordingWriter(std::size_t taken = 0) : taken_(taken) {}
  std::vector<fs::path> names;

 protected:
  int CreateTemporary(const std::string& path) override {
    names.emplace_back(path);
    if (names.size() <= taken_) {
      errno = EEXIST;
      return -1;
    }
    return AtomicFileWriter::CreateTemporary(path);
  }

 private:
  std::size_t taken_;
};

TEST(AtomicFileWriter, TheTemporaryNameIsShortWhateverTheTargetsName) {
  TemporaryFolder folder;
  // 255 bytes: the longest name most file systems take.
  for (const std::string& name : {std::string("g.nes"), std::string(251, 'g') + ".nes"}) {
    SCOPED_TRACE(name.size());
    NameRecordingWriter writer;
    const auto path = folder.File(name);
    EXPECT_EQ(Write(writer, path), "");
    WriteFile(path, kOld);
    const ino_t old_inode = Stat(path).st_ino;
    EXPECT_EQ(Write(writer, path), "");
    EXPECT_EQ(ReadFile(path), kNew);
    EXPECT_NE(Stat(path).st_ino, old_inode) << "replaced through a temporary, not in place";
    const std::string owned = ".zantor-save-" + std::to_string(::getpid()) + "-";
    for (const fs::path& temporary : writer.names) {
      EXPECT_EQ(temporary.parent_path(), folder.Path());
      EXPECT_EQ(temporary.filename().string().substr(0, owned.size()), owned);
      EXPECT_EQ(temporary.filename().string().size(), owned.size() + 6);
    }
  }
}

TEST(AtomicFileWriter, ATakenTemporaryNameIsRetriedUnderAnother) {
  TemporaryFolder folder;
  NameRecordingWriter writer(2);
  EXPECT_EQ(Write(writer, folder.File("game.nes")), "");
  EXPECT_EQ(ReadFile(folder.File("game.nes")), kNew);
  ASSERT_EQ(writer.names.size(), 3u);
  EXPECT_NE(writer.names[0], writer.names[1]);
  EXPECT_NE(writer.names[1], writer.names[2]);

  NameRecordingWriter crowded(SIZE_MAX);
  EXPECT_EQ(Write(crowded, folder.File("other.nes")), std::system_category().message(EEXIST));
  EXPECT_FALSE(fs::exists(folder.File("other.nes")));
}

// Simulates a target that this user may not write, whatever the rights of whoever runs
// the test.
class ForbiddenTargetWriter : public AtomicFileWriter {
 public:
  std::vector<std::string> asked;

 protected:
  bool MayWrite(const std::string& path) override {
    asked.push_back(path);
    errno = EACCES;
    return false;
  }
};

TEST(AtomicFileWriter, ATargetTheUserMayNotWriteIsNotReplaced) {
  TemporaryFolder folder;
  ForbiddenTargetWriter writer;
  const auto path = folder.File("game.nes");
  WriteFile(path, kOld);
  fs::create_symlink("game.nes", folder.File("link.nes"));
  const ino_t inode = Stat(path).st_ino;
  EXPECT_EQ(Write(writer, folder.File("link.nes")), std::system_category().message(EACCES));
  EXPECT_EQ(writer.asked, std::vector<std::string>{path.string()});
  EXPECT_EQ(ReadFile(path), kOld);
  EXPECT_EQ(Stat(path).st_ino, inode);
  EXPECT_EQ(EntryCount(folder.Path()), 2u);

  EXPECT_EQ(Write(writer, folder.File("new.nes")), "") << "a new file is the folder's matter";
  EXPECT_EQ(writer.asked.size(), 1u);
}

TEST(AtomicFileWriter, AReadOnlyFileIsNotReplaced) {
  if (::geteuid() == 0) GTEST_SKIP() << "root may write any file";
  TemporaryFolder folder;
  AtomicFileWriter writer;
  const auto path = folder.File("game.nes");
  WriteFile(path, kOld);
  fs::permissions(path, fs::perms(0444));
  EXPECT_EQ(Write(writer, path), std::system_category().message(EACCES));
  EXPECT_EQ(ReadFile(path), kOld);
  EXPECT_EQ(fs::status(path).permissions(), fs::perms(0444));
}

// A process that runs until it is killed.
struct LivingProcess {
  LivingProcess() : pid(::fork()) {
    if (pid == 0) {
      ::pause();
      ::_exit(0);
    }
  }
  ~LivingProcess() {
    ::kill(pid, SIGKILL);
    ::waitpid(pid, nullptr, 0);
  }
  pid_t pid;
};

pid_t DeadProcess() {
  const pid_t pid = ::fork();
  if (pid == 0) ::_exit(0);
  ::waitpid(pid, nullptr, 0);
  return pid;
}

TEST(AtomicFileWriter, ASaveRemovesTheTemporariesOfProcessesThatNoLongerRun) {
  TemporaryFolder folder;
  const LivingProcess living;
  const std::string dead = ".zantor-save-" + std::to_string(DeadProcess()) + "-AbC123";
  const std::string alive = ".zantor-save-" + std::to_string(living.pid) + "-AbC123";
  const std::string mine = ".zantor-save-" + std::to_string(::getpid()) + "-AbC123";
  // Names that only look alike are somebody else's files.
  const std::vector<std::string> kept = {alive,
                                         mine,
                                         ".zantor-save-AbC123",
                                         ".zantor-save-x-AbC123",
                                         ".zantor-save-" + std::to_string(DeadProcess()) + "-AbC",
                                         "game.nes"};
  for (const std::string& name : kept) WriteFile(folder.File(name), kOld);
  WriteFile(folder.File(dead), kOld);
  fs::create_directory(folder.File("other"));
  WriteFile(folder.File("other") / dead, kOld);

  AtomicFileWriter writer;
  EXPECT_EQ(Write(writer, folder.File("game.nes")), "");
  EXPECT_FALSE(fs::exists(folder.File(dead)));
  for (const std::string& name : kept) EXPECT_TRUE(fs::exists(folder.File(name))) << name;
  EXPECT_TRUE(fs::exists(folder.File("other") / dead)) << "only the target's folder is cleaned";
}

// Writes in place (the folder refuses temporaries) with the old bytes kept in a backup
// folder, the new bytes a little at a time, so that a kill can land anywhere in the write.
// Given a pipe, it writes a byte there as the in-place write begins.
class SlowInPlaceWriter : public AtomicFileWriter {
 public:
  explicit SlowInPlaceWriter(const fs::path& backupFolder, int writeStarts = -1)
      : AtomicFileWriter(InPlaceBackup(backupFolder)), writeStarts_(writeStarts) {}

 protected:
  int CreateTemporary(const std::string&) override {
    errno = EACCES;
    return -1;
  }
  bool WriteContent(int fd, std::span<const std::uint8_t> data) override {
    if (writeStarts_ >= 0) {
      const char started = 1;
      [[maybe_unused]] const ssize_t ignored = ::write(writeStarts_, &started, 1);
    }
    constexpr std::size_t kStep = 64 * 1024;
    for (std::size_t at = 0; at < data.size(); at += kStep) {
      if (!AtomicFileWriter::WriteContent(fd, data.subspan(at, std::min(kStep, data.size() - at)))) {
        return false;
      }
      std::this_thread::sleep_for(std::chrono::microseconds(300));
    }
    return true;
  }

 private:
  int writeStarts_;
};

std::vector<std::uint8_t> Pattern(std::size_t size, std::uint8_t seed) {
  std::vector<std::uint8_t> bytes(size);
  for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<std::uint8_t>(i * 7 + seed);
  return bytes;
}

// Saves newImage over path in a child process, killed `delay` after the save began, or
// after its in-place write began when afterWriteStarts, unless it is done by then (ten
// seconds at most); returns how long the child ran.
std::chrono::microseconds SaveInChild(const fs::path& path, const fs::path& backups,
                                      const std::vector<std::uint8_t>& newImage,
                                      std::chrono::microseconds delay, bool afterWriteStarts) {
  int started[2];
  EXPECT_EQ(::pipe(started), 0);
  auto start = std::chrono::steady_clock::now();
  const pid_t child = ::fork();
  if (child == 0) {
    ::close(started[0]);
    SlowInPlaceWriter writer(backups, started[1]);
    ::_exit(writer.Write(path, newImage).empty() ? 0 : 1);
  }
  ::close(started[1]);
  if (afterWriteStarts) {
    pollfd wait{started[0], POLLIN, 0};
    EXPECT_EQ(::poll(&wait, 1, 10'000), 1) << "the in-place write never began";
    start = std::chrono::steady_clock::now();
  }
  int status = 0;
  const auto limit = std::min<std::chrono::microseconds>(delay, std::chrono::seconds(10));
  while (::waitpid(child, &status, WNOHANG) == 0) {
    if (std::chrono::steady_clock::now() - start >= limit) {
      ::kill(child, SIGKILL);
      ::waitpid(child, &status, 0);
      break;
    }
    std::this_thread::sleep_for(std::chrono::microseconds(50));
  }
  ::close(started[0]);
  return std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() -
                                                               start);
}

TEST(AtomicFileWriter, AnInPlaceSaveKilledAnywhereCanBeUndone) {
  const auto oldImage = Pattern(2 * 1024 * 1024, 1);
  const auto newImage = Pattern(2 * 1024 * 1024, 2);
  // How long a whole save takes here, and its write alone, so that the kills spread over
  // all of it: every other run is killed within the write, which copying the old bytes and
  // flushing them may otherwise outlast.
  std::chrono::microseconds whole{};
  {
    TemporaryFolder folder;
    WriteFile(folder.File("game.nes"), oldImage);
    whole = SaveInChild(folder.File("game.nes"), folder.File("cache"), newImage,
                        std::chrono::seconds(10), false);
    ASSERT_EQ(ReadFile(folder.File("game.nes")), newImage);
  }
  const auto write = std::chrono::microseconds(32 * 300);
  std::mt19937 random(20261209);
  int torn = 0;
  for (int run = 0; run < 16; ++run) {
    SCOPED_TRACE(run);
    TemporaryFolder folder;
    const auto path = folder.File("game.nes");
    const auto backups = folder.File("cache");
    WriteFile(path, oldImage);
    const bool inWrite = run % 2 == 1;
    const auto span = inWrite ? write : whole;
    SaveInChild(path, backups, newImage,
                std::chrono::microseconds(random() % std::max<long>(1, span.count())), inWrite);

    const auto onDisk = ReadFile(path);
    const InPlaceBackup backup(backups);
    if (const auto kept = backup.Find(path)) {
      EXPECT_EQ(*kept, oldImage) << "the copy holds the bytes from before the save";
      torn += onDisk != oldImage && onDisk != newImage;
      SlowInPlaceWriter restore(backups);
      ASSERT_EQ(restore.Write(path, *kept), "");
      EXPECT_EQ(ReadFile(path), oldImage);
      EXPECT_FALSE(backup.Find(path)) << "a completed write drops its copy";
    } else {
      EXPECT_TRUE(onDisk == oldImage || onDisk == newImage) << "torn without a copy";
    }
  }
  EXPECT_GT(torn, 0) << "no kill landed inside the write: the test proves nothing";
}

TEST(AtomicFileWriter, AnInPlaceSaveLeavesNoCopyAndIsRefusedWithoutRoomForOne) {
  TemporaryFolder folder;
  const auto path = folder.File("game.nes");
  WriteFile(path, kOld);
  SlowInPlaceWriter writer(folder.File("cache"));
  EXPECT_EQ(Write(writer, path), "");
  EXPECT_EQ(ReadFile(path), kNew);
  EXPECT_EQ(EntryCount(folder.File("cache")), 0u);

  // A plain file where the backup folder should be: no copy, so no write in place.
  WriteFile(folder.File("blocked"), kOld);
  SlowInPlaceWriter blocked(folder.File("blocked") / "cache");
  EXPECT_EQ(blocked.Write(path, kOld), std::system_category().message(ENOTDIR));
  EXPECT_EQ(ReadFile(path), kNew);
  SlowInPlaceWriter nowhere({});
  EXPECT_EQ(nowhere.Write(path, kOld), std::system_category().message(ENOENT));
  EXPECT_EQ(ReadFile(path), kNew);
}

}  // namespace
}  // namespace zantor
