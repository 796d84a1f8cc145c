// TWinControl: windows with children, the paint path through off-screen images, and
// mouse routing to window-less children.
#include <algorithm>

#include "framework/core/Exceptions.h"
#include "framework/graphics/Canvas.h"
#include "framework/messages/MessageViews.h"
#include "framework/windows/Application.h"
#include "framework/windows/Forms.h"
#include "framework/windows/WindowImpl.h"
#include "framework/windows/Windows.h"


namespace winimpl {
void RenderClient(TWinControl* control) {
  TWinControl::Impl* impl = control->WindowImpl();
  if (!impl) return;
  TRect cr = control->ClientRect();
  int w = std::max(0, cr.Width()), h = std::max(0, cr.Height());
  if (!impl->ClientDirty && impl->ClientImage.Width() == w && impl->ClientImage.Height() == h) return;
  impl->ClientDirty = false;
  impl->ClientImage.SetSize(w, h);
  if (w == 0 || h == 0) return;
  HWND hwnd = control->HandleValue();
  TCanvas canvas(&impl->ClientImage);
  GuardedSend(control, WM_ERASEBKGND, reinterpret_cast<WPARAM>(&canvas), 0);
  if (!Lookup(hwnd)) return;
  GuardedSend(control, WM_PAINT, reinterpret_cast<WPARAM>(&canvas), 0);
}
}  // namespace winimpl

// ---------------------------------------------------------------------------------------
TWinControl::TWinControl(TComponent* AOwner) : TControl(AOwner) {}

TWinControl::~TWinControl() {
  Destroying();
  winimpl::ForgetControl(this, true);
  // Children go first, last first; each takes itself out of the list.
  while (!FControls.empty()) {
    TControl* c = FControls.back();
    RemoveControl(c);
    delete c;
  }
  DestroyWnd();
}

HWND TWinControl::Handle() {
  if (!FHandle) {
    if (IsDestroying()) return 0;
    CreateWnd();
  }
  return FHandle;
}

void TWinControl::CreateParams(TCreateParams& p) {
  p.Style = WS_CLIPCHILDREN | WS_CLIPSIBLINGS | (FParent ? WS_CHILD : 0);
  if (FVisible) p.Style |= WS_VISIBLE;
  if (!FEnabled) p.Style |= WS_DISABLED;
  p.ExStyle = 0;
}

void TWinControl::CreateWnd() {
  TCreateParams p;
  CreateParams(p);
  FStyle = p.Style;
  FExStyle = p.ExStyle;
  FImpl = std::make_unique<Impl>(this);
  if (FParent)
    FParent->Handle();
  else if (!IsTopLevel() && (FStyle & WS_POPUP))
    FImpl->Popup = true;  // never takes the focus or the activation
  FHandle = winimpl::RegisterWindow(this);
  FImpl->CreateClient(FParent);
  for (TControl* c : FControls)
    if (auto* wc = dynamic_cast<TWinControl*>(c)) {
      if (wc->HandleAllocated()) {
        wc->FImpl->AttachTo(this);
      } else {
        wc->Handle();
      }
    }
  if (FParent) FrameChanged();
  Perform(WM_CREATE, 0, 0);
}

void TWinControl::DestroyWnd() {
  if (!FImpl) return;
  if (FHandle) {
    TMessage m{WM_DESTROY, 0, 0, 0};
    Application->Guard([&] { WindowProc(m); });
  }
  if (FHandle) winimpl::UnregisterWindow(FHandle);
  FHandle = 0;
  FImpl->Release();
  FImpl.reset();
}

void TWinControl::RecreateWnd() {
  if (!FImpl) return;
  TCreateParams p;
  CreateParams(p);
  SetWindowLong(FHandle, GWL_STYLE, LONG(p.Style));
  SetWindowLong(FHandle, GWL_EXSTYLE, LONG(p.ExStyle));
  if (FParent) FrameChanged();
  Invalidate();
}

void TWinControl::InsertControl(TControl* c) {
  if (!c || ContainsControl(c)) return;
  FControls.push_back(c);
  c->FParent = this;
  if (auto* wc = dynamic_cast<TWinControl*>(c)) {
    if (wc->FTabOrder < 0) {
      int n = 0;
      for (TControl* o : FControls)
        if (o != c && dynamic_cast<TWinControl*>(o)) ++n;
      wc->FTabOrder = n;
    }
    if (wc->HandleAllocated() || HandleAllocated()) {
      Handle();
      if (wc->HandleAllocated()) {
        wc->FImpl->AttachTo(this);
      } else {
        wc->Handle();
      }
    }
  }
  if (c->FParentFont) c->ParentFontChanged();
  if (c->FParentColor) c->ParentColorChanged();
  if (c->FAlign != alNone) Realign();
  Invalidate();
}

