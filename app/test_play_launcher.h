#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <span>
#include <vector>

namespace zantor {

class Dialogs;
class TMyMemIniFile;

// The program's own folder for the copies test play runs: in the session's runtime folder,
// or in the user's cache folder when the session has none.
std::filesystem::path TestPlayFolder();

// Plays the open image in an emulator without saving it: writes the bytes Save would write
// into a copy of its own for each run, starts the emulator on it apart from the editor (it
// outlives the editor when the user closes it first), and removes the copy when the
// emulator ends. Copies of runs whose editor and emulator have both gone are removed when
// the next launcher is made.
class TestPlayLauncher {
 public:
  explicit TestPlayLauncher(Dialogs& dialogs, std::filesystem::path folder = TestPlayFolder(),
                            std::int64_t editorProcessId = CurrentProcessId());
  TestPlayLauncher(const TestPlayLauncher&) = delete;
  TestPlayLauncher& operator=(const TestPlayLauncher&) = delete;
  ~TestPlayLauncher();

  static std::int64_t CurrentProcessId();

  void ReadSettings(const TMyMemIniFile& settings);
  void WriteSettings(TMyMemIniFile& settings) const;

  // The emulator's command line, %f standing for the copy; empty to look for one.
  const QString& Command() const { return command_; }
  // Lets the user change the command in an input box.
  void AskCommand();

  // Writes bytes to a copy named after imagePath and starts the emulator on it; on any
  // failure says why, and leaves no copy behind.
  bool Play(const std::filesystem::path& imagePath, std::span<const std::uint8_t> bytes);

 private:
  struct Run;

  void RemoveLeftCopies();
  // The command's words, or the emulator found on the PATH; nothing (said) when neither.
  std::optional<QStringList> EmulatorWords();
  // A new, empty folder for one run; nothing (said) when it cannot be made.
  std::optional<std::filesystem::path> MakeRunFolder();
  // Removes the run's copy once its emulator has ended.
  void Watch(const std::filesystem::path& runFolder, std::int64_t emulatorProcessId);
  void ForgetEndedRuns();

  Dialogs& dialogs_;
  std::filesystem::path folder_;
  std::int64_t editorProcessId_;
  QString command_;
  int nextRun_ = 1;
  std::vector<std::unique_ptr<Run>> runs_;
};

}  // namespace zantor
