#include "framework/menus/Hotkeys.h"

#include "framework/core/SysUtils.h"

namespace {
char32_t FoldAscii(char32_t c) { return (c >= 'a' && c <= 'z') ? c - 'a' + 'A' : c; }

// Decodes the UTF-8 code point at s[pos] (malformed bytes count as themselves).
char32_t DecodeAt(const std::string& s, size_t pos, int len) {
  auto b = [&](size_t i) { return char32_t(static_cast<unsigned char>(s[pos + i])); };
  if (len <= 1) return b(0);
  if (len == 2) return ((b(0) & 0x1F) << 6) | (b(1) & 0x3F);
  if (len == 3) return ((b(0) & 0x0F) << 12) | ((b(1) & 0x3F) << 6) | (b(2) & 0x3F);
  return ((b(0) & 0x07) << 18) | ((b(1) & 0x3F) << 12) | ((b(2) & 0x3F) << 6) | (b(3) & 0x3F);
}
}  // namespace

std::string GetHotkey(const std::string& Caption) {
  std::string hotkey;
  size_t i = 0;
  while (i < Caption.size()) {
    if (Caption[i] == cHotkeyPrefix && i + 1 < Caption.size()) {
      ++i;
      int len = Utf8CodePointLength(Caption, i);
      // "&&" is a literal ampersand; keep looking, the last accelerator counts.
      if (Caption[i] != cHotkeyPrefix) hotkey = Caption.substr(i, size_t(len));
      i += size_t(len);
    } else {
      i += size_t(Utf8CodePointLength(Caption, i));
    }
  }
  return hotkey;
}

bool IsAccel(char32_t CharCode, const std::string& Caption) {
  std::string hotkey = GetHotkey(Caption);
  if (hotkey.empty()) return false;
  int len = Utf8CodePointLength(hotkey, 0);
  char32_t c = DecodeAt(hotkey, 0, IsValidUtf8(hotkey) ? len : 1);
  return FoldAscii(c) == FoldAscii(CharCode);
}

std::string StripHotkey(const std::string& Caption) {
  std::string out;
  size_t n = Caption.size();
  size_t i = 0;
  while (i < n) {
    if (Caption[i] == cHotkeyPrefix) {
      // "(&X)" closing the caption goes as a whole.
      if (i > 0 && Caption[i - 1] == '(' && i + 1 < n) {
        size_t len = size_t(Utf8CodePointLength(Caption, i + 1));
        if (i + 1 + len + 1 == n && Caption[n - 1] == ')' && Caption[i + 1] != cHotkeyPrefix) {
          out.pop_back();
          return out;
        }
      }
      ++i;  // drop the prefix; the next code point is kept as it is (also a second '&')
      if (i >= n) break;
    }
    size_t len = size_t(Utf8CodePointLength(Caption, i));
    out.append(Caption, i, len);
    i += len;
  }
  return out;
}
