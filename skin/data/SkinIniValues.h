#pragma once
// Readers and writers of every value kind of the skin INI. Readers take the key's
// default when the key is absent; a point or rectangle that is present but malformed
// raises EConvertError, which ends a skin load.
#include <string>
#include <utility>
#include <vector>

#include "framework/core/Exceptions.h"
#include "framework/core/Strings.h"
#include "framework/core/Types.h"
#include "framework/graphics/Font.h"
#include "skin/data/SkinTypes.h"

class TSkinIniFile;

// A malformed point or rectangle of the skin INI. Detail names the section and key; Line
// is the line of the INI text that holds the entry (0 when unknown), so that a caller
// that knows the file can name the place as file:line.
class ESkinValueError : public EConvertError {
 public:
  ESkinValueError(int line, std::string detail);
  int Line;
  std::string Detail;
};

// "file:line: detail" for a value error with a line; "file: message" for any other whose
// message does not name the file already.
std::string SkinErrorAt(const std::string& file, const std::exception& e);

// What a word-valued key reads when it is absent.
extern const char* const AlignmentDefaultWord;
extern const char* const InactiveEffectDefaultWord;
extern const char* const MorphKindDefaultWord;
extern const char* const StdCommandDefaultWord;
// The words of each word kind with the numbers the engine keeps, in table order, and
// the number any other word reads as.
struct TSkinWordTable {
  std::vector<std::pair<std::string, int>> Words;
  int Otherwise;
};
TSkinWordTable AlignmentWordTable();
TSkinWordTable InactiveEffectWordTable();
TSkinWordTable MorphKindWordTable();
TSkinWordTable StdCommandWordTable();
std::vector<std::string> FontStyleWords();

// "10, 20 ,30,40" -> {10,20,30,40}: digits build components, "," separates them, every
// other character is skipped. Raises EConvertError on too few or too many components
// or on a component without digits (or too large for an Integer).
TRect StrToSkinRect(const std::string& text);
TPoint StrToSkinPoint(const std::string& text);
std::string SkinRectToStr(const TRect& r);
std::string SkinPointToStr(const TPoint& p);

// Empty: width or height 0 or less. Unset: x or y is 0.
bool IsSkinRectEmpty(const TRect& r);
bool IsSkinPointUnset(const TPoint& p);

TFontStyles StrToFontStyle(const std::string& text);
std::string FontStyleToStr(TFontStyles style);
TSkinAlignment StrToAlignment(const std::string& word);
std::string AlignmentToStr(TSkinAlignment a);
TInactiveEffect StrToInactiveEffect(const std::string& word);
std::string InactiveEffectToStr(TInactiveEffect e);
TMorphKind StrToMorphKind(const std::string& word);
std::string MorphKindToStr(TMorphKind m);
TStdCommand StrToStdCommand(const std::string& word);
std::string StdCommandToStr(TStdCommand c);

// Readers (section and key match without regard to case).
TRect ReadSkinRect(const TSkinIniFile& ini, const std::string& section, const std::string& key);
TPoint ReadSkinPoint(const TSkinIniFile& ini, const std::string& section, const std::string& key);
bool ReadSkinBool(const TSkinIniFile& ini, const std::string& section, const std::string& key);
int ReadSkinInteger(const TSkinIniFile& ini, const std::string& section, const std::string& key, int def);
TColor ReadSkinColor(const TSkinIniFile& ini, const std::string& section, const std::string& key, TColor def = 0);
std::string ReadSkinString(const TSkinIniFile& ini, const std::string& section, const std::string& key,
                           const std::string& def = {});
TFontStyles ReadFontStyle(const TSkinIniFile& ini, const std::string& section, const std::string& key);
TSkinAlignment ReadAlignment(const TSkinIniFile& ini, const std::string& section, const std::string& key);
TInactiveEffect ReadInactiveEffect(const TSkinIniFile& ini, const std::string& section, const std::string& key);
TMorphKind ReadMorphKind(const TSkinIniFile& ini, const std::string& section, const std::string& key);
TStdCommand ReadStdCommand(const TSkinIniFile& ini, const std::string& section, const std::string& key);
// The count of a name list as written under key + "count" (0 when absent or no number).
int ReadNameListCount(const TSkinIniFile& ini, const std::string& section, const std::string& key);
// Appends the items "0".."count-1"; a missing item is an empty name. The count is cut to
// maxCount, which the caller takes from what the names describe (the pictures a stream
// carries), so a huge count costs no memory.
void ReadNameList(const TSkinIniFile& ini, const std::string& section, const std::string& key, TStrings& list,
                  int maxCount);
// The values of the entries "0" .. count-1 (count under countKey) that the section holds,
// in index order; absent entries are left out, so a huge count costs nothing.
std::vector<std::string> ReadListEntries(const TSkinIniFile& ini, const std::string& section,
                                         const std::string& countKey);

void WriteSkinRect(TSkinIniFile& ini, const std::string& section, const std::string& key, const TRect& r);
void WriteSkinPoint(TSkinIniFile& ini, const std::string& section, const std::string& key, const TPoint& p);
void WriteSkinBool(TSkinIniFile& ini, const std::string& section, const std::string& key, bool v);
void WriteSkinInteger(TSkinIniFile& ini, const std::string& section, const std::string& key, int v);
void WriteSkinColor(TSkinIniFile& ini, const std::string& section, const std::string& key, TColor v);
void WriteSkinString(TSkinIniFile& ini, const std::string& section, const std::string& key, const std::string& v);
void WriteFontStyle(TSkinIniFile& ini, const std::string& section, const std::string& key, TFontStyles v);
void WriteAlignment(TSkinIniFile& ini, const std::string& section, const std::string& key, TSkinAlignment v);
void WriteInactiveEffect(TSkinIniFile& ini, const std::string& section, const std::string& key, TInactiveEffect v);
void WriteMorphKind(TSkinIniFile& ini, const std::string& section, const std::string& key, TMorphKind v);
void WriteStdCommand(TSkinIniFile& ini, const std::string& section, const std::string& key, TStdCommand v);
void WriteNameList(TSkinIniFile& ini, const std::string& section, const std::string& key, const TStrings& list);
void WriteListEntries(TSkinIniFile& ini, const std::string& section, const std::string& countKey,
                      const std::vector<std::string>& entries);

// A font group: prefix + "fontname" (default "Arial"), "fontheight" (14), "fontstyle"
// and "fontcolor" (0), read into and written from the record's four fields.
void ReadFontGroup(const TSkinIniFile& ini, const std::string& section, const std::string& prefix,
                   std::string& name, int& height, TFontStyles& style, TColor& color);
void WriteFontGroup(TSkinIniFile& ini, const std::string& section, const std::string& prefix,
                    const std::string& name, int height, TFontStyles style, TColor color);
