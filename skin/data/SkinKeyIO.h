#pragma once
// One list of keys per section serves reading, writing and describing: a record (or the
// skin data, for its own sections) names each key with its field and default once, and
// the reader, the writer or the describer walks that list.
#include <functional>
#include <string>
#include <vector>

#include "framework/core/Types.h"
#include "framework/graphics/Font.h"
#include "skin/data/SkinTypes.h"

class TSkinIniFile;
class TStrings;

class TSkinKeyIO {
 public:
  virtual ~TSkinKeyIO() = default;
  virtual void Int(const char* key, int& v, int def = 0) = 0;
  virtual void Color(const char* key, TColor& v, TColor def = 0) = 0;
  virtual void Bool(const char* key, bool& v) = 0;
  virtual void Str(const char* key, std::string& v, const char* def = "") = 0;
  virtual void Rect(const char* key, TRect& v) = 0;
  virtual void Point(const char* key, TPoint& v) = 0;
  virtual void FontStyle(const char* key, TFontStyles& v) = 0;
  virtual void Alignment(const char* key, TSkinAlignment& v) = 0;
  virtual void Morph(const char* key, TMorphKind& v) = 0;
  virtual void Command(const char* key, TStdCommand& v) = 0;
  virtual void Effect(const char* key, TInactiveEffect& v) = 0;
  // A name list: key + "count" and the items "0" .. count-1; reading keeps at most
  // maxCount items (what the names describe), so a huge count costs nothing.
  virtual void NameList(const char* key, TStrings& v, int maxCount) = 0;
  // The entries "0" .. count-1 of a list section ("name:type"), count under countKey.
  virtual void Entries(const char* countKey, std::vector<std::string>& v) = 0;
  // prefix + "fontname", "fontheight", "fontstyle", "fontcolor".
  void FontGroup(const std::string& prefix, std::string& name, int& height, TFontStyles& style, TColor& color);
};

class TSkinIniReader : public TSkinKeyIO {
 public:
  TSkinIniReader(const TSkinIniFile& ini, std::string section) : FIni(ini), FSection(std::move(section)) {}
  void Int(const char* key, int& v, int def = 0) override;
  void Color(const char* key, TColor& v, TColor def = 0) override;
  void Bool(const char* key, bool& v) override;
  void Str(const char* key, std::string& v, const char* def = "") override;
  void Rect(const char* key, TRect& v) override;
  void Point(const char* key, TPoint& v) override;
  void FontStyle(const char* key, TFontStyles& v) override;
  void Alignment(const char* key, TSkinAlignment& v) override;
  void Morph(const char* key, TMorphKind& v) override;
  void Command(const char* key, TStdCommand& v) override;
  void Effect(const char* key, TInactiveEffect& v) override;
  void NameList(const char* key, TStrings& v, int maxCount) override;
  void Entries(const char* countKey, std::vector<std::string>& v) override;

 private:
  const TSkinIniFile& FIni;
  std::string FSection;
};

class TSkinIniWriter : public TSkinKeyIO {
 public:
  TSkinIniWriter(TSkinIniFile& ini, std::string section) : FIni(ini), FSection(std::move(section)) {}
  void Int(const char* key, int& v, int def = 0) override;
  void Color(const char* key, TColor& v, TColor def = 0) override;
  void Bool(const char* key, bool& v) override;
  void Str(const char* key, std::string& v, const char* def = "") override;
  void Rect(const char* key, TRect& v) override;
  void Point(const char* key, TPoint& v) override;
  void FontStyle(const char* key, TFontStyles& v) override;
  void Alignment(const char* key, TSkinAlignment& v) override;
  void Morph(const char* key, TMorphKind& v) override;
  void Command(const char* key, TStdCommand& v) override;
  void Effect(const char* key, TInactiveEffect& v) override;
  void NameList(const char* key, TStrings& v, int maxCount) override;
  void Entries(const char* countKey, std::vector<std::string>& v) override;

 private:
  TSkinIniFile& FIni;
  std::string FSection;
};

using TSkinKeyList = std::function<void(TSkinKeyIO&)>;
// Reads a section's keys.
void ReadSkinKeys(const TSkinIniFile& ini, const std::string& section, const TSkinKeyList& keys);
// Writes them; fresh empties the section first.
void WriteSkinKeys(TSkinIniFile& ini, const std::string& section, const TSkinKeyList& keys, bool fresh);

// The four keys of a font group named by prefix p (p##fontname, ...), inside Keys().
#define SKIN_FONT_KEYS(p) io.FontGroup(#p, p##fontname, p##fontheight, p##fontstyle, p##fontcolor)

// Stamps the key list of a record kind: the base's keys first, then the kind's own
// (a private Keys(TSkinKeyIO&) of the class).
#define SKIN_RECORD_IO(Base)                                           \
 public:                                                               \
  void VisitKeys(TSkinKeyIO& io) override {                            \
    Base::VisitKeys(io);                                               \
    Keys(io);                                                          \
  }                                                                    \
                                                                       \
 private:                                                              \
  void Keys(TSkinKeyIO& io);                                           \
                                                                       \
 public:
