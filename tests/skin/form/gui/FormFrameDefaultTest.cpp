// The default frame of a skinned form (no skin, or an empty one): its pixels, the client
// area, the caption buttons, hit testing, the caption text, the client background, and
// the frame's own keyboard and move rules.
#include "framework/graphics/Canvas.h"
#include "framework/menus/MainMenu.h"
#include "skin/data/ResourceStrData.h"
#include "skin/data/SkinMessages.h"
#include "skin/form/SkinStdButtonObject.h"
#include "tests/skin/form/gui/SkinFormTestSupport.h"

using namespace sftest;

namespace {
class FormFrameDefault : public FormFixture {
 protected:
  void Window(TBitmap& b) { PaintTo(form, &b); }
  TbsActiveSkinObject* Object(const std::string& name) { return skinForm->Objects(skinForm->IndexOfObject(name)); }
  LRESULT Hit(int wx, int wy) {
    return SendMessage(form->HandleValue(), WM_NCHITTEST, 0,
                       MAKELPARAM(unsigned(form->Left() + wx), unsigned(form->Top() + wy)));
  }
  static TColor Rgb(int r, int g, int b) { return TColor(r | (g << 8) | (b << 16)); }
};
}  // namespace

TEST_F(FormFrameDefault, EmptySkinMainWindowHasTheRibbedDefaultFrame) {
  TbsSkinData empty(form);
  skinForm->SetSkinData(&empty);
  form->Perform(WM_NCPAINT, 0, 0);
  const int w = form->Width(), h = form->Height();
  EXPECT_EQ(0, GetWindowLong(form->HandleValue(), GWL_STYLE) & LONG(WS_CAPTION));
  EXPECT_FALSE(skinForm->SkinFrame());
  EXPECT_EQ(Rect(3, 22, w - 3, h - 3), form->ClientRectInWindow());

  TBitmap b;
  Window(b);
  Save(b, "skin_form_frame_default_main");
  // Three rings: light / dark shadow, highlight / shadow, face.
  EXPECT_EQ(Rgb(212, 208, 200), b.Pixel(0, 0));
  EXPECT_EQ(Rgb(64, 64, 64), b.Pixel(w - 1, h - 1));
  EXPECT_EQ(Rgb(64, 64, 64), b.Pixel(w - 1, 50));
  EXPECT_EQ(Rgb(255, 255, 255), b.Pixel(1, 50));
  EXPECT_EQ(Rgb(128, 128, 128), b.Pixel(w - 2, 50));
  EXPECT_EQ(Rgb(128, 128, 128), b.Pixel(50, h - 2));
  EXPECT_EQ(Rgb(212, 208, 200), b.Pixel(2, 50));
  // The caption: 14 ribs from y = 5, highlight first, then face below y = 19.
  const int ribX = 25;
  for (int y = 5; y < 19; ++y)
    EXPECT_EQ((y - 5) % 2 == 0 ? Rgb(255, 255, 255) : Rgb(128, 128, 128), b.Pixel(ribX, y)) << "rib row " << y;
  EXPECT_EQ(Rgb(212, 208, 200), b.Pixel(ribX, 4));
  EXPECT_EQ(Rgb(212, 208, 200), b.Pixel(ribX, 19));
  // The ribs stop six pixels before the roll-up button (no maximise button there).
  EXPECT_EQ(Rgb(255, 255, 255), b.Pixel(w - 58, 5));
  EXPECT_EQ(Rgb(212, 208, 200), b.Pixel(w - 56, 5));

  // Buttons: close, minimise, roll-up at the right, the system menu at the left.
  EXPECT_EQ(Rect(w - 20, 4, w - 3, 21), Object("closebutton")->ObjectRect);
  EXPECT_EQ(Rect(w - 37, 4, w - 20, 21), Object("minbutton")->ObjectRect);
  EXPECT_EQ(Rect(w - 54, 4, w - 37, 21), Object("rollupbutton")->ObjectRect);
  EXPECT_EQ(Rect(3, 4, 20, 21), Object("sysmenubutton")->ObjectRect);
  EXPECT_FALSE(Object("maxbutton")->Visible);
  EXPECT_FALSE(Object("traybutton")->Visible);
  // Each visible button shows a dark glyph on the face; the left end of the ribs is
  // past the system-menu button.
  for (const char* name : {"closebutton", "minbutton", "rollupbutton", "sysmenubutton"}) {
    const TRect r = Object(name)->ObjectRect;
    int dark = 0;
    for (int y = r.Top; y < r.Bottom; ++y)
      for (int x = r.Left; x < r.Right; ++x) dark += b.Pixel(x, y) == Rgb(0, 0, 0);
    EXPECT_GT(dark, 4) << name;
    EXPECT_EQ(Rgb(212, 208, 200), b.Pixel(r.Left + 1, r.Top + 1)) << name;
  }
  EXPECT_EQ(Rgb(212, 208, 200), b.Pixel(21, 5));
  EXPECT_EQ(Rgb(255, 255, 255), b.Pixel(22, 5));
}

