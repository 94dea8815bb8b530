#include "core/program_locations.h"

#include <gtest/gtest.h>

#include <optional>

#include "core/testing/temporary_folder.h"

namespace zantor {
namespace {

namespace fs = std::filesystem;
using Value = std::optional<std::string>;

// Sets the variables (no value unsets one) until the end of the test.
struct Environment {
  explicit Environment(std::vector<std::pair<const char*, Value>> variables) {
    for (const auto& [name, value] : variables) {
      const char* old = ::getenv(name);
      saved.emplace_back(name, old ? Value(old) : Value());
      value ? ::setenv(name, value->c_str(), 1) : ::unsetenv(name);
    }
  }
  ~Environment() {
    for (const auto& [name, value] : saved)
      value ? ::setenv(name, value->c_str(), 1) : ::unsetenv(name);
  }
  std::vector<std::pair<const char*, Value>> saved;
};

TEST(ProgramFolders, XdgVariablesOrTheirDefaults) {
  // The prefix the program is installed into comes first, whatever the variables say.
  const fs::path prefix = "/opt/share/zantor5editor";
  const std::vector<fs::path> defaults = {prefix, "/h/.local/share/zantor5editor",
                                          "/usr/local/share/zantor5editor",
                                          "/usr/share/zantor5editor"};
  struct Case {
    Value dataHome, dataDirs, configHome, cacheHome, home;
    std::vector<fs::path> data;
    fs::path config, cache;
  } cases[] = {
      {{}, {}, {}, {}, "/h", defaults, "/h/.config/zantor5editor", "/h/.cache/zantor5editor"},
      // Empty is unset.
      {"", "", "", "", "/h", defaults, "/h/.config/zantor5editor", "/h/.cache/zantor5editor"},
      {"/d",
       "/a:/b/",
       "/c",
       "/k",
       "/h",
       {prefix, "/d/zantor5editor", "/a/zantor5editor", "/b/zantor5editor"},
       "/c/zantor5editor",
       "/k/zantor5editor"},
      // Relative entries are ignored and each folder is looked in once.
      {"r",
       "r::/a:/a/:/h/.local/share:/opt/share",
       "r",
       "r",
       "/h",
       {prefix, "/h/.local/share/zantor5editor", "/a/zantor5editor"},
       "/h/.config/zantor5editor",
       "/h/.cache/zantor5editor"},
      {{}, {}, {}, {}, {}, {prefix, defaults[2], defaults[3]}, "", ""},
  };
  for (const Case& c : cases) {
    const Environment set({{"XDG_DATA_HOME", c.dataHome},
                           {"XDG_DATA_DIRS", c.dataDirs},
                           {"XDG_CONFIG_HOME", c.configHome},
                           {"XDG_CACHE_HOME", c.cacheHome},
                           {"HOME", c.home}});
    const ProgramFolders folders = ProgramFoldersFromEnvironment("/opt/bin");
    EXPECT_EQ(folders.programDir, "/opt/bin");
    EXPECT_EQ(folders.dataDirs, c.data);
    EXPECT_EQ(folders.configDir, c.config);
    EXPECT_EQ(folders.cacheDir, c.cache);
  }
}

TEST(ProgramFolders, TheFirstPlaceHoldingTheFileWinsForThePaletteAndTheLists) {
  const testing::TemporaryFolder root;
  const fs::path old = fs::current_path();
  // Work, program, the prefix it is installed into, the user's data folder (set or under
  // HOME) and two system ones.
  for (const bool userDataSet : {true, false}) {
    const fs::path user = userDataSet ? root.File("d") : root.File("h/.local/share");
    const std::vector<fs::path> places = {root.File("w"),
                                          root.File("p/bin"),
                                          root.File("p/share/zantor5editor"),
                                          user / "zantor5editor",
                                          root.File("s1/zantor5editor"),
                                          root.File("s2/zantor5editor")};
    for (const fs::path& place : places) fs::create_directories(place);
    const Environment set(
        {{"XDG_DATA_HOME", userDataSet ? Value(user.string()) : Value()},
         {"HOME", root.File("h").string()},
         {"XDG_DATA_DIRS", root.File("s1").string() + ":" + root.File("s2").string()}});
    const ProgramFolders folders = ProgramFoldersFromEnvironment(places[1]);
    fs::current_path(places[0]);
    for (std::size_t first = 0; first <= places.size(); ++first) {
      for (std::size_t p = 0; p < places.size(); ++p) {
        for (const char* name : {"fcpalette.pal", "ObjectList.txt"}) {
          fs::remove(places[p] / name);
          if (p >= first) testing::WriteFile(places[p] / name, {1});
        }
      }
      const FileSearch palette = FindMasterPalette("fcpalette.pal", folders);
      const FileSearch list = FindNameList("ObjectList.txt", folders);
      const bool any = first < places.size();
      EXPECT_EQ(palette.found, any);
      // The working folder's file and a missing one keep the bare name, as reports show it.
      EXPECT_EQ(palette.file,
                first == 0 || !any ? fs::path("fcpalette.pal") : places[first] / "fcpalette.pal");
      // Lists are never taken from the working folder; a missing one is the program's.
      EXPECT_EQ(list.file, places[any ? std::max<std::size_t>(first, 1) : 1] / "ObjectList.txt");
    }
    std::string note = "\n探した場所:";
    for (const fs::path& place : places) note.append("\n").append(place.string());
    EXPECT_EQ(FindMasterPalette("fcpalette.pal", folders).SearchedFoldersNote(), note);
    // A name with a folder is looked for there only.
    EXPECT_EQ(FindMasterPalette(places[5] / "fcpalette.pal", folders).SearchedFoldersNote(), "");
    fs::current_path(old);
  }
}

}  // namespace
}  // namespace zantor
