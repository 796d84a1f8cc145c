#pragma once
// An INI store held in memory: sections and keys match without regard to case,
// values are the text after the first '=', ';' lines are comments. It keeps the
// order of sections and keys, and a write replaces a value in place.
#include <string>
#include <vector>

class TStrings;

class TMemIniFile {
 public:
  // Reads fileName when it exists; an empty name makes a store with no file.
  explicit TMemIniFile(const std::string& fileName = {});
  const std::string& FileName() const { return FFileName; }
  void Rename(const std::string& fileName, bool reload);

  std::string ReadString(const std::string& section, const std::string& ident,
                         const std::string& defaultValue) const;
  void WriteString(const std::string& section, const std::string& ident, const std::string& value);
  // Decimal, "$hex" or "0xhex", with an optional sign; defaultValue when not a number.
  int ReadInteger(const std::string& section, const std::string& ident, int defaultValue) const;
  void WriteInteger(const std::string& section, const std::string& ident, int value);
  // "0" is false, any other number is true; other text gives defaultValue.
  bool ReadBool(const std::string& section, const std::string& ident, bool defaultValue) const;
  void WriteBool(const std::string& section, const std::string& ident, bool value);

  // Key names of a section, in stored order (cleared first).
  void ReadSection(const std::string& section, TStrings& keys) const;
  void ReadSections(TStrings& sections) const;
  // "key=value" lines of a section (cleared first).
  void ReadSectionValues(const std::string& section, TStrings& values) const;
  bool SectionExists(const std::string& section) const;
  bool ValueExists(const std::string& section, const std::string& ident) const;
  void EraseSection(const std::string& section);
  void DeleteKey(const std::string& section, const std::string& ident);
  void Clear();

  // The store as INI text lines, and back.
  void GetStrings(TStrings& lines) const;
  void SetStrings(const TStrings& lines);
  std::string Text() const;
  void SetText(const std::string& text);
  // Writes the store to FileName (UTF-8, "\r\n" line ends); raises on failure.
  void UpdateFile() const;

 private:
  struct Key {
    std::string Name;
    std::string Value;
  };
  struct Section {
    std::string Name;
    std::vector<Key> Keys;
  };
  const Section* FindSection(const std::string& name) const;
  Section* FindSection(const std::string& name);
  Section& AddSection(const std::string& name);
  static const Key* FindKey(const Section& s, const std::string& name);

  std::string FFileName;
  std::vector<Section> FSections;
};
