#include "skin/controls/SkinSpeedButtonActionLink.h"

#include "framework/actions/Action.h"
#include "skin/controls/SkinSpeedButton.h"

TbsSkinSpeedButtonActionLink::TbsSkinSpeedButtonActionLink(TbsSkinSpeedButton* AClient) : TActionLink(AClient) {}

TbsSkinSpeedButton* TbsSkinSpeedButtonActionLink::Client() const { return static_cast<TbsSkinSpeedButton*>(FClient); }

void TbsSkinSpeedButtonActionLink::SetCaption(const std::string& Value) {
  if (TAction* a = LinkedAction(); a && Client()->Caption() == a->Caption()) Client()->SetCaption(Value);
}

void TbsSkinSpeedButtonActionLink::SetEnabled(bool Value) {
  if (TAction* a = LinkedAction(); a && Client()->Enabled() == a->Enabled()) Client()->SetEnabled(Value);
}

void TbsSkinSpeedButtonActionLink::SetHint(const std::string& Value) {
  if (TAction* a = LinkedAction(); a && Client()->Hint() == a->Hint()) Client()->SetHint(Value);
}

void TbsSkinSpeedButtonActionLink::SetVisible(bool Value) {
  if (TAction* a = LinkedAction(); a && Client()->Visible() == a->Visible()) Client()->SetVisible(Value);
}

void TbsSkinSpeedButtonActionLink::ActionDestroying() {
  Client()->SetAction(nullptr);  // frees this link; nothing may follow
}
