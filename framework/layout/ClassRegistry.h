#pragma once
// What stored layouts may contain: the classes that can be created by name, the
// properties of each class by kind, the methods of a root class that events bind to
// by name, and the hook that tells a component its parent.
//
// Registration is explicit (a RegisterXxxClasses() function per folder, called at
// start-up or by a test): static initialisers in a static library may never run.
//
//   auto c = ClassRegistry().RegisterClass<TButton>("TButton", "TWinControl");
//   c.Integer("Left", [](TButton* b, Int64 v) { b->SetLeft(int(v)); },
//             [](const TButton* b) -> Int64 { return b->Left(); });
//   c.Event("OnClick", [](TButton* b, TNotifyEvent e) { b->OnClick = e; });
//   ClassRegistry().RegisterMethod("TForm1", "BtstartClick", [](TComponent* root) -> TNotifyEvent {
//     auto* f = static_cast<TForm1*>(root); return [f](TObject* s) { f->BtstartClick(s); }; });
//
// A property setter or getter is only called on a component of its class or a class
// derived from it; the typed helpers check that with dynamic_cast.
#include <any>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#include "framework/core/Component.h"
#include "framework/core/Exceptions.h"
#include "framework/core/Types.h"

enum class TPropKind { pkInteger, pkFloat, pkString, pkBoolean, pkEnum, pkSet, pkReference, pkEvent, pkStringList, pkBinary };

// Identifier -> value, in declaration order. Enumerations: value names; sets: element
// names -> bit index; integers: named constants such as colour names.
using TIdentMap = std::vector<std::pair<std::string, Int64>>;

// One property as the reader and writer see it. Only the members of its kind are set.
// Integer, boolean (0/1), enumeration and set (bit mask) values travel as Int64.
struct TPropInfo {
  std::string Name;  // may be a dotted path ("Font.Name", "Items.Strings")
  TPropKind Kind = TPropKind::pkInteger;
  TIdentMap Idents;

  std::function<void(TComponent*, Int64)> SetOrd;
  std::function<Int64(const TComponent*)> GetOrd;
  std::function<void(TComponent*, double)> SetFloat;
  std::function<double(const TComponent*)> GetFloat;
  std::function<void(TComponent*, const std::string&)> SetString;
  std::function<std::string(const TComponent*)> GetString;
  std::function<void(TComponent*, TComponent*)> SetReference;
  std::function<TComponent*(const TComponent*)> GetReference;
  std::function<void(TComponent*, const std::vector<std::string>&)> SetStrings;
  std::function<std::vector<std::string>(const TComponent*)> GetStrings;
  std::function<void(TComponent*, const std::vector<std::uint8_t>&)> SetBinary;
  std::function<std::vector<std::uint8_t>(const TComponent*)> GetBinary;
  // Events: binds the root's method (as found by the registry) to the target.
  std::function<void(TComponent* target, const std::any& method, TComponent* root, const std::string& methodName)>
      BindEvent;
  // Events: the bound method's name, for the writer ("" = none).
  std::function<std::string(const TComponent*)> GetEventName;

  bool HasGetter() const;
};

using TComponentFactory = std::function<TComponent*(TComponent* owner)>;
using TParentHandler = std::function<void(TComponent* child, TComponent* parent)>;
using TParentGetter = std::function<TComponent*(const TComponent* child)>;

class TClassRegistry;

// Fluent registration of the properties of one class, typed to its C++ class T.
template <class T>
class TClassBuilder {
 public:
  TClassBuilder(TClassRegistry& registry, std::string className)
      : FRegistry(registry), FClass(std::move(className)) {}
  const std::string& ClassName() const { return FClass; }

