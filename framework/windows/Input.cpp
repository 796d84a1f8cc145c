// Test input through the widgets' own event handlers, and rendering windows into bitmaps.
#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QWheelEvent>

#include "framework/graphics/Bitmap.h"
#include "framework/windows/Forms.h"
#include "framework/windows/Input.h"
#include "framework/windows/WindowImpl.h"
#include "framework/windows/Windows.h"

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
    if (!PtInRect(client, sp) && impl->Frame) {
      t.Widget = impl->Frame;
      t.Origin = Point(f->Left(), f->Top());
      return t;
    }
  } else if (impl->NonClient) {
    TRect client = c->ClientRect();
    TPoint o = c->ClientOrigin();
    OffsetRect(client, o.X, o.Y);
    if (!PtInRect(client, sp)) {
      TRect in = c->ClientRectInWindow();
      t.Widget = impl->NonClient;
      t.Origin = Point(o.X - in.Left, o.Y - in.Top);
      return t;
    }
  }
  t.Widget = impl->Client;
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
  QWidget* w = target->WindowImpl()->Client;
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
  QPointer<QWidget> w = target->WindowImpl()->Client.data();
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

// ---------------------------------------------------------------------------------------
namespace {
void CopyPixels(const TBitmap& src, TBitmap& dst, TPoint off, const TRect& clip) {
  for (int y = 0; y < src.Height(); ++y) {
    int dy = y + off.Y;
    if (dy < clip.Top || dy >= clip.Bottom || dy < 0 || dy >= dst.Height()) continue;
    const TPixel* s = src.ScanLine(y);
    TPixel* d = dst.ScanLine(dy);
    for (int x = 0; x < src.Width(); ++x) {
      int dx = x + off.X;
      if (dx < clip.Left || dx >= clip.Right || dx < 0 || dx >= dst.Width()) continue;
      d[dx] = s[x];
    }
  }
}

// Only the part of a child window inside its region (window coordinates) shows.
void CopyShaped(const TBitmap& src, TBitmap& dst, TPoint off, const TRect& clip, const TRegion& shape) {
  for (int y = 0; y < src.Height(); ++y) {
    int dy = y + off.Y;
    if (dy < clip.Top || dy >= clip.Bottom || dy < 0 || dy >= dst.Height()) continue;
    const TPixel* s = src.ScanLine(y);
    TPixel* d = dst.ScanLine(dy);
    for (int x = 0; x < src.Width(); ++x) {
      int dx = x + off.X;
      if (dx < clip.Left || dx >= clip.Right || dx < 0 || dx >= dst.Width() || !shape.Contains(x, y)) continue;
      d[dx] = s[x];
    }
  }
}

void ComposeClient(TWinControl* c, TBitmap& out, TPoint off, TRect clip) {
  if (!c->WindowImpl()) return;
  HWND h = c->HandleValue();
  if (c->WindowImpl()->NonClient && c->Parent()) {
    // The whole window first, then the client where the non-client area leaves it.
    RenderNonClient(c);
    if (!IsWindow(h)) return;
    CopyPixels(c->WindowImpl()->WindowImage, out, off, clip);
    TRect in = c->ClientRectInWindow();
    OffsetRect(in, off.X, off.Y);
    off = in.TopLeft();
    if (!IntersectRect(clip, clip, in)) return;
  }
  RenderClient(c);
  if (!IsWindow(h)) return;
  const std::optional<TRegion>& shape = c->WindowImpl()->Shape;
  if (shape && c->Parent())
    CopyShaped(c->WindowImpl()->ClientImage, out, off, clip, *shape);
  else
    CopyPixels(c->WindowImpl()->ClientImage, out, off, clip);
  for (int i = 0; i < c->ControlCount(); ++i) {
    auto* w = dynamic_cast<TWinControl*>(c->Controls(i));
    if (!w || !w->Visible()) continue;
    w->Handle();
    TRect r = Bounds(off.X + w->Left(), off.Y + w->Top(), w->Width(), w->Height());
    TRect inner;
    if (!IntersectRect(inner, r, clip)) continue;
    ComposeClient(w, out, r.TopLeft(), inner);
  }
}

void ApplyShape(TWinControl* c, TBitmap& out) {
  if (!c->WindowImpl() || !c->WindowImpl()->Shape) return;
  const TRegion& shape = *c->WindowImpl()->Shape;
  for (int y = 0; y < out.Height(); ++y) {
    TPixel* row = out.ScanLine(y);
    for (int x = 0; x < out.Width(); ++x)
      if (!shape.Contains(x, y)) row[x] = 0;
  }
}
}  // namespace

void PaintTo(TWinControl* w, TBitmap* out) {
  if (!w || !out) return;
  HWND h = w->Handle();
  out->SetSize(std::max(0, w->Width()), std::max(0, w->Height()));
  if (auto* f = dynamic_cast<TCustomForm*>(w)) {
    RenderFrame(f);
    if (!IsWindow(h)) return;
    TRect all = Rect(0, 0, out->Width(), out->Height());
    CopyPixels(f->WindowImpl()->WindowImage, *out, Point(0, 0), all);
    TRect client = f->ClientRectInWindow();
    ComposeClient(f, *out, client.TopLeft(), client);
  } else {
    ComposeClient(w, *out, Point(0, 0), Rect(0, 0, out->Width(), out->Height()));
  }
  if (IsWindow(h)) ApplyShape(w, *out);
}
