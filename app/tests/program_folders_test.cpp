#include <QCheckBox>
#include <set>

#include "app/path_text.h"
#include "app/tests/main_form_fixture.h"
#include "core/my_mem_ini_file.h"
#include "core/testing/scoped_environment.h"
#include "editors/radio_group.h"

namespace zantor {
namespace {

namespace fs = std::filesystem;
using Kind = testing::ScriptedDialogs::Kind;

// The main window with a user's data and config folders beside its program folder, all
// in one temporary tree.
class ProgramFoldersTest : public testing::MainFormTest {
 protected:
  void SetUp() override {
    MainFormTest::SetUp();
    fs::create_directories(DataDir());
    environment.folders.dataDirs = {DataDir()};
    environment.folders.configDir = tree.File("config/zantor5editor");
  }

  fs::path DataDir() const { return tree.File("data/zantor5editor"); }

  // Every path below the tree and the program folder.
  std::set<fs::path> Everything() const {
    std::set<fs::path> paths;
    for (const fs::path& top : {tree.Path(), folder.Path()}) {
      for (const auto& entry : fs::recursive_directory_iterator(top)) paths.insert(entry.path());
    }
    return paths;
  }

  void StartAndCheckSorting(bool expected) {
    Start();
    ASSERT_FALSE(form->StartupFailed());
    EXPECT_EQ(Find<QCheckBox>("ChkSortObjectList")->isChecked(), expected);
  }

  testing::TempFolder tree;
};

TEST_F(ProgramFoldersTest, AReadOnlyProgramFolderSendsTheSettingsToTheConfigFolder) {
  environment.folders.mayCreateFilesIn = [](const fs::path&) { return false; };
  const fs::path settings = tree.File("config/zantor5editor/zantor5editor.ini");
  StartAndCheckSorting(true);
  EXPECT_FALSE(fs::exists(tree.File("config")));  // nothing is made before the exit
  Find<QCheckBox>("ChkSortObjectList")->setChecked(false);
  EXPECT_TRUE(form->close());
  EXPECT_FALSE(TMyMemIniFile(settings).ReadBool("ObjectEdit", "Sort", true));
  EXPECT_FALSE(fs::exists(folder / "zantor5editor.ini"));

  // The next start reads them back from there.
  StartAndCheckSorting(false);
  EXPECT_TRUE(form->close());
  EXPECT_FALSE(fs::exists(folder / "zantor5editor.ini"));
}

TEST_F(ProgramFoldersTest, AWritableProgramFolderTakesTheSettingsAndNothingElseIsMade) {
  std::set<fs::path> expected = Everything();
  expected.insert(folder / "zantor5editor.ini");
  StartAndCheckSorting(true);
  Find<QCheckBox>("ChkSortObjectList")->setChecked(false);
  EXPECT_TRUE(form->close());
  EXPECT_EQ(Everything(), expected);
  StartAndCheckSorting(false);
}

TEST_F(ProgramFoldersTest, SettingsBesideTheProgramStayThereEvenWhenItsFolderIsReadOnly) {
  environment.folders.mayCreateFilesIn = [](const fs::path&) { return false; };
  folder.Write("zantor5editor.ini", "[ObjectEdit]\nSort=0\n");
  StartAndCheckSorting(false);
  Find<QCheckBox>("ChkSortObjectList")->setChecked(true);
  EXPECT_TRUE(form->close());
  EXPECT_TRUE(TMyMemIniFile(folder / "zantor5editor.ini").ReadBool("ObjectEdit", "Sort", false));
  EXPECT_FALSE(fs::exists(tree.File("config")));
}

TEST_F(ProgramFoldersTest, ThePaletteAndTheListsComeFromTheDataFolderWhenTheirOwnPlacesLackThem) {
  fs::rename(folder / "fcpalette.pal", DataDir() / "fcpalette.pal");
  fs::rename(folder / "ObjectList.txt", DataDir() / "ObjectList.txt");
  tree.WriteShiftJis("data/zantor5editor/ChipAttributes.txt", QStringLiteral("よそ"));
  environment.paletteFile = "fcpalette.pal";
  const testing::TempFolder work;
  const testing::ScopedWorkingFolder working(work.Path());
  Start();
  ASSERT_FALSE(form->StartupFailed());
  EXPECT_TRUE(dialogs.log.empty());
  EXPECT_EQ(Find<QComboBox>("CBSelectObject")->itemText(1), QStringLiteral("01 テスト"));
  EXPECT_EQ(Find<RadioGroup>("RGChipPropertySelect")->ItemCaption(0), QStringLiteral("よそ"));
}

TEST_F(ProgramFoldersTest, AMasterPaletteFoundNowhereIsReportedWithThePlacesSearched) {
  fs::remove(folder / "fcpalette.pal");
  environment.paletteFile = "fcpalette.pal";
  const testing::TempFolder work;
  const testing::ScopedWorkingFolder working(work.Path());
  Start();
  EXPECT_TRUE(form->StartupFailed());
  const QString expected = QStringLiteral("fcpalette.palが読み込めませんでした\n探した場所:\n") +
                           FromPath(fs::current_path()) + "\n" + FromPath(folder.Path()) + "\n" +
                           FromPath(DataDir());
  EXPECT_EQ(dialogs.Texts(Kind::Message), std::vector<QString>{expected});
}

}  // namespace
}  // namespace zantor
