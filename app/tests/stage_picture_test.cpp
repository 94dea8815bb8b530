// The stage picture from the File menu and from the command line, compared with the rooms
// the map and object tabs show.
#include <QAction>
#include <QComboBox>
#include <QImage>
#include <QTimer>
#include <filesystem>

#include "app/tests/editor_process.h"
#include "app/tests/main_form_fixture.h"
#include "core/edit_flag_management.h"
#include "core/rom_image_data.h"
#include "editors/map_edit_class.h"
#include "editors/object_edit_class.h"

namespace zantor {
namespace {

using testing::EditorRun;
using Kind = testing::ScriptedDialogs::Kind;
using Pixels = std::vector<std::uint32_t>;

constexpr int kSide = 256;

// A room picture's pixels as they are now.
Pixels Snapshot(const DisplayPicture& room) { return {room.Words(), room.Words() + kSide * kSide}; }

// Pixels of cell (column, row) of a written picture that differ from a room picture's.
int WrongPixels(const QImage& picture, int column, int row, const Pixels& room) {
  int wrong = 0;
  for (int y = 0; y < kSide; ++y) {
    for (int x = 0; x < kSide; ++x) {
      const QRgb pixel = picture.pixel(column * kSide + x, row * kSide + y);
      const std::uint32_t shown = FromShownWord(room[y * kSide + x]);
      wrong += static_cast<std::uint32_t>(qRed(pixel) | qGreen(pixel) << 8 | qBlue(pixel) << 16) !=
               shown;
    }
  }
  return wrong;
}

class StagePictureTest : public testing::MainFormTest {
 protected:
  void SetUp() override {
    MainFormTest::SetUp();
    StartWithDemo();
    Find<QTimer>("FrameTimer")->stop();  // stored colours until a test ticks
  }
  // The two rooms a tab shows from `first` on, with nothing hovered or selected.
  std::array<Pixels, 2> TabRooms(EditTab tab, int first) {
    form->ShowTab(tab);
    const bool map = tab == EditTab::Map;
    if (map) {
      dynamic_cast<MapEditClass&>(form->EditorOf(tab)).ShowRooms(first);
    } else {
      dynamic_cast<ObjectEditClass&>(form->EditorOf(tab)).ShowRooms(first);
    }
    const QString name =
        map ? QStringLiteral("ImgEditMapPage%1") : QStringLiteral("ImgObjectMapPage%1");
    return {Snapshot(*Image(name.arg(0))->Picture()), Snapshot(*Image(name.arg(1))->Picture())};
  }
  std::size_t FileCount() const {
    return static_cast<std::size_t>(std::distance(
        std::filesystem::directory_iterator(folder.Path()), std::filesystem::directory_iterator()));
  }
};

// --- File > ステージ画像の書き出し ---------------------------------------------------------

class StagePictureMenu : public StagePictureTest {
 protected:
  void Export(const std::optional<QString>& file) {
    dialogs.saveFiles = {file};
    Find<QAction>("ExportStageImage1")->trigger();
  }
};

// Unsaved edits of stage 0 in definition 1, chosen on the palette tab: room 01 names no map
// set and a colour changed. The picture shows them as the map tab shows them before the
// animation runs; the animated window, the image, its flags and history stay as they were.
TEST_F(StagePictureMenu, ShowsTheUnsavedEditsAsTheMapTabInStoredColoursAndChangesNothing) {
  RomImageData& rom = form->Rom();
  StageData& stage = rom.CurrentStageData();
  ASSERT_TRUE(stage.SetMapRoom(1, 0x30));
  ASSERT_TRUE(stage.SetBGPaletteEntry(16 + 5, stage.BGPalette()[16 + 5] ^ 0x11));
  form->Flags().SetMapModified(0, true);
  form->Flags().SetPaletteModified(0, true);
  form->ShowTab(EditTab::Palette);
  auto* definitions = Find<QComboBox>("CBSelectPaletteSet");
  definitions->setCurrentIndex(1);
  emit definitions->activated(1);
  const auto stored = TabRooms(EditTab::Map, 0);
  int ticks = 0;
  while (!form->FrameTimerTimer() && ++ticks < 20) {
  }
  const auto animated = TabRooms(EditTab::Map, 0);
  ASSERT_NE(animated[0], stored[0]) << "the animation must show in room 00";
  const std::vector<std::uint8_t> buffer(rom.Bytes().Data(), rom.Bytes().Data() + rom.Size());
  const std::string undoName = stage.UndoName();

  Export(PathOf("stage.png"));
  EXPECT_EQ(dialogs.lastSaveRequest.filter, QStringLiteral("PNG画像 (*.png)|*.png"));
  EXPECT_EQ(dialogs.lastSaveRequest.defaultSuffix, QStringLiteral("png"));
  EXPECT_TRUE(dialogs.Texts(Kind::Message).empty() && dialogs.Texts(Kind::Error).empty());
  const QImage picture(PathOf("stage.png"));
  ASSERT_EQ(picture.size(), QSize(16 * kSide, 5 * kSide));
  EXPECT_EQ(WrongPixels(picture, 0, 0, stored[0]), 0);
  EXPECT_EQ(WrongPixels(picture, 1, 0, stored[1]), 0);

  EXPECT_EQ(Snapshot(*Image("ImgEditMapPage0")->Picture()), animated[0]);
  EXPECT_TRUE(std::equal(buffer.begin(), buffer.end(), rom.Bytes().Data()));
  EXPECT_TRUE(form->Flags().IsMapModified(0) && form->Flags().IsPaletteModified(0));
  EXPECT_EQ(stage.UndoName(), undoName);
  EXPECT_EQ(stage.Map()[1], 0x30);
  EXPECT_EQ(testing::ReadFile(folder / "demo.nes"), BuildDemoImage());
}

TEST_F(StagePictureMenu, ACancelOrAFailedWriteLeavesNoFileAndTheItemNeedsAnImage) {
  folder.Write("blocker", "x");
  const std::size_t files = FileCount();
  Export(std::nullopt);
  Export(PathOf("blocker") + "/stage.png");
  ASSERT_EQ(dialogs.Texts(Kind::Error).size(), 1u);
  EXPECT_TRUE(dialogs.Texts(Kind::Error)[0].startsWith("ファイル \"" + PathOf("blocker") +
                                                       "/stage.png\" に書き込めません。"));
  EXPECT_EQ(FileCount(), files);

  QAction* item = Find<QAction>("ExportStageImage1");
  EXPECT_EQ(item->text(), QStringLiteral("ステージ画像の書き出し(&E)..."));
  EXPECT_TRUE(item->isEnabled());
  form->Close1Click();
  EXPECT_FALSE(item->isEnabled());
}

// --- zantor5editor IMAGE --export-map FILE.png ----------------------------------------------

// The built program beside its demo image and master palette, run as from a shell with no
// display; the window of the fixture shows the same image.
class ExportCommand : public StagePictureTest {
 protected:
  EditorRun Run(const QStringList& arguments) const {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"}) {
      environment.remove(QString::fromLatin1(name));
    }
    return program.Run(arguments, {}, environment);
  }
  QImage Written(const QStringList& options, const std::string& name) const {
    const EditorRun run = Run(QStringList{demo, "--export-map", program.Path(name)} + options);
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.output + run.errors, QString());
    return QImage(program.Path(name));
  }
  std::size_t ProgramFiles() const {
    return static_cast<std::size_t>(
        std::distance(std::filesystem::directory_iterator(program.folder.Path()),
                      std::filesystem::directory_iterator()));
  }

