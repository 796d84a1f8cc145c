// Window commands of a skinned form under simulated input and timers: roll-up, the
// form's own minimise / maximise / restore with its minimised bars, the size limits,
// magnetic docking, a maximised form that stays put, alpha blending and the fade-in.
#include <vector>

#include "framework/menus/MenuItem.h"
#include "framework/windows/Screen.h"
#include "skin/draw/SkinGeometry.h"
#include "skin/form/ActiveSkinObject.h"
#include "skin/form/SkinFormMagnet.h"
#include "skin/form/SkinFormTray.h"
#include "skin/form/SkinMinimizedBars.h"
#include "skin/form/SkinPopupMenu.h"
#include "tests/skin/form/gui/SkinFormTestSupport.h"

using namespace sftest;

namespace {
class WindowCommands : public FormFixture {
 protected:
  void TearDown() override {
    for (TForm* f : extra) delete f;
    extra.clear();
    FormFixture::TearDown();
  }
  // Mouse at window coordinates of f.
  static void At(TForm* f, UINT msg, int wx, int wy, WPARAM keys = 0) {
    const TRect c = f->ClientRectInWindow();
    SimulateMouse(f, msg, wx - c.Left, wy - c.Top, keys);
  }
  void At(UINT msg, int wx, int wy, WPARAM keys = 0) { At(form, msg, wx, wy, keys); }
  static void Click(TForm* f, int wx, int wy) {
    At(f, WM_MOUSEMOVE, wx, wy);
    At(f, WM_LBUTTONDOWN, wx, wy, MK_LBUTTON);
    At(f, WM_LBUTTONUP, wx, wy);
  }
  void DoubleClickCaption(int wx = 100, int wy = 10) {
    At(WM_LBUTTONDOWN, wx, wy, MK_LBUTTON);
    At(WM_LBUTTONUP, wx, wy);
    At(WM_LBUTTONDBLCLK, wx, wy, MK_LBUTTON);
    At(WM_LBUTTONUP, wx, wy);
  }
  // Drags f by its caption with the real pointer path: press, one move, release.
  static void DragCaption(TForm* f, int dx, int dy) {
    const TPoint s = Point(f->Left() + 100, f->Top() + 10);
    SimulateMouseAt(s, WM_LBUTTONDOWN, MK_LBUTTON);
    SimulateMouseAt(Point(s.X + dx, s.Y + dy), WM_MOUSEMOVE, MK_LBUTTON);
    SimulateMouseAt(Point(s.X + dx, s.Y + dy), WM_LBUTTONUP);
  }
  // Another shown form with a skin form (owned by the test).
  TForm* NewForm(int x, int y, TFormBorderStyle style = bsSingle) {
    auto* f = new TForm(nullptr);
    f->SetBorderStyle(style);
    f->SetBounds(x, y, 260, 160);
    f->SetCaption("Other form");
    auto* sf = new TbsSkinForm(f);
    sf->SetBorderIcons({biSystemMenu, biMinimize, biMaximize, biRollUp});
    sf->SetAlwaysDrawAsActive(true);
    f->Show();
    extra.push_back(f);
    return f;
  }
  TRect WorkArea() const { return GetMonitorWorkArea(form->HandleValue()); }
  TbsActiveSkinObject* Object(TbsSkinForm* sf, const std::string& name) {
    return sf->Objects(sf->IndexOfObject(name));
  }
  TPoint Centre(const TRect& r) { return Point((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2); }

  std::vector<TForm*> extra;
};
}  // namespace

TEST_F(WindowCommands, CaptionDoubleClickAndRollUpButtonRollUpToTheFrameAndBack) {
  int changes = 0;
  skinForm->OnChangeRollUpState = [&](TObject*) { ++changes; };
  // MinHeight does not hold a rolled-up form open.
  skinForm->SetMinHeight(120);
  DoubleClickCaption();
  EXPECT_TRUE(skinForm->RollUpState());
  EXPECT_EQ(Rect(200, 150, 500, 175), form->BoundsRect());
  EXPECT_EQ(1, changes);
  TBitmap shot;
  PaintTo(form, &shot);
  Save(shot, "skin_form_rolled_up_default");
  ASSERT_EQ(25, shot.Height());
  // Caption ribs and the three-ring border close the 25-pixel bar at its bottom.
  EXPECT_EQ(ColorToRGB(cl3DDkShadow), shot.Pixel(150, 24));
  EXPECT_EQ(ColorToRGB(clBtnShadow), shot.Pixel(150, 23));
  DoubleClickCaption();
  EXPECT_FALSE(skinForm->RollUpState());
  EXPECT_EQ(Rect(200, 150, 500, 350), form->BoundsRect());
  EXPECT_EQ(2, changes);

  // The roll-up button, the third from the right.
  form->Perform(WM_NCPAINT, 0, 0);
  TbsActiveSkinObject* button = Object(skinForm, "rollupbutton");
  ASSERT_TRUE(button && button->Visible);
  EXPECT_EQ(Rect(246, 4, 263, 21), button->ObjectRect);
  Click(form, 254, 12);
  EXPECT_EQ(25, form->Height());
  EXPECT_TRUE(skinForm->RollUpState());
  Click(form, 254, 12);
  EXPECT_EQ(200, form->Height());
  EXPECT_EQ(4, changes);

  // Without biRollUp nothing rolls up; a bsSingle caption double click does nothing else.
  skinForm->SetBorderIcons({biSystemMenu, biMinimize});
  DoubleClickCaption();
  EXPECT_FALSE(skinForm->RollUpState());
  EXPECT_EQ(Rect(200, 150, 500, 350), form->BoundsRect());
}

TEST_F(WindowCommands, SizeableCaptionDoubleClickMaximisesAndAFormRolledUpWhileMaximisedUnrollsFirst) {
  form->SetBorderStyle(bsSizeable);
  skinForm->SetBorderIcons({biSystemMenu, biMinimize, biMaximize, biRollUp});
  const TRect normal = form->BoundsRect();
  DoubleClickCaption();
  ASSERT_EQ(TbsWindowState::wsMaximized, skinForm->WindowState());
  const TRect max = form->BoundsRect();
  EXPECT_NE(normal, max);
  // Rolled up from the maximised state: a double click unrolls instead of restoring.
  skinForm->SetRollUpState(true);
  EXPECT_TRUE(skinForm->RollUpFromMaximized());
  EXPECT_EQ(25, form->Height());
  DoubleClickCaption(150, 10);
  EXPECT_FALSE(skinForm->RollUpState());
  EXPECT_EQ(TbsWindowState::wsMaximized, skinForm->WindowState());
  EXPECT_EQ(max, form->BoundsRect());
  // Rolled up again, then restored: the restored form is whole, not rolled up.
  skinForm->SetRollUpState(true);
  skinForm->RestoreForm();
  EXPECT_FALSE(skinForm->RollUpState());
  EXPECT_FALSE(skinForm->RollUpFromMaximized());
  EXPECT_EQ(normal, form->BoundsRect());
  // Rolled up while normal, then maximised: roll-up requests are ignored until restored.
  skinForm->SetRollUpState(true);
  skinForm->MaximizeForm();
  skinForm->SetRollUpState(false);
  EXPECT_TRUE(skinForm->RollUpState());
  skinForm->RestoreForm();
  EXPECT_EQ(Rect(normal.Left, normal.Top, normal.Right, normal.Top + 25), form->BoundsRect());
  skinForm->SetRollUpState(false);
  EXPECT_EQ(normal, form->BoundsRect());
}

TEST_F(WindowCommands, MaximiseFillsTheWorkAreaLessOnePixelAndRestoreReturnsThePreMinimiseBounds) {
  TForm* other = NewForm(120, 90);
  TbsSkinForm* sf = FindSkinForm(other);
  const TRect wa = GetMonitorWorkArea(other->HandleValue());
  const TRect mon = GetMonitorRect(other->HandleValue());
  ASSERT_EQ(mon, wa) << "the test screen has no panel";
  sf->MinimizeForm();
  EXPECT_EQ(TbsWindowState::wsMinimized, sf->WindowState());
  EXPECT_EQ(Rect(wa.Left, wa.Bottom - 25, wa.Left + 120, wa.Bottom), other->BoundsRect());
  sf->MaximizeForm();
  EXPECT_EQ(TbsWindowState::wsMaximized, sf->WindowState());
  // A work area as large as the monitor is shrunk by one pixel on every side.
  EXPECT_EQ(Rect(wa.Left + 1, wa.Top + 1, wa.Right - 1, wa.Bottom - 1), other->BoundsRect());
  sf->RestoreForm();
  EXPECT_EQ(TbsWindowState::wsNormal, sf->WindowState());
  EXPECT_EQ(Rect(120, 90, 380, 250), other->BoundsRect());
  // The rectangle is used once: a second minimise saves the current bounds again.
  other->SetBounds(130, 100, 240, 150);
  sf->MinimizeForm();
  sf->RestoreForm();
  EXPECT_EQ(Rect(130, 100, 370, 250), other->BoundsRect());
  // On the full screen the whole monitor is taken.
  sf->SetMaximizeOnFullScreen(true);
  sf->MaximizeForm();
  EXPECT_EQ(mon, other->BoundsRect());
}

TEST_F(WindowCommands, MinimisedBarsGoSideBySideThenRowByRowUpward) {
  const TRect wa = WorkArea();
  const int perRow = wa.Width() / 120;
  ASSERT_GE(perRow, 2);
  std::vector<TForm*> forms;
  for (int i = 0; i < perRow + 1; ++i) forms.push_back(NewForm(100 + 10 * i, 100));
  // The first minimise button press: the bar at the bottom-left corner.
  forms[0]->Perform(WM_NCPAINT, 0, 0);
  TbsSkinForm* first = FindSkinForm(forms[0]);
  TbsActiveSkinObject* minButton = Object(first, "minbutton");
  ASSERT_TRUE(minButton && minButton->Visible);
  Click(forms[0], Centre(minButton->ObjectRect).X, Centre(minButton->ObjectRect).Y);
  ASSERT_EQ(TbsWindowState::wsMinimized, first->WindowState());
  EXPECT_EQ(Rect(wa.Left, wa.Bottom - 25, wa.Left + 120, wa.Bottom), forms[0]->BoundsRect());
  Shot(forms[0], "skin_form_minimised_bar_default");
  // The second sits one minimised width to the right.
  FindSkinForm(forms[1])->MinimizeForm();
  EXPECT_EQ(Point(wa.Left + 120, wa.Bottom - 25), forms[1]->BoundsRect().TopLeft());
  for (int i = 2; i < perRow + 1; ++i) FindSkinForm(forms[size_t(i)])->MinimizeForm();
  // One more than a row holds: the next row up, from the left.
  EXPECT_EQ(Point(wa.Left + (perRow - 1) * 120, wa.Bottom - 25), forms[size_t(perRow - 1)]->BoundsRect().TopLeft());
  EXPECT_EQ(Point(wa.Left, wa.Bottom - 50), forms[size_t(perRow)]->BoundsRect().TopLeft());
  // A freed place is taken again; a hidden minimised form leaves its place free.
  FindSkinForm(forms[1])->RestoreForm();
  EXPECT_EQ(Rect(110, 100, 370, 260), forms[1]->BoundsRect());
  TForm* late = NewForm(300, 300);
  FindSkinForm(late)->MinimizeForm();
  EXPECT_EQ(Point(wa.Left + 120, wa.Bottom - 25), late->BoundsRect().TopLeft());
  late->Hide();
  FindSkinForm(forms[1])->MinimizeForm();
  EXPECT_EQ(Point(wa.Left + 120, wa.Bottom - 25), forms[1]->BoundsRect().TopLeft());
  // The minimise button of a minimised bar restores it.
  forms[0]->Perform(WM_NCPAINT, 0, 0);
  minButton = Object(first, "minbutton");
  Click(forms[0], Centre(minButton->ObjectRect).X, Centre(minButton->ObjectRect).Y);
  EXPECT_EQ(TbsWindowState::wsNormal, first->WindowState());
  EXPECT_EQ(Rect(100, 100, 360, 260), forms[0]->BoundsRect());
}

TEST(MinimizedBars, EveryRowFullFallsBackToTheBottomRowsFirstPlace) {
  const TRect area = Rect(10, 20, 310, 95);  // three rows of 25, two bars of 120 each
  std::vector<TPoint> taken;
  auto occupied = [&](TPoint p) {
    for (TPoint t : taken)
      if (t == p) return true;
    return false;
  };
  for (int i = 0; i < 6; ++i) taken.push_back(MinimizedBarPosition(area, TSize{120, 25}, occupied));
  EXPECT_EQ((std::vector<TPoint>{{10, 70}, {130, 70}, {10, 45}, {130, 45}, {10, 20}, {130, 20}}), taken);
  EXPECT_EQ(Point(10, 70), MinimizedBarPosition(area, TSize{120, 25}, occupied));
  // A bar wider than the area stacks upward.
  taken = {{10, 70}};
  EXPECT_EQ(Point(10, 45), MinimizedBarPosition(area, TSize{400, 25}, occupied));
}

TEST_F(WindowCommands, MainFormMinimisesTheApplicationAndKeepsItsOwnState) {
  TCustomForm* savedMain = Application->MainForm();
  Application->SetMainForm(form);
  bool minimised = false;
  Application->OnMinimize = [&](TObject*) { minimised = true; };
  form->Perform(WM_NCPAINT, 0, 0);
  TbsActiveSkinObject* minButton = Object(skinForm, "minbutton");
  ASSERT_TRUE(minButton && minButton->Visible);
  Click(form, Centre(minButton->ObjectRect).X, Centre(minButton->ObjectRect).Y);
  EXPECT_TRUE(minimised);
  EXPECT_TRUE(Application->Minimized());
  EXPECT_EQ(TbsWindowState::wsNormal, skinForm->WindowState());
  EXPECT_EQ(Rect(200, 150, 500, 350), form->BoundsRect());
  Application->OnMinimize = nullptr;
  Application->Restore();
  Application->SetMainForm(savedMain);
}

TEST_F(WindowCommands, MagneticSnapIsStrictlyInsideTheDistanceAndRightAndBottomWin) {
  form->Hide();
  TForm* f = NewForm(200, 200);
  TbsSkinForm* sf = FindSkinForm(f);
  sf->SetMagnetic(true);
  sf->SetMagneticSize(10);
  const TRect wa = GetMonitorWorkArea(f->HandleValue());
  // Dragged so that its left edge is 9 pixels from the area's left edge: it snaps.
  DragCaption(f, wa.Left + 9 - f->Left(), 0);
  EXPECT_EQ(wa.Left, f->Left());
  EXPECT_EQ(200, f->Top());
  // At exactly 10 pixels it does not.
  DragCaption(f, 10, 0);
  EXPECT_EQ(wa.Left + 10, f->Left());
  // The top edge 9 above the area's top (negative distance) snaps as well.
  DragCaption(f, 0, wa.Top - 9 - f->Top());
  EXPECT_EQ(wa.Top, f->Top());
  // The bottom edge 9 above the area's bottom: it sits on the bottom.
  DragCaption(f, 0, wa.Bottom - 9 - f->Height() - f->Top());
  EXPECT_EQ(wa.Bottom - f->Height(), f->Top());
  EXPECT_EQ(wa.Left + 10, f->Left());
  // Without Magnetic nothing snaps.
  sf->SetMagnetic(false);
  DragCaption(f, wa.Left + 3 - f->Left(), 0);
  EXPECT_EQ(wa.Left + 3, f->Left());

  // The rule itself: right and bottom are tried last and win in a narrow area.
  const TRect area = Rect(0, 0, 100, 100);
  EXPECT_EQ(Rect(2, 0, 100, 47), MagneticSnap(Rect(3, 3, 101, 50), area, 5));
  EXPECT_EQ(Rect(0, 4, 95, 100), MagneticSnap(Rect(3, 2, 98, 98), area, 5));
  EXPECT_EQ(Rect(5, 5, 10, 10), MagneticSnap(Rect(5, 5, 10, 10), area, 5));
  EXPECT_EQ(Rect(0, 0, 5, 5), MagneticSnap(Rect(4, -4, 9, 1), area, 5));
}

TEST_F(WindowCommands, MaximisedFormRefusesEveryMovingProposal) {
  form->SetBorderStyle(bsSizeable);
  skinForm->SetBorderIcons({biSystemMenu, biMinimize, biMaximize, biRollUp});
  skinForm->SetMagnetic(true);
  skinForm->MaximizeForm();
  const TRect max = form->BoundsRect();
  for (const TRect proposal : {Rect(0, 0, 10, 10), Rect(-500, -500, 5000, 5000), Rect(40, 30, 40 + max.Width(), 30 + max.Height())}) {
    TRect r = proposal;
    form->Perform(WM_MOVING, 0, reinterpret_cast<LPARAM>(&r));
    EXPECT_EQ(max, r);
  }
  DragCaption(form, 60, 45);
  EXPECT_EQ(max, form->BoundsRect());
  // Restored, it moves again.
  skinForm->RestoreForm();
  DragCaption(form, 60, 45);
  EXPECT_EQ(Rect(260, 195, 560, 395), form->BoundsRect());
}

TEST_F(WindowCommands, MinWidthAndMinHeightLimitSizingAndTheWorkAreaTheLargestSize) {
  form->SetBorderStyle(bsSizeable);
  skinForm->SetMinWidth(250);
  skinForm->SetMinHeight(180);
  TMinMaxInfo mmi{};
  form->Perform(WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&mmi));
  EXPECT_EQ(Point(250, 180), mmi.ptMinTrackSize);
  const TRect wa = WorkArea();
  EXPECT_EQ(Point(wa.Width(), wa.Height()), mmi.ptMaxTrackSize);
  // The bottom-right corner dragged far inward stops at the minimum.
  const TPoint corner = Point(form->Left() + 299, form->Top() + 199);
  SimulateMouseAt(corner, WM_MOUSEMOVE);
  SimulateMouseAt(corner, WM_LBUTTONDOWN, MK_LBUTTON);
  SimulateMouseAt(Point(corner.X - 200, corner.Y - 150), WM_MOUSEMOVE, MK_LBUTTON);
  SimulateMouseAt(Point(corner.X - 200, corner.Y - 150), WM_LBUTTONUP);
  EXPECT_EQ(Rect(200, 150, 450, 330), form->BoundsRect());
  // And outward no further than the work area.
  const TPoint corner2 = Point(form->Left() + 249, form->Top() + 179);
  SimulateMouseAt(corner2, WM_MOUSEMOVE);
  SimulateMouseAt(corner2, WM_LBUTTONDOWN, MK_LBUTTON);
  SimulateMouseAt(Point(corner2.X + 3000, corner2.Y + 3000), WM_MOUSEMOVE, MK_LBUTTON);
  SimulateMouseAt(Point(corner2.X + 3000, corner2.Y + 3000), WM_LBUTTONUP);
  EXPECT_EQ(wa.Width(), form->Width());
  EXPECT_EQ(wa.Height(), form->Height());
  // Rolled up, MinHeight gives way to the frame; MinWidth <= 0 means 120.
  form->SetBounds(200, 150, 300, 200);
  skinForm->SetRollUpState(true);
  form->Perform(WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&mmi));
  EXPECT_EQ(Point(250, 25), mmi.ptMinTrackSize);
  skinForm->SetRollUpState(false);
  skinForm->SetMinWidth(0);
  form->Perform(WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&mmi));
  EXPECT_EQ(Point(120, 180), mmi.ptMinTrackSize);
}

