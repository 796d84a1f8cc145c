// Active frame objects: the default caption buttons under simulated input, and skinned
// objects built from records (animation frames and intervals, morphing on the form's
// timer, an out-of-range active picture, custom buttons, the caption's inactive effect).
#include "framework/graphics/Canvas.h"
#include "framework/graphics/Icon.h"
#include "skin/draw/SkinGeometry.h"
#include "skin/form/SkinAnimateObject.h"
#include "skin/form/SkinCaptionObject.h"
#include "skin/form/SkinStdButtonObject.h"
#include "tests/skin/form/gui/SkinFormTestSupport.h"

using namespace sftest;

namespace {
constexpr TColor FrameColors[4] = {0x0000C0, 0x00C000, 0xC00000, 0x00C0C0};

class ActiveObjects : public FormFixture {
 protected:
  // Presses, moves and releases at window coordinates of the form.
  void At(UINT msg, int wx, int wy, WPARAM keys = 0) {
    const TRect c = form->ClientRectInWindow();
    SimulateMouse(form, msg, wx - c.Left, wy - c.Top, keys);
  }
  TbsActiveSkinObject* Object(const std::string& name) {
    return skinForm->Objects(skinForm->IndexOfObject(name));
  }
  TColor WindowPixel(int x, int y) {
    TBitmap b;
    PaintTo(form, &b);
    return b.Pixel(x, y);
  }
  // A small skin: a 100 x 60 frame picture and one active picture with four coloured
  // animation frames (row 0), a normal and an active button image (row 16, 32).
  void MakeSkin(TbsSkinData& d) {
    d.SkinPicture->SetSize(100, 60);
    d.SkinPicture->Canvas()->Brush()->Color = 0x806040;
    d.SkinPicture->Canvas()->FillRect(Rect(0, 0, 100, 60));
    d.SkinPicture->Canvas()->Brush()->Color = 0x204080;
    d.SkinPicture->Canvas()->FillRect(Rect(20, 4, 60, 20));
    d.clientrect = Rect(4, 24, 96, 56);
    d.lefttoppoint = Point(10, 24);
    d.righttoppoint = Point(90, 24);
    d.leftbottompoint = Point(10, 56);
    d.rightbottompoint = Point(90, 56);
    auto pic = std::make_unique<TBitmap>(64, 48);
    TCanvas* c = pic->Canvas();
    for (int f = 0; f < 4; ++f) {
      c->Brush()->Color = FrameColors[f];
      c->FillRect(Rect(16 * f, 0, 16 * f + 16, 16));
    }
    c->Brush()->Color = 0xF0F0F0;
    c->FillRect(Rect(0, 16, 16, 32));
    c->Brush()->Color = 0x101010;
    c->FillRect(Rect(16, 16, 32, 32));
    d.PictureList.push_back(std::move(pic));
    d.SkinEmpty = false;
  }
  template <class R>
  R* AddRecord(TbsSkinData& d, const std::string& name) {
    auto r = std::make_unique<R>(name);
    R* p = r.get();
    d.ObjectRecords.push_back(std::move(r));
    return p;
  }
};
}  // namespace

