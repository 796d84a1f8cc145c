// The combo box's and its list's looks: the default look's geometry and colours in every
// button state, and the Slate look against the skin builders and the record's pictures.
#include "framework/windows/Application.h"
#include "skin/controls/SkinScrollBar.h"
#include "tests/skin/dialogs/gui/SkinDialogsFixture.h"
#include "tests/support/RealInput.h"

using namespace skindialogstest;

namespace {

class ComboBoxLookTest : public SkinDialogsFixture {
 protected:
  static int CountDark(const TBitmap& b, const TRect& r) {
    int n = 0;
    for (int y = r.Top; y < r.Bottom; ++y)
      for (int x = r.Left; x < r.Right; ++x)
        if (GetRValue(b.Pixel(x, y)) < 60 && GetGValue(b.Pixel(x, y)) < 60 && GetBValue(b.Pixel(x, y)) < 60) ++n;
    return n;
  }
};

const TColor Highlight = RGB(10, 36, 106);
const TColor White = RGB(255, 255, 255);

TEST_F(ComboBoxLookTest, DefaultBoxFrameButtonAndItemArea) {
  auto* c = Combo(4, 8);
  EXPECT_EQ(120, c->Width());
  EXPECT_EQ(20, c->Height());
  EXPECT_EQ(Rect(101, 2, 118, 18), c->ButtonRect());
  EXPECT_EQ(Rect(2, 2, 100, 18), c->ItemRect());
  c->SetItemIndex(2);
  Pic p = Shot(c);
  SaveArtifact(p, "combo_default");
  EXPECT_EQ(Shadow, p.Pixel(0, 0));
  EXPECT_EQ(Shadow, p.Pixel(119, 19));
  EXPECT_EQ(Face, p.Pixel(1, 1));
  EXPECT_EQ(Face, p.Pixel(100, 10));  // the gap between the item area and the button
  EXPECT_EQ(Shadow, p.Pixel(101, 2));  // button frame
  EXPECT_EQ(Shadow, p.Pixel(117, 17));
  EXPECT_EQ(Face, p.Pixel(103, 4));
  EXPECT_GT(CountColor(p, Rect(102, 3, 117, 17), clBlack), 5);  // the arrow
  EXPECT_EQ(White, p.Pixel(2, 2));   // unfocused item area
  EXPECT_EQ(White, p.Pixel(99, 17));
  EXPECT_GT(CountDark(p, Rect(4, 2, 100, 18)), 10);  // "Item 2"

  // Focused: highlighted area with a focus rectangle, light text.
  c->SetFocus();
  Pic f = Shot(c);
  SaveArtifact(f, "combo_default_focused");
  EXPECT_EQ(Highlight, f.Pixel(10, 9));
  EXPECT_GT(CountColor(f, Rect(4, 3, 99, 17), clWhite), 10);
  EXPECT_NE(Highlight, f.Pixel(2, 2));  // the focus rectangle's dots

  // Hot: navy frame, light fill; pressed and hot: the pressed fill.
  const TRect b = c->ButtonRect();
  SimulateMouse(c, WM_MOUSEMOVE, b.Left + 5, b.Top + 5, 0);
  ASSERT_TRUE(c->ButtonHot());
  Pic h = Shot(c);
  EXPECT_EQ(Navy, h.Pixel(b.Left, b.Top));
  EXPECT_EQ(HotFill, h.Pixel(b.Left + 2, b.Top + 2));
  SimulateMouse(c, WM_LBUTTONDOWN, b.Left + 5, b.Top + 5, MK_LBUTTON);
  ASSERT_TRUE(c->DroppedDown());
  Pic d = Shot(c);
  SaveArtifact(d, "combo_default_pressed");
  EXPECT_EQ(Navy, d.Pixel(b.Left, b.Top));
  EXPECT_EQ(PressedFill, d.Pixel(b.Left + 2, b.Top + 2));
  // While the list is open the box shows the item of the opening, whatever is highlighted.
  Pic before = Shot(c);
  SimulateMouse(c, WM_MOUSEMOVE, RowPoint(c, 0).X, RowPoint(c, 0).Y, MK_LBUTTON);
  ASSERT_EQ(0, c->ListBox()->ItemIndex());
  Pic after = Shot(c);
  const TRect area = c->ItemRect();
  for (int y = area.Top; y < area.Bottom; ++y)
    for (int x = area.Left; x < area.Right; ++x) ASSERT_EQ(before.Pixel(x, y), after.Pixel(x, y)) << x << "," << y;
  SimulateMouse(c, WM_LBUTTONUP, RowPoint(c, 0).X, RowPoint(c, 0).Y, 0);
  EXPECT_EQ(0, c->ItemIndex());
  // Leaving the box clears the hot state.
  Hover(c, false);
  EXPECT_FALSE(c->ButtonHot());
  Pic n = Shot(c);
  EXPECT_EQ(Shadow, n.Pixel(b.Left, b.Top));

  c->SetEnabled(false);
  Pic off = Shot(c);
  SaveArtifact(off, "combo_default_disabled");
  EXPECT_EQ(0, CountColor(off, Rect(102, 3, 117, 17), clBlack));
  EXPECT_GT(CountColor(off, Rect(102, 3, 117, 17), Shadow), 5);
}

TEST_F(ComboBoxLookTest, DefaultListRows) {
  auto* c = Combo(5, 8);
  c->SetItemIndex(1);
  c->DropDown();
  TbsPopupListBox* l = c->ListBox();
  TBitmap shot;
  PaintTo(l, &shot);
  SaveArtifact(shot, "combo_list_rows_default");
  const int rh = l->RowHeight();
  EXPECT_EQ(Shadow, shot.Pixel(0, 0));
  EXPECT_EQ(Shadow, shot.Pixel(shot.Width() - 1, shot.Height() - 1));
  EXPECT_EQ(White, shot.Pixel(5, 1 + rh / 2));                 // row 0
  EXPECT_EQ(Highlight, shot.Pixel(shot.Width() - 5, 1 + rh + rh / 2));  // row 1, selected
  EXPECT_GT(CountColor(shot, Rect(1, 1 + rh, 60, 1 + 2 * rh), clWhite), 10);  // its light text
  EXPECT_GT(CountDark(shot, Rect(1, 1 + 2 * rh, 60, 1 + 3 * rh)), 10);      // row 2's dark text
}

TEST_F(ComboBoxLookTest, ListRowsAreWrittenInTheBoxsFont) {
  auto* c = Combo(3, 8);
  c->Font()->SetHeight(-24);
  c->Font()->SetColor(clRed);
  realinput::Click(c->ClientToScreen(Point(40, 10)));  // a press on the item area drops the list
  ASSERT_TRUE(c->DroppedDown());
  TbsPopupListBox* l = c->ListBox();
  TBitmap shot;
  PaintTo(l, &shot);
  SaveArtifact(shot, "combo_list_rows_box_font");
  // Row 1 ("Item 1", not selected): red text as tall as a 24-pixel font's capitals.
  const int rh = l->RowHeight();
  int top = shot.Height(), bottom = -1, red = 0;
  for (int y = 1 + rh; y < 1 + 2 * rh && y < shot.Height(); ++y)
    for (int x = 1; x < shot.Width() - 1; ++x)
      if (shot.Pixel(x, y) == clRed) {
        ++red;
        top = std::min(top, y);
        bottom = std::max(bottom, y);
      }
  EXPECT_GT(red, 30);
  EXPECT_GE(bottom - top + 1, 15);
  c->CloseUp(false);
}

TEST_F(ComboBoxLookTest, SlateBoxListAndButtonStates) {
  LoadSlate();
  auto* c = Combo(12, 5);
  c->SetSkinData(SkinData);
  ASSERT_NE(-1, c->SkinIndex());
  auto* r = dynamic_cast<const TbsDataSkinComboBox*>(Record("combobox"));
  ASSERT_NE(nullptr, r);
  EXPECT_EQ(RectHeight(r->skinrect), c->Height());  // the skin fixes the height
  c->SetBounds(20, 20, 160, 40);
  EXPECT_EQ(RectHeight(r->skinrect), c->Height());
  EXPECT_EQ(160, c->Width());
  const TBitmap& pic = *SkinData->PictureList[size_t(r->pictureindex)];
  // The button moves with the right edge; the item area stretches.
  const TRect b = c->ButtonRect();
  EXPECT_EQ(r->buttonrect.Left + 40, b.Left);
  EXPECT_EQ(RectWidth(r->buttonrect), b.Width());
  EXPECT_EQ(r->itemrect.Right + 40, c->ItemRect().Right);

  Pic p = Shot(c);
  SaveArtifact(p, "combo_slate");
  // Slate's white box in its border, the middle stretched.
  EXPECT_EQ(RGB(70, 84, 110), p.Pixel(0, 0));
  EXPECT_EQ(RGB(70, 84, 110), p.Pixel(159, 10));
  EXPECT_EQ(RGB(255, 255, 255), p.Pixel(60, 1));
  for (int x = 0; x < b.Width(); ++x)
    EXPECT_EQ(pic.Pixel(r->buttonrect.Left + x, r->buttonrect.Top + 8), p.Pixel(b.Left + x, b.Top + 8)) << x;

  // Hot and pressed buttons show the record's pictures for them.
  SimulateMouse(c, WM_MOUSEMOVE, b.Left + 5, b.Top + 5, 0);
  Pic hot = Shot(c);
  for (int x = 0; x < b.Width(); ++x)
    EXPECT_EQ(pic.Pixel(r->activebuttonrect.Left + x, r->activebuttonrect.Top + 8), hot.Pixel(b.Left + x, b.Top + 8));
  SimulateMouse(c, WM_LBUTTONDOWN, b.Left + 5, b.Top + 5, MK_LBUTTON);
  Pic down = Shot(c);
  SaveArtifact(down, "combo_slate_pressed");
  for (int x = 0; x < b.Width(); ++x)
    EXPECT_EQ(pic.Pixel(r->downbuttonrect.Left + x, r->downbuttonrect.Top + 8), down.Pixel(b.Left + x, b.Top + 8));

  // The list takes the record the box's record names, with its rows.
  TbsPopupListBox* l = c->ListBox();
  ASSERT_TRUE(c->DroppedDown());
  EXPECT_EQ(r->listboxname, l->SkinDataName());
  ASSERT_NE(-1, l->SkinIndex());
  auto* lr = dynamic_cast<const TbsDataSkinListBox*>(Record(r->listboxname));
  ASSERT_NE(nullptr, lr);
  EXPECT_EQ(RectHeight(lr->itemrect), l->RowHeight());
  EXPECT_EQ(5 * l->RowHeight() + lr->clientrect.Top + RectHeight(lr->skinrect) - lr->clientrect.Bottom, l->Height());
  SimulateMouse(c, WM_MOUSEMOVE, RowPoint(c, 2).X, RowPoint(c, 2).Y, MK_LBUTTON);
  TBitmap list;
  PaintTo(l, &list);
  SaveArtifact(list, "combo_list_slate");
  const TRect rows = l->RowsRect();
  // Row 2 selected: the record's selected row image at its left end; row 0 the plain one.
  EXPECT_EQ(pic.Pixel(lr->focusitemrect.Left, lr->focusitemrect.Top + 1),
            list.Pixel(rows.Left, rows.Top + 2 * l->RowHeight() + 1));
  EXPECT_EQ(pic.Pixel(lr->itemrect.Left, lr->itemrect.Top + 1), list.Pixel(rows.Left, rows.Top + 1));
  EXPECT_EQ(pic.Pixel(lr->skinrect.Left, lr->skinrect.Top), list.Pixel(0, 0));  // the frame
  EXPECT_TRUE(l->ScrollBarShown());
  EXPECT_EQ("vscrollbar", l->ScrollBar()->SkinDataName());
  EXPECT_NE(-1, l->ScrollBar()->SkinIndex());
  SimulateMouse(c, WM_LBUTTONUP, RowPoint(c, 2).X, RowPoint(c, 2).Y, 0);
  EXPECT_EQ(2, c->ItemIndex());

  // Focused: the record's focus image under the item.
  c->SetFocus();
  Pic f = Shot(c);
  SaveArtifact(f, "combo_slate_focused");
  const TRect a = c->ItemRect();
  EXPECT_EQ(pic.Pixel(r->focusitemrect.Left + 1, r->focusitemrect.Top + 1), f.Pixel(a.Left + 1, a.Top + 1));

  c->SetEnabled(false);
  Pic off = Shot(c);
  for (int x = 0; x < b.Width(); ++x)
    EXPECT_EQ(pic.Pixel(r->unenabledbuttonrect.Left + x, r->unenabledbuttonrect.Top + 8),
              off.Pixel(b.Left + x, b.Top + 8));
}

TEST_F(ComboBoxLookTest, TheSkinWalkReachesTheBoxAndItsList) {
  auto* c = Combo(3, 5);
  c->SetSkinData(SkinData);  // empty: the default look
  EXPECT_EQ(-1, c->SkinIndex());
  LoadSlate();  // the form walks its controls on the skin messages
  EXPECT_NE(-1, c->SkinIndex());
  EXPECT_EQ(SkinData, c->ListBox()->SkinData());
  EXPECT_EQ(22, c->Height());
  c->DropDown();
  EXPECT_NE(-1, c->ListBox()->SkinIndex());
  c->CloseUp(false);
  SkinData->LoadFromStoredSkin(&Version4());  // a failed load leaves the skin empty
  EXPECT_EQ(-1, c->SkinIndex());
  c->DropDown();
  EXPECT_EQ(-1, c->ListBox()->SkinIndex());
  TBitmap shot;
  PaintTo(c->ListBox(), &shot);
  EXPECT_EQ(Shadow, shot.Pixel(0, 0));
}

TEST_F(ComboBoxLookTest, SkinnedBoxSmallerThanItsFixedParts) {
  LoadSlate();
  auto* c = Combo(3, 5);
  c->SetSkinData(SkinData);
  c->Items()->Add(std::string(2000, 'M'));
  c->SetItemIndex(3);
  for (int w : {30, 10, 1, 0}) {
    c->SetBounds(20, 20, w, 5);
    Pic p = Shot(c);
    EXPECT_EQ(w, p.Width());
    EXPECT_EQ(22, c->Height());
    c->DropDown();
    c->CloseUp(true);
  }
  c->SetBounds(20, 20, 300, 22);
  c->SetFocus();
  Pic wide = Shot(c);
  SaveArtifact(wide, "combo_slate_long_text");
  EXPECT_EQ(wide.Pixel(299, 0), Shot(c).Pixel(299, 0));
}

}  // namespace
