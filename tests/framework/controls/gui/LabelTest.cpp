#include <climits>

#include "framework/controls/Label.h"
#include "framework/graphics/Canvas.h"
#include "tests/framework/controls/gui/ControlsFixture.h"

using namespace controlstest;

namespace {

class LabelTest : public ControlsFixture {
 protected:
  void SetUp() override {
    ControlsFixture::SetUp();
    Lbl = new TLabel(Form);
    Lbl->SetParent(Form);
    Lbl->SetBounds(16, 20, 60, 13);
  }
  // The text's size as the label's font measures it.
  TSize Measure(const std::string& text) {
    TBitmap scratch(1, 1);
    scratch.Canvas()->Font()->Assign(Lbl->Font());
    return scratch.Canvas()->TextExtent(text);
  }
  // The label's area of a snapshot of the whole form.
  TRect OnForm(const TRect& r) {
    TPoint o = Form->ClientRectInWindow().TopLeft();
    return Rect(r.Left + o.X, r.Top + o.Y, r.Right + o.X, r.Bottom + o.Y);
  }
  TLabel* Lbl = nullptr;
};

TEST_F(LabelTest, AutoSizeFitsTheCaption) {
  Lbl->SetCaption("Volume");
  TSize s = Measure("Volume");
  EXPECT_EQ(Lbl->Width(), s.cx);
  EXPECT_EQ(Lbl->Height(), s.cy);
  EXPECT_EQ(Lbl->Left(), 16);
  int narrow = Lbl->Width();
  Lbl->SetCaption("Volume of the song");
  EXPECT_GT(Lbl->Width(), narrow);
  // An empty caption keeps one line of height.
  Lbl->SetCaption("");
  EXPECT_EQ(Lbl->Height(), s.cy);
  EXPECT_GT(Lbl->Width(), 0);
  // A bigger font grows the label.
  Lbl->SetCaption("Volume");
  Lbl->Font()->SetHeight(-20);
  EXPECT_GT(Lbl->Height(), s.cy);
  // The ampersand only marks the accelerator.
  Lbl->Font()->SetHeight(-11);
  Lbl->SetCaption("&Volume");
  EXPECT_EQ(Lbl->Width(), s.cx);
  Lbl->SetShowAccelChar(false);
  EXPECT_GT(Lbl->Width(), s.cx);
}

TEST_F(LabelTest, WithoutAutoSizeTheBoundsStay) {
  Lbl->SetAutoSize(false);
  Lbl->SetCaption("A much longer caption than the label");
  EXPECT_EQ(Lbl->BoundsRect(), Rect(16, 20, 76, 33));
}

TEST_F(LabelTest, RightJustifiedLabelKeepsItsRightEdge) {
  Lbl->SetAutoSize(false);
  Lbl->SetAlignment(taRightJustify);
  Lbl->SetCaption("Hi");
  Lbl->SetAutoSize(true);
  EXPECT_EQ(Lbl->Left() + Lbl->Width(), 76);
  Lbl->SetCaption("Hello there");
  EXPECT_EQ(Lbl->Left() + Lbl->Width(), 76);
  EXPECT_EQ(Lbl->Width(), Measure("Hello there").cx);
}

// Read in the stored order (bounds, caption, then alignment and AutoSize), the size is
// fitted once reading is over, about the right edge the stored bounds gave.
TEST_F(LabelTest, StoredRightJustifiedLabelIsFittedAfterReading) {
  ReadControls(R"(  object Label1: TLabel
    Left = 16
    Top = 280
    Width = 60
    Height = 13
    Caption = 'Volume:'
    Alignment = taRightJustify
    AutoSize = True
  end
)");
  auto* label = dynamic_cast<TLabel*>(Form->FindComponent("Label1"));
  ASSERT_NE(nullptr, label);
  TBitmap scratch(1, 1);
  scratch.Canvas()->Font()->Assign(label->Font());
  EXPECT_EQ(label->Width(), scratch.Canvas()->TextWidth("Volume:"));
  EXPECT_EQ(label->Left() + label->Width(), 76);
}

TEST_F(LabelTest, WordWrapKeepsTheWidthAndGrowsDownwards) {
  Lbl->SetWordWrap(true);
  Lbl->SetCaption("one two three four five six seven");
  EXPECT_EQ(Lbl->Width(), 60);
  int line = Measure("one").cy;
  EXPECT_GE(Lbl->Height(), 3 * line);
  EXPECT_EQ(Lbl->Height() % line, 0);
}

TEST_F(LabelTest, PaintsTextOnItsBackgroundOrOnTheParent) {
  Form->SetColor(clBtnFace);
  Lbl->SetCaption("Label");
  Lbl->SetColor(clYellow);
  TBitmap shot;
  PaintTo(Form, &shot);
  SaveArtifact(shot, "label_opaque");
  TRect area = OnForm(Lbl->BoundsRect());
  EXPECT_GT(DarkPixels(shot, area), 10);
  EXPECT_GT(CountColor(shot, area, RGB(255, 255, 0)), area.Width() * area.Height() / 2);
  // Nothing beyond the label.
  TRect right = OnForm(Rect(Lbl->Left() + Lbl->Width(), 20, Lbl->Left() + Lbl->Width() + 30, 33));
  EXPECT_EQ(DarkPixels(shot, right), 0);

  Lbl->SetTransparent(true);
  TBitmap clear;
  PaintTo(Form, &clear);
  SaveArtifact(clear, "label_transparent");
  EXPECT_EQ(CountColor(clear, area, RGB(255, 255, 0)), 0);
  EXPECT_GT(CountColor(clear, area, Face), area.Width() * area.Height() / 2);
  EXPECT_GT(DarkPixels(clear, area), 10);

  Lbl->SetTransparent(false);
  Lbl->SetParentColor(true);  // the form's colour again
  Lbl->SetEnabled(false);
  TBitmap disabled;
  PaintTo(Form, &disabled);
  SaveArtifact(disabled, "label_disabled");
  EXPECT_EQ(DarkPixels(disabled, area), 0);
  EXPECT_GT(CountColor(disabled, area, Shadow), 5);
  EXPECT_GT(CountColor(disabled, area, White), 5);
}

TEST_F(LabelTest, AlignmentAndLayoutPlaceTheText) {
  Lbl->SetAutoSize(false);
  Lbl->SetBounds(16, 20, 120, 40);
  Lbl->SetCaption("ab");
  auto inkBox = [&]() {
    TBitmap shot;
  PaintTo(Form, &shot);
    TRect a = OnForm(Lbl->BoundsRect());
    TRect box = Rect(INT_MAX, INT_MAX, INT_MIN, INT_MIN);  // label coordinates
    for (int y = a.Top; y < a.Bottom; ++y)
      for (int x = a.Left; x < a.Right; ++x)
        if (DarkPixels(shot, Rect(x, y, x + 1, y + 1))) {
          box.Left = std::min(box.Left, x - a.Left);
          box.Right = std::max(box.Right, x - a.Left + 1);
          box.Top = std::min(box.Top, y - a.Top);
          box.Bottom = std::max(box.Bottom, y - a.Top + 1);
        }
    return box;
  };
  TRect left = inkBox();
  EXPECT_LT(left.Left, 4);
  EXPECT_LT(left.Top, 8);
  Lbl->SetAlignment(taRightJustify);
  Lbl->SetLayout(tlBottom);
  TRect br = inkBox();
  EXPECT_GT(br.Right, 114);
  EXPECT_GT(br.Bottom, 32);
  Lbl->SetAlignment(taCenter);
  Lbl->SetLayout(tlCenter);
  TRect mid = inkBox();
  EXPECT_NEAR((mid.Left + mid.Right) / 2, 60, 3);
  EXPECT_NEAR((mid.Top + mid.Bottom) / 2, 20, 4);
}

TEST_F(LabelTest, FocusControlIsClearedWhenItGoes) {
  auto* target = new TCustomControl(Form);
  target->SetParent(Form);
  Lbl->SetFocusControl(target);
  EXPECT_EQ(Lbl->FocusControl(), target);
  delete target;
  EXPECT_EQ(Lbl->FocusControl(), nullptr);
}

}  // namespace
