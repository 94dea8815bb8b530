#include "app/map_set_tab_page.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QPushButton>
#include <QScrollBar>
#include <functional>

#include "app/tab_page_controls.h"
#include "editors/map_set_edit_class.h"

namespace zantor {

MapSetTabPage::MapSetTabPage(QWidget* parent) : QWidget(parent) {
  for (int side = 0; side < 2; ++side) {
    ImgEditMapSetPage[side] =
        Image(this, Numbered("ImgEditMapSetPage", side), {8 + side * 264, 8, 256, 256}, side);
  }
  ScrBarMapSet = HorizontalBar(this, "ScrBarMapSet", {8, 272, 520, 16});

  auto* shown =
      Placed(new QGroupBox(QStringLiteral("表示ページ"), this), "GBMapSetPages", {8, 296, 185, 81});
  StaticLabel(shown, QStringLiteral("Page0:"), {8, 24});
  StaticLabel(shown, QStringLiteral("Page1:"), {8, 52});
  LblMapSetPage[0] = TextLabel(shown, "LblMapSetPage0", QStringLiteral("00"), {48, 24, 20, 16});
  LblMapSetPage[1] = TextLabel(shown, "LblMapSetPage1", QStringLiteral("01"), {48, 52, 20, 16});
  ScrBarSelectPage0 = HorizontalBar(shown, "ScrBarSelectPage0", {72, 24, 105, 16}, 0);
  ScrBarSelectPage1 = HorizontalBar(shown, "ScrBarSelectPage1", {72, 52, 105, 16}, 1);
  ScrBarSelectPage1->setValue(1);

  auto* selected = Placed(new QGroupBox(QStringLiteral("選択チップ"), this), "GBMapSetSelectChip",
                          {8, 384, 337, 121});
  ImgSelect32x32Chip = Image(selected, "ImgSelect32x32Chip", {8, 20, 64, 64});
  StaticLabel(selected, QStringLiteral("No:"), {16, 92});
  LblMapSetSelect32x32ChipIndex =
      TextLabel(selected, "LblMapSetSelect32x32ChipIndex", QStringLiteral("00"), {40, 92, 24, 16});
  StaticLabel(selected, QStringLiteral("構成チップNo:"), {80, 20});
  StaticLabel(selected, QStringLiteral("構成チップ属性:"), {80, 64});
  for (int part = 0; part < 4; ++part) {
    const int column = part % 2;
    const int row = part / 2;
    LblMapSetStructChipIndex[part] =
        TextLabel(selected, Numbered("LblMapSetStructChipIndex", part).constData(),
                  QStringLiteral("00"), {180 + column * 28, 20 + row * 18, 24, 16});
    LblMapSetStructChipProperty[part] =
        TextLabel(selected, Numbered("LblMapSetStructChipProperty", part).constData(),
                  QStringLiteral("背景裏に隠れる"), {80 + column * 126, 82 + row * 18, 124, 16});
  }

  Img32x32ChipTable = Image(this, "Img32x32ChipTable", {352, 296, 256, 256});
  Button3 =
      Placed(new QPushButton(QStringLiteral("再読み込み"), this), "Button3", {8, 512, 75, 25});
  BtnReplaceMapSetChip = Placed(new QPushButton(QStringLiteral("重複チップを置換"), this),
                                "BtnReplaceMapSetChip", {96, 512, 137, 25});
  ChkMapSetEditDrawGrid = GridCheckBox(this, "ChkMapSetEditDrawGrid", {8, 544, 160, 17});
}

void MapSetTabPage::Attach(MapSetEditClass& editor, TMapSetEditGridForm& gridDialog,
                           TShowUnusedChipNumForm& reports) {
  editor_ = &editor;
  editor.AttachImages(ImgEditMapSetPage[0], ImgEditMapSetPage[1], ImgSelect32x32Chip,
                      Img32x32ChipTable);
  editor.AttachLabels(LblMapSetPage, LblMapSetSelect32x32ChipIndex,
                      {LblMapSetStructChipIndex, LblMapSetStructChipProperty});
  editor.AttachScrollBars(ScrBarMapSet, {ScrBarSelectPage0, ScrBarSelectPage1});
  editor.AttachGridCheckBox(ChkMapSetEditDrawGrid);
  editor.AttachGridDialog(&gridDialog);
  editor.AttachReportDialog(&reports);

  for (TImageEx* page : ImgEditMapSetPage) {
    page->OnMouseDown = std::bind_front(&MapSetTabPage::ImgEditMapSetPageXMouseDown, this);
    page->OnMouseMove = std::bind_front(&MapSetTabPage::ImgEditMapSetPageXMouseMove, this);
    page->OnMouseLeave = std::bind_front(&MapSetTabPage::ImgEditMapSetPageXMouseLeave, this);
  }
  Img32x32ChipTable->OnMouseDown =
      std::bind_front(&MapSetTabPage::Img32x32ChipTableMouseDown, this);
  Img32x32ChipTable->OnMouseMove =
      std::bind_front(&MapSetTabPage::Img32x32ChipTableMouseMove, this);
  Img32x32ChipTable->OnMouseLeave =
      std::bind_front(&MapSetTabPage::Img32x32ChipTableMouseLeave, this);
  // Every user scroll action, before the bar takes its new value; never a value from code.
  connect(ScrBarMapSet, &QScrollBar::actionTriggered, this, &MapSetTabPage::ScrBarMapSetScroll);
  for (QScrollBar* bar : {ScrBarSelectPage0, ScrBarSelectPage1}) {
    connect(bar, &QScrollBar::actionTriggered, this,
            [this, bar] { ScrBarSelectPageXScroll(*bar); });
  }
  connect(ChkMapSetEditDrawGrid, &QCheckBox::clicked, this,
          &MapSetTabPage::ChkMapSetEditDrawGridClick);
  connect(Button3, &QPushButton::clicked, this, &MapSetTabPage::Button3Click);
  connect(BtnReplaceMapSetChip, &QPushButton::clicked, this,
          &MapSetTabPage::BtnReplaceMapSetChipClick);
}

void MapSetTabPage::ImgEditMapSetPageXMouseDown(TImageEx& sender, const ImageMouseEvent& event) {
  editor_->PageMouseDown(TagOf(sender), event.button, event.shift, event.ctrl, event.x, event.y);
}

void MapSetTabPage::ImgEditMapSetPageXMouseMove(TImageEx& sender, const ImageMouseEvent& event) {
  editor_->PageMouseMove(TagOf(sender), event.x, event.y);
}

void MapSetTabPage::ImgEditMapSetPageXMouseLeave(TImageEx& sender) {
  editor_->PageMouseLeave(TagOf(sender));
}

void MapSetTabPage::Img32x32ChipTableMouseDown(TImageEx&, const ImageMouseEvent& event) {
  editor_->ChipTableMouseDown(event.button, event.x, event.y);
}

void MapSetTabPage::Img32x32ChipTableMouseMove(TImageEx&, const ImageMouseEvent& event) {
  editor_->ChipTableMouseMove(event.x, event.y);
}

void MapSetTabPage::Img32x32ChipTableMouseLeave(TImageEx&) { editor_->ChipTableMouseLeave(); }

void MapSetTabPage::ScrBarMapSetScroll() { editor_->ScrollPages(ScrBarMapSet->sliderPosition()); }

void MapSetTabPage::ScrBarSelectPageXScroll(const QScrollBar& sender) {
  editor_->SetPageMapSet(TagOf(sender), sender.sliderPosition());
}

void MapSetTabPage::ChkMapSetEditDrawGridClick() { editor_->DrawPages(); }

void MapSetTabPage::Button3Click() { editor_->Reload(); }

void MapSetTabPage::BtnReplaceMapSetChipClick() { editor_->ShowReplacement(); }

}  // namespace zantor
