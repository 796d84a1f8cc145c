// The non-client side of a form: the default frame (calc size, hit test, paint), the
// non-client mouse messages, the move and size loops and the system commands.
#include <algorithm>

#include "framework/graphics/Canvas.h"
#include "framework/messages/MessageViews.h"
#include "framework/windows/Application.h"
#include "framework/windows/Forms.h"
#include "framework/windows/InputPolicy.h"
#include "framework/windows/WindowImpl.h"
#include "framework/windows/Windows.h"

namespace {
bool IsSizingHit(int hit) { return hit >= HTLEFT && hit <= HTBOTTOMRIGHT; }

WPARAM SizingEdge(int hit) {
  switch (hit) {
    case HTLEFT: return WMSZ_LEFT;
    case HTRIGHT: return WMSZ_RIGHT;
    case HTTOP: return WMSZ_TOP;
    case HTTOPLEFT: return WMSZ_TOPLEFT;
    case HTTOPRIGHT: return WMSZ_TOPRIGHT;
    case HTBOTTOM: return WMSZ_BOTTOM;
    case HTBOTTOMLEFT: return WMSZ_BOTTOMLEFT;
    default: return WMSZ_BOTTOMRIGHT;
  }
}
}  // namespace

static bool HasDefaultCaption(DWORD style) { return (style & WS_CAPTION) == WS_CAPTION; }

TRect TCustomForm::DefaultCloseButtonRect() const {
  int right = FWidth - DefaultFrameBorder - 2;
  int top = DefaultFrameBorder + (DefaultCaptionHeight - DefaultCloseButtonSize) / 2;
  return Rect(right - DefaultCloseButtonSize - 2, top, right, top + DefaultCloseButtonSize);
}

int TCustomForm::DefaultHitTest(TPoint p) {
  if (FBorderStyle == bsNone) return HTCLIENT;
  if (!PtInRect(Rect(0, 0, FWidth, FHeight), p)) return HTNOWHERE;
  const int b = DefaultFrameBorder;
  bool sizeable = (FBorderStyle == bsSizeable || FBorderStyle == bsSizeToolWin) && FWindowState == wsNormal;
  if (sizeable) {
    bool left = p.X < b, right = p.X >= FWidth - b, top = p.Y < b, bottom = p.Y >= FHeight - b;
    if (top && left) return HTTOPLEFT;
    if (top && right) return HTTOPRIGHT;
    if (bottom && left) return HTBOTTOMLEFT;
    if (bottom && right) return HTBOTTOMRIGHT;
    if (left) return HTLEFT;
    if (right) return HTRIGHT;
    if (top) return HTTOP;
    if (bottom) return HTBOTTOM;
  }
  if (HasDefaultCaption(FStyle)) {
    if ((FStyle & WS_SYSMENU) && PtInRect(DefaultCloseButtonRect(), p)) return HTCLOSE;
    if (PtInRect(Rect(b, b, FWidth - b, b + DefaultCaptionHeight), p)) return HTCAPTION;
  }
  if (PtInRect(FClientInWindow, p)) return HTCLIENT;
  return HTBORDER;
}

void TCustomForm::PaintDefaultFrame(TCanvas* c) {
  if (!c || FBorderStyle == bsNone) return;
  TRect r = Rect(0, 0, FWidth, FHeight);
  Frame3D(c, r, ColorToRGB(cl3DLight), ColorToRGB(cl3DDkShadow), 1);
  Frame3D(c, r, ColorToRGB(clBtnHighlight), ColorToRGB(clBtnShadow), 1);
  Frame3D(c, r, ColorToRGB(clBtnFace), ColorToRGB(clBtnFace), 1);
  if (!HasDefaultCaption(FStyle)) return;
  const int b = DefaultFrameBorder;
  TRect cap = Rect(b, b, FWidth - b, b + DefaultCaptionHeight);
  c->Brush()->Style = TBrushStyle::bsSolid;
  c->Brush()->Color = ColorToRGB(FCaptionActive ? clActiveCaption : clInactiveCaption);
  c->FillRect(cap);
  c->Brush()->Color = ColorToRGB(clBtnFace);
  c->FillRect(Rect(b, cap.Bottom, FWidth - b, cap.Bottom + 1));

  TRect text = Rect(cap.Left + 4, cap.Top, cap.Right - 2, cap.Bottom);
  if (FStyle & WS_SYSMENU) {
    TRect btn = DefaultCloseButtonRect();
    text.Right = btn.Left - 2;
    c->Brush()->Color = ColorToRGB(clBtnFace);
    c->FillRect(btn);
    TRect edge = btn;
    Frame3D(c, edge, ColorToRGB(clBtnHighlight), ColorToRGB(cl3DDkShadow), 1);
    // The close glyph: two crossing 2-pixel diagonals.
    int cx = (btn.Left + btn.Right) / 2, cy = (btn.Top + btn.Bottom) / 2;
    for (int i = 0; i < 7; ++i) {
      int y = cy - 3 + i;
      c->SetPixel(cx - 4 + i, y, clBlack);
      c->SetPixel(cx - 3 + i, y, clBlack);
      c->SetPixel(cx + 2 - i, y, clBlack);
      c->SetPixel(cx + 3 - i, y, clBlack);
    }
  }
  if (text.Right > text.Left && !FCaption.empty()) {
    c->Font()->Assign(&FFont);
    c->Font()->SetStyle(c->Font()->Style() + fsBold);
    c->Font()->SetColor(FCaptionActive ? clWhite : ColorToRGB(clInactiveCaptionText));
    c->Brush()->Style = TBrushStyle::bsClear;
    std::string s = FCaption;
    c->DrawText(s, text, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX | DT_LEFT);
    c->Brush()->Style = TBrushStyle::bsSolid;
  }
}

