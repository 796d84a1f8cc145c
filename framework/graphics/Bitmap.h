#pragma once
// A 32-bit top-down pixel image. Each pixel is one 32-bit word laid out in memory as
// blue, green, red, unused (the word's value is 0x00RRGGBB); TColor is 0x00BBGGRR, so
// convert with ColorToPixel / PixelToColor.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "framework/core/Component.h"
#include "framework/core/Types.h"

class TCanvas;
class TStream;

using TPixel = std::uint32_t;

constexpr TPixel ColorToPixel(TColor c) {
  return TPixel(((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF));
}
constexpr TColor PixelToColor(TPixel p) {
  return TColor(((p >> 16) & 0xFF) | (p & 0xFF00) | ((p & 0xFF) << 16));
}

// Bit depth a bitmap is saved with (pixels in memory are always 32-bit).
enum class TPixelFormat { pfDevice, pf1bit, pf4bit, pf8bit, pf24bit, pf32bit };
enum class TTransparentMode { tmAuto, tmFixed };

class TBitmap : public TPersistent {
 public:
  TBitmap();
  TBitmap(int width, int height);
  ~TBitmap() override;
  std::string ClassName() const override { return "TBitmap"; }

  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  // Resizing keeps the overlapping pixels; new pixels are white.
  void SetWidth(int w) { SetSize(w, FHeight); }
  void SetHeight(int h) { SetSize(FWidth, h); }
  void SetSize(int w, int h);
  bool Empty() const { return FWidth <= 0 || FHeight <= 0; }

  // Row y (0 = top); nullptr when y is outside the image.
  TPixel* ScanLine(int y);
  const TPixel* ScanLine(int y) const;
  TPixel* Bits() { return FPixels.data(); }
  const TPixel* Bits() const { return FPixels.data(); }
  // Pixel access in TColor terms; outside the image Pixel gives clNone, SetPixel does nothing.
  TColor Pixel(int x, int y) const;
  void SetPixel(int x, int y, TColor c);

  // The canvas that draws into this bitmap (created on first use, owned by the bitmap).
  TCanvas* Canvas();

  // Transparent drawing: with tmAuto the key is the bottom-left pixel's colour.
  bool Transparent() const { return FTransparent; }
  void SetTransparent(bool v) { FTransparent = v; }
  TColor TransparentColor() const;
  void SetTransparentColor(TColor c);
  TTransparentMode TransparentMode() const { return FTransparentMode; }
  void SetTransparentMode(TTransparentMode m) { FTransparentMode = m; }

  TPixelFormat PixelFormat() const { return FPixelFormat; }
  void SetPixelFormat(TPixelFormat f) { FPixelFormat = f; }

  void Assign(const TPersistent* Source) override;

  // BMP files (1, 4, 8, 24, 32 bits; top-down or bottom-up). Malformed data raises
  // EInvalidGraphic with a message saying what is wrong; nothing is read past the data.
  void LoadFromStream(TStream& stream);
  void SaveToStream(TStream& stream) const;  // with the bit depth of PixelFormat (24 for pfDevice)
  void LoadFromFile(const std::string& fileName);
  // The same over a byte buffer (a whole BMP file in memory).
  void LoadFromBytes(const std::uint8_t* data, std::size_t size);
  std::vector<std::uint8_t> SaveToBytes() const;
  void SaveToFile(const std::string& fileName) const;
  // PNG, for screenshots.
  void SavePngFile(const std::string& fileName) const;
  void LoadPngFile(const std::string& fileName);

  // Program bitmaps by resource name (resources/bitmaps/NAME.bmp compiled into the program).
  void LoadFromResourceName(const std::string& name);

 private:
  int FWidth = 0;
  int FHeight = 0;
  std::vector<TPixel> FPixels;
  std::unique_ptr<TCanvas> FCanvas;
  bool FTransparent = false;
  TColor FTransparentColor = clDefault;
  TTransparentMode FTransparentMode = TTransparentMode::tmAuto;
  TPixelFormat FPixelFormat = TPixelFormat::pfDevice;
};
