#include <sys/stat.h>

#include <QAction>
#include <QDir>
#include <QProcess>
#include <QTest>
#include <map>

#include "app/path_text.h"
#include "app/test_play_launcher.h"
#include "app/tests/main_form_fixture.h"
#include "core/edit_flag_management.h"
#include "core/my_mem_ini_file.h"
#include "core/rom_image_data.h"
#include "core/running_process.h"

namespace zantor {
namespace {

namespace fs = std::filesystem;
using testing::ReadFile;
using testing::WriteFile;
using Kind = testing::ScriptedDialogs::Kind;

const QString kNoEmulator = QStringLiteral(
    "エミュレータが見つかりません。fceux、nestopia、mednafen "
    "のいずれかをインストールするか、「テストプレイの設定」でコマンドを指定してください。");
constexpr int kWait = 10'000;

// An environment variable as it was before the test, put back after it.
struct SavedVariable {
  ~SavedVariable() { wasSet ? qputenv(name, value) : qunsetenv(name); }
  const char* name;
  QByteArray value = qgetenv(name);
  bool wasSet = qEnvironmentVariableIsSet(name);
};

// What one stand-in emulator was started with.
struct StandInRun {
  QString emulator;
  std::int64_t processId;
  QStringList arguments;
  // The file it was given, as it read it.
  std::vector<std::uint8_t> file;
};

// The demo image open in a window whose runtime folder is a test folder of its own, with
// stand-in emulators: scripts that record their arguments and a copy of the file they get,
// then run until the test releases them.
class TestPlay : public testing::MainFormTest {
 protected:
  void SetUp() override {
    MainFormTest::SetUp();
    UseRuntimeFolder(runtime.Path());
    SetPath({});
  }
  void TearDown() override {
    FinishRuns();
    MainFormTest::TearDown();
  }

  void UseRuntimeFolder(const fs::path& path) {
    qputenv("XDG_RUNTIME_DIR", QByteArray::fromStdString(path.string()));
    copies = path / "zantor5editor";
  }
  // Only these folders, never the machine's own emulators.
  static void SetPath(const std::vector<fs::path>& folders) {
    std::string path;
    for (const fs::path& folder : folders) path += folder.string() + ":";
    qputenv("PATH", QByteArray::fromStdString(path + "/nonexistent"));
  }

  // Writes a stand-in named name into folder and gives its path.
  QString StandIn(const fs::path& in, const std::string& name) const {
    const fs::path script = in / name;
    const std::string log = (records.Path() / "").string();
    std::ofstream(script)
        << "#!/bin/sh\n"
           "PATH=/usr/bin:/bin\n"
           "record='" +
               log +
               "'\"$(basename \"$0\")-$$\"\n"
               "for a in \"$@\"; do [ -f \"$a\" ] && cp \"$a\" \"$record.nes\"; done\n"
               "for a in \"$@\"; do printf '%s\\n' \"$a\"; done > \"$record.part\"\n"
               "mv \"$record.part\" \"$record.args\"\n"
               "for n in $(seq 400); do [ -e '" +
               log + "release' ] && break; sleep 0.05; done\n";
    fs::permissions(script, fs::perms::owner_all);
    return FromPath(script);
  }

  // Answers the settings item's input box.
  void SetCommand(const std::optional<QString>& command) {
    dialogs.inputs = {command};
    Find<QAction>("TestPlaySettings1")->trigger();
  }

  void PressF5() {
    if (!form->isActiveWindow()) ActivateWindow();
    QTest::keyClick(form.get(), Qt::Key_F5);
  }

  std::vector<fs::path> Recorded(const char* extension) const {
    std::vector<fs::path> found;
    for (const auto& entry : fs::directory_iterator(records.Path())) {
      if (entry.path().extension() == extension) found.push_back(entry.path());
    }
    return found;
  }

