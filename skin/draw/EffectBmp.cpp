#include "skin/draw/EffectBmp.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "skin/draw/Bitmap24.h"
#include "skin/draw/BlendKernel.h"
#include "skin/draw/BlendProof.h"
#include "skin/draw/Expand24.h"

namespace {

// Nearest integer with ties to even (the default rounding mode), clamped to a channel.
Byte Channel(double v) {
  const long r = std::lrint(v);
  return Byte(r < 0 ? 0 : r > 255 ? 255 : r);
}

// Not-a-number counts as 0.
double Clamp01(double k) { return !(k > 0) ? 0 : k > 1 ? 1 : k; }

// round(extent * k) with k already clamped.
int Scaled(int extent, double k) { return int(std::lrint(extent * k)); }

// DrawTo's 32-bit images, kept per thread by size, most recently used first: the morphing
// controls make new effect images on every 20 ms tick, at the same few sizes.
TBitmap& DrawImage(int width, int height) {
  constexpr std::size_t kKept = 4;
  thread_local std::vector<std::unique_ptr<TBitmap>> images;
  auto found = std::find_if(images.begin(), images.end(),
                            [&](const auto& b) { return b->Width() == width && b->Height() == height; });
  if (found == images.end()) {
    if (images.size() == kKept) images.pop_back();
    images.insert(images.begin(), std::make_unique<TBitmap>(width, height));
  } else {
    std::rotate(images.begin(), found, found + 1);
  }
  return *images.front();
}

// A per-channel map applied to every byte of the image.
void MapChannels(std::vector<Byte>& bits, int width, int height, int stride, const std::array<Byte, 256>& map) {
  for (int y = 0; y < height; ++y) {
    Byte* p = bits.data() + std::size_t(y) * std::size_t(stride);
    for (int i = 0; i < width * 3; ++i) p[i] = map[p[i]];
  }
}

}  // namespace

TbsEffectBmp::TbsEffectBmp(int width, int height)
    : FWidth(std::max(width, 0)), FHeight(std::max(height, 0)), FStride(bitmap24::StrideOf(FWidth)) {
  FBits.assign(bitmap24::SizeOf(FWidth, FHeight), 0);
}

TbsEffectBmp::TbsEffectBmp(const TBitmap& source) : TbsEffectBmp(source.Width(), source.Height()) {
  if (FWidth > 0 && FHeight > 0) bitmap24::ReadFrom(source, FBits.data(), FStride);
}

void TbsEffectBmp::CopyTo(TBitmap& dest) const {
  if (dest.Width() != FWidth || dest.Height() != FHeight) dest.SetSize(FWidth, FHeight);
  for (int y = 0; y < FHeight; ++y) Expand24To32(Row(y), dest.ScanLine(y), FWidth);
}

void TbsEffectBmp::DrawTo(TCanvas* canvas, int x, int y) const {
  if (FWidth == 0 || FHeight == 0) return;
  TBitmap& image = DrawImage(FWidth, FHeight);
  CopyTo(image);
  canvas->Draw(x, y, &image);
}

TbsColor24 TbsEffectBmp::Pixel(int x, int y) const {
  if (x < 0 || y < 0 || x >= FWidth || y >= FHeight) return {};
  const Byte* p = Row(y) + 3 * x;
  return {p[0], p[1], p[2]};
}

void TbsEffectBmp::SetPixel(int x, int y, TbsColor24 c) {
  if (x < 0 || y < 0 || x >= FWidth || y >= FHeight) return;
  Byte* p = Row(y) + 3 * x;
  p[0] = c.B;
  p[1] = c.G;
  p[2] = c.R;
}

bool TbsEffectBmp::ReadRow(int y, Byte* buffer) const {
  if (y < 0 || y >= FHeight) return false;
  std::memcpy(buffer, Row(y), std::size_t(FWidth) * 3);
  return true;
}

bool TbsEffectBmp::WriteRow(int y, const Byte* buffer) {
  if (y < 0 || y >= FHeight) return false;
  std::memcpy(Row(y), buffer, std::size_t(FWidth) * 3);
  return true;
}

Byte* TbsEffectBmp::RowAddress(int y) { return y >= 0 && y < FHeight ? Row(y) : nullptr; }
const Byte* TbsEffectBmp::RowAddress(int y) const { return y >= 0 && y < FHeight ? Row(y) : nullptr; }

