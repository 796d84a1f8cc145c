#pragma once
// An action: a command that components (menu items, buttons) execute through a link,
// with an update step that lets the program enable or check it before it is shown.
#include <memory>
#include <string>
#include <vector>

#include "framework/core/Component.h"

class TBasicActionLink;

class TBasicAction : public TComponent {
 public:
  explicit TBasicAction(TComponent* AOwner);
  // Every link is told first (its client forgets the action), while the action is whole.
  ~TBasicAction() override;
  std::string ClassName() const override { return "TBasicAction"; }

  // Fires OnExecute; false when none is assigned. The handler may free the action.
  virtual bool Execute();
  // Fires OnUpdate; false when none is assigned.
  virtual bool Update();
  // The component whose link runs Execute (nullptr outside an execution).
  TComponent* ActionComponent() const { return FActionComponent; }
  void SetActionComponent(TComponent* v) { FActionComponent = v; }

  // Links register here to hear of property changes.
  void RegisterChanges(TBasicActionLink* Link);
  void UnRegisterChanges(TBasicActionLink* Link);
  int ClientCount() const { return static_cast<int>(FClients.size()); }
  TBasicActionLink* Clients(int index) const { return FClients.at(static_cast<size_t>(index)); }

  TNotifyEvent OnExecute;
  TNotifyEvent OnUpdate;
  // Fired after a property of the action changed.
  TNotifyEvent OnChange;

 protected:
  virtual void Change();
  std::vector<TBasicActionLink*> FClients;
  TComponent* FActionComponent = nullptr;
  // Expires with the action: handlers may free it.
  std::shared_ptr<bool> FAlive = std::make_shared<bool>(true);
  friend class TBasicActionLink;
};
