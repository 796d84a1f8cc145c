// The notification-area stand-in over QSystemTrayIcon.
#include "platform/tray/NotifyIcon.h"

#include <QCoreApplication>
#include <QIcon>
#include <QImage>
#include <QMetaObject>
#include <QPixmap>
#include <QSystemTrayIcon>
#include <QTimer>
#include <algorithm>
#include <cstring>
#include <map>
#include <memory>
#include <vector>

#include "framework/graphics/Icon.h"
#include "framework/windows/Application.h"
#include "framework/windows/Forms.h"
#include "framework/windows/Windows.h"

namespace {

struct TrayIcon {
  std::unique_ptr<QSystemTrayIcon> Qt;
  UINT CallbackMessage = 0;
  bool WantsMessages = false;
};

std::map<std::pair<HWND, UINT>, TrayIcon>& Icons() {
  static std::map<std::pair<HWND, UINT>, TrayIcon> icons;
  return icons;
}

std::map<std::string, UINT>& Registered() {
  static std::map<std::string, UINT> names;
  return names;
}

QIcon ToQIcon(HICON icon) {
  // A tray cannot show an icon without a picture: the program's own icon stands in, or
  // the standard one when the program has none.
  if (!icon || icon->Empty()) icon = Application->Icon();
  if (!icon || icon->Empty()) icon = StandardApplicationIcon();
  QImage image(icon->Width(), icon->Height(), QImage::Format_ARGB32);
  for (int y = 0; y < icon->Height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < icon->Width(); ++x) line[x] = icon->ArgbPixel(x, y);
  }
  return QIcon(QPixmap::fromImage(image));
}

std::string TipOf(const TNotifyIconData& d) {
  return std::string(d.szTip, strnlen(d.szTip, sizeof d.szTip - 1));
}

// Sends the mouse messages of an activation to the callback window, in order.
void Report(HWND wnd, UINT id, QSystemTrayIcon::ActivationReason reason) {
  auto it = Icons().find({wnd, id});
  if (it == Icons().end() || !it->second.WantsMessages) return;
  const UINT cb = it->second.CallbackMessage;
  auto post = [&](UINT mouse) { PostMessage(wnd, cb, id, LPARAM(mouse)); };
  switch (reason) {
    case QSystemTrayIcon::Trigger: post(WM_LBUTTONDOWN); post(WM_LBUTTONUP); break;
    case QSystemTrayIcon::DoubleClick: post(WM_LBUTTONDBLCLK); break;
    case QSystemTrayIcon::Context: post(WM_RBUTTONDOWN); post(WM_RBUTTONUP); break;
    case QSystemTrayIcon::MiddleClick: post(WM_MBUTTONDOWN); post(WM_MBUTTONUP); break;
    default: break;
  }
}

// Watches for a notification area to appear: each time one does, "TaskbarCreated" is
// broadcast.
class TrayWatcher {
 public:
  static void Start() {
    static TrayWatcher* watcher = nullptr;
    if (watcher || !QCoreApplication::instance()) return;
    watcher = new TrayWatcher();
  }

 private:
  TrayWatcher() : FAvailable(QSystemTrayIcon::isSystemTrayAvailable()) {
    auto* timer = new QTimer(QCoreApplication::instance());
    QObject::connect(timer, &QTimer::timeout, [this] { Poll(); });
    timer->start(250);
  }
  void Poll() {
    const bool now = QSystemTrayIcon::isSystemTrayAvailable();
    // Icons go with the notification area that showed them; the owners add them again
    // when told that a new one is there.
    if (!now && FAvailable) DropIcons();
    if (now && !FAvailable) Broadcast(RegisterWindowMessage("TaskbarCreated"));
    FAvailable = now;
  }
  static void DropIcons() {
    for (auto& [key, icon] : Icons()) {
      icon.Qt->hide();
      icon.Qt.release()->deleteLater();
    }
    Icons().clear();
  }
  static void Broadcast(UINT msg) {
    Application->Guard([msg] {
      TMessage m{msg, 0, 0, 0};
      Application->MainWindowMessage(m);
    });
    for (int i = 0; i < Screen()->FormCount(); ++i) {
      TCustomForm* f = Screen()->Forms(i);
      if (f->HandleAllocated()) PostMessage(f->HandleValue(), msg, 0, 0);
    }
  }
  bool FAvailable;
};

}  // namespace

