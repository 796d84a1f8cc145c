// The input policy: hover tracking, the input filter, activation and parent
// notification on presses, and the keys no control handled.
#include "framework/windows/InputPolicy.h"

#include <vector>

#include "framework/messages/MessageViews.h"
#include "framework/windows/Application.h"
#include "framework/windows/Forms.h"
#include "framework/windows/WindowImpl.h"
#include "framework/windows/Windows.h"

using namespace winimpl;

namespace {
TControl* gMouseControl = nullptr;
bool gAltTapPending = false;

bool IsInside(const TControl* inner, const TControl* outer) {
  for (const TControl* c = inner; c; c = c->Parent())
    if (c == outer) return true;
  return false;
}

// The part of the screen a control covers (top-level windows: frame included).
TRect ScreenBounds(const TControl* c) {
  if (!c->Parent()) return c->BoundsRect();
  TPoint o = c->ClientToScreen(Point(0, 0));
  return Bounds(o.X, o.Y, c->Width(), c->Height());
}

// The control that takes the pointer at c: a disabled control passes it to the parent of
// its outermost disabled ancestor.
TControl* InputTaker(TControl* c) {
  TControl* taker = c;
  for (TControl* x = c; x; x = x->Parent())
    if (!x->Enabled()) taker = x->Parent();
  return taker;
}

TControl* ControlAtScreenPoint(TWinControl* arrived, TPoint sp) {
  if (TControl* cap = CaptureControl()) return PtInRect(ScreenBounds(cap), sp) && cap->Visible() ? cap : nullptr;
  TWinControl* w = arrived;
  TPoint p = w->ScreenToClient(sp);
  TRect client = w->ClientRect();
  if (!PtInRect(Rect(0, 0, client.Width(), client.Height()), p)) {
    // Outside the window the message came to (a button is held): the window under it.
    w = Lookup(WindowFromPoint(sp));
    if (!w) return nullptr;
    p = w->ScreenToClient(sp);
    client = w->ClientRect();
    if (!PtInRect(Rect(0, 0, client.Width(), client.Height()), p)) return InputTaker(w);  // a form's frame
  }
  TControl* c = w;
  if (TControl* child = w->ControlAtPos(p, true)) c = child;
  return InputTaker(c);
}

TWinControl* TopLevelOf(TWinControl* c) {
  while (c->Parent()) c = c->Parent();
  return c;
}
}  // namespace

TControl* GetMouseControl() { return gMouseControl; }
TControl* GetCaptureControl() { return CaptureControl(); }

bool ControlTakesInput(const TControl* c) {
  if (!c) return false;
  for (; c; c = c->Parent())
    if (!c->Enabled()) return false;
  return true;
}

