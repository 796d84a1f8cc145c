#pragma once
// The shift state: which modifier keys and mouse buttons are held, as a set, read from a
// mouse message's key flags or from the keyboard as it is now.
#include "framework/core/Set.h"
#include "framework/messages/Messages.h"

enum class TShiftStateItem { ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble };
using TShiftState = TSet<TShiftStateItem>;
constexpr auto ssShift = TShiftStateItem::ssShift;
constexpr auto ssAlt = TShiftStateItem::ssAlt;
constexpr auto ssCtrl = TShiftStateItem::ssCtrl;
constexpr auto ssLeft = TShiftStateItem::ssLeft;
constexpr auto ssRight = TShiftStateItem::ssRight;
constexpr auto ssMiddle = TShiftStateItem::ssMiddle;
constexpr auto ssDouble = TShiftStateItem::ssDouble;

// High bit set while the key or mouse button (VK_LBUTTON ...) is down. The window system
// answers, with the input the framework simulates held as well; it installs its answer
// when it is linked in (framework/windows), so this layer needs no window. Until then
// no key is down.
short GetKeyState(int vk);
short GetAsyncKeyState(int vk);
using TKeyStateSource = short (*)(int vk);
void SetKeyStateSource(TKeyStateSource source);

// Shift state from the MK_* key flags of a mouse message (Alt from the keyboard).
TShiftState MouseKeysToShiftState(WPARAM keys);
// Shift state of the keyboard at this moment (Shift, Ctrl, Alt).
TShiftState KeyboardStateToShiftState();