UINT RegisterWindowMessage(const std::string& name) {
  auto& names = Registered();
  auto it = names.find(name);
  if (it != names.end()) return it->second;
  const UINT id = 0xC000 + UINT(names.size());
  names.emplace(name, id);
  if (name == "TaskbarCreated") TrayWatcher::Start();
  return id;
}

bool NotificationAreaAvailable() {
  Application_Initialize();
  return QSystemTrayIcon::isSystemTrayAvailable();
}

bool Shell_NotifyIcon(DWORD message, const TNotifyIconData* d) {
  if (!d) return false;
  Application_Initialize();
  TrayWatcher::Start();
  auto& icons = Icons();
  const auto key = std::make_pair(d->Wnd, d->uID);
  auto it = icons.find(key);
  switch (message) {
    case NIM_ADD: {
      if (it != icons.end() || !IsWindow(d->Wnd)) return false;
      if (!QSystemTrayIcon::isSystemTrayAvailable()) return false;
      TrayIcon& icon = icons[key];
      icon.Qt = std::make_unique<QSystemTrayIcon>();
      const HWND wnd = d->Wnd;
      const UINT id = d->uID;
      QObject::connect(icon.Qt.get(), &QSystemTrayIcon::activated,
                       [wnd, id](QSystemTrayIcon::ActivationReason r) { Report(wnd, id, r); });
      icon.Qt->setIcon(ToQIcon((d->uFlags & NIF_ICON) ? d->hIcon : nullptr));
      if (d->uFlags & NIF_TIP) icon.Qt->setToolTip(QString::fromStdString(TipOf(*d)));
      if (d->uFlags & NIF_MESSAGE) {
        icon.CallbackMessage = d->uCallbackMessage;
        icon.WantsMessages = true;
      }
      icon.Qt->show();
      return true;
    }
    case NIM_MODIFY: {
      if (it == icons.end()) return false;
      TrayIcon& icon = it->second;
      if (d->uFlags & NIF_ICON) icon.Qt->setIcon(ToQIcon(d->hIcon));
      if (d->uFlags & NIF_TIP) icon.Qt->setToolTip(QString::fromStdString(TipOf(*d)));
      if (d->uFlags & NIF_MESSAGE) {
        icon.CallbackMessage = d->uCallbackMessage;
        icon.WantsMessages = true;
      }
      return true;
    }
    case NIM_DELETE: {
      if (it == icons.end()) return false;
      it->second.Qt->hide();
      // Not inside the icon's own activation signal: the object goes on the event loop.
      it->second.Qt.release()->deleteLater();
      icons.erase(it);
      return true;
    }
    default:
      return false;
  }
}

bool NotifyIconShown(HWND wnd, UINT id, std::string* tip, TIcon* picture) {
  auto it = Icons().find({wnd, id});
  if (it == Icons().end()) return false;
  if (tip) *tip = it->second.Qt->toolTip().toStdString();
  if (picture) {
    const QIcon icon = it->second.Qt->icon();
    const QList<QSize> sizes = icon.availableSizes();
    QImage image = icon.pixmap(sizes.isEmpty() ? QSize(32, 32) : sizes.first()).toImage();
    image = image.convertToFormat(QImage::Format_ARGB32);
    std::vector<std::uint32_t> argb;
    for (int y = 0; y < image.height(); ++y) {
      auto* line = reinterpret_cast<const std::uint32_t*>(image.constScanLine(y));
      argb.insert(argb.end(), line, line + image.width());
    }
    picture->SetFromArgb(image.width(), image.height(), argb.data());
  }
  return it->second.Qt->isVisible();
}

void SimulateNotifyIconActivation(HWND wnd, UINT id, int reason) {
  static const QSystemTrayIcon::ActivationReason reasons[] = {
      QSystemTrayIcon::Context, QSystemTrayIcon::DoubleClick, QSystemTrayIcon::Trigger, QSystemTrayIcon::MiddleClick};
  if (reason < 0 || reason > 3) return;
  Report(wnd, id, reasons[reason]);
}
