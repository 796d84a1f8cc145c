// The skin scroll bar with the Slate skin: the bar image at any length, arrows drawn only
// in their hot and pressed states, the thumb's state images, copied or stretched with a
// page, and the vertical bar.
#include "framework/graphics/Canvas.h"
#include "skin/controls/SkinScrollBar.h"
#include "skin/draw/SkinImage.h"
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
  const TBitmap& Picture(const TbsSkinScrollBar* b) const {
    return *SkinData->PictureList[size_t(Rec(b).pictureindex)];
  }
  // The bar image for the bar's size with the given arrow images over it and the thumb.
  Pic Expected(TbsSkinScrollBar* b, const TRect& incSrc, const TRect& decSrc, const TRect* thumbSrc,
               const TRect& glyphSrc) {
    const auto& r = Rec(b);
    Pic p = BuilderImage(*SkinData, r, b->ResizeMode(), b->NewPoints(), r.skinrect, b->Width(), b->Height());
    TCanvas* c = p.B->Canvas();
    const TBitmap& pic = Picture(b);
    if (!IsNullRect(incSrc)) c->CopyRect(b->PartRect(TbsSkinScrollBar::IncPart), &pic, incSrc);
    if (!IsNullRect(decSrc)) c->CopyRect(b->PartRect(TbsSkinScrollBar::DecPart), &pic, decSrc);
    if (thumbSrc) {
      const TRect t = b->PartRect(TbsSkinScrollBar::ThumbPart);
      if (b->PageSize() == 0) {
        c->CopyRect(t, &pic, *thumbSrc);
      } else {
        TBitmap strip;
        if (b->Kind() == sbHorizontal)
          BuildHSkinImage(r.thumboffset1, r.thumboffset2, strip, RectWidth(t), *thumbSrc, pic);
        else
          BuildVSkinImage(r.thumboffset1, r.thumboffset2, strip, RectHeight(t), *thumbSrc, pic);
        c->Draw(t.Left, t.Top, &strip);
      }
      const int gw = RectWidth(glyphSrc), gh = RectHeight(glyphSrc);
      const int x = t.Left + (RectWidth(t) - gw) / 2, y = t.Top + (RectHeight(t) - gh) / 2;
      c->CopyRect(Rect(x, y, x + gw, y + gh), &pic, glyphSrc);
    }
    return p;
  }
};

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
  const auto& r = Rec(b);
  Pic normal = Shot(b);
  SaveArtifact(normal, "skin_scrollbar_slate_normal");
  EXPECT_EQ("", Difference(normal, Expected(b, {}, {}, &r.thumbrect, r.glyphrect)));
  // The bar image itself shows the arrows: the right end is the record's right end.
  const TBitmap& pic = Picture(b);
  EXPECT_EQ(pic.Pixel(r.skinrect.Right - 8, r.skinrect.Top + 8), normal.Pixel(192, 8));

  SimulateMouse(b, WM_MOUSEMOVE, 190, 8);
  Pic hot = Shot(b);
  EXPECT_EQ("", Difference(hot, Expected(b, r.activeupbuttonrect, {}, &r.thumbrect, r.glyphrect)));
  SimulateMouse(b, WM_LBUTTONDOWN, 190, 8, MK_LBUTTON);
  Pic down = Shot(b);
  SaveArtifact(down, "skin_scrollbar_slate_arrow_down");
  EXPECT_EQ("", Difference(down, Expected(b, r.downupbuttonrect, {}, &r.thumbrect, r.glyphrect)));
  SimulateMouse(b, WM_MOUSEMOVE, 100, 30, MK_LBUTTON);  // off the pressed arrow: the bar's own
  EXPECT_EQ("", Difference(Shot(b), Expected(b, {}, {}, &r.thumbrect, r.glyphrect)));
  SimulateMouse(b, WM_LBUTTONUP, 100, 30, 0);

  const TRect t = b->PartRect(TbsSkinScrollBar::ThumbPart);
  SimulateMouse(b, WM_MOUSEMOVE, t.Left + 3, 8);
  EXPECT_EQ("", Difference(Shot(b), Expected(b, {}, {}, &r.activethumbrect, r.activeglyphrect)));
  SimulateMouse(b, WM_LBUTTONDOWN, t.Left + 3, 8, MK_LBUTTON);
  Pic drag = Shot(b);
  SaveArtifact(drag, "skin_scrollbar_slate_drag");
  EXPECT_EQ("", Difference(drag, Expected(b, {}, {}, &r.downthumbrect, r.downglyphrect)));
  SimulateMouse(b, WM_LBUTTONUP, t.Left + 3, 8, 0);

  b->SetEnabled(false);
  Pic off = Shot(b);
  SaveArtifact(off, "skin_scrollbar_slate_disabled");
  EXPECT_EQ("", Difference(off, Expected(b, {}, {}, nullptr, {})));
}

TEST_F(SkinScrollBarSkinTest, PageThumbIsStretchedBetweenItsEnds) {
  auto* b = MakeBar(sbHorizontal, 260, 16);
  b->SetParams(0, 99, 30, 35);
  const auto& r = Rec(b);
  ASSERT_GT(RectWidth(b->PartRect(TbsSkinScrollBar::ThumbPart)), RectWidth(r.thumbrect));
  Pic p = Shot(b);
  SaveArtifact(p, "skin_scrollbar_slate_page");
  EXPECT_EQ("", Difference(p, Expected(b, {}, {}, &r.thumbrect, r.glyphrect)));
}

TEST_F(SkinScrollBarSkinTest, VerticalBar) {
  auto* b = MakeBar(sbVertical, 19, 150);
  ASSERT_NE(-1, b->SkinIndex());
  EXPECT_EQ(16, b->Width());
  EXPECT_EQ(Rect(0, 16, 16, 134), b->TrackRect());
  EXPECT_EQ(Rect(0, 134, 16, 150), b->PartRect(TbsSkinScrollBar::IncPart));
  b->SetPosition(50);
  const auto& r = Rec(b);
  Pic p = Shot(b);
  SaveArtifact(p, "skin_scrollbar_slate_vertical");
  EXPECT_EQ("", Difference(p, Expected(b, {}, {}, &r.thumbrect, r.glyphrect)));
  SimulateMouse(b, WM_MOUSEMOVE, 8, 4);
  SimulateMouse(b, WM_LBUTTONDOWN, 8, 4, MK_LBUTTON);
  EXPECT_EQ(49, b->Position());
  EXPECT_EQ("", Difference(Shot(b), Expected(b, {}, r.downdownbuttonrect, &r.thumbrect, r.glyphrect)));
  SimulateMouse(b, WM_LBUTTONUP, 8, 4, 0);
}

}  // namespace
