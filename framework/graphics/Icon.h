#pragma once
// An icon: a picture with one opacity byte per pixel, drawn blended onto a canvas.
#include <cstdint>
#include <string>
#include <vector>

#include "framework/core/Component.h"
#include "framework/graphics/Bitmap.h"

class TCanvas;

class TIcon : public TPersistent {
 public:
  TIcon() = default;
  std::string ClassName() const override { return "TIcon"; }

  int Width() const { return FImage.Width(); }
  int Height() const { return FImage.Height(); }
  bool Empty() const { return FImage.Empty(); }

  // From straight (not premultiplied) 0xAARRGGBB pixels, rows top-down.
  void SetFromArgb(int width, int height, const std::uint32_t* argb);
  // From a picture and an optional mask (white mask pixels are transparent).
  void SetFromBitmap(const TBitmap* image, const TBitmap* mask);
  // PNG (or any picture format the system reads); raises EInvalidGraphic when it cannot.
  void LoadFromFile(const std::string& fileName);
  void LoadFromBytes(const std::string& data);
  // The program's compiled-in icon resources/icon/<name>.png (EInvalidGraphic if none).
  void LoadFromResourceName(const std::string& name);
  // A copy of source smoothly scaled to width x height (empty when source is).
  void AssignScaled(const TIcon* source, int width, int height);
  void Clear();

  const TBitmap& Image() const { return FImage; }
  // Opacity per pixel, Width*Height bytes.
  const std::vector<std::uint8_t>& Alpha() const { return FAlpha; }
  std::uint32_t ArgbPixel(int x, int y) const;  // 0 outside

  void Draw(TCanvas* canvas, int x, int y) const;
  void Assign(const TPersistent* Source) override;

 private:
  TBitmap FImage;
  std::vector<std::uint8_t> FAlpha;
};

// The platform's standard application icon: what a window shows that has no icon of its
// own and whose application has none.
const TIcon* StandardApplicationIcon();
