// Bitmap copies against a plain per-pixel reference: for random bitmaps, rectangles
// (stretched, mirrored, unstretched, partly off either bitmap), origins, clips and copy
// modes the canvas must produce exactly the reference's bytes.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"

namespace {

// The copy as one formula per destination pixel: the destination pixel's offset in
// the destination rectangle, times the source size, divided by the destination size.
struct Copy {
  TRect dest, src;  // logical destination, source pixels
  TPoint origin;
  TCopyMode mode = TCopyMode::cmSrcCopy;
  bool keyed = false;
  TPixel key = 0;
};

TPixel Combine(TCopyMode mode, TPixel d, TPixel s) {
  switch (mode) {
    case TCopyMode::cmSrcCopy: return s;
    case TCopyMode::cmSrcAnd: return d & s;
    case TCopyMode::cmSrcPaint: return (d | s) & 0xFFFFFF;
    case TCopyMode::cmSrcInvert: return (d ^ s) & 0xFFFFFF;
    case TCopyMode::cmNotSrcCopy: return ~s & 0xFFFFFF;
    case TCopyMode::cmDstInvert: return ~d & 0xFFFFFF;
    case TCopyMode::cmBlackness: return 0;
    case TCopyMode::cmWhiteness: return 0xFFFFFF;
  }
  return s;
}

// visible: 1 where the canvas clip lets a pixel through.
void ReferenceCopy(TBitmap& target, const TBitmap& source, const Copy& c, const std::vector<std::uint8_t>& visible) {
  const std::int64_t dl = std::int64_t(c.dest.Left) + c.origin.X, dr = std::int64_t(c.dest.Right) + c.origin.X;
  const std::int64_t dt = std::int64_t(c.dest.Top) + c.origin.Y, db = std::int64_t(c.dest.Bottom) + c.origin.Y;
  const std::int64_t dw = dr - dl, dh = db - dt;
  const std::int64_t sw = std::int64_t(c.src.Right) - c.src.Left, sh = std::int64_t(c.src.Bottom) - c.src.Top;
  if (!dw || !dh || !sw || !sh) return;
  const bool flipX = (dw < 0) != (sw < 0), flipY = (dh < 0) != (sh < 0);
  const std::int64_t left = std::min(dl, dr), top = std::min(dt, db);
  const std::int64_t sLeft = std::min(c.src.Left, c.src.Right), sRight = std::max(c.src.Left, c.src.Right);
  const std::int64_t sTop = std::min(c.src.Top, c.src.Bottom), sBottom = std::max(c.src.Top, c.src.Bottom);
  TBitmap old;
  old.Assign(&source);
  for (int y = 0; y < target.Height(); ++y)
    for (int x = 0; x < target.Width(); ++x) {
      const std::int64_t ox = x - left, oy = y - top;
      if (ox < 0 || oy < 0 || ox >= std::llabs(dw) || oy >= std::llabs(dh)) continue;
      if (!visible[std::size_t(y) * target.Width() + x]) continue;
      const std::int64_t kx = ox * std::llabs(sw) / std::llabs(dw), ky = oy * std::llabs(sh) / std::llabs(dh);
      const std::int64_t sx = flipX ? sRight - 1 - kx : sLeft + kx;
      const std::int64_t sy = flipY ? sBottom - 1 - ky : sTop + ky;
      if (sx < 0 || sy < 0 || sx >= old.Width() || sy >= old.Height()) continue;
      const TPixel s = old.ScanLine(int(sy))[sx] & 0xFFFFFF;
      if (c.keyed && s == c.key) continue;
      TPixel& d = target.ScanLine(y)[x];
      d = Combine(c.keyed ? TCopyMode::cmSrcCopy : c.mode, d, s);
    }
}

// Random pixels, the unused byte included (pictures read from files may carry one).
void Noise(TBitmap& b, std::mt19937& rng, int colours) {
  std::uniform_int_distribution<int> pick(0, colours - 1);
  std::uniform_int_distribution<std::uint32_t> any;
  for (int y = 0; y < b.Height(); ++y)
    for (int x = 0; x < b.Width(); ++x) {
      const std::uint32_t hi = any(rng) & 0xFF000000u;
      b.ScanLine(y)[x] = hi | (colours ? TPixel(pick(rng)) * 0x3F1F7u % 0x1000000u : any(rng) & 0xFFFFFF);
    }
}

std::string Describe(const Copy& c, const TBitmap& target, const TBitmap& source) {
  auto r = [](const TRect& x) {
    return "(" + std::to_string(x.Left) + "," + std::to_string(x.Top) + "," + std::to_string(x.Right) + "," +
           std::to_string(x.Bottom) + ")";
  };
  return "target " + std::to_string(target.Width()) + "x" + std::to_string(target.Height()) + " source " +
         std::to_string(source.Width()) + "x" + std::to_string(source.Height()) + " dest " + r(c.dest) + " src " +
         r(c.src) + " origin " + std::to_string(c.origin.X) + "," + std::to_string(c.origin.Y) + " mode " +
         std::to_string(int(c.mode)) + (c.keyed ? " keyed" : "");
}

class Scenario {
 public:
  explicit Scenario(unsigned seed) : rng(seed) {}
  int Between(int a, int b) { return std::uniform_int_distribution<int>(a, b)(rng); }
  bool OneIn(int n) { return Between(1, n) == 1; }

