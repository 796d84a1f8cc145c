#pragma once
// Keeps a speed button in step with its TAction: caption, enabled state, hint and
// visibility follow the action while the button still shows the action's old value.
#include "framework/actions/ActionLink.h"

class TbsSkinSpeedButton;

class TbsSkinSpeedButtonActionLink : public TActionLink {
 public:
  explicit TbsSkinSpeedButtonActionLink(TbsSkinSpeedButton* AClient);
  std::string ClassName() const override { return "TbsSkinSpeedButtonActionLink"; }

  void SetCaption(const std::string& Value) override;
  void SetEnabled(bool Value) override;
  void SetHint(const std::string& Value) override;
  void SetVisible(bool Value) override;
  // The button forgets the action (and frees this link).
  void ActionDestroying() override;

 private:
  TbsSkinSpeedButton* Client() const;
};
