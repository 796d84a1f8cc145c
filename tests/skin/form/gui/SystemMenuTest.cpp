// The system menu of a skinned form: opened by a right click on the caption, its rows,
// its first item selected from the keyboard, its default and skinned looks.
#include "framework/graphics/Canvas.h"
#include "framework/menus/MenuItem.h"
#include "skin/data/ResourceStrData.h"
#include "skin/draw/SkinGeometry.h"
#include "skin/form/SkinMenuItem.h"
#include "tests/skin/form/gui/SkinFormTestSupport.h"

using namespace sftest;

namespace {
class SystemMenu : public FormFixture {};

void ExpectRows(TbsSkinPopupWindow* w, std::vector<int> heights) {
  ASSERT_EQ(int(heights.size()), w->ItemCount());
  int y = w->ItemsRect().Top;
  for (int i = 0; i < w->ItemCount(); ++i) {
    const TRect r = w->Items(i)->ItemRect;
    EXPECT_EQ(heights[size_t(i)], RectHeight(r)) << "row " << i;
    EXPECT_EQ(y, r.Top) << "row " << i;
    y = r.Bottom;
  }
}

int CountColor(const TBitmap& b, const TRect& r, TColor c) {
  int n = 0;
  for (int y = r.Top; y < r.Bottom; ++y)
    for (int x = r.Left; x < r.Right; ++x) n += b.Pixel(x, y) == c;
  return n;
}
}  // namespace

TEST_F(SystemMenu, RightClickOnCaptionOpensFourRowsWithFirstItemKeyboardSelected) {
  int opened = 0;
  skinForm->OnSkinMenuOpen = [&](TObject*) { ++opened; };
  TPoint cursor;
  RightClickCaption(100, 10);
  GetCursorPos(cursor);
  ASSERT_EQ(1, Menu()->LevelCount());
  EXPECT_EQ(1, opened);
  EXPECT_TRUE(skinForm->MenuOpen());
  TbsSkinPopupWindow* w = Level(0);
  EXPECT_TRUE(IsWindowVisible(w->HandleValue()));
  EXPECT_EQ(68, w->Height());
  ExpectRows(w, {20, 20, 4, 20});
  EXPECT_EQ("Mi&nimize", w->Items(0)->MenuItem()->Caption());
  EXPECT_EQ("Ro&llUp", w->Items(1)->MenuItem()->Caption());
  EXPECT_TRUE(w->Items(2)->IsSeparator());
  EXPECT_EQ("&Close", w->Items(3)->MenuItem()->Caption());
  EXPECT_EQ("Alt+F4", ShortCutToText(w->Items(3)->MenuItem()->ShortCut()));
  EXPECT_EQ(0, w->ActiveIndex());
  EXPECT_TRUE(w->Items(0)->Active);
  EXPECT_TRUE(w->Items(0)->KeyboardSelected);
  EXPECT_FALSE(w->Items(1)->Active);
  // Opened at the cursor, below and to the right of it.
  EXPECT_EQ(cursor.X, w->Left());
  EXPECT_EQ(cursor.Y, w->Top());
  // A poll without any movement keeps the keyboard selection.
  TickWindow(w, TbsSkinPopupWindow::MouseTimerId);
  EXPECT_TRUE(w->Items(0)->KeyboardSelected);

  TBitmap shot;
  PaintTo(w, &shot);
  Save(shot, "skin_form_system_menu_default");
  // Border: shadow ring, then window ring; the glyph column face at the left.
  EXPECT_EQ(ColorToRGB(clBtnShadow), shot.Pixel(0, 30));
  EXPECT_EQ(ColorToRGB(clWindow), shot.Pixel(1, 30));
  EXPECT_EQ(ColorToRGB(clBtnShadow), shot.Pixel(w->Width() - 1, 67));
  // Row 0 highlighted: navy frame, hot fill.
  const TRect r0 = w->Items(0)->ItemRect;
  EXPECT_EQ(clNavy, shot.Pixel(r0.Left, r0.Top));
  EXPECT_EQ(clNavy, shot.Pixel(r0.Right - 1, r0.Bottom - 1));
  EXPECT_EQ(TColor(0xD2BDB6), shot.Pixel(r0.Left + 1, r0.Top + 1));
  // Row 1 plain: glyph column in button face, the rest window colour.
  const TRect r1 = w->Items(1)->ItemRect;
  EXPECT_EQ(ColorToRGB(clBtnFace), shot.Pixel(r1.Left + 1, r1.Top + 1));
  EXPECT_EQ(ColorToRGB(clWindow), shot.Pixel(r1.Right - 3, r1.Top + 1));
  EXPECT_GT(CountColor(shot, Rect(r1.Left + 19, r1.Top, r1.Right - 19, r1.Bottom), ColorToRGB(clWindowText)), 10);
  // The separator: one shadow line at half its height from the glyph column on.
  const TRect r2 = w->Items(2)->ItemRect;
  EXPECT_EQ(ColorToRGB(clBtnShadow), shot.Pixel(r2.Left + 19, r2.Top + 2));
  EXPECT_EQ(ColorToRGB(clBtnShadow), shot.Pixel(r2.Right - 1, r2.Top + 2));
  EXPECT_EQ(ColorToRGB(clBtnFace), shot.Pixel(r2.Left + 5, r2.Top + 2));
  EXPECT_EQ(ColorToRGB(clWindow), shot.Pixel(r2.Left + 30, r2.Top + 1));
  // The close glyph of "&Close" at (4, middle - 4) of its row: its first stroke pixel.
  const TRect r3 = w->Items(3)->ItemRect;
  const int middle = r3.Top + 2 + (RectHeight(r3) - 4) / 2;
  EXPECT_EQ(ColorToRGB(clWindowText), shot.Pixel(r3.Left + 5, middle - 3));
  // The shortcut ends 19 pixels before the inner right edge.
  const TRect sc = Rect(r3.Right - 2 - 19 - 40, r3.Top, r3.Right - 2 - 19, r3.Bottom);
  EXPECT_GT(CountColor(shot, sc, ColorToRGB(clWindowText)), 10);
  EXPECT_EQ(0, CountColor(shot, Rect(r3.Right - 2 - 18, r3.Top, r3.Right, r3.Bottom), ColorToRGB(clWindowText)));
}

