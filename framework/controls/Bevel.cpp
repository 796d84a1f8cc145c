#include "framework/controls/Bevel.h"

#include "framework/graphics/Canvas.h"

TBevel::TBevel(TComponent* AOwner) : TGraphicControl(AOwner) {
  FWidth = 50;
  FHeight = 50;
}

void TBevel::SetShape(TBevelShape Value) {
  if (Value == FShape) return;
  FShape = Value;
  Invalidate();
}

void TBevel::SetStyle(TBevelStyle Value) {
  if (Value == FStyle) return;
  FStyle = Value;
  Invalidate();
}

namespace {
void Line(TCanvas* c, TColor color, const TRect& r) {
  c->Brush()->Style = TBrushStyle::bsSolid;
  c->Brush()->Color = color;
  c->FillRect(r);
}
}  // namespace

void TBevel::Paint() {
  TCanvas* c = Canvas();
  if (!c) return;
  const int W = Width(), H = Height();
  // Lowered: shadow above and left, highlight below and right; raised the reverse.
  const TColor first = FStyle == bsLowered ? clBtnShadow : clBtnHighlight;
  const TColor second = FStyle == bsLowered ? clBtnHighlight : clBtnShadow;
  switch (FShape) {
    case bsBox: {
      TRect r = ClientRect();
      Frame3D(c, r, first, second, 1);
      break;
    }
    case bsFrame: {
      // Two rings one pixel apart: the inner one in the second colour, the outer in the first.
      TRect inner = Rect(1, 1, W, H);
      Frame3D(c, inner, second, second, 1);
      TRect outer = Rect(0, 0, W - 1, H - 1);
      Frame3D(c, outer, first, first, 1);
      break;
    }
    case bsTopLine:
      Line(c, first, Rect(0, 0, W, 1));
      Line(c, second, Rect(0, 1, W, 2));
      break;
    case bsBottomLine:
      Line(c, first, Rect(0, H - 2, W, H - 1));
      Line(c, second, Rect(0, H - 1, W, H));
      break;
    case bsLeftLine:
      Line(c, first, Rect(0, 0, 1, H));
      Line(c, second, Rect(1, 0, 2, H));
      break;
    case bsRightLine:
      Line(c, first, Rect(W - 2, 0, W - 1, H));
      Line(c, second, Rect(W - 1, 0, W, H));
      break;
    case bsSpacer:
      break;
  }
}
