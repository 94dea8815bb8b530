#include "app/map_tab_page.h"

#include <QGroupBox>
#include <QScrollBar>

#include "app/tab_page_controls.h"
#include "app/widget_naming.h"

namespace zantor {

MapTabPage::MapTabPage(QWidget* parent) : QWidget(parent) {
  ScrBarMap = HorizontalBar(this, "ScrBarMap", {8, 272, 520, 16});
  auto* group =
      Placed(new QGroupBox(QStringLiteral("マップ編集"), this), "GBMapEdit", {8, 296, 520, 112});
  StaticLabel(group, QStringLiteral("マップセット番号:"), {16, 28});
  StaticLabel(group, QStringLiteral("マップセット番号:"), {272, 28});
  ScrbarEditMapPage0 = HorizontalBar(group, "ScrbarEditMapPage0", {16, 52, 232, 16}, 0);
  ScrbarEditMapPage1 = HorizontalBar(group, "ScrbarEditMapPage1", {272, 52, 232, 16}, 1);
  StaticLabel(group, QStringLiteral("編集部屋番号:"), {16, 84});
}

}  // namespace zantor
