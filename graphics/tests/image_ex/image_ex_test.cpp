#include "graphics/image_ex.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QEnterEvent>
#include <QImage>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPixmap>
#include <QRegion>
#include <QScreen>
#include <functional>
#include <string>
#include <vector>

#include "graphics/color_table.h"
#include "graphics/indexed_bitmap.h"

namespace zantor {
namespace {

std::unique_ptr<DisplayPicture> GreyPicture(int width, int height) {
  ColorTable master;
  master.Set(0, 0x404040);
  return std::make_unique<DisplayPicture>(width, height, master);
}

void Press(QWidget& widget, QPointF at, Qt::MouseButton button, Qt::KeyboardModifiers modifiers) {
  QMouseEvent event(QEvent::MouseButtonPress, at, widget.mapToGlobal(at), button, button,
                    modifiers);
  QApplication::sendEvent(&widget, &event);
}

void Move(QWidget& widget, QPointF at, Qt::MouseButtons held, Qt::KeyboardModifiers modifiers) {
  QMouseEvent event(QEvent::MouseMove, at, widget.mapToGlobal(at), Qt::NoButton, held, modifiers);
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
}

// "button/buttons[ shift][ ctrl] x,y", the buttons as Qt's flag values.
std::string Describe(const ImageMouseEvent& e) {
  return std::to_string(e.button) + "/" + std::to_string(e.buttons.toInt()) +
         (e.shift ? " shift" : "") + (e.ctrl ? " ctrl" : "") + " " + std::to_string(e.x) + "," +
         std::to_string(e.y);
}

TEST_F(ImageControl, ClicksAndMovesArriveWithButtonsModifiersAndPicturePosition) {
  std::vector<std::string> events;
  std::vector<TImageEx*> senders;
  const auto record = [&](TImageEx& from, const ImageMouseEvent& event) {
    senders.push_back(&from);
    events.push_back(Describe(event));
  };
  control.OnMouseDown = record;
  control.OnMouseMove = record;
  Press(control, {12.7, 30.2}, Qt::LeftButton, Qt::ShiftModifier);
  Press(control, {0, 47}, Qt::RightButton, Qt::ControlModifier);
  Press(control, {5, 6}, Qt::MiddleButton, Qt::ShiftModifier | Qt::ControlModifier);
  Move(control, {10, 11}, Qt::NoButton, Qt::NoModifier);
  Move(control, {-3.5, 70}, Qt::LeftButton, Qt::ControlModifier);  // dragged outside
  EXPECT_EQ(events,
            (std::vector<std::string>{"1/1 shift 12,30", "2/2 ctrl 0,47", "4/4 shift ctrl 5,6",
                                      "0/0 10,11", "0/1 ctrl -4,70"}));
  EXPECT_EQ(senders, std::vector<TImageEx*>(5, &control));
}

void EnterAndLeave(QWidget& widget) {
  QEnterEvent enter({5, 5}, {5, 5}, widget.mapToGlobal(QPointF(5, 5)));
  QApplication::sendEvent(&widget, &enter);
  QEvent leave(QEvent::Leave);
  QApplication::sendEvent(&widget, &leave);
}

TEST_F(ImageControl, EnterAndLeaveRaiseTheirHandlersOnceAndNothingWithoutHandlers) {
  // Calling an empty handler would throw std::bad_function_call.
  Press(control, {1, 1}, Qt::LeftButton, Qt::NoModifier);
  Move(control, {2, 2}, Qt::NoButton, Qt::NoModifier);
  EnterAndLeave(control);

  int enters = 0;
  int leaves = 0;
  TImageEx* left = nullptr;
  control.OnMouseEnter = [&](TImageEx&) { ++enters; };
  control.OnMouseLeave = [&](TImageEx& sender) {
    ++leaves;
    left = &sender;
  };
  EnterAndLeave(control);
  EXPECT_EQ(enters, 1);
  EXPECT_EQ(leaves, 1);
  EXPECT_EQ(left, &control);
}

// Counts its paints and keeps the area they covered, to see what a drawing asks for.
class CountingImage : public TImageEx {
 public:
  int paints = 0;
  QRegion painted;

