// The skinned frame with the Slate skin: the four sides drawn from its picture at two
// sizes, the window shape from its mask, the skinned hit test, the client background,
// and skins the frame cannot use.
#include <filesystem>
#include <fstream>

#include "framework/graphics/Canvas.h"
#include "framework/graphics/Region.h"
#include "skin/draw/FrameStrips.h"
#include "skin/draw/SkinGeometry.h"
#include "skin/draw/SkinRegion.h"
#include "skin/form/SkinCaptionObject.h"
#include "skin/form/SkinFormGeometry.h"
#include "tests/skin/data/unit/SkinTestData.h"
#include "tests/skin/form/gui/SkinFormTestSupport.h"

using namespace sftest;

namespace {
class FormFrameSkin : public FormFixture {
 protected:
  void SetUp() override {
    FormFixture::SetUp();
    data = new TbsSkinData(form);
  }
  void UseSlate() {
    ASSERT_TRUE(LoadSlate(*data));
    skinForm->SetSkinData(data);
    ASSERT_TRUE(skinForm->SkinFrame());
  }
  void Window(TBitmap& b) { PaintTo(form, &b); }
  LRESULT Hit(int wx, int wy) {
    return SendMessage(form->HandleValue(), WM_NCHITTEST, 0,
                       MAKELPARAM(unsigned(form->Left() + wx), unsigned(form->Top() + wy)));
  }
  TbsActiveSkinObject* Object(const std::string& name) { return skinForm->Objects(skinForm->IndexOfObject(name)); }

  // The frame at the form's size as the strip builder cuts it from picture, compared
  // with the window outside the client area and outside every visible object (objects
  // draw over the frame) and the window shape.
  void ExpectFrameFrom(const TBitmap& picture, const std::string& shot) {
    const int w = form->Width(), h = form->Height();
    const TbsSkinData& s = *data;
    const TbsFormFrameGeometry g = ComputeFrameGeometry(s, w, h);
    TBitmap top, bottom, left, right;
    BuildStretchFrameStrips(s.lefttoppoint, s.righttoppoint, s.leftbottompoint, s.clientrect, s.rightbottompoint,
                            g.LT, g.RT, g.LB, g.RB, g.Client, s.leftstretch, s.topstretch, s.rightstretch,
                            s.bottomstretch, w, h, Rect(0, 0, picture.Width(), picture.Height()), picture, top,
                            bottom, left, right);
    ASSERT_EQ(w, top.Width());
    ASSERT_EQ(g.Client.Top, top.Height());
    ASSERT_EQ(h - g.Client.Bottom, bottom.Height());
    TBitmap expect(w, h);
    expect.Canvas()->Draw(0, 0, &top);
    expect.Canvas()->Draw(0, top.Height(), &left);
    expect.Canvas()->Draw(w - right.Width(), top.Height(), &right);
    expect.Canvas()->Draw(0, h - bottom.Height(), &bottom);
    form->Perform(WM_NCPAINT, 0, 0);
    TBitmap b;
  Window(b);
    Save(b, shot);
    TRegion shape(Rect(0, 0, w, h));  // stays the whole window when it has no region
    GetWindowRgn(form->HandleValue(), shape);
    int compared = 0, differing = 0;
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) {
        const TPoint p = Point(x, y);
        if (PtInRect(g.Client, p) || !shape.Contains(x, y)) continue;
        bool onObject = false;
        for (int i = 0; i < skinForm->ObjectCount() && !onObject; ++i)
          onObject = skinForm->Objects(i)->Visible && PtInRect(skinForm->Objects(i)->ObjectRect, p);
        if (onObject) continue;
        ++compared;
        if (b.Pixel(x, y) != expect.Pixel(x, y) && ++differing < 5)
          ADD_FAILURE() << "frame pixel " << x << "," << y << " differs";
      }
    EXPECT_EQ(0, differing);
    EXPECT_GT(compared, 2 * (w + h));
  }

