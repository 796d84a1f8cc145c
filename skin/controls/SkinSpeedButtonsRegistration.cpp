#include "skin/controls/SkinSpeedButtonsRegistration.h"

#include "framework/actions/BasicAction.h"
#include "framework/graphics/ImageList.h"
#include "framework/layout/ClassRegistry.h"
#include "framework/menus/PopupMenu.h"
#include "skin/controls/SkinMenuSpeedButton.h"
#include "skin/controls/SkinRegistrationSupport.h"
#include "skin/controls/SkinSpeedButton.h"
#include "skin/controls/SkinToolBar.h"
#include "skin/data/SkinData.h"

namespace {
void RegisterGraphicBases(TClassRegistry& r) {
  if (!r.IsRegistered("TGraphicControl")) r.RegisterClass("TGraphicControl", "TControl", {});
  using G = TbsGraphicSkinControl;
  auto s = r.RegisterRootClass<G>("TbsGraphicSkinControl", "TGraphicControl");
  s.Reference<TbsSkinData>(
      "SkinData", [](G* c, TbsSkinData* d) { c->SetSkinData(d); }, [](const G* c) { return c->SkinData(); });
  s.String("SkinDataName", [](G* c, const std::string& v) { c->SetSkinDataName(v); },
           [](const G* c) { return c->SkinDataName(); });

  using C = TbsGraphicSkinCustomControl;
  auto cc = r.RegisterRootClass<C>("TbsGraphicSkinCustomControl", "TbsGraphicSkinControl");
  RegisterSkinFontProperties<C>(
      cc, "DefaultFont", [](C* c) { return c->DefaultFont(); }, [](const C* c) { return c->DefaultFont(); });
  cc.Integer("DefaultWidth", [](C* c, Int64 v) { c->SetDefaultWidth(int(v)); },
             [](const C* c) -> Int64 { return c->DefaultWidth(); });
  cc.Integer("DefaultHeight", [](C* c, Int64 v) { c->SetDefaultHeight(int(v)); },
             [](const C* c) -> Int64 { return c->DefaultHeight(); });
  cc.Boolean("UseSkinFont", [](C* c, bool v) { c->SetUseSkinFont(v); }, [](const C* c) { return c->UseSkinFont(); });
}

void RegisterSpeedButton(TClassRegistry& r) {
  using B = TbsSkinSpeedButton;
  auto c = r.RegisterClass<B>("TbsSkinSpeedButton", "TbsGraphicSkinCustomControl");
  c.Boolean("ShowCaption", [](B* b, bool v) { b->SetShowCaption(v); }, [](const B* b) { return b->ShowCaption(); });
  c.Integer("WidthWithCaption", [](B* b, Int64 v) { b->SetWidthWithCaption(int(v)); },
            [](const B* b) -> Int64 { return b->WidthWithCaption(); });
  c.Integer("WidthWithoutCaption", [](B* b, Int64 v) { b->SetWidthWithoutCaption(int(v)); },
            [](const B* b) -> Int64 { return b->WidthWithoutCaption(); });
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
  c.Integer("ImageIndex", [](B* b, Int64 v) { b->SetImageIndex(int(v)); },
            [](const B* b) -> Int64 { return b->ImageIndex(); });
  c.Boolean("Down", [](B* b, bool v) { b->SetDown(v); }, [](const B* b) { return b->Down(); });
  c.Integer("GroupIndex", [](B* b, Int64 v) { b->SetGroupIndex(int(v)); },
            [](const B* b) -> Int64 { return b->GroupIndex(); });
  c.Boolean("AllowAllUp", [](B* b, bool v) { b->SetAllowAllUp(v); }, [](const B* b) { return b->AllowAllUp(); });
  c.Boolean("RepeatMode", [](B* b, bool v) { b->SetRepeatMode(v); }, [](const B* b) { return b->RepeatMode(); });
  c.Integer("RepeatInterval", [](B* b, Int64 v) { b->SetRepeatInterval(int(v)); },
            [](const B* b) -> Int64 { return b->RepeatInterval(); });
  c.Boolean("Flat", [](B* b, bool v) { b->SetFlat(v); }, [](const B* b) { return b->Flat(); });
  c.Boolean("Transparent", [](B* b, bool v) { b->SetTransparent(v); }, [](const B* b) { return b->Transparent(); });
  c.Reference<TBasicAction>("Action", [](B* b, TBasicAction* a) { b->SetAction(a); },
                            [](const B* b) { return b->Action(); });
  RegisterSkinMouseAndKeyEvents(c, false);

  using M = TbsSkinMenuSpeedButton;
  auto m = r.RegisterClass<M>("TbsSkinMenuSpeedButton", "TbsSkinSpeedButton");
  m.Reference<TPopupMenu>(
      "SkinPopupMenu", [](M* b, TPopupMenu* v) { b->SetSkinPopupMenu(v); },
      [](const M* b) { return b->SkinPopupMenu(); });
  m.Boolean("TrackButtonMode", [](M* b, bool v) { b->SetTrackButtonMode(v); },
            [](const M* b) { return b->TrackButtonMode(); });
  m.Event("OnShowTrackMenu", [](M* b, TNotifyEvent e) { b->OnShowTrackMenu = std::move(e); });
  m.Event("OnHideTrackMenu", [](M* b, TNotifyEvent e) { b->OnHideTrackMenu = std::move(e); });
}

void RegisterToolBar(TClassRegistry& r) {
  using T = TbsSkinToolBar;
  auto c = r.RegisterClass<T>("TbsSkinToolBar", "TbsSkinPanel");
  c.Reference<TImageList>(
      "Images", [](T* t, TImageList* v) { t->SetImages(v); }, [](const T* t) { return t->Images(); });
  c.Reference<TImageList>(
      "HotImages", [](T* t, TImageList* v) { t->SetHotImages(v); }, [](const T* t) { return t->HotImages(); });
  c.Reference<TImageList>(
      "DisabledImages", [](T* t, TImageList* v) { t->SetDisabledImages(v); },
      [](const T* t) { return t->DisabledImages(); });
  c.Boolean("Flat", [](T* t, bool v) { t->SetFlat(v); }, [](const T* t) { return t->Flat(); });
  c.Boolean("ShowCaptions", [](T* t, bool v) { t->SetShowCaptions(v); }, [](const T* t) { return t->ShowCaptions(); });
  c.Boolean("AutoShowHideCaptions", [](T* t, bool v) { t->SetAutoShowHideCaptions(v); },
            [](const T* t) { return t->AutoShowHideCaptions(); });
  c.Integer("WidthWithCaptions", [](T* t, Int64 v) { t->SetWidthWithCaptions(int(v)); },
            [](const T* t) -> Int64 { return t->WidthWithCaptions(); });
  c.Integer("WidthWithoutCaptions", [](T* t, Int64 v) { t->SetWidthWithoutCaptions(int(v)); },
            [](const T* t) -> Int64 { return t->WidthWithoutCaptions(); });
  c.Boolean("CanScroll", [](T* t, bool v) { t->SetCanScroll(v); }, [](const T* t) { return t->CanScroll(); });
  c.Boolean("HotScroll", [](T* t, bool v) { t->SetHotScroll(v); }, [](const T* t) { return t->HotScroll(); });
  c.Integer("ScrollOffset", [](T* t, Int64 v) { t->SetScrollOffset(int(v)); },
            [](const T* t) -> Int64 { return t->ScrollOffset(); });
  c.Integer("ScrollTimerInterval", [](T* t, Int64 v) { t->SetScrollTimerInterval(int(v)); },
            [](const T* t) -> Int64 { return t->ScrollTimerInterval(); });
}
}  // namespace

void RegisterSkinSpeedButtonClasses(TClassRegistry& registry) {
  RegisterGraphicBases(registry);
  RegisterSpeedButton(registry);
  RegisterToolBar(registry);
}