TEST_F(WindowCommands, SkinnedMinimumSizeComesFromTheFramePicture) {
  TbsSkinData data(nullptr);
  ASSERT_TRUE(LoadSlate(data));
  skinForm->SetSkinData(&data);
  const TBitmap& pic = *data.SkinPicture;
  const int frameHeight = pic.Height() - RectHeight(data.clientrect);
  TbsFormSizeLimits l = skinForm->SizeLimits();
  EXPECT_TRUE(l.Skinned);
  EXPECT_EQ(pic.Width(), l.MinimumWidth());
  EXPECT_EQ(frameHeight, l.MinimumHeight());
  // A larger MinWidth counts except for a minimised bar.
  skinForm->SetMinWidth(pic.Width() + 40);
  EXPECT_EQ(pic.Width() + 40, skinForm->SizeLimits().MinimumWidth());
  TForm* other = NewForm(50, 60);
  TbsSkinForm* sf = FindSkinForm(other);
  sf->SetSkinData(&data);
  sf->SetMinWidth(pic.Width() + 40);
  const TRect before = other->BoundsRect();
  sf->MinimizeForm();
  EXPECT_EQ(pic.Width(), other->Width());
  EXPECT_EQ(frameHeight, other->Height());
  Shot(other, "skin_form_minimised_bar_slate");
  // ... and drawn from the frame picture (its top-left corner piece, copied as it is).
  TBitmap bar;
  PaintTo(other, &bar);
  for (int x : {3, 12, 40})
    EXPECT_EQ(pic.Pixel(x, 3), bar.Pixel(x, 3)) << "x " << x;
  sf->RestoreForm();
  EXPECT_EQ(before, other->BoundsRect());
  skinForm->SetSkinData(nullptr);
  sf->SetSkinData(nullptr);
  // A loaded skin whose picture cannot draw a frame leaves the default frame's sizes.
  TbsSkinData broken(nullptr);
  broken.SkinPicture->SetSize(10, 10);
  broken.clientrect = Rect(2, 40, 8, 60);
  broken.SkinEmpty = false;
  sf->SetMinWidth(0);
  sf->SetSkinData(&broken);
  EXPECT_FALSE(sf->SizeLimits().Skinned);
  EXPECT_EQ(120, sf->SizeLimits().MinimumWidth());
  EXPECT_EQ(25, sf->SizeLimits().MinimumHeight());
  sf->SetSkinData(nullptr);
}

