#include "app/drop_down_list.h"

#include <QApplication>
#include <QComboBox>
#include <QPointer>
#include <QProxyStyle>
#include <QStyleFactory>

#include "app/widget_naming.h"

namespace zantor {

namespace {

// The application's style, except that a drop-down list opens as a list, not as a menu:
// a menu ignores the number of rows to show.
class ListPopupStyle : public QProxyStyle {
 public:
  ListPopupStyle() : QProxyStyle(QStyleFactory::create(QApplication::style()->name())) {}

  int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                QStyleHintReturn* returnData) const override {
    if (hint == SH_ComboBox_Popup) return 0;
    return QProxyStyle::styleHint(hint, option, widget, returnData);
  }
};

QStyle& SharedListPopupStyle() {
  static QPointer<QStyle> style;
  if (style.isNull()) {
    style = new ListPopupStyle;
    style->setParent(qApp);
  }
  return *style;
}

}  // namespace

QComboBox* DropDownList(QWidget* parent, const char* name, QRect geometry, int rowsVisible) {
  auto* list = Placed(new QComboBox(parent), name, geometry);
  list->setStyle(&SharedListPopupStyle());
  list->setMaxVisibleItems(rowsVisible);
  return list;
}

}  // namespace zantor
