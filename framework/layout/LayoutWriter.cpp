#include "framework/layout/LayoutWriter.h"

#include <cmath>
#include <set>
#include <vector>

#include "framework/core/Component.h"
#include "framework/core/Exceptions.h"
#include "framework/core/SysUtils.h"
#include "framework/layout/ClassRegistry.h"

namespace {

// Printable text stays inside quotes; control characters (and bytes that are not
// UTF-8, as U+FFFD) go out as #codes, which the reader turns back into the same text.
std::string QuoteString(const std::string& s) {
  if (s.empty()) return "''";
  std::string out;
  bool inQuote = false;
  size_t i = 0;
  while (i < s.size()) {
    unsigned char c = static_cast<unsigned char>(s[i]);
    int len = Utf8CodePointLength(s, i);
    bool malformed = c >= 0x80 && (len == 1);
    if (c < 0x20 || c == 0x7F || malformed) {
      if (inQuote) out += '\'';
      inQuote = false;
      out += malformed ? "#65533" : "#" + std::to_string(c);
      ++i;
      continue;
    }
    if (!inQuote) out += '\'';
    inQuote = true;
    if (c == '\'') out += '\'';
    out.append(s, i, size_t(len));
    i += size_t(len);
  }
  if (inQuote) out += '\'';
  return out;
}

std::string IdentName(const TIdentMap& map, Int64 value, bool& found) {
  for (const auto& [n, v] : map)
    if (v == value) {
      found = true;
      return n;
    }
  found = false;
  return {};
}

class Writer {
 public:
  Writer(const TComponent* root, const TClassRegistry& registry) : FRoot(root), FRegistry(registry) {}

  std::string Write() {
    for (int i = 0; i < FRoot->ComponentCount(); ++i) FOwned.insert(FRoot->Components(i));
    WriteObject(FRoot, 0);
    return FOut;
  }

 private:
  const TComponent* ParentOf(const TComponent* c) const {
    const TComponent* p = FRegistry.ParentGetter() ? FRegistry.ParentGetter()(c) : nullptr;
    return (p && (p == FRoot || FOwned.count(const_cast<TComponent*>(p)))) ? p : FRoot;
  }

  void Line(int depth, const std::string& text) {
    FOut.append(size_t(depth) * 2, ' ');
    FOut += text;
    FOut += '\n';
  }

  void WriteObject(const TComponent* c, int depth) {
    if (depth > 200) throw ELayoutError("Layout writer: components nested too deeply");
    FWritten.insert(c);
    std::string cls = c->ClassName();
    if (!FRegistry.IsRegistered(cls)) throw ELayoutError("Layout writer: class " + cls + " is not registered");
    Line(depth, "object " + (c->Name().empty() ? cls : c->Name() + ": " + cls));
    for (const TPropInfo* p : FRegistry.AllProperties(cls))
      if (p->HasGetter()) WriteProperty(c, *p, depth + 1);
    for (int i = 0; i < FRoot->ComponentCount(); ++i) {
      const TComponent* child = FRoot->Components(i);
      if (!FWritten.count(child) && ParentOf(child) == c) WriteObject(child, depth + 1);
    }
    if (c == FRoot) {
      // Whatever a broken parent chain kept out is still written, at the top level.
      for (int i = 0; i < FRoot->ComponentCount(); ++i)
        if (!FWritten.count(FRoot->Components(i))) WriteObject(FRoot->Components(i), depth + 1);
    }
    Line(depth, "end");
  }

  void WriteProperty(const TComponent* c, const TPropInfo& p, int depth) {
    const std::string head = p.Name + " = ";
    auto fail = [&](const std::string& what) {
      throw ELayoutError("Layout writer: " + c->Name() + "." + p.Name + ": " + what);
    };
    switch (p.Kind) {
      case TPropKind::pkInteger: {
        Int64 v = p.GetOrd(c);
        bool named;
        std::string n = IdentName(p.Idents, v, named);
        Line(depth, head + (named ? n : std::to_string(v)));
        break;
      }
      case TPropKind::pkFloat: {
        double d = p.GetFloat(c);
        if (!std::isfinite(d)) fail("not a finite number");
        Line(depth, head + FloatToStr(d));
        break;
      }
      case TPropKind::pkString: Line(depth, head + QuoteString(p.GetString(c))); break;
      case TPropKind::pkBoolean: Line(depth, head + (p.GetOrd(c) ? "True" : "False")); break;
      case TPropKind::pkEnum: {
        bool named;
        std::string n = IdentName(p.Idents, p.GetOrd(c), named);
        if (!named) fail("value without a name");
        Line(depth, head + n);
        break;
      }
      case TPropKind::pkSet: {
        std::uint64_t bits = std::uint64_t(p.GetOrd(c));
        std::string list;
        for (int b = 0; b < 64; ++b) {
          if (!(bits >> b & 1)) continue;
          bool named;
          std::string n = IdentName(p.Idents, b, named);
          if (!named) fail("set element without a name");
          list += (list.empty() ? "" : ", ") + n;
        }
        Line(depth, head + "[" + list + "]");
        break;
      }
      case TPropKind::pkReference: {
        const TComponent* r = p.GetReference(c);
        if (!r) break;
        if (r->Name().empty()) fail("refers to a component without a name");
        Line(depth, head + r->Name());
        break;
      }
      case TPropKind::pkEvent: {
        std::string m = p.GetEventName(c);
        if (!m.empty()) Line(depth, head + m);
        break;
      }
      case TPropKind::pkStringList: {
        std::vector<std::string> lines = p.GetStrings(c);
        if (lines.empty()) {
          Line(depth, head + "()");
          break;
        }
        Line(depth, head + "(");
        for (size_t i = 0; i < lines.size(); ++i)
          Line(depth + 1, QuoteString(lines[i]) + (i + 1 == lines.size() ? ")" : ""));
        break;
      }
      case TPropKind::pkBinary: {
        static const char kHex[] = "0123456789ABCDEF";
        std::vector<std::uint8_t> bytes = p.GetBinary(c);
        if (bytes.empty()) {
          Line(depth, head + "{}");
          break;
        }
        Line(depth, head + "{");
        std::string hex;
        for (size_t i = 0; i < bytes.size(); ++i) {
          hex += kHex[bytes[i] >> 4];
          hex += kHex[bytes[i] & 15];
          if (hex.size() == 64 || i + 1 == bytes.size()) {
            if (i + 1 == bytes.size()) hex += '}';
            Line(depth + 1, hex);
            hex.clear();
          }
        }
        break;
      }
    }
  }

  const TComponent* FRoot;
  const TClassRegistry& FRegistry;
  std::set<TComponent*> FOwned;
  std::set<const TComponent*> FWritten;
  std::string FOut;
};

}  // namespace

std::string WriteLayout(const TComponent* root, const TClassRegistry& registry) {
  if (!root) throw ELayoutError("Layout writer: no root component");
  return Writer(root, registry).Write();
}

std::string WriteLayout(const TComponent* root) { return WriteLayout(root, ClassRegistry()); }
