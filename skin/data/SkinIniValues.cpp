#include "skin/data/SkinIniValues.h"

#include <algorithm>
#include <limits>
#include <typeinfo>
#include <vector>

#include "framework/core/Exceptions.h"
#include "skin/data/SkinIniFile.h"
#include "framework/core/SysUtils.h"

namespace {
// Components of a point or rectangle text; each must hold at least one digit.
std::vector<Integer> SkinComponents(const std::string& text, size_t need, const char* kind) {
  std::vector<Integer> out;
  Int64 value = 0;
  bool digits = false;
  bool tooLarge = false;
  size_t count = 0;
  auto close = [&] {
    ++count;
    if (count > need)
      throw EConvertError(Format("'%.60s' is not a valid %s: more than %zu values", text.c_str(), kind, need));
    if (!digits) throw EConvertError(Format("'%.60s' is not a valid %s: a value has no digits", text.c_str(), kind));
    if (tooLarge) throw EConvertError(Format("'%.60s' is not a valid %s: a value is too large", text.c_str(), kind));
    out.push_back(Integer(value));
    value = 0;
    digits = false;
  };
  for (char c : text) {
    if (c == ',') {
      close();
    } else if (c >= '0' && c <= '9') {
      digits = true;
      if (!tooLarge) {
        value = value * 10 + (c - '0');
        if (value > std::numeric_limits<Integer>::max()) tooLarge = true;
      }
    }
  }
  close();
  if (out.size() < need)
    throw EConvertError(Format("'%.60s' is not a valid %s: %zu values needed", text.c_str(), kind, need));
  return out;
}

template <typename T>
struct WordEntry {
  const char* word;
  T value;
};

template <typename T, size_t N>
T FromWord(const WordEntry<T> (&table)[N], const std::string& word, T fallback) {
  for (const auto& e : table)
    if (word == e.word) return e.value;
  return fallback;
}

template <typename T, size_t N>
std::string ToWord(const WordEntry<T> (&table)[N], T value) {
  for (const auto& e : table)
    if (e.value == value) return e.word;
  return table[0].word;
}

const WordEntry<TSkinAlignment> AlignmentWords[] = {
    {"taleftjustify", saLeftJustify}, {"tarightjustify", saRightJustify}, {"tacenter", saCenter}};
const WordEntry<TInactiveEffect> EffectWords[] = {
    {"iebrightness", ieBrightness}, {"iedarkness", ieDarkness}, {"iegrayscale", ieGrayScale},
    {"ienoise", ieNoise},           {"iesplitblur", ieSplitBlur}, {"ieinvert", ieInvert}};
const WordEntry<TMorphKind> MorphWords[] = {
    {"mkdefault", mkDefault},     {"mkgradient", mkGradient},     {"mkleftgradient", mkLeftGradient},
    {"mkrightgradient", mkRightGradient}, {"mkleftslide", mkLeftSlide}, {"mkrightslide", mkRightSlide},
    {"mkpush", mkPush}};
const WordEntry<TStdCommand> CommandWords[] = {
    {"cmclose", cmClose},   {"cmmaximize", cmMaximize}, {"cmminimize", cmMinimize},
    {"cmsysmenu", cmSysMenu}, {"cmdefault", cmDefault},   {"cmrollup", cmRollUp},
    {"cmminimizetotray", cmMinimizeToTray}};

const WordEntry<TFontStyle> StyleWords[] = {
    {"fsbold", fsBold}, {"fsitalic", fsItalic}, {"fsunderline", fsUnderline}, {"fsstrikeout", fsStrikeOut}};

// What a word outside each table reads as.
constexpr TSkinAlignment AlignmentOtherwise = saRightJustify;
constexpr TInactiveEffect EffectOtherwise = ieGrayScale;
constexpr TMorphKind MorphOtherwise = mkDefault;
constexpr TStdCommand CommandOtherwise = cmMinimizeToTray;

template <typename T, size_t N>
TSkinWordTable Table(const WordEntry<T> (&table)[N], T otherwise) {
  TSkinWordTable t;
  for (const auto& e : table) t.Words.emplace_back(e.word, static_cast<int>(e.value));
  t.Otherwise = static_cast<int>(otherwise);
  return t;
}
}  // namespace

const char* const AlignmentDefaultWord = "tacenter";
const char* const InactiveEffectDefaultWord = "iebrightness";
const char* const MorphKindDefaultWord = "mkdefault";
const char* const StdCommandDefaultWord = "cmdefault";

ESkinValueError::ESkinValueError(int line, std::string detail)
    : EConvertError(line > 0 ? Format("line %d: %s", line, detail.c_str()) : detail),
      Line(line),
      Detail(std::move(detail)) {}

std::string SkinErrorAt(const std::string& file, const std::exception& e) {
  if (const auto* v = dynamic_cast<const ESkinValueError*>(&e); v && v->Line > 0)
    return file + ":" + IntToStr(v->Line) + ": " + v->Detail;
  const std::string what = e.what();
  // Messages that name the file already (packing names the line too) stay as they are.
  return what.find(file) != std::string::npos ? what : file + ": " + what;
}

