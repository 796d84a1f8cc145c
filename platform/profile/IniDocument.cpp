#include "platform/profile/IniDocument.h"

#include "framework/core/SysUtils.h"

namespace {
std::string TrimBlanks(const std::string& s) {
  size_t b = 0, e = s.size();
  while (b < e && (s[b] == ' ' || s[b] == '\t')) ++b;
  while (e > b && (s[e - 1] == ' ' || s[e - 1] == '\t')) --e;
  return s.substr(b, e - b);
}

// The section name of a header line "[name]", or nothing for any other line.
std::optional<std::string> SectionOf(const std::string& line) {
  std::string t = TrimBlanks(line);
  if (t.empty() || t[0] != '[') return std::nullopt;
  size_t close = t.find(']');
  return TrimBlanks(t.substr(1, close == std::string::npos ? std::string::npos : close - 1));
}

bool IsComment(const std::string& t) { return !t.empty() && t[0] == ';'; }

// The key of a "key=value" line, or nothing.
std::optional<std::string> KeyOf(const std::string& line) {
  std::string t = TrimBlanks(line);
  if (t.empty() || IsComment(t)) return std::nullopt;
  size_t eq = t.find('=');
  if (eq == std::string::npos) return std::nullopt;
  return TrimBlanks(t.substr(0, eq));
}

std::string ValueOf(const std::string& line) {
  std::string v = TrimBlanks(line.substr(line.find('=') + 1));
  // Matching quotes around a value are not part of it.
  if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
    v = v.substr(1, v.size() - 2);
  return v;
}
}  // namespace

void TIniDocument::Parse(const std::string& text) {
  FLines.clear();
  FCrLf = false;
  size_t pos = 0;
  bool first = true;
  while (pos < text.size()) {
    size_t nl = text.find('\n', pos);
    std::string line = text.substr(pos, nl == std::string::npos ? std::string::npos : nl - pos);
    if (!line.empty() && line.back() == '\r') {
      line.pop_back();
      if (first) FCrLf = true;
    }
    first = false;
    FLines.push_back(std::move(line));
    if (nl == std::string::npos) break;
    pos = nl + 1;
  }
}

std::string TIniDocument::Text() const {
  std::string out;
  const char* eol = FCrLf ? "\r\n" : "\n";
  for (const auto& l : FLines) out += l + eol;
  return out;
}

std::optional<TIniDocument::Range> TIniDocument::FindSection(const std::string& section) const {
  for (size_t i = 0; i < FLines.size(); ++i) {
    auto name = SectionOf(FLines[i]);
    if (!name || !SameText(*name, section)) continue;
    size_t end = i + 1;
    while (end < FLines.size() && !SectionOf(FLines[end])) ++end;
    return Range{i, end};
  }
  return std::nullopt;
}

std::optional<size_t> TIniDocument::FindKey(const Range& r, const std::string& key) const {
  for (size_t i = r.header + 1; i < r.end; ++i) {
    auto k = KeyOf(FLines[i]);
    if (k && SameText(*k, key)) return i;
  }
  return std::nullopt;
}

std::optional<std::string> TIniDocument::Value(const std::string& section, const std::string& key) const {
  auto r = FindSection(section);
  if (!r) return std::nullopt;
  auto i = FindKey(*r, key);
  if (!i) return std::nullopt;
  return ValueOf(FLines[*i]);
}

bool TIniDocument::HasSection(const std::string& section) const { return FindSection(section).has_value(); }

std::vector<std::string> TIniDocument::SectionNames() const {
  std::vector<std::string> names;
  for (const auto& l : FLines)
    if (auto n = SectionOf(l)) names.push_back(*n);
  return names;
}

std::vector<std::string> TIniDocument::KeyNames(const std::string& section) const {
  std::vector<std::string> keys;
  if (auto r = FindSection(section))
    for (size_t i = r->header + 1; i < r->end; ++i)
      if (auto k = KeyOf(FLines[i])) keys.push_back(*k);
  return keys;
}

void TIniDocument::SetValue(const std::string& section, const std::string& key, const std::string& value) {
  std::string line = key + "=" + value;
  auto r = FindSection(section);
  if (!r) {
    if (!FLines.empty() && !TrimBlanks(FLines.back()).empty()) FLines.push_back("");
    FLines.push_back("[" + section + "]");
    FLines.push_back(line);
    return;
  }
  if (auto i = FindKey(*r, key)) {
    FLines[*i] = *KeyOf(FLines[*i]) + "=" + value;  // the key keeps the spelling it had
    return;
  }
  // New keys go after the section's last non-blank line, before the gap to the next one.
  size_t at = r->end;
  while (at > r->header + 1 && TrimBlanks(FLines[at - 1]).empty()) --at;
  FLines.insert(FLines.begin() + static_cast<long>(at), line);
}

void TIniDocument::EraseKey(const std::string& section, const std::string& key) {
  auto r = FindSection(section);
  if (!r) return;
  if (auto i = FindKey(*r, key)) FLines.erase(FLines.begin() + static_cast<long>(*i));
}

void TIniDocument::EraseSection(const std::string& section) {
  while (auto r = FindSection(section))
    FLines.erase(FLines.begin() + static_cast<long>(r->header), FLines.begin() + static_cast<long>(r->end));
}
