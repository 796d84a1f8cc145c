#include "skin/draw/SkinImage.h"

#include <algorithm>

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "skin/draw/PieceCopy.h"
#include "skin/draw/SkinGeometry.h"

namespace {

struct NinePiece {
  TPoint LT, RT, LB, RB;
  TRect CL;
  TPoint NLT, NRT, NLB, NRB;
  TRect NCL;
  const TBitmap& picture;
  TBitmap& dest;
  TRect R;
  int W, H;

  int RW() const { return RectWidth(R); }
  int RH() const { return RectHeight(R); }
  // A piece given relative to R.
  TRect Src(int l, int t, int r, int b) const { return {R.Left + l, R.Top + t, R.Left + r, R.Top + b}; }
  void Copy(const TRect& dst, const TRect& srcRel) const {
    piece::Copy(dest, dst, picture, Src(srcRel.Left, srcRel.Top, srcRel.Right, srcRel.Bottom));
  }

  bool Degenerate() const { return RB.X == LT.X || RB.Y == LT.Y || picture.Empty(); }

  // Edges tiled from the new start point up to a limit (the opposite new point, or W).
  void TopEdge(int limit) const {
    piece::TileH(dest, picture, R.Left + LT.X, R.Left + RT.X, R.Top, R.Top + CL.Top, NLT.X, limit, 0, NCL.Top);
  }
  void BottomEdge(int limit) const {
    piece::TileH(dest, picture, R.Left + LB.X, R.Left + RB.X, R.Top + CL.Bottom, R.Bottom, NLB.X, limit,
                 NCL.Bottom, H);
  }
  void LeftEdge() const {
    piece::TileV(dest, picture, R.Top + LT.Y, R.Top + LB.Y, R.Left, R.Left + CL.Left, NLT.Y, NLB.Y, 0, NCL.Left);
  }
  void RightEdge() const {
    piece::TileV(dest, picture, R.Top + RT.Y, R.Top + RB.Y, R.Left + CL.Right, R.Right, NRT.Y, NRB.Y,
                 NCL.Right, W);
  }

  // Stretched edges: the whole source piece copied 1:1 into a bitmap of its own, which is
  // then stretch-drawn over the edge's destination span.
  void Stretch(const TRect& srcRel, const TRect& dst) const {
    const TRect src = Src(srcRel.Left, srcRel.Top, srcRel.Right, srcRel.Bottom);
    // A piece reaching outside the picture comes from a broken skin: skipped.
    if (IsNullRect(src) || IsNullRect(dst) || src.Left < 0 || src.Top < 0 || src.Right > picture.Width() ||
        src.Bottom > picture.Height())
      return;
    TBitmap pieceImage(src.Width(), src.Height());
    piece::Copy(pieceImage, {0, 0, src.Width(), src.Height()}, picture, src);
    dest.Canvas()->StretchDraw(dst, &pieceImage);
  }

  void LeftCorners() const {
    Copy({0, 0, NLT.X, NCL.Top}, {0, 0, LT.X, CL.Top});
    Copy({0, NCL.Top, NCL.Left, NLT.Y}, {0, CL.Top, CL.Left, LT.Y});
  }
  void TopRightCorner() const {
    Copy({NRT.X, 0, W, NCL.Top}, {RT.X, 0, RW(), CL.Top});
    Copy({NCL.Right, NCL.Top, W, NRT.Y}, {CL.Right, CL.Top, RW(), RT.Y});
  }
  void BottomLeftCorner() const {
    Copy({0, NLB.Y, NCL.Left, H}, {0, LB.Y, CL.Left, RH()});
    Copy({NCL.Left, NCL.Bottom, NLB.X, H}, {CL.Left, CL.Bottom, LB.X, RH()});
  }
  void BottomRightCorner() const {
    Copy({NRB.X, NCL.Bottom, W, H}, {RB.X, CL.Bottom, RW(), RH()});
    Copy({NCL.Right, NRB.Y, W, NCL.Bottom}, {CL.Right, RB.Y, RW(), CL.Bottom});
  }
  void Corners() const {
    LeftCorners();
    TopRightCorner();
    BottomLeftCorner();
    BottomRightCorner();
  }

  // The centre tiled over the new client rectangle, rows and columns clipped at its end.
  // Only the part inside the destination is built: one row of tiles, then that row tiled
  // down, keeping the phase the full rectangle would have.
  void Centre(int newRight) const {
    const int cw = RectWidth(CL), ch = RectHeight(CL);
    const TRect area{NCL.Left, NCL.Top, newRight, NCL.Bottom};
    if (cw <= 0 || ch <= 0 || IsNullRect(area)) return;
    const int x0 = std::max(area.Left, 0), y0 = std::max(area.Top, 0);
    const int x1 = std::min(area.Right, dest.Width()), y1 = std::min(area.Bottom, dest.Height());
    if (x1 <= x0 || y1 <= y0) return;
    const int phaseX = int((0LL + x0 - area.Left) % cw), phaseY = int((0LL + y0 - area.Top) % ch);
    TBitmap row(x1 - x0, ch);
    piece::TileH(row, picture, R.Left + CL.Left, R.Left + CL.Right, R.Top + CL.Top, R.Top + CL.Bottom, -phaseX,
                 x1 - x0, 0, ch);
    piece::TileV(dest, row, 0, ch, 0, x1 - x0, y0 - phaseY, y1, x0, x1);
  }
};

}  // namespace

