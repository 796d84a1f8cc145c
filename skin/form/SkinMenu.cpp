#include "skin/form/SkinMenu.h"

#include <algorithm>

#include "framework/menus/Menu.h"
#include "framework/windows/Application.h"
#include "framework/windows/Forms.h"
#include "framework/windows/Timers.h"
#include "framework/windows/Windows.h"
#include "skin/data/SkinMessages.h"
#include "skin/draw/WindowHelpers.h"
#include "skin/form/SkinForm.h"
#include "skin/form/SkinPopupWindow.h"

TbsSkinMenu::TbsSkinMenu(TComponent* AOwner) : TComponent(AOwner) {
  FSkinForm = dynamic_cast<TbsSkinForm*>(AOwner);
  FItemFont.SetName("Arial");
  FItemFont.SetHeight(14);
  FItemFont.SetStyle({});
  FSubMenuTimer = std::make_unique<TTimer>(nullptr);
  FSubMenuTimer->SetEnabled(false);
  FSubMenuTimer->SetInterval(SubMenuDelay);
  FSubMenuTimer->OnTimer = [this](TObject*) { SubMenuTimerTick(); };
  FGarbageTimer = std::make_unique<TTimer>(nullptr);
  FGarbageTimer->SetEnabled(false);
  FGarbageTimer->SetInterval(1);
  FGarbageTimer->OnTimer = [this](TObject*) { FreeGarbage(); };
}

TbsSkinMenu::~TbsSkinMenu() {
  *FAlive = false;
  FSubMenuTimer->SetEnabled(false);
  FGarbageTimer->SetEnabled(false);
  for (TbsSkinPopupWindow* w : FWindows) w->Shutdown();
  FWindows.clear();
  FreeGarbage();
  // Still-owned windows go with the component itself.
}

void TbsSkinMenu::FreeGarbage() {
  FGarbageTimer->SetEnabled(false);
  std::vector<TbsSkinPopupWindow*> list;
  list.swap(FGarbage);
  for (TbsSkinPopupWindow* w : list) delete w;
}

void TbsSkinMenu::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation != opRemove) return;
  if (AComponent == FOpener) FOpener = nullptr;
  if (AComponent == FLastOpener) FLastOpener = nullptr;
  if (auto* mi = dynamic_cast<TMenuItem*>(AComponent)) {
    for (TbsSkinPopupWindow* w : FWindows) {
      if (FPendingItem && FPendingItem->MenuItem() == mi) CancelPending(FPendingItem);
      w->ForgetMenuItem(mi);
    }
  }
  auto* w = dynamic_cast<TbsSkinPopupWindow*>(AComponent);
  if (w) {
    FWindows.erase(std::remove(FWindows.begin(), FWindows.end(), w), FWindows.end());
    FGarbage.erase(std::remove(FGarbage.begin(), FGarbage.end(), w), FGarbage.end());
  }
}

void TbsSkinMenu::SetOpener(TControl* c) {
  if (FOpener && FOpener != FLastOpener) RemoveFreeNotification(FOpener);
  FOpener = c;
  if (c) FreeNotification(c);
}

void TbsSkinMenu::SetLastOpener(TControl* c) {
  if (FLastOpener && FLastOpener != FOpener) RemoveFreeNotification(FLastOpener);
  FLastOpener = c;
  if (c) FreeNotification(c);
}

TbsSkinPopupWindow* TbsSkinMenu::Windows(int level) const {
  return level >= 0 && level < LevelCount() ? FWindows[size_t(level)] : nullptr;
}

int TbsSkinMenu::LevelOf(const TbsSkinPopupWindow* w) const {
  for (int i = 0; i < LevelCount(); ++i)
    if (FWindows[size_t(i)] == w) return i;
  return -1;
}

TbsSkinPopupWindow* TbsSkinMenu::Deepest() const { return FWindows.empty() ? nullptr : FWindows.back(); }

