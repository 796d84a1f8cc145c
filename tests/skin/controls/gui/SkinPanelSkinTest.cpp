// Panels, group boxes, check/radio boxes and radio groups with the Slate skin: each at
// its skin size and resized in every resize mode against Slate's hand-worked pixels, the caption
// and check images, background pictures, the masked group box, the morph, skin changes
// at run time, and records that cannot draw the control.
#include "framework/graphics/Canvas.h"
#include "framework/graphics/Region.h"
#include "framework/windows/Windows.h"
#include "skin/controls/GroupButton.h"
#include "skin/controls/SkinCheckRadioBox.h"
#include "skin/controls/SkinGroupBox.h"
#include "skin/controls/SkinPanel.h"
#include "skin/controls/SkinRadioGroup.h"
#include "tests/skin/controls/gui/SkinControlsFixture.h"

using namespace skincontrolstest;

namespace {

const TColor Magenta = RGB(255, 0, 255);
const TColor Border = RGB(70, 84, 110), Accent = RGB(64, 140, 220), Ink = RGB(30, 36, 48),
             SlateTop = RGB(96, 112, 140), FaceTop = RGB(236, 239, 244), FaceBottom = RGB(206, 212, 222);
// The caption bar's top row under the border; the 120 x 64 box's softened corners.
const FaceLook GroupLook{NormalLook.topCorner, NormalLook.bottomCorner, Border, SlateTop};

class SkinPanelSkinTest : public SkinControlsFixture {
 protected:
  void SetUp() override {
    SkinControlsFixture::SetUp();
    LoadSlate();
  }
  template <class T>
  T* Skinned(int x, int y, int w, int h, const std::string& record) {
    auto* c = Make<T>(x, y, w, h, record);
    c->SetSkinData(SkinData);
    return c;
  }
  const TbsDataSkinCustomControl& Rec(const std::string& name) const {
    return *dynamic_cast<const TbsDataSkinCustomControl*>(Record(name));
  }
  TbsDataSkinControl* MutableRecord(const std::string& name) {
    return SkinData->ControlRecords[size_t(SkinData->FindControlIndex(name))].get();
  }
  // Empty when every pixel of part but its key colour shows in image at (x, y).
  std::string PartMissing(const Pic& image, const std::string& record, const TRect& part, int x, int y) const {
    Pic want;
    want.B->Assign(image.B.get());
    Overlay(want, record, part, x, y);
    return Difference(image, want);
  }
  // part (a rectangle of the record's picture) laid over image at (x, y), transparent on
  // the part's bottom-left colour.
  void Overlay(Pic& image, const std::string& record, const TRect& part, int x, int y) const {
    const TBitmap& pic = *SkinData->PictureList[size_t(Rec(record).pictureindex)];
    const TColor key = pic.Pixel(part.Left, part.Bottom - 1);
    for (int j = 0; j < RectHeight(part); ++j)
      for (int i = 0; i < RectWidth(part); ++i) {
        const TColor c = pic.Pixel(part.Left + i, part.Top + j);
        if (c != key && x + i < image.Width() && y + j < image.Height()) image.B->SetPixel(x + i, y + j, c);
      }
  }
  // The check box background's top corners, bottom-right corner and gradient row 1.
  static ::testing::AssertionResult ShowsBack(const TBitmap& img, TColor top, TColor bottom, TColor row1) {
    const int w = img.Width(), h = img.Height();
    if (img.Pixel(0, 0) == top && img.Pixel(w - 1, 0) == top && img.Pixel(w - 1, h - 1) == bottom &&
        img.Pixel(w / 2, 1) == row1)
      return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << std::hex << img.Pixel(0, 0) << " " << img.Pixel(w - 1, 0) << " "
                                         << img.Pixel(w - 1, h - 1) << " " << img.Pixel(w / 2, 1);
  }
};

TEST_F(SkinPanelSkinTest, PanelRecordsAtEveryResizeMode) {
  struct Case {
    const char* record;
    bool group;
    int w, h;
    int mode;
    int ew, eh;  // the size the skin allows
    FaceLook look;
    TPoint accent;  // on an end's accent bar, kept at its size
  } cases[] = {
      {"groupbox", true, 120, 64, rmBoth, 120, 64, GroupLook, {}},
      {"groupbox", true, 203, 131, rmBoth, 203, 131, GroupLook, {}},
      // Caption-bar strip in ink, gradient row 1 = top + (bottom - top) / 19 rounded down.
      {"hgroupbox", true, 100, 20, rmHorizontal, 100, 20, {Ink, Ink, Ink, RGB(93, 109, 136)}, {95, 10}},
      {"hgroupbox", true, 173, 50, rmHorizontal, 173, 20, {Ink, Ink, Ink, RGB(93, 109, 136)}, {168, 16}},
      {"vpanel", false, 24, 100, rmVertical, 24, 100, {Border, Border, Border, RGB(235, 238, 243)}, {20, 96}},
      {"vpanel", false, 60, 161, rmVertical, 24, 161, {Border, Border, Border, RGB(235, 238, 243)}, {3, 157}},
      // The mask cuts the corners off: black there.
      {"maskgroupbox", true, 60, 40, rmBoth, 60, 40, {clBlack, clBlack, Border, SlateTop}, {}},
      {"maskgroupbox", true, 97, 75, rmBoth, 97, 75, {clBlack, clBlack, Border, SlateTop}, {}}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.record) + " " + std::to_string(c.w) + "x" + std::to_string(c.h));
    TbsSkinPanel* p = c.group ? Skinned<TbsSkinGroupBox>(10, 10, c.w, c.h, c.record)
                              : Skinned<TbsSkinPanel>(10, 10, c.w, c.h, c.record);
    ASSERT_EQ(c.mode, p->ResizeMode());
    EXPECT_EQ(Bounds(10, 10, c.ew, c.eh), p->BoundsRect());
    Pic img = Shot(p);
    SaveArtifact(img, std::string("skin_panel_") + c.record + "_" + std::to_string(p->Width()) + "x" +
                          std::to_string(p->Height()));
    EXPECT_TRUE(ShowsFace(img, c.look));
    if (c.accent.X) EXPECT_EQ(Accent, img.Pixel(c.accent.X, c.accent.Y));
    // Children go inside the record's client rectangle for this size.
    TRect r = p->ClientRect();
    p->AdjustClientRect(r);
    EXPECT_EQ(p->NewClientRect(), r);
    auto* child = new TbsSkinPanel(Form);
    child->SetParent(p);
    child->SetAlign(alClient);
    EXPECT_EQ(p->NewClientRect(), child->BoundsRect());
    delete p;
  }
}