void BuildSkinImage(TPoint LT, TPoint RT, TPoint LB, TPoint RB, TRect CL, TPoint NLT, TPoint NRT,
                    TPoint NLB, TPoint NRB, TRect NCL, const TBitmap& picture, TBitmap& destination,
                    TRect R, int W, int H, bool DrawClient) {
  destination.SetSize(std::max(W, 0), std::max(H, 0));
  const NinePiece p{LT, RT, LB, RB, CL, NLT, NRT, NLB, NRB, NCL, picture, destination, R, W, H};
  if (p.Degenerate()) return;
  p.TopEdge(NRT.X);
  p.BottomEdge(NRB.X);
  p.LeftEdge();
  p.RightEdge();
  p.Corners();
  if (DrawClient) p.Centre(NCL.Right);
}

void BuildStretchSkinImage(TPoint LT, TPoint RT, TPoint LB, TPoint RB, TRect CL, TPoint NLT,
                           TPoint NRT, TPoint NLB, TPoint NRB, TRect NCL, const TBitmap& picture,
                           TBitmap& destination, TRect R, int W, int H, bool DrawClient,
                           bool LeftStretch, bool TopStretch, bool RightStretch, bool BottomStretch) {
  destination.SetSize(std::max(W, 0), std::max(H, 0));
  const NinePiece p{LT, RT, LB, RB, CL, NLT, NRT, NLB, NRB, NCL, picture, destination, R, W, H};
  if (p.Degenerate()) return;
  if (TopStretch) p.Stretch({LT.X, 0, RT.X, CL.Top}, {NLT.X, 0, NRT.X, NCL.Top});
  else p.TopEdge(NRT.X);
  if (BottomStretch) p.Stretch({LB.X, CL.Bottom, RB.X, p.RH()}, {NLB.X, NCL.Bottom, NRB.X, H});
  else p.BottomEdge(NRB.X);
  if (LeftStretch) p.Stretch({0, LT.Y, CL.Left, LB.Y}, {0, NLT.Y, NCL.Left, NLB.Y});
  else p.LeftEdge();
  if (RightStretch) p.Stretch({CL.Right, RT.Y, p.RW(), RB.Y}, {NCL.Right, NRT.Y, W, NRB.Y});
  else p.RightEdge();
  p.Corners();
  if (DrawClient) p.Centre(NCL.Right);
}

void BuildSkinImageOpenRight(TPoint LT, TPoint RT, TPoint LB, TPoint RB, TRect CL, TPoint NLT,
                             TPoint NRT, TPoint NLB, TPoint NRB, TRect NCL, const TBitmap& picture,
                             TBitmap& destination, TRect R, int W, int H, bool DrawClient) {
  destination.SetSize(std::max(W, 0), std::max(H, 0));
  const NinePiece p{LT, RT, LB, RB, CL, NLT, NRT, NLB, NRB, NCL, picture, destination, R, W, H};
  if (p.Degenerate()) return;
  p.TopEdge(W);
  p.BottomEdge(W);
  p.LeftEdge();
  p.LeftCorners();
  p.BottomLeftCorner();
  if (DrawClient) p.Centre(W);
}

void BuildHSkinImage(int a, int b, TBitmap& destination, int W, TRect R, const TBitmap& picture) {
  const int RH = RectHeight(R);
  destination.SetSize(std::max(W, 0), std::max(RH, 0));
  if (a != 0) piece::Copy(destination, {0, 0, a, RH}, picture, {R.Left, R.Top, R.Left + a, R.Bottom});
  if (b != 0) piece::Copy(destination, {W - b, 0, W, RH}, picture, {R.Right - b, R.Top, R.Right, R.Bottom});
  piece::TileH(destination, picture, R.Left + a, R.Right - b, R.Top, R.Bottom, a, W - b, 0, RH);
}

void BuildHSkinImageOpenRight(int a, int b, TBitmap& destination, int W, TRect R, const TBitmap& picture) {
  const int RH = RectHeight(R);
  destination.SetSize(std::max(W, 0), std::max(RH, 0));
  if (a != 0) piece::Copy(destination, {0, 0, a, RH}, picture, {R.Left, R.Top, R.Left + a, R.Bottom});
  piece::TileH(destination, picture, R.Left + a, R.Right - b, R.Top, R.Bottom, a, W, 0, RH);
}

void BuildVSkinImage(int a, int b, TBitmap& destination, int H, TRect R, const TBitmap& picture) {
  const int RW = RectWidth(R);
  destination.SetSize(std::max(RW, 0), std::max(H, 0));
  if (a != 0) piece::Copy(destination, {0, 0, RW, a}, picture, {R.Left, R.Top, R.Right, R.Top + a});
  if (b != 0) piece::Copy(destination, {0, H - b, RW, H}, picture, {R.Left, R.Bottom - b, R.Right, R.Bottom});
  piece::TileV(destination, picture, R.Top + a, R.Bottom - b, R.Left, R.Right, a, H - b, 0, RW);
}
