// The skin hint component: the application's hints in the skinned window (default and
// Slate looks), placement turned to the other side near the screen's right and bottom
// edges, Active handed over, alpha, and the caption objects' hints of a skin form
// shown after the pause and hidden by the hide pause and by leaving.
#include <gtest/gtest.h>

#include "framework/controls/Button.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/Region.h"
#include "framework/windows/Application.h"
#include "framework/windows/Forms.h"
#include "framework/windows/HintWindow.h"
#include "tests/support/input/InputSimulation.h"
#include "framework/windows/PaintTo.h"
#include "framework/windows/Windows.h"
#include "skin/data/SkinData.h"
#include "skin/data/SkinWindowRecords.h"
#include "skin/form/ActiveSkinObject.h"
#include "skin/form/SkinForm.h"
#include "skin/form/SkinHint.h"
#include "skin/form/SkinHintWindow.h"
#include "tests/skin/form/gui/SkinFormTestSupport.h"
#include "tests/support/TestSupport.h"

namespace {

using sftest::LoadSlate;
using sftest::Save;
using sftest::Tick;

class SkinHints : public ::testing::Test {
 protected:
  void SetUp() override {
    savedMain = Application->MainForm();
    form = new TForm(nullptr);
    form->SetBounds(100, 100, 300, 200);
    Application->SetMainForm(form);
    hint = new TbsSkinHint(form);
    button = new TButton(form);
    button->SetParent(form);
    button->SetBounds(10, 10, 80, 30);
    button->SetHint("Record a take");
    button->SetShowHint(true);
    form->Show();
    testsupport::Pump(20);
    Application->SetHintPause(30);
    Application->SetHintHidePause(5000);
  }
  void TearDown() override {
    Application->CancelHint();
    delete form;
    Application->SetMainForm(savedMain);
    testsupport::Pump(5);
  }
  TbsSkinHintWindow* AppHint() const { return dynamic_cast<TbsSkinHintWindow*>(Application->HintWindow()); }
  bool ShowHintOverButton() {
    SimulateMouse(form, WM_MOUSEMOVE, 150, 150);
    SimulateMouse(button, WM_MOUSEMOVE, 20, 15);
    return testsupport::WaitUntil([&] { return AppHint() && AppHint()->Showing(); }, 1000);
  }

