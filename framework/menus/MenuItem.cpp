#include "framework/menus/MenuItem.h"

#include <algorithm>

#include "framework/actions/Action.h"
#include "framework/core/SysUtils.h"
#include "framework/graphics/Bitmap.h"
#include "framework/menus/Hotkeys.h"
#include "framework/menus/Menu.h"
#include "framework/menus/MenuActionLink.h"

namespace {
// Command ids in use; index = id. Ids are reused once their item is gone.
std::vector<bool>& CommandPool() {
  static std::vector<bool> pool(1, true);  // 0 is never handed out
  return pool;
}

Word AllocateCommand() {
  auto& pool = CommandPool();
  auto it = std::find(pool.begin(), pool.end(), false);
  if (it != pool.end()) {
    *it = true;
    return Word(it - pool.begin());
  }
  if (pool.size() > 0xFFFF) throw EMenuError("Too many menu items: no command id left");
  pool.push_back(true);
  return Word(pool.size() - 1);
}

void ReleaseCommand(Word id) {
  auto& pool = CommandPool();
  if (id != 0 && id < pool.size()) pool[id] = false;
}
}  // namespace

TMenuItem::TMenuItem(TComponent* AOwner) : TComponent(AOwner), FCommand(AllocateCommand()) {}

TMenuItem::~TMenuItem() {
  Destroying();
  // Each sub-item takes itself out of this list as it goes.
  while (!FItems.empty()) delete FItems.back();
  if (FParent) FParent->Remove(this);
  FActionLink.reset();
  ReleaseCommand(FCommand);
}

void TMenuItem::CheckIndex(int Index) const {
  if (Index < 0 || Index >= Count())
    throw EMenuError(Format("Menu index %d out of range (%d items)", Index, Count()));
}

TMenuItem* TMenuItem::Items(int Index) const {
  CheckIndex(Index);
  return FItems[size_t(Index)];
}

TMenu* TMenuItem::GetParentMenu() const {
  const TMenuItem* item = this;
  while (item->FParent) item = item->FParent;
  return item->FMenu;
}

int TMenuItem::MenuIndex() const { return FParent ? FParent->IndexOf(this) : -1; }

void TMenuItem::SetMenuIndex(int Value) {
  if (!FParent) return;
  TMenuItem* parent = FParent;
  int count = parent->Count();
  Value = std::clamp(Value, 0, count - 1);
  int current = MenuIndex();
  if (Value == current) return;
  parent->FItems.erase(parent->FItems.begin() + current);
  parent->FItems.insert(parent->FItems.begin() + Value, this);
  parent->MenuChanged(true);
}

int TMenuItem::IndexOf(const TMenuItem* Item) const {
  auto it = std::find(FItems.begin(), FItems.end(), Item);
  return it == FItems.end() ? -1 : int(it - FItems.begin());
}

void TMenuItem::Insert(int Index, TMenuItem* Item) {
  if (!Item) throw EMenuError("Cannot insert a nil menu item");
  if (Item->FParent) throw EMenuError("Menu item " + Item->Name() + " is already in a menu");
  if (Item->FMenu) throw EMenuError("The root item of a menu cannot be inserted into another item");
  for (const TMenuItem* p = this; p; p = p->FParent)
    if (p == Item) throw EMenuError("A menu item cannot be inserted into itself or one of its sub-items");
  if (Index < 0 || Index > Count())
    throw EMenuError(Format("Menu index %d out of range (%d items)", Index, Count()));
  FItems.insert(FItems.begin() + Index, Item);
  Item->FParent = this;
  MenuChanged(true);
}

void TMenuItem::Delete(int Index) {
  CheckIndex(Index);
  TMenuItem* item = FItems[size_t(Index)];
  FItems.erase(FItems.begin() + Index);
  item->FParent = nullptr;
  MenuChanged(true);
}

void TMenuItem::Remove(TMenuItem* Item) {
  int i = IndexOf(Item);
  if (i < 0) throw EMenuError("Menu item not found");
  Delete(i);
}

void TMenuItem::Clear() {
  while (!FItems.empty()) delete FItems.back();
}

TMenuItem* TMenuItem::Find(const std::string& ACaption) const {
  std::string wanted = StripHotkey(ACaption);
  for (TMenuItem* item : FItems)
    if (SameText(StripHotkey(item->FCaption), wanted)) return item;
  return nullptr;
}

TMenuItem* TMenuItem::FindAccelItem(char32_t Accel) const {
  for (TMenuItem* item : FItems)
    if (item->FVisible && IsAccel(Accel, item->FCaption)) return item;
  return nullptr;
}

void TMenuItem::SetCaption(const std::string& Value) {
  if (Value == FCaption) return;
  FCaption = Value;
  MenuChanged(true);  // a separator and a normal item differ in shape
}

void TMenuItem::SetShortCut(TShortCut Value) {
  if (Value == FShortCut) return;
  FShortCut = Value;
  MenuChanged(true);
}

