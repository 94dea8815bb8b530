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

// The controls of the palette tab.
class PaletteTabPage : public QWidget {
 public:
  explicit PaletteTabPage(QWidget* parent = nullptr);

  // Hands the controls to the editor in its order and routes their events to it.
  void Attach(PaletteEditClass& editor, QTimer* frameTimer);

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
};

}  // namespace zantor
