#include "skin/form/SkinTrayIcon.h"

#include <cstdio>
#include <cstring>

#include "framework/core/SysUtils.h"
#include "framework/graphics/ImageList.h"
#include "framework/menus/MenuItem.h"
#include "framework/messages/MessageViews.h"
#include "framework/windows/Application.h"
#include "framework/windows/Forms.h"
#include "framework/windows/Timers.h"
#include "framework/windows/WinControl.h"
#include "framework/windows/Windows.h"
#include "platform/tray/NotifyIcon.h"
#include "skin/form/SkinForm.h"
#include "skin/form/SkinPopupMenu.h"

// The hidden window the notification area reports to.
class TbsTrayCallbackWindow : public TWinControl {
 public:
  explicit TbsTrayCallbackWindow(TbsTrayIcon* icon) : TWinControl(nullptr), FIcon(icon) { FVisible = false; }
  std::string ClassName() const override { return "TbsTrayCallbackWindow"; }
  void CreateParams(TCreateParams& p) override {
    TWinControl::CreateParams(p);
    p.Style = (p.Style & ~(WS_CHILD | WS_VISIBLE)) | WS_POPUP;
    p.ExStyle |= WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE;
  }

 protected:
  void WndProc(TMessage& m) override {
    switch (m.Msg) {
      case TbsTrayIcon::CallbackMessage:
        FIcon->HandleCallback(m);
        return;
      case WM_DESTROY:
      case WM_CLOSE:
      case WM_QUIT:
      case WM_NCDESTROY:
      case 0x0011:  // WM_QUERYENDSESSION
      case 0x0054:  // WM_USERCHANGED
        m.Result = 1;
        return;
      default:
        TWinControl::WndProc(m);
    }
  }

 private:
  TbsTrayIcon* FIcon;
};

namespace {
bool Designing(const TComponent* c) { return c->ComponentState().Contains(csDesigning); }
}  // namespace

TbsTrayIcon::TbsTrayIcon(TComponent* AOwner)
    : TComponent(AOwner),
      FAnimateTimer(std::make_unique<TTimer>(nullptr)),
      FClickTimer(std::make_unique<TTimer>(nullptr)) {
  FAnimateTimer->SetEnabled(false);
  FAnimateTimer->SetInterval(1);
  FAnimateTimer->OnTimer = [this](TObject*) { AnimateTimerTick(); };
  FClickTimer->SetEnabled(false);
  FClickTimer->SetInterval(GetDoubleClickTime());
  FClickTimer->OnTimer = [this](TObject*) { ClickTimerTick(); };
  if (Designing(this)) return;
  FTaskbarCreated = RegisterWindowMessage("TaskbarCreated");
  if (FIcon.Empty()) FIcon.Assign(Application->Icon());
  FCallbackWindow = new TbsTrayCallbackWindow(this);
  FCallbackWindow->HandleNeeded();
  FAppHook = Application->HookMainWindow([this](TMessage& m) { return AppWindowHook(m); });
  if (auto* owner = dynamic_cast<TWinControl*>(Owner())) FOwnerHook.Hook(owner, [this](TMessage& m) { OwnerHook(m); });
}

TbsTrayIcon::~TbsTrayIcon() {
  if (FSkinForm && FSkinForm->TrayLink() == this) FSkinForm->SetTrayLink(nullptr);
  FAnimateTimer.reset();
  FClickTimer.reset();
  if (FIconShown) {
    TNotifyIconData d;
    FillRecord(d);
    Shell_NotifyIcon(NIM_DELETE, &d);
  }
  if (FAppHook) Application->UnhookMainWindow(FAppHook);
  FOwnerHook.Unhook();
  delete FCallbackWindow;
}

void TbsTrayIcon::Loaded() {
  TComponent::Loaded();
  auto* owner = dynamic_cast<TWinControl*>(Owner());
  const bool toTray = owner && FMinimizedOnStart && !Designing(this);
  if (toTray) {
    FIconVisible = true;
    FMinimizeToTray = true;
  }
  ModifyIcon();
  if (!FIconVisible) return;
  std::weak_ptr<bool> alive = FAlive;
  const bool added = AddIcon();
  // As for minimising to the tray: the application leaves the screen only with the
  // icon in place to bring it back; without a notification area it starts as usual.
  if (alive.expired() || !toTray || !added) return;
  Application->SetShowMainForm(false);
  Application->SetAppWindowVisible(false);
}

