#include <gtest/gtest.h>

#include <QImage>

#include "app/tests/editor_process.h"
#include "app/tests/temp_folder.h"
#include "tools/ntsc_palette.h"

namespace zantor {
namespace {

using testing::EditorRun;
using testing::PrivateProgram;
using testing::TempFolder;

TEST(Screenshot, WritesThePictureOfTheWindowWithTheImageOpen) {
  const PrivateProgram program;
  const QString shot = program.Path("shot.png");
  const EditorRun run =
      program.Run({program.Path("demo.nes"), "--screenshot", shot, "--tab", "4", "--stage", "2"});
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

TEST(Screenshot, FailsWithoutTheMasterPaletteInTheWorkingFolder) {
  const PrivateProgram program;
  TempFolder folder;
  const QString here = QString::fromStdString(folder.Path().string());
  const EditorRun run = program.Run({"--screenshot", here + "/shot.png"}, here);
  EXPECT_NE(run.exitCode, 0);
  EXPECT_TRUE(run.errors.contains(QStringLiteral("fcpalette.palが読み込めませんでした")))
      << run.errors.toStdString();
  EXPECT_FALSE(std::filesystem::exists(folder / "shot.png"));
}

TEST(Screenshot, FailsWhenTheImageDoesNotOpen) {
  const PrivateProgram program;
  program.folder.Write("short.nes", "NES");
  const EditorRun run =
      program.Run({program.Path("short.nes"), "--screenshot", program.Path("shot.png")});
  EXPECT_NE(run.exitCode, 0);
  EXPECT_TRUE(run.errors.contains(QStringLiteral("ファイルを開けませんでした")))
      << run.errors.toStdString();
}

TEST(Screenshot, RefusesABadCommandLine) {
  const EditorRun run = PrivateProgram().Run({"--tab", "9"});
  EXPECT_EQ(run.exitCode, 2);
  EXPECT_TRUE(run.errors.contains(QStringLiteral("usage:")));
}

}  // namespace
}  // namespace zantor
