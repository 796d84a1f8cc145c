#include "skin/controls/SkinCustomListView.h"

#include <algorithm>

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/ImageList.h"
#include "skin/controls/SkinScrollBar.h"
#include "skin/data/ResourceStrData.h"
#include "skin/data/SkinControlRecords.h"
#include "skin/data/SkinData.h"
#include "skin/draw/DefaultLook.h"
#include "skin/draw/SkinImage.h"
#include "skin/draw/SkinText.h"

TbsSkinCustomListView::TbsSkinCustomListView(TComponent* AOwner) : TListView(AOwner) {
  FDefaultFont.SetName("Arial");
  FDefaultFont.SetHeight(14);
  FDefaultFont.SetStyle({});
  Font()->Assign(&FDefaultFont);
}

TbsSkinCustomListView::~TbsSkinCustomListView() {
  // The bars outlive the list on their form: they must not call back into it.
  SetHScrollBar(nullptr);
  SetVScrollBar(nullptr);
  if (FSD) FSD->RemoveFreeNotification(this);
}

// ---- references -------------------------------------------------------------------------
void TbsSkinCustomListView::SetSkinData(TbsSkinData* Value) {
  if (FSD && FSD != Value) FSD->RemoveFreeNotification(this);
  FSD = Value;
  if (FSD) FSD->FreeNotification(this);
  if (FSD && !FSD->SkinEmpty && !ComponentState().Contains(csDesigning)) ApplyRecord();
}

void TbsSkinCustomListView::SetHeaderSkinDataName(const std::string& Value) {
  FHeaderSkinDataName = Value;
  Header()->Invalidate();
}

void TbsSkinCustomListView::SetHScrollBar(TbsSkinScrollBar* Value) {
  if (Value == FHScrollBar) return;
  if (FHScrollBar) {
    FHScrollBar->OnChange = nullptr;
    RemoveFreeNotification(FHScrollBar);
  }
  FHScrollBar = Value;
  if (Value) {
    FreeNotification(Value);
    Value->SetEnabled(true);
    Value->SetVisible(false);
    Value->OnChange = [this](TObject*) { HScrollChanged(); };
  }
  CheckBars();
}

void TbsSkinCustomListView::SetVScrollBar(TbsSkinScrollBar* Value) {
  if (Value == FVScrollBar) return;
  if (FVScrollBar) {
    FVScrollBar->OnChange = nullptr;
    RemoveFreeNotification(FVScrollBar);
  }
  FVScrollBar = Value;
  if (Value) {
    FreeNotification(Value);
    Value->SetEnabled(true);
    Value->SetVisible(false);
    Value->OnChange = [this](TObject*) { VScrollChanged(); };
  }
  CheckBars();
}

void TbsSkinCustomListView::Notification(TComponent* AComponent, TOperation Operation) {
  TListView::Notification(AComponent, Operation);
  if (Operation != opRemove) return;
  if (AComponent == FSD) {
    FSD = nullptr;
    FIndex = FHeaderIndex = -1;
  }
  if (AComponent == FHScrollBar) FHScrollBar = nullptr;
  if (AComponent == FVScrollBar) FVScrollBar = nullptr;
}

void TbsSkinCustomListView::SetDefaultFont(const TFont* Value) {
  FDefaultFont.Assign(Value);
  if (FIndex == -1) Font()->Assign(&FDefaultFont);
}

void TbsSkinCustomListView::SetDefaultColor(TColor Value) {
  FDefaultColor = Value;
  if (FIndex == -1) SetColor(Value);
}

// ---- the record -------------------------------------------------------------------------
void TbsSkinCustomListView::ApplySkinChange() { ApplyRecord(); }

void TbsSkinCustomListView::BeginSkinChange() {
  FIndex = -1;
  FHeaderIndex = -1;
  // The default look until the next change, which a skin that fails to load never sends.
  Font()->Assign(&FDefaultFont);
  SetColor(FDefaultColor);
}

void TbsSkinCustomListView::Loaded() {
  TListView::Loaded();
  ApplyRecord();
}

