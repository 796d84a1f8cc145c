#include "skin/data/SkinKeyIO.h"

#include "framework/core/Strings.h"
#include "skin/data/SkinIniFile.h"
#include "skin/data/SkinIniValues.h"

void ReadSkinKeys(const TSkinIniFile& ini, const std::string& section, const TSkinKeyList& keys) {
  TSkinIniReader io(ini, section);
  keys(io);
}

void WriteSkinKeys(TSkinIniFile& ini, const std::string& section, const TSkinKeyList& keys, bool fresh) {
  if (fresh) ini.EraseSection(section);
  TSkinIniWriter io(ini, section);
  keys(io);
}

void TSkinKeyIO::FontGroup(const std::string& prefix, std::string& name, int& height, TFontStyles& style,
                           TColor& color) {
  const std::string n = prefix + "fontname", h = prefix + "fontheight", s = prefix + "fontstyle",
                    c = prefix + "fontcolor";
  Str(n.c_str(), name, "Arial");
  Int(h.c_str(), height, 14);
  FontStyle(s.c_str(), style);
  Color(c.c_str(), color, 0);
}

void TSkinIniReader::Int(const char* key, int& v, int def) { v = ReadSkinInteger(FIni, FSection, key, def); }
void TSkinIniReader::Color(const char* key, TColor& v, TColor def) { v = ReadSkinColor(FIni, FSection, key, def); }
void TSkinIniReader::Bool(const char* key, bool& v) { v = ReadSkinBool(FIni, FSection, key); }
void TSkinIniReader::Str(const char* key, std::string& v, const char* def) {
  v = ReadSkinString(FIni, FSection, key, def);
}
void TSkinIniReader::Rect(const char* key, TRect& v) { v = ReadSkinRect(FIni, FSection, key); }
void TSkinIniReader::Point(const char* key, TPoint& v) { v = ReadSkinPoint(FIni, FSection, key); }
void TSkinIniReader::FontStyle(const char* key, TFontStyles& v) { v = ReadFontStyle(FIni, FSection, key); }
void TSkinIniReader::Alignment(const char* key, TSkinAlignment& v) { v = ReadAlignment(FIni, FSection, key); }
void TSkinIniReader::Morph(const char* key, TMorphKind& v) { v = ReadMorphKind(FIni, FSection, key); }
void TSkinIniReader::Command(const char* key, TStdCommand& v) { v = ReadStdCommand(FIni, FSection, key); }
void TSkinIniReader::Effect(const char* key, TInactiveEffect& v) { v = ReadInactiveEffect(FIni, FSection, key); }
void TSkinIniReader::NameList(const char* key, TStrings& v, int maxCount) {
  v.Clear();
  ReadNameList(FIni, FSection, key, v, maxCount);
}
void TSkinIniReader::Entries(const char* countKey, std::vector<std::string>& v) {
  v = ReadListEntries(FIni, FSection, countKey);
}

void TSkinIniWriter::Int(const char* key, int& v, int) { WriteSkinInteger(FIni, FSection, key, v); }
void TSkinIniWriter::Color(const char* key, TColor& v, TColor) { WriteSkinColor(FIni, FSection, key, v); }
void TSkinIniWriter::Bool(const char* key, bool& v) { WriteSkinBool(FIni, FSection, key, v); }
void TSkinIniWriter::Str(const char* key, std::string& v, const char*) { WriteSkinString(FIni, FSection, key, v); }
void TSkinIniWriter::Rect(const char* key, TRect& v) { WriteSkinRect(FIni, FSection, key, v); }
void TSkinIniWriter::Point(const char* key, TPoint& v) { WriteSkinPoint(FIni, FSection, key, v); }
void TSkinIniWriter::FontStyle(const char* key, TFontStyles& v) { WriteFontStyle(FIni, FSection, key, v); }
void TSkinIniWriter::Alignment(const char* key, TSkinAlignment& v) { WriteAlignment(FIni, FSection, key, v); }
void TSkinIniWriter::Morph(const char* key, TMorphKind& v) { WriteMorphKind(FIni, FSection, key, v); }
void TSkinIniWriter::Command(const char* key, TStdCommand& v) { WriteStdCommand(FIni, FSection, key, v); }
void TSkinIniWriter::Effect(const char* key, TInactiveEffect& v) { WriteInactiveEffect(FIni, FSection, key, v); }
void TSkinIniWriter::NameList(const char* key, TStrings& v, int) { WriteNameList(FIni, FSection, key, v); }
void TSkinIniWriter::Entries(const char* countKey, std::vector<std::string>& v) {
  WriteListEntries(FIni, FSection, countKey, v);
}
