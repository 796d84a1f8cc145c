// The window commands of TbsSkinForm: roll-up, its own minimise / maximise / restore,
// the size limits, magnetic docking, alpha blending and the tray commands; and the
// steps around an open skin menu.
#include <algorithm>

#include "framework/menus/PopupMenu.h"
#include "framework/messages/MessageViews.h"
#include "framework/windows/Application.h"
#include "framework/windows/Forms.h"
#include "framework/windows/Screen.h"
#include "framework/windows/Timers.h"
#include "framework/windows/Windows.h"
#include "skin/data/SkinData.h"
#include "skin/draw/SkinGeometry.h"
#include "skin/form/SkinAnimateObject.h"
#include "skin/form/SkinForm.h"
#include "skin/form/SkinFormMagnet.h"
#include "skin/form/SkinFormTray.h"
#include "skin/form/SkinMenu.h"
#include "skin/form/SkinMinimizedBars.h"
#include "skin/form/SkinPopupMenu.h"
#include "skin/form/SkinStdButtonObject.h"

namespace {
constexpr TRect NoRect{};

TRect WorkAreaOf(const TCustomForm* f) {
  return f->HandleAllocated() ? GetMonitorWorkArea(f->HandleValue()) : Screen()->WorkAreaRect();
}

TRect MonitorOf(const TCustomForm* f) {
  return f->HandleAllocated() ? GetMonitorRect(f->HandleValue()) : GetMonitorRectAt(Point(0, 0));
}
}  // namespace

// ---- size limits ------------------------------------------------------------------------

TbsFormSizeLimits TbsSkinForm::SizeLimits() const {
  TbsFormSizeLimits l;
  // A skin that cannot draw a frame leaves the default frame, and its sizes.
  const TBitmap* pic = SkinFrame() ? FSkinData->SkinPicture.get() : nullptr;
  l.Skinned = pic && !pic->Empty();
  if (l.Skinned) {
    l.PictureWidth = pic->Width();
    l.FrameHeight = std::max(0, pic->Height() - RectHeight(FSkinData->clientrect));
  } else {
    l.FrameHeight = DefaultCaptionHeight() + 6;
  }
  l.MinWidth = FMinWidth;
  l.MinHeight = FMinHeight;
  l.Minimized = FWindowState == TbsWindowState::wsMinimized;
  l.RolledUp = FRollUpState;
  return l;
}

void TbsSkinForm::NudgeWidth() {
  if (!FForm) return;
  const int w = FForm->Width();
  FForm->SetWidth(w - 1 < SizeLimits().MinimumWidth() ? w + 1 : w - 1);
  FForm->SetWidth(w);
}

// ---- commands ---------------------------------------------------------------------------

void TbsSkinForm::CloseForm() {
  if (FForm) FForm->Close();
}

void TbsSkinForm::MinimizeForm() {
  if (!FForm || FWindowState == TbsWindowState::wsMinimized) return;
  // The main form takes the whole application down and keeps its own state.
  if (FForm == Application->MainForm()) {
    Application->Minimize();
    return;
  }
  FWindowState = TbsWindowState::wsMinimized;
  if (FRestoreRect == NoRect) FRestoreRect = FForm->BoundsRect();
  const TbsFormSizeLimits l = SizeLimits();
  const TSize bar{l.MinimumWidth(), l.MinimumHeight()};
  const TPoint p =
      MinimizedBarPosition(WorkAreaOf(FForm), bar, [this](TPoint q) { return MinimizedBarAt(q, this); });
  FForm->SetBounds(p.X, p.Y, bar.cx, bar.cy);
}

void TbsSkinForm::MaximizeForm() {
  if (!FForm || FWindowState == TbsWindowState::wsMaximized) return;
  FWindowState = TbsWindowState::wsMaximized;
  if (FRestoreRect == NoRect) FRestoreRect = FForm->BoundsRect();
  FForm->SetBoundsRect(MaximizedFormBounds(MonitorOf(FForm), WorkAreaOf(FForm), FMaximizeOnFullScreen));
}

void TbsSkinForm::RestoreForm() {
  if (!FForm || FWindowState == TbsWindowState::wsNormal) return;
  FWindowState = TbsWindowState::wsNormal;
  // Rolled up while maximised: the restore rectangle holds the whole form, so the
  // rolled-up state ends with the maximised one.
  const bool unroll = FRollUpFromMaximized && FRollUpState;
  FRollUpFromMaximized = false;
  if (unroll) FRollUpState = false;
  const TRect before = FForm->BoundsRect();
  if (FRestoreRect != NoRect) FForm->SetBoundsRect(FRestoreRect);
  FHoverTimer->SetEnabled(true);
  const TRect after = FForm->BoundsRect();
  if (after.Width() == before.Width() && after.Height() == before.Height()) NudgeWidth();
  FRestoreRect = NoRect;
  if (FForm->HandleAllocated()) FForm->Perform(WM_NCPAINT, 0, 0);
  FForm->Invalidate();
  if (unroll && OnChangeRollUpState) OnChangeRollUpState(this);
}

