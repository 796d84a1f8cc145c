#include "skin/controls/SkinPanel.h"

#include <algorithm>

#include "framework/graphics/Canvas.h"
#include "skin/controls/SkinPictureParts.h"
#include "skin/data/ResourceStrData.h"
#include "skin/data/SkinData.h"
#include "skin/draw/SkinGlyphs.h"

TbsSkinPanel::TbsSkinPanel(TComponent* AOwner) : TbsSkinCustomControl(AOwner) {
  FControlStyle = {csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks, csOpaque};
  FWidth = 150;
  FHeight = 150;
  FSkinDataName = "panel";
}

TbsSkinPanel::~TbsSkinPanel() {
  if (FHiddenControls)
    for (TControl* c : *FHiddenControls) c->RemoveFreeNotification(this);
}

// ---- properties -------------------------------------------------------------------------
void TbsSkinPanel::SetCaptionMode(bool Value) {
  FCaptionMode = Value;
  Invalidate();
  Realign();
}

void TbsSkinPanel::SetDefaultCaptionHeight(int Value) {
  FDefaultCaptionHeight = Value;
  if (FIndex == -1 && FCaptionMode) {
    Invalidate();
    Realign();
  }
}

void TbsSkinPanel::SetDefaultAlignment(TAlignment Value) {
  FDefaultAlignment = Value;
  if (FIndex == -1 && FCaptionMode) Invalidate();
}

void TbsSkinPanel::SetBorderStyle(TbsSkinBorderStyle Value) {
  FBorderStyle = Value;
  if (FIndex == -1) {
    Invalidate();
    Realign();
  }
}

void TbsSkinPanel::SetGlyph(const TBitmap* Value) {
  FGlyph.Assign(Value);
  Invalidate();
}

void TbsSkinPanel::SetNumGlyphs(TbsSkinPanelNumGlyphs Value) {
  FNumGlyphs = std::clamp(Value, 1, 2);
  Invalidate();
}

void TbsSkinPanel::SetSpacing(int Value) {
  FSpacing = Value;
  Invalidate();
}

void TbsSkinPanel::SetCheckedMode(bool Value) {
  FCheckedMode = Value;
  Invalidate();
}

void TbsSkinPanel::SetChecked(bool Value) {
  FChecked = Value;
  if (FCheckedMode) Invalidate();
  if (FAutoEnabledControls && FCheckedMode)
    for (TControl* c : std::vector<TControl*>(FControls)) c->SetEnabled(FChecked);
  if (OnChecked) {
    TNotifyEvent handler = OnChecked;  // the handler may free the panel
    handler(this);
  }
}

void TbsSkinPanel::SetRollUpMode(bool Value) {
  FRollUpMode = Value;
  if (FIndex == -1 && FCaptionMode) Invalidate();
}

void TbsSkinPanel::SetRollUpState(bool Value) {
  if (Value == FRollUpState || !FRollUpMode) return;
  FRollUpState = Value;
  // While the layout is read the stored height is already the rolled one and the
  // children do not exist yet; Loaded() hides them.
  if (IsLoading()) return;
  Roll(Value);
}

// ---- rolling ----------------------------------------------------------------------------
void TbsSkinPanel::Roll(bool Up) {
  if (Up) {
    if (FRealHeight != -1) return;
    FRealHeight = Height();
    if (!FHiddenControls) {
      FHiddenControls = std::make_unique<std::vector<TControl*>>();
      for (TControl* c : std::vector<TControl*>(FControls)) {
        if (!c->Visible()) continue;
        FHiddenControls->push_back(c);
        // A hidden child freed before the panel unrolls leaves the list.
        c->FreeNotification(this);
        c->SetVisible(false);
      }
    }
    ReadSkinRecord();
    const int h = FIndex == -1 ? FDefaultCaptionHeight + 1 : Height() + FNew.Client.Top - FNew.Client.Bottom;
    SetHeight(h);
  } else {
    if (FRealHeight == -1) return;
    const int h = FRealHeight;
    FRealHeight = -1;
    SetHeight(h);
    if (FHiddenControls) {
      std::unique_ptr<std::vector<TControl*>> list = std::move(FHiddenControls);
      for (TControl* c : *list) {
        c->RemoveFreeNotification(this);
        c->SetVisible(true);
      }
    }
  }
}

