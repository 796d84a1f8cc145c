#include "skin/controls/SkinStdLabel.h"

#include "framework/graphics/Canvas.h"
#include "skin/data/ResourceStrData.h"
#include "skin/data/SkinControlRecords.h"
#include "skin/data/SkinData.h"

TbsSkinStdLabel::TbsSkinStdLabel(TComponent* AOwner) : TLabel(AOwner) {
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
  if (FSD) FSD->RemoveFreeNotification(this);
}

void TbsSkinStdLabel::SetSkinData(TbsSkinData* Value) {
  if (FSD && FSD != Value) FSD->RemoveFreeNotification(this);
  FSD = Value;
  if (FSD) {
    FSD->FreeNotification(this);
    ApplySkinChange();
  }
}

void TbsSkinStdLabel::Notification(TComponent* AComponent, TOperation Operation) {
  TLabel::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FSD) {
    FSD = nullptr;
    FIndex = -1;
  }
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

void TbsSkinStdLabel::ReadSkinRecord() {
  FIndex = !FSD || FSD->SkinEmpty ? -1 : FSD->FindControlIndex(FSkinDataName);
  const auto* r = FIndex == -1 ? nullptr
                               : dynamic_cast<const TbsDataSkinStdLabelControl*>(FSD->ControlRecords[size_t(FIndex)].get());
  if (!r) {
    FIndex = -1;
    return;
  }
  FFontName = r->fontname;
  FFontHeight = r->fontheight;
  FFontStyle = r->fontstyle;
  FFontColor = r->fontcolor;
}

TFontCharset TbsSkinStdLabel::Charset() const {
  return FSD && FSD->ResourceStrData() ? FSD->ResourceStrData()->CharSet() : FDefaultFont.Charset();
}

void TbsSkinStdLabel::SkinTextFont(TFont& f) const {
  if (FIndex == -1) {
    f.Assign(FUseSkinFont ? &FDefaultFont : Font());
  } else {
    f.Assign(Font());
    if (FUseSkinFont) {
      f.SetName(FFontName);
      f.SetStyle(FFontStyle);
      f.SetHeight(FFontHeight);
    }
    f.SetColor(FFontColor);
  }
  f.SetCharset(Charset());
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
    if (FSD && FSD->ResourceStrData()) c->Font()->SetCharset(FSD->ResourceStrData()->CharSet());
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
