// The skin scroll bar without a skin: range and page rules, arrow and page repeat under
// simulated timer ticks, thumb dragging, keys and wheel, and the flat look's geometry.
#include "framework/graphics/Canvas.h"
#include "skin/controls/SkinScrollBar.h"
#include "tests/skin/controls/gui/SkinControlsFixture.h"

using namespace skincontrolstest;

namespace {

class SkinScrollBarTest : public SkinControlsFixture {
 protected:
  TbsSkinScrollBar* MakeBar(TScrollBarKind kind = sbHorizontal) {
    auto* b = new TbsSkinScrollBar(Form);
    b->SetParent(Form);
    b->SetKind(kind);
    if (kind == sbHorizontal)
      b->SetBounds(10, 10, 200, 19);
    else
      b->SetBounds(10, 10, 19, 200);
    b->OnChange = [this](TObject*) { ++Changes; };
    b->OnLastChange = [this](TObject*) { ++LastChanges; };
    b->OnPageUp = [this](TObject*) { ++PageUps; };
    b->OnPageDown = [this](TObject*) { ++PageDowns; };
    return b;
  }
  static void Tick(TbsSkinScrollBar* b) { b->Perform(WM_TIMER, TbsSkinScrollBar::RepeatTimerId, 0); }
  static void Press(TWinControl* c, int x, int y) {
    SimulateMouse(c, WM_MOUSEMOVE, x, y);
    SimulateMouse(c, WM_LBUTTONDOWN, x, y, MK_LBUTTON);
  }
  static void Drag(TWinControl* c, int x, int y) { SimulateMouse(c, WM_MOUSEMOVE, x, y, MK_LBUTTON); }
  static void Release(TWinControl* c, int x, int y) { SimulateMouse(c, WM_LBUTTONUP, x, y, 0); }
  static int Ink(const TBitmap& b, const TRect& r, TColor c) { return CountColor(b, r, c); }
  int Changes = 0, LastChanges = 0, PageUps = 0, PageDowns = 0;
};

TEST_F(SkinScrollBarTest, ConstructedAsTheClassDefaults) {
  auto* b = new TbsSkinScrollBar(Form);
  EXPECT_EQ(200, b->Width());
  EXPECT_EQ(19, b->Height());
  EXPECT_EQ(19, b->DefaultHeight());
  EXPECT_EQ("hscrollbar", b->SkinDataName());
  EXPECT_EQ(sbHorizontal, b->Kind());
  EXPECT_EQ(0, b->Min());
  EXPECT_EQ(100, b->Max());
  EXPECT_EQ(0, b->PageSize());
  EXPECT_EQ(1, b->SmallChange());
  EXPECT_EQ(1, b->LargeChange());
  EXPECT_EQ(19, b->BothMarkerWidth());
  EXPECT_EQ("bothhscrollbar", b->BothSkinDataName());
  EXPECT_FALSE(b->TabStop() || b->CanFocused() || b->Both());
  b->SetBothMarkerWidth(-3);
  EXPECT_EQ(19, b->BothMarkerWidth());
  b->SetCanFocused(true);
  EXPECT_TRUE(b->TabStop());
  b->SetBoth(true);
  EXPECT_EQ("bothhscrollbar", b->SkinDataName());
  b->SetBoth(false);
  EXPECT_EQ("hscrollbar", b->SkinDataName());
}

TEST_F(SkinScrollBarTest, PositionIsClampedAndFiresOnlyOnChange) {
  auto* b = MakeBar();
  b->SetPosition(150);
  EXPECT_EQ(100, b->Position());
  EXPECT_EQ(1, Changes);
  b->SetPosition(100);  // unchanged: nothing
  EXPECT_EQ(1, Changes);
  b->SetPosition(-4);
  EXPECT_EQ(0, b->Position());
  EXPECT_EQ(2, Changes);
  b->SetParams(10, 60, 0, 99);  // never fires
  EXPECT_EQ(60, b->Position());
  EXPECT_EQ(2, Changes);
  b->SetMax(40);
  EXPECT_EQ(40, b->Position());
  b->SetMin(45);
  EXPECT_EQ(45, b->Position());
  EXPECT_EQ(2, Changes);
  // Min above Max pins the position to Min; the bar still paints.
  b->SetParams(10, 5, 0, 7);
  EXPECT_EQ(10, b->Position());
  b->SetPosition(3);
  EXPECT_EQ(10, b->Position());
  EXPECT_GT(Shot(b).Width(), 0);
}

TEST_F(SkinScrollBarTest, PageSizeLimitsThePositionAndIsRefusedWhenItDoesNotFit) {
  auto* b = MakeBar();
  b->SetParams(0, 99, 10, 0);
  b->SetPosition(95);
  EXPECT_EQ(90, b->Position());
  b->SetMax(49);  // the top is now 40
  EXPECT_EQ(40, b->Position());

  b->SetParams(0, 99, 0, 95);
  b->SetPageSize(10);  // 100 < 10 + 95
  EXPECT_EQ(0, b->PageSize());
  b->SetPageSize(5);  // exactly fits
  EXPECT_EQ(5, b->PageSize());
  b->SetPageSize(-3);
  EXPECT_EQ(5, b->PageSize());
  b->SetParams(0, 99, -8, 99);  // a negative page counts as none
  EXPECT_EQ(0, b->PageSize());
  EXPECT_EQ(99, b->Position());
  // The fit is measured from Min, not from zero.
  b->SetParams(50, 99, 0, 50);
  b->SetPageSize(10);
  EXPECT_EQ(10, b->PageSize());
}

TEST_F(SkinScrollBarTest, DefaultGeometryOfBothKinds) {
  auto* h = MakeBar();
  EXPECT_EQ(Rect(1, 1, 17, 18), h->PartRect(TbsSkinScrollBar::DecPart));
  EXPECT_EQ(Rect(183, 1, 199, 18), h->PartRect(TbsSkinScrollBar::IncPart));
  EXPECT_EQ(Rect(17, 1, 183, 18), h->TrackRect());
  EXPECT_EQ(Rect(17, 1, 33, 18), h->PartRect(TbsSkinScrollBar::ThumbPart));
  h->SetPosition(50);  // offset round(0.5 * (166 - 16))
  EXPECT_EQ(Rect(92, 1, 108, 18), h->PartRect(TbsSkinScrollBar::ThumbPart));
  h->SetParams(0, 99, 10, 90);  // length round(166 * 10 / 100) = 17 -> 2 * 8
  EXPECT_EQ(Rect(167, 1, 183, 18), h->PartRect(TbsSkinScrollBar::ThumbPart));
  h->SetParams(0, 99, 50, 25);  // length 83 -> 82, k' = 25 / 50
  EXPECT_EQ(Rect(17 + 42, 1, 17 + 42 + 82, 18), h->PartRect(TbsSkinScrollBar::ThumbPart));
  h->SetBoth(true);
  EXPECT_EQ(Rect(164, 1, 180, 18), h->PartRect(TbsSkinScrollBar::IncPart));

  auto* v = MakeBar(sbVertical);
  EXPECT_EQ(Rect(1, 1, 18, 17), v->PartRect(TbsSkinScrollBar::DecPart));
  EXPECT_EQ(Rect(1, 183, 18, 199), v->PartRect(TbsSkinScrollBar::IncPart));
  v->SetPosition(100);
  EXPECT_EQ(Rect(1, 167, 18, 183), v->PartRect(TbsSkinScrollBar::ThumbPart));
}

TEST_F(SkinScrollBarTest, ArrowRepeatsAfter500ThenEvery50AndPausesOffTheArrow) {
  auto* b = MakeBar();
  Press(b, 190, 9);
  EXPECT_EQ(1, b->Position());
  EXPECT_TRUE(b->PartDown(TbsSkinScrollBar::IncPart));
  EXPECT_EQ(2, b->TimerMode());
  EXPECT_EQ(500u, b->TimerInterval());
  Tick(b);  // the first delay ends: no step, the timer speeds up
  EXPECT_EQ(1, b->Position());
  EXPECT_EQ(50u, b->TimerInterval());
  Tick(b);
  Tick(b);
  EXPECT_EQ(3, b->Position());
  Drag(b, 100, 9);  // off the arrow: paused
  EXPECT_FALSE(b->PartHot(TbsSkinScrollBar::IncPart));
  EXPECT_EQ(0u, b->TimerInterval());
  Tick(b);  // a tick already queued does nothing
  EXPECT_EQ(3, b->Position());
  Drag(b, 192, 10);  // back: resumes at 50 ms
  EXPECT_EQ(50u, b->TimerInterval());
  Tick(b);
  EXPECT_EQ(4, b->Position());
  Release(b, 192, 10);
  EXPECT_EQ(0u, b->TimerInterval());
  EXPECT_EQ(0, b->TimerMode());
  EXPECT_FALSE(b->PartDown(TbsSkinScrollBar::IncPart));
  EXPECT_EQ(4, Changes);

  // The decreasing arrow with a handler of its own: the handler replaces the step.
  int handled = 0;
  b->OnDownButtonClick = [&](TObject*) { ++handled; };
  Press(b, 8, 9);
  Tick(b);
  Tick(b);
  Release(b, 8, 9);
  EXPECT_EQ(2, handled);
  EXPECT_EQ(4, b->Position());
}

TEST_F(SkinScrollBarTest, PageRepeatStopsWhenTheThumbReachesThePointer) {
  auto* b = MakeBar();
  b->SetLargeChange(10);
  Press(b, 150, 9);
  EXPECT_EQ(10, b->Position());
  EXPECT_EQ(1, PageDowns);
  EXPECT_EQ(4, b->TimerMode());
  Tick(b);  // the first delay
  EXPECT_EQ(10, b->Position());
  for (int i = 0; i < 7; ++i) Tick(b);
  EXPECT_EQ(80, b->Position());  // the thumb (98 .. 113 + 17) now covers x = 150
  Tick(b);
  EXPECT_EQ(80, b->Position());
  EXPECT_EQ(0, b->TimerMode());
  EXPECT_EQ(0u, b->TimerInterval());
  EXPECT_EQ(8, PageDowns);
  Release(b, 150, 9);

  Press(b, 20, 9);  // before the thumb
  EXPECT_EQ(70, b->Position());
  EXPECT_EQ(1, PageUps);
  EXPECT_EQ(3, b->TimerMode());
  Release(b, 20, 9);  // the release ends the repeat
  EXPECT_EQ(0, b->TimerMode());
  EXPECT_EQ(0u, b->TimerInterval());
}

TEST_F(SkinScrollBarTest, ThumbDragFiresPerPositionAndLastChangeOnceAtRelease) {
  auto* b = MakeBar();
  Press(b, 25, 9);
  EXPECT_TRUE(b->Dragging());
  EXPECT_EQ(0, Changes);
  Drag(b, 28, 9);  // 3 of 150 pixels of travel: 2
  EXPECT_EQ(2, b->Position());
  Drag(b, 28, 12);  // across only: same position, no event
  Drag(b, 100, 9);  // 75 / 150
  EXPECT_EQ(50, b->Position());
  Drag(b, 400, 9);
  EXPECT_EQ(100, b->Position());
  Drag(b, 500, 9);
  EXPECT_EQ(3, Changes);
  EXPECT_EQ(0, LastChanges);
  Drag(b, -50, 9);
  EXPECT_EQ(0, b->Position());
  Release(b, -50, 9);
  EXPECT_EQ(4, Changes);
  EXPECT_EQ(1, LastChanges);
  EXPECT_FALSE(b->Dragging());
  Drag(b, 90, 9);  // no longer dragging
  EXPECT_EQ(0, b->Position());

  // With a page the span is Max - Min - PageSize + 1.
  b->SetParams(0, 99, 10, 0);
  Press(b, 25, 9);
  Drag(b, 25 + 75, 9);  // half of 150
  EXPECT_EQ(45, b->Position());
  Release(b, 100, 9);
  EXPECT_EQ(2, LastChanges);
}

TEST_F(SkinScrollBarTest, KeysAndWheelOnAFocusableBar) {
  auto* b = MakeBar();
  EXPECT_EQ(DLGC_WANTARROWS, b->Perform(WM_GETDLGCODE, 0, 0) & DLGC_WANTARROWS);
  SimulateWheel(b, 50, 9, -120);  // not focusable: the wheel does nothing
  EXPECT_EQ(0, b->Position());
  b->SetCanFocused(true);
  b->SetFocus();
  testsupport::Pump(5);
  ASSERT_TRUE(b->Focused());
  SimulateKey(b, WM_KEYDOWN, VK_RIGHT);
  SimulateKey(b, WM_KEYDOWN, VK_DOWN);
  EXPECT_EQ(2, b->Position());
  SimulateKey(b, WM_KEYDOWN, VK_LEFT);
  EXPECT_EQ(1, b->Position());
  SimulateWheel(b, 50, 9, -120);
  EXPECT_EQ(2, b->Position());
  SimulateWheel(b, 50, 9, 120);
  SimulateWheel(b, 50, 9, 120);
  EXPECT_EQ(0, b->Position());
}

TEST_F(SkinScrollBarTest, DefaultLookColoursByState) {
  auto* b = MakeBar();
  b->SetPosition(50);
  const TRect inc = b->PartRect(TbsSkinScrollBar::IncPart), dec = b->PartRect(TbsSkinScrollBar::DecPart);
  const TRect thumb = b->PartRect(TbsSkinScrollBar::ThumbPart);
  Pic normal = Shot(b);
  SaveArtifact(normal, "skin_scrollbar_default_normal");
  EXPECT_EQ(Face, normal.Pixel(0, 0));
  EXPECT_EQ(Face, normal.Pixel(60, 9));  // track
  for (TRect r : {inc, dec, thumb}) {
    EXPECT_EQ(Shadow, normal.Pixel(r.Left, r.Top));
    EXPECT_EQ(Shadow, normal.Pixel(r.Right - 1, r.Bottom - 1));
    EXPECT_EQ(Face, normal.Pixel(r.Left + 1, r.Top + 1));
  }
  EXPECT_GT(Ink(normal, inc, clBlack), 4);
  EXPECT_GT(Ink(normal, dec, clBlack), 4);
  EXPECT_EQ(0, Ink(normal, thumb, clBlack));
  // The increasing arrow points right: its ink leans to the right of the left arrow's.
  const TRect incInk = {inc.Left + 8, inc.Top, inc.Right, inc.Bottom};
  const TRect decInk = {dec.Left + 8, dec.Top, dec.Right, dec.Bottom};
  EXPECT_NE(Ink(normal, incInk, clBlack), Ink(normal, decInk, clBlack));

  SimulateMouse(b, WM_MOUSEMOVE, 190, 9);
  Pic hot = Shot(b);
  EXPECT_EQ(Navy, hot.Pixel(inc.Left, inc.Top));
  EXPECT_EQ(HotFill, hot.Pixel(inc.Left + 1, inc.Top + 1));
  EXPECT_EQ(Shadow, hot.Pixel(dec.Left, dec.Top));
  SimulateMouse(b, WM_LBUTTONDOWN, 190, 9, MK_LBUTTON);
  Pic down = Shot(b);
  SaveArtifact(down, "skin_scrollbar_default_arrow_down");
  EXPECT_EQ(Navy, down.Pixel(inc.Left, inc.Top));
  EXPECT_EQ(PressedFill, down.Pixel(inc.Left + 1, inc.Top + 1));
  Release(b, 190, 9);

  Press(b, thumb.Left + 4, 9);
  const TRect dragged = b->PartRect(TbsSkinScrollBar::ThumbPart);
  Pic drag = Shot(b);
  EXPECT_EQ(Navy, drag.Pixel(dragged.Left, dragged.Top));
  EXPECT_EQ(PressedFill, drag.Pixel(dragged.Left + 2, dragged.Top + 2));
  Release(b, thumb.Left + 4, 9);

  b->SetEnabled(false);
  Pic off = Shot(b);
  SaveArtifact(off, "skin_scrollbar_default_disabled");
  EXPECT_EQ(0, Ink(off, thumb, Shadow));  // no thumb
  EXPECT_EQ(Shadow, off.Pixel(inc.Left, inc.Top));
  EXPECT_GT(Ink(off, inc, clBlack), 4);

  b->SetEnabled(true);
  b->SetBoth(true);
  Pic both = Shot(b);
  SaveArtifact(both, "skin_scrollbar_default_both");
  EXPECT_EQ(Ink(both, Rect(181, 0, 200, 19), Face), 19 * 19);
  EXPECT_EQ(Shadow, both.Pixel(164, 1));
}

TEST_F(SkinScrollBarTest, VerticalDefaultLook) {
  auto* v = MakeBar(sbVertical);
  v->SetPosition(100);
  Pic p = Shot(v);
  SaveArtifact(p, "skin_scrollbar_default_vertical");
  const TRect up = v->PartRect(TbsSkinScrollBar::DecPart), down = v->PartRect(TbsSkinScrollBar::IncPart);
  const TRect thumb = v->PartRect(TbsSkinScrollBar::ThumbPart);
  for (TRect r : {up, down, thumb}) EXPECT_EQ(Shadow, p.Pixel(r.Left, r.Top));
  EXPECT_EQ(Face, p.Pixel(9, 100));
  // Up and down arrows: ink in the upper / lower rows respectively differs.
  EXPECT_NE(Ink(p, Rect(up.Left, up.Top, up.Right, up.Top + 8), clBlack),
            Ink(p, Rect(down.Left, down.Top, down.Right, down.Top + 8), clBlack));
}

TEST_F(SkinScrollBarTest, LeavingTheBarDuringAPageRepeat) {
  auto* b = MakeBar();
  b->SetLargeChange(10);
  b->SetPosition(50);
  Press(b, 180, 9);  // after the thumb: page down
  ASSERT_EQ(4, b->TimerMode());
  b->Perform(CM_MOUSELEAVE, 0, 0);
  EXPECT_EQ(0, b->TimerMode());
  EXPECT_EQ(0u, b->TimerInterval());
  Release(b, 180, 9);
  Press(b, 20, 9);  // before the thumb: page up keeps running outside
  ASSERT_EQ(3, b->TimerMode());
  b->Perform(CM_MOUSELEAVE, 0, 0);
  EXPECT_EQ(3, b->TimerMode());
  Release(b, 20, 9);
  // Hover is dropped on leaving when nothing is held.
  SimulateMouse(b, WM_MOUSEMOVE, 8, 9);
  ASSERT_TRUE(b->PartHot(TbsSkinScrollBar::DecPart));
  b->Perform(CM_MOUSELEAVE, 0, 0);
  EXPECT_FALSE(b->PartHot(TbsSkinScrollBar::DecPart));
}

TEST_F(SkinScrollBarTest, APressTakesTheFocusOfAFocusableBar) {
  auto* other = MakeBar();
  other->SetTop(60);
  other->SetCanFocused(true);
  other->SetFocus();
  testsupport::Pump(5);
  auto* b = MakeBar();
  Press(b, 150, 9);  // not focusable: the focus stays
  Release(b, 150, 9);
  EXPECT_TRUE(other->Focused());
  b->SetCanFocused(true);
  Press(b, 150, 9);
  Release(b, 150, 9);
  EXPECT_TRUE(b->Focused());
  EXPECT_EQ(2 * b->LargeChange(), b->Position());
  // Focused, the thumb shows pressed.
  const TRect t = b->PartRect(TbsSkinScrollBar::ThumbPart);
  EXPECT_EQ(PressedFill, Shot(b).Pixel(t.Left + 2, t.Top + 2));
}

// A stored vertical bar keeps the bounds it was stored with (only designing swaps them),
// and its change handler, bound by name, hears later changes.
TEST_F(SkinScrollBarTest, StoredVerticalBarKeepsItsBoundsAndBindsItsHandler) {
  int changes = 0;
  auto form = ReadStoredForm(R"(  object Bar: TbsSkinScrollBar
    Width = 19
    Height = 200
    Kind = sbVertical
    OnChange = BarChange
  end
)", {{"BarChange", [&changes] { ++changes; }}});
  auto* b = dynamic_cast<TbsSkinScrollBar*>(form->FindComponent("Bar"));
  ASSERT_TRUE(b);
  EXPECT_EQ(19, b->Width());
  EXPECT_EQ(200, b->Height());
  EXPECT_EQ(0, changes);
  b->SetPosition(20);
  EXPECT_EQ(1, changes);
}

}  // namespace
