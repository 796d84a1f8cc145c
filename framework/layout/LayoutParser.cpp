#include "framework/layout/LayoutParser.h"

#include <cmath>
#include <limits>

#include "framework/core/Exceptions.h"
#include "framework/core/SysUtils.h"

namespace {

enum class Tok { End, Ident, String, CharCode, Integer, Float, Symbol };

struct Token {
  Tok Kind = Tok::End;
  int Line = 1;
  bool Adjacent = false;  // no blank or line break before it
  std::string Text;    // Ident, String (decoded), Symbol
  Int64 Integer = 0;   // Integer, CharCode
  double Float = 0;
};

[[noreturn]] void Fail(int line, const std::string& what) {
  throw ELayoutError(Format("Layout line %d: ", line) + what);
}

bool IsIdentStart(unsigned char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' || c >= 0x80; }
bool IsIdentChar(unsigned char c) { return IsIdentStart(c) || (c >= '0' && c <= '9'); }
bool IsDigit(unsigned char c) { return c >= '0' && c <= '9'; }
int HexValue(unsigned char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

class Lexer {
 public:
  explicit Lexer(const std::string& text) : FText(text) {}

  Token Next() {
    size_t before = FPos;
    SkipBlanks();
    Token t;
    t.Line = FLine;
    t.Adjacent = FPos == before;
    if (FPos >= FText.size()) return t;
    unsigned char c = Peek();
    if (IsIdentStart(c)) {
      size_t start = FPos;
      while (FPos < FText.size() && (IsIdentChar(Peek()) || Peek() == '.')) ++FPos;
      t.Kind = Tok::Ident;
      t.Text = FText.substr(start, FPos - start);
      if (!IsValidUtf8(t.Text)) Fail(FLine, "invalid UTF-8 in a name");
      if (t.Text.back() == '.') Fail(FLine, "a name cannot end with '.'");
      return t;
    }
    if (c == '\'') return ReadQuoted(t);
    if (c == '#') {
      ++FPos;
      Token n = ReadNumber(FLine, false);
      if (n.Kind != Tok::Integer || n.Integer < 0 || n.Integer > 0x10FFFF) Fail(FLine, "invalid character code");
      t.Kind = Tok::CharCode;
      t.Integer = n.Integer;
      return t;
    }
    if (IsDigit(c) || c == '$' || (c == '-' && FPos + 1 < FText.size() &&
                                   (IsDigit(FText[FPos + 1]) || FText[FPos + 1] == '$'))) {
      bool negative = c == '-';
      if (negative) ++FPos;
      return ReadNumber(FLine, negative);
    }
    static const std::string kSymbols = "=:[](){},+<>";
    if (kSymbols.find(char(c)) != std::string::npos) {
      ++FPos;
      t.Kind = Tok::Symbol;
      t.Text = std::string(1, char(c));
      return t;
    }
    if (c < 0x20 || c == 0x7F) Fail(FLine, Format("unexpected character #%d", c));
    Fail(FLine, std::string("unexpected character '") + char(c) + "'");
  }

  // After '{': hex digits, blanks and line breaks up to '}'.
  std::vector<std::uint8_t> ReadHexBlock(int openLine) {
    std::vector<std::uint8_t> out;
    int pending = -1;
    for (;;) {
      if (FPos >= FText.size()) Fail(openLine, "binary block not closed with '}'");
      unsigned char c = Peek();
      if (c == '}') {
        ++FPos;
        break;
      }
      if (c == '\n') {
        ++FLine;
        ++FPos;
        continue;
      }
      if (c == ' ' || c == '\t' || c == '\r') {
        ++FPos;
        continue;
      }
      int v = HexValue(c);
      if (v < 0) Fail(FLine, "invalid character in a binary block");
      ++FPos;
      if (pending < 0) {
        pending = v;
      } else {
        out.push_back(std::uint8_t(pending * 16 + v));
        pending = -1;
      }
    }
    if (pending >= 0) Fail(FLine, "binary block has an odd number of hex digits");
    return out;
  }

 private:
  unsigned char Peek() const { return static_cast<unsigned char>(FText[FPos]); }

  void SkipBlanks() {
    while (FPos < FText.size()) {
      unsigned char c = Peek();
      if (c == '\n') {
        ++FLine;
      } else if (!(c == ' ' || c == '\t' || c == '\r')) {
        // A UTF-8 byte-order mark at the very start is tolerated.
        if (FPos == 0 && FText.compare(0, 3, "\xEF\xBB\xBF") == 0) {
          FPos = 3;
          continue;
        }
        return;
      }
      ++FPos;
    }
  }

  Token ReadQuoted(Token& t) {
    ++FPos;  // opening quote
    std::string s;
    for (;;) {
      if (FPos >= FText.size() || FText[FPos] == '\n' || FText[FPos] == '\r') Fail(t.Line, "unterminated string");
      char c = FText[FPos++];
      if (c == '\'') {
        if (FPos < FText.size() && FText[FPos] == '\'') {
          s += '\'';
          ++FPos;
          continue;
        }
        break;
      }
      s += c;
    }
    if (!IsValidUtf8(s)) Fail(t.Line, "invalid UTF-8 in a string");
    t.Kind = Tok::String;
    t.Text = std::move(s);
    return t;
  }

  Token ReadNumber(int line, bool negative) {
    Token t;
    t.Line = line;
    if (FPos < FText.size() && Peek() == '$') {
      ++FPos;
      size_t start = FPos;
      std::uint64_t v = 0;
      while (FPos < FText.size() && HexValue(Peek()) >= 0) {
        if (FPos - start >= 16) Fail(line, "hex number too large");
        v = v * 16 + std::uint64_t(HexValue(Peek()));
        ++FPos;
      }
      if (FPos == start) Fail(line, "hex digits expected after '$'");
      if (FPos < FText.size() && IsIdentChar(Peek())) Fail(line, "invalid hex number");
      t.Kind = Tok::Integer;
      t.Integer = negative ? Int64(0 - v) : Int64(v);
      return t;
    }
    size_t start = FPos;
    while (FPos < FText.size() && IsDigit(Peek())) ++FPos;
    if (FPos == start) Fail(line, "digits expected");
    bool isFloat = false;
    if (FPos + 1 < FText.size() && Peek() == '.' && IsDigit(FText[FPos + 1])) {
      isFloat = true;
      ++FPos;
      while (FPos < FText.size() && IsDigit(Peek())) ++FPos;
    }
    if (FPos < FText.size() && (Peek() == 'e' || Peek() == 'E')) {
      size_t p = FPos + 1;
      if (p < FText.size() && (FText[p] == '+' || FText[p] == '-')) ++p;
      if (p < FText.size() && IsDigit(FText[p])) {
        isFloat = true;
        FPos = p;
        while (FPos < FText.size() && IsDigit(Peek())) ++FPos;
      }
    }
    if (FPos < FText.size() && IsIdentChar(Peek())) Fail(line, "invalid number");
    std::string digits = (negative ? "-" : "") + FText.substr(start, FPos - start);
    if (isFloat) {
      double d;
      if (!TryStrToFloat(digits, d)) Fail(line, "invalid number " + digits);
      t.Kind = Tok::Float;
      t.Float = d;
    } else {
      Int64 v;
      if (!TryStrToInt64(digits, v)) Fail(line, "number out of range: " + digits);
      t.Kind = Tok::Integer;
      t.Integer = v;
    }
    return t;
  }

  const std::string& FText;
  size_t FPos = 0;
  int FLine = 1;
};

void AppendCodePoint(std::string& out, char32_t cp) {
  std::u16string u;
  if (cp >= 0x10000) {
    cp -= 0x10000;
    u += char16_t(0xD800 + (cp >> 10));
    u += char16_t(0xDC00 + (cp & 0x3FF));
  } else {
    u += char16_t(cp);
  }
  out += Utf16ToUtf8(u);
}

class Parser {
 public:
  explicit Parser(const std::string& text) : FLex(text) { Advance(); }

  std::unique_ptr<TLayoutObject> ParseRoot() {
    if (FTok.Kind == Tok::End) Fail(FTok.Line, "the layout is empty");
    auto root = ParseObject(1);
    if (FTok.Kind != Tok::End) Fail(FTok.Line, "text after the final 'end'");
    return root;
  }

 private:
  void Advance() { FTok = FLex.Next(); }
  bool IsSymbol(char c) const { return FTok.Kind == Tok::Symbol && FTok.Text[0] == c; }
  bool IsKeyword(const char* word) const { return FTok.Kind == Tok::Ident && SameText(FTok.Text, word); }
  void Expect(char c) {
    if (!IsSymbol(c)) Fail(FTok.Line, std::string("'") + c + "' expected, found " + Describe());
    Advance();
  }
  std::string Describe() const {
    switch (FTok.Kind) {
      case Tok::End: return "the end of the text";
      case Tok::Ident: return "'" + FTok.Text + "'";
      case Tok::String: return "a string";
      case Tok::CharCode: return "a character code";
      case Tok::Integer:
      case Tok::Float: return "a number";
      case Tok::Symbol: return "'" + FTok.Text + "'";
    }
    return "?";
  }
  std::string ExpectIdent(const char* what) {
    if (FTok.Kind != Tok::Ident) Fail(FTok.Line, std::string(what) + " expected, found " + Describe());
    std::string s = FTok.Text;
    Advance();
    return s;
  }

  std::unique_ptr<TLayoutObject> ParseObject(int depth) {
    if (depth > kMaxLayoutDepth) Fail(FTok.Line, "objects nested too deeply");
    if (IsKeyword("inherited") || IsKeyword("inline"))
      Fail(FTok.Line, "'" + FTok.Text + "' blocks are not supported");
    if (!IsKeyword("object")) Fail(FTok.Line, "'object' expected, found " + Describe());
    auto obj = std::make_unique<TLayoutObject>();
    obj->Line = FTok.Line;
    Advance();
    std::string first = ExpectIdent("a component name");
    if (IsSymbol(':')) {
      Advance();
      obj->Name = first;
      obj->ClassName = ExpectIdent("a class name");
    } else {
      obj->ClassName = first;  // an unnamed component
    }
    if (obj->Name.find('.') != std::string::npos || obj->ClassName.find('.') != std::string::npos)
      Fail(obj->Line, "invalid component or class name");
    for (;;) {
      if (IsKeyword("end")) {
        Advance();
        return obj;
      }
      if (IsKeyword("object") || IsKeyword("inherited") || IsKeyword("inline")) {
        obj->Children.push_back(ParseObject(depth + 1));
        continue;
      }
      if (FTok.Kind == Tok::End) Fail(FTok.Line, "'end' expected for object " + obj->Name);
      TLayoutProperty prop;
      prop.Line = FTok.Line;
      prop.Name = ExpectIdent("a property name");
      Expect('=');
      prop.Value = ParseValue(true);
      obj->Properties.push_back(std::move(prop));
    }
  }

  TLayoutValue ParseValue(bool allowList) {
    TLayoutValue v;
    v.Line = FTok.Line;
    switch (FTok.Kind) {
      case Tok::String:
      case Tok::CharCode:
        v.Kind = TLayoutValue::Type::String;
        v.Text = ParseStringExpr();
        return v;
      case Tok::Integer:
        v.Kind = TLayoutValue::Type::Integer;
        v.Integer = FTok.Integer;
        Advance();
        return v;
      case Tok::Float:
        v.Kind = TLayoutValue::Type::Float;
        v.Float = FTok.Float;
        Advance();
        return v;
      case Tok::Ident:
        v.Kind = TLayoutValue::Type::Ident;
        v.Text = FTok.Text;
        Advance();
        return v;
      case Tok::End: Fail(FTok.Line, "a value expected, found the end of the text");
      case Tok::Symbol: break;
    }
    if (IsSymbol('[')) {
      v.Kind = TLayoutValue::Type::Set;
      Advance();
      if (IsSymbol(']')) {
        Advance();
        return v;
      }
      for (;;) {
        v.Names.push_back(ExpectIdent("a set element"));
        if (IsSymbol(']')) {
          Advance();
          return v;
        }
        Expect(',');
      }
    }
    if (IsSymbol('(') && allowList) {
      v.Kind = TLayoutValue::Type::List;
      Advance();
      while (!IsSymbol(')')) {
        if (FTok.Kind == Tok::End) Fail(v.Line, "list not closed with ')'");
        v.Items.push_back(ParseValue(false));
      }
      Advance();
      return v;
    }
    if (IsSymbol('{')) {
      v.Kind = TLayoutValue::Type::Binary;
      // The lexer has already moved past '{'; the hex text starts right there.
      v.Bytes = FLex.ReadHexBlock(v.Line);
      Advance();
      return v;
    }
    if (IsSymbol('<')) Fail(FTok.Line, "collections are not supported");
    Fail(FTok.Line, "a value expected, found " + Describe());
  }

  // 'text'#13#10'more' + (line break) 'rest' ...
  std::string ParseStringExpr() {
    std::string out;
    char32_t highSurrogate = 0;
    auto flushSurrogate = [&] {
      if (highSurrogate) AppendCodePoint(out, 0xFFFD);
      highSurrogate = 0;
    };
    // Pieces join when they touch ('a'#13#10'b') or across a '+'; a string on the
    // next line without '+' is the next list item.
    bool first = true;
    for (;;) {
      const bool joins = first || FTok.Adjacent;
      first = false;
      if (!joins && (FTok.Kind == Tok::String || FTok.Kind == Tok::CharCode)) break;
      if (FTok.Kind == Tok::String) {
        flushSurrogate();
        out += FTok.Text;
        Advance();
      } else if (FTok.Kind == Tok::CharCode) {
        char32_t cp = char32_t(FTok.Integer);
        if (cp >= 0xD800 && cp <= 0xDBFF) {
          flushSurrogate();
          highSurrogate = cp;
        } else if (cp >= 0xDC00 && cp <= 0xDFFF) {
          if (highSurrogate)
            AppendCodePoint(out, 0x10000 + ((highSurrogate - 0xD800) << 10) + (cp - 0xDC00));
          else
            AppendCodePoint(out, 0xFFFD);
          highSurrogate = 0;
        } else {
          flushSurrogate();
          AppendCodePoint(out, cp);
        }
        Advance();
      } else if (IsSymbol('+')) {
        Advance();
        if (FTok.Kind != Tok::String && FTok.Kind != Tok::CharCode)
          Fail(FTok.Line, "a string expected after '+', found " + Describe());
        first = true;
      } else {
        break;
      }
    }
    flushSurrogate();
    return out;
  }

  Lexer FLex;
  Token FTok;
};

}  // namespace

std::unique_ptr<TLayoutObject> ParseLayout(const std::string& text) {
  Parser p(text);
  return p.ParseRoot();
}
