#include "skin/controls/SkinStdLabel.h"

#include "framework/graphics/Canvas.h"
#include "skin/data/SkinData.h"

TbsSkinStdLabel::TbsSkinStdLabel(TComponent* AOwner) : TLabel(AOwner), TbsSkinBinding(this, "stdlabel") {
  SetTransparent(true);
  FDefaultFont.SetName("Arial");
  FDefaultFont.SetHeight(14);
  FDefaultFont.SetStyle({});
  FDefaultFont.OnChange = [this](TObject*) {
    AdjustBounds();
    Invalidate();
  };
}

TbsSkinStdLabel::~TbsSkinStdLabel() {
  FDefaultFont.OnChange = nullptr;
  BindSkinData(nullptr);
}

void TbsSkinStdLabel::SetSkinData(TbsSkinData* Value) {
  BindSkinData(Value);
  if (FSD) ApplySkinChange();
}

void TbsSkinStdLabel::Notification(TComponent* AComponent, TOperation Operation) {
  TLabel::Notification(AComponent, Operation);
  SkinDataRemoved(AComponent, Operation);
}

void TbsSkinStdLabel::SetDefaultFont(const TFont* Value) { FDefaultFont.Assign(Value); }

void TbsSkinStdLabel::SetUseSkinFont(bool Value) {
  if (Value == FUseSkinFont) return;
  FUseSkinFont = Value;
  AdjustBounds();
  Invalidate();
}

void TbsSkinStdLabel::ApplySkinChange() {
  ReadSkinRecord();
  AdjustBounds();
  Invalidate();
}

void TbsSkinStdLabel::BeginSkinChange() {
  FIndex = -1;
  Invalidate();
}

bool TbsSkinStdLabel::AcceptsRecord(const TbsDataSkinControl* Record) const {
  return Record->As<TbsDataSkinStdLabelControl>();
}

void TbsSkinStdLabel::ReadSkinRecord() {
  LookUpRecord();
  const auto* r = Record<TbsDataSkinStdLabelControl>();
  if (!r) return;
  FSkinFont.Read(*r);
  FFontColor = r->fontcolor;
}

void TbsSkinStdLabel::SkinTextFont(TFont& f) const {
  if (FIndex == -1) {
    f.Assign(FUseSkinFont ? &FDefaultFont : Font());
  } else {
    f.Assign(Font());
    if (FUseSkinFont) {
      f.SetName(FSkinFont.Name);
      f.SetStyle(FSkinFont.Style);
      f.SetHeight(FSkinFont.Height);
    }
    f.SetColor(FFontColor);
  }
  f.SetCharset(SkinCharset(FDefaultFont.Charset()));
}

void TbsSkinStdLabel::DoDrawText(TCanvas* c, TRect& r, unsigned flags) {
  ReadSkinRecord();
  std::string text = Caption();
  const bool measuring = (flags & DT_CALCRECT) != 0;
  if (measuring && (text.empty() || (ShowAccelChar() && text == "&"))) text += " ";
  if (!ShowAccelChar()) flags |= DT_NOPREFIX;
  c->Brush()->Style = TBrushStyle::bsClear;
  if (Enabled()) {
    c->Font()->Assign(Font());
    UseSkinCharset(c->Font());
    c->DrawText(text, r, flags);
    return;
  }
  TFont f;
  SkinTextFont(f);
  c->Font()->Assign(&f);
  if (measuring) {
    c->DrawText(text, r, flags);
    return;
  }
  TRect shifted = r;
  OffsetRect(shifted, 1, 1);
  c->Font()->SetColor(clBtnHighlight);
  c->DrawText(text, shifted, flags);
  c->Font()->SetColor(clBtnShadow);
  c->DrawText(text, r, flags);
}
