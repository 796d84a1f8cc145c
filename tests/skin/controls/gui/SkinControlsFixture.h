#pragma once
// A shown form with a skin data component, the Slate skin (drawn by its generator into
// this test process's own folder), a stored skin of a version no reader accepts, and
// the walk a skinned form does on the skin messages.
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>
#include <string>

#include "framework/actions/ActionClasses.h"
#include "framework/layout/ClassRegistry.h"
#include "framework/layout/LayoutReader.h"
#include "framework/windows/WindowsClasses.h"
#include "skin/controls/SkinControlsRegistration.h"
#include "skin/data/SkinDataRegistration.h"

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "framework/windows/Forms.h"
#include "tests/support/input/InputSimulation.h"
#include "framework/windows/PaintTo.h"
#include "framework/windows/Windows.h"
#include "framework/graphics/Region.h"
#include "skin/controls/SkinControl.h"
#include "skin/data/CompressedStoredSkin.h"
#include "skin/data/SkinData.h"
#include "skin/data/SkinMessages.h"
#include "tests/skin/data/unit/SkinTestData.h"
#include "tests/support/ControlShot.h"
#include "tests/support/StoredSkins.h"
#include "tests/support/TestSupport.h"

namespace skincontrolstest {

using testsupport::Pic;

class SkinControlsFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    // The pointer away from where the form appears: no enter notice from a previous test.
    SetCursorPos(3000, 3000);
    Form = new TForm(nullptr);
    Form->SetBounds(40, 40, 460, 340);
    TWndMethod saved = Form->WindowProc;
    Form->WindowProc = [this, saved](TMessage& m) {
      if (m.Msg == SKINMSG_BEFORECHANGE || m.Msg == SKINMSG_CHANGE) {
        ++SkinMessages[m.Msg];
        NotifySkinControls(Form, reinterpret_cast<TbsSkinData*>(m.WParam), m.Msg == SKINMSG_BEFORECHANGE);
      }
      saved(m);
    };
    Form->Show();
    testsupport::Pump(10);
    SkinData = new TbsSkinData(Form);
  }
  void TearDown() override { delete Form; }

  // Packs the Slate skin once per process.
  static TbsCompressedStoredSkin& Slate() { return testsupport::SlateStoredSkin(); }
  // A stored skin whose stream version (4) no reader accepts.
  static TbsCompressedStoredSkin& Version4() {
    static TbsCompressedStoredSkin* stored = [] {
      auto* s = new TbsCompressedStoredSkin(nullptr);
      skintest::SkinStream stream;
      stream.version = 4;
      skintest::Store(*s, skintest::Deflate(stream.Bytes()));
      return s;
    }();
    return *stored;
  }
  void LoadSlate() {
    ASSERT_FALSE(Slate().IsDataEmpty()) << "the skin generator did not run";
    SkinData->LoadFromStoredSkin(&Slate());
    ASSERT_FALSE(SkinData->SkinEmpty);
  }

  template <class T>
  T* Make(int x, int y, int w, int h, const std::string& recordName = "") {
    auto* c = new T(Form);
    c->SetParent(Form);
    c->SetBounds(x, y, w, h);
    if (!recordName.empty()) c->SetSkinDataName(recordName);
    return c;
  }

  const TbsDataSkinControl* Record(const std::string& name) const {
    int i = SkinData->FindControlIndex(name);
    return i < 0 ? nullptr : SkinData->ControlRecords[size_t(i)].get();
  }

  // Pointer over (inside) or off the control: a real move, and the enter / leave
  // notice where the framework does not track hover under the current input yet.
  static void Hover(TWinControl* c, bool inside, WPARAM keys = 0) {
    SimulateMouse(c, WM_MOUSEMOVE, inside ? 5 : c->Width() + 40, inside ? 5 : c->Height() + 40, keys);
    if (c->MouseInControl() != inside) c->Perform(inside ? CM_MOUSEENTER : CM_MOUSELEAVE, 0, 0);
  }

  static Pic Shot(TWinControl* c) {
    Pic p;
    PaintTo(c, p.B.get());
    return p;
  }
  static void SaveArtifact(const TBitmap& image, const std::string& name) {
    image.SavePngFile(testsupport::ArtifactDir() + "/" + name + ".png");
  }
  // Empty when equal, else where and how the two differ.
  static std::string Difference(const TBitmap& a, const TBitmap& b) {
    if (a.Width() != b.Width() || a.Height() != b.Height())
      return "size " + std::to_string(a.Width()) + "x" + std::to_string(a.Height()) + " vs " +
             std::to_string(b.Width()) + "x" + std::to_string(b.Height());
    for (int y = 0; y < a.Height(); ++y)
      for (int x = 0; x < a.Width(); ++x)
        if (a.Pixel(x, y) != b.Pixel(x, y))
          return "pixel " + std::to_string(x) + "," + std::to_string(y);
    return "";
  }
  // The image with the pixels outside the window's shape black, as the screen shows it.
  static Pic Shaped(TWinControl* c, const TBitmap& image) {
    Pic p;
    p.B->Assign(&image);
    TRegion shape;
    if (!GetWindowRgn(c->Handle(), shape)) return p;
    for (int y = 0; y < p.Height(); ++y)
      for (int x = 0; x < p.Width(); ++x)
        if (!shape.Contains(x, y)) p.B->SetPixel(x, y, clBlack);
    return p;
  }
  // Rectangle r of the image, to read as a face of its own.
  static Pic Part(const TBitmap& img, const TRect& r) {
    Pic p;
    p.B->SetSize(RectWidth(r), RectHeight(r));
    for (int y = 0; y < RectHeight(r); ++y)
      for (int x = 0; x < RectWidth(r); ++x) p.B->SetPixel(x, y, img.Pixel(r.Left + x, r.Top + y));
    return p;
  }
  static int CountColor(const TBitmap& b, const TRect& r, TColor c) {
    int n = 0;
    for (int y = r.Top; y < r.Bottom; ++y)
      for (int x = r.Left; x < r.Right; ++x)
        if (b.Pixel(x, y) == c) ++n;
    return n;
  }

  TForm* Form = nullptr;
  TbsSkinData* SkinData = nullptr;
  std::map<UINT, int> SkinMessages;
};