  TClassBuilder& Integer(const std::string& name, std::function<void(T*, Int64)> set,
                         std::function<Int64(const T*)> get = {}, TIdentMap constants = {});
  TClassBuilder& Float(const std::string& name, std::function<void(T*, double)> set,
                       std::function<double(const T*)> get = {});
  TClassBuilder& String(const std::string& name, std::function<void(T*, const std::string&)> set,
                        std::function<std::string(const T*)> get = {});
  TClassBuilder& Boolean(const std::string& name, std::function<void(T*, bool)> set,
                         std::function<bool(const T*)> get = {});
  TClassBuilder& Enum(const std::string& name, TIdentMap values, std::function<void(T*, int)> set,
                      std::function<int(const T*)> get = {});
  // Set elements map to bit indexes; the setter gets the bit mask.
  TClassBuilder& Set(const std::string& name, TIdentMap elements,
                     std::function<void(T*, std::uint64_t)> set,
                     std::function<std::uint64_t(const T*)> get = {});
  // A reference to a component of class R (or derived); nil sets nullptr.
  template <class R = TComponent>
  TClassBuilder& Reference(const std::string& name, std::type_identity_t<std::function<void(T*, R*)>> set,
                           std::type_identity_t<std::function<R*(const T*)>> get = {});
  // An event of type E, bound to a root method registered with the same type.
  template <class E = TNotifyEvent>
  TClassBuilder& Event(const std::string& name, std::type_identity_t<std::function<void(T*, E)>> set,
                       std::function<std::string(const T*)> getName = {});
  // As Event, and the setter also learns the method's name (to write it back later).
  template <class E = TNotifyEvent>
  TClassBuilder& EventNamed(const std::string& name,
                            std::type_identity_t<std::function<void(T*, E, const std::string&)>> set,
                            std::function<std::string(const T*)> getName = {});
  TClassBuilder& StringList(const std::string& name,
                            std::function<void(T*, const std::vector<std::string>&)> set,
                            std::function<std::vector<std::string>(const T*)> get = {});
  TClassBuilder& Binary(const std::string& name,
                        std::function<void(T*, const std::vector<std::uint8_t>&)> set,
                        std::function<std::vector<std::uint8_t>(const T*)> get = {});

 private:
  static T* Cast(TComponent* c, const std::string& prop);
  static const T* Cast(const TComponent* c, const std::string& prop);
  TClassBuilder& Add(TPropInfo info);
  TClassRegistry& FRegistry;
  std::string FClass;
};

class TClassRegistry {
 public:
  TClassRegistry() = default;
  TClassRegistry(const TClassRegistry&) = delete;
  TClassRegistry& operator=(const TClassRegistry&) = delete;

  // Registers (or re-registers) a class. parent "" = none. A class without a factory
  // can only be a root (constructed by its caller), not created from a layout.
  void RegisterClass(const std::string& name, const std::string& parent, TComponentFactory factory);
  template <class T>
  TClassBuilder<T> RegisterClass(const std::string& name, const std::string& parent) {
    RegisterClass(name, parent, [](TComponent* owner) -> TComponent* { return new T(owner); });
    return TClassBuilder<T>(*this, name);
  }
  // Registers a class that is only ever a root (no factory).
  template <class T>
  TClassBuilder<T> RegisterRootClass(const std::string& name, const std::string& parent) {
    RegisterClass(name, parent, TComponentFactory{});
    return TClassBuilder<T>(*this, name);
  }
  // Properties of an already registered class (e.g. added from another folder).
  template <class T>
  TClassBuilder<T> Properties(const std::string& className) {
    return TClassBuilder<T>(*this, className);
  }

  bool IsRegistered(const std::string& name) const;
  // Raises ELayoutError for unknown or root-only classes.
  TComponent* CreateComponent(const std::string& className, TComponent* owner) const;
  // True when cls is ancestor or one of its ancestors.
  bool InheritsFrom(const std::string& cls, const std::string& ancestor) const;

  // Adds or replaces a property of a registered class; raises ELayoutError otherwise.
  void AddProperty(const std::string& className, TPropInfo info);
  // Looks in the class, then up its parent chain; names match without regard to case.
  const TPropInfo* FindProperty(const std::string& className, const std::string& propName) const;
  // Every property of the class with the ancestors' first, each name once.
  std::vector<const TPropInfo*> AllProperties(const std::string& className) const;

  // A method of a root class, bound to the root at read time.
  void RegisterMethod(const std::string& rootClass, const std::string& methodName,
                      std::function<TNotifyEvent(TComponent* root)> factory);
  template <class E>
  void RegisterMethodOf(const std::string& rootClass, const std::string& methodName,
                        std::function<E(TComponent* root)> factory) {
    AddMethod(rootClass, methodName, std::any(std::move(factory)));
  }
  // The stored factory (std::function<E(TComponent*)> in a std::any), or nullptr.
  const std::any* FindMethod(const std::string& rootClass, const std::string& methodName) const;

