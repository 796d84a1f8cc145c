// The hint window and the application's hint machinery.
#include "framework/windows/HintWindow.h"

#include <algorithm>

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "framework/windows/HintState.h"
#include "framework/windows/Screen.h"
#include "framework/windows/Windows.h"

THintWindowClass HintWindowClass = HintWindowClassOf<THintWindow>();

THintWindow::THintWindow(TComponent* AOwner) : TCustomControl(AOwner) {
  FVisible = false;
  FControlStyle = {csOpaque};
  FColor = clInfoBk;
  FParentFont = false;
  FFont.SetColor(clInfoText);
}

THintWindow::~THintWindow() = default;

void THintWindow::CreateParams(TCreateParams& p) {
  TCustomControl::CreateParams(p);
  p.Style = (p.Style & ~(WS_CHILD | WS_VISIBLE)) | WS_POPUP | WS_BORDER;
  p.ExStyle |= WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE;
}

TRect THintWindow::CalcHintRect(int maxWidth, const std::string& hint, void*) {
  TBitmap measure(1, 1);
  TCanvas* c = measure.Canvas();
  c->Font()->Assign(&FFont);
  TRect r = Rect(0, 0, std::max(maxWidth, 1), 0);
  c->DrawText(hint, r, DT_CALCRECT | DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
  // A 1-pixel border and 2 pixels of air on each side of the text.
  r.Right += 6;
  r.Bottom += 4;
  return r;
}

void THintWindow::ActivateHint(TRect r, const std::string& hint) {
  SetCaption(hint);
  // Kept on the screen.
  const int sw = Screen()->Width(), sh = Screen()->Height();
  if (r.Right > sw) OffsetRect(r, sw - r.Right, 0);
  if (r.Left < 0) OffsetRect(r, -r.Left, 0);
  if (r.Bottom > sh) OffsetRect(r, 0, sh - r.Bottom);
  if (r.Top < 0) OffsetRect(r, 0, -r.Top);
  SetBounds(r.Left, r.Top, r.Width(), r.Height());
  SetWindowPos(Handle(), HWND_TOPMOST, r.Left, r.Top, r.Width(), r.Height(), SWP_SHOWWINDOW | SWP_NOACTIVATE);
  FVisible = true;
  Invalidate();
}

void THintWindow::ActivateHintData(TRect r, const std::string& hint, void*) { ActivateHint(r, hint); }

void THintWindow::ReleaseHandle() {
  if (HandleAllocated() && FVisible) ShowWindow(Handle(), SW_HIDE);
  FVisible = false;
}

void THintWindow::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_MOUSEACTIVATE:
      m.Result = MA_NOACTIVATE;
      return;
    case WM_NCHITTEST:
      m.Result = HTTRANSPARENT;
      return;
    case WM_ERASEBKGND:
      m.Result = 1;
      return;
    default:
      TCustomControl::WndProc(m);
  }
}

