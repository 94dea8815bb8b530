#pragma once

#include <QWidget>

class QCheckBox;
class QScrollBar;

namespace zantor {

// The controls of the map set tab.
class MapSetTabPage : public QWidget {
  Q_OBJECT

 public:
  explicit MapSetTabPage(QWidget* parent = nullptr);
  QScrollBar* ScrBarMapSet;
  QScrollBar* ScrBarSelectPage0;
  QScrollBar* ScrBarSelectPage1;
  QCheckBox* ChkMapSetEditDrawGrid;
};

}  // namespace zantor