TEST_F(FormFrameDefault, EmptyBorderIconsLeaveOnlyClose) {
  skinForm->SetBorderIcons({});
  form->Perform(WM_NCPAINT, 0, 0);
  const int w = form->Width();
  int visible = 0;
  for (int i = 0; i < skinForm->ObjectCount(); ++i) visible += skinForm->Objects(i)->Visible;
  EXPECT_EQ(1, visible);
  EXPECT_TRUE(Object("closebutton")->Visible);
  EXPECT_EQ(Rect(w - 20, 4, w - 3, 21), Object("closebutton")->ObjectRect);
  TBitmap b;
  Window(b);
  Save(b, "skin_form_frame_default_close_only");
  // Ribs now run from the left edge (no system-menu button) to before close.
  EXPECT_EQ(Rgb(255, 255, 255), b.Pixel(6, 5));
  EXPECT_EQ(Rgb(255, 255, 255), b.Pixel(w - 24, 5));
  EXPECT_EQ(HTCAPTION, Hit(5, 10));
  EXPECT_EQ(HTOBJECT, Hit(w - 10, 10));
}

TEST_F(FormFrameDefault, HitTestFindsBandsCaptionClientAndButtons) {
  const int w = form->Width(), h = form->Height();
  // bsSingle: no sizing bands.
  EXPECT_EQ(HTOBJECT, Hit(1, 1));
  EXPECT_EQ(HTOBJECT, Hit(1, 80));
  EXPECT_EQ(HTCAPTION, Hit(100, 10));
  EXPECT_EQ(HTCLIENT, Hit(100, 100));
  EXPECT_EQ(HTOBJECT, Hit(w - 10, 10));  // close
  EXPECT_EQ(HTOBJECT, Hit(10, 10));      // system menu

  form->SetBorderStyle(bsSizeable);
  SetCursorPos(0, 0);
  Tick(skinForm->HoverTimer());
  ASSERT_EQ(-1, skinForm->HotIndex());
  const std::pair<TPoint, int> cases[] = {
      {Point(0, 0), HTTOPLEFT},        {Point(2, 2), HTTOPLEFT},         {Point(w - 2, 1), HTTOPRIGHT},
      {Point(1, h - 1), HTBOTTOMLEFT}, {Point(w - 1, h - 2), HTBOTTOMRIGHT}, {Point(2, 80), HTLEFT},
      {Point(100, 2), HTTOP},          {Point(w - 2, 80), HTRIGHT},      {Point(100, h - 2), HTBOTTOM},
      {Point(3, 80), HTCLIENT},        {Point(100, 3), HTCAPTION},       {Point(w - 3, 80), HTOBJECT},
      {Point(100, 22), HTCLIENT},      {Point(100, h - 4), HTCLIENT},    {Point(100, h - 3), HTOBJECT}};
  for (auto [p, code] : cases) EXPECT_EQ(code, Hit(p.X, p.Y)) << p.X << "," << p.Y;

  // Rolled up or maximised: no sizing bands.
  skinForm->SetRollUpState(true);
  EXPECT_EQ(HTOBJECT, Hit(1, 1));
  skinForm->SetRollUpState(false);
  skinForm->SetBorderIcons({biSystemMenu, biMinimize, biMaximize, biRollUp});
  skinForm->MaximizeForm();
  EXPECT_NE(HTTOPLEFT, Hit(1, 1));
  EXPECT_NE(HTRIGHT, Hit(form->Width() - 1, 80));
}