  // The runs recorded so far, once there are count of them.
  std::vector<StandInRun> WaitForRuns(std::size_t count) const {
    EXPECT_TRUE(QTest::qWaitFor([&] { return Recorded(".args").size() >= count; }, kWait));
    std::vector<StandInRun> runs;
    for (const fs::path& args : Recorded(".args")) {
      const QString name = FromPath(args.stem());
      const auto dash = name.lastIndexOf(u'-');
      fs::path copy = args;
      copy.replace_extension(".nes");
      const auto text = ReadFile(args);
      QStringList arguments = QString::fromUtf8(reinterpret_cast<const char*>(text.data()),
                                                static_cast<qsizetype>(text.size()))
                                  .split(u'\n');
      arguments.removeLast();
      runs.push_back({name.left(dash), name.mid(dash + 1).toLongLong(), arguments, ReadFile(copy)});
    }
    return runs;
  }

  // Lets every stand-in end, waits for their copies to go and forgets their records.
  void FinishRuns() {
    WriteFile(records / "release", {});
    for (const StandInRun& run : WaitForRuns(0)) {
      EXPECT_TRUE(QTest::qWaitFor([&] { return !ProcessIsRunning(run.processId); }, kWait));
    }
    EXPECT_TRUE(QTest::qWaitFor([&] { return CopiesLeft() == 0; }, kWait));
    for (const auto& entry : fs::directory_iterator(records.Path())) fs::remove(entry.path());
  }

  // The runs' folders in the copy folder.
  std::size_t CopiesLeft() const {
    std::error_code error;
    if (!fs::is_directory(copies, error)) return 0;
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(copies), {}));
  }

  // Another editor's start, which removes the copies no process uses any more.
  void StartAnotherEditor() { TestPlayLauncher another(dialogs); }

  std::vector<std::uint8_t> OpenBytes() {
    const RomImageData& rom = form->Rom();
    return {rom.Bytes().Data(), rom.Bytes().Data() + rom.Size()};
  }

  SavedVariable savedPath{"PATH"};
  SavedVariable savedRuntime{"XDG_RUNTIME_DIR"};
  testing::TempFolder runtime;
  testing::TempFolder records;
  testing::TempFolder standIns;
  fs::path copies;
};

// Unsaved edits on stages 1 and 3 and on the 16x16 chips stage 0x0B shares with stage 8
// reach the emulator as Save then writes them; the image, its flags, both histories of
// every stage and its file stay as they were, and the copy goes when the emulator ends.
TEST_F(TestPlay, TheEmulatorGetsTheImageAsSaveWritesItAndNothingChanges) {
  StartWithDemo();
  SetCommand(StandIn(standIns.Path(), "emu") + " %f");
  RomImageData& rom = form->Rom();
  EditFlagManagement& flags = form->Flags();
  StageData& one = rom.Stage(1);
  ASSERT_TRUE(one.SetMapRoom(5, static_cast<std::uint8_t>(one.Map()[5] ^ 0x11)));
  flags.SetMapModified(1, true);
  StageData& three = rom.Stage(3);
  ASSERT_TRUE(three.SetBGPaletteEntry(6, static_cast<std::uint8_t>(three.BGPalette()[6] ^ 1)));
  ASSERT_TRUE(three.SetBGPaletteEntry(7, static_cast<std::uint8_t>(three.BGPalette()[7] ^ 2)));
  three.Undo();
  flags.SetPaletteModified(3, true);
  StageData& shared = rom.Stage(0x0B);
  const auto tile = static_cast<std::uint8_t>(shared.Chip16x16()[9] ^ 0x40);
  ASSERT_TRUE(shared.SetChipTile(9, tile));
  flags.SetChip16x16Modified(0x0B, true);
  const auto buffer = OpenBytes();
  const auto demo = ReadFile(folder / "demo.nes");
  const auto histories = [&rom] {
    std::vector<std::pair<bool, bool>> all;
    for (int n = 0; n < kStageCount; ++n)
      all.emplace_back(rom.Stage(n).CanUndo(), rom.Stage(n).CanRedo());
    return all;
  };
  const auto before = histories();

  PressF5();
  const auto runs = WaitForRuns(1);
  ASSERT_EQ(runs.size(), 1u);
  ASSERT_EQ(runs[0].arguments.size(), 1);
  const fs::path copy = ToPath(runs[0].arguments[0]);
  EXPECT_EQ(copy.filename(), "demo_testplay.nes");
  EXPECT_EQ(copy.parent_path().parent_path(), copies);
  EXPECT_TRUE(dialogs.log.size() == 1 && dialogs.log[0].kind == Kind::Input);
  EXPECT_EQ(OpenBytes(), buffer);
  EXPECT_TRUE(flags.IsMapModified(1) && flags.IsPaletteModified(3) &&
              flags.IsChip16x16Modified(0x0B) && flags.IsModified());
  EXPECT_EQ(histories(), before);
  EXPECT_EQ(ReadFile(folder / "demo.nes"), demo);
  ASSERT_EQ(runs[0].file.size(), demo.size());
  EXPECT_EQ(runs[0].file[rom.Addresses().Chip16x16(8) + 9], tile);

  FinishRuns();
  form->Save1Click();
  EXPECT_EQ(runs[0].file, ReadFile(folder / "demo.nes"));
}

