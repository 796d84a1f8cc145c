// The skin speed button: its default looks (normal, hot, pressed, flat and transparent
// over a coloured parent, glyph cells), the press and release rules without the focus,
// sticky groups, auto-repeat, captions, the Slate images and the skin-change walk, and
// bad sizes and captions.
#include "framework/actions/Action.h"
#include "framework/graphics/Canvas.h"
#include "skin/controls/SkinButton.h"
#include "skin/controls/SkinButtonGlyphs.h"
#include "skin/controls/SkinPanel.h"
#include "skin/controls/SkinSpeedButton.h"
#include "tests/skin/controls/gui/SkinControlsFixture.h"

using namespace skincontrolstest;

namespace {

using testsupport::ShotOf;

class SkinSpeedButtonTest : public SkinControlsFixture {
 protected:
  void SetUp() override {
    SkinControlsFixture::SetUp();
    Panel = Make<TbsSkinPanel>(10, 10, 400, 200);
    Panel->SetBorderStyle(bvNone);
  }
  TbsSkinSpeedButton* MakeSpeed(int x, int y, int w, int h) {
    auto* b = new TbsSkinSpeedButton(Form);
    b->SetParent(Panel);
    b->SetBounds(x, y, w, h);
    b->OnClick = [this](TObject*) { ++Clicks; };
    return b;
  }
  void Press(TbsSkinSpeedButton* b, int dx = 5, int dy = 5) {
    SimulateMouse(Panel, WM_LBUTTONDOWN, b->Left() + dx, b->Top() + dy, MK_LBUTTON);
  }
  void Release(TbsSkinSpeedButton* b, int dx = 5, int dy = 5) {
    SimulateMouse(Panel, WM_LBUTTONUP, b->Left() + dx, b->Top() + dy, 0);
  }
  void Click(TbsSkinSpeedButton* b) {
    Press(b);
    Release(b);
  }
  void MoveTo(int x, int y, WPARAM keys = 0) { SimulateMouse(Panel, WM_MOUSEMOVE, x, y, keys); }
  static Pic Strip(std::initializer_list<TColor> cells, int size) {
    Pic p;
    TBitmap& g = *p.B;
    g.SetSize(size * int(cells.size()), size);
    int i = 0;
    for (TColor c : cells) {
      g.Canvas()->Brush()->Color = c;
      g.Canvas()->FillRect(Bounds(i * size, 0, size, size));
      ++i;
    }
    // The transparent key is each cell's bottom-left pixel: mark it magenta.
    for (int k = 0; k < int(cells.size()); ++k) g.SetPixel(k * size, size - 1, clFuchsia);
    return p;
  }
  TbsSkinPanel* Panel = nullptr;
  int Clicks = 0;
};

TEST_F(SkinSpeedButtonTest, DefaultLooksFollowHoverAndPress) {
  auto* b = MakeSpeed(20, 20, 30, 25);
  EXPECT_EQ(b->SkinDataName(), "toolbutton");
  EXPECT_FALSE(b->Flat());
  Pic normal = ShotOf(Panel, b);
  SaveArtifact(normal, "speed_button_default_normal");
  EXPECT_EQ(normal.Pixel(0, 0), Shadow);
  EXPECT_EQ(normal.Pixel(29, 24), Shadow);
  EXPECT_EQ(normal.Pixel(1, 1), Face);
  EXPECT_EQ(normal.Pixel(15, 12), Face);

  MoveTo(30, 30);
  ASSERT_TRUE(b->MouseIn());
  Pic hot = ShotOf(Panel, b);
  SaveArtifact(hot, "speed_button_default_hot");
  EXPECT_EQ(hot.Pixel(0, 0), Navy);
  EXPECT_EQ(hot.Pixel(29, 12), Navy);
  EXPECT_EQ(hot.Pixel(1, 1), HotFill);

  Press(b);
  ASSERT_TRUE(b->Down());
  Pic down = ShotOf(Panel, b);
  SaveArtifact(down, "speed_button_default_down");
  EXPECT_EQ(down.Pixel(0, 24), Navy);
  EXPECT_EQ(down.Pixel(1, 1), PressedFill);
  Release(b);
  EXPECT_FALSE(b->Down());
  EXPECT_EQ(Clicks, 1);
}

TEST_F(SkinSpeedButtonTest, FlatTransparentButtonShowsTheParentUntilHovered) {
  auto* b = MakeSpeed(20, 10, 30, 30);
  Pic glyph = Strip({clRed}, 8);
  b->SetGlyph(glyph.B.get());
  b->SetMargin(2);
  b->SetFlat(true);
  EXPECT_TRUE(b->Transparent());
  EXPECT_FALSE(b->ControlStyle().Contains(csOpaque));
  Pic rest = ShotOf(Panel, b);
  SaveArtifact(rest, "speed_button_flat_rest");
  // Over the parent: no frame and no fill, only the glyph (x = margin, y = 15 - 4).
  EXPECT_EQ(rest.Pixel(0, 0), Face);
  EXPECT_EQ(rest.Pixel(29, 29), Face);
  EXPECT_EQ(rest.Pixel(2, 11), clRed);
  EXPECT_EQ(rest.Pixel(9, 17), clRed);
  EXPECT_EQ(rest.Pixel(2, 18), Face) << "the glyph's key colour is transparent";

  MoveTo(25, 15);
  ASSERT_TRUE(b->MouseIn());
  Pic hot = ShotOf(Panel, b);
  SaveArtifact(hot, "speed_button_flat_hot");
  EXPECT_EQ(hot.Pixel(0, 0), Navy);
  EXPECT_EQ(hot.Pixel(1, 1), HotFill);
  EXPECT_EQ(hot.Pixel(2, 11), clRed);

  // Pressed: the glyph moves one pixel right and down.
  Press(b);
  Pic down = ShotOf(Panel, b);
  EXPECT_EQ(down.Pixel(1, 1), PressedFill);
  EXPECT_EQ(down.Pixel(2, 11), PressedFill);
  EXPECT_EQ(down.Pixel(3, 12), clRed);
  Release(b);
}

TEST_F(SkinSpeedButtonTest, DisabledButtonShowsTheDisabledGlyphCell) {
  auto* b = MakeSpeed(20, 20, 30, 30);
  Pic glyph = Strip({clRed, clLime}, 8);
  b->SetGlyph(glyph.B.get());
  b->SetNumGlyphs(2);
  b->SetMargin(3);
  EXPECT_EQ(ShotOf(Panel, b).Pixel(5, 13), clRed);
  b->SetEnabled(false);
  Pic off = ShotOf(Panel, b);
  SaveArtifact(off, "speed_button_disabled");
  EXPECT_EQ(off.Pixel(5, 13), clLime);
  // A disabled button takes no press.
  Click(b);
  EXPECT_EQ(Clicks, 0);
  EXPECT_FALSE(b->Down());
}

TEST_F(SkinSpeedButtonTest, ClickingNeverMovesTheFocus) {
  auto* other = Make<TbsSkinButton>(10, 260, 80, 25);
  other->SetFocus();
  testsupport::Pump(5);
  ASSERT_TRUE(other->Focused());
  auto* b = MakeSpeed(20, 20, 30, 25);
  Click(b);
  Click(b);
  EXPECT_EQ(Clicks, 2);
  EXPECT_TRUE(other->Focused());
  EXPECT_EQ(GetFocus(), other->Handle());
  EXPECT_EQ(Form->ActiveControl(), other);
}

TEST_F(SkinSpeedButtonTest, PressMoveOffAndReleaseDoesNotClick) {
  auto* b = MakeSpeed(20, 20, 30, 25);
  Press(b);
  MoveTo(200, 150, MK_LBUTTON);
  EXPECT_FALSE(b->MouseIn());
  Release(b, 180, 130);
  EXPECT_EQ(Clicks, 0);
  EXPECT_FALSE(b->Down());
  // Off and back on before the release: one click.
  Press(b);
  MoveTo(200, 150, MK_LBUTTON);
  MoveTo(25, 25, MK_LBUTTON);
  Release(b);
  EXPECT_EQ(Clicks, 1);
}

TEST_F(SkinSpeedButtonTest, GroupButtonsStayDownAndReleaseEachOther) {
  auto* a = MakeSpeed(20, 20, 30, 25);
  auto* b = MakeSpeed(60, 20, 30, 25);
  auto* c = MakeSpeed(100, 20, 30, 25);
  a->SetGroupIndex(1);
  b->SetGroupIndex(1);
  c->SetGroupIndex(2);
  c->SetDown(true);
  Click(a);
  EXPECT_TRUE(a->Down());
  EXPECT_EQ(Clicks, 1) << "a group button clicks on the press";
  Click(b);
  EXPECT_TRUE(b->Down());
  EXPECT_FALSE(a->Down());
  EXPECT_TRUE(c->Down()) << "another group is left alone";
  // Pressing the down button again does nothing without AllowAllUp.
  Click(b);
  EXPECT_TRUE(b->Down());
  EXPECT_EQ(Clicks, 2);
  // A down group button keeps the pressed look without the pointer.
  MoveTo(300, 150);
  EXPECT_EQ(ShotOf(Panel, b).Pixel(1, 1), PressedFill);
  // With AllowAllUp a second click releases it, and clicks.
  b->SetAllowAllUp(true);
  Click(b);
  EXPECT_FALSE(b->Down());
  EXPECT_EQ(Clicks, 3);
  // AllowAllUp: going down does not release the others.
  a->SetAllowAllUp(true);
  a->SetDown(true);
  b->SetDown(true);
  EXPECT_TRUE(a->Down());
}

TEST_F(SkinSpeedButtonTest, RepeatModeClicksWhileHeldAndOnceOnRelease) {
  auto* b = MakeSpeed(20, 20, 30, 25);
  b->SetRepeatMode(true);
  b->SetRepeatInterval(20);
  Press(b);
  EXPECT_TRUE(b->Repeating());
  ASSERT_TRUE(testsupport::WaitUntil([&] { return Clicks >= 3; }, 2000));
  // Off the button the repeat pauses; back on it goes on.
  MoveTo(300, 150, MK_LBUTTON);
  EXPECT_FALSE(b->Repeating());
  const int paused = Clicks;
  testsupport::Pump(80);
  EXPECT_EQ(Clicks, paused);
  MoveTo(25, 25, MK_LBUTTON);
  EXPECT_TRUE(b->Repeating());
  // No tick runs between here and the release (no event loop): the release alone clicks.
  const int held = Clicks;
  Release(b);
  EXPECT_FALSE(b->Repeating());
  const int after = Clicks;
  EXPECT_EQ(after, held + 1) << "released once more";
  testsupport::Pump(60);
  EXPECT_EQ(Clicks, after) << "no click after the release";
}

TEST_F(SkinSpeedButtonTest, ShowCaptionSwitchesBetweenTheTwoWidths) {
  auto* b = MakeSpeed(20, 20, 30, 25);
  b->SetCaption("Open");
  b->SetShowCaption(false);
  EXPECT_EQ(b->Width(), 30) << "without both widths only the look changes";
  b->SetWidthWithCaption(70);
  b->SetWidthWithoutCaption(26);
  b->SetShowCaption(true);
  EXPECT_EQ(b->Width(), 70);
  b->SetShowCaption(false);
  EXPECT_EQ(b->Width(), 26);
  // Without the caption nothing but the face is drawn inside the frame.
  Pic p = ShotOf(Panel, b);
  EXPECT_EQ(CountColor(p, Rect(1, 1, 25, 24), Face), 24 * 23);
}

TEST_F(SkinSpeedButtonTest, LongCaptionsAndTinySizesStayInsideTheButton) {
  auto* b = MakeSpeed(20, 20, 30, 25);
  b->SetCaption(std::string(3000, 'W') + "\n" + std::string(500, 'x'));
  auto* tiny = MakeSpeed(80, 20, 2, 2);
  tiny->SetCaption("tiny");
  auto* none = MakeSpeed(120, 20, 0, 0);
  none->SetCaption("none");
  TBitmap all;
  PaintTo(Panel, &all);
  SaveArtifact(all, "speed_button_long_caption");
  // Nothing of the caption outside the button's own rectangle.
  EXPECT_EQ(CountColor(all, Rect(0, 0, 20, 60), Face), 20 * 60);
  EXPECT_EQ(CountColor(all, Rect(50, 0, 80, 60), Face), 30 * 60);
  EXPECT_EQ(CountColor(all, Rect(20, 45, 50, 60), Face), 30 * 15);
  EXPECT_EQ(all.Pixel(80, 20), Shadow);
  // With the Slate record, whose corners are larger than the button.
  LoadSlate();
  for (auto* x : {b, tiny, none}) x->SetSkinData(SkinData);
  tiny->SetBounds(80, 20, 3, 3);
  PaintTo(Panel, &all);
  EXPECT_EQ(CountColor(all, Rect(0, 0, 20, 60), Face), 20 * 60);
  EXPECT_EQ(CountColor(all, Rect(84, 0, 120, 60), Face), 36 * 60);
}

TEST_F(SkinSpeedButtonTest, LinkedActionGivesCaptionAndStateAndRunsWithoutOnClick) {
  auto* action = new TAction(Form);
  action->SetCaption("Back");
  int executed = 0;
  action->OnExecute = [&executed](TObject*) { ++executed; };
  auto* b = MakeSpeed(20, 20, 60, 25);
  b->OnClick = nullptr;
  b->SetAction(action);
  EXPECT_EQ(b->Caption(), "Back");
  action->SetEnabled(false);
  EXPECT_FALSE(b->Enabled());
  action->SetEnabled(true);
  Click(b);
  EXPECT_EQ(executed, 1);
  // The button's own handler wins.
  b->OnClick = [this](TObject*) { ++Clicks; };
  Click(b);
  EXPECT_EQ(executed, 1);
  EXPECT_EQ(Clicks, 1);
  delete action;
  EXPECT_EQ(b->Action(), nullptr);
}

// ---- Slate ------------------------------------------------------------------------------
class SkinSpeedButtonSkinTest : public SkinSpeedButtonTest {
 protected:
  const TbsDataSkinButtonControl& Rec(const std::string& name) const {
    return *dynamic_cast<const TbsDataSkinButtonControl*>(Record(name));
  }
  // Slate's 24 x 24 tool cells: the button faces' gradients in a square one-pixel border.
  static FaceLook Cell(TColor border, TColor row1) { return {border, border, border, row1}; }
};

TEST_F(SkinSpeedButtonSkinTest, StateImagesComeFromTheToolButtonRecord) {
  LoadSlate();
  auto* b = MakeSpeed(20, 20, 47, 33);
  b->SetSkinData(SkinData);
  ASSERT_NE(b->SkinIndex(), -1);
  ASSERT_EQ(b->ResizeMode(), rmBoth);
  const TColor offBorder = RGB(160, 160, 160);
  Pic normal = ShotOf(Panel, b);
  SaveArtifact(normal, "speed_button_slate_normal");
  EXPECT_TRUE(ShowsFace(normal, Cell(offBorder, NormalLook.row1)));
  EXPECT_EQ(RGB(207, 213, 222), normal.Pixel(23, 31));  // row 22 of 24, in the kept bottom
  MoveTo(30, 30);
  Pic hot = ShotOf(Panel, b);
  SaveArtifact(hot, "speed_button_slate_hot");
  EXPECT_TRUE(ShowsFace(hot, Cell(HotLook.border, HotLook.row1)));
  Press(b);
  Pic down = ShotOf(Panel, b);
  SaveArtifact(down, "speed_button_slate_down");
  EXPECT_TRUE(ShowsFace(down, Cell(DownLook.border, DownLook.row1)));
  Release(b);
  EXPECT_EQ(Clicks, 1);
  MoveTo(300, 150);
  b->SetEnabled(false);
  EXPECT_TRUE(ShowsFace(ShotOf(Panel, b), Cell(offBorder, OffLook.row1)));
}

TEST_F(SkinSpeedButtonSkinTest, TransparentSkinnedButtonDrawsOnlyItsCaptionAtRest) {
  LoadSlate();
  auto* b = MakeSpeed(20, 20, 60, 30);
  b->SetSkinData(SkinData);
  b->SetCaption("Go");
  b->SetTransparent(true);
  Pic rest = ShotOf(Panel, b);
  SaveArtifact(rest, "speed_button_slate_transparent");
  EXPECT_EQ(rest.Pixel(0, 0), Face);
  EXPECT_EQ(rest.Pixel(59, 29), Face);
  EXPECT_LT(CountColor(rest, Rect(0, 0, 60, 30), Face), 60 * 30) << "the caption is drawn";
  MoveTo(30, 30);
  Pic hot = ShotOf(Panel, b);
  EXPECT_TRUE(ShowsFace(hot, Cell(HotLook.border, HotLook.row1))) << "hovered: the active image";
  EXPECT_EQ(RGB(172, 200, 237), hot.Pixel(57, 27));  // row 21 of 24, in the kept bottom
}

TEST_F(SkinSpeedButtonSkinTest, SkinChangeWalkReachesWindowlessButtons) {
  auto* b = MakeSpeed(20, 20, 40, 30);
  b->SetSkinData(SkinData);
  EXPECT_EQ(b->SkinIndex(), -1);
  LoadSlate();
  EXPECT_GT(SkinMessages[SKINMSG_CHANGE], 0);
  EXPECT_NE(b->SkinIndex(), -1) << "the form's walk applied the new skin";
  // A failed load: the record is forgotten before the old skin goes.
  SkinData->LoadFromStoredSkin(&Version4());
  EXPECT_EQ(b->SkinIndex(), -1);
  Pic p = ShotOf(Panel, b);
  EXPECT_EQ(p.Pixel(0, 0), Shadow) << "back to the default look";
}

// A window-less button has no window to own a timer: its hover fade runs on a TTimer,
// heads for the hot image while the pointer is in and back once it left, and a
// transparent button (no opaque images to blend) never fades.
TEST_F(SkinSpeedButtonSkinTest, HoverFadeRunsOnItsOwnTimer) {
  LoadSlate();
  auto* b = MakeSpeed(20, 20, 60, 30);
  b->SetSkinDataName("button");  // a record that fades
  b->SetSkinData(SkinData);
  ASSERT_NE(b->SkinIndex(), -1);
  ASSERT_TRUE(Rec("button").morphing);
  MoveTo(30, 30);
  EXPECT_TRUE(b->Morphing());
  EXPECT_TRUE(testsupport::WaitUntil([&] { return !b->Morphing(); }, 3000));
  EXPECT_EQ(1, b->MorphFactor());
  MoveTo(300, 150);
  EXPECT_TRUE(b->Morphing());
  EXPECT_TRUE(testsupport::WaitUntil([&] { return !b->Morphing(); }, 3000));
  EXPECT_EQ(0, b->MorphFactor());

  b->SetTransparent(true);
  MoveTo(30, 30);
  EXPECT_FALSE(b->Morphing());
  EXPECT_EQ(0, b->MorphFactor());
}

TEST_F(SkinSpeedButtonTest, StoredClickHandlerIsBoundByName) {
  int clicks = 0;
  auto form = ReadStoredForm(R"(  object Open: TbsSkinSpeedButton
    Caption = 'Open'
    OnClick = OpenClick
  end
)", {{"OpenClick", [&clicks] { ++clicks; }}});
  auto* open = dynamic_cast<TbsSkinSpeedButton*>(form->FindComponent("Open"));
  ASSERT_TRUE(open);
  open->ButtonClick();
  EXPECT_EQ(1, clicks);
}

}  // namespace
