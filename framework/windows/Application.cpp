// The application object: forms, the event loop, the message box and the default
// exception handler.

#include "framework/core/Exceptions.h"
#include "framework/graphics/Icon.h"
#include "framework/windows/Application.h"
#include "framework/windows/EventLoop.h"
#include "framework/windows/Forms.h"
#include "framework/windows/HintState.h"
#include "framework/windows/WindowImpl.h"

namespace {
TApplication* gApplication = nullptr;
}  // namespace

const TApplicationRef Application{};

TApplication* TApplicationRef::operator->() const {
  if (!gApplication) Application_Initialize();
  return gApplication;
}

void Application_Initialize() {
  if (gApplication) return;
  gApplication = new TApplication(nullptr);
}

void Application_Finalize() {
  TApplication* a = gApplication;
  gApplication = nullptr;
  delete a;
}

TApplication::TApplication(TComponent* AOwner) : TComponent(AOwner), FIcon(std::make_unique<TIcon>()) {
  FOwnsEventLoop = eventloop::Create();
}

TApplication::~TApplication() {
  FHint.reset();
  DestroyComponents();
  if (gApplication == this) gApplication = nullptr;
  if (FOwnsEventLoop) eventloop::Destroy();
}

void TApplication::SetIcon(const TIcon* v) {
  if (v && !v->Empty()) FIcon->Assign(v);
  else FIcon->Clear();
  eventloop::SetDefaultWindowIcon(*FIcon);
}

TCustomForm* TApplication::CreateForm(const std::function<TCustomForm*(TComponent*)>& factory) {
  TCustomForm* f = factory(this);
  if (!FMainForm && f) FMainForm = f;
  return f;
}

int TApplication::FormCount() const { return Screen()->FormCount(); }
TCustomForm* TApplication::Forms(int index) const { return Screen()->Forms(index); }

void TApplication::Run() {
  FTerminated = false;
  if (FMainForm && FShowMainForm) Guard([&] { FMainForm->Show(); });
  while (!FTerminated) {
    HandleMessage();
    // A main form hidden while the application window is hidden lives in the tray.
    if (FMainForm && !FMainForm->Visible() && FMainForm->WindowState() != wsMinimized && FAppWindowVisible &&
        !FMinimized)
      break;
    if (!FMainForm) break;
  }
  // The loop is over; a later Run (tests) or modal loop starts afresh.
  FTerminated = false;
}

void TApplication::Terminate() {
  FTerminated = true;
  // Wake a loop that waits for events.
  eventloop::Wake();
}

void TApplication::ProcessMessages() {
  Guard([] { eventloop::ProcessPending(); });
}

void TApplication::HandleMessage() {
  Guard([] { eventloop::WaitAndProcess(); });
  if (OnIdle) {
    bool done = true;
    Guard([&] { OnIdle(this, done); });
  }
}

void TApplication::Minimize() {
  if (FMinimized) return;
  FMinimized = true;
  for (int i = 0; i < Screen()->FormCount(); ++i) {
    TCustomForm* f = Screen()->Forms(i);
    if (f->Visible() && f->WindowImpl()) f->WindowImpl()->ShowMinimized();
  }
  CancelHint();
  TMessage m{WM_SIZE, SIZE_MINIMIZED, 0, 0};
  MainWindowMessage(m);
  if (OnMinimize) OnMinimize(this);
}

void TApplication::Restore() {
  if (!FMinimized) return;
  FMinimized = false;
  for (int i = 0; i < Screen()->FormCount(); ++i) {
    TCustomForm* f = Screen()->Forms(i);
    TWinControl::Impl* impl = f->WindowImpl();
    if (!impl) continue;
    if (f->Visible())
      impl->ShowNormal();
    else if (impl->Minimized())  // hidden meanwhile (in the tray): shown normal when shown again
      impl->ForgetMinimized();
  }
  TMessage m{WM_SIZE, SIZE_RESTORED, 0, 0};
  MainWindowMessage(m);
  if (OnRestore) OnRestore(this);
}

int TApplication::HookMainWindow(TWindowHook hook) {
  const int cookie = FNextHookCookie++;
  FMainWindowHooks.emplace_back(cookie, std::move(hook));
  return cookie;
}

void TApplication::UnhookMainWindow(int cookie) {
  for (auto it = FMainWindowHooks.begin(); it != FMainWindowHooks.end(); ++it)
    if (it->first == cookie) {
      FMainWindowHooks.erase(it);
      return;
    }
}

bool TApplication::MainWindowMessage(TMessage& m) {
  // A hook may unhook itself or others: walk a copy, skipping what went away.
  const auto hooks = FMainWindowHooks;
  for (auto it = hooks.rbegin(); it != hooks.rend(); ++it) {
    bool present = false;
    for (auto& h : FMainWindowHooks) present = present || h.first == it->first;
    if (present && it->second(m)) return true;
  }
  return false;
}

bool TApplication::Active() const { return eventloop::AnyWindowActive(); }

int TApplication::MessageBox(const std::string& text, const std::string& caption, unsigned flags) {
  if (FMessageBoxHook) return FMessageBoxHook(text, caption, flags);
  return eventloop::ShowMessageBox(text, caption.empty() ? FTitle : caption, flags);
}

void TApplication::ShowException(const std::exception& e) {
  std::string text;
  if (auto* ex = dynamic_cast<const Exception*>(&e))
    text = ex->Message();
  else
    text = e.what();
  MessageBox(text, FTitle, MB_OK | MB_ICONERROR);
}

void TApplication::HandleException(const std::exception& e) {
  if (OnException) {
    auto handler = OnException;
    try {
      handler(this, e);
    } catch (const std::exception& inner) {
      ShowException(inner);
    }
    return;
  }
  ShowException(e);
}

bool TApplication::FilterMessage(TMessage& msg, HWND target) {
  if (!OnMessage) return false;
  bool handled = false;
  auto handler = OnMessage;  // the handler may replace itself
  handler(msg, target, handled);
  return handled;
}

void TApplication::Guard(const std::function<void()>& fn) {
  try {
    fn();
  } catch (const std::exception& e) {
    try {
      HandleException(e);
    } catch (...) {
    }
  } catch (...) {
    try {
      HandleException(Exception("An unknown error occurred"));
    } catch (...) {
    }
  }
}
