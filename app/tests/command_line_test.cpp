#include "app/command_line.h"

#include <gtest/gtest.h>

#include "app/qt_dialogs.h"
#include "app/tests/editor_process.h"

namespace zantor {
namespace {

std::optional<CommandLine> Parse(QStringList arguments, QString* error) {
  arguments.prepend(QStringLiteral("zantor5editor"));
  return ParseCommandLine(arguments, error);
}

TEST(CommandLineOptions, ImageScreenshotTabAndStage) {
  QString error;
  const auto line =
      Parse({"game.nes", "--screenshot", "shot.png", "--tab", "4", "--stage", "15"}, &error);
  ASSERT_TRUE(line.has_value()) << error.toStdString();
  EXPECT_EQ(line->image, QStringLiteral("game.nes"));
  EXPECT_EQ(line->screenshotFile, QStringLiteral("shot.png"));
  EXPECT_EQ(line->tab, 4);
  EXPECT_EQ(line->stage, 15);

  const auto bare = Parse({}, &error);
  ASSERT_TRUE(bare.has_value());
  EXPECT_TRUE(bare->image.isEmpty());
  EXPECT_EQ(bare->tab, -1);
}

TEST(CommandLineOptions, RefusesOutOfRangeUnknownAndIncompleteOptions) {
  QString error;
  EXPECT_FALSE(Parse({"--tab", "6"}, &error).has_value());
  EXPECT_FALSE(Parse({"--stage", "-1"}, &error).has_value());
  EXPECT_FALSE(Parse({"--stage", "x"}, &error).has_value());
  EXPECT_FALSE(Parse({"--zoom", "2"}, &error).has_value());
  EXPECT_FALSE(Parse({"--screenshot"}, &error).has_value());
  EXPECT_FALSE(Parse({"a.nes", "b.nes"}, &error).has_value());
  EXPECT_FALSE(error.isEmpty());
}

// The environment of a machine without any display.
QProcessEnvironment NoDisplay() {
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
    environment.remove(QString::fromLatin1(name));
  }
  return environment;
}

TEST(InformationOptions, HelpAndVersionPrintWithoutADisplayAndExitZero) {
  const testing::PrivateProgram program;
  for (const QStringList& arguments :
       {QStringList{"--help"}, QStringList{"-h"}, QStringList{"--make-patch", "-h"}}) {
    SCOPED_TRACE(arguments.join(' ').toStdString());
    const testing::EditorRun run = program.Run(arguments, {}, NoDisplay());
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.errors, QString());
    for (const char* form :
         {"zantor5editor [IMAGE] [--screenshot FILE] [--tab 0..5] [--stage 0..15]\n",
          "zantor5editor IMAGE --export-map FILE.png [--stage 0..15] [--rooms A-B] "
          "[--columns 1..80] [--objects]\n",
          "zantor5editor --make-patch ORIGINAL EDITED OUT.ips|OUT.bps\n"}) {
      EXPECT_TRUE(run.output.contains(QString::fromUtf8(form))) << run.output.toStdString();
    }
  }
  const testing::EditorRun version = program.Run({"--version"}, {}, NoDisplay());
  EXPECT_EQ(version.exitCode, 0);
  EXPECT_EQ(version.output, QStringLiteral("zantor5editor " ZANTOR_PROJECT_VERSION "\n"));
  EXPECT_EQ(version.errors, QString());
}

// Each failure of the window's command line: one line in Japanese, a non-zero exit.
TEST(CommandLineFailures, EachSaysWhyInOneJapaneseLine) {
  const testing::PrivateProgram program;
  // The object list beside the program and a runtime folder for the toolkit: a screenshot
  // run has nothing else to say.
  program.folder.WriteShiftJis("ObjectList.txt", QStringLiteral("00 なし"));
  const std::filesystem::path runtime = program.folder / "runtime";
  std::filesystem::create_directory(runtime);
  std::filesystem::permissions(runtime, std::filesystem::perms::owner_all);
  QProcessEnvironment environment = testing::Offscreen();
  environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), QString::fromStdString(runtime.string()));
  struct Case {
    QStringList arguments;
    int exitCode;
    QString reason;
  };
  const std::vector<Case> cases = {
      {{"--tab", "6"}, 2, "--tab には 0 から 5 の数を指定してください"},
      {{"--stage", "x"}, 2, "--stage には 0 から 15 の数を指定してください"},
      {{"--zoom", "2"}, 2, "知らないオプションか、値が足りません: --zoom"},
      {{"--screenshot"}, 2, "知らないオプションか、値が足りません: --screenshot"},
      {{"a.nes", "b.nes"}, 2, "開けるイメージは1つだけです: b.nes"},
      {{program.Path("demo.nes"), "--screenshot", program.Path("no/folder/shot.png")},
       1,
       "スクリーンショット \"" + program.Path("no/folder/shot.png") + "\" を書き込めません"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.arguments.join(' ').toStdString());
    testing::ExpectOneLineFailure(program.Run(c.arguments, {}, environment), c.exitCode, c.reason);
  }
}

TEST(FileDialogFilters, PairsBecomeQtNameFilters) {
  EXPECT_EQ(ToQtNameFilter(
                QStringLiteral("ZANTOR5 ROMイメージ (*.nes)|*.nes|すべてのファイル (*.*)|*.*")),
            QStringLiteral("ZANTOR5 ROMイメージ (*.nes);;すべてのファイル (*)"));
  EXPECT_EQ(ToQtNameFilter(QStringLiteral("Images|*.nes;*.NES")),
            QStringLiteral("Images (*.nes *.NES)"));
}

}  // namespace
}  // namespace zantor
