#include "app/map_set_tab_page.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QScrollBar>

#include "app/tab_page_controls.h"
#include "app/widget_naming.h"

namespace zantor {

MapSetTabPage::MapSetTabPage(QWidget* parent) : QWidget(parent) {
  ScrBarMapSet = HorizontalBar(this, "ScrBarMapSet", {8, 272, 520, 16});
  auto* group =
      Placed(new QGroupBox(QStringLiteral("表示ページ"), this), "GBMapSetPages", {8, 296, 185, 81});
  StaticLabel(group, QStringLiteral("Page0:"), {8, 24});
  StaticLabel(group, QStringLiteral("Page1:"), {8, 52});
  ScrBarSelectPage0 = HorizontalBar(group, "ScrBarSelectPage0", {72, 24, 105, 16}, 0);
  ScrBarSelectPage1 = HorizontalBar(group, "ScrBarSelectPage1", {72, 52, 105, 16}, 1);
  ScrBarSelectPage1->setValue(1);
  ChkMapSetEditDrawGrid = GridCheckBox(this, "ChkMapSetEditDrawGrid", {8, 544, 160, 17});
}

}  // namespace zantor
