#pragma once
// The tie between an action and one client component. A client keeps one link; the
// link registers with the action and executes it on the client's behalf.
#include "framework/core/Component.h"

class TBasicAction;

class TBasicActionLink : public TObject {
 public:
  explicit TBasicActionLink(TObject* AClient);
  ~TBasicActionLink() override;
  std::string ClassName() const override { return "TBasicActionLink"; }

  TBasicAction* Action() const { return FAction; }
  // Unregisters from the old action, registers with the new one (nullptr: none).
  virtual void SetAction(TBasicAction* Value);
  // Executes the action with AComponent as its ActionComponent; false without an action
  // or handler. The client and the link may be freed by the handler.
  virtual bool Execute(TComponent* AComponent = nullptr);
  virtual bool Update();
  // Called by the action being destroyed; the default forgets the action. Clients
  // override it to drop the link (and so forget the action).
  virtual void ActionDestroying();

 protected:
  TObject* FClient;
  TBasicAction* FAction = nullptr;
};
