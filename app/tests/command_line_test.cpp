#include "app/command_line.h"

#include <gtest/gtest.h>

#include "app/qt_dialogs.h"

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

TEST(FileDialogFilters, PairsBecomeQtNameFilters) {
  EXPECT_EQ(ToQtNameFilter(
                QStringLiteral("ZANTOR5 ROMイメージ (*.nes)|*.nes|すべてのファイル (*.*)|*.*")),
            QStringLiteral("ZANTOR5 ROMイメージ (*.nes);;すべてのファイル (*)"));
  EXPECT_EQ(ToQtNameFilter(QStringLiteral("Images|*.nes;*.NES")),
            QStringLiteral("Images (*.nes *.NES)"));
}

}  // namespace
}  // namespace zantor
