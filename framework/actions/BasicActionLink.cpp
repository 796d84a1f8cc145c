#include "framework/actions/BasicActionLink.h"

#include <memory>

#include "framework/actions/BasicAction.h"

TBasicActionLink::TBasicActionLink(TObject* AClient) : FClient(AClient) {}

TBasicActionLink::~TBasicActionLink() {
  if (FAction) FAction->UnRegisterChanges(this);
}

void TBasicActionLink::SetAction(TBasicAction* Value) {
  if (Value == FAction) return;
  if (FAction) FAction->UnRegisterChanges(this);
  FAction = Value;
  if (FAction) FAction->RegisterChanges(this);
}

bool TBasicActionLink::Execute(TComponent* AComponent) {
  TBasicAction* action = FAction;
  if (!action) return false;
  // The handler may free the action, the client and this link: touch none afterwards
  // unless the action is known to be alive.
  struct Guard {
    TBasicAction* action;
    std::weak_ptr<bool> alive;
    ~Guard() {
      if (!alive.expired()) action->SetActionComponent(nullptr);
    }
  } guard{action, action->FAlive};
  action->SetActionComponent(AComponent);
  return action->Execute();
}

bool TBasicActionLink::Update() { return FAction && FAction->Update(); }

void TBasicActionLink::ActionDestroying() { SetAction(nullptr); }
