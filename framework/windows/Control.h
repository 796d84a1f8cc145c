#pragma once
// TControl, the base of every visual component: bounds, a parent, a caption, a font and
// a colour; it receives messages through its replaceable WindowProc. Also the shared
// input types (mouse buttons, alignment, cursors, event signatures).
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "framework/core/Component.h"
#include "framework/core/Set.h"
#include "framework/core/Types.h"
#include "framework/graphics/Font.h"
#include "framework/messages/Messages.h"
#include "framework/messages/ShiftState.h"

class TWinControl;
class TCustomForm;
class TPopupMenu;
class TCanvas;
class TBitmap;

enum class TMouseButton { mbLeft, mbRight, mbMiddle };
constexpr auto mbLeft = TMouseButton::mbLeft;
constexpr auto mbRight = TMouseButton::mbRight;
constexpr auto mbMiddle = TMouseButton::mbMiddle;

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
  // With ParentShowHint (the default) the parent's setting; setting ShowHint ends that.
  bool ShowHint() const;
  void SetShowHint(bool v) {
    FShowHint = v;
    FParentShowHint = false;
  }
  bool ParentShowHint() const { return FParentShowHint; }
  void SetParentShowHint(bool v) { FParentShowHint = v; }
  TCursor Cursor() const { return FCursor; }
  void SetCursor(TCursor v);
  // Opened by a right click (WM_CONTEXTMENU) when its AutoPopup is on; cleared when the
  // menu goes away.
  TPopupMenu* PopupMenu() const { return FPopupMenu; }
  void SetPopupMenu(TPopupMenu* v);
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

  // Expires when the control is destroyed: for holders that may outlive it.
  std::weak_ptr<const bool> Lifetime() const { return FAlive; }

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
  // WM_CONTEXTMENU (LParam: the screen point, -1 from the keyboard): opens PopupMenu when
  // it is AutoPopup, else the parent is asked. Result 1 when a menu was opened.
  virtual void WMContextMenu(TMessage& Message);
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
  bool FParentShowHint = true;
  TCursor FCursor = crDefault;
  TPopupMenu* FPopupMenu = nullptr;
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

// Paints what the parent of control shows under it into dest at (0, 0): the parent's
// background and Paint and the window-less siblings below the control.
void CopyParentImage(TControl* control, TCanvas* dest);

// The form a control lives on (nullptr when none).
TCustomForm* GetParentForm(TControl* control);
