// TCustomForm: a top-level window with a frame the framework owns, showing, closing,
// modal loops and window states.
#include <algorithm>

#include "framework/core/Exceptions.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/Icon.h"
#include "framework/messages/MessageViews.h"
#include "framework/windows/CanvasHandleScope.h"
#include "framework/layout/LayoutReader.h"
#include "framework/windows/Application.h"
#include "framework/windows/EventLoop.h"
#include "framework/windows/Forms.h"
#include "framework/windows/InputPolicy.h"
#include "framework/windows/WindowImpl.h"
#include "framework/windows/Windows.h"

TCustomForm::TCustomForm(TComponent* AOwner) : TWinControl(AOwner), FIcon(std::make_unique<TIcon>()) {
  FColor = clBtnFace;
  FVisible = false;
  FControlStyle = {csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks};
  FLeft = 0;
  FTop = 0;
  FWidth = 320;
  FHeight = 240;
  UpdateStyleWords();
  RecalcNonClient();
  Screen()->AddForm(this);
}

TCustomForm::~TCustomForm() {
  *FAlive = false;
  Destroying();
  if (OnDestroy) {
    TNotifyEvent handler = OnDestroy;
    Application->Guard([&] { handler(this); });
  }
  Screen()->RemoveForm(this);
  if (Application->MainForm() == this) Application->SetMainForm(nullptr);
  // Everything below still meets a form: owned components first (their destructors may
  // unhook WindowProc or send messages), then the window.
  DestroyComponents();
  FActiveControl = nullptr;
  DestroyWnd();
}

void TCustomForm::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  p.Style &= ~(WS_CHILD | WS_VISIBLE);
  p.ExStyle = 0;
  switch (FBorderStyle) {
    case bsNone: p.Style |= WS_POPUP; break;
    case bsSingle: p.Style |= WS_CAPTION | WS_BORDER; break;
    case bsSizeable: p.Style |= WS_CAPTION | WS_THICKFRAME; break;
    case bsDialog: p.Style |= WS_CAPTION | WS_DLGFRAME; break;
    case bsToolWindow: p.Style |= WS_CAPTION; p.ExStyle |= WS_EX_TOOLWINDOW; break;
    case bsSizeToolWin: p.Style |= WS_CAPTION | WS_THICKFRAME; p.ExStyle |= WS_EX_TOOLWINDOW; break;
  }
  if (FBorderStyle != bsNone) {
    if (FBorderIcons.Contains(TBorderIcon::biSystemMenu)) p.Style |= WS_SYSMENU;
    if (FBorderIcons.Contains(TBorderIcon::biMinimize)) p.Style |= WS_MINIMIZEBOX;
    if (FBorderIcons.Contains(TBorderIcon::biMaximize)) p.Style |= WS_MAXIMIZEBOX;
  }
  if (FFormStyle == fsStayOnTop) p.ExStyle |= WS_EX_TOPMOST;
}

void TCustomForm::UpdateStyleWords() {
  TCreateParams p;
  CreateParams(p);
  if (HandleAllocated()) {
    SetWindowLong(FHandle, GWL_STYLE, LONG(p.Style));
    SetWindowLong(FHandle, GWL_EXSTYLE, LONG(p.ExStyle));
  } else {
    FStyle = p.Style;
    FExStyle = p.ExStyle;
  }
}

void TCustomForm::CreateWnd() {
  TWinControl::CreateWnd();
  FImpl->CreateFrame(FCaption, *FIcon);
  RecalcNonClient();
}

void TCustomForm::SetIcon(const TIcon* v) {
  if (v && !v->Empty()) FIcon->Assign(v);
  else FIcon->Clear();
  ApplyWindowIcon();
}

// The window manager reads the icon from the window; an empty one gives the application's.
void TCustomForm::ApplyWindowIcon() {
  if (FImpl) FImpl->SetIcon(*FIcon);
}

