#include "skin/draw/DefaultLook.h"

#include "framework/graphics/Canvas.h"

TColor DefaultFaceFill(TbsFaceState State) {
  switch (State) {
    case faceHot:
      return DefaultHotFill;
    case facePressed:
      return DefaultPressedFill;
    case faceNormal:
      break;
  }
  return clBtnFace;
}

TColor DefaultFaceFrame(TbsFaceState State) { return State == faceNormal ? TColor(clBtnShadow) : DefaultNavy; }

void DrawDefaultFace(TCanvas* Canvas, const TRect& R, TbsFaceState State) {
  TRect inner = R;
  const TColor frame = DefaultFaceFrame(State);
  Frame3D(Canvas, inner, frame, frame, 1);
  Canvas->Brush()->Style = TBrushStyle::bsSolid;
  Canvas->Brush()->Color = DefaultFaceFill(State);
  Canvas->FillRect(inner);
}

void FillDefaultFace(TCanvas* Canvas, const TRect& R) {
  Canvas->Brush()->Style = TBrushStyle::bsSolid;
  Canvas->Brush()->Color = clBtnFace;
  Canvas->FillRect(R);
}
