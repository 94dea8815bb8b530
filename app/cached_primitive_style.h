#pragma once

#include <QFont>
#include <QPixmap>
#include <QProxyStyle>
#include <QString>
#include <map>
#include <tuple>

namespace zantor {

// The style of every window, drawing the indicators and frames that a page repeats
// dozens of times (radio buttons, check boxes, group box frames) and the texts of labels,
// buttons and tabs from pixmaps rendered once per look: the style draws each indicator with
// antialiased paths and scaled border images, and every text is laid out again at each paint
// with its glyphs looked up through the font substitutions, which made most of a tab page's
// repaint. What is drawn stays the base style's own drawing, but for one thing: a text
// rendered onto a transparent pixmap is antialiased in grey, even on a screen set to
// subpixel antialiasing.
class CachedPrimitiveStyle : public QProxyStyle {
 public:
  using QProxyStyle::QProxyStyle;

  void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget = nullptr) const override;
  QRect subControlRect(ComplexControl control, const QStyleOptionComplex* option,
                       SubControl subControl, const QWidget* widget = nullptr) const override;
  void drawItemText(QPainter* painter, const QRect& rect, int flags, const QPalette& palette,
                    bool enabled, const QString& text,
                    QPalette::ColorRole textRole = QPalette::NoRole) const override;

  // Makes it the application's style, around the style the application has chosen.
  static void Install();

 private:
  // Everything the base style's drawing of these elements depends on: element, state,
  // size, palette, direction, device pixel ratio, and a group box frame's title.
  using Look = std::tuple<int, int, int, int, qint64, int, qreal, int>;
  // A page has a few dozen looks; palettes changing without end must not grow it forever.
  static constexpr std::size_t kMaxLooks = 512;

  // The same for a text: text, flags, size, font, pen colour, palette, colour group with
  // role and enabled state, device pixel ratio.
  // Fonts are compared as they are: their key strings are formatted anew at each call.
  using TextLook = std::tuple<QString, int, int, int, QFont, QRgb, qint64, int, qreal>;
  struct TextPixmap {
    QPoint offset;  // of the pixmap from the rectangle's top-left: text may reach past it
    QPixmap pixmap;
  };

  // The parts of a group box, whose label is measured again at every paint: part, box
  // rectangle, title, alignment, features, parts shown, state, direction, font.
  using GroupBoxLook =
      std::tuple<int, int, int, int, int, QString, int, int, int, int, int, QFont>;

  mutable std::map<Look, QPixmap> pixmaps_;
  mutable std::map<GroupBoxLook, QRect> groupBoxParts_;
  mutable std::map<TextLook, TextPixmap> texts_;
};

}  // namespace zantor
