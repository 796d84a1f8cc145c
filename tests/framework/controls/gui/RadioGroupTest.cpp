#include "framework/controls/ControlPaint.h"
#include "framework/controls/RadioGroup.h"
#include "tests/framework/controls/gui/ControlsFixture.h"

using namespace controlstest;

namespace {

class RadioGroupTest : public ControlsFixture {
 protected:
  void SetUp() override {
    ControlsFixture::SetUp();
    Group = new TRadioGroup(Form);
    Group->SetParent(Form);
    Group->SetBounds(15, 11, 121, 81);
    Group->SetCaption("Channels");
    Group->Items()->Add("Mono");
    Group->Items()->Add("Stereo");
    Group->OnClick = [this](TObject* sender) {
      EXPECT_EQ(sender, Group);
      Clicks.push_back(Group->ItemIndex());
    };
  }
  static TPoint Centre(const TRect& r) { return Point(r.Left + r.Width() / 2, r.Top + r.Height() / 2); }
  void ClickItem(int index) {
    TPoint p = Centre(Group->ItemRect(index));
    Press(Group, p.X, p.Y);
    Release(Group, p.X, p.Y);
  }
  // Centre pixel of an item's round glyph.
  TColor GlyphCentre(const TBitmap& shot, int index) {
    TRect r = Group->ItemRect(index);
    int top = r.Top + (r.Height() - RadioGlyphSize) / 2;
    return shot.Pixel(r.Left + RadioGlyphSize / 2, top + RadioGlyphSize / 2);
  }
  TRadioGroup* Group = nullptr;
  std::vector<int> Clicks;
};

TEST_F(RadioGroupTest, ItemsShareTheSpaceBelowTheCaptionInColumns) {
  TRect a = Group->ItemRect(0), b = Group->ItemRect(1);
  EXPECT_EQ(a.Left, 8);
  EXPECT_EQ(a.Width(), 111);
  EXPECT_EQ(b.Top, a.Bottom);
  EXPECT_EQ(a.Height(), b.Height());
  EXPECT_GT(a.Top, 8);
  EXPECT_LE(b.Bottom, 81);
  EXPECT_EQ(Group->ItemRect(2), TRect{});
  EXPECT_EQ(Group->ItemRect(-1), TRect{});

  Group->Items()->Add("Surround");
  Group->SetColumns(2);
  TRect c0 = Group->ItemRect(0), c1 = Group->ItemRect(1), c2 = Group->ItemRect(2);
  EXPECT_EQ(c0.Width(), 55);
  EXPECT_EQ(c1.Left, 8);
  EXPECT_EQ(c1.Top, c0.Bottom);
  EXPECT_EQ(c2.Left, 63);
  EXPECT_EQ(c2.Top, c0.Top);
  EXPECT_EQ(Group->ItemAt(Centre(c2)), 2);
  EXPECT_EQ(Group->ItemAt(Point(2, 2)), -1);
  Group->SetColumns(0);
  EXPECT_EQ(Group->Columns(), 1);
}

TEST_F(RadioGroupTest, ClickingAnItemChoosesItAndReportsOnlyChanges) {
  EXPECT_EQ(Group->ItemIndex(), -1);
  ClickItem(1);
  EXPECT_EQ(Group->ItemIndex(), 1);
  ClickItem(1);  // already chosen
  ClickItem(0);
  EXPECT_EQ(Clicks, (std::vector<int>{1, 0}));

  // Pressed on one item, released on the other: nothing.
  TPoint p0 = Centre(Group->ItemRect(0)), p1 = Centre(Group->ItemRect(1));
  Press(Group, p1.X, p1.Y);
  Release(Group, p0.X, p0.Y);
  // Pressed on the caption, released on an item: nothing either.
  Press(Group, 20, 3);
  Release(Group, p1.X, p1.Y);
  EXPECT_EQ(Group->ItemIndex(), 0);
  EXPECT_EQ(Clicks.size(), 2u);
}

TEST_F(RadioGroupTest, ArrowKeysMoveTheChoiceRound) {
  Key(Group, VK_DOWN);
  EXPECT_EQ(Group->ItemIndex(), 0);
  Key(Group, VK_RIGHT);
  Key(Group, VK_DOWN);  // wraps to the first
  Key(Group, VK_UP);    // and back to the last
  Key(Group, VK_LEFT);
  Key(Group, VK_SPACE);  // no arrow: no move
  EXPECT_EQ(Clicks, (std::vector<int>{0, 1, 0, 1, 0}));
}

TEST_F(RadioGroupTest, ItemIndexSetByCodeIsClampedAndSilent) {
  Group->SetItemIndex(1);
  EXPECT_EQ(Group->ItemIndex(), 1);
  Group->SetItemIndex(7);
  EXPECT_EQ(Group->ItemIndex(), 1);
  Group->SetItemIndex(-5);
  EXPECT_EQ(Group->ItemIndex(), -1);
  Group->SetItemIndex(1);
  Group->Items()->Delete(1);  // the chosen item goes: the last one left is chosen
  EXPECT_EQ(Group->ItemIndex(), 0);
  Group->Items()->Clear();
  EXPECT_EQ(Group->ItemIndex(), -1);
  Key(Group, VK_DOWN);  // no items: nothing to choose
  EXPECT_EQ(Group->ItemIndex(), -1);
  EXPECT_TRUE(Clicks.empty());
}

TEST_F(RadioGroupTest, ClickHandlerMayFreeTheGroup) {
  TPoint p = Centre(Group->ItemRect(1));
  Group->OnClick = [this](TObject*) {
    delete Group;
    Group = nullptr;
  };
  Press(Group, p.X, p.Y);
  Release(Group, p.X, p.Y);
  EXPECT_EQ(Group, nullptr);
}

TEST_F(RadioGroupTest, DisabledGroupIgnoresInput) {
  Group->SetEnabled(false);
  ClickItem(1);
  Key(Group, VK_DOWN);
  EXPECT_EQ(Group->ItemIndex(), -1);
  EXPECT_TRUE(Clicks.empty());
}

TEST_F(RadioGroupTest, PaintsFrameCaptionAndGlyphs) {
  Group->SetItemIndex(1);
  TBitmap shot;
  PaintTo(Group, &shot);
  SaveArtifact(shot, "radiogroup");
  ASSERT_EQ(shot.Width(), 121);
  EXPECT_EQ(GlyphCentre(shot, 1), Black);
  EXPECT_EQ(GlyphCentre(shot, 0), White);
  // The etched frame: shadow on the outside left, highlight one pixel in.
  EXPECT_EQ(shot.Pixel(0, 50), Shadow);
  EXPECT_EQ(shot.Pixel(1, 50), White);
  EXPECT_EQ(shot.Pixel(119, 50), Shadow);
  EXPECT_EQ(shot.Pixel(120, 50), White);
  EXPECT_EQ(shot.Pixel(60, 79), Shadow);
  EXPECT_EQ(shot.Pixel(60, 80), White);
  // The caption interrupts the top edge of the frame.
  TRect a = Group->ItemRect(0);
  int frameTop = -1;
  for (int y = 0; y < a.Top && frameTop < 0; ++y)
    if (shot.Pixel(100, y) == Shadow) frameTop = y;
  ASSERT_GE(frameTop, 0);
  EXPECT_LT(CountColor(shot, Rect(8, frameTop, 40, frameTop + 1), Shadow), 5);
  EXPECT_EQ(CountColor(shot, Rect(0, frameTop, 8, frameTop + 1), Shadow), 8);
  // Item text ink right of the glyph.
  TRect textArea = Rect(a.Left + RadioGlyphSize + 4, a.Top, a.Left + 60, a.Bottom);
  EXPECT_GT(DarkPixels(shot, textArea), 3);

  Group->SetItemIndex(0);
  TBitmap other;
  PaintTo(Group, &other);
  EXPECT_EQ(GlyphCentre(other, 0), Black);
  EXPECT_EQ(GlyphCentre(other, 1), White);

  Group->SetEnabled(false);
  TBitmap disabled;
  PaintTo(Group, &disabled);
  SaveArtifact(disabled, "radiogroup_disabled");
  EXPECT_EQ(GlyphCentre(disabled, 0), Shadow);
  EXPECT_EQ(GlyphCentre(disabled, 1), Face);
  EXPECT_EQ(DarkPixels(disabled, textArea), 0);
}

}  // namespace
