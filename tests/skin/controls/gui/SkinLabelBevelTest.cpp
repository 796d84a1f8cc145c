// The skin label and bevel, window-less on a plain face-coloured host: the label's
// enabled and engraved disabled text and its font rules, default and Slate; the bevel's
// shapes and divider lines pixel by pixel, the spacer that shows nothing, the record's
// colours, and both answering the skin-change walk.
#include "framework/graphics/Canvas.h"
#include "skin/controls/SkinBevel.h"
#include "skin/controls/SkinStdLabel.h"
#include "skin/data/SkinControlRecords.h"
#include "tests/skin/controls/gui/SkinControlsFixture.h"

using namespace skincontrolstest;

namespace {

// A window that paints only its face colour, so what a window-less child draws is all
// that differs from it.
class Host : public TCustomControl {
 public:
  using TCustomControl::TCustomControl;

 protected:
  void Paint() override {
    Canvas()->Brush()->Style = TBrushStyle::bsSolid;
    Canvas()->Brush()->Color = clBtnFace;
    Canvas()->FillRect(ClientRect());
  }
};

class SkinLabelBevelTest : public SkinControlsFixture {
 protected:
  void SetUp() override {
    SkinControlsFixture::SetUp();
    Box = new Host(Form);
    Box->SetParent(Form);
    Box->SetBounds(10, 10, 300, 200);
  }
  template <class T>
  T* On(int x, int y, int w, int h) {
    auto* c = new T(Form);
    c->SetParent(Box);
    c->SetBounds(x, y, w, h);
    return c;
  }
  // The control's rectangle of the host's image.
  Pic Cut(const TControl* c) {
    Pic all = Shot(Box);
    Pic p;
    p.B->SetSize(c->Width(), c->Height());
    p.B->Canvas()->CopyRect(Rect(0, 0, c->Width(), c->Height()), all.B.get(), c->BoundsRect());
    return p;
  }
  // What a label of the given size shows: the text in font f once in colour, or engraved.
  static Pic Expected(const TFont& f, const std::string& text, int W, int H, bool engraved) {
    Pic p;
    p.B->SetSize(W, H);
    TCanvas* c = p.B->Canvas();
    c->Brush()->Color = clBtnFace;
    c->FillRect(Rect(0, 0, W, H));
    c->Brush()->Style = TBrushStyle::bsClear;
    c->Font()->Assign(&f);
    TRect r = Rect(0, 0, W, H);
    if (!engraved) {
      c->DrawText(text, r, DT_EXPANDTABS);
      return p;
    }
    TRect s = Rect(1, 1, W + 1, H + 1);
    c->Font()->SetColor(clBtnHighlight);
    c->DrawText(text, s, DT_EXPANDTABS);
    c->Font()->SetColor(clBtnShadow);
    c->DrawText(text, r, DT_EXPANDTABS);
    return p;
  }
  Host* Box = nullptr;
};

// ---- label ----------------------------------------------------------------------------------
TEST_F(SkinLabelBevelTest, AnEnabledLabelDrawsWithItsFontADisabledOneEngraved) {
  auto* l = On<TbsSkinStdLabel>(10, 10, 100, 20);
  EXPECT_TRUE(l->Transparent());
  EXPECT_EQ("stdlabel", l->SkinDataName());
  l->SetAutoSize(false);
  l->Font()->SetName("DejaVu Sans");
  l->Font()->SetHeight(-12);
  l->Font()->SetColor(clRed);
  l->DefaultFont()->SetColor(clBlue);
  l->SetCaption("Files of type");
  // Enabled: Font, even though UseSkinFont is on.
  Pic on = Cut(l);
  SaveArtifact(on, "skin_stdlabel_enabled");
  EXPECT_EQ("", Difference(on, Expected(*l->Font(), "Files of type", 100, 20, false)));
  EXPECT_EQ(0, CountColor(on, Rect(0, 0, 100, 20), clBlue));
  // Disabled: engraved in DefaultFont (UseSkinFont), highlight under shadow.
  l->SetEnabled(false);
  Pic off = Cut(l);
  SaveArtifact(off, "skin_stdlabel_disabled");
  EXPECT_EQ("", Difference(off, Expected(*l->DefaultFont(), "Files of type", 100, 20, true)));
  EXPECT_GT(CountColor(off, Rect(0, 0, 100, 20), RGB(255, 255, 255)), 10);
  EXPECT_GT(CountColor(off, Rect(0, 0, 100, 20), Shadow), 10);
  // Without UseSkinFont the engraved text takes Font.
  l->SetUseSkinFont(false);
  off = Cut(l);
  EXPECT_EQ("", Difference(off, Expected(*l->Font(), "Files of type", 100, 20, true)));
}

TEST_F(SkinLabelBevelTest, SizingFollowsTheFontTheTextIsDrawnWith) {
  auto* l = On<TbsSkinStdLabel>(10, 10, 10, 10);
  l->Font()->SetHeight(-10);
  l->DefaultFont()->SetHeight(-24);
  l->SetCaption("Name");
  const int enabledHeight = l->Height();
  EXPECT_GT(enabledHeight, 8);
  l->SetEnabled(false);
  l->SetCaption("Name ");  // the size is measured again
  EXPECT_GT(l->Height(), enabledHeight + 8);
  // An empty caption (or a lone "&") still measures one line.
  l->SetCaption("");
  EXPECT_GT(l->Height(), 0);
  EXPECT_GT(l->Width(), 0);
  l->SetCaption("&");
  EXPECT_GT(l->Width(), 0);
}

TEST_F(SkinLabelBevelTest, SlateGivesTheDisabledLabelItsRecordFont) {
  auto* l = On<TbsSkinStdLabel>(10, 10, 120, 24);
  l->SetAutoSize(false);
  l->SetCaption("Look in");
  l->SetSkinData(SkinData);  // empty skin
  EXPECT_EQ(-1, l->SkinIndex());
  LoadSlate();  // the walk reaches the window-less label
  const auto* r = dynamic_cast<const TbsDataSkinStdLabelControl*>(Record("stdlabel"));
  ASSERT_NE(nullptr, r);
  EXPECT_NE(-1, l->SkinIndex());
  l->SetEnabled(false);
  TFont f;
  f.Assign(l->Font());
  f.SetName(r->fontname);
  f.SetStyle(r->fontstyle);
  f.SetHeight(r->fontheight);
  Pic off = Cut(l);
  SaveArtifact(off, "skin_stdlabel_disabled_slate");
  EXPECT_EQ("", Difference(off, Expected(f, "Look in", 120, 24, true)));
  // Enabled: Font, skin or not.
  l->SetEnabled(true);
  EXPECT_EQ("", Difference(Cut(l), Expected(*l->Font(), "Look in", 120, 24, false)));
  // The skin data going away clears the reference.
  delete SkinData;
  SkinData = nullptr;
  EXPECT_EQ(nullptr, l->SkinData());
}

// ---- bevel ----------------------------------------------------------------------------------
TEST_F(SkinLabelBevelTest, BevelShapesDrawTheirLinesPixelByPixel) {
  auto* b = On<TbsSkinBevel>(20, 20, 40, 30);
  const TColor hi = RGB(255, 255, 255), sh = Shadow;
  auto check = [&](const char* name, std::function<TColor(int, int)> want) {
    Pic p = Cut(b);
    SaveArtifact(p, std::string("skin_bevel_") + name);
    for (int y = 0; y < 30; ++y)
      for (int x = 0; x < 40; ++x) ASSERT_EQ(want(x, y), p.Pixel(x, y)) << name << " " << x << "," << y;
  };
  // Box, lowered: left and top dark, right and bottom light; the bottom-left corner dark,
  // the top-right corner light.
  check("box", [&](int x, int y) {
    if (x == 0 || (y == 0 && x < 39)) return sh;
    if (x == 39 || y == 29) return hi;
    return Face;
  });
  b->SetStyle(bsRaised);
  check("box_raised", [&](int x, int y) {
    if (x == 0 || (y == 0 && x < 39)) return hi;
    if (x == 39 || y == 29) return sh;
    return Face;
  });
  b->SetStyle(bsLowered);
  b->SetShape(bsFrame);
  check("frame", [&](int x, int y) {
    if (x == 0 && y <= 28) return sh;
    if (y == 0 && x <= 38) return sh;
    if ((x == 38 && y <= 28) || (y == 28 && x <= 38)) return sh;
    if ((x == 1 || x == 39) && y >= 1) return hi;
    if ((y == 1 || y == 29) && x >= 1) return hi;
    return Face;
  });
  b->SetShape(bsTopLine);
  check("topline", [&](int, int y) { return y == 0 ? sh : y == 1 ? hi : Face; });
  b->SetShape(bsBottomLine);
  check("bottomline", [&](int, int y) { return y == 28 ? sh : y == 29 ? hi : Face; });
  b->SetShape(bsLeftLine);
  check("leftline", [&](int x, int) { return x == 0 ? sh : x == 1 ? hi : Face; });
  b->SetShape(bsRightLine);
  check("rightline", [&](int x, int) { return x == 38 ? sh : x == 39 ? hi : Face; });
  b->SetShape(bsSpacer);  // nothing at run time
  check("spacer", [&](int, int) { return Face; });
}

TEST_F(SkinLabelBevelTest, DividerModeDrawsOneEtchedLineAcrossTheMiddle) {
  auto* b = On<TbsSkinBevel>(20, 20, 100, 20);
  b->SetShape(bsTopLine);
  b->SetDividerMode(true);
  const TColor hi = RGB(255, 255, 255), sh = Shadow;
  Pic p = Cut(b);
  SaveArtifact(p, "skin_bevel_divider");
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 100; ++x) {
      TColor want = Face;
      if (y == 9 && x >= 2 && x <= 97) want = sh;
      if (x == 2 && y == 10) want = sh;
      if (x == 98 && y == 9) want = hi;
      if (y == 10 && x >= 3 && x <= 98) want = hi;
      ASSERT_EQ(want, p.Pixel(x, y)) << x << "," << y;
    }
  // Box shapes divide vertically; a spacer still draws nothing.
  b->SetShape(bsBox);
  b->SetBounds(20, 20, 20, 60);
  p = Cut(b);
  EXPECT_EQ(sh, p.Pixel(9, 2));
  EXPECT_EQ(hi, p.Pixel(10, 3));
  EXPECT_EQ(Face, p.Pixel(9, 1));
  EXPECT_EQ(Face, p.Pixel(8, 30));
  b->SetShape(bsSpacer);
  p = Cut(b);
  EXPECT_EQ(20 * 60, CountColor(p, Rect(0, 0, 20, 60), Face));
  // Smaller than its lines: nothing breaks.
  b->SetShape(bsFrame);
  b->SetBounds(20, 20, 1, 1);
  b->SetDividerMode(false);
  Cut(b);
  b->SetBounds(20, 20, 0, 0);
  Shot(Box);
}

TEST_F(SkinLabelBevelTest, SlateGivesTheBevelItsColoursThroughTheWalk) {
  auto* b = On<TbsSkinBevel>(20, 20, 40, 30);
  b->SetSkinData(SkinData);
  EXPECT_EQ(clBtnHighlight, b->LightColor());
  LoadSlate();
  const auto* r = dynamic_cast<const TbsDataSkinBevel*>(Record("bevel"));
  ASSERT_NE(nullptr, r);
  EXPECT_EQ(r->lightcolor, b->LightColor());
  EXPECT_EQ(r->darkcolor, b->DarkColor());
  Pic p = Cut(b);
  SaveArtifact(p, "skin_bevel_slate");
  EXPECT_EQ(r->darkcolor, p.Pixel(0, 10));
  EXPECT_EQ(r->lightcolor, p.Pixel(39, 10));
  // A failed load returns to the default colours.
  SkinData->LoadFromStoredSkin(&Version4());
  EXPECT_EQ(clBtnShadow, b->DarkColor());
  EXPECT_EQ(Shadow, Cut(b).Pixel(0, 10));
  delete SkinData;
  SkinData = nullptr;
  EXPECT_EQ(nullptr, b->SkinData());
}

}  // namespace
