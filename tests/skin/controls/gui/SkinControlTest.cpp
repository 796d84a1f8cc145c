// The skin control base: binding by name, the record read on every paint, sizes kept by
// the skin, regions from masks, skin changes and removal, and unusable records.
#include "framework/graphics/Canvas.h"
#include "framework/graphics/Region.h"
#include "framework/windows/Windows.h"
#include "skin/draw/SkinImage.h"
#include "tests/skin/controls/gui/SkinControlsFixture.h"

using namespace skincontrolstest;

namespace {

// The custom control base as a concrete control that counts what its painters did.
class TProbe : public TbsSkinCustomControl {
 public:
  using TbsSkinCustomControl::TbsSkinCustomControl;
  int Applies = 0, DefaultPaints = 0, SkinPaints = 0, FontHooks = 0;
  void ApplySkinChange() override {
    ++Applies;
    TbsSkinCustomControl::ApplySkinChange();
  }
  using TbsSkinCustomControl::CalcSkinSize;
  using TbsSkinCustomControl::DrawSkinRect;

 protected:
  void DrawDefaultImage(TBitmap& B) override {
    ++DefaultPaints;
    TbsSkinCustomControl::DrawDefaultImage(B);
  }
  void DrawSkinImage(TBitmap& B) override {
    ++SkinPaints;
    TbsSkinCustomControl::DrawSkinImage(B);
  }
  void DefaultFontChanged() override { ++FontHooks; }
};

class SkinControlTest : public SkinControlsFixture {};

TEST_F(SkinControlTest, WithoutARecordPaintsTheDefaultLookEveryPixel) {
  auto* p = Make<TProbe>(10, 10, 50, 30, "button");
  p->SetSkinData(SkinData);  // empty skin: nothing applied
  EXPECT_EQ(p->Applies, 0);
  Pic img = Shot(p);
  EXPECT_EQ(p->SkinIndex(), -1);
  EXPECT_GE(p->DefaultPaints, 1);
  EXPECT_EQ(CountColor(img, Rect(0, 0, 50, 30), Face), 50 * 30);

  // The erase message is ignored: what lies in the canvas stays.
  TBitmap canvasImage(8, 8);
  canvasImage.Canvas()->Brush()->Color = clRed;
  canvasImage.Canvas()->FillRect(Rect(0, 0, 8, 8));
  TCanvas canvas(&canvasImage);
  EXPECT_EQ(p->Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(&canvas), 0), 1);
  EXPECT_EQ(CountColor(canvasImage, Rect(0, 0, 8, 8), clRed), 64);
}

TEST_F(SkinControlTest, LoadedSkinDataIsAppliedOnAssignmentAndLookedUpOnEveryPaint) {
  LoadSlate();
  auto* p = Make<TProbe>(10, 10, 80, 30, "button");
  p->SetSkinData(SkinData);
  EXPECT_EQ(p->Applies, 1);
  EXPECT_EQ(p->SkinIndex(), SkinData->FindControlIndex("button"));
  Shot(p);
  EXPECT_GE(p->SkinPaints, 1);

  // Forgotten before a change; the next paint finds the record again by name.
  p->BeginSkinChange();
  EXPECT_EQ(p->SkinIndex(), -1);
  p->Invalidate();
  Shot(p);
  EXPECT_EQ(p->SkinIndex(), SkinData->FindControlIndex("button"));

  // Another name takes effect at the next paint; a name of another case finds nothing.
  p->SetSkinDataName("Button");
  EXPECT_NE(p->SkinIndex(), -1);
  p->Invalidate();
  int before = p->DefaultPaints;
  Shot(p);
  EXPECT_EQ(p->SkinIndex(), -1);
  EXPECT_EQ(p->DefaultPaints, before + 1);
}