inline const TColor Face = RGB(212, 208, 200);
// Object blocks read into a new form of the tests' own class, with the classes of the
// windows layer, actions, skin data and skin controls; each handler name is bound to run
// its function.
inline std::unique_ptr<skintest::TSkinTestForm> ReadStoredForm(
    const std::string& objects, const std::map<std::string, std::function<void()>>& handlers = {}) {
  RegisterWindowsClasses();
  RegisterActionClasses();
  RegisterSkinDataClasses();
  RegisterSkinControlClasses();
  skintest::TSkinTestForm::Register();
  for (const auto& [name, run] : handlers)
    ClassRegistry().RegisterMethod("TSkinTestForm", name,
                                   [run](TComponent*) -> TNotifyEvent { return [run](TObject*) { run(); }; });
  auto form = std::make_unique<skintest::TSkinTestForm>(nullptr);
  ReadLayout(form.get(), "object Form1: TSkinTestForm\n" + objects + "end\n");
  return form;
}

inline const TColor Shadow = RGB(128, 128, 128);
inline const TColor Navy = RGB(0, 0, 128);
inline const TColor PressedFill = RGB(133, 147, 181);
inline const TColor HotFill = RGB(182, 189, 210);

// Slate's 60 x 24 button faces from the generator's palette: a gradient from the top
// colour to the bottom one (row 1: top + (bottom - top) / 23, rounded down) in a border,
// each corner pixel half border, half top or bottom colour.
struct FaceLook {
  TColor topCorner, bottomCorner, border, row1;
};
inline const FaceLook NormalLook{RGB(153, 161, 177), RGB(138, 148, 166), RGB(70, 84, 110), RGB(234, 237, 243)},
    HotLook{RGB(139, 185, 235), RGB(116, 169, 228), RGB(64, 140, 220), RGB(212, 228, 249)},
    DownLook{RGB(110, 130, 162), RGB(130, 146, 172), RGB(70, 84, 110), RGB(151, 177, 214)},
    OffLook{RGB(193, 193, 193), RGB(187, 187, 187), RGB(160, 160, 160), RGB(225, 225, 225)};

// Corner pieces unscaled at the image's corners; border and row 1 along the edges.
inline ::testing::AssertionResult ShowsFace(const TBitmap& img, const FaceLook& f) {
  const int w = img.Width(), h = img.Height();
  const TColor at[][3] = {{0, 0, f.topCorner},        {w - 1, 0, f.topCorner}, {0, h - 1, f.bottomCorner},
                          {w - 1, h - 1, f.bottomCorner}, {w / 2, 0, f.border},   {0, h / 2, f.border},
                          {w / 2, 1, f.row1}};
  for (const auto& p : at)
    if (img.Pixel(p[0], p[1]) != p[2])
      return ::testing::AssertionFailure() << "pixel " << p[0] << "," << p[1] << " of " << w << "x" << h << ": "
                                           << std::hex << img.Pixel(p[0], p[1]) << " instead of " << p[2];
  return ::testing::AssertionSuccess();
}

}  // namespace skincontrolstest
