#pragma once
// A shown form to put controls on, with pixel and screenshot helpers.
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>

#include "framework/controls/StandardControls.h"
#include "framework/graphics/Bitmap.h"
#include "framework/layout/ClassRegistry.h"
#include "framework/layout/LayoutReader.h"
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

  // Reads object blocks into Form with a registry of the standard controls and the bounds
  // the windows layer would add; each handler name is bound to run its function.
  void ReadControls(const std::string& objects, const std::map<std::string, std::function<void()>>& handlers = {}) {
    TClassRegistry registry;
    registry.RegisterClass("TComponent", "", TComponentFactory{});
    registry.RegisterClass("TControl", "TComponent", TComponentFactory{});
    auto control = registry.Properties<TControl>("TControl");
    control.Integer("Left", nullptr, [](TControl* c, Int64 v) { c->SetLeft(int(v)); });
    control.Integer("Top", nullptr, [](TControl* c, Int64 v) { c->SetTop(int(v)); });
    control.Integer("Width", nullptr, [](TControl* c, Int64 v) { c->SetWidth(int(v)); });
    control.Integer("Height", nullptr, [](TControl* c, Int64 v) { c->SetHeight(int(v)); });
    RegisterStandardControls(registry);
    registry.RegisterRootClass<TForm>("TForm", "TWinControl");
    registry.SetParentHandler([](TComponent* child, TComponent* parent) {
      auto* c = dynamic_cast<TControl*>(child);
      auto* p = dynamic_cast<TWinControl*>(parent);
      if (c && p) c->SetParent(p);
    });
    for (const auto& [name, run] : handlers)
      registry.RegisterMethod("TForm", name, [run](TComponent*) -> TNotifyEvent { return [run](TObject*) { run(); }; });
    ReadLayout(Form, "object Form1: TForm\n" + objects + "end\n", registry);
  }
  TForm* Form = nullptr;
};

inline const TColor Face = RGB(212, 208, 200);
inline const TColor Shadow = RGB(128, 128, 128);
inline const TColor DkShadow = RGB(64, 64, 64);
inline const TColor White = RGB(255, 255, 255);
inline const TColor Black = RGB(0, 0, 0);

}  // namespace controlstest
