// The skin menu engine: sub-menus by delay and by click, keyboard selection and
// accelerators, Esc level by level, scrolling of tall menus, closing by clicks outside,
// the messages to the opening control, and bad input.
#include "framework/controls/Button.h"
#include "framework/menus/MenuItem.h"
#include "skin/data/SkinMessages.h"
#include "skin/draw/SkinGeometry.h"
#include "skin/form/SkinMenuItem.h"
#include "skin/form/SkinPopupMenu.h"
#include "tests/skin/form/gui/SkinFormTestSupport.h"

using namespace sftest;

namespace {
class SkinMenuTest : public FormFixture {
 protected:
  void SetUp() override {
    FormFixture::SetUp();
    menu = new TbsSkinPopupMenu(form);
  }
  TMenuItem* Add(TMenuItem* parent, const std::string& caption, bool enabled = true) {
    auto* i = new TMenuItem(menu);
    i->SetCaption(caption);
    i->SetEnabled(enabled);
    i->OnClick = [this, caption](TObject*) { clicked.push_back(caption); };
    parent->Add(i);
    return i;
  }
  TbsSkinPopupWindow* Open(int x = 300, int y = 300) {
    menu->Popup(x, y);
    return Level(0);
  }
  TPoint Centre(TbsSkinPopupWindow* w, int index) {
    const TRect r = w->Items(index)->ItemRect;
    return Point((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
  }
  TbsSkinPopupMenu* menu = nullptr;
  std::vector<std::string> clicked;
};
}  // namespace

TEST_F(SkinMenuTest, SubMenuOpensAfterTheDelayOrAtOnceOnClickAndClosesOnAPlainItem) {
  TMenuItem* file = Add(menu->Items(), "&File");
  Add(file, "&Open");
  Add(file, "&Save");
  Add(menu->Items(), "&Edit");
  TbsSkinPopupWindow* w = Open();
  ASSERT_TRUE(w);
  ASSERT_TRUE(w->Items(0)->KeyboardSelected);
  // Keyboard selection opens nothing.
  EXPECT_FALSE(Menu()->SubMenuTimer()->Enabled());
  // The mouse on the same item takes it over and arms the 500 ms delay.
  HoverWindow(w, Centre(w, 0));
  EXPECT_FALSE(w->Items(0)->KeyboardSelected);
  EXPECT_TRUE(Menu()->SubMenuTimer()->Enabled());
  EXPECT_EQ(500u, Menu()->SubMenuTimer()->Interval());
  EXPECT_EQ(1, Menu()->LevelCount());
  Tick(Menu()->SubMenuTimer());
  ASSERT_EQ(2, Menu()->LevelCount());
  EXPECT_TRUE(w->Items(0)->SubMenuOpen);
  TbsSkinPopupWindow* sub = Level(1);
  const TRect anchor = w->ItemScreenRect(0);
  EXPECT_EQ(anchor.Right + 1, sub->Left());
  EXPECT_EQ(anchor.Top - sub->ItemsRect().Top, sub->Top());
  EXPECT_EQ(2, sub->ItemCount());
  // A plain item of the parent level closes the sub-menu at once.
  HoverWindow(w, Centre(w, 1));
  EXPECT_EQ(1, Menu()->LevelCount());
  EXPECT_FALSE(w->Items(0)->SubMenuOpen);
  EXPECT_TRUE(w->Items(1)->Active);
  // A click opens it without waiting.
  const TPoint c = Centre(w, 0);
  SimulateMouse(w, WM_MOUSEMOVE, c.X, c.Y);
  SimulateMouse(w, WM_LBUTTONDOWN, c.X, c.Y, MK_LBUTTON);
  SimulateMouse(w, WM_LBUTTONUP, c.X, c.Y);
  ASSERT_EQ(2, Menu()->LevelCount());
  EXPECT_FALSE(Menu()->SubMenuTimer()->Enabled());
  // The item's command runs before its sub-menu opens, by the delay and by the click.
  EXPECT_EQ((std::vector<std::string>{"&File", "&File"}), clicked);
  // Clicking a sub-item closes everything and runs it.
  int closed = 0;
  skinForm->OnSkinMenuClose = [&](TObject*) { ++closed; };
  sub = Level(1);
  const TPoint s = Centre(sub, 1);
  SimulateMouse(sub, WM_LBUTTONDOWN, s.X, s.Y, MK_LBUTTON);
  SimulateMouse(sub, WM_LBUTTONUP, s.X, s.Y);
  EXPECT_EQ(0, Menu()->LevelCount());
  EXPECT_FALSE(skinForm->MenuOpen());
  EXPECT_EQ(1, closed);
  ASSERT_EQ(3u, clicked.size());
  EXPECT_EQ("&Save", clicked[2]);
  EXPECT_FALSE(Application->OnMessage);
}

TEST_F(SkinMenuTest, ArrowsSkipSeparatorsAndDisabledItemsAndWrap) {
  Add(menu->Items(), "-");
  Add(menu->Items(), "Off", false);
  Add(menu->Items(), "&Alpha");
  Add(menu->Items(), "-");
  Add(menu->Items(), "&Beta");
  Add(menu->Items(), "Off too", false);
  TbsSkinPopupWindow* w = Open();
  ASSERT_TRUE(w);
  EXPECT_EQ(2, w->ActiveIndex());
  Key(VK_DOWN);
  EXPECT_EQ(4, w->ActiveIndex());
  EXPECT_TRUE(w->Items(4)->Active);
  EXPECT_FALSE(w->Items(2)->Active);
  // From the last selectable item the search runs to the end and finds nothing.
  Key(VK_DOWN);
  EXPECT_EQ(4, w->ActiveIndex());
  Key(VK_UP);
  EXPECT_EQ(2, w->ActiveIndex());
  // Up from the first selectable item finds nothing above it either.
  Key(VK_UP);
  EXPECT_EQ(2, w->ActiveIndex());
  EXPECT_EQ(1, Menu()->LevelCount());
}

TEST_F(SkinMenuTest, DownOnTheLastItemWrapsToTheFirstSelectable) {
  Add(menu->Items(), "-");
  Add(menu->Items(), "&One");
  Add(menu->Items(), "Off", false);
  Add(menu->Items(), "&Two");
  TbsSkinPopupWindow* w = Open();
  ASSERT_TRUE(w);
  EXPECT_EQ(1, w->ActiveIndex());
  Key(VK_DOWN);
  EXPECT_EQ(3, w->ActiveIndex());
  Key(VK_DOWN);
  EXPECT_EQ(1, w->ActiveIndex());
  EXPECT_TRUE(w->Items(1)->Active && w->Items(1)->KeyboardSelected);
  EXPECT_FALSE(w->Items(3)->Active);
  // Up searches backward from the item before the active one; the separator above
  // "&One" ends that search and the selection stays.
  Key(VK_UP);
  EXPECT_EQ(1, w->ActiveIndex());
  Key(VK_RETURN);
  ASSERT_EQ(1u, clicked.size());
  EXPECT_EQ("&One", clicked[0]);
  EXPECT_EQ(0, Menu()->LevelCount());
}

TEST_F(SkinMenuTest, AcceleratorSelectsAndActivatesItsItem) {
  Add(menu->Items(), "&Alpha");
  Add(menu->Items(), "Be&ta");
  Add(menu->Items(), "&Gamma");
  ASSERT_TRUE(Open());
  Type(U"t");
  EXPECT_EQ(0, Menu()->LevelCount());
  ASSERT_EQ(1u, clicked.size());
  EXPECT_EQ("Be&ta", clicked[0]);
  // A key that is no accelerator changes nothing.
  TbsSkinPopupWindow* w = Open();
  Type(U"q");
  EXPECT_EQ(1, Menu()->LevelCount());
  EXPECT_EQ(0, w->ActiveIndex());
  EXPECT_EQ(1u, clicked.size());
}

TEST_F(SkinMenuTest, AnyTypedCharacterAnswersTheItemItMarks) {
  // Letters of any script, in either case, digits and marks.
  const struct {
    const char* caption;
    std::u32string typed;
  } cases[] = {{"&Über", U"ü"}, {"&über", U"Ü"}, {"Größe &ändern", U"Ä"}, {"&Жанр", U"ж"},
               {"Zoom &+", U"+"}, {"&É", U"é"},  {"Part &2", U"2"}};
  for (const auto& c : cases) {
    menu->Items()->Clear();
    clicked.clear();
    Add(menu->Items(), "&Other");
    Add(menu->Items(), c.caption);
    ASSERT_TRUE(Open());
    Type(c.typed);
    EXPECT_EQ(0, Menu()->LevelCount()) << c.caption;
    ASSERT_EQ(1u, clicked.size()) << c.caption;
    EXPECT_EQ(c.caption, clicked[0]);
  }
}

TEST_F(SkinMenuTest, EscClosesOneLevelAtATimeAndTheLastFiresTheCloseEvent) {
  TMenuItem* more = Add(menu->Items(), "&More");
  Add(more, "&Inner");
  Add(menu->Items(), "&Plain");
  int closed = 0;
  skinForm->OnSkinMenuClose = [&](TObject*) { ++closed; };
  TbsSkinPopupWindow* w = Open();
  Key(VK_RIGHT);
  ASSERT_EQ(2, Menu()->LevelCount());
  EXPECT_TRUE(w->Items(0)->SubMenuOpen);
  Key(VK_ESCAPE);
  EXPECT_EQ(1, Menu()->LevelCount());
  EXPECT_FALSE(w->Items(0)->SubMenuOpen);
  EXPECT_EQ(0, closed);
  // Right opens it again, Left closes it.
  Key(VK_RIGHT);
  EXPECT_EQ(2, Menu()->LevelCount());
  Key(VK_LEFT);
  EXPECT_EQ(1, Menu()->LevelCount());
  Key(VK_LEFT);  // never the last level
  EXPECT_EQ(1, Menu()->LevelCount());
  Key(VK_ESCAPE);
  EXPECT_EQ(0, Menu()->LevelCount());
  EXPECT_EQ(1, closed);
  EXPECT_FALSE(skinForm->MenuOpen());
  EXPECT_FALSE(Application->OnMessage);
  // Only the sub-menu item's own command ran (once per opening), nothing was chosen.
  EXPECT_EQ((std::vector<std::string>{"&More", "&More"}), clicked);
}

TEST_F(SkinMenuTest, MenuTallerThanTheWorkAreaScrollsOneItemPerTick) {
  for (int i = 0; i < 80; ++i) Add(menu->Items(), "Item " + std::to_string(i));
  TbsSkinPopupWindow* w = Open();
  ASSERT_TRUE(w);
  const TRect wa = Menu()->WorkArea();
  ASSERT_TRUE(w->Scrolling());
  EXPECT_EQ(wa.Height(), w->Height());
  EXPECT_EQ(wa.Top, w->Top());
  EXPECT_EQ(0, w->FirstVisible());
  // The keyboard scrolls along: Up from the first item jumps to the last, Down from
  // the last back to the first.
  Key(VK_UP);
  EXPECT_EQ(79, w->ActiveIndex());
  EXPECT_TRUE(w->Items(79)->VisibleInWindow);
  EXPECT_FALSE(w->Items(0)->VisibleInWindow);
  Key(VK_DOWN);
  EXPECT_EQ(0, w->ActiveIndex());
  EXPECT_TRUE(w->Items(0)->VisibleInWindow);
  EXPECT_EQ(0, w->FirstVisible());
  // Items start 10 pixels below the items rectangle; the last visible one ends above
  // the bottom zone.
  EXPECT_EQ(w->ItemsRect().Top + 10, w->Items(0)->ItemRect.Top);
  int lastVisible = -1;
  for (int i = 0; i < w->ItemCount(); ++i)
    if (w->Items(i)->VisibleInWindow) lastVisible = i;
  ASSERT_GT(lastVisible, 5);
  EXPECT_LE(w->Items(lastVisible)->ItemRect.Bottom, w->ItemsRect().Bottom - 10);
  // Resting on the bottom zone scrolls down, one item per 100 ms tick.
  HoverWindow(w, Point(w->Width() / 2, w->ItemsRect().Bottom - 4));
  EXPECT_EQ(2, w->ScrollState());
  TickWindow(w, TbsSkinPopupWindow::ScrollTimerId);
  EXPECT_EQ(1, w->FirstVisible());
  TickWindow(w, TbsSkinPopupWindow::ScrollTimerId);
  EXPECT_EQ(2, w->FirstVisible());
  EXPECT_FALSE(w->Items(1)->VisibleInWindow);
  EXPECT_EQ(w->ItemsRect().Top + 10, w->Items(2)->ItemRect.Top);
  Shot(w, "skin_form_menu_scrolling");
  // Leaving the zone stops; the top zone scrolls back.
  HoverWindow(w, Point(w->Width() / 2, w->Height() / 2));
  EXPECT_EQ(0, w->ScrollState());
  TickWindow(w, TbsSkinPopupWindow::ScrollTimerId);
  EXPECT_EQ(2, w->FirstVisible());
  HoverWindow(w, Point(w->Width() / 2, w->ItemsRect().Top + 3));
  EXPECT_EQ(1, w->ScrollState());
  TickWindow(w, TbsSkinPopupWindow::ScrollTimerId);
  TickWindow(w, TbsSkinPopupWindow::ScrollTimerId);
  EXPECT_EQ(0, w->FirstVisible());
  TickWindow(w, TbsSkinPopupWindow::ScrollTimerId);
  EXPECT_EQ(0, w->ScrollState());
}

TEST_F(SkinMenuTest, PressOutsideTheMenuClosesIt) {
  Add(menu->Items(), "&Alpha");
  int closed = 0;
  skinForm->OnSkinMenuClose = [&](TObject*) { ++closed; };
  ASSERT_TRUE(Open());
  // In the form's client area.
  SimulateMouse(form, WM_LBUTTONDOWN, 20, 20, MK_LBUTTON);
  SimulateMouse(form, WM_LBUTTONUP, 20, 20);
  EXPECT_EQ(0, Menu()->LevelCount());
  EXPECT_EQ(1, closed);
  // On a button of the form.
  auto* button = new TButton(form);
  button->SetParent(form);
  button->SetBounds(10, 40, 80, 24);
  ASSERT_TRUE(Open());
  SimulateMouse(button, WM_LBUTTONDOWN, 5, 5, MK_LBUTTON);
  SimulateMouse(button, WM_LBUTTONUP, 5, 5);
  EXPECT_EQ(0, Menu()->LevelCount());
  EXPECT_EQ(2, closed);
  // In another window of the program.
  TForm other(nullptr);
  other.SetBounds(700, 100, 200, 150);
  other.Show();
  ASSERT_TRUE(Open(300, 300));
  SimulateMouse(&other, WM_LBUTTONDOWN, 30, 30, MK_LBUTTON);
  SimulateMouse(&other, WM_LBUTTONUP, 30, 30);
  EXPECT_EQ(0, Menu()->LevelCount());
  EXPECT_EQ(3, closed);
  // A press on the menu itself does not.
  TbsSkinPopupWindow* w = Open();
  SimulateMouse(w, WM_LBUTTONDOWN, 1, 1, MK_LBUTTON);
  SimulateMouse(w, WM_LBUTTONUP, 1, 1);
  EXPECT_EQ(1, Menu()->LevelCount());
}

TEST_F(SkinMenuTest, PopupWindowsNeverTakeTheFocusOrTheActivationNorCaptureTheMouse) {
  auto* button = new TButton(form);
  button->SetParent(form);
  button->SetBounds(10, 40, 80, 24);
  button->SetFocus();
  testsupport::Pump(10);
  const HWND focus = GetFocus();
  const HWND active = GetActiveWindow();
  ASSERT_EQ(button->HandleValue(), focus);
  Add(menu->Items(), "&Alpha");
  Add(menu->Items(), "&Beta");
  TbsSkinPopupWindow* w = Open();
  ASSERT_TRUE(w);
  testsupport::Pump(30);
  EXPECT_EQ(focus, GetFocus());
  EXPECT_EQ(active, GetActiveWindow());
  EXPECT_NE(w->HandleValue(), GetActiveWindow());
  // Whatever the window system did with the activation meanwhile, the menu is still open.
  ASSERT_EQ(1, Menu()->LevelCount());
  EXPECT_EQ(3, SendMessage(w->HandleValue(), WM_MOUSEACTIVATE, form->HandleValue(), 0));  // MA_NOACTIVATE
  EXPECT_TRUE(w->ExStyle() & WS_EX_NOACTIVATE);
  EXPECT_TRUE(w->ExStyle() & WS_EX_TOPMOST);
  SimulateMouse(w, WM_LBUTTONDOWN, 1, 1, MK_LBUTTON);
  EXPECT_EQ(HWND(0), GetCapture());
  SimulateMouse(w, WM_LBUTTONUP, 1, 1);
  EXPECT_EQ(1, Menu()->LevelCount());
  EXPECT_EQ(focus, GetFocus());
  // Keys still reach the menu while the button keeps the focus.
  SimulateKey(button, WM_KEYDOWN, VK_DOWN);
  EXPECT_EQ(1, w->ActiveIndex());
  // Activation and focus moving to the menu's own window do not close it; moving
  // anywhere else does.
  SendMessage(form->HandleValue(), WM_KILLFOCUS, w->HandleValue(), 0);
  EXPECT_EQ(1, Menu()->LevelCount());
  SendMessage(form->HandleValue(), WM_CANCELMODE, 0, 0);
  EXPECT_EQ(0, Menu()->LevelCount());
}

TEST_F(SkinMenuTest, OpeningControlHearsTheCommandAndTheClosing) {
  Add(menu->Items(), "&Alpha");
  auto* button = new TButton(form);
  button->SetParent(form);
  std::vector<UINT> heard;
  TWndMethod saved = button->WindowProc;
  button->WindowProc = [&heard, saved](TMessage& m) {
    if (m.Msg == SKINMSG_MENUCLOSED || m.Msg == SKINMSG_MENUCOMMAND) heard.push_back(m.Msg);
    saved(m);
  };
  // Without any skin data a control's popup shows nothing.
  menu->PopupFromControl(button, 300, 300);
  EXPECT_EQ(0, Menu()->LevelCount());
  EXPECT_FALSE(Application->OnMessage);
  TbsSkinData empty(nullptr);
  menu->SetSkinData(&empty);
  menu->PopupFromControl(button, 300, 300);
  ASSERT_EQ(1, Menu()->LevelCount());
  EXPECT_EQ(button, Menu()->Opener());
  Key(VK_RETURN);
  ASSERT_EQ(2u, heard.size());
  EXPECT_EQ(SKINMSG_MENUCLOSED, heard[0]);
  EXPECT_EQ(SKINMSG_MENUCOMMAND, heard[1]);
  EXPECT_EQ(1u, clicked.size());
  button->WindowProc = saved;
}

TEST_F(SkinMenuTest, DestroyingTheFormWithItsMenuOpenLeavesTheProgramRunning) {
  TMenuItem* sub = Add(menu->Items(), "&More");
  Add(sub, "&Inner");
  TbsSkinPopupWindow* w = Open();
  Key(VK_RIGHT);
  ASSERT_EQ(2, Menu()->LevelCount());
  const HWND h0 = w->HandleValue();
  delete form;
  form = nullptr;
  EXPECT_FALSE(Application->OnMessage);
  testsupport::Pump(120);  // timers of the closed windows must not fire into freed objects
  EXPECT_FALSE(IsWindow(h0));
  // The program goes on: another form gets its menu.
  form = new TForm(nullptr);
  form->SetBounds(100, 100, 200, 120);
  skinForm = new TbsSkinForm(form);
  form->Show();
  skinForm->SetAlwaysDrawAsActive(true);
  menu = new TbsSkinPopupMenu(form);
  Add(menu->Items(), "&Again");
  ASSERT_TRUE(Open());
  Key(VK_RETURN);
  EXPECT_EQ((std::vector<std::string>{"&More", "&Again"}), clicked);
}

TEST_F(SkinMenuTest, ClosingFromInsideItsOwnClickHandlerIsSafe) {
  TMenuItem* item = Add(menu->Items(), "&Close the form");
  item->OnClick = [this](TObject*) {
    clicked.push_back("close");
    form->Release();
  };
  TbsSkinPopupWindow* w = Open();
  const TPoint c = Centre(w, 0);
  SimulateMouse(w, WM_LBUTTONDOWN, c.X, c.Y, MK_LBUTTON);
  SimulateMouse(w, WM_LBUTTONUP, c.X, c.Y);
  testsupport::Pump(50);
  EXPECT_EQ(1u, clicked.size());
  form = nullptr;  // released
}

// ---- bad input ------------------------------------------------------------------------

TEST_F(SkinMenuTest, MenuWithoutVisibleItemsShowsNothing) {
  TMenuItem* a = Add(menu->Items(), "&Hidden");
  a->SetVisible(false);
  int opened = 0, closed = 0;
  skinForm->OnSkinMenuOpen = [&](TObject*) { ++opened; };
  skinForm->OnSkinMenuClose = [&](TObject*) { ++closed; };
  menu->Popup(300, 300);
  EXPECT_EQ(0, Menu()->LevelCount());
  EXPECT_FALSE(skinForm->MenuOpen());
  EXPECT_FALSE(Menu()->MenuOpen());
  EXPECT_EQ(opened, closed);
  EXPECT_FALSE(Application->OnMessage);
  // An empty menu, and a sub-menu whose items are all hidden.
  menu->Items()->Clear();
  menu->Popup(300, 300);
  EXPECT_EQ(0, Menu()->LevelCount());
  TMenuItem* sub = Add(menu->Items(), "&Sub");
  Add(sub, "&Gone")->SetVisible(false);
  TbsSkinPopupWindow* w = Open();
  ASSERT_TRUE(w);
  Key(VK_RIGHT);
  EXPECT_EQ(1, Menu()->LevelCount());
  EXPECT_FALSE(w->Items(0)->SubMenuOpen);
  Key(VK_RETURN);
  EXPECT_EQ(1, Menu()->LevelCount());
}

TEST_F(SkinMenuTest, ItemsWithEmptyCaptionsAreRowsLikeAnyOther) {
  Add(menu->Items(), "");
  Add(menu->Items(), "");
  TbsSkinPopupWindow* w = Open();
  ASSERT_TRUE(w);
  EXPECT_EQ(44, w->Height());
  EXPECT_GE(w->Width(), 19 + 19 + 10);
  Key(VK_DOWN);
  EXPECT_EQ(1, w->ActiveIndex());
  Key(VK_RETURN);
  EXPECT_EQ(1u, clicked.size());
}

TEST_F(SkinMenuTest, SkinWithoutMenuRecordsGivesTheDefaultLook) {
  TbsSkinData bare(nullptr);
  bare.SkinEmpty = false;  // a skin with no popup-window picture and no menu-item record
  skinForm->SetMenusSkinData(&bare);
  Add(menu->Items(), "&Alpha");
  Add(menu->Items(), "-");
  TbsSkinPopupWindow* w = Open();
  ASSERT_TRUE(w);
  EXPECT_FALSE(w->Skinned());
  EXPECT_EQ(20 + 4 + 4, w->Height());
  TBitmap shot;
  PaintTo(w, &shot);
  EXPECT_EQ(ColorToRGB(clBtnShadow), shot.Pixel(0, 0));
  EXPECT_EQ(clNavy, shot.Pixel(2, 2));
  Key(VK_ESCAPE);
  // A popup window record whose picture index is out of range: default look as well.
  bare.PopupRecord->windowpictureindex = 7;
  w = Open();
  ASSERT_TRUE(w);
  EXPECT_FALSE(w->Skinned());
  Key(VK_ESCAPE);
  // The Slate window without its menu-item record: skinned window, default rows.
  TbsSkinData slate(nullptr);
  ASSERT_TRUE(LoadSlate(slate));
  const int mi = slate.FindObjectIndex("menuitem");
  ASSERT_GE(mi, 0);
  slate.ObjectRecords.erase(slate.ObjectRecords.begin() + mi);
  skinForm->SetMenusSkinData(&slate);
  w = Open();
  ASSERT_TRUE(w);
  EXPECT_TRUE(w->Skinned());
  EXPECT_EQ(nullptr, w->ItemRecord());
  EXPECT_EQ(20, RectHeight(w->Items(0)->ItemRect));
  EXPECT_EQ(4, RectHeight(w->Items(1)->ItemRect));
  Shot(w, "skin_form_menu_slate_without_item_record");
}

TEST_F(SkinMenuTest, SubMenuLoopsAreRefusedAndDeepMenusCloseLevelByLevel) {
  TMenuItem* top = Add(menu->Items(), "&Deep");
  TMenuItem* level = top;
  for (int i = 0; i < 12; ++i) level = Add(level, "&Level " + std::to_string(i));
  Add(level, "&Bottom");
  // A loop cannot be built: the model refuses to hang an item under itself.
  EXPECT_THROW(level->Add(top), EMenuError);
  EXPECT_THROW(top->Add(top), EMenuError);
  ASSERT_TRUE(Open());
  for (int i = 0; i < 13; ++i) Key(VK_RIGHT);
  EXPECT_EQ(14, Menu()->LevelCount());
  for (int i = 0; i < 14; ++i) {
    TbsSkinPopupWindow* w = Level(i);
    const TRect wa = Menu()->WorkArea();
    EXPECT_GE(w->Left(), wa.Left);
    EXPECT_LE(w->Left() + w->Width(), wa.Right);
  }
  for (int i = 14; i > 0; --i) {
    EXPECT_EQ(i, Menu()->LevelCount());
    Key(VK_ESCAPE);
  }
  EXPECT_EQ(0, Menu()->LevelCount());
  EXPECT_FALSE(Application->OnMessage);
}

TEST_F(SkinMenuTest, MenusStayInsideTheWorkAreaAndTakeTheirAlpha) {
  for (int i = 0; i < 4; ++i) Add(menu->Items(), "Entry " + std::to_string(i));
  TbsSkinPopupWindow* w = Open(300, 300);
  ASSERT_TRUE(w);
  const TRect wa = Menu()->WorkArea();
  ASSERT_GT(wa.Height(), 200);
  // Room below and to the right: the top-left corner at the point.
  EXPECT_EQ(300, w->Left());
  EXPECT_EQ(300, w->Top());
  Key(VK_ESCAPE);
  // At the bottom-right corner: above the point and pulled left into the work area.
  const TPoint p = Point(wa.Right - 5, wa.Bottom - 5);
  w = Open(p.X, p.Y);
  ASSERT_TRUE(w);
  EXPECT_EQ(p.Y - w->Height(), w->Top());
  EXPECT_EQ(wa.Right - w->Width(), w->Left());
  EXPECT_FALSE(w->Displaced());
  // A sub-menu beside an item near the right edge opens to the left of it.
  Key(VK_ESCAPE);
  menu->Items()->Clear();
  TMenuItem* sub = Add(menu->Items(), "&Sub");
  Add(sub, "&Inner");
  w = Open(wa.Right - 5, wa.Top + 10);
  Key(VK_RIGHT);
  ASSERT_EQ(2, Menu()->LevelCount());
  const TRect item = w->ItemScreenRect(0);
  EXPECT_EQ(item.Left - Level(1)->Width() - 1, Level(1)->Left());
  Key(VK_ESCAPE);
  Key(VK_ESCAPE);
  // Menu alpha: layered windows with the menu alpha value, faded in or at once.
  skinForm->SetMenusAlphaBlend(true);
  skinForm->SetMenusAlphaBlendValue(180);
  w = Open();
  ASSERT_TRUE(w);
  EXPECT_EQ(180, Menu()->AlphaBlendValue());
  if (LayeredWindowsSupported()) EXPECT_TRUE(GetWindowLong(w->HandleValue(), GWL_EXSTYLE) & LONG(WS_EX_LAYERED));
  Key(VK_ESCAPE);
  skinForm->SetMenusAlphaBlendAnimation(true);
  w = Open();
  ASSERT_TRUE(w);
  EXPECT_EQ(1, Menu()->LevelCount());
  EXPECT_TRUE(w->Items(0)->Active);
}

// A menu owned away from any form finds the skin form through the form it names, and
// forgets that form when it goes.
TEST_F(SkinMenuTest, AMenuOwnedElsewhereFindsTheSkinFormOfItsComponentForm) {
  TComponent elsewhere(nullptr);
  auto* loose = new TbsSkinPopupMenu(&elsewhere);
  EXPECT_EQ(nullptr, loose->FindSkinForm());
  loose->SetComponentForm(form);
  EXPECT_EQ(skinForm, loose->FindSkinForm());
  delete form;
  form = nullptr;
  EXPECT_EQ(nullptr, loose->ComponentForm());
  EXPECT_EQ(nullptr, loose->FindSkinForm());
}

TEST_F(SkinMenuTest, ContextMenusOfControlsOpenThroughTheSkinMenu) {
  auto* plain = new TPopupMenu(form);
  auto* item = new TMenuItem(plain);
  item->SetCaption("&Plain");
  int clicks = 0;
  item->OnClick = [&](TObject*) { ++clicks; };
  plain->Items()->Add(item);
  auto* button = new TButton(form);
  button->SetParent(form);
  button->SetBounds(10, 40, 80, 24);
  button->SetPopupMenu(plain);
  SimulateMouse(button, WM_RBUTTONDOWN, 5, 5, MK_RBUTTON);
  SimulateMouse(button, WM_RBUTTONUP, 5, 5);
  ASSERT_EQ(1, Menu()->LevelCount());
  EXPECT_EQ(button, Menu()->Opener());
  EXPECT_EQ("&Plain", Level(0)->Items(0)->MenuItem()->Caption());
  Type(U"p");
  EXPECT_EQ(1, clicks);
  EXPECT_EQ(0, Menu()->LevelCount());
  // A skin popup menu on a control goes the same way.
  Add(menu->Items(), "&Skinned");
  button->SetPopupMenu(menu);
  SimulateMouse(button, WM_RBUTTONDOWN, 5, 5, MK_RBUTTON);
  SimulateMouse(button, WM_RBUTTONUP, 5, 5);
  ASSERT_EQ(1, Menu()->LevelCount());
  EXPECT_EQ("&Skinned", Level(0)->Items(0)->MenuItem()->Caption());
}
