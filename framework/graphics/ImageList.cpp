#include "framework/graphics/ImageList.h"

#include <algorithm>

#include "framework/core/Exceptions.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/Icon.h"

struct TImageList::Entry {
  TBitmap image;
  std::vector<std::uint8_t> alpha;
};

TImageList::TImageList(TComponent* owner) : TComponent(owner) {}

TImageList::~TImageList() = default;

void TImageList::Changed() {
  if (OnChange) OnChange(this);
}

void TImageList::SetWidth(int w) {
  w = std::max(1, w);
  if (w == FWidth) return;
  FWidth = w;
  Clear();
}

void TImageList::SetHeight(int h) {
  h = std::max(1, h);
  if (h == FHeight) return;
  FHeight = h;
  Clear();
}

int TImageList::AddCells(const TBitmap* image, const std::vector<std::uint8_t>& alpha) {
  if (!image || image->Empty()) return -1;
  const int first = Count();
  const int cells = std::max(1, image->Width() / FWidth);
  for (int cell = 0; cell < cells; ++cell) {
    auto e = std::make_unique<Entry>();
    e->image.SetSize(FWidth, FHeight);
    e->alpha.assign(std::size_t(FWidth) * std::size_t(FHeight), 0);  // beyond the picture: transparent
    for (int y = 0; y < FHeight && y < image->Height(); ++y) {
      const TPixel* src = image->ScanLine(y);
      TPixel* dst = e->image.ScanLine(y);
      for (int x = 0; x < FWidth; ++x) {
        const int sx = cell * FWidth + x;
        if (sx >= image->Width()) break;
        dst[x] = src[sx] & 0xFFFFFF;
        e->alpha[std::size_t(y) * FWidth + x] = alpha[std::size_t(y) * image->Width() + sx];
      }
    }
    FImages.push_back(std::move(e));
  }
  Changed();
  return first;
}

int TImageList::Add(const TBitmap* image, const TBitmap* mask) {
  if (!image || image->Empty()) return -1;
  std::vector<std::uint8_t> alpha(std::size_t(image->Width()) * std::size_t(image->Height()), 255);
  if (mask)
    for (int y = 0; y < image->Height(); ++y)
      for (int x = 0; x < image->Width(); ++x)
        if (mask->Pixel(x, y) == clWhite) alpha[std::size_t(y) * image->Width() + x] = 0;
  return AddCells(image, alpha);
}

int TImageList::AddMasked(const TBitmap* image, TColor key) {
  if (!image || image->Empty()) return -1;
  const TColor k = ColorToRGB(key);
  std::vector<std::uint8_t> alpha(std::size_t(image->Width()) * std::size_t(image->Height()), 255);
  for (int y = 0; y < image->Height(); ++y)
    for (int x = 0; x < image->Width(); ++x)
      if (image->Pixel(x, y) == k) alpha[std::size_t(y) * image->Width() + x] = 0;
  return AddCells(image, alpha);
}

int TImageList::AddIcon(const TIcon* icon) {
  if (!icon || icon->Empty()) return -1;
  if (icon->Width() == FWidth && icon->Height() == FHeight) return AddCells(&icon->Image(), icon->Alpha());
  // Other sizes are scaled to the list's size by nearest neighbour.
  TBitmap scaled(FWidth, FHeight);
  std::vector<std::uint8_t> alpha(std::size_t(FWidth) * std::size_t(FHeight));
  for (int y = 0; y < FHeight; ++y)
    for (int x = 0; x < FWidth; ++x) {
      const int sx = int(std::int64_t(x) * icon->Width() / FWidth), sy = int(std::int64_t(y) * icon->Height() / FHeight);
      const std::uint32_t p = icon->ArgbPixel(sx, sy);
      scaled.ScanLine(y)[x] = p & 0xFFFFFF;
      alpha[std::size_t(y) * FWidth + x] = std::uint8_t(p >> 24);
    }
  const int saved = Count();
  AddCells(&scaled, alpha);
  return saved;
}

void TImageList::Delete(int index) {
  if (index < 0 || index >= Count()) throw EListError(Format("List index out of bounds (%d)", index));
  FImages.erase(FImages.begin() + index);
  Changed();
}

void TImageList::Clear() {
  if (FImages.empty()) return;
  FImages.clear();
  Changed();
}

void TImageList::Draw(TCanvas* canvas, int x, int y, int index, bool enabled) const {
  if (!canvas || index < 0 || index >= Count()) return;
  const Entry& e = *FImages[size_t(index)];
  if (enabled) {
    canvas->DrawAlpha(x, y, &e.image, e.alpha.data());
    return;
  }
  // Embossed: the dark parts of the image in the highlight colour one pixel down and
  // right, then in the shadow colour in place.
  std::vector<std::uint8_t> dark(e.alpha.size(), 0);
  for (int j = 0; j < FHeight; ++j)
    for (int i = 0; i < FWidth; ++i) {
      const std::size_t k = std::size_t(j) * FWidth + i;
      const TPixel p = e.image.ScanLine(j)[i];
      const int lum = int((((p >> 16) & 0xFF) * 299 + ((p >> 8) & 0xFF) * 587 + (p & 0xFF) * 114) / 1000);
      if (e.alpha[k] >= 128 && lum < 192) dark[k] = 255;
    }
  TBitmap solid(FWidth, FHeight);
  solid.Canvas()->Brush()->Color = clBtnHighlight;
  solid.Canvas()->FillRect(Rect(0, 0, FWidth, FHeight));
  canvas->DrawAlpha(x + 1, y + 1, &solid, dark.data());
  solid.Canvas()->Brush()->Color = clBtnShadow;
  solid.Canvas()->FillRect(Rect(0, 0, FWidth, FHeight));
  canvas->DrawAlpha(x, y, &solid, dark.data());
}

void TImageList::GetBitmap(int index, TBitmap* out) const {
  if (!out || index < 0 || index >= Count()) return;
  const Entry& e = *FImages[size_t(index)];
  out->Assign(&e.image);
  bool any = false;
  for (int j = 0; j < FHeight; ++j)
    for (int i = 0; i < FWidth; ++i)
      if (e.alpha[std::size_t(j) * FWidth + i] < 128) {
        out->SetPixel(i, j, clFuchsia);
        any = true;
      }
  out->SetTransparent(any);
  if (any) out->SetTransparentColor(clFuchsia);
}
