#pragma once

#include <QWidget>

class QLabel;
class QPushButton;
class QScrollBar;

namespace zantor {

class MapEditClass;
class TImageEx;

// The controls of the map tab and their handlers, which decode the event and call the
// editor.
class MapTabPage : public QWidget {
  Q_OBJECT

 public:
  explicit MapTabPage(QWidget* parent = nullptr);

  // Hands the controls to the editor in its order and routes their events to the handlers.
  void Attach(MapEditClass& editor);

  void ScrBarMapScroll(const QScrollBar& sender);
  void ScrbarEditMapPageXScroll(const QScrollBar& sender);
  void BtnMapEditReloadClick();

  TImageEx* ImgEditMapPage0;
  TImageEx* ImgEditMapPage1;
  QScrollBar* ScrBarMap;
  QScrollBar* ScrbarEditMapPage0;
  QScrollBar* ScrbarEditMapPage1;
  QLabel* LblMapVal0;
  QLabel* LblMapVal1;
  QLabel* LblMapPage;
  QPushButton* BtnMapEditReload;

 private:
  MapEditClass* editor_ = nullptr;
};

}  // namespace zantor