void THintWindow::Paint() {
  TCanvas* c = Canvas();
  const TRect all = Rect(0, 0, Width(), Height());
  c->Brush()->Style = TBrushStyle::bsSolid;
  c->Brush()->Color = ColorToRGB(FColor);
  c->FillRect(all);
  c->Brush()->Color = ColorToRGB(clWindowFrame);
  c->FrameRect(all);
  c->Brush()->Style = TBrushStyle::bsClear;
  c->Font()->Assign(&FFont);
  TRect r = Rect(3, 2, Width() - 3, Height() - 2);
  c->DrawText(Caption(), r, DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
}

std::string GetShortHint(const std::string& hint) {
  const auto bar = hint.find('|');
  return bar == std::string::npos ? hint : hint.substr(0, bar);
}

TControl* GetHintControl(TControl* c) {
  while (c && !c->ShowHint()) c = c->Parent();
  return c;
}

// ---- the application's hint machinery ----------------------------------------------

TApplication::THintState::THintState()
    : ShowTimer(std::make_unique<TTimer>(nullptr)), HideTimer(std::make_unique<TTimer>(nullptr)) {
  ShowTimer->SetEnabled(false);
  HideTimer->SetEnabled(false);
}

TApplication::THintState::~THintState() {
  delete Window;
}

TApplication::THintState& TApplication::Hints() {
  if (!FHint) {
    FHint = std::make_unique<THintState>();
    FHint->ShowTimer->OnTimer = [this](TObject*) {
      FHint->ShowTimer->SetEnabled(false);
      TPoint p;
      GetCursorPos(p);
      ActivateHint(p);
    };
    FHint->HideTimer->OnTimer = [this](TObject*) { HideHint(); };
    if (FShowHint && HintWindowClass) FHint->Window = HintWindowClass(nullptr);
  }
  return *FHint;
}

void TApplication::SetShowHint(bool v) {
  if (v == FShowHint) return;
  FShowHint = v;
  THintState& h = Hints();
  h.ShowTimer->SetEnabled(false);
  h.HideTimer->SetEnabled(false);
  h.Active = false;
  h.Control = nullptr;
  delete h.Window;
  h.Window = nullptr;
  if (v && HintWindowClass) h.Window = HintWindowClass(nullptr);
}

THintWindow* TApplication::HintWindow() const { return FHint ? FHint->Window : nullptr; }
TControl* TApplication::HintControl() const { return FHint ? FHint->LiveControl() : nullptr; }
bool TApplication::HintActive() const { return FHint && FHint->Active; }

void TApplication::HideHint() {
  if (!FHint) return;
  FHint->HideTimer->SetEnabled(false);
  FHint->Active = false;
  if (FHint->Window) FHint->Window->ReleaseHandle();
}

void TApplication::CancelHint() {
  if (!FHint) return;
  FHint->ReshowUntil = {};
  FHint->ShowTimer->SetEnabled(false);
  HideHint();
  FHint->Control = nullptr;
}

void TApplication::ActivateHint(TPoint cursorPos) {
  THintState& h = Hints();
  h.ShowTimer->SetEnabled(false);
  TControl* control = h.LiveControl();
  if (!control || !FShowHint || !h.Window) {
    HideHint();
    return;
  }
  THintInfo info;
  info.HintControl = control;
  info.HintPos = Point(cursorPos.X, cursorPos.Y + GetCursorHeightMargin());
  info.HintMaxWidth = Screen()->Width();
  info.HintColor = FHintColor;
  const TPoint origin = control->ClientToScreen(Point(0, 0));
  info.CursorRect = Bounds(origin.X, origin.Y, control->Width(), control->Height());
  info.CursorPos = control->ScreenToClient(cursorPos);
  info.HideTimeout = int(FHintHidePause);
  info.HintStr = GetShortHint(control->Hint());
  bool canShow = control->Perform(CM_HINTSHOW, 0, reinterpret_cast<LPARAM>(&info)) == 0;
  if (canShow && OnShowHint) {
    auto handler = OnShowHint;  // the handler may replace itself
    handler(info.HintStr, canShow, info);
  }
  if (!canShow || info.HintStr.empty() || !FHint || !FHint->Window) {
    HideHint();
    return;
  }
  TRect r = FHint->Window->CalcHintRect(info.HintMaxWidth, info.HintStr, info.HintData);
  OffsetRect(r, info.HintPos.X, info.HintPos.Y);
  FHint->Window->SetColor(info.HintColor);
  FHint->Window->ActivateHintData(r, info.HintStr, info.HintData);
  FHint->Active = true;
  if (info.HideTimeout > 0) {
    FHint->HideTimer->SetInterval(unsigned(info.HideTimeout));
    FHint->HideTimer->SetEnabled(false);
    FHint->HideTimer->SetEnabled(true);
  }
}

void TApplication::HintMouseMessage(TControl* control, UINT msg) {
  if (!FShowHint) return;
  const bool press = msg == WM_LBUTTONDOWN || msg == WM_RBUTTONDOWN || msg == WM_MBUTTONDOWN ||
                     msg == WM_LBUTTONDBLCLK || msg == WM_RBUTTONDBLCLK || msg == WM_MBUTTONDBLCLK ||
                     msg == WM_KEYDOWN || msg == WM_SYSKEYDOWN || msg == WM_MOUSEWHEEL;
  if (press) {
    CancelHint();
    return;
  }
  TControl* hc = GetHintControl(control);
  if (hc && GetShortHint(hc->Hint()).empty()) hc = nullptr;
  THintState& h = Hints();
  const auto now = std::chrono::steady_clock::now();
  if (!hc) {
    // On the way from one hinted control to the next the pointer may pass over nothing.
    const bool reshow = h.Active || now < h.ReshowUntil;
    const auto until = h.Active ? now + std::chrono::milliseconds(std::max(FHintPause, 100u)) : h.ReshowUntil;
    CancelHint();
    if (reshow) h.ReshowUntil = until;
    return;
  }
  if (hc == h.LiveControl()) return;
  if (h.Active) h.ReshowUntil = now + std::chrono::milliseconds(std::max(FHintPause, 100u));
  const bool wasShowing = now < h.ReshowUntil;
  HideHint();
  h.Control = hc;
  h.ControlAlive = hc->Lifetime();
  // Moving from one shown hint to the next control: the short pause.
  h.ShowTimer->SetInterval(std::max(1u, wasShowing ? FHintShortPause : FHintPause));
  h.ShowTimer->SetEnabled(false);
  h.ShowTimer->SetEnabled(true);
}
