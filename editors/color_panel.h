#pragma once

#include <QColor>
#include <QPalette>
#include <QWidget>
#include <cstdint>

namespace zantor {

// Fills a plain panel with a colour given as 0x00BBGGRR.
inline void ShowPanelColor(QWidget& panel, std::uint32_t color) {
  QPalette palette = panel.palette();
  palette.setColor(QPalette::Window,
                   QColor(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF));
  panel.setAutoFillBackground(true);
  panel.setPalette(palette);
}

}  // namespace zantor
