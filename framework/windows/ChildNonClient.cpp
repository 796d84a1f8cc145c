// The non-client area of child windows. A child control whose WM_NCCALCSIZE leaves a
// smaller client rectangle gets a widget for the whole window with the client widget
// inside it; the parts outside the client are painted by WM_NCPAINT through the window
// canvas and hit-tested by WM_NCHITTEST, and their mouse input arrives as WM_NC* messages.
#include <algorithm>

#include "framework/graphics/Canvas.h"
#include "framework/messages/MessageViews.h"
#include "framework/windows/Application.h"
#include "framework/windows/Forms.h"
#include "framework/windows/InputPolicy.h"
#include "framework/windows/WindowImpl.h"
#include "framework/windows/Windows.h"

using namespace winimpl;

namespace {
bool IsPress(UINT msg) {
  return msg == WM_LBUTTONDOWN || msg == WM_RBUTTONDOWN || msg == WM_MBUTTONDOWN || msg == WM_LBUTTONDBLCLK ||
         msg == WM_RBUTTONDBLCLK || msg == WM_MBUTTONDBLCLK;
}
}  // namespace

TRect TWinControl::ClientRectInWindow() const {
  if (auto* f = dynamic_cast<const TCustomForm*>(this)) return f->ClientRectInWindow();
  if (FImpl && FImpl->HasNonClient()) return FImpl->ClientInWindow;
  return Rect(0, 0, FWidth, FHeight);
}

void TWinControl::FrameChanged() {
  if (!FImpl || !FImpl->HasClient() || !FParent || IsDestroying()) return;
  TRect r = Bounds(FLeft, FTop, std::max(0, FWidth), std::max(0, FHeight));
  const TRect window = r;
  TMessage m{WM_NCCALCSIZE, 0, reinterpret_cast<LPARAM>(&r), 0};
  WindowProc(m);
  if (!FImpl) return;
  // The client stays inside the window, however the answer came out.
  r.Left = std::clamp(r.Left, window.Left, window.Right);
  r.Right = std::clamp(r.Right, r.Left, window.Right);
  r.Top = std::clamp(r.Top, window.Top, window.Bottom);
  r.Bottom = std::clamp(r.Bottom, r.Top, window.Bottom);
  OffsetRect(r, -FLeft, -FTop);
  const bool whole = r == Rect(0, 0, window.Width(), window.Height());
  if (whole && !FImpl->HasNonClient()) return;
  if (!FImpl->HasNonClient()) FImpl->CreateNonClient();
  if (r != FImpl->ClientInWindow) {
    FImpl->ClientInWindow = r;
    FImpl->ClientDirty = true;
  }
  FImpl->FrameDirty = true;
  FImpl->Place();
  FImpl->UpdateWindow();
  FImpl->UpdateClient();
}

namespace winimpl {
void RenderNonClient(TWinControl* c) {
  TWinControl::Impl* impl = c->WindowImpl();
  if (!impl || !impl->HasNonClient()) return;
  int w = std::max(0, c->Width()), h = std::max(0, c->Height());
  if (!impl->FrameDirty && impl->WindowImage.Width() == w && impl->WindowImage.Height() == h) return;
  impl->FrameDirty = false;
  if (impl->WindowImage.Width() != w || impl->WindowImage.Height() != h) impl->WindowImage.SetSize(w, h);
  if (w > 0 && h > 0) GuardedSend(c, WM_NCPAINT, 1, 0);
}

void NonClientMouse(TWinControl* c, UINT msg, TPoint sp, WPARAM keys) {
  HWND self = c->Handle();
  if (CaptureWindow()) {
    DeliverMouse(c, msg, c->ScreenToClient(sp), keys);
    return;
  }
  LRESULT hit = GuardedSend(c, WM_NCHITTEST, 0, MAKELPARAM(unsigned(sp.X), unsigned(sp.Y)));
  if (!IsWindow(self)) return;
  if (hit == HTCLIENT) {
    DeliverMouse(c, msg, c->ScreenToClient(sp), keys);
    return;
  }
  // Over its non-client area the control itself is under the pointer.
  Application->Guard([&] { SetMouseControl(ControlTakesInput(c) ? c : nullptr); });
  if (!IsWindow(self) || !ControlTakesInput(Lookup(self))) return;
  if (IsPress(msg)) {
    bool deliver = false;
    Application->Guard([&] { deliver = PrepareButtonDown(Lookup(self), msg, c->ScreenToClient(sp), int(hit)); });
    if (!deliver || !IsWindow(self)) return;
  }
  TMessage m{msg - WM_MOUSEMOVE + WM_NCMOUSEMOVE, WPARAM(hit), MAKELPARAM(unsigned(sp.X), unsigned(sp.Y)), 0};
  Application->Guard([&] {
    if (Application->FilterMessage(m, self)) return;
    if (TWinControl* t = Lookup(self)) t->WindowProc(m);
  });
}

bool ChildNonClientDefault(TWinControl* c, TMessage& m) {
  if (!c->Parent()) return false;
  switch (m.Msg) {
    case WM_NCCALCSIZE:
      m.Result = 0;  // the whole window is client
      return true;
    case WM_NCHITTEST: {
      TPoint client = c->ScreenToClient(TScreenPointMessage(m).Pos);
      TRect cr = c->ClientRect();
      TRect in = c->ClientRectInWindow();
      TPoint p{client.X + in.Left, client.Y + in.Top};
      if (PtInRect(cr, client))
        m.Result = HTCLIENT;
      else if (PtInRect(Rect(0, 0, c->Width(), c->Height()), p))
        m.Result = HTBORDER;
      else
        m.Result = HTNOWHERE;
      return true;
    }
    case WM_NCPAINT: {
      // Nothing of its own to draw: the control's colour around the client.
      if (!c->WindowImpl() || !c->WindowImpl()->HasNonClient()) return true;
      TCanvas* canvas = GetWindowCanvas(c->HandleValue());
      if (!canvas) return true;
      TRect in = c->ClientRectInWindow();
      canvas->Brush()->Style = TBrushStyle::bsSolid;
      canvas->Brush()->Color = c->Color();
      canvas->FillRect(Rect(0, 0, c->Width(), in.Top));
      canvas->FillRect(Rect(0, in.Bottom, c->Width(), c->Height()));
      canvas->FillRect(Rect(0, in.Top, in.Left, in.Bottom));
      canvas->FillRect(Rect(in.Right, in.Top, c->Width(), in.Bottom));
      m.Result = 0;
      return true;
    }
    default:
      return false;
  }
}
}  // namespace winimpl
