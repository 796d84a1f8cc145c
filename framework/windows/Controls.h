#pragma once
// Controls: the visual component classes. TControl has bounds, a parent, a caption, a
// font and a colour and receives messages through its replaceable WindowProc;
// TWinControl owns a window (a handle in the registry, a widget behind it) and child
// controls; TCustomControl paints its window through a canvas; TGraphicControl has no
// window and is painted and fed mouse messages by its parent.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "framework/core/Component.h"
#include "framework/core/Set.h"
#include "framework/core/Types.h"
#include "framework/graphics/Font.h"
#include "framework/windows/Messages.h"

class TWinControl;
class TCustomForm;
class TCanvas;
class TBitmap;

enum class TMouseButton { mbLeft, mbRight, mbMiddle };
constexpr auto mbLeft = TMouseButton::mbLeft;
constexpr auto mbRight = TMouseButton::mbRight;
constexpr auto mbMiddle = TMouseButton::mbMiddle;

enum class TShiftStateItem { ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble };
using TShiftState = TSet<TShiftStateItem>;
constexpr auto ssShift = TShiftStateItem::ssShift;
constexpr auto ssAlt = TShiftStateItem::ssAlt;
constexpr auto ssCtrl = TShiftStateItem::ssCtrl;
constexpr auto ssLeft = TShiftStateItem::ssLeft;
constexpr auto ssRight = TShiftStateItem::ssRight;
constexpr auto ssMiddle = TShiftStateItem::ssMiddle;
constexpr auto ssDouble = TShiftStateItem::ssDouble;

// Shift state from the MK_* key flags of a mouse message.
TShiftState MouseKeysToShiftState(WPARAM keys);
// Shift state of the keyboard at this moment (Shift, Ctrl, Alt).
TShiftState KeyboardStateToShiftState();

enum class TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };
constexpr auto alNone = TAlign::alNone;
constexpr auto alTop = TAlign::alTop;
constexpr auto alBottom = TAlign::alBottom;
constexpr auto alLeft = TAlign::alLeft;
constexpr auto alRight = TAlign::alRight;
constexpr auto alClient = TAlign::alClient;

enum class TAnchorKind { akLeft, akTop, akRight, akBottom };
using TAnchors = TSet<TAnchorKind>;
constexpr auto akLeft = TAnchorKind::akLeft;
constexpr auto akTop = TAnchorKind::akTop;
constexpr auto akRight = TAnchorKind::akRight;
constexpr auto akBottom = TAnchorKind::akBottom;

// What a control class does by itself (the classic ControlStyle).
enum class TControlStyleItem {
  csAcceptsControls, csCaptureMouse, csClickEvents, csOpaque, csSetCaption, csDoubleClicks,
  csReplicatable, csNoStdEvents
};
using TControlStyle = TSet<TControlStyleItem>;
constexpr auto csAcceptsControls = TControlStyleItem::csAcceptsControls;
constexpr auto csCaptureMouse = TControlStyleItem::csCaptureMouse;
constexpr auto csClickEvents = TControlStyleItem::csClickEvents;
constexpr auto csOpaque = TControlStyleItem::csOpaque;
constexpr auto csSetCaption = TControlStyleItem::csSetCaption;
constexpr auto csDoubleClicks = TControlStyleItem::csDoubleClicks;
constexpr auto csReplicatable = TControlStyleItem::csReplicatable;
constexpr auto csNoStdEvents = TControlStyleItem::csNoStdEvents;

// Mouse cursors (the classic crXXX numbers).
using TCursor = int;
constexpr TCursor crDefault = 0;
constexpr TCursor crNone = -1;
constexpr TCursor crArrow = -2;
constexpr TCursor crCross = -3;
constexpr TCursor crIBeam = -4;
constexpr TCursor crSizeNESW = -6;
constexpr TCursor crSizeNS = -7;
constexpr TCursor crSizeNWSE = -8;
constexpr TCursor crSizeWE = -9;
constexpr TCursor crUpArrow = -10;
constexpr TCursor crHourGlass = -11;
constexpr TCursor crDrag = -12;
constexpr TCursor crNo = -18;
constexpr TCursor crHandPoint = -21;
constexpr TCursor crSizeAll = -22;

