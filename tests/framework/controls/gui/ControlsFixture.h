#pragma once
// A shown form to put controls on, with pixel and screenshot helpers.
#include <gtest/gtest.h>

#include <string>

#include "framework/graphics/Bitmap.h"
#include "framework/windows/Forms.h"
#include "framework/windows/PaintTo.h"
#include "tests/support/input/InputSimulation.h"
#include "tests/support/TestSupport.h"

namespace controlstest {

class ControlsFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    Form = new TForm(nullptr);
    Form->SetBounds(40, 40, 320, 260);
    Form->Show();
    testsupport::Pump(10);
  }
  void TearDown() override { delete Form; }

  static void SaveArtifact(const TBitmap& image, const std::string& name) {
    image.SavePngFile(testsupport::ArtifactDir() + "/" + name + ".png");
  }
  // Left button press, moves, release at client points of target.
  static void Press(TWinControl* target, int x, int y) { SimulateMouse(target, WM_LBUTTONDOWN, x, y, MK_LBUTTON); }
  static void Move(TWinControl* target, int x, int y) { SimulateMouse(target, WM_MOUSEMOVE, x, y, MK_LBUTTON); }
  static void Release(TWinControl* target, int x, int y) { SimulateMouse(target, WM_LBUTTONUP, x, y, 0); }
  static void Key(TWinControl* target, int vk) {
    SimulateKey(target, WM_KEYDOWN, vk);
    SimulateKey(target, WM_KEYUP, vk);
  }
  static int CountColor(const TBitmap& b, const TRect& r, TColor c) {
    int n = 0;
    for (int y = r.Top; y < r.Bottom; ++y)
      for (int x = r.Left; x < r.Right; ++x)
        if (b.Pixel(x, y) == c) ++n;
    return n;
  }

  // Pixels that are (nearly) black: text ink, which may be smoothed at its edges.
  static int DarkPixels(const TBitmap& b, const TRect& r) {
    int n = 0;
    for (int y = r.Top; y < r.Bottom; ++y)
      for (int x = r.Left; x < r.Right; ++x) {
        TColor c = b.Pixel(x, y);
        if (GetRValue(c) < 60 && GetGValue(c) < 60 && GetBValue(c) < 60) ++n;
      }
    return n;
  }

  TForm* Form = nullptr;
};

inline const TColor Face = RGB(212, 208, 200);
inline const TColor Shadow = RGB(128, 128, 128);
inline const TColor DkShadow = RGB(64, 64, 64);
inline const TColor White = RGB(255, 255, 255);
inline const TColor Black = RGB(0, 0, 0);

}  // namespace controlstest
