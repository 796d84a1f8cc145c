#pragma once
// A menu: the root item whose sub-items are the menu's entries, an optional image list,
// and the searches the keyboard and the menu windows use (by command id, by shortcut).
// No platform menu stands behind it; the skin engine shows it.
#include <functional>
#include <memory>
#include <string>

#include "framework/core/Component.h"
#include "framework/menus/MenuItem.h"
#include "framework/messages/ShortCuts.h"
#include "framework/messages/Messages.h"

class TImageList;

enum class TFindItemKind { fkCommand, fkShortCut };
constexpr auto fkCommand = TFindItemKind::fkCommand;
constexpr auto fkShortCut = TFindItemKind::fkShortCut;

// Source: the item that changed (nullptr: the menu as a whole); Rebuild: items came or went.
using TMenuChangeEvent = std::function<void(TObject* Sender, TMenuItem* Source, bool Rebuild)>;

class TMenu : public TComponent {
 public:
  explicit TMenu(TComponent* AOwner);
  ~TMenu() override;
  std::string ClassName() const override { return "TMenu"; }

  // The root item (owned by the menu); its sub-items are the menu's entries.
  TMenuItem* Items() const { return FItems; }
  TImageList* Images() const { return FImages; }
  void SetImages(TImageList* Value);

  // Depth-first over every item, hidden and disabled ones included; nullptr when none.
  TMenuItem* FindItem(int Value, TFindItemKind Kind) const;
  // Looks for an enabled, visible item (under enabled, visible parents) with the
  // shortcut of Key and Shift, updating actions on the way; clicks it and returns true.
  bool IsShortCut(Word Key, TShiftState Shift);
  // The same for a WM_KEYDOWN / WM_SYSKEYDOWN message (WParam: the virtual key; Alt
  // from WM_SYSKEYDOWN or the context bit, Shift and Ctrl from the keyboard state).
  bool IsShortCut(const TMessage& Message);
  // Clicks the item with that command id; false when there is none.
  bool DispatchCommand(Word ACommand);

  TMenuChangeEvent OnChange;

  // Expires when the item is freed (for walks that run handlers).
  static std::weak_ptr<bool> AliveToken(const TMenuItem* Item) { return Item->FAlive; }

  void Notification(TComponent* AComponent, TOperation Operation) override;

 protected:
  virtual void MenuChanged(TMenuItem* Source, bool Rebuild);
  TMenuItem* FItems = nullptr;
  TImageList* FImages = nullptr;
  bool FInIsShortCut = false;
  // Expires with the menu: click handlers may free it.
  std::shared_ptr<bool> FAlive = std::make_shared<bool>(true);
  friend class TMenuItem;
};
