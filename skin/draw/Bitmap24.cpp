#include "skin/draw/Bitmap24.h"

#include <limits>

#include "framework/core/Exceptions.h"
#include "framework/graphics/Bitmap.h"

namespace bitmap24 {

int StrideOf(int width) { return width * 3 + width % 4; }

std::size_t SizeOf(int width, int height) {
  if (width < 0 || height < 0) throw EOutOfResources(Format("Invalid image size %d x %d", width, height));
  // Stride must fit an int as well, since rows are addressed with int offsets.
  if (width > (std::numeric_limits<int>::max() - 3) / 3)
    throw EOutOfResources(Format("Image too wide: %d pixels", width));
  const std::size_t stride = std::size_t(StrideOf(width));
  if (height != 0 && stride > std::numeric_limits<std::size_t>::max() / std::size_t(height))
    throw EOutOfResources(Format("Image too large: %d x %d", width, height));
  return stride * std::size_t(height);
}

void ReadFrom(const TBitmap& source, Byte* bits, int stride) {
  const int w = source.Width(), h = source.Height();
  for (int y = 0; y < h; ++y) {
    const TPixel* in = source.ScanLine(y);
    Byte* out = bits + std::size_t(y) * std::size_t(stride);
    for (int x = 0; x < w; ++x) {
      const TPixel p = in[x];
      out[0] = Byte(p);
      out[1] = Byte(p >> 8);
      out[2] = Byte(p >> 16);
      out += 3;
    }
    for (int g = 0; g < w % 4; ++g) out[g] = 0;
  }
}

void WriteTo(TBitmap& dest, const Byte* bits, int stride, int width, int height) {
  if (dest.Width() != width || dest.Height() != height) dest.SetSize(width, height);
  for (int y = 0; y < height; ++y) {
    TPixel* out = dest.ScanLine(y);
    const Byte* in = bits + std::size_t(y) * std::size_t(stride);
    for (int x = 0; x < width; ++x, in += 3) out[x] = TPixel(in[0]) | TPixel(in[1]) << 8 | TPixel(in[2]) << 16;
  }
}

}  // namespace bitmap24
