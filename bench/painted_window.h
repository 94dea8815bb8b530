#pragma once

// What the user waits for: an input event sent to a real control, then the toolkit's paint
// of whatever it marked changed, flushed to the (offscreen) window.
#include <QAbstractSlider>
#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <QWidget>

namespace zantor::bench {

// Runs the posted update requests, so that every widget marked changed is painted.
inline void FlushPaint() { QApplication::processEvents(); }

inline void SendMouse(QWidget& control, QEvent::Type type, int x, int y,
                      Qt::MouseButton button = Qt::NoButton) {
  const QPointF local(x + 0.5, y + 0.5);
  const Qt::MouseButtons held = type == QEvent::MouseButtonPress ? Qt::MouseButtons(button)
                                                                 : Qt::MouseButtons();
  QMouseEvent event(type, local, control.mapToGlobal(local), button, held, Qt::NoModifier);
  QApplication::sendEvent(&control, &event);
}

inline void SendClick(QWidget& control, int x, int y) {
  SendMouse(control, QEvent::MouseButtonPress, x, y, Qt::LeftButton);
  SendMouse(control, QEvent::MouseButtonRelease, x, y, Qt::LeftButton);
}

// The least a toolkit window can do for a picture: one window that blits a 256 x 256 image
// already in the toolkit's pixel order.
class BareBlitWindow : public QWidget {
 public:
  static constexpr int kSide = 256;

  BareBlitWindow() : image_(kSide, kSide, QImage::Format_RGB32) {
    for (int y = 0; y < kSide; ++y) {
      auto* row = reinterpret_cast<QRgb*>(image_.scanLine(y));
      for (int x = 0; x < kSide; ++x) row[x] = qRgb(x, y, (x ^ y) & 0xFF);
    }
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFixedSize(kSide, kSide);
    show();
    FlushPaint();
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    painter.drawImage(0, 0, image_);
  }

 private:
  QImage image_;
};

}  // namespace zantor::bench
