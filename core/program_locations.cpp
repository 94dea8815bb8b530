#include "core/program_locations.h"

#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <string_view>
#include <system_error>

namespace zantor {

namespace {

namespace fs = std::filesystem;

// A variable's value; unset and empty are the same to the XDG rules.
std::string Variable(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? value : "";
}

void AddFolder(std::vector<fs::path>& folders, const fs::path& base) {
  if (!base.is_absolute()) return;
  const fs::path folder = (base / kProgramFolderName).lexically_normal();
  if (std::find(folders.begin(), folders.end(), folder) == folders.end()) {
    folders.push_back(folder);
  }
}

// The XDG base folder in variable, else the one under the home folder, else none.
fs::path BaseFolder(const char* variable, const fs::path& underHome) {
  const fs::path set = Variable(variable);
  if (set.is_absolute()) return set;
  const fs::path home = Variable("HOME");
  return home.is_absolute() ? home / underHome : fs::path();
}

// A folder, a pipe or a device by that name would be refused when read: it does not count.
bool IsFileThere(const fs::path& path) {
  std::error_code ignored;
  return fs::is_regular_file(path, ignored);
}

// An empty folder is the working folder: the bare name is opened there, as it always was.
FileSearch FindFirst(const std::vector<fs::path>& folders, const fs::path& name) {
  FileSearch search{folders.front() / name, false, folders};
  for (const fs::path& folder : folders) {
    if (IsFileThere(folder / name)) {
      search.file = folder / name;
      search.found = true;
      break;
    }
  }
  return search;
}

}  // namespace

fs::path RunningProgramFolder(const char* startedAs) {
  std::error_code error;
  const fs::path self = fs::read_symlink("/proc/self/exe", error);
  if (!error) return self.parent_path();
  return fs::absolute(startedAs, error).parent_path();
}

bool MayCreateFilesIn(const fs::path& folder) { return ::access(folder.c_str(), W_OK | X_OK) == 0; }

ProgramFolders ProgramFoldersFromEnvironment(fs::path programDir) {
  ProgramFolders folders;
  folders.programDir = std::move(programDir);
  // An installed program finds its data under its own prefix, wherever that is.
  AddFolder(folders.dataDirs, folders.programDir / ".." / "share");
  AddFolder(folders.dataDirs, BaseFolder("XDG_DATA_HOME", ".local/share"));
  std::string systemDirs = Variable("XDG_DATA_DIRS");
  if (systemDirs.empty()) systemDirs = "/usr/local/share/:/usr/share/";
  std::string_view rest = systemDirs;
  while (!rest.empty()) {
    const std::size_t colon = std::min(rest.find(':'), rest.size());
    AddFolder(folders.dataDirs, fs::path(rest.substr(0, colon)));
    rest.remove_prefix(std::min(colon + 1, rest.size()));
  }
  const fs::path configBase = BaseFolder("XDG_CONFIG_HOME", ".config");
  if (!configBase.empty()) folders.configDir = configBase / kProgramFolderName;
  const fs::path cacheBase = BaseFolder("XDG_CACHE_HOME", ".cache");
  if (!cacheBase.empty()) folders.cacheDir = cacheBase / kProgramFolderName;
  return folders;
}

std::string FileSearch::SearchedFoldersNote() const {
  if (found || folders.size() < 2) return {};
  std::string note = "\n探した場所:";
  for (const fs::path& folder : folders) {
    std::error_code ignored;
    note.append("\n").append((folder.empty() ? fs::current_path(ignored) : folder).string());
  }
  return note;
}

FileSearch FindMasterPalette(const fs::path& name, const ProgramFolders& folders) {
  if (name.has_parent_path()) return FindFirst({name.parent_path()}, name.filename());
  std::vector<fs::path> places = {fs::path(), folders.programDir};
  places.insert(places.end(), folders.dataDirs.begin(), folders.dataDirs.end());
  return FindFirst(places, name);
}

FileSearch FindNameList(const std::string& name, const ProgramFolders& folders) {
  std::vector<fs::path> places = {folders.programDir};
  places.insert(places.end(), folders.dataDirs.begin(), folders.dataDirs.end());
  return FindFirst(places, name);
}

fs::path SettingsFilePath(const ProgramFolders& folders) {
  const fs::path beside = folders.programDir / kSettingsFileName;
  std::error_code ignored;
  // Anything by that name is the user's: it stays the settings file, as it always was.
  if (fs::exists(fs::symlink_status(beside, ignored)) ||
      folders.mayCreateFilesIn(folders.programDir) || folders.configDir.empty()) {
    return beside;
  }
  return folders.configDir / kSettingsFileName;
}

}  // namespace zantor
