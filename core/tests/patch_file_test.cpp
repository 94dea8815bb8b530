#include "core/patch_file.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <system_error>

#include "core/testing/failing_content_writer.h"
#include "core/testing/patch_appliers.h"
#include "core/testing/recording_sinks.h"
#include "core/testing/rom_fixture.h"
#include "core/testing/temporary_folder.h"

namespace zantor {
namespace {

using testing::FailingContentWriter;
using testing::MakeImage;
using testing::ReadFile;
using testing::RecordingNotifier;
using testing::TemporaryFolder;
using testing::WriteFile;

struct PatchFiles : ::testing::Test {
  PatchFiles() {
    edited[100] ^= 0xFF;
    WriteFile(folder.File("original.nes"), original);
  }
  TemporaryFolder folder;
  RecordingNotifier notifier;
  AtomicFileWriter writer;
  std::vector<std::uint8_t> original = MakeImage(4096);
  std::vector<std::uint8_t> edited = original;
};

TEST_F(PatchFiles, TheExtensionPicksTheFormat) {
  for (const char* name : {"p.ips", "p.BPS"}) {
    const auto file = folder.File(name);
    ASSERT_TRUE(WritePatchFile(file, original, edited, writer, notifier)) << name;
    const auto patch = ReadFile(file);
    const auto applied =
        name[2] == 'i' ? testing::ApplyIps(original, patch) : testing::ApplyBps(original, patch);
    EXPECT_EQ(applied.refusal, "") << name;
    EXPECT_EQ(applied.bytes, edited) << name;
  }
  EXPECT_TRUE(notifier.errors.empty() && notifier.messages.empty());
}

TEST_F(PatchFiles, AnotherExtensionIsRefusedAndNothingWritten) {
  EXPECT_FALSE(WritePatchFile(folder.File("p.txt"), original, edited, writer, notifier));
  EXPECT_EQ(notifier.messages,
            std::vector<std::string>{"パッチファイルの拡張子は .ips か .bps にしてください"});
  EXPECT_FALSE(std::filesystem::exists(folder.File("p.txt")));
}

TEST_F(PatchFiles, AFailedWriteIsReportedAndLeavesNoFile) {
  FailingContentWriter failing;
  const auto file = folder.File("p.bps");
  EXPECT_FALSE(WritePatchFile(file, original, edited, failing, notifier));
  EXPECT_EQ(notifier.errors,
            std::vector<std::string>{"ファイル \"" + file.string() + "\" に書き込めません。\n" +
                                     std::system_category().message(EIO)});
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()), {}), 1);
}

TEST_F(PatchFiles, TheOriginalIsCheckedAsAnImageAndForItsLength) {
  WriteFile(folder.File("short.nes"), {0x4E, 0x45, 0x53});
  WriteFile(folder.File("nomagic.nes"), std::vector<std::uint8_t>(4096, 0x20));
  const std::vector<std::pair<const char*, std::string>> refusals = {
      {"short.nes", "ファイルを開けませんでした"},
      {"nomagic.nes", "ROMイメージが異常です"},
      {"original.nes", "元のROMイメージと編集後のROMイメージのサイズが違います"},
  };
  for (const auto& [name, message] : refusals) {
    notifier.messages.clear();
    EXPECT_FALSE(ReadPatchOriginal(folder.File(name), edited.size() + 1, notifier)) << name;
    EXPECT_EQ(notifier.messages, std::vector<std::string>{message}) << name;
  }
  EXPECT_FALSE(ReadPatchOriginal(folder.File("missing.nes"), edited.size(), notifier));
  ASSERT_EQ(notifier.errors.size(), 1u);
  EXPECT_EQ(notifier.errors[0].rfind("ファイル \"" + folder.File("missing.nes").string(), 0), 0u);

  EXPECT_EQ(ReadPatchOriginal(folder.File("original.nes"), edited.size(), notifier), original);
}

}  // namespace
}  // namespace zantor