TEST_F(SkinPanelSkinTest, CaptionCheckImageAndArrowStayInTheMappedCaptionRectangle) {
  auto* g = Skinned<TbsSkinGroupBox>(10, 10, 200, 100, "groupbox");
  const auto& pr = dynamic_cast<const TbsDataSkinPanelControl&>(Rec("groupbox"));
  const TRect cap = g->MapSkinRect(pr.captionrect);
  EXPECT_EQ(Rect(4, 0, 116 + 80, 18), cap);
  g->SetCaption("Format");
  g->SetCheckedMode(true);
  g->SetChecked(true);
  g->SetRollUpMode(true);
  Pic img = Shot(g);
  SaveArtifact(img, "skin_groupbox_slate_caption");
  // Outside the caption the box as the skin draws it: bar ends either side, corners, borders.
  EXPECT_EQ(SlateTop, img.Pixel(2, 1));
  EXPECT_EQ(SlateTop, img.Pixel(197, 1));
  EXPECT_EQ(Border, img.Pixel(0, 50));
  EXPECT_EQ(NormalLook.bottomCorner, img.Pixel(199, 99));
  // The check image at the caption's left, vertically centred; the caption in white.
  const int checkTop = cap.Top + 9 - RectHeight(pr.checkimagerect) / 2;
  EXPECT_EQ("", PartMissing(img, "groupbox", pr.checkimagerect, cap.Left, checkTop));
  const TRect box = Rect(cap.Left, 2, cap.Left + RectWidth(pr.checkimagerect), 2 + RectHeight(pr.checkimagerect));
  EXPECT_GT(CountColor(img, Rect(box.Right, 0, cap.Right - 12, 18), RGB(255, 255, 255)), 20);
  // The roll-up arrow in the font colour right of the text.
  EXPECT_GT(CountColor(img, Rect(cap.Right - 12, 0, cap.Right - 2, 18), RGB(255, 255, 255)), 5);
  // Rolling up: height + client top - client bottom, the unrolled height kept.
  g->SetRollUpState(true);
  EXPECT_EQ(100 + 20 - (60 + 36), g->Height());
  EXPECT_EQ(100, g->RealHeight());
  g->SetRollUpState(false);
  EXPECT_EQ(100, g->Height());
}

