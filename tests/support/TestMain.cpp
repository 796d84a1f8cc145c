// Shared main of every test binary: a QApplication on the offscreen platform, so
// widget tests need no display; smoke tests use real windows on the test X server.
#include <gtest/gtest.h>

#include <QApplication>
#include <clocale>
#include <cstdlib>

int main(int argc, char** argv) {
#ifdef CORVALE_SMOKE_TEST
  if (const char* display = std::getenv("CORVALE_TEST_DISPLAY")) {
    setenv("DISPLAY", display, 1);
    setenv("QT_QPA_PLATFORM", "xcb", 1);
  }
#endif
  if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QApplication app(argc, argv);
  std::setlocale(LC_NUMERIC, "C");  // the video player library needs it
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