void TbsTrayIcon::Notification(TComponent* c, TOperation op) {
  TComponent::Notification(c, op);
  if (op != opRemove) return;
  if (c == FIconList) FIconList = nullptr;
  if (c == FPopupMenu) FPopupMenu = nullptr;
  if (c == FSkinForm) FSkinForm = nullptr;
}

void TbsTrayIcon::LinkSkinForm(TbsSkinForm* v) {
  if (FSkinForm) RemoveFreeNotification(FSkinForm);
  FSkinForm = v;
  if (v) FreeNotification(v);
}

HWND TbsTrayIcon::CallbackWindow() const { return FCallbackWindow ? FCallbackWindow->HandleValue() : 0; }

bool TbsTrayIcon::Active() const { return !Designing(this) || FDesignPreview; }

void TbsTrayIcon::FillRecord(TNotifyIconData& d) const {
  d.Wnd = CallbackWindow();
  d.uID = IconID;
  d.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  d.uCallbackMessage = CallbackMessage;
  d.hIcon = &FIcon;
  static_assert(MaxTipLength <= NotifyIconTipChars, "the record holds every tip whole");
  const std::string tip = Utf8TruncateBytes(FTip, sizeof d.szTip - 1);
  std::memset(d.szTip, 0, sizeof d.szTip);
  std::memcpy(d.szTip, tip.data(), tip.size());
}

bool TbsTrayIcon::AddIcon() {
  if (!Active() || !FCallbackWindow) return false;
  TNotifyIconData d;
  FTip = FShowHint && !FHint.empty() ? Utf8Copy(FHint, 0, MaxTipLength) : std::string();
  FillRecord(d);
  Shell_NotifyIcon(NIM_DELETE, &d);  // whatever is left of an earlier one
  FIconShown = Shell_NotifyIcon(NIM_ADD, &d);
  if (!FDesignPreview || !Designing(this)) FIconVisible = true;
  if (!FIconShown) {
    std::weak_ptr<bool> alive = FAlive;
    if (OnNoNotificationArea) OnNoNotificationArea(this);
    else std::fprintf(stderr, "corvale: the desktop has no notification area for the tray icon\n");
    if (alive.expired()) return false;
  }
  return FIconShown;
}

void TbsTrayIcon::ModifyIcon() {
  if (!Active() || !FCallbackWindow) return;
  FTip = FShowHint && !FHint.empty() ? Utf8Copy(FHint, 0, MaxTipLength) : std::string();
  if (!FIconShown) return;
  TNotifyIconData d;
  FillRecord(d);
  Shell_NotifyIcon(NIM_MODIFY, &d);
}

void TbsTrayIcon::DeleteIcon() {
  if (!Active() || !FCallbackWindow) return;
  TNotifyIconData d;
  FillRecord(d);
  if (FIconShown) Shell_NotifyIcon(NIM_DELETE, &d);
  FIconShown = false;
  if (!FDesignPreview || !Designing(this)) FIconVisible = false;
}

void TbsTrayIcon::SetIconVisible(bool v) {
  FIconVisible = v;
  if (IsLoading()) return;
  if (v) AddIcon();
  else DeleteIcon();
}

void TbsTrayIcon::SetHint(const std::string& v) {
  FHint = v;
  ModifyIcon();
}

void TbsTrayIcon::SetShowHint(bool v) {
  FShowHint = v;
  ModifyIcon();
}

void TbsTrayIcon::SetIcon(const TIcon* v) {
  if (v) FIcon.Assign(v);
  else FIcon.Clear();
  ModifyIcon();
}

void TbsTrayIcon::SetDesignPreview(bool v) {
  FDesignPreview = v;
  if (!Designing(this) || !FCallbackWindow) return;
  if (v) AddIcon();
  else DeleteIcon();
}

