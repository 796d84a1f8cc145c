#include "framework/actions/Action.h"

#include "framework/actions/ActionLink.h"

TAction::TAction(TComponent* AOwner) : TBasicAction(AOwner) {}

template <class F>
void TAction::ForEachLink(F f) {
  // By index: a client may drop its link meanwhile; none is visited after it left.
  for (size_t i = 0; i < FClients.size(); ++i)
    if (auto* link = dynamic_cast<TActionLink*>(FClients[i])) f(link);
}

bool TAction::Execute() {
  std::weak_ptr<bool> alive = FAlive;
  Update();
  if (alive.expired() || !FEnabled) return false;
  if (FAutoCheck) SetChecked(!FChecked);
  return TBasicAction::Execute();
}

// Links see the new value before the action stores it, so that a link can tell whether
// its client still shows the old one.
void TAction::SetCaption(const std::string& Value) {
  if (Value == FCaption) return;
  ForEachLink([&](TActionLink* l) { l->SetCaption(Value); });
  FCaption = Value;
  Change();
}

void TAction::SetChecked(bool Value) {
  if (Value == FChecked) return;
  ForEachLink([&](TActionLink* l) { l->SetChecked(Value); });
  FChecked = Value;
  Change();
}

void TAction::SetEnabled(bool Value) {
  if (Value == FEnabled) return;
  ForEachLink([&](TActionLink* l) { l->SetEnabled(Value); });
  FEnabled = Value;
  Change();
}

void TAction::SetHint(const std::string& Value) {
  if (Value == FHint) return;
  ForEachLink([&](TActionLink* l) { l->SetHint(Value); });
  FHint = Value;
  Change();
}

void TAction::SetImageIndex(int Value) {
  if (Value == FImageIndex) return;
  ForEachLink([&](TActionLink* l) { l->SetImageIndex(Value); });
  FImageIndex = Value;
  Change();
}

void TAction::SetShortCut(TShortCut Value) {
  if (Value == FShortCut) return;
  ForEachLink([&](TActionLink* l) { l->SetShortCut(Value); });
  FShortCut = Value;
  Change();
}

void TAction::SetVisible(bool Value) {
  if (Value == FVisible) return;
  ForEachLink([&](TActionLink* l) { l->SetVisible(Value); });
  FVisible = Value;
  Change();
}

void TAction::SetGroupIndex(int Value) {
  if (Value == FGroupIndex) return;
  ForEachLink([&](TActionLink* l) { l->SetGroupIndex(Value); });
  FGroupIndex = Value;
  Change();
}

void TAction::SetAutoCheck(bool Value) {
  if (Value == FAutoCheck) return;
  ForEachLink([&](TActionLink* l) { l->SetAutoCheck(Value); });
  FAutoCheck = Value;
  Change();
}