using TMouseEvent = std::function<void(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TMouseMoveEvent = std::function<void(TObject* Sender, TShiftState Shift, int X, int Y)>;
using TKeyEvent = std::function<void(TObject* Sender, Word& Key, TShiftState Shift)>;
// Key is the typed character as a Unicode code point; setting it to 0 swallows it.
using TKeyPressEvent = std::function<void(TObject* Sender, char32_t& Key)>;
using TMouseWheelEvent = std::function<void(TObject* Sender, TShiftState Shift, int WheelDelta, TPoint MousePos, bool& Handled)>;
// The message handler chain of a control; replace it to hook, call the saved one to forward.
using TWndMethod = std::function<void(TMessage& Message)>;

class TControl : public TComponent {
 public:
  explicit TControl(TComponent* AOwner);
  ~TControl() override;
  std::string ClassName() const override { return "TControl"; }

  // Parent: the window the control lives in; setting it inserts the control there.
  TWinControl* Parent() const { return FParent; }
  virtual void SetParent(TWinControl* AParent);

  int Left() const { return FLeft; }
  int Top() const { return FTop; }
  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  void SetLeft(int v) { SetBounds(v, FTop, FWidth, FHeight); }
  void SetTop(int v) { SetBounds(FLeft, v, FWidth, FHeight); }
  void SetWidth(int v) { SetBounds(FLeft, FTop, v, FHeight); }
  void SetHeight(int v) { SetBounds(FLeft, FTop, FWidth, v); }
  // Every change of position or size goes through here (controls override it to keep sizes).
  virtual void SetBounds(int ALeft, int ATop, int AWidth, int AHeight);
  TRect BoundsRect() const { return Bounds(FLeft, FTop, FWidth, FHeight); }
  void SetBoundsRect(const TRect& r) { SetBounds(r.Left, r.Top, r.Width(), r.Height()); }
  // Client area in the control's own coordinates (forms: inside the frame).
  virtual TRect ClientRect() const;
  int ClientWidth() const { return ClientRect().Width(); }
  int ClientHeight() const { return ClientRect().Height(); }
  virtual void SetClientWidth(int v);
  virtual void SetClientHeight(int v);
  // Screen position of the client area's top-left corner.
  virtual TPoint ClientOrigin() const;
  TPoint ClientToScreen(TPoint p) const;
  TPoint ScreenToClient(TPoint p) const;

  bool Visible() const { return FVisible; }
  virtual void SetVisible(bool v);
  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }
  // Visible with every parent up to a shown top-level window.
  bool Showing() const;
  bool Enabled() const { return FEnabled; }
  virtual void SetEnabled(bool v);

  const std::string& Caption() const { return FCaption; }
  void SetCaption(const std::string& v);
  const std::string& Text() const { return FCaption; }
  void SetText(const std::string& v) { SetCaption(v); }

  TFont* Font() { return &FFont; }
  const TFont* Font() const { return &FFont; }
  void SetFont(const TFont* v) { FFont.Assign(v); }
  bool ParentFont() const { return FParentFont; }
  void SetParentFont(bool v);
  TColor Color() const { return FColor; }
  void SetColor(TColor v);
  bool ParentColor() const { return FParentColor; }
  void SetParentColor(bool v);

  TAlign Align() const { return FAlign; }
  void SetAlign(TAlign v);
  TAnchors Anchors() const { return FAnchors; }
  void SetAnchors(TAnchors v) { FAnchors = v; }

  const std::string& Hint() const { return FHint; }
  void SetHint(const std::string& v) { FHint = v; }
  bool ShowHint() const { return FShowHint; }
  void SetShowHint(bool v) { FShowHint = v; }
  TCursor Cursor() const { return FCursor; }
  void SetCursor(TCursor v);
  TComponent* PopupMenu() const { return FPopupMenu; }
  void SetPopupMenu(TComponent* v);
  TControlStyle ControlStyle() const { return FControlStyle; }
  void SetControlStyle(TControlStyle v) { FControlStyle = v; }

  // Painting: Invalidate marks for a repaint on the event loop; Update paints what is
  // marked now; Repaint = Invalidate + Update.
  virtual void Invalidate();
  void Update();
  virtual void Repaint();
  void Refresh() { Repaint(); }
  void BringToFront();
  void SendToBack();

  // Mouse capture of this control (window-less controls capture through their parent).
  bool MouseCapture() const;
  void SetMouseCapture(bool v);

  // Synchronous dispatch through WindowProc.
  LRESULT Perform(UINT Msg, WPARAM WParam, LPARAM LParam);
  void Dispatch(TMessage& Message) { WindowProc(Message); }

  // The hookable entry of every message (default: WndProc).
  TWndMethod WindowProc;
  virtual void WndProc(TMessage& Message);
  // What is done with messages no handler took (forms: default frame and loops).
  virtual void DefaultHandler(TMessage& Message);

  void Loaded() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

  TNotifyEvent OnClick;
  TNotifyEvent OnDblClick;
  TMouseEvent OnMouseDown;
  TMouseEvent OnMouseUp;
  TMouseMoveEvent OnMouseMove;
  TNotifyEvent OnMouseEnter;
  TNotifyEvent OnMouseLeave;
  TMouseWheelEvent OnMouseWheel;
  TKeyEvent OnKeyDown;
  TKeyEvent OnKeyUp;
  TKeyPressEvent OnKeyPress;
  TNotifyEvent OnResize;
  TNotifyEvent OnEnter;
  TNotifyEvent OnExit;

  // True while the pointer is over the control (between CM_MOUSEENTER and CM_MOUSELEAVE).
  bool MouseInControl() const { return FMouseInControl; }

 protected:
  virtual void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
  virtual void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);
  virtual void MouseMove(TShiftState Shift, int X, int Y);
  virtual bool DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos);
  virtual void Click();
  virtual void DblClick();
  virtual void KeyDown(Word& Key, TShiftState Shift);
  virtual void KeyUp(Word& Key, TShiftState Shift);
  virtual void KeyPress(char32_t& Key);
  virtual void Resize();
  virtual void CMMouseEnter(TMessage& Message);
  virtual void CMMouseLeave(TMessage& Message);
  virtual void CMEnabledChanged(TMessage& Message);
  virtual void CMFontChanged(TMessage& Message);
  virtual void CMColorChanged(TMessage& Message);
  virtual void CMTextChanged(TMessage& Message);
  virtual void CMVisibleChanged(TMessage& Message);
  // Called after the bounds changed (windows: moves the widget).
  virtual void BoundsChanged(bool moved, bool sized);
  virtual void ParentFontChanged();
  virtual void ParentColorChanged();
  void SendCancelMode();

  TControlStyle FControlStyle = {csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks};
  TWinControl* FParent = nullptr;
  int FLeft = 0, FTop = 0, FWidth = 0, FHeight = 0;
  bool FVisible = true;
  bool FEnabled = true;
  std::string FCaption;
  TFont FFont;
  bool FParentFont = true;
  TColor FColor = clWindow;
  bool FParentColor = false;
  TAlign FAlign = alNone;
  TAnchors FAnchors = {akLeft, akTop};
  std::string FHint;
  bool FShowHint = false;
  TCursor FCursor = crDefault;
  TComponent* FPopupMenu = nullptr;
  bool FMouseInControl = false;
  bool FClicking = false;

 private:
  void HandleMouseMessage(TMessage& Message);
  void HandleKeyMessage(TMessage& Message);
  bool FUpdatingParentFont = false;
  // Expires with the control: handlers may free it (a click that closes a form).
  std::shared_ptr<bool> FAlive = std::make_shared<bool>(true);
  friend class TWinControl;
};

