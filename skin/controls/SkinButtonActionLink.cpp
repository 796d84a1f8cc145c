#include "skin/controls/SkinButtonActionLink.h"

#include "framework/actions/Action.h"
#include "skin/controls/SkinButton.h"

TbsSkinButtonActionLink::TbsSkinButtonActionLink(TbsSkinButton* AClient) : TActionLink(AClient) {}

TbsSkinButton* TbsSkinButtonActionLink::Client() const { return static_cast<TbsSkinButton*>(FClient); }

void TbsSkinButtonActionLink::SetCaption(const std::string& Value) {
  if (TAction* a = LinkedAction(); a && Client()->Caption() == a->Caption()) Client()->SetCaption(Value);
}

void TbsSkinButtonActionLink::SetEnabled(bool Value) {
  if (TAction* a = LinkedAction(); a && Client()->Enabled() == a->Enabled()) Client()->SetEnabled(Value);
}

void TbsSkinButtonActionLink::SetHint(const std::string& Value) {
  if (TAction* a = LinkedAction(); a && Client()->Hint() == a->Hint()) Client()->SetHint(Value);
}

void TbsSkinButtonActionLink::SetVisible(bool Value) {
  if (TAction* a = LinkedAction(); a && Client()->Visible() == a->Visible()) Client()->SetVisible(Value);
}

void TbsSkinButtonActionLink::ActionDestroying() {
  Client()->SetAction(nullptr);  // frees this link; nothing may follow
}
