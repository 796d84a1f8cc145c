#include "skin/form/SkinFormRegistration.h"

#include "framework/layout/ClassRegistry.h"
#include "framework/menus/PopupMenu.h"
#include "framework/windows/FontProperties.h"
#include "skin/controls/SkinRegistrationSupport.h"
#include "skin/data/SkinData.h"
#include "skin/form/SkinForm.h"
#include "skin/form/SkinHint.h"
#include "skin/form/SkinPopupMenu.h"
#include "skin/form/SkinTrayIcon.h"

namespace {
// The colours the form component's fonts are stored with.
const TIdentMap kFormFontColours = {{"clBtnText", clBtnText}, {"clBtnShadow", clBtnShadow},
                                    {"clWindowText", clWindowText}, {"clBlack", clBlack}, {"clWhite", clWhite}};
}  // namespace

void RegisterSkinFormClasses() {
  TClassRegistry& r = ClassRegistry();
  using F = TbsSkinForm;
  auto c = r.RegisterClass<F>("TbsSkinForm", "TComponent");
  c.Integer("ClientWidth", &F::ClientWidth, &F::SetClientWidth);
  c.Integer("ClientHeight", &F::ClientHeight, &F::SetClientHeight);
  c.Boolean("HideCaptionButtons", &F::HideCaptionButtons, &F::SetHideCaptionButtons);
  c.Boolean("AlwaysShowInTray", &F::AlwaysShowInTray, &F::SetAlwaysShowInTray);
  c.Binary("LogoBitMap.Data", nullptr,
           [](F* o, const std::vector<std::uint8_t>& v) { LoadSkinBitmapBlock(*o->LogoBitMap(), v); });
  c.Boolean("LogoBitMapTransparent", &F::LogoBitMapTransparent, &F::SetLogoBitMapTransparent);
  c.Boolean("AlwaysMinimizeToTray", &F::AlwaysMinimizeToTray, &F::SetAlwaysMinimizeToTray);
  c.Boolean("UseSkinFontInMenu", &F::UseSkinFontInMenu, &F::SetUseSkinFontInMenu);
  c.Boolean("ShowIcon", &F::ShowIcon, &F::SetShowIcon);
  c.Boolean("MaximizeOnFullScreen", &F::MaximizeOnFullScreen, &F::SetMaximizeOnFullScreen);
  c.Boolean("AlphaBlend", &F::AlphaBlend, &F::SetAlphaBlend);
  c.Boolean("AlphaBlendAnimation", &F::AlphaBlendAnimation, &F::SetAlphaBlendAnimation);
  c.Integer("AlphaBlendValue", &F::AlphaBlendValue, &F::SetAlphaBlendValue);
  c.Reference("SkinHint", &F::SkinHint, &F::SetSkinHint);
  c.Boolean("ShowObjectHint", &F::ShowObjectHint, &F::SetShowObjectHint);
  c.Boolean("UseDefaultObjectHint", &F::UseDefaultObjectHint, &F::SetUseDefaultObjectHint);
  c.Boolean("MenusAlphaBlend", &F::MenusAlphaBlend, &F::SetMenusAlphaBlend);
  c.Boolean("MenusAlphaBlendAnimation", &F::MenusAlphaBlendAnimation, &F::SetMenusAlphaBlendAnimation);
  c.Integer("MenusAlphaBlendValue", &F::MenusAlphaBlendValue, &F::SetMenusAlphaBlendValue);
  RegisterFontProperties(c, "DefCaptionFont", &F::DefCaptionFont, kFormFontColours);
  RegisterFontProperties(c, "DefInActiveCaptionFont", &F::DefInActiveCaptionFont, kFormFontColours);
  c.Integer("DefMenuItemHeight", &F::DefMenuItemHeight, &F::SetDefMenuItemHeight);
  RegisterFontProperties(c, "DefMenuItemFont", &F::DefMenuItemFont, kFormFontColours);
  c.Reference("TrayIcon", &F::TrayIcon, &F::SetTrayIcon);
  c.Boolean("UseDefaultSysMenu", &F::UseDefaultSysMenu, &F::SetUseDefaultSysMenu);
  c.Reference("SystemMenu", &F::SystemMenu, &F::SetSystemMenu);
  c.Reference("SkinData", &F::SkinData, &F::SetSkinData);
  c.Reference("MenusSkinData", &F::MenusSkinData, &F::SetMenusSkinData);
  c.Integer("MinHeight", &F::MinHeight, &F::SetMinHeight);
  c.Integer("MinWidth", &F::MinWidth, &F::SetMinWidth);
  c.Boolean("Magnetic", &F::Magnetic, &F::SetMagnetic);
  c.Integer("MagneticSize", &F::MagneticSize, &F::SetMagneticSize);
  c.Set("BorderIcons", &F::BorderIcons, &F::SetBorderIcons,
        {{"biSystemMenu", 0}, {"biMinimize", 1}, {"biMaximize", 2}, {"biRollUp", 3}, {"biMinimizeToTray", 4}});
  c.Event("OnChangeSkinData", &F::OnChangeSkinData);
  c.Event("OnMouseUpEvent", &F::OnMouseUpEvent);
  c.Event("OnMouseDownEvent", &F::OnMouseDownEvent);
  c.Event("OnMouseMoveEvent", &F::OnMouseMoveEvent);
  c.Event("OnMouseEnterEvent", &F::OnMouseEnterEvent);
  c.Event("OnMouseLeaveEvent", &F::OnMouseLeaveEvent);
  c.Event("OnPaintEvent", &F::OnPaintEvent);
  c.Event("OnActivate", &F::OnActivate);
  c.Event("OnDeActivate", &F::OnDeActivate);
  c.Event("OnSkinMenuOpen", &F::OnSkinMenuOpen);
  c.Event("OnSkinMenuClose", &F::OnSkinMenuClose);
  c.Event("OnChangeRollUpState", &F::OnChangeRollUpState);
  c.Event("OnMinimizeToTray", &F::OnMinimizeToTray);
  c.Event("OnRestoreFromTray", &F::OnRestoreFromTray);
  c.Event("OnMainMenuEnter", &F::OnMainMenuEnter);
  c.Event("OnMainMenuExit", &F::OnMainMenuExit);
  c.Event("OnActivateCustomObject", &F::OnActivateCustomObject);

  using P = TbsSkinPopupMenu;
  auto p = r.RegisterClass<P>("TbsSkinPopupMenu", "TPopupMenu");
  p.Reference("SkinData", &P::SkinData, &P::SetSkinData);
  p.Reference("ComponentForm", &P::ComponentForm, &P::SetComponentForm);
}
