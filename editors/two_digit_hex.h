#pragma once

#include <QString>
#include <functional>
#include <optional>

class QLineEdit;

namespace zantor {

// Bytes are shown to the user as two upper-case hexadecimal digits.
QString TwoDigitHex(int value);

// Settles a two-character hex edit after its text changed, against the value it shows.
// Any other length waits for more typing. Text that is not two hex digits, or a number
// `accepts` refuses, puts the stored value back; an accepted number is rewritten in upper
// case. Returns the accepted number when it differs from `stored`, for the caller to store.
// The rewrites do not run the edit's change handler.
std::optional<int> SettleHexEdit(QLineEdit& edit, int stored,
                                 const std::function<bool(int)>& accepts);

}  // namespace zantor
