// The window commands the frame objects and the system menu call, the system menu
// itself, and the steps around an open skin menu.
#include <algorithm>

#include "framework/menus/PopupMenu.h"
#include "framework/windows/Application.h"
#include "framework/windows/Forms.h"
#include "framework/windows/Timers.h"
#include "framework/windows/Windows.h"
#include "skin/data/ResourceStrData.h"
#include "skin/data/SkinData.h"
#include "skin/form/SkinAnimateObject.h"
#include "skin/form/SkinForm.h"
#include "skin/form/SkinMenu.h"
#include "skin/form/SkinPopupMenu.h"
#include "skin/form/SkinStdButtonObject.h"

void TbsSkinForm::CloseForm() {
  if (FForm) FForm->Close();
}

void TbsSkinForm::MinimizeForm() {
  if (!FForm || FWindowState == TbsWindowState::wsMinimized) return;
  if (FForm == Application->MainForm()) {
    Application->Minimize();
    return;
  }
  if (IsRectEmpty(FRestoreRect)) FRestoreRect = FForm->BoundsRect();
  FWindowState = TbsWindowState::wsMinimized;
  const TRect wa = FForm->HandleAllocated() ? GetMonitorWorkArea(FForm->HandleValue()) : Screen()->WorkAreaRect();
  FForm->SetBounds(wa.Left, wa.Bottom - MinimumHeight(), MinimumWidth(), MinimumHeight());
}

void TbsSkinForm::MaximizeForm() {
  if (!FForm || FWindowState == TbsWindowState::wsMaximized) return;
  if (IsRectEmpty(FRestoreRect)) FRestoreRect = FForm->BoundsRect();
  FWindowState = TbsWindowState::wsMaximized;
  if (!FForm->HandleAllocated()) return;
  TRect r = FMaximizeOnFullScreen ? GetMonitorRect(FForm->HandleValue()) : GetMonitorWorkArea(FForm->HandleValue());
  FForm->SetBoundsRect(r);
}

void TbsSkinForm::RestoreForm() {
  if (!FForm || FWindowState == TbsWindowState::wsNormal) return;
  FWindowState = TbsWindowState::wsNormal;
  if (!IsRectEmpty(FRestoreRect)) FForm->SetBoundsRect(FRestoreRect);
  FRestoreRect = TRect{};
  FHoverTimer->SetEnabled(true);
  if (FForm->HandleAllocated()) FForm->Perform(WM_NCPAINT, 0, 0);
}

void TbsSkinForm::SetRollUpState(bool v) {
  if (!FForm || !FBorderIcons.Contains(biRollUp) || FWindowState == TbsWindowState::wsMinimized) return;
  if (v == FRollUpState) return;
  FRollUpState = v;
  if (v) {
    FSavedHeight = FForm->Height();
    FForm->SetHeight(std::max(FMinHeight, MinimumHeight()));
  } else {
    FForm->SetHeight(FSavedHeight);
  }
  if (FForm->HandleAllocated()) FForm->Perform(WM_NCPAINT, 0, 0);
  if (OnChangeRollUpState) OnChangeRollUpState(this);
}

void TbsSkinForm::MinimizeToTray() {
  if (OnMinimizeToTray) OnMinimizeToTray(this);
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

namespace {
struct SysItem {
  const char* Name;
  const char* Key;
  const char* Caption;
};
constexpr SysItem MinItem{"SKF_MINITEM", "MI_MINCAPTION", "Mi&nimize"};
constexpr SysItem MaxItem{"SKF_MAXITEM", "MI_MAXCAPTION", "Ma&ximize"};
constexpr SysItem RestoreItem{"SKF_RESTORE", "MI_RESTORECAPTION", "&Restore"};
constexpr SysItem RollUpItem{"SKF_ROLLUP", "MI_ROLLUPCAPTION", "Ro&llUp"};
constexpr SysItem TrayItem{"SKF_MINTOTRAY", "MI_MINTOTRAYCAPTION", "Minimize to &Tray"};
constexpr SysItem CloseItem{"SKF_CLOSE", "MI_CLOSECAPTION", "&Close"};
}  // namespace

TPopupMenu* TbsSkinForm::BuildSystemMenu() {
  TPopupMenu* menu = FSystemMenu ? FSystemMenu : FDefaultSystemMenu;
  if (!menu) return nullptr;
  if (FSystemMenu && !FUseDefaultSysMenu) return menu;
  const TbsResourceStrData* strings = FSkinData ? FSkinData->ResourceStrData() : nullptr;
  auto make = [&](const SysItem& s, std::function<void()> action) {
    auto* item = new TMenuItem(menu);
    item->SetName(s.Name);
    std::string caption = strings ? strings->GetResString(s.Key) : std::string();
    item->SetCaption(caption.empty() ? s.Caption : caption);
    std::weak_ptr<bool> alive = FAlive;
    item->OnClick = [alive, action = std::move(action)](TObject*) {
      if (!alive.expired()) action();
    };
    return item;
  };
  TMenuItem* root = menu->Items();
  const bool minimized = FWindowState == TbsWindowState::wsMinimized;
  const bool maximized = FWindowState == TbsWindowState::wsMaximized;
  const bool mdiChild = FForm && FForm->FormStyle() == fsMDIChild;
  std::vector<TMenuItem*> items;  // in display order, before the close item
  if (!minimized && FBorderIcons.Contains(biMinimize))
    items.push_back(make(MinItem, [this] { ObjectCommand(cmMinimize, nullptr); }));
  if (!maximized && FBorderIcons.Contains(biMaximize)) items.push_back(make(MaxItem, [this] { MaximizeForm(); }));
  if (FWindowState != TbsWindowState::wsNormal || FRollUpState)
    items.push_back(make(RestoreItem, [this] {
      if (FRollUpState) SetRollUpState(false);
      else RestoreForm();
    }));
  if (!(mdiChild && maximized) && !FRollUpState && !minimized && FBorderIcons.Contains(biRollUp))
    items.push_back(make(RollUpItem, [this] { SetRollUpState(true); }));
  if (FBorderIcons.Contains(biMinimizeToTray)) items.push_back(make(TrayItem, [this] { MinimizeToTray(); }));
  TMenuItem* close = make(CloseItem, [this] { CloseForm(); });
  close->SetShortCut(TextToShortCut(mdiChild ? "Ctrl+F4" : "Alt+F4"));

  if (!FSystemMenu) {
    root->Clear();
    for (TMenuItem* i : items) root->Add(i);
    if (!items.empty()) {
      auto* line = new TMenuItem(menu);
      line->SetCaption(cLineCaption);
      root->Add(line);
    }
    root->Add(close);
    return menu;
  }
  // A user menu: the standard items are replaced, the user's own items stay between.
  for (const SysItem* s : {&MinItem, &MaxItem, &RestoreItem, &RollUpItem, &TrayItem, &CloseItem})
    for (int i = root->Count() - 1; i >= 0; --i)
      if (root->Items(i)->Name() == s->Name) delete root->Items(i);
  for (auto it = items.rbegin(); it != items.rend(); ++it) root->Insert(0, *it);
  root->Add(close);
  return menu;
}

void TbsSkinForm::ShowSystemMenu(TRect anchor) {
  TPopupMenu* menu = BuildSystemMenu();
  if (!menu || !FSkinMenu) return;
  PrepareForMenu();
  FSkinMenu->Popup(nullptr, MenuSkinData(), false, menu->Items(), anchor);
}

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
        FSkinMenu->ProcessKey(Word(msg.WParam));
        return;
      case WM_CHAR:
      case WM_SYSCHAR:
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
