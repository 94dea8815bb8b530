// The stage picture of the demo image against the map sets read straight from its bytes.
#include "graphics/stage_picture.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <stdexcept>
#include <vector>

#include "core/testing/failing_content_writer.h"
#include "core/testing/rom_fixture.h"
#include "core/testing/temporary_folder.h"
#include "graphics/hex_digit_font.h"
#include "graphics/testing/reference_pixels.h"
#include "graphics/tests/render_test_support.h"

namespace zantor {
namespace {

using testing::TestMasterColor;

constexpr std::uint32_t kMagenta = 0xFF00FF;
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

// Pixels of cell `cell` (column, row) that differ from expected(x, y) within the cell.
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

// Rooms 3 to 7 of stage 2, two to a row, in definition 1's stored colours: room 5 names no
// map set, and the sixth cell has no room.
TEST(StagePicture, RoomsLieRowByRowInTheStoredColoursOfTheDefinition) {
  DemoRom demo;
  StageData& stage = demo.rom.Stage(2);
  ASSERT_TRUE(stage.SetMapRoom(5, 0x30));
  const StagePictureRequest request{
      .stage = 2, .definition = 1, .firstRoom = 3, .lastRoom = 7, .columns = 2};
  const auto picture = DrawStagePicture(demo.palette, demo.rom, request);
  ASSERT_EQ(picture->Width(), 512);
  ASSERT_EQ(picture->Height(), 768);
  const auto black = [](int, int) { return TestMasterColor(0x0F); };
  for (int k = 0; k < 5; ++k) {
    const int mapSet = stage.Map()[3 + k];
    const auto shown = [&](int x, int y) {
      if (mapSet >= kMapSetCount) {
        const bool edge = x % 32 == 0 || x % 32 == 31 || y % 32 == 0 || y % 32 == 31;
        return edge ? kMagenta : TestMasterColor(0x0F);
      }
      const int entry = testing::ReferenceMapSetPixel(stage, mapSet, x, y);
      return TestMasterColor(stage.BGPalette()[16 + entry] & 0x3F);
    };
    EXPECT_EQ(WrongPixels(*picture, k % 2, k / 2, shown), 0) << "room " << 3 + k;
  }
  EXPECT_EQ(WrongPixels(*picture, 1, 2, black), 0);
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
