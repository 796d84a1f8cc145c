// The control host window.
#include "platform/ole/OleControl.h"

#include <memory>

#include "framework/core/Exceptions.h"
#include "framework/core/Streams.h"

TOleControl::TOleControl(TComponent* AOwner, TControlData data)
    : TWinControl(AOwner), FControlData(std::move(data)) {
  FObject = CreateOleControlObject(FControlData.ClassID);
  FObject->InitNew();
  // Events may arrive while the host is being torn down: the weak flag stops them.
  std::weak_ptr<bool> alive = FAlive;
  FObject->Advise([this, alive](TDispID event, const std::vector<TOleVariant>& args) {
    if (alive.expired() || IsDestroying()) return;
    InvokeEvent(event, args);
  });
  FTabStop = true;
}

TOleControl::~TOleControl() {
  Destroying();
  FAlive.reset();
  // The control's window is a child of this one: it goes before the base class
  // destroys the children it still lists.
  if (FObject) {
    if (FObject->InPlaceActive()) FObject->InPlaceDeactivate();
    FObject.reset();
  }
}

void TOleControl::SetStoredState(const std::vector<std::uint8_t>& bytes) {
  if (bytes.empty()) {
    FObject->InitNew();
    return;
  }
  TMemoryStream stream;
  stream.WriteBuffer(bytes.data(), static_cast<Int64>(bytes.size()));
  stream.SetPosition(0);
  FObject->Load(stream);
}

std::vector<std::uint8_t> TOleControl::StoredState() const {
  TMemoryStream stream;
  FObject->Save(stream);
  return stream.Bytes();
}

void TOleControl::CreateControl() {
  HandleNeeded();
  if (!FObject->InPlaceActive()) ActivateInPlace();
}

TRect TOleControl::ObjectRect() const { return Rect(0, 0, FWidth, FHeight); }

void TOleControl::ActivateInPlace() {
  FObject->InPlaceActivate(this, ObjectRect());
  if (!FObject->InPlaceActive()) throw EOleError("OLE control activation failed");
}

void TOleControl::CreateWnd() {
  TWinControl::CreateWnd();
  if (!FObject->InPlaceActive()) ActivateInPlace();
}

void TOleControl::DestroyWnd() {
  if (FObject && FObject->InPlaceActive()) FObject->InPlaceDeactivate();
  TWinControl::DestroyWnd();
}

void TOleControl::BoundsChanged(bool moved, bool sized) {
  TWinControl::BoundsChanged(moved, sized);
  if (sized && FObject && FObject->InPlaceActive()) FObject->SetObjectRects(ObjectRect());
}

void TOleControl::SetProperty(TDispID id, const TOleVariant& value) {
  CreateControl();
  TOleResult r = FObject->PutProperty(id, value);
  if (!r.Succeeded())
    throw EOleError(r.Description.empty() ? Format("OLE error %08X", unsigned(r.Code)) : r.Description);
}

TOleVariant TOleControl::GetProperty(TDispID id) {
  CreateControl();
  TOleVariant v;
  TOleResult r = FObject->GetProperty(id, v);
  if (!r.Succeeded())
    throw EOleError(r.Description.empty() ? Format("OLE error %08X", unsigned(r.Code)) : r.Description);
  return v;
}

void TOleControl::SetWideStringProp(TDispID id, const std::u16string& value) {
  SetProperty(id, TOleVariant::FromStringOrNull(value));
}

std::u16string TOleControl::GetWideStringProp(TDispID id) {
  TOleVariant v = GetProperty(id);
  if (!v.IsString()) throw EOleError("Type mismatch");
  return v.AsString();
}

void TOleControl::SetWordBoolProp(TDispID id, bool value) { SetProperty(id, TOleVariant::FromBool(value)); }

bool TOleControl::GetWordBoolProp(TDispID id) {
  TOleVariant v = GetProperty(id);
  if (v.Kind() != TOleVariant::TKind::Boolean) throw EOleError("Type mismatch");
  return v.AsBool();
}

void TOleControl::InvokeEvent(TDispID, const std::vector<TOleVariant>&) {}
