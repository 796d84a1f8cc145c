// TControl: bounds, parent, caption, font, colour, and the message handling every
// control shares (mouse, keys, enter/leave, the CM_* notifications).
#include <algorithm>

#include "framework/core/Exceptions.h"
#include "framework/graphics/Canvas.h"

#include "framework/menus/PopupMenu.h"
#include "framework/messages/MessageViews.h"
#include "framework/windows/Application.h"
#include "framework/windows/Forms.h"
#include "framework/windows/InputPolicy.h"
#include "framework/windows/WindowImpl.h"
#include "framework/windows/Windows.h"

TControl::TControl(TComponent* AOwner) : TComponent(AOwner) {
  WindowProc = [this](TMessage& m) { WndProc(m); };
  FFont.OnChange = [this](TObject*) {
    if (!FUpdatingParentFont) FParentFont = false;
    Perform(CM_FONTCHANGED, 0, 0);
  };
}

TControl::~TControl() {
  FFont.OnChange = nullptr;
  winimpl::ForgetControl(this, true);
  if (FParent) FParent->RemoveControl(this);
}

void TControl::SetParent(TWinControl* AParent) {
  if (AParent == FParent) return;
  if (AParent == this) throw EInvalidOperation("A control cannot be its own parent");
  if (FParent) FParent->RemoveControl(this);
  if (AParent) AParent->InsertControl(this);
}

void TControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  if (AWidth < 0) AWidth = 0;
  if (AHeight < 0) AHeight = 0;
  bool moved = ALeft != FLeft || ATop != FTop;
  bool sized = AWidth != FWidth || AHeight != FHeight;
  if (!moved && !sized) return;
  if (FParent && FVisible && !dynamic_cast<TWinControl*>(this)) FParent->Invalidate();
  FLeft = ALeft;
  FTop = ATop;
  FWidth = AWidth;
  FHeight = AHeight;
  BoundsChanged(moved, sized);
}

void TControl::BoundsChanged(bool moved, bool sized) {
  if (FParent && FVisible) FParent->Invalidate();
  if (sized) Resize();
}

TRect TControl::ClientRect() const { return Rect(0, 0, FWidth, FHeight); }

void TControl::SetClientWidth(int v) { SetWidth(v + (FWidth - ClientWidth())); }
void TControl::SetClientHeight(int v) { SetHeight(v + (FHeight - ClientHeight())); }

TPoint TControl::ClientOrigin() const {
  if (!FParent) return Point(FLeft, FTop);
  TPoint p = FParent->ClientOrigin();
  return Point(p.X + FLeft, p.Y + FTop);
}

TPoint TControl::ClientToScreen(TPoint p) const {
  TPoint o = ClientOrigin();
  return Point(p.X + o.X, p.Y + o.Y);
}

TPoint TControl::ScreenToClient(TPoint p) const {
  TPoint o = ClientOrigin();
  return Point(p.X - o.X, p.Y - o.Y);
}

void TControl::SetVisible(bool v) {
  if (v == FVisible) return;
  FVisible = v;
  std::weak_ptr<bool> alive = FAlive;
  Perform(CM_VISIBLECHANGED, v ? 1 : 0, 0);
  if (!v && !alive.expired()) winimpl::ForgetControl(this, false);
}

bool TControl::ShowHint() const {
  if (FParentShowHint && FParent) return static_cast<const TControl*>(FParent)->ShowHint();
  return FShowHint;
}

bool TControl::Showing() const {
  if (!FVisible) return false;
  if (!FParent) {
    auto* w = dynamic_cast<const TWinControl*>(this);
    return w && w->WindowImpl() && w->WindowImpl()->Showing();
  }
  return FParent->Showing();
}

void TControl::SetEnabled(bool v) {
  if (v == FEnabled) return;
  FEnabled = v;
  std::weak_ptr<bool> alive = FAlive;
  // A disabled control takes no input: it stops being hovered and loses the capture.
  if (!v) winimpl::ForgetControl(this, false);
  if (!alive.expired()) Perform(CM_ENABLEDCHANGED, 0, 0);
}

void TControl::SetCaption(const std::string& v) {
  if (v == FCaption) return;
  if (auto* w = dynamic_cast<TWinControl*>(this); w && w->HandleAllocated()) {
    // The window keeps its text: WM_SETTEXT stores it (and hooks see the change).
    TMessage m{WM_SETTEXT, 0, reinterpret_cast<LPARAM>(v.c_str()), 0};
    WindowProc(m);
  } else {
    FCaption = v;
  }
  Perform(CM_TEXTCHANGED, 0, 0);
}

