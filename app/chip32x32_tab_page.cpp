#include "app/chip32x32_tab_page.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QPushButton>
#include <functional>

#include "app/tab_page_controls.h"
#include "editors/chip32x32_edit_class.h"
#include "editors/up_down_buttons.h"

namespace zantor {

namespace {

const QString kHiddenAttribute = QStringLiteral("背景裏に隠れる");

}  // namespace

Chip32x32TabPage::Chip32x32TabPage(QWidget* parent) : QWidget(parent) {
  ImgEdit32x32ChipView = Image(this, "ImgEdit32x32ChipView", {8, 8, 512, 256});
  Img16x16ChipTable = Image(this, "Img16x16ChipTable", {8, 272, 256, 256});

  auto* half = Placed(new QGroupBox(QStringLiteral("表示切替"), this), "GBChange32x32ChipView",
                      {528, 8, 81, 57});
  StaticLabel(half, QStringLiteral("No:"), {8, 28});
  LblEdit32x32ChipView =
      TextLabel(half, "LblEdit32x32ChipView", QStringLiteral("00-7F"), {28, 28, 36, 16});
  UDChange32x32ChipView =
      Placed(new UpDownButtons(Qt::Vertical, half), "UDChange32x32ChipView", {64, 20, 13, 30});

  auto* edited = Placed(new QGroupBox(QStringLiteral("編集対象チップ"), this), "GBEdit32x32Chip",
                        {272, 272, 337, 121});
  ImgEdit32x32Chip = Image(edited, "ImgEdit32x32Chip", {8, 20, 64, 64});
  StaticLabel(edited, QStringLiteral("No:"), {16, 92});
  LblSelect32x32ChipIndex =
      TextLabel(edited, "LblSelect32x32ChipIndex", QStringLiteral("00"), {40, 92, 24, 16});
  StaticLabel(edited, QStringLiteral("  構成チップNo:"), {80, 20});
  StaticLabel(edited, QStringLiteral("構成チップ属性:"), {80, 64});
  for (int part = 0; part < 4; ++part) {
    const int column = part % 2;
    const int row = part / 2;
    LblStructChipIndex[part] =
        TextLabel(edited, Numbered("LblStructChipIndex", part).constData(), QStringLiteral("00"),
                  {180 + column * 28, 20 + row * 18, 24, 16});
    LblStructChipProperty[part] =
        TextLabel(edited, Numbered("LblStructChipProperty", part).constData(), kHiddenAttribute,
                  {80 + column * 126, 82 + row * 18, 124, 16});
  }

  auto* selected = Placed(new QGroupBox(QStringLiteral("選択チップ"), this), "GBSelect16x16Chip",
                          {272, 400, 337, 57});
  ImgSelect16x16Chip = Image(selected, "ImgSelect16x16Chip", {8, 18, 32, 32});
  StaticLabel(selected, QStringLiteral("  No:"), {48, 26});
  LblSelect16x16ChipIndex =
      TextLabel(selected, "LblSelect16x16ChipIndex", QStringLiteral("00"), {88, 26, 24, 16});
  StaticLabel(selected, QStringLiteral("属性:"), {120, 26});
  LblSelect16x16ChipProperty =
      TextLabel(selected, "LblSelect16x16ChipProperty", kHiddenAttribute, {156, 26, 170, 16});

  BtnUnused32x32ChipChk = Placed(new QPushButton(QStringLiteral("未使用チップ番号表示"), this),
                                 "BtnUnused32x32ChipChk", {272, 468, 137, 25});
  BtnOverlap32x32ChipChk = Placed(new QPushButton(QStringLiteral("重複チップ番号表示"), this),
                                  "BtnOverlap32x32ChipChk", {416, 468, 137, 25});
  Button2 =
      Placed(new QPushButton(QStringLiteral("再読み込み"), this), "Button2", {272, 500, 75, 25});
  Chk32x32ChipEditDrawGrid = GridCheckBox(this, "Chk32x32ChipEditDrawGrid", {8, 536, 160, 17});
}

void Chip32x32TabPage::Attach(Chip32x32EditClass& editor, TShowUnusedChipNumForm& reports) {
  editor_ = &editor;
  editor.AttachImages(Img16x16ChipTable, ImgEdit32x32ChipView, ImgEdit32x32Chip,
                      ImgSelect16x16Chip);
  editor.AttachLabels(LblEdit32x32ChipView, LblSelect16x16ChipIndex, LblSelect16x16ChipProperty,
                      {LblStructChipIndex, LblStructChipProperty}, LblSelect32x32ChipIndex);
  editor.AttachGridCheckBox(Chk32x32ChipEditDrawGrid);
  editor.AttachReportDialog(&reports);

  ImgEdit32x32ChipView->OnMouseDown =
      std::bind_front(&Chip32x32TabPage::ImgEdit32x32ChipViewMouseDown, this);
  ImgEdit32x32ChipView->OnMouseMove =
      std::bind_front(&Chip32x32TabPage::ImgEdit32x32ChipViewMouseMove, this);
  ImgEdit32x32ChipView->OnMouseLeave =
      std::bind_front(&Chip32x32TabPage::ImgEdit32x32ChipViewMouseLeave, this);
  ImgEdit32x32Chip->OnMouseDown =
      std::bind_front(&Chip32x32TabPage::ImgEdit32x32ChipMouseDown, this);
  ImgEdit32x32Chip->OnMouseMove =
      std::bind_front(&Chip32x32TabPage::ImgEdit32x32ChipMouseMove, this);
  ImgEdit32x32Chip->OnMouseLeave =
      std::bind_front(&Chip32x32TabPage::ImgEdit32x32ChipMouseLeave, this);
  Img16x16ChipTable->OnMouseDown =
      std::bind_front(&Chip32x32TabPage::Img16x16ChipTableMouseDown, this);
  Img16x16ChipTable->OnMouseMove =
      std::bind_front(&Chip32x32TabPage::Img16x16ChipTableMouseMove, this);
  Img16x16ChipTable->OnMouseLeave =
      std::bind_front(&Chip32x32TabPage::Img16x16ChipTableMouseLeave, this);

  connect(UDChange32x32ChipView, &UpDownButtons::ChangingEx, this,
          &Chip32x32TabPage::UDChange32x32ChipViewClick);
  // clicked follows the user only: the stored setting put in at start-up draws nothing.
  connect(Chk32x32ChipEditDrawGrid, &QCheckBox::clicked, this,
          &Chip32x32TabPage::Chk32x32ChipEditDrawGridClick);
  connect(Button2, &QPushButton::clicked, this, &Chip32x32TabPage::Button2Click);
  connect(BtnUnused32x32ChipChk, &QPushButton::clicked, this,
          &Chip32x32TabPage::BtnUnused32x32ChipChkClick);
  connect(BtnOverlap32x32ChipChk, &QPushButton::clicked, this,
          &Chip32x32TabPage::BtnOverlap32x32ChipChkClick);
}

void Chip32x32TabPage::ImgEdit32x32ChipViewMouseDown(TImageEx&, const ImageMouseEvent& event) {
  editor_->ViewMouseDown(event.button, event.shift, event.ctrl, event.x, event.y);
}

void Chip32x32TabPage::ImgEdit32x32ChipViewMouseMove(TImageEx&, const ImageMouseEvent& event) {
  editor_->ViewMouseMove(event.x, event.y);
}

void Chip32x32TabPage::ImgEdit32x32ChipViewMouseLeave(TImageEx&) { editor_->ViewMouseLeave(); }

void Chip32x32TabPage::ImgEdit32x32ChipMouseDown(TImageEx&, const ImageMouseEvent& event) {
  editor_->EditedChipMouseDown(event.button, event.x, event.y);
}

void Chip32x32TabPage::ImgEdit32x32ChipMouseMove(TImageEx&, const ImageMouseEvent& event) {
  editor_->EditedChipMouseMove(event.x, event.y);
}

void Chip32x32TabPage::ImgEdit32x32ChipMouseLeave(TImageEx&) { editor_->EditedChipMouseLeave(); }

void Chip32x32TabPage::Img16x16ChipTableMouseDown(TImageEx&, const ImageMouseEvent& event) {
  editor_->ChipTableMouseDown(event.button, event.x, event.y);
}

void Chip32x32TabPage::Img16x16ChipTableMouseMove(TImageEx&, const ImageMouseEvent& event) {
  editor_->ChipTableMouseMove(event.x, event.y);
}

void Chip32x32TabPage::Img16x16ChipTableMouseLeave(TImageEx&) { editor_->ChipTableMouseLeave(); }

void Chip32x32TabPage::UDChange32x32ChipViewClick(int direction) {
  // The upper arrow goes back to the first half.
  editor_->SetViewHalf(direction > 0 ? 0 : 1);
}

void Chip32x32TabPage::Chk32x32ChipEditDrawGridClick() { editor_->DrawView(); }

void Chip32x32TabPage::Button2Click() { editor_->Reload(); }

void Chip32x32TabPage::BtnUnused32x32ChipChkClick() { editor_->ShowUnusedChips(); }

void Chip32x32TabPage::BtnOverlap32x32ChipChkClick() { editor_->ShowDuplicateChips(); }

}  // namespace zantor
