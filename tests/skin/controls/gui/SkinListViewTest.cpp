// The skinned list view base in its default look: the outside bars shown, hidden and
// kept in step with the list in every view style (and the list scrolled by them), the
// header's sections, pressed look and dividers, and the bad input of empty lists, long
// captions and lists too small for bars.
#include <algorithm>

#include "framework/graphics/Canvas.h"
#include "skin/controls/SkinCustomListView.h"
#include "skin/controls/SkinListView.h"
#include "skin/controls/SkinScrollBar.h"
#include "tests/skin/controls/gui/SkinControlsFixture.h"

using namespace skincontrolstest;

namespace {

class SkinListViewTest : public SkinControlsFixture {
 protected:
  void SetUp() override {
    SkinControlsFixture::SetUp();
    List = new TbsSkinCustomListView(Form);
    List->SetParent(Form);
    List->SetBounds(10, 10, 300, 200);
    VBar = new TbsSkinScrollBar(Form);
    VBar->SetParent(Form);
    VBar->SetKind(sbVertical);
    VBar->SetBounds(310, 10, 19, 200);
    HBar = new TbsSkinScrollBar(Form);
    HBar->SetParent(Form);
    HBar->SetBounds(10, 210, 300, 19);
    List->SetVScrollBar(VBar);
    List->SetHScrollBar(HBar);
  }
  void Report() {
    List->SetViewStyle(vsReport);
    List->AddColumn("Name", 150);
    List->AddColumn("Size", 100);
  }
  void Fill(int n) {
    for (int i = 0; i < n; ++i) List->AddItem("Item " + std::to_string(List->ItemCount())).SubItems = {"12"};
    List->ItemsChanged();
    List->CheckBars();
  }
  TbsSkinCustomListView* List = nullptr;
  TbsSkinScrollBar* VBar = nullptr;
  TbsSkinScrollBar* HBar = nullptr;
};

TEST_F(SkinListViewTest, NewBarsStartHiddenAndFollowTheList) {
  EXPECT_FALSE(VBar->Visible());
  EXPECT_FALSE(HBar->Visible());
  EXPECT_TRUE(VBar->Enabled());
  EXPECT_EQ(-1, List->SkinIndex());
  EXPECT_EQ("Arial", List->Font()->Name());
  EXPECT_EQ(clWindow, List->Color());
}

TEST_F(SkinListViewTest, AReportListGainsAVerticalBarWhenItsRowsOverflow) {
  Report();
  ASSERT_EQ(10, List->ItemsPerPage());  // (200 - 19) / 17
  Fill(10);
  EXPECT_FALSE(VBar->Visible());
  EXPECT_FALSE(HBar->Visible());  // 250 pixels of columns in 300
  Fill(1);
  ASSERT_TRUE(VBar->Visible());
  EXPECT_EQ(0, VBar->Min());
  EXPECT_EQ(10, VBar->Max());
  EXPECT_EQ(10, VBar->PageSize());
  EXPECT_EQ(0, VBar->Position());
  EXPECT_EQ(1, VBar->SmallChange());
  EXPECT_EQ(10, VBar->LargeChange());
  EXPECT_TRUE(HBar->Both());  // the horizontal bar leaves the corner free
  // Moving the bar by one scrolls exactly one row.
  VBar->SetPosition(1);
  EXPECT_EQ(1, List->TopIndex());
  EXPECT_EQ(List->ItemArea().Top, List->ItemRect(1).Top);
  // Rows removed again: the bar goes.
  List->DeleteItem(10);
  List->CheckBars();
  EXPECT_FALSE(VBar->Visible());
  EXPECT_FALSE(HBar->Both());
  // Wider columns than the list: the horizontal bar by pixels.
  List->SetColumnWidth(1, 400);
  List->CheckBars();
  ASSERT_TRUE(HBar->Visible());
  EXPECT_EQ(550, HBar->Max());
  EXPECT_EQ(300, HBar->PageSize());
  HBar->SetPosition(40);
  EXPECT_EQ(40, List->ScrollX());
  EXPECT_EQ(-40, List->Header()->SectionRect(0).Left);
}

TEST_F(SkinListViewTest, AnAlignedListMakesRoomForItsBars) {
  VBar->SetAlign(alRight);
  HBar->SetAlign(alBottom);
  List->SetAlign(alClient);
  Report();
  const int fullWidth = List->Width();
  Fill(40);
  ASSERT_TRUE(VBar->Visible());
  EXPECT_EQ(fullWidth - VBar->Width(), List->Width());  // the parent re-aligned
  EXPECT_EQ(List->Width(), VBar->Left());
}

TEST_F(SkinListViewTest, TheListScrollingByItselfMovesTheBars) {
  Report();
  Fill(40);
  List->SetFocus();
  testsupport::Pump(5);
  SimulateKey(List, WM_KEYDOWN, VK_END);
  EXPECT_EQ(30, List->TopIndex());
  EXPECT_EQ(30, VBar->Position());
  SimulateWheel(List, 20, 60, 120);  // three rows up
  EXPECT_EQ(27, List->TopIndex());
  EXPECT_EQ(27, VBar->Position());
  List->SetItemIndex(5);
  EXPECT_EQ(5, VBar->Position());
  // The bar's own arrow: one row per click.
  const TRect inc = VBar->PartRect(TbsSkinScrollBar::IncPart);
  SimulateMouse(VBar, WM_LBUTTONDOWN, inc.Left + 3, inc.Top + 3, MK_LBUTTON);
  SimulateMouse(VBar, WM_LBUTTONUP, inc.Left + 3, inc.Top + 3, 0);
  EXPECT_EQ(6, List->TopIndex());
  // Dragging the thumb to the end shows the last page, never beyond it.
  VBar->SetPosition(VBar->Max());
  EXPECT_EQ(30, List->TopIndex());
}

TEST_F(SkinListViewTest, BarsStayInStepInEveryViewStyle) {
  Fill(60);
  struct Case {
    TViewStyle style;
    bool v, h;
  };
  for (const Case& c : {Case{vsIcon, true, false}, Case{vsSmallIcon, true, false}, Case{vsList, false, true},
                        Case{vsReport, true, false}}) {
    SCOPED_TRACE(c.style);
    List->SetViewStyle(c.style);
    List->CheckBars();
    EXPECT_EQ(c.v, VBar->Visible());
    EXPECT_EQ(c.h, HBar->Visible());
    const TListScrollInfo v = List->ScrollInfo(true), h = List->ScrollInfo(false);
    if (c.v) {
      EXPECT_EQ(v.Max, VBar->Max());
      VBar->SetPosition(VBar->Position() + 3);
      const int pos = VBar->Position();
      EXPECT_EQ(pos, List->ScrollInfo(true).Pos);
      VBar->SetPosition(0);
      EXPECT_EQ(0, List->ScrollInfo(true).Pos);
    }
    if (c.h) {
      EXPECT_EQ(h.Max, HBar->Max());
      HBar->SetPosition(2);
      EXPECT_EQ(2, List->ScrollInfo(false).Pos);
      EXPECT_EQ(2 * TListView::SmallCellWidth, List->ScrollX());
      HBar->SetPosition(0);
      EXPECT_EQ(0, List->ScrollX());
    }
  }
  // Icon views: page = the list's height, steps of half a cell.
  List->SetViewStyle(vsIcon);
  List->CheckBars();
  EXPECT_EQ(200, VBar->PageSize());
  EXPECT_EQ(TListView::IconCellHeight / 2, VBar->SmallChange());
  // List view: a column per step, the page in whole columns.
  List->SetViewStyle(vsList);
  List->CheckBars();
  EXPECT_EQ(300 / TListView::SmallCellWidth, HBar->PageSize());
  EXPECT_EQ(1, HBar->LargeChange());
}

TEST_F(SkinListViewTest, ATinyOrHiddenListLeavesOrHidesItsBars) {
  Report();
  Fill(40);
  ASSERT_TRUE(VBar->Visible());
  const int max = VBar->Max();
  List->SetBounds(10, 10, 300, 5);
  Fill(20);
  EXPECT_TRUE(VBar->Visible());  // untouched
  EXPECT_EQ(max, VBar->Max());
  List->SetBounds(10, 10, 300, 200);
  EXPECT_EQ(59, VBar->Max());
  List->Hide();
  EXPECT_FALSE(VBar->Visible());
  EXPECT_FALSE(HBar->Visible());
  List->Show();
  EXPECT_TRUE(VBar->Visible());
  EXPECT_FALSE(HBar->Visible());
  // Bars that go away are forgotten.
  delete VBar;
  EXPECT_EQ(nullptr, List->VScrollBar());
  List->Scroll(0, 100);
  List->CheckBars();
  // An empty list needs no bars.
  List->ClearItems();
  List->CheckBars();
  EXPECT_FALSE(HBar->Visible());
  Pic shot = Shot(List);
  EXPECT_EQ(RGB(255, 255, 255), shot.Pixel(150, 100));
}

TEST_F(SkinListViewTest, DefaultHeaderLookPressedSectionsAndDividers) {
  Report();
  List->Column(1).Caption = "Size " + std::string(200, 'W');
  Fill(3);
  TListHeader* h = List->Header();
  Pic shot = Shot(List);
  SaveArtifact(shot, "skin_listview_default");
  // Sections: a shadow frame round the face colour; the rest likewise, past the end.
  EXPECT_EQ(Shadow, shot.Pixel(0, 0));
  EXPECT_EQ(Shadow, shot.Pixel(149, 10));
  EXPECT_EQ(Face, shot.Pixel(2, 2));
  EXPECT_EQ(Shadow, shot.Pixel(150, 0));
  EXPECT_EQ(Face, shot.Pixel(280, 10));
  EXPECT_EQ(Shadow, shot.Pixel(280, TListView::HeaderHeight - 1));
  // A long caption is cut inside its section's margins.
  int ink = 0;
  for (int y = 1; y < TListView::HeaderHeight - 1; ++y)
    for (int x = 245; x < 250; ++x) ink += GetRValue(shot.Pixel(x, y)) < 100 ? 1 : 0;
  EXPECT_EQ(0, ink);

  SimulateMouse(h, WM_LBUTTONDOWN, 60, 8, MK_LBUTTON);
  shot = Shot(List);
  SaveArtifact(shot, "skin_listview_header_pressed");
  EXPECT_EQ(Navy, shot.Pixel(0, 0));
  EXPECT_EQ(PressedFill, shot.Pixel(2, 2));
  EXPECT_EQ(Shadow, shot.Pixel(150, 0));  // the other section is not pressed
  SimulateMouse(h, WM_LBUTTONUP, 60, 8, 0);
  shot = Shot(List);
  EXPECT_EQ(Face, shot.Pixel(2, 2));

  // A press on a divider shows no section pressed, and dragging it sizes the column.
  SimulateMouse(h, WM_LBUTTONDOWN, 150, 8, MK_LBUTTON);
  shot = Shot(List);
  EXPECT_EQ(0, CountColor(shot, Rect(0, 0, 300, TListView::HeaderHeight), PressedFill));
  SimulateMouse(h, WM_MOUSEMOVE, 100, 8, MK_LBUTTON);
  SimulateMouse(h, WM_LBUTTONUP, 100, 8, 0);
  EXPECT_EQ(100, List->Column(0).Width);
  shot = Shot(List);
  EXPECT_EQ(Shadow, shot.Pixel(100, 5));
}

TEST_F(SkinListViewTest, TheHeaderSectionEventDrawsTheCaptions) {
  Report();
  std::vector<int> drawn;
  List->OnDrawHeaderSection = [&](TCanvas* c, int col, const TRect& r, bool pressed) {
    drawn.push_back(col);
    c->Brush()->Color = pressed ? clRed : clGreen;
    c->FillRect(Rect(r.Left + 2, r.Top + 2, r.Left + 6, r.Top + 6));
  };
  SimulateMouse(List->Header(), WM_LBUTTONDOWN, 200, 8, MK_LBUTTON);
  Pic shot = Shot(List);
  EXPECT_EQ(clGreen, shot.Pixel(3, 3));
  EXPECT_EQ(clRed, shot.Pixel(153, 3));
  EXPECT_NE(drawn.end(), std::find(drawn.begin(), drawn.end(), 1));
  SimulateMouse(List->Header(), WM_LBUTTONUP, 200, 8, 0);
}

// The stored default font reaches the list's own font once reading is over.
TEST_F(SkinListViewTest, StoredDefaultFontIsAppliedWhenLoaded) {
  auto form = ReadStoredForm(R"(  object List: TbsSkinListView
    DefaultFont.Name = 'DejaVu Sans'
    DefaultFont.Height = -12
    UseSkinFont = False
  end
)");
  auto* list = dynamic_cast<TbsSkinListView*>(form->FindComponent("List"));
  ASSERT_TRUE(list);
  EXPECT_EQ("DejaVu Sans", list->Font()->Name());
  EXPECT_EQ(-12, list->Font()->Height());
}

}  // namespace
