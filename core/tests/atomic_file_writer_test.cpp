#include "core/atomic_file_writer.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <string>
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
    for (const fs::path& temporary : writer.names) {
      EXPECT_EQ(temporary.parent_path(), folder.Path());
      EXPECT_EQ(temporary.filename().string().size(), std::string(".zantor-save-XXXXXX").size());
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

}  // namespace
}  // namespace zantor
