// The system menu of TbsSkinForm, rebuilt for the form's state each time it is shown,
// and the tray menu.
#include "skin/form/SkinSystemMenu.h"

#include <memory>
#include <vector>

#include "framework/menus/MenuItem.h"
#include "framework/menus/PopupMenu.h"
#include "framework/windows/Forms.h"
#include "skin/data/ResourceStrData.h"
#include "skin/data/SkinData.h"
#include "skin/form/SkinForm.h"
#include "skin/form/SkinMenu.h"
#include "skin/form/SkinPopupMenu.h"

std::string TbsSystemMenuItem::CaptionFrom(const TbsResourceStrData* strings) const {
  std::string s = strings ? strings->GetResString(Key) : std::string();
  return s.empty() ? Caption : s;
}

namespace {
TMenuItem* MakeItem(TComponent* owner, const TbsSystemMenuItem& s, const TbsResourceStrData* strings,
                    std::weak_ptr<bool> alive, std::function<void()> action) {
  auto* item = new TMenuItem(owner);
  item->SetName(s.Name);
  item->SetCaption(s.CaptionFrom(strings));
  item->OnClick = [alive = std::move(alive), action = std::move(action)](TObject*) {
    if (!alive.expired()) action();
  };
  return item;
}

// Frees the top-level items carrying one of the system menu's names.
void RemoveSystemItems(TMenuItem* root) {
  for (int i = root->Count() - 1; i >= 0; --i)
    for (const TbsSystemMenuItem* s : sysmenu::All)
      if (root->Items(i)->Name() == s->Name) {
        delete root->Items(i);
        break;
      }
}
}  // namespace

TPopupMenu* TbsSkinForm::BuildSystemMenu() {
  TPopupMenu* menu = FSystemMenu ? FSystemMenu : FDefaultSystemMenu;
  if (!menu) return nullptr;
  if (FSystemMenu && !FUseDefaultSysMenu) return menu;
  TMenuItem* root = menu->Items();
  // The old items go first: their names are taken until then.
  if (FSystemMenu) RemoveSystemItems(root);
  else root->Clear();

  const TbsResourceStrData* strings = FSkinData ? FSkinData->ResourceStrData() : nullptr;
  auto make = [&](const TbsSystemMenuItem& s, std::function<void()> action) {
    return MakeItem(menu, s, strings, FAlive, std::move(action));
  };
  const bool minimized = FWindowState == TbsWindowState::wsMinimized;
  const bool maximized = FWindowState == TbsWindowState::wsMaximized;
  const bool mdiChild = FForm && FForm->FormStyle() == fsMDIChild;
  TMenuItem *minItem = nullptr, *maxItem = nullptr, *restoreItem = nullptr, *rollUpItem = nullptr,
            *trayItem = nullptr;
  if (!minimized && FBorderIcons.Contains(biMinimize))
    minItem = make(sysmenu::Minimize, [this] {
      if (FAlwaysMinimizeToTray) MinimizeToTray();
      else MinimizeForm();
    });
  if (!maximized && FBorderIcons.Contains(biMaximize)) maxItem = make(sysmenu::Maximize, [this] { MaximizeForm(); });
  if (FWindowState != TbsWindowState::wsNormal || FRollUpState)
    restoreItem = make(sysmenu::Restore, [this] {
      if (FRollUpState && (FRollUpFromMaximized || FWindowState == TbsWindowState::wsNormal)) SetRollUpState(false);
      else RestoreForm();
    });
  if (!(mdiChild && maximized) && !FRollUpState && !minimized && FBorderIcons.Contains(biRollUp))
    rollUpItem = make(sysmenu::RollUp, [this] { SetRollUpState(true); });
  if (FBorderIcons.Contains(biMinimizeToTray)) trayItem = make(sysmenu::MinimizeToTray, [this] { MinimizeToTray(); });
  TMenuItem* close = make(sysmenu::Close, [this] { CloseForm(); });
  close->SetShortCut(TextToShortCut(mdiChild ? "Ctrl+F4" : "Alt+F4"));

  if (!FSystemMenu) {
    bool any = false;
    for (TMenuItem* i : {minItem, maxItem, restoreItem, rollUpItem, trayItem})
      if (i) {
        root->Add(i);
        any = true;
      }
    if (any) {
      auto* line = new TMenuItem(menu);
      line->SetCaption(cLineCaption);
      root->Add(line);
    }
  } else {
    // Each goes to the top in turn: minimise, restore, maximise, roll-up, tray from the
    // top, then the user's items.
    for (TMenuItem* i : {trayItem, rollUpItem, maxItem, restoreItem, minItem})
      if (i) root->Insert(0, i);
  }
  root->Add(close);
  return menu;
}

void TbsSkinForm::ShowSystemMenu(TRect anchor) {
  TPopupMenu* menu = BuildSystemMenu();
  if (!menu || !FSkinMenu) return;
  PrepareForMenu();
  FSkinMenu->Popup(nullptr, MenuSkinData(), false, menu->Items(), anchor);
}

TbsSkinPopupMenu* TbsSkinForm::TrayMenu() {
  const TbsResourceStrData* strings = FSkinData ? FSkinData->ResourceStrData() : nullptr;
  if (!FTrayMenu) {
    FTrayMenu = new TbsSkinPopupMenu(this);
    FreeNotification(FTrayMenu);
    if (FForm) FTrayMenu->SetComponentForm(FForm);
    TMenuItem* root = FTrayMenu->Items();
    root->Add(MakeItem(FTrayMenu, sysmenu::TrayRestore, strings, FAlive, [this] { RestoreFromTray(); }));
    auto* line = new TMenuItem(FTrayMenu);
    line->SetCaption(cLineCaption);
    root->Add(line);
    root->Add(MakeItem(FTrayMenu, sysmenu::TrayClose, strings, FAlive, [this] { CloseForm(); }));
  }
  // The strings may have changed since.
  TMenuItem* root = FTrayMenu->Items();
  for (int i = 0; i < root->Count(); ++i)
    for (const TbsSystemMenuItem* s : {&sysmenu::TrayRestore, &sysmenu::TrayClose})
      if (root->Items(i)->Name() == s->Name) root->Items(i)->SetCaption(s->CaptionFrom(strings));
  FTrayMenu->SetSkinData(FSkinData);
  return FTrayMenu;
}
