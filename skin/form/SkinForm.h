#pragma once
// TbsSkinForm: the component that takes over its owner form's frame. It hooks the form's
// WindowProc, keeps the active frame objects (caption buttons, caption, animations) and
// routes the non-client mouse to them, runs the frame's three timers (morph 20 ms,
// animation 25 ms, hover polling 50 ms), and owns the skin menu engine that shows the
// system menu and every skin popup menu of the form.
#include <memory>
#include <string>
#include <vector>

#include "framework/core/Component.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Font.h"
#include "framework/graphics/Icon.h"
#include "framework/windows/Application.h"
#include "framework/windows/Control.h"
#include "framework/windows/WindowProcHook.h"
#include "skin/data/SkinTypes.h"
#include "skin/form/SkinFormFade.h"
#include "skin/form/SkinFormLimits.h"
#include "skin/form/SkinFormFrameState.h"
#include "skin/form/SkinFormTypes.h"

class TCustomForm;
class TMenuItem;
class TPopupMenu;
class TTimer;
class TbsActiveSkinObject;
class TbsSkinData;
class TbsSkinMenu;
class TbsSkinPopupMenu;
class TbsFormTrayLink;
class TbsSkinHint;
class TbsTrayIcon;

class TbsSkinForm : public TComponent {
 public:
  explicit TbsSkinForm(TComponent* AOwner);
  ~TbsSkinForm() override;
  std::string ClassName() const override { return "TbsSkinForm"; }
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void Destroying() override;
  void Loaded() override;

  // ---- published properties ----
  TbsSkinData* SkinData() const { return FSkinData; }
  void SetSkinData(TbsSkinData* v);
  TbsSkinData* MenusSkinData() const { return FMenusSkinData; }
  void SetMenusSkinData(TbsSkinData* v);
  TbsBorderIcons BorderIcons() const { return FBorderIcons; }
  void SetBorderIcons(TbsBorderIcons v);
  bool HideCaptionButtons() const { return FHideCaptionButtons; }
  void SetHideCaptionButtons(bool v);
  bool AlwaysShowInTray() const { return FAlwaysShowInTray; }
  void SetAlwaysShowInTray(bool v) { FAlwaysShowInTray = v; }
  bool AlwaysMinimizeToTray() const { return FAlwaysMinimizeToTray; }
  void SetAlwaysMinimizeToTray(bool v) { FAlwaysMinimizeToTray = v; }
  bool LogoBitMapTransparent() const { return FLogoBitMapTransparent; }
  void SetLogoBitMapTransparent(bool v) { FLogoBitMapTransparent = v; }
  TBitmap* LogoBitMap() { return &FLogoBitMap; }
  bool UseSkinFontInMenu() const;
  void SetUseSkinFontInMenu(bool v);
  bool ShowIcon() const { return FShowIcon; }
  void SetShowIcon(bool v);
  // What the system-menu button shows with ShowIcon: the form's icon, else the
  // application's, else the standard one, copied once at the small-icon size.
  const TIcon* SmallIcon();
  static TPoint SmallIconSize();
  bool MaximizeOnFullScreen() const { return FMaximizeOnFullScreen; }
  void SetMaximizeOnFullScreen(bool v) { FMaximizeOnFullScreen = v; }
  bool AlphaBlend() const { return FAlphaBlend; }
  void SetAlphaBlend(bool v);
  bool AlphaBlendAnimation() const { return FAlphaBlendAnimation; }
  void SetAlphaBlendAnimation(bool v) { FAlphaBlendAnimation = v; }
  Byte AlphaBlendValue() const { return FAlphaBlendValue; }
  void SetAlphaBlendValue(Byte v);
  bool ShowObjectHint() const { return FShowObjectHint; }
  void SetShowObjectHint(bool v) { FShowObjectHint = v; }
  bool UseDefaultObjectHint() const { return FUseDefaultObjectHint; }
  void SetUseDefaultObjectHint(bool v);
  bool MenusAlphaBlend() const { return FMenusAlphaBlend; }
  void SetMenusAlphaBlend(bool v);
  bool MenusAlphaBlendAnimation() const { return FMenusAlphaBlendAnimation; }
  void SetMenusAlphaBlendAnimation(bool v);
  Byte MenusAlphaBlendValue() const { return FMenusAlphaBlendValue; }
  void SetMenusAlphaBlendValue(Byte v);
  TFont* DefCaptionFont() { return &FDefCaptionFont; }
  TFont* DefInActiveCaptionFont() { return &FDefInActiveCaptionFont; }
  int DefMenuItemHeight() const;
  void SetDefMenuItemHeight(int v);
  TFont* DefMenuItemFont();
  bool UseDefaultSysMenu() const { return FUseDefaultSysMenu; }
  void SetUseDefaultSysMenu(bool v) { FUseDefaultSysMenu = v; }
  TPopupMenu* SystemMenu() const { return FSystemMenu; }
  void SetSystemMenu(TPopupMenu* v);
  int MinHeight() const { return FMinHeight; }
  void SetMinHeight(int v) { FMinHeight = v; }
  int MinWidth() const { return FMinWidth; }
  void SetMinWidth(int v) { FMinWidth = v; }
  bool Magnetic() const { return FMagnetic; }
  void SetMagnetic(bool v) { FMagnetic = v; }
  Byte MagneticSize() const { return FMagneticSize; }
  void SetMagneticSize(Byte v) { FMagneticSize = v; }
  int ClientWidth() const { return FClientWidth; }
  void SetClientWidth(int v) { FClientWidth = v; }
  int ClientHeight() const { return FClientHeight; }
  void SetClientHeight(int v) { FClientHeight = v; }