void TbsSkinPanel::Notification(TComponent* AComponent, TOperation Operation) {
  TbsSkinCustomControl::Notification(AComponent, Operation);
  if (Operation == opRemove && FHiddenControls) {
    auto& l = *FHiddenControls;
    l.erase(std::remove(l.begin(), l.end(), AComponent), l.end());
  }
}

void TbsSkinPanel::Loaded() {
  TbsSkinCustomControl::Loaded();
  if (!FRollUpState) return;
  // Stored rolled up: hide the children; without a stored unrolled height roll up now.
  if (FRealHeight == -1) {
    Roll(true);
  } else if (!FHiddenControls) {
    FHiddenControls = std::make_unique<std::vector<TControl*>>();
    for (TControl* c : std::vector<TControl*>(FControls)) {
      if (!c->Visible()) continue;
      FHiddenControls->push_back(c);
      c->FreeNotification(this);
      c->SetVisible(false);
    }
  }
}

// ---- skin -------------------------------------------------------------------------------
bool TbsSkinPanel::AcceptsRecord(const TbsDataSkinControl* Record) const {
  return Record->As<TbsDataSkinPanelControl>() && TbsSkinCustomControl::AcceptsRecord(Record);
}

void TbsSkinPanel::ReadSkinRecord() {
  TbsSkinCustomControl::ReadSkinRecord();
  FBgPictureIndex = -1;
  auto* r = Record<TbsDataSkinPanelControl>();
  if (!r) return;
  FCaptionRect = r->captionrect;
  FAlignment = r->alignment;
  FSkinFontName = r->fontname;
  FSkinFontStyle = r->fontstyle;
  FSkinFontHeight = r->fontheight;
  FSkinFontColor = r->fontcolor;
  FBgPictureIndex = r->bgpictureindex;
  FCheckImageRect = r->checkimagerect;
  FUncheckImageRect = r->uncheckimagerect;
}

TBitmap* TbsSkinPanel::BackgroundPicture() const {
  TBitmap* b = FIndex == -1 ? nullptr : SkinPicture(FBgPictureIndex);
  return b && !b->Empty() ? b : nullptr;
}

void TbsSkinPanel::ApplySkinChange() {
  TbsSkinCustomControl::ApplySkinChange();
  if (!FRollUpState) {
    Realign();
    return;
  }
  // Roll up again for the new geometry, keeping the unrolled height.
  const int saved = FRealHeight;
  FRealHeight = -1;
  Roll(true);
  FRealHeight = saved;
}

void TbsSkinPanel::AdjustClientRect(TRect& Rect) {
  TbsSkinCustomControl::AdjustClientRect(Rect);  // the full client rectangle
  const TRect full = Rect;
  if (FIndex == -1 || Designing()) {
    if (FBorderStyle != bvNone) InflateRect(Rect, -1, -1);
    if (FCaptionMode) Rect.Top += FDefaultCaptionHeight;
    return;
  }
  if (FBgPictureIndex != -1 || (FBorderStyle == bvNone && !FCaptionMode && FResizeMode == rmBoth))
    Rect = full;
  else
    Rect = FNew.Client;
}

TRect TbsSkinPanel::CaptionBarRect() {
  if (!FCaptionMode) return TRect{};
  if (FIndex == -1) return Rect(1, 1, Width() - 1, FDefaultCaptionHeight);
  return FResizeMode < rmBoth ? FCaptionRect : MapSkinRect(FCaptionRect);
}

void TbsSkinPanel::BeginSkinChange() {
  TbsSkinCustomControl::BeginSkinChange();
  Invalidate();
}

// ---- painting ---------------------------------------------------------------------------
void TbsSkinPanel::DrawCaptionGlyph(TCanvas* C, int x, int y) {
  const int cell = (!FEnabled && FNumGlyphs == 2) ? 2 : 1;
  DrawGlyphCell(C, x, y, FGlyph, FNumGlyphs, cell);
}