TEST_F(ActiveObjects, DefaultCloseButtonClosesOnlyWhenReleasedOverItself) {
  int closes = 0;
  form->OnClose = [&](TObject*, TCloseAction& a) {
    ++closes;
    a = caNone;
  };
  form->Perform(WM_NCPAINT, 0, 0);
  TbsActiveSkinObject* close = Object("closebutton");
  ASSERT_TRUE(close);
  EXPECT_EQ(Rect(280, 4, 297, 21), close->ObjectRect);
  EXPECT_FALSE(Object("maxbutton")->Visible);
  EXPECT_FALSE(Object("traybutton")->Visible);
  // Over it, pressed, released over it: the form closes.
  At(WM_MOUSEMOVE, 288, 12);
  EXPECT_TRUE(close->MouseIn);
  EXPECT_EQ(skinForm->IndexOfObject("closebutton"), skinForm->HotIndex());
  At(WM_LBUTTONDOWN, 288, 12, MK_LBUTTON);
  auto* button = static_cast<TbsSkinStdButtonObject*>(close);
  EXPECT_TRUE(button->Down);
  EXPECT_EQ(form->HandleValue(), GetCapture());
  EXPECT_EQ(clNavy, WindowPixel(280, 4));
  EXPECT_EQ(TColor(0xB59385), WindowPixel(282, 6));
  At(WM_LBUTTONUP, 288, 12);
  EXPECT_EQ(1, closes);
  EXPECT_FALSE(button->Down);
  EXPECT_EQ(HWND(0), GetCapture());
  // Pressed, the pointer leaves, released elsewhere: nothing, and the normal look.
  At(WM_MOUSEMOVE, 288, 12);
  At(WM_LBUTTONDOWN, 288, 12, MK_LBUTTON);
  ASSERT_TRUE(button->Down);
  At(WM_MOUSEMOVE, 150, 100, MK_LBUTTON);
  Tick(skinForm->HoverTimer());
  EXPECT_FALSE(button->MouseIn);
  EXPECT_EQ(-1, skinForm->HotIndex());
  At(WM_LBUTTONUP, 150, 100);
  EXPECT_EQ(1, closes);
  EXPECT_FALSE(button->Down);
  EXPECT_EQ(-1, skinForm->PressedIndex());
  EXPECT_EQ(ColorToRGB(clBtnFace), WindowPixel(280, 4));
  EXPECT_EQ(ColorToRGB(clBtnFace), WindowPixel(282, 6));
  Shot(form, "skin_form_default_frame");
}

// The hover poll runs every 50 ms: a release before it saw the pointer cross the button's
// edge is judged where it happens.
TEST_F(ActiveObjects, TheReleasePointDecidesWhetherAButtonRunsItsCommand) {
  int commands = 0;
  form->OnClose = [&](TObject*, TCloseAction& a) {
    ++commands;
    a = caNone;
  };
  skinForm->OnChangeRollUpState = [&](TObject*) { ++commands; };
  form->Perform(WM_NCPAINT, 0, 0);
  for (const char* name : {"closebutton", "rollupbutton"})
    for (bool backOver : {false, true}) {
      SCOPED_TRACE(std::string(name) + (backOver ? ", released back over it" : ", released away"));
      const TRect r = Object(name)->ObjectRect;
      const int x = (r.Left + r.Right) / 2, y = (r.Top + r.Bottom) / 2;
      commands = 0;
      At(WM_LBUTTONDOWN, x, y, MK_LBUTTON);
      At(WM_MOUSEMOVE, 150, 10, MK_LBUTTON);
      if (backOver) {
        Tick(skinForm->HoverTimer());
        At(WM_MOUSEMOVE, x, y, MK_LBUTTON);
      }
      At(WM_LBUTTONUP, backOver ? x : 150, backOver ? y : 10);
      EXPECT_EQ(backOver ? 1 : 0, commands);
      skinForm->SetRollUpState(false);
    }
}

TEST_F(ActiveObjects, MaximiseButtonShowsTheRestoreGlyphWhileMaximised) {
  skinForm->SetBorderIcons({biSystemMenu, biMinimize, biMaximize, biRollUp});
  skinForm->MaximizeForm();
  form->Perform(WM_NCPAINT, 0, 0);
  TbsActiveSkinObject* max = Object("maxbutton");
  ASSERT_TRUE(max && max->Visible);
  TBitmap shot;
  PaintTo(form, &shot);
  Save(shot, "skin_form_default_frame_maximised");
  // The restore glyph, 10 x 10 from (x, y): a window (x+2..x+9, y..y+5) behind one
  // (x..x+6, y+4..y+9), each outlined with a two-row title bar, on the button face.
  const TRect r = max->ObjectRect;
  const int x = r.Left + r.Width() / 2 - 5, y = r.Top + r.Height() / 2 - 4;
  for (TPoint ink : {Point(x + 2, y), Point(x + 5, y + 1), Point(x + 9, y + 5), Point(x + 1, y + 5), Point(x + 6, y + 9)})
    EXPECT_EQ(ColorToRGB(clBtnText), shot.Pixel(ink.X, ink.Y)) << ink.X - x << "," << ink.Y - y;
  for (TPoint face : {Point(x, y), Point(x + 5, y + 3), Point(x + 3, y + 7), Point(x + 8, y + 7), Point(x + 10, y)})
    EXPECT_EQ(ColorToRGB(clBtnFace), shot.Pixel(face.X, face.Y)) << face.X - x << "," << face.Y - y;
  skinForm->RestoreForm();
  EXPECT_EQ(Rect(200, 150, 500, 350), form->BoundsRect());
}

