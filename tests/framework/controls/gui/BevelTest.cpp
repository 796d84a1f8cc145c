// The bevel: every shape in both styles against its pixels on a coloured form, the
// spacer drawing nothing, and a bevel read from a stored layout.
#include <memory>

#include "framework/controls/Bevel.h"
#include "framework/controls/StandardControls.h"
#include "framework/layout/ClassRegistry.h"
#include "framework/layout/LayoutReader.h"
#include "tests/framework/controls/gui/ControlsFixture.h"

using namespace controlstest;

namespace {

const TColor Ground = RGB(40, 120, 60);

class BevelTest : public ControlsFixture {
 protected:
  void SetUp() override {
    ControlsFixture::SetUp();
    Form->SetColor(Ground);
    Bev = new TBevel(Form);
    Bev->SetParent(Form);
    Bev->SetBounds(20, 20, 40, 30);
  }
  // The bevel's own pixels, cut from a shot of the form.
  std::unique_ptr<TBitmap> Shot(const std::string& name) {
    TBitmap form;
    PaintTo(Form, &form);
    const TPoint o = Form->ClientRectInWindow().TopLeft();
    auto b = std::make_unique<TBitmap>(Bev->Width() + 4, Bev->Height() + 4);
    for (int y = 0; y < b->Height(); ++y)
      for (int x = 0; x < b->Width(); ++x)
        b->SetPixel(x, y, form.Pixel(o.X + Bev->Left() - 2 + x, o.Y + Bev->Top() - 2 + y));
    SaveArtifact(*b, name);
    return b;
  }
  // What a shot should be: the ground with the listed lines (in bevel coordinates).
  struct Stroke {
    TRect r;
    TColor c;
  };
  std::string Compare(const TBitmap& shot, std::initializer_list<Stroke> strokes) {
    TBitmap want(shot.Width(), shot.Height());
    for (int y = 0; y < want.Height(); ++y)
      for (int x = 0; x < want.Width(); ++x) want.SetPixel(x, y, Ground);
    for (const Stroke& s : strokes)
      for (int y = s.r.Top; y < s.r.Bottom; ++y)
        for (int x = s.r.Left; x < s.r.Right; ++x) want.SetPixel(x + 2, y + 2, s.c);
    for (int y = 0; y < want.Height(); ++y)
      for (int x = 0; x < want.Width(); ++x)
        if (want.Pixel(x, y) != shot.Pixel(x, y))
          return "pixel " + std::to_string(x - 2) + "," + std::to_string(y - 2);
    return "";
  }
  TBevel* Bev = nullptr;
};

TEST_F(BevelTest, DefaultsAreALoweredBox) {
  auto* b = new TBevel(Form);
  EXPECT_EQ(50, b->Width());
  EXPECT_EQ(50, b->Height());
  EXPECT_EQ(bsBox, b->Shape());
  EXPECT_EQ(bsLowered, b->Style());
}

TEST_F(BevelTest, BoxAndFrameInBothStyles) {
  const int W = 40, H = 30;
  for (TBevelStyle style : {bsLowered, bsRaised}) {
    const TColor a = style == bsLowered ? Shadow : White, z = style == bsLowered ? White : Shadow;
    const std::string tag = style == bsLowered ? "lowered" : "raised";
    Bev->SetStyle(style);
    Bev->SetShape(bsBox);
    EXPECT_EQ("", Compare(*Shot("bevel_box_" + tag), {{Rect(0, 0, W, H), z},
                                                       {Rect(0, 0, W - 1, 1), a},
                                                       {Rect(0, 0, 1, H - 1), a},
                                                       {Rect(1, 1, W - 1, H - 1), Ground}}))
        << tag;
    Bev->SetShape(bsFrame);
    EXPECT_EQ("", Compare(*Shot("bevel_frame_" + tag), {{Rect(1, 1, W, H), z},
                                                         {Rect(2, 2, W - 1, H - 1), Ground},
                                                         {Rect(0, 0, W - 1, 1), a},
                                                         {Rect(0, 0, 1, H - 1), a},
                                                         {Rect(W - 2, 0, W - 1, H - 1), a},
                                                         {Rect(0, H - 2, W - 1, H - 1), a}}))
        << tag;
  }
}

TEST_F(BevelTest, EdgeLinesAndSpacer) {
  const int W = 40, H = 30;
  for (TBevelStyle style : {bsLowered, bsRaised}) {
    const TColor a = style == bsLowered ? Shadow : White, z = style == bsLowered ? White : Shadow;
    const std::string tag = style == bsLowered ? "lowered" : "raised";
    Bev->SetStyle(style);
    Bev->SetShape(bsTopLine);
    EXPECT_EQ("", Compare(*Shot("bevel_topline_" + tag), {{Rect(0, 0, W, 1), a}, {Rect(0, 1, W, 2), z}}));
    Bev->SetShape(bsBottomLine);
    EXPECT_EQ("", Compare(*Shot("bevel_bottomline_" + tag), {{Rect(0, H - 2, W, H - 1), a}, {Rect(0, H - 1, W, H), z}}));
    Bev->SetShape(bsLeftLine);
    EXPECT_EQ("", Compare(*Shot("bevel_leftline_" + tag), {{Rect(0, 0, 1, H), a}, {Rect(1, 0, 2, H), z}}));
    Bev->SetShape(bsRightLine);
    EXPECT_EQ("", Compare(*Shot("bevel_rightline_" + tag), {{Rect(W - 2, 0, W - 1, H), a}, {Rect(W - 1, 0, W, H), z}}));
  }
  Bev->SetShape(bsSpacer);
  EXPECT_EQ("", Compare(*Shot("bevel_spacer"), {}));
}

TEST_F(BevelTest, ReadFromAStoredLayout) {
  ReadControls(R"(  object Bevel1: TBevel
    Left = 7
    Width = 120
    Shape = bsBottomLine
    Style = bsRaised
  end
)");
  auto* b = dynamic_cast<TBevel*>(Form->FindComponent("Bevel1"));
  ASSERT_NE(nullptr, b);
  EXPECT_EQ(Form, b->Parent());
  EXPECT_EQ(120, b->Width());
  EXPECT_EQ(bsBottomLine, b->Shape());
  EXPECT_EQ(bsRaised, b->Style());
}

}  // namespace
