// The framework's list view: item geometry, items per page and scroll information in
// every view style, scrolling by rows, columns or pixels with its limits, the header
// child, selection by keys and mouse, images, the header's pressed sections and divider
// drag, owner data, the report view's pixels and the stored layout.
#include "framework/controls/ListView.h"
#include "framework/controls/StandardControls.h"
#include "framework/core/Exceptions.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/ImageList.h"
#include "framework/layout/ClassRegistry.h"
#include "framework/layout/LayoutReader.h"
#include "tests/framework/controls/gui/ControlsFixture.h"
#include "tests/support/RealInput.h"

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
  EXPECT_EQ(White, shot.Pixel(s1.Left, 0));  // raised sections
  EXPECT_EQ(Shadow, shot.Pixel(s1.Left, TListView::HeaderHeight - 1));
  EXPECT_EQ(Shadow, shot.Pixel(s1.Left - 1, 5));
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


// ---- selection ----------------------------------------------------------------------------
class ListViewInputTest : public ListViewTest {
 protected:
  void SetUp() override {
    ListViewTest::SetUp();
    List->SetViewStyle(vsReport);
    List->SetBounds(10, 10, 200, TListView::HeaderHeight + 5 * TListView::RowHeight + 4);
    List->AddColumn("Name", 100);
    List->AddColumn("Size", 60);
    Fill(20);
    List->OnChange = [this](TObject*) { ++Changes; };
    List->SetFocus();
    testsupport::Pump(5);
  }
  // Client point inside the row of item i (which must be in view).
  TPoint RowPoint(int i) const { return TPoint{20, List->ItemRect(i).Top + 5}; }
  void Click(int i, WPARAM keys = 0) {
    const TPoint p = RowPoint(i);
    SimulateMouse(List, WM_LBUTTONDOWN, p.X, p.Y, MK_LBUTTON | keys);
    SimulateMouse(List, WM_LBUTTONUP, p.X, p.Y, keys);
  }
  std::vector<int> Selected() const {
    std::vector<int> out;
    for (int i = 0; i < List->ItemCount(); ++i)
      if (List->IsSelected(i)) out.push_back(i);
    return out;
  }
  int Changes = 0;
};

TEST_F(ListViewInputTest, KeysMoveTheFocusedItemAndKeepItInView) {
  ASSERT_TRUE(List->Focused());
  EXPECT_EQ(DLGC_WANTARROWS | DLGC_WANTCHARS, List->Perform(WM_GETDLGCODE, 0, 0));
  EXPECT_EQ(-1, List->ItemIndex());
  Key(List, VK_DOWN);  // nothing focused yet: the first item
  EXPECT_EQ(0, List->ItemFocused());
  Key(List, VK_DOWN);
  Key(List, VK_DOWN);
  EXPECT_EQ(2, List->ItemFocused());
  EXPECT_EQ(std::vector<int>{2}, Selected());
  EXPECT_EQ(3, Changes);
  Key(List, VK_END);
  EXPECT_EQ(19, List->ItemIndex());
  EXPECT_EQ(15, List->TopIndex());  // the last row at the bottom of the page
  Key(List, VK_DOWN);  // off the end: stays
  EXPECT_EQ(19, List->ItemFocused());
  Key(List, VK_HOME);
  EXPECT_EQ(0, List->ItemIndex());
  EXPECT_EQ(0, List->TopIndex());
  Key(List, VK_UP);
  EXPECT_EQ(0, List->ItemFocused());
  // Page Down: first to the bottom of the page, then a page further.
  Key(List, VK_NEXT);
  EXPECT_EQ(4, List->ItemFocused());
  EXPECT_EQ(0, List->TopIndex());
  Key(List, VK_NEXT);
  EXPECT_EQ(8, List->ItemFocused());
  EXPECT_EQ(4, List->TopIndex());
  Key(List, VK_PRIOR);  // to the top of the page
  EXPECT_EQ(4, List->ItemFocused());
  Key(List, VK_PRIOR);
  EXPECT_EQ(0, List->ItemFocused());
  EXPECT_EQ(std::vector<int>{0}, Selected());
  for (int i = 0; i < 10; ++i) Key(List, VK_NEXT);
  EXPECT_EQ(19, List->ItemFocused());  // pages stop at the end
}

