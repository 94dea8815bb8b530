#pragma once

#include <QString>
#include <QStringList>
#include <optional>
#include <string>

namespace zantor {

// What the program was asked to do on its command line:
//   zantor5editor [IMAGE] [--screenshot FILE] [--tab N] [--stage N]
struct CommandLine {
  QString image;           // opened at start, as File > Open does after its dialog
  QString screenshotFile;  // write a PNG of the window once start-up is done, then exit
  int tab = -1;            // 0..5 in the tab order
  int stage = -1;          // 0..15
};

// The parsed command line, or nothing with *error set to the reason.
std::optional<CommandLine> ParseCommandLine(const QStringList& arguments, QString* error);

// What --help (or -h) and --version print when one of them is anywhere on the command line:
// the usage of every form, or the program's name and version. Nothing for any other line.
// Needs neither a display nor the application object.
std::optional<std::string> InformationText(int argc, const char* const* argv);

}  // namespace zantor
