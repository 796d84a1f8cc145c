#include "skin/controls/SkinPanelsRegistration.h"

#include "framework/actions/BasicAction.h"
#include "framework/graphics/ImageList.h"
#include "framework/layout/ClassRegistry.h"
#include "framework/menus/PopupMenu.h"
#include "skin/controls/SkinCheckRadioBox.h"
#include "skin/controls/SkinGroupBox.h"
#include "skin/controls/SkinPanel.h"
#include "skin/controls/SkinRadioGroup.h"
#include "skin/controls/SkinRegistrationSupport.h"

namespace {
void RegisterPanel(TClassRegistry& r) {
  using P = TbsSkinPanel;
  auto c = r.RegisterClass<P>("TbsSkinPanel", "TbsSkinCustomControl");
  c.Boolean("CaptionMode", [](P* p, bool v) { p->SetCaptionMode(v); }, [](const P* p) { return p->CaptionMode(); });
  c.Integer("DefaultCaptionHeight", [](P* p, Int64 v) { p->SetDefaultCaptionHeight(int(v)); },
            [](const P* p) -> Int64 { return p->DefaultCaptionHeight(); });
  c.Enum("DefaultAlignment", {{"taLeftJustify", 0}, {"taRightJustify", 1}, {"taCenter", 2}},
         [](P* p, int v) { p->SetDefaultAlignment(TAlignment(v)); },
         [](const P* p) { return int(p->DefaultAlignment()); });
  c.Enum("BorderStyle", {{"bvFrame", 0}, {"bvRaised", 1}, {"bvLowered", 2}, {"bvNone", 3}},
         [](P* p, int v) { p->SetBorderStyle(TbsSkinBorderStyle(v)); },
         [](const P* p) { return int(p->BorderStyle()); });
  c.Binary("Glyph.Data", [](P* p, const std::vector<std::uint8_t>& v) {
    TBitmap g;
    LoadSkinBitmapBlock(g, v);
    p->SetGlyph(&g);
  });
  c.Integer("NumGlyphs", [](P* p, Int64 v) { p->SetNumGlyphs(int(v)); },
            [](const P* p) -> Int64 { return p->NumGlyphs(); });
  c.Integer("Spacing", [](P* p, Int64 v) { p->SetSpacing(int(v)); }, [](const P* p) -> Int64 { return p->Spacing(); });
  c.Boolean("CheckedMode", [](P* p, bool v) { p->SetCheckedMode(v); }, [](const P* p) { return p->CheckedMode(); });
  c.Boolean("Checked", [](P* p, bool v) { p->SetChecked(v); }, [](const P* p) { return p->Checked(); });
  c.Boolean("AutoEnabledControls", [](P* p, bool v) { p->SetAutoEnabledControls(v); },
            [](const P* p) { return p->AutoEnabledControls(); });
  c.Event("OnChecked", [](P* p, TNotifyEvent e) { p->OnChecked = std::move(e); });
  c.Boolean("RollUpMode", [](P* p, bool v) { p->SetRollUpMode(v); }, [](const P* p) { return p->RollUpMode(); });
  c.Boolean("RollUpState", [](P* p, bool v) { p->SetRollUpState(v); }, [](const P* p) { return p->RollUpState(); });
  c.Integer("RealHeight", [](P* p, Int64 v) { p->SetRealHeight(int(v)); },
            [](const P* p) -> Int64 { return p->RealHeight(); });
  RegisterSkinMouseAndKeyEvents(c, false);

  r.RegisterClass<TbsSkinGroupBox>("TbsSkinGroupBox", "TbsSkinPanel");
}

void RegisterCheckRadioBox(TClassRegistry& r) {
  using B = TbsSkinCheckRadioBox;
  auto c = r.RegisterClass<B>("TbsSkinCheckRadioBox", "TbsSkinCustomControl");
  c.Boolean("Checked", [](B* b, bool v) { b->SetChecked(v); }, [](const B* b) { return b->Checked(); });
  c.Boolean("Radio", [](B* b, bool v) { b->SetRadio(v); }, [](const B* b) { return b->Radio(); });
  c.Integer("GroupIndex", [](B* b, Int64 v) { b->SetGroupIndex(int(v)); },
            [](const B* b) -> Int64 { return b->GroupIndex(); });
  c.Boolean("Flat", [](B* b, bool v) { b->SetFlat(v); }, [](const B* b) { return b->Flat(); });
  c.Boolean("CanFocused", [](B* b, bool v) { b->SetCanFocused(v); }, [](const B* b) { return b->CanFocused(); });
  c.Reference<TImageList>(
      "Images", [](B* b, TImageList* v) { b->SetImages(v); }, [](const B* b) { return b->Images(); });
  c.Integer("ImageIndex", [](B* b, Int64 v) { b->SetImageIndex(int(v)); },
            [](const B* b) -> Int64 { return b->ImageIndex(); });
  c.Reference<TBasicAction>("Action", [](B* b, TBasicAction* a) { b->SetAction(a); },
                            [](const B* b) { return b->Action(); });
  RegisterSkinMouseAndKeyEvents(c, true);
}

void RegisterRadioGroup(TClassRegistry& r) {
  using G = TbsSkinCustomRadioGroup;
  r.RegisterRootClass<G>("TbsSkinCustomRadioGroup", "TbsSkinGroupBox");
  auto c = r.RegisterClass<TbsSkinRadioGroup>("TbsSkinRadioGroup", "TbsSkinCustomRadioGroup");
  c.StringList(
      "Items.Strings",
      [](TbsSkinRadioGroup* g, const std::vector<std::string>& v) {
        TStringList l;
        for (const std::string& s : v) l.Add(s);
        g->SetItems(&l);
      },
      [](const TbsSkinRadioGroup* g) {
        std::vector<std::string> v;
        for (int i = 0; i < g->Items()->Count(); ++i) v.push_back(g->Items()->Strings(i));
        return v;
      });
  c.Integer("ItemIndex", [](G* g, Int64 v) { g->SetItemIndex(int(v)); },
            [](const G* g) -> Int64 { return g->ItemIndex(); });
  c.Integer("Columns", [](G* g, Int64 v) { g->SetColumns(int(v)); }, [](const G* g) -> Int64 { return g->Columns(); });
  c.String("ButtonSkinDataName", [](G* g, const std::string& v) { g->SetButtonSkinDataName(v); },
           [](const G* g) { return g->ButtonSkinDataName(); });
  RegisterSkinFontProperties<TbsSkinRadioGroup>(
      c, "ButtonDefaultFont", [](TbsSkinRadioGroup* g) { return g->ButtonDefaultFont(); },
      [](const TbsSkinRadioGroup* g) { return g->ButtonDefaultFont(); });
  c.Reference<TImageList>(
      "Images", [](G* g, TImageList* v) { g->SetImages(v); }, [](const G* g) { return g->Images(); });
}
}  // namespace

void RegisterSkinPanelClasses(TClassRegistry& registry) {
  RegisterPanel(registry);
  RegisterCheckRadioBox(registry);
  RegisterRadioGroup(registry);
}
