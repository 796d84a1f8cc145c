#pragma once
// Keeps a menu item in step with its TAction.
#include "framework/actions/ActionLink.h"

class TMenuItem;

class TMenuActionLink : public TActionLink {
 public:
  explicit TMenuActionLink(TMenuItem* AClient);
  std::string ClassName() const override { return "TMenuActionLink"; }

  void SetCaption(const std::string& Value) override;
  void SetChecked(bool Value) override;
  void SetEnabled(bool Value) override;
  void SetHint(const std::string& Value) override;
  void SetImageIndex(int Value) override;
  void SetShortCut(TShortCut Value) override;
  void SetVisible(bool Value) override;
  void SetGroupIndex(int Value) override;
  void SetAutoCheck(bool Value) override;
  // The item forgets the action (and frees this link).
  void ActionDestroying() override;

 protected:
  TMenuItem* Client() const;
};
