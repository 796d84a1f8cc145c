#pragma once
// Accelerators in captions: "&File" underlines F and answers Alt+F; "&&" is a literal
// ampersand. Captions are UTF-8; a hotkey is one code point.
#include <string>

constexpr char cHotkeyPrefix = '&';

// The accelerator of a caption as UTF-8 ("" when none). With several, the last counts.
std::string GetHotkey(const std::string& Caption);
// True when CharCode is the caption's accelerator, matched without regard to case in
// any script ("&Über" answers "ü").
bool IsAccel(char32_t CharCode, const std::string& Caption);
// The caption as shown without underline: each '&' prefix removed, "&&" becomes "&",
// and a trailing "(&X)" (captions in East Asian scripts) is removed whole.
std::string StripHotkey(const std::string& Caption);
