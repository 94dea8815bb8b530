#pragma once

#include <QWidget>

class QCheckBox;
class QComboBox;
class QScrollBar;

namespace zantor {

// The controls of the object tab.
class ObjectTabPage : public QWidget {
  Q_OBJECT

 public:
  explicit ObjectTabPage(QWidget* parent = nullptr);
  QScrollBar* ScrBarObjectMap;
  QComboBox* CBSelectObject;
  QCheckBox* ChkSortObjectList;
  QCheckBox* ChkPopupHint;
};

}  // namespace zantor