  TCustomForm* savedMain = nullptr;
  TForm* form = nullptr;
  TbsSkinHint* hint = nullptr;
  TButton* button = nullptr;
};

TEST_F(SkinHints, TheComponentPutsTheSkinnedWindowInPlaceAndSetsTheShortPause) {
  ASSERT_NE(AppHint(), nullptr) << Application->HintWindow()->ClassName();
  EXPECT_EQ(Application->HintShortPause(), 100u);
  EXPECT_EQ(AppHint()->Style() & WS_BORDER, 0u);
  int asked = 0;
  hint->OnShowHint = [&](std::string& text, bool&, THintInfo&) {
    ++asked;
    text += "!";
  };
  ASSERT_TRUE(ShowHintOverButton());
  EXPECT_EQ(asked, 1);
  EXPECT_EQ(AppHint()->Caption(), "Record a take!");
  EXPECT_EQ(AppHint()->ActiveHint(), hint);

  // The last hint component gone: the application's own window comes back.
  delete hint;
  hint = nullptr;
  EXPECT_EQ(AppHint(), nullptr);
  ASSERT_NE(Application->HintWindow(), nullptr);
  EXPECT_EQ(Application->HintWindow()->ClassName(), "THintWindow");
}

TEST_F(SkinHints, DefaultLookIsAnInfoTipSizedToTheText) {
  ASSERT_TRUE(ShowHintOverButton());
  TbsSkinHintWindow* w = AppHint();
  EXPECT_FALSE(w->Skinned());
  TBitmap measure(1, 1);
  measure.Canvas()->Font()->Assign(hint->DefaultFont());
  const TSize text = measure.Canvas()->TextExtent("Record a take");
  EXPECT_EQ(w->Width(), text.cx + 4);
  EXPECT_EQ(w->Height(), text.cy + 4);
  TBitmap b;
  PaintTo(w, &b);
  Save(b, "skin_hint_default");
  EXPECT_EQ(b.Pixel(0, 0), ColorToRGB(clBtnShadow));
  EXPECT_EQ(b.Pixel(b.Width() - 1, b.Height() - 1), ColorToRGB(clBtnShadow));
  EXPECT_EQ(b.Pixel(1, 1), ColorToRGB(clInfoBk));
  int dark = 0;
  for (int y = 2; y < b.Height() - 2; ++y)
    for (int x = 2; x < b.Width() - 2; ++x) dark += b.Pixel(x, y) == ColorToRGB(clInfoText);
  EXPECT_GT(dark, 10) << "no text";
}

TEST_F(SkinHints, SkinnedLookFromTheHintWindowRecord) {
  TbsSkinData data(nullptr);
  ASSERT_TRUE(LoadSlate(data));
  hint->SetSkinData(&data);
  ASSERT_TRUE(ShowHintOverButton());
  TbsSkinHintWindow* w = AppHint();
  ASSERT_TRUE(w->Skinned());
  const TbsDataSkinHintWindow& r = *data.HintRecord;
  const TBitmap& pic = *data.PictureList[size_t(r.windowpictureindex)];
  EXPECT_GE(w->Width(), pic.Width());
  EXPECT_GE(w->Height(), pic.Height());
  // The fixed corners are the picture's; the text is in the record's colour.
  TBitmap b;
  PaintTo(w, &b);
  Save(b, "skin_hint_slate");
  EXPECT_EQ(b.Pixel(1, 1), pic.Pixel(1, 1));
  EXPECT_EQ(b.Pixel(b.Width() - 2, b.Height() - 2), pic.Pixel(pic.Width() - 2, pic.Height() - 2));
  int ink = 0;
  for (int y = 0; y < b.Height(); ++y)
    for (int x = 0; x < b.Width(); ++x) ink += b.Pixel(x, y) == r.fontcolor;
  EXPECT_GT(ink, 5) << "no text in the record's font colour";
  // The corner points follow the size.
  EXPECT_EQ(w->FramePoints().RightBottom.X, r.rightbottompoint.X + w->Width() - pic.Width());
  EXPECT_EQ(w->FramePoints().Client.Bottom, r.clientrect.Bottom + w->Height() - pic.Height());

  // A mask picture shapes the window.
  TbsDataSkinHintWindow& rec = *data.HintRecord;
  const int savedMask = rec.maskpictureindex;
  rec.maskpictureindex = data.PictureList.size() > 3 ? 3 : -1;
  if (rec.maskpictureindex >= 0) {
    w->ActivateHint(Rect(200, 200, 200, 200), "Shaped");
    TRegion shape;
    EXPECT_TRUE(GetWindowRgn(w->Handle(), shape));
  }
  rec.maskpictureindex = -1;
  w->ActivateHint(Rect(200, 200, 200, 200), "Plain");
  TRegion none;
  EXPECT_FALSE(GetWindowRgn(w->Handle(), none));
  rec.maskpictureindex = savedMask;
  hint->SetSkinData(nullptr);
}

TEST_F(SkinHints, NearTheRightAndBottomEdgesItTurnsToTheOtherSide) {
  TbsSkinHintWindow* w = AppHint();
  const TRect screen = GetMonitorRectAt(Point(10, 10));
  w->ActivateHint(Rect(100, 100, 100, 100), "Placed");
  EXPECT_EQ(w->Left(), 100);
  EXPECT_EQ(w->Top(), 100);
  const int ww = w->Width(), wh = w->Height();

  const int ax = screen.Right - ww / 2, ay = 300;
  w->ActivateHint(Rect(ax, ay, ax, ay), "Placed");
  EXPECT_EQ(w->Left(), ax - ww - 2) << "not moved left of its anchor";
  EXPECT_EQ(w->Top(), ay);

  const int bx = 300, by = screen.Bottom - 3;
  w->ActivateHint(Rect(bx, by, bx, by), "Placed");
  EXPECT_EQ(w->Left(), bx);
  EXPECT_EQ(w->Top(), by - wh - 2) << "not moved above its anchor";

  w->ActivateHint(Rect(ax, by, ax, by), "Placed");
  EXPECT_EQ(w->Left(), ax - ww - 2);
  EXPECT_EQ(w->Top(), by - wh - 2);
  // Exactly at the edge it stays.
  w->ActivateHint(Rect(screen.Right - ww, 300, 0, 0), "Placed");
  EXPECT_EQ(w->Left(), screen.Right - ww);
}

TEST_F(SkinHints, ActiveHandsOverAndNoActiveComponentShowsNothing) {
  auto* second = new TbsSkinHint(form);
  EXPECT_TRUE(hint->Active());
  EXPECT_EQ(FindActiveSkinHint(), hint);
  second->SetActive(true);
  EXPECT_FALSE(hint->Active());
  EXPECT_EQ(FindActiveSkinHint(), second);
  int firstAsked = 0, secondAsked = 0;
  hint->OnShowHint = [&](std::string&, bool&, THintInfo&) { ++firstAsked; };
  second->OnShowHint = [&](std::string&, bool&, THintInfo&) { ++secondAsked; };
  ASSERT_TRUE(ShowHintOverButton());
  EXPECT_EQ(firstAsked, 0);
  EXPECT_EQ(secondAsked, 1);
  EXPECT_EQ(AppHint()->ActiveHint(), second);

  Application->CancelHint();
  second->SetActive(false);
  EXPECT_EQ(FindActiveSkinHint(), nullptr);
  AppHint()->ActivateHint(Rect(100, 100, 100, 100), "Nobody");
  EXPECT_FALSE(AppHint()->Showing());
  delete second;
}

TEST_F(SkinHints, AlphaBlendMakesTheWindowLayeredAndBack) {
  if (!LayeredWindowsSupported()) GTEST_SKIP() << "no layered windows here";
  hint->SetAlphaBlend(true);
  hint->SetAlphaBlendValue(150);
  TbsSkinHintWindow* w = AppHint();
  w->ActivateHint(Rect(100, 100, 100, 100), "Faded");
  EXPECT_TRUE(w->AlphaApplied());
  EXPECT_NE(GetWindowLong(w->Handle(), GWL_EXSTYLE) & WS_EX_LAYERED, 0);
  hint->SetAlphaBlend(false);
  w->ActivateHint(Rect(100, 100, 100, 100), "Solid");
  EXPECT_FALSE(w->AlphaApplied());
  EXPECT_EQ(GetWindowLong(w->Handle(), GWL_EXSTYLE) & WS_EX_LAYERED, 0);
}

// Caption objects of a skin form: the close button's hint.
class ObjectHints : public sftest::FormFixture {
 protected:
  void SetUp() override {
    FormFixture::SetUp();
    savedMain = Application->MainForm();
    Application->SetMainForm(form);
    hint = new TbsSkinHint(form);
    skinForm->SetSkinHint(hint);
    skinForm->SetShowObjectHint(true);
    ASSERT_TRUE(LoadSlate(data));
    skinForm->SetSkinData(&data);
    hint->SetSkinData(&data);
    testsupport::Pump(10);
  }
  void TearDown() override {
    skinForm->SetSkinData(nullptr);
    Application->SetMainForm(savedMain);
    FormFixture::TearDown();
  }
  TPoint CloseButtonCentre() const {
    const int i = skinForm->IndexOfObject("closebutton");
    const TRect r = skinForm->Objects(i)->ObjectRect;
    return Point((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
  }
  TCustomForm* savedMain = nullptr;
  TbsSkinHint* hint = nullptr;
  TbsSkinData data{nullptr};
};

TEST_F(ObjectHints, ShownAfterThePauseBelowThePointerAndHiddenByTheHidePauseAndLeaving) {
  ASSERT_GE(skinForm->IndexOfObject("closebutton"), 0);
  const TPoint c = CloseButtonCentre();
  const TPoint screen = skinForm->WindowToScreen(c);
  SetCursorPos(screen.X, screen.Y);
  skinForm->TrackHover(c);
  ASSERT_NE(hint->HintTimer(), nullptr) << "no hint pending";
  EXPECT_EQ(hint->HintText(), "Close");
  EXPECT_EQ(hint->HintTimer()->Interval(), Application->HintPause());
  EXPECT_FALSE(hint->HintWindow()->Showing());
  Tick(hint->HintTimer());
  TbsSkinHintWindow* w = hint->HintWindow();
  ASSERT_TRUE(w->Showing());
  EXPECT_EQ(w->Caption(), "Close");
  EXPECT_TRUE(w->Skinned());
  EXPECT_EQ(w->Left(), screen.X);
  EXPECT_EQ(w->Top(), screen.Y + GetCursorHeightMargin());
  TBitmap b;
  PaintTo(w, &b);
  Save(b, "skin_hint_object");
  ASSERT_NE(hint->HintTimer(), nullptr);
  EXPECT_EQ(hint->HintTimer()->Interval(), Application->HintHidePause());
  Tick(hint->HintTimer());
  EXPECT_FALSE(w->Showing()) << "the hide pause did not hide it";

  // Shown again, then the pointer leaves the button.
  skinForm->TrackHover(Point(-1, -1), false);
  skinForm->TrackHover(c);
  Tick(hint->HintTimer());
  ASSERT_TRUE(w->Showing());
  skinForm->TrackHover(Point(-1, -1), false);
  EXPECT_FALSE(w->Showing()) << "leaving left the hint up";
  EXPECT_EQ(hint->HintTimer(), nullptr);

  // A press on the form hides a pending or shown object hint too.
  skinForm->TrackHover(c);
  Tick(hint->HintTimer());
  ASSERT_TRUE(w->Showing());
  SimulateMouse(form, WM_LBUTTONDOWN, 50, 50, MK_LBUTTON);
  SimulateMouse(form, WM_LBUTTONUP, 50, 50);
  EXPECT_FALSE(w->Showing());
}

TEST_F(ObjectHints, NothingWithoutShowObjectHint) {
  skinForm->SetShowObjectHint(false);
  skinForm->TrackHover(CloseButtonCentre());
  EXPECT_EQ(hint->HintTimer(), nullptr);
}

TEST_F(ObjectHints, TheHintComponentGoingAwayClearsTheReference) {
  delete hint;
  EXPECT_EQ(skinForm->SkinHint(), nullptr);
  skinForm->TrackHover(CloseButtonCentre());  // no crash, nothing to show
}

}  // namespace
