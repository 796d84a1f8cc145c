#include "skin/draw/DefaultLook.h"
#include "skin/form/SkinMenuItem.h"

#include <algorithm>

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/ImageList.h"
#include "framework/menus/Hotkeys.h"
#include "framework/menus/MenuItem.h"
#include "skin/data/SkinData.h"
#include "skin/draw/EffectBmp.h"
#include "skin/draw/SkinGeometry.h"
#include "skin/draw/SkinGlyphs.h"
#include "skin/draw/SkinImage.h"
#include "skin/form/SkinPopupWindow.h"

namespace {
constexpr int ShortCutMarginDefault = 19;
constexpr int ShortCutMarginSkinned = 16;
}  // namespace

TbsSkinMenuItem::TbsSkinMenuItem(TbsSkinPopupWindow* parent, TMenuItem* item, const TbsDataSkinMenuItem* record,
                                 TbsSkinData* skinData)
    : FParent(parent), FMenuItem(item), FRecord(record) {
  if (!record) return;
  if (skinData && skinData->IsValidPictureIndex(record->activepictureindex)) {
    FActivePicture = skinData->PictureList[size_t(record->activepictureindex)].get();
    FSkinRect = record->skinrect;
    FActiveSkinRect = record->activeskinrect;
    FDividerRect = record->dividerrect;
  }
}

bool TbsSkinMenuItem::IsSeparator() const { return FMenuItem && FMenuItem->IsLine(); }
bool TbsSkinMenuItem::Enabled() const { return FMenuItem && FMenuItem->Enabled(); }
bool TbsSkinMenuItem::HasSubItems() const { return FMenuItem && FMenuItem->Count() > 0; }

bool TbsSkinMenuItem::Morphing() const {
  return FRecord && FRecord->morphing && FActivePicture && !IsNullRect(FActiveSkinRect) && !IsNullRect(FSkinRect);
}

bool TbsSkinMenuItem::MorphPending() const {
  if (!Morphing()) return false;
  return (Highlighted() && MorphKf < 1) || (!Highlighted() && MorphKf > 0);
}

bool TbsSkinMenuItem::MorphStep() {
  if (!MorphPending()) return false;
  MorphKf = std::clamp(MorphKf + (Highlighted() ? 0.2 : -0.2), 0.0, 1.0);
  return true;
}

void TbsSkinMenuItem::Draw(TCanvas* canvas) {
  const int w = RectWidth(ItemRect), h = RectHeight(ItemRect);
  if (!canvas || w <= 0 || h <= 0 || !FMenuItem) return;
  TBitmap b(w, h);
  if (FParent->Skinned() && FRecord && FActivePicture) DrawSkinned(b);
  else DrawDefault(b);
  canvas->CopyRect(ItemRect, &b, Rect(0, 0, w, h));
}

void TbsSkinMenuItem::DrawGlyph(TCanvas* c, int middle, TColor color) {
  TImageList* images = FParent->Images();
  const int index = FMenuItem->ImageIndex();
  if (images && index >= 0 && index < images->Count()) {
    const int y = middle - images->Height() / 2;
    images->Draw(c, 2, y, index, FMenuItem->Enabled());
    if (FMenuItem->Checked()) {
      c->Brush()->Style = TBrushStyle::bsClear;
      c->Pen()->Color = color;
      c->Rectangle(1, y - 1, 2 + images->Width() + 1, y + images->Height() + 1);
      c->Brush()->Style = TBrushStyle::bsSolid;
    }
    return;
  }
  if (FMenuItem->HasBitmap()) {
    TBitmap* bmp = FMenuItem->Bitmap();
    bmp->SetTransparent(true);
    c->Draw(2, middle - bmp->Height() / 2, bmp);
    return;
  }
  const std::string& name = FMenuItem->Name();
  const int x = 4, y = middle - 4;
  if (name == "SKF_CLOSE" || name == "TRAY_SKF_CLOSE") DrawCloseGlyph(c, x, y, color);
  else if (name == "SKF_MINITEM") DrawMinimizeGlyph(c, x, y, color);
  else if (name == "SKF_MAXITEM") DrawMaximizeGlyph(c, x, y, color);
  else if (name == "SKF_RESTORE" || name == "TRAY_SKF_RESTORE") DrawRestoreGlyph(c, x, y, color);
  else if (name == "SKF_ROLLUP") DrawRollUpGlyph(c, x, y, color);
  else if (name == "SKF_MINTOTRAY") DrawTrayGlyph(c, x, y, color);
  else if (FMenuItem->Checked()) {
    if (FMenuItem->RadioItem()) {
      c->Pen()->Color = color;
      c->Brush()->Color = color;
      c->Brush()->Style = TBrushStyle::bsSolid;
      c->Ellipse(5, middle - 3, 11, middle + 3);
    } else {
      DrawCheckMark(c, 5, middle - 4, color);
    }
  }
}

