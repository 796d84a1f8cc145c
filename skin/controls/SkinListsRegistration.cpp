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
  RegisterSkinBinding(c);
  c.String("HeaderSkinDataName", &L::HeaderSkinDataName, &L::SetHeaderSkinDataName);
  c.Reference("HScrollBar", &L::HScrollBar, &L::SetHScrollBar);
  c.Reference("VScrollBar", &L::VScrollBar, &L::SetVScrollBar);
  RegisterFontProperties(c, "DefaultFont", &L::DefaultFont, kSkinColorIdents);
  c.Integer("DefaultColor", &L::DefaultColor, &L::SetDefaultColor, kSkinColorIdents);
  c.Boolean("UseSkinFont", &L::UseSkinFont, &L::SetUseSkinFont);
  RegisterSkinMouseAndKeyEvents(c, true);
}

void RegisterStdLabel(TClassRegistry& r) {
  using L = TbsSkinStdLabel;
  auto c = r.RegisterClass<L>("TbsSkinStdLabel", "TLabel");
  RegisterSkinBinding(c);
  RegisterFontProperties(c, "DefaultFont", &L::DefaultFont, kSkinColorIdents);
  c.Boolean("UseSkinFont", &L::UseSkinFont, &L::SetUseSkinFont);
  c.Event("OnClick", &L::OnClick);
  c.Event("OnDblClick", &L::OnDblClick);
  RegisterSkinMouseAndKeyEvents(c, false);
}

void RegisterBevel(TClassRegistry& r) {
  using B = TbsSkinBevel;
  auto c = r.RegisterClass<B>("TbsSkinBevel", "TBevel");
  RegisterSkinBinding(c);
  c.Boolean("DividerMode", &B::DividerMode, &B::SetDividerMode);
}
}  // namespace

void RegisterSkinListClasses(TClassRegistry& registry) {
  if (!registry.IsRegistered("TListView") || !registry.IsRegistered("TLabel") || !registry.IsRegistered("TBevel"))
    RegisterStandardControls(registry);
  RegisterListView(registry);
  RegisterStdLabel(registry);
  RegisterBevel(registry);
}