TSkinWordTable AlignmentWordTable() { return Table(AlignmentWords, AlignmentOtherwise); }
TSkinWordTable InactiveEffectWordTable() { return Table(EffectWords, EffectOtherwise); }
TSkinWordTable MorphKindWordTable() { return Table(MorphWords, MorphOtherwise); }
TSkinWordTable StdCommandWordTable() { return Table(CommandWords, CommandOtherwise); }
std::vector<std::string> FontStyleWords() {
  std::vector<std::string> out;
  for (const auto& e : StyleWords) out.push_back(e.word);
  return out;
}

TRect StrToSkinRect(const std::string& text) {
  const auto v = SkinComponents(text, 4, "rectangle");
  return Rect(v[0], v[1], v[2], v[3]);
}

TPoint StrToSkinPoint(const std::string& text) {
  const auto v = SkinComponents(text, 2, "point");
  return Point(v[0], v[1]);
}

std::string SkinRectToStr(const TRect& r) {
  return IntToStr(r.Left) + "," + IntToStr(r.Top) + "," + IntToStr(r.Right) + "," + IntToStr(r.Bottom);
}

std::string SkinPointToStr(const TPoint& p) { return IntToStr(p.X) + "," + IntToStr(p.Y); }

bool IsSkinRectEmpty(const TRect& r) { return r.Right - r.Left <= 0 || r.Bottom - r.Top <= 0; }
bool IsSkinPointUnset(const TPoint& p) { return p.X == 0 || p.Y == 0; }

TFontStyles StrToFontStyle(const std::string& text) {
  TFontStyles s;
  for (const auto& e : StyleWords)
    if (text.find(e.word) != std::string::npos) s.Include(e.value);
  return s;
}

std::string FontStyleToStr(TFontStyles style) {
  std::string out;
  for (const auto& e : StyleWords)
    if (style.Contains(e.value)) out += (out.empty() ? "" : ",") + std::string(e.word);
  return out;
}

TSkinAlignment StrToAlignment(const std::string& word) { return FromWord(AlignmentWords, word, AlignmentOtherwise); }
std::string AlignmentToStr(TSkinAlignment a) { return ToWord(AlignmentWords, a); }
TInactiveEffect StrToInactiveEffect(const std::string& word) { return FromWord(EffectWords, word, EffectOtherwise); }
std::string InactiveEffectToStr(TInactiveEffect e) { return ToWord(EffectWords, e); }
TMorphKind StrToMorphKind(const std::string& word) { return FromWord(MorphWords, word, MorphOtherwise); }
std::string MorphKindToStr(TMorphKind m) { return ToWord(MorphWords, m); }
TStdCommand StrToStdCommand(const std::string& word) { return FromWord(CommandWords, word, CommandOtherwise); }
std::string StdCommandToStr(TStdCommand c) { return ToWord(CommandWords, c); }

// ---- readers --------------------------------------------------------------------

std::string ReadSkinString(const TSkinIniFile& ini, const std::string& section, const std::string& key,
                           const std::string& def) {
  return Trim(ini.ReadString(section, key, def));
}

TRect ReadSkinRect(const TSkinIniFile& ini, const std::string& section, const std::string& key) {
  if (!ini.ValueExists(section, key)) return TRect{};
  try {
    return StrToSkinRect(ReadSkinString(ini, section, key));
  } catch (const EConvertError& e) {
    throw ESkinValueError(ini.KeyLine(section, key), "[" + section + "] " + key + ": " + e.Message());
  }
}

TPoint ReadSkinPoint(const TSkinIniFile& ini, const std::string& section, const std::string& key) {
  if (!ini.ValueExists(section, key)) return TPoint{};
  try {
    return StrToSkinPoint(ReadSkinString(ini, section, key));
  } catch (const EConvertError& e) {
    throw ESkinValueError(ini.KeyLine(section, key), "[" + section + "] " + key + ": " + e.Message());
  }
}

int ReadSkinInteger(const TSkinIniFile& ini, const std::string& section, const std::string& key, int def) {
  return ini.ReadInteger(section, key, def);
}

bool ReadSkinBool(const TSkinIniFile& ini, const std::string& section, const std::string& key) {
  return ini.ReadInteger(section, key, 0) == 1;
}

TColor ReadSkinColor(const TSkinIniFile& ini, const std::string& section, const std::string& key, TColor def) {
  return TColor(ini.ReadInteger(section, key, def));
}

TFontStyles ReadFontStyle(const TSkinIniFile& ini, const std::string& section, const std::string& key) {
  return StrToFontStyle(ReadSkinString(ini, section, key));
}

TSkinAlignment ReadAlignment(const TSkinIniFile& ini, const std::string& section, const std::string& key) {
  return StrToAlignment(ReadSkinString(ini, section, key, AlignmentDefaultWord));
}

TInactiveEffect ReadInactiveEffect(const TSkinIniFile& ini, const std::string& section, const std::string& key) {
  return StrToInactiveEffect(ReadSkinString(ini, section, key, InactiveEffectDefaultWord));
}

TMorphKind ReadMorphKind(const TSkinIniFile& ini, const std::string& section, const std::string& key) {
  return StrToMorphKind(ReadSkinString(ini, section, key, MorphKindDefaultWord));
}