void TbsSkinCustomListView::ApplyRecord() {
  FIndex = !FSD || FSD->SkinEmpty ? -1 : FSD->FindControlIndex(FSkinDataName);
  const auto* rec = FIndex == -1 ? nullptr : FSD->ControlRecord<TbsDataSkinListView>(FIndex);
  if (!rec) FIndex = -1;
  TFont f;
  f.Assign(&FDefaultFont);
  if (rec) {
    if (FUseSkinFont) {
      f.SetName(rec->fontname);
      f.SetStyle(rec->fontstyle);
      f.SetHeight(rec->fontheight);
    }
    f.SetColor(rec->fontcolor);
  }
  f.SetCharset(FSD && FSD->ResourceStrData() ? FSD->ResourceStrData()->CharSet() : FDefaultFont.Charset());
  Font()->Assign(&f);
  SetColor(rec ? rec->bgcolor : FDefaultColor);
  CheckBars();
  // The bars may have changed size with the skin: lay them out again.
  for (TbsSkinScrollBar* bar : {FHScrollBar, FVScrollBar})
    if (bar && bar->Align() != alNone && bar->Parent()) bar->Parent()->Realign();
  Header()->Invalidate();
  Invalidate();
}

// ---- bars -------------------------------------------------------------------------------
void TbsSkinCustomListView::SetBarVisible(TbsSkinScrollBar* Bar, bool Value, bool& Changed) {
  if (!Bar || Bar->Visible() == Value) return;
  Bar->SetVisible(Value);
  Changed = true;
}

void TbsSkinCustomListView::CheckBars() {
  if (!HandleAllocated() || FFromBar || FInCheck) return;
  if (Width() <= 5 || Height() <= 5) return;
  FInCheck = true;
  bool changed = false;
  const bool showing = Visible();
  const TListScrollInfo v = ScrollInfo(true), h = ScrollInfo(false);
  switch (ViewStyle()) {
    case vsIcon:
    case vsSmallIcon: {
      const int step = std::max(1, ItemCount() ? ItemRect(0).Height() / 2 : 1);
      const bool vVis = showing && Height() < v.Max;
      SetBarVisible(FVScrollBar, vVis, changed);
      if (FVScrollBar && vVis) {
        FVScrollBar->SetSmallChange(step);
        FVScrollBar->SetLargeChange(step);
        FVScrollBar->SetParams(v.Min, v.Max, Height(), v.Pos);
      }
      const bool hVis = showing && Width() < h.Max;
      SetBarVisible(FHScrollBar, hVis, changed);
      if (FHScrollBar && hVis) {
        FHScrollBar->SetSmallChange(step);
        FHScrollBar->SetLargeChange(step);
        FHScrollBar->SetParams(h.Min, h.Max, Width(), h.Pos);
      }
      break;
    }
    case vsList: {
      SetBarVisible(FVScrollBar, false, changed);
      const bool hVis = showing && ItemsPerPage() < ItemCount();
      SetBarVisible(FHScrollBar, hVis, changed);
      if (FHScrollBar && hVis) {
        const int itemWidth = ItemCount() && ItemRect(0).Width() > 0 ? ItemRect(0).Width() : 1;
        FHScrollBar->SetParams(h.Min, h.Max, Width() / itemWidth, h.Pos);
        FHScrollBar->SetSmallChange(1);
        FHScrollBar->SetLargeChange(1);
      }
      break;
    }
    case vsReport: {
      const int page = ItemsPerPage();
      const bool vVis = showing && page < v.Max + 1;
      SetBarVisible(FVScrollBar, vVis, changed);
      if (FVScrollBar && vVis) {
        FVScrollBar->SetParams(v.Min, v.Max, page, v.Pos);
        FVScrollBar->SetSmallChange(1);
        FVScrollBar->SetLargeChange(std::max(1, page));
      }
      const bool hVis = showing && Width() < h.Max;
      SetBarVisible(FHScrollBar, hVis, changed);
      if (FHScrollBar && hVis) FHScrollBar->SetParams(h.Min, h.Max, Width(), h.Pos);
      break;
    }
  }
  if (FVScrollBar && FVScrollBar->Visible()) FOldVPos = FVScrollBar->Position();
  if (FHScrollBar && FHScrollBar->Visible()) FOldHPos = FHScrollBar->Position();
  if (FHScrollBar && FVScrollBar) FHScrollBar->SetBoth(FVScrollBar->Visible());
  if (changed && Align() != alNone && Parent()) Parent()->Realign();
  FInCheck = false;
}

void TbsSkinCustomListView::VScrollChanged() {
  if (!FVScrollBar) return;
  const int pos = FVScrollBar->Position();
  const int d = pos - FOldVPos;
  FFromBar = true;
  if (ViewStyle() == vsIcon || ViewStyle() == vsSmallIcon)
    Scroll(0, d);
  else
    Scroll(0, d * ItemHeight());
  FFromBar = false;
  FOldVPos = pos;
}

void TbsSkinCustomListView::HScrollChanged() {
  if (!FHScrollBar) return;
  const int pos = FHScrollBar->Position();
  const int d = pos - FOldHPos;
  FFromBar = true;
  // The list view moves by whole columns, one per step of the bar.
  Scroll(ViewStyle() == vsList ? d * SmallCellWidth : d, 0);
  FFromBar = false;
  FOldHPos = pos;
}

