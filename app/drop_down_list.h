#pragma once

#include <QRect>

class QComboBox;
class QWidget;

namespace zantor {

// A drop-down list whose list opens with `rowsVisible` rows and a scroll bar for the
// rest, also under styles that would otherwise open it as a menu of every item.
QComboBox* DropDownList(QWidget* parent, const char* name, QRect geometry, int rowsVisible);

}  // namespace zantor
