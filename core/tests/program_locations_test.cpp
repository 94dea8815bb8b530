#include "core/program_locations.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "core/testing/scoped_environment.h"
#include "core/testing/temporary_folder.h"

namespace zantor {
namespace {

namespace fs = std::filesystem;
using testing::ScopedEnvironment;
using testing::ScopedWorkingFolder;
using testing::TemporaryFolder;
using Value = std::optional<std::string>;

TEST(ProgramFolders, XdgVariablesOrTheirDefaults) {
  struct Case {
    const char* what;
    Value dataHome, dataDirs, configHome, home;
    std::vector<fs::path> dataFolders;
    fs::path configFolder;
  };
  const Case cases[] = {
      {"all unset",
       {},
       {},
       {},
       "/h",
       {"/h/.local/share/zantor5editor", "/usr/local/share/zantor5editor",
        "/usr/share/zantor5editor"},
       "/h/.config/zantor5editor"},
      {"all set",
       "/d",
       "/a:/b/",
       "/c",
       "/h",
       {"/d/zantor5editor", "/a/zantor5editor", "/b/zantor5editor"},
       "/c/zantor5editor"},
      {"empty is unset",
       "",
       "",
       "",
       "/h",
       {"/h/.local/share/zantor5editor", "/usr/local/share/zantor5editor",
        "/usr/share/zantor5editor"},
       "/h/.config/zantor5editor"},
      {"relative ignored, each folder once",
       "rel",
       "x::/a:/a/:/h/.local/share",
       "rel",
       "/h",
       {"/h/.local/share/zantor5editor", "/a/zantor5editor"},
       "/h/.config/zantor5editor"},
      {"no home",
       {},
       {},
       {},
       {},
       {"/usr/local/share/zantor5editor", "/usr/share/zantor5editor"},
       ""},
  };
  for (const Case& c : cases) {
    ScopedEnvironment environment;
    environment.Set("XDG_DATA_HOME", c.dataHome);
    environment.Set("XDG_DATA_DIRS", c.dataDirs);
    environment.Set("XDG_CONFIG_HOME", c.configHome);
    environment.Set("HOME", c.home);
    const ProgramFolders folders = ProgramFoldersFromEnvironment("/opt/bin");
    EXPECT_EQ(folders.programDir, "/opt/bin") << c.what;
    EXPECT_EQ(folders.dataDirs, c.dataFolders) << c.what;
    EXPECT_EQ(folders.configDir, c.configFolder) << c.what;
  }
}

// The working folder, the program's folder, the user's data folder (through XDG_DATA_HOME
// or its default under HOME) and two system data folders, each empty until a case puts
// the file there.
class Places : public ::testing::Test {
 protected:
  enum Place { kWork, kProgram, kUserData, kSystem1, kSystem2, kPlaceCount };

  fs::path Folder(Place place, bool userDataFromHome) const {
    const char* names[] = {"work", "program", "data/zantor5editor", "sys1/zantor5editor",
                           "sys2/zantor5editor"};
    if (place == kUserData && userDataFromHome) return root.File("home/.local/share/zantor5editor");
    return root.File(names[place]);
  }

  // The folders as the program finds them, with XDG_DATA_HOME set or left to HOME.
  ProgramFolders FoldersFromEnvironment(bool userDataFromHome) {
    for (int p = 0; p < kPlaceCount; ++p) {
      fs::create_directories(Folder(static_cast<Place>(p), userDataFromHome));
    }
    environment.Set("HOME", root.File("home").string());
    environment.Set("XDG_DATA_HOME",
                    userDataFromHome ? Value() : Value(root.File("data").string()));
    environment.Set("XDG_DATA_DIRS", root.File("sys1").string() + ":" + root.File("sys2").string());
    return ProgramFoldersFromEnvironment(Folder(kProgram, userDataFromHome));
  }

  void PutFileIn(const std::vector<Place>& places, const std::string& name, bool fromHome) {
    for (int p = 0; p < kPlaceCount; ++p)
      fs::remove(Folder(static_cast<Place>(p), fromHome) / name);
    for (Place place : places) testing::WriteFile(Folder(place, fromHome) / name, {1});
  }

