#pragma once
// Keeps a skin button in step with its TAction: caption, enabled state, hint and
// visibility follow the action while the button still shows the action's old value.
#include "framework/actions/ActionLink.h"

class TbsSkinButton;

class TbsSkinButtonActionLink : public TActionLink {
 public:
  explicit TbsSkinButtonActionLink(TbsSkinButton* AClient);
  std::string ClassName() const override { return "TbsSkinButtonActionLink"; }

  void SetCaption(const std::string& Value) override;
  void SetEnabled(bool Value) override;
  void SetHint(const std::string& Value) override;
  void SetVisible(bool Value) override;
  // The button forgets the action (and frees this link).
  void ActionDestroying() override;

 private:
  TbsSkinButton* Client() const;
};
