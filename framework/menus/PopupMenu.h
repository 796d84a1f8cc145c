#pragma once
// A context menu. Popup fires OnPopup and hands the menu to whoever shows menus: the
// menu's own OnPopupShow, else the program-wide handler (the skin menu engine installs
// one). With neither, nothing is shown; the caller learns whether a menu opened.
#include <functional>

#include "framework/core/Types.h"
#include "framework/menus/Menu.h"

class TPopupMenu;

// Shows Menu at Anchor, a screen rectangle: a point (zero size) for a context menu, a
// control's rectangle for a drop-down, which opens below it, or above when it would not
// fit below. True when a menu opened (an empty menu, hidden items or no one to show it:
// false).
using TPopupHandler = std::function<bool(TPopupMenu* Menu, const TRect& Anchor)>;

class TPopupMenu : public TMenu {
 public:
  explicit TPopupMenu(TComponent* AOwner);
  ~TPopupMenu() override;
  std::string ClassName() const override { return "TPopupMenu"; }

  // Whether a right click on a control that names this menu opens it (default true).
  bool AutoPopup() const { return FAutoPopup; }
  void SetAutoPopup(bool Value) { FAutoPopup = Value; }
  // The control that opened the menu last; cleared when that component goes away.
  TComponent* PopupComponent() const { return FPopupComponent; }
  void SetPopupComponent(TComponent* Value);
  // The screen point of the last Popup.
  TPoint PopupPoint() const { return FPopupPoint; }

  // Records the point, fires OnPopup, then calls OnPopupShow or the program-wide
  // handler. The menu may be freed by OnPopup; nothing is touched afterwards then.
  virtual void Popup(int X, int Y);
  // The same for a drop-down at a control's screen rectangle; true when a menu opened.
  bool PopupAtRect(const TRect& Anchor);

  TNotifyEvent OnPopup;
  // Per-menu replacement of the program-wide handler.
  TPopupHandler OnPopupShow;

  // The program-wide handler; returns the previous one so that it can be restored.
  static TPopupHandler SetPopupHandler(TPopupHandler Handler);
  static const TPopupHandler& PopupHandler();

  void Notification(TComponent* AComponent, TOperation Operation) override;

 protected:
  virtual void DoPopup(TObject* Sender);

 private:
  bool FAutoPopup = true;
  TComponent* FPopupComponent = nullptr;
  TPoint FPopupPoint;
};
