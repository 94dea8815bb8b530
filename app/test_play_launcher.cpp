#include "app/test_play_launcher.h"

#include <sys/syscall.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QProcess>
#include <QSocketNotifier>
#include <QStandardPaths>
#include <cerrno>
#include <charconv>
#include <fstream>
#include <string_view>
#include <system_error>

#include "app/emulator_command.h"
#include "app/path_text.h"
#include "core/atomic_file_writer.h"
#include "core/my_mem_ini_file.h"
#include "core/running_process.h"
#include "core/user_notifier.h"
#include "editors/dialogs.h"

namespace zantor {

namespace fs = std::filesystem;

namespace {

constexpr char kSection[] = "TestPlay";
constexpr char kCommandKey[] = "Command";
// Looked for in this order when no command is set.
const QStringList kKnownEmulators = {QStringLiteral("fceux"), QStringLiteral("nestopia"),
                                     QStringLiteral("mednafen")};
const QString kNoEmulator = QStringLiteral(
    "エミュレータが見つかりません。fceux、nestopia、mednafen "
    "のいずれかをインストールするか、「テストプレイの設定」でコマンドを指定してください。");
// A run's folder is "testplay-EDITOR-N"; the emulator's process id is written inside.
constexpr std::string_view kRunPrefix = "testplay-";
constexpr char kEmulatorIdFile[] = "emulator-pid";

std::optional<std::int64_t> ParseId(std::string_view text) {
  std::int64_t id = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), id);
  if (error != std::errc() || end != text.data() + text.size() || id <= 0) return std::nullopt;
  return id;
}

// The editor a run folder's name gives; nothing for any other name.
std::optional<std::int64_t> EditorOfRun(std::string_view name) {
  if (!name.starts_with(kRunPrefix)) return std::nullopt;
  name.remove_prefix(kRunPrefix.size());
  const auto dash = name.find('-');
  if (dash == std::string_view::npos || !ParseId(name.substr(dash + 1))) return std::nullopt;
  return ParseId(name.substr(0, dash));
}

std::int64_t EmulatorOfRun(const fs::path& runFolder) {
  std::ifstream in(runFolder / kEmulatorIdFile);
  std::int64_t id = 0;
  return in >> id ? id : 0;
}

// "<name without .nes>_testplay.nes", whatever the case of the extension.
fs::path CopyName(const fs::path& imagePath) {
  std::u16string name = imagePath.filename().u16string();
  const QString extension = QString::fromStdU16String(name).right(4);
  if (extension.compare(QStringLiteral(".nes"), Qt::CaseInsensitive) == 0) {
    name.resize(name.size() - 4);
  }
  return fs::path(name + u"_testplay.nes");
}

// Tells when a process has ended, through a descriptor that becomes readable then; -1
// where the system offers none.
int OpenProcessDescriptor(std::int64_t processId) {
  return static_cast<int>(::syscall(SYS_pidfd_open, static_cast<pid_t>(processId), 0));
}

}  // namespace

fs::path TestPlayFolder() {
#ifdef Q_OS_LINUX
  // Without one of the session's own, Qt would make up a runtime folder in the shared
  // temporary folder; the user's cache is the safer place then.
  const bool sessionHasRuntimeFolder = !qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR");
#else
  const bool sessionHasRuntimeFolder = true;
#endif
  QString base;
  if (sessionHasRuntimeFolder)
    base = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
  if (base.isEmpty()) base = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation);
  return ToPath(base) / "zantor5editor";
}

struct TestPlayLauncher::Run {
  fs::path folder;
  int descriptor = -1;
  std::unique_ptr<QSocketNotifier> notifier;
  bool ended = false;

  void End() {
    if (notifier) notifier->setEnabled(false);
    if (descriptor >= 0) ::close(descriptor);
    descriptor = -1;
    ended = true;
  }
};

TestPlayLauncher::TestPlayLauncher(Dialogs& dialogs, fs::path folder, std::int64_t editorProcessId)
    : dialogs_(dialogs), folder_(std::move(folder)), editorProcessId_(editorProcessId) {
  RemoveLeftCopies();
}

TestPlayLauncher::~TestPlayLauncher() {
  // The copies of emulators still running stay for them; the next start removes them.
  for (auto& run : runs_) run->End();
}

std::int64_t TestPlayLauncher::CurrentProcessId() { return QCoreApplication::applicationPid(); }

void TestPlayLauncher::ReadSettings(const TMyMemIniFile& settings) {
  command_ = QString::fromStdString(settings.ReadString(kSection, kCommandKey, ""));
}

void TestPlayLauncher::WriteSettings(TMyMemIniFile& settings) const {
  settings.WriteString(kSection, kCommandKey, command_.toStdString());
}