  // Half of the copies keep the size (the fast path), some of those mirrored.
  void Rects(Copy& c, const TBitmap& source) {
    const int sw = source.Width(), sh = source.Height();
    c.src.Left = Between(-6, sw + 2);
    c.src.Top = Between(-6, sh + 2);
    c.src.Right = c.src.Left + Between(-8, sw + 8);
    c.src.Bottom = c.src.Top + Between(-8, sh + 8);
    c.dest.Left = Between(-20, 60);
    c.dest.Top = Between(-20, 60);
    int w = Between(-90, 90), h = Between(-70, 70);
    if (OneIn(2)) {
      w = c.src.Right - c.src.Left;
      h = c.src.Bottom - c.src.Top;
      if (OneIn(4)) w = -w;
      if (OneIn(4)) h = -h;
    }
    c.dest.Right = c.dest.Left + w;
    c.dest.Bottom = c.dest.Top + h;
  }

  // Applies a random clip to the canvas; the same calls on a mask canvas tell which
  // pixels the clip lets through.
  void Clip(TCanvas* canvas, TCanvas* mask, int w, int h) {
    auto both = [&](auto f) {
      f(canvas);
      f(mask);
    };
    const int steps = Between(0, 3);
    for (int i = 0; i < steps; ++i) {
      const TRect r = Rect(Between(-10, w), Between(-10, h), Between(-10, w + 10), Between(-10, h + 10));
      switch (Between(0, 3)) {
        case 0: both([&](TCanvas* k) { k->SetClipRect(r); }); break;
        case 1: both([&](TCanvas* k) { k->IntersectClipRect(r); }); break;
        case 2:
        case 3: both([&](TCanvas* k) { k->ExcludeClipRect(r); }); break;  // several clip rectangles
      }
    }
  }

