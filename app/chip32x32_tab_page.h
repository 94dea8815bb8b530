#pragma once

#include <QWidget>
#include <array>

class QCheckBox;
class QLabel;
class QPushButton;

namespace zantor {

class Chip32x32EditClass;
class TImageEx;
class TShowUnusedChipNumForm;
class UpDownButtons;
struct ImageMouseEvent;

// The controls of the 32x32 chip tab and their handlers, which decode the event and call the
// editor.
class Chip32x32TabPage : public QWidget {
  Q_OBJECT

 public:
  explicit Chip32x32TabPage(QWidget* parent = nullptr);

  // Hands the controls to the editor in its order and routes their events to the handlers.
  void Attach(Chip32x32EditClass& editor, TShowUnusedChipNumForm& reports);

  void ImgEdit32x32ChipViewMouseDown(TImageEx& sender, const ImageMouseEvent& event);
  void ImgEdit32x32ChipViewMouseMove(TImageEx& sender, const ImageMouseEvent& event);
  void ImgEdit32x32ChipViewMouseLeave(TImageEx& sender);
  void ImgEdit32x32ChipMouseDown(TImageEx& sender, const ImageMouseEvent& event);
  void ImgEdit32x32ChipMouseMove(TImageEx& sender, const ImageMouseEvent& event);
  void ImgEdit32x32ChipMouseLeave(TImageEx& sender);
  void Img16x16ChipTableMouseDown(TImageEx& sender, const ImageMouseEvent& event);
  void Img16x16ChipTableMouseMove(TImageEx& sender, const ImageMouseEvent& event);
  void Img16x16ChipTableMouseLeave(TImageEx& sender);
  void UDChange32x32ChipViewClick(int direction);
  void Chk32x32ChipEditDrawGridClick();
  void Button2Click();
  void BtnUnused32x32ChipChkClick();
  void BtnOverlap32x32ChipChkClick();

  TImageEx* ImgEdit32x32ChipView;
  QLabel* LblEdit32x32ChipView;
  UpDownButtons* UDChange32x32ChipView;
  TImageEx* Img16x16ChipTable;
  TImageEx* ImgEdit32x32Chip;
  QLabel* LblSelect32x32ChipIndex;
  std::array<QLabel*, 4> LblStructChipIndex{};
  std::array<QLabel*, 4> LblStructChipProperty{};
  TImageEx* ImgSelect16x16Chip;
  QLabel* LblSelect16x16ChipIndex;
  QLabel* LblSelect16x16ChipProperty;
  QPushButton* Button2;
  QCheckBox* Chk32x32ChipEditDrawGrid;
  QPushButton* BtnUnused32x32ChipChk;
  QPushButton* BtnOverlap32x32ChipChk;

 private:
  Chip32x32EditClass* editor_ = nullptr;
};

}  // namespace zantor