void TbsSkinCustomListView::SetViewStyle(TViewStyle Value) {
  TListView::SetViewStyle(Value);
  CheckBars();
}

void TbsSkinCustomListView::Paint() {
  TListView::Paint();
  CheckBars();
}

void TbsSkinCustomListView::BoundsChanged(bool moved, bool sized) {
  TListView::BoundsChanged(moved, sized);
  if (sized) CheckBars();
}

void TbsSkinCustomListView::KeyDown(Word& Key, TShiftState Shift) {
  TListView::KeyDown(Key, Shift);
  CheckBars();
}

void TbsSkinCustomListView::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  const auto alive = Lifetime();
  TListView::MouseUp(Button, Shift, X, Y);
  if (!alive.expired() && Button == mbLeft) CheckBars();
}

void TbsSkinCustomListView::Scrolled() { CheckBars(); }

void TbsSkinCustomListView::CMVisibleChanged(TMessage& Message) {
  TListView::CMVisibleChanged(Message);
  if (Visible()) {
    CheckBars();
    return;
  }
  if (FHScrollBar) FHScrollBar->SetVisible(false);
  if (FVScrollBar) FVScrollBar->SetVisible(false);
}

// ---- header -----------------------------------------------------------------------------
void TbsSkinCustomListView::ReadHeaderRecord() {
  FHeaderIndex = -1;
  if (!FSD || FSD->SkinEmpty) return;
  const int i = FSD->FindControlIndex(FHeaderSkinDataName);
  const auto* b = FSD->ControlRecord<TbsDataSkinButtonControl>(i);
  // A record without a usable picture draws the default look.
  if (!b || IsNullRect(b->skinrect) || !FSD->IsValidPictureIndex(b->pictureindex) ||
      FSD->PictureList[size_t(b->pictureindex)]->Empty())
    return;
  FHeaderIndex = i;
  HeaderRecord& h = FHeaderRec;
  h.PictureIndex = b->pictureindex;
  h.SkinRect = b->skinrect;
  h.Points = {b->lefttoppoint, b->righttoppoint, b->leftbottompoint, b->rightbottompoint, b->clientrect};
  h.FontColor = b->fontcolor;
  h.ActiveFontColor = b->activefontcolor;
  h.DownFontColor = b->downfontcolor;
  h.ActiveSkinRect = IsNullRect(b->activeskinrect) ? b->skinrect : b->activeskinrect;
  h.DownSkinRect = IsNullRect(b->downskinrect) ? h.ActiveSkinRect : b->downskinrect;
}

const TBitmap* TbsSkinCustomListView::HeaderPicture() const {
  if (FHeaderIndex == -1 || !FSD || !FSD->IsValidPictureIndex(FHeaderRec.PictureIndex)) return nullptr;
  return FSD->PictureList[size_t(FHeaderRec.PictureIndex)].get();
}

// Piece R of the header picture as a W x H image: nine-piece when the record has bottom
// corners, else a three-piece strip at the record's height stretched to H.
void TbsSkinCustomListView::DrawHeaderPiece(TBitmap& B, const TRect& R, int W, int H, bool OpenRight) {
  const TBitmap* pic = HeaderPicture();
  B.SetSize(W, H);
  if (!pic || W <= 0 || H <= 0) return;
  const TbsSkinPoints& p = FHeaderRec.Points;
  const int RW = RectWidth(FHeaderRec.SkinRect);
  if (p.LeftBottom.X != 0 || p.LeftBottom.Y != 0) {
    int w = W, h = H;
    const TbsSkinPoints n = CalcTargetSkinPoints(rmBoth, FHeaderRec.SkinRect, p, w, h);
    if (OpenRight)
      BuildSkinImageOpenRight(p.LeftTop, p.RightTop, p.LeftBottom, p.RightBottom, p.Client, n.LeftTop, n.RightTop,
                              n.LeftBottom, n.RightBottom, n.Client, *pic, B, R, W, H, true);
    else
      BuildSkinImage(p.LeftTop, p.RightTop, p.LeftBottom, p.RightBottom, p.Client, n.LeftTop, n.RightTop,
                     n.LeftBottom, n.RightBottom, n.Client, *pic, B, R, W, H, true);
    return;
  }
  TBitmap strip;
  if (OpenRight)
    BuildHSkinImageOpenRight(p.LeftTop.X, RW - p.RightTop.X, strip, W, R, *pic);
  else
    BuildHSkinImage(p.LeftTop.X, RW - p.RightTop.X, strip, W, R, *pic);
  B.Canvas()->StretchDraw(Rect(0, 0, W, H), &strip);
}

