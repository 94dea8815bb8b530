#pragma once

#include <QString>

#include "editors/two_digit_hex.h"

namespace zantor {

// Status bar panel 1: what the pointer is over ("タイルNo:C2", ...), written by the tabs on a
// move and emptied when the pointer leaves. The window's status bar implements it; tests
// record it.
class PointerStatus {
 public:
  virtual ~PointerStatus() = default;
  virtual void ShowPointerText(const QString& text) = 0;
  void ClearPointerText() { ShowPointerText(QString()); }
  // caption and the number in hex ("タイルNo:C2"), or nothing for a number below 0 (no cell).
  void ShowNumber(const QString& caption, int number) {
    ShowPointerText(number < 0 ? QString() : caption + TwoDigitHex(number));
  }
};

}  // namespace zantor