void TestPlayLauncher::AskCommand() {
  const auto answer = dialogs_.InputBox(
      QStringLiteral("テストプレイの設定"),
      QStringLiteral("エミュレータのコマンド（%f がテストプレイ用のROMイメージになります。"
                     "空欄なら fceux、nestopia、mednafen を探します）:"),
      command_);
  if (answer) command_ = answer->trimmed();
}

void TestPlayLauncher::RemoveLeftCopies() {
  std::error_code error;
  for (fs::directory_iterator entry(folder_, error), end; !error && entry != end;
       entry.increment(error)) {
    const auto editor = EditorOfRun(entry->path().filename().string());
    if (!editor) continue;
    // A running editor looks after its own runs; one with this editor's id is gone, as this
    // one has only just started.
    if (*editor != editorProcessId_ && ProcessIsRunning(*editor)) continue;
    if (ProcessIsRunning(EmulatorOfRun(entry->path()))) continue;
    std::error_code ignored;
    fs::remove_all(entry->path(), ignored);
  }
}

std::optional<QStringList> TestPlayLauncher::EmulatorWords() {
  const auto words = SplitShellWords(command_);
  if (!words) {
    dialogs_.ShowMessage(QStringLiteral("テストプレイのコマンドの引用符が閉じていません。\n") +
                         command_);
    return std::nullopt;
  }
  if (!words->isEmpty()) return words;
  for (const QString& name : kKnownEmulators) {
    const QString found = QStandardPaths::findExecutable(name);
    if (!found.isEmpty()) return QStringList{found};
  }
  dialogs_.ShowMessage(kNoEmulator);
  return std::nullopt;
}

std::optional<fs::path> TestPlayLauncher::MakeRunFolder() {
  std::error_code error;
  fs::create_directories(folder_, error);
  while (!error) {
    const fs::path run = folder_ / (std::string(kRunPrefix) + std::to_string(editorProcessId_) +
                                    "-" + std::to_string(nextRun_++));
    if (fs::create_directory(run, error)) return run;
  }
  dialogs_.ShowError(QString::fromStdString(CannotWriteReport(folder_, error.message())));
  return std::nullopt;
}

bool TestPlayLauncher::Play(const fs::path& imagePath, std::span<const std::uint8_t> bytes) {
  ForgetEndedRuns();
  const auto words = EmulatorWords();
  if (!words) return false;
  const auto runFolder = MakeRunFolder();
  if (!runFolder) return false;
  const auto removeRun = [&runFolder] {
    std::error_code ignored;
    fs::remove_all(*runFolder, ignored);
  };

  const fs::path copy = *runFolder / CopyName(imagePath);
  AtomicFileWriter writer;
  if (const std::string reason = writer.Write(copy, bytes); !reason.empty()) {
    removeRun();
    dialogs_.ShowError(QString::fromStdString(CannotWriteReport(copy, reason)));
    return false;
  }

  // Started apart, the emulator keeps running when the editor is closed first.
  const ProgramCall call = *CallWithFile(*words, FromPath(copy));
  QProcess emulator;
  emulator.setProgram(call.program);
  emulator.setArguments(call.arguments);
  qint64 emulatorId = 0;
  if (!emulator.startDetached(&emulatorId)) {
    removeRun();
    dialogs_.ShowError(QStringLiteral("プログラム \"%1\" を起動できません。\n%2")
                           .arg(call.program, emulator.errorString()));
    return false;
  }
  Watch(*runFolder, emulatorId);
  return true;
}

void TestPlayLauncher::Watch(const fs::path& runFolder, std::int64_t emulatorProcessId) {
  std::ofstream(runFolder / kEmulatorIdFile) << emulatorProcessId << '\n';
  auto run = std::make_unique<Run>();
  run->folder = runFolder;
  run->descriptor = OpenProcessDescriptor(emulatorProcessId);
  if (run->descriptor < 0) {
    // Already gone; where the system cannot tell, the copy waits for the next start.
    std::error_code ignored;
    if (errno == ESRCH) fs::remove_all(runFolder, ignored);
    return;
  }
  run->notifier = std::make_unique<QSocketNotifier>(run->descriptor, QSocketNotifier::Read);
  Run* watched = run.get();
  QObject::connect(watched->notifier.get(), &QSocketNotifier::activated, watched->notifier.get(),
                   [watched] {
                     watched->End();
                     std::error_code ignored;
                     fs::remove_all(watched->folder, ignored);
                   });
  runs_.push_back(std::move(run));
}

void TestPlayLauncher::ForgetEndedRuns() {
  // Not from the notifier's own signal, which must not delete it.
  std::erase_if(runs_, [](const auto& run) { return run->ended; });
}

}  // namespace zantor
