#include "framework/controls/Label.h"

#include "framework/controls/ControlPaint.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"

TLabel::TLabel(TComponent* AOwner) : TGraphicControl(AOwner) {
  FControlStyle.Include(csReplicatable);
  FColor = clBtnFace;
  FParentColor = true;
  FWidth = 65;
  FHeight = 17;
}

unsigned TLabel::TextFlags() const {
  unsigned flags = DT_EXPANDTABS;
  if (FWordWrap) flags |= DT_WORDBREAK;
  if (!FShowAccelChar) flags |= DT_NOPREFIX;
  if (FAlignment == taRightJustify) flags |= DT_RIGHT;
  if (FAlignment == taCenter) flags |= DT_CENTER;
  return flags;
}

void TLabel::SetAutoSize(bool v) {
  if (v == FAutoSize) return;
  FAutoSize = v;
  AdjustBounds();
}

void TLabel::SetAlignment(TAlignment v) {
  if (v == FAlignment) return;
  FAlignment = v;
  Invalidate();
}

void TLabel::SetLayout(TTextLayout v) {
  if (v == FLayout) return;
  FLayout = v;
  Invalidate();
}

void TLabel::SetTransparent(bool v) {
  if (v == FTransparent) return;
  FTransparent = v;
  Invalidate();
}

void TLabel::SetWordWrap(bool v) {
  if (v == FWordWrap) return;
  FWordWrap = v;
  AdjustBounds();
  Invalidate();
}

void TLabel::SetShowAccelChar(bool v) {
  if (v == FShowAccelChar) return;
  FShowAccelChar = v;
  AdjustBounds();
  Invalidate();
}

void TLabel::SetFocusControl(TWinControl* v) {
  if (v == FFocusControl) return;
  if (FFocusControl) RemoveFreeNotification(FFocusControl);
  FFocusControl = v;
  if (v) FreeNotification(v);
}

void TLabel::Notification(TComponent* AComponent, TOperation Operation) {
  TGraphicControl::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FFocusControl) FFocusControl = nullptr;
}

void TLabel::Loaded() {
  TGraphicControl::Loaded();
  AdjustBounds();
}

void TLabel::CMTextChanged(TMessage& m) {
  AdjustBounds();
  TGraphicControl::CMTextChanged(m);
}

void TLabel::CMFontChanged(TMessage& m) {
  AdjustBounds();
  TGraphicControl::CMFontChanged(m);
}

void TLabel::AdjustBounds() {
  if (!FAutoSize || ComponentState().Contains(csReading)) return;
  // Measured on a scratch canvas: the label may have no parent (or window) yet.
  TBitmap scratch(1, 1);
  TCanvas* c = scratch.Canvas();
  TRect r = Rect(0, 0, FWordWrap ? FWidth : 0, 0);
  DoDrawText(c, r, TextFlags() | DT_CALCRECT);
  int left = FLeft;
  if (FAlignment == taRightJustify && !FWordWrap) left = FLeft + FWidth - r.Width();
  SetBounds(left, FTop, FWordWrap ? FWidth : r.Width(), r.Height());
}

void TLabel::Paint() {
  TCanvas* c = Canvas();
  if (!c) return;
  TRect r = ClientRect();
  if (!FTransparent) {
    c->Brush()->Style = TBrushStyle::bsSolid;
    c->Brush()->Color = FColor;
    c->FillRect(r);
  }
  unsigned flags = TextFlags();
  if (FLayout != tlTop) {
    TRect calc = Rect(0, 0, r.Width(), 0);
    DoDrawText(c, calc, flags | DT_CALCRECT);
    int h = calc.Height();
    r.Top = FLayout == tlBottom ? r.Bottom - h : r.Top + (r.Height() - h) / 2;
  }
  DoDrawText(c, r, flags);
}

void TLabel::DoDrawText(TCanvas* c, TRect& r, unsigned flags) {
  c->Font()->Assign(&FFont);
  std::string text = FCaption;
  if (flags & DT_CALCRECT) {
    // An empty caption still takes one line, as the classic label does.
    if (text.empty() || (FShowAccelChar && text == "&")) text += " ";
    c->DrawText(text, r, flags);
    return;
  }
  DrawControlText(c, text, r, flags, FEnabled);
}
