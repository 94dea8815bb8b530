#pragma once

#include <QString>

namespace zantor {

// Status bar panel 1: what the pointer is over ("タイルNo:C2", ...), written by the tabs on a
// move and emptied when the pointer leaves. The window's status bar implements it; tests
// record it.
class PointerStatus {
 public:
  virtual ~PointerStatus() = default;
  virtual void ShowPointerText(const QString& text) = 0;
  void ClearPointerText() { ShowPointerText(QString()); }
};

}  // namespace zantor
