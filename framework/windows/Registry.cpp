// The handle registry and message delivery: SendMessage, PostMessage, capture routing.
#include <unordered_map>

#include "framework/core/Exceptions.h"
#include "framework/windows/Application.h"
#include "framework/windows/EventLoop.h"
#include "framework/windows/Forms.h"
#include "framework/windows/InputPolicy.h"
#include "framework/windows/WindowImpl.h"

namespace {
std::unordered_map<HWND, TWinControl*>& Registry() {
  static std::unordered_map<HWND, TWinControl*> map;
  return map;
}
// Handles are never reused, so a stale handle can never reach a newer window.
HWND gNextHandle = 0x1000;
HWND gCapture = 0;
TControl* gCaptureControl = nullptr;

void DeliverPosted(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (!eventloop::Exists()) return;
  TMessage m{msg, wParam, lParam, 0};
  if (wnd != 0 && !IsWindow(wnd)) return;  // the window went away meanwhile
  bool handled = false;
  Application->Guard([&] { handled = Application->FilterMessage(m, wnd); });
  if (handled) return;
  if (wnd == 0) {
    if (msg == WM_QUIT) Application->Terminate();
    return;
  }
  if (TWinControl* c = winimpl::Lookup(wnd)) winimpl::GuardedSend(c, msg, wParam, lParam);
}
}  // namespace

namespace winimpl {
HWND RegisterWindow(TWinControl* control) {
  HWND h = gNextHandle++;
  Registry()[h] = control;
  return h;
}

void UnregisterWindow(HWND wnd) {
  Registry().erase(wnd);
  if (gCapture == wnd) {
    gCapture = 0;
    gCaptureControl = nullptr;
  }
}

TWinControl* Lookup(HWND wnd) {
  auto it = Registry().find(wnd);
  return it == Registry().end() ? nullptr : it->second;
}

HWND CaptureWindow() { return IsWindow(gCapture) ? gCapture : 0; }
TControl* CaptureControl() { return CaptureWindow() ? gCaptureControl : nullptr; }
void SetCaptureControl(TControl* c) { gCaptureControl = c; }
void SetCaptureInternal(HWND wnd, TControl* c) {
  gCapture = wnd;
  gCaptureControl = c;
}

LRESULT GuardedSend(TWinControl* control, UINT msg, WPARAM wParam, LPARAM lParam) {
  TMessage m{msg, wParam, lParam, 0};
  TWndMethod proc = control->WindowProc;  // a handler may free the control
  Application->Guard([&] { proc(m); });
  return m.Result;
}

static bool IsButtonDown(UINT msg) {
  return msg == WM_LBUTTONDOWN || msg == WM_RBUTTONDOWN || msg == WM_MBUTTONDOWN || msg == WM_LBUTTONDBLCLK ||
         msg == WM_RBUTTONDBLCLK || msg == WM_MBUTTONDBLCLK;
}

void DeliverMouse(TWinControl* control, UINT msg, TPoint clientPoint, WPARAM keys) {
  if (!control) return;
  const HWND arrived = control->Handle();
  const TPoint sp = control->ClientToScreen(clientPoint);
  // The framework, not the window system, decides which control the pointer is over.
  Application->Guard([&] { TrackMouse(control, sp); });
  if (!Lookup(arrived)) return;
  if (IsButtonDown(msg) || msg == WM_MOUSEWHEEL) Application->HintMouseMessage(GetMouseControl(), msg);
  if (IsButtonDown(msg) && !CaptureWindow()) {
    bool deliver = false;
    Application->Guard([&] { deliver = PrepareButtonDown(Lookup(arrived), msg, clientPoint, HTCLIENT); });
    if (!deliver || !Lookup(arrived)) return;
  }
  TWinControl* target = Lookup(arrived);
  TPoint p = clientPoint;
  if (HWND cap = CaptureWindow(); cap && cap != arrived) {
    // Captured: the message goes to the capturing window in its client coordinates.
    target = Lookup(cap);
    p = target->ScreenToClient(sp);
  }
  if (!ControlTakesInput(target)) return;
  HWND h = target->Handle();
  TMessage m{msg, keys, MAKELPARAM(unsigned(p.X), unsigned(p.Y)), 0};
  Application->Guard([&] {
    if (Application->FilterMessage(m, h)) return;
    if (TWinControl* t = Lookup(h)) {
      TWndMethod proc = t->WindowProc;
      proc(m);
    }
  });
}

void DeliverKey(TWinControl* control, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (!control) return;
  NoteKeyMessage(msg, wParam);
  if (msg == WM_KEYDOWN || msg == WM_SYSKEYDOWN) Application->HintMouseMessage(nullptr, msg);
  if (!ControlTakesInput(control)) return;
  HWND h = control->Handle();
  TMessage m{msg, wParam, lParam, 0};
  Application->Guard([&] {
    if (Application->FilterMessage(m, h)) return;
    if (msg == WM_KEYDOWN || msg == WM_SYSKEYDOWN) {
      if (TCustomForm* f = GetParentForm(Lookup(h)); f && f->OnShortCut) {
        bool handled = false;
        f->OnShortCut(m, handled);
        if (handled || !Lookup(h)) return;
      }
    }
    if (TWinControl* t = Lookup(h)) {
      TWndMethod proc = t->WindowProc;
      proc(m);
    }
  });
}
}  // namespace winimpl

LRESULT SendMessage(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  TWinControl* c = winimpl::Lookup(wnd);
  if (!c) return 0;
  return winimpl::GuardedSend(c, msg, wParam, lParam);
}

bool PostMessage(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (wnd != 0 && !IsWindow(wnd)) return false;
  return eventloop::Post([=] { DeliverPosted(wnd, msg, wParam, lParam); });
}

bool PostMessageFromThread(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  // The registry belongs to the user-interface thread: the handle is checked there.
  return eventloop::Post([=] { DeliverPosted(wnd, msg, wParam, lParam); });
}

bool IsWindow(HWND wnd) { return wnd != 0 && Registry().count(wnd) != 0; }

TWinControl* FindControl(HWND wnd) { return winimpl::Lookup(wnd); }
