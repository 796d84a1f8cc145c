#include "skin/form/SkinFormRegistration.h"

#include "framework/layout/ClassRegistry.h"
#include "framework/menus/PopupMenu.h"
#include "skin/controls/SkinRegistrationSupport.h"
#include "skin/data/SkinData.h"
#include "skin/form/SkinForm.h"
#include "skin/form/SkinHint.h"
#include "skin/form/SkinPopupMenu.h"
#include "skin/form/SkinTrayIcon.h"

namespace {
using B = TClassBuilder<TbsSkinForm>;

// The stored sub-properties of one of the form component's fonts.
void FontProps(B& c, const std::string& prefix, TFont* (*font)(TbsSkinForm*)) {
  c.String(prefix + ".Name", [font](TbsSkinForm* o, const std::string& v) { font(o)->SetName(v); },
           [font](const TbsSkinForm* o) { return font(const_cast<TbsSkinForm*>(o))->Name(); });
  c.Integer(prefix + ".Height", [font](TbsSkinForm* o, Int64 v) { font(o)->SetHeight(int(v)); },
            [font](const TbsSkinForm* o) -> Int64 { return font(const_cast<TbsSkinForm*>(o))->Height(); });
  c.Integer(prefix + ".Color", [font](TbsSkinForm* o, Int64 v) { font(o)->SetColor(TColor(v)); },
            [font](const TbsSkinForm* o) -> Int64 { return font(const_cast<TbsSkinForm*>(o))->Color(); },
            {{"clBtnText", clBtnText}, {"clBtnShadow", clBtnShadow}, {"clWindowText", clWindowText},
             {"clBlack", clBlack}, {"clWhite", clWhite}});
  c.Integer(prefix + ".Charset", [font](TbsSkinForm* o, Int64 v) { font(o)->SetCharset(TFontCharset(v)); },
            [font](const TbsSkinForm* o) -> Int64 { return font(const_cast<TbsSkinForm*>(o))->Charset(); },
            {{"ANSI_CHARSET", ANSI_CHARSET}, {"DEFAULT_CHARSET", DEFAULT_CHARSET},
             {"SYMBOL_CHARSET", SYMBOL_CHARSET}, {"GB2312_CHARSET", GB2312_CHARSET}});
  c.Set(prefix + ".Style", {{"fsBold", 0}, {"fsItalic", 1}, {"fsUnderline", 2}, {"fsStrikeOut", 3}},
        [font](TbsSkinForm* o, std::uint64_t v) { font(o)->SetStyle(TFontStyles::FromBits(v)); },
        [font](const TbsSkinForm* o) { return font(const_cast<TbsSkinForm*>(o))->Style().Bits(); });
}

#define BOOL_PROP(c, Name) \
  c.Boolean(#Name, [](TbsSkinForm* o, bool v) { o->Set##Name(v); }, [](const TbsSkinForm* o) { return o->Name(); })
#define INT_PROP(c, Name, Type)                                                    \
  c.Integer(#Name, [](TbsSkinForm* o, Int64 v) { o->Set##Name(Type(v)); }, \
            [](const TbsSkinForm* o) -> Int64 { return o->Name(); })
}  // namespace

void RegisterSkinFormClasses() {
  TClassRegistry& r = ClassRegistry();
  auto c = r.RegisterClass<TbsSkinForm>("TbsSkinForm", "TComponent");
  INT_PROP(c, ClientWidth, int);
  INT_PROP(c, ClientHeight, int);
  BOOL_PROP(c, HideCaptionButtons);
  BOOL_PROP(c, AlwaysShowInTray);
  c.Binary("LogoBitMap.Data", [](TbsSkinForm* o, const std::vector<std::uint8_t>& v) {
    LoadSkinBitmapBlock(*o->LogoBitMap(), v);
  });
  BOOL_PROP(c, LogoBitMapTransparent);
  BOOL_PROP(c, AlwaysMinimizeToTray);
  BOOL_PROP(c, UseSkinFontInMenu);
  BOOL_PROP(c, ShowIcon);
  BOOL_PROP(c, MaximizeOnFullScreen);
  BOOL_PROP(c, AlphaBlend);
  BOOL_PROP(c, AlphaBlendAnimation);
  INT_PROP(c, AlphaBlendValue, Byte);
  c.Reference<TbsSkinHint>("SkinHint", [](TbsSkinForm* o, TbsSkinHint* v) { o->SetSkinHint(v); },
                           [](const TbsSkinForm* o) { return o->SkinHint(); });
  BOOL_PROP(c, ShowObjectHint);
  BOOL_PROP(c, UseDefaultObjectHint);
  BOOL_PROP(c, MenusAlphaBlend);
  BOOL_PROP(c, MenusAlphaBlendAnimation);
  INT_PROP(c, MenusAlphaBlendValue, Byte);
  FontProps(c, "DefCaptionFont", [](TbsSkinForm* o) { return o->DefCaptionFont(); });
  FontProps(c, "DefInActiveCaptionFont", [](TbsSkinForm* o) { return o->DefInActiveCaptionFont(); });
  INT_PROP(c, DefMenuItemHeight, int);
  FontProps(c, "DefMenuItemFont", [](TbsSkinForm* o) { return o->DefMenuItemFont(); });
  c.Reference<TbsTrayIcon>("TrayIcon", [](TbsSkinForm* o, TbsTrayIcon* v) { o->SetTrayIcon(v); },
                           [](const TbsSkinForm* o) { return o->TrayIcon(); });
  BOOL_PROP(c, UseDefaultSysMenu);
  c.Reference<TPopupMenu>("SystemMenu", [](TbsSkinForm* o, TPopupMenu* v) { o->SetSystemMenu(v); },
                          [](const TbsSkinForm* o) { return o->SystemMenu(); });
  c.Reference<TbsSkinData>("SkinData", [](TbsSkinForm* o, TbsSkinData* v) { o->SetSkinData(v); },
                           [](const TbsSkinForm* o) { return o->SkinData(); });
  c.Reference<TbsSkinData>("MenusSkinData", [](TbsSkinForm* o, TbsSkinData* v) { o->SetMenusSkinData(v); },
                           [](const TbsSkinForm* o) { return o->MenusSkinData(); });
  INT_PROP(c, MinHeight, int);
  INT_PROP(c, MinWidth, int);
  BOOL_PROP(c, Magnetic);
  INT_PROP(c, MagneticSize, Byte);
  c.Set("BorderIcons",
        {{"biSystemMenu", 0}, {"biMinimize", 1}, {"biMaximize", 2}, {"biRollUp", 3}, {"biMinimizeToTray", 4}},
        [](TbsSkinForm* o, std::uint64_t v) { o->SetBorderIcons(TbsBorderIcons::FromBits(v)); },
        [](const TbsSkinForm* o) { return o->BorderIcons().Bits(); });
  c.Event("OnChangeSkinData", [](TbsSkinForm* o, TNotifyEvent e) { o->OnChangeSkinData = e; });
  c.Event<TbsMouseUpEvent>("OnMouseUpEvent", [](TbsSkinForm* o, TbsMouseUpEvent e) { o->OnMouseUpEvent = e; });
  c.Event<TbsMouseDownEvent>("OnMouseDownEvent", [](TbsSkinForm* o, TbsMouseDownEvent e) { o->OnMouseDownEvent = e; });
  c.Event<TbsMouseMoveEvent>("OnMouseMoveEvent", [](TbsSkinForm* o, TbsMouseMoveEvent e) { o->OnMouseMoveEvent = e; });
  c.Event<TbsMouseEnterEvent>("OnMouseEnterEvent", [](TbsSkinForm* o, TbsMouseEnterEvent e) { o->OnMouseEnterEvent = e; });
  c.Event<TbsMouseLeaveEvent>("OnMouseLeaveEvent", [](TbsSkinForm* o, TbsMouseLeaveEvent e) { o->OnMouseLeaveEvent = e; });
  c.Event<TbsPaintEvent>("OnPaintEvent", [](TbsSkinForm* o, TbsPaintEvent e) { o->OnPaintEvent = e; });
  c.Event("OnActivate", [](TbsSkinForm* o, TNotifyEvent e) { o->OnActivate = e; });
  c.Event("OnDeActivate", [](TbsSkinForm* o, TNotifyEvent e) { o->OnDeActivate = e; });
  c.Event("OnSkinMenuOpen", [](TbsSkinForm* o, TNotifyEvent e) { o->OnSkinMenuOpen = e; });
  c.Event("OnSkinMenuClose", [](TbsSkinForm* o, TNotifyEvent e) { o->OnSkinMenuClose = e; });
  c.Event("OnChangeRollUpState", [](TbsSkinForm* o, TNotifyEvent e) { o->OnChangeRollUpState = e; });
  c.Event("OnMinimizeToTray", [](TbsSkinForm* o, TNotifyEvent e) { o->OnMinimizeToTray = e; });
  c.Event("OnRestoreFromTray", [](TbsSkinForm* o, TNotifyEvent e) { o->OnRestoreFromTray = e; });
  c.Event("OnMainMenuEnter", [](TbsSkinForm* o, TNotifyEvent e) { o->OnMainMenuEnter = e; });
  c.Event("OnMainMenuExit", [](TbsSkinForm* o, TNotifyEvent e) { o->OnMainMenuExit = e; });
  c.Event<TbsActivateCustomObjectEvent>(
      "OnActivateCustomObject", [](TbsSkinForm* o, TbsActivateCustomObjectEvent e) { o->OnActivateCustomObject = e; });

  auto p = r.RegisterClass<TbsSkinPopupMenu>("TbsSkinPopupMenu", "TPopupMenu");
  p.Reference<TbsSkinData>("SkinData", [](TbsSkinPopupMenu* o, TbsSkinData* v) { o->SetSkinData(v); },
                           [](const TbsSkinPopupMenu* o) { return o->SkinData(); });
  p.Reference<TComponent>("ComponentForm", [](TbsSkinPopupMenu* o, TComponent* v) { o->SetComponentForm(v); },
                          [](const TbsSkinPopupMenu* o) { return o->ComponentForm(); });
}