void TbsEffectBmp::FlipTo(TbsEffectBmp& other) const {
  const int w = std::min(FWidth, other.FWidth);
  for (int y = 0; y < FHeight; ++y) {
    const int ty = FHeight - 1 - y;
    if (ty >= other.FHeight) continue;
    std::memmove(other.Row(ty), Row(y), std::size_t(w) * 3);
  }
}

void TbsEffectBmp::Morph(const TbsEffectBmp& B, double k) {
  if (!SameSize(B)) return;
  k = Clamp01(k);
  // One pass over the whole buffer: the few padding bytes at row ends hold no pixels.
  if (const std::optional<TBlendWeight16> w = BlendProofs().Weight(k))
    Blend16Channels(FBits.data(), B.FBits.data(), FBits.size(), *w);
  else
    BlendChannels(FBits.data(), B.FBits.data(), FBits.size(), k);
}

void TbsEffectBmp::MixRamp(const TbsEffectBmp& B, int from, int to, double step, bool vertical) {
  const int dir = to >= from ? 1 : -1;
  const int first = std::min(from, to), count = std::abs(to - from) + 1;
  // The weights of the whole ramp first, in the order they grow; then the image row by
  // row, each row once.
  std::vector<double> wa(std::size_t(vertical ? count : 3 * count)), wb(vertical ? 0 : wa.size());
  double m = 0;
  for (int i = from;; i += dir) {
    const std::size_t at = std::size_t(i - first);
    if (vertical) {
      wa[at] = m;
    } else {
      for (std::size_t c = 0; c < 3; ++c) wa[3 * at + c] = m, wb[3 * at + c] = 1 - m;
    }
    if (i == to) break;
    m = std::min(1.0, m + step);
  }
  if (vertical) {
    for (int i = 0; i < count; ++i)
      MixChannels(Row(first + i), B.Row(first + i), std::size_t(FWidth) * 3, wa[std::size_t(i)]);
    return;
  }
  for (int y = 0; y < FHeight; ++y)
    MixChannelsWeighted(Row(y) + 3 * first, B.Row(y) + 3 * first, wa.size(), wa.data(), wb.data());
}

void TbsEffectBmp::MorphGradient(const TbsEffectBmp& B, double k) {
  if (!SameSize(B) || FWidth == 0 || FHeight == 0) return;
  k = Clamp01(k);
  // The band opens along the longer side: columns, or rows when the image is tall.
  const bool vertical = FWidth < FHeight;
  const int w = vertical ? FHeight : FWidth;
  const int b = Scaled(w, k);
  const int c = (w - b) / 2;
  const int d = b / 2;
  const double f = c != 0 ? 1.0 / c : 1.0;
  const int left = std::max(0, w / 2 - d);
  const int right = std::min(w - 1, w / 2 + d);
  for (int y = 0; y < FHeight; ++y) {
    if (vertical) {
      if (y >= left && y <= right) std::memcpy(Row(y), B.Row(y), std::size_t(FWidth) * 3);
    } else {
      std::memcpy(Row(y) + 3 * left, B.Row(y) + 3 * left, std::size_t(right - left + 1) * 3);
    }
  }
  MixRamp(B, left, 0, f, vertical);
  MixRamp(B, right, w - 1, f, vertical);
}

void TbsEffectBmp::MorphLeftGradient(const TbsEffectBmp& B, double k) {
  if (!SameSize(B) || FWidth == 0 || FHeight == 0) return;
  const int w = FWidth;
  const int a = std::min(std::max(Scaled(w, Clamp01(k)), 1), w - 1);
  MixRamp(B, 0, a, a > 0 ? 1.0 / a : 1.0, false);
}

void TbsEffectBmp::MorphRightGradient(const TbsEffectBmp& B, double k) {
  if (!SameSize(B) || FWidth == 0 || FHeight == 0) return;
  const int w = FWidth;
  const int a = std::min(std::max(w - Scaled(w, Clamp01(k)), 0), w - 1);
  MixRamp(B, w - 1, a, w - a > 0 ? 1.0 / (w - a) : 1.0, false);
}

void TbsEffectBmp::MorphLeftSlide(const TbsEffectBmp& B, double k) {
  if (!SameSize(B) || FWidth == 0 || FHeight == 0) return;
  const int w = FWidth;
  const int b = std::min(std::max(Scaled(w, Clamp01(k)), 1), w - 1);
  for (int y = 0; y < FHeight; ++y) std::memcpy(Row(y), B.Row(y) + 3 * (w - b), std::size_t(b) * 3);
}