// The copy's path holds blanks and Japanese, as does the stand-in's: %f stays one argument
// wherever it stands, and without it the file comes last.
TEST_F(TestPlay, TheFileIsOneArgumentWhateverItsPathHolds) {
  const fs::path odd = runtime.Path() / u8"run time ランタイム";
  fs::create_directory(odd);
  fs::permissions(odd, fs::perms::owner_all);
  UseRuntimeFolder(odd);
  WriteImage("デモ 画像.nes", ReadFile(folder / "demo.nes"));
  Start();
  ASSERT_TRUE(form->OpenImage(PathOf("デモ 画像.nes")));
  const QString emu = "'" + StandIn(odd, "emu") + "'";
  const struct {
    QString command;
    QStringList before;  // the arguments, the file left out
    QString fileArgument;
    QStringList after;
  } cases[] = {
      {emu + " --rom=%f \"-x y\"", {}, "--rom=%1", {"-x y"}},
      {emu + " -a 'b  c'", {"-a", "b  c"}, "%1", {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.command.toStdString());
    SetCommand(c.command);
    PressF5();
    const auto runs = WaitForRuns(1);
    ASSERT_EQ(runs.size(), 1u);
    const QStringList& got = runs[0].arguments;
    ASSERT_EQ(got.size(), c.before.size() + 1 + c.after.size());
    const QString file = got[c.before.size()].mid(c.fileArgument.indexOf(u'%'));
    EXPECT_EQ(got, c.before + QStringList{c.fileArgument.arg(file)} + c.after);
    EXPECT_EQ(ToPath(file).filename(), fs::path(u8"デモ 画像_testplay.nes"));
    EXPECT_EQ(ToPath(file).parent_path().parent_path(), odd / "zantor5editor");
    EXPECT_TRUE(fs::exists(ToPath(file)));
    FinishRuns();
  }
}

// With no command set, the first of fceux, nestopia and mednafen on the PATH plays the file
// as its one argument; with none of them there the user is told, and nothing is written.
TEST_F(TestPlay, WithoutACommandTheFirstKnownEmulatorOnThePathPlays) {
  StartWithDemo();
  PressF5();
  EXPECT_EQ(dialogs.Texts(Kind::Message), std::vector<QString>{kNoEmulator});
  EXPECT_FALSE(fs::exists(copies));

  // The list's order goes before the PATH's.
  const struct {
    std::vector<std::string> first;
    std::vector<std::string> second;
    const char* plays;
  } cases[] = {
      {{"mednafen", "nestopia", "fceux"}, {}, "fceux"},
      {{"mednafen"}, {"nestopia"}, "nestopia"},
      {{"mednafen"}, {}, "mednafen"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.plays);
    testing::TempFolder first;
    testing::TempFolder second;
    for (const std::string& name : c.first) StandIn(first.Path(), name);
    for (const std::string& name : c.second) StandIn(second.Path(), name);
    SetPath({first.Path(), second.Path()});
    PressF5();
    const auto runs = WaitForRuns(1);
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0].emulator, QString::fromLatin1(c.plays));
    ASSERT_EQ(runs[0].arguments.size(), 1);
    EXPECT_EQ(ToPath(runs[0].arguments[0]).filename(), "demo_testplay.nes");
    EXPECT_EQ(runs[0].file, ReadFile(folder / "demo.nes"));
    FinishRuns();
  }
  EXPECT_EQ(dialogs.Texts(Kind::Message).size(), 1u);
}