void TCustomForm::DefaultHandler(TMessage& m) {
  switch (m.Msg) {
    case WM_NCCALCSIZE: {
      auto* r = reinterpret_cast<TRect*>(m.LParam);
      if (r && FBorderStyle != bsNone) {
        const int b = DefaultFrameBorder;
        r->Left += b;
        r->Right -= b;
        r->Bottom -= b;
        r->Top += b + (HasDefaultCaption(FStyle) ? DefaultCaptionHeight + 1 : 0);
        r->Right = std::max(r->Right, r->Left);
        r->Bottom = std::max(r->Bottom, r->Top);
      }
      m.Result = 0;
      return;
    }
    case WM_NCHITTEST: {
      const TPoint sp = TScreenPointMessage(m).Pos;
      m.Result = DefaultHitTest(Point(sp.X - FLeft, sp.Y - FTop));
      return;
    }
    case WM_NCPAINT:
      if (HandleAllocated()) PaintDefaultFrame(GetWindowCanvas(FHandle));
      m.Result = 0;
      return;
    case WM_NCACTIVATE:
      FCaptionActive = m.WParam != 0;
      if (HandleAllocated()) Perform(WM_NCPAINT, 1, 0);
      m.Result = 1;
      return;
    case WM_NCLBUTTONDOWN: {
      const TScreenPointMessage nc(m);
      const int hit = nc.HitTest;
      const TPoint sp = nc.Pos;
      if (hit == HTCAPTION && FWindowState != wsMaximized) {
        StartSizeMove(HTCAPTION, sp);
      } else if (IsSizingHit(hit) && (FBorderStyle == bsSizeable || FBorderStyle == bsSizeToolWin) &&
                 FWindowState == wsNormal) {
        StartSizeMove(hit, sp);
      } else if (hit == HTCLOSE) {
        FCloseButtonPressed = 1;
      }
      return;
    }
    case WM_NCLBUTTONUP: {
      bool close = FCloseButtonPressed && TScreenPointMessage(m).HitTest == HTCLOSE;
      FCloseButtonPressed = 0;
      if (close) Perform(WM_SYSCOMMAND, SC_CLOSE, m.LParam);
      return;
    }
    case WM_NCLBUTTONDBLCLK:
      if (TScreenPointMessage(m).HitTest == HTCAPTION && (FBorderStyle == bsSizeable || FBorderStyle == bsSizeToolWin) &&
          FBorderIcons.Contains(TBorderIcon::biMaximize))
        Perform(WM_SYSCOMMAND, FWindowState == wsMaximized ? SC_RESTORE : SC_MAXIMIZE, m.LParam);
      return;
    case WM_SYSCOMMAND:
      SysCommand(m.WParam & 0xFFF0);
      return;
    case WM_SYNCPAINT:
      if (FImpl) {
        FImpl->FrameDirty = true;
        FImpl->UpdateWindow();
      }
      Invalidate();
      return;
    case WM_SETTEXT:
      TWinControl::DefaultHandler(m);
      if (FImpl && FImpl->HasFrame()) {
        FImpl->SetTitle(FCaption);
        FImpl->FrameDirty = true;
        FImpl->UpdateWindow();
      }
      return;
  }
  TWinControl::DefaultHandler(m);
}

void TCustomForm::SysCommand(WPARAM cmd) {
  switch (cmd) {
    case SC_CLOSE: Perform(WM_CLOSE, 0, 0); break;
    case SC_MINIMIZE: SetWindowState(wsMinimized); break;
    case SC_MAXIMIZE: SetWindowState(wsMaximized); break;
    case SC_RESTORE: SetWindowState(wsNormal); break;
    case SC_MOVE: {
      TPoint p;
      GetCursorPos(p);
      if (FWindowState != wsMaximized) StartSizeMove(HTCAPTION, p);
      break;
    }
    default: break;
  }
}

