#pragma once

#include <QObject>
#include <functional>

class QKeyEvent;
class QWidget;

namespace zantor {

// Watches the events of one window's widgets for two things the toolkit would otherwise
// decide: Ctrl+Z and Ctrl+Y go to the Edit menu before a focused edit box can take them,
// when the menu has something to do; and a hint stays shown for ten seconds.
class EditKeyAndHintFilter : public QObject {
 public:
  // takesEditKey: whether the window runs this Ctrl+Z / Ctrl+Y itself.
  EditKeyAndHintFilter(QWidget& window, std::function<bool(const QKeyEvent&)> takesEditKey);

  static bool IsEditKey(const QKeyEvent& key);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QWidget& window_;
  std::function<bool(const QKeyEvent&)> takesEditKey_;
};

}  // namespace zantor
