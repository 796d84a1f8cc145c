// The skin tool bar: what it hands to its children (skin data to speed buttons and
// bevels only, flat mode, captions, image lists), and the scrolling of a bar too narrow
// for its content through the two scroll areas of its non-client area: by press, by
// timer, by hovering, and back when it fits again.
#include "framework/graphics/Canvas.h"
#include "framework/graphics/ImageList.h"
#include "skin/controls/SkinBevel.h"
#include "skin/controls/SkinButton.h"
#include "skin/controls/SkinSpeedButton.h"
#include "skin/controls/SkinToolBar.h"
#include "tests/skin/controls/gui/SkinControlsFixture.h"

using namespace skincontrolstest;

namespace {

class SkinToolBarTest : public SkinControlsFixture {
 protected:
  void SetUp() override {
    SkinControlsFixture::SetUp();
    Bar = Make<TbsSkinToolBar>(10, 10, 300, 25);
  }
  TbsSkinSpeedButton* AddButton(int x, int w = 25) {
    auto* b = new TbsSkinSpeedButton(Form);
    b->SetParent(Bar);
    b->SetBounds(x, 0, w, 25);
    return b;
  }
  // Six 25-pixel buttons side by side: 150 pixels of content.
  void AddRow() {
    for (int i = 0; i < 6; ++i) Row.push_back(AddButton(i * 25));
  }
  void FireTimer() { Bar->Perform(WM_TIMER, TbsSkinToolBar::ScrollTimerId, 0); }
  TbsSkinToolBar* Bar = nullptr;
  std::vector<TbsSkinSpeedButton*> Row;
};

TEST_F(SkinToolBarTest, ConstructionDefaults) {
  EXPECT_EQ(Bar->SkinDataName(), "toolpanel");
  EXPECT_EQ(Bar->DefaultHeight(), 25);
  EXPECT_EQ(Bar->BorderStyle(), bvNone);
  EXPECT_EQ(Bar->ScrollTimerInterval(), 50);
  EXPECT_FALSE(Bar->CanScroll());
  EXPECT_FALSE(Bar->Flat());
  Pic p = Shot(Bar);
  EXPECT_EQ(CountColor(p, Rect(0, 0, 300, 25), Face), 300 * 25) << "a face-coloured bar without a frame";
}

TEST_F(SkinToolBarTest, SkinDataGoesToSpeedButtonsAndBevelsOnly) {
  auto* speed = AddButton(0);
  auto* bevel = new TbsSkinBevel(Form);
  bevel->SetParent(Bar);
  bevel->SetBounds(30, 2, 4, 20);
  auto* button = new TbsSkinButton(Form);
  button->SetParent(Bar);
  button->SetBounds(40, 0, 60, 25);
  LoadSlate();
  Bar->SetSkinData(SkinData);
  EXPECT_EQ(Bar->SkinData(), SkinData);
  EXPECT_EQ(speed->SkinData(), SkinData);
  EXPECT_EQ(bevel->SkinData(), SkinData);
  EXPECT_EQ(button->SkinData(), nullptr);
  EXPECT_NE(speed->SkinIndex(), -1) << "the loaded skin is applied at once";
  Bar->SetSkinData(nullptr);
  EXPECT_EQ(speed->SkinData(), nullptr);
  EXPECT_EQ(bevel->SkinData(), nullptr);
  TBitmap shot;
  PaintTo(Form, &shot);
  SaveArtifact(shot, "tool_bar_children");
}

TEST_F(SkinToolBarTest, FlatAndCaptionsArePassedOn) {
  auto* a = AddButton(0, 60);
  auto* b = AddButton(60, 60);
  a->SetCaption("One");
  b->SetCaption("Two");
  Bar->SetFlat(true);
  EXPECT_TRUE(a->Flat() && b->Flat() && a->Transparent());
  // Without AutoShowHideCaptions only the bar's own width follows.
  Bar->SetWidthWithCaptions(250);
  Bar->SetWidthWithoutCaptions(120);
  Bar->SetShowCaptions(true);
  EXPECT_EQ(Bar->Width(), 250);
  EXPECT_TRUE(a->ShowCaption());
  Bar->SetShowCaptions(false);
  EXPECT_EQ(Bar->Width(), 120);
  EXPECT_TRUE(a->ShowCaption()) << "the buttons keep their captions";
  Bar->SetAutoShowHideCaptions(true);
  Bar->SetShowCaptions(true);
  Bar->SetShowCaptions(false);
  EXPECT_FALSE(a->ShowCaption());
  EXPECT_FALSE(b->ShowCaption());
}

TEST_F(SkinToolBarTest, ButtonsWithoutGlyphDrawTheBarsImages) {
  TImageList normal(Form), hot(Form);
  normal.SetWidth(8);
  normal.SetHeight(8);
  hot.SetWidth(8);
  hot.SetHeight(8);
  TBitmap red(8, 8), blue(8, 8);
  red.Canvas()->Brush()->Color = clRed;
  red.Canvas()->FillRect(Rect(0, 0, 8, 8));
  blue.Canvas()->Brush()->Color = clBlue;
  blue.Canvas()->FillRect(Rect(0, 0, 8, 8));
  normal.Add(&red, nullptr);
  hot.Add(&blue, nullptr);
  auto* b = AddButton(10, 30);
  b->SetImageIndex(0);
  b->SetMargin(3);
  Bar->SetImages(&normal);
  Bar->SetHotImages(&hot);
  TBitmap shot;
  PaintTo(Bar, &shot);
  // Glyph position: x = 10 + margin, y = 12 - 4.
  EXPECT_EQ(shot.Pixel(13, 8), clRed);
  SimulateMouse(Bar, WM_MOUSEMOVE, 20, 10);
  ASSERT_TRUE(b->MouseIn());
  PaintTo(Bar, &shot);
  SaveArtifact(shot, "tool_bar_hot_image");
  EXPECT_EQ(shot.Pixel(13, 8), clBlue);
  // An index outside the list draws no image.
  b->SetImageIndex(5);
  PaintTo(Bar, &shot);
  EXPECT_EQ(shot.Pixel(13, 8), HotFill);
}

TEST_F(SkinToolBarTest, WithoutCanScrollANarrowBarClipsItsContent) {
  AddRow();
  Bar->SetWidth(100);
  EXPECT_FALSE(Bar->ScrollAreasShown());
  EXPECT_EQ(Bar->ClientWidth(), 100);
  EXPECT_EQ(Row[5]->Left(), 125);
}

TEST_F(SkinToolBarTest, OverflowingContentGetsScrollAreasOutsideTheClient) {
  AddRow();
  Bar->SetWidth(100);
  Bar->SetCanScroll(true);
  ASSERT_TRUE(Bar->ScrollAreasShown());
  EXPECT_EQ(Bar->Width(), 100);
  EXPECT_EQ(Bar->ClientWidth(), 76);
  EXPECT_EQ(Bar->ClientRectInWindow(), Rect(12, 0, 88, 25));
  Pic p = Shot(Bar);
  SaveArtifact(p, "tool_bar_scroll_areas_default");
  // Default areas: a shadow frame, the face, a black arrow.
  EXPECT_EQ(p.Pixel(0, 0), Shadow);
  EXPECT_EQ(p.Pixel(11, 24), Shadow);
  EXPECT_EQ(p.Pixel(2, 2), Face);
  EXPECT_GT(CountColor(p, Rect(0, 0, 12, 25), clBlack), 5);
  EXPECT_GT(CountColor(p, Rect(88, 0, 100, 25), clBlack), 5);
  // The first button starts right of the left area.
  EXPECT_EQ(p.Pixel(12, 0), Shadow);
  // Wide enough again: the areas go and the content is back at offset 0.
  Bar->SetScrollOffset(10);
  SimulateMouse(Bar, WM_LBUTTONDOWN, Bar->ClientWidth() + 5, 10, MK_LBUTTON);
  SimulateMouse(Bar, WM_LBUTTONUP, Bar->ClientWidth() + 5, 10, 0);
  EXPECT_EQ(Bar->ScrollPosition(), 10);
  Bar->SetWidth(200);
  EXPECT_FALSE(Bar->ScrollAreasShown());
  EXPECT_EQ(Bar->ScrollPosition(), 0);
  EXPECT_EQ(Row[0]->Left(), 0);
  EXPECT_EQ(Bar->ClientWidth(), 200);
}

TEST_F(SkinToolBarTest, HoldingAScrollAreaScrollsByTimerWithinTheContent) {
  AddRow();
  Bar->SetWidth(100);
  Bar->SetCanScroll(true);
  Bar->SetScrollOffset(10);
  const int right = Bar->ClientWidth() + 5;
  SimulateMouse(Bar, WM_LBUTTONDOWN, right, 10, MK_LBUTTON);
  EXPECT_TRUE(Bar->ScrollTimerRunning());
  EXPECT_EQ(Bar->ScrollPosition(), 0) << "the press itself does not step";
  Pic pressed = Shot(Bar);
  SaveArtifact(pressed, "tool_bar_scroll_right_pressed");
  EXPECT_EQ(pressed.Pixel(88, 0), Navy);
  EXPECT_EQ(pressed.Pixel(90, 2), PressedFill);
  FireTimer();
  FireTimer();
  EXPECT_EQ(Bar->ScrollPosition(), 20);
  EXPECT_EQ(Row[0]->Left(), -20);
  EXPECT_EQ(Row[5]->Left(), 105);
  // The real timer at ScrollTimerInterval goes on while held.
  ASSERT_TRUE(testsupport::WaitUntil([&] { return Bar->ScrollPosition() >= 50; }, 3000));
  // Never beyond content extent - visible width + 1 = 150 - 76 + 1.
  for (int i = 0; i < 10; ++i) FireTimer();
  EXPECT_EQ(Bar->ScrollPosition(), 75);
  SimulateMouse(Bar, WM_LBUTTONUP, right, 10, 0);
  EXPECT_FALSE(Bar->ScrollTimerRunning());
  EXPECT_EQ(Bar->ScrollPosition(), 75);
  // Leftwards one press and release is one step; never below 0.
  SimulateMouse(Bar, WM_LBUTTONDOWN, -5, 10, MK_LBUTTON);
  SimulateMouse(Bar, WM_LBUTTONUP, -5, 10, 0);
  EXPECT_EQ(Bar->ScrollPosition(), 65);
  Bar->SetScrollOffset(0);  // a step of the client width
  SimulateMouse(Bar, WM_LBUTTONDOWN, -5, 10, MK_LBUTTON);
  SimulateMouse(Bar, WM_LBUTTONUP, -5, 10, 0);
  EXPECT_EQ(Bar->ScrollPosition(), 0);
  EXPECT_EQ(Row[0]->Left(), 0);
}

TEST_F(SkinToolBarTest, HotScrollRunsWhileThePointerRestsOnAnArea) {
  AddRow();
  Bar->SetWidth(100);
  Bar->SetCanScroll(true);
  Bar->SetScrollOffset(5);
  SimulateMouse(Bar, WM_MOUSEMOVE, Bar->ClientWidth() + 5, 10);
  EXPECT_FALSE(Bar->ScrollTimerRunning()) << "hovering scrolls only with HotScroll";
  Pic hot = Shot(Bar);
  EXPECT_EQ(hot.Pixel(90, 2), HotFill);
  Bar->SetHotScroll(true);
  SimulateMouse(Bar, WM_MOUSEMOVE, Bar->ClientWidth() + 6, 10);
  EXPECT_TRUE(Bar->ScrollTimerRunning());
  FireTimer();
  EXPECT_EQ(Bar->ScrollPosition(), 5);
  // Back into the client area: it stops.
  SimulateMouse(Bar, WM_MOUSEMOVE, 40, 10);
  EXPECT_FALSE(Bar->ScrollTimerRunning());
  // Over the left area, then off the bar.
  SimulateMouse(Bar, WM_MOUSEMOVE, -4, 10);
  EXPECT_TRUE(Bar->ScrollTimerRunning());
  FireTimer();
  EXPECT_EQ(Bar->ScrollPosition(), 0);
  SimulateMouseAt(Point(3000, 3000), WM_MOUSEMOVE);
  Bar->Perform(WM_NCMOUSELEAVE, 0, 0);
  EXPECT_FALSE(Bar->ScrollTimerRunning());
}

TEST_F(SkinToolBarTest, BarNarrowerThanItsScrollAreasAndBadSettings) {
  AddRow();
  Bar->SetScrollOffset(-5);
  Bar->SetScrollTimerInterval(-1);
  EXPECT_EQ(Bar->ScrollOffset(), 0);
  EXPECT_EQ(Bar->ScrollTimerInterval(), 1);
  Bar->SetCanScroll(true);
  Bar->SetWidth(10);
  ASSERT_TRUE(Bar->ScrollAreasShown());
  EXPECT_EQ(Bar->ClientWidth(), 0);
  // Steps of the (empty) client width still move, by at least one pixel.
  Bar->ScrollStep(1);
  EXPECT_EQ(Bar->ScrollPosition(), 1);
  Bar->ScrollStep(-1);
  EXPECT_EQ(Bar->ScrollPosition(), 0);
  Pic p = Shot(Bar);
  SaveArtifact(p, "tool_bar_too_narrow");
  EXPECT_EQ(p.Width(), 10);
  Bar->SetWidth(0);
  EXPECT_NO_FATAL_FAILURE(Shot(Bar));
}

TEST_F(SkinToolBarTest, SlateBarAndScrollAreas) {
  LoadSlate();
  AddRow();
  Bar->SetSkinData(SkinData);
  Bar->SetWidth(100);
  Bar->SetCanScroll(true);
  ASSERT_NE(Bar->SkinIndex(), -1);
  ASSERT_TRUE(Bar->ScrollAreasShown());
  Pic p = Shot(Bar);
  SaveArtifact(p, "tool_bar_slate_scroll_areas");
  // The areas come from the "resizebutton" record: not the default face and shadow.
  EXPECT_NE(p.Pixel(5, 12), Face);
  EXPECT_NE(p.Pixel(0, 0), Shadow);
  EXPECT_EQ(Row[0]->SkinIndex(), Row[0]->SkinData()->FindControlIndex("toolbutton"));
}

}  // namespace
