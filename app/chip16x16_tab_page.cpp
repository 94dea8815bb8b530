#include "app/chip16x16_tab_page.h"

#include <QGroupBox>
#include <QScrollBar>

#include "app/name_lists.h"
#include "app/tab_page_controls.h"
#include "app/widget_naming.h"
#include "editors/radio_group.h"

namespace zantor {

Chip16x16TabPage::Chip16x16TabPage(QWidget* parent) : QWidget(parent) {
  GBEdit16x16Chip = Placed(new QGroupBox(QStringLiteral("編集対象チップ"), this), "GBEdit16x16Chip",
                           {152, 280, 433, 257});
  RGChipPropertySelect = Placed(
      new RadioGroup(QStringLiteral("チップ属性"), BuiltInAttributeCaptions(), 2, GBEdit16x16Chip),
      "RGChipPropertySelect", {144, 8, 281, 185});
  auto* banks =
      Placed(new QGroupBox(QStringLiteral("BGバンク"), this), "GBBGBank", {16, 344, 121, 121});
  StaticLabel(banks, QStringLiteral("Bank0:"), {8, 20});
  ScrBarBGBank0 = HorizontalBar(banks, "ScrBarBGBank0", {8, 40, 105, 16}, 0);
  StaticLabel(banks, QStringLiteral("Bank1:"), {8, 64});
  ScrBarBGBank1 = HorizontalBar(banks, "ScrBarBGBank1", {8, 84, 105, 16}, 1);
}

}  // namespace zantor