  void SetParentHandler(TParentHandler handler) { FParentHandler = std::move(handler); }
  const TParentHandler& ParentHandler() const { return FParentHandler; }
  // For the writer: the component a control sits in (nullptr = the root).
  void SetParentGetter(TParentGetter getter) { FParentGetter = std::move(getter); }
  const TParentGetter& ParentGetter() const { return FParentGetter; }

 private:
  struct ClassInfo {
    std::string Name;
    std::string Parent;
    TComponentFactory Factory;
    std::vector<TPropInfo> Props;
    std::map<std::string, std::any> Methods;  // key: lower-case name
  };
  void AddMethod(const std::string& rootClass, const std::string& methodName, std::any factory);
  const ClassInfo* Find(const std::string& name) const;
  ClassInfo* Find(const std::string& name);
  std::map<std::string, ClassInfo> FClasses;  // key: lower-case name
  TParentHandler FParentHandler;
  TParentGetter FParentGetter;
};

// The program's registry.
TClassRegistry& ClassRegistry();

// ---- template members ----

template <class T>
T* TClassBuilder<T>::Cast(TComponent* c, const std::string& prop) {
  T* t = dynamic_cast<T*>(c);
  if (!t) throw ELayoutError("Property " + prop + " does not apply to class " + (c ? c->ClassName() : "nil"));
  return t;
}

template <class T>
const T* TClassBuilder<T>::Cast(const TComponent* c, const std::string& prop) {
  const T* t = dynamic_cast<const T*>(c);
  if (!t) throw ELayoutError("Property " + prop + " does not apply to class " + (c ? c->ClassName() : "nil"));
  return t;
}

template <class T>
TClassBuilder<T>& TClassBuilder<T>::Add(TPropInfo info) {
  FRegistry.AddProperty(FClass, std::move(info));
  return *this;
}

template <class T>
TClassBuilder<T>& TClassBuilder<T>::Integer(const std::string& name, std::function<void(T*, Int64)> set,
                                            std::function<Int64(const T*)> get, TIdentMap constants) {
  TPropInfo p;
  p.Name = name;
  p.Kind = TPropKind::pkInteger;
  p.Idents = std::move(constants);
  p.SetOrd = [set, name](TComponent* c, Int64 v) { set(Cast(c, name), v); };
  if (get) p.GetOrd = [get, name](const TComponent* c) { return get(Cast(c, name)); };
  return Add(std::move(p));
}

template <class T>
TClassBuilder<T>& TClassBuilder<T>::Float(const std::string& name, std::function<void(T*, double)> set,
                                          std::function<double(const T*)> get) {
  TPropInfo p;
  p.Name = name;
  p.Kind = TPropKind::pkFloat;
  p.SetFloat = [set, name](TComponent* c, double v) { set(Cast(c, name), v); };
  if (get) p.GetFloat = [get, name](const TComponent* c) { return get(Cast(c, name)); };
  return Add(std::move(p));
}

template <class T>
TClassBuilder<T>& TClassBuilder<T>::String(const std::string& name,
                                           std::function<void(T*, const std::string&)> set,
                                           std::function<std::string(const T*)> get) {
  TPropInfo p;
  p.Name = name;
  p.Kind = TPropKind::pkString;
  p.SetString = [set, name](TComponent* c, const std::string& v) { set(Cast(c, name), v); };
  if (get) p.GetString = [get, name](const TComponent* c) { return get(Cast(c, name)); };
  return Add(std::move(p));
}

template <class T>
TClassBuilder<T>& TClassBuilder<T>::Boolean(const std::string& name, std::function<void(T*, bool)> set,
                                            std::function<bool(const T*)> get) {
  TPropInfo p;
  p.Name = name;
  p.Kind = TPropKind::pkBoolean;
  p.SetOrd = [set, name](TComponent* c, Int64 v) { set(Cast(c, name), v != 0); };
  if (get) p.GetOrd = [get, name](const TComponent* c) -> Int64 { return get(Cast(c, name)) ? 1 : 0; };
  return Add(std::move(p));
}

