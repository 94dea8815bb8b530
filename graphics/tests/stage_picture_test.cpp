// The stage picture of the demo image, apart from the window: markers at a room's edge, the
// requests it refuses and the file it writes. Its rooms against the tabs' are checked with
// the window (app/tests/stage_picture_test.cpp).
#include "graphics/stage_picture.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/testing/failing_content_writer.h"
#include "core/testing/rom_fixture.h"
#include "core/testing/temporary_folder.h"
#include "graphics/hex_digit_font.h"
#include "graphics/stage_change_tracker.h"
#include "graphics/testing/reference_pixels.h"
#include "graphics/tests/render_test_support.h"

namespace zantor {
namespace {

constexpr std::uint32_t kWhite = 0xFFFFFF;

// The demo image opened as the window opens it, with the test master palette.
struct DemoRom : testing::RomFixture {
  DemoRom() {
    testing::WriteFile(folder.File("demo.nes"), testing::DemoBytes());
    EXPECT_TRUE(rom.Open(folder.File("demo.nes")));
  }

  testing::TemporaryFolder folder;
  FcPaletteData palette = testing::LoadTestPalette();
};

// Pixels of cell (column, row) that differ from expected(x, y) within the cell.
template <typename Expected>
int WrongPixels(const DisplayPicture& picture, int column, int row, Expected expected) {
  int wrong = 0;
  for (int y = 0; y < 256; ++y) {
    for (int x = 0; x < 256; ++x) {
      wrong += picture.Pixel(column * 256 + x, row * 256 + y) != expected(x, y);
    }
  }
  return wrong;
}

// A marker at a room's corner is clipped there: the three rooms it would reach stay as they
// are without markers.
TEST(StagePicture, MarkersStayInsideTheirOwnRoom) {
  DemoRom demo;
  StageData& stage = demo.rom.Stage(0);
  for (int room = 3; room <= 6; ++room) stage.ClearRoom(room);
  stage.AddObject(3, 252, 252, 0x5A);
  StagePictureRequest request{.firstRoom = 3, .lastRoom = 6, .columns = 2};
  const auto plain = DrawStagePicture(demo.palette, demo.rom, request);
  request.objects = true;
  const auto marked = DrawStagePicture(demo.palette, demo.rom, request);
  for (int k = 1; k < 4; ++k) {
    EXPECT_EQ(
        WrongPixels(*marked, k % 2, k / 2,
                    [&](int x, int y) { return plain->Pixel(k % 2 * 256 + x, k / 2 * 256 + y); }),
        0)
        << "room " << 3 + k;
  }
  // The square's left and top sides (x or y = 252 - 8) inside room 3, the rest as it was.
  EXPECT_EQ(WrongPixels(*marked, 0, 0,
                        [&](int x, int y) {
                          const bool side = (x == 244 && y >= 244) || (y == 244 && x >= 244);
                          const bool box =  // the kind's digits
                              x >= 246 && y >= 246 && y < 246 + HexDigitFont::TextHeight();
                          return side ? kWhite : box ? marked->Pixel(x, y) : plain->Pixel(x, y);
                        }),
            0);
}

TEST(StagePicture, RequestsOutsideTheirRangesAreRefused) {
  DemoRom demo;
  const std::vector<StagePictureRequest> refused = {
      {.stage = 16},
      {.stage = -1},
      {.definition = 4},
      {.firstRoom = -1},
      {.firstRoom = 5, .lastRoom = 4},
      {.lastRoom = kRoomCount},
      {.columns = 0},
  };
  for (const StagePictureRequest& request : refused) {
    EXPECT_THROW(DrawStagePicture(demo.palette, demo.rom, request), std::out_of_range);
  }
}

// Shown pixels that differ from the laid-out picture's pixel (x * W / w, y * H / h).
int WrongSamples(const DisplayPicture& shown, const DisplayPicture& laidOut) {
  const std::int64_t w = shown.Width();
  const std::int64_t h = shown.Height();
  int wrong = 0;
  for (int y = 0; y < shown.Height(); ++y) {
    for (int x = 0; x < shown.Width(); ++x) {
      wrong += shown.Pixel(x, y) != laidOut.Pixel(static_cast<int>(x * laidOut.Width() / w),
                                                  static_cast<int>(y * laidOut.Height() / h));
    }
  }
  return wrong;
}

// Shown smaller, larger or as one pixel, the picture is the laid-out one sampled by nearest
// neighbour, also where a later change is drawn in part: a map set cell, a room's objects.
TEST(StagePicture, AShownSizeSamplesTheLaidOutPictureAlsoAfterChangesDrawnInPart) {
  DemoRom demo;
  StageData& stage = demo.rom.Stage(0);
  const StagePictureRequest request{.firstRoom = 0, .lastRoom = 4, .columns = 3, .objects = true};
  struct Size {
    int width;
    int height;
    bool changeShows;  // one pixel stands for room 0's top-left only
  };
  for (const Size size : {Size{250, 170, true}, Size{1000, 700, true}, Size{1, 1, false}}) {
    SCOPED_TRACE(std::to_string(size.width) + " x " + std::to_string(size.height));
    StagePicture picture(demo.palette, demo.rom, request, size.width, size.height);
    StageChangeTracker tracker;
    const auto look = [&] { return picture.Draw(request, tracker.Take(stage, 0, 0)); };
    look();
    EXPECT_EQ(WrongSamples(picture.Picture(), *DrawStagePicture(demo.palette, demo.rom, request)),
              0);
    // An object drawn with its room, then a change to the map set cell under its marker.
    const int cell = stage.Map()[1] * 64 + 9;  // row 1, column 1: pixels 32..63
    const std::vector<std::function<void()>> changes = {
        [&] { stage.AddObject(1, 44, 44, 0x3C); },
        [&] {
          ASSERT_TRUE(
              stage.SetMapSetCell(cell, static_cast<std::uint8_t>(stage.MapSet()[cell] + 1)));
        },
    };
    for (const auto& change : changes) {
      change();
      const std::vector<PixelRect> drawn = look();
      EXPECT_EQ(!drawn.empty(), size.changeShows);
      for (const PixelRect& area : drawn) {
        EXPECT_TRUE(PixelRect({0, 0, size.width, size.height}).Contains(area));
      }
      EXPECT_EQ(WrongSamples(picture.Picture(), *DrawStagePicture(demo.palette, demo.rom, request)),
                0);
    }
  }
}

// The file is written whole or not at all, and a failure is reported, never passed over.
TEST(StagePicture, WritingFailsWithAReportAndNoFile) {
  DemoRom demo;
  const StagePictureRequest request{.lastRoom = 1};
  const std::filesystem::path file = demo.folder.File("stage.png");
  testing::FailingContentWriter failing;
  EXPECT_FALSE(WriteStagePicture(file, demo.palette, demo.rom, request, failing, demo.notifier));
  ASSERT_EQ(demo.notifier.errors.size(), 1u);
  EXPECT_EQ(
      demo.notifier.errors[0].rfind("ファイル \"" + file.string() + "\" に書き込めません。", 0),
      0u);
  EXPECT_FALSE(std::filesystem::exists(file));
  failing.failing = false;
  EXPECT_TRUE(WriteStagePicture(file, demo.palette, demo.rom, request, failing, demo.notifier));
  const std::vector<std::uint8_t> png = testing::ReadFile(file);
  ASSERT_GT(png.size(), 24u);
  EXPECT_EQ(std::vector<std::uint8_t>(png.begin() + 12, png.begin() + 24),
            (std::vector<std::uint8_t>{'I', 'H', 'D', 'R', 0, 0, 2, 0, 0, 0, 1, 0}));
  EXPECT_EQ(demo.notifier.errors.size(), 1u);
}

}  // namespace
}  // namespace zantor
