// Shared main of every test binary: a QApplication on the offscreen platform (unless
// the caller chose another), so widget tests need no display.
#include <gtest/gtest.h>

#include <QApplication>
#include <clocale>
#include <cstdlib>

int main(int argc, char** argv) {
  if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QApplication app(argc, argv);
  std::setlocale(LC_NUMERIC, "C");  // the video player library needs it
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
