#pragma once
// The control host's vocabulary: result codes, dispatch identifiers, the one-value
// arguments of property puts and events, the interface every hosted control
// implements, and the registry that creates controls by class identifier.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "framework/core/Types.h"

class TStream;
class TWinControl;

using HRESULT = std::int32_t;
using TDispID = std::int32_t;

constexpr HRESULT S_OK = 0;
constexpr HRESULT E_FAIL = HRESULT(0x80004005u);
constexpr HRESULT E_INVALIDARG = HRESULT(0x80070057u);
constexpr HRESULT DISP_E_MEMBERNOTFOUND = HRESULT(0x80020003u);
constexpr HRESULT DISP_E_TYPEMISMATCH = HRESULT(0x80020005u);
constexpr HRESULT DISP_E_BADPARAMCOUNT = HRESULT(0x8002000Eu);
constexpr HRESULT CLASS_E_CLASSNOTAVAILABLE = HRESULT(0x80040111u);

constexpr bool Succeeded(HRESULT hr) { return hr >= 0; }

// One argument: a UTF-16 string (which may be null), a boolean or an integer.
class TOleVariant {
 public:
  enum class TKind { Empty, NullString, String, Boolean, Integer, Real };

  TOleVariant() = default;
  static TOleVariant FromString(const std::u16string& s);
  // An empty string travels as a null string, as automation passes it.
  static TOleVariant FromStringOrNull(const std::u16string& s);
  static TOleVariant NullString();
  static TOleVariant FromBool(bool b);
  static TOleVariant FromInt(std::int32_t i);
  static TOleVariant FromReal(double d);

  TKind Kind() const { return FKind; }
  bool IsString() const { return FKind == TKind::String || FKind == TKind::NullString; }
  // The string (empty for a null string); raises EOleError for other kinds.
  const std::u16string& AsString() const;
  bool AsBool() const;
  std::int32_t AsInt() const;
  double AsReal() const;

 private:
  TKind FKind = TKind::Empty;
  std::u16string FString;
  bool FBool = false;
  std::int32_t FInt = 0;
  double FReal = 0;
};

// What a failed call reports: its code and the control's own description.
struct TOleResult {
  HRESULT Code = S_OK;
  std::string Description;
  static TOleResult Ok() { return {}; }
  static TOleResult Fail(HRESULT code, std::string description) { return {code, std::move(description)}; }
  bool Succeeded() const { return ::Succeeded(Code); }
};

// Events from a control to its host: dispatch identifier and arguments.
using TOleEventSink = std::function<void(TDispID event, const std::vector<TOleVariant>& args)>;

// A hosted control. The host calls, in order: InitNew or Load (stored state), Advise
// (events), InPlaceActivate (its window appears inside the host window); then property
// puts and gets; InPlaceDeactivate before it goes away. All calls come from the
// user-interface thread.
class IOleControlObject {
 public:
  virtual ~IOleControlObject() = default;
  virtual void InitNew() = 0;
  // Raises EOleError when the state is malformed.
  virtual void Load(TStream& stream) = 0;
  virtual void Save(TStream& stream) const = 0;
  virtual void Advise(TOleEventSink sink) = 0;
  // Shows the control's window as a child of host at bounds (host client coordinates).
  virtual void InPlaceActivate(TWinControl* host, const TRect& bounds) = 0;
  virtual void SetObjectRects(const TRect& bounds) = 0;
  virtual void InPlaceDeactivate() = 0;
  virtual bool InPlaceActive() const = 0;
  virtual TOleResult PutProperty(TDispID id, const TOleVariant& value) = 0;
  virtual TOleResult GetProperty(TDispID id, TOleVariant& value) = 0;
};

using TOleControlFactory = std::function<std::unique_ptr<IOleControlObject>()>;

// Class identifiers are "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}" (hex, any case).
bool IsValidClassId(const std::string& classId);
// Registers a control (replacing one with the same class id); raises EOleError for a
// malformed class id.
void RegisterOleControl(const std::string& classId, TOleControlFactory factory);
void UnregisterOleControl(const std::string& classId);
bool IsOleControlRegistered(const std::string& classId);
// A new instance; raises EOleError("OLE control activation failed") when the class is
// not registered or its factory gives nothing.
std::unique_ptr<IOleControlObject> CreateOleControlObject(const std::string& classId);
