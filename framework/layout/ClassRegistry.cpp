#include "framework/layout/ClassRegistry.h"

#include <set>

#include "framework/core/SysUtils.h"

bool TPropInfo::HasGetter() const {
  switch (Kind) {
    case TPropKind::pkInteger:
    case TPropKind::pkBoolean:
    case TPropKind::pkEnum:
    case TPropKind::pkSet: return static_cast<bool>(GetOrd);
    case TPropKind::pkFloat: return static_cast<bool>(GetFloat);
    case TPropKind::pkString: return static_cast<bool>(GetString);
    case TPropKind::pkReference: return static_cast<bool>(GetReference);
    case TPropKind::pkEvent: return static_cast<bool>(GetEventName);
    case TPropKind::pkStringList: return static_cast<bool>(GetStrings);
    case TPropKind::pkBinary: return static_cast<bool>(GetBinary);
  }
  return false;
}

TClassRegistry& ClassRegistry() {
  static TClassRegistry registry;
  return registry;
}

const TClassRegistry::ClassInfo* TClassRegistry::Find(const std::string& name) const {
  auto it = FClasses.find(LowerCase(name));
  return it == FClasses.end() ? nullptr : &it->second;
}

TClassRegistry::ClassInfo* TClassRegistry::Find(const std::string& name) {
  auto it = FClasses.find(LowerCase(name));
  return it == FClasses.end() ? nullptr : &it->second;
}

void TClassRegistry::RegisterClass(const std::string& name, const std::string& parent, TComponentFactory factory) {
  if (name.empty()) throw ELayoutError("A class needs a name");
  ClassInfo& info = FClasses[LowerCase(name)];
  // Registering again keeps the properties and methods already added.
  info.Name = name;
  info.Parent = parent;
  info.Factory = std::move(factory);
}

bool TClassRegistry::IsRegistered(const std::string& name) const { return Find(name) != nullptr; }

std::vector<std::string> TClassRegistry::ClassNames() const {
  std::vector<std::string> names;
  for (const auto& [key, info] : FClasses) names.push_back(info.Name);
  return names;
}

bool TClassRegistry::CanCreate(const std::string& name) const {
  const ClassInfo* info = Find(name);
  return info && info->Factory;
}

TComponent* TClassRegistry::CreateComponent(const std::string& className, TComponent* owner) const {
  const ClassInfo* info = Find(className);
  if (!info) throw ELayoutError("Class " + className + " not found");
  if (!info->Factory) throw ELayoutError("Class " + className + " cannot be created from a layout");
  TComponent* c = info->Factory(owner);
  if (!c) throw ELayoutError("Class " + className + " could not be created");
  return c;
}

bool TClassRegistry::InheritsFrom(const std::string& cls, const std::string& ancestor) const {
  std::set<std::string> seen;  // a broken chain (A -> B -> A) must not loop
  for (const ClassInfo* c = Find(cls); c && seen.insert(LowerCase(c->Name)).second; c = Find(c->Parent))
    if (SameText(c->Name, ancestor)) return true;
  return false;
}

void TClassRegistry::AddProperty(const std::string& className, TPropInfo info) {
  ClassInfo* c = Find(className);
  if (!c) throw ELayoutError("Class " + className + " not found");
  for (TPropInfo& p : c->Props) {
    if (SameText(p.Name, info.Name)) {
      p = std::move(info);
      return;
    }
  }
  c->Props.push_back(std::move(info));
}

const TPropInfo* TClassRegistry::FindProperty(const std::string& className, const std::string& propName) const {
  std::set<std::string> seen;
  for (const ClassInfo* c = Find(className); c && seen.insert(LowerCase(c->Name)).second; c = Find(c->Parent))
    for (const TPropInfo& p : c->Props)
      if (SameText(p.Name, propName)) return &p;
  return nullptr;
}

std::vector<const TPropInfo*> TClassRegistry::AllProperties(const std::string& className) const {
  std::vector<const ClassInfo*> chain;
  std::set<std::string> seen;
  for (const ClassInfo* c = Find(className); c && seen.insert(LowerCase(c->Name)).second; c = Find(c->Parent))
    chain.push_back(c);
  std::vector<const TPropInfo*> out;
  std::set<std::string> names;
  // Ancestors first; a class that re-registers a name overrides the ancestor's entry.
  for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
    for (const TPropInfo& p : (*it)->Props) {
      if (names.insert(LowerCase(p.Name)).second) {
        out.push_back(&p);
      } else {
        for (auto& q : out)
          if (SameText(q->Name, p.Name)) q = &p;
      }
    }
  }
  return out;
}

std::vector<const TPropInfo*> TClassRegistry::OwnProperties(const std::string& className) const {
  std::vector<const TPropInfo*> out;
  if (const ClassInfo* c = Find(className))
    for (const TPropInfo& p : c->Props) out.push_back(&p);
  return out;
}

void TClassRegistry::RegisterMethod(const std::string& rootClass, const std::string& methodName,
                                    std::function<TNotifyEvent(TComponent* root)> factory) {
  AddMethod(rootClass, methodName, std::any(std::move(factory)));
}

void TClassRegistry::AddMethod(const std::string& rootClass, const std::string& methodName, std::any factory) {
  ClassInfo* c = Find(rootClass);
  if (!c) throw ELayoutError("Class " + rootClass + " not found");
  c->Methods[LowerCase(methodName)] = std::move(factory);
}

const std::any* TClassRegistry::FindMethod(const std::string& rootClass, const std::string& methodName) const {
  std::set<std::string> seen;
  for (const ClassInfo* c = Find(rootClass); c && seen.insert(LowerCase(c->Name)).second; c = Find(c->Parent)) {
    auto it = c->Methods.find(LowerCase(methodName));
    if (it != c->Methods.end()) return &it->second;
  }
  return nullptr;
}
