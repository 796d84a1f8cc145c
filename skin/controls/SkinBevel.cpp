#include "skin/controls/SkinBevel.h"

#include "framework/graphics/Canvas.h"

TbsSkinBevel::TbsSkinBevel(TComponent* AOwner) : TBevel(AOwner), TbsSkinBinding(this, "bevel") {}

TbsSkinBevel::~TbsSkinBevel() { BindSkinData(nullptr); }

void TbsSkinBevel::SetSkinData(TbsSkinData* Value) {
  BindSkinData(Value);
  ApplySkinChange();
}

void TbsSkinBevel::Notification(TComponent* AComponent, TOperation Operation) {
  TBevel::Notification(AComponent, Operation);
  if (SkinDataRemoved(AComponent, Operation)) ReadSkinRecord();
}

void TbsSkinBevel::SetDividerMode(bool Value) {
  FDividerMode = Value;
  Invalidate();
}

void TbsSkinBevel::ApplySkinChange() {
  ReadSkinRecord();
  Invalidate();
}

void TbsSkinBevel::BeginSkinChange() {
  // The default colours until the next change, which a skin that fails to load never sends.
  FLightColor = clBtnHighlight;
  FDarkColor = clBtnShadow;
  Invalidate();
}

bool TbsSkinBevel::AcceptsRecord(const TbsDataSkinControl* Record) const { return Record->As<TbsDataSkinBevel>(); }

void TbsSkinBevel::ReadSkinRecord() {
  LookUpRecord();
  const auto* r = Record<TbsDataSkinBevel>();
  FLightColor = r ? r->lightcolor : clBtnHighlight;
  FDarkColor = r ? r->darkcolor : clBtnShadow;
}

namespace {
void Line(TCanvas* c, TColor color, int x0, int y0, int x1, int y1) {
  c->Pen()->Color = color;
  c->MoveTo(x0, y0);
  c->LineTo(x1, y1);
}

// Left and top edges in c1, right and bottom in c2, as two polylines: each leaves out
// its last point, so the bottom-left corner keeps c1 and the top-right corner gets c2.
void BevelRect(TCanvas* c, const TRect& r, TColor c1, TColor c2) {
  c->Pen()->Color = c1;
  c->MoveTo(r.Left, r.Bottom);
  c->LineTo(r.Left, r.Top);
  c->LineTo(r.Right, r.Top);
  c->Pen()->Color = c2;
  c->LineTo(r.Right, r.Bottom);
  c->LineTo(r.Left, r.Bottom);
}
}  // namespace

void TbsSkinBevel::Paint() {
  TCanvas* c = Canvas();
  if (!c) return;
  const int W = Width(), H = Height();
  c->Pen()->Width = 1;
  c->Pen()->Style = TPenStyle::psSolid;
  c->Pen()->Mode = TPenMode::pmCopy;
  if (ComponentState().Contains(csDesigning) && Shape() == bsSpacer) {
    // Only the designer sees where a spacer is.
    c->Pen()->Style = TPenStyle::psDot;
    c->Pen()->Mode = TPenMode::pmXor;
    c->Pen()->Color = clWhite;
    c->Brush()->Style = TBrushStyle::bsClear;
    c->Rectangle(ClientRect());
    c->Pen()->Style = TPenStyle::psSolid;
    c->Pen()->Mode = TPenMode::pmCopy;
    return;
  }
  const TColor c1 = Style() == bsLowered ? FDarkColor : FLightColor;
  const TColor c2 = Style() == bsLowered ? FLightColor : FDarkColor;
  if (FDividerMode) {
    switch (Shape()) {
      case bsTopLine:
      case bsBottomLine:
        BevelRect(c, Rect(2, H / 2 - 1, W - 2, H / 2), c1, c2);
        break;
      case bsSpacer:
        break;
      default:
        BevelRect(c, Rect(W / 2 - 1, 2, W / 2, H - 2), c1, c2);
        break;
    }
    return;
  }
  switch (Shape()) {
    case bsBox:
      BevelRect(c, Rect(0, 0, W - 1, H - 1), c1, c2);
      break;
    case bsFrame:
      BevelRect(c, Rect(1, 1, W - 1, H - 1), c2, c2);
      BevelRect(c, Rect(0, 0, W - 2, H - 2), c1, c1);
      break;
    case bsTopLine:
      Line(c, c1, 0, 0, W, 0);
      Line(c, c2, 0, 1, W, 1);
      break;
    case bsBottomLine:
      Line(c, c1, 0, H - 2, W, H - 2);
      Line(c, c2, 0, H - 1, W, H - 1);
      break;
    case bsLeftLine:
      Line(c, c1, 0, 0, 0, H);
      Line(c, c2, 1, 0, 1, H);
      break;
    case bsRightLine:
      Line(c, c1, W - 2, 0, W - 2, H);
      Line(c, c2, W - 1, 0, W - 1, H);
      break;
    case bsSpacer:
      break;
  }
}
