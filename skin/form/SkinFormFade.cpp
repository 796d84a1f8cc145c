#include "skin/form/SkinFormFade.h"

#include <algorithm>

#include "framework/windows/Windows.h"

void TbsFormFade::SetLayered(HWND wnd, bool on) {
  const LONG ex = GetWindowLong(wnd, GWL_EXSTYLE);
  const LONG want = on ? LONG(ex | WS_EX_LAYERED) : LONG(ex & ~LONG(WS_EX_LAYERED));
  if (want != ex) SetWindowLong(wnd, GWL_EXSTYLE, want);
}

void TbsFormFade::SetAlpha(HWND wnd, Byte alpha) {
  SetLayeredWindowAttributes(wnd, 0, alpha, LWA_ALPHA);
  if (OnStep) OnStep(alpha);
}

void TbsFormFade::Begin(HWND wnd) {
  SetLayered(wnd, true);
  SetAlpha(wnd, 0);
  FPending = SetTimer(wnd, TimerId, 1) != 0;
}

bool TbsFormFade::TakeTimer(HWND wnd) {
  if (!FPending) return false;
  FPending = false;
  KillTimer(wnd, TimerId);
  return true;
}

void TbsFormFade::Animate(HWND wnd, Byte target) {
  int alpha = 0;
  while (alpha < target) {
    alpha = std::min(alpha + Step, int(target));
    SetAlpha(wnd, Byte(alpha));
  }
}