TEST_F(ListViewInputTest, MouseAndShiftCtrlSelectRanges) {
  Click(1);
  EXPECT_EQ(std::vector<int>{1}, Selected());
  Click(3, MK_SHIFT);  // single selection: Shift means nothing
  EXPECT_EQ(std::vector<int>{3}, Selected());

  List->SetMultiSelect(true);
  Click(1);
  Click(3, MK_SHIFT);
  EXPECT_EQ((std::vector<int>{1, 2, 3}), Selected());
  Click(2, MK_CONTROL);  // toggles one
  EXPECT_EQ((std::vector<int>{1, 3}), Selected());
  EXPECT_EQ(2, List->SelCount());
  EXPECT_EQ(2, List->ItemFocused());
  SimulateKey(List, WM_KEYDOWN, VK_DOWN, MK_SHIFT);  // range from the anchor (2) to 3
  SimulateKey(List, WM_KEYUP, VK_DOWN, MK_SHIFT);
  EXPECT_EQ((std::vector<int>{2, 3}), Selected());
  SimulateKey(List, WM_KEYDOWN, VK_DOWN, MK_CONTROL);  // the focus alone moves
  EXPECT_EQ(4, List->ItemFocused());
  EXPECT_EQ((std::vector<int>{2, 3}), Selected());
  SimulateKey(List, WM_KEYDOWN, VK_SPACE, MK_CONTROL);
  EXPECT_EQ((std::vector<int>{2, 3, 4}), Selected());
  List->SelectAll();
  EXPECT_EQ(20, List->SelCount());

  // Back to single selection: the focused item stays selected, alone.
  List->SetMultiSelect(false);
  EXPECT_EQ(std::vector<int>{4}, Selected());
  // A click below the last row clears the selection.
  List->SetBounds(10, 10, 200, 250);
  List->Scroll(0, 1000);
  SimulateMouse(List, WM_LBUTTONDOWN, 20, 245, MK_LBUTTON);
  SimulateMouse(List, WM_LBUTTONUP, 20, 245, 0);
  EXPECT_TRUE(Selected().empty());
  EXPECT_EQ(-1, List->ItemIndex());
}

TEST_F(ListViewInputTest, DeletingItemsKeepsTheSelectionOnTheSameItems) {
  List->SetMultiSelect(true);
  List->SetSelected(3, true);
  List->SetSelected(7, true);
  List->SetItemFocused(7);
  List->DeleteItem(3);
  EXPECT_EQ(std::vector<int>{6}, Selected());
  EXPECT_EQ(6, List->ItemFocused());
  List->DeleteItem(19);  // out of range now: nothing
  EXPECT_EQ(19, List->ItemCount());
  List->ClearItems();
  EXPECT_EQ(0, List->SelCount());
  EXPECT_EQ(-1, List->ItemFocused());
  // An empty list ignores keys, clicks and the wheel.
  Key(List, VK_DOWN);
  Key(List, VK_END);
  Click(0);
  SimulateWheel(List, 20, 40, -120);
  EXPECT_EQ(-1, List->ItemIndex());
  EXPECT_EQ(-1, List->ItemAt(20, 30));
  EXPECT_EQ(0, List->ScrollY());
  TBitmap shot;
  PaintTo(List, &shot);
  EXPECT_EQ(0, DarkPixels(shot, Rect(0, TListView::HeaderHeight, 200, List->Height())));
}

