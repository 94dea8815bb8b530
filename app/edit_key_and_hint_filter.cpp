#include "app/edit_key_and_hint_filter.h"

#include <QHelpEvent>
#include <QKeyEvent>
#include <QToolTip>
#include <QWidget>

#include "editors/hint_text.h"

namespace zantor {

EditKeyAndHintFilter::EditKeyAndHintFilter(QWidget& window,
                                           std::function<bool(const QKeyEvent&)> takesEditKey)
    : QObject(&window), window_(window), takesEditKey_(std::move(takesEditKey)) {}

bool EditKeyAndHintFilter::IsEditKey(const QKeyEvent& key) {
  return key.modifiers() == Qt::ControlModifier &&
         (key.key() == Qt::Key_Z || key.key() == Qt::Key_Y);
}

bool EditKeyAndHintFilter::eventFilter(QObject* watched, QEvent* event) {
  auto* widget = qobject_cast<QWidget*>(watched);
  if (widget == nullptr || widget->window() != &window_) return false;
  if (event->type() == QEvent::ShortcutOverride) {
    const auto& key = *static_cast<QKeyEvent*>(event);
    if (IsEditKey(key) && takesEditKey_(key)) {
      // Not overridden: the window's own shortcut runs the menu item.
      event->ignore();
      return true;
    }
  }
  if (event->type() == QEvent::ToolTip && !widget->toolTip().isEmpty()) {
    const auto& help = *static_cast<QHelpEvent*>(event);
    QToolTip::showText(help.globalPos(), widget->toolTip(), widget, {}, kHintMilliseconds);
    return true;
  }
  return false;
}

}  // namespace zantor
