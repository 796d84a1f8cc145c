#pragma once
// The component model: objects, persistent objects and owned, named components with
// the loading states and free notifications that stored layouts and the skin engine use.
#include <functional>
#include <string>
#include <vector>

#include "framework/core/Set.h"

class TObject {
 public:
  TObject() = default;
  TObject(const TObject&) = delete;
  TObject& operator=(const TObject&) = delete;
  virtual ~TObject() = default;
  // The class name as stored layouts name it ("TButton").
  virtual std::string ClassName() const { return "TObject"; }
};

using TNotifyEvent = std::function<void(TObject* Sender)>;

class TPersistent : public TObject {
 public:
  std::string ClassName() const override { return "TPersistent"; }
  // Copies the state of Source into this object; raises EConvertError when it cannot.
  virtual void Assign(const TPersistent* Source);
};

enum class TComponentStateItem { csLoading, csReading, csWriting, csDestroying, csDesigning, csUpdating };
using TComponentState = TSet<TComponentStateItem>;
constexpr auto csLoading = TComponentStateItem::csLoading;
constexpr auto csReading = TComponentStateItem::csReading;
constexpr auto csWriting = TComponentStateItem::csWriting;
constexpr auto csDestroying = TComponentStateItem::csDestroying;
constexpr auto csDesigning = TComponentStateItem::csDesigning;
constexpr auto csUpdating = TComponentStateItem::csUpdating;

enum class TOperation { opInsert, opRemove };
constexpr auto opInsert = TOperation::opInsert;
constexpr auto opRemove = TOperation::opRemove;

class TComponent : public TPersistent {
 public:
  // The owner takes the new component into its list and destroys it with itself.
  explicit TComponent(TComponent* AOwner);
  ~TComponent() override;
  std::string ClassName() const override { return "TComponent"; }

  TComponent* Owner() const { return FOwner; }
  const std::string& Name() const { return FName; }
  void SetName(const std::string& value);
  int ComponentCount() const { return static_cast<int>(FComponents.size()); }
  TComponent* Components(int index) const { return FComponents.at(static_cast<size_t>(index)); }
  TComponent* FindComponent(const std::string& name) const;
  int ComponentIndex() const;
  long Tag() const { return FTag; }
  void SetTag(long v) { FTag = v; }

  TComponentState ComponentState() const { return FComponentState; }
  void SetComponentStateFlag(TComponentStateItem item, bool on);
  bool IsLoading() const { return FComponentState.Contains(csLoading); }
  bool IsDestroying() const { return FComponentState.Contains(csDestroying); }

  // Called once after a stored layout has been read and its references resolved.
  virtual void Loaded();
  // Told when a component this one knows of is inserted or removed.
  virtual void Notification(TComponent* AComponent, TOperation Operation);
  // Ask to be told (Notification with opRemove) when AComponent is destroyed.
  void FreeNotification(TComponent* AComponent);
  void RemoveFreeNotification(TComponent* AComponent);

  void InsertComponent(TComponent* AComponent);
  void RemoveComponent(TComponent* AComponent);
  // Destroys the owned components, last first.
  void DestroyComponents();
  // Marks this component and all it owns as being destroyed.
  virtual void Destroying();

 protected:
  // Tells every component that asked (FreeNotification) that this one goes. The
  // destructor does it; a class whose data others may still read while they let go of
  // it does it first in its own destructor, while it is still whole.
  void SendFreeNotifications();

  TComponentState FComponentState;

 private:
  void Remove(TComponent* AComponent);
  TComponent* FOwner = nullptr;
  std::string FName;
  std::vector<TComponent*> FComponents;
  std::vector<TComponent*> FFreeNotifies;
  long FTag = 0;
};
