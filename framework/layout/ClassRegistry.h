#pragma once
// What stored layouts may contain: the classes that can be created by name, the
// properties of each class by kind, the methods of a root class that events bind to
// by name, and the hook that tells a component its parent.
//
// Registration is explicit (a RegisterXxxClasses() function per folder, called at
// start-up or by a test): static initialisers in a static library may never run.
//
// A property is one line: its name, the getter, then the setter, as the class spells
// them. Values are converted to and from the kind's stored form (int, Int64, enums,
// bit sets with Bits()/FromBits(), component pointers, string lists):
//
//   auto c = ClassRegistry().RegisterClass<TButton>("TButton", "TWinControl");
//   c.Integer("Left", &TButton::Left, &TButton::SetLeft);
//   c.Enum("Align", &TButton::Align, &TButton::SetAlign, {{"alNone", 0}, {"alTop", 1}});
//   c.Integer("ClientWidth", nullptr, &TButton::SetClientWidth);  // never written back
//   c.Event("OnClick", &TButton::OnClick);
//   ClassRegistry().RegisterMethod("TForm1", "BtstartClick", [](TComponent* root) -> TNotifyEvent {
//     auto* f = static_cast<TForm1*>(root); return [f](TObject* s) { f->BtstartClick(s); }; });
//
// A getter is a const member function, a data member or a callable taking const T*;
// a setter is a member function taking the value, a data member or a callable taking
// (T*, value) for properties that need code of their own. A property setter or getter
// is only called on a component of its class or a class derived from it; the builder
// checks that with dynamic_cast.
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
#include "framework/core/Strings.h"
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

namespace layout_detail {

template <class V>
concept BitSet = requires(const V& v) { { v.Bits() } -> std::convertible_to<std::uint64_t>; };
template <class V>
concept FromBitSet = requires(std::uint64_t bits) { { V::FromBits(bits) } -> std::same_as<V>; };

// A getter's value in the stored form Raw of its kind.
template <class Raw, class V>
Raw ToStored(V&& v) {
  using D = std::remove_cvref_t<V>;
  if constexpr (std::is_same_v<D, Raw>) {
    return std::forward<V>(v);
  } else if constexpr (std::is_same_v<Raw, TComponent*>) {
    return const_cast<TComponent*>(static_cast<const TComponent*>(v));
  } else if constexpr (std::is_same_v<Raw, std::vector<std::string>>) {
    if constexpr (std::is_pointer_v<D>) return v->ToVector();
    else return v.ToVector();
  } else if constexpr (BitSet<D>) {
    return static_cast<Raw>(v.Bits());
  } else {
    return static_cast<Raw>(v);
  }
}

// Calls call with the stored value as the setter's parameter type A.
template <class A, class Raw, class Call>
void WithArgument(const Raw& raw, Call&& call) {
  using D = std::remove_cvref_t<A>;
  if constexpr (std::is_same_v<D, Raw>) {
    call(raw);
  } else if constexpr (std::is_same_v<Raw, std::vector<std::string>>) {
    TStringList list;
    for (const std::string& s : raw) list.Add(s);
    if constexpr (std::is_pointer_v<D>) call(&list);
    else call(list);
  } else if constexpr (std::is_same_v<Raw, TComponent*>) {
    call(dynamic_cast<D>(raw));  // the builder checked the class first
  } else if constexpr (FromBitSet<D>) {
    call(D::FromBits(static_cast<std::uint64_t>(raw)));
  } else {
    call(static_cast<D>(raw));
  }
}

// The value parameter of a callable setter (T*, value).
template <class M>
struct SetterValue;
template <class R, class L, class P, class V>
struct SetterValue<R (L::*)(P, V) const> { using type = V; };
template <class R, class L, class P, class V>
struct SetterValue<R (L::*)(P, V)> { using type = V; };

// For references: whether a component may be handed to a setter taking A.
template <class A, class Raw>
std::function<bool(const TComponent*)> AcceptsFor() {
  using D = std::remove_cvref_t<A>;
  if constexpr (std::is_same_v<Raw, TComponent*> && !std::is_same_v<D, TComponent*>)
    return [](const TComponent* c) { return dynamic_cast<const std::remove_pointer_t<D>*>(c) != nullptr; };
  else
    return {};
}

}  // namespace layout_detail

