#include "skin/data/SkinIniFile.h"

#include "framework/core/Strings.h"
#include "framework/core/SysUtils.h"

void TSkinIniFile::Clear() {
  FSections.clear();
  FIndex.clear();
  FRepeated.clear();
}

void TSkinIniFile::SetText(const std::string& text) {
  Clear();
  Section* current = nullptr;
  // A byte-order mark is no part of the first line.
  size_t pos = text.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
  int lineNo = 0;
  while (pos < text.size()) {
    ++lineNo;
    size_t end = text.find_first_of("\r\n", pos);
    if (end == std::string::npos) end = text.size();
    const std::string line = Trim(text.substr(pos, end - pos));
    pos = end + ((end + 1 < text.size() && text[end] == '\r' && text[end + 1] == '\n') ? 2 : 1);
    if (line.empty() || line[0] == ';') continue;
    if (line.front() == '[' && line.back() == ']' && line.size() >= 2) {
      const std::string name = Trim(line.substr(1, line.size() - 2));
      if (const Section* earlier = Find(name)) FRepeated.push_back({earlier->Name, name});
      current = &Add(name, lineNo);
      continue;
    }
    const size_t eq = line.find('=');
    if (!current || eq == std::string::npos) continue;
    const std::string key = Trim(line.substr(0, eq));
    if (current->Index.emplace(LowerCase(key), current->Keys.size()).second) {
      current->Keys.emplace_back(key, Trim(line.substr(eq + 1)));
      current->Lines.push_back(lineNo);
    }
  }
}

void TSkinIniFile::SetStrings(const TStrings& lines) {
  std::string text;
  for (int i = 0; i < lines.Count(); ++i) text += lines[i] + "\n";
  SetText(text);
}

std::string TSkinIniFile::Text() const {
  std::string out;
  for (const Section& s : FSections) {
    out += "[" + s.Name + "]\r\n";
    for (const auto& [k, v] : s.Keys) out += k + "=" + v + "\r\n";
  }
  return out;
}

void TSkinIniFile::LoadFromFile(const std::string& fileName) {
  TStringList lines;
  lines.LoadFromFile(fileName);
  SetStrings(lines);
}

const TSkinIniFile::Section* TSkinIniFile::Find(const std::string& section) const {
  auto it = FIndex.find(LowerCase(section));
  return it == FIndex.end() ? nullptr : &FSections[it->second];
}

TSkinIniFile::Section& TSkinIniFile::Add(const std::string& section, int line) {
  auto [it, added] = FIndex.emplace(LowerCase(section), FSections.size());
  if (added) FSections.push_back(Section{section, line, {}, {}, {}});
  return FSections[it->second];
}

bool TSkinIniFile::SectionExists(const std::string& section) const { return Find(section) != nullptr; }

bool TSkinIniFile::ValueExists(const std::string& section, const std::string& key) const {
  const Section* s = Find(section);
  return s && s->Index.count(LowerCase(key)) != 0;
}

std::string TSkinIniFile::ReadString(const std::string& section, const std::string& key,
                                     const std::string& def) const {
  const Section* s = Find(section);
  if (!s) return def;
  auto it = s->Index.find(LowerCase(key));
  return it == s->Index.end() ? def : s->Keys[it->second].second;
}

int TSkinIniFile::ReadInteger(const std::string& section, const std::string& key, int def) const {
  const std::string text = ReadString(section, key, std::string());
  int value = 0;
  return !text.empty() && TryStrToInt(text, value) ? value : def;
}

int TSkinIniFile::KeyLine(const std::string& section, const std::string& key) const {
  const Section* s = Find(section);
  if (!s) return 0;
  auto it = s->Index.find(LowerCase(key));
  return it == s->Index.end() ? 0 : s->Lines[it->second];
}

int TSkinIniFile::SectionLine(const std::string& section) const {
  const Section* s = Find(section);
  return s ? s->Line : 0;
}

void TSkinIniFile::ReadSection(const std::string& section, TStrings& keys) const {
  keys.Clear();
  if (const Section* s = Find(section))
    for (const auto& kv : s->Keys) keys.Add(kv.first);
}

int TSkinIniFile::KeyCount(const std::string& section) const {
  const Section* s = Find(section);
  return s ? static_cast<int>(s->Keys.size()) : 0;
}

void TSkinIniFile::ReadSections(TStrings& sections) const {
  sections.Clear();
  for (const Section& s : FSections) sections.Add(s.Name);
}

void TSkinIniFile::WriteString(const std::string& section, const std::string& key, const std::string& value) {
  Section& s = Add(section);
  auto [it, added] = s.Index.emplace(LowerCase(key), s.Keys.size());
  if (added) {
    s.Keys.emplace_back(key, value);
    s.Lines.push_back(0);
  } else
    s.Keys[it->second].second = value;
}

void TSkinIniFile::WriteInteger(const std::string& section, const std::string& key, int value) {
  WriteString(section, key, IntToStr(value));
}

void TSkinIniFile::EraseSection(const std::string& section) {
  auto it = FIndex.find(LowerCase(section));
  if (it == FIndex.end()) return;
  const size_t pos = it->second;
  FSections.erase(FSections.begin() + static_cast<long>(pos));
  FIndex.clear();
  for (size_t i = 0; i < FSections.size(); ++i) FIndex.emplace(LowerCase(FSections[i].Name), i);
}
