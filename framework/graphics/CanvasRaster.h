#pragma once
// Private: pixel writing through the clip rectangles of a canvas, with the raster
// operations of pens and copy modes. Everything here is in device coordinates.
#include <algorithm>
#include <cstdint>
#include <vector>

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Font.h"

namespace raster {

enum class Op { Copy, Not, Xor, And, Or, NotCopy, Black, White };

inline TPixel Apply(Op op, TPixel dst, TPixel src) {
  switch (op) {
    case Op::Copy: return src;
    case Op::Not: return ~dst & 0xFFFFFF;
    case Op::Xor: return (dst ^ src) & 0xFFFFFF;
    case Op::And: return dst & src;
    case Op::Or: return (dst | src) & 0xFFFFFF;
    case Op::NotCopy: return ~src & 0xFFFFFF;
    case Op::Black: return 0;
    case Op::White: return 0xFFFFFF;
  }
  return src;
}

inline Op FromPenMode(TPenMode m) {
  switch (m) {
    case TPenMode::pmCopy: return Op::Copy;
    case TPenMode::pmNot: return Op::Not;
    case TPenMode::pmXor: return Op::Xor;
    case TPenMode::pmMask: return Op::And;
    case TPenMode::pmMerge: return Op::Or;
    case TPenMode::pmNotCopy: return Op::NotCopy;
  }
  return Op::Copy;
}

// Logical to device coordinates, held well inside int range so that edge arithmetic
// (+1, pen widths) cannot overflow for absurd inputs.
inline int ToDevice(int v, int origin) {
  constexpr std::int64_t kLimit = std::int64_t(1) << 29;
  return int(std::clamp<std::int64_t>(std::int64_t(v) + origin, -kLimit, kLimit));
}
inline TPoint ToDevice(TPoint p, TPoint origin) { return {ToDevice(p.X, origin.X), ToDevice(p.Y, origin.Y)}; }
inline TRect ToDevice(const TRect& r, TPoint origin) {
  return {ToDevice(r.Left, origin.X), ToDevice(r.Top, origin.Y), ToDevice(r.Right, origin.X),
          ToDevice(r.Bottom, origin.Y)};
}

// A resolved colour, or none for clNone.
inline bool Resolve(TColor c, TPixel& out) {
  if (c == clNone) return false;
  out = ColorToPixel(ColorToRGB(c)) & 0xFFFFFF;
  return true;
}

// Writes pixels of one bitmap inside a set of non-overlapping clip rectangles.
class Writer {
 public:
  Writer(TBitmap* target, std::vector<TRect> clip) : FTarget(target), FClip(std::move(clip)) {}
  bool Visible(int x, int y) const {
    for (const TRect& r : FClip)
      if (x >= r.Left && x < r.Right && y >= r.Top && y < r.Bottom) return true;
    return false;
  }
  void Plot(int x, int y, Op op, TPixel c) {
    if (!Visible(x, y)) return;
    TPixel& d = FTarget->ScanLine(y)[x];
    d = Apply(op, d, c);
  }
  // The visible runs [a, b) of pixels x0..x1-1 of row y, as f(a, b, row), each clip
  // rectangle once (they do not overlap).
  template <class F>
  void ForRuns(int y, int x0, int x1, F&& f) {
    for (const TRect& r : FClip) {
      if (y < r.Top || y >= r.Bottom) continue;
      const int a = std::max(x0, r.Left), b = std::min(x1, r.Right);
      if (a < b) f(a, b, FTarget->ScanLine(y));
    }
  }
  // Pixels x0..x1-1 of row y, one by one.
  template <class F>
  void ForSpan(int y, int x0, int x1, F&& f) {
    ForRuns(y, x0, x1, [&](int a, int b, TPixel* row) {
      for (int x = a; x < b; ++x) f(x, row[x]);
    });
  }
  void Span(int y, int x0, int x1, Op op, TPixel c) {
    ForSpan(y, x0, x1, [&](int, TPixel& d) { d = Apply(op, d, c); });
  }
  TRect Bounds() const {
    TRect b{};
    for (const TRect& r : FClip) UnionRect(b, b, r);
    return b;
  }
  bool Empty() const { return FClip.empty(); }
  std::size_t Count() const { return FClip.size(); }

 private:
  TBitmap* FTarget;
  std::vector<TRect> FClip;
};

// The brush as a source of colour per device pixel (solid, hatched or a pattern bitmap).
class BrushSource {
 public:
  explicit BrushSource(const TBrush& b) : FStyle(b.Style), FPattern(b.Bitmap) {
    FVisible = FStyle != TBrushStyle::bsClear && (FPattern ? !FPattern->Empty() : Resolve(b.Color, FColour));
  }
  bool Visible() const { return FVisible; }
  bool At(int x, int y, TPixel& out) const {
    if (FPattern) {
      const int w = FPattern->Width(), h = FPattern->Height();
      out = FPattern->ScanLine(((y % h) + h) % h)[((x % w) + w) % w] & 0xFFFFFF;
      return true;
    }
    out = FColour;
    const int hx = x & 7, hy = y & 7;
    switch (FStyle) {
      case TBrushStyle::bsHorizontal: return hy == 0;
      case TBrushStyle::bsVertical: return hx == 0;
      case TBrushStyle::bsFDiagonal: return hx == hy;
      case TBrushStyle::bsBDiagonal: return hx == 7 - hy;
      case TBrushStyle::bsCross: return hx == 0 || hy == 0;
      case TBrushStyle::bsDiagCross: return hx == hy || hx == 7 - hy;
      default: return true;
    }
  }
  void Fill(Writer& w, int y, int x0, int x1, Op op = Op::Copy) const {
    if (!FVisible) return;
    if (!FPattern && FStyle == TBrushStyle::bsSolid) {
      w.Span(y, x0, x1, op, FColour);
      return;
    }
    w.ForSpan(y, x0, x1, [&](int x, TPixel& d) {
      TPixel c;
      if (At(x, y, c)) d = Apply(op, d, c);
    });
  }

 private:
  TBrushStyle FStyle;
  const TBitmap* FPattern;
  TPixel FColour = 0;
  bool FVisible = false;
};

// A set of pixels over a bounding box, so a shape touches each pixel once even when
// its parts overlap (needed for the xor and not pen modes).
class Mask {
 public:
  Mask(int left, int top, int right, int bottom)
      : FLeft(left), FTop(top), FW(std::max(0, right - left)), FH(std::max(0, bottom - top)),
        FBits(std::size_t(FW) * std::size_t(FH), 0) {}
  void Set(int x, int y, std::uint8_t v = 1) {
    x -= FLeft;
    y -= FTop;
    if (x >= 0 && y >= 0 && x < FW && y < FH) FBits[std::size_t(y) * FW + x] = v;
  }
  std::uint8_t Get(int x, int y) const {
    x -= FLeft;
    y -= FTop;
    if (x < 0 || y < 0 || x >= FW || y >= FH) return 0;
    return FBits[std::size_t(y) * FW + x];
  }
  int Left() const { return FLeft; }
  int Top() const { return FTop; }
  int Right() const { return FLeft + FW; }
  int Bottom() const { return FTop + FH; }

 private:
  int FLeft, FTop, FW, FH;
  std::vector<std::uint8_t> FBits;
};

}  // namespace raster
