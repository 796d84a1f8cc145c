#include "framework/core/IniFiles.h"

#include <algorithm>

#include "framework/core/Exceptions.h"
#include "framework/core/Streams.h"
#include "framework/core/Strings.h"
#include "framework/core/SysUtils.h"

TMemIniFile::TMemIniFile(const std::string& fileName) : FFileName(fileName) {
  if (FileExists(fileName)) {
    TStringList lines;
    lines.LoadFromFile(fileName);
    SetStrings(lines);
  }
}

void TMemIniFile::Rename(const std::string& fileName, bool reload) {
  FFileName = fileName;
  if (!reload) return;
  Clear();
  if (FileExists(fileName)) {
    TStringList lines;
    lines.LoadFromFile(fileName);
    SetStrings(lines);
  }
}

const TMemIniFile::Section* TMemIniFile::FindSection(const std::string& name) const {
  for (const Section& s : FSections)
    if (SameText(s.Name, name)) return &s;
  return nullptr;
}

TMemIniFile::Section* TMemIniFile::FindSection(const std::string& name) {
  return const_cast<Section*>(static_cast<const TMemIniFile*>(this)->FindSection(name));
}

TMemIniFile::Section& TMemIniFile::AddSection(const std::string& name) {
  if (Section* s = FindSection(name)) return *s;
  FSections.push_back(Section{name, {}});
  return FSections.back();
}

const TMemIniFile::Key* TMemIniFile::FindKey(const Section& s, const std::string& name) {
  for (const Key& k : s.Keys)
    if (SameText(k.Name, name)) return &k;
  return nullptr;
}

std::string TMemIniFile::ReadString(const std::string& section, const std::string& ident,
                                    const std::string& defaultValue) const {
  const Section* s = FindSection(section);
  const Key* k = s ? FindKey(*s, ident) : nullptr;
  return k ? k->Value : defaultValue;
}

void TMemIniFile::WriteString(const std::string& section, const std::string& ident, const std::string& value) {
  Section& s = AddSection(section);
  if (const Key* k = FindKey(s, ident)) {
    const_cast<Key*>(k)->Value = value;
    return;
  }
  s.Keys.push_back(Key{ident, value});
}

int TMemIniFile::ReadInteger(const std::string& section, const std::string& ident, int defaultValue) const {
  return StrToIntDef(ReadString(section, ident, std::string()), defaultValue);
}

void TMemIniFile::WriteInteger(const std::string& section, const std::string& ident, int value) {
  WriteString(section, ident, IntToStr(value));
}

bool TMemIniFile::ReadBool(const std::string& section, const std::string& ident, bool defaultValue) const {
  return StrToIntDef(ReadString(section, ident, std::string()), defaultValue ? 1 : 0) != 0;
}

void TMemIniFile::WriteBool(const std::string& section, const std::string& ident, bool value) {
  WriteString(section, ident, value ? "1" : "0");
}

void TMemIniFile::ReadSection(const std::string& section, TStrings& keys) const {
  keys.BeginUpdate();
  keys.Clear();
  if (const Section* s = FindSection(section))
    for (const Key& k : s->Keys) keys.Add(k.Name);
  keys.EndUpdate();
}

void TMemIniFile::ReadSections(TStrings& sections) const {
  sections.BeginUpdate();
  sections.Clear();
  for (const Section& s : FSections) sections.Add(s.Name);
  sections.EndUpdate();
}

void TMemIniFile::ReadSectionValues(const std::string& section, TStrings& values) const {
  values.BeginUpdate();
  values.Clear();
  if (const Section* s = FindSection(section))
    for (const Key& k : s->Keys) values.Add(k.Name + "=" + k.Value);
  values.EndUpdate();
}

bool TMemIniFile::SectionExists(const std::string& section) const { return FindSection(section) != nullptr; }

bool TMemIniFile::ValueExists(const std::string& section, const std::string& ident) const {
  const Section* s = FindSection(section);
  return s && FindKey(*s, ident);
}

void TMemIniFile::EraseSection(const std::string& section) {
  FSections.erase(std::remove_if(FSections.begin(), FSections.end(),
                                 [&](const Section& s) { return SameText(s.Name, section); }),
                  FSections.end());
}

void TMemIniFile::DeleteKey(const std::string& section, const std::string& ident) {
  if (Section* s = FindSection(section))
    s->Keys.erase(std::remove_if(s->Keys.begin(), s->Keys.end(),
                                 [&](const Key& k) { return SameText(k.Name, ident); }),
                  s->Keys.end());
}

void TMemIniFile::Clear() { FSections.clear(); }

void TMemIniFile::GetStrings(TStrings& lines) const {
  lines.BeginUpdate();
  lines.Clear();
  bool first = true;
  for (const Section& s : FSections) {
    if (!first) lines.Add("");
    first = false;
    lines.Add("[" + s.Name + "]");
    for (const Key& k : s.Keys) lines.Add(k.Name + "=" + k.Value);
  }
  lines.EndUpdate();
}

void TMemIniFile::SetStrings(const TStrings& lines) {
  Clear();
  Section* current = nullptr;
  for (int i = 0; i < lines.Count(); ++i) {
    std::string line = Trim(lines[i]);
    if (line.empty() || line[0] == ';') continue;
    if (line[0] == '[') {
      size_t close = line.find(']');
      std::string name = Trim(close == std::string::npos ? line.substr(1) : line.substr(1, close - 1));
      current = &AddSection(name);
      continue;
    }
    if (!current) continue;  // keys before the first section belong to none
    size_t eq = line.find('=');
    std::string name = eq == std::string::npos ? line : TrimRight(line.substr(0, eq));
    std::string value = eq == std::string::npos ? std::string() : TrimLeft(line.substr(eq + 1));
    // Of a repeated key the first one counts, as a lookup by name would find it.
    if (!FindKey(*current, name)) current->Keys.push_back(Key{name, value});
  }
}

std::string TMemIniFile::Text() const {
  TStringList lines;
  GetStrings(lines);
  return lines.Text();
}

void TMemIniFile::SetText(const std::string& text) {
  TStringList lines;
  lines.SetText(text);
  SetStrings(lines);
}

void TMemIniFile::UpdateFile() const {
  if (FFileName.empty()) throw EFCreateError("Cannot create file \"\". No file name");
  TStringList lines;
  GetStrings(lines);
  lines.SaveToFile(FFileName);
}