  TemporaryFolder root;
  ScopedEnvironment environment;
};

TEST_F(Places, TheMasterPaletteIsTheFirstOfWorkingProgramUserAndSystemFolders) {
  struct Case {
    std::vector<Place> holding;
    std::optional<Place> winner;
  };
  const Case cases[] = {
      {{kWork, kProgram, kUserData, kSystem1, kSystem2}, kWork},
      {{kProgram, kUserData, kSystem1, kSystem2}, kProgram},
      {{kUserData, kSystem1, kSystem2}, kUserData},
      {{kSystem1, kSystem2}, kSystem1},
      {{kSystem2}, kSystem2},
      {{}, std::nullopt},
  };
  for (const bool fromHome : {false, true}) {
    const ProgramFolders folders = FoldersFromEnvironment(fromHome);
    const ScopedWorkingFolder working(Folder(kWork, fromHome));
    for (const Case& c : cases) {
      PutFileIn(c.holding, "fcpalette.pal", fromHome);
      const FileSearch search = FindMasterPalette("fcpalette.pal", folders);
      const std::string what = std::to_string(c.holding.size()) + (fromHome ? " home" : " xdg");
      EXPECT_EQ(search.found, c.winner.has_value()) << what;
      // The working folder's file keeps its bare name, as the report of a bad one shows it.
      const fs::path expected = !c.winner || *c.winner == kWork
                                    ? fs::path("fcpalette.pal")
                                    : Folder(*c.winner, fromHome) / "fcpalette.pal";
      EXPECT_EQ(search.file, expected) << what;
    }
    const FileSearch nowhere = FindMasterPalette("fcpalette.pal", folders);
    std::string listed = "\n探した場所:\n" + fs::current_path().string();
    for (Place p : {kProgram, kUserData, kSystem1, kSystem2}) {
      listed += "\n" + Folder(p, fromHome).string();
    }
    EXPECT_EQ(nowhere.SearchedFoldersNote(), listed);
  }
}

TEST_F(Places, AFolderByTheNameIsPassedOverAndANamedFolderIsTheOnlyPlace) {
  const ProgramFolders folders = FoldersFromEnvironment(false);
  const ScopedWorkingFolder working(Folder(kWork, false));
  fs::create_directory(Folder(kWork, false) / "fcpalette.pal");
  PutFileIn({kSystem2}, "x.pal", false);
  PutFileIn({kSystem1}, "fcpalette.pal", false);
  EXPECT_EQ(FindMasterPalette("fcpalette.pal", folders).file,
            Folder(kSystem1, false) / "fcpalette.pal");

  const fs::path named = Folder(kProgram, false) / "x.pal";
  const FileSearch search = FindMasterPalette(named, folders);
  EXPECT_FALSE(search.found);
  EXPECT_EQ(search.file, named);
  EXPECT_EQ(search.SearchedFoldersNote(), "");
}

TEST_F(Places, NameListsAreTheFirstOfProgramUserAndSystemFoldersNeverTheWorkingOne) {
  struct Case {
    std::vector<Place> holding;
    std::optional<Place> winner;
  };
  const Case cases[] = {
      {{kWork, kProgram, kUserData, kSystem2}, kProgram},
      {{kWork, kUserData, kSystem1}, kUserData},
      {{kWork, kSystem1, kSystem2}, kSystem1},
      {{kWork, kSystem2}, kSystem2},
      {{kWork}, std::nullopt},
  };
  for (const bool fromHome : {false, true}) {
    const ProgramFolders folders = FoldersFromEnvironment(fromHome);
    const ScopedWorkingFolder working(Folder(kWork, fromHome));
    for (const Case& c : cases) {
      PutFileIn(c.holding, "ObjectList.txt", fromHome);
      const FileSearch search = FindNameList("ObjectList.txt", folders);
      EXPECT_EQ(search.found, c.winner.has_value());
      // Found nowhere, the list is opened (and missed) beside the program, as it always was.
      EXPECT_EQ(search.file, Folder(c.winner.value_or(kProgram), fromHome) / "ObjectList.txt");
    }
  }
}

TEST(SettingsFileLocation, BesideTheProgramWhenThereOrWritableElseInTheConfigFolder) {
  const TemporaryFolder root;
  enum Beside { kNothing, kFile, kDanglingLink };
  struct Case {
    Beside beside;
    bool writable;
    bool configKnown;
    bool inConfig;
  };
  const Case cases[] = {
      {kNothing, true, true, false}, {kFile, true, true, false},
      {kFile, false, true, false},   {kDanglingLink, false, true, false},
      {kNothing, false, true, true}, {kNothing, false, false, false},
  };
  ProgramFolders folders;
  folders.programDir = root.Path();
  bool writable = false;
  std::vector<fs::path> asked;
  folders.mayCreateFilesIn = [&](const fs::path& folder) {
    asked.push_back(folder);
    return writable;
  };
  const fs::path beside = root.File("zantor5editor.ini");
  for (const Case& c : cases) {
    fs::remove(beside);
    if (c.beside == kFile) testing::WriteFile(beside, {});
    if (c.beside == kDanglingLink) fs::create_symlink(root.File("gone.ini"), beside);
    writable = c.writable;
    folders.configDir = c.configKnown ? root.File("config/zantor5editor") : fs::path();
    asked.clear();
    const fs::path settings = SettingsFilePath(folders);
    EXPECT_EQ(settings, c.inConfig ? root.File("config/zantor5editor/zantor5editor.ini") : beside)
        << c.beside << c.writable << c.configKnown;
    for (const fs::path& folder : asked) EXPECT_EQ(folder, root.Path());
  }
  EXPECT_FALSE(fs::exists(root.File("config")));
}

TEST(SettingsFileLocation, TheSystemSaysWhetherAFolderTakesNewFiles) {
  const TemporaryFolder root;
  EXPECT_TRUE(MayCreateFilesIn(root.Path()));
  EXPECT_FALSE(MayCreateFilesIn(root.File("missing")));
}

}  // namespace
}  // namespace zantor
