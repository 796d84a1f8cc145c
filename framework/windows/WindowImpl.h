#pragma once
// Private: the Qt side of a window. Each TWinControl has a ClientWidget (its client
// area, holding the retained off-screen image of the client); a form also has a
// FrameWidget, the top-level window whose image holds the non-client frame.
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <map>
#include <memory>
#include <optional>

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Region.h"
#include "framework/windows/Controls.h"

class TCustomForm;
class ClientWidget;
class FrameWidget;
class NonClientWidget;

struct TWinControl::Impl {
  TWinControl* Owner = nullptr;
  QPointer<ClientWidget> Client;
  QPointer<FrameWidget> Frame;  // forms only
  // Child windows whose WM_NCCALCSIZE once reserved a non-client area: the widget of the
  // whole window, holding the client widget at ClientInWindow.
  QPointer<NonClientWidget> NonClient;
  TRect ClientInWindow;
  TBitmap ClientImage;
  TBitmap WindowImage;  // forms and child windows with a non-client area: the whole window
  bool ClientDirty = true;
  bool FrameDirty = true;
  bool Popup = false;
  std::optional<TRegion> Shape;
  Byte Alpha = 255;
  std::map<std::uintptr_t, QPointer<QTimer>> Timers;

  // The widget that is the window on screen (frame of a form, else the client widget).
  QWidget* TopWidget() const;
};

class ClientWidget : public QWidget {
 public:
  ClientWidget(TWinControl* control, QWidget* parent, Qt::WindowFlags flags = {});
  TWinControl* Control = nullptr;  // cleared when the control lets go of the widget