void TbsSkinForm::SetRollUpState(bool v) {
  if (!FForm || !FBorderIcons.Contains(biRollUp) || FWindowState == TbsWindowState::wsMinimized) return;
  const bool maximized = FWindowState == TbsWindowState::wsMaximized;
  if (maximized && FRollUpState && !FRollUpFromMaximized) return;
  // Rolling up twice would save the rolled-up height over the real one.
  if (v == FRollUpState) return;
  if (maximized) FRollUpFromMaximized = v;
  FRollUpState = v;
  if (v) {
    FSavedHeight = FForm->Height();
    FForm->SetHeight(SizeLimits().MinimumHeight());
  } else {
    FForm->SetHeight(FSavedHeight);
  }
  if (FForm->HandleAllocated()) FForm->Perform(WM_NCPAINT, 0, 0);
  if (OnChangeRollUpState) OnChangeRollUpState(this);
}

void TbsSkinForm::SetTrayLink(TbsFormTrayLink* v) { FTrayLink = v; }

void TbsSkinForm::MinimizeToTray() {
  if (!FTrayLink) return;
  FTrayLink->SetMinimizeToTray(true);
  std::weak_ptr<bool> alive = FAlive;
  Application->Minimize();
  if (!alive.expired() && OnMinimizeToTray) OnMinimizeToTray(this);
}

void TbsSkinForm::RestoreFromTray() {
  if (!FTrayLink) return;
  FTrayLink->SetMinimizeToTray(false);
  std::weak_ptr<bool> alive = FAlive;
  FTrayLink->RestoreApplication();
  if (alive.expired()) return;
  Application->Restore();
  if (alive.expired()) return;
  if (!FAlwaysShowInTray && FTrayLink) FTrayLink->HideIcon();
  if (OnRestoreFromTray) OnRestoreFromTray(this);
}

void TbsSkinForm::ObjectCommand(TStdCommand command, TbsActiveSkinObject* object) {
  switch (command) {
    case cmClose: CloseForm(); break;
    case cmMaximize:
      if (FWindowState == TbsWindowState::wsMaximized) RestoreForm();
      else MaximizeForm();
      break;
    case cmMinimize:
      if (FAlwaysMinimizeToTray) MinimizeToTray();
      else if (FWindowState == TbsWindowState::wsMinimized) RestoreForm();
      else MinimizeForm();
      break;
    case cmSysMenu:
      if (object) ShowSystemMenu(ObjectScreenRect(object));
      break;
    case cmRollUp: SetRollUpState(!FRollUpState); break;
    case cmMinimizeToTray: MinimizeToTray(); break;
    case cmDefault:
      if (auto* a = dynamic_cast<TbsSkinAnimateObject*>(object); a && a->MenuItem)
        PopupMenuItem(a->MenuItem, ObjectScreenRect(a), a->PopupUp);
      break;
  }
}

// ---- alpha blending -----------------------------------------------------------------------

bool TbsSkinForm::CanBlend() const {
  return FForm && FForm->HandleAllocated() && LayeredWindowsSupported() && !IsLoading() &&
         !ComponentState().Contains(csDesigning);
}

void TbsSkinForm::SetAlphaBlend(bool v) {
  FAlphaBlend = v;
  if (!CanBlend()) return;
  const HWND h = FForm->HandleValue();
  TbsFormFade::SetLayered(h, v);
  if (v) FFade.SetAlpha(h, FAlphaBlendValue);
}

void TbsSkinForm::SetAlphaBlendValue(Byte v) {
  FAlphaBlendValue = v;
  if (FAlphaBlend && CanBlend()) FFade.SetAlpha(FForm->HandleValue(), v);
}

void TbsSkinForm::RunFadeIn() {
  const HWND h = FForm->HandleValue();
  if (!FFade.TakeTimer(h)) return;
  const Byte target = FAlphaBlend || !FAlphaBlendAnimation ? FAlphaBlendValue : Byte(255);
  if (FAlphaBlendAnimation) {
    std::weak_ptr<bool> alive = FAlive;
    Application->ProcessMessages();
    if (alive.expired() || !IsWindow(h)) return;
    FFade.Animate(h, target);
  } else if (target != 255) {
    FFade.SetAlpha(h, target);
  }
  if (target == 255) TbsFormFade::SetLayered(h, false);
}

// ---- messages -----------------------------------------------------------------------------