  std::mt19937 rng;
};

std::vector<std::uint8_t> VisibleMask(TBitmap& mask) {
  std::vector<std::uint8_t> v(std::size_t(mask.Width()) * mask.Height());
  for (int y = 0; y < mask.Height(); ++y)
    for (int x = 0; x < mask.Width(); ++x) v[std::size_t(y) * mask.Width() + x] = mask.Pixel(x, y) == clWhite;
  return v;
}

enum class Kind { Plain, Modes, Keyed, Draw, SameBitmap };

// One random copy on the canvas and on the reference; a failure names the first differing pixel.

void RunOne(Scenario& s, Kind kind, int round) {
  TBitmap target(s.Between(1, 80), s.Between(1, 60));
  TBitmap own(s.Between(1, 70), s.Between(1, 50));
  Noise(target, s.rng, 0);
  Noise(own, s.rng, kind == Kind::Keyed || kind == Kind::Draw ? 3 : 0);
  const TBitmap& source = kind == Kind::SameBitmap ? target : own;

  Copy c;
  s.Rects(c, source);
  if (kind == Kind::Draw) {
    c.dest = Bounds(s.Between(-30, 70), s.Between(-30, 60), own.Width(), own.Height());
    c.src = Rect(0, 0, own.Width(), own.Height());
  }
  c.origin = s.OneIn(3) ? Point(s.Between(-15, 15), s.Between(-15, 15)) : Point(0, 0);
  if (kind == Kind::Modes) c.mode = TCopyMode(s.Between(0, 7));
  if (kind == Kind::Keyed) {
    c.keyed = true;
    c.key = own.ScanLine(s.Between(0, own.Height() - 1))[s.Between(0, own.Width() - 1)] & 0xFFFFFF;
  }
  if (kind == Kind::Draw && s.OneIn(2)) {
    own.SetTransparent(true);
    c.keyed = true;
    c.key = ColorToPixel(own.TransparentColor());
  }

  TBitmap mask(target.Width(), target.Height());
  TCanvas* canvas = target.Canvas();
  canvas->SetOrigin(c.origin);
  canvas->SetCopyMode(c.mode);
  mask.Canvas()->SetOrigin(c.origin);
  mask.Canvas()->Brush()->Color = clBlack;
  mask.Canvas()->FillRect(Rect(-100, -100, 200, 200));
  s.Clip(canvas, mask.Canvas(), target.Width(), target.Height());
  mask.Canvas()->Brush()->Color = clWhite;
  mask.Canvas()->FillRect(Rect(-100, -100, 200, 200));

  TBitmap expected;
  expected.Assign(&target);
  ReferenceCopy(expected, source, c, VisibleMask(mask));
  const std::string what = Describe(c, target, source);
  switch (kind) {
    case Kind::Plain:
    case Kind::Modes: canvas->CopyRect(c.dest, &source, c.src); break;
    case Kind::SameBitmap: canvas->CopyRect(c.dest, canvas, c.src); break;
    case Kind::Keyed: canvas->DrawTransparent(c.dest, &source, c.src, PixelToColor(c.key)); break;
    case Kind::Draw: canvas->Draw(c.dest.Left, c.dest.Top, &own); break;
  }
  for (int y = 0; y < target.Height(); ++y)
    for (int x = 0; x < target.Width(); ++x)
      if (target.ScanLine(y)[x] != expected.ScanLine(y)[x]) {
        ADD_FAILURE() << "round " << round << ": " << what << " first difference at " << x << "," << y << ": got "
                      << std::hex << target.ScanLine(y)[x] << ", expected " << expected.ScanLine(y)[x];
        return;
      }
}

TEST(CanvasCopyCompare, PlainCopiesMatchTheReferenceByteForByte) {
  Scenario s(20261209);
  for (int i = 0; i < 1500 && !HasFailure(); ++i) RunOne(s, Kind::Plain, i);
}

TEST(CanvasCopyCompare, EveryCopyModeMatchesTheReference) {
  Scenario s(7);
  for (int i = 0; i < 800 && !HasFailure(); ++i) RunOne(s, Kind::Modes, i);
}

TEST(CanvasCopyCompare, ColourKeyedAndTransparentDrawsMatchTheReference) {
  Scenario s(11);
  for (int i = 0; i < 600 && !HasFailure(); ++i) RunOne(s, Kind::Keyed, i);
  Scenario d(13);
  for (int i = 0; i < 600 && !HasFailure(); ++i) RunOne(d, Kind::Draw, i);
}

TEST(CanvasCopyCompare, CopiesWithinOneBitmapReadTheOldPixels) {
  Scenario s(17);
  for (int i = 0; i < 600 && !HasFailure(); ++i) RunOne(s, Kind::SameBitmap, i);
}

// Long rows with every start and length around the vector width, unstretched and
// stretched by one pixel, so row tails and unaligned starts are covered.
TEST(CanvasCopyCompare, RowStartsAndTailsAtEveryOffset) {
  std::mt19937 rng(3);
  TBitmap source(70, 3);
  Noise(source, rng, 0);
  const std::vector<std::uint8_t> all(std::size_t(70) * 3, 1);
  for (int stretch = 0; stretch <= 1; ++stretch)
    for (int start = 0; start < 9; ++start)
      for (int len = 0; len < 40; ++len) {
        TBitmap target(70, 3);
        Noise(target, rng, 0);
        TBitmap expected;
        expected.Assign(&target);
        Copy c;
        c.dest = Rect(start, 0, start + len + stretch, 3);
        c.src = Rect(9 - start, 0, 9 - start + len, 3);
        ReferenceCopy(expected, source, c, all);
        target.Canvas()->CopyRect(c.dest, &source, c.src);
        ASSERT_EQ(0, std::memcmp(target.Bits(), expected.Bits(), std::size_t(70) * 3 * sizeof(TPixel)))
            << "start " << start << " length " << len << " stretch " << stretch;
      }
}

}  // namespace
