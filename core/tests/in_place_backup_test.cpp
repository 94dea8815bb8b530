#include "core/in_place_backup.h"

#include <gtest/gtest.h>

#include "core/testing/temporary_folder.h"

namespace zantor {
namespace {

namespace fs = std::filesystem;
using testing::TemporaryFolder;
using testing::WriteFile;

const std::vector<std::uint8_t> kFirst = {1, 2, 3};
const std::vector<std::uint8_t> kSecond = {4, 5};

TEST(InPlaceBackup, OneCopyPerFileFoundByAnyOfItsNamesUntilDropped) {
  TemporaryFolder folder;
  const InPlaceBackup backup(folder.File("cache"));
  const auto game = folder.File("game.nes");
  WriteFile(game, kSecond);
  fs::create_symlink(game, folder.File("link.nes"));
  EXPECT_FALSE(backup.Find(game));

  ASSERT_EQ(backup.Keep(game, kFirst), "");
  EXPECT_EQ(backup.Find(game), kFirst);
  EXPECT_EQ(backup.Find(folder.File("link.nes")), kFirst);
  EXPECT_EQ(backup.Find(folder.File(".") / "game.nes"), kFirst);
  EXPECT_FALSE(backup.Find(folder.File("other.nes")));

  // A copy left by a save that did not complete is the last whole content: it stays.
  ASSERT_EQ(backup.Keep(game, kSecond), "");
  EXPECT_EQ(backup.Find(game), kFirst);

  backup.Drop(folder.File("link.nes"));
  EXPECT_FALSE(backup.Find(game));
  EXPECT_TRUE(fs::is_empty(folder.File("cache")));
}

TEST(InPlaceBackup, ACopyWithoutItsRecordOrWithAnotherPathIsNotTaken) {
  TemporaryFolder folder;
  const InPlaceBackup backup(folder.File("cache"));
  const auto game = folder.File("game.nes");
  ASSERT_EQ(backup.Keep(game, kFirst), "");
  fs::path record;
  for (const auto& entry : fs::directory_iterator(folder.File("cache"))) {
    if (entry.path().extension() == ".path") record = entry.path();
  }
  ASSERT_FALSE(record.empty());
  // Another file whose path hashes alike.
  WriteFile(record, {'/', 'x'});
  EXPECT_FALSE(backup.Find(game));
  fs::remove(record);
  EXPECT_FALSE(backup.Find(game)) << "a copy cut off before its record was written";
  EXPECT_EQ(InPlaceBackup({}).Keep(game, kFirst), std::system_category().message(ENOENT));
}

}  // namespace
}  // namespace zantor
