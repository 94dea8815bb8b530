#include <gtest/gtest.h>

#include <QImage>
#include <functional>

#include "app/tests/editor_process.h"
#include "app/tests/main_form_fixture.h"
#include "app/tests/temp_folder.h"
#include "core/testing/rom_fixture.h"
#include "graphics/testing/reference_pixels.h"
#include "tools/demo_objects.h"
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

// Whether the screenshot shows, somewhere, a picture of the given size whose pixel (x, y) has
// the colour expected(x, y) (0x00BBGGRR).
// A colour the expectation does not care about.
constexpr std::uint32_t kAnyColour = 0xFF000000;

bool ShowsPicture(const QImage& shot, QSize size,
                  const std::function<std::uint32_t(int x, int y)>& expected) {
  const auto rgb = [](std::uint32_t c) {
    return qRgb(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
  };
  for (int top = 0; top + size.height() <= shot.height(); ++top) {
    for (int left = 0; left + size.width() <= shot.width(); ++left) {
      bool same = true;
      for (int y = 0; y < size.height() && same; ++y) {
        for (int x = 0; x < size.width() && same; ++x) {
          const std::uint32_t colour = expected(x, y);
          same = colour == kAnyColour || shot.pixel(left + x, top + y) == rgb(colour);
        }
      }
      if (same) return true;
    }
  }
  return false;
}

// Stage `stage` of the demo image as the program decodes it.
struct DemoRom : testing::RomFixture {
  explicit DemoRom(const PrivateProgram& program, int stage) : stage(stage) {
    EXPECT_TRUE(rom.Open(program.folder / "demo.nes"));
  }
  const StageData& Stage() const { return rom.Stage(stage); }
  std::uint32_t Colour(int index) const { return testing::NesColor(Stage().BGPalette()[index]); }
  int stage;
};

QImage Screenshot(const PrivateProgram& program, const QString& tab, const QString& stage = "0") {
  const QString shot = program.Path("shot.png");
  const EditorRun run =
      program.Run({program.Path("demo.nes"), "--screenshot", shot, "--tab", tab, "--stage", stage});
  EXPECT_EQ(run.exitCode, 0) << run.errors.toStdString();
  return QImage(shot);
}

TEST(Screenshot, TheChipTabShowsTheChipTableOfTheStage) {
  const PrivateProgram program;
  const QImage shot = Screenshot(program, "3");
  const DemoRom demo(program, 0);
  EXPECT_TRUE(ShowsPicture(shot, {256, 256}, [&](int x, int y) {
    return demo.Colour(testing::ReferenceChip16Pixel(demo.Stage(), x, y));
  }));
}

TEST(Screenshot, The32x32ChipTabShowsTheFirstHalfOfTheChips) {
  const PrivateProgram program;
  const QImage shot = Screenshot(program, "2");
  const DemoRom demo(program, 0);
  EXPECT_TRUE(ShowsPicture(shot, {512, 256}, [&](int x, int y) {
    return demo.Colour(testing::ReferenceChip32Pixel(demo.Stage(), x, y));
  }));
}

TEST(Screenshot, TheMapSetTabShowsBothPagesAndTheChipTable) {
  const PrivateProgram program;
  const QImage shot = Screenshot(program, "1");
  const DemoRom demo(program, 0);
  for (const int mapSet : {0, 1}) {
    EXPECT_TRUE(ShowsPicture(shot, {256, 256}, [&](int x, int y) {
      return demo.Colour(testing::ReferenceMapSetPixel(demo.Stage(), mapSet, x, y));
    })) << mapSet;
  }
  EXPECT_TRUE(ShowsPicture(shot, {256, 256}, [&](int x, int y) {
    return demo.Colour(testing::ReferenceChip32Pixel(demo.Stage(), 2 * x, 2 * y));
  }));
}

TEST(Screenshot, TheMapTabShowsTheFirstTwoRoomsOfTheStage) {
  const PrivateProgram program;
  const QImage shot = Screenshot(program, "0", "2");
  const DemoRom demo(program, 2);
  for (const int room : {0, 1}) {
    EXPECT_TRUE(ShowsPicture(shot, {256, 256}, [&](int x, int y) {
      return demo.Colour(
          testing::ReferenceMapSetPixel(demo.Stage(), DemoMapSetOfRoom(2, room), x, y));
    })) << room;
  }
}

TEST(Screenshot, TheObjectTabShowsTheRoomsWithTheirMarkers) {
  const PrivateProgram program;
  const QImage shot = Screenshot(program, "5");
  const DemoRom demo(program, 0);
  for (const int room : {0, 1}) {
    std::vector<ObjectEntry> objects;
    for (const DemoObjects::Placed& placed : DemoObjects::ForStage(0)) {
      if (placed.room == room) objects.push_back(placed.object);
    }
    ASSERT_EQ(objects.size(), room == 0 ? 1u : 4u);
    EXPECT_TRUE(ShowsPicture(shot, {256, 256}, [&](int x, int y) {
      for (const ObjectEntry& o : objects) {
        const int dx = x - o.X;
        const int dy = y - o.Y;
        if (dx < -8 || dx > 7 || dy < -8 || dy > 7) continue;
        // The marker's outline in white; its kind in black on white inside.
        return dx == -8 || dx == 7 || dy == -8 || dy == 7 ? 0xFFFFFF : kAnyColour;
      }
      return demo.Colour(
          testing::ReferenceMapSetPixel(demo.Stage(), demo.Stage().Map()[room], x, y));
    })) << room;
  }
}

TEST(Screenshot, FindsTheMasterPaletteBesideTheProgramOrNamesThePlacesSearched) {
  const PrivateProgram program;
  TempFolder folder;
  const QString here = QString::fromStdString(folder.Path().string());
  const EditorRun run = program.Run({"--screenshot", here + "/shot.png"}, here);
  EXPECT_EQ(run.exitCode, 0) << run.errors.toStdString();
  EXPECT_TRUE(std::filesystem::exists(folder / "shot.png"));

  std::filesystem::remove(program.folder / "fcpalette.pal");
  const EditorRun missing = program.Run({"--screenshot", here + "/none.png"}, here);
  EXPECT_NE(missing.exitCode, 0);
  EXPECT_TRUE(missing.errors.contains(QStringLiteral("fcpalette.palが読み込めませんでした\n")))
      << missing.errors.toStdString();
  EXPECT_TRUE(
      missing.errors.contains(QString::fromStdString(program.folder.Path().string()) + "\n"));
  EXPECT_FALSE(std::filesystem::exists(folder / "none.png"));
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

}  // namespace
}  // namespace zantor