TEST_F(ActiveObjects, SystemMenuButtonPopsItsMenuUpUnderItselfAndStaysDownMeanwhile) {
  form->Perform(WM_NCPAINT, 0, 0);
  auto* sys = static_cast<TbsSkinStdButtonObject*>(Object("sysmenubutton"));
  ASSERT_TRUE(sys && sys->Visible);
  EXPECT_EQ(Rect(3, 4, 20, 21), sys->ObjectRect);
  At(WM_MOUSEMOVE, 10, 10);
  At(WM_LBUTTONDOWN, 10, 10, MK_LBUTTON);
  ASSERT_EQ(1, Menu()->LevelCount());
  EXPECT_TRUE(sys->Down);
  EXPECT_EQ(form->Left() + 3, Level(0)->Left());
  EXPECT_EQ(form->Top() + 21, Level(0)->Top());
  At(WM_LBUTTONUP, 10, 10);
  EXPECT_TRUE(sys->Down);
  Key(VK_ESCAPE);
  EXPECT_EQ(0, Menu()->LevelCount());
  EXPECT_FALSE(sys->Down);
}

TEST_F(ActiveObjects, CyclingAnimationLoopsWhileHoveredAndPlaysBackToFrameOne) {
  TbsSkinData skin(nullptr);
  MakeSkin(skin);
  auto* a = AddRecord<TbsDataSkinAnimate>(skin, "anim");
  a->skinrect = Rect(70, 4, 86, 20);
  a->activepictureindex = 0;
  a->activeskinrect = Rect(0, 0, 64, 16);
  a->countframes = 4;
  a->cycle = true;
  a->buttonstyle = true;
  a->timerinterval = 10;
  skinForm->SetSkinData(&skin);
  auto* anim = dynamic_cast<TbsSkinAnimateObject*>(Object("anim"));
  ASSERT_TRUE(anim);
  EXPECT_EQ(25, anim->TimerInterval);  // raised to one timer step
  EXPECT_EQ(Rect(16, 0, 32, 16), anim->FrameRect(2));
  At(WM_MOUSEMOVE, 78, 12);
  Tick(skinForm->HoverTimer());
  ASSERT_TRUE(anim->MouseIn);
  EXPECT_TRUE(skinForm->AnimationTimer()->Enabled());
  EXPECT_EQ(25u, skinForm->AnimationTimer()->Interval());
  std::vector<int> frames;
  for (int i = 0; i < 6; ++i) {
    Tick(skinForm->AnimationTimer());
    frames.push_back(anim->CurrentFrame);
  }
  EXPECT_EQ((std::vector<int>{2, 3, 4, 1, 2, 3}), frames);
  EXPECT_EQ(FrameColors[2], WindowPixel(78, 12));
  // Leaving plays it back to frame 1, where it stops with its timer.
  At(WM_MOUSEMOVE, 150, 100);
  Tick(skinForm->HoverTimer());
  EXPECT_FALSE(anim->MouseIn);
  frames.clear();
  for (int i = 0; i < 4; ++i) {
    Tick(skinForm->AnimationTimer());
    frames.push_back(anim->CurrentFrame);
  }
  EXPECT_EQ((std::vector<int>{2, 1, 1, 1}), frames);
  EXPECT_FALSE(anim->Active);
  EXPECT_FALSE(skinForm->AnimationTimer()->Enabled());
  EXPECT_EQ(FrameColors[0], WindowPixel(78, 12));
}

TEST_F(ActiveObjects, FrameIntervalOfSixtyGivesSeventyFiveMilliseconds) {
  TbsSkinData skin(nullptr);
  MakeSkin(skin);
  auto* a = AddRecord<TbsDataSkinAnimate>(skin, "anim");
  a->skinrect = Rect(70, 4, 86, 20);
  a->activepictureindex = 0;
  a->activeskinrect = Rect(0, 0, 64, 16);
  a->countframes = 4;
  a->buttonstyle = true;
  a->timerinterval = 60;
  skinForm->SetSkinData(&skin);
  auto* anim = dynamic_cast<TbsSkinAnimateObject*>(Object("anim"));
  ASSERT_TRUE(anim);
  At(WM_MOUSEMOVE, 78, 12);
  Tick(skinForm->HoverTimer());
  std::vector<int> frames;
  for (int i = 0; i < 9; ++i) {
    Tick(skinForm->AnimationTimer());
    frames.push_back(anim->CurrentFrame);
  }
  // Three 25 ms ticks per frame; without cycle it stops on the last frame.
  EXPECT_EQ((std::vector<int>{1, 1, 2, 2, 2, 3, 3, 3, 4}), frames);
  EXPECT_FALSE(anim->Active);
}

