// Control registry by class identifier, and the argument type of dispatch calls.
#include <cctype>
#include <map>

#include "framework/core/Exceptions.h"
#include "platform/ole/Ole.h"

TOleVariant TOleVariant::FromString(const std::u16string& s) {
  TOleVariant v;
  v.FKind = TKind::String;
  v.FString = s;
  return v;
}

TOleVariant TOleVariant::FromStringOrNull(const std::u16string& s) {
  return s.empty() ? NullString() : FromString(s);
}

TOleVariant TOleVariant::NullString() {
  TOleVariant v;
  v.FKind = TKind::NullString;
  return v;
}

TOleVariant TOleVariant::FromBool(bool b) {
  TOleVariant v;
  v.FKind = TKind::Boolean;
  v.FBool = b;
  return v;
}

TOleVariant TOleVariant::FromInt(std::int32_t i) {
  TOleVariant v;
  v.FKind = TKind::Integer;
  v.FInt = i;
  return v;
}

TOleVariant TOleVariant::FromReal(double d) {
  TOleVariant v;
  v.FKind = TKind::Real;
  v.FReal = d;
  return v;
}

const std::u16string& TOleVariant::AsString() const {
  if (!IsString()) throw EOleError("Variant is not a string");
  return FString;
}

bool TOleVariant::AsBool() const {
  if (FKind != TKind::Boolean) throw EOleError("Variant is not a boolean");
  return FBool;
}

std::int32_t TOleVariant::AsInt() const {
  if (FKind != TKind::Integer) throw EOleError("Variant is not an integer");
  return FInt;
}

double TOleVariant::AsReal() const {
  if (FKind == TKind::Integer) return FInt;
  if (FKind != TKind::Real) throw EOleError("Variant is not a number");
  return FReal;
}

namespace {
std::map<std::string, TOleControlFactory>& Controls() {
  static std::map<std::string, TOleControlFactory> map;
  return map;
}

std::string Normalized(const std::string& classId) {
  std::string s = classId;
  for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return s;
}
}  // namespace

bool IsValidClassId(const std::string& id) {
  // {8-4-4-4-12}
  if (id.size() != 38 || id.front() != '{' || id.back() != '}') return false;
  for (size_t i = 1; i < 37; ++i) {
    bool dash = i == 9 || i == 14 || i == 19 || i == 24;
    if (dash ? id[i] != '-' : !std::isxdigit(static_cast<unsigned char>(id[i]))) return false;
  }
  return true;
}

void RegisterOleControl(const std::string& classId, TOleControlFactory factory) {
  if (!IsValidClassId(classId)) throw EOleError("Invalid class identifier \"" + classId + "\"");
  if (!factory) throw EOleError("No factory for class " + classId);
  Controls()[Normalized(classId)] = std::move(factory);
}

void UnregisterOleControl(const std::string& classId) { Controls().erase(Normalized(classId)); }

bool IsOleControlRegistered(const std::string& classId) {
  return Controls().count(Normalized(classId)) != 0;
}

std::unique_ptr<IOleControlObject> CreateOleControlObject(const std::string& classId) {
  auto it = Controls().find(Normalized(classId));
  std::unique_ptr<IOleControlObject> object;
  if (it != Controls().end()) object = it->second();
  if (!object) throw EOleError("OLE control activation failed");
  return object;
}
