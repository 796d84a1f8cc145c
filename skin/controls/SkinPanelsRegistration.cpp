#include "skin/controls/SkinPanelsRegistration.h"

#include "framework/menus/PopupMenu.h"
#include "framework/graphics/ImageList.h"
#include "framework/layout/ClassRegistry.h"
#include "framework/menus/PopupMenu.h"
#include "skin/controls/SkinCheckRadioBox.h"
#include "skin/controls/SkinGroupBox.h"
#include "skin/controls/SkinPanel.h"
#include "skin/controls/SkinRadioGroup.h"

namespace {
const TIdentMap kColors = {
    {"clBlack", clBlack},         {"clNavy", clNavy},           {"clWhite", clWhite},
    {"clGray", clGray},           {"clWindowText", clWindowText}, {"clBtnText", clBtnText},
    {"clBtnFace", clBtnFace},     {"clBtnShadow", clBtnShadow}, {"clBtnHighlight", clBtnHighlight},
    {"clWindow", clWindow},       {"clHighlight", clHighlight}, {"clHighlightText", clHighlightText},
    {"clGrayText", clGrayText}};
const TIdentMap kCharsets = {{"ANSI_CHARSET", ANSI_CHARSET},
                             {"DEFAULT_CHARSET", DEFAULT_CHARSET},
                             {"SYMBOL_CHARSET", SYMBOL_CHARSET},
                             {"GB2312_CHARSET", GB2312_CHARSET}};
const TIdentMap kFontStyles = {{"fsBold", 0}, {"fsItalic", 1}, {"fsUnderline", 2}, {"fsStrikeOut", 3}};

// prefix.Name, .Height, .Color, .Charset and .Style of the font get returns.
template <class T>
void Font(TClassBuilder<T>& c, const std::string& prefix, TFont* (*get)(T*), const TFont* (*cget)(const T*)) {
  c.String(prefix + ".Name", [get](T* t, const std::string& v) { get(t)->SetName(v); },
           [cget](const T* t) { return cget(t)->Name(); });
  c.Integer(prefix + ".Height", [get](T* t, Int64 v) { get(t)->SetHeight(int(v)); },
            [cget](const T* t) -> Int64 { return cget(t)->Height(); });
  c.Integer(prefix + ".Color", [get](T* t, Int64 v) { get(t)->SetColor(TColor(v)); },
            [cget](const T* t) -> Int64 { return cget(t)->Color(); }, kColors);
  c.Integer(prefix + ".Charset", [get](T* t, Int64 v) { get(t)->SetCharset(TFontCharset(v)); },
            [cget](const T* t) -> Int64 { return cget(t)->Charset(); }, kCharsets);
  c.Set(prefix + ".Style", kFontStyles, [get](T* t, std::uint64_t v) { get(t)->SetStyle(TFontStyles::FromBits(v)); },
        [cget](const T* t) { return cget(t)->Style().Bits(); });
}

// A stored bitmap block: the BMP file, optionally preceded by its 32-bit length.
void LoadBitmapBlock(TBitmap& bmp, const std::vector<std::uint8_t>& bytes) {
  if (bytes.empty()) {
    bmp.SetSize(0, 0);
    return;
  }
  std::size_t skip = 0;
  if (bytes.size() >= 6 && bytes[4] == 'B' && bytes[5] == 'M') {
    const std::uint32_t n = bytes[0] | (bytes[1] << 8) | (bytes[2] << 16) | (std::uint32_t(bytes[3]) << 24);
    if (n == bytes.size() - 4) skip = 4;
  }
  bmp.LoadFromBytes(bytes.data() + skip, bytes.size() - skip);
}

template <class T>
void MouseAndKeyEvents(TClassBuilder<T>& c, bool keys) {
  c.template Event<TMouseEvent>("OnMouseDown", [](T* b, TMouseEvent e) { b->OnMouseDown = std::move(e); });
  c.template Event<TMouseEvent>("OnMouseUp", [](T* b, TMouseEvent e) { b->OnMouseUp = std::move(e); });
  c.template Event<TMouseMoveEvent>("OnMouseMove", [](T* b, TMouseMoveEvent e) { b->OnMouseMove = std::move(e); });
  c.template Reference<TPopupMenu>(
      "PopupMenu", [](T* b, TPopupMenu* m) { b->SetPopupMenu(m); }, [](const T* b) { return b->PopupMenu(); });
  if (!keys) return;
  c.template Event<TKeyEvent>("OnKeyDown", [](T* b, TKeyEvent e) { b->OnKeyDown = std::move(e); });
  c.template Event<TKeyEvent>("OnKeyUp", [](T* b, TKeyEvent e) { b->OnKeyUp = std::move(e); });
  c.template Event<TKeyPressEvent>("OnKeyPress", [](T* b, TKeyPressEvent e) { b->OnKeyPress = std::move(e); });
}

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
    LoadBitmapBlock(g, v);
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
  MouseAndKeyEvents(c, false);

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
  MouseAndKeyEvents(c, true);
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
  Font<TbsSkinRadioGroup>(
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
