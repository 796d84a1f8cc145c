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

  auto i = r.RegisterClass<TMenuItem>("TMenuItem", "TComponent");
  i.String("Caption", [](TMenuItem* o, const std::string& v) { o->SetCaption(v); }, [](const TMenuItem* o) { return o->Caption(); });
  i.Integer("ShortCut", [](TMenuItem* o, Int64 v) { o->SetShortCut(TShortCut(v)); }, [](const TMenuItem* o) -> Int64 { return o->ShortCut(); });
  i.Boolean("Checked", [](TMenuItem* o, bool v) { o->SetChecked(v); }, [](const TMenuItem* o) { return o->Checked(); });
  i.Boolean("RadioItem", [](TMenuItem* o, bool v) { o->SetRadioItem(v); }, [](const TMenuItem* o) { return o->RadioItem(); });
  i.Integer("GroupIndex", [](TMenuItem* o, Int64 v) { o->SetGroupIndex(int(v)); }, [](const TMenuItem* o) -> Int64 { return o->GroupIndex(); });
  i.Boolean("AutoCheck", [](TMenuItem* o, bool v) { o->SetAutoCheck(v); }, [](const TMenuItem* o) { return o->AutoCheck(); });
  i.Boolean("Enabled", [](TMenuItem* o, bool v) { o->SetEnabled(v); }, [](const TMenuItem* o) { return o->Enabled(); });
  i.Boolean("Visible", [](TMenuItem* o, bool v) { o->SetVisible(v); }, [](const TMenuItem* o) { return o->Visible(); });
  i.Boolean("Default", [](TMenuItem* o, bool v) { o->SetDefault(v); }, [](const TMenuItem* o) { return o->Default(); });
  i.Integer("ImageIndex", [](TMenuItem* o, Int64 v) { o->SetImageIndex(int(v)); }, [](const TMenuItem* o) -> Int64 { return o->ImageIndex(); });
  i.String("Hint", [](TMenuItem* o, const std::string& v) { o->SetHint(v); }, [](const TMenuItem* o) { return o->Hint(); });
  i.Integer("Tag", [](TMenuItem* o, Int64 v) { o->SetTag(long(v)); }, [](const TMenuItem* o) -> Int64 { return o->Tag(); });
  i.Reference<TBasicAction>("Action", [](TMenuItem* o, TBasicAction* a) { o->SetAction(a); },
                            [](const TMenuItem* o) { return o->Action(); });
  i.Event("OnClick", [](TMenuItem* o, TNotifyEvent e) { o->OnClick = e; });

  auto m = r.RegisterRootClass<TMenu>("TMenu", "TComponent");
  m.Reference<TImageList>("Images", [](TMenu* o, TImageList* v) { o->SetImages(v); },
                          [](const TMenu* o) { return o->Images(); });
  r.RegisterClass<TMainMenu>("TMainMenu", "TMenu");
  auto p = r.RegisterClass<TPopupMenu>("TPopupMenu", "TMenu");
  p.Boolean("AutoPopup", [](TPopupMenu* o, bool v) { o->SetAutoPopup(v); }, [](const TPopupMenu* o) { return o->AutoPopup(); });
  p.Event("OnPopup", [](TPopupMenu* o, TNotifyEvent e) { o->OnPopup = e; });

  // Wrap the current handlers once; a later registration of the windows classes
  // replaces them, and calling this again wraps the new ones.
  if (!r.ParentHandler().target<MenuParentHandler>()) r.SetParentHandler(MenuParentHandler{r.ParentHandler()});
  if (!r.ParentGetter().target<MenuParentGetter>()) r.SetParentGetter(MenuParentGetter{r.ParentGetter()});
}
