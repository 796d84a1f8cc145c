// The application's hints: shown for the control under the pointer after the pause,
// the short pause from one hint to the next, hidden by the hide pause, a press, a key
// and leaving; OnShowHint and CM_HINTSHOW; ParentShowHint; a replaced hint window class.
#include <gtest/gtest.h>

#include "framework/controls/Button.h"
#include "framework/graphics/Bitmap.h"
#include "framework/windows/Application.h"
#include "framework/windows/Forms.h"
#include "framework/windows/HintWindow.h"
#include "tests/support/input/InputSimulation.h"
#include "framework/windows/PaintTo.h"
#include "framework/windows/Windows.h"
#include "tests/support/TestSupport.h"

namespace {

class Hints : public ::testing::Test {
 protected:
  void SetUp() override {
    Application->SetShowHint(true);
    Application->SetHintPause(40);
    Application->SetHintShortPause(1);
    Application->SetHintHidePause(5000);
    form = new TForm(nullptr);
    form->SetBounds(100, 100, 300, 200);
    save = new TButton(form);
    save->SetParent(form);
    save->SetBounds(10, 10, 80, 30);
    save->SetCaption("Save");
    save->SetHint("Save|Saves the take");
    save->SetShowHint(true);
    open = new TButton(form);
    open->SetParent(form);
    open->SetBounds(150, 10, 80, 30);
    open->SetHint("Open a video");
    open->SetShowHint(true);
    form->Show();
    testsupport::Pump(20);
  }
  void TearDown() override {
    Application->CancelHint();
    Application->OnShowHint = nullptr;
    delete form;
    testsupport::Pump(5);
  }
  THintWindow* Hint() const { return Application->HintWindow(); }
  bool Up() const { return Hint() && Hint()->Showing(); }
  bool WaitUp(int ms = 1000) {
    return testsupport::WaitUntil([&] { return Up(); }, ms);
  }

