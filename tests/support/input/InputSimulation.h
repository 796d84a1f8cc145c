#pragma once
// Input for tests and benches, delivered through the same path as real window-system
// input (Qt's own events to the widgets). Not part of the program.
#include "framework/core/Types.h"
#include "framework/messages/Messages.h"

class TWinControl;

// A mouse message (WM_MOUSEMOVE, WM_LBUTTONDOWN ... WM_MBUTTONDBLCLK) at (x, y) in the
// target's client coordinates, with MK_* keys. Points outside the client area of a form
// land on its frame (so (x, -10) presses the caption of a default frame). The cursor
// position follows.
void SimulateMouse(TWinControl* target, UINT msg, int x, int y, WPARAM keys = 0);
// The same at a screen point, delivered to the window under it; a point off all windows
// tells the window the pointer was over that it left.
void SimulateMouseAt(TPoint screenPoint, UINT msg, WPARAM keys = 0);
// A wheel turn; delta is in 120ths of a notch (positive away from the user).
void SimulateWheel(TWinControl* target, int x, int y, int delta, WPARAM keys = 0);
// A key press (WM_KEYDOWN or WM_SYSKEYDOWN) or release (WM_KEYUP, WM_SYSKEYUP) of a
// virtual key with MK_SHIFT / MK_CONTROL / MK_ALT held. With Alt held, the framework
// makes system keys of it, and of a letter, digit or space also the WM_SYSCHAR.
void SimulateKey(TWinControl* target, UINT msg, int vk, WPARAM keys = 0);
// A typed character (WM_KEYDOWN, WM_CHAR, WM_KEYUP for printable text).
void SimulateChar(TWinControl* target, char32_t ch);
