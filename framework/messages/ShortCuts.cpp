#include "framework/messages/ShortCuts.h"

#include "framework/core/SysUtils.h"

namespace {
const char* const kShift = "Shift+";
const char* const kCtrl = "Ctrl+";
const char* const kAlt = "Alt+";

// Names of the keys that are not letters, digits or function keys (virtual key codes).
struct KeyName {
  Byte Key;
  const char* Name;
};
constexpr KeyName kKeyNames[] = {
    {0x08, "BkSp"}, {0x09, "Tab"}, {0x0D, "Enter"}, {0x13, "Pause"}, {0x14, "Caps Lock"},
    {0x1B, "Esc"}, {0x20, "Space"}, {0x21, "PgUp"}, {0x22, "PgDn"}, {0x23, "End"},
    {0x24, "Home"}, {0x25, "Left"}, {0x26, "Up"}, {0x27, "Right"}, {0x28, "Down"},
    {0x2D, "Ins"}, {0x2E, "Del"},
    // Keypad operators; keypad digits read as plain digits.
    {0x6A, "Num *"}, {0x6B, "Num +"}, {0x6D, "Num -"}, {0x6E, "Num Del"}, {0x6F, "Num /"},
    {0x90, "Num Lock"}, {0x91, "Scroll Lock"},
    // Punctuation keys of a US keyboard.
    {0xBA, ";"}, {0xBB, "="}, {0xBC, ","}, {0xBD, "-"}, {0xBE, "."}, {0xBF, "/"}, {0xC0, "`"},
    {0xDB, "["}, {0xDC, "\\"}, {0xDD, "]"}, {0xDE, "'"},
};

std::string KeyToText(Byte key) {
  if (key >= '0' && key <= '9') return std::string(1, char(key));
  if (key >= 'A' && key <= 'Z') return std::string(1, char(key));
  if (key >= 0x60 && key <= 0x69) return std::string(1, char('0' + key - 0x60));
  if (key >= 0x70 && key <= 0x87) return "F" + std::to_string(key - 0x6F);  // F1..F24
  for (const KeyName& k : kKeyNames)
    if (k.Key == key) return k.Name;
  return "";
}

// Removes prefix from the front of text (ASCII case-insensitive) when it is there.
bool TakeFront(std::string& text, const std::string& prefix) {
  if (text.size() < prefix.size() || !SameText(text.substr(0, prefix.size()), prefix)) return false;
  text.erase(0, prefix.size());
  return true;
}
}  // namespace

TShortCut ShortCut(Word Key, TShiftState Shift) {
  if (Key > 0xFF) return 0;
  TShortCut sc = Key;
  if (Shift.Contains(ssShift)) sc |= scShift;
  if (Shift.Contains(ssCtrl)) sc |= scCtrl;
  if (Shift.Contains(ssAlt)) sc |= scAlt;
  return sc;
}

void ShortCutToKey(TShortCut ShortCut, Word& Key, TShiftState& Shift) {
  Key = ShortCut & ~(scShift | scCtrl | scAlt);
  Shift = {};
  if (ShortCut & scShift) Shift.Include(ssShift);
  if (ShortCut & scCtrl) Shift.Include(ssCtrl);
  if (ShortCut & scAlt) Shift.Include(ssAlt);
}

std::string ShortCutToText(TShortCut ShortCut) {
  std::string name = KeyToText(Byte(ShortCut & 0xFF));
  if (name.empty()) return "";
  std::string text;
  if (ShortCut & scShift) text += kShift;
  if (ShortCut & scCtrl) text += kCtrl;
  if (ShortCut & scAlt) text += kAlt;
  return text + name;
}

TShortCut TextToShortCut(const std::string& Text) {
  std::string text = Text;
  TShortCut shift = 0;
  for (;;) {
    if (TakeFront(text, kShift))
      shift |= scShift;
    else if (TakeFront(text, "^") || TakeFront(text, kCtrl))
      shift |= scCtrl;
    else if (TakeFront(text, kAlt))
      shift |= scAlt;
    else
      break;
  }
  if (text.empty()) return 0;
  // The first key whose name matches, so "5" is the digit key, not the keypad's.
  for (int key = 0x08; key <= 0xFF; ++key) {
    std::string name = KeyToText(Byte(key));
    if (!name.empty() && SameText(name, text)) return TShortCut(key) | shift;
  }
  return 0;
}