  TForm* form = nullptr;
  TButton* save = nullptr;
  TButton* open = nullptr;
};

TEST_F(Hints, ShownAfterThePauseBelowThePointerWithTheShortHint) {
  SimulateMouse(save, WM_MOUSEMOVE, 20, 15);
  ASSERT_EQ(Application->HintControl(), save);
  EXPECT_FALSE(Up()) << "shown before the pause";
  ASSERT_TRUE(WaitUp());
  EXPECT_EQ(Hint()->Caption(), "Save");
  TPoint cursor;
  GetCursorPos(cursor);
  EXPECT_EQ(Hint()->Left(), cursor.X);
  EXPECT_EQ(Hint()->Top(), cursor.Y + GetCursorHeightMargin());
  EXPECT_GT(Hint()->Width(), 10);

  TBitmap shot;
  PaintTo(Hint(), &shot);
  shot.SavePngFile(testsupport::ArtifactDir() + "/hint_default.png");
  EXPECT_EQ(shot.Pixel(0, 0), ColorToRGB(clWindowFrame));
  EXPECT_EQ(shot.Pixel(shot.Width() - 1, shot.Height() / 2), ColorToRGB(clWindowFrame));
  EXPECT_EQ(shot.Pixel(1, 1), ColorToRGB(clInfoBk));
  bool text = false;
  for (int y = 2; y < shot.Height() - 2; ++y)
    for (int x = 2; x < shot.Width() - 2; ++x) text = text || shot.Pixel(x, y) == ColorToRGB(clInfoText);
  EXPECT_TRUE(text) << "no hint text drawn";
}

TEST_F(Hints, TheNextControlWaitsOnlyTheShortPauseWhileAHintIsUp) {
  Application->SetHintPause(100000);
  Application->SetHintShortPause(10);
  SimulateMouse(save, WM_MOUSEMOVE, 20, 15);
  Application->ActivateHint(save->ClientToScreen(Point(20, 15)));
  ASSERT_TRUE(Up());
  SimulateMouse(open, WM_MOUSEMOVE, 20, 15);
  EXPECT_FALSE(Up()) << "the old hint stays up over another control";
  EXPECT_EQ(Application->HintControl(), open);
  ASSERT_TRUE(WaitUp(500)) << "the short pause did not apply";
  EXPECT_EQ(Hint()->Caption(), "Open a video");

  // Once a press put the hint away the full pause applies again.
  SimulateMouse(open, WM_LBUTTONDOWN, 20, 15, MK_LBUTTON);
  SimulateMouse(open, WM_LBUTTONUP, 20, 15);
  SimulateMouse(save, WM_MOUSEMOVE, 20, 15);
  testsupport::Pump(60);
  EXPECT_FALSE(Up());
}

TEST_F(Hints, HiddenByTheHidePauseAPressAKeyAndLeaving) {
  Application->SetHintHidePause(60);

  SimulateMouse(save, WM_MOUSEMOVE, 20, 15);
  ASSERT_TRUE(WaitUp());
  Application->SetHintPause(100000);  // from here on only the short pause could bring it back
  EXPECT_TRUE(testsupport::WaitUntil([&] { return !Up(); }, 1000)) << "the hide pause did not hide it";
  // It stays hidden while the pointer stays on the same control.
  SimulateMouse(save, WM_MOUSEMOVE, 22, 16);
  testsupport::Pump(80);
  EXPECT_FALSE(Up());

  Application->SetHintHidePause(5000);
  Application->SetHintPause(40);
  SimulateMouse(open, WM_MOUSEMOVE, 20, 15);
  ASSERT_TRUE(WaitUp());
  SimulateMouse(open, WM_LBUTTONDOWN, 20, 15, MK_LBUTTON);
  EXPECT_FALSE(Up()) << "a press leaves the hint up";
  SimulateMouse(open, WM_LBUTTONUP, 20, 15);

  SimulateMouse(form, WM_MOUSEMOVE, 120, 100);
  SimulateMouse(save, WM_MOUSEMOVE, 20, 15);
  ASSERT_TRUE(WaitUp());
  SimulateKey(save, WM_KEYDOWN, VK_SPACE);
  EXPECT_FALSE(Up()) << "a key leaves the hint up";
  SimulateKey(save, WM_KEYUP, VK_SPACE);

  SimulateMouse(form, WM_MOUSEMOVE, 120, 100);
  SimulateMouse(save, WM_MOUSEMOVE, 20, 15);
  ASSERT_TRUE(WaitUp());
  SimulateMouseAt(Point(1200, 900), WM_MOUSEMOVE);  // off every window
  EXPECT_FALSE(Up()) << "leaving leaves the hint up";
  EXPECT_EQ(Application->HintControl(), nullptr);
}

TEST_F(Hints, OnShowHintAndTheControlMayChangeOrRefuseTheHint) {
  int asked = 0;
  Application->OnShowHint = [&](std::string& text, bool& canShow, THintInfo& info) {
    ++asked;
    EXPECT_EQ(info.HintControl, save);
    EXPECT_EQ(info.CursorPos.X, 20);
    text = "Changed";
    info.HintPos.X += 7;
  };
  SimulateMouse(save, WM_MOUSEMOVE, 20, 15);
  ASSERT_TRUE(WaitUp());
  EXPECT_EQ(asked, 1);
  EXPECT_EQ(Hint()->Caption(), "Changed");
  TPoint cursor;
  GetCursorPos(cursor);
  EXPECT_EQ(Hint()->Left(), cursor.X + 7);

  Application->OnShowHint = [](std::string&, bool& canShow, THintInfo&) { canShow = false; };
  SimulateMouse(open, WM_MOUSEMOVE, 20, 15);
  testsupport::Pump(100);
  EXPECT_FALSE(Up());

  // CM_HINTSHOW answered non-zero refuses it as well.
  Application->OnShowHint = nullptr;
  auto saved = open->WindowProc;
  open->WindowProc = [&](TMessage& m) {
    if (m.Msg == CM_HINTSHOW) m.Result = 1;
    else saved(m);
  };
  SimulateMouse(form, WM_MOUSEMOVE, 120, 100);
  SimulateMouse(open, WM_MOUSEMOVE, 20, 15);
  testsupport::Pump(100);
  EXPECT_FALSE(Up());
  open->WindowProc = saved;
}

TEST_F(Hints, ParentShowHintAndApplicationShowHint) {
  auto* plain = new TButton(form);
  plain->SetParent(form);
  plain->SetBounds(10, 100, 80, 30);
  plain->SetHint("Plain");
  EXPECT_TRUE(plain->ParentShowHint());
  EXPECT_FALSE(plain->ShowHint()) << "the form's ShowHint is off";
  SimulateMouse(plain, WM_MOUSEMOVE, 20, 15);
  testsupport::Pump(100);
  EXPECT_FALSE(Up());

  form->SetShowHint(true);
  EXPECT_TRUE(plain->ShowHint());
  SimulateMouse(form, WM_MOUSEMOVE, 120, 100);
  SimulateMouse(plain, WM_MOUSEMOVE, 20, 15);
  ASSERT_TRUE(WaitUp());
  EXPECT_EQ(Hint()->Caption(), "Plain");

  Application->SetShowHint(false);
  EXPECT_EQ(Hint(), nullptr);
  SimulateMouse(form, WM_MOUSEMOVE, 120, 100);
  SimulateMouse(save, WM_MOUSEMOVE, 20, 15);
  testsupport::Pump(100);
  EXPECT_EQ(Hint(), nullptr);
  Application->SetShowHint(true);
}

class GreenHint : public THintWindow {
 public:
  using THintWindow::THintWindow;
  std::string ClassName() const override { return "GreenHint"; }
  void ActivateHint(TRect r, const std::string& hint) override {
    last = r;
    THintWindow::ActivateHint(r, hint);
  }
  TRect last;
};

TEST_F(Hints, AReplacedClassTakesEffectWhenShowHintIsToggled) {
  const THintWindowClass saved = HintWindowClass;
  HintWindowClass = HintWindowClassOf<GreenHint>();
  Application->SetShowHint(false);
  Application->SetShowHint(true);
  auto* green = dynamic_cast<GreenHint*>(Hint());
  ASSERT_NE(green, nullptr);
  SimulateMouse(save, WM_MOUSEMOVE, 20, 15);
  ASSERT_TRUE(WaitUp());
  EXPECT_EQ(green->last.Left, Hint()->Left());
  HintWindowClass = saved;
  Application->SetShowHint(false);
  Application->SetShowHint(true);
  EXPECT_EQ(Hint()->ClassName(), "THintWindow");
}

TEST_F(Hints, KeptOnTheScreenNearItsEdges) {
  Application->SetHintPause(1);
  const int sw = Screen()->Width(), sh = Screen()->Height();
  form->SetBounds(sw - 120, sh - 60, 120, 60);
  save->SetBounds(0, 0, 120, 60);
  testsupport::Pump(10);
  SimulateMouse(save, WM_MOUSEMOVE, 100, 10);
  ASSERT_TRUE(WaitUp());
  EXPECT_LE(Hint()->Left() + Hint()->Width(), sw);
  EXPECT_LE(Hint()->Top() + Hint()->Height(), sh);
}

}  // namespace
