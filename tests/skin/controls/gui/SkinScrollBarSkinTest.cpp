// The skin scroll bar with the Slate skin: the bar image at any length, arrows drawn only
// in their hot and pressed states, the thumb's state images, copied or stretched with a
// page, and the vertical bar.
#include "framework/graphics/Canvas.h"
#include "skin/controls/SkinScrollBar.h"
#include "tests/skin/controls/gui/SkinControlsFixture.h"

using namespace skincontrolstest;

namespace {

class SkinScrollBarSkinTest : public SkinControlsFixture {
 protected:
  void SetUp() override {
    SkinControlsFixture::SetUp();
    LoadSlate();
  }
  TbsSkinScrollBar* MakeBar(TScrollBarKind kind, int w, int h) {
    auto* b = new TbsSkinScrollBar(Form);
    b->SetParent(Form);
    b->SetKind(kind);
    b->SetSkinDataName(kind == sbHorizontal ? "hscrollbar" : "vscrollbar");
    b->SetBounds(10, 10, w, h);
    b->SetSkinData(SkinData);
    return b;
  }
  const TbsDataSkinScrollBarControl& Rec(const TbsSkinScrollBar* b) const {
    return *dynamic_cast<const TbsDataSkinScrollBarControl*>(Record(b->SkinDataName()));
  }
  // The track's gradient (top to bottom over 15 steps) at row 8, and a grip dot.
  static constexpr TColor Track8 = RGB(225, 229, 235), Ink = RGB(30, 36, 48);
  TRect Thumb(TbsSkinScrollBar* b) const { return b->PartRect(TbsSkinScrollBar::ThumbPart); }
};
// Arrows and thumbs: Slate's faces 16 pixels across the bar, row 1 = top + (bottom - top) / 15.
const FaceLook Normal16{NormalLook.topCorner, NormalLook.bottomCorner, RGB(70, 84, 110), RGB(234, 237, 242)},
    Hot16{HotLook.topCorner, HotLook.bottomCorner, RGB(64, 140, 220), RGB(210, 227, 249)},
    Down16{DownLook.topCorner, DownLook.bottomCorner, RGB(70, 84, 110), RGB(152, 178, 215)};

TEST_F(SkinScrollBarSkinTest, HorizontalBarGeometryFollowsTheRecord) {
  auto* b = MakeBar(sbHorizontal, 200, 19);
  ASSERT_NE(-1, b->SkinIndex());
  EXPECT_EQ(16, b->Height());  // the record's height
  EXPECT_EQ(Rect(16, 0, 184, 16), b->TrackRect());
  EXPECT_EQ(Rect(184, 0, 200, 16), b->PartRect(TbsSkinScrollBar::IncPart));
  EXPECT_EQ(Rect(0, 0, 16, 16), b->PartRect(TbsSkinScrollBar::DecPart));
  const auto& r = Rec(b);
  const int tw = RectWidth(r.thumbrect);
  EXPECT_EQ(Rect(16, 0, 16 + tw, 16), b->PartRect(TbsSkinScrollBar::ThumbPart));
  b->SetPosition(100);
  EXPECT_EQ(Rect(184 - tw, 0, 184, 16), b->PartRect(TbsSkinScrollBar::ThumbPart));
  // A page never makes the thumb shorter than the record's.
  b->SetParams(0, 999, 1, 0);
  EXPECT_EQ(tw, RectWidth(b->PartRect(TbsSkinScrollBar::ThumbPart)));
  b->SetParams(0, 99, 50, 0);
  EXPECT_EQ(84, RectWidth(b->PartRect(TbsSkinScrollBar::ThumbPart)));
}

TEST_F(SkinScrollBarSkinTest, ArrowAndThumbStateImages) {
  auto* b = MakeBar(sbHorizontal, 200, 19);
  b->SetPosition(40);
  const TRect inc = b->PartRect(TbsSkinScrollBar::IncPart), dec = b->PartRect(TbsSkinScrollBar::DecPart);
  Pic normal = Shot(b);
  SaveArtifact(normal, "skin_scrollbar_slate_normal");
  // The bar image itself shows the arrows, their glyphs from the image's own ends.
  EXPECT_TRUE(ShowsFace(Part(normal, inc), Normal16));
  EXPECT_TRUE(ShowsFace(Part(normal, dec), Normal16));
  EXPECT_EQ(Ink, normal.Pixel(190, 4));
  EXPECT_EQ(Ink, normal.Pixel(6, 7));
  EXPECT_EQ(Track8, normal.Pixel(150, 8));
  // The thumb with its grip centred: dots on its gradient's row 6.
  TRect t = Thumb(b);
  EXPECT_TRUE(ShowsFace(Part(normal, t), Normal16));
  EXPECT_EQ(Ink, normal.Pixel(t.Left + 8, 6));
  EXPECT_EQ(RGB(224, 228, 235), normal.Pixel(t.Left + 9, 6));

  SimulateMouse(b, WM_MOUSEMOVE, 190, 8);
  Pic hot = Shot(b);
  EXPECT_TRUE(ShowsFace(Part(hot, inc), Hot16));
  EXPECT_TRUE(ShowsFace(Part(hot, dec), Normal16));
  SimulateMouse(b, WM_LBUTTONDOWN, 190, 8, MK_LBUTTON);
  Pic down = Shot(b);
  SaveArtifact(down, "skin_scrollbar_slate_arrow_down");
  EXPECT_TRUE(ShowsFace(Part(down, inc), Down16));
  SimulateMouse(b, WM_MOUSEMOVE, 100, 30, MK_LBUTTON);  // off the pressed arrow: the bar's own
  EXPECT_TRUE(ShowsFace(Part(Shot(b), inc), Normal16));
  SimulateMouse(b, WM_LBUTTONUP, 100, 30, 0);

  t = Thumb(b);  // moved by the arrow's press
  SimulateMouse(b, WM_MOUSEMOVE, t.Left + 3, 8);
  Pic hotThumb = Shot(b);
  EXPECT_TRUE(ShowsFace(Part(hotThumb, t), Hot16));
  EXPECT_EQ(Ink, hotThumb.Pixel(t.Left + 8, 6));
  SimulateMouse(b, WM_LBUTTONDOWN, t.Left + 3, 8, MK_LBUTTON);
  Pic drag = Shot(b);
  SaveArtifact(drag, "skin_scrollbar_slate_drag");
  EXPECT_TRUE(ShowsFace(Part(drag, t), Down16));
  EXPECT_EQ(Ink, drag.Pixel(t.Left + 8, 6));
  SimulateMouse(b, WM_LBUTTONUP, t.Left + 3, 8, 0);

  b->SetEnabled(false);
  Pic off = Shot(b);
  SaveArtifact(off, "skin_scrollbar_slate_disabled");
  // No thumb: the track under it; the arrows as the bar image has them.
  EXPECT_EQ(Track8, off.Pixel(t.Left + 11, 8));
  EXPECT_TRUE(ShowsFace(Part(off, inc), Normal16));
}

TEST_F(SkinScrollBarSkinTest, PageThumbIsStretchedBetweenItsEnds) {
  auto* b = MakeBar(sbHorizontal, 260, 16);
  b->SetParams(0, 99, 30, 35);
  const TRect t = Thumb(b);
  ASSERT_GT(RectWidth(t), 22);
  Pic p = Shot(b);
  SaveArtifact(p, "skin_scrollbar_slate_page");
  // Five-pixel ends kept, the middle stretched, the grip centred.
  EXPECT_TRUE(ShowsFace(Part(p, t), Normal16));
  EXPECT_EQ(Ink, p.Pixel(t.Left + (RectWidth(t) - 5) / 2, 6));
}

TEST_F(SkinScrollBarSkinTest, VerticalBar) {
  auto* b = MakeBar(sbVertical, 19, 150);
  ASSERT_NE(-1, b->SkinIndex());
  EXPECT_EQ(16, b->Width());
  EXPECT_EQ(Rect(0, 16, 16, 134), b->TrackRect());
  EXPECT_EQ(Rect(0, 134, 16, 150), b->PartRect(TbsSkinScrollBar::IncPart));
  b->SetPosition(50);
  Pic p = Shot(b);
  SaveArtifact(p, "skin_scrollbar_slate_vertical");
  // The 16 x 22 thumb (row 1 as for 16 rows) with its 7 x 3 grip centred; both arrows.
  const TRect t = Thumb(b);
  EXPECT_TRUE(ShowsFace(Part(p, t), Normal16));
  EXPECT_EQ(Ink, p.Pixel(4, t.Top + 9));
  EXPECT_TRUE(ShowsFace(Part(p, Rect(0, 134, 16, 150)), Normal16));
  EXPECT_TRUE(ShowsFace(Part(p, Rect(0, 0, 16, 16)), Normal16));
  SimulateMouse(b, WM_MOUSEMOVE, 8, 4);
  SimulateMouse(b, WM_LBUTTONDOWN, 8, 4, MK_LBUTTON);
  EXPECT_EQ(49, b->Position());
  EXPECT_TRUE(ShowsFace(Part(Shot(b), b->PartRect(TbsSkinScrollBar::DecPart)), Down16));
  SimulateMouse(b, WM_LBUTTONUP, 8, 4, 0);
}

}  // namespace
