#pragma once

#include <QWidget>
#include <functional>
#include <memory>

#include "graphics/display_picture.h"

namespace zantor {

// A mouse press or move over an image control, in picture pixels.
struct ImageMouseEvent {
  Qt::MouseButton button = Qt::NoButton;  // the button that went down or up; none for a move
  Qt::MouseButtons buttons;               // every button held
  bool shift = false;
  bool ctrl = false;
  int x = 0;
  int y = 0;
};

// The control behind every picture area: shows its own DisplayPicture one picture pixel
// per logical pixel, sharp at any device pixel ratio, repaints whenever the picture
// reports a drawing, and reports the mouse through handlers that receive the sender
// first. Without a handler an event does nothing.
class TImageEx : public QWidget {
  Q_OBJECT

 public:
  explicit TImageEx(QWidget* parent = nullptr);
  ~TImageEx() override;

  // Takes the picture over and sizes the control to it.
  void SetPicture(std::unique_ptr<DisplayPicture> picture);
  DisplayPicture* Picture() const { return picture_.get(); }

  QSize sizeHint() const override;

  std::function<void(TImageEx& sender, const ImageMouseEvent& event)> OnMouseDown;
  std::function<void(TImageEx& sender, const ImageMouseEvent& event)> OnMouseMove;
  std::function<void(TImageEx& sender, const ImageMouseEvent& event)> OnMouseUp;
  std::function<void(TImageEx& sender)> OnMouseEnter;
  std::function<void(TImageEx& sender)> OnMouseLeave;

 protected:
  virtual void DoMouseDown(const ImageMouseEvent& event);
  virtual void DoMouseMove(const ImageMouseEvent& event);
  virtual void DoMouseUp(const ImageMouseEvent& event);
  virtual void DoMouseEnter();
  virtual void DoMouseLeave();

  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;

 private:
  std::unique_ptr<DisplayPicture> picture_;
};

}  // namespace zantor
