#include "framework/layout/LayoutReader.h"

#include <exception>
#include <vector>

#include "framework/core/Component.h"
#include "framework/core/Exceptions.h"
#include "framework/core/Resources.h"
#include "framework/core/SysUtils.h"
#include "framework/layout/ClassRegistry.h"
#include "framework/layout/LayoutParser.h"

namespace {

[[noreturn]] void Fail(int line, const std::string& what) {
  throw ELayoutError(Format("Layout line %d: ", line) + what);
}

const char* KindName(TLayoutValue::Type t) {
  switch (t) {
    case TLayoutValue::Type::String: return "a string";
    case TLayoutValue::Type::Integer: return "an integer";
    case TLayoutValue::Type::Float: return "a number";
    case TLayoutValue::Type::Ident: return "an identifier";
    case TLayoutValue::Type::Set: return "a set";
    case TLayoutValue::Type::List: return "a list";
    case TLayoutValue::Type::Binary: return "a binary block";
  }
  return "?";
}

const Int64* FindIdent(const TIdentMap& map, const std::string& name) {
  for (const auto& [n, v] : map)
    if (SameText(n, name)) return &v;
  return nullptr;
}

class Reader {
 public:
  Reader(TComponent* root, const TClassRegistry& registry) : FRoot(root), FRegistry(registry) {}

  void Read(const std::string& text) {
    auto tree = ParseLayout(text);  // syntax errors surface before anything changes
    if (!FRegistry.IsRegistered(tree->ClassName)) Fail(tree->Line, "class " + tree->ClassName + " not found");
    FRootClass = tree->ClassName;
    FRoot->SetComponentStateFlag(csLoading, true);
    FRoot->SetComponentStateFlag(csReading, true);
    try {
      if (!tree->Name.empty()) Apply(tree->Line, "", [&] { FRoot->SetName(tree->Name); });
      ReadBody(*tree, FRoot, tree->ClassName);
      ResolveReferences();
    } catch (...) {
      // Undo: the components of a failed read must not linger half-made.
      for (auto it = FCreated.rbegin(); it != FCreated.rend(); ++it) delete *it;
      FRoot->SetComponentStateFlag(csReading, false);
      FRoot->SetComponentStateFlag(csLoading, false);
      throw;
    }
    for (TComponent* c : FCreated) c->SetComponentStateFlag(csReading, false);
    FRoot->SetComponentStateFlag(csReading, false);
    for (TComponent* c : FCreated) {
      c->Loaded();
      c->SetComponentStateFlag(csLoading, false);
    }
    FRoot->Loaded();
    FRoot->SetComponentStateFlag(csLoading, false);
  }

 private:
  struct PendingReference {
    TComponent* Target;
    const TPropInfo* Prop;
    std::string Path;  // "Name.Prop" for messages
    std::string Value;
    int Line;
  };

  // Runs a setter; framework exceptions become layout errors naming the line.
  template <class F>
  void Apply(int line, const std::string& what, F&& f) {
    try {
      f();
    } catch (const ELayoutError& e) {
      if (e.Message().rfind("Layout line ", 0) == 0) throw;
      Fail(line, what.empty() ? e.Message() : "error reading " + what + ": " + e.Message());
    } catch (const std::exception& e) {
      Fail(line, what.empty() ? std::string(e.what()) : "error reading " + what + ": " + e.what());
    }
  }

  void ReadBody(const TLayoutObject& obj, TComponent* target, const std::string& cls) {
    for (const TLayoutProperty& p : obj.Properties) ReadProperty(p, target, cls);
    for (const auto& child : obj.Children) ReadChild(*child, target);
  }

  void ReadChild(const TLayoutObject& obj, TComponent* parent) {
    TComponent* c = nullptr;
    Apply(obj.Line, "", [&] { c = FRegistry.CreateComponent(obj.ClassName, FRoot); });
    FCreated.push_back(c);
    c->SetComponentStateFlag(csLoading, true);
    c->SetComponentStateFlag(csReading, true);
    if (c->Owner() != FRoot) Fail(obj.Line, "class " + obj.ClassName + " did not take the form as its owner");
    Apply(obj.Line, "", [&] { c->SetName(obj.Name); });
    if (FRegistry.ParentHandler()) Apply(obj.Line, obj.Name, [&] { FRegistry.ParentHandler()(c, parent); });
    ReadBody(obj, c, obj.ClassName);
  }

