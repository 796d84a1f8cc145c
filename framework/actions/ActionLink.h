#pragma once
// The link a visual client implements to follow a TAction: the action calls the setter
// of each property that changes, and the link passes it on while the client's value
// still equals the action's old value (a client changed by hand stops following).
// A menu item's link is TMenuActionLink; a control implements its own.
#include <string>

#include "framework/actions/BasicActionLink.h"
#include "framework/messages/ShortCuts.h"

class TAction;

class TActionLink : public TBasicActionLink {
 public:
  explicit TActionLink(TObject* AClient) : TBasicActionLink(AClient) {}
  std::string ClassName() const override { return "TActionLink"; }

  // Called before the action stores the new value.
  virtual void SetCaption(const std::string& Value) {}
  virtual void SetChecked(bool Value) {}
  virtual void SetEnabled(bool Value) {}
  virtual void SetHint(const std::string& Value) {}
  virtual void SetImageIndex(int Value) {}
  virtual void SetShortCut(TShortCut Value) {}
  virtual void SetVisible(bool Value) {}
  virtual void SetGroupIndex(int Value) {}
  virtual void SetAutoCheck(bool Value) {}

 protected:
  // The linked TAction, or nullptr when the action is of another kind.
  TAction* LinkedAction() const;
};
