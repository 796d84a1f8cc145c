#pragma once
// Input the way the user's mouse and keyboard produce it: Qt's own events, delivered by
// Qt to the widget under the pointer or to the focus widget, as the window system's
// input would be (no framework message is made up here).
#include <string>

#include "framework/core/Types.h"

namespace realinput {
// Left button pressed / released at a screen point, over whatever window is there.
void Press(TPoint screen);
void Release(TPoint screen);
void Click(TPoint screen);
// Types each character into the focus widget: a key press carrying it, then the release.
void Type(const std::u32string& text);
}  // namespace realinput