  // ---- published events ----
  TNotifyEvent OnChangeSkinData;
  TbsMouseUpEvent OnMouseUpEvent;
  TbsMouseDownEvent OnMouseDownEvent;
  TbsMouseMoveEvent OnMouseMoveEvent;
  TbsMouseEnterEvent OnMouseEnterEvent;
  TbsMouseLeaveEvent OnMouseLeaveEvent;
  TbsPaintEvent OnPaintEvent;
  TNotifyEvent OnActivate;
  TNotifyEvent OnDeActivate;
  TNotifyEvent OnSkinMenuOpen;
  TNotifyEvent OnSkinMenuClose;
  TNotifyEvent OnChangeRollUpState;
  TNotifyEvent OnMinimizeToTray;
  TNotifyEvent OnRestoreFromTray;
  // Kept for stored layouts: there is no main menu bar to enter or leave yet.
  TNotifyEvent OnMainMenuEnter;
  TNotifyEvent OnMainMenuExit;
  TbsActivateCustomObjectEvent OnActivateCustomObject;

  // ---- run-time state ----
  TCustomForm* OwnerForm() const { return FForm; }
  TbsSkinMenu* SkinMenu() const { return FSkinMenu; }
  // The skin of the menus: MenusSkinData, else SkinData.
  TbsSkinData* MenuSkinData() const;
  bool SkinActive() const { return FSkinActive; }
  // The form counts as active: always-draw-as-active, else the platform's active form.
  bool FormActive() const;
  void SetAlwaysDrawAsActive(bool v) { FAlwaysActive = v; }
  TbsWindowState WindowState() const { return FWindowState; }
  bool RollUpState() const { return FRollUpState; }

  int ObjectCount() const { return int(FObjects.size()); }
  TbsActiveSkinObject* Objects(int index) const;
  int IndexOfObject(const std::string& idName) const;
  int HotIndex() const { return FHotIndex; }
  int PressedIndex() const { return FPressedIndex; }

  TTimer* MorphTimer() const { return FMorphTimer.get(); }
  TTimer* AnimationTimer() const { return FAnimationTimer.get(); }
  TTimer* HoverTimer() const { return FHoverTimer.get(); }
  void StartMorphTimer();
  void StartAnimationTimer();