void TCustomForm::NonClientMouse(UINT msg, TPoint sp, WPARAM keys) {
  HWND self = Handle();
  if (FSizeMoveMode) {
    if (msg == WM_MOUSEMOVE && (keys & MK_LBUTTON)) {
      TrackSizeMove(sp);
    } else if (msg == WM_LBUTTONUP || msg == WM_MOUSEMOVE) {
      if (msg == WM_LBUTTONUP) TrackSizeMove(sp);
      EndSizeMove();
    }
    return;
  }
  if (winimpl::CaptureWindow()) {
    winimpl::DeliverMouse(this, msg, ScreenToClient(sp), keys);
    return;
  }
  LRESULT hit = winimpl::GuardedSend(this, WM_NCHITTEST, 0, MAKELPARAM(unsigned(sp.X), unsigned(sp.Y)));
  if (!IsWindow(self)) return;
  if (hit == HTCLIENT) {
    winimpl::DeliverMouse(this, msg, ScreenToClient(sp), keys);
    return;
  }
  // Over the frame the form itself is under the pointer.
  Application->Guard([&] { winimpl::SetMouseControl(ControlTakesInput(this) ? this : nullptr); });
  if (!IsWindow(self)) return;
  if (msg == WM_LBUTTONDOWN || msg == WM_RBUTTONDOWN || msg == WM_MBUTTONDOWN || msg == WM_LBUTTONDBLCLK ||
      msg == WM_RBUTTONDBLCLK || msg == WM_MBUTTONDBLCLK) {
    bool deliver = false;
    Application->Guard([&] { deliver = winimpl::PrepareButtonDown(this, msg, ScreenToClient(sp), int(hit)); });
    if (!deliver || !IsWindow(self)) return;
  }
  if (FImpl && msg == WM_MOUSEMOVE) {
    TCursor cursor = crDefault;
    switch (hit) {
      case HTLEFT: case HTRIGHT: cursor = crSizeWE; break;
      case HTTOP: case HTBOTTOM: cursor = crSizeNS; break;
      case HTTOPLEFT: case HTBOTTOMRIGHT: cursor = crSizeNWSE; break;
      case HTTOPRIGHT: case HTBOTTOMLEFT: cursor = crSizeNESW; break;
      default: break;
    }
    FImpl->SetFrameCursor(cursor);
  }
  UINT ncmsg = msg - WM_MOUSEMOVE + WM_NCMOUSEMOVE;
  TMessage m{ncmsg, WPARAM(hit), MAKELPARAM(unsigned(sp.X), unsigned(sp.Y)), 0};
  Application->Guard([&] {
    if (Application->FilterMessage(m, self)) return;
    if (TWinControl* c = FindControl(self)) c->WindowProc(m);
  });
}

void TCustomForm::StartSizeMove(int hitCode, TPoint sp) {
  FSizeMoveLimits = QueryMinMaxInfo();
  FSizeMoveMode = hitCode;
  FSizeMoveStart = sp;
  FSizeMoveStartRect = BoundsRect();
  Perform(WM_ENTERSIZEMOVE, 0, 0);
}

void TCustomForm::TrackSizeMove(TPoint sp) {
  int dx = sp.X - FSizeMoveStart.X, dy = sp.Y - FSizeMoveStart.Y;
  TRect r = FSizeMoveStartRect;
  if (FSizeMoveMode == HTCAPTION) {
    OffsetRect(r, dx, dy);
    Perform(WM_MOVING, 0, reinterpret_cast<LPARAM>(&r));
  } else {
    int hit = FSizeMoveMode;
    bool left = hit == HTLEFT || hit == HTTOPLEFT || hit == HTBOTTOMLEFT;
    bool right = hit == HTRIGHT || hit == HTTOPRIGHT || hit == HTBOTTOMRIGHT;
    bool top = hit == HTTOP || hit == HTTOPLEFT || hit == HTTOPRIGHT;
    bool bottom = hit == HTBOTTOM || hit == HTBOTTOMLEFT || hit == HTBOTTOMRIGHT;
    if (left) r.Left += dx;
    if (right) r.Right += dx;
    if (top) r.Top += dy;
    if (bottom) r.Bottom += dy;
    const TMinMaxInfo& mm = FSizeMoveLimits;
    int w = std::clamp(r.Width(), mm.ptMinTrackSize.X, std::max(mm.ptMinTrackSize.X, mm.ptMaxTrackSize.X));
    int h = std::clamp(r.Height(), mm.ptMinTrackSize.Y, std::max(mm.ptMinTrackSize.Y, mm.ptMaxTrackSize.Y));
    if (left) r.Left = r.Right - w; else r.Right = r.Left + w;
    if (top) r.Top = r.Bottom - h; else r.Bottom = r.Top + h;
    Perform(WM_SIZING, SizingEdge(hit), reinterpret_cast<LPARAM>(&r));
  }
  SetBounds(r.Left, r.Top, r.Width(), r.Height());
}

void TCustomForm::EndSizeMove() {
  if (!FSizeMoveMode) return;
  FSizeMoveMode = 0;
  Perform(WM_EXITSIZEMOVE, 0, 0);
}

namespace winimpl {
void RenderFrame(TCustomForm* form) {
  TWinControl::Impl* impl = form->WindowImpl();
  if (!impl) return;
  int w = std::max(0, form->Width()), h = std::max(0, form->Height());
  if (!impl->FrameDirty && impl->WindowImage.Width() == w && impl->WindowImage.Height() == h) return;
  impl->FrameDirty = false;
  if (impl->WindowImage.Width() != w || impl->WindowImage.Height() != h) impl->WindowImage.SetSize(w, h);
  if (w > 0 && h > 0) GuardedSend(form, WM_NCPAINT, 1, 0);
}
}  // namespace winimpl
