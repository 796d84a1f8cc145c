// The widgets behind windows: Qt events become the framework's messages here.
#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>
#include <set>
#include <string>

#include "framework/windows/Application.h"
#include "framework/windows/Forms.h"
#include "framework/windows/qt/WindowWidgets.h"
#include "framework/windows/Windows.h"

namespace winimpl {
WPARAM MouseKeys(Qt::MouseButtons b, Qt::KeyboardModifiers mods) {
  WPARAM k = 0;
  if (b & Qt::LeftButton) k |= MK_LBUTTON;
  if (b & Qt::RightButton) k |= MK_RBUTTON;
  if (b & Qt::MiddleButton) k |= MK_MBUTTON;
  if (mods & Qt::ShiftModifier) k |= MK_SHIFT;
  if (mods & Qt::ControlModifier) k |= MK_CONTROL;
  return k;
}

UINT MouseMessage(Qt::MouseButton button, int kind) {
  UINT base = WM_LBUTTONDOWN;
  if (button == Qt::RightButton) base = WM_RBUTTONDOWN;
  if (button == Qt::MiddleButton) base = WM_MBUTTONDOWN;
  return base + UINT(kind);
}

int QtKeyToVirtualKey(int k) {
  if (k >= Qt::Key_A && k <= Qt::Key_Z) return 'A' + (k - Qt::Key_A);
  if (k >= Qt::Key_0 && k <= Qt::Key_9) return '0' + (k - Qt::Key_0);
  if (k >= Qt::Key_F1 && k <= Qt::Key_F24) return VK_F1 + (k - Qt::Key_F1);
  switch (k) {
    case Qt::Key_Backspace: return VK_BACK;
    case Qt::Key_Tab: case Qt::Key_Backtab: return VK_TAB;
    case Qt::Key_Return: case Qt::Key_Enter: return VK_RETURN;
    case Qt::Key_Shift: return VK_SHIFT;
    case Qt::Key_Control: return VK_CONTROL;
    case Qt::Key_Alt: return VK_MENU;
    case Qt::Key_Escape: return VK_ESCAPE;
    case Qt::Key_Space: return VK_SPACE;
    case Qt::Key_PageUp: return VK_PRIOR;
    case Qt::Key_PageDown: return VK_NEXT;
    case Qt::Key_End: return VK_END;
    case Qt::Key_Home: return VK_HOME;
    case Qt::Key_Left: return VK_LEFT;
    case Qt::Key_Up: return VK_UP;
    case Qt::Key_Right: return VK_RIGHT;
    case Qt::Key_Down: return VK_DOWN;
    case Qt::Key_Insert: return VK_INSERT;
    case Qt::Key_Delete: return VK_DELETE;
    default: return 0;
  }
}

int VirtualKeyToQtKey(int vk) {
  if (vk >= 'A' && vk <= 'Z') return Qt::Key_A + (vk - 'A');
  if (vk >= '0' && vk <= '9') return Qt::Key_0 + (vk - '0');
  if (vk >= VK_F1 && vk < VK_F1 + 24) return Qt::Key_F1 + (vk - VK_F1);
  switch (vk) {
    case VK_BACK: return Qt::Key_Backspace;
    case VK_TAB: return Qt::Key_Tab;
    case VK_RETURN: return Qt::Key_Return;
    case VK_SHIFT: return Qt::Key_Shift;
    case VK_CONTROL: return Qt::Key_Control;
    case VK_MENU: return Qt::Key_Alt;
    case VK_ESCAPE: return Qt::Key_Escape;
    case VK_SPACE: return Qt::Key_Space;
    case VK_PRIOR: return Qt::Key_PageUp;
    case VK_NEXT: return Qt::Key_PageDown;
    case VK_END: return Qt::Key_End;
    case VK_HOME: return Qt::Key_Home;
    case VK_LEFT: return Qt::Key_Left;
    case VK_UP: return Qt::Key_Up;
    case VK_RIGHT: return Qt::Key_Right;
    case VK_DOWN: return Qt::Key_Down;
    case VK_INSERT: return Qt::Key_Insert;
    case VK_DELETE: return Qt::Key_Delete;
    default: return 0;
  }
}

namespace {
Qt::MouseButtons gHeld;
Qt::KeyboardModifiers gModifiers;
}  // namespace

Qt::KeyboardModifiers KeyboardModifiersHeld() { return gModifiers; }
void NoteModifiers(Qt::KeyboardModifiers m) { gModifiers = m; }
Qt::MouseButtons HeldButtons() { return gHeld; }
void NoteButtons(Qt::MouseButtons held) { gHeld = held; }

}  // namespace winimpl

