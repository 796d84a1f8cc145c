// The skin combo box's behaviour: dropping down (rows, placement), keys, typed prefixes,
// the mouse in the box and the list, the held scroll, the wheel, focus and bad input.
#include "framework/controls/CustomEdit.h"
#include "skin/controls/SkinScrollBar.h"
#include "tests/skin/dialogs/gui/SkinDialogsFixture.h"
#include "tests/support/RealInput.h"

using namespace skindialogstest;

namespace {

class ComboBoxTest : public SkinDialogsFixture {};

TEST_F(ComboBoxTest, TheListShowsAtMostDropDownCountRowsBelowTheBox) {
  auto* few = Combo(3, 10);
  int drops = 0;
  few->OnDropDown = [&](TObject*) { ++drops; };
  few->DropDown();
  ASSERT_TRUE(few->DroppedDown());
  TbsPopupListBox* l = few->ListBox();
  EXPECT_EQ(1, drops);
  EXPECT_EQ(3, l->Rows());
  EXPECT_FALSE(l->ScrollBarShown());
  EXPECT_EQ(l->HeightForRows(3), l->Height());
  EXPECT_EQ(3 * l->RowHeight() + 2, l->Height());
  EXPECT_EQ(few->ClientToScreen(Point(0, few->Height())), Point(l->Left(), l->Top()));
  EXPECT_EQ(few->Width(), l->Width());
  EXPECT_TRUE(IsWindowVisible(l->Handle()));
  // A pop-up: never activated, never focused; the box keeps the focus and the mouse.
  EXPECT_EQ(WS_POPUP, DWORD(GetWindowLong(l->Handle(), GWL_STYLE)) & WS_POPUP);
  EXPECT_FALSE(l->CanFocus());
  EXPECT_TRUE(few->MouseCapture());
  few->CloseUp(false);
  EXPECT_FALSE(few->MouseCapture());

  auto* many = Combo(20, 10, 200, 20);
  many->SetListBoxWidth(180);
  many->SetItemIndex(15);
  many->DropDown();
  l = many->ListBox();
  EXPECT_EQ(10, l->Rows());
  EXPECT_TRUE(l->ScrollBarShown());
  EXPECT_TRUE(l->ScrollBar()->Visible());
  EXPECT_EQ(180, l->Width());
  EXPECT_EQ(15, many->SavedItemIndex());
  EXPECT_LE(l->TopIndex(), 15);
  EXPECT_GT(l->TopIndex() + l->Rows(), 15);  // the selected row is in view
  TBitmap shot;
  PaintTo(l, &shot);
  SaveArtifact(shot, "combo_list_default");
}

TEST_F(ComboBoxTest, NearTheScreenBottomTheListOpensAbove) {
  const TRect work = GetMonitorWorkArea(Form->Handle());
  Form->SetBounds(40, work.Bottom - 120, 300, 110);
  testsupport::Pump(5);
  auto* c = Combo(12, 8, 20, 40);
  c->DropDown();
  TbsPopupListBox* l = c->ListBox();
  EXPECT_GT(c->ClientToScreen(Point(0, c->Height())).Y + l->Height(), work.Bottom);
  EXPECT_EQ(c->ClientToScreen(Point(0, 0)).Y, l->Top() + l->Height());
  c->CloseUp(false);
  Form->SetBounds(40, work.Top + 40, 300, 200);
  testsupport::Pump(5);
  c->DropDown();
  EXPECT_EQ(c->ClientToScreen(Point(0, c->Height())).Y, l->Top());
}

TEST_F(ComboBoxTest, KeysSelectItemsAtOnceEvenWithTheListClosed) {
  auto* c = Combo(20, 10);
  c->SetFocus();
  KeyPress(c, VK_DOWN);
  EXPECT_EQ(0, c->ItemIndex());
  EXPECT_EQ("Item 0", c->Text());
  EXPECT_EQ(1, Clicks);
  EXPECT_EQ(1, Changes);
  KeyPress(c, VK_UP);  // no change at the first
  EXPECT_EQ(0, c->ItemIndex());
  EXPECT_EQ(1, Clicks);
  c->SetItemIndex(12);
  KeyPress(c, VK_PRIOR);
  EXPECT_EQ(1, c->ItemIndex());
  KeyPress(c, VK_PRIOR);
  EXPECT_EQ(0, c->ItemIndex());
  KeyPress(c, VK_NEXT);
  EXPECT_EQ(9, c->ItemIndex());
  c->SetItemIndex(15);
  KeyPress(c, VK_NEXT);
  EXPECT_EQ(19, c->ItemIndex());  // not past the last
  KeyPress(c, VK_RIGHT);
  EXPECT_EQ(19, c->ItemIndex());
  KeyPress(c, VK_HOME);
  EXPECT_EQ(0, c->ItemIndex());
  EXPECT_FALSE(c->DroppedDown());

  // Alt+Down opens, Enter accepts the highlighted row, Alt+Up closes cancelling.
  KeyPress(c, VK_DOWN, MK_ALT);
  ASSERT_TRUE(c->DroppedDown());
  c->ListBox()->SetItemIndex(4);
  KeyPress(c, VK_RETURN);
  EXPECT_FALSE(c->DroppedDown());
  EXPECT_EQ(4, c->ItemIndex());
  EXPECT_EQ("Item 4", c->Text());
  KeyPress(c, VK_DOWN, MK_ALT);
  c->ListBox()->SetItemIndex(7);
  KeyPress(c, VK_UP, MK_ALT);
  EXPECT_FALSE(c->DroppedDown());
  EXPECT_EQ(4, c->ItemIndex());
}

TEST_F(ComboBoxTest, EscapeRestoresTheItemSelectedAtOpening) {
  auto* c = Combo(10, 5);
  int closeUps = 0;
  c->OnCloseUp = [&](TObject*) { ++closeUps; };
  c->SetFocus();
  c->SetItemIndex(2);
  const int clicks = Clicks;
  c->DropDown();
  KeyPress(c, VK_DOWN);
  KeyPress(c, VK_DOWN);
  EXPECT_EQ(4, c->ItemIndex());
  EXPECT_EQ(clicks + 2, Clicks);
  EXPECT_EQ(2, c->SavedItemIndex());
  // Escape belongs to the open list, not to the form's cancel button.
  EXPECT_TRUE(c->Perform(WM_GETDLGCODE, 0, 0) & DLGC_WANTALLKEYS);
  KeyPress(c, VK_ESCAPE);
  EXPECT_FALSE(c->DroppedDown());
  EXPECT_EQ(2, c->ItemIndex());
  EXPECT_EQ("Item 2", c->Text());
  EXPECT_EQ(0, closeUps);  // only an accepted choice reports closing up
  // The highlight moved by the pointer is forgotten just the same.
  c->DropDown();
  Mouse(c, WM_MOUSEMOVE, RowPoint(c, 3), 0);
  EXPECT_EQ(3, c->ListBox()->ItemIndex());
  KeyPress(c, VK_ESCAPE);
  EXPECT_EQ(2, c->ItemIndex());
  EXPECT_FALSE(c->Perform(WM_GETDLGCODE, 0, 0) & DLGC_WANTALLKEYS);
}

TEST_F(ComboBoxTest, TypedPrefixesFindItemsAndStartAfreshAfterAPause) {
  auto* c = Make<TbsSkinComboBox>(20, 20, 120, 20);
  for (const char* s : {"Desktop", "dog", "Documents", "docx", "music", "Downloads"}) c->Items()->Add(s);
  c->SetFocus();
  SimulateChar(c, U'd');
  EXPECT_EQ(0, c->ItemIndex());  // the row after none: the first
  SimulateChar(c, U'o');
  EXPECT_EQ(1, c->ItemIndex());
  SimulateChar(c, U'c');
  EXPECT_EQ(2, c->ItemIndex());  // "Documents": case does not matter
  EXPECT_EQ(U"doc", c->SearchPrefix());
  SimulateChar(c, U'x');
  EXPECT_EQ(3, c->ItemIndex());  // "docx": a longer prefix searches from the top
  // Half a second without a character: the timer's tick forgets the prefix.
  c->Perform(WM_TIMER, TbsSkinCustomComboBox::TypeAheadTimerId, 0);
  EXPECT_EQ(U"", c->SearchPrefix());
  SimulateChar(c, U'D');
  EXPECT_EQ(5, c->ItemIndex());  // from the row after the current one
  c->Perform(WM_TIMER, TbsSkinCustomComboBox::TypeAheadTimerId, 0);
  SimulateChar(c, U'd');
  EXPECT_EQ(0, c->ItemIndex());  // wraps to the top
  SimulateChar(c, U'q');
  EXPECT_EQ(0, c->ItemIndex());  // nothing starts with "dq"
  // The real timer does the same after half a second.
  EXPECT_TRUE(testsupport::WaitUntil([&] { return c->SearchPrefix().empty(); }, 2000));
  // Without AutoComplete every character is a search of its own.
  c->SetAutoComplete(false);
  SimulateChar(c, U'd');
  EXPECT_EQ(1, c->ItemIndex());
  SimulateChar(c, U'd');
  EXPECT_EQ(2, c->ItemIndex());
}

TEST_F(ComboBoxTest, TypedPrefixesFoldTheCaseOfEveryScript) {
  auto* c = Make<TbsSkinComboBox>(20, 20, 120, 20);
  for (const char* s : {"Apfel", "École", "Øre", "Жук"}) c->Items()->Add(s);
  c->SetFocus();
  const struct {
    std::u32string typed;
    int row;
  } cases[] = {{U"é", 1}, {U"øR", 2}, {U"жУ", 3}, {U"É", 1}};
  for (const auto& k : cases) {
    c->Perform(WM_TIMER, TbsSkinCustomComboBox::TypeAheadTimerId, 0);  // a fresh prefix
    realinput::Type(k.typed);
    EXPECT_EQ(k.row, c->ItemIndex()) << c->ItemIndex();
  }
}

TEST_F(ComboBoxTest, PressDragAndReleaseOnARowChoosesIt) {
  auto* c = Combo(6, 8);
  int closeUps = 0;
  c->OnCloseUp = [&](TObject*) { ++closeUps; };
  const TRect b = c->ButtonRect();
  const TPoint onButton = Point((b.Left + b.Right) / 2, (b.Top + b.Bottom) / 2);
  Mouse(c, WM_LBUTTONDOWN, onButton, MK_LBUTTON);
  ASSERT_TRUE(c->DroppedDown());
  EXPECT_TRUE(c->Focused());
  EXPECT_TRUE(c->ButtonPressed());
  Mouse(c, WM_MOUSEMOVE, RowPoint(c, 3), MK_LBUTTON);
  EXPECT_EQ(3, c->ListBox()->ItemIndex());
  EXPECT_EQ(0, Clicks);  // a highlight is no choice
  Mouse(c, WM_LBUTTONUP, RowPoint(c, 3), 0);
  EXPECT_FALSE(c->DroppedDown());
  EXPECT_EQ(3, c->ItemIndex());
  EXPECT_EQ("Item 3", c->Text());
  EXPECT_EQ(1, Clicks);
  EXPECT_EQ(1, closeUps);
  EXPECT_FALSE(c->ButtonPressed());

  // A click opens and leaves the list open; a click on a row then chooses it.
  Mouse(c, WM_LBUTTONDOWN, onButton, MK_LBUTTON);
  Mouse(c, WM_LBUTTONUP, onButton, 0);
  ASSERT_TRUE(c->DroppedDown());
  Mouse(c, WM_MOUSEMOVE, RowPoint(c, 5), 0);
  Mouse(c, WM_LBUTTONDOWN, RowPoint(c, 5), MK_LBUTTON);
  EXPECT_TRUE(c->DroppedDown());
  Mouse(c, WM_LBUTTONUP, RowPoint(c, 5), 0);
  EXPECT_FALSE(c->DroppedDown());
  EXPECT_EQ(5, c->ItemIndex());

  // Dragged into the list and released elsewhere: cancelled.
  Mouse(c, WM_LBUTTONDOWN, onButton, MK_LBUTTON);
  Mouse(c, WM_MOUSEMOVE, RowPoint(c, 1), MK_LBUTTON);
  Mouse(c, WM_LBUTTONUP, Point(c->Width() + 60, 5), 0);
  EXPECT_FALSE(c->DroppedDown());
  EXPECT_EQ(5, c->ItemIndex());

  // The button closes an open list; so does a press anywhere else.
  Mouse(c, WM_LBUTTONDOWN, onButton, MK_LBUTTON);
  Mouse(c, WM_LBUTTONUP, onButton, 0);
  Mouse(c, WM_LBUTTONDOWN, onButton, MK_LBUTTON);
  EXPECT_FALSE(c->DroppedDown());
  Mouse(c, WM_LBUTTONUP, onButton, 0);
  Mouse(c, WM_LBUTTONDOWN, onButton, MK_LBUTTON);
  Mouse(c, WM_LBUTTONUP, onButton, 0);
  ASSERT_TRUE(c->DroppedDown());
  SimulateMouseAt(Form->ClientToScreen(Point(300, 250)), WM_LBUTTONDOWN, MK_LBUTTON);
  SimulateMouseAt(Form->ClientToScreen(Point(300, 250)), WM_LBUTTONUP, 0);
  EXPECT_FALSE(c->DroppedDown());
  EXPECT_EQ(5, c->ItemIndex());
  EXPECT_EQ(2, closeUps);
}

TEST_F(ComboBoxTest, HoldingTheButtonAboveOrBelowTheListScrollsItEvery25ms) {
  auto* c = Combo(20, 5);
  const TRect b = c->ButtonRect();
  Mouse(c, WM_LBUTTONDOWN, Point(b.Left + 4, b.Top + 4), MK_LBUTTON);
  TbsPopupListBox* l = c->ListBox();
  ASSERT_TRUE(c->DroppedDown());
  EXPECT_EQ(0, l->TopIndex());
  const TPoint below = c->ScreenToClient(Point(l->Left() + 10, l->Top() + l->Height() + 15));
  Mouse(c, WM_MOUSEMOVE, below, MK_LBUTTON);
  EXPECT_EQ(1, c->ScrollDirection());
  for (int i = 0; i < 3; ++i) c->Perform(WM_TIMER, TbsSkinCustomComboBox::ScrollTimerId, 0);
  EXPECT_EQ(3, l->TopIndex());
  EXPECT_EQ(7, l->ItemIndex());  // the bottom row is highlighted
  for (int i = 0; i < 30; ++i) c->Perform(WM_TIMER, TbsSkinCustomComboBox::ScrollTimerId, 0);
  EXPECT_EQ(15, l->TopIndex());  // not past the end
  EXPECT_EQ(19, l->ItemIndex());
  // Above the list: back up, one row a tick.
  const TPoint above = c->ScreenToClient(Point(l->Left() + 10, l->Top() - 200));
  Mouse(c, WM_MOUSEMOVE, above, MK_LBUTTON);
  EXPECT_EQ(-1, c->ScrollDirection());
  c->Perform(WM_TIMER, TbsSkinCustomComboBox::ScrollTimerId, 0);
  EXPECT_EQ(14, l->TopIndex());
  EXPECT_EQ(14, l->ItemIndex());
  // Back over the rows the scrolling stops.
  Mouse(c, WM_MOUSEMOVE, RowPoint(c, 16), MK_LBUTTON);
  EXPECT_EQ(0, c->ScrollDirection());
  c->Perform(WM_TIMER, TbsSkinCustomComboBox::ScrollTimerId, 0);
  EXPECT_EQ(14, l->TopIndex());
  Mouse(c, WM_MOUSEMOVE, RowPoint(c, 17), MK_LBUTTON);
  Mouse(c, WM_LBUTTONUP, RowPoint(c, 17), 0);
  EXPECT_EQ(17, c->ItemIndex());
  EXPECT_EQ(0, c->ScrollDirection());
}

TEST_F(ComboBoxTest, TheWheelSelectsWhenClosedAndOnlyHighlightsWhenOpen) {
  auto* c = Combo(10, 5);
  c->SetFocus();
  c->SetItemIndex(3);
  const int clicks = Clicks;
  SimulateWheel(c, 10, 10, -120);
  EXPECT_EQ(4, c->ItemIndex());
  SimulateWheel(c, 10, 10, 120);
  SimulateWheel(c, 10, 10, 120);
  EXPECT_EQ(2, c->ItemIndex());
  EXPECT_EQ(clicks + 3, Clicks);
  c->DropDown();
  SimulateWheel(c, 10, 10, -120);
  EXPECT_EQ(3, c->ListBox()->ItemIndex());
  EXPECT_EQ(clicks + 3, Clicks);
  EXPECT_EQ("Item 2", c->Text());
}

TEST_F(ComboBoxTest, LosingTheFocusClosesTheListCancelling) {
  auto* c = Combo(10, 5);
  auto* other = Combo(3, 5, 200, 20);
  c->SetFocus();
  c->SetItemIndex(1);
  c->DropDown();
  Mouse(c, WM_MOUSEMOVE, RowPoint(c, 4), 0);
  other->SetFocus();
  EXPECT_FALSE(c->DroppedDown());
  EXPECT_EQ(1, c->ItemIndex());
  EXPECT_FALSE(c->MouseCapture());
}

TEST_F(ComboBoxTest, TheListsScrollBarScrollsWithoutClosingIt) {
  auto* c = Combo(30, 6);
  c->DropDown();
  TbsPopupListBox* l = c->ListBox();
  TbsSkinScrollBar* sb = l->ScrollBar();
  ASSERT_TRUE(sb->Visible());
  // A click on the bar's lower arrow: the list scrolls a row and stays open.
  const TRect inc = sb->PartRect(TbsSkinScrollBar::IncPart);
  const TPoint arrow = c->ScreenToClient(sb->ClientToScreen(Point((inc.Left + inc.Right) / 2, (inc.Top + inc.Bottom) / 2)));
  Mouse(c, WM_LBUTTONDOWN, arrow, MK_LBUTTON);
  Mouse(c, WM_LBUTTONUP, arrow, 0);
  EXPECT_TRUE(c->DroppedDown());
  EXPECT_EQ(1, l->TopIndex());
  EXPECT_EQ(1, sb->Position());
  // Scrolling the list by keys moves the bar along.
  c->SetItemIndex(20);
  EXPECT_EQ(15, l->TopIndex());
  EXPECT_EQ(15, sb->Position());
}

TEST_F(ComboBoxTest, EmptyListsLongTextsAndTinyBoxes) {
  auto* empty = Combo(0, 5);
  int drops = 0;
  empty->OnDropDown = [&](TObject*) { ++drops; };
  empty->SetFocus();
  empty->DropDown();
  KeyPress(empty, VK_DOWN, MK_ALT);
  KeyPress(empty, VK_NEXT);
  KeyPress(empty, VK_DOWN);
  SimulateChar(empty, U'a');
  SimulateWheel(empty, 5, 5, -120);
  EXPECT_FALSE(empty->DroppedDown());
  EXPECT_EQ(0, drops);
  EXPECT_EQ(-1, empty->ItemIndex());
  EXPECT_EQ(0, Clicks);
  empty->SetItemIndex(3);
  EXPECT_EQ(-1, empty->ItemIndex());
  EXPECT_EQ("", empty->Text());

  // A text far wider than the box is cut with "..." inside the item area.
  auto* wide = Combo(0, 5, 20, 60);
  wide->Items()->Add(std::string(3000, 'W') + "终");
  wide->SetItemIndex(0);
  Pic p = Shot(wide);
  SaveArtifact(p, "combo_long_text");
  const TRect area = wide->ItemRect();
  EXPECT_EQ(RGB(255, 255, 255), p.Pixel(area.Right - 1, area.Top + 1));  // no text ran over the end
  EXPECT_EQ(Shadow, p.Pixel(wide->ButtonRect().Left, wide->ButtonRect().Top));
  wide->DropDown();
  TBitmap list;
  PaintTo(wide->ListBox(), &list);
  SaveArtifact(list, "combo_long_text_list");
  EXPECT_EQ(Shadow, list.Pixel(list.Width() - 1, 2));  // the frame survives the text

  // Boxes smaller than the button: nothing negative, nothing painted outside.
  for (TSize s : {TSize{10, 5}, TSize{1, 1}, TSize{0, 0}, TSize{19, 30}}) {
    auto* tiny = Combo(3, 5, 20, 100);
    tiny->SetBounds(20, 100, s.cx, s.cy);
    const TRect b = tiny->ButtonRect(), a = tiny->ItemRect();
    EXPECT_GE(b.Width(), 0);
    EXPECT_GE(b.Height(), 0);
    EXPECT_GE(a.Width(), 0);
    EXPECT_GE(a.Height(), 0);
    tiny->SetItemIndex(1);
    Pic t = Shot(tiny);
    EXPECT_EQ(s.cx, t.Width());
    tiny->DropDown();
    EXPECT_TRUE(tiny->DroppedDown());
    tiny->CloseUp(true);
  }
}

TEST_F(ComboBoxTest, TheEditStyleTypesTextAndStillChoosesItems) {
  auto* c = Combo(5, 5);
  c->SetStyle(bscbEditStyle);
  ASSERT_NE(nullptr, c->Edit());
  c->SetFocus();
  EXPECT_TRUE(c->Edit()->Focused());
  SimulateChar(c->Edit(), U'a');
  SimulateChar(c->Edit(), U'b');
  EXPECT_EQ("ab", c->Text());
  EXPECT_EQ(2, Changes);
  KeyPress(c->Edit(), VK_DOWN);
  EXPECT_EQ(0, c->ItemIndex());
  EXPECT_EQ("Item 0", c->Edit()->Text());
  EXPECT_EQ("Item 0", c->Text());
  KeyPress(c->Edit(), VK_DOWN, MK_ALT);
  EXPECT_TRUE(c->DroppedDown());
  KeyPress(c->Edit(), VK_DOWN);
  KeyPress(c->Edit(), VK_RETURN);
  EXPECT_FALSE(c->DroppedDown());
  EXPECT_EQ("Item 1", c->Edit()->Text());
  const TRect a = c->ItemRect();
  EXPECT_GE(c->Edit()->Left(), a.Left);
  EXPECT_LE(c->Edit()->Left() + c->Edit()->Width(), a.Right);
}

}  // namespace