TEST_F(WindowCommands, FadeInRisesBySixtyFiveStepsOfFiveAndLeavesTheLayeredState) {
  auto* f = new TForm(nullptr);
  extra.push_back(f);
  f->SetBorderStyle(bsSingle);
  f->SetBounds(60, 60, 200, 120);
  auto* sf = new TbsSkinForm(f);
  sf->SetAlphaBlendAnimation(true);
  std::vector<int> steps;
  sf->Fade()->OnStep = [&](Byte a) { steps.push_back(a); };
  f->Show();
  // Shown: layered at opacity 0, waiting for window timer 1.
  ASSERT_EQ(std::vector<int>{0}, steps);
  EXPECT_TRUE(GetWindowLong(f->HandleValue(), GWL_EXSTYLE) & WS_EX_LAYERED);
  EXPECT_TRUE(sf->Fade()->Pending());
  TickWindow(f, TbsFormFade::TimerId);
  std::vector<int> expect{0};
  for (int a = 5; a <= 255; a += 5) expect.push_back(a);
  EXPECT_EQ(expect, steps);
  EXPECT_FALSE(GetWindowLong(f->HandleValue(), GWL_EXSTYLE) & WS_EX_LAYERED);
  // The timer was one-shot: another tick fades nothing.
  TickWindow(f, TbsFormFade::TimerId);
  testsupport::Pump(20);
  EXPECT_EQ(expect.size(), steps.size());
}

