#pragma once
// TbsEffectBmp: a 24-bit top-down image for whole-image effects (morph blends between two
// looks, inactive-frame effects). Rows are Width * 3 + (Width mod 4) bytes; pixel (x, y)
// is at y * stride + 3x with bytes blue, green, red. Blends round to nearest (ties to
// even) and clamp every channel to 0..255.
#include <cstddef>
#include <cstdint>
#include <random>
#include <vector>

#include "framework/core/Types.h"

class TBitmap;
class TCanvas;

struct TbsColor24 {
  Byte B = 0, G = 0, R = 0;
  friend bool operator==(const TbsColor24&, const TbsColor24&) = default;
};

// Morph kinds in the order of the records' morph words (mkdefault .. mkpush).
enum class TbsMorphKind { mkDefault, mkGradient, mkLeftGradient, mkRightGradient, mkLeftSlide, mkRightSlide, mkPush };

class TbsEffectBmp {
 public:
  TbsEffectBmp(int width, int height);  // black
  explicit TbsEffectBmp(const TBitmap& source);

  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  int Stride() const { return FStride; }
  std::size_t Size() const { return FBits.size(); }
  Byte* Bits() { return FBits.data(); }
  const Byte* Bits() const { return FBits.data(); }

  // Draws the whole image on the canvas at (x, y) (canvas origin and clipping apply),
  // through a 32-bit image this thread keeps for the next calls at the same size.
  void DrawTo(TCanvas* canvas, int x, int y) const;
  // Writes the image into a bitmap, resizing it to Width x Height.
  void CopyTo(TBitmap& dest) const;

  // Outside the image: Pixel gives black, SetPixel does nothing.
  TbsColor24 Pixel(int x, int y) const;
  void SetPixel(int x, int y, TbsColor24 c);
  // Width * 3 bytes of row y to / from buffer; false (nothing copied) outside the image.
  bool ReadRow(int y, Byte* buffer) const;
  bool WriteRow(int y, const Byte* buffer);
  // Address of row y; nullptr outside the image.
  Byte* RowAddress(int y);
  const Byte* RowAddress(int y) const;

  // Pixel (x, y) of this image goes to (x, Height - 1 - y) of other; pixels that would
  // fall outside other are skipped.
  void FlipTo(TbsEffectBmp& other) const;

  // Blends this image (A) toward B at factor k (clamped to 0..1; not-a-number counts as
  // 0); nothing when the sizes differ. Morph takes the integer kernel at factors proven
  // to give the double formula's bytes (BlendProof.h), else the double kernel.
  void Morph(const TbsEffectBmp& B, double k);
  void MorphGradient(const TbsEffectBmp& B, double k);
  void MorphLeftGradient(const TbsEffectBmp& B, double k);
  void MorphRightGradient(const TbsEffectBmp& B, double k);
  void MorphLeftSlide(const TbsEffectBmp& B, double k);
  void MorphRightSlide(const TbsEffectBmp& B, double k);
  void MorphPush(const TbsEffectBmp& B, double k);
  void MorphBy(TbsMorphKind kind, const TbsEffectBmp& B, double k);

  void Brightness(double k);
  void Darkness(double k);
  void Grayscale();
  void Invert();
  // Adds one value in -(amount div 2) .. amount - 1 - amount div 2 to the three channels
  // of each pixel; nothing when amount <= 0.
  void Noise(int amount);
  // In place: pixels already blurred (rows above, the own row's left part) are read so.
  void SplitBlur(int distance);

  // The random source of Noise; seeding makes Noise repeatable.
  void SeedRandom(std::uint32_t seed) { FRandom.seed(seed); }

 private:
  bool SameSize(const TbsEffectBmp& o) const { return o.FWidth == FWidth && o.FHeight == FHeight; }
  Byte* Row(int y) { return FBits.data() + std::size_t(y) * std::size_t(FStride); }
  const Byte* Row(int y) const { return FBits.data() + std::size_t(y) * std::size_t(FStride); }
  // Mixes columns (or rows, when vertical) of B into A with a weight that grows from 0
  // at `from` by `step` per column toward `to` (inclusive), capped at 1.
  void MixRamp(const TbsEffectBmp& B, int from, int to, double step, bool vertical);

  int FWidth = 0;
  int FHeight = 0;
  int FStride = 0;
  std::vector<Byte> FBits;
  std::mt19937 FRandom{0x5EED};
};