bool TbsSkinForm::WindowCommandMessage(TMessage& m) {
  if (!FForm) return true;
  switch (m.Msg) {
    case WM_MOUSEACTIVATE:
      // The press that follows activates the form (the framework asks the platform
      // for the activation right after this message).
      if (!FForm->Active()) FMouseActivating = true;
      return true;
    case WM_ACTIVATE:
    case WM_NCACTIVATE:
    case WM_LBUTTONUP: case WM_RBUTTONUP: case WM_MBUTTONUP:
    case WM_NCLBUTTONUP: case WM_NCRBUTTONUP: case WM_NCMBUTTONUP:
      FMouseActivating = false;
      return true;
    case WM_GETMINMAXINFO:
      if (auto* mmi = reinterpret_cast<TMinMaxInfo*>(m.LParam)) {
        const TbsFormSizeLimits l = SizeLimits();
        mmi->ptMinTrackSize = Point(l.MinimumWidth(), l.MinimumHeight());
        const TSize max = MaximumFormSize(MonitorOf(FForm), WorkAreaOf(FForm), FMaximizeOnFullScreen);
        mmi->ptMaxTrackSize = Point(max.cx, max.cy);
      }
      return true;
    case WM_MOVING:
      if (TRect* r = TRectMessage(m).Rect) {
        // A maximised form stays where it is.
        if (FWindowState == TbsWindowState::wsMaximized && FForm->FormStyle() != fsMDIChild)
          *r = FForm->BoundsRect();
        else if (FMagnetic)
          *r = MagneticSnap(*r, WorkAreaOf(FForm), FMagneticSize);
      }
      return true;
    case WM_SHOWWINDOW:
      if (!FForm->HandleAllocated() || !LayeredWindowsSupported()) return true;
      if (!TShowWindowMessage(m).Show) {
        if (FAlphaBlend) TbsFormFade::SetLayered(FForm->HandleValue(), false);
      } else if (FAlphaBlend || FAlphaBlendAnimation) {
        FFade.Begin(FForm->HandleValue());
      }
      return true;
    case WM_TIMER:
      if (TTimerMessage(m).TimerId == TbsFormFade::TimerId && FForm->HandleAllocated() && LayeredWindowsSupported() &&
          (FAlphaBlend || FAlphaBlendAnimation)) {
        std::weak_ptr<bool> alive = FAlive;
        RunFadeIn();
        return !alive.expired();
      }
      return true;
    default:
      return true;
  }
}

// ---- menus --------------------------------------------------------------------------------

void TbsSkinForm::PopupMenuItem(TMenuItem* item, TRect screenRect, bool upward, TControl* opener) {
  if (!item || !FSkinMenu) return;
  if (auto* pm = dynamic_cast<TbsSkinPopupMenu*>(item->GetParentMenu()); pm && item == pm->Items()) {
    pm->PopupAt(screenRect, upward);
    return;
  }
  PrepareForMenu();
  FSkinMenu->Popup(opener, MenuSkinData(), upward, item, screenRect);
}

void TbsSkinForm::PrepareForMenu() {
  if (!FHandlerInstalled) {
    FSavedOnMessage = Application->OnMessage;
    std::weak_ptr<bool> alive = FAlive;
    Application->OnMessage = [this, alive](TMessage& msg, HWND target, bool& handled) {
      if (!alive.expired()) AppMessage(msg, target, handled);
    };
    FHandlerInstalled = true;
  }
  if (FMenuOpen) return;
  FMenuOpen = true;
  if (OnSkinMenuOpen) OnSkinMenuOpen(this);
}

void TbsSkinForm::MenuClosed() {
  if (!FMenuOpen && !FHandlerInstalled) return;
  const bool wasOpen = FMenuOpen;
  FMenuOpen = false;
  for (auto& o : FObjects)
    if (auto* b = dynamic_cast<TbsSkinButtonObject*>(o.get()); b && b->MenuItem && b->Down) b->SetDown(false);
  if (FHandlerInstalled) {
    Application->OnMessage = FSavedOnMessage;
    FSavedOnMessage = nullptr;
    FHandlerInstalled = false;
  }
  if (wasOpen && OnSkinMenuClose) OnSkinMenuClose(this);
}

void TbsSkinForm::CloseSkinMenus() {
  if (FSkinMenu && FSkinMenu->LevelCount() > 0) FSkinMenu->CloseAll();
  else if (FMenuOpen) MenuClosed();
}

void TbsSkinForm::AppMessage(TMessage& msg, HWND target, bool& handled) {
  const bool open = FSkinMenu && FSkinMenu->LevelCount() > 0;
  if (open) {
    switch (msg.Msg) {
      case WM_KEYDOWN:
      case WM_SYSKEYDOWN:
        handled = true;
        FSkinMenu->ProcessKey(Word(TKeyMessage(msg).CharCode));
        return;
      case WM_CHAR:
      case WM_SYSCHAR:
        handled = true;
        FSkinMenu->ProcessChar(char32_t(TKeyMessage(msg).CharCode));
        return;
      case WM_MOUSEWHEEL:
        handled = true;
        return;
      case WM_LBUTTONDOWN: case WM_RBUTTONDOWN: case WM_MBUTTONDOWN:
      case WM_LBUTTONDBLCLK: case WM_RBUTTONDBLCLK:
      case WM_NCLBUTTONDOWN: case WM_NCRBUTTONDOWN: case WM_NCMBUTTONDOWN:
        // A press anywhere but on the menu's own windows ends the menu.
        if (!FSkinMenu->IsMenuWindow(target)) CloseSkinMenus();
        return;
      default:
        break;
    }
  }
  if (FSavedOnMessage) FSavedOnMessage(msg, target, handled);
}
