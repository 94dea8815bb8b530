#include <gtest/gtest.h>

#include <QApplication>

// Widget tests need one QApplication for the whole run; the platform comes from
// QT_QPA_PLATFORM (offscreen under ctest).
int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QApplication::setApplicationName(QStringLiteral("ZANTOR 5 EDITOR"));
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
