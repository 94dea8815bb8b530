#include "app/map_tab_page.h"

#include <QGroupBox>
#include <QPushButton>
#include <QScrollBar>

#include "app/tab_page_controls.h"
#include "app/widget_naming.h"
#include "editors/map_edit_class.h"

namespace zantor {

MapTabPage::MapTabPage(QWidget* parent) : QWidget(parent) {
  ImgEditMapPage0 = Image(this, "ImgEditMapPage0", {8, 8, kRoomSide, kRoomSide});
  ImgEditMapPage1 = Image(this, "ImgEditMapPage1", {272, 8, kRoomSide, kRoomSide}, 1);
  ScrBarMap = HorizontalBar(this, "ScrBarMap", {8, 272, 520, 16});
  auto* group =
      Placed(new QGroupBox(QStringLiteral("マップ編集"), this), "GBMapEdit", {8, 296, 520, 112});
  StaticLabel(group, QStringLiteral("マップセット番号:"), {16, 28});
  LblMapVal0 = TextLabel(group, "LblMapVal0", QStringLiteral("00"), {120, 28, 24, 16});
  StaticLabel(group, QStringLiteral("マップセット番号:"), {272, 28});
  LblMapVal1 = TextLabel(group, "LblMapVal1", QStringLiteral("00"), {376, 28, 24, 16});
  ScrbarEditMapPage0 = HorizontalBar(group, "ScrbarEditMapPage0", {16, 52, 232, 16}, 0);
  ScrbarEditMapPage1 = HorizontalBar(group, "ScrbarEditMapPage1", {272, 52, 232, 16}, 1);
  StaticLabel(group, QStringLiteral("編集部屋番号:"), {16, 84});
  LblMapPage = TextLabel(group, "LblMapPage", QStringLiteral("00-01"), {104, 84, 48, 16});
  BtnMapEditReload = Placed(new QPushButton(QStringLiteral("再読み込み"), this), "BtnMapEditReload",
                            {8, 416, 75, 25});
}

void MapTabPage::Attach(MapEditClass& editor) {
  editor_ = &editor;
  editor.AttachImages(ImgEditMapPage0, ImgEditMapPage1);
  editor.AttachScrollBars(ScrbarEditMapPage0, ScrbarEditMapPage1, ScrBarMap);
  editor.AttachLabels(LblMapVal0, LblMapVal1, LblMapPage);

  // Every user scroll action (arrows, trough, each drag step, wheel, keys), raised before
  // the bar takes the new position; a position set or clamped by the program raises none.
  connect(ScrBarMap, &QScrollBar::actionTriggered, this, [this] { ScrBarMapScroll(*ScrBarMap); });
  for (QScrollBar* bar : {ScrbarEditMapPage0, ScrbarEditMapPage1}) {
    connect(bar, &QScrollBar::actionTriggered, this,
            [this, bar] { ScrbarEditMapPageXScroll(*bar); });
  }
  connect(BtnMapEditReload, &QPushButton::clicked, this, &MapTabPage::BtnMapEditReloadClick);
}

void MapTabPage::ScrBarMapScroll(const QScrollBar& sender) {
  editor_->ShowRooms(sender.sliderPosition());
}

void MapTabPage::ScrbarEditMapPageXScroll(const QScrollBar& sender) {
  // The bar still holds its old value: an action that keeps the position changes nothing.
  if (sender.sliderPosition() == sender.value()) return;
  editor_->SetMapSetNumber(TagOf(sender), sender.sliderPosition());
}

void MapTabPage::BtnMapEditReloadClick() { editor_->Reload(); }

}  // namespace zantor
