#include "skin/draw/FrameStrips.h"

#include "framework/graphics/Bitmap.h"
#include "skin/draw/PieceCopy.h"
#include "skin/draw/SkinGeometry.h"

namespace {

// Sizes a strip, or empties it when either side is not positive; true when built.
bool SizeStrip(TBitmap& strip, int w, int h) {
  if (w <= 0 || h <= 0) {
    strip.SetSize(0, 0);
    return false;
  }
  strip.SetSize(w, h);
  return true;
}

}  // namespace

void BuildFrameStrips(TPoint LT, TPoint RT, TPoint LB, TPoint RB, TRect CL, TPoint NLT, TPoint NRT,
                      TPoint NLB, TPoint NRB, TRect NCL, int W, const TBitmap& picture, TBitmap& top,
                      TBitmap& bottom, TBitmap& left, TBitmap& right) {
  const int PW = picture.Width(), PH = picture.Height();
  const int sideH = RectHeight(NCL);

  if (SizeStrip(top, W, CL.Top)) {
    const int h = CL.Top;
    piece::TileH(top, picture, LT.X, RT.X, 0, h, NLT.X, NRT.X, 0, h);
    piece::Copy(top, {0, 0, LT.X, h}, picture, {0, 0, LT.X, h});
    piece::Copy(top, {NRT.X, 0, W, h}, picture, {RT.X, 0, PW, h});
  }
  if (SizeStrip(bottom, W, PH - CL.Bottom)) {
    const int h = PH - CL.Bottom;
    piece::TileH(bottom, picture, LB.X, RB.X, CL.Bottom, PH, NLB.X, NRB.X, 0, h);
    piece::Copy(bottom, {0, 0, LB.X, h}, picture, {0, CL.Bottom, LB.X, PH});
    piece::Copy(bottom, {NRB.X, 0, W, h}, picture, {RB.X, CL.Bottom, PW, PH});
  }
  // Side strips: edge rows tiled from where the edge starts below the corner part (as
  // the element's image tiles them, so the shape follows a patterned edge), then the
  // corner parts at both ends.
  auto side = [&](TBitmap& strip, int srcLeft, int srcRight, int edgeTop, int edgeBottom) {
    const int w = srcRight - srcLeft;
    if (!SizeStrip(strip, w, sideH)) return;
    piece::TileV(strip, picture, edgeTop, edgeBottom, srcLeft, srcRight, edgeTop - CL.Top, sideH, 0, w);
    piece::Copy(strip, {0, 0, w, edgeTop - CL.Top}, picture, {srcLeft, CL.Top, srcRight, edgeTop});
    const int lower = CL.Bottom - edgeBottom;
    piece::Copy(strip, {0, sideH - lower, w, sideH}, picture, {srcLeft, edgeBottom, srcRight, CL.Bottom});
  };
  side(left, 0, CL.Left, LT.Y, LB.Y);
  side(right, CL.Right, PW, RT.Y, RB.Y);
}

void BuildStretchFrameStrips(TPoint LT, TPoint RT, TPoint LB, TRect CL, TPoint RB, TPoint NLT,
                             TPoint NRT, TPoint NLB, TPoint NRB, TRect NCL, bool LeftStretch,
                             bool TopStretch, bool RightStretch, bool BottomStretch, int W, int H,
                             TRect R, const TBitmap& picture, TBitmap& top, TBitmap& bottom,
                             TBitmap& left, TBitmap& right) {
  const int topH = NCL.Top;
  const int bottomH = H - NCL.Bottom;
  const int sideH = H - topH - bottomH;

  // A horizontal strip: middle stretched into its new span or tiled across the whole
  // strip from x = 0, then both ends copied over it.
  auto horizontal = [&](TBitmap& strip, int h, int srcTop, int midLeft, int midRight, int newLeft,
                        int newRight, bool stretch) {
    if (W <= 0 || h <= 0 || midRight <= midLeft) {
      strip.SetSize(0, 0);
      return;
    }
    strip.SetSize(W, h);
    const int srcBottom = srcTop + h;
    if (stretch)
      piece::Copy(strip, {newLeft, 0, newRight, h}, picture, {R.Left + midLeft, srcTop, R.Left + midRight, srcBottom});
    else
      piece::TileH(strip, picture, R.Left + midLeft, R.Left + midRight, srcTop, srcBottom, 0, W, 0, h);
    piece::Copy(strip, {0, 0, newLeft, h}, picture, {R.Left, srcTop, R.Left + midLeft, srcBottom});
    piece::Copy(strip, {newRight, 0, W, h}, picture, {R.Left + midRight, srcTop, R.Right, srcBottom});
  };
  horizontal(top, topH, R.Top, LT.X, RT.X, NLT.X, NRT.X, TopStretch);
  horizontal(bottom, bottomH, R.Bottom - bottomH, LB.X, RB.X, NLB.X, NRB.X, BottomStretch);

  // A vertical strip: edge rows stretched (keeping the corner parts' heights at both
  // ends) or tiled from y = 0, then the corner parts copied to its top and bottom.
  auto vertical = [&](TBitmap& strip, int w, int srcLeft, int edgeTop, int edgeBottom, bool stretch) {
    if (w <= 0 || sideH <= 0 || edgeBottom <= edgeTop) {
      strip.SetSize(0, 0);
      return;
    }
    strip.SetSize(w, sideH);
    const int srcRight = srcLeft + w;
    if (stretch)
      piece::Copy(strip, {0, edgeTop - CL.Top, w, sideH + edgeBottom - CL.Bottom}, picture,
                  {srcLeft, R.Top + edgeTop, srcRight, R.Top + edgeBottom});
    else
      piece::TileV(strip, picture, R.Top + edgeTop, R.Top + edgeBottom, srcLeft, srcRight, 0, sideH, 0, w);
    piece::Copy(strip, {0, 0, w, edgeTop - CL.Top}, picture, {srcLeft, R.Top + CL.Top, srcRight, R.Top + edgeTop});
    const int lower = CL.Bottom - edgeBottom;
    piece::Copy(strip, {0, sideH - lower, w, sideH}, picture,
                {srcLeft, R.Top + edgeBottom, srcRight, R.Top + CL.Bottom});
  };
  vertical(left, NCL.Left, R.Left, LT.Y, LB.Y, LeftStretch);
  vertical(right, W - NCL.Right, R.Right - (W - NCL.Right), RT.Y, RB.Y, RightStretch);
}