TEST_F(SkinPanelSkinTest, BackgroundPictureAndBorderlessTiling) {
  auto* p = Skinned<TbsSkinPanel>(10, 10, 90, 70, "panel");
  p->SetCaption("unused");
  p->SetCaptionMode(true);
  Pic img = Shot(p);
  SaveArtifact(img, "skin_panel_slate_background");
  const TBitmap& bg = *SkinData->PictureList[2];
  for (int y = 0; y < 70; ++y)
    for (int x = 0; x < 90; ++x) ASSERT_EQ(bg.Pixel(x % bg.Width(), y % bg.Height()), img.Pixel(x, y)) << x << "," << y;
  TRect r = p->ClientRect();
  p->AdjustClientRect(r);
  EXPECT_EQ(Rect(0, 0, 90, 70), r);

  // No border, no caption, resizable: the record's client piece tiled over everything.
  auto* g = Skinned<TbsSkinPanel>(10, 100, 150, 90, "groupbox");
  g->SetBorderStyle(bvNone);
  Pic tiled = Shot(g);
  const TbsDataSkinCustomControl& rec = Rec("groupbox");
  const TBitmap& pic = *SkinData->PictureList[size_t(rec.pictureindex)];
  const TRect cl = rec.clientrect;
  for (int y = 0; y < 90; y += 7)
    for (int x = 0; x < 150; x += 5)
      EXPECT_EQ(pic.Pixel(rec.skinrect.Left + cl.Left + x % RectWidth(cl), rec.skinrect.Top + cl.Top + y % RectHeight(cl)),
                tiled.Pixel(x, y))
          << x << "," << y;
  r = g->ClientRect();
  g->AdjustClientRect(r);
  EXPECT_EQ(Rect(0, 0, 150, 90), r);
}

TEST_F(SkinPanelSkinTest, MaskedGroupBoxIsShapedByItsMask) {
  auto* g = Skinned<TbsSkinGroupBox>(10, 10, 97, 75, "maskgroupbox");
  TRegion shape;
  ASSERT_TRUE(GetWindowRgn(g->Handle(), shape));
  EXPECT_FALSE(shape.Contains(0, 0));
  EXPECT_FALSE(shape.Contains(96, 74));
  EXPECT_TRUE(shape.Contains(3, 3));
  EXPECT_TRUE(shape.Contains(50, 40));
  SaveArtifact(Shaped(g, Shot(g)), "skin_groupbox_slate_masked");
}

TEST_F(SkinPanelSkinTest, NonFlatCheckBoxStatesAtEveryResizeMode) {
  struct Case {
    const char* record;
    int w, h, mode, ew, eh;
    TColor top, bottom, hotTop, hotBottom;  // corners, normal and active
  } cases[] = {{"checkbox", 120, 20, rmBoth, 120, 20, FaceTop, FaceBottom, RGB(214, 230, 250), RGB(168, 198, 236)},
               {"checkbox", 190, 31, rmBoth, 190, 31, FaceTop, FaceBottom, RGB(214, 230, 250), RGB(168, 198, 236)},
               {"fixedcheckbox", 100, 20, rmFixed, 100, 20, Border, Border, Accent, Accent},
               {"fixedcheckbox", 150, 44, rmFixed, 100, 20, Border, Border, Accent, Accent}};
  // Row 1 of the 20-row gradients: top + (bottom - top) / 19, rounded down.
  const TColor row1 = RGB(234, 237, 242), hotRow1 = RGB(211, 228, 249);
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.record) + " " + std::to_string(c.w));
    auto* b = Skinned<TbsSkinCheckRadioBox>(10, 10, c.w, c.h, c.record);
    b->SetFlat(false);
    b->ApplySkinChange();
    b->SetBounds(10, 10, c.w, c.h);
    ASSERT_EQ(c.mode, b->ResizeMode());
    EXPECT_EQ(Bounds(10, 10, c.ew, c.eh), b->BoundsRect());
    const auto& r = dynamic_cast<const TbsDataSkinCheckRadioControl&>(Rec(c.record));
    const TRect box = b->CheckImageBox();
    EXPECT_EQ(RectWidth(r.checkimagerect), RectWidth(box));
    for (bool checked : {false, true}) {
      b->SetChecked(checked);
      Pic img = Shot(b);
      SaveArtifact(img, std::string("skin_checkbox_") + c.record + "_" + std::to_string(b->Width()) + "_" +
                            (checked ? "on" : "off"));
      EXPECT_TRUE(ShowsBack(img, c.top, c.bottom, row1));
      EXPECT_EQ("", PartMissing(img, c.record, checked ? r.checkimagerect : r.uncheckimagerect, box.Left, box.Top));
    }
    // Hovered: the active image and the active check image.
    Hover(b, true);
    for (int i = 0; i < 8 && b->Morphing(); ++i) b->Perform(WM_TIMER, TbsSkinCheckRadioBox::MorphTimerId, 0);
    EXPECT_FALSE(b->Morphing());
    Pic hot = Shot(b);
    EXPECT_TRUE(ShowsBack(hot, c.hotTop, c.hotBottom, hotRow1));
    EXPECT_EQ("", PartMissing(hot, c.record, r.activecheckimagerect, box.Left, box.Top));
    Hover(b, false);
    delete b;
  }
}