// Style words of a window as GetWindowLong(GWL_STYLE / GWL_EXSTYLE) reports them.
struct TCreateParams {
  DWORD Style = 0;
  DWORD ExStyle = 0;
};

class TWinControl : public TControl {
 public:
  explicit TWinControl(TComponent* AOwner);
  ~TWinControl() override;
  std::string ClassName() const override { return "TWinControl"; }

  // The window is made on first demand.
  HWND Handle();
  HWND HandleValue() const { return FHandle; }
  bool HandleAllocated() const { return FHandle != 0; }
  void HandleNeeded() { Handle(); }
  // Makes the window again with the current CreateParams (styles re-read, frame recomputed).
  void RecreateWnd();

  int ControlCount() const { return static_cast<int>(FControls.size()); }
  // Children in z-order, bottom first.
  TControl* Controls(int index) const { return FControls.at(static_cast<size_t>(index)); }
  void InsertControl(TControl* AControl);
  void RemoveControl(TControl* AControl);
  bool ContainsControl(const TControl* AControl) const;
  // The topmost visible enabled window-less child at a client point (or nullptr).
  TControl* ControlAtPos(TPoint p, bool allowDisabled = false) const;
  // Places aligned children (alTop, alBottom, alLeft, alRight, alClient) in the client area.
  void Realign();

