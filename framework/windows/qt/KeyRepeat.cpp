// Held keys under X11. By default the server repeats a held key as release and press
// pairs, which Qt tells from a real release only by peeking for the press, and misses
// whenever its reader thread has not read that press yet: the key seems let go and
// pressed again. Asked for detectable repetition, the server sends the repeated presses
// alone; the widgets then know a press of a key that is down as a repeat.
#include <QGuiApplication>

#include "framework/windows/qt/WindowWidgets.h"

// Last: the X headers define names (KeyPress, None, Bool) that Qt's headers use.
#include <X11/XKBlib.h>

namespace winimpl {
void AskForDetectableKeyRepeat() {
  static bool asked = false;
  if (asked || !qGuiApp) return;
  asked = true;
  auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
  if (!x11 || !x11->display()) return;  // another platform: repeats come marked as such
  Bool supported = False;
  XkbSetDetectableAutoRepeat(x11->display(), True, &supported);
}
}  // namespace winimpl