TEST_F(SkinControlTest, ZeroSizeControlPaintsNothing) {
  LoadSlate();
  auto* p = Make<TProbe>(10, 10, 0, 30, "vbutton");
  p->Invalidate();
  Shot(p);
  EXPECT_EQ(p->DefaultPaints + p->SkinPaints, 0);
}

TEST_F(SkinControlTest, DefaultSizeAppliesOnlyWithoutARecord) {
  auto* p = Make<TProbe>(10, 10, 50, 30, "button");
  p->SetDefaultWidth(0);
  p->SetDefaultHeight(0);
  EXPECT_EQ(p->Width(), 50);
  EXPECT_EQ(p->Height(), 30);
  p->SetDefaultWidth(70);
  EXPECT_EQ(p->Width(), 70);
  EXPECT_EQ(p->Height(), 30);

  LoadSlate();
  p->SetSkinDataName("fixedbutton");
  p->SetSkinData(SkinData);
  EXPECT_EQ(p->Width(), 60);
  EXPECT_EQ(p->Height(), 24);
  p->SetDefaultHeight(40);  // a record is in use: stored only
  EXPECT_EQ(p->Height(), 24);
  EXPECT_EQ(p->DefaultHeight(), 40);

  // Back to no skin: the default size returns.
  SkinData->LoadFromStoredSkin(&Version4());
  p->ApplySkinChange();
  EXPECT_EQ(p->Width(), 70);
  EXPECT_EQ(p->Height(), 40);
}

TEST_F(SkinControlTest, SkinSizesAreKeptByResizeMode) {
  LoadSlate();
  auto* fixed = Make<TProbe>(10, 10, 50, 30, "fixedbutton");
  auto* h = Make<TProbe>(10, 50, 50, 30, "hbutton");
  auto* v = Make<TProbe>(10, 90, 50, 30, "vbutton");
  auto* both = Make<TProbe>(10, 130, 50, 30, "button");
  for (TProbe* p : {fixed, h, v, both}) p->SetSkinData(SkinData);
  EXPECT_EQ(fixed->ResizeMode(), rmFixed);
  EXPECT_EQ(h->ResizeMode(), rmHorizontal);
  EXPECT_EQ(v->ResizeMode(), rmVertical);
  EXPECT_EQ(both->ResizeMode(), rmBoth);
  for (TProbe* p : {fixed, h, v, both}) p->SetBounds(p->Left(), p->Top(), 130, 70);
  EXPECT_EQ(Bounds(10, 10, 60, 24), fixed->BoundsRect());
  EXPECT_EQ(Bounds(10, 50, 130, 24), h->BoundsRect());
  EXPECT_EQ(Bounds(10, 90, 60, 70), v->BoundsRect());
  EXPECT_EQ(Bounds(10, 130, 130, 70), both->BoundsRect());
  // Target points follow the size.
  EXPECT_EQ(Point(56 + 70, 4), both->NewRightTopPoint());
  EXPECT_EQ(Point(4, 20 + 46), both->NewLeftBottomPoint());
  EXPECT_EQ(Rect(4, 4, 52 + 4 + 70, 20 + 46), both->NewClientRect());
  EXPECT_EQ(Point(54 + 70, 0), h->NewRightTopPoint());
  EXPECT_EQ(Point(0, 18 + 46), v->NewLeftBottomPoint());
  EXPECT_EQ(Rect(4, 4, 56, 20), fixed->NewClientRect());
}

TEST_F(SkinControlTest, SkinnedImagesKeepTheSkinsCornersAndEdgesAtEveryResizeMode) {
  LoadSlate();
  struct Case {
    const char* name;
    int w, h;
  } cases[] = {{"fixedbutton", 60, 24}, {"button", 60, 24}, {"button", 137, 45}, {"hbutton", 151, 24}, {"vbutton", 60, 53}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto* p = Make<TProbe>(10, 10, c.w, c.h, c.name);
    p->SetSkinData(SkinData);
    ASSERT_EQ(c.w, p->Width());
    ASSERT_EQ(c.h, p->Height());
    Pic got = Shot(p);
    EXPECT_TRUE(ShowsFace(got, NormalLook));
    SaveArtifact(got, std::string("skin_control_") + c.name + "_" + std::to_string(c.w) + "x" + std::to_string(c.h));
    delete p;
  }
}

