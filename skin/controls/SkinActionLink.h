#pragma once
// The action link of a skin control: caption, enabled state, hint and visibility follow
// the linked TAction, and so does Checked for a control that has a checked state. Each
// value passes on only while the control still shows the action's old one, so a value
// changed by hand stops following.
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
