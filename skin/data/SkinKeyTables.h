#pragma once
// The key reference of the skin INI, taken from the lists the loader reads with: every
// section the skin data reads itself and every record kind of the list sections, each
// key with its value kind, its default and a one-line meaning.
#include <string>
#include <vector>

struct TSkinKeyRow {
  std::string Key;
  std::string Kind;     // "integer", "rectangle", "morph word" ...
  std::string Default;  // as the INI would spell it; "" for an empty string
  std::string Meaning;
};

struct TSkinKeyTable {
  std::string Name;       // the section ("FORMINFO") or the record kind's type word ("button")
  std::string List;       // "SKINCONTROLS" or "SKINOBJECTS" for a record kind, else ""
  std::string ClassName;  // record class, or "" for a section of the skin data
  std::string Base;       // class the record class derives from ("" when none)
  bool ReadsBase = true;  // false: the kind reads its own keys instead of its base's
  std::string Meaning;    // what the section or kind describes
  std::string Note;       // what reading does beyond the keys ("" when nothing)
  std::vector<TSkinKeyRow> Keys;  // the kind's own keys, after the base's
};

// In reference order: the skin data's sections, the bases of the record kinds, the
// control kinds in the order of their type words, then the object kinds.
std::vector<TSkinKeyTable> SkinKeyTables();

// A word kind's words with what they mean to the engine.
struct TSkinWordRow {
  std::string Word;
  int Value;
  std::string Meaning;
};
struct TSkinWordKind {
  std::string Kind;  // "alignment word", ...
  std::vector<TSkinWordRow> Words;
  std::string Otherwise;  // what any other word reads as
};
std::vector<TSkinWordKind> SkinWordKinds();