// A program that cannot start, a command with an open quote and a copy folder that cannot be
// made are each said; no run starts, no copy stays and the image is as it was.
TEST_F(TestPlay, FailuresAreSaidAndChangeNothing) {
  StartWithDemo();
  EditFlagManagement& flags = form->Flags();
  RomImageData& rom = form->Rom();
  ASSERT_TRUE(rom.Stage(2).SetMapRoom(0, static_cast<std::uint8_t>(rom.Stage(2).Map()[0] ^ 1)));
  flags.SetMapModified(2, true);
  const auto buffer = OpenBytes();
  const QString notProgram = StandIn(standIns.Path(), "plain");
  fs::permissions(ToPath(notProgram), fs::perms::owner_read | fs::perms::owner_write);

  for (const QString& program : {FromPath(standIns / "missing"), notProgram}) {
    SCOPED_TRACE(program.toStdString());
    SetCommand(program + " %f");
    PressF5();
    const auto errors = dialogs.Texts(Kind::Error);
    ASSERT_EQ(errors.size(), 1u);
    const QString said = "プログラム \"" + program + "\" を起動できません。\n";
    EXPECT_TRUE(errors[0].startsWith(said)) << errors[0].toStdString();
    EXPECT_GT(errors[0].size(), said.size());
    EXPECT_EQ(CopiesLeft(), 0u);
    dialogs.log.clear();
  }

  SetCommand("emu 'no end %f");
  PressF5();
  EXPECT_EQ(
      dialogs.Texts(Kind::Message),
      std::vector<QString>{"テストプレイのコマンドの引用符が閉じていません。\nemu 'no end %f"});

  SetCommand(StandIn(standIns.Path(), "emu") + " %f");
  fs::remove_all(copies);
  WriteFile(copies, {});  // a file where the folder would be
  PressF5();
  const auto errors = dialogs.Texts(Kind::Error);
  ASSERT_EQ(errors.size(), 1u);
  EXPECT_TRUE(errors[0].startsWith("ファイル \"" + FromPath(copies) + "\" に書き込めません。\n"))
      << errors[0].toStdString();

  EXPECT_TRUE(Recorded(".args").empty());
  EXPECT_EQ(OpenBytes(), buffer);
  EXPECT_TRUE(flags.IsMapModified(2) && rom.Stage(2).CanUndo());
  EXPECT_TRUE(fs::is_regular_file(copies));
  fs::remove(copies);
}

