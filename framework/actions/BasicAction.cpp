#include "framework/actions/BasicAction.h"

#include <algorithm>

#include "framework/actions/BasicActionLink.h"

TBasicAction::TBasicAction(TComponent* AOwner) : TComponent(AOwner) {}

TBasicAction::~TBasicAction() {
  Destroying();
  // Each link leaves the list (its client drops it or it forgets the action), so this ends.
  while (!FClients.empty()) {
    TBasicActionLink* link = FClients.back();
    link->ActionDestroying();
    if (!FClients.empty() && FClients.back() == link) FClients.pop_back();
  }
}

bool TBasicAction::Execute() {
  if (!OnExecute) return false;
  // A copy: the handler may free this action and with it the stored function.
  TNotifyEvent handler = OnExecute;
  handler(this);
  return true;
}

bool TBasicAction::Update() {
  if (!OnUpdate) return false;
  TNotifyEvent handler = OnUpdate;
  handler(this);
  return true;
}

void TBasicAction::RegisterChanges(TBasicActionLink* Link) {
  if (Link && std::find(FClients.begin(), FClients.end(), Link) == FClients.end()) FClients.push_back(Link);
}

void TBasicAction::UnRegisterChanges(TBasicActionLink* Link) {
  FClients.erase(std::remove(FClients.begin(), FClients.end(), Link), FClients.end());
}

void TBasicAction::Change() {
  if (OnChange) OnChange(this);
}
