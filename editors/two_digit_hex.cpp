#include "editors/two_digit_hex.h"

#include <QLineEdit>
#include <QSignalBlocker>

namespace zantor {

QString TwoDigitHex(int value) {
  return QStringLiteral("%1").arg(value & 0xFF, 2, 16, QChar(u'0')).toUpper();
}

HexEditReading ReadHexEdit(const QString& text) {
  if (text.size() != 2) return {HexEditReading::State::Waiting};
  // Two plain digits only: a sign or a blank, which a number parser would take, is refused.
  const auto isHexDigit = [](QChar c) { return QStringLiteral("0123456789abcdefABCDEF").contains(c); };
  if (!isHexDigit(text[0]) || !isHexDigit(text[1])) return {HexEditReading::State::Invalid};
  return {HexEditReading::State::Number, text.toInt(nullptr, 16)};
}

void SetEditTextQuietly(QLineEdit& edit, const QString& text) {
  const QSignalBlocker quiet(edit);
  edit.setText(text);
}

}  // namespace zantor
