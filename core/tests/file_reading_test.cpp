// Files named by the user may be anything: a named pipe or a device must be refused at once
// (reading one may wait for good), a folder or an unreadable file reported.
#include "core/file_reading.h"

#include <gtest/gtest.h>

#include "core/fc_palette_data.h"
#include "core/my_mem_ini_file.h"
#include "core/testing/pipe_watchdog.h"
#include "core/testing/rom_fixture.h"
#include "core/testing/temporary_folder.h"

namespace zantor {
namespace {

using testing::PipeWatchdog;
using testing::RecordingNotifier;
using testing::RomFixture;
using testing::TemporaryFolder;

TEST(FileReading, PipesAndDevicesAreRefusedUnreadAndFoldersFailWithTheirReason) {
  TemporaryFolder folder;
  {
    PipeWatchdog pipe(folder.File("pipe"));
    const FileContent content = ReadFileUpTo(pipe.Path(), 100);
    EXPECT_FALSE(pipe.Hung());
    EXPECT_TRUE(content.notAFile);
    EXPECT_EQ(content.error, kNotARegularFile);
  }
  const FileContent device = ReadFileUpTo("/dev/zero", 100);
  EXPECT_TRUE(device.notAFile);
  EXPECT_TRUE(device.bytes.empty());
  const FileContent directory = ReadFileUpTo(folder.Path(), 100);
  EXPECT_FALSE(directory.notAFile);
  EXPECT_EQ(directory.error, std::system_category().message(EISDIR));
}

TEST(FileReading, AFileIsReadWholeUpToOneBytePastTheLimit) {
  TemporaryFolder folder;
  const std::vector<std::uint8_t> bytes(200'000, 0x41);
  testing::WriteFile(folder.File("big"), bytes);
  EXPECT_EQ(ReadFileUpTo(folder.File("big"), 300'000).bytes, bytes);
  EXPECT_EQ(ReadFileUpTo(folder.File("big"), 70'000).bytes.size(), 70'001u);
}

TEST(FileReading, EveryReaderTakesAPipeForWhatItIsWithoutWaiting) {
  TemporaryFolder folder;
  PipeWatchdog pipe(folder.File("pipe"));

  RomFixture f;
  testing::WriteFile(folder.File("game.nes"), testing::MakeImage(0x40000));
  ASSERT_TRUE(f.rom.Open(folder.File("game.nes")));
  EXPECT_FALSE(f.rom.Open(pipe.Path()));  // as a file of the wrong length
  EXPECT_EQ(f.notifier.messages, std::vector<std::string>{"ファイルを開けませんでした"});
  EXPECT_EQ(f.rom.FileName(), folder.File("game.nes").string());

  RecordingNotifier notifier;
  FcPaletteData palette;
  EXPECT_FALSE(palette.Load(pipe.Path(), notifier));
  EXPECT_EQ(notifier.messages,
            std::vector<std::string>{pipe.Path().string() + "が読み込めませんでした"});

  const TMyMemIniFile settings(pipe.Path());  // as if there were none
  EXPECT_EQ(settings.LoadError(), "");
  EXPECT_EQ(settings.ReadInteger("Timer", "Interval", 16), 16);
  EXPECT_FALSE(pipe.Hung());
}

TEST(SettingsFileLoading, AFileThatExistsButCannotBeReadSaysWhyAndStartsEmpty) {
  TemporaryFolder folder;
  std::filesystem::create_directory(folder.File("zantor5editor.ini"));
  const TMyMemIniFile unreadable(folder.File("zantor5editor.ini"));
  EXPECT_EQ(unreadable.LoadError(), std::system_category().message(EISDIR));
  EXPECT_EQ(unreadable.Text(), "");
  const TMyMemIniFile missing(folder.File("missing.ini"));
  EXPECT_EQ(missing.LoadError(), "");
}

}  // namespace
}  // namespace zantor