  int TabOrder() const { return FTabOrder; }
  void SetTabOrder(int v);
  bool TabStop() const { return FTabStop; }
  void SetTabStop(bool v) { FTabStop = v; }
  virtual bool CanFocus() const;
  virtual void SetFocus();
  bool Focused() const;
  // The next tab stop after (or before) current among this control's descendants.
  TWinControl* FindNextControl(TWinControl* current, bool goForward, bool checkTabStop) const;

  TRect ClientRect() const override;
  TPoint ClientOrigin() const override;
  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
  void Invalidate() override;
  void Repaint() override;

  // Paints the parent's background under this control into dest (canvas of this
  // control's size): the parent's erase and Paint and the window-less controls below it.
  void PaintParentBackground(TCanvas* dest);

  // The style words the window is made with; descendants add to them.
  virtual void CreateParams(TCreateParams& Params);
  DWORD Style() const { return FStyle; }
  DWORD ExStyle() const { return FExStyle; }

  // Implementation detail: the widget binding (defined in the .cpp files).
  struct Impl;
  Impl* WindowImpl() const { return FImpl.get(); }

 protected:
  void WndProc(TMessage& Message) override;
  void DefaultHandler(TMessage& Message) override;
  // Painting: WM_PAINT calls PaintWindow with the canvas of the window's off-screen
  // image, then the window-less children paint on top (PaintControls).
  virtual void PaintWindow(TCanvas* canvas);
  // Paints the visible window-less children, bottom first, stopping before stopAt.
  void PaintControls(TCanvas* canvas, TControl* stopAt = nullptr);
  virtual void CreateWnd();
  virtual void DestroyWnd();
  virtual void DoEnter();
  virtual void DoExit();
  void BoundsChanged(bool moved, bool sized) override;
  void CMVisibleChanged(TMessage& Message) override;
  void CMEnabledChanged(TMessage& Message) override;
  void CMFontChanged(TMessage& Message) override;
  void CMColorChanged(TMessage& Message) override;
  // Whether this window is a top-level one (forms, pop-ups); others are child widgets.
  virtual bool IsTopLevel() const { return false; }

  std::vector<TControl*> FControls;
  int FTabOrder = -1;
  bool FTabStop = false;
  HWND FHandle = 0;
  DWORD FStyle = 0;
  DWORD FExStyle = 0;
  std::unique_ptr<Impl> FImpl;

 private:
  void UpdateMouseOver(TControl* over);
  bool FAligning = false;
  TControl* FMouseControl = nullptr;  // window-less child under the pointer
  friend class TControl;
  friend struct WindowAccess;
};

// A window with a canvas and a Paint method.
class TCustomControl : public TWinControl {
 public:
  explicit TCustomControl(TComponent* AOwner);
  ~TCustomControl() override;
  std::string ClassName() const override { return "TCustomControl"; }
  // During WM_PAINT the canvas of the off-screen image; outside it a canvas over the
  // window's retained image (what is drawn there shows at the next blit).
  TCanvas* Canvas();

 protected:
  virtual void Paint();
  void PaintWindow(TCanvas* canvas) override;
  TCanvas* FPaintCanvas = nullptr;
};

// A control without a window; its parent paints it and routes mouse messages to it.
class TGraphicControl : public TControl {
 public:
  explicit TGraphicControl(TComponent* AOwner);
  ~TGraphicControl() override;
  std::string ClassName() const override { return "TGraphicControl"; }
  // During painting the parent's canvas, moved to the control and clipped to it;
  // outside painting a canvas over the parent's retained image, set up the same way.
  TCanvas* Canvas();
  // Called by the parent with the origin already moved and the clip set.
  void PaintOn(TCanvas* canvas);

 protected:
  virtual void Paint();
  void WndProc(TMessage& Message) override;
  TCanvas* FPaintCanvas = nullptr;
  std::unique_ptr<TCanvas> FOwnCanvas;
};

// Paints what the parent of control shows under it into dest at (0, 0): the parent's
// background and Paint and the window-less siblings below the control.
void CopyParentImage(TControl* control, TCanvas* dest);

// The control behind a window handle (nullptr when the window is gone).
TWinControl* FindControl(HWND wnd);
// The form a control lives on (nullptr when none).
TCustomForm* GetParentForm(TControl* control);
