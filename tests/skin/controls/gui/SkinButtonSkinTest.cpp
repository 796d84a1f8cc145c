// The skin button with the Slate skin: the state images at the skin size and resized by
// every resize mode, the masked window, the morph between normal and hot, and skin
// changes at run time while the button is hovered and morphing.
#include "framework/graphics/Canvas.h"
#include "framework/graphics/Region.h"
#include "framework/windows/Windows.h"
#include "skin/controls/SkinButton.h"
#include "tests/skin/controls/gui/SkinControlsFixture.h"

using namespace skincontrolstest;

namespace {

class SkinButtonSkinTest : public SkinControlsFixture {
 protected:
  void SetUp() override {
    SkinControlsFixture::SetUp();
    LoadSlate();
  }
  TbsSkinButton* MakeButton(int x, int y, int w, int h, const std::string& record) {
    auto* b = Make<TbsSkinButton>(x, y, w, h, record);
    b->SetSkinData(SkinData);
    b->OnClick = [this](TObject*) { ++Clicks; };
    return b;
  }
  const TbsDataSkinButtonControl& Rec(const std::string& name) const {
    return *dynamic_cast<const TbsDataSkinButtonControl*>(Record(name));
  }
  static void FireMorph(TbsSkinButton* b) { b->Perform(WM_TIMER, TbsSkinButton::MorphTimerId, 0); }
  int Clicks = 0;
};

TEST_F(SkinButtonSkinTest, StateImagesAtEveryResizeMode) {
  struct Case {
    const char* record;
    int w, h;
    int mode;
  } cases[] = {{"fixedbutton", 90, 40, rmFixed}, {"vbutton", 90, 41, rmVertical},
               {"button", 60, 24, rmBoth},       {"button", 133, 47, rmBoth},
               {"hbutton", 141, 40, rmHorizontal}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.record) + " " + std::to_string(c.w));
    auto* b = MakeButton(10, 10, c.w, c.h, c.record);
    ASSERT_EQ(c.mode, b->ResizeMode());
    const std::string tag = std::string("skin_button_") + c.record + "_" + std::to_string(b->Width()) + "x" +
                            std::to_string(b->Height());
    Pic normal = Shot(b);
    SaveArtifact(normal, tag + "_normal");
    EXPECT_TRUE(ShowsFace(normal, NormalLook));
    // Pressed: the down image (morphing is stopped while down).
    SimulateMouse(b, WM_LBUTTONDOWN, 5, 5, MK_LBUTTON);
    ASSERT_TRUE(b->Down());
    Pic down = Shot(b);
    SaveArtifact(down, tag + "_down");
    EXPECT_TRUE(ShowsFace(down, DownLook));
    SimulateMouse(b, WM_LBUTTONUP, 5, 5, 0);
    EXPECT_EQ(1, Clicks);
    Clicks = 0;
    // Focused, after the press: the active image.
    b->Invalidate();
    EXPECT_TRUE(ShowsFace(Shot(b), HotLook));
    b->SetEnabled(false);
    Pic off = Shot(b);
    SaveArtifact(off, tag + "_disabled");
    EXPECT_TRUE(ShowsFace(off, OffLook));
    delete b;
  }
}

TEST_F(SkinButtonSkinTest, CaptionTakesTheRecordsFontColours) {
  auto* b = MakeButton(10, 10, 100, 30, "button");
  b->SetCaption("Record");
  const auto& r = Rec("button");
  Pic normal = Shot(b);
  SaveArtifact(normal, "skin_button_caption_normal");
  EXPECT_GT(CountColor(normal, Rect(4, 4, 96, 26), r.fontcolor), 10);
  SimulateMouse(b, WM_LBUTTONDOWN, 5, 5, MK_LBUTTON);
  Pic down = Shot(b);
  SaveArtifact(down, "skin_button_caption_down");
  EXPECT_GT(CountColor(down, Rect(4, 4, 96, 26), r.downfontcolor), 10);
  EXPECT_EQ(0, CountColor(down, Rect(4, 4, 96, 26), r.fontcolor));
  SimulateMouse(b, WM_LBUTTONUP, 5, 5, 0);
  b->SetEnabled(false);
  EXPECT_GT(CountColor(Shot(b), Rect(4, 4, 96, 26), r.disabledfontcolor), 10);
  // With UseSkinFont off the default font's face and size are used (here: larger ink).
  b->SetEnabled(true);
  b->SetFocus();
  ASSERT_TRUE(testsupport::WaitUntil([&] { return b->Focused(); }, 2000));
  SimulateMouse(b, WM_LBUTTONDOWN, 5, 5, MK_LBUTTON);
  const int small = CountColor(Shot(b), Rect(0, 0, 100, 30), r.downfontcolor);
  b->SetUseSkinFont(false);
  TFont big;
  big.SetName("Arial");
  big.SetHeight(-20);
  b->SetDefaultFont(&big);
  b->Invalidate();
  EXPECT_GT(CountColor(Shot(b), Rect(0, 0, 100, 30), r.downfontcolor), small);
  SimulateMouse(b, WM_LBUTTONUP, 5, 5, 0);
}

TEST_F(SkinButtonSkinTest, MaskedButtonWindowIsTheFrameMaskRegion) {
  auto* b = MakeButton(10, 10, 120, 36, "maskbutton");
  // Slate's mask cuts five pixels off each corner: the corner and two along each edge.
  TRegion shape;
  ASSERT_TRUE(GetWindowRgn(b->Handle(), shape));
  for (TPoint out : {Point(0, 0), Point(2, 0), Point(0, 2), Point(117, 0), Point(119, 1), Point(1, 35), Point(119, 35)})
    EXPECT_FALSE(shape.Contains(out.X, out.Y)) << out.X << "," << out.Y;
  for (TPoint in : {Point(3, 0), Point(1, 1), Point(0, 3), Point(116, 0), Point(118, 34), Point(60, 35), Point(0, 18)})
    EXPECT_TRUE(shape.Contains(in.X, in.Y)) << in.X << "," << in.Y;
  Pic img = Shot(b);
  SaveArtifact(img, "skin_button_maskbutton_120x36");
  EXPECT_EQ(clBlack, img.Pixel(0, 0));  // outside the shape
  EXPECT_EQ(clBlack, img.Pixel(119, 35));
}