  // The region the frame must have: the mask area united with the black pixels of the
  // mask's four sides cut for this size.
  TRegion ExpectedShape() {
    const TbsSkinData& s = *data;
    const TbsFormFrameGeometry g = ComputeFrameGeometry(s, form->Width(), form->Height());
    TBitmap top, bottom, left, right;
    BuildFrameStrips(s.lefttoppoint, s.righttoppoint, s.leftbottompoint, s.rightbottompoint, s.maskrectarea, g.LT,
                     g.RT, g.LB, g.RB, g.MaskArea, g.W, *s.SkinMask, top, bottom, left, right);
    TRegion r(g.MaskArea);
    const std::pair<TBitmap*, TPoint> sides[] = {{&top, Point(0, 0)},
                                                 {&bottom, Point(0, g.MaskArea.Bottom)},
                                                 {&left, Point(0, g.MaskArea.Top)},
                                                 {&right, Point(g.MaskArea.Right, g.MaskArea.Top)}};
    for (auto [side, at] : sides) {
      if (side->Empty()) continue;
      std::unique_ptr<TRegion> part = CreateMaskRegion(*side);
      if (!part) continue;
      part->Offset(at.X, at.Y);
      r.Combine(*part, TRegionOp::Or);
    }
    return r;
  }

  TbsSkinData* data = nullptr;
};

// A copy of the Slate folder to spoil.
std::string SlateCopy(const std::string& tag) {
  const std::string dir = testsupport::MakeTempDir(tag);
  for (const auto& e : std::filesystem::directory_iterator(SlateFolder()))
    std::filesystem::copy_file(e.path(), dir + "/" + e.path().filename().string(),
                               std::filesystem::copy_options::overwrite_existing);
  return dir + "/";
}

void WriteBmp(const std::string& path, int w, int h, TColor c) {
  TBitmap b(w, h);
  b.Canvas()->Brush()->Color = c;
  b.Canvas()->FillRect(Rect(0, 0, w, h));
  b.SaveToFile(path);
}

bool LoadFolder(TbsSkinData& data, const std::string& folder) {
  TbsCompressedStoredSkin stored(nullptr);
  stored.PackSkinIni(folder + "skin.ini");
  data.LoadFromStoredSkin(&stored);
  return !data.SkinEmpty;
}
}  // namespace

TEST_F(FormFrameSkin, SlateFrameAtTwoSizesIsCutFromItsPicture) {
  UseSlate();
  for (TPoint size : {Point(400, 300), Point(1000, 700)}) {
    form->SetBounds(100, 80, size.X, size.Y);
    ASSERT_EQ(size.X, form->Width());
    const std::string tag = "skin_form_frame_slate_" + std::to_string(size.X);
    ExpectFrameFrom(*data->SkinPicture, tag);
    // The client area sits at the skin's client rectangle, grown with the window.
    const TRect c = data->clientrect;
    EXPECT_EQ(Rect(c.Left, c.Top, c.Right + size.X - 320, c.Bottom + size.Y - 140), form->ClientRectInWindow());
    // The caption buttons keep their distance to the right edge.
    EXPECT_EQ(Rect(size.X - 24, 4, size.X - 6, 22), Object("closebutton")->ObjectRect);
    EXPECT_EQ(Rect(24, 4, 176 + size.X - 320, 24), Object("caption")->ObjectRect);
  }
  // Inactive: the inactive picture.
  skinForm->SetAlwaysDrawAsActive(false);
  SendMessage(form->HandleValue(), WM_ACTIVATE, WA_INACTIVE, 0);
  ASSERT_FALSE(skinForm->FormActive());
  ExpectFrameFrom(*data->SkinInactivePicture, "skin_form_frame_slate_inactive");
}

TEST_F(FormFrameSkin, InactiveEffectDarkensTheFrameWhenTheSkinAsksForIt) {
  UseSlate();
  data->SkinInactivePicture->SetSize(0, 0);
  data->autorenderinginactiveimage = true;
  data->inactiveeffect = ieInvert;
  skinForm->SetAlwaysDrawAsActive(false);
  SendMessage(form->HandleValue(), WM_ACTIVATE, WA_INACTIVE, 0);
  form->Perform(WM_NCPAINT, 0, 0);
  TBitmap b;
  Window(b);
  Save(b, "skin_form_frame_slate_inverted");
  // A pixel of the top-left corner, which is copied unscaled: the picture's, inverted.
  const TColor source = data->SkinPicture->Pixel(2, 10);
  EXPECT_EQ(TColor(0xFFFFFF - source), b.Pixel(2, 10));
}

