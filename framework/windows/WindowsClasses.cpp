// The properties stored layouts set on controls, forms and timers.
#include "framework/windows/WindowsClasses.h"

#include "framework/layout/ClassRegistry.h"
#include "framework/menus/PopupMenu.h"
#include "framework/windows/FontProperties.h"
#include "framework/windows/Forms.h"
#include "framework/windows/Timers.h"

namespace {
TIdentMap ColorIdents() {
  return {{"clBlack", clBlack}, {"clMaroon", clMaroon}, {"clGreen", clGreen}, {"clOlive", clOlive},
          {"clNavy", clNavy}, {"clPurple", clPurple}, {"clTeal", clTeal}, {"clGray", clGray},
          {"clSilver", clSilver}, {"clRed", clRed}, {"clLime", clLime}, {"clYellow", clYellow},
          {"clBlue", clBlue}, {"clFuchsia", clFuchsia}, {"clAqua", clAqua}, {"clWhite", clWhite},
          {"clNone", clNone}, {"clDefault", clDefault}, {"clScrollBar", clScrollBar},
          {"clBackground", clBackground}, {"clActiveCaption", clActiveCaption},
          {"clInactiveCaption", clInactiveCaption}, {"clMenu", clMenu}, {"clWindow", clWindow},
          {"clWindowFrame", clWindowFrame}, {"clMenuText", clMenuText}, {"clWindowText", clWindowText},
          {"clCaptionText", clCaptionText}, {"clActiveBorder", clActiveBorder},
          {"clInactiveBorder", clInactiveBorder}, {"clAppWorkSpace", clAppWorkSpace},
          {"clHighlight", clHighlight}, {"clHighlightText", clHighlightText}, {"clBtnFace", clBtnFace},
          {"clBtnShadow", clBtnShadow}, {"clGrayText", clGrayText}, {"clBtnText", clBtnText},
          {"clInactiveCaptionText", clInactiveCaptionText}, {"clBtnHighlight", clBtnHighlight},
          {"cl3DDkShadow", cl3DDkShadow}, {"cl3DLight", cl3DLight}, {"clInfoText", clInfoText},
          {"clInfoBk", clInfoBk}};
}
}  // namespace

const TIdentMap kFontCharsetIdents = {{"ANSI_CHARSET", ANSI_CHARSET},
                                      {"DEFAULT_CHARSET", DEFAULT_CHARSET},
                                      {"SYMBOL_CHARSET", SYMBOL_CHARSET},
                                      {"GB2312_CHARSET", GB2312_CHARSET}};
const TIdentMap kFontStyleIdents = {{"fsBold", 0}, {"fsItalic", 1}, {"fsUnderline", 2}, {"fsStrikeOut", 3}};