void TCustomForm::RecalcNonClient() {
  TRect r = Bounds(FLeft, FTop, FWidth, FHeight);
  TMessage m{WM_NCCALCSIZE, 0, reinterpret_cast<LPARAM>(&r), 0};
  WindowProc(m);
  r.Right = std::max(r.Right, r.Left);
  r.Bottom = std::max(r.Bottom, r.Top);
  OffsetRect(r, -FLeft, -FTop);
  if (r != FClientInWindow) {
    FClientInWindow = r;
    if (FImpl) FImpl->ClientDirty = true;
  }
  if (FImpl) {
    FImpl->SetClientGeometry(r);
    FImpl->FrameDirty = true;
    FImpl->UpdateWindow();
  }
}

TRect TCustomForm::ClientRect() const { return Rect(0, 0, FClientInWindow.Width(), FClientInWindow.Height()); }

TPoint TCustomForm::ClientOrigin() const {
  return Point(FLeft + FClientInWindow.Left, FTop + FClientInWindow.Top);
}

void TCustomForm::SetClientWidth(int v) { SetBounds(FLeft, FTop, FWidth + v - ClientWidth(), FHeight); }
void TCustomForm::SetClientHeight(int v) { SetBounds(FLeft, FTop, FWidth, FHeight + v - ClientHeight()); }

void TCustomForm::BoundsChanged(bool moved, bool sized) {
  if (FImpl) FImpl->SetFrameGeometry(BoundsRect());
  if (sized) RecalcNonClient();
  if (moved) {
    TPoint o = ClientOrigin();
    Perform(WM_MOVE, 0, MAKELPARAM(unsigned(o.X), unsigned(o.Y)));
  }
  if (sized) {
    WPARAM kind = FWindowState == wsMaximized ? SIZE_MAXIMIZED : SIZE_RESTORED;
    Perform(WM_SIZE, kind, MAKELPARAM(unsigned(ClientWidth()), unsigned(ClientHeight())));
  }
}

void TCustomForm::SetBorderStyle(TFormBorderStyle v) {
  if (v == FBorderStyle) return;
  FBorderStyle = v;
  UpdateStyleWords();
  RecalcNonClient();
}

void TCustomForm::SetBorderIcons(TBorderIcons v) {
  if (v == FBorderIcons) return;
  FBorderIcons = v;
  UpdateStyleWords();
  if (FImpl) {
    FImpl->FrameDirty = true;
    FImpl->UpdateWindow();
  }
}

void TCustomForm::SetFormStyle(TFormStyle v) {
  if (v == FFormStyle) return;
  FFormStyle = v;
  UpdateStyleWords();
}

void TCustomForm::SetActiveControl(TWinControl* v) {
  if (v == this) v = nullptr;
  if (v && GetParentForm(v) != this) throw EInvalidOperation("The control is not on this form");
  if (v == FActiveControl) return;
  FActiveControl = v;
  if (!IsDestroying()) Perform(CM_FOCUSCHANGED, 0, reinterpret_cast<LPARAM>(v));
}

void TCustomForm::DefocusControl(TControl* c) {
  for (TControl* x = FActiveControl; x; x = x->Parent())
    if (x == c) {
      SetActiveControl(nullptr);
      return;
    }
}

TMinMaxInfo TCustomForm::QueryMinMaxInfo() {
  TRect work = FImpl ? GetMonitorWorkArea(FHandle) : Screen()->WorkAreaRect();
  TMinMaxInfo mmi;
  mmi.ptMaxSize = Point(work.Width(), work.Height());
  mmi.ptMaxPosition = Point(work.Left, work.Top);
  if (FBorderStyle == bsNone)
    mmi.ptMinTrackSize = Point(1, 1);
  else
    mmi.ptMinTrackSize = Point(2 * DefaultFrameBorder + DefaultCloseButtonSize + 8,
                               2 * DefaultFrameBorder + DefaultCaptionHeight + 2);
  mmi.ptMaxTrackSize = Point(32767, 32767);
  Perform(WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&mmi));
  return mmi;
}

