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
  c.Boolean("CaptionMode", &P::CaptionMode, &P::SetCaptionMode);
  c.Integer("DefaultCaptionHeight", &P::DefaultCaptionHeight, &P::SetDefaultCaptionHeight);
  c.Enum("DefaultAlignment", &P::DefaultAlignment, &P::SetDefaultAlignment,
         {{"taLeftJustify", 0}, {"taRightJustify", 1}, {"taCenter", 2}});
  c.Enum("BorderStyle", &P::BorderStyle, &P::SetBorderStyle,
         {{"bvFrame", 0}, {"bvRaised", 1}, {"bvLowered", 2}, {"bvNone", 3}});
  c.Binary("Glyph.Data", nullptr, StoredGlyph(&P::SetGlyph));
  c.Integer("NumGlyphs", &P::NumGlyphs, &P::SetNumGlyphs);
  c.Integer("Spacing", &P::Spacing, &P::SetSpacing);
  c.Boolean("CheckedMode", &P::CheckedMode, &P::SetCheckedMode);
  c.Boolean("Checked", &P::Checked, &P::SetChecked);
  c.Boolean("AutoEnabledControls", &P::AutoEnabledControls, &P::SetAutoEnabledControls);
  c.Event("OnChecked", &P::OnChecked);
  c.Boolean("RollUpMode", &P::RollUpMode, &P::SetRollUpMode);
  c.Boolean("RollUpState", &P::RollUpState, &P::SetRollUpState);
  c.Integer("RealHeight", &P::RealHeight, &P::SetRealHeight);
  RegisterSkinMouseAndKeyEvents(c, false);

  r.RegisterClass<TbsSkinGroupBox>("TbsSkinGroupBox", "TbsSkinPanel");
}

void RegisterCheckRadioBox(TClassRegistry& r) {
  using B = TbsSkinCheckRadioBox;
  auto c = r.RegisterClass<B>("TbsSkinCheckRadioBox", "TbsSkinCustomControl");
  c.Boolean("Checked", &B::Checked, &B::SetChecked);
  c.Boolean("Radio", &B::Radio, &B::SetRadio);
  c.Integer("GroupIndex", &B::GroupIndex, &B::SetGroupIndex);
  c.Boolean("Flat", &B::Flat, &B::SetFlat);
  c.Boolean("CanFocused", &B::CanFocused, &B::SetCanFocused);
  c.Reference("Images", &B::Images, &B::SetImages);
  c.Integer("ImageIndex", &B::ImageIndex, &B::SetImageIndex);
  c.Reference("Action", &B::Action, &B::SetAction);
  RegisterSkinMouseAndKeyEvents(c, true);
}

void RegisterRadioGroup(TClassRegistry& r) {
  using G = TbsSkinRadioGroup;
  r.RegisterRootClass<TbsSkinCustomRadioGroup>("TbsSkinCustomRadioGroup", "TbsSkinGroupBox");
  auto c = r.RegisterClass<G>("TbsSkinRadioGroup", "TbsSkinCustomRadioGroup");
  c.StringList("Items.Strings", &G::Items, &G::SetItems);
  c.Integer("ItemIndex", &G::ItemIndex, &G::SetItemIndex);
  c.Integer("Columns", &G::Columns, &G::SetColumns);
  c.String("ButtonSkinDataName", &G::ButtonSkinDataName, &G::SetButtonSkinDataName);
  RegisterFontProperties(c, "ButtonDefaultFont", &G::ButtonDefaultFont, kSkinColorIdents);
  c.Reference("Images", &G::Images, &G::SetImages);
}
}  // namespace

void RegisterSkinPanelClasses(TClassRegistry& registry) {
  RegisterPanel(registry);
  RegisterCheckRadioBox(registry);
  RegisterRadioGroup(registry);
}