void RegisterWindowsClasses() {
  TClassRegistry& r = ClassRegistry();
  using C = TControl;
  auto c = r.RegisterRootClass<C>("TControl", "TComponent");
  c.Integer("Left", &C::Left, &C::SetLeft);
  c.Integer("Top", &C::Top, &C::SetTop);
  c.Integer("Width", &C::Width, &C::SetWidth);
  c.Integer("Height", &C::Height, &C::SetHeight);
  c.Integer("ClientWidth", nullptr, &C::SetClientWidth);
  c.Integer("ClientHeight", nullptr, &C::SetClientHeight);
  c.String("Caption", &C::Caption, &C::SetCaption);
  c.String("Text", nullptr, &C::SetText);
  c.Integer("Color", &C::Color, &C::SetColor, ColorIdents());
  c.Boolean("Enabled", &C::Enabled, &C::SetEnabled);
  c.Boolean("Visible", &C::Visible, &C::SetVisible);
  RegisterFontProperties(c, "Font", &C::Font, ColorIdents());
  c.Boolean("ParentFont", &C::ParentFont, &C::SetParentFont);
  c.Boolean("ParentColor", &C::ParentColor, &C::SetParentColor);
  c.String("Hint", &C::Hint, &C::SetHint);
  c.Boolean("ShowHint", &C::ShowHint, &C::SetShowHint);
  c.Boolean("ParentShowHint", &C::ParentShowHint, &C::SetParentShowHint);
  c.Enum("Align", &C::Align, &C::SetAlign,
         {{"alNone", 0}, {"alTop", 1}, {"alBottom", 2}, {"alLeft", 3}, {"alRight", 4}, {"alClient", 5}});
  c.Set("Anchors", &C::Anchors, &C::SetAnchors, {{"akLeft", 0}, {"akTop", 1}, {"akRight", 2}, {"akBottom", 3}});
  c.Integer("Tag", &C::Tag, &C::SetTag);
  c.Integer("Cursor", nullptr, &C::SetCursor,
            {{"crDefault", crDefault}, {"crArrow", crArrow}, {"crHandPoint", crHandPoint}, {"crIBeam", crIBeam}});
  c.Event("OnClick", &C::OnClick);
  c.Event("OnDblClick", &C::OnDblClick);
  c.Event("OnMouseEnter", &C::OnMouseEnter);
  c.Event("OnMouseLeave", &C::OnMouseLeave);
  c.Event("OnResize", &C::OnResize);
  c.Event("OnEnter", &C::OnEnter);
  c.Event("OnExit", &C::OnExit);
  // A control names its context menu.
  c.Reference("PopupMenu", &C::PopupMenu, &C::SetPopupMenu);

  using W = TWinControl;
  auto w = r.RegisterRootClass<W>("TWinControl", "TControl");
  w.Integer("TabOrder", &W::TabOrder, &W::SetTabOrder);
  w.Boolean("TabStop", &W::TabStop, &W::SetTabStop);
  r.RegisterRootClass<TCustomControl>("TCustomControl", "TWinControl");
  r.RegisterRootClass<TGraphicControl>("TGraphicControl", "TControl");

  using F = TCustomForm;
  auto f = r.RegisterRootClass<F>("TCustomForm", "TWinControl");
  f.Enum("BorderStyle", &F::BorderStyle, &F::SetBorderStyle,
         {{"bsNone", 0}, {"bsSingle", 1}, {"bsSizeable", 2}, {"bsDialog", 3}, {"bsToolWindow", 4}, {"bsSizeToolWin", 5}});
  f.Set("BorderIcons", &F::BorderIcons, &F::SetBorderIcons,
        {{"biSystemMenu", 0}, {"biMinimize", 1}, {"biMaximize", 2}, {"biHelp", 3}});
  f.Enum("Position", &F::Position, &F::SetPosition,
         {{"poDesigned", 0}, {"poDefault", 1}, {"poDefaultPosOnly", 2}, {"poDefaultSizeOnly", 3},
          {"poScreenCenter", 4}, {"poDesktopCenter", 5}, {"poMainFormCenter", 6}, {"poOwnerFormCenter", 7}});
  f.Enum("FormStyle", &F::FormStyle, &F::SetFormStyle,
         {{"fsNormal", 0}, {"fsMDIChild", 1}, {"fsMDIForm", 2}, {"fsStayOnTop", 3}});
  f.Enum("WindowState", &F::WindowState, &F::SetWindowState, {{"wsNormal", 0}, {"wsMinimized", 1}, {"wsMaximized", 2}});
  f.Boolean("KeyPreview", &F::KeyPreview, &F::SetKeyPreview);
  f.Boolean("AutoScroll", nullptr, &F::SetAutoScroll);
  f.Boolean("Scaled", nullptr, &F::Scaled);
  f.Boolean("OldCreateOrder", nullptr, &F::OldCreateOrder);
  f.Integer("PixelsPerInch", nullptr, &F::PixelsPerInch);
  f.Integer("TextHeight", nullptr, &F::TextHeight);
  f.Event("OnCreate", &F::OnCreate);
  f.Event("OnShow", &F::OnShow);
  f.Event("OnHide", &F::OnHide);
  f.Event("OnDestroy", &F::OnDestroy);
  f.Event("OnActivate", &F::OnActivate);
  f.Event("OnDeactivate", &F::OnDeactivate);
  f.Event("OnClose", &F::OnClose);
  r.RegisterClass<TForm>("TForm", "TCustomForm");

  auto t = r.RegisterClass<TTimer>("TTimer", "TComponent");
  t.Integer("Interval", &TTimer::Interval, &TTimer::SetInterval);
  t.Boolean("Enabled", &TTimer::Enabled, &TTimer::SetEnabled);
  t.Event("OnTimer", &TTimer::OnTimer);

  // A control read inside another component's block sits in that component.
  r.SetParentHandler([](TComponent* child, TComponent* parent) {
    auto* control = dynamic_cast<TControl*>(child);
    auto* host = dynamic_cast<TWinControl*>(parent);
    if (control && host) control->SetParent(host);
  });
  r.SetParentGetter([](const TComponent* child) -> TComponent* {
    auto* control = dynamic_cast<const TControl*>(child);
    if (!control || !control->Parent() || control->Parent() == control->Owner()) return nullptr;
    return control->Parent();
  });
}