 protected:
  bool event(QEvent* e) override;
  void paintEvent(QPaintEvent* e) override;
  void mousePressEvent(QMouseEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;
  void mouseDoubleClickEvent(QMouseEvent* e) override;
  void mouseMoveEvent(QMouseEvent* e) override;
  void wheelEvent(QWheelEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;
  void keyReleaseEvent(QKeyEvent* e) override;
  void focusInEvent(QFocusEvent* e) override;
  void focusOutEvent(QFocusEvent* e) override;
  void enterEvent(QEnterEvent* e) override;
  void leaveEvent(QEvent* e) override;
  void moveEvent(QMoveEvent* e) override;
  void resizeEvent(QResizeEvent* e) override;
  void closeEvent(QCloseEvent* e) override;
  bool focusNextPrevChild(bool next) override;
};

// The whole window of a child control with a non-client area; its mouse input outside
// the client widget becomes WM_NCHITTEST and the WM_NC* mouse messages.
class NonClientWidget : public QWidget {
 public:
  NonClientWidget(TWinControl* control, QWidget* parent);
  TWinControl* Control = nullptr;  // cleared when the control lets go of the widget

 protected:
  void paintEvent(QPaintEvent* e) override;
  void mousePressEvent(QMouseEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;
  void mouseDoubleClickEvent(QMouseEvent* e) override;
  void mouseMoveEvent(QMouseEvent* e) override;
  void leaveEvent(QEvent* e) override;
};

class FrameWidget : public QWidget {
 public:
  FrameWidget(TCustomForm* form, Qt::WindowFlags flags);
  TCustomForm* Form = nullptr;

 protected:
  bool event(QEvent* e) override;
  void paintEvent(QPaintEvent* e) override;
  void mousePressEvent(QMouseEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;
  void mouseDoubleClickEvent(QMouseEvent* e) override;
  void mouseMoveEvent(QMouseEvent* e) override;
  void wheelEvent(QWheelEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;
  void keyReleaseEvent(QKeyEvent* e) override;
  void leaveEvent(QEvent* e) override;
  void moveEvent(QMoveEvent* e) override;
  void resizeEvent(QResizeEvent* e) override;
  void closeEvent(QCloseEvent* e) override;
  void changeEvent(QEvent* e) override;
};

// Reaches the protected and private parts the window functions need.
struct WindowAccess {
  static DWORD& Style(TWinControl* c) { return c->FStyle; }
  static DWORD& ExStyle(TWinControl* c) { return c->FExStyle; }
  static void Recalc(TCustomForm* f);
  static void FrameChanged(TWinControl* c) { c->FrameChanged(); }
  static void PaintWindow(TWinControl* w, TCanvas* c) { w->PaintWindow(c); }
  static void PaintControls(TWinControl* w, TCanvas* c, TControl* stopAt) { w->PaintControls(c, stopAt); }
};

// Shared plumbing, used by the widgets, the controls and the window functions.
namespace winimpl {
HWND RegisterWindow(TWinControl* control);
void UnregisterWindow(HWND wnd);
TWinControl* Lookup(HWND wnd);

// Capture: the window holding it and the control inside it (a window-less child or the window).
HWND CaptureWindow();
TControl* CaptureControl();
void SetCaptureControl(TControl* c);
void SetCaptureInternal(HWND wnd, TControl* c);

// Buttons held, as the framework last saw them (real and simulated input).
Qt::MouseButtons HeldButtons();
void NoteButtons(Qt::MouseButtons held);
// Modifiers of simulated key input (the platform's state is asked as well).
Qt::KeyboardModifiers KeyboardModifiersHeld();
void NoteModifiers(Qt::KeyboardModifiers m);

// Delivers a mouse message that arrived at control (client point) through capture,
// the application's message filter and WindowProc, guarded at the event boundary.
void DeliverMouse(TWinControl* control, UINT msg, TPoint clientPoint, WPARAM keys);
void DeliverKey(TWinControl* control, UINT msg, WPARAM wParam, LPARAM lParam);
// Once per process, under X11: held keys repeat as presses alone (KeyRepeat.cpp).
void AskForDetectableKeyRepeat();
// Sends through WindowProc, sending an escaping exception to the application's handler.
LRESULT GuardedSend(TWinControl* control, UINT msg, WPARAM wParam, LPARAM lParam);

// Renders the client image when it is marked dirty or has the wrong size.
void RenderClient(TWinControl* control);
// Renders the frame image of a form when it is marked dirty.
void RenderFrame(TCustomForm* form);
// Child windows with a non-client area (ChildNonClient.cpp): renders the window image
// (WM_NCPAINT) when it is marked dirty or has the wrong size.
void RenderNonClient(TWinControl* control);
// Places the widgets of a child window (or pop-up) at the control's bounds.
void PlaceWindowWidgets(TWinControl* control);
// A mouse message over a child window's non-client widget (screen point).
void NonClientMouse(TWinControl* control, UINT msg, TPoint screenPoint, WPARAM keys);
// The default handling of WM_NCCALCSIZE, WM_NCHITTEST and WM_NCPAINT for child windows;
// false for other messages.
bool ChildNonClientDefault(TWinControl* control, TMessage& m);
// Draws a TBitmap's pixels with a QPainter-compatible image (no copy).
void BlitImage(QWidget* w, const TBitmap& image, QPoint at = {});

// Qt key <-> virtual key.
int QtKeyToVirtualKey(int qtKey);
int VirtualKeyToQtKey(int vk);
WPARAM MouseKeys(Qt::MouseButtons buttons, Qt::KeyboardModifiers mods);
UINT MouseMessage(Qt::MouseButton button, int kind);  // kind 0 down, 1 up, 2 double
QRegion ToQRegion(const TRegion& r);

// Input policy (InputPolicy.cpp).
// Tracks the control under the screen point of a mouse message that arrived at control.
void TrackMouse(TWinControl* control, TPoint screenPoint);
// The pointer is over c (a form's frame: the form) or over none of the windows (nullptr).
void SetMouseControl(TControl* c);
// The pointer left the widget of control (no button held): whatever of it was hovered is left.
void MouseLeftWindow(TWinControl* control);
// c goes away (destroying) or stops taking input (removed, hidden, disabled): the
// hovered and the capturing control never point at it or into it afterwards.
void ForgetControl(TControl* c, bool destroying);
// A press at a window: WM_MOUSEACTIVATE (activating its top-level window unless told
// not to) and WM_PARENTNOTIFY up to the top-level window. False when the press is eaten.
bool PrepareButtonDown(TWinControl* control, UINT msg, TPoint clientPoint, int hitCode);
// Notes every key message delivered (for a lone Alt tap).
void NoteKeyMessage(UINT msg, WPARAM key);
// A key message no control handled at c: dialog keys, dialog characters, focus moves,
// the keyboard menu and closing. True when it was used.
bool RouteUnhandledKey(TWinControl* c, TMessage& m);
}  // namespace winimpl
