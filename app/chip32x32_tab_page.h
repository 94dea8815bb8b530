#pragma once

#include <QWidget>

class QCheckBox;

namespace zantor {

// The controls of the 32x32 chip tab.
class Chip32x32TabPage : public QWidget {
  Q_OBJECT

 public:
  explicit Chip32x32TabPage(QWidget* parent = nullptr);
  QCheckBox* Chk32x32ChipEditDrawGrid;
};

}  // namespace zantor