bool TbsSkinMenu::IsMenuWindow(HWND wnd) const {
  if (!wnd) return false;
  for (TbsSkinPopupWindow* w : FWindows)
    if (w->HandleValue() == wnd) return true;
  return false;
}

bool TbsSkinMenu::Popup(TControl* opener, TbsSkinData* skinData, bool upward, TMenuItem* item, TRect anchor,
                        int firstIndex) {
  return Open(opener, skinData, upward, {item}, anchor, firstIndex);
}

bool TbsSkinMenu::Popup2(TControl* opener, TbsSkinData* skinData, bool upward, TMenuItem* item1, TMenuItem* item2,
                         TRect anchor, int firstIndex) {
  return Open(opener, skinData, upward, {item1, item2}, anchor, firstIndex);
}

bool TbsSkinMenu::Open(TControl* opener, TbsSkinData* skinData, bool upward, const std::vector<TMenuItem*>& items,
                       TRect anchor, int firstIndex) {
  if (LevelCount() > 0) CloseToLevel(0);
  FSkinData = skinData;
  TCustomForm* form = FSkinForm ? FSkinForm->OwnerForm() : nullptr;
  FWorkArea = form && form->HandleAllocated() ? GetMonitorWorkArea(form->HandleValue(), true)
                                              : GetMonitorWorkAreaAt(anchor.TopLeft());
  int total = 0;
  for (TMenuItem* i : items)
    if (i) total += i->Count();
  TbsSkinPopupWindow* w = nullptr;
  if (total > 0 && firstIndex >= 0 && firstIndex < total) {
    SetOpener(opener);
    FMenuOpen = true;
    FFirstWindow = true;
    if (FAlphaBlend && FAlphaBlendAnimation && CanAlphaBlend()) {
      std::weak_ptr<bool> alive = FAlive;
      Application->ProcessMessages();
      if (alive.expired()) return false;
    }
    w = NewWindow(items, firstIndex, anchor, false, upward);
    FFirstWindow = false;
  }
  if (!w) {
    // Nothing to show: the menu counts as closed at once.
    FMenuOpen = false;
    SetOpener(nullptr);
    if (FSkinForm) FSkinForm->MenuClosed();
  }
  return w != nullptr;
}

TbsSkinPopupWindow* TbsSkinMenu::NewWindow(const std::vector<TMenuItem*>& sources, int firstIndex,
                                           const TRect& anchor, bool subMenu, bool upward) {
  auto* w = new TbsSkinPopupWindow(this, FSkinData);
  w->Build(sources, firstIndex, FWorkArea);
  if (w->ItemCount() == 0) {
    delete w;
    return nullptr;
  }
  FWindows.push_back(w);
  const HWND h = w->Handle();
  const bool alpha = FAlphaBlend && CanAlphaBlend();
  const bool fade = alpha && FFirstWindow && FAlphaBlendAnimation;
  if (alpha) {
    SetWindowLong(h, GWL_EXSTYLE, GetWindowLong(h, GWL_EXSTYLE) | LONG(WS_EX_LAYERED));
    SetWindowAlpha(h, fade ? 0 : FAlphaBlendValue);
  }
  w->ShowAt(anchor, FWorkArea, subMenu, upward);
  if (fade && IsWindow(h)) {
    for (int a = 3; a < FAlphaBlendValue; a += 3) SetWindowAlpha(h, a);
    SetWindowAlpha(h, FAlphaBlendValue);
  }
  return w;
}

void TbsSkinMenu::CloseToLevel(int n) {
  n = std::max(n, 0);
  bool closed = false;
  while (LevelCount() > n) {
    TbsSkinPopupWindow* w = FWindows.back();
    FWindows.pop_back();
    ForgetItemsOf(w);
    w->Shutdown();
    FGarbage.push_back(w);
    closed = true;
  }
  if (closed) FGarbageTimer->SetEnabled(true);
  if (TbsSkinPopupWindow* top = Deepest(); top && closed) {
    for (int i = 0; i < top->ItemCount(); ++i) {
      TbsSkinMenuItem* it = top->Items(i);
      if (!it->SubMenuOpen) continue;
      it->SubMenuOpen = false;
      top->RedrawItem(i);
    }
  }
  if (n == 0 && FMenuOpen) {
    FMenuOpen = false;
    FSubMenuTimer->SetEnabled(false);
    FPendingItem = nullptr;
    TControl* opener = FOpener;
    SetLastOpener(opener);
    SetOpener(nullptr);
    if (opener) opener->Perform(SKINMSG_MENUCLOSED, 0, 0);
  }
}

