#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace zantor {

inline constexpr char kProgramFolderName[] = "zantor5editor";
inline constexpr char kSettingsFileName[] = "zantor5editor.ini";
inline constexpr char kMasterPaletteFileName[] = "fcpalette.pal";

// Whether the process may create files in folder (the system's answer).
bool MayCreateFilesIn(const std::filesystem::path& folder);

// The folder of the running program's executable, as the system names it; from the name
// it was started by (argv[0]) where the system does not say.
std::filesystem::path RunningProgramFolder(const char* startedAs);

// The folders the program finds its own files in. Run from its own writable folder it
// needs nothing else; installed, its data lies in the XDG data folders and its settings go
// to the XDG config folder.
struct ProgramFolders {
  // The executable's folder.
  std::filesystem::path programDir;
  // Looked in after the program's folder: first the data folder of the prefix it was
  // installed into (programDir/../share/zantor5editor), then the user's,
  // $XDG_DATA_HOME/zantor5editor, then each of $XDG_DATA_DIRS/zantor5editor.
  std::vector<std::filesystem::path> dataDirs;
  // $XDG_CONFIG_HOME/zantor5editor; empty when no home folder is known.
  std::filesystem::path configDir;
  // $XDG_CACHE_HOME/zantor5editor, where a save written in place keeps the old bytes until
  // the new ones are on the disk; empty when no home folder is known.
  std::filesystem::path cacheDir;
  // Replaceable because root may create files even in a read-only folder.
  std::function<bool(const std::filesystem::path&)> mayCreateFilesIn = MayCreateFilesIn;
};

// The folders of a program in programDir from XDG_DATA_HOME, XDG_DATA_DIRS,
// XDG_CONFIG_HOME, XDG_CACHE_HOME and HOME; an unset or empty variable takes its XDG default
// (~/.local/share, /usr/local/share:/usr/share, ~/.config, ~/.cache), and relative entries
// are ignored.
ProgramFolders ProgramFoldersFromEnvironment(std::filesystem::path programDir);

// Where a file was looked for and which one wins.
struct FileSearch {
  // The first that exists; when none does, the first place looked, so that opening it
  // fails with the usual report.
  std::filesystem::path file;
  bool found = false;
  // Every folder looked in, in order; an empty one is the working folder.
  std::vector<std::filesystem::path> folders;

  // For the report of a file found nowhere: the folders looked in, one per line after a
  // line break. Empty when the file was found or only one folder was looked in (the
  // report's path names it already).
  std::string SearchedFoldersNote() const;
};

// The master palette as named: a bare name in the working folder, the program's folder,
// then the data folders; a name with a folder only there.
FileSearch FindMasterPalette(const std::filesystem::path& name, const ProgramFolders& folders);

// A name list in the program's folder, then in the data folders.
FileSearch FindNameList(const std::string& name, const ProgramFolders& folders);

// The settings file: in the program's folder when it is there already or the folder takes
// new files; otherwise in the config folder, which appears with the file at exit.
std::filesystem::path SettingsFilePath(const ProgramFolders& folders);

}  // namespace zantor
