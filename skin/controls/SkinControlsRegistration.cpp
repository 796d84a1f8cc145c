#include "skin/controls/SkinControlsRegistration.h"

#include "framework/actions/BasicAction.h"
#include "framework/controls/StandardControls.h"
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
void RegisterBase(TClassRegistry& r) {
  auto s = r.RegisterRootClass<TbsSkinControl>("TbsSkinControl", "TCustomControl");
  RegisterSkinBinding(s);
  auto cc = r.RegisterRootClass<TbsSkinCustomControl>("TbsSkinCustomControl", "TbsSkinControl");
  RegisterSkinDefaults(cc);
}

void RegisterButton(TClassRegistry& r) {
  using B = TbsSkinButton;
  auto c = r.RegisterClass<B>("TbsSkinButton", "TbsSkinCustomControl");
  RegisterSkinButtonGlyph(c);
  RegisterSkinButtonState(c);
  c.Boolean("CanFocused", &B::CanFocused, &B::SetCanFocused);
  c.Boolean("Default", &B::Default, &B::SetDefault);
  c.Boolean("Cancel", &B::Cancel, &B::SetCancel);
  c.Integer("ModalResult", &B::ModalResult, &B::SetModalResult, kModalResultIdents);
  c.Reference("Action", &B::Action, &B::SetAction);
  RegisterSkinMouseAndKeyEvents(c, true);
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
