#include "skin/draw/SkinGeometry.h"

int RectWidth(const TRect& r) { return r.Right - r.Left; }
int RectHeight(const TRect& r) { return r.Bottom - r.Top; }
bool IsNullRect(const TRect& r) { return RectWidth(r) <= 0 || RectHeight(r) <= 0; }
bool IsNullPoint(const TPoint& p) { return p.X == 0 || p.Y == 0; }

bool PointInsideRect(const TRect& r, const TPoint& p) {
  return r.Left <= p.X && p.X <= r.Right && r.Top <= p.Y && p.Y <= r.Bottom;
}

bool RectInsideRect(const TRect& a, const TRect& b) {
  return PtInRect(b, a.TopLeft()) && PtInRect(b, a.BottomRight());
}

int SkinResizeMode(const TRect& skinRect, const TbsSkinPoints& p) {
  if (IsNullRect(skinRect)) return rmNone;
  if (p.RightBottom.X != 0 && p.RightBottom.Y != 0) return rmBoth;
  if (p.RightTop.X != 0 || p.RightTop.Y != 0) return rmHorizontal;
  if (p.LeftBottom.X != 0 || p.LeftBottom.Y != 0) return rmVertical;
  return rmFixed;
}

TbsSkinPoints CalcTargetSkinPoints(int mode, const TRect& skinRect, const TbsSkinPoints& s,
                                   int& W, int& H) {
  const int RW = RectWidth(skinRect), RH = RectHeight(skinRect);
  if (mode == rmHorizontal) H = RH;
  if (mode == rmVertical) W = RW;
  if (mode == rmFixed) { W = RW; H = RH; }
  const int dx = W - RW, dy = H - RH;
  TbsSkinPoints n = s;
  switch (mode) {
    case rmBoth:
      n.RightTop = {s.RightTop.X + dx, s.RightTop.Y};
      n.LeftBottom = {s.LeftBottom.X, s.LeftBottom.Y + dy};
      n.RightBottom = {s.RightBottom.X + dx, s.RightBottom.Y + dy};
      n.Client.Right += dx;
      n.Client.Bottom += dy;
      break;
    case rmHorizontal:
      n.RightTop = {s.RightTop.X + dx, s.RightTop.Y};
      n.Client.Right += dx;
      break;
    case rmVertical:
      n.LeftBottom = {s.LeftBottom.X, s.LeftBottom.Y + dy};
      n.Client.Bottom += dy;
      break;
    default:
      break;
  }
  return n;
}