TEST_F(ActiveObjects, ButtonsMorphOnTheFormTimerUnlessTheirActivePictureIsMissing) {
  TbsSkinData skin(nullptr);
  MakeSkin(skin);
  auto* good = AddRecord<TbsDataSkinButton>(skin, "good");
  good->skinrect = Rect(30, 4, 46, 20);
  good->skinrectinapicture = true;
  good->activepictureindex = 0;
  good->skinrect = Rect(0, 16, 16, 32);
  good->activeskinrect = Rect(16, 16, 32, 32);
  good->morphing = true;
  auto* bad = AddRecord<TbsDataSkinButton>(skin, "bad");
  bad->skinrect = Rect(50, 4, 66, 20);
  bad->activepictureindex = 7;  // beyond the picture list
  bad->activeskinrect = Rect(16, 16, 32, 32);
  bad->morphing = true;
  skinForm->SetSkinData(&skin);
  TbsActiveSkinObject* g = Object("good");
  TbsActiveSkinObject* b = Object("bad");
  ASSERT_TRUE(g && b);
  g->ObjectRect = Rect(30, 4, 46, 20);
  EXPECT_TRUE(b->ActiveSkinRect == NullRect);
  EXPECT_FALSE(b->Morphing);
  EXPECT_EQ(nullptr, b->ActivePicture());
  // The bad one: hovered, nothing to morph, the timer stays off.
  skinForm->MorphTimer()->SetEnabled(false);
  At(WM_MOUSEMOVE, 58, 12);
  Tick(skinForm->HoverTimer());
  EXPECT_TRUE(b->MouseIn);
  EXPECT_FALSE(b->MorphPending());
  EXPECT_FALSE(skinForm->MorphTimer()->Enabled());
  // The good one morphs by 0.2 per 20 ms tick toward its active image.
  At(WM_MOUSEMOVE, 38, 12);
  Tick(skinForm->HoverTimer());
  ASSERT_TRUE(g->MouseIn);
  EXPECT_TRUE(skinForm->MorphTimer()->Enabled());
  EXPECT_EQ(20u, skinForm->MorphTimer()->Interval());
  Tick(skinForm->MorphTimer());
  Tick(skinForm->MorphTimer());
  EXPECT_NEAR(0.4, g->MorphKf, 1e-9);
  EXPECT_EQ(TColor(0x969696), WindowPixel(38, 12));  // 0.6 * 0xF0 + 0.4 * 0x10 = 150.4
  for (int i = 0; i < 4; ++i) Tick(skinForm->MorphTimer());
  EXPECT_DOUBLE_EQ(1.0, g->MorphKf);
  EXPECT_FALSE(skinForm->MorphTimer()->Enabled());
  EXPECT_EQ(TColor(0x101010), WindowPixel(38, 12));
}

TEST_F(ActiveObjects, CustomButtonIsHiddenUnlessTheHandlerShowsIt) {
  TbsSkinData skin(nullptr);
  MakeSkin(skin);
  auto* c = AddRecord<TbsDataSkinStdButton>(skin, "custom");
  c->command = cmDefault;
  c->skinrect = Rect(0, 16, 16, 32);
  c->skinrectinapicture = true;
  c->activepictureindex = 0;
  auto* close = AddRecord<TbsDataSkinStdButton>(skin, "close");
  close->command = cmClose;
  close->skinrect = Rect(80, 4, 96, 20);
  skinForm->SetSkinData(&skin);
  EXPECT_FALSE(Object("custom")->Visible);
  EXPECT_FALSE(Object("custom")->Enabled);
  EXPECT_TRUE(Object("close")->Visible);
  std::string asked;
  skinForm->OnActivateCustomObject = [&](const std::string& name, bool& visible) {
    asked = name;
    visible = true;
  };
  skinForm->ApplyButtonVisibility();
  EXPECT_EQ("custom", asked);
  EXPECT_TRUE(Object("custom")->Visible);
  EXPECT_TRUE(Object("custom")->Enabled);
  // Hiding every caption button leaves close alone only through the border icons.
  skinForm->SetHideCaptionButtons(true);
  EXPECT_FALSE(Object("custom")->Visible);
  EXPECT_FALSE(Object("close")->Enabled);
  EXPECT_TRUE(Object("close")->Visible);  // part of the frame picture: disabled, not removed
}