// The read side of a property of class T, in its kind's stored form Raw (nullptr: none).
template <class T, class Raw>
struct TPropGetter {
  TPropGetter(std::nullptr_t) {}
  template <class V, class C>
    requires std::is_base_of_v<C, T>
  TPropGetter(V (C::*get)() const)
      : Fn([get](const T* t) { return layout_detail::ToStored<Raw>((t->*get)()); }) {}
  template <class V, class C>
    requires(std::is_base_of_v<C, T> && !std::is_function_v<V>)
  TPropGetter(V C::*field) : Fn([field](const T* t) { return layout_detail::ToStored<Raw>(t->*field); }) {}
  template <class F>
    requires(!std::is_member_pointer_v<F> && !std::is_null_pointer_v<F> && std::is_invocable_v<const F&, const T*>)
  TPropGetter(F get) : Fn([get](const T* t) { return layout_detail::ToStored<Raw>(get(t)); }) {}
  std::function<Raw(const T*)> Fn;
};

// The write side of a property of class T, taking its kind's stored form Raw.
template <class T, class Raw>
struct TPropSetter {
  template <class R, class C, class A>
    requires std::is_base_of_v<C, T>
  TPropSetter(R (C::*set)(A))
      : Fn([set](T* t, const Raw& v) {
          layout_detail::WithArgument<A>(v, [&](auto&& a) { (t->*set)(std::forward<decltype(a)>(a)); });
        }),
        Accepts(layout_detail::AcceptsFor<A, Raw>()) {}
  template <class V, class C>
    requires(std::is_base_of_v<C, T> && !std::is_function_v<V>)
  TPropSetter(V C::*field)
      : Fn([field](T* t, const Raw& v) { layout_detail::WithArgument<V>(v, [&](auto&& a) { t->*field = a; }); }),
        Accepts(layout_detail::AcceptsFor<V, Raw>()) {}
  template <class R, class P, class A>
  TPropSetter(R (*set)(P, A))
      : Fn([set](T* t, const Raw& v) {
          layout_detail::WithArgument<A>(v, [&](auto&& a) { set(t, std::forward<decltype(a)>(a)); });
        }),
        Accepts(layout_detail::AcceptsFor<A, Raw>()) {}
  template <class F, class A = typename layout_detail::SetterValue<decltype(&F::operator())>::type>
    requires(!std::is_member_pointer_v<F>)
  TPropSetter(F set)
      : Fn([set](T* t, const Raw& v) {
          layout_detail::WithArgument<A>(v, [&](auto&& a) { set(t, std::forward<decltype(a)>(a)); });
        }),
        Accepts(layout_detail::AcceptsFor<A, Raw>()) {}
  std::function<void(T*, const Raw&)> Fn;
  // References: whether the named component has a class the setter takes.
  std::function<bool(const TComponent*)> Accepts;
};

// Fluent registration of the properties of one class, typed to its C++ class T.
template <class T>
class TClassBuilder {
 public:
  TClassBuilder(TClassRegistry& registry, std::string className)
      : FRegistry(registry), FClass(std::move(className)) {}
  const std::string& ClassName() const { return FClass; }

  // constants: names the writer uses for these values and the reader accepts.
  TClassBuilder& Integer(const std::string& name, TPropGetter<T, Int64> get, TPropSetter<T, Int64> set,
                         TIdentMap constants = {});
  TClassBuilder& Float(const std::string& name, TPropGetter<T, double> get, TPropSetter<T, double> set);
  TClassBuilder& String(const std::string& name, TPropGetter<T, std::string> get,
                        TPropSetter<T, std::string> set);
  TClassBuilder& Boolean(const std::string& name, TPropGetter<T, bool> get, TPropSetter<T, bool> set);
  TClassBuilder& Enum(const std::string& name, TPropGetter<T, Int64> get, TPropSetter<T, Int64> set,
                      TIdentMap values);
  // Set elements map to bit indexes; the stored form is the bit mask.
  TClassBuilder& Set(const std::string& name, TPropGetter<T, std::uint64_t> get,
                     TPropSetter<T, std::uint64_t> set, TIdentMap elements);
  // A reference to a component of the class the setter takes; nil sets nullptr.
  TClassBuilder& Reference(const std::string& name, TPropGetter<T, TComponent*> get,
                           TPropSetter<T, TComponent*> set);
  // An event: the handler member, bound to a root method registered with its type.
  template <class E, class C>
    requires(std::is_base_of_v<C, T> && !std::is_function_v<E>)
  TClassBuilder& Event(const std::string& name, E C::*handler);
  // An event whose setter also learns the method's name, to write it back later.
  template <class E = TNotifyEvent>
  TClassBuilder& EventNamed(const std::string& name, std::function<std::string(const T*)> getName,
                            std::type_identity_t<std::function<void(T*, E, const std::string&)>> set);
  TClassBuilder& StringList(const std::string& name, TPropGetter<T, std::vector<std::string>> get,
                            TPropSetter<T, std::vector<std::string>> set);
  // A string list the class keeps itself: reading refills it in one update.
  template <class L, class C>
    requires(std::is_base_of_v<C, T> && std::is_base_of_v<TStrings, L>)
  TClassBuilder& StringList(const std::string& name, L* (C::*list)());
  TClassBuilder& Binary(const std::string& name, TPropGetter<T, std::vector<std::uint8_t>> get,
                        TPropSetter<T, std::vector<std::uint8_t>> set);