  testing::PrivateProgram program;
  const QString demo = program.Path("demo.nes");
};

TEST_F(ExportCommand, WritesTheRoomsAsTheTabsShowThemSilentlyWithoutADisplay) {
  const std::size_t files = ProgramFiles();
  const QImage all = Written({}, "all.png");
  ASSERT_EQ(all.size(), QSize(16 * kSide, 5 * kSide));
  const auto first = TabRooms(EditTab::Map, 0);
  EXPECT_EQ(WrongPixels(all, 0, 0, first[0]) + WrongPixels(all, 1, 0, first[1]), 0);
  const auto last = TabRooms(EditTab::Map, 78);
  EXPECT_EQ(WrongPixels(all, 14, 4, last[0]) + WrongPixels(all, 15, 4, last[1]), 0);

  const QImage marked = Written({"--objects", "--rooms", "0-1", "--columns", "1"}, "marked.png");
  ASSERT_EQ(marked.size(), QSize(kSide, 2 * kSide));
  const auto objects = TabRooms(EditTab::Object, 0);
  ASSERT_NE(objects[0], first[0]) << "room 00 must hold objects";
  EXPECT_EQ(WrongPixels(marked, 0, 0, objects[0]) + WrongPixels(marked, 0, 1, objects[1]), 0);

  form->SelectStage(3);
  const QImage three = Written({"--stage", "3", "--rooms", "5-7", "--columns", "2"}, "three.png");
  ASSERT_EQ(three.size(), QSize(2 * kSide, 2 * kSide));
  const auto fiveSix = TabRooms(EditTab::Map, 5);
  const auto seven = TabRooms(EditTab::Map, 7);
  EXPECT_EQ(WrongPixels(three, 0, 0, fiveSix[0]) + WrongPixels(three, 1, 0, fiveSix[1]) +
                WrongPixels(three, 0, 1, seven[0]),
            0);
  EXPECT_EQ(three.pixel(kSide + 9, kSide + 9), qRgb(0, 0, 0));  // no room there: black
  EXPECT_EQ(ProgramFiles(), files + 3);  // the pictures, and no settings file
}

