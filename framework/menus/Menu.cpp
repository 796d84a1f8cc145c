#include "framework/menus/Menu.h"

#include "framework/graphics/ImageList.h"

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

// Depth-first among enabled, visible items; actions update first, as when shown.
// Returns nullptr also when an update handler freed the menu (alive expired).
TMenuItem* FindShortCut(TMenuItem* parent, TShortCut sc, const std::weak_ptr<bool>& alive) {
  for (int i = 0; i < parent->Count(); ++i) {
    TMenuItem* item = parent->Items(i);
    item->InitiateAction();
    if (alive.expired()) return nullptr;
    if (i >= parent->Count() || parent->Items(i) != item) continue;  // the list changed under us
    if (!item->Visible() || !item->Enabled()) continue;
    if (item->ShortCut() == sc) return item;
    if (TMenuItem* found = FindShortCut(item, sc, alive)) return found;
    if (alive.expired()) return nullptr;
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
  TMenuItem* item = FindShortCut(FItems, sc, alive);
  if (item && !alive.expired()) item->Click();  // may free the menu
  return item != nullptr;
}

bool TMenu::IsShortCut(const TMessage& Message) {
  if (Message.Msg != WM_KEYDOWN && Message.Msg != WM_SYSKEYDOWN) return false;
  Word key = Word(Message.WParam & 0xFFFF);
  TShiftState shift = KeyboardStateToShiftState();
  // Bit 29 of the key data is the classic "Alt down"; a system key down implies it,
  // except F10, which arrives as a system key of its own.
  if ((Message.LParam & (LPARAM(1) << 29)) || (Message.Msg == WM_SYSKEYDOWN && key != VK_F10))
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