void TCustomForm::SetWindowState(TWindowState v) {
  if (v == FWindowState) return;
  TWindowState old = FWindowState;
  if (old == wsNormal) FRestoreBounds = BoundsRect();
  FWindowState = v;
  Impl* impl = FImpl.get();
  switch (v) {
    case wsMaximized: {
      if (impl && impl->Minimized()) impl->ShowNormal();
      TMinMaxInfo mmi = QueryMinMaxInfo();
      TRect before = BoundsRect();
      SetBounds(mmi.ptMaxPosition.X, mmi.ptMaxPosition.Y, mmi.ptMaxSize.X, mmi.ptMaxSize.Y);
      if (BoundsRect() == before)
        Perform(WM_SIZE, SIZE_MAXIMIZED, MAKELPARAM(unsigned(ClientWidth()), unsigned(ClientHeight())));
      break;
    }
    case wsMinimized:
      if (impl && impl->Showing()) impl->ShowMinimized();
      Perform(WM_SIZE, SIZE_MINIMIZED, 0);
      break;
    case wsNormal: {
      if (impl && impl->Minimized()) impl->ShowNormal();
      TRect before = BoundsRect();
      if (!IsRectEmpty(FRestoreBounds)) SetBoundsRect(FRestoreBounds);
      if (BoundsRect() == before)
        Perform(WM_SIZE, SIZE_RESTORED, MAKELPARAM(unsigned(ClientWidth()), unsigned(ClientHeight())));
      break;
    }
  }
}

void TCustomForm::PlaceOnShow() {
  TRect area;
  switch (FPosition) {
    case poScreenCenter:
    case poDesktopCenter:
      area = Screen()->WorkAreaRect();
      break;
    case poMainFormCenter:
    case poOwnerFormCenter: {
      TCustomForm* ref = Application->MainForm();
      if (FPosition == poOwnerFormCenter) ref = dynamic_cast<TCustomForm*>(Owner());
      area = (ref && ref != this) ? ref->BoundsRect() : Screen()->WorkAreaRect();
      break;
    }
    default:
      return;
  }
  SetBounds(area.Left + (area.Width() - FWidth) / 2, area.Top + (area.Height() - FHeight) / 2, FWidth, FHeight);
}

void TCustomForm::CMVisibleChanged(TMessage&) {
  if (FVisible) {
    Handle();
    if (!FShownOnce) {
      FShownOnce = true;
      PlaceOnShow();
    }
    DoShow();
    if (!FImpl || !FVisible) return;
    TMessage s{WM_SHOWWINDOW, 1, 0, 0};
    WindowProc(s);
    if (!FImpl) return;
    FImpl->ShowFrame(FWindowState == wsMinimized);
  } else {
    if (FImpl && FImpl->FrameShowing()) {
      TMessage s{WM_SHOWWINDOW, 0, 0, 0};
      WindowProc(s);
      if (FImpl) FImpl->HideFrame();
    }
    DoHide();
  }
}

void TCustomForm::DoShow() {
  if (OnShow) OnShow(this);
}
void TCustomForm::DoHide() {
  if (OnHide) OnHide(this);
}
void TCustomForm::Activate() {
  if (OnActivate) OnActivate(this);
}
void TCustomForm::Deactivate() {
  if (OnDeactivate) OnDeactivate(this);
}
void TCustomForm::Paint() {
  if (OnPaint) OnPaint(this);
}
void TCustomForm::PaintWindow(TCanvas* canvas) {
  TCanvasHandleScope scope(FPaintCanvas, canvas);
  Paint();
}

TCanvas* TCustomForm::Canvas() {
  if (FPaintCanvas) return FPaintCanvas;
  return GetClientCanvas(Handle());
}

bool TCustomForm::CloseQuery() {
  bool can = true;
  if (OnCloseQuery) OnCloseQuery(this, can);
  return can;
}

void TCustomForm::Close() {
  if (FModal) {
    FModalResult = mrCancel;
    return;
  }
  if (!CloseQuery()) return;
  TCloseAction action = FFormStyle == fsMDIChild ? caMinimize : caHide;
  if (OnClose) OnClose(this, action);
  if (action == caNone) return;
  if (Application->MainForm() == this) {
    Hide();
    Application->Terminate();
  } else if (action == caHide) {
    Hide();
  } else if (action == caMinimize) {
    SetWindowState(wsMinimized);
  } else {
    Release();
  }
}

