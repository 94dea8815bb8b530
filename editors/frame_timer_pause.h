#pragma once

#include <QTimer>

namespace zantor {

// Stops the frame timer while a switch (stage, palette definition, animation byte) runs, so
// no animation tick lands between its steps, and starts it again when the switch is done.
class FrameTimerPause {
 public:
  explicit FrameTimerPause(QTimer& timer) : timer_(timer) { timer_.stop(); }
  ~FrameTimerPause() { timer_.start(); }
  FrameTimerPause(const FrameTimerPause&) = delete;
  FrameTimerPause& operator=(const FrameTimerPause&) = delete;

 private:
  QTimer& timer_;
};

}  // namespace zantor