TEST_F(SkinControlTest, MaskShapesTheWindowAndFollowsTheSize) {
  LoadSlate();
  auto* p = Make<TProbe>(10, 10, 100, 40, "maskbutton");
  p->SetSkinData(SkinData);
  // Slate's mask cuts five pixels off each corner (the corner and two along each edge),
  // the corners kept at their size whatever the window's.
  auto shows = [&](int W, int H) {
    TRegion shape;
    ASSERT_TRUE(GetWindowRgn(p->Handle(), shape));
    for (TPoint out : {Point(0, 0), Point(2, 0), Point(0, 2), Point(W - 3, 0), Point(W - 1, 2), Point(0, H - 3),
                       Point(2, H - 1), Point(W - 1, H - 1), Point(W - 3, H - 1)})
      EXPECT_FALSE(shape.Contains(out.X, out.Y)) << out.X << "," << out.Y << " of " << W << "x" << H;
    for (TPoint in : {Point(3, 0), Point(1, 1), Point(W - 4, 0), Point(W - 2, H - 2), Point(W / 2, H - 1),
                      Point(0, H / 2), Point(W - 1, H / 2), Point(W / 2, H / 2)})
      EXPECT_TRUE(shape.Contains(in.X, in.Y)) << in.X << "," << in.Y << " of " << W << "x" << H;
  };
  shows(100, 40);
  p->SetBounds(10, 10, 160, 30);
  shows(160, 30);
  TRegion shape;

  // A record without a mask leaves the window rectangular again.
  p->SetSkinDataName("button");
  p->ApplySkinChange();
  EXPECT_FALSE(GetWindowRgn(p->Handle(), shape));
}

TEST_F(SkinControlTest, MapSkinRectMovesInnerRectanglesWithTheSize) {
  LoadSlate();
  auto* both = Make<TProbe>(10, 10, 60, 24, "button");  // LT 4,4 RT 56,4 LB 4,20 RB 56,20; 60x24
  both->SetSkinData(SkinData);
  both->SetBounds(10, 10, 100, 34);  // dx 40, dy 10
  EXPECT_EQ(Rect(1, 1, 3, 3), both->MapSkinRect(Rect(1, 1, 3, 3)));          // top-left corner
  EXPECT_EQ(Rect(97, 1, 99, 3), both->MapSkinRect(Rect(57, 1, 59, 3)));      // top-right corner
  EXPECT_EQ(Rect(1, 31, 3, 33), both->MapSkinRect(Rect(1, 21, 3, 23)));      // bottom-left corner
  EXPECT_EQ(Rect(97, 31, 99, 33), both->MapSkinRect(Rect(57, 21, 59, 23)));  // bottom-right corner
  EXPECT_EQ(Rect(2, 2, 98, 32), both->MapSkinRect(Rect(2, 2, 58, 22)));      // spans the middle
  EXPECT_EQ(Rect(2, 1, 98, 3), both->MapSkinRect(Rect(2, 1, 58, 3)));        // top band
  EXPECT_EQ(Rect(2, 2, 3, 32), both->MapSkinRect(Rect(2, 2, 3, 22)));        // left band

  auto* h = Make<TProbe>(10, 50, 60, 24, "hbutton");  // LT.X 6, RT.X 54
  h->SetSkinData(SkinData);
  h->SetBounds(10, 50, 90, 24);  // dx 30
  EXPECT_EQ(Rect(4, 2, 86, 20), h->MapSkinRect(Rect(4, 2, 56, 20)));
  EXPECT_EQ(Rect(85, 2, 88, 20), h->MapSkinRect(Rect(55, 2, 58, 20)));
  EXPECT_EQ(Rect(1, 2, 5, 20), h->MapSkinRect(Rect(1, 2, 5, 20)));

  auto* v = Make<TProbe>(10, 90, 60, 24, "vbutton");  // LT.Y 6, LB.Y 18
  v->SetSkinData(SkinData);
  v->SetBounds(10, 90, 60, 44);  // dy 20
  EXPECT_EQ(Rect(2, 5, 50, 39), v->MapSkinRect(Rect(2, 5, 50, 19)));
  EXPECT_EQ(Rect(2, 39, 50, 42), v->MapSkinRect(Rect(2, 19, 50, 22)));
  EXPECT_EQ(Rect(2, 1, 50, 4), v->MapSkinRect(Rect(2, 1, 50, 4)));
}