void TbsEffectBmp::MorphRightSlide(const TbsEffectBmp& B, double k) {
  if (!SameSize(B) || FWidth == 0 || FHeight == 0) return;
  const int w = FWidth;
  const int b = std::min(std::max(Scaled(w, Clamp01(k)), 1), w - 1);
  for (int y = 0; y < FHeight; ++y) std::memcpy(Row(y) + 3 * (w - b), B.Row(y), std::size_t(b) * 3);
}

void TbsEffectBmp::MorphPush(const TbsEffectBmp& B, double k) {
  if (!SameSize(B) || FWidth == 0 || FHeight == 0) return;
  const int w = FWidth;
  const int a = std::min(std::max(Scaled(w, Clamp01(k)), 0), w - 1);
  for (int y = 0; y < FHeight; ++y) {
    Byte* row = Row(y);
    // A moves right by a + 1 columns; the columns it leaves take B's right end.
    std::memmove(row + 3 * (a + 1), row, std::size_t(w - a - 1) * 3);
    std::memcpy(row, B.Row(y) + 3 * (w - a - 1), std::size_t(a + 1) * 3);
  }
}

void TbsEffectBmp::MorphBy(TbsMorphKind kind, const TbsEffectBmp& B, double k) {
  switch (kind) {
    case TbsMorphKind::mkDefault: Morph(B, k); break;
    case TbsMorphKind::mkGradient: MorphGradient(B, k); break;
    case TbsMorphKind::mkLeftGradient: MorphLeftGradient(B, k); break;
    case TbsMorphKind::mkRightGradient: MorphRightGradient(B, k); break;
    case TbsMorphKind::mkLeftSlide: MorphLeftSlide(B, k); break;
    case TbsMorphKind::mkRightSlide: MorphRightSlide(B, k); break;
    case TbsMorphKind::mkPush: MorphPush(B, k); break;
  }
}

void TbsEffectBmp::Brightness(double k) {
  k = Clamp01(k);
  std::array<Byte, 256> map{};
  for (int c = 0; c < 256; ++c) map[std::size_t(c)] = Channel((1 - k) * c + 255 * k);
  MapChannels(FBits, FWidth, FHeight, FStride, map);
}

void TbsEffectBmp::Darkness(double k) {
  k = Clamp01(k);
  std::array<Byte, 256> map{};
  for (int c = 0; c < 256; ++c) map[std::size_t(c)] = Channel((1 - k) * c);
  MapChannels(FBits, FWidth, FHeight, FStride, map);
}

void TbsEffectBmp::Grayscale() {
  for (int y = 0; y < FHeight; ++y) {
    Byte* p = Row(y);
    for (int x = 0; x < FWidth; ++x, p += 3) {
      const Byte g = Channel(0.3 * p[2] + 0.59 * p[1] + 0.11 * p[0]);
      p[0] = p[1] = p[2] = g;
    }
  }
}

void TbsEffectBmp::Invert() {
  std::array<Byte, 256> map{};
  for (int c = 0; c < 256; ++c) map[std::size_t(c)] = Byte(255 - c);
  MapChannels(FBits, FWidth, FHeight, FStride, map);
}

void TbsEffectBmp::Noise(int amount) {
  if (amount <= 0) return;
  for (int y = 0; y < FHeight; ++y) {
    Byte* p = Row(y);
    for (int x = 0; x < FWidth; ++x, p += 3) {
      const int delta = int(FRandom() % std::uint32_t(amount)) - amount / 2;
      for (int c = 0; c < 3; ++c) {
        const int v = p[c] + delta;
        p[c] = Byte(v < 0 ? 0 : v > 255 ? 255 : v);
      }
    }
  }
}

void TbsEffectBmp::SplitBlur(int distance) {
  const int d = std::abs(distance);
  if (d == 0 || FWidth == 0 || FHeight == 0) return;
  // In place, top to bottom and left to right: rows above, and pixels to the left in the
  // own row (read as its own neighbour at the top and bottom edges), are read already
  // blurred. Neighbours before the start are the pixel's own row or column, those past
  // the end the last one.
  for (int y = 0; y < FHeight; ++y) {
    Byte* row = Row(y);
    const Byte* up = Row(y - d < 0 ? y : y - d);
    const Byte* down = Row(y + d >= FHeight ? FHeight - 1 : y + d);
    for (int x = 0; x < FWidth; ++x) {
      const int l = 3 * (x - d < 0 ? x : x - d);
      const int r = 3 * (x + d >= FWidth ? FWidth - 1 : x + d);
      for (int c = 0; c < 3; ++c) row[3 * x + c] = Byte((up[l + c] + up[r + c] + down[l + c] + down[r + c]) / 4);
    }
  }
}
