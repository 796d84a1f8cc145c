#pragma once
// The few drawing helpers that need windows: the parent's image under a control, window
// alpha, and monitor rectangles.
#include "framework/core/Types.h"
#include "framework/messages/Messages.h"

class TCanvas;
class TControl;

// Paints what the parent shows under control into canvas (a canvas of the control's
// size, origin at the control's top-left), clipped to the parent's client area, so that
// the control can draw itself transparently on top. Nothing without a parent.
void CopyParentBackground(TControl* control, TCanvas* canvas);

// Window opacity 0 (invisible) .. 255 (opaque); nothing where the platform offers none.
void SetWindowAlpha(HWND wnd, int alpha);
// Whether the platform offers window opacity.
bool CanAlphaBlend();
// The one system version with its own look in the default drawing; never this platform.
bool IsWindowsXP();

// The work area (workArea true) or the whole rectangle of the monitor nearest to wnd.
TRect GetMonitorWorkArea(HWND wnd, bool workArea);