template <class T>
TClassBuilder<T>& TClassBuilder<T>::Enum(const std::string& name, TIdentMap values,
                                         std::function<void(T*, int)> set, std::function<int(const T*)> get) {
  TPropInfo p;
  p.Name = name;
  p.Kind = TPropKind::pkEnum;
  p.Idents = std::move(values);
  p.SetOrd = [set, name](TComponent* c, Int64 v) { set(Cast(c, name), static_cast<int>(v)); };
  if (get) p.GetOrd = [get, name](const TComponent* c) -> Int64 { return get(Cast(c, name)); };
  return Add(std::move(p));
}

template <class T>
TClassBuilder<T>& TClassBuilder<T>::Set(const std::string& name, TIdentMap elements,
                                        std::function<void(T*, std::uint64_t)> set,
                                        std::function<std::uint64_t(const T*)> get) {
  TPropInfo p;
  p.Name = name;
  p.Kind = TPropKind::pkSet;
  p.Idents = std::move(elements);
  p.SetOrd = [set, name](TComponent* c, Int64 v) { set(Cast(c, name), static_cast<std::uint64_t>(v)); };
  if (get) p.GetOrd = [get, name](const TComponent* c) { return static_cast<Int64>(get(Cast(c, name))); };
  return Add(std::move(p));
}

template <class T>
template <class R>
TClassBuilder<T>& TClassBuilder<T>::Reference(const std::string& name,
                                              std::type_identity_t<std::function<void(T*, R*)>> set,
                                              std::type_identity_t<std::function<R*(const T*)>> get) {
  TPropInfo p;
  p.Name = name;
  p.Kind = TPropKind::pkReference;
  p.SetReference = [set, name](TComponent* c, TComponent* target) {
    R* r = nullptr;
    if (target) {
      r = dynamic_cast<R*>(target);
      if (!r) throw ELayoutError("Component " + target->Name() + " of class " + target->ClassName() +
                                 " cannot be assigned to " + name);
    }
    set(Cast(c, name), r);
  };
  if (get) p.GetReference = [get, name](const TComponent* c) -> TComponent* { return get(Cast(c, name)); };
  return Add(std::move(p));
}

template <class T>
template <class E>
TClassBuilder<T>& TClassBuilder<T>::Event(const std::string& name,
                                          std::type_identity_t<std::function<void(T*, E)>> set,
                                          std::function<std::string(const T*)> getName) {
  return EventNamed<E>(
      name, [set](T* t, E e, const std::string&) { set(t, std::move(e)); }, std::move(getName));
}

template <class T>
template <class E>
TClassBuilder<T>& TClassBuilder<T>::EventNamed(
    const std::string& name, std::type_identity_t<std::function<void(T*, E, const std::string&)>> set,
                                               std::function<std::string(const T*)> getName) {
  TPropInfo p;
  p.Name = name;
  p.Kind = TPropKind::pkEvent;
  p.BindEvent = [set, name](TComponent* c, const std::any& method, TComponent* root, const std::string& methodName) {
    const auto* factory = std::any_cast<std::function<E(TComponent*)>>(&method);
    if (!factory) throw ELayoutError("method " + methodName + " does not have the type of " + name);
    set(Cast(c, name), (*factory)(root), methodName);
  };
  if (getName) p.GetEventName = [getName, name](const TComponent* c) { return getName(Cast(c, name)); };
  return Add(std::move(p));
}

template <class T>
TClassBuilder<T>& TClassBuilder<T>::StringList(const std::string& name,
                                               std::function<void(T*, const std::vector<std::string>&)> set,
                                               std::function<std::vector<std::string>(const T*)> get) {
  TPropInfo p;
  p.Name = name;
  p.Kind = TPropKind::pkStringList;
  p.SetStrings = [set, name](TComponent* c, const std::vector<std::string>& v) { set(Cast(c, name), v); };
  if (get) p.GetStrings = [get, name](const TComponent* c) { return get(Cast(c, name)); };
  return Add(std::move(p));
}

template <class T>
TClassBuilder<T>& TClassBuilder<T>::Binary(const std::string& name,
                                           std::function<void(T*, const std::vector<std::uint8_t>&)> set,
                                           std::function<std::vector<std::uint8_t>(const T*)> get) {
  TPropInfo p;
  p.Name = name;
  p.Kind = TPropKind::pkBinary;
  p.SetBinary = [set, name](TComponent* c, const std::vector<std::uint8_t>& v) { set(Cast(c, name), v); };
  if (get) p.GetBinary = [get, name](const TComponent* c) { return get(Cast(c, name)); };
  return Add(std::move(p));
}
