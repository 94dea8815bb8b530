#pragma once

#include <QPixmap>
#include <QProxyStyle>
#include <map>
#include <tuple>

namespace zantor {

// The style of every window, drawing the indicators and frames that a page repeats
// dozens of times (radio buttons, check boxes, group box frames) from pixmaps rendered once
// per look: the style draws each with antialiased paths and scaled border images, which
// made most of a tab page's repaint. What is drawn stays the base style's own drawing.
class CachedPrimitiveStyle : public QProxyStyle {
 public:
  using QProxyStyle::QProxyStyle;

  void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget = nullptr) const override;

  // Makes it the application's style, around the style the application has chosen.
  static void Install();

 private:
  // Everything the base style's drawing of these elements depends on: element, state,
  // size, palette, direction, device pixel ratio.
  using Look = std::tuple<int, int, int, int, qint64, int, qreal>;
  // A page has a few dozen looks; palettes changing without end must not grow it forever.
  static constexpr std::size_t kMaxLooks = 512;

  mutable std::map<Look, QPixmap> pixmaps_;
};

}  // namespace zantor
