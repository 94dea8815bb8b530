#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QImage>
#include <QProcess>

#include "app/tests/temp_folder.h"
#include "tools/ntsc_palette.h"

namespace zantor {
namespace {

using testing::TempFolder;

struct EditorRun {
  int exitCode;
  QString errors;
};

// Runs the built program headless from the given working folder.
EditorRun RunEditor(const QStringList& arguments, const QString& workingFolder) {
  QProcess editor;
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
  editor.setProcessEnvironment(environment);
  editor.setWorkingDirectory(workingFolder);
  editor.start(QCoreApplication::applicationDirPath() + QStringLiteral("/zantor5editor"),
               arguments);
  EXPECT_TRUE(editor.waitForFinished(60'000));
  return {editor.exitCode(), QString::fromUtf8(editor.readAllStandardError())};
}

QString ProgramFolder() { return QCoreApplication::applicationDirPath(); }

TEST(Screenshot, WritesThePictureOfTheWindowWithTheImageOpen) {
  TempFolder folder;
  const QString shot = QString::fromStdString((folder / "shot.png").string());
  const EditorRun run =
      RunEditor({ProgramFolder() + "/demo.nes", "--screenshot", shot, "--tab", "4", "--stage", "2"},
                ProgramFolder());
  EXPECT_EQ(run.exitCode, 0) << run.errors.toStdString();
  const QImage picture(shot);
  ASSERT_FALSE(picture.isNull());
  EXPECT_GE(picture.width(), 600);
  EXPECT_GE(picture.height(), 600);
  // The palette tab's colour table is on it: a whole 24 x 24 cell of NES colour 21.
  const auto rgb = NtscPalette::Color(0x21);
  int cellPixels = 0;
  for (int y = 0; y < picture.height(); ++y) {
    for (int x = 0; x < picture.width(); ++x) {
      if (picture.pixel(x, y) == qRgb(rgb.r, rgb.g, rgb.b)) ++cellPixels;
    }
  }
  EXPECT_GE(cellPixels, 24 * 24);
}

TEST(Screenshot, FindsTheMasterPaletteBesideTheProgramFromAnotherWorkingFolder) {
  TempFolder folder;
  const QString here = QString::fromStdString(folder.Path().string());
  const EditorRun run = RunEditor({"--screenshot", here + "/shot.png"}, here);
  EXPECT_EQ(run.exitCode, 0) << run.errors.toStdString();
  EXPECT_TRUE(std::filesystem::exists(folder / "shot.png"));
}

TEST(Screenshot, FailsWhenTheImageDoesNotOpen) {
  TempFolder folder;
  folder.Write("short.nes", "NES");
  const QString here = QString::fromStdString(folder.Path().string());
  const EditorRun run =
      RunEditor({here + "/short.nes", "--screenshot", here + "/shot.png"}, ProgramFolder());
  EXPECT_NE(run.exitCode, 0);
  EXPECT_TRUE(run.errors.contains(QStringLiteral("ファイルを開けませんでした")))
      << run.errors.toStdString();
}

TEST(Screenshot, RefusesABadCommandLine) {
  const EditorRun run = RunEditor({"--tab", "9"}, ProgramFolder());
  EXPECT_EQ(run.exitCode, 2);
  EXPECT_TRUE(run.errors.contains(QStringLiteral("usage:")));
}

}  // namespace
}  // namespace zantor
