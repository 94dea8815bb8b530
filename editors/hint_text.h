#pragma once

#include <QCursor>
#include <QString>
#include <QToolTip>
#include <QWidget>

namespace zantor {

// How long a hint stays shown.
inline constexpr int kHintMilliseconds = 10'000;

// Gives a control its hint text (empty: no hint). A hint shown for the control under the
// pointer follows the new text at once, rather than keeping the old one until it fades.
inline void SetHintText(QWidget& control, const QString& text) {
  if (control.toolTip() == text) return;
  control.setToolTip(text);
  if (!QToolTip::isVisible() || !control.underMouse()) return;
  if (text.isEmpty()) {
    QToolTip::hideText();
  } else {
    QToolTip::showText(QCursor::pos(), text, &control, {}, kHintMilliseconds);
  }
}

}  // namespace zantor