void TbsSkinCustomListView::PaintHeader(TCanvas* c) {
  ReadHeaderRecord();
  TListHeader* header = Header();
  const int W = header->Width(), H = header->Height();
  if (W <= 0 || H <= 0) return;
  int right = -ScrollX();
  TBitmap section;
  for (int i = 0; i < ColumnCount(); ++i) {
    const TRect r = header->SectionRect(i);
    right = r.Right;
    if (r.Right <= 0 || r.Left >= W || r.Width() <= 0) continue;
    DrawSection(section, i, header->PressedSection() == i && header->SectionDown());
    c->Draw(r.Left, r.Top, &section);
  }
  // What lies right of the last section, up to one pixel past the header.
  right = std::max(right, 0);
  const TRect rest = Rect(right, 0, W + 1, H);
  if (rest.Width() <= 0) return;
  if (FHeaderIndex == -1) {
    c->Brush()->Style = TBrushStyle::bsSolid;
    c->Brush()->Color = clBtnFace;
    c->FillRect(rest);
    c->Brush()->Color = clBtnShadow;
    c->FrameRect(rest);
    return;
  }
  TBitmap piece;
  DrawHeaderPiece(piece, FHeaderRec.SkinRect, rest.Width(), H, true);
  c->Draw(rest.Left, 0, &piece);
}

void TbsSkinCustomListView::DrawSection(TBitmap& B, int Column, bool Pressed) {
  const TRect r = Header()->SectionRect(Column);
  const int W = r.Width(), H = r.Height();
  TCanvas* c = B.Canvas();
  if (FHeaderIndex == -1) {
    B.SetSize(W, H);
    c->Brush()->Style = TBrushStyle::bsSolid;
    c->Brush()->Color = Pressed ? DefaultPressedFill : clBtnFace;
    c->FillRect(Rect(0, 0, W, H));
    c->Brush()->Color = Pressed ? DefaultNavy : clBtnShadow;
    c->FrameRect(Rect(0, 0, W, H));
  } else {
    DrawHeaderPiece(B, Pressed ? FHeaderRec.DownSkinRect : FHeaderRec.SkinRect, W, H, false);
    c = B.Canvas();
  }
  const TRect local = Rect(0, 0, W, H);
  if (OnDrawHeaderSection) {
    OnDrawHeaderSection(c, Column, local, Pressed);
    return;
  }
  DrawSectionCaption(c, Column, local, Pressed);
}

void TbsSkinCustomListView::DrawSectionCaption(TCanvas* c, int Column, const TRect& R, bool Pressed) {
  const TListColumn& col = this->Column(Column);
  c->Font()->Assign(Font());
  if (FHeaderIndex == -1)
    c->Font()->SetColor(clBtnText);
  else
    c->Font()->SetColor(Pressed ? FHeaderRec.DownFontColor : FHeaderRec.FontColor);
  const TRect text = Rect(R.Left + 5, R.Top, R.Right - 5, R.Bottom);
  if (text.Width() <= 0) return;
  std::string caption = col.Caption;
  const int th = c->TextHeight("Wg");
  const int ty = R.Top + (R.Height() - th) / 2;
  c->Brush()->Style = TBrushStyle::bsClear;
  TImageList* images = SmallImages();
  if (images && col.ImageIndex >= 0 && col.ImageIndex < images->Count()) {
    const int iw = images->Width();
    TrimTextToWidth(c, caption, R.Width() - iw - 10);
    const int tw = c->TextWidth(caption);
    int x = text.Left;
    if (col.Alignment == taRightJustify) x = std::max(text.Left, text.Right - tw - iw - 10);
    if (col.Alignment == taCenter) x = text.Left + (text.Width() - (tw + iw + 10)) / 2;
    const int saved = c->SaveState();
    c->IntersectClipRect(text);
    images->Draw(c, x, R.Top + (R.Height() - images->Height()) / 2, col.ImageIndex);
    c->RestoreState(saved);
    c->TextRect(text, x + iw + 10, ty, caption);
    return;
  }
  // Trimmed to the room inside the margins, so the "..." shows rather than being cut.
  TrimTextToWidth(c, caption, text.Width());
  const int tw = c->TextWidth(caption);
  int x = text.Left;
  if (col.Alignment == taRightJustify) x = std::max(text.Left, text.Right - tw - 10);
  if (col.Alignment == taCenter) x = text.Left + (text.Width() - tw) / 2;
  c->TextRect(text, x, ty, caption);
}
