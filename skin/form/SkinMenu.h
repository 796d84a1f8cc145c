#pragma once
// TbsSkinMenu: the skin menu engine of one skinned form. It opens a stack of pop-up
// windows (level 0 first) for a menu item's sub-items, handles the sub-menu delay, the
// keys the form hands it while a menu is open, and closes levels; it reports its closing
// to the owner form and the opening control (SKINMSG_MENUCLOSED) and a chosen command to
// the opening control (SKINMSG_MENUCOMMAND).
#include <memory>
#include <vector>

#include "framework/core/Component.h"
#include "framework/graphics/Font.h"
#include "framework/windows/Control.h"

class TMenuItem;
class TTimer;
class TbsSkinData;
class TbsSkinForm;
class TbsSkinPopupWindow;
class TbsSkinMenuItem;

class TbsSkinMenu : public TComponent {
 public:
  static constexpr unsigned SubMenuDelay = 500;

  explicit TbsSkinMenu(TComponent* AOwner);
  ~TbsSkinMenu() override;
  std::string ClassName() const override { return "TbsSkinMenu"; }
  void Notification(TComponent* AComponent, TOperation Operation) override;

  // ---- settings (forwarded from the skin form) ----
  bool UseSkinFont() const { return FUseSkinFont; }
  void SetUseSkinFont(bool v) { FUseSkinFont = v; }
  int ItemHeight() const { return FItemHeight; }
  // Values <= 0 are ignored.
  void SetItemHeight(int v) {
    if (v > 0) FItemHeight = v;
  }
  TFont* ItemFont() { return &FItemFont; }
  bool AlphaBlend() const { return FAlphaBlend; }
  void SetAlphaBlend(bool v) { FAlphaBlend = v; }
  bool AlphaBlendAnimation() const { return FAlphaBlendAnimation; }
  void SetAlphaBlendAnimation(bool v) { FAlphaBlendAnimation = v; }
  Byte AlphaBlendValue() const { return FAlphaBlendValue; }
  void SetAlphaBlendValue(Byte v) { FAlphaBlendValue = v; }

  TbsSkinForm* SkinForm() const { return FSkinForm; }
  TbsSkinData* SkinData() const { return FSkinData; }

  // Opens the sub-items of item from firstIndex at the anchor (screen coordinates; a
  // zero-size rectangle is a point). Open windows are closed first. Shows nothing when
  // the item has no visible sub-items there. True when a window opened; otherwise the
  // opener hears nothing, and the form's menu-closed steps have run.
  bool Popup(TControl* opener, TbsSkinData* skinData, bool upward, TMenuItem* item, TRect anchor,
             int firstIndex = 0);
  // The sub-items of two items one after the other in one window.
  bool Popup2(TControl* opener, TbsSkinData* skinData, bool upward, TMenuItem* item1, TMenuItem* item2,
              TRect anchor, int firstIndex = 0);
  // Frees the windows from the top down to level n (level 0 closes the menu).
  void CloseToLevel(int n);
  // Closes every level and tells the owner form and the opening control.
  void CloseAll();

  bool MenuOpen() const { return FMenuOpen; }
  int LevelCount() const { return int(FWindows.size()); }
  TbsSkinPopupWindow* Windows(int level) const;
  int LevelOf(const TbsSkinPopupWindow* w) const;
  TbsSkinPopupWindow* Deepest() const;
  bool IsMenuWindow(HWND wnd) const;
  TControl* Opener() const { return FOpener; }
  TControl* LastOpener() const { return FLastOpener; }
  TRect WorkArea() const { return FWorkArea; }
  bool FirstWindow() const { return FFirstWindow; }
  TTimer* SubMenuTimer() const { return FSubMenuTimer.get(); }
  TbsSkinMenuItem* PendingItem() const { return FPendingItem; }

  // Keys while a menu is open (from the form's message handler): true when used.
  // Accelerators come as typed characters, so that any character a caption's "&" marks
  // answers, whatever key and keyboard layout produced it.
  bool ProcessKey(Word key);
  bool ProcessChar(char32_t ch);
  // An item was selected by the mouse or lost its selection (sub-menu delay).
  void ArmSubMenu(TbsSkinMenuItem* item);
  void CancelPending(const TbsSkinMenuItem* item);
  // Opens the sub-menu of the item of window w (its sub-items at the item's rectangle).
  void OpenSubMenu(TbsSkinPopupWindow* w, int index);
  // Chooses a plain item: closes everything, then dispatches its command.
  void Activate(TMenuItem* item);
  // The level a window was made for was closed under it (pending items).
  void ForgetItemsOf(const TbsSkinPopupWindow* w);
  // Expires with the menu: click handlers may free the form and its menu.
  std::weak_ptr<bool> AliveToken() const { return FAlive; }

 private:
  bool Open(TControl* opener, TbsSkinData* skinData, bool upward, const std::vector<TMenuItem*>& items,
            TRect anchor, int firstIndex);
  TbsSkinPopupWindow* NewWindow(const std::vector<TMenuItem*>& sources, int firstIndex, const TRect& anchor,
                                bool subMenu, bool upward);
  void SubMenuTimerTick();
  void SetOpener(TControl* c);
  void SetLastOpener(TControl* c);

  TbsSkinForm* FSkinForm = nullptr;
  bool FUseSkinFont = true;
  int FItemHeight = 20;
  TFont FItemFont;
  bool FAlphaBlend = false;
  bool FAlphaBlendAnimation = false;
  Byte FAlphaBlendValue = 150;
  TbsSkinData* FSkinData = nullptr;
  std::vector<TbsSkinPopupWindow*> FWindows;
  bool FMenuOpen = false;
  bool FFirstWindow = false;
  TRect FWorkArea;
  TControl* FOpener = nullptr;
  TControl* FLastOpener = nullptr;
  TbsSkinMenuItem* FPendingItem = nullptr;
  std::unique_ptr<TTimer> FSubMenuTimer;
  // Closed windows wait here until the event loop is back (a window may close from
  // inside its own message) and are freed then.
  std::vector<TbsSkinPopupWindow*> FGarbage;
  std::unique_ptr<TTimer> FGarbageTimer;
  void FreeGarbage();
  std::shared_ptr<bool> FAlive = std::make_shared<bool>(true);
};
