#pragma once
// A skin control that takes the focus when pressed: the press goes on only if the control
// survived the focus handlers and holds the focus (or, while its window is still being
// activated, is the form's active control).
#include <memory>

class TWinControl;

// `grabbing` is true while SetFocus runs, so the control can ignore what the focus change
// sends it meanwhile. Returns false when the press must be dropped.
bool GrabFocusForPress(TWinControl* control, const std::weak_ptr<bool>& alive, bool& grabbing);
