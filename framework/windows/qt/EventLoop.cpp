// The event loop and application-wide services over QApplication.
#include <QApplication>
#include <QEventLoop>
#include <QMessageBox>
#include <QMetaObject>
#include <utility>
#include <vector>

#include "framework/graphics/DisplayPlatform.h"
#include "framework/graphics/qt/QtBridge.h"
#include "framework/windows/Application.h"
#include "framework/windows/EventLoop.h"
#include "framework/windows/Windows.h"

namespace {
int gArgc = 1;
char gArgv0[] = "corvale";
char* gArgv[] = {gArgv0, nullptr};
}  // namespace

namespace eventloop {
bool Create() {
  if (QCoreApplication::instance()) return false;
  SelectDisplayPlatform(gArgc, gArgv);  // XWayland under Wayland: we position windows ourselves
  new QApplication(gArgc, gArgv);
  return true;
}

void Destroy() { delete QCoreApplication::instance(); }

bool Exists() { return QCoreApplication::instance() != nullptr; }

bool Post(std::function<void()> fn) {
  QCoreApplication* app = QCoreApplication::instance();
  if (!app) return false;
  QMetaObject::invokeMethod(app, std::move(fn), Qt::QueuedConnection);
  return true;
}

void Wake() {
  Post([] {});
}

void ProcessPending() { QCoreApplication::processEvents(QEventLoop::AllEvents); }

void WaitAndProcess() { QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents | QEventLoop::AllEvents); }

bool AnyWindowActive() { return QApplication::activeWindow() != nullptr; }

// Qt hands it to every top-level window that has no icon of its own.
void SetDefaultWindowIcon(const TIcon& icon) { QApplication::setWindowIcon(ToQIcon(icon)); }

int ShowMessageBox(const std::string& text, const std::string& title, unsigned flags) {
  QMessageBox box;
  box.setText(QString::fromStdString(text));
  box.setWindowTitle(QString::fromStdString(title));
  switch (flags & 0xF0) {
    case MB_ICONERROR: box.setIcon(QMessageBox::Critical); break;
    case MB_ICONQUESTION: box.setIcon(QMessageBox::Question); break;
    case MB_ICONWARNING: box.setIcon(QMessageBox::Warning); break;
    case MB_ICONINFORMATION: box.setIcon(QMessageBox::Information); break;
    default: break;
  }
  using B = QMessageBox::StandardButton;
  std::vector<std::pair<B, int>> buttons;
  switch (flags & 0x0F) {
    case MB_OKCANCEL: buttons = {{B::Ok, IDOK}, {B::Cancel, IDCANCEL}}; break;
    case MB_ABORTRETRYIGNORE: buttons = {{B::Abort, IDABORT}, {B::Retry, IDRETRY}, {B::Ignore, IDIGNORE}}; break;
    case MB_YESNOCANCEL: buttons = {{B::Yes, IDYES}, {B::No, IDNO}, {B::Cancel, IDCANCEL}}; break;
    case MB_YESNO: buttons = {{B::Yes, IDYES}, {B::No, IDNO}}; break;
    case MB_RETRYCANCEL: buttons = {{B::Retry, IDRETRY}, {B::Cancel, IDCANCEL}}; break;
    default: buttons = {{B::Ok, IDOK}}; break;
  }
  QMessageBox::StandardButtons set;
  for (auto& b : buttons) set |= b.first;
  box.setStandardButtons(set);
  int answer = box.exec();
  for (auto& b : buttons)
    if (answer == b.first) return b.second;
  // Closed without a button: Cancel where there is one, else the only answer.
  for (auto& b : buttons)
    if (b.second == IDCANCEL) return IDCANCEL;
  return buttons.front().second;
}
}  // namespace eventloop
