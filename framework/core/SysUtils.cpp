#include "framework/core/SysUtils.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <vector>

#include "framework/core/Exceptions.h"

namespace {

char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; }
char UpperAscii(char c) { return (c >= 'a' && c <= 'z') ? char(c - 'a' + 'A') : c; }

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  c = LowerAscii(c);
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

// Parses [sign](digits | $hex | 0xhex) with surrounding blanks; the magnitude must fit
// in [-(max+1), max] for the sign.
bool ParseInteger(const std::string& text, Int64 lo, Int64 hi, Int64& out) {
  std::string s = Trim(text);
  size_t i = 0;
  bool negative = false;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
  int base = 10;
  if (i < s.size() && s[i] == '$') {
    base = 16;
    ++i;
  } else if (i + 1 < s.size() && s[i] == '0' && (s[i + 1] == 'x' || s[i + 1] == 'X')) {
    base = 16;
    i += 2;
  }
  if (i >= s.size()) return false;
  // An unsigned hex literal may use the full width and then spells the two's
  // complement of a negative number ($FFFFFFFF is -1 for a 32-bit integer).
  const bool wrapHex = base == 16 && !negative;
  const std::uint64_t limit = negative ? std::uint64_t(-(lo + 1)) + 1
                              : wrapHex ? std::uint64_t(hi) * 2 + 1
                                        : std::uint64_t(hi);
  std::uint64_t mag = 0;
  for (; i < s.size(); ++i) {
    int d = base == 16 ? HexDigit(s[i]) : (s[i] >= '0' && s[i] <= '9' ? s[i] - '0' : -1);
    if (d < 0) return false;
    if (mag > (limit - std::uint64_t(d)) / std::uint64_t(base)) return false;
    mag = mag * std::uint64_t(base) + std::uint64_t(d);
  }
  if (negative)
    out = Int64(0 - mag);
  else if (mag > std::uint64_t(hi))
    out = Int64(mag - (std::uint64_t(hi) + 1) * 2);
  else
    out = Int64(mag);
  return true;
}

}  // namespace

bool TryStrToInt(const std::string& s, int& value) {
  Int64 v;
  if (!ParseInteger(s, std::numeric_limits<int>::min(), std::numeric_limits<int>::max(), v)) return false;
  value = static_cast<int>(v);
  return true;
}

int StrToInt(const std::string& s) {
  int v;
  if (!TryStrToInt(s, v)) throw EConvertError("'" + s + "' is not a valid integer value");
  return v;
}

int StrToIntDef(const std::string& s, int defaultValue) {
  int v;
  return TryStrToInt(s, v) ? v : defaultValue;
}

bool TryStrToInt64(const std::string& s, Int64& value) {
  return ParseInteger(s, std::numeric_limits<Int64>::min(), std::numeric_limits<Int64>::max(), value);
}

Int64 StrToInt64(const std::string& s) {
  Int64 v;
  if (!TryStrToInt64(s, v)) throw EConvertError("'" + s + "' is not a valid integer value");
  return v;
}

std::string IntToStr(Int64 value) { return std::to_string(value); }

std::string IntToHex(std::uint64_t value, int digits) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string out;
  do {
    out.insert(out.begin(), kHex[value & 0xF]);
    value >>= 4;
  } while (value);
  if (digits > 64) digits = 64;
  while (static_cast<int>(out.size()) < digits) out.insert(out.begin(), '0');
  return out;
}

bool TryStrToFloat(const std::string& text, double& value) {
  std::string s = Trim(text);
  if (s.empty()) return false;
  const char* b = s.data();
  const char* e = b + s.size();
  if (*b == '+') ++b;
  auto r = std::from_chars(b, e, value, std::chars_format::general);
  return r.ec == std::errc() && r.ptr == e && std::isfinite(value);
}

double StrToFloat(const std::string& s) {
  double v;
  if (!TryStrToFloat(s, v)) throw EConvertError("'" + s + "' is not a valid floating point value");
  return v;
}

std::string FloatToStr(double value) {
  char buf[64];
  auto r = std::to_chars(buf, buf + sizeof buf, value);
  return std::string(buf, r.ptr);
}

std::string TrimLeft(const std::string& s) {
  size_t i = 0;
  while (i < s.size() && static_cast<unsigned char>(s[i]) <= ' ') ++i;
  return s.substr(i);
}

