#pragma once
// The syntax of stored layouts, without meaning: text in, a tree of object blocks
// with their property values out. The reader gives the values their meaning.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "framework/core/Types.h"

struct TLayoutValue {
  enum class Type { String, Integer, Float, Ident, Set, List, Binary };
  Type Kind = Type::Integer;
  int Line = 0;
  std::string Text;                // String (UTF-8), Ident
  Int64 Integer = 0;
  double Float = 0;
  std::vector<std::string> Names;  // Set elements
  std::vector<TLayoutValue> Items; // List items (strings, numbers, identifiers)
  std::vector<std::uint8_t> Bytes; // Binary
};

struct TLayoutProperty {
  std::string Name;
  int Line = 0;
  TLayoutValue Value;
};

struct TLayoutObject {
  std::string Name;
  std::string ClassName;
  int Line = 0;
  std::vector<TLayoutProperty> Properties;
  std::vector<std::unique_ptr<TLayoutObject>> Children;
};

// Raises ELayoutError("Layout line N: ...") on any syntax error.
std::unique_ptr<TLayoutObject> ParseLayout(const std::string& text);

// Deepest nesting of object blocks accepted.
constexpr int kMaxLayoutDepth = 200;
