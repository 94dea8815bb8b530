#include "app/object_tab_page.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QScrollBar>

#include "app/name_lists.h"
#include "app/tab_page_controls.h"
#include "app/widget_naming.h"

namespace zantor {

ObjectTabPage::ObjectTabPage(QWidget* parent) : QWidget(parent) {
  ScrBarObjectMap = HorizontalBar(this, "ScrBarObjectMap", {8, 272, 520, 16});
  auto* group = Placed(new QGroupBox(QStringLiteral("編集対象オブジェクト"), this), "GBObjectEdit",
                       {8, 296, 345, 161});
  StaticLabel(group, QStringLiteral("種類:"), {8, 100});
  CBSelectObject = Placed(new QComboBox(group), "CBSelectObject", {64, 96, 265, 22});
  CBSelectObject->setMaxVisibleItems(12);
  CBSelectObject->addItems(BuiltInObjectKindItems());
  ChkSortObjectList = Placed(new QCheckBox(QStringLiteral("オブジェクトを自動で並び替える"), this),
                             "ChkSortObjectList", {8, 472, 300, 17});
  ChkPopupHint = Placed(new QCheckBox(QStringLiteral("ポップアップでオブジェクト情報を表示"), this),
                        "ChkPopupHint", {8, 496, 300, 17});
}

}  // namespace zantor
