#pragma once
// TbsFBitmap: a 24-bit top-down copy of a bitmap for direct pixel access through a
// table of row addresses. Pixel (x, y) is at Row(y) + 3x, bytes blue, green, red.
#include <cstddef>
#include <vector>

#include "framework/core/Types.h"

class TBitmap;

class TbsFBitmap {
 public:
  explicit TbsFBitmap(const TBitmap& source);
  TbsFBitmap(const TbsFBitmap&) = delete;
  TbsFBitmap& operator=(const TbsFBitmap&) = delete;

  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  int Stride() const { return FStride; }       // Width * 3 + Gap, a multiple of 4
  int Gap() const { return FWidth % 4; }
  std::size_t Size() const { return FPixels.size(); }  // Stride * Height
  Byte* Pixels() { return FPixels.data(); }
  const Byte* Pixels() const { return FPixels.data(); }
  // Start of row y (0 = top); nullptr outside the image.
  Byte* Row(int y) { return y >= 0 && y < FHeight ? FRows[std::size_t(y)] : nullptr; }
  const Byte* Row(int y) const { return y >= 0 && y < FHeight ? FRows[std::size_t(y)] : nullptr; }
  // Writes the pixels back into a bitmap, resizing it to Width x Height.
  void CopyTo(TBitmap& dest) const;

 private:
  int FWidth = 0;
  int FHeight = 0;
  int FStride = 0;
  std::vector<Byte> FPixels;
  std::vector<Byte*> FRows;
};