  void ReadProperty(const TLayoutProperty& p, TComponent* target, const std::string& cls) {
    const TPropInfo* info = FRegistry.FindProperty(cls, p.Name);
    if (!info) Fail(p.Line, "property " + cls + "." + p.Name + " does not exist");
    const TLayoutValue& v = p.Value;
    const std::string path = (target->Name().empty() ? cls : target->Name()) + "." + p.Name;
    auto wrongKind = [&](const char* wanted) {
      Fail(p.Line, "property " + path + " needs " + wanted + ", not " + KindName(v.Kind));
    };
    using T = TLayoutValue::Type;
    switch (info->Kind) {
      case TPropKind::pkInteger: {
        Int64 n = 0;
        if (v.Kind == T::Integer) {
          n = v.Integer;
        } else if (v.Kind == T::Ident) {
          const Int64* c = FindIdent(info->Idents, v.Text);
          if (!c) Fail(p.Line, "property " + path + ": unknown value " + v.Text);
          n = *c;
        } else {
          wrongKind("an integer");
        }
        Apply(p.Line, path, [&] { info->SetOrd(target, n); });
        break;
      }
      case TPropKind::pkFloat: {
        double d = 0;
        if (v.Kind == T::Float)
          d = v.Float;
        else if (v.Kind == T::Integer)
          d = double(v.Integer);
        else
          wrongKind("a number");
        Apply(p.Line, path, [&] { info->SetFloat(target, d); });
        break;
      }
      case TPropKind::pkString:
        if (v.Kind != T::String) wrongKind("a string");
        Apply(p.Line, path, [&] { info->SetString(target, v.Text); });
        break;
      case TPropKind::pkBoolean: {
        if (v.Kind != T::Ident) wrongKind("True or False");
        bool b = SameText(v.Text, "True");
        if (!b && !SameText(v.Text, "False")) Fail(p.Line, "property " + path + " needs True or False, not " + v.Text);
        Apply(p.Line, path, [&] { info->SetOrd(target, b ? 1 : 0); });
        break;
      }
      case TPropKind::pkEnum: {
        if (v.Kind != T::Ident) wrongKind("an identifier");
        const Int64* e = FindIdent(info->Idents, v.Text);
        if (!e) Fail(p.Line, "property " + path + ": unknown value " + v.Text);
        Apply(p.Line, path, [&] { info->SetOrd(target, *e); });
        break;
      }
      case TPropKind::pkSet: {
        if (v.Kind != T::Set) wrongKind("a set");
        std::uint64_t bits = 0;
        for (const std::string& n : v.Names) {
          const Int64* b = FindIdent(info->Idents, n);
          if (!b || *b < 0 || *b > 63) Fail(p.Line, "property " + path + ": unknown set element " + n);
          bits |= std::uint64_t(1) << *b;
        }
        Apply(p.Line, path, [&] { info->SetOrd(target, Int64(bits)); });
        break;
      }
      case TPropKind::pkReference:
        if (v.Kind != T::Ident) wrongKind("a component name");
        // Resolved when every component exists, so a reference may name a later one.
        FPending.push_back({target, info, path, v.Text, p.Line});
        break;
      case TPropKind::pkEvent: {
        if (v.Kind != T::Ident) wrongKind("a method name");
        const std::any* method = FRegistry.FindMethod(FRootClass, v.Text);
        if (!method) Fail(p.Line, "method " + v.Text + " of " + FRootClass + " not found for " + path);
        Apply(p.Line, path, [&] { info->BindEvent(target, *method, FRoot, v.Text); });
        break;
      }
      case TPropKind::pkStringList: {
        if (v.Kind != T::List) wrongKind("a list of strings");
        std::vector<std::string> lines;
        for (const TLayoutValue& item : v.Items) {
          if (item.Kind != T::String) Fail(item.Line, "property " + path + ": list item is not a string");
          lines.push_back(item.Text);
        }
        Apply(p.Line, path, [&] { info->SetStrings(target, lines); });
        break;
      }
      case TPropKind::pkBinary:
        if (v.Kind != T::Binary) wrongKind("a binary block");
        Apply(p.Line, path, [&] { info->SetBinary(target, v.Bytes); });
        break;
    }
  }

  TComponent* Lookup(const std::string& name) const {
    std::string n = name;
    // "Form1.Button1": the root's own name may qualify a reference.
    size_t dot = n.find('.');
    if (dot != std::string::npos) {
      if (!SameText(n.substr(0, dot), FRoot->Name())) return nullptr;
      n = n.substr(dot + 1);
      if (n.find('.') != std::string::npos) return nullptr;
    }
    if (!FRoot->Name().empty() && SameText(n, FRoot->Name())) return FRoot;
    return FRoot->FindComponent(n);
  }

  void ResolveReferences() {
    for (const PendingReference& r : FPending) {
      TComponent* c = nullptr;
      if (!SameText(r.Value, "nil")) {
        c = Lookup(r.Value);
        if (!c) Fail(r.Line, "component " + r.Value + " not found for " + r.Path);
      }
      Apply(r.Line, r.Path, [&] { r.Prop->SetReference(r.Target, c); });
    }
  }

  TComponent* FRoot;
  const TClassRegistry& FRegistry;
  std::string FRootClass;
  std::vector<TComponent*> FCreated;
  std::vector<PendingReference> FPending;
};

}  // namespace

void ReadLayout(TComponent* root, const std::string& text, const TClassRegistry& registry) {
  if (!root) throw ELayoutError("Layout: no root component to read into");
  Reader(root, registry).Read(text);
}

void ReadLayout(TComponent* root, const std::string& text) { ReadLayout(root, text, ClassRegistry()); }

void ReadLayoutResource(TComponent* root, const std::string& name) {
  const std::string* text = FindResource("layout", name);
  if (!text) throw ELayoutError("Layout resource " + name + " not found");
  ReadLayout(root, *text);
}