using namespace winimpl;

namespace {
// Virtual keys down now: a press of one of them is a repeat of the held key.
std::set<int> gKeysDown;

// The character Alt+key types when the platform gives no text with Alt held.
char32_t AltCharacter(int vk, bool shift) {
  if (vk >= 'A' && vk <= 'Z') return shift ? char32_t(vk) : char32_t(vk - 'A' + 'a');
  if ((vk >= '0' && vk <= '9') || vk == VK_SPACE) return char32_t(vk);
  return 0;
}

// Keys: the virtual key, then each typed character as WM_CHAR. Alt makes them system
// keys and characters; F10 and Alt itself are system keys as well.
void KeyEventToMessages(TWinControl* c, QKeyEvent* e, bool down) {
  // A held key gives repeated key-downs (bit 30: the key was down already) and one key-up
  // when it is let go. Repeats come as release and press pairs marked auto-repeat, whose
  // releases are no key-ups, or (X11, KeyRepeat.cpp) as presses alone.
  if (!down && e->isAutoRepeat()) return;
  int vk = QtKeyToVirtualKey(e->key());
  HWND h = c->Handle();
  bool alt = e->modifiers() & Qt::AltModifier;
  bool sys = alt || vk == VK_F10 || vk == VK_MENU;
  if (vk) {
    bool repeat = e->isAutoRepeat();
    if (down)
      repeat = !gKeysDown.insert(vk).second || repeat;
    else
      gKeysDown.erase(vk);
    LPARAM lp = down ? (repeat ? LPARAM(0x40000001) : LPARAM(1)) : LPARAM(0xC0000001u);
    if (alt) lp |= LPARAM(0x20000000);  // the context bit: Alt is held
    UINT msg = down ? (sys ? WM_SYSKEYDOWN : WM_KEYDOWN) : (sys ? WM_SYSKEYUP : WM_KEYUP);
    DeliverKey(c, msg, WPARAM(vk), lp);
  }
  if (!down || !IsWindow(h)) return;
  c = Lookup(h);
  std::u32string chars;
  for (char32_t ch : e->text().toUcs4()) chars.push_back(ch);
  if (alt && chars.empty())
    if (char32_t ch = AltCharacter(vk, e->modifiers() & Qt::ShiftModifier)) chars.push_back(ch);
  for (char32_t ch : chars) {
    if (!IsWindow(h)) return;
    if (ch == 0 || (ch < 32 && ch != 8 && ch != 9 && ch != 13 && ch != 27)) continue;
    DeliverKey(Lookup(h), alt ? WM_SYSCHAR : WM_CHAR, WPARAM(ch), alt ? LPARAM(0x20000001) : LPARAM(1));
  }
}

TPoint Local(const QPointF& p) { return Point(int(std::floor(p.x())), int(std::floor(p.y()))); }
TPoint Global(const QPointF& p) { return Point(int(std::floor(p.x())), int(std::floor(p.y()))); }
}  // namespace

// ---------------------------------------------------------------------------------------
ClientWidget::ClientWidget(TWinControl* control, QWidget* parent, Qt::WindowFlags flags)
    : QWidget(parent, flags), Control(control) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setAttribute(Qt::WA_NoSystemBackground);
  setMouseTracking(true);
  setFocusPolicy(Qt::NoFocus);
}

