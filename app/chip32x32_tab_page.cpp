#include "app/chip32x32_tab_page.h"

#include <QCheckBox>

#include "app/tab_page_controls.h"
#include "app/widget_naming.h"

namespace zantor {

Chip32x32TabPage::Chip32x32TabPage(QWidget* parent) : QWidget(parent) {
  Chk32x32ChipEditDrawGrid = GridCheckBox(this, "Chk32x32ChipEditDrawGrid", {8, 544, 160, 17});
}

}  // namespace zantor
