// The skin check/radio box without a skin: the flat look over its parent, the non-flat
// look, marks, disabled text, where a focus rectangle is drawn, and the clicks, keys and
// groups of check and radio boxes.
#include "framework/actions/Action.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/ImageList.h"
#include "skin/controls/SkinCheckRadioBox.h"
#include "skin/controls/SkinGroupBox.h"
#include "skin/draw/SkinGlyphs.h"
#include "tests/skin/controls/gui/SkinControlsFixture.h"

using namespace skincontrolstest;

namespace {

const TColor Highlight = RGB(255, 255, 255);
const TColor Black = RGB(0, 0, 0);

class SkinCheckRadioBoxTest : public SkinControlsFixture {
 protected:
  TbsSkinCheckRadioBox* MakeBox(TWinControl* parent, int x, int y, int w, int h, bool radio) {
    auto* b = new TbsSkinCheckRadioBox(Form);
    b->SetParent(parent);
    b->SetBounds(x, y, w, h);
    b->SetRadio(radio);
    b->SetCanFocused(true);
    b->OnClick = [this, b](TObject*) { Clicks.push_back(b); };
    return b;
  }
  static void Click(TWinControl* c, int x = 8, int y = 10) {
    SimulateMouse(c, WM_LBUTTONDOWN, x, y, MK_LBUTTON);
    SimulateMouse(c, WM_LBUTTONUP, x, y, 0);
  }
  // Pixels that differ between two images of the same size.
  static std::vector<TPoint> Diff(const TBitmap& a, const TBitmap& b) {
    std::vector<TPoint> d;
    for (int y = 0; y < a.Height(); ++y)
      for (int x = 0; x < a.Width(); ++x)
        if (a.Pixel(x, y) != b.Pixel(x, y)) d.push_back({x, y});
    return d;
  }
  // The focus state alone does not repaint a box: paint it afresh.
  static Pic Fresh(TWinControl* c) {
    c->Invalidate();
    return Shot(c);
  }
  std::vector<TObject*> Clicks;
};

TEST_F(SkinCheckRadioBoxTest, FlatRadioOnARaisedGroupShowsTheGroupThroughIt) {
  auto* g = Make<TbsSkinGroupBox>(10, 10, 121, 81);
  g->SetBorderStyle(bvRaised);
  // The box's left edge lies on the group's left frame line.
  auto* r = MakeBox(g, 0, 23, 117, 28, true);
  r->SetCaption("Stereo");
  r->SetChecked(true);
  Pic img = Shot(r);
  SaveArtifact(img, "skin_radiobox_default_flat_on_group");
  // The group's highlight line at x = 0 and its face inside the (unfilled) box.
  EXPECT_EQ(Highlight, img.Pixel(0, 2));
  EXPECT_EQ(Face, img.Pixel(5, 9));
  EXPECT_EQ(Face, img.Pixel(14, 19));
  // Box (3, 7, 17, 21) framed in the shadow colour, the 6 x 6 dot at (7, 11).
  EXPECT_EQ(Shadow, img.Pixel(3, 14));
  EXPECT_EQ(Shadow, img.Pixel(10, 7));
  EXPECT_EQ(Shadow, img.Pixel(16, 14));
  EXPECT_EQ(Shadow, img.Pixel(10, 20));
  EXPECT_EQ(36, CountColor(img, Rect(4, 8, 16, 20), Black));
  EXPECT_EQ(36, CountColor(img, Rect(7, 11, 13, 17), Black));
  // Hover frames the box in navy.
  r->Perform(CM_MOUSEENTER, 0, 0);
  Pic hot = Shot(r);
  EXPECT_EQ(Navy, hot.Pixel(3, 14));
  EXPECT_EQ(Navy, hot.Pixel(16, 14));
  // The caption from x = 22 on.
  EXPECT_EQ(0, CountColor(img, Rect(18, 0, 22, 28), Black));
  EXPECT_GT(CountColor(img, Rect(22, 0, 117, 28), Black), 20);
}

TEST_F(SkinCheckRadioBoxTest, CheckMarkAndDisabledColours) {
  auto* c = MakeBox(Form, 10, 10, 120, 24, false);
  c->SetCaption("Loop");
  c->SetChecked(true);
  Pic on = Shot(c);
  TBitmap mark(20, 24);
  mark.Canvas()->Brush()->Color = clBtnFace;
  mark.Canvas()->FillRect(Rect(0, 0, 20, 24));
  DrawCheckMark(mark.Canvas(), 7, 12 - 4, clBlack);
  for (int y = 6; y < 18; ++y)
    for (int x = 4; x < 16; ++x) EXPECT_EQ(mark.Pixel(x, y), on.Pixel(x, y)) << x << "," << y;
  c->SetEnabled(false);
  Pic off = Shot(c);
  SaveArtifact(off, "skin_checkbox_default_disabled");
  // Mark and caption in the button-shadow colour, nothing black left.
  EXPECT_EQ(0, CountColor(off, Rect(0, 0, 120, 24), Black));
  for (int y = 6; y < 18; ++y)
    for (int x = 4; x < 16; ++x)
      if (on.Pixel(x, y) == Black) {
        EXPECT_EQ(Shadow, off.Pixel(x, y)) << x << "," << y;
      }
  EXPECT_GT(CountColor(off, Rect(22, 0, 118, 24), Shadow), 15);
}

TEST_F(SkinCheckRadioBoxTest, FocusRectangleOnlyAroundACaptionOrAnImage) {
  auto* c = MakeBox(Form, 10, 10, 120, 24, false);
  c->SetCaption("Loop");
  Pic plain = Fresh(c);
  c->SetFocus();
  ASSERT_TRUE(testsupport::WaitUntil([&] { return c->Focused(); }, 2000));
  Pic focused = Fresh(c);
  SaveArtifact(focused, "skin_checkbox_default_focused");
  // The dotted rectangle around the text rectangle (left at 22 - 2): every changed
  // pixel lies on its outline, to the right of the box.
  std::vector<TPoint> d = Diff(plain, focused);
  ASSERT_GT(d.size(), 10u);
  int minX = 1000, maxX = 0, minY = 1000, maxY = 0;
  for (TPoint p : d) {
    minX = std::min(minX, p.X), maxX = std::max(maxX, p.X);
    minY = std::min(minY, p.Y), maxY = std::max(maxY, p.Y);
  }
  EXPECT_EQ(20, minX);
  for (TPoint p : d) EXPECT_TRUE(p.X == minX || p.X == maxX || p.Y == minY || p.Y == maxY);

  // An empty caption and no image: no focus rectangle.
  c->SetCaption("");
  Pic emptyFocused = Fresh(c);
  c->SetCanFocused(false);
  EXPECT_EQ("", Difference(emptyFocused, Fresh(c)));

  // An image and no caption: the rectangle goes around the image, grown by one.
  c->SetCanFocused(true);
  TImageList images;
  images.SetWidth(10);
  images.SetHeight(10);
  TBitmap cell(10, 10);
  cell.Canvas()->Brush()->Color = clRed;
  cell.Canvas()->FillRect(Rect(0, 0, 10, 10));
  images.Add(&cell, nullptr);
  c->SetImages(&images);
  ASSERT_TRUE(c->BoxFocused());
  Pic withImage = Fresh(c);
  EXPECT_EQ(clRed, withImage.Pixel(25, 12));  // image at (22, 12 - 5)
  c->SetCanFocused(false);
  Pic imageUnfocused = Fresh(c);
  d = Diff(imageUnfocused, withImage);
  ASSERT_FALSE(d.empty());
  for (TPoint p : d) EXPECT_TRUE(p.X == 21 || p.X == 32 || p.Y == 6 || p.Y == 17) << p.X << "," << p.Y;
  // An index outside the list: no image and no rectangle.
  c->SetCanFocused(true);
  c->SetImageIndex(3);
  Pic noImage = Fresh(c);
  EXPECT_EQ(0, CountColor(noImage, Rect(0, 0, 120, 24), clRed));
  c->SetCanFocused(false);
  EXPECT_EQ("", Difference(noImage, Fresh(c)));
  c->SetImages(nullptr);
}

TEST_F(SkinCheckRadioBoxTest, NonFlatLookHasAFrameButNoFocusRectangle) {
  auto* c = MakeBox(Form, 10, 10, 120, 24, false);
  c->SetFlat(false);
  c->SetCaption("Loop");
  Pic plain = Shot(c);
  EXPECT_EQ(Face, plain.Pixel(0, 0));
  EXPECT_EQ(Shadow, plain.Pixel(3, 12));
  c->SetFocus();
  ASSERT_TRUE(testsupport::WaitUntil([&] { return c->Focused(); }, 2000));
  Pic focused = Shot(c);
  SaveArtifact(focused, "skin_checkbox_default_nonflat_focused");
  for (TPoint p : Diff(plain, focused)) {
    EXPECT_TRUE(p.X == 0 || p.Y == 0 || p.X == 119 || p.Y == 23) << p.X << "," << p.Y;
    EXPECT_EQ(Shadow, focused.Pixel(p.X, p.Y));
  }
  EXPECT_EQ(Shadow, focused.Pixel(60, 0));
}

TEST_F(SkinCheckRadioBoxTest, ClickingCheckAndRadioBoxes) {
  auto* c = MakeBox(Form, 10, 10, 120, 24, false);
  auto* r = MakeBox(Form, 10, 40, 120, 24, true);
  Click(c);
  EXPECT_TRUE(c->Checked());
  Click(c);
  EXPECT_FALSE(c->Checked());
  EXPECT_EQ(2u, Clicks.size());  // checked, then unchecked
  Clicks.clear();
  Click(r);
  EXPECT_TRUE(r->Checked());
  EXPECT_EQ(1u, Clicks.size());
  // A radio box already checked: nothing changes, nothing fires.
  Click(r);
  EXPECT_TRUE(r->Checked());
  EXPECT_EQ(1u, Clicks.size());
}

TEST_F(SkinCheckRadioBoxTest, ReleaseOutsideTogglesNothing) {
  auto* c = MakeBox(Form, 10, 10, 120, 24, false);
  Hover(c, true);
  SimulateMouse(c, WM_LBUTTONDOWN, 8, 10, MK_LBUTTON);
  EXPECT_TRUE(c->MouseIn());
  Hover(c, false, MK_LBUTTON);
  EXPECT_FALSE(c->MouseIn());
  SimulateMouse(c, WM_LBUTTONUP, 200, 80, 0);
  EXPECT_FALSE(c->Checked());
  EXPECT_TRUE(Clicks.empty());
}

TEST_F(SkinCheckRadioBoxTest, GroupIndexUnchecksTheOthersOfTheSameParent) {
  auto* a = MakeBox(Form, 10, 10, 120, 24, true);
  auto* b = MakeBox(Form, 10, 40, 120, 24, true);
  auto* c = MakeBox(Form, 10, 70, 120, 24, true);
  auto* other = MakeBox(Form, 10, 100, 120, 24, true);
  auto* elsewhere = Make<TbsSkinGroupBox>(200, 10, 150, 100);
  auto* inner = MakeBox(elsewhere, 5, 30, 120, 24, true);
  for (auto* x : {a, b, c, inner}) x->SetGroupIndex(1);
  other->SetGroupIndex(2);
  other->SetChecked(true);
  inner->SetChecked(true);
  a->SetChecked(true);
  Clicks.clear();
  Click(b);
  EXPECT_FALSE(a->Checked());
  EXPECT_TRUE(b->Checked());
  EXPECT_FALSE(c->Checked());
  EXPECT_TRUE(other->Checked());
  EXPECT_TRUE(inner->Checked());
  // Only the newly checked box fired; the one it unchecked fired nothing.
  ASSERT_EQ(1u, Clicks.size());
  EXPECT_EQ(b, Clicks[0]);
}

TEST_F(SkinCheckRadioBoxTest, SpaceOnKeyUpAndAccelerators) {
  auto* c = MakeBox(Form, 10, 10, 120, 24, false);
  c->SetCaption("&Loop");
  c->SetFocus();
  ASSERT_TRUE(testsupport::WaitUntil([&] { return c->Focused(); }, 2000));
  SimulateKey(c, WM_KEYDOWN, VK_SPACE);
  EXPECT_FALSE(c->Checked());
  SimulateKey(c, WM_KEYUP, VK_SPACE);
  EXPECT_TRUE(c->Checked());
  // Not focusable in the box's sense: Space does nothing.
  c->SetCanFocused(false);
  SimulateKey(c, WM_KEYUP, VK_SPACE);
  EXPECT_TRUE(c->Checked());
  // Its accelerator: only while focusable; takes the focus and toggles.
  auto* d = MakeBox(Form, 10, 40, 120, 24, false);
  d->SetCaption("E&cho");
  EXPECT_EQ(0, c->Perform(CM_DIALOGCHAR, 'l', 0));
  EXPECT_EQ(0, d->Perform(CM_DIALOGCHAR, 'x', 0));
  EXPECT_EQ(1, d->Perform(CM_DIALOGCHAR, 'C', 0));
  EXPECT_TRUE(d->Checked());
  EXPECT_TRUE(testsupport::WaitUntil([&] { return d->Focused(); }, 2000));
}

TEST_F(SkinCheckRadioBoxTest, ClickHandlerMayFreeTheBox) {
  auto* c = MakeBox(Form, 10, 10, 120, 24, false);
  c->OnClick = [c](TObject*) { delete c; };
  Click(c);
  EXPECT_EQ(0, Form->ControlCount());
}

// A check box linked in a stored layout takes the action's state and follows it without
// running it; toggled, it runs the action (with no OnClick of its own).
TEST_F(SkinCheckRadioBoxTest, StoredBoxFollowsAndRunsItsAction) {
  auto form = ReadStoredForm(R"(  object Loop: TAction
    Caption = 'Loop'
    Checked = True
  end
  object Box: TbsSkinCheckRadioBox
    Action = Loop
  end
)");
  auto* box = dynamic_cast<TbsSkinCheckRadioBox*>(form->FindComponent("Box"));
  auto* action = dynamic_cast<TAction*>(form->FindComponent("Loop"));
  ASSERT_TRUE(box && action);
  EXPECT_EQ("Loop", box->Caption());
  EXPECT_TRUE(box->Checked());
  int executed = 0;
  action->OnExecute = [&](TObject*) { ++executed; };
  action->SetChecked(false);
  EXPECT_FALSE(box->Checked());
  EXPECT_EQ(0, executed);
  box->Toggle();
  EXPECT_EQ(1, executed);
  delete action;
  EXPECT_EQ(nullptr, box->Action());
}

}  // namespace