 private:
  static T* Cast(TComponent* c, const std::string& prop);
  static const T* Cast(const TComponent* c, const std::string& prop);
  TClassBuilder& Add(TPropInfo info);
  TClassBuilder& Ordinal(const std::string& name, TPropKind kind, TIdentMap idents,
                         std::function<Int64(const T*)> get, std::function<void(T*, Int64)> set);
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
  // Every registered class, by name; and whether a layout can create one.
  std::vector<std::string> ClassNames() const;
  bool CanCreate(const std::string& name) const;
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
  // The properties the class registers itself, in registration order.
  std::vector<const TPropInfo*> OwnProperties(const std::string& className) const;

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

// Integers, booleans (0/1), enumerations and sets (bit masks) travel as Int64.
template <class T>
TClassBuilder<T>& TClassBuilder<T>::Ordinal(const std::string& name, TPropKind kind, TIdentMap idents,
                                            std::function<Int64(const T*)> get,
                                            std::function<void(T*, Int64)> set) {
  TPropInfo p;
  p.Name = name;
  p.Kind = kind;
  p.Idents = std::move(idents);
  p.SetOrd = [set, name](TComponent* c, Int64 v) { set(Cast(c, name), v); };
  if (get) p.GetOrd = [get, name](const TComponent* c) { return get(Cast(c, name)); };
  return Add(std::move(p));
}

template <class T>
TClassBuilder<T>& TClassBuilder<T>::Integer(const std::string& name, TPropGetter<T, Int64> get,
                                            TPropSetter<T, Int64> set, TIdentMap constants) {
  return Ordinal(name, TPropKind::pkInteger, std::move(constants), std::move(get.Fn), std::move(set.Fn));
}

template <class T>
TClassBuilder<T>& TClassBuilder<T>::Enum(const std::string& name, TPropGetter<T, Int64> get,
                                         TPropSetter<T, Int64> set, TIdentMap values) {
  return Ordinal(name, TPropKind::pkEnum, std::move(values), std::move(get.Fn), std::move(set.Fn));
}

template <class T>
TClassBuilder<T>& TClassBuilder<T>::Boolean(const std::string& name, TPropGetter<T, bool> get,
                                            TPropSetter<T, bool> set) {
  std::function<Int64(const T*)> g;
  if (get.Fn) g = [f = std::move(get.Fn)](const T* t) -> Int64 { return f(t) ? 1 : 0; };
  std::function<void(T*, Int64)> s;
  if (set.Fn) s = [f = std::move(set.Fn)](T* t, Int64 v) { f(t, v != 0); };
  return Ordinal(name, TPropKind::pkBoolean, {}, std::move(g), std::move(s));
}

template <class T>
TClassBuilder<T>& TClassBuilder<T>::Set(const std::string& name, TPropGetter<T, std::uint64_t> get,
                                        TPropSetter<T, std::uint64_t> set, TIdentMap elements) {
  std::function<Int64(const T*)> g;
  if (get.Fn) g = [f = std::move(get.Fn)](const T* t) { return static_cast<Int64>(f(t)); };
  std::function<void(T*, Int64)> s;
  if (set.Fn) s = [f = std::move(set.Fn)](T* t, Int64 v) { f(t, static_cast<std::uint64_t>(v)); };
  return Ordinal(name, TPropKind::pkSet, std::move(elements), std::move(g), std::move(s));
}

template <class T>
TClassBuilder<T>& TClassBuilder<T>::Float(const std::string& name, TPropGetter<T, double> get,
                                          TPropSetter<T, double> set) {
  TPropInfo p;
  p.Name = name;
  p.Kind = TPropKind::pkFloat;
  p.SetFloat = [set = std::move(set.Fn), name](TComponent* c, double v) { set(Cast(c, name), v); };
  if (get.Fn) p.GetFloat = [get = std::move(get.Fn), name](const TComponent* c) { return get(Cast(c, name)); };
  return Add(std::move(p));
}

template <class T>
TClassBuilder<T>& TClassBuilder<T>::String(const std::string& name, TPropGetter<T, std::string> get,
                                           TPropSetter<T, std::string> set) {
  TPropInfo p;
  p.Name = name;
  p.Kind = TPropKind::pkString;
  p.SetString = [set = std::move(set.Fn), name](TComponent* c, const std::string& v) { set(Cast(c, name), v); };
  if (get.Fn) p.GetString = [get = std::move(get.Fn), name](const TComponent* c) { return get(Cast(c, name)); };
  return Add(std::move(p));
}

template <class T>
TClassBuilder<T>& TClassBuilder<T>::Reference(const std::string& name, TPropGetter<T, TComponent*> get,
                                              TPropSetter<T, TComponent*> set) {
  TPropInfo p;
  p.Name = name;
  p.Kind = TPropKind::pkReference;
  p.SetReference = [set = std::move(set.Fn), accepts = std::move(set.Accepts), name](TComponent* c,
                                                                                     TComponent* target) {
    if (target && accepts && !accepts(target))
      throw ELayoutError("Component " + target->Name() + " of class " + target->ClassName() +
                         " cannot be assigned to " + name);
    set(Cast(c, name), target);
  };
  if (get.Fn) p.GetReference = [get = std::move(get.Fn), name](const TComponent* c) { return get(Cast(c, name)); };
  return Add(std::move(p));
}

template <class T>
template <class E, class C>
  requires(std::is_base_of_v<C, T> && !std::is_function_v<E>)
TClassBuilder<T>& TClassBuilder<T>::Event(const std::string& name, E C::*handler) {
  return EventNamed<E>(name, {}, [handler](T* t, E e, const std::string&) { t->*handler = std::move(e); });
}

template <class T>
template <class E>
TClassBuilder<T>& TClassBuilder<T>::EventNamed(
    const std::string& name, std::function<std::string(const T*)> getName,
    std::type_identity_t<std::function<void(T*, E, const std::string&)>> set) {
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
                                               TPropGetter<T, std::vector<std::string>> get,
                                               TPropSetter<T, std::vector<std::string>> set) {
  TPropInfo p;
  p.Name = name;
  p.Kind = TPropKind::pkStringList;
  p.SetStrings = [set = std::move(set.Fn), name](TComponent* c, const std::vector<std::string>& v) {
    set(Cast(c, name), v);
  };
  if (get.Fn) p.GetStrings = [get = std::move(get.Fn), name](const TComponent* c) { return get(Cast(c, name)); };
  return Add(std::move(p));
}

template <class T>
template <class L, class C>
  requires(std::is_base_of_v<C, T> && std::is_base_of_v<TStrings, L>)
TClassBuilder<T>& TClassBuilder<T>::StringList(const std::string& name, L* (C::*list)()) {
  return StringList(
      name, [list](const T* t) { return (const_cast<T*>(t)->*list)()->ToVector(); },
      [list](T* t, const std::vector<std::string>& v) {
        TStrings* items = (t->*list)();
        items->BeginUpdate();
        items->Clear();
        for (const std::string& s : v) items->Add(s);
        items->EndUpdate();
      });
}

template <class T>
TClassBuilder<T>& TClassBuilder<T>::Binary(const std::string& name, TPropGetter<T, std::vector<std::uint8_t>> get,
                                           TPropSetter<T, std::vector<std::uint8_t>> set) {
  TPropInfo p;
  p.Name = name;
  p.Kind = TPropKind::pkBinary;
  p.SetBinary = [set = std::move(set.Fn), name](TComponent* c, const std::vector<std::uint8_t>& v) {
    set(Cast(c, name), v);
  };
  if (get.Fn) p.GetBinary = [get = std::move(get.Fn), name](const TComponent* c) { return get(Cast(c, name)); };
  return Add(std::move(p));
}
