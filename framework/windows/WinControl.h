#pragma once
// TWinControl: a control that owns a window (a handle in the registry, a widget behind
// it) and child controls, with focus, tab order and alignment of its children.
#include <memory>
#include <vector>

#include "framework/windows/Control.h"

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
  // The client area in window coordinates: a child window's WM_NCCALCSIZE may reserve a
  // non-client area around it (forms: inside the frame).
  TRect ClientRectInWindow() const;

  int ControlCount() const { return static_cast<int>(FControls.size()); }
  // Children in z-order, bottom first.
  TControl* Controls(int index) const { return FControls.at(static_cast<size_t>(index)); }
  void InsertControl(TControl* AControl);
  void RemoveControl(TControl* AControl);
  bool ContainsControl(const TControl* AControl) const;
  // The topmost visible enabled window-less child at a client point (or nullptr).
  TControl* ControlAtPos(TPoint p, bool allowDisabled = false) const;
  // Places aligned children (alTop, alBottom, alLeft, alRight, alClient) in the client
  // area as AdjustClientRect narrows it.
  void Realign();
  // The rectangle aligned children fill: the client rectangle (from (0, 0)), which a
  // control with a caption or border of its own shrinks here.
  virtual void AdjustClientRect(TRect& Rect);
  // Sends Message to each child in z-order (bottom first) until one sets a Result.
  void Broadcast(TMessage& Message);

  int TabOrder() const { return FTabOrder; }
  void SetTabOrder(int v);
  bool TabStop() const { return FTabStop; }
  void SetTabStop(bool v) { FTabStop = v; }
  virtual bool CanFocus() const;
  virtual void SetFocus();
  bool Focused() const;
  // The next control after (or before) current in tab order among this control's
  // descendants (only its own children with checkParent), wrapping around.
  TWinControl* FindNextControl(TWinControl* current, bool goForward, bool checkTabStop, bool checkParent = false) const;
  // Focuses that next control: Tab order with checkTabStop, the siblings for arrow keys
  // without it.
  void SelectNext(TWinControl* current, bool goForward, bool checkTabStop);

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
  // Child windows: asks WM_NCCALCSIZE for the client area again, places the client
  // inside the non-client area it leaves and repaints both (ChildNonClient.cpp).
  void FrameChanged();
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
  bool FAligning = false;
  friend class TControl;
  friend struct WindowAccess;
};

// The control behind a window handle (nullptr when the window is gone).
TWinControl* FindControl(HWND wnd);
