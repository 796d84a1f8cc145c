#pragma once
// TbsTrayIcon: an icon in the desktop's notification area. It reports mouse actions on
// the icon (a click only once the double-click time has passed without a second one),
// pops up a skin popup menu, cycles icons of an image list, and hides the application
// in the tray when it is minimised while MinimizeToTray is set. Where the desktop has
// no notification area the icon cannot be added: the component says so through
// OnNoNotificationArea and the application stays minimised as usual.
#include <functional>
#include <memory>
#include <string>

#include "framework/core/Component.h"
#include "framework/graphics/Icon.h"
#include "framework/windows/Control.h"
#include "framework/windows/WindowProcHook.h"
#include "skin/form/SkinFormTray.h"

class TImageList;
class TTimer;
class TWinControl;
class TbsSkinForm;
class TbsSkinPopupMenu;
class TbsTrayCallbackWindow;

using TbsCycleEvent = std::function<void(TObject* Sender, int NextIndex)>;

class TbsTrayIcon : public TComponent, public TbsFormTrayLink {
 public:
  static constexpr UINT CallbackMessage = 2048;
  static constexpr UINT IconID = 1;
  static constexpr std::size_t MaxTipLength = 127;

  explicit TbsTrayIcon(TComponent* AOwner);
  ~TbsTrayIcon() override;
  std::string ClassName() const override { return "TbsTrayIcon"; }
  void Loaded() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

  bool DesignPreview() const { return FDesignPreview; }
  void SetDesignPreview(bool v);
  TImageList* IconList() const { return FIconList; }
  void SetIconList(TImageList* v);
  bool CycleIcons() const { return FCycleIcons; }
  void SetCycleIcons(bool v);
  unsigned AnimateTimerInterval() const { return FAnimateTimerInterval; }
  void SetAnimateTimerInterval(unsigned v);
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool v) { FEnabled = v; }
  const std::string& Hint() const { return FHint; }
  void SetHint(const std::string& v);
  bool ShowHint() const { return FShowHint; }
  void SetShowHint(bool v);
  TIcon* Icon() { return &FIcon; }
  void SetIcon(const TIcon* v);
  // Adds (true) or deletes (false) the icon.
  bool IconVisible() const { return FIconVisible; }
  void SetIconVisible(bool v);
  int IconIndex() const { return FIconIndex; }
  void SetIconIndex(int v);
  TbsSkinPopupMenu* PopupMenu() const { return FPopupMenu; }
  void SetPopupMenu(TbsSkinPopupMenu* v);
  bool PopupByLeftButton() const { return FPopupByLeftButton; }
  void SetPopupByLeftButton(bool v) { FPopupByLeftButton = v; }
  bool MinimizedOnStart() const { return FMinimizedOnStart; }
  void SetMinimizedOnStart(bool v) { FMinimizedOnStart = v; }
  bool MinimizeToTray() const { return FMinimizeToTray; }
  void SetMinimizeToTray(bool v) override { FMinimizeToTray = v; }

  TNotifyEvent OnClick;
  TNotifyEvent OnDblClick;
  TMouseEvent OnMouseDown;
  TMouseEvent OnMouseUp;
  // Only where the desktop reports pointer moves over the icon (the common trays do not).
  TMouseMoveEvent OnMouseMove;
  TbsCycleEvent OnCycle;
  // The icon could not be added: the desktop has no notification area (now).
  TNotifyEvent OnNoNotificationArea;

  // Part of the window commands: brings the application back from the tray, or hides it.
  void Restore();
  void HideApplication();
  void RestoreApplication() override { Restore(); }
  void HideIcon() override { SetIconVisible(false); }
  // The skin form whose tray commands use this icon (TbsSkinForm::SetTrayIcon).
  TbsSkinForm* SkinForm() const { return FSkinForm; }
  void LinkSkinForm(TbsSkinForm* v);

  // Run-time state (tests).
  HWND CallbackWindow() const;
  bool IconShown() const { return FIconShown; }
  const std::string& Tip() const { return FTip; }
  TTimer* ClickTimer() const { return FClickTimer.get(); }
  TTimer* AnimateTimer() const { return FAnimateTimer.get(); }
  // A callback message from the notification area (LParam: the mouse message).
  void HandleCallback(TMessage& Message);
  void ClickTimerTick();
  void AnimateTimerTick();

 private:
  bool Active() const;  // outside design mode, or previewed
  bool AddIcon();
  void ModifyIcon();
  void DeleteIcon();
  void FillRecord(struct TNotifyIconData& d) const;
  bool AppWindowHook(TMessage& m);
  void OwnerHook(TMessage& m);
  void DoPopup();
  void LoadListIcon(int index);

  bool FDesignPreview = false;
  TImageList* FIconList = nullptr;
  bool FCycleIcons = false;
  unsigned FAnimateTimerInterval = 0;
  bool FEnabled = true;
  std::string FHint;
  bool FShowHint = true;
  TIcon FIcon;
  bool FIconVisible = true;
  int FIconIndex = 0;
  TbsSkinPopupMenu* FPopupMenu = nullptr;
  bool FPopupByLeftButton = false;
  bool FMinimizedOnStart = false;
  bool FMinimizeToTray = true;

  bool FIconShown = false;  // the platform holds the icon
  std::string FTip;
  UINT FTaskbarCreated = 0;
  TbsTrayCallbackWindow* FCallbackWindow = nullptr;  // owned
  std::unique_ptr<TTimer> FAnimateTimer, FClickTimer;
  bool FClickStarted = false, FClickReady = false, FDoubleClicked = false;
  int FAppHook = 0;
  TbsSkinForm* FSkinForm = nullptr;
  TWindowProcHook FOwnerHook;
  std::shared_ptr<bool> FAlive = std::make_shared<bool>(true);
};
