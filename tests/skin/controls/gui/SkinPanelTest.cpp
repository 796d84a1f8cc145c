// The skin panel and group box without a skin: frames and caption bars by border style,
// the caption's place, the check box and roll-up arrow of the bar, the client area the
// children use, clicks on the bar, checking with AutoEnabledControls and rolling up.
#include "framework/graphics/Canvas.h"
#include "framework/layout/LayoutReader.h"
#include "framework/windows/WindowsClasses.h"
#include "skin/controls/SkinCheckRadioBox.h"
#include "skin/controls/SkinControlsRegistration.h"
#include "skin/data/SkinDataRegistration.h"
#include "skin/controls/SkinGroupBox.h"
#include "skin/controls/SkinPanel.h"
#include "skin/draw/SkinGlyphs.h"
#include "tests/skin/controls/gui/SkinControlsFixture.h"

using namespace skincontrolstest;

namespace {

const TColor Highlight = RGB(255, 255, 255);
const TColor Black = RGB(0, 0, 0);

class SkinPanelTest : public SkinControlsFixture {
 protected:
  // The recorder's group look: 121 x 81, raised, caption bar 22, centred caption.
  TbsSkinGroupBox* RecorderGroup(const std::string& caption) {
    auto* g = Make<TbsSkinGroupBox>(10, 10, 121, 81);
    g->SetSkinData(SkinData);
    g->SetBorderStyle(bvRaised);
    g->SetDefaultAlignment(taCenter);
    g->DefaultFont()->SetName("宋体");
    g->DefaultFont()->SetHeight(-12);
    g->SetCaption(caption);
    return g;
  }
  // The caption drawn alone on the face at (x, y), clipped to r, on a W x H bitmap.
  static Pic CaptionAlone(const TFont& font, const std::string& text, const TRect& r, int x, int y, int W, int H) {
    Pic p;
    p.B->SetSize(W, H);
    TCanvas* c = p.B->Canvas();
    c->Brush()->Color = clBtnFace;
    c->FillRect(Rect(0, 0, W, H));
    c->Font()->Assign(&font);
    c->Brush()->Style = TBrushStyle::bsClear;
    c->TextRect(r, x, y, text);
    return p;
  }
  static TSize TextSize(const TFont& font, const std::string& text) {
    TBitmap b(1, 1);
    b.Canvas()->Font()->Assign(&font);
    return {b.Canvas()->TextWidth(text), b.Canvas()->TextHeight(text)};
  }
};

TEST_F(SkinPanelTest, RecorderGroupHasARaisedFrameAndAnEtchedCaptionBar) {
  auto* g = RecorderGroup("声道");
  Pic img = Shot(g);
  SaveArtifact(img, "skin_groupbox_default_recorder");
  ASSERT_EQ(121, img.Width());
  // Outer raised frame on (0, 0, 121, 81).
  EXPECT_EQ(Highlight, img.Pixel(0, 40));
  EXPECT_EQ(Highlight, img.Pixel(60, 0));
  EXPECT_EQ(Shadow, img.Pixel(120, 40));
  EXPECT_EQ(Shadow, img.Pixel(60, 80));
  // Etched bar on (1, 1, 120, 22): shadow / highlight outside, highlight / shadow inside.
  EXPECT_EQ(Shadow, img.Pixel(1, 10));
  EXPECT_EQ(Shadow, img.Pixel(60, 1));
  EXPECT_EQ(Highlight, img.Pixel(119, 10));
  EXPECT_EQ(Highlight, img.Pixel(60, 21));
  EXPECT_EQ(Highlight, img.Pixel(2, 10));
  EXPECT_EQ(Highlight, img.Pixel(60, 2));
  EXPECT_EQ(Shadow, img.Pixel(118, 10));
  EXPECT_EQ(Shadow, img.Pixel(60, 20));
  // Face below the bar.
  EXPECT_EQ(80 - 22, CountColor(img, Rect(60, 22, 61, 80), Face));
  // The caption centred in the text rectangle (3, 3, 118, 20): x = 5 + 57 - tw div 2.
  const TSize ts = TextSize(*g->DefaultFont(), "声道");
  const TRect tr = Rect(3, 3, 118, 20);
  Pic alone = CaptionAlone(*g->DefaultFont(), "声道", tr, 5 + 57 - ts.cx / 2, 3 + 8 - ts.cy / 2, 121, 81);
  int ink = 0;
  for (int y = tr.Top; y < tr.Bottom; ++y)
    for (int x = tr.Left; x < tr.Right; ++x) {
      ASSERT_EQ(alone.Pixel(x, y), img.Pixel(x, y)) << x << "," << y;
      ink += alone.Pixel(x, y) != Face;
    }
  EXPECT_GT(ink, 20);
}

TEST_F(SkinPanelTest, BorderStylesAndCaptionModes) {
  auto* p = Make<TbsSkinPanel>(10, 10, 100, 60);
  // A panel: frame shadow / shadow, no bar.
  Pic plain = Shot(p);
  EXPECT_EQ(Shadow, plain.Pixel(0, 30));
  EXPECT_EQ(Shadow, plain.Pixel(50, 0));
  EXPECT_EQ(Shadow, plain.Pixel(99, 30));
  EXPECT_EQ(Face, plain.Pixel(50, 10));
  // Lowered.
  p->SetBorderStyle(bvLowered);
  Pic low = Shot(p);
  EXPECT_EQ(Shadow, low.Pixel(0, 30));
  EXPECT_EQ(Highlight, low.Pixel(99, 30));
  EXPECT_EQ(Highlight, low.Pixel(50, 59));
  // The plain frame with a caption bar: a bar framed like the panel, highlight / face inside.
  p->SetBorderStyle(bvFrame);
  p->SetCaptionMode(true);
  p->SetDefaultCaptionHeight(20);
  Pic bar = Shot(p);
  SaveArtifact(bar, "skin_panel_default_frame_caption");
  EXPECT_EQ(Shadow, bar.Pixel(50, 19));
  EXPECT_EQ(Highlight, bar.Pixel(50, 1));
  EXPECT_EQ(Highlight, bar.Pixel(1, 10));
  EXPECT_EQ(Face, bar.Pixel(98, 10));
  EXPECT_EQ(Face, bar.Pixel(50, 18));
  // No border but a caption: the bar is still etched at (1, 1, W - 1, caption height).
  p->SetBorderStyle(bvNone);
  Pic none = Shot(p);
  EXPECT_EQ(Face, none.Pixel(0, 30));
  EXPECT_EQ(Face, none.Pixel(0, 10));
  EXPECT_EQ(Shadow, none.Pixel(1, 10));
  EXPECT_EQ(Highlight, none.Pixel(98, 10));
  EXPECT_EQ(Highlight, none.Pixel(50, 19));
}

TEST_F(SkinPanelTest, ClientAreaLeavesOutBorderAndCaptionBar) {
  auto* g = Make<TbsSkinGroupBox>(10, 10, 150, 150);
  // An aligned child fills what is left inside the border and below the caption bar.
  auto* child = new TbsSkinPanel(Form);
  child->SetParent(g);
  child->SetAlign(alClient);
  EXPECT_EQ(Rect(1, 23, 149, 149), child->BoundsRect());
  g->SetDefaultCaptionHeight(40);
  EXPECT_EQ(Rect(1, 41, 149, 149), child->BoundsRect());
  g->SetDefaultCaptionHeight(22);
  delete child;
  TRect r = g->ClientRect();
  g->AdjustClientRect(r);
  EXPECT_EQ(Rect(1, 23, 149, 149), r);
  g->SetCaptionMode(false);
  r = g->ClientRect();
  g->AdjustClientRect(r);
  EXPECT_EQ(Rect(1, 1, 149, 149), r);
  g->SetBorderStyle(bvNone);
  r = g->ClientRect();
  g->AdjustClientRect(r);
  EXPECT_EQ(Rect(0, 0, 150, 150), r);
  g->SetCaptionMode(true);
  g->SetDefaultCaptionHeight(30);
  r = g->ClientRect();
  g->AdjustClientRect(r);
  EXPECT_EQ(Rect(0, 30, 150, 150), r);
}

TEST_F(SkinPanelTest, CheckBoxAndRollUpArrowInTheCaptionBar) {
  auto* g = Make<TbsSkinGroupBox>(10, 10, 120, 80);
  g->SetBorderStyle(bvRaised);
  g->SetCheckedMode(true);
  g->SetRollUpMode(true);
  g->SetCaption("Opts");
  // r = (3, 3, 117, 20) after the bar; box (5, 4, 19, 18) framed, mark at (9, 7).
  Pic off = Shot(g);
  EXPECT_EQ(Shadow, off.Pixel(5, 10));
  EXPECT_EQ(Shadow, off.Pixel(12, 4));
  EXPECT_EQ(Shadow, off.Pixel(18, 10));
  EXPECT_EQ(Shadow, off.Pixel(12, 17));
  EXPECT_EQ(Face, off.Pixel(9, 12));
  g->SetChecked(true);
  Pic on = Shot(g);
  SaveArtifact(on, "skin_groupbox_default_checked_rollup");
  TBitmap mark(30, 30);
  mark.Canvas()->Brush()->Color = clBtnFace;
  mark.Canvas()->FillRect(Rect(0, 0, 30, 30));
  DrawCheckMark(mark.Canvas(), 9, 7, clBtnText);
  for (int y = 5; y < 17; ++y)
    for (int x = 6; x < 18; ++x) EXPECT_EQ(mark.Pixel(x, y), on.Pixel(x, y)) << x << "," << y;
  // Up arrow in (107, 3, 117, 20) in the font colour; down once rolled up.
  TBitmap up(120, 30), down(120, 30);
  for (TBitmap* b : {&up, &down}) {
    b->Canvas()->Brush()->Color = clBtnFace;
    b->Canvas()->FillRect(Rect(0, 0, 120, 30));
  }
  DrawArrow(up.Canvas(), Rect(107, 3, 117, 20), g->DefaultFont()->Color(), adUp);
  DrawArrow(down.Canvas(), Rect(107, 3, 117, 20), g->DefaultFont()->Color(), adDown);
  for (int y = 4; y < 19; ++y)
    for (int x = 107; x < 117; ++x) EXPECT_EQ(up.Pixel(x, y), on.Pixel(x, y)) << x << "," << y;
  g->SetRollUpState(true);
  Pic rolled = Shot(g);
  for (int y = 4; y < 19; ++y)
    for (int x = 107; x < 117; ++x) EXPECT_EQ(down.Pixel(x, y), rolled.Pixel(x, y)) << x << "," << y;
}

TEST_F(SkinPanelTest, DisabledGroupKeepsItsCaptionColourAndDisabledGlyphCell) {
  auto* g = Make<TbsSkinGroupBox>(10, 10, 120, 60);
  g->SetBorderStyle(bvRaised);
  g->SetCaption("Text");
  TBitmap glyph(20, 10);
  glyph.Canvas()->Brush()->Color = clRed;
  glyph.Canvas()->FillRect(Rect(0, 0, 10, 10));
  glyph.Canvas()->Brush()->Color = clBlue;
  glyph.Canvas()->FillRect(Rect(10, 0, 20, 10));
  glyph.SetPixel(0, 9, clFuchsia);  // the transparent colour of cell 1
  glyph.SetPixel(10, 9, clFuchsia);
  g->SetGlyph(&glyph);
  g->SetNumGlyphs(2);
  // Left aligned: the glyph at x = 5, caption after it; glyph centred in the bar.
  Pic on = Shot(g);
  EXPECT_EQ(clRed, on.Pixel(6, 8));
  EXPECT_EQ(Face, on.Pixel(5, 15));  // the transparent corner
  const int black = CountColor(on, Rect(15, 3, 117, 20), Black);
  EXPECT_GT(black, 10);
  g->SetEnabled(false);
  Pic off = Shot(g);
  SaveArtifact(off, "skin_groupbox_default_disabled_glyph");
  EXPECT_EQ(clBlue, off.Pixel(6, 8));
  EXPECT_EQ(black, CountColor(off, Rect(15, 3, 117, 20), Black));
}

TEST_F(SkinPanelTest, CaptionClickTogglesCheckedAndRollsUp) {
  auto* g = Make<TbsSkinGroupBox>(10, 10, 120, 100);
  g->SetCheckedMode(true);
  g->SetRollUpMode(true);
  int checkedEvents = 0;
  g->OnChecked = [&](TObject*) { ++checkedEvents; };
  SimulateMouse(g, WM_LBUTTONDOWN, 60, 10, MK_LBUTTON);
  SimulateMouse(g, WM_LBUTTONUP, 60, 10, 0);
  EXPECT_TRUE(g->Checked());
  EXPECT_TRUE(g->RollUpState());
  EXPECT_EQ(1, checkedEvents);
  EXPECT_EQ(23, g->Height());
  EXPECT_EQ(100, g->RealHeight());
  // A click below the bar does nothing (the panel is unrolled first).
  g->SetRollUpState(false);
  EXPECT_EQ(100, g->Height());
  SimulateMouse(g, WM_LBUTTONDOWN, 60, 50, MK_LBUTTON);
  SimulateMouse(g, WM_LBUTTONUP, 60, 50, 0);
  EXPECT_TRUE(g->Checked());
  EXPECT_FALSE(g->RollUpState());
  // The bar's edge row (caption height 22) still counts.
  SimulateMouse(g, WM_LBUTTONDOWN, 1, 22, MK_LBUTTON);
  SimulateMouse(g, WM_LBUTTONUP, 1, 22, 0);
  EXPECT_FALSE(g->Checked());
  EXPECT_TRUE(g->RollUpState());
}

TEST_F(SkinPanelTest, UncheckingWithAutoEnabledControlsDisablesEveryChild) {
  auto* g = Make<TbsSkinGroupBox>(10, 10, 150, 120);
  auto* a = new TbsSkinPanel(Form);
  a->SetParent(g);
  a->SetBounds(5, 30, 40, 40);
  auto* b = new TbsSkinGroupBox(Form);
  b->SetParent(g);
  b->SetBounds(50, 30, 40, 40);
  int events = 0;
  g->OnChecked = [&](TObject*) { ++events; };
  // Outside CheckedMode nothing is enabled or disabled, but OnChecked still fires.
  g->SetChecked(false);
  EXPECT_TRUE(a->Enabled());
  EXPECT_EQ(1, events);
  g->SetCheckedMode(true);
  g->SetChecked(false);
  EXPECT_FALSE(a->Enabled());
  EXPECT_FALSE(b->Enabled());
  g->SetChecked(false);  // the same value again still tells
  EXPECT_EQ(3, events);
  g->SetChecked(true);
  EXPECT_TRUE(a->Enabled());
  EXPECT_TRUE(b->Enabled());
  g->SetAutoEnabledControls(false);
  g->SetChecked(false);
  EXPECT_TRUE(a->Enabled());
}

TEST_F(SkinPanelTest, CheckedHandlerMayFreeThePanel) {
  auto* g = Make<TbsSkinGroupBox>(10, 10, 120, 100);
  g->SetCheckedMode(true);
  g->SetRollUpMode(true);
  g->OnChecked = [g](TObject*) { delete g; };
  SimulateMouse(g, WM_LBUTTONDOWN, 60, 10, MK_LBUTTON);
  SimulateMouse(g, WM_LBUTTONUP, 60, 10, 0);
  EXPECT_EQ(0, Form->ControlCount());
}

TEST_F(SkinPanelTest, RollingUpHidesChildrenAndKeepsTheFirstHeight) {
  auto* g = Make<TbsSkinGroupBox>(10, 10, 150, 120);
  auto* shown = new TbsSkinPanel(Form);
  shown->SetParent(g);
  shown->SetBounds(5, 30, 40, 40);
  auto* hidden = new TbsSkinPanel(Form);
  hidden->SetParent(g);
  hidden->SetBounds(50, 30, 40, 40);
  hidden->SetVisible(false);
  auto* freed = new TbsSkinPanel(Form);
  freed->SetParent(g);
  freed->SetBounds(95, 30, 40, 40);
  // Without RollUpMode the state stays false.
  g->SetRollUpState(true);
  EXPECT_FALSE(g->RollUpState());
  EXPECT_EQ(120, g->Height());

  g->SetRollUpMode(true);
  g->SetRollUpState(true);
  EXPECT_EQ(23, g->Height());
  EXPECT_EQ(120, g->RealHeight());
  EXPECT_FALSE(shown->Visible());
  // Rolling up again (a skin change while rolled up) keeps the unrolled height.
  g->ApplySkinChange();
  EXPECT_EQ(23, g->Height());
  EXPECT_EQ(120, g->RealHeight());
  // Clearing RollUpMode does not unroll, and then the state cannot change.
  g->SetRollUpMode(false);
  g->SetRollUpState(false);
  EXPECT_TRUE(g->RollUpState());
  g->SetRollUpMode(true);

  delete freed;  // a hidden child freed while rolled up is forgotten
  g->SetRollUpState(false);
  EXPECT_EQ(120, g->Height());
  EXPECT_EQ(-1, g->RealHeight());
  EXPECT_TRUE(shown->Visible());
  EXPECT_FALSE(hidden->Visible());
}

TEST_F(SkinPanelTest, StoredRolledUpGroupWithACheckBoxInside) {
  RegisterWindowsClasses();
  RegisterSkinDataClasses();
  RegisterSkinControlClasses();
  auto* form = new TForm(nullptr);
  ReadLayout(form, R"(object F: TForm
  object Opts: TbsSkinGroupBox
    Left = 8
    Top = 8
    Width = 150
    Height = 23
    Caption = 'Options'
    BorderStyle = bvLowered
    DefaultAlignment = taRightJustify
    CheckedMode = True
    Checked = True
    RollUpMode = True
    RollUpState = True
    RealHeight = 120
    object Loop: TbsSkinCheckRadioBox
      Left = 4
      Top = 30
      Width = 100
      Height = 22
      Caption = '&Loop'
      Radio = True
      GroupIndex = 3
      Checked = True
      Flat = False
      CanFocused = True
    end
  end
end
)");
  auto* g = dynamic_cast<TbsSkinGroupBox*>(form->FindComponent("Opts"));
  auto* b = dynamic_cast<TbsSkinCheckRadioBox*>(form->FindComponent("Loop"));
  ASSERT_NE(nullptr, g);
  ASSERT_NE(nullptr, b);
  EXPECT_EQ(bvLowered, g->BorderStyle());
  EXPECT_EQ(taRightJustify, g->DefaultAlignment());
  EXPECT_TRUE(b->Radio());
  EXPECT_TRUE(b->Checked());
  EXPECT_EQ(3, b->GroupIndex());
  EXPECT_FALSE(b->Flat());
  EXPECT_TRUE(b->TabStop());
  // Stored rolled up: the stored heights stay, the child is hidden until unrolled.
  EXPECT_TRUE(g->RollUpState());
  EXPECT_EQ(23, g->Height());
  EXPECT_EQ(120, g->RealHeight());
  EXPECT_FALSE(b->Visible());
  g->SetRollUpState(false);
  EXPECT_EQ(120, g->Height());
  EXPECT_TRUE(b->Visible());
  delete form;
}

}  // namespace
