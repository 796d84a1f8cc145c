#pragma once
// Private: a window as the framework keeps it. The retained images, the non-client
// geometry and the window's shape live here; the widgets that show it on screen belong
// to the windowing backend (qt/WindowWidgets.h) and are reached only through the
// operations below, so that controls and forms read without the toolkit.
#include <map>
#include <memory>
#include <optional>
#include <string>

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Region.h"
#include "framework/windows/Controls.h"

class TCustomForm;
class TIcon;

struct TWinControl::Impl {
  explicit Impl(TWinControl* owner);
  ~Impl();
  Impl(const Impl&) = delete;
  Impl& operator=(const Impl&) = delete;

  TWinControl* Owner = nullptr;
  TRect ClientInWindow;
  TBitmap ClientImage;
  TBitmap WindowImage;  // forms and child windows with a non-client area: the whole window
  bool ClientDirty = true;
  bool FrameDirty = true;
  bool Popup = false;
  std::optional<TRegion> Shape;
  Byte Alpha = 255;

  // The backend's widgets: the client area, a form's frame, and the whole window of a
  // child whose WM_NCCALCSIZE once reserved a non-client area.
  struct Widgets;
  std::unique_ptr<Widgets> W;

  bool HasClient() const;
  bool HasFrame() const;
  bool HasNonClient() const;

  // The client area, inside the parent's client area (or a pop-up of its own).
  void CreateClient(TWinControl* parent);
  // A form's top-level frame, holding the client area at ClientInWindow.
  void CreateFrame(const std::string& caption, const TIcon& icon);
  // A child window's first non-client area: a window widget takes the client's place.
  void CreateNonClient();
  // Stops the window's timers and lets go of the widgets, which may be in the middle of
  // one of their own events: the event loop deletes them.
  void Release();

  // The window on screen: the frame of a form, else the window or client widget.
  bool Showing() const;
  void SetShown(bool shown);
  void AttachTo(TWinControl* parent);  // into the parent's client area, placed and shown as the control is
  void Detach();                       // hidden, out of any parent
  void Place();                        // the widgets at the control's bounds
  void SetClientShown(bool shown);
  void SetEnabled(bool enabled);
  void RaiseClient();
  void LowerClient();
  void SetCursor(TCursor cursor);
  void FocusClient();
  bool ClientHasFocus() const;
  void UpdateClient();     // repaint later
  void UpdateWindow();     // the frame or non-client widget, later

  // Forms.
  void SetFrameGeometry(const TRect& bounds);
  void SetClientGeometry(const TRect& r);
  void SetTitle(const std::string& caption);
  void SetIcon(const TIcon& icon);
  void SetFrameCursor(TCursor cursor);
  bool Minimized() const;
  void ShowMinimized();
  void ShowNormal();
  void ForgetMinimized();  // a hidden window shows normal next time
  void ShowFrame(bool minimized);  // shown, raised and activated
  void HideFrame();
  bool FrameShowing() const;
  void ActivateFrame();
  void SetModal(bool modal);
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

// Delivers a mouse message that arrived at control (client point) through capture,
// the application's message filter and WindowProc, guarded at the event boundary.
void DeliverMouse(TWinControl* control, UINT msg, TPoint clientPoint, WPARAM keys);
void DeliverKey(TWinControl* control, UINT msg, WPARAM wParam, LPARAM lParam);
// Once per process, under X11: held keys repeat as presses alone (qt/KeyRepeat.cpp).
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
// A mouse message over a child window's non-client widget (screen point).
void NonClientMouse(TWinControl* control, UINT msg, TPoint screenPoint, WPARAM keys);
// The default handling of WM_NCCALCSIZE, WM_NCHITTEST and WM_NCPAINT for child windows;
// false for other messages.
bool ChildNonClientDefault(TWinControl* control, TMessage& m);

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
