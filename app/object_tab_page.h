#pragma once

#include <QWidget>
#include <array>

class QCheckBox;
class QComboBox;
class QLabel;
class QMenu;
class QPushButton;
class QScrollBar;

namespace zantor {

class ObjectEditClass;
class TImageEx;
class TObjectEditForm;
class UpDownButtons;
struct ImageMouseEvent;

// The controls of the object tab and their handlers, which decode the event and call the
// editor. The pop-up menu belongs to the main window; this page fills it.
class ObjectTabPage : public QWidget {
  Q_OBJECT

 public:
  explicit ObjectTabPage(QWidget* parent = nullptr);

  // Hands the controls to the editor in its order, fills the pop-up menu and routes the
  // events to the handlers.
  void Attach(ObjectEditClass& editor, QMenu& popupMenu, TObjectEditForm& objectDialog);

  void ScrBarObjectMapScroll();
  void ImgObjectMapPageXMouseMove(TImageEx& sender, const ImageMouseEvent& event);
  void ImgObjectMapPageXMouseDown(TImageEx& sender, const ImageMouseEvent& event);
  void ImgObjectMapPageXMouseUp(TImageEx& sender, const ImageMouseEvent& event);
  void CBSelectObjectChange(int index);
  void BtnObjectCreateClick();
  void BtnObjectRemoveClick();
  void UDObjectXChangingEx(int direction);
  void UDObjectYChangingEx(int direction);
  void BtnObjectEditReloadClick();

  std::array<TImageEx*, 2> ImgObjectMapPage{};
  QScrollBar* ScrBarObjectMap;
  QLabel* LblObjectRoom;
  QLabel* LblObjectNum;
  QLabel* LblObjectSum;
  QLabel* LblObjectIndex;
  QLabel* LblObjectScreen;
  QLabel* LblObjectX;
  QLabel* LblObjectY;
  QComboBox* CBSelectObject;
  UpDownButtons* UDObjectX;
  UpDownButtons* UDObjectY;
  QPushButton* BtnObjectCreate;
  QPushButton* BtnObjectRemove;
  QCheckBox* ChkSortObjectList;
  QCheckBox* ChkPopupHint;
  QPushButton* BtnObjectEditReload;

 private:
  ObjectEditClass* editor_ = nullptr;
};

}  // namespace zantor
