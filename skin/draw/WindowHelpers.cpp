#include "skin/draw/WindowHelpers.h"

#include <algorithm>

#include "framework/graphics/Canvas.h"
#include "framework/windows/Controls.h"
#include "framework/windows/Windows.h"

void CopyParentBackground(TControl* control, TCanvas* canvas) {
  if (!control || !canvas || !control->Parent()) return;
  TWinControl* parent = control->Parent();
  const int saved = canvas->SaveState();
  // The parent's client area in the control's coordinates.
  const TRect client = parent->ClientRect();
  TRect area = client;
  OffsetRect(area, -control->Left(), -control->Top());
  canvas->IntersectClipRect(area);
  // The parent's background, its own painting and the window-less controls below this
  // one; the background comes first so that it never covers what the parent paints.
  CopyParentImage(control, canvas);
  canvas->RestoreState(saved);
}

void SetWindowAlpha(HWND wnd, int alpha) {
  if (!LayeredWindowsSupported()) return;
  SetLayeredWindowAttributes(wnd, 0, Byte(std::clamp(alpha, 0, 255)), LWA_ALPHA);
}

bool CanAlphaBlend() { return LayeredWindowsSupported(); }

bool IsWindowsXP() { return false; }

TRect GetMonitorWorkArea(HWND wnd, bool workArea) {
  return workArea ? GetMonitorWorkArea(wnd) : GetMonitorRect(wnd);
}