bool ClientWidget::event(QEvent* e) {
  if (e->type() == QEvent::WindowActivate || e->type() == QEvent::WindowDeactivate) {
    if (Control && Control->WindowImpl() && Control->WindowImpl()->Popup) return true;
  }
  return QWidget::event(e);
}

void ClientWidget::paintEvent(QPaintEvent*) {
  if (!Control) return;
  TWinControl* c = Control;
  HWND h = c->HandleValue();
  RenderClient(c);
  if (!IsWindow(h) || !Control) return;
  BlitImage(this, c->WindowImpl()->ClientImage);
}

void ClientWidget::mousePressEvent(QMouseEvent* e) {
  NoteButtons(e->buttons());
  if (Control) DeliverMouse(Control, MouseMessage(e->button(), 0), Local(e->position()), MouseKeys(e->buttons(), e->modifiers()));
}
void ClientWidget::mouseReleaseEvent(QMouseEvent* e) {
  NoteButtons(e->buttons());
  if (Control) DeliverMouse(Control, MouseMessage(e->button(), 1), Local(e->position()), MouseKeys(e->buttons(), e->modifiers()));
}
void ClientWidget::mouseDoubleClickEvent(QMouseEvent* e) {
  NoteButtons(e->buttons());
  if (Control) DeliverMouse(Control, MouseMessage(e->button(), 2), Local(e->position()), MouseKeys(e->buttons(), e->modifiers()));
}
void ClientWidget::mouseMoveEvent(QMouseEvent* e) {
  NoteButtons(e->buttons());
  if (Control) DeliverMouse(Control, WM_MOUSEMOVE, Local(e->position()), MouseKeys(e->buttons(), e->modifiers()));
}

void ClientWidget::wheelEvent(QWheelEvent* e) {
  if (!Control) return;
  int delta = e->angleDelta().y();
  if (delta == 0) delta = e->angleDelta().x();
  TPoint sp = Global(e->globalPosition());
  WPARAM keys = MouseKeys(e->buttons(), e->modifiers());
  // Wheel input goes to the focused window as the platform does, else to this one.
  TWinControl* target = Control;
  for (QWidget* f = QApplication::focusWidget(); f; f = f->parentWidget())
    if (auto* cw = dynamic_cast<ClientWidget*>(f)) {
      if (cw->Control) target = cw->Control;
      break;
    }
  DeliverKey(target, WM_MOUSEWHEEL, MAKEWPARAM(unsigned(keys), unsigned(std::uint16_t(std::int16_t(delta)))),
             MAKELPARAM(unsigned(sp.X), unsigned(sp.Y)));
  e->accept();
}

void ClientWidget::keyPressEvent(QKeyEvent* e) {
  if (Control) KeyEventToMessages(Control, e, true);
}
void ClientWidget::keyReleaseEvent(QKeyEvent* e) {
  if (Control) KeyEventToMessages(Control, e, false);
}

void ClientWidget::focusInEvent(QFocusEvent*) {
  if (Control) GuardedSend(Control, WM_SETFOCUS, 0, 0);
}
void ClientWidget::focusOutEvent(QFocusEvent*) {
  if (Control) GuardedSend(Control, WM_KILLFOCUS, 0, 0);
}

// Enter and leave do not drive CM_MOUSEENTER / CM_MOUSELEAVE: the window system holds a
// leave back while a button is down. The mouse messages do (InputPolicy.cpp); a leave
// only tells that the pointer may have left all of our windows.
void ClientWidget::enterEvent(QEnterEvent*) {}
void ClientWidget::leaveEvent(QEvent*) {
  if (!Control) return;
  HWND h = Control->HandleValue();
  Application->Guard([&] { MouseLeftWindow(Control); });
  if (IsWindow(h)) GuardedSend(Lookup(h), WM_MOUSELEAVE, 0, 0);
}

