#pragma once

#include <QWidget>
#include <array>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTimer;

namespace zantor {

class PaletteEditClass;
class TImageEx;
class UpDownButtons;
struct ImageMouseEvent;

// The controls of the palette tab and their handlers. The handlers are thin: they decode
// the event (the button, the sender's Tag for the controls that share a handler) and call
// the editor.
class PaletteTabPage : public QWidget {
  Q_OBJECT

 public:
  explicit PaletteTabPage(QWidget* parent = nullptr);

  // Hands the controls to the editor in its order and routes their events to the handlers.
  void Attach(PaletteEditClass& editor, QTimer* frameTimer);

  void CBSelectPaletteSetChange();
  void EditPalXChange(const QObject& sender);
  void EditAnimePalXChange(const QObject& sender);
  void UDAnimePalXChangingEx(const QObject& sender, int direction);
  void ImgPalViewXMouseDown(TImageEx& sender, const ImageMouseEvent& event);
  void ImgPalViewXMouseMove(TImageEx& sender, const ImageMouseEvent& event);
  void ImgPalViewXMouseLeave(TImageEx& sender);
  void ImgColorTableMouseDown(TImageEx& sender, const ImageMouseEvent& event);
  void ImgColorTableMouseMove(TImageEx& sender, const ImageMouseEvent& event);
  void ImgColorTableMouseLeave(TImageEx& sender);
  void BtnPaletteReloadClick();
  void BtnAnimationPaletteReloadClick();

  QComboBox* CBSelectPaletteSet;
  QGroupBox* GBPaletteView;
  std::array<TImageEx*, 4> ImgPalView{};
  std::array<QLineEdit*, 16> EditPal{};
  QPushButton* BtnPaletteReload;
  TImageEx* ImgColorTable;
  TImageEx* ImgSelectColor;
  QLabel* LblSelectColor;
  QGroupBox* GBAnimePaletteView;
  std::array<TImageEx*, 4> ImgAnimePal{};
  std::array<QLineEdit*, 4> EditAnimePal{};
  std::array<UpDownButtons*, 4> UDAnimePal{};
  QPushButton* BtnAnimationPaletteReload;

 private:
  PaletteEditClass* editor_ = nullptr;
};

}  // namespace zantor
