#include "editors/two_digit_hex.h"

#include <QLineEdit>
#include <QSignalBlocker>

#include "core/hex_text.h"

namespace zantor {

namespace {

// Two plain digits only: a sign or a blank, which a number parser would take, is refused.
bool IsTwoHexDigits(const QString& text) {
  const QString digits = QStringLiteral("0123456789abcdefABCDEF");
  return digits.contains(text[0]) && digits.contains(text[1]);
}

void SetTextQuietly(QLineEdit& edit, const QString& text) {
  const QSignalBlocker quiet(edit);
  edit.setText(text);
}

}  // namespace

QString TwoDigitHex(int value) { return QString::fromLatin1(TwoDigitHexText(value)); }

std::optional<int> SettleHexEdit(QLineEdit& edit, int stored,
                                 const std::function<bool(int)>& accepts) {
  const QString text = edit.text();
  if (text.size() != 2) return std::nullopt;
  const int value = IsTwoHexDigits(text) ? text.toInt(nullptr, 16) : -1;
  if (value < 0 || !accepts(value)) {
    SetTextQuietly(edit, TwoDigitHex(stored));
    return std::nullopt;
  }
  SetTextQuietly(edit, TwoDigitHex(value));
  if (value == stored) return std::nullopt;
  return value;
}

}  // namespace zantor