TEST_F(SkinPanelSkinTest, MorphBlendsNormalAndActiveOnlyWhenNotFlat) {
  auto* b = Skinned<TbsSkinCheckRadioBox>(10, 10, 120, 20, "checkbox");
  b->SetFlat(false);
  b->ApplySkinChange();
  Pic normal = Shot(b);
  Hover(b, true);
  ASSERT_TRUE(b->Morphing());
  b->Perform(WM_TIMER, TbsSkinCheckRadioBox::MorphTimerId, 0);
  EXPECT_DOUBLE_EQ(0.2, b->MorphFactor());
  Pic mid = Shot(b);
  int steps = 1;
  while (b->Morphing() && steps < 10) {
    b->Perform(WM_TIMER, TbsSkinCheckRadioBox::MorphTimerId, 0);
    ++steps;
  }
  EXPECT_DOUBLE_EQ(1.0, b->MorphFactor());
  Pic hot = Shot(b);
  EXPECT_NE("", Difference(mid, normal));
  EXPECT_NE("", Difference(mid, hot));
  Hover(b, false);
  // Flat: morphing is off whatever the record says.
  auto* f = Skinned<TbsSkinCheckRadioBox>(10, 40, 120, 20, "checkbox");
  Hover(f, true);
  EXPECT_FALSE(f->Morphing());
  Hover(f, false);
}

TEST_F(SkinPanelSkinTest, FlatRadioInASkinnedGroupDrawsOnlyItsCheckImageAndText) {
  auto* g = Skinned<TbsSkinRadioGroup>(10, 10, 200, 100, "groupbox");
  TStringList l;
  l.Add("");
  l.Add("");
  g->SetItems(&l);
  g->SetItemIndex(1);
  // R = the record's client rectangle for 200 x 100.
  const TRect ncl = g->NewClientRect();
  TbsGroupButton* b = g->Buttons(1);
  const int bh = RectHeight(ncl) / 2;
  EXPECT_EQ(Bounds(ncl.Left + 1, ncl.Top + bh, RectWidth(ncl) - 2, bh), b->BoundsRect());
  Pic groupImg = Shot(g);
  SaveArtifact(groupImg, "skin_radiogroup_slate");
  Pic img = Shot(b);
  // The group's own image under the button, with the record's check image at (3, h2 - 6).
  Pic expected;
  expected.B->SetSize(b->Width(), b->Height());
  for (int y = 0; y < b->Height(); ++y)
    for (int x = 0; x < b->Width(); ++x) expected.B->SetPixel(x, y, groupImg.Pixel(b->Left() + x, b->Top() + y));
  const auto& r = dynamic_cast<const TbsDataSkinCheckRadioControl&>(Rec("radiobox"));
  Overlay(expected, "radiobox", r.checkimagerect, 3, bh / 2 - RectHeight(r.checkimagerect) / 2);
  EXPECT_EQ("", Difference(img, expected));
}