void TbsTrayIcon::SetIconList(TImageList* v) {
  if (FIconList) RemoveFreeNotification(FIconList);
  FIconList = v;
  if (v) FreeNotification(v);
  FIconIndex = 0;
}

void TbsTrayIcon::SetPopupMenu(TbsSkinPopupMenu* v) {
  if (FPopupMenu) RemoveFreeNotification(FPopupMenu);
  FPopupMenu = v;
  if (v) FreeNotification(v);
}

void TbsTrayIcon::SetCycleIcons(bool v) {
  FCycleIcons = v;
  if (v) FIconIndex = 0;
  FAnimateTimer->SetInterval(FAnimateTimerInterval > 0 ? FAnimateTimerInterval : 1);
  FAnimateTimer->SetEnabled(v && FAnimateTimerInterval > 0);
}

void TbsTrayIcon::SetAnimateTimerInterval(unsigned v) {
  FAnimateTimerInterval = v;
  if (v > 0) FAnimateTimer->SetInterval(v);
  FAnimateTimer->SetEnabled(FCycleIcons && v > 0);
}

void TbsTrayIcon::LoadListIcon(int index) {
  if (!FIconList || index < 0 || index >= FIconList->Count()) return;
  TBitmap image;
  FIconList->GetBitmap(index, &image);
  TBitmap mask(image.Width(), image.Height());
  for (int y = 0; y < image.Height(); ++y)
    for (int x = 0; x < image.Width(); ++x)
      mask.SetPixel(x, y, image.Pixel(x, y) == clFuchsia ? clWhite : clBlack);
  FIcon.SetFromBitmap(&image, &mask);
}

void TbsTrayIcon::SetIconIndex(int v) {
  if (!FIconList || FIconList->Count() == 0) {
    FIconIndex = 0;
    return;
  }
  FIconIndex = std::max(0, std::min(v, FIconList->Count() - 1));
  LoadListIcon(FIconIndex);
  ModifyIcon();
}

void TbsTrayIcon::AnimateTimerTick() {
  if (!FIconList || FIconList->Count() == 0) return;
  if (FIconIndex >= FIconList->Count()) FIconIndex = 0;
  LoadListIcon(FIconIndex);
  const int next = FIconIndex + 1 < FIconList->Count() ? FIconIndex + 1 : 0;
  std::weak_ptr<bool> alive = FAlive;
  if (OnCycle) OnCycle(this, next);
  if (alive.expired()) return;
  ModifyIcon();
  FIconIndex = next;
}

// ---- mouse ------------------------------------------------------------------------------

void TbsTrayIcon::HandleCallback(TMessage& m) {
  if (!FEnabled) return;
  TPoint p;
  GetCursorPos(p);
  TShiftState shift = KeyboardStateToShiftState();
  std::weak_ptr<bool> alive = FAlive;
  switch (UINT(m.LParam)) {
    case WM_MOUSEMOVE:
      if (OnMouseMove) OnMouseMove(this, shift, p.X, p.Y);
      break;
    case WM_LBUTTONDOWN:
      FClickTimer->SetEnabled(false);
      FClickTimer->SetInterval(GetDoubleClickTime());
      FClickTimer->SetEnabled(true);
      if (OnMouseDown) OnMouseDown(this, mbLeft, shift + ssLeft, p.X, p.Y);
      if (alive.expired()) return;
      FClickStarted = true;
      if (FPopupByLeftButton) DoPopup();
      break;
    case WM_LBUTTONUP:
      if (FClickStarted) {
        FClickReady = true;
        if (!FClickTimer->Enabled()) {
          FClickReady = false;
          FClickStarted = false;
          if (OnClick) OnClick(this);
          if (alive.expired()) return;
        }
      }
      FClickStarted = false;
      if (OnMouseUp) OnMouseUp(this, mbLeft, shift + ssLeft, p.X, p.Y);
      break;
    case WM_LBUTTONDBLCLK:
      FClickReady = false;
      FDoubleClicked = true;
      if (OnDblClick) OnDblClick(this);
      if (alive.expired()) return;
      if (FPopupMenu && FPopupMenu->AutoPopup() && !FPopupByLeftButton) {
        TMenuItem* items = FPopupMenu->Items();
        for (int i = 0; items && i < items->Count(); ++i)
          if (items->Items(i)->Default()) {
            items->Items(i)->Click();
            break;
          }
      }
      break;
    case WM_RBUTTONDOWN:
      if (OnMouseDown) OnMouseDown(this, mbRight, shift + ssRight, p.X, p.Y);
      if (alive.expired()) return;
      DoPopup();
      break;
    case WM_RBUTTONUP:
      if (OnMouseUp) OnMouseUp(this, mbRight, shift + ssRight, p.X, p.Y);
      break;
    case WM_MBUTTONDOWN:
      if (OnMouseDown) OnMouseDown(this, mbMiddle, shift + ssMiddle, p.X, p.Y);
      break;
    case WM_MBUTTONUP:
      if (OnMouseUp) OnMouseUp(this, mbMiddle, shift + ssMiddle, p.X, p.Y);
      break;
    default:
      break;
  }
}

