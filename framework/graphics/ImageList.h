#pragma once
// A list of same-sized images with transparency, drawn by index (toolbars, tree views).
#include <cstdint>
#include <memory>
#include <vector>

#include "framework/core/Component.h"
#include "framework/graphics/Bitmap.h"

class TCanvas;
class TIcon;

class TImageList : public TComponent {
 public:
  explicit TImageList(TComponent* owner = nullptr);
  ~TImageList() override;
  std::string ClassName() const override { return "TImageList"; }

  // Changing the size empties the list.
  int Width() const { return FWidth; }
  void SetWidth(int w);
  int Height() const { return FHeight; }
  void SetHeight(int h);
  int Count() const { return int(FImages.size()); }

  // A picture wider than Width holds several images side by side; each becomes one
  // entry. Mask: white pixels are transparent (nullptr: opaque). Returns the index of
  // the first image added.
  int Add(const TBitmap* image, const TBitmap* mask);
  // Pixels of the key colour become transparent.
  int AddMasked(const TBitmap* image, TColor key);
  int AddIcon(const TIcon* icon);
  void Delete(int index);  // EListError when out of range
  void Clear();

  // Out-of-range indexes draw nothing. Disabled images are drawn embossed in the
  // button highlight and shadow colours.
  void Draw(TCanvas* canvas, int x, int y, int index, bool enabled = true) const;
  // Copies image index into out (Width x Height); transparent pixels get the out
  // bitmap's transparent colour key clFuchsia and out becomes Transparent.
  void GetBitmap(int index, TBitmap* out) const;

  TNotifyEvent OnChange;

 private:
  struct Entry;
  int AddCells(const TBitmap* image, const std::vector<std::uint8_t>& alpha);
  void Changed();
  int FWidth = 16;
  int FHeight = 16;
  std::vector<std::unique_ptr<Entry>> FImages;
};