TEST_F(SkinButtonSkinTest, HoverMorphsInFiveStepsWithTheRecordsBlend) {
  auto* b = MakeButton(10, 10, 90, 30, "button");
  const auto& r = Rec("button");
  ASSERT_TRUE(r.morphing);
  ASSERT_EQ(mkGradient, r.morphkind);
  Hover(b, true);
  EXPECT_TRUE(b->MouseIn());
  EXPECT_TRUE(b->Morphing());
  EXPECT_EQ(0, b->MorphFactor());
  FireMorph(b);
  FireMorph(b);
  EXPECT_NEAR(0.4, b->MorphFactor(), 1e-9);
  // The gradient at 0.4 over 90 columns: 27 to 63 already hot; outward the normal image's
  // weight rises by 1/27 a column, to all of it at column 0.
  Pic got = Shot(b);
  SaveArtifact(got, "skin_button_morph_0.4");
  EXPECT_EQ(HotLook.row1, got.Pixel(27, 1));
  EXPECT_EQ(HotLook.row1, got.Pixel(63, 1));
  EXPECT_EQ(NormalLook.border, got.Pixel(0, 1));
  EXPECT_EQ(RGB(67, 111, 163), got.Pixel(13, 0));  // borders, 14/27 normal and 13/27 hot
  for (int i = 0; i < 3; ++i) FireMorph(b);
  EXPECT_NEAR(1.0, b->MorphFactor(), 1e-9);
  EXPECT_TRUE(b->Morphing());
  FireMorph(b);  // at the end: the timer goes
  EXPECT_FALSE(b->Morphing());
  EXPECT_TRUE(ShowsFace(Shot(b), HotLook));

  // Leaving blends back down to the normal image.
  Hover(b, false);
  EXPECT_TRUE(b->Morphing());
  for (int i = 0; i < 6; ++i) FireMorph(b);
  EXPECT_FALSE(b->Morphing());
  EXPECT_EQ(0, b->MorphFactor());
  EXPECT_TRUE(ShowsFace(Shot(b), NormalLook));

  // The real 20 ms timer runs the same steps.
  Hover(b, true);
  EXPECT_TRUE(testsupport::WaitUntil([&] { return !b->Morphing(); }, 3000));
  EXPECT_EQ(1, b->MorphFactor());

  // A button without morphing never starts the timer.
  auto* v = MakeButton(10, 60, 60, 30, "vbutton");
  Hover(v, true);
  EXPECT_FALSE(v->Morphing());
}

// Slate, a stored skin no reader accepts, Slate again, while one button morphs under
// the pointer and one is down in a group; the sanitizer build checks that no freed
// record is read.
TEST_F(SkinButtonSkinTest, SkinChangesWhileHoveredAndDown) {
  auto* hovered = MakeButton(10, 10, 90, 30, "button");
  auto* down = MakeButton(110, 10, 90, 30, "maskbutton");
  auto* fixed = MakeButton(210, 10, 90, 30, "fixedbutton");
  down->SetGroupIndex(1);
  down->SetDown(true);
  Hover(hovered, true);
  FireMorph(hovered);
  ASSERT_TRUE(hovered->Morphing());
  EXPECT_EQ(Bounds(210, 10, 60, 24), fixed->BoundsRect());

  SkinData->LoadFromStoredSkin(&Version4());
  for (TbsSkinButton* b : {hovered, down, fixed}) {
    EXPECT_EQ(-1, b->SkinIndex());
    b->Invalidate();
    Pic img = Shot(b);
    // Default looks: navy frames for the hot and the down one, the normal frame otherwise.
    EXPECT_EQ(b == fixed ? Shadow : Navy, img.Pixel(0, 0));
    TRegion shape;
    EXPECT_FALSE(GetWindowRgn(b->Handle(), shape));
  }
  FireMorph(hovered);  // a tick without a record ends the morph
  EXPECT_FALSE(hovered->Morphing());
  EXPECT_EQ(PressedFill, Shot(down).Pixel(2, 2));

  LoadSlate();
  for (TbsSkinButton* b : {hovered, down, fixed}) EXPECT_NE(-1, b->SkinIndex());
  // The hovered morphing button shows its hot image at once after the change.
  EXPECT_EQ(1, hovered->MorphFactor());
  EXPECT_TRUE(ShowsFace(Shot(hovered), HotLook));
  // The down image inside the mask's shape, black outside it.
  Pic downShot = Shot(down);
  EXPECT_EQ(clBlack, downShot.Pixel(0, 0));
  EXPECT_EQ(DownLook.border, downShot.Pixel(3, 0));
  EXPECT_EQ(DownLook.row1, downShot.Pixel(45, 1));
}

TEST_F(SkinButtonSkinTest, ButtonRecordOfAnotherKindGivesTheDefaultLook) {
  auto* b = MakeButton(10, 10, 80, 28, "checkbox");  // a check/radio record
  EXPECT_EQ(-1, b->SkinIndex());
  EXPECT_EQ(Bounds(10, 10, 80, 28), b->BoundsRect());
  Pic img = Shot(b);
  EXPECT_EQ(Shadow, img.Pixel(0, 0));
  EXPECT_EQ(Face, img.Pixel(2, 2));
}

}  // namespace