TEST_F(SkinControlTest, RemovedSkinDataIsForgotten) {
  LoadSlate();
  auto* p = Make<TProbe>(10, 10, 80, 30, "maskbutton");
  p->SetSkinData(SkinData);
  ASSERT_NE(p->SkinIndex(), -1);
  TRegion shape;
  ASSERT_TRUE(GetWindowRgn(p->Handle(), shape));
  delete SkinData;
  SkinData = nullptr;
  EXPECT_EQ(p->SkinData(), nullptr);
  EXPECT_FALSE(GetWindowRgn(p->Handle(), shape)) << "still cut to the freed skin's mask";
  Pic img = Shot(p);
  EXPECT_EQ(p->SkinIndex(), -1);
  EXPECT_EQ(CountColor(img, Rect(0, 0, 80, 30), Face), 80 * 30);
}

TEST_F(SkinControlTest, DefaultFontAndMouseEvents) {
  auto* p = Make<TProbe>(10, 10, 80, 30);
  EXPECT_EQ("Arial", p->DefaultFont()->Name());
  EXPECT_EQ(14, p->DefaultFont()->Height());
  TFont f;
  f.SetName("Liberation Sans");
  f.SetHeight(-12);
  p->SetDefaultFont(&f);
  EXPECT_EQ("Liberation Sans", p->DefaultFont()->Name());
  EXPECT_EQ(-12, p->DefaultFont()->Height());
  EXPECT_GE(p->FontHooks, 2);  // the font's change event and the setter's hook

  int enters = 0, leaves = 0;
  p->OnMouseEnter = [&](TObject* s) {
    EXPECT_EQ(s, p);
    ++enters;
  };
  p->OnMouseLeave = [&](TObject* s) {
    EXPECT_EQ(s, p);
    ++leaves;
  };
  Hover(p, true);
  Hover(p, false);
  EXPECT_EQ(enters, 1);
  EXPECT_EQ(leaves, 1);
}

// Records that cannot draw the control give its default look at its designed size.
TEST_F(SkinControlTest, UnusableRecordsGiveTheDefaultLook) {
  LoadSlate();
  auto add = [&](std::unique_ptr<TbsDataSkinControl> r) { SkinData->ControlRecords.push_back(std::move(r)); };
  auto badPicture = std::make_unique<TbsDataSkinCustomControl>("badpicture");
  badPicture->pictureindex = int(SkinData->PictureList.size());  // one past the end
  badPicture->skinrect = Rect(0, 0, 60, 24);
  add(std::move(badPicture));
  auto noRect = std::make_unique<TbsDataSkinCustomControl>("norect");
  noRect->pictureindex = 0;
  noRect->skinrect = Rect(10, 10, 10, 30);
  add(std::move(noRect));
  auto noMask = std::make_unique<TbsDataSkinCustomControl>("nomask");
  noMask->pictureindex = 0;
  noMask->maskpictureindex = 77;
  noMask->skinrect = Rect(0, 0, 60, 24);
  add(std::move(noMask));

  // "stdlabel" is a plain control record, not a resizable one.
  for (const char* name : {"stdlabel", "badpicture", "norect"}) {
    SCOPED_TRACE(name);
    auto* p = Make<TProbe>(10, 10, 90, 33, name);
    p->SetSkinData(SkinData);
    p->SetBounds(10, 10, 91, 35);
    EXPECT_EQ(p->SkinIndex(), -1);
    EXPECT_EQ(Bounds(10, 10, 91, 35), p->BoundsRect());
    Pic img = Shot(p);
    EXPECT_EQ(CountColor(img, Rect(0, 0, 91, 35), Face), 91 * 35);
    TRegion shape;
    EXPECT_FALSE(GetWindowRgn(p->Handle(), shape));
    delete p;
  }
  // A missing mask: skinned, rectangular.
  auto* p = Make<TProbe>(10, 10, 90, 33, "nomask");
  p->SetSkinData(SkinData);
  EXPECT_NE(p->SkinIndex(), -1);
  EXPECT_EQ(Bounds(10, 10, 60, 24), p->BoundsRect());
  TRegion shape;
  EXPECT_FALSE(GetWindowRgn(p->Handle(), shape));
}

