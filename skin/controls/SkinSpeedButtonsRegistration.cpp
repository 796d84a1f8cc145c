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
  auto s = r.RegisterRootClass<TbsGraphicSkinControl>("TbsGraphicSkinControl", "TGraphicControl");
  RegisterSkinBinding(s);
  auto cc = r.RegisterRootClass<TbsGraphicSkinCustomControl>("TbsGraphicSkinCustomControl", "TbsGraphicSkinControl");
  RegisterSkinDefaults(cc);
}

void RegisterSpeedButton(TClassRegistry& r) {
  using B = TbsSkinSpeedButton;
  auto c = r.RegisterClass<B>("TbsSkinSpeedButton", "TbsGraphicSkinCustomControl");
  c.Boolean("ShowCaption", &B::ShowCaption, &B::SetShowCaption);
  c.Integer("WidthWithCaption", &B::WidthWithCaption, &B::SetWidthWithCaption);
  c.Integer("WidthWithoutCaption", &B::WidthWithoutCaption, &B::SetWidthWithoutCaption);
  RegisterSkinButtonGlyph(c);
  c.Integer("ImageIndex", &B::ImageIndex, &B::SetImageIndex);
  RegisterSkinButtonState(c);
  c.Boolean("Flat", &B::Flat, &B::SetFlat);
  c.Boolean("Transparent", &B::Transparent, &B::SetTransparent);
  c.Reference("Action", &B::Action, &B::SetAction);
  RegisterSkinMouseAndKeyEvents(c, false);

  using M = TbsSkinMenuSpeedButton;
  auto m = r.RegisterClass<M>("TbsSkinMenuSpeedButton", "TbsSkinSpeedButton");
  m.Reference("SkinPopupMenu", &M::SkinPopupMenu, &M::SetSkinPopupMenu);
  m.Boolean("TrackButtonMode", &M::TrackButtonMode, &M::SetTrackButtonMode);
  m.Event("OnShowTrackMenu", &M::OnShowTrackMenu);
  m.Event("OnHideTrackMenu", &M::OnHideTrackMenu);
}

void RegisterToolBar(TClassRegistry& r) {
  using T = TbsSkinToolBar;
  auto c = r.RegisterClass<T>("TbsSkinToolBar", "TbsSkinPanel");
  c.Reference("Images", &T::Images, &T::SetImages);
  c.Reference("HotImages", &T::HotImages, &T::SetHotImages);
  c.Reference("DisabledImages", &T::DisabledImages, &T::SetDisabledImages);
  c.Boolean("Flat", &T::Flat, &T::SetFlat);
  c.Boolean("ShowCaptions", &T::ShowCaptions, &T::SetShowCaptions);
  c.Boolean("AutoShowHideCaptions", &T::AutoShowHideCaptions, &T::SetAutoShowHideCaptions);
  c.Integer("WidthWithCaptions", &T::WidthWithCaptions, &T::SetWidthWithCaptions);
  c.Integer("WidthWithoutCaptions", &T::WidthWithoutCaptions, &T::SetWidthWithoutCaptions);
  c.Boolean("CanScroll", &T::CanScroll, &T::SetCanScroll);
  c.Boolean("HotScroll", &T::HotScroll, &T::SetHotScroll);
  c.Integer("ScrollOffset", &T::ScrollOffset, &T::SetScrollOffset);
  c.Integer("ScrollTimerInterval", &T::ScrollTimerInterval, &T::SetScrollTimerInterval);
}
}  // namespace

void RegisterSkinSpeedButtonClasses(TClassRegistry& registry) {
  RegisterGraphicBases(registry);
  RegisterSpeedButton(registry);
  RegisterToolBar(registry);
}
