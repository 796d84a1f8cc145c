// TTimer and window timers over QTimer.
#include <QTimer>

#include "framework/windows/Application.h"
#include "framework/windows/Timers.h"
#include "framework/windows/qt/WindowWidgets.h"
#include "framework/windows/Windows.h"

struct TTimer::Impl {
  QTimer* Timer = nullptr;  // deleted by the event loop, never inside its own tick
};

TTimer::TTimer(TComponent* AOwner) : TComponent(AOwner), FImpl(std::make_unique<Impl>()) {
  UpdateTimer();
}

TTimer::~TTimer() {
  if (FImpl->Timer) {
    FImpl->Timer->stop();
    FImpl->Timer->disconnect();
    FImpl->Timer->deleteLater();
    FImpl->Timer = nullptr;
  }
}

void TTimer::SetInterval(unsigned ms) {
  if (ms == FInterval) return;
  FInterval = ms;
  UpdateTimer();
}

void TTimer::SetEnabled(bool v) {
  if (v == FEnabled) return;
  FEnabled = v;
  UpdateTimer();
}

void TTimer::Loaded() {
  TComponent::Loaded();
  UpdateTimer();
}

void TTimer::UpdateTimer() {
  bool run = FEnabled && FInterval > 0 && !IsLoading() && !IsDestroying();
  if (!run) {
    if (FImpl->Timer) FImpl->Timer->stop();
    return;
  }
  if (!FImpl->Timer) {
    Application_Initialize();  // a timer needs the event loop
    FImpl->Timer = new QTimer();
    QObject::connect(FImpl->Timer, &QTimer::timeout, [this] {
      // Nothing of this object is touched after the handler: it may free the timer.
      Application->Guard([this] { Timer(); });
    });
  }
  FImpl->Timer->start(int(FInterval));
}

void TTimer::Timer() {
  if (OnTimer) {
    TNotifyEvent handler = OnTimer;
    handler(this);
  }
}

// ---------------------------------------------------------------------------------------
std::uintptr_t SetTimer(HWND wnd, std::uintptr_t id, UINT ms) {
  TWinControl* c = FindControl(wnd);
  if (!c || !c->WindowImpl()) return 0;
  auto& timers = c->WindowImpl()->W->Timers;
  QPointer<QTimer>& slot = timers[id];
  if (!slot) {
    slot = new QTimer();
    QObject::connect(slot.data(), &QTimer::timeout, [wnd, id] {
      if (!IsWindow(wnd)) return;
      TMessage m{WM_TIMER, id, 0, 0};
      bool handled = false;
      Application->Guard([&] { handled = Application->FilterMessage(m, wnd); });
      if (!handled && IsWindow(wnd)) winimpl::GuardedSend(FindControl(wnd), WM_TIMER, id, 0);
    });
  }
  slot->start(int(ms));
  return id;
}

bool KillTimer(HWND wnd, std::uintptr_t id) {
  TWinControl* c = FindControl(wnd);
  if (!c || !c->WindowImpl()) return false;
  auto& timers = c->WindowImpl()->W->Timers;
  auto it = timers.find(id);
  if (it == timers.end()) return false;
  if (it->second) {
    it->second->stop();
    it->second->deleteLater();
  }
  timers.erase(it);
  return true;
}
