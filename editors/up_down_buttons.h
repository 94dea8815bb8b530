#pragma once

#include <QWidget>

class QToolButton;

namespace zantor {

// A pair of arrow buttons that only announce a step; they hold no position of their own,
// so the value they step lives wholly in the editor.
class UpDownButtons : public QWidget {
  Q_OBJECT

 public:
  UpDownButtons(Qt::Orientation orientation, QWidget* parent = nullptr);

  QToolButton* UpButton() const { return up_; }
  QToolButton* DownButton() const { return down_; }

 signals:
  // +1 for up (or right), -1 for down (or left).
  void ChangingEx(int direction);

 private:
  QToolButton* up_;
  QToolButton* down_;
};

}  // namespace zantor
