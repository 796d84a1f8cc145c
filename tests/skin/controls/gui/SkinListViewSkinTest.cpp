// The skinned list view base with the Slate skin: the "listview" record's font and
// colours, header sections and the rest of the header built from the "button" record,
// the skin-change walk reaching the list, and a header record too big for its sections.
#include <cstdlib>

#include "framework/graphics/Canvas.h"
#include "skin/controls/SkinCustomListView.h"
#include "skin/controls/SkinScrollBar.h"
#include "skin/data/SkinControlRecords.h"
#include "tests/skin/controls/gui/SkinControlsFixture.h"

using namespace skincontrolstest;

namespace {

class SkinListViewSkinTest : public SkinControlsFixture {
 protected:
  void SetUp() override {
    SkinControlsFixture::SetUp();
    List = new TbsSkinCustomListView(Form);
    List->SetParent(Form);
    List->SetBounds(10, 10, 300, 200);
    List->SetViewStyle(vsReport);
    List->AddColumn("Name", 150);
    List->AddColumn("Size", 100);
    for (int i = 0; i < 30; ++i) List->AddItem("Item " + std::to_string(i)).SubItems = {"1 KB"};
  }
  const TbsDataSkinListView& ListRec() const {
    return *dynamic_cast<const TbsDataSkinListView*>(Record("listview"));
  }
  const TbsDataSkinButtonControl& HeaderRec() const {
    return *dynamic_cast<const TbsDataSkinButtonControl*>(Record(List->HeaderSkinDataName()));
  }
  TbsSkinCustomListView* List = nullptr;
};

TEST_F(SkinListViewSkinTest, TheListViewRecordGivesFontAndColours) {
  LoadSlate();
  List->SetSkinData(SkinData);
  const auto& r = ListRec();
  ASSERT_NE(-1, List->SkinIndex());
  EXPECT_EQ(r.bgcolor, List->Color());
  EXPECT_EQ(r.fontname, List->Font()->Name());
  EXPECT_EQ(r.fontheight, List->Font()->Height());
  EXPECT_EQ(r.fontcolor, List->Font()->Color());
  Pic shot = Shot(List);
  SaveArtifact(shot, "skin_listview_slate");
  EXPECT_EQ(r.bgcolor, shot.Pixel(290, 190));
  // Without the skin font: the default font, still in the record's colour.
  List->SetUseSkinFont(false);
  TFont f;
  f.SetName("DejaVu Sans");
  f.SetHeight(-11);
  List->SetDefaultFont(&f);
  List->ApplySkinChange();
  EXPECT_EQ("DejaVu Sans", List->Font()->Name());
  EXPECT_EQ(r.fontcolor, List->Font()->Color());
}

TEST_F(SkinListViewSkinTest, HeaderSectionsAreBuiltFromTheButtonRecord) {
  LoadSlate();
  List->SetSkinData(SkinData);
  List->OnDrawHeaderSection = [](TCanvas*, int, const TRect&, bool) {};  // images only
  Pic shot = Shot(List);
  ASSERT_TRUE(List->HeaderSkinned());
  const int H = TListView::HeaderHeight;
  // Slate's button face squeezed to 19 rows, its four-pixel corners kept: row 22 of 24 at row 17.
  EXPECT_TRUE(ShowsFace(Part(shot, Rect(0, 0, 150, H)), NormalLook));
  EXPECT_TRUE(ShowsFace(Part(shot, Rect(150, 0, 250, H)), NormalLook));
  EXPECT_EQ(RGB(207, 213, 222), shot.Pixel(200, 17));
  // Right of the last section: the face open to the right, one pixel past the header.
  EXPECT_EQ(NormalLook.topCorner, shot.Pixel(250, 0));
  EXPECT_EQ(NormalLook.bottomCorner, shot.Pixel(250, H - 1));
  EXPECT_EQ(NormalLook.border, shot.Pixel(299, 0));
  EXPECT_EQ(NormalLook.row1, shot.Pixel(299, 1));
  // Pressed: the down image.
  SimulateMouse(List->Header(), WM_LBUTTONDOWN, 40, 8, MK_LBUTTON);
  shot = Shot(List);
  SaveArtifact(shot, "skin_listview_slate_pressed");
  EXPECT_TRUE(ShowsFace(Part(shot, Rect(0, 0, 150, H)), DownLook));
  EXPECT_TRUE(ShowsFace(Part(shot, Rect(150, 0, 250, H)), NormalLook));
  SimulateMouse(List->Header(), WM_LBUTTONUP, 40, 8, 0);
}

TEST_F(SkinListViewSkinTest, CaptionsTakeTheRecordsFontColours) {
  LoadSlate();
  List->SetSkinData(SkinData);
  const auto& r = HeaderRec();
  const TRect inside = Rect(5, 2, 145, TListView::HeaderHeight - 2);
  // Pixels near a colour (smoothed text rarely hits it exactly).
  auto near = [&](const TBitmap& b, TColor color) {
    int n = 0;
    for (int y = inside.Top; y < inside.Bottom; ++y)
      for (int x = inside.Left; x < inside.Right; ++x) {
        const TColor p = b.Pixel(x, y);
        if (std::abs(int(GetRValue(p)) - int(GetRValue(color))) + std::abs(int(GetGValue(p)) - int(GetGValue(color))) +
                std::abs(int(GetBValue(p)) - int(GetBValue(color))) < 60)
          ++n;
      }
    return n;
  };
  // Pixels near a colour that the caption adds to the section's image.
  auto added = [&](const std::string& caption, TColor color, bool pressed) {
    if (pressed) SimulateMouse(List->Header(), WM_LBUTTONDOWN, 40, 8, MK_LBUTTON);
    List->Column(0).Caption = "";
    List->ColumnsChanged();
    const int without = near(Shot(List), color);
    List->Column(0).Caption = caption;
    List->ColumnsChanged();
    const int with = near(Shot(List), color);
    if (pressed) SimulateMouse(List->Header(), WM_LBUTTONUP, 40, 8, 0);
    return with - without;
  };
  EXPECT_GT(added("MMMMMMMM", r.fontcolor, false), 10);
  EXPECT_GT(added("MMMMMMMM", r.downfontcolor, true), 10);
  EXPECT_LE(added("MMMMMMMM", r.downfontcolor, false), 0);
}

TEST_F(SkinListViewSkinTest, TheSkinChangeWalkReachesTheList) {
  List->SetSkinData(SkinData);  // empty: the default look
  EXPECT_EQ(-1, List->SkinIndex());
  EXPECT_EQ(clWindow, List->Color());
  LoadSlate();  // the form's walk applies the record
  EXPECT_NE(-1, List->SkinIndex());
  EXPECT_EQ(ListRec().bgcolor, List->Color());
  // A skin that fails to load leaves the default look, not the old skin's.
  SkinData->LoadFromStoredSkin(&Version4());
  ASSERT_TRUE(SkinData->SkinEmpty);
  EXPECT_EQ(-1, List->SkinIndex());
  EXPECT_EQ(clWindow, List->Color());
  EXPECT_EQ("Arial", List->Font()->Name());
  Pic shot = Shot(List);
  EXPECT_EQ(Shadow, shot.Pixel(0, 0));  // the default header again
  // The skin data going away clears the reference.
  delete SkinData;
  SkinData = nullptr;
  EXPECT_EQ(nullptr, List->SkinData());
}

TEST_F(SkinListViewSkinTest, ARecordOfAnotherKindOrSectionsSmallerThanTheCornersStillDraw) {
  LoadSlate();
  List->SetSkinData(SkinData);
  List->SetSkinDataName("button");  // not a list view record: the default look
  List->ApplySkinChange();
  EXPECT_EQ(-1, List->SkinIndex());
  EXPECT_EQ(clWindow, List->Color());
  List->SetHeaderSkinDataName("listview");  // not a button record: the default header
  Pic shot = Shot(List);
  EXPECT_FALSE(List->HeaderSkinned());
  EXPECT_EQ(Shadow, shot.Pixel(0, 0));
  // Sections narrower than the record's corners, and zero wide, paint without harm.
  List->SetHeaderSkinDataName("resizebutton");
  List->SetColumnWidth(0, 3);
  List->SetColumnWidth(1, 0);
  shot = Shot(List);
  EXPECT_TRUE(List->HeaderSkinned());
  SaveArtifact(shot, "skin_listview_slate_narrow");
}

}  // namespace
