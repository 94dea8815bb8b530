#include "app/command_line.h"

namespace zantor {

namespace {

bool ReadNumber(const QString& text, int last, int* out) {
  bool ok = false;
  const int value = text.toInt(&ok);
  if (!ok || value < 0 || value > last) return false;
  *out = value;
  return true;
}

}  // namespace

std::optional<CommandLine> ParseCommandLine(const QStringList& arguments, QString* error) {
  CommandLine line;
  for (qsizetype i = 1; i < arguments.size(); ++i) {
    const QString& argument = arguments[i];
    const bool hasValue = i + 1 < arguments.size();
    if (argument == QLatin1String("--screenshot") && hasValue) {
      line.screenshotFile = arguments[++i];
    } else if (argument == QLatin1String("--tab") && hasValue) {
      if (!ReadNumber(arguments[++i], 5, &line.tab)) {
        *error = QStringLiteral("--tab takes a number from 0 to 5");
        return std::nullopt;
      }
    } else if (argument == QLatin1String("--stage") && hasValue) {
      if (!ReadNumber(arguments[++i], 15, &line.stage)) {
        *error = QStringLiteral("--stage takes a number from 0 to 15");
        return std::nullopt;
      }
    } else if (argument.startsWith(QLatin1String("--"))) {
      *error = QStringLiteral("unknown or incomplete option: ") + argument;
      return std::nullopt;
    } else if (line.image.isEmpty()) {
      line.image = argument;
    } else {
      *error = QStringLiteral("only one image can be opened: ") + argument;
      return std::nullopt;
    }
  }
  return line;
}

}  // namespace zantor