TEST_F(FormFrameSkin, WindowRegionIsTheMaskAreaAndTheMaskSides) {
  UseSlate();
  for (TPoint size : {Point(400, 300), Point(700, 500)}) {
    form->SetBounds(100, 80, size.X, size.Y);
    TRegion shape;
    ASSERT_TRUE(GetWindowRgn(form->HandleValue(), shape));
    EXPECT_TRUE(shape == ExpectedShape()) << size.X;
    // Slate cuts the outermost corner pixels and keeps the rest of the border.
    EXPECT_FALSE(shape.Contains(0, 0));
    EXPECT_FALSE(shape.Contains(size.X - 1, 0));
    EXPECT_FALSE(shape.Contains(0, size.Y - 1));
    EXPECT_TRUE(shape.Contains(2, 0));
    EXPECT_TRUE(shape.Contains(0, size.Y / 2));
    EXPECT_TRUE(shape.Contains(size.X - 1, size.Y / 2));
    EXPECT_TRUE(shape.Contains(size.X / 2, size.Y - 1));
    EXPECT_EQ(Rect(0, 0, size.X, size.Y), shape.BoundingRect());
  }
  // Without a skin the window is rectangular again.
  skinForm->SetSkinData(nullptr);
  TRegion none;
  EXPECT_FALSE(GetWindowRgn(form->HandleValue(), none));
  EXPECT_EQ(Rect(3, 22, form->Width() - 3, form->Height() - 3), form->ClientRectInWindow());
}

TEST_F(FormFrameSkin, SizeableSlateHitTestFollowsTheShapedEdges) {
  form->SetBorderStyle(bsSizeable);
  UseSlate();
  form->SetBounds(100, 80, 400, 300);
  SetCursorPos(0, 0);
  Tick(skinForm->HoverTimer());
  ASSERT_EQ(-1, skinForm->HotIndex());
  const std::pair<TPoint, int> cases[] = {
      {Point(1, 1), HTTOPLEFT},       {Point(398, 1), HTTOPRIGHT}, {Point(1, 298), HTBOTTOMLEFT},
      {Point(398, 298), HTBOTTOMRIGHT}, {Point(1, 150), HTLEFT},  {Point(398, 150), HTRIGHT},
      {Point(200, 1), HTTOP},         {Point(200, 298), HTBOTTOM}, {Point(100, 12), HTCAPTION},
      {Point(200, 150), HTCLIENT},    {Point(3, 150), HTOBJECT},   {Point(385, 12), HTOBJECT}};
  for (auto [p, code] : cases) EXPECT_EQ(code, Hit(p.X, p.Y)) << p.X << "," << p.Y;
  // Single border: the edges belong to the frame.
  form->SetBorderStyle(bsSingle);
  EXPECT_EQ(HTOBJECT, Hit(1, 150));
  EXPECT_EQ(HTCAPTION, Hit(100, 12));
}