  // Draws one object on the window now (skipped for a form without border).
  void DrawObject(TbsActiveSkinObject* object);
  // Hover tracking at a point in window coordinates.
  void TrackHover(TPoint windowPoint, bool activate = true);
  void ResetObjectStates();
  void UpdateActiveState(bool repaint);
  // Default caption buttons, visibility and hints.
  void CreateDefaultButtons();
  void ApplyButtonVisibility();
  void FillObjectHints();

  // Frame geometry: the client rectangle in window coordinates and the caption height.
  TRect FrameClientRect() const;
  // The skin draws the frame (else the default frame is drawn).
  bool SkinFrame() const;
  // The frame's cached size, geometry, window shape and last caption text.
  const TbsSkinFormFrameState& FrameState() const { return FFrame; }
  // The hit-test code of a point in window coordinates.
  int FrameHitTest(TPoint p);
  int DefaultCaptionHeight() const;
  TPoint WindowToScreen(TPoint p) const;
  TPoint ScreenToWindow(TPoint p) const;

  // ---- window commands (the objects and the system menu call these) ----
  void CloseForm();
  void MinimizeForm();
  void MaximizeForm();
  void RestoreForm();
  void SetRollUpState(bool v);
  // Rolled up while maximised (restoring then unrolls too).
  bool RollUpFromMaximized() const { return FRollUpFromMaximized; }
  void MinimizeToTray();
  void RestoreFromTray();
  // The tray icon the tray commands act through (nullptr: they do nothing).
  TbsFormTrayLink* TrayLink() const { return FTrayLink; }
  void SetTrayLink(TbsFormTrayLink* v);
  // The tray menu: restore from the tray, a separator, close.
  TbsSkinPopupMenu* TrayMenu();
  // The tray icon the tray commands use (its link); setting it hands it the tray menu.
  TbsTrayIcon* TrayIcon() const;
  void SetTrayIcon(TbsTrayIcon* v);
  // The hint component that shows the caption objects' hints (with ShowObjectHint).
  TbsSkinHint* SkinHint() const { return FSkinHint; }
  void SetSkinHint(TbsSkinHint* v);
  void ShowObjectHintOf(const std::string& hint, bool show);
  void HideObjectHint();
  // The minimum and maximum size for the current skin and state.
  TbsFormSizeLimits SizeLimits() const;
  // Makes the platform recompute the frame: the width changes by one pixel and back.
  void NudgeWidth();
  // The alpha and fade-in of the form.
  TbsFormFade* Fade() { return &FFade; }
  // What a caption button or a button-style animation does for its command.
  void ObjectCommand(TStdCommand command, TbsActiveSkinObject* object);
  // An object's rectangle in screen coordinates.
  TRect ObjectScreenRect(const TbsActiveSkinObject* object) const;
  // Fills the component's own system menu (or the user's) for the current state.
  TPopupMenu* BuildSystemMenu();
  // Shows the system menu at the anchor (screen coordinates; a zero-size rectangle is
  // a point).
  void ShowSystemMenu(TRect anchor);

  // ---- menus ----
  // Before a skin menu opens: the application message handler, the open flag and
  // OnSkinMenuOpen (once).
  void PrepareForMenu();
  // After the skin menu closed: restores the handler, releases a menu button, fires
  // OnSkinMenuClose.
  void MenuClosed();
  // Closes every open skin menu level (the menu-closed steps follow).
  void CloseSkinMenus();
  bool MenuOpen() const { return FMenuOpen; }
  // Pops up the sub-items of item at a rectangle in screen coordinates.
  void PopupMenuItem(TMenuItem* item, TRect screenRect, bool upward, TControl* opener = nullptr);

