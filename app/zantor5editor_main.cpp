#include <QApplication>
#include <QPixmap>
#include <cstdio>

#include "app/cached_primitive_style.h"
#include "app/command_line.h"
#include "app/export_command.h"
#include "app/headless_dialogs.h"
#include "app/main_form.h"
#include "app/name_lists.h"
#include "app/one_line_notifier.h"
#include "app/patch_command.h"
#include "app/path_text.h"
#include "app/toolkit_translations.h"
#include "core/output_file_check.h"
#include "core/program_locations.h"

namespace {

// Why the screenshot may not be written where asked: not a PNG name, or a file the window
// reads at start-up. Empty when it may.
std::string ScreenshotRefusal(const zantor::CommandLine& line,
                              const zantor::ProgramFolders& folders) {
  using namespace zantor;
  std::vector<std::filesystem::path> inputs = {
      FindMasterPalette(kMasterPaletteFileName, folders).file, SettingsFilePath(folders),
      FindNameList(kChipAttributesFile, folders).file, FindNameList(kObjectListFile, folders).file};
  if (!line.image.isEmpty()) inputs.push_back(ToPath(line.image));
  return OutputRefusal(ToPath(line.screenshotFile), inputs, ".png");
}

// Shows what was asked for, writes the window as a PNG and reports whether it worked.
int TakeScreenshot(zantor::TMainForm& form, const zantor::CommandLine& line) {
  form.show();
  if (line.stage >= 0) form.SelectStage(line.stage);
  if (line.tab >= 0) form.ShowTab(static_cast<zantor::EditTab>(line.tab));
  QApplication::processEvents();
  // The fastest deflate level: the same pixels in a somewhat larger file, where the
  // default level took more of the run than everything before it.
  constexpr int kFastestPngQuality = 80;
  if (!form.grab().save(line.screenshotFile, "PNG", kFastestPngQuality)) {
    std::fprintf(stderr, "zantor5editor: スクリーンショット \"%s\" を書き込めません\n",
                 line.screenshotFile.toUtf8().constData());
    return 1;
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  // Asked for the usage or the version: printed before anything needs a display.
  if (const auto text = zantor::InformationText(argc, argv)) {
    std::fputs(text->c_str(), stdout);
    return 0;
  }
  // A patch and a stage picture need no window: they are made before, and without, the
  // application object, so they work where there is no display.
  if (zantor::IsPatchCommand(argc, argv)) return zantor::RunPatchCommand(argc, argv);
  if (zantor::IsExportCommand(argc, argv)) return zantor::RunExportCommand(argc, argv);

  QApplication application(argc, argv);
  QApplication::setApplicationName(QStringLiteral("ZANTOR 5 EDITOR"));
  zantor::CachedPrimitiveStyle::Install();
  const auto toolkitTexts = zantor::InstallToolkitTranslations();

  QString error;
  const auto line = zantor::ParseCommandLine(QApplication::arguments(), &error);
  if (!line) {
    std::fprintf(stderr, "zantor5editor: %s(使い方は --help で表示します)\n",
                 error.toUtf8().constData());
    return 2;
  }
  const bool screenshot = !line->screenshotFile.isEmpty();

  zantor::HeadlessDialogs headless;
  zantor::ProgramEnvironment environment;
  environment.folders =
      zantor::ProgramFoldersFromEnvironment(zantor::RunningProgramFolder(argv[0]));
  environment.dialogs = screenshot ? &headless : nullptr;
  if (screenshot) {
    if (const std::string refusal = ScreenshotRefusal(*line, environment.folders);
        !refusal.empty()) {
      zantor::OneLineNotifier().ShowMessage(refusal);
      return 2;
    }
  }

  zantor::TMainForm form(environment);
  if (form.StartupFailed()) return 1;
  const bool opened = line->image.isEmpty() || form.OpenImage(line->image);
  if (screenshot) return opened ? TakeScreenshot(form, *line) : 1;
  form.show();
  return QApplication::exec();
}