TEST_F(ListViewInputTest, WheelScrollsRowsAndAddsUpPartTurns) {
  SimulateWheel(List, 20, 40, -120);
  EXPECT_EQ(3, List->TopIndex());
  List->SetWheelLines(1);
  SimulateWheel(List, 20, 40, -120);
  EXPECT_EQ(4, List->TopIndex());
  SimulateWheel(List, 20, 40, -60);
  EXPECT_EQ(4, List->TopIndex());
  SimulateWheel(List, 20, 40, -60);  // two halves make a line
  EXPECT_EQ(5, List->TopIndex());
  SimulateWheel(List, 20, 40, 240);
  EXPECT_EQ(3, List->TopIndex());
}

TEST_F(ListViewInputTest, IconViewArrowsMoveAcrossTheGrid) {
  List->SetViewStyle(vsIcon);
  List->SetBounds(10, 10, 160, 130);  // two cells a row
  Key(List, VK_DOWN);
  EXPECT_EQ(0, List->ItemFocused());
  Key(List, VK_DOWN);
  EXPECT_EQ(2, List->ItemFocused());
  Key(List, VK_RIGHT);
  EXPECT_EQ(3, List->ItemFocused());
  Key(List, VK_UP);
  EXPECT_EQ(1, List->ItemFocused());
  Key(List, VK_UP);  // no row above: stays
  EXPECT_EQ(1, List->ItemFocused());
  EXPECT_EQ(-1, List->ItemAt(155, 10));  // right of the last whole cell
  EXPECT_EQ(3, List->ItemAt(80, 70));
  Key(List, VK_END);
  EXPECT_EQ(19, List->ItemFocused());
  EXPECT_GE(List->ItemRect(19).Top, 0);
  EXPECT_LE(List->ItemRect(19).Bottom, List->Height());
}

TEST_F(ListViewInputTest, SelectionPixelsAndHideSelection) {
  const TColor Highlight = RGB(10, 36, 106);
  List->SetItemIndex(1);
  TBitmap shot;
  PaintTo(List, &shot);
  SaveArtifact(shot, "listview_selected");
  const TRect row = List->ItemRect(1);
  EXPECT_GT(CountColor(shot, Rect(0, row.Top, 100, row.Bottom), Highlight), 60);
  EXPECT_EQ(0, CountColor(shot, Rect(100, row.Top, 200, row.Bottom), Highlight));
  // Unfocused with HideSelection (the default): no highlight; without it, still shown.
  auto* other = new TListView(Form);
  other->SetParent(Form);
  other->SetBounds(10, 200, 50, 40);
  other->SetFocus();
  testsupport::Pump(5);
  PaintTo(List, &shot);
  EXPECT_EQ(0, CountColor(shot, Rect(0, row.Top, 100, row.Bottom), Highlight));
  List->SetHideSelection(false);
  PaintTo(List, &shot);
  EXPECT_GT(CountColor(shot, Rect(0, row.Top, 100, row.Bottom), Highlight), 60);
}

TEST_F(ListViewInputTest, TypedTextFindsCaptionsAndAPauseStartsAgain) {
  List->ClearItems();
  for (const char* c : {"apple", "Banana", "blueberry", "cherry", "bread", "Docs", "doc.txt", "dock"}) List->AddItem(c);
  List->SetSearchTimeout(10000);
  EXPECT_EQ(DLGC_WANTARROWS | DLGC_WANTCHARS, List->Perform(WM_GETDLGCODE, 0, 0));
  SimulateChar(List, U'b');
  EXPECT_EQ(1, List->ItemIndex());  // case does not matter
  SimulateChar(List, U'L');
  EXPECT_EQ(2, List->ItemIndex());  // "bl" goes on from the focused item
  SimulateChar(List, U'x');
  EXPECT_EQ(2, List->ItemIndex());  // no match: stays
  // After a pause a new search starts after the focused item, wrapping at the end.
  List->SetSearchTimeout(30);
  testsupport::Pump(80);
  SimulateChar(List, U'b');
  EXPECT_EQ(4, List->ItemIndex());
  testsupport::Pump(80);
  SimulateChar(List, U'b');
  EXPECT_EQ(1, List->ItemIndex());
  testsupport::Pump(80);
  SimulateChar(List, U'd');  // a new search ...
  List->SetSearchTimeout(10000);
  for (char32_t c : {U'o', U'c', U'.'}) SimulateChar(List, c);  // ... that goes on
  EXPECT_EQ(6, List->ItemIndex());
  EXPECT_EQ(7, List->FindCaption(6, "DOCK", false, false, false));
  EXPECT_EQ(-1, List->FindCaption(6, "apple", true, false, false));  // no wrap
  EXPECT_EQ(0, List->FindCaption(6, "apple", true, false, true));
  // Owner data: the owner answers.
  List->SetOwnerData(true);
  List->SetItemCount(50);
  std::string asked;
  List->OnDataFind = [&](TObject*, const std::string& v, int start, bool partial, bool wrap) {
    asked = v + "@" + std::to_string(start) + (partial ? "p" : "") + (wrap ? "w" : "");
    return 42;
  };
  testsupport::Pump(10);
  List->SetSearchTimeout(0);
  testsupport::Pump(5);
  SimulateChar(List, U'q');
  EXPECT_EQ("q@0pw", asked);
  EXPECT_EQ(42, List->ItemIndex());
}

