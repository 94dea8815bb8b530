#include <gtest/gtest.h>

#include <filesystem>

#include "app/tests/editor_process.h"
#include "core/testing/patch_appliers.h"
#include "core/testing/rom_fixture.h"

namespace zantor {
namespace {

using testing::EditorRun;
using testing::MakeImage;
using testing::PrivateProgram;
using testing::ReadFile;
using testing::WriteFile;

// Two images a patch can join beside a private copy of the program, which runs as from a
// shell without any display.
class PatchCommand : public ::testing::Test {
 protected:
  PatchCommand() {
    edited[0x40] ^= 0xFF;
    edited[edited.size() - 1] ^= 0xFF;
    WriteFile(Folder() / "original.nes", original);
    WriteFile(Folder() / "edited.nes", edited);
  }

  const testing::TempFolder& Folder() const { return program.folder; }
  QString PathOf(const std::string& name) const { return program.Path(name); }

  EditorRun Run(const QStringList& arguments) const {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"}) {
      environment.remove(QString::fromLatin1(name));
    }
    return program.Run(arguments, {}, environment);
  }

  std::size_t FileCount() const {
    return static_cast<std::size_t>(
        std::distance(std::filesystem::directory_iterator(Folder().Path()),
                      std::filesystem::directory_iterator()));
  }

  PrivateProgram program;
  std::vector<std::uint8_t> original = MakeImage(40000, 1);
  std::vector<std::uint8_t> edited = original;
};

TEST_F(PatchCommand, WritesEitherFormatSilentlyWithoutADisplay) {
  for (const std::string name : {"out.ips", "out.bps"}) {
    SCOPED_TRACE(name);
    const EditorRun run =
        Run({"--make-patch", PathOf("original.nes"), PathOf("edited.nes"), PathOf(name)});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.output, QString());
    EXPECT_EQ(run.errors, QString());
    const auto patch = ReadFile(Folder() / name);
    const auto applied =
        name == "out.ips" ? testing::ApplyIps(original, patch) : testing::ApplyBps(original, patch);
    EXPECT_EQ(applied.refusal, "");
    EXPECT_EQ(applied.bytes, edited);
  }
}

// Each failure: one line on standard error that says why, a non-zero exit, no new file.
TEST_F(PatchCommand, EveryFailureSaysWhyOnOneLineAndWritesNothing) {
  Folder().Write("short.nes", "NES\x1A");
  WriteFile(Folder() / "longer.nes", MakeImage(40001, 1));
  const QString from = PathOf("original.nes");
  const QString to = PathOf("edited.nes");
  const QString out = PathOf("out.ips");
  struct Case {
    QStringList arguments;
    int exitCode;
    QString reason;
  };
  const std::vector<Case> cases = {
      {{"--make-patch"}, 2, "--make-patch には ORIGINAL EDITED OUT.ips|OUT.bps を指定してください"},
      {{"--make-patch", from, to}, 2, "--make-patch には ORIGINAL"},
      {{"--make-patch", from, to, out, "--verbose"},
       2,
       "--make-patch と一緒には使えないオプションです: --verbose"},
      {{"--make-patch", PathOf("missing.nes"), to, out},
       1,
       "ファイル \"" + PathOf("missing.nes") + "\" を開けません。 "},
      {{"--make-patch", from, PathOf("short.nes"), out},
       1,
       PathOf("short.nes") + ": ファイルを開けませんでした"},
      {{"--make-patch", PathOf("longer.nes"), to, out},
       1,
       PathOf("longer.nes") + ": 元のROMイメージと編集後のROMイメージのサイズが違います"},
      {{"--make-patch", from, to, PathOf("out.txt")},
       1,
       "パッチファイルの拡張子は .ips か .bps にしてください"},
      {{"--make-patch", from, to, PathOf("no/folder/out.bps")},
       1,
       "ファイル \"" + PathOf("no/folder/out.bps") + "\" に書き込めません。 "},
  };
  const std::size_t files = FileCount();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.arguments.join(' ').toStdString());
    testing::ExpectOneLineFailure(Run(c.arguments), c.exitCode, c.reason);
    EXPECT_EQ(FileCount(), files);
  }
}

}  // namespace
}  // namespace zantor