void TbsSkinMenuItem::DrawTexts(TCanvas* c, int left, int right, int top, int bottom, TColor color) {
  FParent->PrepareFont(c, this);
  c->Font()->SetColor(color);
  c->Brush()->Style = TBrushStyle::bsClear;
  const std::string& caption = FMenuItem->Caption();
  TRect r = Rect(left, top, std::max(left, right), bottom);
  c->DrawText(caption, r, DT_CALCRECT | DT_SINGLELINE);
  const int th = r.Height();
  r.Top = top + (bottom - top) / 2 - th / 2;
  r.Bottom = r.Top + th;
  r.Right += 2;
  c->DrawText(caption, r, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
  const std::string sc = ShortCutToText(FMenuItem->ShortCut());
  if (!sc.empty()) {
    const int sw = c->TextWidth(sc);
    TRect s = Rect(right - sw, r.Top, right, r.Bottom);
    c->DrawText(sc, s, DT_SINGLELINE | DT_VCENTER | DT_RIGHT | DT_NOPREFIX);
  }
  c->Brush()->Style = TBrushStyle::bsSolid;
}

void TbsSkinMenuItem::DrawDefault(TBitmap& b) {
  TCanvas* c = b.Canvas();
  const int w = b.Width(), h = b.Height(), gw = FParent->GlyphWidth();
  c->Brush()->Style = TBrushStyle::bsSolid;
  const bool highlight = Highlighted() && !IsSeparator();
  TColor text = ColorToRGB(clWindowText);
  if (highlight) {
    c->Pen()->Color = DefaultNavy;
    c->Brush()->Color = DefaultHotFill;
    c->Rectangle(0, 0, w, h);
  } else {
    c->Brush()->Color = ColorToRGB(clBtnFace);
    c->FillRect(Rect(0, 0, gw, h));
    c->Brush()->Color = ColorToRGB(clWindow);
    c->FillRect(Rect(gw, 0, w, h));
    if (!Enabled()) text = ColorToRGB(clBtnShadow);
  }
  if (IsSeparator()) {
    c->Pen()->Color = ColorToRGB(clBtnShadow);
    c->MoveTo(gw, h / 2);
    c->LineTo(w, h / 2);
    return;
  }
  const TRect inner = Rect(2, 2, w - 2, h - 2);
  const int middle = inner.Top + inner.Height() / 2;
  DrawTexts(c, 2 + gw, inner.Right - ShortCutMarginDefault, inner.Top, inner.Bottom, text);
  if (HasSubItems()) {
    c->Pen()->Color = text;
    const int x = inner.Right - 7, y = middle - 4;
    for (int i = 0; i <= 3; ++i) {
      c->MoveTo(x + i, y + i);
      c->LineTo(x + i, y + 7 - i);
    }
  }
  DrawGlyph(c, middle, text);
}

void TbsSkinMenuItem::BuildStrip(TBitmap& out, const TRect& src, int leftOffset, int rightOffset) const {
  const int w = RectWidth(ItemRect), h = RectHeight(ItemRect);
  TBitmap strip;
  BuildHSkinImage(leftOffset, rightOffset, strip, w, src, *FActivePicture);
  out.SetSize(w, h);
  out.Canvas()->CopyRect(Rect(0, 0, w, h), &strip, Rect(0, 0, strip.Width(), strip.Height()));
}

void TbsSkinMenuItem::DrawSkinned(TBitmap& b) {
  const TbsDataSkinMenuItem& r = *FRecord;
  if (IsSeparator()) {
    if (!IsNullRect(FDividerRect)) BuildStrip(b, FDividerRect, r.dividerleftoffset, r.dividerrightoffset);
    return;
  }
  const bool highlight = Highlighted();
  if (MorphPending() || (Morphing() && MorphKf > 0 && MorphKf < 1)) {
    TBitmap a, bb;
    BuildStrip(a, FSkinRect, r.itemleftoffset, r.itemrightoffset);
    BuildStrip(bb, FActiveSkinRect, r.itemleftoffset, r.itemrightoffset);
    TbsEffectBmp ea(a), eb(bb);
    ea.MorphBy(TbsMorphKind(int(r.morphkind)), eb, MorphKf);
    ea.CopyTo(b);
  } else {
    const TRect src = highlight && !IsNullRect(FActiveSkinRect) ? FActiveSkinRect : FSkinRect;
    if (!IsNullRect(src)) BuildStrip(b, src, r.itemleftoffset, r.itemrightoffset);
  }
  TCanvas* c = b.Canvas();
  const TColor color = !Enabled() ? r.unenabledfontcolor : highlight ? r.activefontcolor : r.fontcolor;
  TRect text = r.textrect;
  text.Right += b.Width() - RectWidth(FSkinRect);
  const int gw = FParent->GlyphWidth();
  const int middle = text.Top + RectHeight(text) / 2;
  DrawTexts(c, text.Left + gw, text.Right - ShortCutMarginSkinned, text.Top, text.Bottom, color);
  if (HasSubItems()) {
    c->Pen()->Color = color;
    const int x = text.Right - 7, y = middle - 4;
    for (int i = 0; i <= 3; ++i) {
      c->MoveTo(x + i, y + i);
      c->LineTo(x + i, y + 7 - i);
    }
  }
  c->SetOrigin(Point(text.Left, 0));
  DrawGlyph(c, middle, color);
  c->SetOrigin(Point(0, 0));
}
