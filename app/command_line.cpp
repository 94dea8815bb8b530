#include "app/command_line.h"

#include <algorithm>
#include <string_view>

#include "app/program_version.h"

namespace zantor {

namespace {

constexpr char kUsage[] =
    "使い方:\n"
    "  zantor5editor [IMAGE] [--screenshot FILE] [--tab 0..5] [--stage 0..15]\n"
    "      エディタを開きます(IMAGE を開いて始め、--screenshot ではウィンドウを PNG "
    "に書いて終わります)\n"
    "  zantor5editor IMAGE --export-map FILE.png [--stage 0..15] [--rooms A-B] [--columns 1..80] "
    "[--objects]\n"
    "      ステージの部屋の絵を PNG に書き出します\n"
    "  zantor5editor --make-patch ORIGINAL EDITED OUT.ips|OUT.bps\n"
    "      ORIGINAL を EDITED にする IPS か BPS のパッチを書き出します\n"
    "  zantor5editor --help | -h\n"
    "      この使い方を表示します\n"
    "  zantor5editor --version\n"
    "      バージョンを表示します\n";

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
        *error = QStringLiteral("--tab には 0 から 5 の数を指定してください");
        return std::nullopt;
      }
    } else if (argument == QLatin1String("--stage") && hasValue) {
      if (!ReadNumber(arguments[++i], 15, &line.stage)) {
        *error = QStringLiteral("--stage には 0 から 15 の数を指定してください");
        return std::nullopt;
      }
    } else if (argument.startsWith(QLatin1String("--"))) {
      *error = QStringLiteral("知らないオプションか、値が足りません: ") + argument;
      return std::nullopt;
    } else if (line.image.isEmpty()) {
      line.image = argument;
    } else {
      *error = QStringLiteral("開けるイメージは1つだけです: ") + argument;
      return std::nullopt;
    }
  }
  return line;
}

std::optional<std::string> InformationText(int argc, const char* const* argv) {
  const auto given = [&](std::string_view option) {
    return std::any_of(argv + 1, argv + argc, [&](const char* a) { return a == option; });
  };
  if (given("--help") || given("-h")) return kUsage;
  if (given("--version")) return std::string("zantor5editor ") + kProgramVersion + "\n";
  return std::nullopt;
}

}  // namespace zantor
