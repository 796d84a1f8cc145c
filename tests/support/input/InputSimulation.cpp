// Input for tests and benches, delivered through the widgets' own event handlers as the
// window system's input is. Not part of the program.
#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QWheelEvent>

#include "framework/windows/Forms.h"
#include "framework/windows/qt/WindowWidgets.h"
#include "framework/windows/Windows.h"
#include "tests/support/input/InputSimulation.h"

using namespace winimpl;

namespace {
// The widget holding the implicit grab of a simulated press, as Qt would keep it.
QPointer<QWidget> gGrab;
// The widget the simulated pointer was over last (told when the pointer leaves it).
QPointer<QWidget> gUnder;

void LeaveUnder(QWidget* next) {
  if (!gUnder || gGrab || gUnder == next) return;
  if (next && gUnder->window() == next->window()) return;
  QPointer<QWidget> old = gUnder;
  gUnder = nullptr;
  QEvent leave(QEvent::Leave);
  QCoreApplication::sendEvent(old, &leave);
}

struct Target {
  QWidget* Widget = nullptr;
  TPoint Origin;  // screen position of the widget's top-left
};

Target WidgetFor(TWinControl* c, TPoint sp) {
  Target t;
  if (!c || !c->WindowImpl()) return t;
  TWinControl::Impl* impl = c->WindowImpl();
  if (auto* f = dynamic_cast<TCustomForm*>(c)) {
    TRect client = f->ClientRectInWindow();
    OffsetRect(client, f->Left(), f->Top());
    if (!PtInRect(client, sp) && impl->W->Frame) {
      t.Widget = impl->W->Frame;
      t.Origin = Point(f->Left(), f->Top());
      return t;
    }
  } else if (impl->W->NonClient) {
    TRect client = c->ClientRect();
    TPoint o = c->ClientOrigin();
    OffsetRect(client, o.X, o.Y);
    if (!PtInRect(client, sp)) {
      TRect in = c->ClientRectInWindow();
      t.Widget = impl->W->NonClient;
      t.Origin = Point(o.X - in.Left, o.Y - in.Top);
      return t;
    }
  }
  t.Widget = impl->W->Client;
  t.Origin = c->ClientOrigin();
  return t;
}

Target TargetOf(QWidget* w) {
  Target t{w, {}};
  if (auto* fw = dynamic_cast<FrameWidget*>(w); fw && fw->Form) t.Origin = Point(fw->Form->Left(), fw->Form->Top());
  if (auto* cw = dynamic_cast<ClientWidget*>(w); cw && cw->Control) t.Origin = cw->Control->ClientOrigin();
  if (auto* nw = dynamic_cast<NonClientWidget*>(w); nw && nw->Control) {
    TPoint o = nw->Control->ClientOrigin();
    TRect in = nw->Control->ClientRectInWindow();
    t.Origin = Point(o.X - in.Left, o.Y - in.Top);
  }
  return t;
}

Qt::KeyboardModifiers ModifiersOf(WPARAM keys) {
  Qt::KeyboardModifiers m;
  if (keys & MK_SHIFT) m |= Qt::ShiftModifier;
  if (keys & MK_CONTROL) m |= Qt::ControlModifier;
  if (keys & MK_ALT) m |= Qt::AltModifier;
  return m;
}

Qt::MouseButtons ButtonsOf(WPARAM keys) {
  Qt::MouseButtons b;
  if (keys & MK_LBUTTON) b |= Qt::LeftButton;
  if (keys & MK_RBUTTON) b |= Qt::RightButton;
  if (keys & MK_MBUTTON) b |= Qt::MiddleButton;
  return b;
}

void Send(Target t, UINT msg, TPoint sp, WPARAM keys) {
  if (!t.Widget) return;
  SetCursorPos(sp.X, sp.Y);
  QEvent::Type type = QEvent::MouseMove;
  Qt::MouseButton button = Qt::NoButton;
  Qt::MouseButtons buttons = ButtonsOf(keys);
  switch (msg) {
    case WM_LBUTTONDOWN: type = QEvent::MouseButtonPress; button = Qt::LeftButton; break;
    case WM_LBUTTONUP: type = QEvent::MouseButtonRelease; button = Qt::LeftButton; break;
    case WM_LBUTTONDBLCLK: type = QEvent::MouseButtonDblClick; button = Qt::LeftButton; break;
    case WM_RBUTTONDOWN: type = QEvent::MouseButtonPress; button = Qt::RightButton; break;
    case WM_RBUTTONUP: type = QEvent::MouseButtonRelease; button = Qt::RightButton; break;
    case WM_RBUTTONDBLCLK: type = QEvent::MouseButtonDblClick; button = Qt::RightButton; break;
    case WM_MBUTTONDOWN: type = QEvent::MouseButtonPress; button = Qt::MiddleButton; break;
    case WM_MBUTTONUP: type = QEvent::MouseButtonRelease; button = Qt::MiddleButton; break;
    case WM_MBUTTONDBLCLK: type = QEvent::MouseButtonDblClick; button = Qt::MiddleButton; break;
    default: break;
  }
  // The press's own button is down during the press, up after the release.
  if (type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick) buttons |= button;
  if (type == QEvent::MouseButtonRelease) buttons &= ~button;
  QPointF local(sp.X - t.Origin.X, sp.Y - t.Origin.Y);
  QPointF global(sp.X, sp.Y);
  QMouseEvent ev(type, local, local, global, button, buttons, ModifiersOf(keys));
  LeaveUnder(t.Widget);
  QPointer<QWidget> w = t.Widget;
  if (!gGrab) gUnder = w;
  if (type == QEvent::MouseButtonPress) gGrab = w;
  QCoreApplication::sendEvent(w, &ev);
  if (type == QEvent::MouseButtonRelease && !buttons) gGrab = nullptr;
}
}  // namespace

