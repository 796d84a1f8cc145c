#include "framework/menus/MenuClasses.h"

#include "framework/actions/ActionClasses.h"
#include "framework/actions/BasicAction.h"
#include "framework/graphics/ImageList.h"
#include "framework/layout/ClassRegistry.h"
#include "framework/menus/MainMenu.h"
#include "framework/menus/PopupMenu.h"

namespace {
// Item blocks nest in menu and item blocks; everything else goes to the handler that
// was there before.
struct MenuParentHandler {
  TParentHandler Previous;
  void operator()(TComponent* child, TComponent* parent) const {
    if (auto* item = dynamic_cast<TMenuItem*>(child)) {
      if (auto* menu = dynamic_cast<TMenu*>(parent))
        menu->Items()->Add(item);
      else if (auto* host = dynamic_cast<TMenuItem*>(parent))
        host->Add(item);
      else
        throw ELayoutError("Menu item " + item->Name() + " must sit in a menu or another menu item");
      return;
    }
    if (Previous) Previous(child, parent);
  }
};

struct MenuParentGetter {
  TParentGetter Previous;
  TComponent* operator()(const TComponent* child) const {
    if (auto* item = dynamic_cast<const TMenuItem*>(child)) {
      TMenuItem* parent = item->Parent();
      if (!parent) return nullptr;
      if (!parent->Parent()) return parent->GetParentMenu();  // a menu's root item
      return parent;
    }
    return Previous ? Previous(child) : nullptr;
  }
};
}  // namespace

void RegisterMenuClasses() {
  RegisterActionClasses();
  TClassRegistry& r = ClassRegistry();

  using I = TMenuItem;
  auto i = r.RegisterClass<I>("TMenuItem", "TComponent");
  i.String("Caption", &I::Caption, &I::SetCaption);
  i.Integer("ShortCut", &I::ShortCut, &I::SetShortCut);
  i.Boolean("Checked", &I::Checked, &I::SetChecked);
  i.Boolean("RadioItem", &I::RadioItem, &I::SetRadioItem);
  i.Integer("GroupIndex", &I::GroupIndex, &I::SetGroupIndex);
  i.Boolean("AutoCheck", &I::AutoCheck, &I::SetAutoCheck);
  i.Boolean("Enabled", &I::Enabled, &I::SetEnabled);
  i.Boolean("Visible", &I::Visible, &I::SetVisible);
  i.Boolean("Default", &I::Default, &I::SetDefault);
  i.Integer("ImageIndex", &I::ImageIndex, &I::SetImageIndex);
  i.String("Hint", &I::Hint, &I::SetHint);
  i.Integer("Tag", &I::Tag, &I::SetTag);
  i.Reference("Action", &I::Action, &I::SetAction);
  i.Event("OnClick", &I::OnClick);

  auto m = r.RegisterRootClass<TMenu>("TMenu", "TComponent");
  m.Reference("Images", &TMenu::Images, &TMenu::SetImages);
  r.RegisterClass<TMainMenu>("TMainMenu", "TMenu");
  auto p = r.RegisterClass<TPopupMenu>("TPopupMenu", "TMenu");
  p.Boolean("AutoPopup", &TPopupMenu::AutoPopup, &TPopupMenu::SetAutoPopup);
  p.Event("OnPopup", &TPopupMenu::OnPopup);

  // Wrap the current handlers once; a later registration of the windows classes
  // replaces them, and calling this again wraps the new ones.
  if (!r.ParentHandler().target<MenuParentHandler>()) r.SetParentHandler(MenuParentHandler{r.ParentHandler()});
  if (!r.ParentGetter().target<MenuParentGetter>()) r.SetParentGetter(MenuParentGetter{r.ParentGetter()});
}