void TbsSkinPanel::DrawDefaultImage(TBitmap& B) {
  TbsSkinCustomControl::DrawDefaultImage(B);
  TCanvas* c = B.Canvas();
  const int W = Width();
  TRect r = Rect(0, 0, W, Height());
  switch (FBorderStyle) {
    case bvFrame: Frame3D(c, r, clBtnShadow, clBtnShadow, 1); break;
    case bvRaised: Frame3D(c, r, clBtnHighlight, clBtnShadow, 1); break;
    case bvLowered: Frame3D(c, r, clBtnShadow, clBtnHighlight, 1); break;
    case bvNone: break;
  }
  if (!FCaptionMode) return;
  // An etched bar, or with the plain frame a bar framed like the panel.
  if (FBorderStyle != bvFrame) {
    r = Rect(1, 1, W - 1, FDefaultCaptionHeight);
    Frame3D(c, r, clBtnShadow, clBtnHighlight, 1);
    Frame3D(c, r, clBtnHighlight, clBtnShadow, 1);
  } else {
    r = Rect(0, 0, W, FDefaultCaptionHeight);
    Frame3D(c, r, clBtnShadow, clBtnShadow, 1);
    Frame3D(c, r, clBtnHighlight, clBtnFace, 1);
  }
  if (FCheckedMode) r.Left += 20;
  if (FRollUpMode) r.Right -= 10;
  c->Font()->Assign(&FDefaultFont);
  if (FSD && FSD->ResourceStrData()) c->Font()->SetCharset(FSD->ResourceStrData()->CharSet());
  const int ty = r.Top + RectHeight(r) / 2 - c->TextHeight(FCaption) / 2;
  const int gw = FGlyph.Empty() ? 0 : FGlyph.Width() / FNumGlyphs + FSpacing;
  const int cw = c->TextWidth(FCaption) + gw;
  int x = r.Left + 2;
  if (FDefaultAlignment == taRightJustify) x = r.Right - cw;
  if (FDefaultAlignment == taCenter) x = r.Left + 2 + RectWidth(r) / 2 - cw / 2;
  if (FCheckedMode) {
    TRect box = Rect(5, r.Top + RectHeight(r) / 2 - 7, 19, r.Top + RectHeight(r) / 2 + 7);
    Frame3D(c, box, clBtnShadow, clBtnShadow, 1);
    if (FChecked) DrawCheckMark(c, box.Left + 3, box.Top + 2, clBtnText);
  }
  int gx = 0, gy = 0;
  if (!FGlyph.Empty()) {
    gy = r.Top + RectHeight(r) / 2 - FGlyph.Height() / 2;
    gx = x;
    x += gw;
  }
  c->Brush()->Style = TBrushStyle::bsClear;
  c->TextRect(r, x, ty, FCaption);
  if (!FGlyph.Empty()) DrawCaptionGlyph(c, gx, gy);
  if (FRollUpMode)
    DrawArrow(c, Rect(r.Right, r.Top, r.Right + 10, r.Bottom), FDefaultFont.Color(), FRollUpState ? adDown : adUp);
}

void TbsSkinPanel::Paint() {
  ReadSkinRecord();
  if (TBitmap* bg = BackgroundPicture(); bg && Width() > 0 && Height() > 0) {
    // A background picture covers the whole panel; no caption is drawn on it.
    TCanvas* c = Canvas();
    const int cols = Width() / bg->Width() + 1, rows = Height() / bg->Height() + 1;
    for (int j = 0; j < rows; ++j)
      for (int i = 0; i < cols; ++i) c->Draw(i * bg->Width(), j * bg->Height(), bg);
    return;
  }
  TbsSkinCustomControl::Paint();
}