TEST_F(ListViewInputTest, TypedLettersOfAnyScriptFindCaptionsInEitherCase) {
  List->ClearItems();
  for (const char* c : {"apple", "École", "Øre", "Жук", "zebra"}) List->AddItem(c);
  const struct {
    std::u32string typed;
    int item;
  } cases[] = {{U"é", 1}, {U"øR", 2}, {U"жУ", 3}, {U"Éc", 1}};
  for (const auto& c : cases) {
    List->SetSearchTimeout(0);  // each case a new search
    testsupport::Pump(5);
    realinput::Type(c.typed.substr(0, 1));
    List->SetSearchTimeout(10000);
    realinput::Type(c.typed.substr(1));
    EXPECT_EQ(c.item, List->ItemIndex()) << List->ItemIndex();
  }
}

// ---- images, long texts, owner data ----------------------------------------------------------
TEST_F(ListViewTest, SmallAndLargeImagesAreDrawnAndSizeTheRows) {
  auto* small = new TImageList(Form);
  small->SetWidth(20);
  small->SetHeight(20);
  TBitmap red(20, 20);
  red.Canvas()->Brush()->Color = clRed;
  red.Canvas()->FillRect(Rect(0, 0, 20, 20));
  small->Add(&red, nullptr);
  auto* large = new TImageList(Form);
  large->SetWidth(32);
  large->SetHeight(32);
  TBitmap blue(32, 32);
  blue.Canvas()->Brush()->Color = clBlue;
  blue.Canvas()->FillRect(Rect(0, 0, 32, 32));
  large->Add(&blue, nullptr);

  List->SetViewStyle(vsReport);
  List->SetBounds(10, 10, 200, 150);
  List->AddColumn("Name", 120);
  Fill(3);
  List->Item(1).ImageIndex = 0;
  List->SetSmallImages(small);
  EXPECT_EQ(21, List->ItemHeight());
  EXPECT_EQ(Rect(0, TListView::HeaderHeight + 21, 200, TListView::HeaderHeight + 42), List->ItemRect(1));
  TBitmap shot;
  PaintTo(List, &shot);
  SaveArtifact(shot, "listview_small_images");
  const TRect r1 = List->ItemRect(1);
  EXPECT_EQ(400, CountColor(shot, Rect(0, r1.Top, 40, r1.Bottom), clRed));
  EXPECT_EQ(0, CountColor(shot, List->ItemRect(0), clRed));  // no image index

  List->SetViewStyle(vsIcon);
  List->SetLargeImages(large);
  PaintTo(List, &shot);
  SaveArtifact(shot, "listview_large_images");
  EXPECT_EQ(32 * 32, CountColor(shot, List->ItemRect(1), clBlue));
  EXPECT_GT(DarkPixels(shot, List->ItemRect(1)), 5);  // the caption under it
  // The image lists going away leave the list without images, not with dangling ones.
  delete small;
  delete large;
  EXPECT_EQ(nullptr, List->SmallImages());
  EXPECT_EQ(nullptr, List->LargeImages());
  PaintTo(List, &shot);
  EXPECT_EQ(0, CountColor(shot, List->ItemRect(1), clBlue));
}