TEST_F(FormFrameDefault, CaptionTooWideEndsInEllipsis) {
  form->SetCaption("Short");
  form->Perform(WM_NCPAINT, 0, 0);
  EXPECT_EQ("Short", skinForm->FrameState().CaptionText);
  const std::string wide(200, 'W');
  form->SetCaption(wide);
  form->Perform(WM_NCPAINT, 0, 0);
  const std::string text = skinForm->FrameState().CaptionText;
  ASSERT_GE(text.size(), 3u);
  EXPECT_EQ("...", text.substr(text.size() - 3));
  EXPECT_EQ(wide.substr(0, text.size() - 3), text.substr(0, text.size() - 3));
  // The trimmed text fits between the system-menu and the roll-up buttons.
  TBitmap probe(10, 10);
  probe.Canvas()->Font()->Assign(skinForm->DefCaptionFont());
  const int area = (form->Width() - 54) - 20;
  EXPECT_LE(probe.Canvas()->TextWidth(text), area);
  // and is the longest prefix that does.
  const std::string longer = wide.substr(0, text.size() - 2) + "...";
  EXPECT_GT(probe.Canvas()->TextWidth(longer), area);
  TBitmap b;
  Window(b);
  Save(b, "skin_form_frame_default_wide_caption");
  // The text's face fill covers the ribs across the whole area.
  EXPECT_EQ(Rgb(212, 208, 200), b.Pixel(form->Width() / 2 + 60, 5));
}

TEST_F(FormFrameDefault, ChangingACaptionFontRepaintsTheCaption) {
  for (bool active : {true, false}) {
    SCOPED_TRACE(active ? "active" : "inactive");
    skinForm->SetAlwaysDrawAsActive(active);
    SendMessage(form->HandleValue(), WM_ACTIVATE, active ? WA_ACTIVE : WA_INACTIVE, 0);
    TBitmap before, after;
    Window(before);
    (active ? skinForm->DefCaptionFont() : skinForm->DefInActiveCaptionFont())->SetColor(clRed);
    Window(after);
    int red = 0;
    for (int y = 3; y < 22; ++y)
      for (int x = 20; x < form->Width() - 54; ++x) red += after.Pixel(x, y) == clRed && before.Pixel(x, y) != clRed;
    EXPECT_GT(red, 20) << "the caption was not drawn again";
  }
}

TEST_F(FormFrameDefault, ClientBackgroundIsFaceWithTheLogoCentred) {
  TBitmap b;
  Window(b);
  const TRect c = form->ClientRectInWindow();
  EXPECT_EQ(ColorToRGB(clBtnFace), b.Pixel(c.Left + 5, c.Top + 5));
  skinForm->LogoBitMap()->SetSize(10, 8);
  skinForm->LogoBitMap()->Canvas()->Brush()->Color = clRed;
  skinForm->LogoBitMap()->Canvas()->FillRect(Rect(0, 0, 10, 8));
  form->Invalidate();
  Window(b);
  const int cw = c.Width(), ch = c.Height();
  const int lx = c.Left + cw / 2 - 5, ly = c.Top + ch / 2 - 4;
  EXPECT_EQ(clRed, b.Pixel(lx, ly));
  EXPECT_EQ(clRed, b.Pixel(lx + 9, ly + 7));
  EXPECT_EQ(ColorToRGB(clBtnFace), b.Pixel(lx - 1, ly));
  EXPECT_EQ(ColorToRGB(clBtnFace), b.Pixel(lx + 10, ly + 8));
  Save(b, "skin_form_frame_default_logo");
}