void TCustomForm::Release() {
  HWND h = Handle();
  eventloop::Post([h] {
    if (TWinControl* c = FindControl(h)) delete c;
  });
}

TModalResult TCustomForm::ShowModal() {
  if (FVisible || FModal) throw EInvalidOperation("Cannot make a visible window modal");
  std::weak_ptr<bool> alive = FAlive;
  Handle();
  // Whoever holds the capture lets go before the modal loop takes the input.
  if (TControl* cap = GetCaptureControl()) cap->Perform(WM_CANCELMODE, 0, 0);
  if (alive.expired()) return mrCancel;
  FModal = true;
  FModalResult = mrNone;
  FImpl->SetModal(true);
  Show();
  TModalResult result = mrNone;
  while (!alive.expired() && *alive.lock()) {
    if (FModalResult != mrNone) {
      // The classic closing of a modal form: it may refuse (CloseQuery, caNone).
      bool can = CloseQuery();
      TCloseAction action = caHide;
      if (can && OnClose) OnClose(this, action);
      if (can && action != caNone) break;
      FModalResult = mrNone;
    }
    if (Application->Terminated()) {
      FModalResult = mrCancel;
      break;
    }
    eventloop::WaitAndProcess();
  }
  if (alive.expired() || !*alive.lock()) return mrCancel;
  result = FModalResult;
  FModal = false;
  Hide();
  if (FImpl) FImpl->SetModal(false);
  return result;
}

void TCustomForm::SetFocus() {
  Handle();
  if (!FVisible || !FEnabled) throw EInvalidOperation("Cannot focus a disabled or invisible window");
  FImpl->ActivateFrame();
  if (FActiveControl && FActiveControl->CanFocus()) FActiveControl->SetFocus();
}

bool TCustomForm::CanFocus() const { return FVisible && FEnabled; }

void TCustomForm::LoadLayout(const std::string& resourceName) {
  ReadLayoutResource(this, resourceName);
  DoCreate();
}

void TCustomForm::Loaded() {
  TWinControl::Loaded();
  Realign();
}

void TCustomForm::DoCreate() {
  FCreated = true;
  if (OnCreate) OnCreate(this);
}

void TCustomForm::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_ACTIVATE: {
      const bool active = TActivateMessage(m).Active();
      if (active == FActive) return;
      FActive = active;
      if (FCaptionActive != active) {
        FCaptionActive = active;
        if (HandleAllocated()) Perform(WM_NCPAINT, 1, 0);
      }
      if (active) {
        Activate();
        if (FActiveControl && FActiveControl->CanFocus() && FImpl) FActiveControl->SetFocus();
      } else {
        // A deactivated form keeps no mouse capture.
        if (TControl* cap = GetCaptureControl(); cap && GetParentForm(cap) == this) cap->Perform(WM_CANCELMODE, 0, 0);
        Deactivate();
      }
      return;
    }
    case WM_CLOSE:
      Close();
      return;
    case CM_DIALOGKEY:
      if (GetKeyState(VK_MENU) >= 0) {
        const int key = int(TKeyMessage(m).CharCode);
        if (key == VK_TAB && GetKeyState(VK_CONTROL) >= 0) {
          SelectNext(FActiveControl, GetKeyState(VK_SHIFT) >= 0, true);
          m.Result = 1;
          return;
        }
        if (key == VK_LEFT || key == VK_RIGHT || key == VK_UP || key == VK_DOWN) {
          // Arrows move among the active control's siblings, tab stops or not.
          if (FActiveControl && FActiveControl->Parent()) {
            FActiveControl->Parent()->SelectNext(FActiveControl, key == VK_RIGHT || key == VK_DOWN, false);
            m.Result = 1;
          }
          return;
        }
      }
      break;
  }
  TWinControl::WndProc(m);
}
