#pragma once
// The action link of a skin control: caption, enabled state, hint and visibility follow
// the linked TAction, and so does Checked for a control that has a checked state. Each
// value passes on only while the control still shows the action's old one, so a value
// changed by hand stops following.
#include <memory>
#include <string>

#include "framework/actions/Action.h"
#include "framework/actions/ActionLink.h"

template <class TClient>
class TbsSkinActionLink : public TActionLink {
 public:
  explicit TbsSkinActionLink(TClient* AClient) : TActionLink(AClient) {}

  void SetCaption(const std::string& Value) override {
    if (TAction* a = LinkedAction(); a && Client()->Caption() == a->Caption()) Client()->SetCaption(Value);
  }
  void SetEnabled(bool Value) override {
    if (TAction* a = LinkedAction(); a && Client()->Enabled() == a->Enabled()) Client()->SetEnabled(Value);
  }
  void SetHint(const std::string& Value) override {
    if (TAction* a = LinkedAction(); a && Client()->Hint() == a->Hint()) Client()->SetHint(Value);
  }
  void SetVisible(bool Value) override {
    if (TAction* a = LinkedAction(); a && Client()->Visible() == a->Visible()) Client()->SetVisible(Value);
  }
  // A state taken from the action is no click of the control: it does not run the action.
  void SetChecked(bool Value) override {
    if constexpr (requires(TClient* c, bool v) { c->SetCheckedByAction(v); }) {
      if (TAction* a = LinkedAction(); a && Client()->Checked() == a->Checked()) Client()->SetCheckedByAction(Value);
    }
  }
  // The control forgets the action (and frees this link).
  void ActionDestroying() override { Client()->SetAction(nullptr); }

 protected:
  TClient* Client() const { return static_cast<TClient*>(FClient); }
};

// What every skin control with an action does on SetAction: a link of kind TLink is made
// on first use and tied to Value; nullptr unties it. True when Value is linked (the caller
// then takes the action's values).
template <class TLink, class TClient>
bool LinkSkinAction(TClient* Client, std::unique_ptr<TBasicActionLink>& Link, TBasicAction* Value) {
  if (!Value) {
    Link.reset();
    return false;
  }
  if (!Link) Link = std::make_unique<TLink>(Client);
  Link->SetAction(Value);
  return true;
}

// Gives Client the caption, enabled state, hint and visibility of Sender when it is a
// TAction; with CheckDefaults (while loading) only the values still at their defaults.
// The action, or nullptr when Sender is none.
template <class TClient>
TAction* TakeActionValues(TClient* Client, TBasicAction* Sender, bool CheckDefaults) {
  auto* a = dynamic_cast<TAction*>(Sender);
  if (!a) return nullptr;
  if (!CheckDefaults || Client->Caption().empty()) Client->SetCaption(a->Caption());
  if (!CheckDefaults || Client->Enabled()) Client->SetEnabled(a->Enabled());
  if (!CheckDefaults || Client->Hint().empty()) Client->SetHint(a->Hint());
  if (!CheckDefaults || Client->Visible()) Client->SetVisible(a->Visible());
  return a;
}
