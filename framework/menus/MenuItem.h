#pragma once
// A menu item: a caption with an '&' accelerator (the caption "-" is a separator line),
// a shortcut, check and radio state, an image, an optional action, and sub-items that
// make it a sub-menu. Items own their sub-items: freeing an item frees its sub-items
// and takes it out of its parent. Every item carries a command id unique among the
// living items, by which a menu dispatches clicks.
#include <memory>
#include <string>
#include <vector>

#include "framework/core/Component.h"
#include "framework/core/Exceptions.h"
#include "framework/messages/ShortCuts.h"

class TBasicAction;
class TBasicActionLink;
class TBitmap;
class TMenu;

class EMenuError : public Exception { using Exception::Exception; };

// The caption of a separator.
inline const char* const cLineCaption = "-";

class TMenuItem : public TComponent {
 public:
  explicit TMenuItem(TComponent* AOwner);
  ~TMenuItem() override;
  std::string ClassName() const override { return "TMenuItem"; }

  // ---- the tree ----
  int Count() const { return static_cast<int>(FItems.size()); }
  // EMenuError when Index is out of range.
  TMenuItem* Items(int Index) const;
  TMenuItem* operator[](int Index) const { return Items(Index); }
  TMenuItem* Parent() const { return FParent; }
  // The menu whose root item this item hangs under (nullptr when detached).
  TMenu* GetParentMenu() const;
  // Position in the parent (-1 without one); setting it moves the item there (clamped).
  int MenuIndex() const;
  void SetMenuIndex(int Value);
  int IndexOf(const TMenuItem* Item) const;
  // Raises EMenuError for an item that already has a parent, for this item itself or
  // one of its ancestors (a loop), for a menu's root item and for an index outside
  // 0..Count().
  void Insert(int Index, TMenuItem* Item);
  void Add(TMenuItem* Item) { Insert(Count(), Item); }
  // Take a sub-item out without freeing it (its owner component still owns it).
  // EMenuError when out of range / not a sub-item.
  void Delete(int Index);
  void Remove(TMenuItem* Item);
  // Frees every sub-item, last first.
  void Clear();
  // The first sub-item whose caption equals ACaption, ignoring '&' prefixes and case.
  TMenuItem* Find(const std::string& ACaption) const;
  // The first visible sub-item whose caption has Accel as its accelerator.
  TMenuItem* FindAccelItem(char32_t Accel) const;
  bool IsLine() const { return FCaption == cLineCaption; }

  // ---- properties ----
  const std::string& Caption() const { return FCaption; }
  void SetCaption(const std::string& Value);
  TShortCut ShortCut() const { return FShortCut; }
  void SetShortCut(TShortCut Value);
  // Checking a radio item unchecks the radio items of its group in the same parent.
  bool Checked() const { return FChecked; }
  void SetChecked(bool Value);
  bool RadioItem() const { return FRadioItem; }
  void SetRadioItem(bool Value);
  int GroupIndex() const { return FGroupIndex; }
  void SetGroupIndex(int Value);
  // A click toggles Checked first.
  bool AutoCheck() const { return FAutoCheck; }
  void SetAutoCheck(bool Value);
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool Value);
  bool Visible() const { return FVisible; }
  void SetVisible(bool Value);
  // Shown in bold; the item a double click would choose.
  bool Default() const { return FDefault; }
  void SetDefault(bool Value);
  // Index into the parent menu's Images; -1 for none.
  int ImageIndex() const { return FImageIndex; }
  void SetImageIndex(int Value);
  // The item's own picture, made empty on first use and owned by the item.
  TBitmap* Bitmap();
  void SetBitmap(const TBitmap* Value);
  bool HasBitmap() const;
  const std::string& Hint() const { return FHint; }
  void SetHint(const std::string& Value) { FHint = Value; }
  // Unique among living items, assigned at creation, never 0.
  Word Command() const { return FCommand; }

  // ---- actions ----
  TBasicAction* Action() const;
  // Links the item to the action (or unlinks with nullptr); a linked TAction's
  // properties are copied into the item (while loading only into default values).
  void SetAction(TBasicAction* Value);
  TBasicActionLink* ActionLink() const { return FActionLink.get(); }
  // Lets the linked action update itself (its OnUpdate) before the item is shown.
  void InitiateAction();
  // The same for every sub-item.
  void InitiateActions();

  // Fires OnClick, or without one executes the action; nothing when disabled.
  // The handler may free the item, its menu or the action.
  virtual void Click();
  TNotifyEvent OnClick;

  void Loaded() override;

 protected:
  // Tells the menu that this item (Rebuild: the set of its sub-items) changed.
  virtual void MenuChanged(bool Rebuild);
  // Copies the action's properties; CheckDefaults copies only into default values.
  virtual void ActionChange(TBasicAction* Sender, bool CheckDefaults);

 private:
  void TurnSiblingsOff();
  void CheckIndex(int Index) const;
  std::vector<TMenuItem*> FItems;
  TMenuItem* FParent = nullptr;
  TMenu* FMenu = nullptr;  // set on a menu's root item only
  std::string FCaption;
  TShortCut FShortCut = 0;
  bool FChecked = false;
  bool FRadioItem = false;
  int FGroupIndex = 0;
  bool FAutoCheck = false;
  bool FEnabled = true;
  bool FVisible = true;
  bool FDefault = false;
  int FImageIndex = -1;
  std::unique_ptr<TBitmap> FBitmap;
  std::string FHint;
  Word FCommand = 0;
  std::unique_ptr<TBasicActionLink> FActionLink;
  // Expires with the item: update and click handlers may free items.
  std::shared_ptr<bool> FAlive = std::make_shared<bool>(true);
  friend class TMenu;
  friend class TMenuActionLink;
};