void TWinControl::RemoveControl(TControl* c) {
  auto it = std::find(FControls.begin(), FControls.end(), c);
  if (it == FControls.end()) return;
  // Nothing keeps pointing into a control that leaves its window: not the form's active
  // control, not the hovered control, not the capture.
  if (TCustomForm* form = GetParentForm(this)) form->DefocusControl(c);
  if (!c->IsDestroying()) winimpl::ForgetControl(c, false);
  it = std::find(FControls.begin(), FControls.end(), c);
  if (it == FControls.end()) return;
  FControls.erase(it);
  c->FParent = nullptr;
  if (auto* wc = dynamic_cast<TWinControl*>(c); wc && wc->FImpl) wc->FImpl->Detach();
  if (!IsDestroying()) {
    if (c->FAlign != alNone) Realign();
    Invalidate();
  }
}

bool TWinControl::ContainsControl(const TControl* c) const {
  return std::find(FControls.begin(), FControls.end(), c) != FControls.end();
}

TControl* TWinControl::ControlAtPos(TPoint p, bool allowDisabled) const {
  for (auto it = FControls.rbegin(); it != FControls.rend(); ++it) {
    TControl* c = *it;
    if (dynamic_cast<TWinControl*>(c)) continue;
    if (!c->FVisible || (!c->FEnabled && !allowDisabled)) continue;
    if (PtInRect(c->BoundsRect(), p)) return c;
  }
  return nullptr;
}

void TWinControl::Realign() {
  if (FAligning) return;
  bool any = std::any_of(FControls.begin(), FControls.end(), [](TControl* c) { return c->FAlign != alNone; });
  if (!any) return;
  FAligning = true;
  TRect r;
  AdjustClientRect(r);
  auto take = [&](TAlign a, auto less) {
    std::vector<TControl*> list;
    for (TControl* c : FControls)
      if (c->FAlign == a && c->FVisible) list.push_back(c);
    std::stable_sort(list.begin(), list.end(), less);
    for (TControl* c : list) {
      switch (a) {
        case alTop: c->SetBounds(r.Left, r.Top, r.Width(), c->FHeight); r.Top += c->FHeight; break;
        case alBottom: c->SetBounds(r.Left, r.Bottom - c->FHeight, r.Width(), c->FHeight); r.Bottom -= c->FHeight; break;
        case alLeft: c->SetBounds(r.Left, r.Top, c->FWidth, r.Height()); r.Left += c->FWidth; break;
        case alRight: c->SetBounds(r.Right - c->FWidth, r.Top, c->FWidth, r.Height()); r.Right -= c->FWidth; break;
        case alClient: c->SetBounds(r.Left, r.Top, r.Width(), r.Height()); break;
        default: break;
      }
    }
  };
  take(alTop, [](TControl* a, TControl* b) { return a->FTop < b->FTop; });
  take(alBottom, [](TControl* a, TControl* b) { return a->FTop + a->FHeight > b->FTop + b->FHeight; });
  take(alLeft, [](TControl* a, TControl* b) { return a->FLeft < b->FLeft; });
  take(alRight, [](TControl* a, TControl* b) { return a->FLeft + a->FWidth > b->FLeft + b->FWidth; });
  take(alClient, [](TControl*, TControl*) { return false; });
  FAligning = false;
}

void TWinControl::AdjustClientRect(TRect& r) {
  TRect client = ClientRect();
  r = Rect(0, 0, client.Width(), client.Height());
}

void TWinControl::Broadcast(TMessage& m) {
  std::weak_ptr<bool> alive = FAlive;
  for (TControl* c : std::vector<TControl*>(FControls)) {
    if (!ContainsControl(c)) continue;  // freed or moved by an earlier handler
    TWndMethod proc = c->WindowProc;
    proc(m);
    if (alive.expired() || m.Result != 0) return;
  }
}

void TWinControl::SetTabOrder(int v) { FTabOrder = v; }

bool TWinControl::CanFocus() const {
  for (const TControl* c = this; c; c = c->FParent)
    if (!c->FVisible || !c->FEnabled) return false;
  const TControl* top = this;
  while (top->FParent) top = top->FParent;
  // Pop-ups (menus, lists, hints) never take the focus.
  return dynamic_cast<const TCustomForm*>(top) != nullptr;
}

void TWinControl::SetFocus() {
  if (!CanFocus()) throw EInvalidOperation("Cannot focus a disabled or invisible window");
  Handle();
  if (TCustomForm* f = GetParentForm(this); f && f != this) f->SetActiveControl(this);
  FImpl->FocusClient();
}

bool TWinControl::Focused() const { return FImpl && FImpl->ClientHasFocus(); }

