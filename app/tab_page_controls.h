#pragma once

#include <QCheckBox>
#include <QLabel>
#include <QScrollBar>

#include "app/widget_naming.h"

namespace zantor {

// Controls that several tabs build the same way.

// The number that tells paired controls apart in their shared handler.
inline void SetTag(QObject& control, int tag) { control.setProperty("Tag", tag); }
inline int TagOf(const QObject& control) { return control.property("Tag").toInt(); }

inline QScrollBar* HorizontalBar(QWidget* parent, const char* name, QRect geometry, int tag = 0) {
  auto* bar = Placed(new QScrollBar(Qt::Horizontal, parent), name, geometry);
  SetTag(*bar, tag);
  bar->setSingleStep(1);
  bar->setPageStep(1);
  return bar;
}

inline QLabel* StaticLabel(QWidget* parent, const QString& text, QPoint at) {
  auto* label = new QLabel(text, parent);
  label->move(at);
  return label;
}

inline QCheckBox* GridCheckBox(QWidget* parent, const char* name, QRect geometry) {
  return Placed(new QCheckBox(QStringLiteral("グリッド線の描画"), parent), name, geometry);
}

}  // namespace zantor
