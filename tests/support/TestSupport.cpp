#include "tests/support/TestSupport.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QThread>
#include <atomic>
#include <chrono>
#include <filesystem>
#include <unistd.h>

namespace testsupport {

std::string MakeTempDir(const std::string& tag) {
  static std::atomic<int> counter{0};
  std::filesystem::path p = std::filesystem::path(CORVALE_BINARY_DIR) / "test-tmp" /
                            (tag + "-" + std::to_string(getpid()) + "-" + std::to_string(counter++));
  std::filesystem::remove_all(p);
  std::filesystem::create_directories(p);
  return p.string();
}

std::string ArtifactDir() {
  std::filesystem::path p = std::filesystem::path(CORVALE_BINARY_DIR) / "test-artifacts";
  std::filesystem::create_directories(p);
  return p.string();
}

bool WaitUntil(const std::function<bool()>& pred, int timeoutMs) {
  QElapsedTimer t;
  t.start();
  while (!pred()) {
    if (t.elapsed() > timeoutMs) return pred();
    QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    QThread::msleep(2);
  }
  return true;
}

void Pump(int ms) {
  QElapsedTimer t;
  t.start();
  while (t.elapsed() < ms) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    QThread::msleep(2);
  }
}

}  // namespace testsupport
