#include <QCheckBox>
#include <set>

#include "app/tests/main_form_fixture.h"

namespace zantor {
namespace {

namespace fs = std::filesystem;

// The window with a user's config folder beside its program folder.
class SettingsFolderTest : public testing::MainFormTest {
 protected:
  void SetUp() override {
    MainFormTest::SetUp();
    environment.folders.configDir = config.File("zantor5editor");
  }

  // Starts, checks the stored sorting switch, turns it over and exits.
  void RunFlippingSort(bool stored) {
    Start();
    auto* sort = Find<QCheckBox>("ChkSortObjectList");
    EXPECT_EQ(sort->isChecked(), stored);
    sort->setChecked(!stored);
    EXPECT_TRUE(form->close());
  }

  std::set<fs::path> Everything() const {
    std::set<fs::path> paths;
    for (const fs::path& top : {config.Path(), folder.Path()}) {
      for (const auto& entry : fs::recursive_directory_iterator(top)) paths.insert(entry.path());
    }
    return paths;
  }

  testing::TempFolder config;
};

TEST_F(SettingsFolderTest, AReadOnlyProgramFolderSendsThemToTheConfigFolderForTheNextStart) {
  environment.folders.mayCreateFilesIn = [](const fs::path&) { return false; };
  RunFlippingSort(true);
  RunFlippingSort(false);
  EXPECT_TRUE(fs::exists(config / "zantor5editor/zantor5editor.ini"));
  EXPECT_FALSE(fs::exists(folder / "zantor5editor.ini"));
  // A file beside the program stays the one, whatever its folder allows.
  folder.Write("zantor5editor.ini", "[ObjectEdit]\nSort=0\n");
  RunFlippingSort(false);
  RunFlippingSort(true);
}

TEST_F(SettingsFolderTest, AWritableProgramFolderKeepsThemAndNothingElseIsMade) {
  std::set<fs::path> expected = Everything();
  expected.insert(folder / "zantor5editor.ini");
  RunFlippingSort(true);
  RunFlippingSort(false);
  EXPECT_EQ(Everything(), expected);
}

}  // namespace
}  // namespace zantor
