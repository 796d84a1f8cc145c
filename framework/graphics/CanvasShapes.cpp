// Lines and filled shapes on the pixel buffer, by the classic device-context rules.
#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/CanvasRaster.h"

using raster::BrushSource;
using raster::Mask;
using raster::Op;
using raster::Writer;

namespace {

// Cosmetic dash patterns in pixels: on, off, on, off, ...
const std::vector<int>& DashPattern(TPenStyle s) {
  static const std::vector<int> none, dash{18, 6}, dot{3, 3}, dashDot{9, 6, 3, 6},
      dashDotDot{9, 3, 3, 3, 3, 3};
  switch (s) {
    case TPenStyle::psDash: return dash;
    case TPenStyle::psDot: return dot;
    case TPenStyle::psDashDot: return dashDot;
    case TPenStyle::psDashDotDot: return dashDotDot;
    default: return none;
  }
}

// Walks the pixels of pen strokes. Thin pens write straight through; wide pens collect
// their squares into a mask first so overlapping squares touch a pixel only once.
class Stroke {
 public:
  Stroke(Writer& w, const TPen& pen, const TRect& extent) : FWriter(w), FPattern(DashPattern(pen.Style)) {
    FVisible = pen.Style != TPenStyle::psClear && pen.Width >= 0 && raster::Resolve(pen.Color, FColour);
    FOp = raster::FromPenMode(pen.Mode);
    FWidth = std::max(1, pen.Width);
    if (FVisible && FWidth > 1) {
      TRect box = extent;
      InflateRect(box, FWidth, FWidth);
      TRect vis;
      IntersectRect(vis, box, w.Bounds());
      FMask = std::make_unique<Mask>(vis.Left, vis.Top, vis.Right, vis.Bottom);
    }
  }
  bool Visible() const { return FVisible; }

  // Bresenham from a to b; b itself only when includeEnd.
  void Line(TPoint a, TPoint b, bool includeEnd) {
    if (!FVisible) return;
    ClipVeryLong(a, b, includeEnd);
    std::int64_t dx = std::llabs(std::int64_t(b.X) - a.X), dy = -std::llabs(std::int64_t(b.Y) - a.Y);
    const int sx = a.X < b.X ? 1 : -1, sy = a.Y < b.Y ? 1 : -1;
    std::int64_t err = dx + dy;
    int x = a.X, y = a.Y;
    for (;;) {
      if (x == b.X && y == b.Y) {
        if (includeEnd) Pixel(x, y);
        break;
      }
      Pixel(x, y);
      const std::int64_t e2 = 2 * err;
      if (e2 >= dy) {
        err += dy;
        x += sx;
      }
      if (e2 <= dx) {
        err += dx;
        y += sy;
      }
    }
  }

  void Pixel(int x, int y) {
    if (!FPattern.empty()) {
      const bool on = (FPatternIndex % 2) == 0;
      if (++FPatternRun >= FPattern[FPatternIndex]) {
        FPatternRun = 0;
        FPatternIndex = (FPatternIndex + 1) % FPattern.size();
      }
      if (!on) return;
    }
    if (FMask) {
      const int lo = -(FWidth - 1) / 2, hi = FWidth / 2;
      for (int j = lo; j <= hi; ++j)
        for (int i = lo; i <= hi; ++i) FMask->Set(x + i, y + j);
    } else {
      FWriter.Plot(x, y, FOp, FColour);
    }
  }

  // Marks a pixel for the pen when strokes go through a caller's mask.
  void Finish() {
    if (!FMask) return;
    for (int y = FMask->Top(); y < FMask->Bottom(); ++y)
      for (int x = FMask->Left(); x < FMask->Right(); ++x)
        if (FMask->Get(x, y)) FWriter.Plot(x, y, FOp, FColour);
  }

 private:
  // Coordinates far outside any bitmap would make the walk needlessly long: cut such a
  // segment to the visible area (with a margin) first.
  void ClipVeryLong(TPoint& a, TPoint& b, bool& includeEnd) {
    const std::int64_t len = std::max(std::llabs(std::int64_t(b.X) - a.X), std::llabs(std::int64_t(b.Y) - a.Y));
    if (len <= (1 << 16)) return;
    TRect box = FWriter.Bounds();
    InflateRect(box, FWidth + 2, FWidth + 2);
    double t0 = 0, t1 = 1;
    const double x0 = a.X, y0 = a.Y, ddx = double(b.X) - a.X, ddy = double(b.Y) - a.Y;
    auto clip = [&](double p, double q) {
      if (p == 0) return q >= 0;
      const double r = q / p;
      if (p < 0) {
        if (r > t1) return false;
        t0 = std::max(t0, r);
      } else {
        if (r < t0) return false;
        t1 = std::min(t1, r);
      }
      return true;
    };
    if (!clip(-ddx, x0 - box.Left) || !clip(ddx, box.Right - x0) || !clip(-ddy, y0 - box.Top) ||
        !clip(ddy, box.Bottom - y0)) {
      b = a;
      includeEnd = false;
      return;
    }
    TPoint na{int(std::lround(x0 + t0 * ddx)), int(std::lround(y0 + t0 * ddy))};
    if (t1 < 1) {
      b = {int(std::lround(x0 + t1 * ddx)), int(std::lround(y0 + t1 * ddy))};
      includeEnd = true;
    }
    a = na;
  }