TEST_F(WindowCommands, AlphaBlendKeepsTheFormTranslucentAtItsValue) {
  auto* f = new TForm(nullptr);
  extra.push_back(f);
  f->SetBorderStyle(bsSingle);
  f->SetBounds(60, 60, 200, 120);
  auto* sf = new TbsSkinForm(f);
  sf->SetAlphaBlend(true);
  sf->SetAlphaBlendValue(103);
  sf->SetAlphaBlendAnimation(true);
  std::vector<int> steps;
  sf->Fade()->OnStep = [&](Byte a) { steps.push_back(a); };
  f->Show();
  TickWindow(f, TbsFormFade::TimerId);
  // Capped at the value: 0, 5 ... 100, 103; the form stays layered.
  ASSERT_EQ(22u, steps.size());
  EXPECT_EQ(100, steps[20]);
  EXPECT_EQ(103, steps.back());
  EXPECT_TRUE(GetWindowLong(f->HandleValue(), GWL_EXSTYLE) & WS_EX_LAYERED);
  // A new value applies at once; hiding drops the layered state, switching off too.
  steps.clear();
  sf->SetAlphaBlendValue(180);
  EXPECT_EQ(std::vector<int>{180}, steps);
  f->Hide();
  EXPECT_FALSE(GetWindowLong(f->HandleValue(), GWL_EXSTYLE) & WS_EX_LAYERED);
  // Without the animation the value is set at once when the timer comes.
  sf->SetAlphaBlendAnimation(false);
  steps.clear();
  f->Show();
  TickWindow(f, TbsFormFade::TimerId);
  EXPECT_EQ((std::vector<int>{0, 180}), steps);
  EXPECT_TRUE(GetWindowLong(f->HandleValue(), GWL_EXSTYLE) & WS_EX_LAYERED);
  sf->SetAlphaBlend(false);
  EXPECT_FALSE(GetWindowLong(f->HandleValue(), GWL_EXSTYLE) & WS_EX_LAYERED);
}