std::string TrimRight(const std::string& s) {
  size_t n = s.size();
  while (n > 0 && static_cast<unsigned char>(s[n - 1]) <= ' ') --n;
  return s.substr(0, n);
}

std::string Trim(const std::string& s) { return TrimLeft(TrimRight(s)); }

std::string UpperCase(const std::string& s) {
  std::string r = s;
  for (char& c : r) c = UpperAscii(c);
  return r;
}

std::string LowerCase(const std::string& s) {
  std::string r = s;
  for (char& c : r) c = LowerAscii(c);
  return r;
}

int CompareText(const std::string& a, const std::string& b) {
  size_t n = a.size() < b.size() ? a.size() : b.size();
  for (size_t i = 0; i < n; ++i) {
    unsigned char x = static_cast<unsigned char>(LowerAscii(a[i]));
    unsigned char y = static_cast<unsigned char>(LowerAscii(b[i]));
    if (x != y) return x < y ? -1 : 1;
  }
  return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

int CompareStr(const std::string& a, const std::string& b) {
  int c = a.compare(b);
  return c < 0 ? -1 : c > 0 ? 1 : 0;
}

bool SameText(const std::string& a, const std::string& b) {
  return a.size() == b.size() && CompareText(a, b) == 0;
}

std::string ExtractFilePath(const std::string& fileName) {
  size_t p = fileName.rfind('/');
  return p == std::string::npos ? std::string() : fileName.substr(0, p + 1);
}

std::string ExtractFileName(const std::string& fileName) {
  size_t p = fileName.rfind('/');
  return p == std::string::npos ? fileName : fileName.substr(p + 1);
}

std::string ExtractFileExt(const std::string& fileName) {
  size_t slash = fileName.rfind('/');
  size_t dot = fileName.rfind('.');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return {};
  return fileName.substr(dot);
}

std::string ChangeFileExt(const std::string& fileName, const std::string& ext) {
  std::string old = ExtractFileExt(fileName);
  return fileName.substr(0, fileName.size() - old.size()) + ext;
}

std::string IncludeTrailingPathDelimiter(const std::string& path) {
  return (!path.empty() && path.back() == '/') ? path : path + '/';
}

std::string ExcludeTrailingPathDelimiter(const std::string& path) {
  return (path.size() > 1 && path.back() == '/') ? path.substr(0, path.size() - 1) : path;
}

bool FileExists(const std::string& fileName) {
  struct stat st {};
  return !fileName.empty() && ::stat(fileName.c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
}

bool DirectoryExists(const std::string& path) {
  struct stat st {};
  return !path.empty() && ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool DeleteFile(const std::string& fileName) { return ::unlink(fileName.c_str()) == 0; }

std::string ApplicationExeName() {
  std::vector<char> buf(4096);
  for (;;) {
    ssize_t n = ::readlink("/proc/self/exe", buf.data(), buf.size());
    if (n < 0) return {};
    if (static_cast<size_t>(n) < buf.size()) return std::string(buf.data(), static_cast<size_t>(n));
    buf.resize(buf.size() * 2);
  }
}

// ---- UTF-8 ----

namespace {

// Decodes one code point at s[pos]; returns its length (>= 1) and sets cp, or sets
// cp = -1 for a malformed sequence whose bad bytes span the returned length.
int DecodeUtf8(const std::string& s, size_t pos, char32_t& cp, bool& ok) {
  const auto* p = reinterpret_cast<const unsigned char*>(s.data());
  size_t n = s.size();
  unsigned char c = p[pos];
  ok = false;
  if (c < 0x80) {
    cp = c;
    ok = true;
    return 1;
  }
  int len;
  char32_t min;
  if (c >= 0xC2 && c <= 0xDF) {
    len = 2;
    cp = c & 0x1F;
    min = 0x80;
  } else if (c >= 0xE0 && c <= 0xEF) {
    len = 3;
    cp = c & 0x0F;
    min = 0x800;
  } else if (c >= 0xF0 && c <= 0xF4) {
    len = 4;
    cp = c & 0x07;
    min = 0x10000;
  } else {
    return 1;
  }
  int i = 1;
  for (; i < len; ++i) {
    if (pos + size_t(i) >= n || (p[pos + size_t(i)] & 0xC0) != 0x80) return i;  // truncated: drop what was seen
    cp = (cp << 6) | (p[pos + size_t(i)] & 0x3F);
  }
  if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return len;
  ok = true;
  return len;
}

void AppendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += char(cp);
  } else if (cp < 0x800) {
    out += char(0xC0 | (cp >> 6));
    out += char(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += char(0xE0 | (cp >> 12));
    out += char(0x80 | ((cp >> 6) & 0x3F));
    out += char(0x80 | (cp & 0x3F));
  } else {
    out += char(0xF0 | (cp >> 18));
    out += char(0x80 | ((cp >> 12) & 0x3F));
    out += char(0x80 | ((cp >> 6) & 0x3F));
    out += char(0x80 | (cp & 0x3F));
  }
}

}  // namespace

std::u16string Utf8ToUtf16(const std::string& s) {
  std::u16string out;
  out.reserve(s.size());
  size_t i = 0;
  while (i < s.size()) {
    char32_t cp = 0;
    bool ok;
    const int len = DecodeUtf8(s, i, cp, ok);
    if (!ok) {
      for (int k = 0; k < len; ++k) out += char16_t(0xDC00 + static_cast<unsigned char>(s[i + size_t(k)]));
    } else if (cp >= 0x10000) {
      cp -= 0x10000;
      out += char16_t(0xD800 + (cp >> 10));
      out += char16_t(0xDC00 + (cp & 0x3FF));
    } else {
      out += char16_t(cp);
    }
    i += size_t(len);
  }
  return out;
}

std::string Utf16ToUtf8(const std::u16string& s) {
  std::string out;
  out.reserve(s.size() * 3);
  for (size_t i = 0; i < s.size(); ++i) {
    char32_t c = s[i];
    if (c >= 0xD800 && c <= 0xDBFF) {
      if (i + 1 < s.size() && s[i + 1] >= 0xDC00 && s[i + 1] <= 0xDFFF) {
        c = 0x10000 + ((c - 0xD800) << 10) + (s[i + 1] - 0xDC00);
        ++i;
      } else {
        c = 0xFFFD;
      }
    } else if (c >= 0xDC80 && c <= 0xDCFF) {
      out += char(c - 0xDC00);  // a byte carried through from malformed UTF-8
      continue;
    } else if (c >= 0xDC00 && c <= 0xDFFF) {
      c = 0xFFFD;
    }
    AppendUtf8(out, c);
  }
  return out;
}

std::string Utf8Encode(char32_t cp) {
  std::string out;
  AppendUtf8(out, (cp >= 0xD800 && cp <= 0xDFFF) || cp > 0x10FFFF ? char32_t(0xFFFD) : cp);
  return out;
}

int Utf8CodePointLength(const std::string& s, size_t pos) {
  if (pos >= s.size()) return 0;
  char32_t cp;
  bool ok;
  int len = DecodeUtf8(s, pos, cp, ok);
  return ok ? len : 1;
}

size_t Utf8Length(const std::string& s) {
  size_t count = 0;
  for (size_t i = 0; i < s.size(); i += size_t(Utf8CodePointLength(s, i))) ++count;
  return count;
}

std::string Utf8Copy(const std::string& s, size_t firstCodePoint, size_t count) {
  size_t i = 0;
  for (size_t k = 0; k < firstCodePoint && i < s.size(); ++k) i += size_t(Utf8CodePointLength(s, i));
  size_t start = i;
  for (size_t k = 0; k < count && i < s.size(); ++k) i += size_t(Utf8CodePointLength(s, i));
  return s.substr(start, i - start);
}

std::string Utf8TruncateBytes(const std::string& s, size_t maxBytes) {
  size_t i = 0;
  while (i < s.size()) {
    size_t len = size_t(Utf8CodePointLength(s, i));
    if (i + len > maxBytes) break;
    i += len;
  }
  return s.substr(0, i);
}

bool IsValidUtf8(const std::string& s) {
  for (size_t i = 0; i < s.size();) {
    char32_t cp;
    bool ok;
    i += size_t(DecodeUtf8(s, i, cp, ok));
    if (!ok) return false;
  }
  return true;
}
