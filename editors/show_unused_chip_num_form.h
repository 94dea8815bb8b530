#pragma once

#include <QDialog>

namespace zantor {

// The dialog for the unused and duplicate chip reports; created hidden once at start-up and reused.
class TShowUnusedChipNumForm : public QDialog {
  Q_OBJECT

 public:
  explicit TShowUnusedChipNumForm(QWidget* parent = nullptr);
};

}  // namespace zantor