void ClientWidget::moveEvent(QMoveEvent* e) {
  // Only a pop-up window is placed by anyone but the framework.
  if (!Control || !Control->WindowImpl() || !Control->WindowImpl()->Popup) return;
  if (e->pos().x() != Control->Left() || e->pos().y() != Control->Top())
    Control->SetBounds(e->pos().x(), e->pos().y(), Control->Width(), Control->Height());
}
void ClientWidget::resizeEvent(QResizeEvent* e) {
  if (!Control) return;
  TRect cr = Control->ClientRect();
  if (e->size().width() != cr.Width() || e->size().height() != cr.Height()) Control->WindowImpl()->ClientDirty = true;
}

void ClientWidget::closeEvent(QCloseEvent* e) { e->ignore(); }

bool ClientWidget::focusNextPrevChild(bool) { return false; }  // Tab is a key message here

// ---------------------------------------------------------------------------------------
FrameWidget::FrameWidget(TCustomForm* form, Qt::WindowFlags flags) : QWidget(nullptr, flags), Form(form) {
  AskForDetectableKeyRepeat();
  setAttribute(Qt::WA_OpaquePaintEvent);
  setAttribute(Qt::WA_NoSystemBackground);
  setMouseTracking(true);
  setFocusPolicy(Qt::NoFocus);
}

bool FrameWidget::event(QEvent* e) {
  if (e->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(e)->key() == Qt::Key_Tab) {
    keyPressEvent(static_cast<QKeyEvent*>(e));
    return true;
  }
  // Uncovered or shown by the window system: the frame is brought up to date at once.
  if (e->type() == QEvent::Show && Form) GuardedSend(Form, WM_SYNCPAINT, 0, 0);
  return QWidget::event(e);
}

void FrameWidget::paintEvent(QPaintEvent*) {
  if (!Form) return;
  TCustomForm* f = Form;
  HWND h = f->HandleValue();
  RenderFrame(f);
  if (!IsWindow(h) || !Form) return;
  BlitImage(this, f->WindowImpl()->WindowImage);
}

static void FrameMouse(FrameWidget* w, QMouseEvent* e, UINT msg) {
  NoteButtons(e->buttons());
  if (!w->Form) return;
  w->Form->NonClientMouse(msg, Global(e->globalPosition()), MouseKeys(e->buttons(), e->modifiers()));
}

void FrameWidget::mousePressEvent(QMouseEvent* e) { FrameMouse(this, e, MouseMessage(e->button(), 0)); }
void FrameWidget::mouseReleaseEvent(QMouseEvent* e) { FrameMouse(this, e, MouseMessage(e->button(), 1)); }
void FrameWidget::mouseDoubleClickEvent(QMouseEvent* e) { FrameMouse(this, e, MouseMessage(e->button(), 2)); }
void FrameWidget::mouseMoveEvent(QMouseEvent* e) { FrameMouse(this, e, WM_MOUSEMOVE); }

void FrameWidget::wheelEvent(QWheelEvent* e) {
  if (!Form) return;
  int delta = e->angleDelta().y();
  TPoint sp = Global(e->globalPosition());
  WPARAM keys = MouseKeys(e->buttons(), e->modifiers());
  DeliverKey(Form, WM_MOUSEWHEEL, MAKEWPARAM(unsigned(keys), unsigned(std::uint16_t(std::int16_t(delta)))),
             MAKELPARAM(unsigned(sp.X), unsigned(sp.Y)));
}

void FrameWidget::keyPressEvent(QKeyEvent* e) {
  if (Form) KeyEventToMessages(Form, e, true);
}
void FrameWidget::keyReleaseEvent(QKeyEvent* e) {
  if (Form) KeyEventToMessages(Form, e, false);
}