void TControl::SetParentFont(bool v) {
  FParentFont = v;
  if (v && FParent) ParentFontChanged();
}

void TControl::ParentFontChanged() {
  if (!FParentFont || !FParent) return;
  FUpdatingParentFont = true;
  FFont.Assign(FParent->Font());
  FUpdatingParentFont = false;
}

void TControl::SetColor(TColor v) {
  FParentColor = false;
  if (v == FColor) return;
  FColor = v;
  Perform(CM_COLORCHANGED, 0, 0);
}

void TControl::SetParentColor(bool v) {
  FParentColor = v;
  if (v && FParent) ParentColorChanged();
}

void TControl::ParentColorChanged() {
  if (!FParentColor || !FParent) return;
  if (FColor != FParent->Color()) {
    FColor = FParent->Color();
    Perform(CM_COLORCHANGED, 0, 0);
  }
}

void TControl::SetAlign(TAlign v) {
  if (v == FAlign) return;
  FAlign = v;
  if (FParent) FParent->Realign();
}

void TControl::SetCursor(TCursor v) {
  FCursor = v;
  if (auto* w = dynamic_cast<TWinControl*>(this); w && w->WindowImpl()) w->WindowImpl()->SetCursor(v);
}

void TControl::SetPopupMenu(TPopupMenu* v) {
  if (FPopupMenu == v) return;
  if (FPopupMenu) RemoveFreeNotification(FPopupMenu);
  FPopupMenu = v;
  if (v) FreeNotification(v);
}

void TControl::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FPopupMenu) FPopupMenu = nullptr;
}

void TControl::Invalidate() {
  if (FParent && FVisible) FParent->Invalidate();
}

void TControl::Update() {
  if (FParent) FParent->Update();
}

void TControl::Repaint() {
  Invalidate();
  Update();
}

void TControl::BringToFront() {
  if (!FParent) return;
  auto& list = FParent->FControls;
  list.erase(std::remove(list.begin(), list.end(), this), list.end());
  list.push_back(this);
  if (auto* w = dynamic_cast<TWinControl*>(this); w && w->WindowImpl()) w->WindowImpl()->RaiseClient();
  Invalidate();
}

void TControl::SendToBack() {
  if (!FParent) return;
  auto& list = FParent->FControls;
  list.erase(std::remove(list.begin(), list.end(), this), list.end());
  list.insert(list.begin(), this);
  if (auto* w = dynamic_cast<TWinControl*>(this); w && w->WindowImpl()) w->WindowImpl()->LowerClient();
  Invalidate();
}

bool TControl::MouseCapture() const { return winimpl::CaptureControl() == this; }

void TControl::SetMouseCapture(bool v) {
  if (v == MouseCapture()) return;
  if (v) {
    TWinControl* host = dynamic_cast<TWinControl*>(this);
    if (!host) host = FParent;
    if (!host) return;
    ::SetCapture(host->Handle());
    winimpl::SetCaptureControl(this);
  } else {
    ReleaseCapture();
  }
}

LRESULT TControl::Perform(UINT Msg, WPARAM WParam, LPARAM LParam) {
  TMessage m{Msg, WParam, LParam, 0};
  TWndMethod proc = WindowProc;  // a handler may free this control
  proc(m);
  return m.Result;
}

void TControl::SendCancelMode() {
  if (TCustomForm* f = GetParentForm(this); f && f->HandleAllocated()) f->Perform(WM_CANCELMODE, 0, 0);
}

static bool IsMouseMessage(UINT m) { return m >= WM_MOUSEMOVE && m <= WM_MBUTTONDBLCLK; }