TEST_F(ActiveObjects, InactiveCaptionTakesTheSkinsInactiveEffect) {
  TbsSkinData skin(nullptr);
  MakeSkin(skin);
  skin.autorenderinginactiveimage = true;
  skin.inactiveeffect = ieInvert;
  auto* c = AddRecord<TbsDataSkinCaption>(skin, "caption");
  c->skinrect = Rect(20, 4, 60, 20);
  c->activepictureindex = 0;
  c->activeskinrect = Rect(0, 16, 40, 32);
  c->morphing = true;
  form->SetCaption("");
  skinForm->SetSkinData(&skin);
  auto* cap = dynamic_cast<TbsSkinCaptionObject*>(Object("caption"));
  ASSERT_TRUE(cap);
  skinForm->SetAlwaysDrawAsActive(false);
  SendMessage(form->HandleValue(), WM_ACTIVATE, WA_INACTIVE, 0);
  ASSERT_FALSE(cap->Active);
  cap->MorphKf = 0;
  TBitmap out(40, 16);
  out.Canvas()->SetOrigin(Point(-20, -4));
  cap->Draw(out.Canvas(), true);
  // The inactive background is the frame picture's own rectangle, inverted.
  const TColor source = skin.SkinPicture->Pixel(30, 10);
  EXPECT_EQ(0xFFFFFF - source, out.Pixel(10, 6));
  // Active (and done morphing): the active rectangle, no effect.
  SendMessage(form->HandleValue(), WM_ACTIVATE, WA_ACTIVE, 0);
  ASSERT_TRUE(cap->Active);
  EXPECT_TRUE(skinForm->MorphTimer()->Enabled());
  for (int i = 0; i < 5; ++i) Tick(skinForm->MorphTimer());
  EXPECT_DOUBLE_EQ(1.0, cap->MorphKf);
  cap->Draw(out.Canvas(), true);
  EXPECT_EQ(skin.PictureList[0]->Pixel(10, 20), out.Pixel(10, 6));
}

TEST_F(ActiveObjects, ShowIconPutsTheFormsSmallIconOnTheSystemMenuButton) {
  TIcon appIcon, formIcon;
  const std::vector<std::uint32_t> blue(32 * 32, 0xFF2060A0u), red(32 * 32, 0xFFC04010u);
  appIcon.SetFromArgb(32, 32, blue.data());
  formIcon.SetFromArgb(32, 32, red.data());
  Application->SetIcon(&appIcon);
  TbsSkinData skin(nullptr);
  MakeSkin(skin);
  skin.captionrect = Rect(4, 2, 96, 22);
  auto* sys = AddRecord<TbsDataSkinStdButton>(skin, "sys");
  sys->command = cmSysMenu;
  sys->skinrect = Rect(0, 16, 16, 32);
  sys->skinrectinapicture = true;
  sys->activepictureindex = 0;
  // The default frame shows the application's icon (the form has none), the skinned
  // button the form's.
  for (TbsSkinData* data : {static_cast<TbsSkinData*>(nullptr), &skin}) {
    skinForm->SetSkinData(data);
    if (data) form->SetIcon(&formIcon);
    skinForm->SetShowIcon(true);
    const TColor icon = data ? TColor(0x1040C0) : TColor(0xA06020);
    const TRect r = Object(data ? "sys" : "sysmenubutton")->ObjectRect;
    EXPECT_EQ(icon, WindowPixel(r.Left, r.Top));
    EXPECT_EQ(icon, WindowPixel(r.Left + 15, r.Top + 15));
    EXPECT_EQ(16, r.Width());
    Shot(form, data ? "skin_form_show_icon_skinned" : "skin_form_show_icon");
  }
  skinForm->SetSkinData(nullptr);
  Application->SetIcon(nullptr);
}
