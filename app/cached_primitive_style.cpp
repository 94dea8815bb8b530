#include "app/cached_primitive_style.h"

#include <QApplication>
#include <QGroupBox>
#include <QPainter>
#include <QStyleOption>

namespace zantor {

namespace {

bool Cached(QStyle::PrimitiveElement element) {
  return element == QStyle::PE_IndicatorRadioButton || element == QStyle::PE_IndicatorCheckBox ||
         element == QStyle::PE_FrameGroupBox;
}

// What else the base style reads for a group box frame, which it draws below the title:
// the title's height, and whether there is a title or check box to leave room for.
int FrameDetail(QStyle::PrimitiveElement element, const QStyleOption& option,
                const QWidget* widget) {
  if (element != QStyle::PE_FrameGroupBox) return 0;
  const auto* box = qobject_cast<const QGroupBox*>(widget);
  const bool titled = box == nullptr || box->isCheckable() || !box->title().isEmpty();
  return option.fontMetrics.height() << 1 | (titled ? 1 : 0);
}

}  // namespace

void CachedPrimitiveStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option,
                                         QPainter* painter, const QWidget* widget) const {
  // Only plain placements are cached: under a scale or rotation the pixmap would be resampled.
  if (!Cached(element) || option == nullptr || option->rect.isEmpty() ||
      painter->transform().type() > QTransform::TxTranslate) {
    QProxyStyle::drawPrimitive(element, option, painter, widget);
    return;
  }
  const qreal ratio = painter->device()->devicePixelRatio();
  const Look look{element,
                  static_cast<int>(option->state.toInt()),
                  option->rect.width(),
                  option->rect.height(),
                  option->palette.cacheKey(),
                  option->direction,
                  ratio,
                  FrameDetail(element, *option, widget)};
  auto found = pixmaps_.find(look);
  if (found == pixmaps_.end()) {
    if (pixmaps_.size() >= kMaxLooks) pixmaps_.clear();
    QPixmap pixmap(option->rect.size() * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    QPainter offscreen(&pixmap);
    offscreen.translate(-option->rect.topLeft());
    QProxyStyle::drawPrimitive(element, option, &offscreen, widget);
    offscreen.end();
    found = pixmaps_.emplace(look, std::move(pixmap)).first;
  }
  painter->drawPixmap(option->rect.topLeft(), found->second);
}

QRect CachedPrimitiveStyle::subControlRect(ComplexControl control,
                                           const QStyleOptionComplex* option, SubControl subControl,
                                           const QWidget* widget) const {
  const auto* box = qstyleoption_cast<const QStyleOptionGroupBox*>(option);
  if (control != CC_GroupBox || box == nullptr || widget == nullptr) {
    return QProxyStyle::subControlRect(control, option, subControl, widget);
  }
  const GroupBoxLook look{subControl,
                          box->rect.x(),
                          box->rect.y(),
                          box->rect.width(),
                          box->rect.height(),
                          box->text,
                          static_cast<int>(box->textAlignment),
                          static_cast<int>(box->features),
                          static_cast<int>(box->subControls),
                          static_cast<int>(box->state.toInt()),
                          box->direction,
                          widget->font()};
  auto found = groupBoxParts_.find(look);
  if (found == groupBoxParts_.end()) {
    if (groupBoxParts_.size() >= kMaxLooks) groupBoxParts_.clear();
    found = groupBoxParts_
                .emplace(look, QProxyStyle::subControlRect(control, option, subControl, widget))
                .first;
  }
  return found->second;
}

void CachedPrimitiveStyle::drawItemText(QPainter* painter, const QRect& rect, int flags,
                                        const QPalette& palette, bool enabled, const QString& text,
                                        QPalette::ColorRole textRole) const {
  if (text.isEmpty() || rect.isEmpty() || painter->transform().type() > QTransform::TxTranslate) {
    QProxyStyle::drawItemText(painter, rect, flags, palette, enabled, text, textRole);
    return;
  }
  // The base style's text takes the role's brush from the palette's current group, or the
  // painter's pen; a disabled one may be etched in the palette's light colour.
  const qreal ratio = painter->device()->devicePixelRatio();
  const TextLook look{text,
                      flags,
                      rect.width(),
                      rect.height(),
                      painter->font(),
                      painter->pen().color().rgba(),
                      palette.cacheKey(),
                      palette.currentColorGroup() << 8 | textRole << 1 | (enabled ? 1 : 0),
                      ratio};
  auto found = texts_.find(look);
  if (found == texts_.end()) {
    if (texts_.size() >= kMaxLooks) texts_.clear();
    const QRect local(QPoint(0, 0), rect.size());
    const QRect area = QFontMetrics(painter->font()).boundingRect(local, flags, text).united(local);
    QPixmap pixmap(area.size() * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    QPainter offscreen(&pixmap);
    offscreen.setFont(painter->font());
    offscreen.setPen(painter->pen());
    offscreen.translate(-area.topLeft());
    QProxyStyle::drawItemText(&offscreen, local, flags, palette, enabled, text, textRole);
    offscreen.end();
    found = texts_.emplace(look, TextPixmap{area.topLeft(), std::move(pixmap)}).first;
  }
  painter->drawPixmap(rect.topLeft() + found->second.offset, found->second.pixmap);
}

void CachedPrimitiveStyle::Install() {
  QApplication::setStyle(new CachedPrimitiveStyle(QApplication::style()->name()));
}

}  // namespace zantor
