#pragma once

#include <QWidget>
#include <array>

class QCheckBox;
class QLabel;
class QPushButton;
class QScrollBar;

namespace zantor {

class MapSetEditClass;
class TImageEx;
class TMapSetEditGridForm;
class TShowUnusedChipNumForm;
struct ImageMouseEvent;

// The controls of the map set tab and their handlers, which decode the event (button, Shift
// and Ctrl, the sender's Tag) and call the editor.
class MapSetTabPage : public QWidget {
  Q_OBJECT

 public:
  explicit MapSetTabPage(QWidget* parent = nullptr);

  // Hands the controls to the editor in its order and routes their events to the handlers.
  void Attach(MapSetEditClass& editor, TMapSetEditGridForm& gridDialog,
              TShowUnusedChipNumForm& reports);

  void ImgEditMapSetPageXMouseDown(TImageEx& sender, const ImageMouseEvent& event);
  void ImgEditMapSetPageXMouseMove(TImageEx& sender, const ImageMouseEvent& event);
  void ImgEditMapSetPageXMouseLeave(TImageEx& sender);
  void Img32x32ChipTableMouseDown(TImageEx& sender, const ImageMouseEvent& event);
  void Img32x32ChipTableMouseMove(TImageEx& sender, const ImageMouseEvent& event);
  void Img32x32ChipTableMouseLeave(TImageEx& sender);
  void ScrBarMapSetScroll();
  void ScrBarSelectPageXScroll(const QScrollBar& sender);
  void ChkMapSetEditDrawGridClick();
  void Button3Click();
  void BtnReplaceMapSetChipClick();

  std::array<TImageEx*, 2> ImgEditMapSetPage{};
  QScrollBar* ScrBarMapSet;
  std::array<QLabel*, 2> LblMapSetPage{};
  QScrollBar* ScrBarSelectPage0;
  QScrollBar* ScrBarSelectPage1;
  TImageEx* ImgSelect32x32Chip;
  QLabel* LblMapSetSelect32x32ChipIndex;
  std::array<QLabel*, 4> LblMapSetStructChipIndex{};
  std::array<QLabel*, 4> LblMapSetStructChipProperty{};
  TImageEx* Img32x32ChipTable;
  QPushButton* Button3;
  QPushButton* BtnReplaceMapSetChip;
  QCheckBox* ChkMapSetEditDrawGrid;

 private:
  MapSetEditClass* editor_ = nullptr;
};

}  // namespace zantor
