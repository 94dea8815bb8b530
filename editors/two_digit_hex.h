#pragma once

#include <QString>

class QLineEdit;

namespace zantor {

// Bytes are shown to the user as two upper-case hexadecimal digits.
QString TwoDigitHex(int value);

// What a two-character hex edit box holds right now.
struct HexEditReading {
  enum class State {
    Waiting,  // not exactly two characters yet: the edit waits for more typing
    Invalid,  // two characters that are not a hexadecimal number
    Number,   // two hexadecimal digits, in value
  };
  State state;
  int value = 0;
};

HexEditReading ReadHexEdit(const QString& text);

// Sets an edit's text without running its change handler (used when the program puts a
// stored value back or rewrites typed digits in upper case).
void SetEditTextQuietly(QLineEdit& edit, const QString& text);

}  // namespace zantor