 protected:
  void paintEvent(QPaintEvent* event) override {
    ++paints;
    painted += event->region();
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

// Every colour a picture of the bitmap's checkerboard shows differs from its neighbours'.
IndexedBitmap Checkerboard() {
  IndexedBitmap bitmap;
  bitmap.SetWidth(16);
  bitmap.SetHeight(16);
  for (int index = 0; index < 4; ++index) bitmap.SetPaletteEntry(index, 0x1020F0u * index + 7);
  for (int y = 0; y < 16; ++y) {
    for (int x = 0; x < 16; ++x) bitmap.ScanLine(y)[x] = static_cast<std::uint8_t>((x + y) % 4);
  }
  return bitmap;
}

struct PartDrawing {
  const char* what;
  std::function<void(DisplayPicture&)> draw;
  QRect painted;
};

const std::vector<PartDrawing> kPartDrawings = {
    {"hover frame", [](DisplayPicture& p) { p.DrawPolyline({{16, 8}, {31, 8}, {31, 23}, {16, 23}, {16, 8}}, 0xFF00FF); },
     {16, 8, 16, 16}},
    {"cell copied 2x, clipped at the right",
     [](DisplayPicture& p) { Checkerboard().CopyRegion(p, {48, 4, 80, 36}, {0, 0, 16, 16}); },
     {48, 4, 16, 32}},
    {"text in a viewport, clipped at its corner",
     [](DisplayPicture& p) {
       const DisplayPicture::Viewport room(p, {32, 24, 64, 48});
       p.DrawHexByte({25, 20}, 0x5A);
     },
     {57, 44, 7, 4}},
    {"line outside the picture", [](DisplayPicture& p) { p.DrawLine({0, 60}, {10, 60}, 0xFFFFFF); },
     {}},
};

// Where the control shows on the screen, as the window was last painted.
QImage OnScreen(const QWidget& control) {
  return control.screen()
      ->grabWindow(control.window()->winId(), 0, 0, control.width(), control.height())
      .toImage()
      .convertToFormat(QImage::Format_RGB32);
}

TEST(ImageControlPainting, ADrawingPaintsItsRectangleAndTheWindowThenShowsTheWholePicture) {
  CountingImage control;
  control.SetPicture(GreyPicture(64, 48));
  control.show();
  QApplication::processEvents();
  for (const PartDrawing& drawing : kPartDrawings) {
    SCOPED_TRACE(drawing.what);
    control.painted = QRegion();
    drawing.draw(*control.Picture());
    QApplication::processEvents();
    if (drawing.painted.isEmpty()) {
      EXPECT_TRUE(control.painted.isEmpty());
    } else {
      EXPECT_EQ(control.painted.boundingRect(), drawing.painted);
    }
    // What the window shows after painting parts equals a full repaint, pixel by pixel.
    const QImage full = control.grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(OnScreen(control), full);
    EXPECT_EQ(full.pixel(16, 8), qRgb(0xFF, 0, 0xFF));
    EXPECT_EQ(full.pixel(0, 47), qRgb(0x40, 0x40, 0x40));
  }
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

TEST(ImageControlPainting, EachPicturePixelIsASharpBlockAtDoubleDensity) {
  TImageEx control;
  control.SetPicture(GreyPicture(4, 3));
  control.Picture()->DrawLine({1, 0}, {1, 3}, 0xFFFFFF);
  control.Picture()->DrawLine({0, 2}, {4, 2}, 0x0000FF);
  QImage shown(8, 6, QImage::Format_RGB32);
  shown.setDevicePixelRatio(2);
  shown.fill(Qt::green);
  control.render(&shown);
  // g grey, w white, r red; smoothing would blend neighbours into other colours.
  const std::vector<std::string> expected{"ggwwgggg", "ggwwgggg", "ggwwgggg",
                                          "ggwwgggg", "rrrrrrrr", "rrrrrrrr"};
  std::vector<std::string> rows;
  for (int y = 0; y < shown.height(); ++y) {
    std::string row;
    for (int x = 0; x < shown.width(); ++x) {
      const QRgb pixel = shown.pixel(x, y);
      row += pixel == qRgb(0x40, 0x40, 0x40)   ? 'g'
             : pixel == qRgb(0xFF, 0xFF, 0xFF) ? 'w'
             : pixel == qRgb(0xFF, 0, 0)       ? 'r'
                                               : '?';
    }
    rows.push_back(row);
  }
  EXPECT_EQ(rows, expected);
}

}  // namespace
}  // namespace zantor
