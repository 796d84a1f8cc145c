#include "framework/messages/ShiftState.h"

namespace {
TKeyStateSource gKeyStateSource = nullptr;
}

void SetKeyStateSource(TKeyStateSource source) { gKeyStateSource = source; }

short GetKeyState(int vk) { return gKeyStateSource ? gKeyStateSource(vk) : 0; }

short GetAsyncKeyState(int vk) { return GetKeyState(vk); }

TShiftState MouseKeysToShiftState(WPARAM keys) {
  TShiftState s;
  if (keys & MK_SHIFT) s.Include(ssShift);
  if (keys & MK_CONTROL) s.Include(ssCtrl);
  if (keys & MK_LBUTTON) s.Include(ssLeft);
  if (keys & MK_RBUTTON) s.Include(ssRight);
  if (keys & MK_MBUTTON) s.Include(ssMiddle);
  if (GetKeyState(VK_MENU) < 0) s.Include(ssAlt);
  return s;
}

TShiftState KeyboardStateToShiftState() {
  TShiftState s;
  if (GetKeyState(VK_SHIFT) < 0) s.Include(ssShift);
  if (GetKeyState(VK_CONTROL) < 0) s.Include(ssCtrl);
  if (GetKeyState(VK_MENU) < 0) s.Include(ssAlt);
  return s;
}
