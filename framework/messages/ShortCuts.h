#pragma once
// Keyboard shortcuts of menu items and actions: a virtual key in the low byte and the
// modifier bits above it, written as "Ctrl+S", "Shift+Del", "Alt+F4".
#include <string>

#include "framework/core/Types.h"
#include "framework/messages/ShiftState.h"

using TShortCut = Word;

constexpr TShortCut scShift = 0x2000;
constexpr TShortCut scCtrl = 0x4000;
constexpr TShortCut scAlt = 0x8000;
constexpr TShortCut scNone = 0;

// 0 when Key does not fit in a byte (no virtual key does).
TShortCut ShortCut(Word Key, TShiftState Shift);
// Splits a shortcut into its virtual key and Shift/Ctrl/Alt.
void ShortCutToKey(TShortCut ShortCut, Word& Key, TShiftState& Shift);

// Modifiers in the order Shift+, Ctrl+, Alt+, then the key's name ("Enter", "PgUp",
// "F5", "Num +"); "" for 0 and for keys without a name.
std::string ShortCutToText(TShortCut ShortCut);
// The inverse, without regard to case; modifiers may come in any order and "^" stands
// for "Ctrl+". Unknown or empty key text gives 0.
TShortCut TextToShortCut(const std::string& Text);
