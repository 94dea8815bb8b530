// What keeps the user's image safe: commands and menu items that would write over their own
// input, a save that notices another program's change, the offer of a save cut short.
#include <QAction>
#include <filesystem>

#include "app/tests/editor_process.h"
#include "app/tests/main_form_fixture.h"
#include "core/atomic_file_writer.h"
#include "core/edit_flag_management.h"
#include "core/in_place_backup.h"
#include "core/rom_image_data.h"

namespace zantor {
namespace {

namespace fs = std::filesystem;
using testing::EditorRun;
using testing::ExpectOneLineFailure;
using testing::PrivateProgram;
using testing::ReadFile;
using testing::WriteFile;
using Kind = testing::ScriptedDialogs::Kind;

// Every command whose output is one of its inputs, by the same name, another name, a link
// or a hard link, or (for pictures) is no PNG: one line, a failure, every file untouched.
TEST(OverwritingCommands, AnOutputThatIsAnInputOrNoPngIsRefused) {
  const PrivateProgram program;
  const fs::path folder = program.folder.Path();
  fs::copy_file(folder / "demo.nes", folder / "mine.nes");
  fs::copy_file(folder / "demo.nes", folder / "b.nes");
  fs::create_symlink("mine.nes", folder / "link.png");
  fs::create_hard_link(folder / "mine.nes", folder / "hard.png");
  const auto mine = ReadFile(folder / "mine.nes");
  const QString image = program.Path("mine.nes");
  const struct {
    QStringList arguments;
    QString reason;
  } cases[] = {
      {{image, "--export-map", image}, "拡張子は .png"},
      {{image, "--export-map", program.Path("mine.png.nes")}, "拡張子は .png"},
      {{image, "--export-map", program.Path("link.png")}, "と同じファイルです"},
      {{image, "--export-map", program.Path("hard.png")}, "と同じファイルです"},
      {{image, "--export-map", program.Path("fcpalette.pal")}, "拡張子は .png"},
      {{image, "--screenshot", image}, "拡張子は .png"},
      {{image, "--screenshot", program.Path("link.png")}, "と同じファイルです"},
      {{image, "--screenshot", program.Path("hard.png")}, "と同じファイルです"},
      {{"--make-patch", image, program.Path("b.nes"), image}, "と同じファイルです"},
      {{"--make-patch", program.Path("b.nes"), image, program.Path("./mine.nes")},
       "と同じファイルです"},
      {{"--make-patch", program.Path("b.nes"), image, program.Path("hard.png")},
       "と同じファイルです"},
  };
  const auto entries = [&] { return std::distance(fs::directory_iterator(folder), {}); };
  // The toolkit's own complaint about a missing runtime folder is no line of ours.
  QProcessEnvironment environment = testing::Offscreen();
  fs::create_directory(folder / "runtime");
  fs::permissions(folder / "runtime", fs::perms::owner_all);
  environment.insert("XDG_RUNTIME_DIR", program.Path("runtime"));
  const auto before = entries();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.arguments.join(' ').toStdString());
    const EditorRun run = program.Run(c.arguments, {}, environment);
    EXPECT_NE(run.exitCode, 0);
    ExpectOneLineFailure(run, run.exitCode, c.reason);
    EXPECT_EQ(ReadFile(folder / "mine.nes"), mine);
    EXPECT_TRUE(fs::is_symlink(folder / "link.png"));
    EXPECT_EQ(entries(), before);
  }
  // An upper-case extension is a PNG all the same.
  EXPECT_EQ(program.Run({image, "--export-map", program.Path("S.PNG"), "--rooms", "0"}).exitCode,
            0);
  EXPECT_TRUE(fs::exists(folder / "S.PNG"));
}

class NeverLoseWork : public testing::MainFormTest {
 protected:
  void SetUp() override {
    MainFormTest::SetUp();
    environment.folders.cacheDir = folder / "cache";
    demo = ReadFile(folder / "demo.nes");
  }
  void EditMap(TMainForm& window) {
    StageData& stage = window.Rom().Stage(0);
    ASSERT_TRUE(stage.SetMapRoom(3, static_cast<std::uint8_t>(stage.Map()[3] ^ 0x01)));
    window.Flags().SetMapModified(0, true);
  }
  std::uint8_t MapByteOnDisk() const {
    return ReadFile(folder / "demo.nes")[static_cast<std::size_t>(form->Rom().Addresses().Map(0) + 3)];
  }
  QString ChangedQuestion() const {
    return PathOf("demo.nes") +
           "は、開いた後に他のプログラムによって変更されています。上書きしますか？";
  }
  std::vector<std::uint8_t> demo;
};

TEST_F(NeverLoseWork, TheMenusRefuseToWriteOverTheOpenImage) {
  StartWithDemo();
  EditMap(*form);
  folder.Write("original.nes", QByteArray(reinterpret_cast<const char*>(demo.data()),
                                          static_cast<qsizetype>(demo.size())));
  fs::create_symlink(folder / "demo.nes", folder / "demo-link.ips");
  fs::create_symlink(folder / "demo.nes", folder / "demo-link.png");
  dialogs.openFiles = {PathOf("original.nes"), PathOf("original.nes")};
  dialogs.saveFiles = {PathOf("demo-link.ips"), PathOf("original.nes")};
  Find<QAction>("MakePatch1")->trigger();
  Find<QAction>("MakePatch1")->trigger();
  dialogs.saveFiles = {PathOf("demo-link.png"), PathOf("picture.nes")};
  Find<QAction>("ExportStageImage1")->trigger();
  Find<QAction>("ExportStageImage1")->trigger();

  const auto messages = dialogs.Texts(Kind::Message);
  ASSERT_EQ(messages.size(), 4u);
  for (int i : {0, 1, 2}) {
    EXPECT_TRUE(messages[i].contains("と同じファイルです")) << messages[i].toStdString();
  }
  EXPECT_EQ(messages[3], "出力ファイルの拡張子は .png にしてください");
  EXPECT_EQ(ReadFile(folder / "demo.nes"), demo);
  EXPECT_EQ(ReadFile(folder / "original.nes"), demo);
  EXPECT_FALSE(fs::exists(folder / "picture.nes"));
  EXPECT_TRUE(form->Flags().IsMapModified(0));
}