void TbsSkinPanel::DrawSkinImage(TBitmap& B) {
  TBitmap* pic = Picture();
  const int W = Width(), H = Height();
  if (FBorderStyle == bvNone && FResizeMode == rmBoth && !FCaptionMode) {
    // The client piece tiled over everything: a borderless skinned surface.
    const TRect& cl = FPoints.Client;
    const int cw = RectWidth(cl), ch = RectHeight(cl);
    if (!pic || cw <= 0 || ch <= 0) return;
    const TRect src = Rect(FSkinRect.Left + cl.Left, FSkinRect.Top + cl.Top, FSkinRect.Left + cl.Right,
                           FSkinRect.Top + cl.Bottom);
    for (int y = 0; y < H; y += ch)
      for (int x = 0; x < W; x += cw) {
        const int w = std::min(cw, W - x), h = std::min(ch, H - y);
        B.Canvas()->CopyRect(Rect(x, y, x + w, y + h), pic, Rect(src.Left, src.Top, src.Left + w, src.Top + h));
      }
    return;
  }
  TbsSkinCustomControl::DrawSkinImage(B);
  if (FCaption.empty() || IsNullRect(FCaptionRect) || !pic) return;
  TCanvas* c = B.Canvas();
  TRect r = FResizeMode < rmBoth ? FCaptionRect : MapSkinRect(FCaptionRect);
  if (FRollUpMode) r.Right -= 12;
  if (FCheckedMode) {
    const TRect& img = FChecked ? FCheckImageRect : FUncheckImageRect;
    if (!IsNullRect(img)) {
      DrawPicturePartTransparent(c, *pic, img, r.Left, r.Top + RectHeight(r) / 2 - RectHeight(img) / 2);
      r.Left += RectWidth(img) + 2;
    }
  }
  if (FUseSkinFont) {
    c->Font()->SetName(FSkinFontName);
    c->Font()->SetHeight(FSkinFontHeight);
    c->Font()->SetStyle(FSkinFontStyle);
  } else {
    c->Font()->Assign(&FDefaultFont);
  }
  c->Font()->SetCharset(FSD && FSD->ResourceStrData() ? FSD->ResourceStrData()->CharSet() : FDefaultFont.Charset());
  c->Font()->SetColor(FSkinFontColor);
  const int ty = r.Top + RectHeight(r) / 2 - c->TextHeight(FCaption) / 2;
  const int gw = FGlyph.Empty() ? 0 : FGlyph.Width() / FNumGlyphs + FSpacing;
  const int cw = c->TextWidth(FCaption) + gw;
  int x = r.Left;
  if (FAlignment == saRightJustify) x = r.Right - cw;
  if (FAlignment == saCenter) x = r.Left + RectWidth(r) / 2 - cw / 2;
  int gx = 0, gy = 0;
  if (!FGlyph.Empty()) {
    gy = r.Top + RectHeight(r) / 2 - FGlyph.Height() / 2;
    gx = x;
    x += gw;
  }
  if (FRollUpMode)
    DrawArrow(c, Rect(r.Right, r.Top, r.Right + 10, r.Bottom), FSkinFontColor, FRollUpState ? adDown : adUp);
  c->Brush()->Style = TBrushStyle::bsClear;
  c->TextRect(r, x, ty, FCaption);
  if (!FGlyph.Empty()) DrawCaptionGlyph(c, gx, gy);
}

// ---- messages ---------------------------------------------------------------------------
void TbsSkinPanel::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  std::weak_ptr<bool> alive = FPanelAlive;
  if (Button == mbLeft && (FRollUpMode || FCheckedMode) && FCaptionMode) {
    ReadSkinRecord();
    if (PointInsideRect(CaptionBarRect(), Point(X, Y))) {
      if (FCheckedMode) SetChecked(!FChecked);
      if (alive.expired()) return;
      if (FRollUpMode) SetRollUpState(!FRollUpState);
    }
  }
  TbsSkinCustomControl::MouseUp(Button, Shift, X, Y);
}

void TbsSkinPanel::CMTextChanged(TMessage& Message) {
  TbsSkinCustomControl::CMTextChanged(Message);
  if (FCaptionMode) Invalidate();
}

void TbsSkinPanel::CMEnabledChanged(TMessage& Message) {
  TbsSkinCustomControl::CMEnabledChanged(Message);
  Invalidate();
}

void TbsSkinPanel::WndProc(TMessage& Message) {
  TbsSkinCustomControl::WndProc(Message);
  // Size changes of the default look redraw the whole caption bar and frame.
  if (Message.Msg == WM_SIZE && FIndex == -1) Invalidate();
}