namespace {
struct FakeTray : TbsFormTrayLink {
  std::vector<std::string> calls;
  void SetMinimizeToTray(bool v) override { calls.push_back(v ? "tray on" : "tray off"); }
  void RestoreApplication() override { calls.push_back("restore"); }
  void HideIcon() override { calls.push_back("hide"); }
};
}  // namespace

TEST_F(WindowCommands, TrayCommandsActOnlyThroughATrayIcon) {
  int toTray = 0, fromTray = 0;
  skinForm->OnMinimizeToTray = [&](TObject*) { ++toTray; };
  skinForm->OnRestoreFromTray = [&](TObject*) { ++fromTray; };
  skinForm->SetAlwaysMinimizeToTray(true);
  // No tray icon: the minimise button does nothing at all.
  form->Perform(WM_NCPAINT, 0, 0);
  TbsActiveSkinObject* minButton = Object(skinForm, "minbutton");
  Click(form, Centre(minButton->ObjectRect).X, Centre(minButton->ObjectRect).Y);
  EXPECT_EQ(0, toTray);
  EXPECT_FALSE(Application->Minimized());
  EXPECT_EQ(TbsWindowState::wsNormal, skinForm->WindowState());
  EXPECT_EQ(Rect(200, 150, 500, 350), form->BoundsRect());

  FakeTray tray;
  skinForm->SetTrayLink(&tray);
  Click(form, Centre(minButton->ObjectRect).X, Centre(minButton->ObjectRect).Y);
  EXPECT_EQ(1, toTray);
  EXPECT_TRUE(Application->Minimized());
  EXPECT_EQ(std::vector<std::string>{"tray on"}, tray.calls);
  // The tray menu: restore, a line, close; its restore brings everything back.
  TbsSkinPopupMenu* menu = skinForm->TrayMenu();
  ASSERT_EQ(3, menu->Items()->Count());
  EXPECT_EQ("TRAY_SKF_RESTORE", menu->Items()->Items(0)->Name());
  EXPECT_TRUE(menu->Items()->Items(1)->IsLine());
  EXPECT_EQ("TRAY_SKF_CLOSE", menu->Items()->Items(2)->Name());
  menu->Items()->Items(0)->Click();
  EXPECT_FALSE(Application->Minimized());
  EXPECT_EQ((std::vector<std::string>{"tray on", "tray off", "restore", "hide"}), tray.calls);
  EXPECT_EQ(1, fromTray);
  // AlwaysShowInTray keeps the icon.
  skinForm->SetAlwaysShowInTray(true);
  tray.calls.clear();
  skinForm->MinimizeToTray();
  skinForm->RestoreFromTray();
  EXPECT_EQ((std::vector<std::string>{"tray on", "tray off", "restore"}), tray.calls);
  skinForm->SetTrayLink(nullptr);
}

