#include "graphics/image_ex.h"

#include <QImage>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <cmath>

namespace zantor {

namespace {

ImageMouseEvent FromQt(const QMouseEvent& event, Qt::MouseButton button) {
  ImageMouseEvent result;
  result.button = button;
  result.buttons = event.buttons();
  result.shift = event.modifiers().testFlag(Qt::ShiftModifier);
  result.ctrl = event.modifiers().testFlag(Qt::ControlModifier);
  // One logical pixel is one picture pixel; floor keeps positions left of or above the
  // control (while a button is held) negative.
  result.x = static_cast<int>(std::floor(event.position().x()));
  result.y = static_cast<int>(std::floor(event.position().y()));
  return result;
}

}  // namespace

TImageEx::TImageEx(QWidget* parent) : QWidget(parent) {
  setMouseTracking(true);  // moves are reported without a button held
}

TImageEx::~TImageEx() = default;

void TImageEx::SetPicture(std::unique_ptr<DisplayPicture> picture) {
  picture_ = std::move(picture);
  if (picture_) {
    // Only what a drawing changed is painted again: a hover frame costs its outline.
    picture_->SetChangeHandler([this](const PixelRect& changed) {
      if (!changed.Empty()) update(changed.left, changed.top, changed.Width(), changed.Height());
    });
    setFixedSize(picture_->Width(), picture_->Height());
    setAttribute(Qt::WA_OpaquePaintEvent);
  }
  updateGeometry();
  update();
}

QSize TImageEx::sizeHint() const {
  return picture_ ? QSize(picture_->Width(), picture_->Height()) : QWidget::sizeHint();
}

void TImageEx::DoMouseDown(const ImageMouseEvent& event) {
  if (OnMouseDown) OnMouseDown(*this, event);
}

void TImageEx::DoMouseMove(const ImageMouseEvent& event) {
  if (OnMouseMove) OnMouseMove(*this, event);
}

void TImageEx::DoMouseUp(const ImageMouseEvent& event) {
  if (OnMouseUp) OnMouseUp(*this, event);
}

void TImageEx::DoMouseEnter() {
  if (OnMouseEnter) OnMouseEnter(*this);
}

void TImageEx::DoMouseLeave() {
  if (OnMouseLeave) OnMouseLeave(*this);
}

void TImageEx::paintEvent(QPaintEvent* event) {
  if (!picture_) return;
  // The picture's words are in the toolkit's own order: each part is a plain blit.
  const QImage image(reinterpret_cast<const uchar*>(picture_->Words()), picture_->Width(),
                     picture_->Height(), picture_->BytesPerLine(), QImage::Format_RGB32);
  QPainter painter(this);
  painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
  for (const QRect& area : event->region()) {
    const QRect part = area.intersected(image.rect());
    painter.drawImage(part.topLeft(), image, part);
  }
}

void TImageEx::mousePressEvent(QMouseEvent* event) { DoMouseDown(FromQt(*event, event->button())); }

void TImageEx::mouseMoveEvent(QMouseEvent* event) { DoMouseMove(FromQt(*event, Qt::NoButton)); }

void TImageEx::mouseReleaseEvent(QMouseEvent* event) {
  DoMouseUp(FromQt(*event, event->button()));
}

void TImageEx::enterEvent(QEnterEvent*) { DoMouseEnter(); }

void TImageEx::leaveEvent(QEvent*) { DoMouseLeave(); }

}  // namespace zantor
