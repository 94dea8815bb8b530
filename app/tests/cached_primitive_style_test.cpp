#include "app/cached_primitive_style.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStyleFactory>
#include <algorithm>
#include <cstdlib>
#include <memory>

namespace zantor {
namespace {

// A group of radio buttons, a check box, a label and a button as the tab pages lay them
// out, in one style.
struct Panel {
  explicit Panel(QStyle* style) {
    box = new QGroupBox(QStringLiteral("Group"), &window);
    box->setGeometry(4, 4, 150, 110);
    for (int i = 0; i < 3; ++i) {
      radios[i] = new QRadioButton(QStringLiteral("Item %1").arg(i), box);
      radios[i]->setGeometry(8, 20 + i * 22, 100, 20);
    }
    radios[2]->setEnabled(false);
    check = new QCheckBox(QStringLiteral("Grid"), &window);
    check->setTristate(true);
    check->setGeometry(8, 120, 100, 20);
    label = new QLabel(QStringLiteral("マップセット番号: 0F"), &window);
    label->setGeometry(8, 144, 150, 18);
    button = new QPushButton(QStringLiteral("読み込み(&L)"), &window);
    button->setGeometry(8, 164, 100, 24);
    window.resize(170, 192);
    window.setStyle(style);
    for (QWidget* child : window.findChildren<QWidget*>()) child->setStyle(style);
  }
  QImage Shown() { return window.grab().toImage().convertToFormat(QImage::Format_RGB32); }

  QWidget window;
  QGroupBox* box;
  QRadioButton* radios[3];
  QCheckBox* check;
  QLabel* label;
  QPushButton* button;
};

QFont Resized(QFont font, int pixels, bool bold) {
  font.setPixelSize(pixels);
  font.setBold(bold);
  return font;
}

// A shape drawn onto a transparent pixmap and then laid over the page rounds its edge
// pixels differently from one drawn onto the page; a wrong look differs by far more.
constexpr int kRounding = 2;

// The largest difference of one colour channel between two pictures of the same size.
int LargestDifference(const QImage& a, const QImage& b) {
  if (a.size() != b.size()) return 255;
  int largest = 0;
  for (int y = 0; y < a.height(); ++y) {
    for (int x = 0; x < a.width(); ++x) {
      const QRgb p = a.pixel(x, y);
      const QRgb q = b.pixel(x, y);
      largest = std::max({largest, std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                          std::abs(qBlue(p) - qBlue(q))});
    }
  }
  return largest;
}

TEST(CachedPrimitiveStyle, DrawsEveryStateAsTheStyleItStandsFor) {
  const QString name = QApplication::style()->name();
  const std::unique_ptr<QStyle> plainStyle(QStyleFactory::create(name));
  CachedPrimitiveStyle cachedStyle(name);
  Panel plain(plainStyle.get());
  Panel cached(&cachedStyle);
  // Each state in turn, the cache filled by the ones before: a look kept for the wrong
  // state would show here.
  const auto steps = {
      +[](Panel&) {},
      +[](Panel& p) { p.radios[1]->setChecked(true); },
      +[](Panel& p) { p.check->setChecked(true); },
      +[](Panel& p) { p.radios[0]->setChecked(true); },
      +[](Panel& p) { p.check->setCheckState(Qt::PartiallyChecked); },
      +[](Panel& p) { p.label->setText(QStringLiteral("部屋番号: 27")); },
      // The same texts in other fonts: a label's own, then the group's, which its items take.
      +[](Panel& p) { p.label->setFont(Resized(p.label->font(), 15, true)); },
      +[](Panel& p) { p.box->setFont(Resized(p.box->font(), 16, false)); },
      +[](Panel& p) { p.button->setDown(true); },
      +[](Panel& p) { p.box->setTitle(QStringLiteral("未使用チップ番号")); },
      +[](Panel& p) { p.box->setTitle(QString()); },  // its frame then reaches higher
      +[](Panel& p) { p.box->setCheckable(true); },
      +[](Panel& p) { p.window.setEnabled(false); },
  };
  int step = 0;
  for (const auto change : steps) {
    change(plain);
    change(cached);
    EXPECT_LE(LargestDifference(cached.Shown(), plain.Shown()), kRounding) << "step " << step;
    ++step;
  }
}

}  // namespace
}  // namespace zantor