void TbsTrayIcon::ClickTimerTick() {
  FClickTimer->SetEnabled(false);
  const bool fire = !FDoubleClicked && FClickReady;
  FDoubleClicked = false;
  if (fire) {
    FClickReady = false;
    if (OnClick) OnClick(this);
  }
}

void TbsTrayIcon::DoPopup() {
  if (!FPopupMenu || !FPopupMenu->AutoPopup()) return;
  TPoint p;
  if (!GetCursorPos(p)) return;
  std::weak_ptr<bool> alive = FAlive;
  Application->ProcessMessages();
  if (alive.expired() || !FPopupMenu) return;
  auto* owner = dynamic_cast<TWinControl*>(Owner());
  if (owner && owner->Showing()) SetForegroundWindow(owner->Handle());
  FPopupMenu->SetPopupComponent(this);
  FPopupMenu->PopupAt(Rect(p.X, p.Y, p.X, p.Y), false);
  if (!alive.expired() && owner && owner->HandleAllocated()) PostMessage(owner->HandleValue(), WM_NULL, 0, 0);
}

// ---- the application and the owner form -----------------------------------------------

bool TbsTrayIcon::AppWindowHook(TMessage& m) {
  if (m.Msg == WM_SIZE && TSizeMessage(m).Kind == SIZE_MINIMIZED && FMinimizeToTray) {
    // Only with the icon in place does the application leave the screen: without a
    // notification area it stays minimised where the user can reach it.
    if (AddIcon()) HideApplication();
  } else if (m.Msg == FTaskbarCreated && FTaskbarCreated != 0 && FIconVisible) {
    AddIcon();
  }
  return false;
}

void TbsTrayIcon::OwnerHook(TMessage& m) {
  if (m.Msg == WM_ACTIVATE) {
    const TActivateMessage activate(m);
    if (activate.State == WA_ACTIVE || activate.State == WA_CLICKACTIVE) {
      const HWND focused = GetFocus();
      if (focused && activate.Other != focused && activate.Other != GetParent(focused)) {
        FOwnerHook.CallSaved(m);
        if (IsWindow(focused)) SetFocus(focused);
        return;
      }
    }
  } else if (m.Msg == WM_SHOWWINDOW) {
    if (const TShowWindowMessage show(m); show.Show && show.Status == 0) {
      Application->SetAppWindowVisible(true);
      FOwnerHook.CallSaved(m);
      return;
    }
  }
  FOwnerHook.CallSaved(m);
}

void TbsTrayIcon::Restore() {
  auto* owner = dynamic_cast<TWinControl*>(Owner());
  TCustomForm* main = Application->MainForm();
  if (!owner || !main) return;
  Application->SetAppWindowVisible(true);
  Application->Restore();
  main->Show();
  if (main->WindowState() == wsMinimized) main->SetWindowState(wsNormal);
}

void TbsTrayIcon::HideApplication() {
  if (TCustomForm* main = Application->MainForm()) main->Hide();
  Application->SetAppWindowVisible(false);
}
