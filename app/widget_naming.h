#pragma once

#include <QRect>
#include <QString>
#include <QWidget>

namespace zantor {

// Gives a control the name the rest of the program and the tests know it by, and its
// place inside its parent.
template <typename W>
W* Placed(W* widget, const char* name, QRect geometry) {
  widget->setObjectName(QString::fromLatin1(name));
  widget->setGeometry(geometry);
  return widget;
}

}  // namespace zantor
