#pragma once
// TOleControl: a window that hosts a control made by class identifier. The instance is
// made with the host and starts from empty state; a stored state block (the layout's
// "ControlData") replaces that state; the control's own window is activated in place
// when the host's window is made, filling the host. Properties are put and got by
// dispatch identifier; a failure raises EOleError with the control's description.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "framework/windows/Controls.h"
#include "platform/ole/Ole.h"

// The fixed identity of a hosted control class.
struct TControlData {
  std::string ClassID;
  std::string EventIID;
  std::string DefaultIID;
  int Version = 0;
  unsigned Flags = 0;
  int EventCount = 0;
};

class TOleControl : public TWinControl {
 public:
  // Raises EOleError("OLE control activation failed") when the class is not registered.
  TOleControl(TComponent* AOwner, TControlData data);
  ~TOleControl() override;
  std::string ClassName() const override { return "TOleControl"; }

  const TControlData& ControlData() const { return FControlData; }

  // The stored state: SetStoredState hands the bytes to the control as a stream (an
  // empty block re-initialises it); StoredState asks the control to save itself.
  void SetStoredState(const std::vector<std::uint8_t>& bytes);
  std::vector<std::uint8_t> StoredState() const;

  // Makes sure the control is active in place (makes the host window when needed).
  void CreateControl();
  IOleControlObject* OleObject() const { return FObject.get(); }

  // Property access by dispatch identifier; failures raise EOleError.
  void SetProperty(TDispID id, const TOleVariant& value);
  TOleVariant GetProperty(TDispID id);
  // An empty string is passed as a null string.
  void SetWideStringProp(TDispID id, const std::u16string& value);
  std::u16string GetWideStringProp(TDispID id);
  void SetWordBoolProp(TDispID id, bool value);
  bool GetWordBoolProp(TDispID id);

 protected:
  // Called for every event the control fires; descendants route it to their slots.
  virtual void InvokeEvent(TDispID event, const std::vector<TOleVariant>& args);
  void CreateWnd() override;
  void DestroyWnd() override;
  void BoundsChanged(bool moved, bool sized) override;

 private:
  void ActivateInPlace();
  TRect ObjectRect() const;
  TControlData FControlData;
  std::unique_ptr<IOleControlObject> FObject;
  std::shared_ptr<bool> FAlive = std::make_shared<bool>(true);
};
