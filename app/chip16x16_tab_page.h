#pragma once

#include <QWidget>
#include <array>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollBar;

namespace zantor {

class Chip16x16EditClass;
class RadioGroup;
class TImageEx;
class TShowUnusedChipNumForm;
struct ImageMouseEvent;

// The controls of the 16x16 chip tab and their handlers, which decode the event (button,
// Ctrl, the sender's Tag) and call the editor.
class Chip16x16TabPage : public QWidget {
  Q_OBJECT

 public:
  explicit Chip16x16TabPage(QWidget* parent = nullptr);

  // Hands the controls to the editor in its order and routes their events to the handlers.
  void Attach(Chip16x16EditClass& editor, TShowUnusedChipNumForm& reports);

  void ImgBGBankTableMouseMove(TImageEx& sender, const ImageMouseEvent& event);
  void ImgBGBankTableMouseLeave(TImageEx& sender);
  void ImgBGBankTableMouseDown(TImageEx& sender, const ImageMouseEvent& event);
  void ImgEdit16x16ChipViewMouseMove(TImageEx& sender, const ImageMouseEvent& event);
  void ImgEdit16x16ChipViewMouseLeave(TImageEx& sender);
  void ImgEdit16x16ChipViewMouseDown(TImageEx& sender, const ImageMouseEvent& event);
  void ImgEdit16x16ChipMouseMove(TImageEx& sender, const ImageMouseEvent& event);
  void ImgEdit16x16ChipMouseLeave(TImageEx& sender);
  void ImgEdit16x16ChipMouseDown(TImageEx& sender, const ImageMouseEvent& event);
  void RGChipPropertySelectClick(int item);
  void RGPaletteSelectClick(int item);
  void EditSelectChipPropertyChange();
  void ScrBarBGBankXScroll(const QScrollBar& sender);
  void Button1Click();
  void BtnUnused16x16ChipChkClick();
  void BtnUnusedTileChkClick();

  TImageEx* ImgEdit16x16ChipView;
  TImageEx* ImgBGBankTable;
  QGroupBox* GBEdit16x16Chip;
  TImageEx* ImgEdit16x16Chip;
  QLabel* LblSelectChipIndex;
  QLineEdit* EditSelectChipProperty;
  QLabel* LblSelectChipProperty;
  std::array<QLabel*, 4> LblSelectChipTile{};
  RadioGroup* RGChipPropertySelect;
  RadioGroup* RGPaletteSelect;
  std::array<QWidget*, 16> PanelPaletteColor{};
  TImageEx* ImgSelectTile;
  QLabel* LblSelectBGBankTileIndex;
  QLabel* LblBGBank0;
  QLabel* LblBGBank1;
  QScrollBar* ScrBarBGBank0;
  QScrollBar* ScrBarBGBank1;
  QPushButton* Button1;
  QPushButton* BtnUnused16x16ChipChk;
  QPushButton* BtnUnusedTileChk;

 private:
  // The chosen radio item takes the focus while this tab is shown, as a click on it would.
  void FocusChosenItem(RadioGroup& group, int item);

  Chip16x16EditClass* editor_ = nullptr;
};

}  // namespace zantor