// Each failure: one line on standard error that says why, a non-zero exit, no new file.
TEST_F(ExportCommand, EveryFailureSaysWhyOnOneLineAndWritesNothing) {
  program.folder.Write("short.nes", "NES\x1A");
  const QString out = program.Path("out.png");
  struct Case {
    QStringList arguments;
    int exitCode;
    QString reason;
  };
  const std::vector<Case> cases = {
      {{demo, "--export-map"}, 2, "--export-map には書き出す PNG ファイルを指定してください"},
      {{"--export-map", out}, 2, "--export-map には IMAGE を1つ指定してください"},
      {{demo, "--export-map", out, "--verbose"},
       2,
       "--export-map と一緒には使えないオプションです: --verbose"},
      {{demo, "--export-map", out, "--stage", "16"},
       2,
       "--stage には 0 から 15 の数を指定してください"},
      {{demo, "--export-map", out, "--stage", "1", "--stage", "2"},
       2,
       "--stage が2回指定されています"},
      {{demo, "--export-map", out, "--rooms", "5-3"}, 2, "--rooms には 0 から 79"},
      {{demo, "--export-map", out, "--rooms", "0x4F"}, 2, "--rooms には 0 から 79"},
      {{demo, "--export-map", out, "--columns", "0"},
       2,
       "--columns には 1 から 80 の数を指定してください"},
      {{program.Path("missing.nes"), "--export-map", out},
       1,
       "ファイル \"" + program.Path("missing.nes") + "\" を開けません。 "},
      {{program.Path("short.nes"), "--export-map", out},
       1,
       program.Path("short.nes") + ": ファイルを開けませんでした"},
      {{demo, "--export-map", program.Path("no/folder/out.png")},
       1,
       "ファイル \"" + program.Path("no/folder/out.png") + "\" に書き込めません。 "},
  };
  const std::size_t files = ProgramFiles();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.arguments.join(' ').toStdString());
    testing::ExpectOneLineFailure(Run(c.arguments), c.exitCode, c.reason);
    EXPECT_EQ(ProgramFiles(), files);
  }
}

}  // namespace
}  // namespace zantor
