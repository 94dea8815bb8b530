#include "graphics/image_ex.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QEnterEvent>
#include <QImage>
#include <QMouseEvent>
#include <QPixmap>
#include <vector>

#include "graphics/color_table.h"

namespace zantor {
namespace {

std::unique_ptr<DisplayPicture> GreyPicture(int width, int height) {
  ColorTable master;
  master.Set(0, 0x404040);
  return std::make_unique<DisplayPicture>(width, height, master);
}

void Press(QWidget& widget, QPointF at, Qt::MouseButton button,
           Qt::KeyboardModifiers modifiers) {
  QMouseEvent event(QEvent::MouseButtonPress, at, widget.mapToGlobal(at), button, button,
                    modifiers);
  QApplication::sendEvent(&widget, &event);
}

void Move(QWidget& widget, QPointF at, Qt::MouseButtons held, Qt::KeyboardModifiers modifiers) {
  QMouseEvent event(QEvent::MouseMove, at, widget.mapToGlobal(at), Qt::NoButton, held,
                    modifiers);
  QApplication::sendEvent(&widget, &event);
}

class ImageControl : public ::testing::Test {
 protected:
  void SetUp() override { control.SetPicture(GreyPicture(64, 48)); }
  TImageEx control;
};

TEST_F(ImageControl, TakesThePictureAndItsSize) {
  EXPECT_EQ(control.Picture()->Width(), 64);
  EXPECT_EQ(control.size(), QSize(64, 48));
  EXPECT_EQ(control.sizeHint(), QSize(64, 48));
  control.SetTag(3);
  EXPECT_EQ(control.Tag(), 3);
}

TEST_F(ImageControl, ClickArrivesWithButtonModifiersAndPicturePosition) {
  std::vector<ImageMouseEvent> downs;
  TImageEx* sender = nullptr;
  control.OnMouseDown = [&](TImageEx& from, const ImageMouseEvent& event) {
    sender = &from;
    downs.push_back(event);
  };
  Press(control, {12.7, 30.2}, Qt::LeftButton, Qt::ShiftModifier);
  Press(control, {0, 47}, Qt::RightButton, Qt::ControlModifier);
  Press(control, {5, 6}, Qt::MiddleButton, Qt::ShiftModifier | Qt::ControlModifier);
  ASSERT_EQ(downs.size(), 3u);
  EXPECT_EQ(sender, &control);
  EXPECT_EQ(downs[0].button, Qt::LeftButton);
  EXPECT_TRUE(downs[0].shift);
  EXPECT_FALSE(downs[0].ctrl);
  EXPECT_EQ(downs[0].x, 12);
  EXPECT_EQ(downs[0].y, 30);
  EXPECT_EQ(downs[1].button, Qt::RightButton);
  EXPECT_FALSE(downs[1].shift);
  EXPECT_TRUE(downs[1].ctrl);
  EXPECT_EQ(downs[1].y, 47);
  EXPECT_EQ(downs[2].button, Qt::MiddleButton);
  EXPECT_TRUE(downs[2].shift && downs[2].ctrl);
}

TEST_F(ImageControl, MovesReportHeldButtonsAndPositionsOutsideWhileDragging) {
  std::vector<ImageMouseEvent> moves;
  control.OnMouseMove = [&](TImageEx&, const ImageMouseEvent& event) { moves.push_back(event); };
  Move(control, {10, 11}, Qt::NoButton, Qt::NoModifier);
  Move(control, {-3.5, 70}, Qt::LeftButton, Qt::ControlModifier);
  ASSERT_EQ(moves.size(), 2u);
  EXPECT_EQ(moves[0].button, Qt::NoButton);
  EXPECT_EQ(moves[0].buttons, Qt::MouseButtons(Qt::NoButton));
  EXPECT_EQ(moves[0].x, 10);
  EXPECT_EQ(moves[1].buttons, Qt::MouseButtons(Qt::LeftButton));
  EXPECT_TRUE(moves[1].ctrl);
  EXPECT_EQ(moves[1].x, -4);
  EXPECT_EQ(moves[1].y, 70);
}

TEST_F(ImageControl, EnterAndLeaveRaiseTheirHandlersOnce) {
  int enters = 0;
  int leaves = 0;
  TImageEx* left = nullptr;
  control.OnMouseEnter = [&](TImageEx&) { ++enters; };
  control.OnMouseLeave = [&](TImageEx& sender) {
    ++leaves;
    left = &sender;
  };
  QEnterEvent enter({5, 5}, {5, 5}, control.mapToGlobal(QPointF(5, 5)));
  QApplication::sendEvent(&control, &enter);
  QEvent leave(QEvent::Leave);
  QApplication::sendEvent(&control, &leave);
  EXPECT_EQ(enters, 1);
  EXPECT_EQ(leaves, 1);
  EXPECT_EQ(left, &control);
}

TEST_F(ImageControl, WithoutHandlersNothingHappens) {
  Press(control, {1, 1}, Qt::LeftButton, Qt::NoModifier);
  Move(control, {2, 2}, Qt::NoButton, Qt::NoModifier);
  QEnterEvent enter({5, 5}, {5, 5}, control.mapToGlobal(QPointF(5, 5)));
  QApplication::sendEvent(&control, &enter);
  QEvent leave(QEvent::Leave);
  QApplication::sendEvent(&control, &leave);
  SUCCEED();  // calling an empty handler would have thrown std::bad_function_call
}

// Counts its paints, to see that drawing on the picture asks for one.
class CountingImage : public TImageEx {
 public:
  int paints = 0;

 protected:
  void paintEvent(QPaintEvent* event) override {
    ++paints;
    TImageEx::paintEvent(event);
  }
};

TEST(ImageControlPainting, DrawingOnThePictureRepaintsTheControl) {
  CountingImage control;
  control.SetPicture(GreyPicture(16, 16));
  control.show();
  QApplication::processEvents();
  control.paints = 0;
  control.Picture()->FillRect({0, 0, 4, 4}, 0);
  QApplication::processEvents();
  EXPECT_GE(control.paints, 1);
}

TEST(ImageControlPainting, ShowsThePicturePixelsSharply) {
  TImageEx control;
  control.SetPicture(GreyPicture(8, 4));
  control.Picture()->DrawLine({0, 1}, {8, 1}, 0x0000FF);
  control.Picture()->DrawLine({3, 0}, {3, 4}, 0xFF0000);
  const QImage shown = control.grab().toImage().convertToFormat(QImage::Format_RGB32);
  ASSERT_EQ(shown.size(), QSize(8, 4));
  EXPECT_EQ(shown.pixel(0, 0), qRgb(0x40, 0x40, 0x40));
  EXPECT_EQ(shown.pixel(0, 1), qRgb(0xFF, 0, 0));
  EXPECT_EQ(shown.pixel(3, 3), qRgb(0, 0, 0xFF));
  EXPECT_EQ(shown.pixel(4, 3), qRgb(0x40, 0x40, 0x40));
}

}  // namespace
}  // namespace zantor
