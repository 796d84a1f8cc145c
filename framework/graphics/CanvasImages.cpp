// Bitmap copies: nearest-neighbour stretching, mirroring, copy modes, colour keys, alpha.
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <vector>
#ifdef __SSE2__
#include <emmintrin.h>
#endif

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

// floor(n / d) for n = start, start + inc, start + 2 inc, ...: one division up front,
// then whole quotient and carried remainder per step.
class Step {
 public:
  Step(std::int64_t start, std::int64_t inc, std::int64_t d)
      : FValue(start / d), FRem(start % d), FQuot(inc / d), FInc(inc % d), FD(d) {}
  std::int64_t Value() const { return FValue; }
  void Next() {
    FValue += FQuot;
    FRem += FInc;
    if (FRem >= FD) {
      FRem -= FD;
      ++FValue;
    }
  }

 private:
  std::int64_t FValue, FRem, FQuot, FInc, FD;
};

// n pixels, the unused byte cleared as by every canvas write (pictures read from files
// may carry one): as fast as a memcpy of the row.
void CopyRow(TPixel* d, const TPixel* s, int n) {
  int i = 0;
#ifdef __SSE2__
  const __m128i mask = _mm_set1_epi32(0x00FFFFFF);
  for (; i + 8 <= n; i += 8) {
    const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + i));
    const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + i + 4));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(d + i), _mm_and_si128(a, mask));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(d + i + 4), _mm_and_si128(b, mask));
  }
#endif
  for (; i < n; ++i) d[i] = s[i] & 0xFFFFFF;
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

  // Destination pixel x shows source column floor((x - dn.Left) * asw / adw), mirrored
  // when flipped; rows likewise. Both step by whole quotient and carried remainder.
  const Step cols((vis.Left - std::int64_t(dn.Left)) * asw, asw, adw);
  Step rows((vis.Top - std::int64_t(dn.Top)) * ash, ash, adh);
  const bool rowsCopy = op == Op::Copy && !useKey && asw == adw && !flipX;
  std::vector<int> column;  // source column per visible destination column, -1 outside the source
  if (!rowsCopy) {
    column.resize(std::size_t(vis.Right - vis.Left));
    Step c = cols;
    for (int& sx : column) {
      const std::int64_t s = flipX ? sn.Right - 1 - c.Value() : sn.Left + c.Value();
      sx = s >= 0 && s < from->Width() ? int(s) : -1;
      c.Next();
    }
  }
  // Unstretched, unmirrored columns: source x = x + shift, readable for x in [lo, hi).
  const std::int64_t shift = std::int64_t(sn.Left) - dn.Left;
  const std::int64_t lo = std::max<std::int64_t>(vis.Left, -shift);
  const std::int64_t hi = std::min<std::int64_t>(vis.Right, from->Width() - shift);

  // A plain stretched copy whose every column reads the source, under a single clip
  // rectangle, writes the same pixels for two rows from one source row: the second
  // is a copy of the first (enlarging doubles rows).
  const bool repeatRows = adh > ash && !rowsCopy && op == Op::Copy && !useKey && w.Count() == 1 &&
                          std::all_of(column.begin(), column.end(), [](int sx) { return sx >= 0; });
  std::int64_t lastSy = -1;
  for (int y = vis.Top; y < vis.Bottom; ++y, rows.Next()) {
    const std::int64_t sy = flipY ? sn.Bottom - 1 - rows.Value() : sn.Top + rows.Value();
    if (sy < 0 || sy >= from->Height()) continue;
    if (repeatRows && sy == lastSy) {
      std::memcpy(FTarget->ScanLine(y) + vis.Left, FTarget->ScanLine(y - 1) + vis.Left,
                  std::size_t(vis.Right - vis.Left) * sizeof(TPixel));
      continue;
    }
    lastSy = sy;
    const TPixel* srow = from->ScanLine(int(sy));
    w.ForRuns(y, vis.Left, vis.Right, [&](int a, int b, TPixel* drow) {
      if (rowsCopy) {
        const int a2 = int(std::max<std::int64_t>(a, lo)), b2 = int(std::min<std::int64_t>(b, hi));
        if (a2 < b2) CopyRow(drow + a2, srow + (a2 + shift), b2 - a2);
        return;
      }
      const int* map = column.data() + (a - vis.Left);
      TPixel* out = drow + a;
      const int n = b - a;
      if (op == Op::Copy) {
        for (int i = 0; i < n; ++i) {
          if (map[i] < 0) continue;
          const TPixel sp = srow[map[i]] & 0xFFFFFF;
          if (useKey && sp == keyPixel) continue;
          out[i] = sp;
        }
        return;
      }
      for (int i = 0; i < n; ++i)
        if (map[i] >= 0) out[i] = raster::Apply(op, out[i], srow[map[i]] & 0xFFFFFF);
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
