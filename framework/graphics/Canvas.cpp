#include "framework/graphics/Canvas.h"

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/CanvasRaster.h"

struct TCanvas::State {
  TPen pen;
  TBrush brush;
  TFont font;
  std::unique_ptr<TRegion> clip;
  TPoint origin;
  TPoint penPos;
  TCopyMode copyMode = TCopyMode::cmSrcCopy;
};

TCanvas::TCanvas(TBitmap* target) : FTarget(target) {}

TCanvas::~TCanvas() = default;

std::vector<TRect> TCanvas::DeviceClipRects() const {
  std::vector<TRect> out;
  if (!FTarget || FTarget->Empty()) return out;
  const TRect bounds = Rect(0, 0, FTarget->Width(), FTarget->Height());
  if (!FClip) {
    out.push_back(bounds);
    return out;
  }
  for (const TRect& r : FClip->Rects()) {
    TRect i;
    if (IntersectRect(i, r, bounds)) out.push_back(i);
  }
  return out;
}

TRegion TCanvas::DeviceClipRegion() const {
  if (!FTarget || FTarget->Empty()) return TRegion();
  TRegion r(Rect(0, 0, FTarget->Width(), FTarget->Height()));
  if (FClip) r.Combine(*FClip, TRegionOp::And);
  return r;
}

TColor TCanvas::Pixel(int x, int y) const {
  return FTarget ? FTarget->Pixel(raster::ToDevice(x, FOrigin.X), raster::ToDevice(y, FOrigin.Y)) : clNone;
}

void TCanvas::SetPixel(int x, int y, TColor c) {
  x = raster::ToDevice(x, FOrigin.X);
  y = raster::ToDevice(y, FOrigin.Y);
  if (!FTarget || x < 0 || y < 0 || x >= FTarget->Width() || y >= FTarget->Height()) return;
  if (FClip && !FClip->Contains(x, y)) return;
  FTarget->SetPixel(x, y, c);
}

TRect TCanvas::ClipRect() const {
  const TRect r = DeviceClipRegion().BoundingRect();
  return raster::ToDevice(r, Point(-FOrigin.X, -FOrigin.Y));
}

void TCanvas::SetClipRect(const TRect& r) {
  const TRect d = raster::ToDevice(r, FOrigin);
  FClip = std::make_unique<TRegion>(d);
}

void TCanvas::IntersectClipRect(const TRect& r) {
  const TRect d = raster::ToDevice(r, FOrigin);
  auto clip = std::make_unique<TRegion>(DeviceClipRegion());
  clip->Combine(TRegion(d), TRegionOp::And);
  FClip = std::move(clip);
}

void TCanvas::ExcludeClipRect(const TRect& r) {
  const TRect d = raster::ToDevice(r, FOrigin);
  auto clip = std::make_unique<TRegion>(DeviceClipRegion());
  clip->Combine(TRegion(d), TRegionOp::Diff);
  FClip = std::move(clip);
}

void TCanvas::SelectClipRegion(const TRegion* region) {
  if (region)
    FClip = std::make_unique<TRegion>(*region);
  else
    FClip.reset();
}

void TCanvas::ResetClip() { FClip.reset(); }

int TCanvas::SaveState() {
  auto s = std::make_unique<State>();
  s->pen.Assign(&FPen);
  s->brush.Assign(&FBrush);
  s->font.Assign(&FFont);
  if (FClip) s->clip = std::make_unique<TRegion>(*FClip);
  s->origin = FOrigin;
  s->penPos = FPenPos;
  s->copyMode = FCopyMode;
  FSaved.push_back(std::move(s));
  return int(FSaved.size());
}

void TCanvas::RestoreState(int index) {
  if (index == -1) index = int(FSaved.size());
  if (index < 1 || index > int(FSaved.size())) return;
  State& s = *FSaved[size_t(index - 1)];
  FPen.Assign(&s.pen);
  FBrush.Assign(&s.brush);
  FFont.Assign(&s.font);
  FClip = std::move(s.clip);
  FOrigin = s.origin;
  FPenPos = s.penPos;
  FCopyMode = s.copyMode;
  FSaved.resize(size_t(index - 1));
}
