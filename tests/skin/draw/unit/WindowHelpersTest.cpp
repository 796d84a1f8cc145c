// The window-dependent helpers: the parent's image under a control, window alpha and
// monitor rectangles.
#include <gtest/gtest.h>

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "framework/windows/Controls.h"
#include "framework/windows/Windows.h"
#include "skin/draw/WindowHelpers.h"
#include "tests/skin/draw/unit/DrawTestPictures.h"

using namespace drawtest;

namespace {

// Paints the coordinate code of each pixel over its left part; the rest is left to the
// background (erase) colour.
class TCodedPanel : public TCustomControl {
 public:
  using TCustomControl::TCustomControl;
  int PaintedWidth = 0;

 protected:
  void Paint() override {
    for (int y = 0; y < Height(); ++y)
      for (int x = 0; x < PaintedWidth; ++x) Canvas()->SetPixel(x, y, PixelToColor(CodeOf(x, y)));
  }
};

}  // namespace

TEST(CopyParentBackground, CopiesTheParentsBackgroundAndPaintingUnderTheControl) {
  // A parent deletes its children.
  std::unique_ptr<TCodedPanel> parent(new TCodedPanel(nullptr));
  parent->SetBounds(0, 0, 100, 80);
  parent->SetColor(clYellow);
  parent->PaintedWidth = 40;
  auto* child = new TGraphicControl(nullptr);
  child->SetParent(parent.get());
  child->SetBounds(25, 10, 30, 20);

  auto image = Filled(30, 20, 0x123456);
  CopyParentBackground(child, image->Canvas());
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 30; ++x) {
      const int px = x + 25, py = y + 10;
      const TPixel want = px < 40 ? CodeOf(px, py) : ColorToPixel(clYellow);
      ASSERT_EQ(Px(*image, x, y), want) << x << "," << y;
    }
  // The canvas comes back as it was: origin, clipping.
  EXPECT_EQ(image->Canvas()->Origin(), (TPoint{0, 0}));
  EXPECT_EQ(image->Canvas()->ClipRect(), (TRect{0, 0, 30, 20}));
}

TEST(CopyParentBackground, ClippedToTheParentsClientAreaAndNothingWithoutParent) {
  std::unique_ptr<TCodedPanel> parent(new TCodedPanel(nullptr));
  parent->SetBounds(0, 0, 100, 80);
  parent->PaintedWidth = 100;
  auto* child = new TGraphicControl(nullptr);
  child->SetParent(parent.get());
  child->SetBounds(90, 70, 30, 20);
  auto image = Filled(30, 20, 0x123456);
  CopyParentBackground(child, image->Canvas());
  EXPECT_EQ(Px(*image, 0, 0), CodeOf(90, 70));
  EXPECT_EQ(Px(*image, 9, 9), CodeOf(99, 79));
  EXPECT_EQ(Px(*image, 10, 0), 0x123456u);
  EXPECT_EQ(Px(*image, 0, 10), 0x123456u);

  TGraphicControl orphan(nullptr);
  orphan.SetBounds(0, 0, 30, 20);
  auto untouched = Filled(30, 20, 0x123456);
  CopyParentBackground(&orphan, untouched->Canvas());
  CopyParentBackground(nullptr, untouched->Canvas());
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 30; ++x) ASSERT_EQ(Px(*untouched, x, y), 0x123456u);
}

TEST(WindowHelpers, AlphaFollowsThePlatformAndMonitorRectangles) {
  EXPECT_EQ(CanAlphaBlend(), LayeredWindowsSupported());
  EXPECT_FALSE(IsWindowsXP());
  TWinControl window(nullptr);
  window.SetBounds(10, 10, 200, 100);
  const HWND h = window.Handle();
  SetWindowAlpha(h, 300);  // clamped, never a crash
  SetWindowAlpha(h, -4);
  SetWindowAlpha(h, 128);
  const TRect work = GetMonitorWorkArea(h, true), whole = GetMonitorWorkArea(h, false);
  EXPECT_EQ(work, GetMonitorWorkArea(h));
  EXPECT_EQ(whole, GetMonitorRect(h));
  EXPECT_FALSE(IsRectEmpty(whole));
  TRect both;
  EXPECT_TRUE(IntersectRect(both, work, whole));
  EXPECT_EQ(both, work);  // the work area lies inside the monitor
}
