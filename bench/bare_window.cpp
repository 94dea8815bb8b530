// The start-up baseline: a bare toolkit window of the editor's size with a menu bar, six
// tabs, a status bar and one 256 x 256 picture, written as a PNG the way a --screenshot run
// writes the editor's window. Usage: bare_window OUT.png
#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QPixmap>
#include <QStatusBar>
#include <QTabWidget>

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  if (argc != 2) return 2;
  QMainWindow window;
  auto* central = new QWidget(&window);
  central->setFixedSize(619, 627);
  window.setCentralWidget(central);
  window.menuBar()->addMenu(QStringLiteral("File"));
  window.setStatusBar(new QStatusBar(&window));
  auto* tabs = new QTabWidget(central);
  tabs->setGeometry(0, 24, 617, 601);
  for (int i = 0; i < 6; ++i) tabs->addTab(new QWidget, QStringLiteral("Tab %1").arg(i));
  QImage picture(256, 256, QImage::Format_RGB32);
  picture.fill(Qt::darkBlue);
  auto* shown = new QLabel(tabs->widget(0));
  shown->setPixmap(QPixmap::fromImage(picture));
  shown->setGeometry(8, 8, 256, 256);
  window.show();
  QApplication::processEvents();
  return window.grab().save(QString::fromLocal8Bit(argv[1]), "PNG") ? 0 : 1;
}
