#include "skin/form/SkinFormGeometry.h"

#include "framework/graphics/Bitmap.h"
#include "skin/data/SkinData.h"
#include "skin/draw/SkinGeometry.h"

namespace {
bool Within(int v, int lo, int hi) { return v >= lo && v <= hi; }
TPoint Moved(TPoint p, int dx, int dy) { return Point(p.X + dx, p.Y + dy); }
// Edges included: a bottom-right corner lies on the area's far edges.
bool InArea(TPoint p, const TRect& a) { return Within(p.X, a.Left, a.Right) && Within(p.Y, a.Top, a.Bottom); }
}  // namespace

bool SkinFrameUsable(const TbsSkinData& s) {
  if (s.SkinEmpty || !s.SkinPicture || s.SkinPicture->Empty()) return false;
  const int pw = s.SkinPicture->Width(), ph = s.SkinPicture->Height();
  const TRect& c = s.clientrect;
  if (!(Within(c.Left, 0, pw) && Within(c.Right, 0, pw) && Within(c.Top, 0, ph) && Within(c.Bottom, 0, ph)))
    return false;
  if (c.Right <= c.Left || c.Bottom <= c.Top) return false;
  for (TPoint p : {s.lefttoppoint, s.righttoppoint, s.leftbottompoint, s.rightbottompoint})
    if (!Within(p.X, 0, pw) || !Within(p.Y, 0, ph)) return false;
  // Every edge needs a span to stretch or tile.
  return s.lefttoppoint.X < s.righttoppoint.X && s.leftbottompoint.X < s.rightbottompoint.X &&
         s.lefttoppoint.Y < s.leftbottompoint.Y && s.righttoppoint.Y < s.rightbottompoint.Y;
}

TbsFormFrameGeometry ComputeFrameGeometry(const TbsSkinData& s, int W, int H) {
  TbsFormFrameGeometry g;
  g.W = W;
  g.H = H;
  if (s.SkinPicture) {
    g.PW = s.SkinPicture->Width();
    g.PH = s.SkinPicture->Height();
  }
  const int dx = W - g.PW, dy = H - g.PH;
  g.LT = s.lefttoppoint;
  g.RT = Moved(s.righttoppoint, dx, 0);
  g.LB = Moved(s.leftbottompoint, 0, dy);
  g.RB = Moved(s.rightbottompoint, dx, dy);
  g.Client = s.clientrect;
  g.Client.Right += dx;
  g.Client.Bottom += dy;
  g.Caption = s.captionrect;
  if (!IsNullRect(g.Caption)) g.Caption.Right += dx;
  g.Buttons = s.buttonsrect;
  if (!IsNullRect(g.Buttons) && g.Buttons.Left > g.PW / 2) OffsetRect(g.Buttons, dx, 0);
  g.ButtonsInLeft = s.buttonsinleft;
  g.ButtonsOffset = s.buttonsoffset;
  // A skin without a mask leaves the hit-test points unset: the corners serve.
  auto hit = [](TPoint h, TPoint corner) { return h.X == 0 && h.Y == 0 ? corner : h; };
  g.HitLT = hit(s.hittestlefttoppoint, s.lefttoppoint);
  g.HitRT = Moved(hit(s.hittestrighttoppoint, s.righttoppoint), dx, 0);
  g.HitLB = Moved(hit(s.hittestleftbottompoint, s.leftbottompoint), 0, dy);
  g.HitRB = Moved(hit(s.hittestrightbottompoint, s.rightbottompoint), dx, dy);
  g.MaskArea = s.maskrectarea;
  g.MaskArea.Right += dx;
  g.MaskArea.Bottom += dy;
  return g;
}

TRect MapFrameObjectRect(const TbsSkinData& s, const TRect& r, int dx, int dy) {
  const int pw = s.SkinPicture ? s.SkinPicture->Width() : 0, ph = s.SkinPicture ? s.SkinPicture->Height() : 0;
  const TPoint lt = s.lefttoppoint, rt = s.righttoppoint, lb = s.leftbottompoint, rb = s.rightbottompoint;
  const TRect ltArea = Rect(0, 0, lt.X, lt.Y), rtArea = Rect(rt.X, 0, pw, rt.Y);
  const TRect lbArea = Rect(0, lb.Y, lb.X, ph), rbArea = Rect(rb.X, rb.Y, pw, ph);
  const TPoint tl = r.TopLeft(), br = Point(r.Right, r.Bottom);
  TRect out = r;
  // Wholly inside one corner area: moves with it.
  if (InArea(tl, ltArea) && InArea(br, ltArea)) return out;
  if (InArea(tl, rtArea) && InArea(br, rtArea)) {
    OffsetRect(out, dx, 0);
    return out;
  }
  if (InArea(tl, lbArea) && InArea(br, lbArea)) {
    OffsetRect(out, 0, dy);
    return out;
  }
  if (InArea(tl, rbArea) && InArea(br, rbArea)) {
    OffsetRect(out, dx, dy);
    return out;
  }
  // Spanning areas: stretched by its corners.
  if (InArea(tl, ltArea) && InArea(br, rbArea)) {
    out.Right += dx;
    out.Bottom += dy;
  } else if (InArea(tl, ltArea) && InArea(br, rtArea)) {
    out.Right += dx;
  } else if (InArea(tl, lbArea) && InArea(br, rbArea)) {
    out.Right += dx;
    OffsetRect(out, 0, dy);
  } else if (InArea(tl, ltArea) && InArea(br, lbArea)) {
    out.Bottom += dy;
  } else if (InArea(tl, rtArea) && InArea(br, rbArea)) {
    OffsetRect(out, dx, 0);
    out.Bottom += dy;
  }
  return out;
}
