// The properties stored layouts set on controls, forms and timers.
#include "framework/windows/WindowsClasses.h"

#include "framework/layout/ClassRegistry.h"
#include "framework/menus/PopupMenu.h"
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

void RegisterWindowsClasses() {
  TClassRegistry& r = ClassRegistry();
  auto c = r.RegisterRootClass<TControl>("TControl", "TComponent");
  c.Integer("Left", [](TControl* o, Int64 v) { o->SetLeft(int(v)); }, [](const TControl* o) -> Int64 { return o->Left(); });
  c.Integer("Top", [](TControl* o, Int64 v) { o->SetTop(int(v)); }, [](const TControl* o) -> Int64 { return o->Top(); });
  c.Integer("Width", [](TControl* o, Int64 v) { o->SetWidth(int(v)); }, [](const TControl* o) -> Int64 { return o->Width(); });
  c.Integer("Height", [](TControl* o, Int64 v) { o->SetHeight(int(v)); }, [](const TControl* o) -> Int64 { return o->Height(); });
  c.Integer("ClientWidth", [](TControl* o, Int64 v) { o->SetClientWidth(int(v)); });
  c.Integer("ClientHeight", [](TControl* o, Int64 v) { o->SetClientHeight(int(v)); });
  c.String("Caption", [](TControl* o, const std::string& v) { o->SetCaption(v); }, [](const TControl* o) { return o->Caption(); });
  c.String("Text", [](TControl* o, const std::string& v) { o->SetText(v); });
  c.Integer("Color", [](TControl* o, Int64 v) { o->SetColor(TColor(v)); }, [](const TControl* o) -> Int64 { return o->Color(); }, ColorIdents());
  c.Boolean("Enabled", [](TControl* o, bool v) { o->SetEnabled(v); }, [](const TControl* o) { return o->Enabled(); });
  c.Boolean("Visible", [](TControl* o, bool v) { o->SetVisible(v); }, [](const TControl* o) { return o->Visible(); });
  c.String("Font.Name", [](TControl* o, const std::string& v) { o->Font()->SetName(v); }, [](const TControl* o) { return o->Font()->Name(); });
  c.Integer("Font.Height", [](TControl* o, Int64 v) { o->Font()->SetHeight(int(v)); }, [](const TControl* o) -> Int64 { return o->Font()->Height(); });
  c.Integer("Font.Color", [](TControl* o, Int64 v) { o->Font()->SetColor(TColor(v)); }, [](const TControl* o) -> Int64 { return o->Font()->Color(); }, ColorIdents());
  c.Integer("Font.Charset", [](TControl* o, Int64 v) { o->Font()->SetCharset(TFontCharset(v)); }, [](const TControl* o) -> Int64 { return o->Font()->Charset(); },
            {{"ANSI_CHARSET", ANSI_CHARSET}, {"DEFAULT_CHARSET", DEFAULT_CHARSET}, {"SYMBOL_CHARSET", SYMBOL_CHARSET}, {"GB2312_CHARSET", GB2312_CHARSET}});
  c.Set("Font.Style", {{"fsBold", 0}, {"fsItalic", 1}, {"fsUnderline", 2}, {"fsStrikeOut", 3}},
        [](TControl* o, std::uint64_t v) { o->Font()->SetStyle(TFontStyles::FromBits(v)); },
        [](const TControl* o) { return o->Font()->Style().Bits(); });
  c.Boolean("ParentFont", [](TControl* o, bool v) { o->SetParentFont(v); }, [](const TControl* o) { return o->ParentFont(); });
  c.Boolean("ParentColor", [](TControl* o, bool v) { o->SetParentColor(v); }, [](const TControl* o) { return o->ParentColor(); });
  c.String("Hint", [](TControl* o, const std::string& v) { o->SetHint(v); }, [](const TControl* o) { return o->Hint(); });
  c.Boolean("ShowHint", [](TControl* o, bool v) { o->SetShowHint(v); }, [](const TControl* o) { return o->ShowHint(); });
  c.Boolean("ParentShowHint", [](TControl* o, bool v) { o->SetParentShowHint(v); }, [](const TControl* o) { return o->ParentShowHint(); });
  c.Enum("Align", {{"alNone", 0}, {"alTop", 1}, {"alBottom", 2}, {"alLeft", 3}, {"alRight", 4}, {"alClient", 5}},
         [](TControl* o, int v) { o->SetAlign(TAlign(v)); }, [](const TControl* o) { return int(o->Align()); });
  c.Set("Anchors", {{"akLeft", 0}, {"akTop", 1}, {"akRight", 2}, {"akBottom", 3}},
        [](TControl* o, std::uint64_t v) { o->SetAnchors(TAnchors::FromBits(v)); },
        [](const TControl* o) { return o->Anchors().Bits(); });
  c.Integer("Tag", [](TControl* o, Int64 v) { o->SetTag(long(v)); }, [](const TControl* o) -> Int64 { return o->Tag(); });
  c.Integer("Cursor", [](TControl* o, Int64 v) { o->SetCursor(TCursor(v)); }, {},
            {{"crDefault", crDefault}, {"crArrow", crArrow}, {"crHandPoint", crHandPoint}, {"crIBeam", crIBeam}});
  c.Event("OnClick", [](TControl* o, TNotifyEvent e) { o->OnClick = e; });
  c.Event("OnDblClick", [](TControl* o, TNotifyEvent e) { o->OnDblClick = e; });
  c.Event("OnMouseEnter", [](TControl* o, TNotifyEvent e) { o->OnMouseEnter = e; });
  c.Event("OnMouseLeave", [](TControl* o, TNotifyEvent e) { o->OnMouseLeave = e; });
  c.Event("OnResize", [](TControl* o, TNotifyEvent e) { o->OnResize = e; });
  c.Event("OnEnter", [](TControl* o, TNotifyEvent e) { o->OnEnter = e; });
  c.Event("OnExit", [](TControl* o, TNotifyEvent e) { o->OnExit = e; });
  // A control names its context menu.
  c.Reference<TPopupMenu>("PopupMenu", [](TControl* o, TPopupMenu* v) { o->SetPopupMenu(v); },
                          [](const TControl* o) { return dynamic_cast<TPopupMenu*>(o->PopupMenu()); });

  auto w = r.RegisterRootClass<TWinControl>("TWinControl", "TControl");
  w.Integer("TabOrder", [](TWinControl* o, Int64 v) { o->SetTabOrder(int(v)); }, [](const TWinControl* o) -> Int64 { return o->TabOrder(); });
  w.Boolean("TabStop", [](TWinControl* o, bool v) { o->SetTabStop(v); }, [](const TWinControl* o) { return o->TabStop(); });
  r.RegisterRootClass<TCustomControl>("TCustomControl", "TWinControl");
  r.RegisterRootClass<TGraphicControl>("TGraphicControl", "TControl");

  auto f = r.RegisterRootClass<TCustomForm>("TCustomForm", "TWinControl");
  f.Enum("BorderStyle", {{"bsNone", 0}, {"bsSingle", 1}, {"bsSizeable", 2}, {"bsDialog", 3}, {"bsToolWindow", 4}, {"bsSizeToolWin", 5}},
         [](TCustomForm* o, int v) { o->SetBorderStyle(TFormBorderStyle(v)); }, [](const TCustomForm* o) { return int(o->BorderStyle()); });
  f.Set("BorderIcons", {{"biSystemMenu", 0}, {"biMinimize", 1}, {"biMaximize", 2}, {"biHelp", 3}},
        [](TCustomForm* o, std::uint64_t v) { o->SetBorderIcons(TBorderIcons::FromBits(v)); },
        [](const TCustomForm* o) { return o->BorderIcons().Bits(); });
  f.Enum("Position", {{"poDesigned", 0}, {"poDefault", 1}, {"poDefaultPosOnly", 2}, {"poDefaultSizeOnly", 3},
                      {"poScreenCenter", 4}, {"poDesktopCenter", 5}, {"poMainFormCenter", 6}, {"poOwnerFormCenter", 7}},
         [](TCustomForm* o, int v) { o->SetPosition(TPosition(v)); }, [](const TCustomForm* o) { return int(o->Position()); });
  f.Enum("FormStyle", {{"fsNormal", 0}, {"fsMDIChild", 1}, {"fsMDIForm", 2}, {"fsStayOnTop", 3}},
         [](TCustomForm* o, int v) { o->SetFormStyle(TFormStyle(v)); }, [](const TCustomForm* o) { return int(o->FormStyle()); });
  f.Enum("WindowState", {{"wsNormal", 0}, {"wsMinimized", 1}, {"wsMaximized", 2}},
         [](TCustomForm* o, int v) { o->SetWindowState(TWindowState(v)); }, [](const TCustomForm* o) { return int(o->WindowState()); });
  f.Boolean("KeyPreview", [](TCustomForm* o, bool v) { o->SetKeyPreview(v); }, [](const TCustomForm* o) { return o->KeyPreview(); });
  f.Boolean("AutoScroll", [](TCustomForm* o, bool v) { o->SetAutoScroll(v); });
  f.Boolean("Scaled", [](TCustomForm* o, bool v) { o->Scaled = v; });
  f.Boolean("OldCreateOrder", [](TCustomForm* o, bool v) { o->OldCreateOrder = v; });
  f.Integer("PixelsPerInch", [](TCustomForm* o, Int64 v) { o->PixelsPerInch = int(v); });
  f.Integer("TextHeight", [](TCustomForm* o, Int64 v) { o->TextHeight = int(v); });
  f.Event("OnCreate", [](TCustomForm* o, TNotifyEvent e) { o->OnCreate = e; });
  f.Event("OnShow", [](TCustomForm* o, TNotifyEvent e) { o->OnShow = e; });
  f.Event("OnHide", [](TCustomForm* o, TNotifyEvent e) { o->OnHide = e; });
  f.Event("OnDestroy", [](TCustomForm* o, TNotifyEvent e) { o->OnDestroy = e; });
  f.Event("OnActivate", [](TCustomForm* o, TNotifyEvent e) { o->OnActivate = e; });
  f.Event("OnDeactivate", [](TCustomForm* o, TNotifyEvent e) { o->OnDeactivate = e; });
  f.Event<TCloseEvent>("OnClose", [](TCustomForm* o, TCloseEvent e) { o->OnClose = e; });
  r.RegisterClass<TForm>("TForm", "TCustomForm");

  auto t = r.RegisterClass<TTimer>("TTimer", "TComponent");
  t.Integer("Interval", [](TTimer* o, Int64 v) { o->SetInterval(unsigned(v)); }, [](const TTimer* o) -> Int64 { return o->Interval(); });
  t.Boolean("Enabled", [](TTimer* o, bool v) { o->SetEnabled(v); }, [](const TTimer* o) { return o->Enabled(); });
  t.Event("OnTimer", [](TTimer* o, TNotifyEvent e) { o->OnTimer = e; });

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
