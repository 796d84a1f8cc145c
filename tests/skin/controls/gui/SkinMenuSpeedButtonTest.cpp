// The menu speed button: which presses open its menu (the whole button, or in
// TrackButtonMode only the rightmost 15 pixels), the release when the menu reports its
// closing, the two-part default look and the Slate track button area.
#include "framework/graphics/Canvas.h"
#include "framework/menus/PopupMenu.h"
#include "skin/controls/SkinMenuSpeedButton.h"
#include "skin/controls/SkinPanel.h"
#include "tests/skin/controls/gui/SkinControlsFixture.h"

using namespace skincontrolstest;

namespace {

using testsupport::ShotOf;

class SkinMenuSpeedButtonTest : public SkinControlsFixture {
 protected:
  void SetUp() override {
    SkinControlsFixture::SetUp();
    Panel = Make<TbsSkinPanel>(10, 10, 400, 200);
    Panel->SetBorderStyle(bvNone);
    Menu = new TPopupMenu(Form);
    // Stands in for the skin menu engine: records where and for whom the menu opened.
    Menu->OnPopupShow = [this](TPopupMenu* m, const TRect& anchor) {
      ++Shown;
      ShownAt = anchor;
      Opener = m->PopupComponent();
      return true;
    };
    B = new TbsSkinMenuSpeedButton(Form);
    B->SetParent(Panel);
    B->SetBounds(20, 20, 60, 25);
    B->SetSkinPopupMenu(Menu);
    B->OnClick = [this](TObject*) { ++Clicks; };
    B->OnShowTrackMenu = [this](TObject*) { ++ShowEvents; };
    B->OnHideTrackMenu = [this](TObject*) { ++HideEvents; };
  }
  void PressAt(int x, int y = 10) { SimulateMouse(Panel, WM_LBUTTONDOWN, B->Left() + x, B->Top() + y, MK_LBUTTON); }
  void ReleaseAt(int x, int y = 10) { SimulateMouse(Panel, WM_LBUTTONUP, B->Left() + x, B->Top() + y, 0); }
  TbsSkinPanel* Panel = nullptr;
  TPopupMenu* Menu = nullptr;
  TbsSkinMenuSpeedButton* B = nullptr;
  int Shown = 0, Clicks = 0, ShowEvents = 0, HideEvents = 0;
  TRect ShownAt;
  TComponent* Opener = nullptr;
};

TEST_F(SkinMenuSpeedButtonTest, TrackModeOpensTheMenuOnlyFromTheRightmostFifteenPixels) {
  B->SetTrackButtonMode(true);
  EXPECT_EQ(B->TrackButtonRect(), Rect(45, 0, 60, 25));
  // One pixel left of the area: an ordinary click.
  PressAt(44);
  EXPECT_TRUE(B->Down());
  ReleaseAt(44);
  EXPECT_EQ(Clicks, 1);
  EXPECT_EQ(Shown, 0);
  EXPECT_FALSE(B->Down());
  // The area's left edge: the menu opens, no click.
  PressAt(45);
  EXPECT_EQ(Shown, 1);
  EXPECT_EQ(ShowEvents, 1);
  EXPECT_TRUE(B->MenuOpen());
  EXPECT_TRUE(B->Down());
  EXPECT_EQ(Opener, B) << "the menu reports its closing to the button";
  const TPoint topLeft = B->ClientToScreen(Point(0, 0));
  EXPECT_EQ(ShownAt, Bounds(topLeft.X, topLeft.Y, 60, 25)) << "at the button's rectangle";
  ReleaseAt(45);
  EXPECT_EQ(Clicks, 1) << "the release is ignored while the menu is open";
  EXPECT_TRUE(B->Down());
  // The pointer leaving while the menu is open does not release the look either.
  SimulateMouse(Panel, WM_MOUSEMOVE, 300, 150, 0);
  EXPECT_TRUE(B->Down());

  B->Perform(SKINMSG_MENUCLOSED, 0, 0);
  EXPECT_FALSE(B->MenuOpen());
  EXPECT_FALSE(B->Down());
  EXPECT_EQ(HideEvents, 1);
  // A second notice without an open menu changes nothing.
  B->Perform(SKINMSG_MENUCLOSED, 0, 0);
  EXPECT_EQ(HideEvents, 1);
  // The far right edge is inside too.
  PressAt(59, 24);
  EXPECT_EQ(Shown, 2);
  ReleaseAt(59, 24);
  B->Perform(SKINMSG_MENUCLOSED, 0, 0);
}

TEST_F(SkinMenuSpeedButtonTest, WithoutTrackModeTheWholeButtonOpensTheMenu) {
  PressAt(3);
  EXPECT_EQ(Shown, 1);
  EXPECT_EQ(Clicks, 0);
  ReleaseAt(3);
  EXPECT_TRUE(B->Down());
  B->Perform(SKINMSG_MENUCLOSED, 0, 0);
  EXPECT_FALSE(B->Down());
  // Without a menu it is a plain speed button.
  delete Menu;
  EXPECT_EQ(B->SkinPopupMenu(), nullptr) << "cleared when the menu goes";
  PressAt(50);
  ReleaseAt(50);
  EXPECT_EQ(Clicks, 1);
  EXPECT_FALSE(B->MenuOpen());
}

TEST_F(SkinMenuSpeedButtonTest, DefaultLookFramesTheTwoPartsSeparatelyInTrackMode) {
  B->SetTrackButtonMode(true);
  Pic rest = ShotOf(Panel, B);
  SaveArtifact(rest, "menu_speed_button_track_rest");
  EXPECT_EQ(rest.Pixel(0, 0), Shadow);
  EXPECT_EQ(rest.Pixel(44, 12), Shadow) << "the main part's right edge";
  EXPECT_EQ(rest.Pixel(45, 12), Shadow) << "the drop part's left edge";
  EXPECT_EQ(rest.Pixel(30, 12), Face);
  // The arrow in the button-text colour, centred in (45, 0, 60, 25): rows 12 to 14.
  EXPECT_EQ(rest.Pixel(52, 12), clBlack);
  EXPECT_EQ(rest.Pixel(50, 12), clBlack);
  EXPECT_EQ(rest.Pixel(52, 14), clBlack);
  EXPECT_EQ(rest.Pixel(51, 14), Face);

  PressAt(50);
  ReleaseAt(50);
  ASSERT_TRUE(B->MenuOpen());
  Pic open = ShotOf(Panel, B);
  SaveArtifact(open, "menu_speed_button_track_open");
  EXPECT_EQ(open.Pixel(0, 0), Navy);
  EXPECT_EQ(open.Pixel(20, 12), HotFill) << "the main part is hot";
  EXPECT_EQ(open.Pixel(46, 1), PressedFill) << "the drop part is pressed";
  EXPECT_EQ(open.Pixel(45, 12), Navy);
  // The arrow moved to (47, 2, 60, 25): centred at x 53, rows 13 to 15.
  EXPECT_EQ(open.Pixel(53, 13), clBlack);
  EXPECT_EQ(open.Pixel(53, 15), clBlack);
  B->Perform(SKINMSG_MENUCLOSED, 0, 0);
  SimulateMouse(Panel, WM_MOUSEMOVE, 300, 150, 0);
  EXPECT_EQ("", Difference(ShotOf(Panel, B), rest));
}

TEST_F(SkinMenuSpeedButtonTest, SlateTrackAreaFollowsTheRightEdge) {
  LoadSlate();
  B->SetSkinDataName("toolmenutrackbutton");
  B->SetTrackButtonMode(true);
  B->SetSkinData(SkinData);
  B->SetWidth(90);
  ASSERT_NE(B->SkinIndex(), -1);
  ASSERT_EQ(B->ResizeMode(), rmHorizontal);
  const auto& r = *dynamic_cast<const TbsDataSkinMenuButtonControl*>(Record("toolmenutrackbutton"));
  EXPECT_EQ(B->Height(), RectHeight(r.skinrect)) << "a horizontal strip keeps the skin's height";
  const TRect t = B->TrackButtonRect();
  EXPECT_EQ(t, Rect(r.trackbuttonrect.Left + 50, 0, r.trackbuttonrect.Right + 50, RectHeight(r.skinrect)));
  PressAt(t.Left - 1);
  ReleaseAt(t.Left - 1);
  EXPECT_EQ(Clicks, 1);
  EXPECT_EQ(Shown, 0);
  PressAt(t.Left + 2);
  ReleaseAt(t.Left + 2);
  EXPECT_EQ(Shown, 1);
  // Open: the active image with the down image's part at the track area.
  Pic open = ShotOf(Panel, B);
  SaveArtifact(open, "menu_speed_button_slate_open");
  // Slate's 25-row gradients: hot row 12 in the middle, down row 2 (hot there: 210,227,248)
  // right of the separator.
  EXPECT_EQ(RGB(191, 214, 243), open.Pixel(10, 12));
  EXPECT_EQ(RGB(153, 178, 215), open.Pixel(t.Left + 1, 2));
  B->Perform(SKINMSG_MENUCLOSED, 0, 0);
  EXPECT_EQ(HideEvents, 1);
}

TEST_F(SkinMenuSpeedButtonTest, TransparentSlateButtonAtRestDrawsItsDropArrow) {
  LoadSlate();
  B->SetSkinDataName("toolmenubutton");
  B->SetSkinData(SkinData);
  B->SetTransparent(true);
  B->SetWidth(40);
  ASSERT_NE(B->SkinIndex(), -1);
  const auto& r = *dynamic_cast<const TbsDataSkinMenuButtonControl*>(Record("toolmenubutton"));
  ASSERT_EQ(r.trackbuttonrect, Rect(28, 0, 40, 25));
  Pic rest = ShotOf(Panel, B);
  SaveArtifact(rest, "menu_speed_button_slate_transparent");
  // Centred at (34, 12) in the caption colour: rows of 5, 3 and 1 pixels.
  for (TPoint p : {Point(32, 12), Point(36, 12), Point(33, 13), Point(35, 13), Point(34, 14)})
    EXPECT_EQ(rest.Pixel(p.X, p.Y), r.fontcolor) << p.X << "," << p.Y;
  for (TPoint p : {Point(31, 12), Point(37, 12), Point(33, 14), Point(34, 15)})
    EXPECT_NE(rest.Pixel(p.X, p.Y), r.fontcolor) << p.X << "," << p.Y;
}

// Read without a record name, the button keeps the menu button's; its show handler is
// bound by name.
TEST_F(SkinMenuSpeedButtonTest, StoredButtonKeepsItsRecordNameAndBindsItsHandler) {
  int shows = 0;
  auto form = ReadStoredForm(R"(  object View: TbsSkinMenuSpeedButton
    TrackButtonMode = True
    OnShowTrackMenu = ViewShow
  end
)", {{"ViewShow", [&shows] { ++shows; }}});
  auto* view = dynamic_cast<TbsSkinMenuSpeedButton*>(form->FindComponent("View"));
  ASSERT_TRUE(view);
  EXPECT_EQ("toolmenubutton", view->SkinDataName());
  ASSERT_TRUE(view->OnShowTrackMenu);
  view->OnShowTrackMenu(view);
  EXPECT_EQ(1, shows);
}

}  // namespace