TStdCommand ReadStdCommand(const TSkinIniFile& ini, const std::string& section, const std::string& key) {
  return StrToStdCommand(ReadSkinString(ini, section, key, StdCommandDefaultWord));
}

int ReadNameListCount(const TSkinIniFile& ini, const std::string& section, const std::string& key) {
  return ini.ReadInteger(section, key + "count", 0);
}

void ReadNameList(const TSkinIniFile& ini, const std::string& section, const std::string& key, TStrings& list,
                  int maxCount) {
  const int count = std::min(ReadNameListCount(ini, section, key), maxCount);
  for (int i = 0; i < count; ++i) list.Add(ReadSkinString(ini, section, IntToStr(i)));
}

std::vector<std::string> ReadListEntries(const TSkinIniFile& ini, const std::string& section,
                                         const std::string& countKey) {
  const int count = ReadSkinInteger(ini, section, countKey, 0);
  std::vector<std::pair<int, std::string>> found;
  TStringList keys;
  ini.ReadSection(section, keys);
  for (int k = 0; k < keys.Count(); ++k) {
    int index = 0;
    if (TryStrToInt(keys[k], index) && index >= 0 && index < count && IntToStr(index) == keys[k])
      found.emplace_back(index, ReadSkinString(ini, section, keys[k]));
  }
  std::sort(found.begin(), found.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
  std::vector<std::string> out;
  for (auto& f : found) out.push_back(std::move(f.second));
  return out;
}

void ReadFontGroup(const TSkinIniFile& ini, const std::string& section, const std::string& prefix,
                   std::string& name, int& height, TFontStyles& style, TColor& color) {
  name = ReadSkinString(ini, section, prefix + "fontname", "Arial");
  height = ReadSkinInteger(ini, section, prefix + "fontheight", 14);
  style = ReadFontStyle(ini, section, prefix + "fontstyle");
  color = ReadSkinColor(ini, section, prefix + "fontcolor", 0);
}

// ---- writers --------------------------------------------------------------------

void WriteSkinRect(TSkinIniFile& ini, const std::string& section, const std::string& key, const TRect& r) {
  ini.WriteString(section, key, SkinRectToStr(r));
}
void WriteSkinPoint(TSkinIniFile& ini, const std::string& section, const std::string& key, const TPoint& p) {
  ini.WriteString(section, key, SkinPointToStr(p));
}
void WriteSkinBool(TSkinIniFile& ini, const std::string& section, const std::string& key, bool v) {
  ini.WriteString(section, key, v ? "1" : "0");
}
void WriteSkinInteger(TSkinIniFile& ini, const std::string& section, const std::string& key, int v) {
  ini.WriteString(section, key, IntToStr(v));
}
void WriteSkinColor(TSkinIniFile& ini, const std::string& section, const std::string& key, TColor v) {
  ini.WriteString(section, key, IntToStr(v));
}
void WriteSkinString(TSkinIniFile& ini, const std::string& section, const std::string& key, const std::string& v) {
  ini.WriteString(section, key, v);
}
void WriteFontStyle(TSkinIniFile& ini, const std::string& section, const std::string& key, TFontStyles v) {
  ini.WriteString(section, key, FontStyleToStr(v));
}
void WriteAlignment(TSkinIniFile& ini, const std::string& section, const std::string& key, TSkinAlignment v) {
  ini.WriteString(section, key, AlignmentToStr(v));
}
void WriteInactiveEffect(TSkinIniFile& ini, const std::string& section, const std::string& key, TInactiveEffect v) {
  ini.WriteString(section, key, InactiveEffectToStr(v));
}
void WriteMorphKind(TSkinIniFile& ini, const std::string& section, const std::string& key, TMorphKind v) {
  ini.WriteString(section, key, MorphKindToStr(v));
}
void WriteStdCommand(TSkinIniFile& ini, const std::string& section, const std::string& key, TStdCommand v) {
  ini.WriteString(section, key, StdCommandToStr(v));
}
void WriteNameList(TSkinIniFile& ini, const std::string& section, const std::string& key, const TStrings& list) {
  ini.WriteString(section, key + "count", IntToStr(list.Count()));
  for (int i = 0; i < list.Count(); ++i) ini.WriteString(section, IntToStr(i), list[i]);
}

void WriteListEntries(TSkinIniFile& ini, const std::string& section, const std::string& countKey,
                      const std::vector<std::string>& entries) {
  ini.WriteString(section, countKey, IntToStr(int(entries.size())));
  for (size_t i = 0; i < entries.size(); ++i) ini.WriteString(section, IntToStr(int(i)), entries[i]);
}

void WriteFontGroup(TSkinIniFile& ini, const std::string& section, const std::string& prefix,
                    const std::string& name, int height, TFontStyles style, TColor color) {
  WriteSkinString(ini, section, prefix + "fontname", name);
  WriteSkinInteger(ini, section, prefix + "fontheight", height);
  WriteFontStyle(ini, section, prefix + "fontstyle", style);
  WriteSkinColor(ini, section, prefix + "fontcolor", color);
}