TEST_F(FormFrameSkin, CaptionTextTooWideStaysInsideTheCaption) {
  UseSlate();
  form->SetBounds(100, 80, 400, 300);
  form->SetCaption("Short");
  form->Perform(WM_NCPAINT, 0, 0);
  TBitmap before;
  Window(before);
  form->SetCaption(std::string(300, 'W'));
  form->Perform(WM_NCPAINT, 0, 0);
  TBitmap b;
  Window(b);
  Save(b, "skin_form_frame_slate_wide_caption");
  const TRect cap = Object("caption")->ObjectRect;
  // Nothing of the text lands right of the caption object (over the buttons).
  for (int y = cap.Top; y < cap.Bottom; ++y)
    for (int x = cap.Right; x < form->Width(); ++x) ASSERT_EQ(before.Pixel(x, y), b.Pixel(x, y)) << x << "," << y;
  // The text ends in dots: on the lowest text row of its last ten columns, three
  // separate marks.
  // (Slate's caption text is near white on a blue frame.)
  auto text = [&](int x, int y) {
    const TColor c = b.Pixel(x, y);
    return (c & 0xFF) + ((c >> 8) & 0xFF) + ((c >> 16) & 0xFF) > 600;
  };
  int lastText = -1;
  for (int x = cap.Left; x < cap.Right; ++x)
    for (int y = cap.Top; y < cap.Bottom; ++y)
      if (text(x, y)) lastText = x;
  ASSERT_GT(lastText, cap.Left + 20);
  int lowest = -1;
  for (int y = cap.Top; y < cap.Bottom; ++y)
    for (int x = lastText - 9; x <= lastText; ++x)
      if (text(x, y)) lowest = y;
  ASSERT_GE(lowest, 0);
  int marks = 0;
  bool inMark = false;
  for (int x = lastText - 9; x <= lastText; ++x) {
    const bool t = text(x, lowest) || text(x, lowest - 1);
    if (t && !inMark) ++marks;
    inMark = t;
  }
  EXPECT_EQ(3, marks);
}

TEST_F(FormFrameSkin, ClientBackgroundTilesTheSkinsPicture) {
  UseSlate();
  form->SetBounds(100, 80, 400, 300);
  form->Invalidate();
  TBitmap b;
  Window(b);
  ASSERT_TRUE(data->IsValidPictureIndex(data->bgpictureindex));
  const TBitmap& tile = *data->PictureList[size_t(data->bgpictureindex)];
  const TRect c = form->ClientRectInWindow();
  for (TPoint p : {Point(0, 0), Point(5, 7), Point(tile.Width() + 3, 2), Point(2, tile.Height() + 1)})
    EXPECT_EQ(tile.Pixel(p.X % tile.Width(), p.Y % tile.Height()), b.Pixel(c.Left + p.X, c.Top + p.Y));
  // Without a background picture: the client part of the frame picture, tiled.
  data->bgpictureindex = -1;
  form->Invalidate();
  Window(b);
  const TRect src = data->clientrect;
  EXPECT_EQ(data->SkinPicture->Pixel(src.Left + 3, src.Top + 4), b.Pixel(c.Left + 3, c.Top + 4));
  EXPECT_EQ(data->SkinPicture->Pixel(src.Left + 1, src.Top + 2),
            b.Pixel(c.Left + RectWidth(src) + 1, c.Top + 2));
  Save(b, "skin_form_frame_slate_client");
}

TEST_F(FormFrameSkin, SkinWithoutFormInfoGetsTheDefaultFrame) {
  // A frame picture and a caption button record, but no FORMINFO section.
  skintest::SkinStream stream;
  stream.flagged = {{0, skintest::BmpBytes(320, 140, 0x604020)}, {1, ""}, {1, ""}};
  stream.ini =
      "[VERSION]\r\nskinname=bare\r\n[PICTURES]\r\npicture=frame.bmp\r\n"
      "[SKINOBJECTS]\r\ncount=1\r\n0=closebutton:stdbutton\r\n"
      "[closebutton]\r\nskinrect=296,4,314,22\r\ncommand=cmclose\r\n";
  TbsCompressedStoredSkin stored(nullptr);
  skintest::Store(stored, skintest::Deflate(stream.Bytes()));
  data->LoadFromStoredSkin(&stored);
  ASSERT_FALSE(data->SkinEmpty);
  skinForm->SetSkinData(data);
  EXPECT_TRUE(skinForm->SkinActive());
  EXPECT_FALSE(skinForm->SkinFrame());
  form->Perform(WM_NCPAINT, 0, 0);
  EXPECT_EQ(Rect(3, 22, form->Width() - 3, form->Height() - 3), form->ClientRectInWindow());
  TRegion none;
  EXPECT_FALSE(GetWindowRgn(form->HandleValue(), none));
  TBitmap b;
  Window(b);
  Save(b, "skin_form_frame_bad_no_forminfo");
  EXPECT_EQ(ColorToRGB(cl3DLight), b.Pixel(0, 0));
  EXPECT_EQ(ColorToRGB(clBtnHighlight), b.Pixel(25, 5));
  EXPECT_TRUE(Object("closebutton") && Object("closebutton")->Visible);
  EXPECT_EQ(HTCAPTION, Hit(100, 10));
}

