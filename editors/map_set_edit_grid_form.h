#pragma once

#include <QDialog>

namespace zantor {

// The dialog for a map set edited as a grid of hex numbers; created hidden once at start-up and
// reused.
class TMapSetEditGridForm : public QDialog {
  Q_OBJECT

 public:
  explicit TMapSetEditGridForm(QWidget* parent = nullptr);
};

}  // namespace zantor
