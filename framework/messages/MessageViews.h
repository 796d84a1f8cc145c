#pragma once
// Typed views of the parameters of the messages met most, so that a window procedure
// reads "the canvas" or "the point" instead of unpacking the word and long parameters
// by hand. A view reads the message it is made from and never changes it.
#include <cstdint>

#include "framework/core/Types.h"
#include "framework/messages/Messages.h"

class TCanvas;

// The point packed in a long parameter: signed 16-bit x low, y high.
inline TPoint PointFromLParam(LPARAM l) { return {GET_X_LPARAM(l), GET_Y_LPARAM(l)}; }
inline LPARAM PointToLParam(TPoint p) { return MAKELPARAM(unsigned(p.X), unsigned(p.Y)); }

// WM_PAINT, WM_ERASEBKGND, WM_NCPAINT: the canvas to paint on rides in the word parameter.
struct TPaintMessage {
  explicit TPaintMessage(const TMessage& m) : Canvas(reinterpret_cast<TCanvas*>(m.WParam)) {}
  TCanvas* Canvas;
};

// WM_MOUSEMOVE ... WM_MBUTTONDBLCLK: the MK_* keys held, and the point in client
// coordinates.
struct TMouseMessage {
  explicit TMouseMessage(const TMessage& m) : Keys(m.WParam), Pos(PointFromLParam(m.LParam)) {}
  WPARAM Keys;
  TPoint Pos;
};

// WM_MOUSEWHEEL: the MK_* keys in the word's low half, the signed turn (a notch is
// WHEEL_DELTA) in its high half, and the point in screen coordinates.
struct TMouseWheelMessage {
  explicit TMouseWheelMessage(const TMessage& m)
      : Keys(LOWORD(m.WParam)), WheelDelta(int(std::int16_t(HIWORD(m.WParam)))), Pos(PointFromLParam(m.LParam)) {}
  WPARAM Keys;
  int WheelDelta;
  TPoint Pos;
};

// WM_NCHITTEST, WM_NCLBUTTONDOWN and the other non-client mouse messages, WM_CONTEXTMENU:
// a point in screen coordinates. A context menu asked from the keyboard has none
// (FromKeyboard, long parameter -1).
struct TScreenPointMessage {
  explicit TScreenPointMessage(const TMessage& m)
      : HitTest(int(m.WParam)), Pos(PointFromLParam(m.LParam)), FromKeyboard(m.LParam == -1) {}
  int HitTest;  // HT* of the non-client mouse messages
  TPoint Pos;
  bool FromKeyboard;
};

// WM_KEYDOWN, WM_KEYUP, WM_SYSKEYDOWN, WM_SYSKEYUP, WM_CHAR, CM_DIALOGKEY, CM_DIALOGCHAR:
// the virtual key (or the character) and the key data, whose bit 29 is "Alt down".
struct TKeyMessage {
  explicit TKeyMessage(const TMessage& m) : CharCode(m.WParam), KeyData(m.LParam) {}
  WPARAM CharCode;
  LPARAM KeyData;
  bool AltDown() const { return (KeyData & (LPARAM(1) << 29)) != 0; }
};

// WM_ACTIVATE: WA_INACTIVE, WA_ACTIVE or WA_CLICKACTIVE in the word's low half; the
// window losing (or, for WA_INACTIVE, gaining) the activation in the long parameter.
struct TActivateMessage {
  explicit TActivateMessage(const TMessage& m) : State(LOWORD(m.WParam)), Other(HWND(m.LParam)) {}
  unsigned State;
  HWND Other;
  bool Active() const { return State != WA_INACTIVE; }
};

// WM_SIZE: SIZE_RESTORED, SIZE_MINIMIZED or SIZE_MAXIMIZED, and the new client size
// (width low, height high; 0 x 0 when minimised).
struct TSizeMessage {
  explicit TSizeMessage(const TMessage& m) : Kind(m.WParam), Width(int(LOWORD(m.LParam))), Height(int(HIWORD(m.LParam))) {}
  WPARAM Kind;
  int Width;
  int Height;
};

// WM_TIMER: the id the timer was set with.
struct TTimerMessage {
  explicit TTimerMessage(const TMessage& m) : TimerId(m.WParam) {}
  WPARAM TimerId;
};

// WM_NCCALCSIZE, WM_SIZING, WM_MOVING: the long parameter points to the rectangle the
// receiver may change (the window's bounds in, the client area or the new bounds out);
// null when the sender gave none.
struct TRectMessage {
  explicit TRectMessage(const TMessage& m) : Rect(reinterpret_cast<TRect*>(m.LParam)) {}
  TRect* Rect;
};

// WM_SHOWWINDOW: shown or hidden, and why; Status 0 when a show or hide call did it.
struct TShowWindowMessage {
  explicit TShowWindowMessage(const TMessage& m) : Show(m.WParam != 0), Status(m.LParam) {}
  bool Show;
  LPARAM Status;
};