void TControl::HandleMouseMessage(TMessage& m) {
  const TMouseMessage mouse(m);
  const int x = mouse.Pos.X, y = mouse.Pos.Y;
  TShiftState shift = MouseKeysToShiftState(mouse.Keys);
  UINT msg = m.Msg;
  bool dbl = msg == WM_LBUTTONDBLCLK || msg == WM_RBUTTONDBLCLK || msg == WM_MBUTTONDBLCLK;
  if (dbl && !FControlStyle.Contains(csDoubleClicks)) {
    msg -= 2;  // a control without double clicks sees a second press
    dbl = false;
  }
  switch (msg) {
    case WM_MOUSEMOVE:
      MouseMove(shift, x, y);
      break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      if (dbl) SendCancelMode();
      if (FControlStyle.Contains(csCaptureMouse)) SetMouseCapture(true);
      if (FControlStyle.Contains(csClickEvents)) FClicking = true;
      if (dbl) {
        std::weak_ptr<bool> alive = FAlive;
        DblClick();
        if (alive.expired()) return;
        shift.Include(ssDouble);
      }
      MouseDown(mbLeft, shift, x, y);
      break;
    case WM_LBUTTONUP: {
      if (FControlStyle.Contains(csCaptureMouse)) SetMouseCapture(false);
      bool click = FClicking;
      FClicking = false;
      if (click && PtInRect(Rect(0, 0, FWidth, FHeight), Point(x, y))) {
        std::weak_ptr<bool> alive = FAlive;
        Click();
        if (alive.expired()) return;  // the handler freed this control
      }
      MouseUp(mbLeft, shift, x, y);
      break;
    }
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
      if (dbl) shift.Include(ssDouble);
      MouseDown(mbRight, shift, x, y);
      break;
    case WM_RBUTTONUP:
      MouseUp(mbRight, shift, x, y);
      break;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
      if (dbl) shift.Include(ssDouble);
      MouseDown(mbMiddle, shift, x, y);
      break;
    case WM_MBUTTONUP:
      MouseUp(mbMiddle, shift, x, y);
      break;
  }
}

void TControl::HandleKeyMessage(TMessage& m) {
  if (m.Msg == WM_CHAR) {
    char32_t ch = char32_t(m.WParam);
    KeyPress(ch);
    m.WParam = ch;
    if (ch == 0) m.Result = 1;
    return;
  }
  Word key = Word(TKeyMessage(m).CharCode);
  TShiftState shift = KeyboardStateToShiftState();
  // A form with KeyPreview sees the key first.
  TCustomForm* form = GetParentForm(this);
  if (form && form != this && form->KeyPreview()) {
    if (m.Msg == WM_KEYDOWN || m.Msg == WM_SYSKEYDOWN)
      static_cast<TControl*>(form)->KeyDown(key, shift);
    else
      static_cast<TControl*>(form)->KeyUp(key, shift);
    if (key == 0) {
      m.Result = 1;
      return;
    }
  }
  if (m.Msg == WM_KEYDOWN || m.Msg == WM_SYSKEYDOWN)
    KeyDown(key, shift);
  else
    KeyUp(key, shift);
  m.WParam = key;
  if (key == 0) m.Result = 1;
}

void TControl::WndProc(TMessage& m) {
  if (IsMouseMessage(m.Msg)) {
    HandleMouseMessage(m);
    return;
  }
  switch (m.Msg) {
    case WM_MOUSEWHEEL: {
      const TMouseWheelMessage wheel(m);
      if (DoMouseWheel(MouseKeysToShiftState(wheel.Keys), wheel.WheelDelta, wheel.Pos))
        m.Result = 1;
      else if (FParent)
        m.Result = FParent->Perform(m.Msg, m.WParam, m.LParam);
      return;
    }
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYDOWN:
    case WM_SYSKEYUP:
    case WM_CHAR:
      HandleKeyMessage(m);
      if (m.Result == 0) DefaultHandler(m);
      return;
    case WM_CONTEXTMENU: WMContextMenu(m); return;
    case CM_MOUSEENTER: CMMouseEnter(m); return;
    case CM_MOUSELEAVE: CMMouseLeave(m); return;
    case CM_ENABLEDCHANGED: CMEnabledChanged(m); return;
    case CM_FONTCHANGED: CMFontChanged(m); return;
    case CM_COLORCHANGED: CMColorChanged(m); return;
    case CM_TEXTCHANGED: CMTextChanged(m); return;
    case CM_VISIBLECHANGED: CMVisibleChanged(m); return;
    case CM_PARENTFONTCHANGED: ParentFontChanged(); return;
    case CM_PARENTCOLORCHANGED: ParentColorChanged(); return;
    case WM_CANCELMODE:
      if (MouseCapture()) SetMouseCapture(false);
      FClicking = false;
      DefaultHandler(m);
      return;
  }
  DefaultHandler(m);
}

void TControl::DefaultHandler(TMessage& m) {
  if (m.Msg == WM_SETTEXT && m.LParam) {
    FCaption = reinterpret_cast<const char*>(m.LParam);
    m.Result = 1;
  } else if (m.Msg == WM_GETTEXT && m.LParam && m.WParam > 0) {
    // WParam: buffer size including the terminating zero.
    size_t n = std::min<size_t>(FCaption.size(), m.WParam - 1);
    char* out = reinterpret_cast<char*>(m.LParam);
    std::copy(FCaption.begin(), FCaption.begin() + long(n), out);
    out[n] = 0;
    m.Result = LRESULT(n);
  }
}