TEST_F(ListViewTest, LongTextsAreCutInsideTheirColumn) {
  List->SetViewStyle(vsReport);
  List->SetBounds(10, 10, 240, 100);
  List->AddColumn("Name", 100);
  List->AddColumn("Size", 60);
  List->AddColumn("Type", 80);
  TListItem& it = List->AddItem(std::string(3000, 'W'));
  it.SubItems = {std::string(500, 'M') + "\xe5\xa3\xb0", ""};
  TBitmap shot;
  PaintTo(List, &shot);
  SaveArtifact(shot, "listview_long_texts");
  const TRect row = List->ItemRect(0);
  EXPECT_GT(DarkPixels(shot, Rect(0, row.Top, 98, row.Bottom)), 20);
  EXPECT_GT(DarkPixels(shot, Rect(102, row.Top, 158, row.Bottom)), 20);
  // Nothing spills into the margins or the empty third column.
  EXPECT_EQ(0, DarkPixels(shot, Rect(98, row.Top, 102, row.Bottom)));
  EXPECT_EQ(0, DarkPixels(shot, Rect(158, row.Top, 240, row.Bottom)));
  // The cut text ends with dots: ink at the end of the first cell is sparse.
  EXPECT_LT(DarkPixels(shot, Rect(88, row.Top, 98, row.Bottom)), DarkPixels(shot, Rect(10, row.Top, 20, row.Bottom)));
}

TEST_F(ListViewTest, OwnerDataAsksOnlyForTheRowsInView) {
  List->SetViewStyle(vsReport);
  List->SetBounds(10, 10, 200, TListView::HeaderHeight + 10 * TListView::RowHeight);
  List->AddColumn("Name", 150);
  List->SetOwnerData(true);
  std::vector<int> asked;
  List->OnData = [&](TObject*, int i, TListItem& item) {
    asked.push_back(i);
    item.Caption = "Row " + std::to_string(i);
  };
  List->SetItemCount(10000);
  EXPECT_EQ(10000, List->ItemCount());
  EXPECT_EQ("Row 9999", List->DisplayItem(9999).Caption);
  EXPECT_EQ("", List->DisplayItem(10000).Caption);
  List->Scroll(0, 5000 * TListView::RowHeight);
  asked.clear();
  TBitmap shot;
  PaintTo(List, &shot);
  ASSERT_FALSE(asked.empty());
  EXPECT_LE(asked.size(), 12u);
  EXPECT_EQ(5000, *std::min_element(asked.begin(), asked.end()));
  List->SetItemIndex(9999);
  EXPECT_EQ(9990, List->TopIndex());
  List->SetItemCount(100);  // the selection beyond the new end goes
  EXPECT_EQ(-1, List->ItemIndex());
  EXPECT_EQ(90, List->TopIndex());
}