TEST_F(FormFrameDefault, MaximisedFormRefusesEveryMove) {
  skinForm->SetBorderIcons({biSystemMenu, biMinimize, biMaximize, biRollUp});
  TRect proposal = Rect(10, 10, 200, 100);
  SendMessage(form->HandleValue(), WM_MOVING, 0, reinterpret_cast<LPARAM>(&proposal));
  EXPECT_EQ(Rect(10, 10, 200, 100), proposal);  // normal: the proposal stands
  skinForm->MaximizeForm();
  const TRect bounds = form->BoundsRect();
  for (TRect p : {Rect(10, 10, 200, 100), Rect(-50, 300, 40, 400), bounds}) {
    SendMessage(form->HandleValue(), WM_MOVING, 0, reinterpret_cast<LPARAM>(&p));
    EXPECT_EQ(bounds, p);
  }
}

TEST_F(FormFrameDefault, AltSpaceOpensNoMenuWithoutAMenuBar) {
  SimulateKey(form, WM_SYSKEYDOWN, VK_SPACE, MK_ALT);
  SimulateKey(form, WM_SYSKEYUP, VK_SPACE, MK_ALT);
  testsupport::Pump(5);
  EXPECT_EQ(0, Menu()->LevelCount());
  EXPECT_FALSE(skinForm->MenuOpen());
  SendMessage(form->HandleValue(), WM_SYSCOMMAND, SC_KEYMENU, 0);
  EXPECT_EQ(0, Menu()->LevelCount());
  // A right click on the caption still opens the system menu.
  RightClickCaption();
  EXPECT_EQ(1, Menu()->LevelCount());
}

TEST_F(FormFrameDefault, EveryPressOfAShortCutFiresItsMenuItemOnce) {
  auto* menu = new TMainMenu(form);
  auto* item = new TMenuItem(menu);
  item->SetCaption("&Save");
  item->SetShortCut(TextToShortCut("Ctrl+K"));
  int clicks = 0;
  item->OnClick = [&](TObject*) { ++clicks; };
  menu->Items()->Add(item);
  for (int press = 1; press <= 3; ++press) {
    SimulateKey(form, WM_KEYDOWN, 'K', MK_CONTROL);
    SimulateKey(form, WM_KEYUP, 'K', MK_CONTROL);
    EXPECT_EQ(press, clicks) << "press " << press;
  }
  SimulateKey(form, WM_KEYDOWN, 'J', MK_CONTROL);
  EXPECT_EQ(3, clicks);
}

TEST_F(FormFrameDefault, CaptionButtonHintsFollowTheResourceStrings) {
  TbsSkinData data(form);
  auto* strings = new TbsResourceStrData(form);
  skinForm->SetSkinData(&data);
  skinForm->SetBorderIcons({biSystemMenu, biMinimize, biMaximize, biRollUp, biMinimizeToTray});
  EXPECT_EQ("Close", Object("closebutton")->Hint);
  EXPECT_EQ("Maximize", Object("maxbutton")->Hint);
  EXPECT_EQ("Minimize to Tray", Object("traybutton")->Hint);
  TStringList list;
  list.Add("CLOSEBUTTON_HINT=Fermer");
  list.Add("rollupbutton_hint=Enrouler");
  strings->SetResStrings(list);
  data.SetResourceStrData(strings);  // tells every form: SKINMSG_STRINGSCHANGE
  EXPECT_EQ("Fermer", Object("closebutton")->Hint);
  EXPECT_EQ("Enrouler", Object("rollupbutton")->Hint);
  EXPECT_EQ("System menu", Object("sysmenubutton")->Hint);
  EXPECT_EQ("Minimize", Object("minbutton")->Hint);
  data.SetResourceStrData(nullptr);
  EXPECT_EQ("Close", Object("closebutton")->Hint);
}
