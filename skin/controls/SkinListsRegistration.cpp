#include "skin/controls/SkinListsRegistration.h"

#include "framework/controls/StandardControls.h"
#include "framework/layout/ClassRegistry.h"
#include "skin/controls/SkinBevel.h"
#include "skin/controls/SkinListView.h"
#include "skin/controls/SkinRegistrationSupport.h"
#include "skin/controls/SkinScrollBar.h"
#include "skin/controls/SkinStdLabel.h"
#include "skin/data/SkinData.h"

namespace {
void RegisterListView(TClassRegistry& r) {
  using L = TbsSkinListView;
  auto c = r.RegisterClass<L>("TbsSkinListView", "TListView");
  c.Reference<TbsSkinData>("SkinData", [](L* l, TbsSkinData* d) { l->SetSkinData(d); },
                           [](const L* l) { return l->SkinData(); });
  c.String("SkinDataName", [](L* l, const std::string& v) { l->SetSkinDataName(v); },
           [](const L* l) { return l->SkinDataName(); });
  c.String("HeaderSkinDataName", [](L* l, const std::string& v) { l->SetHeaderSkinDataName(v); },
           [](const L* l) { return l->HeaderSkinDataName(); });
  c.Reference<TbsSkinScrollBar>("HScrollBar", [](L* l, TbsSkinScrollBar* b) { l->SetHScrollBar(b); },
                                [](const L* l) { return l->HScrollBar(); });
  c.Reference<TbsSkinScrollBar>("VScrollBar", [](L* l, TbsSkinScrollBar* b) { l->SetVScrollBar(b); },
                                [](const L* l) { return l->VScrollBar(); });
  RegisterSkinFontProperties<L>(
      c, "DefaultFont", [](L* l) { return l->DefaultFont(); }, [](const L* l) { return l->DefaultFont(); });
  c.Integer("DefaultColor", [](L* l, Int64 v) { l->SetDefaultColor(TColor(v)); },
            [](const L* l) -> Int64 { return l->DefaultColor(); }, kSkinColorIdents);
  c.Boolean("UseSkinFont", [](L* l, bool v) { l->SetUseSkinFont(v); }, [](const L* l) { return l->UseSkinFont(); });
  RegisterSkinMouseAndKeyEvents(c, true);
}

void RegisterStdLabel(TClassRegistry& r) {
  using L = TbsSkinStdLabel;
  auto c = r.RegisterClass<L>("TbsSkinStdLabel", "TLabel");
  c.Reference<TbsSkinData>("SkinData", [](L* l, TbsSkinData* d) { l->SetSkinData(d); },
                           [](const L* l) { return l->SkinData(); });
  c.String("SkinDataName", [](L* l, const std::string& v) { l->SetSkinDataName(v); },
           [](const L* l) { return l->SkinDataName(); });
  RegisterSkinFontProperties<L>(
      c, "DefaultFont", [](L* l) { return l->DefaultFont(); }, [](const L* l) { return l->DefaultFont(); });
  c.Boolean("UseSkinFont", [](L* l, bool v) { l->SetUseSkinFont(v); }, [](const L* l) { return l->UseSkinFont(); });
  c.Event("OnClick", [](L* l, TNotifyEvent e) { l->OnClick = std::move(e); });
  c.Event("OnDblClick", [](L* l, TNotifyEvent e) { l->OnDblClick = std::move(e); });
  RegisterSkinMouseAndKeyEvents(c, false);
}

void RegisterBevel(TClassRegistry& r) {
  using B = TbsSkinBevel;
  auto c = r.RegisterClass<B>("TbsSkinBevel", "TBevel");
  c.Reference<TbsSkinData>("SkinData", [](B* b, TbsSkinData* d) { b->SetSkinData(d); },
                           [](const B* b) { return b->SkinData(); });
  c.String("SkinDataName", [](B* b, const std::string& v) { b->SetSkinDataName(v); },
           [](const B* b) { return b->SkinDataName(); });
  c.Boolean("DividerMode", [](B* b, bool v) { b->SetDividerMode(v); }, [](const B* b) { return b->DividerMode(); });
}
}  // namespace

void RegisterSkinListClasses(TClassRegistry& registry) {
  if (!registry.IsRegistered("TListView") || !registry.IsRegistered("TLabel") || !registry.IsRegistered("TBevel"))
    RegisterStandardControls(registry);
  RegisterListView(registry);
  RegisterStdLabel(registry);
  RegisterBevel(registry);
}