static void CollectTabOrder(const TWinControl* w, std::vector<TWinControl*>& out) {
  std::vector<TWinControl*> kids;
  for (int i = 0; i < w->ControlCount(); ++i)
    if (auto* wc = dynamic_cast<TWinControl*>(w->Controls(i))) kids.push_back(wc);
  std::stable_sort(kids.begin(), kids.end(), [](TWinControl* a, TWinControl* b) { return a->TabOrder() < b->TabOrder(); });
  for (TWinControl* k : kids) {
    out.push_back(k);
    CollectTabOrder(k, out);
  }
}

TWinControl* TWinControl::FindNextControl(TWinControl* current, bool goForward, bool checkTabStop,
                                          bool checkParent) const {
  std::vector<TWinControl*> list;
  CollectTabOrder(this, list);
  if (checkParent)
    list.erase(std::remove_if(list.begin(), list.end(),
                              [&](TWinControl* c) { return c != current && c->Parent() != this; }),
               list.end());
  if (list.empty()) return nullptr;
  auto it = std::find(list.begin(), list.end(), current);
  int n = int(list.size());
  int start = it == list.end() ? (goForward ? -1 : n) : int(it - list.begin());
  for (int step = 1; step <= n; ++step) {
    int i = ((start + (goForward ? step : -step)) % n + n) % n;
    TWinControl* c = list[size_t(i)];
    if (c != current && c->CanFocus() && (!checkTabStop || c->TabStop())) return c;
  }
  return nullptr;
}

void TWinControl::SelectNext(TWinControl* current, bool goForward, bool checkTabStop) {
  if (TWinControl* next = FindNextControl(current, goForward, checkTabStop, !checkTabStop)) next->SetFocus();
}

TRect TWinControl::ClientRect() const {
  if (FImpl && FImpl->HasNonClient()) return Rect(0, 0, FImpl->ClientInWindow.Width(), FImpl->ClientInWindow.Height());
  return Rect(0, 0, FWidth, FHeight);
}

TPoint TWinControl::ClientOrigin() const {
  TPoint o = TControl::ClientOrigin();
  if (FImpl && FImpl->HasNonClient()) return Point(o.X + FImpl->ClientInWindow.Left, o.Y + FImpl->ClientInWindow.Top);
  return o;
}

void TWinControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  TControl::SetBounds(ALeft, ATop, AWidth, AHeight);
}

void TWinControl::BoundsChanged(bool moved, bool sized) {
  if (FImpl && FImpl->HasClient()) {
    FImpl->Place();
    if (sized) FImpl->ClientDirty = true;
    if (sized && FParent) FrameChanged();
  }
  if (moved) Perform(WM_MOVE, 0, MAKELPARAM(unsigned(FLeft), unsigned(FTop)));
  if (sized) {
    TRect cr = ClientRect();
    Perform(WM_SIZE, SIZE_RESTORED, MAKELPARAM(unsigned(cr.Width()), unsigned(cr.Height())));
  }
}

void TWinControl::Invalidate() {
  if (!FImpl) return;
  FImpl->ClientDirty = true;
  FImpl->UpdateClient();
}

void TWinControl::Repaint() {
  Invalidate();
  Update();
}

void TWinControl::PaintWindow(TCanvas*) {}

void TWinControl::PaintControls(TCanvas* canvas, TControl* stopAt) {
  TRect client = ClientRect();
  client = Rect(0, 0, client.Width(), client.Height());
  std::vector<TControl*> list(FControls);
  for (TControl* c : list) {
    if (c == stopAt) break;
    if (dynamic_cast<TWinControl*>(c) || !c->FVisible) continue;
    auto* g = dynamic_cast<TGraphicControl*>(c);
    if (!g) continue;
    TRect r;
    if (!IntersectRect(r, c->BoundsRect(), client)) continue;
    canvas->SaveState();
    canvas->MoveOrigin(c->FLeft, c->FTop);
    canvas->IntersectClipRect(Rect(0, 0, c->FWidth, c->FHeight));
    g->PaintOn(canvas);
    canvas->RestoreState();
  }
}

void TWinControl::PaintParentBackground(TCanvas* dest) { CopyParentImage(this, dest); }

void TWinControl::DoEnter() {
  if (OnEnter) OnEnter(this);
}
void TWinControl::DoExit() {
  if (OnExit) OnExit(this);
}

static bool IsMouseMsg(UINT m) { return m >= WM_MOUSEMOVE && m <= WM_MBUTTONDBLCLK; }

