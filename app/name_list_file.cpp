#include "app/name_list_file.h"

#include <QStringDecoder>

#include "core/file_reading.h"

namespace zantor {

QStringList SplitNameLines(const QString& text) {
  QStringList lines;
  const qsizetype end = text.indexOf(QChar(u'\0')) < 0 ? text.size() : text.indexOf(QChar(u'\0'));
  qsizetype start = 0;
  qsizetype i = 0;
  while (i < end) {
    const QChar c = text[i];
    if (c == u'\r' || c == u'\n') {
      lines.append(text.mid(start, i - start));
      if (c == u'\r' && i + 1 < end && text[i + 1] == u'\n') ++i;
      start = i + 1;
    }
    ++i;
  }
  if (start < end) lines.append(text.mid(start, end - start));
  return lines;
}

std::optional<QStringList> ReadNameListFile(const std::filesystem::path& path) {
  // Through the core's reader: a pipe or a device named like the list counts as no list
  // instead of holding up the start.
  const FileContent file = ReadFileUpTo(path, kMaxNameListSize);
  if (!file.error.empty() || file.bytes.size() > kMaxNameListSize) return std::nullopt;
  return DecodeNameList(
      QByteArrayView(file.bytes.data(), static_cast<qsizetype>(file.bytes.size())));
}

std::optional<QStringList> DecodeNameList(QByteArrayView bytes) {
  // windows-31j is code page 932: Shift JIS with the vendor extensions Windows uses. A
  // toolkit without it cannot read the list at all, which is said as for a missing file.
  QStringDecoder decode("windows-31j");
  if (!decode.isValid()) return std::nullopt;
  return SplitNameLines(decode(bytes));
}

std::vector<std::string> ChipAttributeNameList(const QStringList& lines) {
  std::vector<std::string> names;
  names.reserve(static_cast<std::size_t>(lines.size()));
  for (const QString& line : lines) names.push_back(line.toStdString());
  return names;
}

QStringList ObjectKindItems(const QStringList& lines) { return lines.mid(0, kObjectKindCount); }

}  // namespace zantor