TEST_F(FormFrameSkin, FramePictureTooSmallForItsPointsGetsTheDefaultFrame) {
  const std::string dir = SlateCopy("frame-small-picture");
  WriteBmp(dir + "frame.bmp", 100, 50, 0x604020);
  WriteBmp(dir + "frame_inactive.bmp", 100, 50, 0x302010);
  ASSERT_TRUE(LoadFolder(*data, dir));
  ASSERT_EQ(100, data->SkinPicture->Width());
  skinForm->SetSkinData(data);
  EXPECT_FALSE(skinForm->SkinFrame());
  form->SetBounds(100, 80, 360, 240);
  form->Perform(WM_NCPAINT, 0, 0);
  EXPECT_EQ(Rect(3, 22, 357, 237), form->ClientRectInWindow());
  TRegion none;
  EXPECT_FALSE(GetWindowRgn(form->HandleValue(), none));
  TBitmap b;
  Window(b);
  Save(b, "skin_form_frame_bad_small_picture");
  EXPECT_EQ(ColorToRGB(cl3DLight), b.Pixel(0, 0));
  EXPECT_EQ(HTCLIENT, Hit(100, 100));
}

TEST_F(FormFrameSkin, MaskOfAnotherSizeLeavesTheWindowRectangular) {
  const std::string dir = SlateCopy("frame-mask-size");
  WriteBmp(dir + "frame_mask.bmp", 100, 100, clBlack);
  ASSERT_TRUE(LoadFolder(*data, dir));
  skinForm->SetSkinData(data);
  EXPECT_TRUE(skinForm->SkinFrame());
  form->SetBounds(100, 80, 400, 300);
  TRegion none;
  EXPECT_FALSE(GetWindowRgn(form->HandleValue(), none));
  ExpectFrameFrom(*data->SkinPicture, "skin_form_frame_bad_mask");
  // Sizing edges without a shape: the plain window border.
  form->SetBorderStyle(bsSizeable);
  EXPECT_EQ(HTLEFT, Hit(1, 150));
  EXPECT_EQ(HTTOPLEFT, Hit(0, 0));
}

TEST_F(FormFrameSkin, ButtonsDrawnByThemselvesRunInARowInTheButtonsOrCaptionRectangle) {
  UseSlate();
  form->SetBounds(100, 80, 400, 300);
  const int dx = 400 - 320;
  TbsActiveSkinObject* button = Object("framebutton");
  TbsActiveSkinObject* caption = Object("caption");
  ASSERT_TRUE(button && button->SkinRectInAPicture && caption);
  form->Perform(WM_NCPAINT, 0, 0);
  // Right to left from the buttons rectangle's right edge, which moves with the window.
  EXPECT_EQ(Rect(214 + dx - 16, 5, 214 + dx, 21), button->ObjectRect);
  data->buttonsinleft = true;
  form->Perform(WM_NCPAINT, 0, 0);
  EXPECT_EQ(Rect(176 + dx, 5, 192 + dx, 21), button->ObjectRect);
  // Without a buttons rectangle the row runs in the caption rectangle, and the caption
  // object gives way to it.
  data->buttonsrect = TRect{};
  form->Perform(WM_NCPAINT, 0, 0);
  EXPECT_EQ(Rect(24, 4, 40, 20), button->ObjectRect);
  EXPECT_EQ(40 + data->buttonsoffset, caption->ObjectRect.Left);
  data->buttonsinleft = false;
  form->Perform(WM_NCPAINT, 0, 0);
  EXPECT_EQ(Rect(176 + dx - 16, 4, 176 + dx, 20), button->ObjectRect);
  EXPECT_EQ(176 + dx - 16, caption->ObjectRect.Right);
  TBitmap b;
  Window(b);
  Save(b, "skin_form_frame_slate_caption_row");
}