// Another program writes the file after the open: each way of saving onto that file asks,
// No keeps both the other program's bytes and the unsaved edits, Yes writes.
TEST_F(NeverLoseWork, ASaveOverAFileChangedSinceTheOpenAsksFirst) {
  fs::create_symlink(folder / "demo.nes", folder / "alias.nes");
  const std::vector<std::function<void()>> saves = {
      [&] { form->Save1Click(); },
      [&] {
        dialogs.saveFiles = {PathOf("alias.nes")};
        form->SaveAs1Click();
      },
      [&] {
        // The save question's Yes, before a close.
        dialogs.answers = {Answer::Yes};
        dialogs.saveFiles = {PathOf("demo.nes")};
        form->Close1Click();
      },
  };
  for (std::size_t way = 0; way < saves.size(); ++way) {
    SCOPED_TRACE(way);
    WriteImage("demo.nes", demo);
    StartWithDemo();
    EditMap(*form);
    const std::uint8_t edited = form->Rom().Stage(0).Map()[3];
    auto other = demo;
    other[0x20] ^= 0xFF;
    WriteImage("demo.nes", other);

    dialogs.confirms = {false};
    saves[way]();
    EXPECT_EQ(dialogs.log.back().text, ChangedQuestion());
    EXPECT_EQ(ReadFile(folder / "demo.nes"), other);
    EXPECT_TRUE(form->Flags().IsMapModified(0));
    EXPECT_TRUE(form->Rom().CanUndo());
    EXPECT_TRUE(form->Rom().IsOpen());

    dialogs.confirms = {true};
    saves[way]();
    EXPECT_EQ(dialogs.log.back().text, ChangedQuestion());
    EXPECT_EQ(MapByteOnDisk(), edited);
    EXPECT_EQ(ReadFile(folder / "demo.nes")[0x20], demo[0x20]) << "the open image is written whole";
    EXPECT_FALSE(form->Flags().IsModified());

    // Saved: nobody changed it since, so the next save asks nothing.
    const auto asked = dialogs.Texts(Kind::Confirm).size();
    if (form->Rom().IsOpen()) {
      EditMap(*form);
      form->Save1Click();
      EXPECT_EQ(dialogs.Texts(Kind::Confirm).size(), asked);
    }
  }
}

TEST_F(NeverLoseWork, TwoWindowsSavingOneFileAskBeforeTheSecondWritesOverTheFirst) {
  StartWithDemo();
  testing::ScriptedDialogs otherDialogs;
  ProgramEnvironment otherEnvironment = environment;
  otherEnvironment.dialogs = &otherDialogs;
  TMainForm other(otherEnvironment);
  ASSERT_TRUE(other.OpenImage(PathOf("demo.nes")));

  StageData& theirs = other.Rom().Stage(1);
  ASSERT_TRUE(theirs.SetMapRoom(0, static_cast<std::uint8_t>(theirs.Map()[0] ^ 0x02)));
  other.Flags().SetMapModified(1, true);
  other.Save1Click();
  const auto afterOther = ReadFile(folder / "demo.nes");
  ASSERT_NE(afterOther, demo);

  EditMap(*form);
  dialogs.confirms = {false};
  form->Save1Click();
  EXPECT_EQ(dialogs.Texts(Kind::Confirm), std::vector<QString>{ChangedQuestion()});
  EXPECT_EQ(ReadFile(folder / "demo.nes"), afterOther);
  EXPECT_TRUE(otherDialogs.Texts(Kind::Confirm).empty());
}

// A save written in place that was cut short left its copy: the next open offers it.
TEST_F(NeverLoseWork, AnOpenOffersTheBytesOfASaveCutShort) {
  const InPlaceBackup backup(environment.folders.cacheDir);
  auto torn = demo;
  std::fill(torn.begin() + 0x900, torn.end(), 0xEE);
  const QString question = "前回の保存が完了していません。保存前の内容に戻しますか？";
  for (const bool restore : {true, false}) {
    SCOPED_TRACE(restore);
    ASSERT_EQ(backup.Keep(folder / "demo.nes", demo), "");
    WriteImage("demo.nes", torn);
    dialogs.confirms = {restore};
    StartWithDemo();
    EXPECT_EQ(dialogs.log.back().text, question);
    EXPECT_EQ(ReadFile(folder / "demo.nes"), restore ? demo : torn);
    EXPECT_EQ(form->Rom().Stage(0).Map()[3], (restore ? demo : torn)[form->Rom().Addresses().Map(0) + 3]);
    EXPECT_FALSE(backup.Find(folder / "demo.nes")) << "the copy is dropped either way";
    WriteImage("demo.nes", demo);
  }
  // Nothing kept, nothing asked.
  const auto asked = dialogs.log.size();
  StartWithDemo();
  EXPECT_EQ(dialogs.log.size(), asked);
}

}  // namespace
}  // namespace zantor
