#include "app/cached_primitive_style.h"

#include <QApplication>
#include <QPainter>
#include <QStyleOption>

namespace zantor {

namespace {

bool Cached(QStyle::PrimitiveElement element) {
  return element == QStyle::PE_IndicatorRadioButton || element == QStyle::PE_IndicatorCheckBox ||
         element == QStyle::PE_FrameGroupBox;
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
                  ratio};
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

void CachedPrimitiveStyle::Install() {
  QApplication::setStyle(new CachedPrimitiveStyle(QApplication::style()->name()));
}

}  // namespace zantor