void TWinControl::WndProc(TMessage& m) {
  if (IsMouseMsg(m.Msg)) {
    const TPoint p = TMouseMessage(m).Pos;
    TControl* target = nullptr;
    TControl* cap = winimpl::CaptureControl();
    if (cap && cap != this && cap->FParent == this && !dynamic_cast<TWinControl*>(cap)) {
      target = cap;  // a window-less child holds the capture
    } else if (cap != this) {
      target = ControlAtPos(p);
    }
    HWND self = FHandle;
    if (target) {
      TMessage cm{m.Msg, m.WParam, PointToLParam(Point(p.X - target->FLeft, p.Y - target->FTop)), 0};
      TWndMethod proc = target->WindowProc;
      proc(cm);
      m.Result = cm.Result;
    } else {
      TControl::WndProc(m);
    }
    // The right button's release asks for the context menu, as the window's default does.
    if (m.Msg == WM_RBUTTONUP && self && IsWindow(self)) {
      TPoint sp = ClientToScreen(p);
      Perform(WM_CONTEXTMENU, self, PointToLParam(sp));
    }
    return;
  }
  switch (m.Msg) {
    case WM_PAINT: {
      if (TCanvas* canvas = TPaintMessage(m).Canvas) {
        PaintWindow(canvas);
        PaintControls(canvas);
      }
      return;
    }
    case WM_ERASEBKGND: {
      if (TCanvas* canvas = TPaintMessage(m).Canvas) {
        canvas->Brush()->Style = TBrushStyle::bsSolid;
        canvas->Brush()->Color = FColor;
        TRect r = ClientRect();
        canvas->FillRect(Rect(0, 0, r.Width(), r.Height()));
      }
      m.Result = 1;
      return;
    }
    case WM_SIZE:
      Realign();
      Resize();
      Invalidate();
      return;
    case WM_SETFOCUS:
      if (TCustomForm* f = GetParentForm(this); f && f != this) f->SetActiveControl(this);
      DoEnter();
      return;
    case WM_KILLFOCUS:
      DoExit();
      return;
    case CM_DIALOGKEY:
    case CM_DIALOGCHAR:
    case CM_FOCUSCHANGED:
      Broadcast(m);
      return;
    case WM_CONTEXTMENU:
      if (const TScreenPointMessage at(m); !at.FromKeyboard) {
        // A window-less child under the point has the first say.
        TPoint p = ScreenToClient(at.Pos);
        if (TControl* child = ControlAtPos(p)) {
          std::weak_ptr<bool> alive = FAlive;
          TMessage cm{m.Msg, m.WParam, m.LParam, 0};
          TWndMethod proc = child->WindowProc;
          proc(cm);
          if (alive.expired() || cm.Result != 0) {
            m.Result = cm.Result;
            return;
          }
        }
      }
      break;
    case CM_FONTCHANGED:
    case CM_COLORCHANGED:
      TControl::WndProc(m);
      for (TControl* c : std::vector<TControl*>(FControls))
        c->Perform(m.Msg == CM_FONTCHANGED ? CM_PARENTFONTCHANGED : CM_PARENTCOLORCHANGED, 0, 0);
      return;
  }
  TControl::WndProc(m);
}

void TWinControl::DefaultHandler(TMessage& m) {
  switch (m.Msg) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_SYSKEYUP:
    case WM_CHAR:
    case WM_SYSCHAR:
      if (winimpl::RouteUnhandledKey(this, m)) m.Result = 1;
      return;
    case WM_NCCALCSIZE:
    case WM_NCHITTEST:
    case WM_NCPAINT:
      if (winimpl::ChildNonClientDefault(this, m)) return;
      break;
    case WM_MOUSEACTIVATE:
      // The parent decides first; a pop-up is never activated by a click.
      if (FParent) m.Result = FParent->Perform(m.Msg, m.WParam, m.LParam);
      if (m.Result == 0) m.Result = (FImpl && FImpl->Popup) || (FExStyle & WS_EX_NOACTIVATE) ? MA_NOACTIVATE : MA_ACTIVATE;
      return;
  }
  TControl::DefaultHandler(m);
}

void TWinControl::CMVisibleChanged(TMessage& m) {
  if (FImpl && FImpl->HasClient() && FParent) {
    TMessage s{WM_SHOWWINDOW, FVisible ? 1u : 0u, 0, 0};
    WindowProc(s);
    if (FImpl) FImpl->SetShown(FVisible);
  } else if (FImpl && FImpl->Popup && FImpl->HasClient()) {
    TMessage s{WM_SHOWWINDOW, FVisible ? 1u : 0u, 0, 0};
    WindowProc(s);
    if (FImpl) FImpl->SetClientShown(FVisible);
  }
  if (FParent) {
    if (FAlign != alNone) FParent->Realign();
  }
  if (!FVisible && MouseCapture()) SetMouseCapture(false);
}

void TWinControl::CMEnabledChanged(TMessage& m) {
  if (FImpl) FImpl->SetEnabled(FEnabled);
  Perform(WM_ENABLE, FEnabled ? 1 : 0, 0);
  Invalidate();
}

void TWinControl::CMFontChanged(TMessage&) { Invalidate(); }
void TWinControl::CMColorChanged(TMessage&) { Invalidate(); }