// F5 while an emulator runs starts another on a file of its own; each copy goes with its run.
// A copy whose editor has gone stays while its emulator runs and is removed by the next
// start after that; one of an editor still running is left to that editor.
TEST_F(TestPlay, EachRunHasItsOwnCopyRemovedWhenNoProcessUsesItAnyMore) {
  StartWithDemo();
  StandIn(standIns.Path(), "emu");
  SetPath({standIns.Path()});
  SetCommand("emu");  // found on the PATH as a shell finds it
  PressF5();
  WaitForRuns(1);
  PressF5();
  const auto runs = WaitForRuns(2);
  ASSERT_EQ(runs.size(), 2u);
  EXPECT_NE(runs[0].arguments, runs[1].arguments);
  for (const StandInRun& run : runs) {
    EXPECT_TRUE(fs::exists(ToPath(run.arguments.back())));
    EXPECT_EQ(run.file, ReadFile(folder / "demo.nes"));  // no edits: the copy is the file
  }
  EXPECT_EQ(CopiesLeft(), 2u);
  FinishRuns();

  QProcess ended;
  ended.start(QStringLiteral("/bin/true"));
  ASSERT_TRUE(ended.waitForStarted());
  const std::int64_t goneEditor = ended.processId();
  ASSERT_TRUE(ended.waitForFinished());
  const TMyMemIniFile settings(
      folder / "unused.ini",
      "[TestPlay]\nCommand=" + StandIn(standIns.Path(), "emu").toStdString());
  const std::vector<std::uint8_t> bytes(64, 0x4E);
  for (const std::int64_t editor : {goneEditor, std::int64_t{1}}) {
    SCOPED_TRACE(editor);
    {
      TestPlayLauncher left(dialogs, TestPlayFolder(), editor);
      left.ReadSettings(settings);
      ASSERT_TRUE(left.Play("left.nes", bytes));
      WaitForRuns(1);
    }
    StartAnotherEditor();
    EXPECT_EQ(CopiesLeft(), 1u) << "the emulator still runs";
    WriteFile(records / "release", {});
    const auto left = WaitForRuns(1);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !ProcessIsRunning(left[0].processId); }, kWait));
    StartAnotherEditor();
    EXPECT_EQ(CopiesLeft(), editor == 1 ? 1u : 0u);
    fs::remove_all(copies);
    FinishRuns();
  }
}

// The command is read at start-up and written back at exit beside the other settings, which
// stay as they were; the input box shows it, a cancel keeps it, an empty answer searches.
TEST_F(TestPlay, TheCommandIsASettingOfItsOwn) {
  folder.Write("zantor5editor.ini",
               "[ObjectEdit]\nSort=0\n[TestPlay]\nCommand=emu \"%f\" -x\n[Timer]\nInterval=40\n"
               "[LevelDataAddress]\nBGBank=990\n[ShareData]\nlevel.11=8\n");
  Start();
  QAction* play = Find<QAction>("TestPlay1");
  QAction* settingsItem = Find<QAction>("TestPlaySettings1");
  EXPECT_EQ(play->text(), QStringLiteral("テストプレイ(&T)"));
  EXPECT_EQ(play->shortcut(), QKeySequence(Qt::Key_F5));
  EXPECT_EQ(settingsItem->text(), QStringLiteral("テストプレイの設定(&G)..."));
  EXPECT_FALSE(play->isEnabled());
  EXPECT_TRUE(settingsItem->isEnabled());
  ASSERT_TRUE(form->OpenImage(PathOf("demo.nes")));
  EXPECT_TRUE(play->isEnabled());

  SetCommand(std::nullopt);
  EXPECT_EQ(dialogs.log.back().title, QStringLiteral("テストプレイの設定"));
  EXPECT_TRUE(dialogs.log.back().text.endsWith("|emu \"%f\" -x"));
  SetCommand("");
  EXPECT_TRUE(dialogs.log.back().text.endsWith("|emu \"%f\" -x"));
  testing::TempFolder bin;
  StandIn(bin.Path(), "nestopia");
  SetPath({bin.Path()});
  PressF5();
  EXPECT_EQ(WaitForRuns(1).at(0).emulator, QStringLiteral("nestopia"));
  FinishRuns();
  SetCommand("  other --rom %f  ");
  SetCommand(std::nullopt);
  EXPECT_TRUE(dialogs.log.back().text.endsWith("|other --rom %f"));

  form->Close1Click();
  EXPECT_FALSE(play->isEnabled());
  EXPECT_TRUE(settingsItem->isEnabled());
  ASSERT_TRUE(form->close());
  const TMyMemIniFile written(folder / "zantor5editor.ini");
  EXPECT_EQ(written.ReadString("TestPlay", "Command", ""), "other --rom %f");
  EXPECT_EQ(written.ReadString("ObjectEdit", "Sort", ""), "0");
  EXPECT_EQ(written.ReadString("Timer", "Interval", ""), "40");
  EXPECT_EQ(written.ReadString("LevelDataAddress", "BGBank", ""), "990");
  EXPECT_EQ(written.ReadString("ShareData", "level.11", ""), "8");
}

}  // namespace
}  // namespace zantor