 protected:
  void HookWndProc(TMessage& m);
  // The frame's part of the hook; true when the message was handled (and forwarded
  // where that applies).
  bool FrameMessage(TMessage& m);
  void ShortCut(TMessage& m, bool& handled);
  void RebuildFrame(int width, int height);
  void UpdateRegion();
  void LayoutSkinObjects();
  int SkinHitTest(TPoint p);
  bool SizeableNow() const;
  void PaintClientBackground(TCanvas* canvas);
  void CaptionFontChanged();
  // The window-command side of the hook, before the message goes on: size limits,
  // moving, alpha on show and hide, the fade timer. False when the component went away.
  bool WindowCommandMessage(TMessage& m);
  bool CanBlend() const;
  void RunFadeIn();
  void Forward(TMessage& m);
  void ApplySkin();
  void CreateSkinObjects();
  void ClearObjects();
  void DefaultLayout();
  int DefaultHitTest(TPoint p);
  void PaintDefaultFrame();
  void PaintSkinFrame();
  void NonClientMouse(TMessage& m, int hitCode);
  void ObjectMouseDown(TMouseButton button, TPoint p);
  // p goes to the object; releasePoint (window coordinates) is where the release was.
  void ObjectMouseUp(TMouseButton button, TPoint p, TPoint releasePoint);
  void MorphTimerTick();
  void AnimationTimerTick();
  void HoverTimerTick();
  void AppMessage(TMessage& msg, HWND target, bool& handled);
  void CloseMenusOnInput();
  // The message moves activation or focus to one of the form's own menu windows.
  bool ToOwnMenu(const TMessage& m) const;
  void Unhook();
  int MinimumHeight() const;
  int MinimumWidth() const;
  TRect FRestoreRect;
  bool FLastActive = false;
  TRect FDefaultCaptionRect;
  TbsSkinFormFrameState FFrame;
  bool FSkinChanging = false;

  TCustomForm* FForm = nullptr;
  TWindowProcHook FHook;
  std::vector<std::unique_ptr<TbsActiveSkinObject>> FObjects;
  int FHotIndex = -1, FOldHotIndex = -1, FPressedIndex = -1;
  bool FSkinActive = false;
  bool FAlwaysActive = false;
  bool FInSizeMove = false;
  TbsWindowState FWindowState = TbsWindowState::wsNormal;
  bool FRollUpState = false;
  bool FRollUpFromMaximized = false;
  // A press is activating the form: on X the activation arrives later, yet the press
  // belongs to an active form already.
  bool FMouseActivating = false;
  TbsFormFade FFade;
  TbsFormTrayLink* FTrayLink = nullptr;
  TbsSkinHint* FSkinHint = nullptr;
  TbsSkinPopupMenu* FTrayMenu = nullptr;
  int FSavedHeight = 0;
  std::unique_ptr<TTimer> FMorphTimer, FAnimationTimer, FHoverTimer;
  TbsSkinMenu* FSkinMenu = nullptr;
  TPopupMenu* FDefaultSystemMenu = nullptr;
  bool FMenuOpen = false;
  bool FHandlerInstalled = false;
  TMessageEvent FSavedOnMessage;
  std::shared_ptr<bool> FAlive = std::make_shared<bool>(true);

  TbsSkinData* FSkinData = nullptr;
  TbsSkinData* FMenusSkinData = nullptr;
  TPopupMenu* FSystemMenu = nullptr;
  TbsBorderIcons FBorderIcons = {biSystemMenu, biMinimize, biMaximize, biRollUp};
  bool FHideCaptionButtons = false;
  bool FAlwaysShowInTray = false;
  bool FAlwaysMinimizeToTray = false;
  bool FLogoBitMapTransparent = false;
  TBitmap FLogoBitMap;
  bool FShowIcon = false;
  TIcon FSmallIcon;
  bool FMaximizeOnFullScreen = false;
  bool FAlphaBlend = false;
  bool FAlphaBlendAnimation = false;
  Byte FAlphaBlendValue = 200;
  bool FShowObjectHint = false;
  bool FUseDefaultObjectHint = true;
  bool FMenusAlphaBlend = false;
  bool FMenusAlphaBlendAnimation = false;
  Byte FMenusAlphaBlendValue = 200;
  TFont FDefCaptionFont, FDefInActiveCaptionFont;
  bool FUseDefaultSysMenu = true;
  int FMinHeight = 0, FMinWidth = 0;
  bool FMagnetic = false;
  Byte FMagneticSize = 5;
  int FClientWidth = 0, FClientHeight = 0;
};

// The first TbsSkinForm among the components of form (nullptr when none).
TbsSkinForm* FindSkinForm(const TComponent* form);
