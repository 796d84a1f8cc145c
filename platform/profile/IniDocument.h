#pragma once
// The lines of one INI file, kept verbatim so that a write touches only its own line.
#include <optional>
#include <string>
#include <vector>

class TIniDocument {
 public:
  // Splits text into lines; accepts LF and CRLF endings and remembers which.
  void Parse(const std::string& text);
  std::string Text() const;

  std::optional<std::string> Value(const std::string& section, const std::string& key) const;
  std::vector<std::string> SectionNames() const;
  std::vector<std::string> KeyNames(const std::string& section) const;
  bool HasSection(const std::string& section) const;

  void SetValue(const std::string& section, const std::string& key, const std::string& value);
  void EraseKey(const std::string& section, const std::string& key);
  void EraseSection(const std::string& section);

 private:
  struct Range { size_t header, end; };  // header line and one past the section's last line
  std::optional<Range> FindSection(const std::string& section) const;
  std::optional<size_t> FindKey(const Range& r, const std::string& key) const;

  std::vector<std::string> FLines;
  bool FCrLf = false;
};