TEST_F(SystemMenu, RolledUpFormOffersRestore) {
  skinForm->SetRollUpState(true);
  EXPECT_EQ(25, form->Height());
  RightClickCaption();
  ASSERT_EQ(1, Menu()->LevelCount());
  TbsSkinPopupWindow* w = Level(0);
  ASSERT_EQ(4, w->ItemCount());
  EXPECT_EQ("Mi&nimize", w->Items(0)->MenuItem()->Caption());
  EXPECT_EQ("&Restore", w->Items(1)->MenuItem()->Caption());
  // The accelerator of "&Restore" unrolls the form and closes the menu.
  Type(U"r");
  EXPECT_EQ(0, Menu()->LevelCount());
  EXPECT_FALSE(skinForm->RollUpState());
  EXPECT_EQ(200, form->Height());
}

TEST_F(SystemMenu, SkinnedLookIsBuiltFromThePopupAndMenuItemRecords) {
  TbsSkinData data(nullptr);
  ASSERT_TRUE(LoadSlate(data));
  skinForm->SetMenusSkinData(&data);
  RightClickCaption();
  ASSERT_EQ(1, Menu()->LevelCount());
  TbsSkinPopupWindow* w = Level(0);
  ASSERT_TRUE(w->Skinned());
  const TbsDataSkinPopupWindow& pr = *data.PopupRecord;
  const TBitmap& pic = *data.PictureList[size_t(pr.windowpictureindex)];
  auto* ir = dynamic_cast<TbsDataSkinMenuItem*>(data.ObjectRecords[size_t(data.FindObjectIndex("menuitem"))].get());
  ASSERT_TRUE(ir);
  ASSERT_TRUE(w->ItemRecord() == ir);
  // Rows take the record's image heights; the frame adds the picture's margins.
  const int rh = RectHeight(ir->skinrect), dh = RectHeight(ir->dividerrect);
  ExpectRows(w, {rh, rh, dh, rh});
  EXPECT_EQ(3 * rh + dh + pic.Height() - RectHeight(pr.itemsrect), w->Height());

  // The highlighted row morphs toward its active image on the window's 20 ms timer.
  if (ir->morphing) {
    EXPECT_DOUBLE_EQ(0.0, w->Items(0)->MorphKf);
    for (int i = 0; i < 5; ++i) TickWindow(w, TbsSkinPopupWindow::MorphTimerId);
    EXPECT_DOUBLE_EQ(1.0, w->Items(0)->MorphKf);
    EXPECT_FALSE(w->Items(0)->MorphPending());
  }
  TBitmap shot;
  PaintTo(w, &shot);
  Save(shot, "skin_form_system_menu_slate");
  // Slate's popup picture fitted to the window: an accent top line, then border, light and
  // face rings round the items; the middles stretched.
  const int W = w->Width(), H = w->Height();
  const TColor accent = RGB(64, 140, 220), border = RGB(70, 84, 110), white = RGB(255, 255, 255),
               line = RGB(214, 220, 230), faceTop = RGB(236, 239, 244), back = RGB(250, 251, 253);
  const struct { int x, y; TColor c; } frame[] = {
      {0, 0, accent},      {W / 2, 0, accent},      {W - 1, 0, accent},     {W / 2, 1, white},
      {W / 2, 2, faceTop}, {0, H / 2, border},      {1, H / 2, white},      {2, H / 2, faceTop},
      {W - 2, H / 2, line}, {W - 1, H / 2, border}, {W / 2, H - 2, line},   {W - 1, H - 1, border}};
  for (const auto& p : frame) EXPECT_EQ(p.c, shot.Pixel(p.x, p.y)) << p.x << "," << p.y;
  // Items: strips keeping their ends, outside the text. Gradient rows 1 and 10 of 20 (n = 19)
  // and row 1 of the divider's 4 (n = 3): top + (bottom - top) * row / n, rounded down.
  const TRect r0 = w->Items(0)->ItemRect, r1 = w->Items(1)->ItemRect, r2 = w->Items(2)->ItemRect;
  const struct { TRect r; int x, y; TColor c; } items[] = {
      {r0, 0, 0, accent},   {r0, -1, 19, accent},  {r0, 2, 1, RGB(211, 228, 249)}, {r0, -2, 10, RGB(189, 213, 242)},
      {r1, 1, 1, RGB(234, 237, 242)}, {r1, -1, 1, back}, {r1, -2, 19, back},
      {r2, 5, 1, RGB(226, 230, 236)}, {r2, 19, 1, line}, {r2, 0x1000, 1, RGB(160, 160, 160)},
      {r2, 0x1000, 2, white}, {r2, 0x1000, 0, back}, {r2, -1, 1, RGB(160, 160, 160)}};
  for (const auto& p : items) {
    const int x = p.x == 0x1000 ? p.r.Left + p.r.Width() / 2 : p.x < 0 ? p.r.Right + p.x : p.r.Left + p.x;
    EXPECT_EQ(p.c, shot.Pixel(x, p.r.Top + p.y)) << x << "," << p.r.Top + p.y;
  }
  // Text colours of the record: active for the highlighted row, normal for the others.
  EXPECT_GT(CountColor(shot, r0, ir->activefontcolor), 10);
  EXPECT_GT(CountColor(shot, r1, ir->fontcolor), 10);
}

