// The skin button without a skin: its flat look in every state, glyph cells and caption
// placement, and its behaviour under simulated mouse, keys, timers and focus notices.
#include "framework/actions/Action.h"
#include "framework/controls/Button.h"
#include "framework/graphics/Canvas.h"
#include "skin/controls/SkinButton.h"
#include "tests/skin/controls/gui/SkinControlsFixture.h"

using namespace skincontrolstest;

namespace {

class SkinButtonTest : public SkinControlsFixture {
 protected:
  TbsSkinButton* MakeButton(int x, int y, const std::string& caption = "") {
    auto* b = Make<TbsSkinButton>(x, y, 75, 25);
    b->SetCaption(caption);
    b->OnClick = [this, b](TObject* s) {
      EXPECT_EQ(s, b);
      ++Clicks;
    };
    return b;
  }
  // The pointer comes over the button, then presses.
  static void Press(TWinControl* c, int x = 10, int y = 10) {
    if (!c->MouseInControl()) Hover(c, true);
    SimulateMouse(c, WM_LBUTTONDOWN, x, y, MK_LBUTTON);
  }
  static void Release(TWinControl* c, int x = 10, int y = 10) { SimulateMouse(c, WM_LBUTTONUP, x, y, 0); }
  static void FireRepeat(TbsSkinButton* b) { b->Perform(WM_TIMER, TbsSkinButton::RepeatTimerId, 0); }
  // The focus-changed notice the form passes to all its controls when the active control
  // changes.
  void AnnounceFocus(TWinControl* focused) {
    Form->Perform(CM_FOCUSCHANGED, 0, reinterpret_cast<LPARAM>(focused));
  }
  // Bounding box of pixels of colour c.
  static TRect InkBox(const TBitmap& b, TColor c) {
    TRect r{b.Width(), b.Height(), -1, -1};
    for (int y = 0; y < b.Height(); ++y)
      for (int x = 0; x < b.Width(); ++x)
        if (b.Pixel(x, y) == c) {
          r.Left = std::min(r.Left, x);
          r.Top = std::min(r.Top, y);
          r.Right = std::max(r.Right, x + 1);
          r.Bottom = std::max(r.Bottom, y + 1);
        }
    return r;
  }
  int Clicks = 0;
};

void ExpectFrameAndFill(const TBitmap& img, TColor frame, TColor fill) {
  const int w = img.Width(), h = img.Height();
  for (TPoint p : {Point(0, 0), Point(w - 1, 0), Point(0, h - 1), Point(w - 1, h - 1), Point(w / 2, 0),
                   Point(0, h / 2), Point(w - 1, h / 2), Point(w / 2, h - 1)})
    EXPECT_EQ(frame, img.Pixel(p.X, p.Y)) << p.X << "," << p.Y;
  for (TPoint p : {Point(1, 1), Point(w - 2, 1), Point(1, h - 2), Point(w - 2, h - 2)})
    EXPECT_EQ(fill, img.Pixel(p.X, p.Y)) << p.X << "," << p.Y;
}

TEST_F(SkinButtonTest, ConstructedAsTheClassDefaults) {
  auto* b = new TbsSkinButton(Form);
  EXPECT_EQ("button", b->SkinDataName());
  EXPECT_EQ(75, b->Width());
  EXPECT_EQ(25, b->Height());
  EXPECT_EQ(1, b->Spacing());
  EXPECT_EQ(-1, b->Margin());
  EXPECT_EQ(1, b->NumGlyphs());
  EXPECT_EQ(100, b->RepeatInterval());
  EXPECT_TRUE(b->TabStop());
  EXPECT_TRUE(b->CanFocused());
  EXPECT_FALSE(b->Down() || b->Default() || b->Cancel() || b->RepeatMode() || b->AllowAllUp());
  EXPECT_EQ(0, b->GroupIndex());
  b->SetMargin(-5);  // below -1: ignored
  EXPECT_EQ(-1, b->Margin());
  b->SetGroupIndex(3);
  EXPECT_FALSE(b->CanFocused());
}

TEST_F(SkinButtonTest, DefaultLookInEveryState) {
  auto* b = MakeButton(10, 10, "OK");
  Pic normal = Shot(b);
  SaveArtifact(normal, "skin_button_default_normal");
  ExpectFrameAndFill(normal, Shadow, Face);

  Hover(b, true);
  b->Invalidate();
  Pic hot = Shot(b);
  SaveArtifact(hot, "skin_button_default_hot");
  ExpectFrameAndFill(hot, Navy, HotFill);

  Press(b);
  ASSERT_TRUE(b->Down());
  Pic pressed = Shot(b);
  SaveArtifact(pressed, "skin_button_default_pressed");
  ExpectFrameAndFill(pressed, Navy, PressedFill);
  // The caption sinks by one pixel.
  const TRect up = InkBox(hot, clBlack), down = InkBox(pressed, clBlack);
  ASSERT_LT(up.Left, up.Right);
  EXPECT_EQ(up.Left + 1, down.Left);
  EXPECT_EQ(up.Top + 1, down.Top);
  Release(b);
  Hover(b, false);
  b->SetEnabled(false);
  Pic disabled = Shot(b);
  SaveArtifact(disabled, "skin_button_default_disabled");
  ExpectFrameAndFill(disabled, Shadow, Face);
  EXPECT_EQ(0, CountColor(disabled, Rect(1, 1, 74, 24), clBlack));
  EXPECT_GT(CountColor(disabled, Rect(1, 1, 74, 24), Shadow), 10);  // caption in the shadow colour
}

TEST_F(SkinButtonTest, FocusShowsAsTheHotLookWithoutAFocusRectangle) {
  auto* b = MakeButton(10, 10, "OK");
  b->SetFocus();
  ASSERT_TRUE(testsupport::WaitUntil([&] { return b->Focused(); }, 2000));
  b->Invalidate();
  Pic img = Shot(b);
  ExpectFrameAndFill(img, Navy, HotFill);
  EXPECT_EQ(0, CountColor(img, Rect(1, 1, 74, 24), clBlack) - CountColor(img, InkBox(img, clBlack), clBlack));
  // A button that cannot take the focus keeps the normal look with the focus.
  b->SetCanFocused(false);
  b->Invalidate();
  ExpectFrameAndFill(Shot(b), Shadow, Face);
}

TEST_F(SkinButtonTest, CaptionIsCentredAsTheRecorderLaysItOut) {
  auto* b = MakeButton(10, 10, "录制");
  b->SetBounds(10, 10, 59, 25);
  TFont f;
  f.SetName("宋体");
  f.SetHeight(-12);
  f.SetColor(clWindowText);
  b->SetDefaultFont(&f);
  TBitmap probe(10, 10);
  probe.Canvas()->Font()->Assign(&f);
  TRect m = Rect(0, 0, 0, 0);
  probe.Canvas()->DrawText("录制", m, DT_CALCRECT);
  const int tw = m.Width(), th = m.Height();
  const int tx = 29 + (tw + 1) / 2 - tw, ty = 12 - th / 2;
  Pic img = Shot(b);
  SaveArtifact(img, "skin_button_default_caption_59x25");
  const TRect ink = InkBox(img, clBlack);
  ASSERT_LT(ink.Left, ink.Right);
  EXPECT_GE(ink.Left, tx);
  EXPECT_LE(ink.Right, tx + tw + 2);
  EXPECT_GE(ink.Top, ty);
  EXPECT_LE(ink.Bottom, ty + th);
  // Centred within a pixel or two.
  EXPECT_LE(std::abs((ink.Left + ink.Right) - 59), 3);
}

// A 4-cell strip: cell k is 8 x 8 of colour k, its bottom-left pixel the transparent key.
Pic Strip(int cells) {
  const TColor colours[] = {clRed, clLime, clBlue, clYellow};
  Pic p;
  TBitmap& g = *p.B;
  g.SetSize(8 * cells, 8);
  for (int k = 0; k < cells; ++k) {
    g.Canvas()->Brush()->Color = colours[k];
    g.Canvas()->FillRect(Rect(8 * k, 0, 8 * k + 8, 8));
    g.SetPixel(8 * k, 7, clFuchsia);
  }
  return p;
}

TEST_F(SkinButtonTest, GlyphCellFollowsTheState) {
  auto* b = MakeButton(10, 10);
  // No caption, centred: glyph at (37 - (8 + 1) div 2, 12 - 4) = (33, 8).
  auto cellAt = [&](int dx) { return Shot(b).Pixel(35 + dx, 10 + dx); };
  Pic four = Strip(4);
  b->SetGlyph(four.B.get());
  b->SetNumGlyphs(4);
  EXPECT_EQ(clRed, cellAt(0));
  EXPECT_EQ(Face, Shot(b).Pixel(33, 15));  // the key pixel is transparent
  Hover(b, true);
  b->Invalidate();
  EXPECT_EQ(clYellow, cellAt(0));
  Press(b);
  EXPECT_EQ(clBlue, cellAt(1));
  Release(b);
  Hover(b, false);
  b->SetEnabled(false);
  Pic two = Strip(2);
  b->SetGlyph(two.B.get());
  b->SetNumGlyphs(2);
  EXPECT_EQ(clLime, cellAt(0));
  Pic one = Strip(1);
  b->SetGlyph(one.B.get());
  b->SetNumGlyphs(1);
  EXPECT_EQ(clRed, cellAt(0));

  // Layout and spacing place glyph and caption: with the glyph right of the caption and a
  // margin, the glyph's right edge is margin pixels from the button's edge.
  b->SetEnabled(true);
  b->SetCaption("Go");
  b->SetLayout(blGlyphRight);
  b->SetMargin(5);
  Pic img = Shot(b);
  EXPECT_EQ(clRed, img.Pixel(75 - 5 - 1, 10));
  EXPECT_EQ(Face, img.Pixel(75 - 5, 10));
  EXPECT_EQ(clRed, img.Pixel(75 - 5 - 8, 10));
  EXPECT_LT(InkBox(img, clBlack).Right, 75 - 5 - 8);
}

TEST_F(SkinButtonTest, PressMoveOffReleaseDoesNotClick) {
  auto* b = MakeButton(10, 10, "OK");
  Press(b);
  EXPECT_TRUE(b->Down());
  Hover(b, false, MK_LBUTTON);
  EXPECT_FALSE(b->MouseIn());
  Release(b, 120, 60);
  EXPECT_EQ(0, Clicks);
  EXPECT_FALSE(b->Down());
  b->Invalidate();
  Pic img = Shot(b);
  EXPECT_NE(PressedFill, img.Pixel(1, 1));

  // Off and back on before the release: one click.
  Press(b);
  Hover(b, false, MK_LBUTTON);
  Hover(b, true, MK_LBUTTON);
  Release(b);
  EXPECT_EQ(1, Clicks);
  EXPECT_FALSE(b->Down());
}

TEST_F(SkinButtonTest, RepeatModeClicksOnEveryTickAndOnceOnRelease) {
  auto* b = MakeButton(10, 10, "+");
  b->SetRepeatMode(true);
  Press(b);
  EXPECT_TRUE(b->Repeating());
  EXPECT_EQ(0, Clicks);
  for (int i = 0; i < 3; ++i) FireRepeat(b);
  EXPECT_EQ(3, Clicks);
  Hover(b, false, MK_LBUTTON);  // off the button: the repeat stops
  EXPECT_FALSE(b->Repeating());
  FireRepeat(b);
  EXPECT_EQ(3, Clicks);
  Hover(b, true, MK_LBUTTON);  // back on: it runs again
  EXPECT_TRUE(b->Repeating());
  FireRepeat(b);
  EXPECT_EQ(4, Clicks);
  Release(b);
  EXPECT_EQ(5, Clicks);
  EXPECT_FALSE(b->Repeating());
  FireRepeat(b);
  EXPECT_EQ(5, Clicks);

  // The real timer runs at RepeatInterval.
  b->SetRepeatInterval(15);
  Press(b);
  EXPECT_TRUE(testsupport::WaitUntil([&] { return Clicks >= 8; }, 3000));
  Release(b);
}

TEST_F(SkinButtonTest, SpaceClicksOnReleaseOrOnEveryRepeatAndEnterAtOnce) {
  auto* b = MakeButton(10, 10, "OK");
  SimulateKey(b, WM_KEYDOWN, VK_SPACE);
  EXPECT_TRUE(b->Down());
  EXPECT_EQ(0, Clicks);
  SimulateKey(b, WM_KEYUP, VK_SPACE);
  EXPECT_FALSE(b->Down());
  EXPECT_EQ(1, Clicks);
  SimulateKey(b, WM_KEYDOWN, VK_RETURN);
  EXPECT_EQ(2, Clicks);
  SimulateKey(b, WM_KEYUP, VK_RETURN);
  // A key-up without its press (pressed on another control) does not click.
  SimulateKey(b, WM_KEYUP, VK_SPACE);
  EXPECT_EQ(2, Clicks);

  b->SetRepeatMode(true);
  for (int i = 0; i < 3; ++i) SimulateKey(b, WM_KEYDOWN, VK_SPACE);  // auto-repeat of the key
  EXPECT_EQ(5, Clicks);
  SimulateKey(b, WM_KEYUP, VK_SPACE);
  EXPECT_EQ(6, Clicks);

  // A button that does not take the focus takes no keys.
  b->SetCanFocused(false);
  SimulateKey(b, WM_KEYDOWN, VK_SPACE);
  SimulateKey(b, WM_KEYUP, VK_SPACE);
  SimulateKey(b, WM_KEYDOWN, VK_RETURN);
  EXPECT_EQ(6, Clicks);
}

TEST_F(SkinButtonTest, GroupButtonsStayDownAndReleaseEachOther) {
  auto* a = MakeButton(10, 10, "A");
  auto* b = MakeButton(90, 10, "B");
  auto* other = MakeButton(170, 10, "C");
  a->SetGroupIndex(1);
  b->SetGroupIndex(1);
  other->SetGroupIndex(2);
  EXPECT_FALSE(a->CanFocused());
  other->SetDown(true);
  Press(a);
  EXPECT_TRUE(a->Down());
  EXPECT_EQ(1, Clicks);  // a group button clicks on the press
  Release(a);
  EXPECT_TRUE(a->Down());
  EXPECT_EQ(1, Clicks);
  a->Invalidate();
  ExpectFrameAndFill(Shot(a), Navy, PressedFill);  // down in a group shows pressed without hover
  Press(b);
  Release(b);
  EXPECT_TRUE(b->Down());
  EXPECT_FALSE(a->Down());
  EXPECT_TRUE(other->Down());  // another group
  EXPECT_EQ(2, Clicks);
  // Pressing a down button again does nothing ...
  Press(b);
  Release(b);
  EXPECT_TRUE(b->Down());
  EXPECT_EQ(2, Clicks);
  // ... unless all may be up.
  b->SetAllowAllUp(true);
  Press(b);
  Release(b);
  EXPECT_FALSE(b->Down());
  EXPECT_EQ(3, Clicks);
}

TEST_F(SkinButtonTest, ModalResultReachesTheFormBeforeOnClick) {
  auto* b = MakeButton(10, 10, "OK");
  b->SetModalResult(mrOk);
  b->OnClick = [&](TObject*) {
    EXPECT_EQ(mrOk, Form->ModalResult());
    ++Clicks;
  };
  Press(b);
  Release(b);
  EXPECT_EQ(1, Clicks);
  EXPECT_EQ(mrOk, Form->ModalResult());
}

TEST_F(SkinButtonTest, ClickHandlerMayFreeTheButton) {
  auto* b = MakeButton(10, 10, "X");
  b->SetRepeatMode(true);
  b->OnClick = [&](TObject*) {
    ++Clicks;
    delete b;
    b = nullptr;
  };
  Press(b);
  FireRepeat(b);
  EXPECT_EQ(nullptr, b);
  EXPECT_EQ(1, Clicks);
  SimulateMouse(Form, WM_LBUTTONUP, 10, 10, 0);  // the simulated pointer lets go of its press
}

TEST_F(SkinButtonTest, DefaultAndCancelAnswerDialogKeysAndFollowTheFocus) {
  auto* ok = MakeButton(10, 10, "OK");
  auto* cancel = MakeButton(90, 10, "Cancel");
  auto* other = MakeButton(170, 10, "Other");
  auto* plain = new TButton(Form);
  plain->SetParent(Form);
  plain->SetBounds(250, 10, 75, 25);
  int okClicks = 0, cancelClicks = 0;
  ok->OnClick = [&](TObject*) { ++okClicks; };
  cancel->OnClick = [&](TObject*) { ++cancelClicks; };
  ok->SetDefault(true);
  cancel->SetCancel(true);
  cancel->SetModalResult(mrCancel);
  EXPECT_TRUE(ok->ActiveDefault());
  EXPECT_FALSE(cancel->ActiveDefault());
  EXPECT_EQ(1, ok->Perform(CM_DIALOGKEY, VK_RETURN, 0));
  EXPECT_EQ(0, cancel->Perform(CM_DIALOGKEY, VK_RETURN, 0));
  EXPECT_EQ(1, okClicks);
  EXPECT_EQ(0, ok->Perform(CM_DIALOGKEY, VK_ESCAPE, 0));
  EXPECT_EQ(1, cancel->Perform(CM_DIALOGKEY, VK_ESCAPE, 0));
  EXPECT_EQ(1, cancelClicks);
  EXPECT_EQ(mrCancel, Form->ModalResult());

  // Focus on another skin button: Enter is that button's.
  AnnounceFocus(other);
  EXPECT_FALSE(ok->ActiveDefault());
  EXPECT_TRUE(other->ActiveDefault());
  EXPECT_FALSE(ok->MouseIn());
  EXPECT_EQ(0, ok->Perform(CM_DIALOGKEY, VK_RETURN, 0));
  // Focus on a control of another kind: the default button answers Enter and looks hot.
  AnnounceFocus(plain);
  EXPECT_TRUE(ok->ActiveDefault());
  EXPECT_FALSE(other->ActiveDefault());
  EXPECT_TRUE(ok->MouseIn());
  ok->Invalidate();
  ExpectFrameAndFill(Shot(ok), Navy, HotFill);
  // Leaving the mouse does not take the hot look from the active default button.
  Hover(ok, true);
  Hover(ok, false);
  EXPECT_TRUE(ok->MouseIn());
  EXPECT_EQ(1, ok->Perform(CM_DIALOGKEY, VK_RETURN, 0));
  EXPECT_EQ(2, okClicks);
  // Disabled, it does not answer.
  ok->SetEnabled(false);
  EXPECT_EQ(0, ok->Perform(CM_DIALOGKEY, VK_RETURN, 0));
  EXPECT_EQ(2, okClicks);
}

TEST_F(SkinButtonTest, AcceleratorFocusesAndClicks) {
  auto* b = MakeButton(10, 10, "&Go");
  auto* c = MakeButton(90, 10, "Stop");
  EXPECT_EQ(0, c->Perform(CM_DIALOGCHAR, 'g', 0));
  EXPECT_EQ(0, b->Perform(CM_DIALOGCHAR, 'x', 0));
  EXPECT_EQ(0, Clicks);
  EXPECT_EQ(1, b->Perform(CM_DIALOGCHAR, 'G', 0));
  EXPECT_EQ(1, Clicks);
  EXPECT_TRUE(testsupport::WaitUntil([&] { return b->Focused(); }, 2000));
  b->SetCanFocused(false);
  EXPECT_EQ(0, b->Perform(CM_DIALOGCHAR, 'g', 0));
  EXPECT_EQ(1, Clicks);
}

TEST_F(SkinButtonTest, PressTakesTheFocusAndLosingItDropsDownAndRepeat) {
  auto* a = MakeButton(10, 10, "A");
  auto* b = MakeButton(90, 10, "B");
  b->SetRepeatMode(true);
  Press(b);
  EXPECT_TRUE(testsupport::WaitUntil([&] { return b->Focused(); }, 2000))
      << "down " << b->Down() << " active form " << Form->Active() << " active control "
      << (Form->ActiveControl() == b) << " mouse in " << b->MouseIn();
  EXPECT_TRUE(b->Repeating());
  a->SetFocus();
  EXPECT_TRUE(testsupport::WaitUntil([&] { return a->Focused(); }, 2000));
  EXPECT_FALSE(b->Repeating());
  EXPECT_FALSE(b->Down());
  Release(b);
  // A press on a button that cannot take the focus (hidden parent) is dropped.
  auto* hidden = Make<TbsSkinCustomControl>(10, 60, 100, 40);
  auto* inner = new TbsSkinButton(Form);
  inner->SetParent(hidden);
  inner->SetBounds(0, 0, 50, 20);
  hidden->SetVisible(false);
  EXPECT_FALSE(inner->CanFocus());
  inner->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  EXPECT_FALSE(inner->Down());
}

TEST_F(SkinButtonTest, DisabledButtonIgnoresTheMouse) {
  auto* b = MakeButton(10, 10, "OK");
  b->SetEnabled(false);
  Press(b);
  Release(b);
  EXPECT_FALSE(b->Down());
  EXPECT_EQ(0, Clicks);
}

// Read from a stored layout: the click handler bound by name runs; a linked action gives
// an empty caption its own, while a value stored beside the link wins.
TEST_F(SkinButtonTest, StoredHandlerAndActionLink) {
  int clicks = 0;
  auto form = ReadStoredForm(R"(  object Action1: TAction
    Caption = 'From action'
  end
  object Btstart: TbsSkinButton
    Caption = 'Record'
    OnClick = BtstartClick
  end
  object Btstop: TbsSkinButton
    Enabled = False
    Action = Action1
  end
)", {{"BtstartClick", [&clicks] { ++clicks; }}});
  auto* start = dynamic_cast<TbsSkinButton*>(form->FindComponent("Btstart"));
  auto* stop = dynamic_cast<TbsSkinButton*>(form->FindComponent("Btstop"));
  ASSERT_TRUE(start && stop);
  start->ButtonClick();
  EXPECT_EQ(1, clicks);
  EXPECT_EQ("From action", stop->Caption());
  EXPECT_FALSE(stop->Enabled());
}

// Without OnClick the linked action executes; with one, OnClick alone runs.
TEST_F(SkinButtonTest, ActionRunsWhenTheButtonHasNoHandler) {
  TForm form(nullptr);
  auto* action = new TAction(&form);
  int executed = 0;
  action->OnExecute = [&](TObject*) { ++executed; };
  action->SetCaption("Go");
  auto* b = new TbsSkinButton(&form);
  b->SetParent(&form);
  b->SetAction(action);
  EXPECT_EQ("Go", b->Caption());
  b->ButtonClick();
  EXPECT_EQ(1, executed);
  int own = 0;
  b->OnClick = [&](TObject*) { ++own; };
  b->ButtonClick();
  EXPECT_EQ(1, executed);
  EXPECT_EQ(1, own);
  // The action follows into the button while the button shows its value; freeing the
  // action unlinks it.
  action->SetEnabled(false);
  EXPECT_FALSE(b->Enabled());
  delete action;
  EXPECT_EQ(nullptr, b->Action());
  b->ButtonClick();
  EXPECT_EQ(2, own);
}

}  // namespace