void TMenuItem::TurnSiblingsOff() {
  if (!FParent) return;
  for (TMenuItem* item : FParent->FItems)
    if (item != this && item->FRadioItem && item->FGroupIndex == FGroupIndex && item->FChecked) {
      item->FChecked = false;
      item->MenuChanged(false);
    }
}

void TMenuItem::SetChecked(bool Value) {
  if (Value == FChecked) return;
  FChecked = Value;
  if (FChecked && FRadioItem) TurnSiblingsOff();
  MenuChanged(false);
}

void TMenuItem::SetRadioItem(bool Value) {
  if (Value == FRadioItem) return;
  FRadioItem = Value;
  if (FChecked && FRadioItem) TurnSiblingsOff();
  MenuChanged(false);
}

void TMenuItem::SetGroupIndex(int Value) {
  if (Value == FGroupIndex) return;
  FGroupIndex = Value;
  if (FChecked && FRadioItem) TurnSiblingsOff();
  MenuChanged(false);
}

void TMenuItem::SetAutoCheck(bool Value) { FAutoCheck = Value; }

void TMenuItem::SetEnabled(bool Value) {
  if (Value == FEnabled) return;
  FEnabled = Value;
  MenuChanged(false);
}

void TMenuItem::SetVisible(bool Value) {
  if (Value == FVisible) return;
  FVisible = Value;
  MenuChanged(true);
}

void TMenuItem::SetDefault(bool Value) {
  if (Value == FDefault) return;
  // One default item per parent.
  if (Value && FParent)
    for (TMenuItem* item : FParent->FItems)
      if (item != this) item->FDefault = false;
  FDefault = Value;
  MenuChanged(false);
}

void TMenuItem::SetImageIndex(int Value) {
  if (Value == FImageIndex) return;
  FImageIndex = Value;
  MenuChanged(false);
}

TBitmap* TMenuItem::Bitmap() {
  if (!FBitmap) FBitmap = std::make_unique<TBitmap>();
  return FBitmap.get();
}

void TMenuItem::SetBitmap(const TBitmap* Value) {
  if (!Value) {
    FBitmap.reset();
  } else {
    Bitmap()->Assign(Value);
  }
  MenuChanged(false);
}

bool TMenuItem::HasBitmap() const { return FBitmap && !FBitmap->Empty(); }

TBasicAction* TMenuItem::Action() const { return FActionLink ? FActionLink->Action() : nullptr; }

void TMenuItem::SetAction(TBasicAction* Value) {
  if (!Value) {
    FActionLink.reset();
    return;
  }
  if (!FActionLink) FActionLink = std::make_unique<TMenuActionLink>(this);
  FActionLink->SetAction(Value);
  ActionChange(Value, IsLoading() || Value->IsLoading());
}

void TMenuItem::ActionChange(TBasicAction* Sender, bool CheckDefaults) {
  auto* a = dynamic_cast<TAction*>(Sender);
  if (!a) return;
  // Group first, so that a checked radio item turns off the right siblings.
  if (!CheckDefaults || FGroupIndex == 0) SetGroupIndex(a->GroupIndex());
  if (!CheckDefaults || !FAutoCheck) SetAutoCheck(a->AutoCheck());
  if (!CheckDefaults || FCaption.empty()) SetCaption(a->Caption());
  if (!CheckDefaults || FEnabled) SetEnabled(a->Enabled());
  if (!CheckDefaults || FHint.empty()) SetHint(a->Hint());
  if (!CheckDefaults || FImageIndex == -1) SetImageIndex(a->ImageIndex());
  if (!CheckDefaults || FShortCut == 0) SetShortCut(a->ShortCut());
  if (!CheckDefaults || FVisible) SetVisible(a->Visible());
  if (!CheckDefaults || !FChecked) SetChecked(a->Checked());
}

void TMenuItem::InitiateAction() {
  if (FActionLink) FActionLink->Update();
}

void TMenuItem::InitiateActions() {
  // By index: an update handler may change the list.
  for (size_t i = 0; i < FItems.size(); ++i) FItems[i]->InitiateAction();
}

void TMenuItem::Click() {
  if (!FEnabled) return;
  auto* action = dynamic_cast<TAction*>(Action());
  bool actionRuns = !OnClick && action;
  // A linked action that checks itself does the toggling (and the item follows it).
  if (FAutoCheck && !(actionRuns && action->AutoCheck())) SetChecked(!FChecked);
  if (OnClick) {
    TNotifyEvent handler = OnClick;  // the handler may free this item
    handler(this);
  } else if (FActionLink) {
    FActionLink->Execute(this);
  }
}

void TMenuItem::Loaded() {
  TComponent::Loaded();
  if (TBasicAction* a = Action()) ActionChange(a, true);
}

void TMenuItem::MenuChanged(bool Rebuild) {
  if (IsDestroying()) return;
  if (TMenu* menu = GetParentMenu(); menu && !menu->IsDestroying()) menu->MenuChanged(this, Rebuild);
}