  Writer& FWriter;
  const std::vector<int>& FPattern;
  size_t FPatternIndex = 0;
  int FPatternRun = 0;
  bool FVisible = false;
  TPixel FColour = 0;
  Op FOp = Op::Copy;
  int FWidth = 1;
  std::unique_ptr<Mask> FMask;
};

TRect Extent(const std::vector<TPoint>& pts) {
  TRect r{pts[0].X, pts[0].Y, pts[0].X + 1, pts[0].Y + 1};
  for (const TPoint& p : pts) {
    r.Left = std::min(r.Left, p.X);
    r.Top = std::min(r.Top, p.Y);
    r.Right = std::max(r.Right, p.X + 1);
    r.Bottom = std::max(r.Bottom, p.Y + 1);
  }
  return r;
}

TRect Normalised(int x1, int y1, int x2, int y2) {
  return Rect(std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2));
}

}  // namespace

void TCanvas::MoveTo(int x, int y) { FPenPos = {x, y}; }

void TCanvas::LineTo(int x, int y) {
  const TPoint a = raster::ToDevice(FPenPos, FOrigin), b = raster::ToDevice(Point(x, y), FOrigin);
  FPenPos = {x, y};
  if (!FTarget) return;
  Writer w(FTarget, DeviceClipRects());
  Stroke s(w, FPen, Extent({a, b}));
  s.Line(a, b, false);
  s.Finish();
}

void TCanvas::Polyline(const std::vector<TPoint>& points) {
  if (!FTarget || points.size() < 2) return;
  std::vector<TPoint> d;
  for (const TPoint& p : points) d.push_back(raster::ToDevice(p, FOrigin));
  Writer w(FTarget, DeviceClipRects());
  Stroke s(w, FPen, Extent(d));
  for (size_t i = 1; i < d.size(); ++i) s.Line(d[i - 1], d[i], false);
  s.Finish();
}

void TCanvas::Rectangle(int x1, int y1, int x2, int y2) {
  if (!FTarget) return;
  const TRect r = raster::ToDevice(Normalised(x1, y1, x2, y2), FOrigin);
  if (IsRectEmpty(r)) return;
  Writer w(FTarget, DeviceClipRects());
  BrushSource brush(FBrush);
  Stroke s(w, FPen, r);
  if (!s.Visible()) {
    // Without a pen the filled area is one pixel smaller on the right and bottom.
    for (int y = std::max(r.Top, w.Bounds().Top); y < std::min(r.Bottom - 1, w.Bounds().Bottom); ++y)
      brush.Fill(w, y, r.Left, r.Right - 1);
    return;
  }
  const int pw = std::max(1, FPen.Width);
  // The pen frame lies inside the rectangle; the brush fills what is left.
  TRect inner = r;
  InflateRect(inner, -pw, -pw);
  if (!IsRectEmpty(inner)) {
    for (int y = std::max(inner.Top, w.Bounds().Top); y < std::min(inner.Bottom, w.Bounds().Bottom); ++y)
      brush.Fill(w, y, inner.Left, inner.Right);
  }
  if (pw == 1) {
    const TPoint tl{r.Left, r.Top}, tr{r.Right - 1, r.Top}, br{r.Right - 1, r.Bottom - 1}, bl{r.Left, r.Bottom - 1};
    if (r.Width() == 1 || r.Height() == 1) {
      s.Line(tl, br, true);
      return;
    }
    s.Line(tl, tr, false);
    s.Line(tr, br, false);
    s.Line(br, bl, false);
    s.Line(bl, tl, false);
    return;
  }
  // Wide pens: rings drawn solid inside the rectangle (the inside-frame style).
  TPixel colour = 0;  // set whenever the pen is visible
  raster::Resolve(FPen.Color, colour);
  const Op op = raster::FromPenMode(FPen.Mode);
  for (int y = std::max(r.Top, w.Bounds().Top); y < std::min(r.Bottom, w.Bounds().Bottom); ++y) {
    if (y < inner.Top || y >= inner.Bottom || IsRectEmpty(inner)) {
      w.Span(y, r.Left, r.Right, op, colour);
    } else {
      w.Span(y, r.Left, inner.Left, op, colour);
      w.Span(y, inner.Right, r.Right, op, colour);
    }
  }
}

void TCanvas::FillRect(const TRect& rect) {
  if (!FTarget) return;
  const TRect r = raster::ToDevice(rect, FOrigin);
  if (IsRectEmpty(r)) return;
  Writer w(FTarget, DeviceClipRects());
  BrushSource brush(FBrush);
  const TRect b = w.Bounds();
  for (int y = std::max(r.Top, b.Top); y < std::min(r.Bottom, b.Bottom); ++y) brush.Fill(w, y, r.Left, r.Right);
}