namespace {
std::vector<std::string> Captions(TMenuItem* root) {
  std::vector<std::string> out;
  for (int i = 0; i < root->Count(); ++i) out.push_back(root->Items(i)->Caption());
  return out;
}
}  // namespace

TEST_F(SystemMenu, ItemsFollowTheStateEachTimeTheMenuOpens) {
  skinForm->SetBorderIcons({biSystemMenu, biMinimize, biMaximize, biRollUp, biMinimizeToTray});
  using V = std::vector<std::string>;
  // Opened, closed and opened again: the items are made anew each time.
  for (int i = 0; i < 2; ++i) {
    RightClickCaption();
    ASSERT_EQ(1, Menu()->LevelCount());
    EXPECT_EQ((V{"Mi&nimize", "Ma&ximize", "Ro&llUp", "Minimize to &Tray", "-", "&Close"}),
              Captions(skinForm->BuildSystemMenu()->Items()));
    Key(VK_ESCAPE);
    EXPECT_EQ(0, Menu()->LevelCount());
  }
  skinForm->MaximizeForm();
  EXPECT_EQ((V{"Mi&nimize", "&Restore", "Ro&llUp", "Minimize to &Tray", "-", "&Close"}),
            Captions(skinForm->BuildSystemMenu()->Items()));
  // Rolled up while maximised: "&Restore" unrolls and the form stays maximised.
  skinForm->SetRollUpState(true);
  TPopupMenu* menu = skinForm->BuildSystemMenu();
  EXPECT_EQ((V{"Mi&nimize", "&Restore", "Minimize to &Tray", "-", "&Close"}), Captions(menu->Items()));
  menu->Items()->Items(1)->Click();
  EXPECT_FALSE(skinForm->RollUpState());
  EXPECT_EQ(TbsWindowState::wsMaximized, skinForm->WindowState());
  // Minimised (this form is not the main form): no minimise and no roll-up.
  skinForm->MinimizeForm();
  menu = skinForm->BuildSystemMenu();
  EXPECT_EQ((V{"Ma&ximize", "&Restore", "Minimize to &Tray", "-", "&Close"}), Captions(menu->Items()));
  menu->Items()->Items(1)->Click();
  EXPECT_EQ(TbsWindowState::wsNormal, skinForm->WindowState());
  EXPECT_EQ(Rect(200, 150, 500, 350), form->BoundsRect());
  // Only close without any border icon, and then no separator.
  skinForm->SetBorderIcons({});
  EXPECT_EQ(V{"&Close"}, Captions(skinForm->BuildSystemMenu()->Items()));
}

