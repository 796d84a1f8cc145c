#include "framework/menus/MenuActionLink.h"

#include "framework/actions/Action.h"
#include "framework/menus/MenuItem.h"

TMenuActionLink::TMenuActionLink(TMenuItem* AClient) : TActionLink(AClient) {}

TMenuItem* TMenuActionLink::Client() const { return static_cast<TMenuItem*>(FClient); }

// Each setter passes the value on only while the item still shows the action's old one.
void TMenuActionLink::SetCaption(const std::string& Value) {
  if (TAction* a = LinkedAction(); a && Client()->Caption() == a->Caption()) Client()->SetCaption(Value);
}

void TMenuActionLink::SetChecked(bool Value) {
  if (TAction* a = LinkedAction(); a && Client()->Checked() == a->Checked()) Client()->SetChecked(Value);
}

void TMenuActionLink::SetEnabled(bool Value) {
  if (TAction* a = LinkedAction(); a && Client()->Enabled() == a->Enabled()) Client()->SetEnabled(Value);
}

void TMenuActionLink::SetHint(const std::string& Value) {
  if (TAction* a = LinkedAction(); a && Client()->Hint() == a->Hint()) Client()->SetHint(Value);
}

void TMenuActionLink::SetImageIndex(int Value) {
  if (TAction* a = LinkedAction(); a && Client()->ImageIndex() == a->ImageIndex()) Client()->SetImageIndex(Value);
}

void TMenuActionLink::SetShortCut(TShortCut Value) {
  if (TAction* a = LinkedAction(); a && Client()->ShortCut() == a->ShortCut()) Client()->SetShortCut(Value);
}

void TMenuActionLink::SetVisible(bool Value) {
  if (TAction* a = LinkedAction(); a && Client()->Visible() == a->Visible()) Client()->SetVisible(Value);
}

void TMenuActionLink::SetGroupIndex(int Value) {
  if (TAction* a = LinkedAction(); a && Client()->GroupIndex() == a->GroupIndex()) Client()->SetGroupIndex(Value);
}

void TMenuActionLink::SetAutoCheck(bool Value) {
  if (TAction* a = LinkedAction(); a && Client()->AutoCheck() == a->AutoCheck()) Client()->SetAutoCheck(Value);
}

void TMenuActionLink::ActionDestroying() {
  Client()->SetAction(nullptr);  // frees this link; nothing may follow
}
