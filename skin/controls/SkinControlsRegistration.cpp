#include "skin/controls/SkinControlsRegistration.h"

#include "framework/actions/BasicAction.h"
#include "framework/layout/ClassRegistry.h"
#include "framework/menus/PopupMenu.h"
#include "skin/controls/SkinButton.h"
#include "skin/controls/SkinListsRegistration.h"
#include "skin/controls/SkinPanelsRegistration.h"
#include "skin/controls/SkinRegistrationSupport.h"
#include "skin/controls/SkinScrollBarRegistration.h"
#include "skin/controls/SkinSpeedButtonsRegistration.h"
#include "skin/data/SkinData.h"

namespace {
const TIdentMap kModalResults = {
    {"mrNone", mrNone}, {"mrOk", mrOk},   {"mrCancel", mrCancel}, {"mrAbort", mrAbort},
    {"mrRetry", mrRetry}, {"mrIgnore", mrIgnore}, {"mrYes", mrYes}, {"mrNo", mrNo},
    {"mrAll", mrAll},   {"mrNoToAll", mrNoToAll}, {"mrYesToAll", mrYesToAll}};

void RegisterBase(TClassRegistry& r) {
  auto s = r.RegisterRootClass<TbsSkinControl>("TbsSkinControl", "TCustomControl");
  s.Reference<TbsSkinData>(
      "SkinData", [](TbsSkinControl* c, TbsSkinData* d) { c->SetSkinData(d); },
      [](const TbsSkinControl* c) { return c->SkinData(); });
  s.String("SkinDataName", [](TbsSkinControl* c, const std::string& v) { c->SetSkinDataName(v); },
           [](const TbsSkinControl* c) { return c->SkinDataName(); });

  auto cc = r.RegisterRootClass<TbsSkinCustomControl>("TbsSkinCustomControl", "TbsSkinControl");
  RegisterSkinFontProperties<TbsSkinCustomControl>(
      cc, "DefaultFont", [](TbsSkinCustomControl* c) { return c->DefaultFont(); },
      [](const TbsSkinCustomControl* c) { return c->DefaultFont(); });
  cc.Integer("DefaultWidth", [](TbsSkinCustomControl* c, Int64 v) { c->SetDefaultWidth(int(v)); },
             [](const TbsSkinCustomControl* c) -> Int64 { return c->DefaultWidth(); });
  cc.Integer("DefaultHeight", [](TbsSkinCustomControl* c, Int64 v) { c->SetDefaultHeight(int(v)); },
             [](const TbsSkinCustomControl* c) -> Int64 { return c->DefaultHeight(); });
  cc.Boolean("UseSkinFont", [](TbsSkinCustomControl* c, bool v) { c->SetUseSkinFont(v); },
             [](const TbsSkinCustomControl* c) { return c->UseSkinFont(); });
}

void RegisterButton(TClassRegistry& r) {
  using B = TbsSkinButton;
  auto c = r.RegisterClass<B>("TbsSkinButton", "TbsSkinCustomControl");
  c.Binary("Glyph.Data", [](B* b, const std::vector<std::uint8_t>& v) {
    TBitmap g;
    LoadSkinBitmapBlock(g, v);
    b->SetGlyph(&g);
  });
  c.Integer("NumGlyphs", [](B* b, Int64 v) { b->SetNumGlyphs(int(v)); },
            [](const B* b) -> Int64 { return b->NumGlyphs(); });
  c.Enum("Layout", {{"blGlyphLeft", 0}, {"blGlyphRight", 1}, {"blGlyphTop", 2}, {"blGlyphBottom", 3}},
         [](B* b, int v) { b->SetLayout(TbsButtonLayout(v)); }, [](const B* b) { return int(b->Layout()); });
  c.Integer("Margin", [](B* b, Int64 v) { b->SetMargin(int(v)); }, [](const B* b) -> Int64 { return b->Margin(); });
  c.Integer("Spacing", [](B* b, Int64 v) { b->SetSpacing(int(v)); },
            [](const B* b) -> Int64 { return b->Spacing(); });
  c.Boolean("Down", [](B* b, bool v) { b->SetDown(v); }, [](const B* b) { return b->Down(); });
  c.Integer("GroupIndex", [](B* b, Int64 v) { b->SetGroupIndex(int(v)); },
            [](const B* b) -> Int64 { return b->GroupIndex(); });
  c.Boolean("AllowAllUp", [](B* b, bool v) { b->SetAllowAllUp(v); }, [](const B* b) { return b->AllowAllUp(); });
  c.Boolean("RepeatMode", [](B* b, bool v) { b->SetRepeatMode(v); }, [](const B* b) { return b->RepeatMode(); });
  c.Integer("RepeatInterval", [](B* b, Int64 v) { b->SetRepeatInterval(int(v)); },
            [](const B* b) -> Int64 { return b->RepeatInterval(); });
  c.Boolean("CanFocused", [](B* b, bool v) { b->SetCanFocused(v); }, [](const B* b) { return b->CanFocused(); });
  c.Boolean("Default", [](B* b, bool v) { b->SetDefault(v); }, [](const B* b) { return b->Default(); });
  c.Boolean("Cancel", [](B* b, bool v) { b->SetCancel(v); }, [](const B* b) { return b->Cancel(); });
  c.Integer("ModalResult", [](B* b, Int64 v) { b->SetModalResult(TModalResult(v)); },
            [](const B* b) -> Int64 { return b->ModalResult(); }, kModalResults);
  c.Reference<TBasicAction>("Action", [](B* b, TBasicAction* a) { b->SetAction(a); },
                            [](const B* b) { return b->Action(); });
  c.Reference<TPopupMenu>("PopupMenu", [](B* b, TPopupMenu* m) { b->SetPopupMenu(m); },
                          [](const B* b) { return b->PopupMenu(); });
  c.Event<TMouseEvent>("OnMouseDown", [](B* b, TMouseEvent e) { b->OnMouseDown = std::move(e); });
  c.Event<TMouseEvent>("OnMouseUp", [](B* b, TMouseEvent e) { b->OnMouseUp = std::move(e); });
  c.Event<TMouseMoveEvent>("OnMouseMove", [](B* b, TMouseMoveEvent e) { b->OnMouseMove = std::move(e); });
  c.Event<TKeyEvent>("OnKeyDown", [](B* b, TKeyEvent e) { b->OnKeyDown = std::move(e); });
  c.Event<TKeyEvent>("OnKeyUp", [](B* b, TKeyEvent e) { b->OnKeyUp = std::move(e); });
  c.Event<TKeyPressEvent>("OnKeyPress", [](B* b, TKeyPressEvent e) { b->OnKeyPress = std::move(e); });
}
}  // namespace

void RegisterSkinControlClasses(TClassRegistry& registry) {
  if (!registry.IsRegistered("TCustomControl")) registry.RegisterClass("TCustomControl", "TWinControl", {});
  RegisterBase(registry);
  RegisterButton(registry);
  RegisterSkinPanelClasses(registry);
  RegisterSkinScrollBarClass(registry);
  RegisterSkinListClasses(registry);
  RegisterSkinSpeedButtonClasses(registry);
}

void RegisterSkinControlClasses() { RegisterSkinControlClasses(ClassRegistry()); }
