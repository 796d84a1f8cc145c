// The framework's list view: item geometry, items per page and scroll information in
// every view style, scrolling by rows, columns or pixels with its limits, the header
// child, and the report view's pixels.
#include "framework/controls/ListView.h"
#include "framework/graphics/Canvas.h"
#include "tests/controls/gui/ControlsFixture.h"

using namespace controlstest;

namespace {

class ListViewTest : public ControlsFixture {
 protected:
  void SetUp() override {
    ControlsFixture::SetUp();
    List = new TListView(Form);
    List->SetParent(Form);
  }
  void Fill(int n) {
    for (int i = 0; i < n; ++i) {
      TListItem& it = List->AddItem("Item " + std::to_string(i));
      it.SubItems = {"WWWW", "x"};
    }
  }
  static bool Same(const TListScrollInfo& s, int min, int max, int page, int pos) {
    return s.Min == min && s.Max == max && s.Page == page && s.Pos == pos;
  }
  TListView* List = nullptr;
};

TEST_F(ListViewTest, ReportViewScrollsByWholeRows) {
  List->SetViewStyle(vsReport);
  List->SetBounds(10, 10, 200, TListView::HeaderHeight + 5 * TListView::RowHeight + 8);
  List->AddColumn("Name", 100);
  List->AddColumn("Size", 150);
  Fill(4);
  EXPECT_EQ(5, List->ItemsPerPage());
  auto v = List->ScrollInfo(true);
  EXPECT_TRUE(Same(v, 0, 3, 5, 0)) << v.Max << " " << v.Page;
  EXPECT_LT(v.Max + 1, v.Page + 1);  // fewer rows than fit: nothing to scroll
  List->Scroll(0, 17);
  EXPECT_EQ(0, List->TopIndex());

  Fill(6);  // 10 rows
  v = List->ScrollInfo(true);
  EXPECT_TRUE(Same(v, 0, 9, 5, 0));
  int scrolls = 0;
  List->OnScroll = [&](TObject*) { ++scrolls; };
  List->Scroll(0, TListView::RowHeight);
  EXPECT_EQ(1, List->TopIndex());
  EXPECT_EQ(List->ItemArea().Top, List->ItemRect(1).Top);
  List->Scroll(0, TListView::RowHeight + 5);  // part of a row counts as none
  EXPECT_EQ(2, List->TopIndex());
  List->Scroll(0, 1000);
  EXPECT_EQ(5, List->TopIndex());  // the last row at the bottom
  EXPECT_EQ(5, List->ScrollInfo(true).Pos);
  List->Scroll(0, -3000);
  EXPECT_EQ(0, List->TopIndex());
  EXPECT_EQ(4, scrolls);
  List->Scroll(0, -5);  // nothing moved: no notice
  EXPECT_EQ(4, scrolls);

  // Horizontally by pixels, within the columns' width.
  EXPECT_TRUE(Same(List->ScrollInfo(false), 0, 250, 200, 0));
  List->Scroll(30, 0);
  EXPECT_EQ(30, List->ScrollX());
  EXPECT_EQ(-30, List->Header()->SectionRect(0).Left);
  EXPECT_EQ(70, List->Header()->SectionRect(1).Left);
  List->Scroll(500, 0);
  EXPECT_EQ(50, List->ScrollX());
}

TEST_F(ListViewTest, ListViewScrollsByColumns) {
  List->SetViewStyle(vsList);
  List->SetBounds(10, 10, 250, 5 * TListView::RowHeight + 3);
  Fill(12);  // 5 rows: 3 columns, 2 of them fit
  EXPECT_FALSE(List->Header()->Visible());
  EXPECT_EQ(10, List->ItemsPerPage());
  EXPECT_TRUE(Same(List->ScrollInfo(false), 0, 2, 2, 0));
  EXPECT_TRUE(Same(List->ScrollInfo(true), 0, 0, 0, 0));
  EXPECT_EQ(Rect(TListView::SmallCellWidth, 0, 2 * TListView::SmallCellWidth, TListView::RowHeight),
            List->ItemRect(5));
  List->Scroll(TListView::SmallCellWidth + 40, 30);
  EXPECT_EQ(1, List->ScrollInfo(false).Pos);
  EXPECT_EQ(0, List->ItemRect(5).Left);
  EXPECT_EQ(0, List->ScrollY());
  List->Scroll(1000, 0);
  EXPECT_EQ(1, List->ScrollInfo(false).Pos);  // the last column is in view
}

TEST_F(ListViewTest, IconViewsScrollByPixels) {
  List->SetViewStyle(vsIcon);
  List->SetBounds(10, 10, 160, 100);  // two cells a row
  Fill(5);  // three rows of 60
  EXPECT_EQ(2, List->ItemsPerPage());
  EXPECT_TRUE(Same(List->ScrollInfo(true), 0, 180, 100, 0));
  EXPECT_EQ(Rect(75, 60, 150, 120), List->ItemRect(3));
  List->Scroll(0, 7);
  EXPECT_EQ(7, List->ScrollY());
  EXPECT_EQ(53, List->ItemRect(3).Top);
  List->Scroll(0, 500);
  EXPECT_EQ(80, List->ScrollY());
  List->SetViewStyle(vsSmallIcon);  // a new view starts at the top
  EXPECT_EQ(0, List->ScrollY());
  EXPECT_EQ(Rect(0, 17, 120, 34), List->ItemRect(1));
  EXPECT_TRUE(Same(List->ScrollInfo(true), 0, 5 * 17, 100, 0));
}

TEST_F(ListViewTest, ReportViewPixels) {
  List->SetViewStyle(vsReport);
  List->SetBounds(10, 10, 220, 120);
  List->AddColumn("Name", 100);
  List->AddColumn("Size", 80);
  Fill(20);
  ASSERT_TRUE(List->Header()->Visible());
  TBitmap shot;
  PaintTo(List, &shot);
  SaveArtifact(shot, "listview_report");
  const TRect s1 = List->Header()->SectionRect(1);
  EXPECT_EQ(Shadow, shot.Pixel(s1.Left, 0));
  EXPECT_EQ(Shadow, shot.Pixel(s1.Left, TListView::HeaderHeight - 1));
  EXPECT_EQ(Face, shot.Pixel(s1.Left + 2, 2));
  EXPECT_EQ(Face, shot.Pixel(210, 8));  // the header right of the last section
  EXPECT_GT(DarkPixels(shot, Rect(5, 2, 95, 17)), 5);  // "Name"
  const TRect row0 = List->ItemRect(0);
  const int inkRow = DarkPixels(shot, Rect(100, row0.Top, 180, row0.Bottom));  // "WWWW"
  EXPECT_GT(inkRow, 10);
  EXPECT_EQ(0, DarkPixels(shot, Rect(181, TListView::HeaderHeight, 220, 120)));  // beyond the columns

  // Scrolled by one row: the first row shows what the second showed, the header stays.
  List->Scroll(0, TListView::RowHeight);
  TBitmap scrolled;
  PaintTo(List, &scrolled);
  SaveArtifact(scrolled, "listview_report_scrolled");
  for (int y = 0; y < TListView::HeaderHeight; ++y)
    for (int x = 0; x < 220; ++x) ASSERT_EQ(shot.Pixel(x, y), scrolled.Pixel(x, y)) << x << "," << y;
  for (int y = row0.Top; y < row0.Top + 3 * TListView::RowHeight; ++y)
    for (int x = 0; x < 100; ++x)
      ASSERT_EQ(shot.Pixel(x, y + TListView::RowHeight), scrolled.Pixel(x, y)) << x << "," << y;
}

}  // namespace