void SimulateMouse(TWinControl* target, UINT msg, int x, int y, WPARAM keys) {
  if (!target) return;
  target->Handle();
  TPoint sp = target->ClientToScreen(Point(x, y));
  Target t = gGrab ? TargetOf(gGrab) : WidgetFor(target, sp);
  Send(t, msg, sp, keys);
}

void SimulateMouseAt(TPoint sp, UINT msg, WPARAM keys) {
  if (gGrab) {
    Send(TargetOf(gGrab), msg, sp, keys);
    return;
  }
  TWinControl* c = FindControl(WindowFromPoint(sp));
  if (!c) {
    SetCursorPos(sp.X, sp.Y);
    LeaveUnder(nullptr);  // off all of our windows
    return;
  }
  Send(WidgetFor(c, sp), msg, sp, keys);
}

void SimulateWheel(TWinControl* target, int x, int y, int delta, WPARAM keys) {
  if (!target) return;
  target->Handle();
  TPoint sp = target->ClientToScreen(Point(x, y));
  Target t = WidgetFor(target, sp);
  if (!t.Widget) return;
  QPointF local(sp.X - t.Origin.X, sp.Y - t.Origin.Y);
  QWheelEvent ev(local, QPointF(sp.X, sp.Y), QPoint(), QPoint(0, delta), ButtonsOf(keys), ModifiersOf(keys),
                 Qt::NoScrollPhase, false);
  QCoreApplication::sendEvent(t.Widget, &ev);
}

void SimulateKey(TWinControl* target, UINT msg, int vk, WPARAM keys) {
  if (!target) return;
  target->Handle();
  QWidget* w = target->WindowImpl()->W->Client;
  if (!w) return;
  Qt::KeyboardModifiers saved = KeyboardModifiersHeld();
  NoteModifiers(ModifiersOf(keys));
  bool up = msg == WM_KEYUP || msg == WM_SYSKEYUP;
  QKeyEvent ev(up ? QEvent::KeyRelease : QEvent::KeyPress, VirtualKeyToQtKey(vk), ModifiersOf(keys));
  QCoreApplication::sendEvent(w, &ev);
  NoteModifiers(saved);
}

void SimulateChar(TWinControl* target, char32_t ch) {
  if (!target) return;
  target->Handle();
  QPointer<QWidget> w = target->WindowImpl()->W->Client.data();
  if (!w) return;
  int key = 0;
  if (ch >= 'a' && ch <= 'z') key = Qt::Key_A + int(ch - 'a');
  else if (ch >= 'A' && ch <= 'Z') key = Qt::Key_A + int(ch - 'A');
  else if (ch >= '0' && ch <= '9') key = Qt::Key_0 + int(ch - '0');
  else if (ch == ' ') key = Qt::Key_Space;
  else if (ch == '\r') key = Qt::Key_Return;
  QString text = QString::fromUcs4(&ch, 1);
  QKeyEvent down(QEvent::KeyPress, key, Qt::NoModifier, text);
  QCoreApplication::sendEvent(w, &down);
  if (!w) return;
  QKeyEvent up(QEvent::KeyRelease, key, Qt::NoModifier, text);
  QCoreApplication::sendEvent(w, &up);
}