// ---- header ---------------------------------------------------------------------------------
TEST_F(ListViewTest, HeaderPressesSectionsAndDragsDividers) {
  List->SetViewStyle(vsReport);
  List->SetBounds(10, 10, 260, 120);
  List->AddColumn("Name", 100);
  List->AddColumn("Size", 80);
  Fill(3);
  int clicked = -1, resized = -1;
  List->OnColumnClick = [&](TObject*, int c) { clicked = c; };
  List->OnColumnResize = [&](TObject*, int c) { resized = c; };
  TListHeader* h = List->Header();
  EXPECT_EQ(0, h->SectionAt(50));
  EXPECT_EQ(-1, h->SectionAt(200));
  EXPECT_EQ(0, h->DividerAt(101));
  EXPECT_EQ(1, h->DividerAt(178));
  EXPECT_EQ(-1, h->DividerAt(140));

  Press(h, 50, 8);
  EXPECT_EQ(0, h->PressedSection());
  EXPECT_TRUE(h->SectionDown());
  TBitmap shot;
  PaintTo(List, &shot);
  SaveArtifact(shot, "listview_header_pressed");
  EXPECT_EQ(Shadow, shot.Pixel(0, 0));  // sunken
  EXPECT_EQ(White, shot.Pixel(99, 10));
  EXPECT_EQ(White, shot.Pixel(100, 0));  // the next section stays raised
  Move(h, 150, 8);  // off the section: pops up, still held
  EXPECT_FALSE(h->SectionDown());
  Move(h, 60, 8);
  EXPECT_TRUE(h->SectionDown());
  Release(h, 60, 8);
  EXPECT_EQ(0, clicked);
  EXPECT_EQ(-1, h->PressedSection());
  clicked = -1;
  Press(h, 120, 8);
  Move(h, 240, 8);
  Release(h, 240, 8);  // released off the section: no click
  EXPECT_EQ(-1, clicked);

  // A press on a divider drags the column's width and presses nothing.
  Press(h, 101, 8);
  EXPECT_EQ(-1, h->PressedSection());
  EXPECT_EQ(0, h->SizingColumn());
  Move(h, 131, 8);
  EXPECT_EQ(130, List->Column(0).Width);
  EXPECT_EQ(130, h->SectionRect(1).Left);
  Move(h, -40, 8);
  EXPECT_EQ(0, List->Column(0).Width);
  Release(h, -40, 8);
  EXPECT_EQ(0, resized);
  EXPECT_EQ(-1, clicked);
  // The zero-width column can be widened again from its divider.
  EXPECT_EQ(0, h->DividerAt(1));
  Press(h, 1, 8);
  Move(h, 60, 8);
  Release(h, 60, 8);
  EXPECT_EQ(59, List->Column(0).Width);
}

// ---- stored layout ----------------------------------------------------------------------------
TEST_F(ListViewTest, ReadFromAStoredLayout) {
  TClassRegistry registry;
  registry.RegisterClass("TComponent", "", TComponentFactory{});
  registry.RegisterClass("TControl", "TComponent", TComponentFactory{});
  RegisterStandardControls(registry);
  registry.RegisterRootClass<TForm>("TForm", "TWinControl");
  registry.SetParentHandler([](TComponent* child, TComponent* parent) {
    auto* c = dynamic_cast<TControl*>(child);
    auto* p = dynamic_cast<TWinControl*>(parent);
    if (c && p) c->SetParent(p);
  });
  ReadLayout(Form,
             "object Form1: TForm\n  object LV: TListView\n    ViewStyle = vsReport\n    MultiSelect = True\n"
             "    HideSelection = False\n    Columns.Strings = (\n      'Name, first,120'\n      'Size,60')\n"
             "    Items.Strings = (\n      'a'\n      'b')\n  end\nend\n",
             registry);
  auto* lv = dynamic_cast<TListView*>(Form->FindComponent("LV"));
  ASSERT_NE(nullptr, lv);
  EXPECT_EQ(vsReport, lv->ViewStyle());
  EXPECT_TRUE(lv->MultiSelect());
  EXPECT_FALSE(lv->HideSelection());
  ASSERT_EQ(2, lv->ColumnCount());
  EXPECT_EQ("Name, first", lv->Column(0).Caption);
  EXPECT_EQ(120, lv->Column(0).Width);
  ASSERT_EQ(2, lv->ItemCount());
  EXPECT_EQ("b", lv->DisplayItem(1).Caption);
  for (const char* bad : {"'Name,abc'", "'Name,-5'", "'Name,12x'"}) {
    TForm other(nullptr);
    EXPECT_THROW(ReadLayout(&other,
                            std::string("object Form2: TForm\n  object LV: TListView\n    Columns.Strings = (\n      ") +
                                bad + ")\n  end\nend\n",
                            registry),
                 Exception)
        << bad;
  }
}

}  // namespace
