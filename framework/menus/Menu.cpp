#include "framework/menus/Menu.h"

#include <utility>
#include <vector>

#include "framework/graphics/ImageList.h"
#include "framework/messages/MessageViews.h"

namespace {
TMenuItem* FindIn(TMenuItem* parent, int value, TFindItemKind kind) {
  for (int i = 0; i < parent->Count(); ++i) {
    TMenuItem* item = parent->Items(i);
    int v = kind == fkCommand ? int(item->Command()) : int(item->ShortCut());
    if (v == value) return item;
    if (TMenuItem* found = FindIn(item, value, kind)) return found;
  }
  return nullptr;
}

// Every item under parent, parents before their sub-items, with its life token.
void Collect(TMenuItem* parent, std::vector<std::pair<TMenuItem*, std::weak_ptr<bool>>>& out) {
  for (int i = 0; i < parent->Count(); ++i) {
    TMenuItem* item = parent->Items(i);
    out.emplace_back(item, TMenu::AliveToken(item));
    Collect(item, out);
  }
}

// Depth-first among enabled, visible items (no handler runs here).
TMenuItem* FindShortCut(TMenuItem* parent, TShortCut sc) {
  for (int i = 0; i < parent->Count(); ++i) {
    TMenuItem* item = parent->Items(i);
    if (!item->Visible() || !item->Enabled()) continue;
    if (item->ShortCut() == sc) return item;
    if (TMenuItem* found = FindShortCut(item, sc)) return found;
  }
  return nullptr;
}
}  // namespace

TMenu::TMenu(TComponent* AOwner) : TComponent(AOwner) {
  FItems = new TMenuItem(this);
  FItems->FMenu = this;
}

TMenu::~TMenu() {
  Destroying();
  delete FItems;
  FItems = nullptr;
}

void TMenu::SetImages(TImageList* Value) {
  if (Value == FImages) return;
  if (FImages) RemoveFreeNotification(FImages);
  FImages = Value;
  if (FImages) FreeNotification(FImages);
  MenuChanged(nullptr, false);
}

TMenuItem* TMenu::FindItem(int Value, TFindItemKind Kind) const {
  return FItems ? FindIn(FItems, Value, Kind) : nullptr;
}

bool TMenu::IsShortCut(Word Key, TShiftState Shift) {
  TShortCut sc = ShortCut(Key, Shift);
  if ((sc & 0xFF) == 0 || FInIsShortCut || !FItems) return false;
  std::weak_ptr<bool> alive = FAlive;
  // Cleared however the search ends (a handler may raise, or free the menu).
  struct Guard {
    TMenu* menu;
    std::weak_ptr<bool> alive;
    ~Guard() {
      if (!alive.expired()) menu->FInIsShortCut = false;
    }
  } guard{this, alive};
  FInIsShortCut = true;
  // Actions update first, as when the items are shown; a handler may free items or
  // the menu, so the walk runs over a snapshot and skips what has gone.
  std::vector<std::pair<TMenuItem*, std::weak_ptr<bool>>> items;
  Collect(FItems, items);
  for (auto& [item, token] : items) {
    if (!token.expired()) item->InitiateAction();
    if (alive.expired()) return false;
  }
  TMenuItem* item = FindShortCut(FItems, sc);
  if (item) item->Click();  // may free the menu
  return item != nullptr;
}

bool TMenu::IsShortCut(const TMessage& Message) {
  if (Message.Msg != WM_KEYDOWN && Message.Msg != WM_SYSKEYDOWN) return false;
  const TKeyMessage km(Message);
  Word key = Word(km.CharCode & 0xFFFF);
  TShiftState shift = KeyboardStateToShiftState();
  // Bit 29 of the key data is the classic "Alt down"; a system key down implies it,
  // except F10, which arrives as a system key of its own.
  if (km.AltDown() || (Message.Msg == WM_SYSKEYDOWN && key != VK_F10))
    shift.Include(ssAlt);
  return IsShortCut(key, shift);
}

bool TMenu::DispatchCommand(Word ACommand) {
  TMenuItem* item = FindItem(ACommand, fkCommand);
  if (!item) return false;
  item->Click();
  return true;
}

void TMenu::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FImages && FImages) {
    FImages = nullptr;
    MenuChanged(nullptr, false);
  }
}

void TMenu::MenuChanged(TMenuItem* Source, bool Rebuild) {
  if (IsLoading() || IsDestroying() || !OnChange) return;
  TMenuChangeEvent handler = OnChange;
  handler(this, Source, Rebuild);
}
