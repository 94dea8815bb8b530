#pragma once

#include <QWidget>

class QGroupBox;
class QScrollBar;

namespace zantor {

class RadioGroup;

// The controls of the 16x16 chip tab.
class Chip16x16TabPage : public QWidget {
  Q_OBJECT

 public:
  explicit Chip16x16TabPage(QWidget* parent = nullptr);
  QGroupBox* GBEdit16x16Chip;
  RadioGroup* RGChipPropertySelect;
  QScrollBar* ScrBarBGBank0;
  QScrollBar* ScrBarBGBank1;
};

}  // namespace zantor