void TbsSkinMenu::CloseAll() {
  std::weak_ptr<bool> alive = FAlive;
  CloseToLevel(0);
  if (alive.expired()) return;
  FSubMenuTimer->SetEnabled(false);
  FPendingItem = nullptr;
  TCustomForm* form = FSkinForm ? FSkinForm->OwnerForm() : nullptr;
  if (form && form->HandleAllocated() && !form->IsDestroying()) SendMessage(form->HandleValue(), SKINMSG_MENUCLOSED, 0, 0);
  else if (FSkinForm) FSkinForm->MenuClosed();
}

void TbsSkinMenu::ForgetItemsOf(const TbsSkinPopupWindow* w) {
  if (!FPendingItem) return;
  for (int i = 0; i < w->ItemCount(); ++i)
    if (w->Items(i) == FPendingItem) {
      FPendingItem = nullptr;
      FSubMenuTimer->SetEnabled(false);
      return;
    }
}

void TbsSkinMenu::ArmSubMenu(TbsSkinMenuItem* item) {
  FPendingItem = item;
  FSubMenuTimer->SetEnabled(false);
  FSubMenuTimer->SetEnabled(true);
}

void TbsSkinMenu::CancelPending(const TbsSkinMenuItem* item) {
  if (item && item != FPendingItem) return;
  FPendingItem = nullptr;
  FSubMenuTimer->SetEnabled(false);
}

void TbsSkinMenu::SubMenuTimerTick() {
  FSubMenuTimer->SetEnabled(false);
  TbsSkinMenuItem* item = FPendingItem;
  FPendingItem = nullptr;
  if (!item) return;
  for (TbsSkinPopupWindow* w : FWindows)
    for (int i = 0; i < w->ItemCount(); ++i)
      if (w->Items(i) == item) {
        w->ClickItem(i);
        return;
      }
}

void TbsSkinMenu::OpenSubMenu(TbsSkinPopupWindow* w, int index) {
  TbsSkinMenuItem* item = w->Items(index);
  if (!item || !item->HasSubItems()) return;
  CloseToLevel(LevelOf(w) + 1);
  item->SubMenuOpen = true;
  w->RedrawItem(index);
  if (!NewWindow({item->MenuItem()}, 0, w->ItemScreenRect(index), true, false)) {
    item->SubMenuOpen = false;
    w->RedrawItem(index);
  }
}

void TbsSkinMenu::Activate(TMenuItem* item) {
  std::weak_ptr<bool> alive = FAlive;
  TControl* opener = FOpener;
  CloseAll();
  if (alive.expired() || !item) return;
  if (TMenu* m = item->GetParentMenu()) m->DispatchCommand(item->Command());
  else item->Click();
  if (alive.expired()) return;
  if (opener && opener == FLastOpener) opener->Perform(SKINMSG_MENUCOMMAND, 0, 0);
}

bool TbsSkinMenu::ProcessKey(Word key) {
  TbsSkinPopupWindow* w = Deepest();
  if (!w || !w->Visible()) return false;
  if (key == VK_ESCAPE) {
    if (LevelCount() > 1) CloseToLevel(LevelCount() - 1);
    else CloseAll();
    return true;
  }
  if (key == VK_LEFT) {
    if (LevelCount() >= 2) CloseToLevel(LevelCount() - 1);
    return true;
  }
  return w->ProcessKey(key);
}

bool TbsSkinMenu::ProcessChar(char32_t ch) {
  TbsSkinPopupWindow* w = Deepest();
  return w && w->ProcessChar(ch);
}
