#include "framework/menus/PopupMenu.h"

namespace {
TPopupHandler& GlobalHandler() {
  static TPopupHandler handler;
  return handler;
}
}  // namespace

TPopupMenu::TPopupMenu(TComponent* AOwner) : TMenu(AOwner) {}

TPopupMenu::~TPopupMenu() = default;

void TPopupMenu::SetPopupComponent(TComponent* Value) {
  if (Value == FPopupComponent) return;
  if (FPopupComponent) RemoveFreeNotification(FPopupComponent);
  FPopupComponent = Value;
  if (FPopupComponent) FreeNotification(FPopupComponent);
}

void TPopupMenu::Popup(int X, int Y) { PopupAtRect(Rect(X, Y, X, Y)); }

bool TPopupMenu::PopupAtRect(const TRect& Anchor) {
  FPopupPoint = Point(Anchor.Left, Anchor.Bottom);
  std::weak_ptr<bool> alive = FAlive;
  DoPopup(this);
  if (alive.expired()) return false;
  TPopupHandler show = OnPopupShow ? OnPopupShow : GlobalHandler();
  return show && show(this, Anchor);
}

void TPopupMenu::DoPopup(TObject* Sender) {
  if (!OnPopup) return;
  TNotifyEvent handler = OnPopup;
  handler(Sender);
}

TPopupHandler TPopupMenu::SetPopupHandler(TPopupHandler Handler) {
  TPopupHandler previous = std::move(GlobalHandler());
  GlobalHandler() = std::move(Handler);
  return previous;
}

const TPopupHandler& TPopupMenu::PopupHandler() { return GlobalHandler(); }

void TPopupMenu::Notification(TComponent* AComponent, TOperation Operation) {
  TMenu::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FPopupComponent) FPopupComponent = nullptr;
}
