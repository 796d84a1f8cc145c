#include "skin/form/SkinFormShape.h"

#include "framework/graphics/Canvas.h"
#include "framework/graphics/Region.h"
#include "skin/data/SkinData.h"
#include "skin/draw/FrameStrips.h"
#include "skin/draw/SkinGeometry.h"
#include "skin/draw/SkinRegion.h"
#include "skin/form/SkinFormGeometry.h"

namespace {
// A side's black pixels as a region at (x, y), united into out.
void AddSide(std::unique_ptr<TRegion>& out, const TBitmap& side, int x, int y) {
  if (side.Empty()) return;
  std::unique_ptr<TRegion> r = CreateMaskRegion(side);
  if (!r) return;
  r->Offset(x, y);
  out->Combine(*r, TRegionOp::Or);
}

bool Black(const TBitmap& b, int x, int y) {
  if (x < 0 || y < 0 || x >= b.Width() || y >= b.Height()) return false;
  return (b.Pixel(x, y) & 0xFFFFFF) == 0;
}
}  // namespace

bool TbsSkinFormShape::MaskUsable(const TbsSkinData& s) {
  if (!s.SkinMask || s.SkinMask->Empty() || !s.SkinPicture) return false;
  const int w = s.SkinMask->Width(), h = s.SkinMask->Height();
  if (w != s.SkinPicture->Width() || h != s.SkinPicture->Height()) return false;
  const TRect& a = s.maskrectarea;
  return a.Left >= 0 && a.Top >= 0 && a.Right <= w && a.Bottom <= h && a.Left <= a.Right && a.Top <= a.Bottom;
}

void TbsSkinFormShape::Clear() {
  FHasMask = false;
  FMaskArea = TRect{};
  for (TBitmap* b : {&Top, &Bottom, &Left, &Right}) b->SetSize(0, 0);
}

std::unique_ptr<TRegion> TbsSkinFormShape::Build(const TbsSkinData& s, const TbsFormFrameGeometry& g) {
  Clear();
  if (!MaskUsable(s) || g.MaskArea.Right < g.MaskArea.Left || g.MaskArea.Bottom < g.MaskArea.Top) return nullptr;
  FHasMask = true;
  FMaskArea = g.MaskArea;
  BuildFrameStrips(s.lefttoppoint, s.righttoppoint, s.leftbottompoint, s.rightbottompoint, s.maskrectarea, g.LT, g.RT,
                   g.LB, g.RB, g.MaskArea, g.W, *s.SkinMask, Top, Bottom, Left, Right);
  auto region = std::make_unique<TRegion>(g.MaskArea);
  AddSide(region, Top, 0, 0);
  AddSide(region, Bottom, 0, g.MaskArea.Bottom);
  AddSide(region, Left, 0, g.MaskArea.Top);
  AddSide(region, Right, g.MaskArea.Right, g.MaskArea.Top);
  return region;
}

bool TbsSkinFormShape::Inside(TPoint p) const {
  if (!FHasMask) return true;
  const TRect& a = FMaskArea;
  if (PtInRect(a, p)) return true;
  if (p.Y < a.Top) return Black(Top, p.X, p.Y);
  if (p.Y < a.Bottom) return p.X > a.Left ? Black(Right, p.X - a.Right, p.Y - a.Top) : Black(Left, p.X, p.Y - a.Top);
  return Black(Bottom, p.X, p.Y - a.Bottom);
}