// Slate, then a stored skin no reader accepts (the skin is cleared and only the
// before-change notice goes out), then Slate again: every control follows, and no
// freed record is touched (the sanitizer build checks the last part).
TEST_F(SkinControlTest, RunTimeSkinChangesReachEveryControl) {
  LoadSlate();
  std::vector<TProbe*> probes;
  const char* names[] = {"button", "fixedbutton", "hbutton", "vbutton", "maskbutton"};
  for (int i = 0; i < 5; ++i) {
    probes.push_back(Make<TProbe>(10 + 80 * i, 10, 70, 30, names[i]));
    probes.back()->SetSkinData(SkinData);
  }
  // One more inside a child window, bound to no skin.
  auto* holder = Make<TProbe>(10, 200, 100, 60);
  auto* inner = new TProbe(Form);
  inner->SetParent(holder);
  inner->SetBounds(5, 5, 50, 20);
  inner->SetSkinDataName("button");
  inner->SetSkinData(SkinData);
  for (TProbe* p : probes) EXPECT_NE(p->SkinIndex(), -1) << p->SkinDataName();
  EXPECT_NE(inner->SkinIndex(), -1);
  const int innerApplies = inner->Applies;
  const int befores = SkinMessages[SKINMSG_BEFORECHANGE], changes = SkinMessages[SKINMSG_CHANGE];

  SkinData->LoadFromStoredSkin(&Version4());
  EXPECT_TRUE(SkinData->SkinEmpty);
  EXPECT_EQ(SkinMessages[SKINMSG_BEFORECHANGE], befores + 1);
  EXPECT_EQ(SkinMessages[SKINMSG_CHANGE], changes);
  for (TProbe* p : probes) {
    EXPECT_EQ(p->SkinIndex(), -1);
    p->Invalidate();
    Pic img = Shot(p);
    EXPECT_EQ(CountColor(img, Rect(0, 0, img.Width(), img.Height()), Face), img.Width() * img.Height());
    TRegion shape;
    EXPECT_FALSE(GetWindowRgn(p->Handle(), shape));
  }
  EXPECT_EQ(inner->SkinIndex(), -1);

  LoadSlate();
  EXPECT_EQ(SkinMessages[SKINMSG_BEFORECHANGE], befores + 2);
  EXPECT_EQ(SkinMessages[SKINMSG_CHANGE], changes + 1);
  for (TProbe* p : probes) {
    EXPECT_NE(p->SkinIndex(), -1) << p->SkinDataName();
    Shot(p);
  }
  EXPECT_EQ(inner->Applies, innerApplies + 1);
  EXPECT_EQ(Bounds(10 + 80 * 1, 10, 60, 24), probes[1]->BoundsRect());
  TRegion shape;
  EXPECT_TRUE(GetWindowRgn(probes[4]->Handle(), shape));
}

}  // namespace
