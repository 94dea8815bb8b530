#pragma once

#include <QWidget>

class QScrollBar;

namespace zantor {

// The controls of the map tab.
class MapTabPage : public QWidget {
  Q_OBJECT

 public:
  explicit MapTabPage(QWidget* parent = nullptr);
  QScrollBar* ScrBarMap;
  QScrollBar* ScrbarEditMapPage0;
  QScrollBar* ScrbarEditMapPage1;
};

}  // namespace zantor
