#pragma once

#include <QByteArray>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>

#include "app/widget_naming.h"
#include "graphics/image_ex.h"

namespace zantor {

// Controls that several tabs build the same way.
//
// Handlers that edit follow the user, never the program. Connect them to the signals only
// a user raises:
//   - combo boxes: `activated` (not currentIndexChanged);
//   - check boxes, buttons and radio items: `clicked` (RadioGroup::ItemClicked), not
//     toggled or stateChanged;
//   - scroll bars and value bars: `actionTriggered`, reading `sliderPosition()` (the
//     position the action is taking the bar to; the value follows afterwards), not
//     valueChanged.
// Then setValue from a Reset, setMaximum clamping a value at an open, setChecked from the
// stored settings and setCurrentIndex from code run nothing. Set bars from code with
// setValue only: setSliderPosition counts as an action. Two-digit hex edits are the one
// exception: they act on every text change, the program's own included, because the
// buttons and clicks that write them rely on it.

// The number that tells paired controls apart in their shared handler.
inline void SetTag(QObject& control, int tag) { control.setProperty("Tag", tag); }
inline int TagOf(const QObject& control) { return control.property("Tag").toInt(); }

// "Stem" followed by the number, as paired and numbered controls are named.
inline QByteArray Numbered(const char* stem, int number) {
  return QByteArray(stem) + QByteArray::number(number);
}

inline TImageEx* Image(QWidget* parent, const QByteArray& name, QRect geometry, int tag = 0) {
  auto* image = Placed(new TImageEx(parent), name.constData(), geometry);
  SetTag(*image, tag);
  return image;
}

// A two-character edit for one byte in hex.
inline QLineEdit* HexEdit(QWidget* parent, const QByteArray& name, QRect geometry, int tag = 0) {
  auto* edit = Placed(new QLineEdit(parent), name.constData(), geometry);
  edit->setMaxLength(2);
  SetTag(*edit, tag);
  return edit;
}

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

// A label the program writes, with its first text.
inline QLabel* TextLabel(QWidget* parent, const char* name, const QString& text, QRect geometry) {
  return Placed(new QLabel(text, parent), name, geometry);
}

inline QCheckBox* GridCheckBox(QWidget* parent, const char* name, QRect geometry) {
  return Placed(new QCheckBox(QStringLiteral("グリッド線の描画"), parent), name, geometry);
}

}  // namespace zantor
