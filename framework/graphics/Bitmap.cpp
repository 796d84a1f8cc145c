#include "framework/graphics/Bitmap.h"

#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>

#include "framework/core/Exceptions.h"
#include "framework/graphics/BmpCodec.h"
#include "framework/graphics/Canvas.h"

TBitmap::TBitmap() = default;

TBitmap::TBitmap(int width, int height) { SetSize(width, height); }

TBitmap::~TBitmap() = default;

void TBitmap::SetSize(int w, int h) {
  w = std::max(w, 0);
  h = std::max(h, 0);
  if (w == FWidth && h == FHeight) return;
  if (std::int64_t(w) * h > kMaxBmpPixels * 4)
    throw EOutOfResources(Format("Bitmap of %d x %d pixels is too large", w, h));
  std::vector<TPixel> pixels(std::size_t(w) * std::size_t(h), TPixel(0xFFFFFF));
  const int cw = std::min(w, FWidth), ch = std::min(h, FHeight);
  for (int y = 0; y < ch; ++y)
    std::copy_n(FPixels.data() + std::size_t(y) * FWidth, cw, pixels.data() + std::size_t(y) * w);
  FPixels.swap(pixels);
  FWidth = w;
  FHeight = h;
}

TPixel* TBitmap::ScanLine(int y) {
  if (y < 0 || y >= FHeight || FWidth <= 0) return nullptr;
  return FPixels.data() + std::size_t(y) * FWidth;
}

const TPixel* TBitmap::ScanLine(int y) const {
  if (y < 0 || y >= FHeight || FWidth <= 0) return nullptr;
  return FPixels.data() + std::size_t(y) * FWidth;
}

TColor TBitmap::Pixel(int x, int y) const {
  if (x < 0 || y < 0 || x >= FWidth || y >= FHeight) return clNone;
  return PixelToColor(FPixels[std::size_t(y) * FWidth + x]);
}

void TBitmap::SetPixel(int x, int y, TColor c) {
  if (x < 0 || y < 0 || x >= FWidth || y >= FHeight) return;
  FPixels[std::size_t(y) * FWidth + x] = ColorToPixel(ColorToRGB(c));
}

TCanvas* TBitmap::Canvas() {
  if (!FCanvas) FCanvas = std::make_unique<TCanvas>(this);
  return FCanvas.get();
}

TColor TBitmap::TransparentColor() const {
  if (FTransparentMode == TTransparentMode::tmFixed && FTransparentColor != clDefault)
    return FTransparentColor;
  if (Empty()) return clDefault;
  return Pixel(0, FHeight - 1);
}

void TBitmap::SetTransparentColor(TColor c) {
  FTransparentColor = c;
  FTransparentMode = c == clDefault ? TTransparentMode::tmAuto : TTransparentMode::tmFixed;
}

void TBitmap::Assign(const TPersistent* Source) {
  auto* b = dynamic_cast<const TBitmap*>(Source);
  if (!b) {
    TPersistent::Assign(Source);
    return;
  }
  if (b == this) return;
  FWidth = b->FWidth;
  FHeight = b->FHeight;
  FPixels = b->FPixels;
  FTransparent = b->FTransparent;
  FTransparentColor = b->FTransparentColor;
  FTransparentMode = b->FTransparentMode;
  FPixelFormat = b->FPixelFormat;
}

void TBitmap::LoadFromBytes(const std::uint8_t* data, std::size_t size) {
  TDecodedBmp d = DecodeBmp(data, size);
  FPixels = std::move(d.Pixels);
  FWidth = d.Width;
  FHeight = d.Height;
  switch (d.BitsPerPixel) {
    case 1: FPixelFormat = TPixelFormat::pf1bit; break;
    case 4: FPixelFormat = TPixelFormat::pf4bit; break;
    case 8: FPixelFormat = TPixelFormat::pf8bit; break;
    case 24: FPixelFormat = TPixelFormat::pf24bit; break;
    case 32: FPixelFormat = TPixelFormat::pf32bit; break;
    default: FPixelFormat = TPixelFormat::pfDevice; break;
  }
}

std::vector<std::uint8_t> TBitmap::SaveToBytes() const {
  int bpp = 24;
  switch (FPixelFormat) {
    case TPixelFormat::pf1bit: bpp = 1; break;
    case TPixelFormat::pf4bit: bpp = 4; break;
    case TPixelFormat::pf8bit: bpp = 8; break;
    case TPixelFormat::pf32bit: bpp = 32; break;
    default: bpp = 24; break;
  }
  return EncodeBmp(FPixels.data(), FWidth, FHeight, bpp);
}

void TBitmap::LoadFromFile(const std::string& fileName) {
  std::ifstream f(fileName, std::ios::binary);
  if (!f) throw EFOpenError("Cannot open file \"" + fileName + "\"");
  std::vector<std::uint8_t> data((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
  if (f.bad()) throw EReadError("Cannot read file \"" + fileName + "\"");
  LoadFromBytes(data.data(), data.size());
}

void TBitmap::SaveToFile(const std::string& fileName) const {
  std::vector<std::uint8_t> data = SaveToBytes();
  std::ofstream f(fileName, std::ios::binary | std::ios::trunc);
  if (!f) throw EFCreateError("Cannot create file \"" + fileName + "\"");
  f.write(reinterpret_cast<const char*>(data.data()), std::streamsize(data.size()));
  f.close();
  if (!f) throw EWriteError("Cannot write file \"" + fileName + "\"");
}