namespace winimpl {
void SetMouseControl(TControl* c) {
  if (c == gMouseControl) return;
  TControl* old = gMouseControl;
  gMouseControl = c;
  if (old) old->Perform(CM_MOUSELEAVE, 0, 0);
  // The leave handler may have freed c (ForgetControl then cleared it) or moved on.
  if (c && gMouseControl == c) c->Perform(CM_MOUSEENTER, 0, 0);
  if (gMouseControl == c) Application->HintMouseMessage(c, WM_MOUSEMOVE);
}

void TrackMouse(TWinControl* control, TPoint sp) { SetMouseControl(ControlAtScreenPoint(control, sp)); }

void MouseLeftWindow(TWinControl* control) {
  if (CaptureControl()) return;  // the capture holder is tracked by the messages it gets
  if (gMouseControl && IsInside(gMouseControl, control)) SetMouseControl(nullptr);
}

void ForgetControl(TControl* c, bool destroying) {
  if (gMouseControl && IsInside(gMouseControl, c)) {
    TControl* old = gMouseControl;
    gMouseControl = nullptr;
    if (!destroying) old->Perform(CM_MOUSELEAVE, 0, 0);
  }
  TControl* cap = CaptureControl();
  if (cap && IsInside(cap, c)) {
    if (destroying) {
      HWND holder = CaptureWindow();
      SetCaptureInternal(0, nullptr);
      TWinControl* w = Lookup(holder);
      if (w && !IsInside(w, c)) GuardedSend(w, WM_CAPTURECHANGED, 0, 0);
    } else {
      ReleaseCapture();
    }
  }
}

bool PrepareButtonDown(TWinControl* control, UINT msg, TPoint clientPoint, int hitCode) {
  gAltTapPending = false;
  HWND h = control->Handle();
  TWinControl* top = TopLevelOf(control);
  HWND topHandle = top->Handle();
  if (GetActiveWindow() != topHandle) {
    LRESULT answer = GuardedSend(control, WM_MOUSEACTIVATE, topHandle, MAKELPARAM(unsigned(hitCode), msg));
    if (!IsWindow(h)) return false;
    if ((answer == MA_ACTIVATE || answer == MA_ACTIVATEANDEAT) && IsWindow(topHandle) &&
        dynamic_cast<TCustomForm*>(Lookup(topHandle)))
      SetForegroundWindow(topHandle);
    if (answer == MA_ACTIVATEANDEAT || answer == MA_NOACTIVATEANDEAT || !IsWindow(h)) return false;
  }
  if (hitCode != HTCLIENT || !(msg == WM_LBUTTONDOWN || msg == WM_RBUTTONDOWN || msg == WM_MBUTTONDOWN)) return true;
  // Every parent up to the top-level window hears of the press first, in its coordinates.
  TPoint sp = control->ClientToScreen(clientPoint);
  std::vector<HWND> parents;
  for (TWinControl* p = control->Parent(); p; p = p->Parent()) parents.push_back(p->Handle());
  for (HWND ph : parents) {
    TWinControl* p = Lookup(ph);
    if (!p) continue;
    TPoint pp = p->ScreenToClient(sp);
    GuardedSend(p, WM_PARENTNOTIFY, MAKEWPARAM(msg, 0), MAKELPARAM(unsigned(pp.X), unsigned(pp.Y)));
    if (!IsWindow(h)) return false;
  }
  return true;
}

void NoteKeyMessage(UINT msg, WPARAM key) {
  if (msg == WM_SYSKEYDOWN && key == WPARAM(VK_MENU))
    gAltTapPending = true;
  else if (msg == WM_KEYDOWN || msg == WM_SYSKEYDOWN)
    gAltTapPending = false;
}

bool RouteUnhandledKey(TWinControl* c, TMessage& m) {
  TCustomForm* form = GetParentForm(c);
  if (!form) return false;
  const int key = int(TKeyMessage(m).CharCode);
  const bool shift = GetKeyState(VK_SHIFT) < 0, ctrl = GetKeyState(VK_CONTROL) < 0;
  switch (m.Msg) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: {
      if (key == VK_F4 && m.Msg == WM_SYSKEYDOWN) {
        form->Perform(WM_SYSCOMMAND, SC_CLOSE, 0);
        return true;
      }
      if ((key == VK_F10 && shift && !ctrl) || key == VK_APPS) {
        c->Perform(WM_CONTEXTMENU, c->Handle(), -1);
        return true;
      }
      if (key == VK_F10 && !shift && !ctrl) {
        form->Perform(WM_SYSCOMMAND, SC_KEYMENU, 0);
        return true;
      }
      LRESULT wanted = 0;
      switch (key) {
        case VK_TAB: wanted = DLGC_WANTTAB; break;
        case VK_LEFT: case VK_RIGHT: case VK_UP: case VK_DOWN: wanted = DLGC_WANTARROWS; break;
        case VK_RETURN: case VK_ESCAPE: wanted = DLGC_WANTALLKEYS; break;
        default: return false;
      }
      if (c->Perform(WM_GETDLGCODE, 0, 0) & (wanted | DLGC_WANTALLKEYS)) return false;
      return form->Perform(CM_DIALOGKEY, WPARAM(key), m.LParam) != 0;
    }
    case WM_SYSKEYUP:
      if (key == VK_MENU && gAltTapPending) {
        gAltTapPending = false;
        form->Perform(WM_SYSCOMMAND, SC_KEYMENU, 0);
        return true;
      }
      return false;
    case WM_SYSCHAR:
      if (key == ' ') {
        form->Perform(WM_SYSCOMMAND, SC_KEYMENU, ' ');
        return true;
      }
      return form->Perform(CM_DIALOGCHAR, m.WParam, m.LParam) != 0;
    case WM_CHAR:
      if (key < ' ' || (c->Perform(WM_GETDLGCODE, 0, 0) & DLGC_WANTCHARS)) return false;
      return form->Perform(CM_DIALOGCHAR, m.WParam, m.LParam) != 0;
    default:
      return false;
  }
}
}  // namespace winimpl
