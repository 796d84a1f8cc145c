#pragma once
// Private: the Qt side of a window. Each TWinControl has a ClientWidget (its client
// area, blitting the retained off-screen image of the client); a form also has a
// FrameWidget, the top-level window whose image holds the non-client frame; a child
// with a non-client area has a NonClientWidget around its client widget.
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <map>

#include "framework/windows/WindowImpl.h"

class TCustomForm;
class ClientWidget;
class FrameWidget;
class NonClientWidget;

struct TWinControl::Impl::Widgets {
  QPointer<ClientWidget> Client;
  QPointer<FrameWidget> Frame;  // forms only
  QPointer<NonClientWidget> NonClient;
  std::map<std::uintptr_t, QPointer<QTimer>> Timers;

  // The widget that is the window on screen (frame of a form, else the window or client widget).
  QWidget* Top() const;
};

class ClientWidget;
class FrameWidget;
class NonClientWidget;

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

namespace winimpl {
// Buttons held, as the framework last saw them (real and simulated input).
Qt::MouseButtons HeldButtons();
void NoteButtons(Qt::MouseButtons held);
// Modifiers of simulated key input (the platform's state is asked as well).
Qt::KeyboardModifiers KeyboardModifiersHeld();
void NoteModifiers(Qt::KeyboardModifiers m);

// Draws a TBitmap's pixels with a QPainter-compatible image (no copy).
void BlitImage(QWidget* w, const TBitmap& image, QPoint at = {});

// Qt key <-> virtual key.
int QtKeyToVirtualKey(int qtKey);
int VirtualKeyToQtKey(int vk);
WPARAM MouseKeys(Qt::MouseButtons buttons, Qt::KeyboardModifiers mods);
UINT MouseMessage(Qt::MouseButton button, int kind);  // kind 0 down, 1 up, 2 double
}  // namespace winimpl
