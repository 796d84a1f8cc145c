// Bitmap copies: nearest-neighbour stretching, mirroring, copy modes, colour keys, alpha.
#include <cstdlib>

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/CanvasRaster.h"

using raster::Op;
using raster::Writer;

namespace {
Op FromCopyMode(TCopyMode m) {
  switch (m) {
    case TCopyMode::cmSrcCopy: return Op::Copy;
    case TCopyMode::cmSrcAnd: return Op::And;
    case TCopyMode::cmSrcPaint: return Op::Or;
    case TCopyMode::cmSrcInvert: return Op::Xor;
    case TCopyMode::cmNotSrcCopy: return Op::NotCopy;
    case TCopyMode::cmDstInvert: return Op::Not;
    case TCopyMode::cmBlackness: return Op::Black;
    case TCopyMode::cmWhiteness: return Op::White;
  }
  return Op::Copy;
}
}  // namespace

void TCanvas::CopyPixels(const TRect& dest, const TBitmap* source, const TRect& src, bool keyed, TColor key) {
  if (!FTarget || !source || source->Empty()) return;
  const TRect d = raster::ToDevice(dest, FOrigin);
  const std::int64_t dw = std::int64_t(d.Right) - d.Left, dh = std::int64_t(d.Bottom) - d.Top;
  const std::int64_t sw = std::int64_t(src.Right) - src.Left, sh = std::int64_t(src.Bottom) - src.Top;
  if (!dw || !dh || !sw || !sh) return;
  // A negative width or height on one side only mirrors the picture.
  const bool flipX = (dw < 0) != (sw < 0), flipY = (dh < 0) != (sh < 0);
  const TRect dn = Rect(std::min(d.Left, d.Right), std::min(d.Top, d.Bottom), std::max(d.Left, d.Right),
                        std::max(d.Top, d.Bottom));
  const TRect sn = Rect(std::min(src.Left, src.Right), std::min(src.Top, src.Bottom),
                        std::max(src.Left, src.Right), std::max(src.Top, src.Bottom));
  const std::int64_t adw = std::llabs(dw), adh = std::llabs(dh), asw = std::llabs(sw), ash = std::llabs(sh);

  Writer w(FTarget, DeviceClipRects());
  TRect vis;
  if (!IntersectRect(vis, dn, w.Bounds())) return;
  TBitmap copy;
  const TBitmap* from = source;
  if (source == FTarget) {  // overlapping copies within one bitmap read the old pixels
    copy.Assign(source);
    from = &copy;
  }
  TPixel keyPixel = 0;
  const bool useKey = keyed && raster::Resolve(key, keyPixel);
  const Op op = keyed ? Op::Copy : FromCopyMode(FCopyMode);
  for (int y = vis.Top; y < vis.Bottom; ++y) {
    const std::int64_t k = (std::int64_t(y) - dn.Top) * ash / adh;
    const std::int64_t sy = flipY ? sn.Bottom - 1 - k : sn.Top + k;
    if (sy < 0 || sy >= from->Height()) continue;
    const TPixel* srow = from->ScanLine(int(sy));
    w.ForSpan(y, vis.Left, vis.Right, [&](int x, TPixel& px) {
      const std::int64_t kx = (std::int64_t(x) - dn.Left) * asw / adw;
      const std::int64_t sx = flipX ? sn.Right - 1 - kx : sn.Left + kx;
      if (sx < 0 || sx >= from->Width()) return;
      const TPixel sp = srow[sx] & 0xFFFFFF;
      if (useKey && sp == keyPixel) return;
      px = raster::Apply(op, px, sp);
    });
  }
}

void TCanvas::CopyRect(const TRect& dest, TCanvas* source, const TRect& src) {
  if (source) CopyPixels(dest, source->Target(), src, false, clNone);
}

void TCanvas::CopyRect(const TRect& dest, const TBitmap* source, const TRect& src) {
  CopyPixels(dest, source, src, false, clNone);
}

void TCanvas::Draw(int x, int y, const TBitmap* bitmap) {
  if (!bitmap || bitmap->Empty()) return;
  StretchDraw(Bounds(x, y, bitmap->Width(), bitmap->Height()), bitmap);
}

void TCanvas::StretchDraw(const TRect& dest, const TBitmap* bitmap) {
  if (!bitmap || bitmap->Empty()) return;
  const TRect src = Rect(0, 0, bitmap->Width(), bitmap->Height());
  if (bitmap->Transparent())
    CopyPixels(dest, bitmap, src, true, bitmap->TransparentColor());
  else
    CopyPixels(dest, bitmap, src, false, clNone);
}

void TCanvas::DrawTransparent(const TRect& dest, const TBitmap* bitmap, const TRect& src, TColor key) {
  CopyPixels(dest, bitmap, src, true, key);
}

void TCanvas::DrawAlpha(int x, int y, const TBitmap* bitmap, const std::uint8_t* alpha) {
  if (!FTarget || !bitmap || bitmap->Empty()) return;
  if (!alpha) {
    CopyPixels(Bounds(x, y, bitmap->Width(), bitmap->Height()), bitmap,
               Rect(0, 0, bitmap->Width(), bitmap->Height()), false, clNone);
    return;
  }
  const int dx = raster::ToDevice(x, FOrigin.X), dy = raster::ToDevice(y, FOrigin.Y);
  Writer w(FTarget, DeviceClipRects());
  TRect vis;
  if (!IntersectRect(vis, Bounds(dx, dy, bitmap->Width(), bitmap->Height()), w.Bounds())) return;
  for (int row = vis.Top; row < vis.Bottom; ++row) {
    const int sy = row - dy;
    const TPixel* srow = bitmap->ScanLine(sy);
    const std::uint8_t* arow = alpha + std::size_t(sy) * std::size_t(bitmap->Width());
    w.ForSpan(row, vis.Left, vis.Right, [&](int col, TPixel& px) {
      const int sx = col - dx;
      const unsigned a = arow[sx];
      if (a == 0) return;
      const TPixel s = srow[sx] & 0xFFFFFF;
      if (a == 255) {
        px = s;
        return;
      }
      TPixel out = 0;
      for (int shift = 0; shift <= 16; shift += 8) {
        const unsigned sc = (s >> shift) & 0xFF, dc = (px >> shift) & 0xFF;
        out |= TPixel((sc * a + dc * (255 - a) + 127) / 255) << shift;
      }
      px = out;
    });
  }
}