TEST_F(SkinPanelSkinTest, SkinChangesAtRunTimeSwitchEveryLook) {
  // Twins without skin data give the default looks to compare with.
  auto build = [&](TbsSkinData* data, int y0) {
    std::vector<TbsSkinCustomControl*> v;
    auto* g = Make<TbsSkinRadioGroup>(10, y0, 150, 90, "groupbox");
    TStringList l;
    l.Add("One");
    l.Add("Two");
    g->SetItems(&l);
    g->SetItemIndex(0);
    auto* p = Make<TbsSkinPanel>(170, y0, 100, 60, "vpanel");
    auto* mg = Make<TbsSkinGroupBox>(280, y0, 97, 75, "maskgroupbox");
    auto* c = Make<TbsSkinCheckRadioBox>(10, y0 + 100, 120, 20, "checkbox");
    c->SetFlat(false);
    auto* f = Make<TbsSkinCheckRadioBox>(140, y0 + 100, 120, 20, "radiobox");
    f->SetRadio(true);
    v = {g, p, mg, c, f};
    for (auto* x : v) x->SetSkinData(data);
    return v;
  };
  SkinData->LoadFromStoredSkin(&Version4());  // start empty
  ASSERT_TRUE(SkinData->SkinEmpty);
  std::vector<TbsSkinCustomControl*> live = build(SkinData, 10);
  auto* spare = new TbsSkinData(Form);
  std::vector<TbsSkinCustomControl*> twins = build(nullptr, 10);
  for (auto* t : twins) t->SetVisible(false);
  auto* group = dynamic_cast<TbsSkinRadioGroup*>(live[0]);
  auto defaults = [&] {
    for (size_t i = 0; i < live.size(); ++i) {
      SCOPED_TRACE(live[i]->SkinDataName());
      EXPECT_EQ(-1, live[i]->SkinIndex());
      twins[i]->SetBounds(live[i]->Left(), live[i]->Top(), live[i]->Width(), live[i]->Height());
      EXPECT_EQ("", Difference(Shot(live[i]), Shot(twins[i])));
    }
    EXPECT_EQ(-1, group->Buttons(0)->SkinIndex());
  };
  defaults();
  for (int round = 0; round < 2; ++round) {
    SkinData->LoadFromStoredSkin(&Slate());
    ASSERT_FALSE(SkinData->SkinEmpty);
    for (auto* c : live) EXPECT_NE(-1, c->SkinIndex()) << c->SkinDataName();
    EXPECT_NE(-1, group->Buttons(1)->SkinIndex());
    EXPECT_EQ(24, live[1]->Width());  // the vertical strip's width
    EXPECT_EQ(group->NewClientRect().Top, group->Buttons(0)->Top());
    PaintTo(Form, std::make_unique<TBitmap>().get());
    if (round == 0) {
      TBitmap all;
      PaintTo(Form, &all);
      SaveArtifact(all, "skin_panels_runtime_slate");
    }
    SkinData->LoadFromStoredSkin(&Version4());
    ASSERT_TRUE(SkinData->SkinEmpty);
    defaults();
  }
  delete spare;
}

TEST_F(SkinPanelSkinTest, RecordsThatCannotDrawTheControlGiveTheDefaultLook) {
  auto* twin = Make<TbsSkinGroupBox>(10, 10, 150, 90);
  auto* g = Skinned<TbsSkinGroupBox>(170, 10, 150, 90, "groupbox");
  ASSERT_NE(-1, g->SkinIndex());
  Pic def = Shot(twin);
  // A record of another kind under the name.
  g->SetSkinDataName("button");
  g->ApplySkinChange();
  EXPECT_EQ(-1, g->SkinIndex());
  EXPECT_EQ("", Difference(Shot(g), def));
  // A picture index beyond the picture list.
  g->SetSkinDataName("groupbox");
  MutableRecord("groupbox")->pictureindex = 99;
  g->ApplySkinChange();
  EXPECT_EQ(-1, g->SkinIndex());
  EXPECT_EQ("", Difference(Shot(g), def));
  // A zero-size skin rectangle.
  MutableRecord("groupbox")->pictureindex = 0;
  MutableRecord("groupbox")->skinrect = Rect(0, 112, 0, 112);
  g->ApplySkinChange();
  EXPECT_EQ(-1, g->SkinIndex());
  EXPECT_EQ("", Difference(Shot(g), def));

  // Check boxes: the wrong kind, and check images outside the picture.
  auto* ctwin = Make<TbsSkinCheckRadioBox>(10, 120, 120, 20);
  ctwin->SetFlat(false);
  auto* c = Skinned<TbsSkinCheckRadioBox>(170, 120, 120, 20, "groupbox");
  c->SetFlat(false);
  c->ApplySkinChange();
  EXPECT_EQ(-1, c->SkinIndex());
  EXPECT_EQ("", Difference(Shot(c), Shot(ctwin)));
  auto* rec = dynamic_cast<TbsDataSkinCheckRadioControl*>(MutableRecord("checkbox"));
  rec->checkimagerect = rec->uncheckimagerect = Rect(5000, 5000, 5013, 5013);
  c->SetSkinDataName("checkbox");
  c->ApplySkinChange();
  ASSERT_NE(-1, c->SkinIndex());
  c->SetChecked(true);
  // The background alone: gradient row 9 where the check image would be.
  Pic plain = Shot(c);
  EXPECT_TRUE(ShowsBack(plain, FaceTop, FaceBottom, RGB(234, 237, 242)));
  EXPECT_EQ(RGB(221, 226, 233), plain.Pixel(8, 9));
  c->SetFlat(true);
  Shot(c);  // flat with a record: drawn from the parent, the image left out
}

}  // namespace
