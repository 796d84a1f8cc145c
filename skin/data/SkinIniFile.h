#pragma once
// The in-memory INI store a skin is read from, in the skin dialect: lines are trimmed,
// empty and ";" lines are skipped, "[name]" (starting with "[" and ending with "]")
// opens a section, "key = value" is an entry with both sides trimmed, a line without
// "=" is no entry, lines before the first section are ignored; section and key names
// match without regard to letter case, and of a repeated key the first one counts.
// Look-ups are hashed so that large or hostile texts load in linear time.
#include <string>
#include <unordered_map>
#include <vector>

class TStrings;

class TSkinIniFile {
 public:
  TSkinIniFile() = default;
  // Parses text lines (CR LF, LF or a lone CR end a line); a leading byte-order mark is skipped.
  void SetText(const std::string& text);
  void SetStrings(const TStrings& lines);
  // The store as INI text, one "key=value" per line, each line ended by CR LF.
  std::string Text() const;
  void LoadFromFile(const std::string& fileName);

  bool SectionExists(const std::string& section) const;
  bool ValueExists(const std::string& section, const std::string& key) const;
  std::string ReadString(const std::string& section, const std::string& key, const std::string& def) const;
  // Decimal, "$hex" or "0xhex" with an optional sign; def when not a number.
  int ReadInteger(const std::string& section, const std::string& key, int def) const;
  // Key names of a section in stored order (the list is cleared first).
  void ReadSection(const std::string& section, TStrings& keys) const;
  int KeyCount(const std::string& section) const;
  void ReadSections(TStrings& sections) const;
  // Headers of the last SetText that named a section already opened (the names match
  // without regard to case): its entries joined the first, whose values win.
  struct RepeatedSection {
    std::string First, Repeat;
  };
  const std::vector<RepeatedSection>& RepeatedSections() const { return FRepeated; }
  // Line of the text (1 = first) that holds the entry in force for the key, or the
  // section's first header; 0 when the value was written, not read from text.
  int KeyLine(const std::string& section, const std::string& key) const;
  int SectionLine(const std::string& section) const;

  void WriteString(const std::string& section, const std::string& key, const std::string& value);
  void WriteInteger(const std::string& section, const std::string& key, int value);
  void EraseSection(const std::string& section);
  void Clear();

 private:
  struct Section {
    std::string Name;
    int Line = 0;
    std::vector<std::pair<std::string, std::string>> Keys;
    std::vector<int> Lines;  // of Keys, same order
    std::unordered_map<std::string, size_t> Index;  // lower-case key -> position
  };
  const Section* Find(const std::string& section) const;
  Section& Add(const std::string& section, int line = 0);
  std::vector<Section> FSections;
  std::unordered_map<std::string, size_t> FIndex;  // lower-case section -> position
  std::vector<RepeatedSection> FRepeated;
};
