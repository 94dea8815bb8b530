#pragma once

#include <QFont>
#include <QStringList>

namespace zantor {

// The Japanese Gothic faces the dialogs are laid out for, with the faces found on other
// systems after them.
inline QFont FixedGothic(int pixelSize) {
  QFont font;
  font.setFamilies({QStringLiteral("ＭＳ ゴシック"), QStringLiteral("IPAGothic"),
                    QStringLiteral("IPAゴシック"), QStringLiteral("monospace")});
  font.setStyleHint(QFont::Monospace);
  font.setPixelSize(pixelSize);
  return font;
}

inline QFont ProportionalGothic(int pixelSize) {
  QFont font;
  font.setFamilies({QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("IPAPGothic"),
                    QStringLiteral("IPAPゴシック"), QStringLiteral("sans-serif")});
  font.setPixelSize(pixelSize);
  return font;
}

}  // namespace zantor
