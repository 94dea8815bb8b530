#include "app/emulator_command.h"

namespace zantor {

namespace {

const QString kFilePlaceholder = QStringLiteral("%f");

bool IsBlank(QChar c) { return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r'; }

// Characters a backslash keeps from their meaning inside double quotes.
bool EscapableInDoubleQuotes(QChar c) { return c == u'"' || c == u'\\' || c == u'$' || c == u'`'; }

}  // namespace

std::optional<QStringList> SplitShellWords(const QString& line) {
  enum class Quote { None, Single, Double };
  QStringList words;
  QString word;
  bool inWord = false;  // a quoted empty text is a word too
  Quote quote = Quote::None;
  for (qsizetype i = 0; i < line.size(); ++i) {
    const QChar c = line[i];
    const bool hasNext = i + 1 < line.size();
    switch (quote) {
      case Quote::Single:
        if (c == u'\'') {
          quote = Quote::None;
        } else {
          word += c;
        }
        break;
      case Quote::Double:
        if (c == u'"') {
          quote = Quote::None;
        } else if (c == u'\\' && hasNext && EscapableInDoubleQuotes(line[i + 1])) {
          word += line[++i];
        } else {
          word += c;
        }
        break;
      case Quote::None:
        if (IsBlank(c)) {
          if (inWord) words.append(word);
          word.clear();
          inWord = false;
          break;
        }
        inWord = true;
        if (c == u'\'') {
          quote = Quote::Single;
        } else if (c == u'"') {
          quote = Quote::Double;
        } else if (c == u'\\' && hasNext) {
          word += line[++i];
        } else {
          word += c;
        }
        break;
    }
  }
  if (quote != Quote::None) return std::nullopt;
  if (inWord) words.append(word);
  return words;
}

std::optional<ProgramCall> CallWithFile(const QStringList& words, const QString& file) {
  if (words.isEmpty()) return std::nullopt;
  bool placed = false;
  QStringList filled;
  for (QString word : words) {
    if (word.contains(kFilePlaceholder)) {
      word.replace(kFilePlaceholder, file);
      placed = true;
    }
    filled.append(word);
  }
  if (!placed) filled.append(file);
  ProgramCall call{filled.takeFirst(), filled};
  return call;
}

}  // namespace zantor
