#pragma once
// BMP file reading and writing over byte buffers; TBitmap's stream and file methods use it.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "framework/graphics/Bitmap.h"

struct TDecodedBmp {
  int Width = 0;
  int Height = 0;
  int BitsPerPixel = 0;
  std::vector<TPixel> Pixels;  // top-down, 0x00RRGGBB
};

// Largest image accepted, whatever a file declares (guards memory, not only the buffer).
constexpr std::int64_t kMaxBmpPixels = std::int64_t(1) << 26;
constexpr int kMaxBmpSide = 32768;

// Raises EInvalidGraphic("Bitmap image is not valid: <reason>") for anything malformed
// and never reads outside [data, data + size).
TDecodedBmp DecodeBmp(const std::uint8_t* data, std::size_t size);

// Writes a bottom-up BMP with a 40-byte header. 1/4/8 bits use the image's own colours
// when they fit; otherwise 1 bit thresholds on brightness, 4 bits maps onto the 16
// standard colours and 8 bits onto a 3-3-2 colour cube (nearest colour).
std::vector<std::uint8_t> EncodeBmp(const TPixel* pixels, int width, int height, int bitsPerPixel);
