#include "tools/skintool/SkinKeys.h"

#include <algorithm>
#include <iostream>
#include <set>
#include <vector>

#include "framework/core/SysUtils.h"
#include "skin/data/SkinKeyTables.h"

namespace {
std::string Shown(const TSkinKeyRow& r) {
  if (!r.Default.empty()) return r.Default;
  return r.Kind == "font style" ? "(none)" : r.Kind == "string" || r.Kind == "record entry" ? "(empty)" : "";
}

std::string Title(const TSkinKeyTable& t) {
  if (t.ClassName.empty()) return "[" + t.Name + "]";
  if (t.List.empty()) return t.ClassName;
  return t.Name + " in [" + t.List + "] (" + t.ClassName + ")";
}

std::string Follows(const TSkinKeyTable& t) {
  if (t.Base.empty()) return "";
  return t.ReadsBase ? "first the keys of " + t.Base : "a " + t.Base + " that reads none of its keys";
}

std::string Cell(const std::string& s) {
  std::string out;
  for (char c : s) out += c == '|' ? std::string("\\|") : std::string(1, c);
  return out;
}

void PrintText(const TSkinKeyTable& t) {
  std::cout << Title(t) << ": " << t.Meaning;
  if (!t.Base.empty()) std::cout << "; " << Follows(t);
  std::cout << "\n";
  size_t wk = 3, wt = 4, wd = 7;
  for (const auto& r : t.Keys) {
    wk = std::max(wk, r.Key.size());
    wt = std::max(wt, r.Kind.size());
    wd = std::max(wd, Shown(r).size());
  }
  auto pad = [](const std::string& s, size_t w) { return s + std::string(w - s.size() + 2, ' '); };
  if (t.Keys.empty()) std::cout << "  (no keys of its own)\n";
  for (const auto& r : t.Keys)
    std::cout << "  " << pad(r.Key, wk) << pad(r.Kind, wt) << pad(Shown(r), wd) << r.Meaning << "\n";
  if (!t.Note.empty()) std::cout << "  note: " << t.Note << "\n";
  std::cout << "\n";
}

void PrintMarkdown(const TSkinKeyTable& t) {
  std::cout << "### " << (t.ClassName.empty() ? "[" + t.Name + "]" : t.List.empty() ? "`" + t.ClassName + "`"
                                                                                        : "`" + t.Name + "` in [" +
                                                                                              t.List + "]")
            << "\n\n";
  std::string intro = t.Meaning;
  if (!intro.empty()) intro[0] = char(std::toupper(static_cast<unsigned char>(intro[0])));
  if (!t.ClassName.empty() && !t.List.empty()) intro += " (`" + t.ClassName + "`)";
  if (!t.Base.empty())
    intro += t.ReadsBase ? "; first the keys of `" + t.Base + "`" : "; a `" + t.Base + "` that reads none of its keys";
  std::cout << intro << ".\n\n";
  if (t.Keys.empty()) {
    std::cout << "No keys of its own.\n\n";
  } else {
    std::cout << "| Key | Type | Default | Meaning |\n|---|---|---|---|\n";
    for (const auto& r : t.Keys) {
      const std::string def = Shown(r);
      std::cout << "| `" << Cell(r.Key) << "` | " << r.Kind << " | " << (def.empty() ? "" : "`" + Cell(def) + "`")
                << " | " << Cell(r.Meaning) << " |\n";
    }
    std::cout << "\n";
  }
  if (!t.Note.empty()) std::cout << t.Note << "\n\n";
}

void PrintWords(bool markdown) {
  for (const TSkinWordKind& k : SkinWordKinds()) {
    if (markdown) {
      std::cout << "### " << k.Kind << "s\n\n";
      if (k.Kind == "font style") {
        std::cout << "Each of these words anywhere in the value sets its style:";
        for (const auto& w : k.Words) std::cout << " `" << w.Word << "`";
        std::cout << ".\n\n";
        continue;
      }
      std::cout << "| Word | Value | Meaning |\n|---|---|---|\n";
      for (const auto& w : k.Words) std::cout << "| `" << w.Word << "` | " << w.Value << " | " << w.Meaning << " |\n";
      std::cout << "\nAny other word reads as `" << k.Otherwise << "`.\n\n";
    } else {
      std::cout << k.Kind << "s:";
      for (const auto& w : k.Words) std::cout << " " << w.Word;
      if (!k.Otherwise.empty()) std::cout << " (any other word: " << k.Otherwise << ")";
      std::cout << "\n";
    }
  }
}
}  // namespace

int PrintSkinKeys(const std::string& kind, bool markdown) {
  const std::vector<TSkinKeyTable> tables = SkinKeyTables();
  std::vector<const TSkinKeyTable*> chosen;
  std::set<std::string> added;
  // A record kind comes after the classes whose keys it reads first.
  auto add = [&](auto&& self, const TSkinKeyTable& t) -> void {
    if (!t.Base.empty() && t.ReadsBase)
      for (const auto& b : tables)
        if (b.ClassName == t.Base) self(self, b);
    if (added.insert(t.ClassName.empty() ? t.Name : t.ClassName).second) chosen.push_back(&t);
  };
  for (const auto& t : tables) {
    const bool match = kind.empty() || (t.ClassName.empty() ? SameText(t.Name, kind) : t.Name == kind) ||
                       t.ClassName == kind;
    if (match) add(add, t);
  }
  if (chosen.empty()) {
    std::cerr << "skintool: no section or record kind is named '" << kind
              << "' ('skintool keys' lists them all)\n";
    return 1;
  }
  for (const TSkinKeyTable* t : chosen) markdown ? PrintMarkdown(*t) : PrintText(*t);
  if (kind.empty()) PrintWords(markdown);
  return 0;
}
