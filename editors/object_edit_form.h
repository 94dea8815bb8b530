#pragma once

#include <QDialog>

namespace zantor {

// The dialog for a room's objects edited as lines of text; created hidden once at start-up and
// reused.
class TObjectEditForm : public QDialog {
  Q_OBJECT

 public:
  explicit TObjectEditForm(QWidget* parent = nullptr);
};

}  // namespace zantor