void TCanvas::FrameRect(const TRect& rect) {
  if (!FTarget) return;
  const TRect r = raster::ToDevice(rect, FOrigin);
  if (IsRectEmpty(r)) return;
  Writer w(FTarget, DeviceClipRects());
  BrushSource brush(FBrush);
  const TRect b = w.Bounds();
  for (int y = std::max(r.Top, b.Top); y < std::min(r.Bottom, b.Bottom); ++y) {
    if (y == r.Top || y == r.Bottom - 1) {
      brush.Fill(w, y, r.Left, r.Right);
    } else {
      brush.Fill(w, y, r.Left, r.Left + 1);
      if (r.Right - 1 > r.Left) brush.Fill(w, y, r.Right - 1, r.Right);
    }
  }
}

void TCanvas::Ellipse(int x1, int y1, int x2, int y2) {
  if (!FTarget) return;
  const TRect r = raster::ToDevice(Normalised(x1, y1, x2, y2), FOrigin);
  if (IsRectEmpty(r)) return;
  Writer w(FTarget, DeviceClipRects());
  BrushSource brush(FBrush);
  TPixel penColour = 0;
  const bool pen = FPen.Style != TPenStyle::psClear && raster::Resolve(FPen.Color, penColour);
  const Op op = raster::FromPenMode(FPen.Mode);
  const double pw = pen ? std::max(1, FPen.Width) : 0;
  const double cx = (r.Left + r.Right - 1) / 2.0, cy = (r.Top + r.Bottom - 1) / 2.0;
  const double rx = r.Width() / 2.0, ry = r.Height() / 2.0;
  auto inside = [&](int x, int y, double shrink) {
    const double ax = rx - shrink, ay = ry - shrink;
    if (ax <= 0 || ay <= 0) return false;
    const double u = (x - cx) / ax, v = (y - cy) / ay;
    return u * u + v * v <= 1.0;
  };
  TRect vis;
  if (!IntersectRect(vis, r, w.Bounds())) return;
  for (int y = vis.Top; y < vis.Bottom; ++y) {
    for (int x = vis.Left; x < vis.Right; ++x) {
      if (!inside(x, y, 0)) continue;
      if (pen && !inside(x, y, pw)) {
        w.Plot(x, y, op, penColour);
      } else if (brush.Visible()) {
        TPixel c;
        if (brush.At(x, y, c) && w.Visible(x, y)) FTarget->ScanLine(y)[x] = c;
      }
    }
  }
}

void TCanvas::Polygon(const std::vector<TPoint>& points) {
  if (!FTarget || points.size() < 2) return;
  std::vector<TPoint> d;
  for (const TPoint& p : points) d.push_back(raster::ToDevice(p, FOrigin));
  Writer w(FTarget, DeviceClipRects());
  TRect vis;
  IntersectRect(vis, Extent(d), w.Bounds());
  // The even-odd fill first, then the closed outline over it (every vertex once).
  BrushSource brush(FBrush);
  if (brush.Visible()) {
    const size_t n = d.size();
    std::vector<double> xs;
    for (int y = vis.Top; y < vis.Bottom; ++y) {
      xs.clear();
      for (size_t i = 0; i < n; ++i) {
        const TPoint a = d[i], b = d[(i + 1) % n];
        if (a.Y == b.Y) continue;
        const TPoint lo = a.Y < b.Y ? a : b, hi = a.Y < b.Y ? b : a;
        if (y < lo.Y || y >= hi.Y) continue;
        xs.push_back(lo.X + double(y - lo.Y) * (hi.X - lo.X) / double(hi.Y - lo.Y));
      }
      std::sort(xs.begin(), xs.end());
      for (size_t i = 0; i + 1 < xs.size(); i += 2) {
        const int x0 = int(std::ceil(xs[i])), x1 = int(std::ceil(xs[i + 1]));
        brush.Fill(w, y, x0, x1);
      }
    }
  }
  Stroke s(w, FPen, Extent(d));
  for (size_t i = 0; i < d.size(); ++i) s.Line(d[i], d[(i + 1) % d.size()], false);
  s.Finish();
}

void Frame3D(TCanvas* canvas, TRect& rect, TColor topColor, TColor bottomColor, int width) {
  TPen saved;
  saved.Assign(canvas->Pen());
  canvas->Pen()->Width = 1;
  canvas->Pen()->Style = TPenStyle::psSolid;
  rect.Right--;
  rect.Bottom--;
  while (width-- > 0) {
    // Top and left in the top colour; right and bottom (with both far corners) in the other.
    canvas->Pen()->Color = topColor;
    canvas->Polyline({{rect.Left, rect.Bottom}, {rect.Left, rect.Top}, {rect.Right, rect.Top}});
    canvas->Pen()->Color = bottomColor;
    canvas->Polyline({{rect.Right, rect.Top}, {rect.Right, rect.Bottom}, {rect.Left - 1, rect.Bottom}});
    InflateRect(rect, -1, -1);
  }
  rect.Right++;
  rect.Bottom++;
  canvas->Pen()->Assign(&saved);
}
