#include "framework/menus/Hotkeys.h"

#include "framework/core/SysUtils.h"

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
  const std::string hotkey = GetHotkey(Caption);
  if (hotkey.empty() || CharCode == 0) return false;
  return CaseFold(hotkey) == CaseFold(Utf8Encode(CharCode));
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
