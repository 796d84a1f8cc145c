#pragma once
// The framework's input policy, kept in one place: the control under the pointer (it
// gets CM_MOUSEENTER / CM_MOUSELEAVE, windowed or window-less, also under capture with a
// button down), which controls take input at all, and what becomes of keys that no
// control handled (dialog keys and characters, focus moves, system commands).
#include "framework/messages/Messages.h"

class TControl;

// The control under the pointer as the framework last tracked it (nullptr when none).
// While a control holds the capture, only that control is ever under the pointer.
TControl* GetMouseControl();
// The control holding the mouse capture, window-less or windowed (nullptr when none).
TControl* GetCaptureControl();
// True when the control and every parent of it are enabled: only then does it get mouse
// and key input. Disabled window-less controls let the mouse through to their parent.
bool ControlTakesInput(const TControl* Control);
