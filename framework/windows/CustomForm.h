#pragma once
// TCustomForm: a top-level window whose frame the framework owns. The non-client area is
// decided by WM_NCCALCSIZE, classified by WM_NCHITTEST and painted by WM_NCPAINT; the
// move and size loops run here (WM_ENTERSIZEMOVE, WM_MOVING / WM_SIZING,
// WM_GETMINMAXINFO, WM_EXITSIZEMOVE), driven by mouse messages, so a hook on
// WindowProc sees and can change every step. A form without any hook gets a simple
// default frame (3-pixel raised border, 18-pixel caption, close glyph).
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "framework/windows/Controls.h"

class TIcon;

enum class TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
constexpr auto bsNone = TFormBorderStyle::bsNone;
constexpr auto bsSingle = TFormBorderStyle::bsSingle;
constexpr auto bsSizeable = TFormBorderStyle::bsSizeable;
constexpr auto bsDialog = TFormBorderStyle::bsDialog;
constexpr auto bsToolWindow = TFormBorderStyle::bsToolWindow;
constexpr auto bsSizeToolWin = TFormBorderStyle::bsSizeToolWin;

// Scoped on purpose: the skin engine has border icons of its own with the same names.
enum class TBorderIcon { biSystemMenu, biMinimize, biMaximize, biHelp };
using TBorderIcons = TSet<TBorderIcon>;

enum class TPosition {
  poDesigned, poDefault, poDefaultPosOnly, poDefaultSizeOnly, poScreenCenter, poDesktopCenter,
  poMainFormCenter, poOwnerFormCenter
};
constexpr auto poDesigned = TPosition::poDesigned;
constexpr auto poDefault = TPosition::poDefault;
constexpr auto poDefaultPosOnly = TPosition::poDefaultPosOnly;
constexpr auto poDefaultSizeOnly = TPosition::poDefaultSizeOnly;
constexpr auto poScreenCenter = TPosition::poScreenCenter;
constexpr auto poDesktopCenter = TPosition::poDesktopCenter;
constexpr auto poMainFormCenter = TPosition::poMainFormCenter;
constexpr auto poOwnerFormCenter = TPosition::poOwnerFormCenter;

enum class TWindowState { wsNormal, wsMinimized, wsMaximized };
constexpr auto wsNormal = TWindowState::wsNormal;
constexpr auto wsMinimized = TWindowState::wsMinimized;
constexpr auto wsMaximized = TWindowState::wsMaximized;

enum class TFormStyle { fsNormal, fsMDIChild, fsMDIForm, fsStayOnTop };
constexpr auto fsNormal = TFormStyle::fsNormal;
constexpr auto fsMDIChild = TFormStyle::fsMDIChild;
constexpr auto fsMDIForm = TFormStyle::fsMDIForm;
constexpr auto fsStayOnTop = TFormStyle::fsStayOnTop;

enum class TCloseAction { caNone, caHide, caFree, caMinimize };
constexpr auto caNone = TCloseAction::caNone;
constexpr auto caHide = TCloseAction::caHide;
constexpr auto caFree = TCloseAction::caFree;
constexpr auto caMinimize = TCloseAction::caMinimize;

using TModalResult = int;
constexpr TModalResult mrNone = 0;
constexpr TModalResult mrOk = 1;
constexpr TModalResult mrCancel = 2;
constexpr TModalResult mrAbort = 3;
constexpr TModalResult mrRetry = 4;
constexpr TModalResult mrIgnore = 5;
constexpr TModalResult mrYes = 6;
constexpr TModalResult mrNo = 7;
constexpr TModalResult mrAll = 8;
constexpr TModalResult mrNoToAll = 9;
constexpr TModalResult mrYesToAll = 10;

// LParam of WM_GETMINMAXINFO points to one of these.
struct TMinMaxInfo {
  TPoint ptReserved;
  TPoint ptMaxSize;
  TPoint ptMaxPosition;
  TPoint ptMinTrackSize;
  TPoint ptMaxTrackSize;
};

// Metrics of the default frame.
constexpr int DefaultFrameBorder = 3;
constexpr int DefaultCaptionHeight = 18;  // plus a 1-pixel separator below it
constexpr int DefaultCloseButtonSize = 14;

using TCloseEvent = std::function<void(TObject* Sender, TCloseAction& Action)>;
using TCloseQueryEvent = std::function<void(TObject* Sender, bool& CanClose)>;
// A key before any control sees it; Handled stops it.
using TShortCutEvent = std::function<void(TMessage& Msg, bool& Handled)>;

class TCustomForm : public TWinControl {
 public:
  explicit TCustomForm(TComponent* AOwner);
  // While still a form: Destroying, OnDestroy, then the owned components (a component
  // that hooked WindowProc can restore the saved procedure in its destructor), then the
  // window.
  ~TCustomForm() override;
  std::string ClassName() const override { return "TCustomForm"; }

  TFormBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TFormBorderStyle v);
  TBorderIcons BorderIcons() const { return FBorderIcons; }
  void SetBorderIcons(TBorderIcons v);
  TPosition Position() const { return FPosition; }
  void SetPosition(TPosition v) { FPosition = v; }
  TWindowState WindowState() const { return FWindowState; }
  void SetWindowState(TWindowState v);
  TFormStyle FormStyle() const { return FFormStyle; }
  void SetFormStyle(TFormStyle v);
  bool KeyPreview() const { return FKeyPreview; }
  void SetKeyPreview(bool v) { FKeyPreview = v; }
  // The control that has (or gets, when the form is activated) the focus. Every change is
  // announced to all controls of the form with CM_FOCUSCHANGED (LParam: the control).
  TWinControl* ActiveControl() const { return FActiveControl; }
  void SetActiveControl(TWinControl* v);
  // Control leaves the form or goes away: ActiveControl is cleared when it is Control or
  // lies inside it.
  void DefocusControl(TControl* Control);
  TModalResult ModalResult() const { return FModalResult; }
  void SetModalResult(TModalResult v) { FModalResult = v; }
  bool Active() const { return FActive; }
  // The form's own icon (empty: the application's is shown).
  const TIcon* Icon() const { return FIcon.get(); }
  void SetIcon(const TIcon* v);
  bool AutoSize() const { return FAutoSize; }
  void SetAutoSize(bool v) { FAutoSize = v; }
  bool AutoScroll() const { return FAutoScroll; }
  void SetAutoScroll(bool v) { FAutoScroll = v; }
  // Set while ShowModal runs.
  bool Modal() const { return FModal; }

  // Client area inside the frame the last WM_NCCALCSIZE decided, in window coordinates.
  TRect ClientRect() const override;
  TRect ClientRectInWindow() const { return FClientInWindow; }
  TPoint ClientOrigin() const override;
  void SetClientWidth(int v) override;
  void SetClientHeight(int v) override;

  // Show (activating the form) and Hide are TControl's; Close asks OnCloseQuery and
  // acts on OnClose; Release frees the form once the current message is done.
  void Close();
  bool CloseQuery();
  void Release();
  // Runs a nested event loop until ModalResult is non-zero (or the form is closed,
  // which gives mrCancel); returns ModalResult.
  TModalResult ShowModal();
  void SetFocus() override;
  bool CanFocus() const override;
  // During WM_PAINT the canvas of the client image; outside it the client canvas.
  TCanvas* Canvas();

  // Reads the stored layout "resourceName" into this form, then fires OnCreate.
  void LoadLayout(const std::string& resourceName);
  void Loaded() override;
  // Fires OnCreate (the layout reader calls it after Loaded).
  void DoCreate();

  // Move / size loop state, for hooks and tests.
  bool InSizeMove() const { return FSizeMoveMode != 0; }

  TNotifyEvent OnCreate;
  TNotifyEvent OnShow;
  TNotifyEvent OnHide;
  TCloseEvent OnClose;
  TCloseQueryEvent OnCloseQuery;
  TNotifyEvent OnDestroy;
  TNotifyEvent OnActivate;
  TNotifyEvent OnDeactivate;
  TNotifyEvent OnPaint;
  TShortCutEvent OnShortCut;

  // Accepted from stored layouts and otherwise ignored.
  bool Scaled = true;
  bool OldCreateOrder = false;
  int PixelsPerInch = 96;
  int TextHeight = 13;

  // The frame widget side (window coordinates) calls these; tests reach them through
  // the mouse simulation in Input.h.
  void NonClientMouse(UINT clientMsg, TPoint screenPoint, WPARAM keys);

  void CreateParams(TCreateParams& Params) override;

 protected:
  void WndProc(TMessage& Message) override;
  void DefaultHandler(TMessage& Message) override;
  void PaintWindow(TCanvas* canvas) override;
  virtual void Paint();
  bool IsTopLevel() const override { return true; }
  virtual void DoShow();
  virtual void DoHide();
  virtual void Activate();
  virtual void Deactivate();
  void CMVisibleChanged(TMessage& Message) override;
  void BoundsChanged(bool moved, bool sized) override;
  void CreateWnd() override;
  void DoEnter() override {}
  void DoExit() override {}

  // Default non-client handling.
  virtual int DefaultHitTest(TPoint windowPoint);
  virtual void PaintDefaultFrame(TCanvas* windowCanvas);
  TRect DefaultCloseButtonRect() const;
  // Recomputes the client rectangle through WM_NCCALCSIZE and places the client widget.
  void RecalcNonClient();

  TFormBorderStyle FBorderStyle = bsSizeable;
  TBorderIcons FBorderIcons = {TBorderIcon::biSystemMenu, TBorderIcon::biMinimize, TBorderIcon::biMaximize};
  TPosition FPosition = poDesigned;
  TWindowState FWindowState = wsNormal;
  TFormStyle FFormStyle = fsNormal;
  bool FKeyPreview = false;
  TWinControl* FActiveControl = nullptr;
  TModalResult FModalResult = mrNone;
  bool FActive = false;
  // The caption's look follows WM_NCACTIVATE, which arrives before WM_ACTIVATE.
  bool FCaptionActive = false;
  bool FAutoSize = false;
  bool FAutoScroll = false;
  bool FModal = false;
  bool FCreated = false;
  TRect FClientInWindow;
  TRect FRestoreBounds;
  TCanvas* FPaintCanvas = nullptr;
  std::unique_ptr<TIcon> FIcon;

 private:
  void ApplyWindowIcon();
  friend struct WindowAccess;
  void StartSizeMove(int hitCode, TPoint screenPoint);
  void TrackSizeMove(TPoint screenPoint);
  void EndSizeMove();
  TMinMaxInfo QueryMinMaxInfo();
  void SysCommand(WPARAM cmd);
  void PlaceOnShow();
  int FSizeMoveMode = 0;  // 0 none, HTCAPTION move, sizing hit code otherwise
  TPoint FSizeMoveStart;
  TRect FSizeMoveStartRect;
  void UpdateStyleWords();
  int FCloseButtonPressed = 0;
  bool FShownOnce = false;
  TMinMaxInfo FSizeMoveLimits;
  std::shared_ptr<bool> FAlive = std::make_shared<bool>(true);
};