TEST_F(WindowCommands, FirstClickOnAnInactiveFormsButtonActsAtOnce) {
  TForm* f = NewForm(120, 90);
  TbsSkinForm* sf = FindSkinForm(f);
  sf->SetAlwaysDrawAsActive(false);
  // Another form takes the activation.
  TForm* g = NewForm(400, 300);
  SetForegroundWindow(g->HandleValue());
  testsupport::Pump(20);
  ASSERT_FALSE(f->Active());
  f->Perform(WM_NCPAINT, 0, 0);
  TbsActiveSkinObject* minButton = Object(sf, "minbutton");
  ASSERT_TRUE(minButton && minButton->Visible);
  // The activation the press asks for has not arrived when the button goes down and up.
  Click(f, Centre(minButton->ObjectRect).X, Centre(minButton->ObjectRect).Y);
  EXPECT_EQ(TbsWindowState::wsMinimized, sf->WindowState());
  EXPECT_FALSE(sf->FormActive() && !f->Active());
  // The activation arriving between the press and the release keeps the press.
  SetForegroundWindow(g->HandleValue());
  testsupport::Pump(20);
  ASSERT_FALSE(f->Active());
  f->Perform(WM_NCPAINT, 0, 0);
  const TPoint c = Centre(Object(sf, "minbutton")->ObjectRect);
  At(f, WM_MOUSEMOVE, c.X, c.Y);
  At(f, WM_LBUTTONDOWN, c.X, c.Y, MK_LBUTTON);
  SendMessage(f->HandleValue(), WM_ACTIVATE, WA_ACTIVE, 0);
  At(f, WM_LBUTTONUP, c.X, c.Y);
  EXPECT_EQ(TbsWindowState::wsNormal, sf->WindowState());
}