void FrameWidget::leaveEvent(QEvent*) {
  if (!Form) return;
  HWND h = Form->HandleValue();
  Application->Guard([&] { MouseLeftWindow(Form); });
  if (IsWindow(h)) GuardedSend(Lookup(h), WM_NCMOUSELEAVE, 0, 0);
}

void FrameWidget::moveEvent(QMoveEvent* e) {
  // Moved by the window system (our own moves already match).
  if (Form && (e->pos().x() != Form->Left() || e->pos().y() != Form->Top()))
    Form->SetBounds(e->pos().x(), e->pos().y(), Form->Width(), Form->Height());
}

void FrameWidget::resizeEvent(QResizeEvent* e) {
  if (Form && (e->size().width() != Form->Width() || e->size().height() != Form->Height()))
    Form->SetBounds(Form->Left(), Form->Top(), e->size().width(), e->size().height());
}

void FrameWidget::closeEvent(QCloseEvent* e) {
  // The window system's close button: the form decides through WM_CLOSE.
  e->ignore();
  if (Form) GuardedSend(Form, WM_SYSCOMMAND, SC_CLOSE, 0);
}

void FrameWidget::changeEvent(QEvent* e) {
  // One window of a minimised application brought back by the window system (its task
  // bar, a pager): the whole application comes back, or its other forms stay out of reach.
  if (e->type() == QEvent::WindowStateChange && Form && !isMinimized() &&
      (static_cast<QWindowStateChangeEvent*>(e)->oldState() & Qt::WindowMinimized) && Application->Minimized())
    Application->Guard([] { Application->Restore(); });
  if (e->type() == QEvent::ActivationChange && Form) {
    bool active = isActiveWindow();
    // Keys let go while another window had the keyboard were never seen going up.
    if (!active) gKeysDown.clear();
    HWND h = Form->HandleValue();
    GuardedSend(Form, WM_NCACTIVATE, active ? 1 : 0, 0);
    if (IsWindow(h)) GuardedSend(Lookup(h), WM_ACTIVATE, active ? WA_ACTIVE : WA_INACTIVE, 0);
  }
  QWidget::changeEvent(e);
}

// ---------------------------------------------------------------------------------------
NonClientWidget::NonClientWidget(TWinControl* control, QWidget* parent) : QWidget(parent), Control(control) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setAttribute(Qt::WA_NoSystemBackground);
  setMouseTracking(true);
  setFocusPolicy(Qt::NoFocus);
}

void NonClientWidget::paintEvent(QPaintEvent*) {
  if (!Control) return;
  TWinControl* c = Control;
  HWND h = c->HandleValue();
  RenderNonClient(c);
  if (!IsWindow(h) || !Control) return;
  BlitImage(this, c->WindowImpl()->WindowImage);
}

static void NonClientEvent(NonClientWidget* w, QMouseEvent* e, UINT msg) {
  NoteButtons(e->buttons());
  if (w->Control) NonClientMouse(w->Control, msg, Global(e->globalPosition()), MouseKeys(e->buttons(), e->modifiers()));
}

void NonClientWidget::mousePressEvent(QMouseEvent* e) { NonClientEvent(this, e, MouseMessage(e->button(), 0)); }
void NonClientWidget::mouseReleaseEvent(QMouseEvent* e) { NonClientEvent(this, e, MouseMessage(e->button(), 1)); }
void NonClientWidget::mouseDoubleClickEvent(QMouseEvent* e) { NonClientEvent(this, e, MouseMessage(e->button(), 2)); }
void NonClientWidget::mouseMoveEvent(QMouseEvent* e) { NonClientEvent(this, e, WM_MOUSEMOVE); }

void NonClientWidget::leaveEvent(QEvent*) {
  if (!Control) return;
  HWND h = Control->HandleValue();
  Application->Guard([&] { MouseLeftWindow(Control); });
  if (IsWindow(h)) GuardedSend(Lookup(h), WM_NCMOUSELEAVE, 0, 0);
}
