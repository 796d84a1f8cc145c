#include "skin/form/SkinCaptionObject.h"

#include <algorithm>

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "framework/windows/Forms.h"
#include "skin/data/ResourceStrData.h"
#include "skin/data/SkinData.h"
#include "skin/draw/EffectBmp.h"
#include "skin/draw/SkinGeometry.h"
#include "skin/draw/SkinImage.h"
#include "skin/draw/SkinText.h"
#include "skin/form/SkinForm.h"

TbsSkinCaptionObject::TbsSkinCaptionObject(TbsSkinForm* form, const TbsDataSkinCaption* record)
    : TbsActiveSkinObject(form, record) {
  if (!record) return;
  TextRect = record->textrect;
  FontName = record->fontname;
  FontHeight = record->fontheight;
  FontStyle = record->fontstyle;
  FontColor = record->fontcolor;
  ActiveFontColor = record->activefontcolor;
  Alignment = record->alignment;
  Shadow = record->shadow;
  ShadowColor = record->shadowcolor;
  ActiveShadowColor = record->activeshadowcolor;
  if (FActivePicture) {
    FrameRect = record->framerect;
    ActiveFrameRect = record->activeframerect;
  }
  FrameTextRect = record->frametextrect;
  FrameLeftOffset = record->frameleftoffset;
  FrameRightOffset = record->framerightoffset;
}

std::string TbsSkinCaptionObject::CaptionText() const {
  return FForm && FForm->OwnerForm() ? FForm->OwnerForm()->Caption() : std::string();
}

void TbsSkinCaptionObject::DrawCaptionText(TCanvas* c, TPoint origin, bool active) {
  std::string text = CaptionText();
  if (text.empty() || IsNullRect(TextRect)) return;
  TRect area = TextRect;
  area.Right += RectWidth(ObjectRect) - RectWidth(SkinRect);
  const bool framed = !IsNullRect(FrameRect) && FActivePicture;
  if (framed) {
    area.Left += FrameTextRect.Left;
    area.Top += FrameTextRect.Top;
    area.Right += FrameTextRect.Right - RectWidth(FrameRect);
  }
  OffsetRect(area, origin.X, origin.Y);
  TFont* f = c->Font();
  f->SetName(FontName);
  f->SetStyle(FontStyle);
  f->SetHeight(FontHeight);
  f->SetColor(active ? ActiveFontColor : FontColor);
  if (FSkinData && FSkinData->ResourceStrData()) f->SetCharset(FSkinData->ResourceStrData()->CharSet());
  else if (FForm) f->SetCharset(FForm->DefCaptionFont()->Charset());
  TrimTextToWidth(c, text, std::max(0, RectWidth(area)));
  const int tw = c->TextWidth(text), th = c->TextHeight(text);
  const int y = area.Top + RectHeight(area) / 2 - th / 2;
  int x = area.Left;
  if (Alignment == 1) x = area.Right - tw;
  else if (Alignment == 2) x = area.Left + RectWidth(area) / 2 - tw / 2;
  c->Brush()->Style = TBrushStyle::bsClear;
  if (framed) {
    const TRect img = active && !IsNullRect(ActiveFrameRect) ? ActiveFrameRect : FrameRect;
    const int fw = RectWidth(img) + tw - RectWidth(FrameTextRect);
    if (fw > 0) {
      TBitmap frame;
      BuildHSkinImage(FrameLeftOffset, FrameRightOffset, frame, fw, img, *FActivePicture);
      c->Draw(x - FrameTextRect.Left, y - FrameTextRect.Top, &frame);
    }
  }
  if (Shadow) {
    f->SetColor(active ? ActiveShadowColor : ShadowColor);
    c->TextOut(x + 1, y + 1, text);
    f->SetColor(active ? ActiveFontColor : FontColor);
  }
  c->TextOut(x, y, text);
  c->Brush()->Style = TBrushStyle::bsSolid;
}

void TbsSkinCaptionObject::BuildLayer(TBitmap& out, const TBitmap* pic, const TRect& src, bool active) {
  const int w = RectWidth(ObjectRect), h = RectHeight(ObjectRect);
  out.SetSize(w, h);
  if (pic && !pic->Empty() && !IsNullRect(src)) {
    int l = 0, r = 0;
    if (FSkinData) {
      l = std::clamp(FSkinData->lefttoppoint.X - src.Left, 0, RectWidth(src));
      r = std::clamp(src.Right - FSkinData->righttoppoint.X, 0, RectWidth(src) - l);
    }
    if (l == 0 && r == 0) {
      out.Canvas()->CopyRect(Rect(0, 0, w, h), pic, src);
    } else {
      TBitmap strip;
      BuildHSkinImage(l, r, strip, w, src, *pic);
      out.Canvas()->CopyRect(Rect(0, 0, w, h), &strip, Rect(0, 0, strip.Width(), strip.Height()));
    }
  }
  DrawCaptionText(out.Canvas(), Point(0, 0), active);
}

void TbsSkinCaptionObject::ApplyInactiveEffect(TBitmap& b) const {
  if (!FSkinData || !FSkinData->autorenderinginactiveimage || b.Empty()) return;
  TbsEffectBmp e(b);
  switch (FSkinData->inactiveeffect) {
    case ieBrightness: e.Brightness(0.5); break;
    case ieDarkness: e.Darkness(0.3); break;
    case ieGrayScale: e.Grayscale(); break;
    case ieNoise: e.Noise(50); break;
    case ieSplitBlur: e.SplitBlur(1); break;
    case ieInvert: e.Invert(); break;
  }
  e.CopyTo(b);
}

void TbsSkinCaptionObject::Draw(TCanvas* canvas, bool) {
  if (!canvas) return;
  const bool transition = Morphing && MorphInProgress();
  if (IsNullRect(ActiveSkinRect) || (!Active && !Morphing)) {
    DrawCaptionText(canvas, ObjectRect.TopLeft(), Active);
    return;
  }
  TBitmap layer;
  if (Active && !transition) {
    BuildLayer(layer, FActivePicture, ActiveSkinRect, true);
  } else if (!transition) {
    BuildLayer(layer, FPicture, SkinRect, false);
    ApplyInactiveEffect(layer);
  } else {
    TBitmap back;
    BuildLayer(layer, FPicture, SkinRect, false);
    BuildLayer(back, FActivePicture, ActiveSkinRect, true);
    TbsEffectBmp a(layer), b(back);
    a.MorphBy(TbsMorphKind(int(MorphKind)), b, MorphKf);
    a.CopyTo(layer);
    if (!Active) ApplyInactiveEffect(layer);
  }
  canvas->CopyRect(ObjectRect, &layer, Rect(0, 0, layer.Width(), layer.Height()));
}

void TbsSkinCaptionObject::MouseUp(int X, int Y, TMouseButton Button) {
  if (FForm && FForm->OnMouseUpEvent) FForm->OnMouseUpEvent(IDName, X, Y, ObjectRect, Button);
}

void TbsSkinCaptionObject::MouseEnter() {
  MouseIn = true;
  if (FForm && FForm->OnMouseEnterEvent) FForm->OnMouseEnterEvent(IDName);
}

void TbsSkinCaptionObject::MouseLeave() {
  MouseIn = false;
  if (FForm && FForm->OnMouseLeaveEvent) FForm->OnMouseLeaveEvent(IDName);
}