TEST_F(SystemMenu, CaptionsComeFromTheSkinsResourceStrings) {
  TbsSkinData data(nullptr);
  TbsResourceStrData strings(nullptr);
  strings.ResStrings().Clear();
  strings.ResStrings().Add("MI_MINCAPTION=Mini&mieren");
  strings.ResStrings().Add("MI_CLOSECAPTION=Schl&ie\xc3\x9f" "en");
  data.SetResourceStrData(&strings);
  skinForm->SetSkinData(&data);
  // Keys the strings lack keep the built-in texts.
  EXPECT_EQ((std::vector<std::string>{"Mini&mieren", "Ro&llUp", "-", "Schl&ie\xc3\x9f" "en"}),
            Captions(skinForm->BuildSystemMenu()->Items()));
  skinForm->SetSkinData(nullptr);
  data.SetResourceStrData(nullptr);
}

TEST_F(SystemMenu, UserMenuGetsTheStandardItemsAroundItsOwn) {
  auto* user = new TPopupMenu(form);
  auto* own = new TMenuItem(user);
  own->SetCaption("Own item");
  user->Items()->Add(own);
  auto* stale = new TMenuItem(user);
  stale->SetName("SKF_CLOSE");
  stale->SetCaption("old close");
  user->Items()->Add(stale);
  skinForm->SetSystemMenu(user);
  skinForm->SetBorderIcons({biSystemMenu, biMinimize, biMaximize, biRollUp, biMinimizeToTray});
  skinForm->SetRollUpState(true);
  using V = std::vector<std::string>;
  // From the top: minimise, restore, maximise, roll-up (absent while rolled up), tray,
  // the user's items, close; no separator.
  EXPECT_EQ((V{"Mi&nimize", "&Restore", "Ma&ximize", "Minimize to &Tray", "Own item", "&Close"}),
            Captions(skinForm->BuildSystemMenu()->Items()));
  skinForm->SetRollUpState(false);
  EXPECT_EQ((V{"Mi&nimize", "Ma&ximize", "Ro&llUp", "Minimize to &Tray", "Own item", "&Close"}),
            Captions(skinForm->BuildSystemMenu()->Items()));
  // Without UseDefaultSysMenu the user's menu stays as it is.
  skinForm->SetUseDefaultSysMenu(false);
  EXPECT_EQ((V{"Mi&nimize", "Ma&ximize", "Ro&llUp", "Minimize to &Tray", "Own item", "&Close"}),
            Captions(skinForm->BuildSystemMenu()->Items()));
  skinForm->SetSystemMenu(nullptr);
}
