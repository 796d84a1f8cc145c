#include "framework/graphics/Icon.h"

#include <algorithm>

#include "framework/core/Exceptions.h"
#include "framework/core/Resources.h"
#include "framework/graphics/BmpCodec.h"
#include "framework/graphics/Canvas.h"

void TIcon::SetFromArgb(int width, int height, const std::uint32_t* argb) {
  if (width <= 0 || height <= 0 || !argb) {
    Clear();
    return;
  }
  if (std::int64_t(width) * height > kMaxBmpPixels) throw EInvalidGraphic("Icon is too large");
  FImage.SetSize(0, 0);
  FImage.SetSize(width, height);
  FAlpha.assign(std::size_t(width) * std::size_t(height), 0);
  for (int y = 0; y < height; ++y) {
    TPixel* row = FImage.ScanLine(y);
    for (int x = 0; x < width; ++x) {
      const std::uint32_t p = argb[std::size_t(y) * width + x];
      row[x] = p & 0xFFFFFF;
      FAlpha[std::size_t(y) * width + x] = std::uint8_t(p >> 24);
    }
  }
}

void TIcon::SetFromBitmap(const TBitmap* image, const TBitmap* mask) {
  if (!image || image->Empty()) {
    Clear();
    return;
  }
  FImage.Assign(image);
  FImage.SetTransparent(false);
  FAlpha.assign(std::size_t(Width()) * std::size_t(Height()), 255);
  if (!mask) return;
  for (int y = 0; y < Height(); ++y)
    for (int x = 0; x < Width(); ++x)
      if (mask->Pixel(x, y) == clWhite) FAlpha[std::size_t(y) * Width() + x] = 0;
}

void TIcon::LoadFromResourceName(const std::string& name) {
  const std::string* data = FindResource("icon", name);
  if (!data) throw EInvalidGraphic("Icon resource not found: " + name);
  LoadFromBytes(*data);
}

const TIcon* StandardApplicationIcon() {
  // A plain window: white, with a navy title bar and a grey edge, on a clear ground.
  static const TIcon* icon = [] {
    constexpr int size = 32;
    std::vector<std::uint32_t> argb(size * size, 0);
    for (int y = 3; y < 29; ++y)
      for (int x = 2; x < 30; ++x) {
        const bool edge = x == 2 || x == 29 || y == 3 || y == 28;
        argb[std::size_t(y) * size + x] = edge ? 0xFF808080u : y < 9 ? 0xFF000080u : 0xFFFFFFFFu;
      }
    auto* i = new TIcon();
    i->SetFromArgb(size, size, argb.data());
    return i;
  }();
  return icon;
}

void TIcon::Clear() {
  FImage.SetSize(0, 0);
  FAlpha.clear();
}

std::uint32_t TIcon::ArgbPixel(int x, int y) const {
  if (x < 0 || y < 0 || x >= Width() || y >= Height()) return 0;
  return (std::uint32_t(FAlpha[std::size_t(y) * Width() + x]) << 24) | (FImage.ScanLine(y)[x] & 0xFFFFFF);
}

void TIcon::Draw(TCanvas* canvas, int x, int y) const {
  if (canvas && !Empty()) canvas->DrawAlpha(x, y, &FImage, FAlpha.data());
}

void TIcon::Assign(const TPersistent* Source) {
  auto* i = dynamic_cast<const TIcon*>(Source);
  if (!i) {
    TPersistent::Assign(Source);
    return;
  }
  if (i == this) return;
  FImage.Assign(&i->FImage);
  FAlpha = i->FAlpha;
}