void TControl::Loaded() {
  TComponent::Loaded();
  if (FParent) {
    if (FParentFont) ParentFontChanged();
    if (FParentColor) ParentColorChanged();
  }
}

void TControl::MouseDown(TMouseButton b, TShiftState s, int x, int y) {
  if (OnMouseDown) OnMouseDown(this, b, s, x, y);
}
void TControl::MouseUp(TMouseButton b, TShiftState s, int x, int y) {
  if (OnMouseUp) OnMouseUp(this, b, s, x, y);
}
void TControl::MouseMove(TShiftState s, int x, int y) {
  if (OnMouseMove) OnMouseMove(this, s, x, y);
}
bool TControl::DoMouseWheel(TShiftState s, int delta, TPoint pos) {
  bool handled = false;
  if (OnMouseWheel) OnMouseWheel(this, s, delta, pos, handled);
  return handled;
}
void TControl::Click() {
  if (OnClick) {
    auto handler = OnClick;  // the handler may free this control
    handler(this);
  }
}
void TControl::DblClick() {
  if (OnDblClick) {
    auto handler = OnDblClick;
    handler(this);
  }
}
void TControl::KeyDown(Word& k, TShiftState s) {
  if (OnKeyDown) OnKeyDown(this, k, s);
}
void TControl::KeyUp(Word& k, TShiftState s) {
  if (OnKeyUp) OnKeyUp(this, k, s);
}
void TControl::KeyPress(char32_t& k) {
  if (OnKeyPress) OnKeyPress(this, k);
}
void TControl::Resize() {
  if (OnResize) OnResize(this);
}
void TControl::WMContextMenu(TMessage& m) {
  if (FPopupMenu && FPopupMenu->AutoPopup()) {
    const TScreenPointMessage at(m);
    const TPoint p = at.FromKeyboard ? ClientToScreen(Point(FWidth / 2, FHeight / 2)) : at.Pos;
    m.Result = 1;
    FPopupMenu->SetPopupComponent(this);
    FPopupMenu->Popup(p.X, p.Y);
    return;
  }
  if (FParent) m.Result = FParent->Perform(WM_CONTEXTMENU, m.WParam, m.LParam);
}

void TControl::CMMouseEnter(TMessage&) {
  FMouseInControl = true;
  if (OnMouseEnter) OnMouseEnter(this);
}
void TControl::CMMouseLeave(TMessage&) {
  FMouseInControl = false;
  if (OnMouseLeave) OnMouseLeave(this);
}
void TControl::CMEnabledChanged(TMessage&) { Invalidate(); }
void TControl::CMFontChanged(TMessage&) { Invalidate(); }
void TControl::CMColorChanged(TMessage&) { Invalidate(); }
void TControl::CMTextChanged(TMessage&) { Invalidate(); }
void TControl::CMVisibleChanged(TMessage&) {
  if (FParent) FParent->Invalidate();
  if (!FVisible && MouseCapture()) SetMouseCapture(false);
}

// ---------------------------------------------------------------------------------------
void CopyParentImage(TControl* control, TCanvas* dest) {
  if (!control || !dest) return;
  TWinControl* parent = control->Parent();
  int w = control->Width(), h = control->Height();
  if (w <= 0 || h <= 0) return;
  TBitmap image(w, h);
  if (!parent) {
    image.Canvas()->Brush()->Color = clBtnFace;
    image.Canvas()->FillRect(Rect(0, 0, w, h));
  } else {
    // Render the parent as it paints, moved so that the control's corner is at (0, 0).
    TCanvas canvas(&image);
    canvas.SetOrigin(Point(-control->Left(), -control->Top()));
    TMessage erase{WM_ERASEBKGND, reinterpret_cast<WPARAM>(&canvas), 0, 0};
    parent->WindowProc(erase);
    WindowAccess::PaintWindow(parent, &canvas);
    WindowAccess::PaintControls(parent, &canvas, dynamic_cast<TWinControl*>(control) ? nullptr : control);
  }
  dest->CopyRect(Rect(0, 0, w, h), &image, Rect(0, 0, w, h));
}

TCustomForm* GetParentForm(TControl* control) {
  while (control && control->Parent()) control = control->Parent();
  return dynamic_cast<TCustomForm*>(control);
}
