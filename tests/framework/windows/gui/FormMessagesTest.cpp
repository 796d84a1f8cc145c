// What a form (and its hooks) sees around presses: WM_PARENTNOTIFY before a child gets
// the press, WM_MOUSEACTIVATE and its answers, WM_CANCELMODE for the capture holder;
// pop-ups shown and clicked without activation; the classic system metrics.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "framework/windows/Forms.h"
#include "tests/support/input/InputSimulation.h"
#include "framework/windows/WindowProcHook.h"
#include "framework/windows/Windows.h"
#include "tests/support/TestSupport.h"

namespace {

std::vector<std::string> gLog;

struct Box : TCustomControl {
  using TCustomControl::TCustomControl;
  std::string name = "box";

 protected:
  void WndProc(TMessage& m) override {
    if (m.Msg == WM_LBUTTONDOWN) gLog.push_back(name + " down");
    if (m.Msg == WM_CANCELMODE) gLog.push_back(name + " cancelmode");
    TCustomControl::WndProc(m);
  }
};

// A window shown on top of everything that never takes activation or focus.
struct Popup : Box {
  using Box::Box;

 protected:
  void CreateParams(TCreateParams& p) override {
    Box::CreateParams(p);
    p.Style = (p.Style & ~(WS_CHILD | WS_VISIBLE)) | WS_POPUP;
    p.ExStyle |= WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE;
  }
};

std::string Hex(WPARAM v) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%X", unsigned(v));
  return buf;
}

class FormMessages : public ::testing::Test {
 protected:
  void SetUp() override {
    gLog.clear();
    Form = std::make_unique<TForm>(nullptr);
    Form->SetBounds(100, 100, 320, 240);
    Form->Show();
    testsupport::Pump(5);
    Hook.Hook(Form.get(), [this](TMessage& m) {
      if (m.Msg == WM_PARENTNOTIFY)
        gLog.push_back("form parentnotify " + Hex(LOWORD(m.WParam)) + " at " + std::to_string(GET_X_LPARAM(m.LParam)) +
                       "," + std::to_string(GET_Y_LPARAM(m.LParam)));
      if (m.Msg == WM_MOUSEACTIVATE) gLog.push_back("form mouseactivate");
      Hook.CallSaved(m);
    });
  }
  void TearDown() override {
    Hook.Unhook();
    ReleaseCapture();
    Form.reset();
  }
  std::unique_ptr<TForm> Form;
  TWindowProcHook Hook;
};

TEST_F(FormMessages, ClickInANestedChildTellsEveryParentFirst) {
  auto* panel = new Box(Form.get());
  panel->name = "panel";
  panel->SetParent(Form.get());
  panel->SetBounds(20, 30, 200, 120);
  TWindowProcHook panelHook;
  panelHook.Hook(panel, [&](TMessage& m) {
    if (m.Msg == WM_PARENTNOTIFY) gLog.push_back("panel parentnotify");
    panelHook.CallSaved(m);
  });
  auto* child = new Box(Form.get());
  child->name = "child";
  child->SetParent(panel);
  child->SetBounds(10, 10, 50, 20);
  SimulateMouse(child, WM_LBUTTONDOWN, 5, 6, MK_LBUTTON);
  SimulateMouse(child, WM_LBUTTONUP, 5, 6, 0);
  EXPECT_EQ(gLog, (std::vector<std::string>{"panel parentnotify", "form parentnotify 201 at 35,46", "child down"}));
  // A press on the form itself notifies nobody.
  gLog.clear();
  SimulateMouse(Form.get(), WM_LBUTTONDOWN, 280, 200, MK_LBUTTON);
  SimulateMouse(Form.get(), WM_LBUTTONUP, 280, 200, 0);
  EXPECT_TRUE(gLog.empty());
  panelHook.Unhook();
}

TEST_F(FormMessages, PopupShownAndClickedWithoutActivationKeepsTheFocus) {
  auto* edit = new Box(Form.get());
  edit->SetParent(Form.get());
  edit->SetBounds(10, 10, 60, 20);
  edit->SetTabStop(true);
  edit->SetFocus();
  testsupport::Pump(5);
  ASSERT_EQ(GetActiveWindow(), Form->Handle());
  auto popup = std::make_unique<Popup>(nullptr);
  popup->name = "popup";
  popup->SetBounds(150, 150, 80, 60);
  EXPECT_FALSE(popup->CanFocus());
  ShowWindow(popup->Handle(), SW_SHOWNA);
  testsupport::Pump(5);
  EXPECT_TRUE(IsWindowVisible(popup->Handle()));
  EXPECT_EQ(GetActiveWindow(), Form->Handle());
  EXPECT_EQ(Form->ActiveControl(), edit);
  EXPECT_TRUE(edit->Focused());

  std::vector<LRESULT> answers;
  TWindowProcHook popupHook;
  LRESULT forced = 0;
  popupHook.Hook(popup.get(), [&](TMessage& m) {
    popupHook.CallSaved(m);
    if (m.Msg == WM_MOUSEACTIVATE) {
      if (forced) m.Result = forced;
      answers.push_back(m.Result);
    }
  });
  SimulateMouse(popup.get(), WM_LBUTTONDOWN, 10, 10, MK_LBUTTON);
  SimulateMouse(popup.get(), WM_LBUTTONUP, 10, 10, 0);
  testsupport::Pump(5);
  EXPECT_EQ(answers, std::vector<LRESULT>{MA_NOACTIVATE});
  EXPECT_EQ(gLog, std::vector<std::string>{"popup down"});
  EXPECT_EQ(GetActiveWindow(), Form->Handle());
  EXPECT_TRUE(edit->Focused());
  // Told to eat the press, the pop-up never sees it.
  forced = MA_NOACTIVATEANDEAT;
  gLog.clear();
  SimulateMouse(popup.get(), WM_LBUTTONDOWN, 10, 10, MK_LBUTTON);
  SimulateMouse(popup.get(), WM_LBUTTONUP, 10, 10, 0);
  EXPECT_TRUE(gLog.empty());
  popupHook.Unhook();
}

TEST_F(FormMessages, InactiveFormIsActivatedByAClickUnlessItAnswersNoActivate) {
  auto other = std::make_unique<TForm>(nullptr);
  other->SetBounds(500, 100, 200, 150);
  other->Show();
  testsupport::Pump(5);
  ASSERT_EQ(GetActiveWindow(), other->Handle());
  // A press captured in the form that goes inactive is cancelled.
  auto* holder = new Box(Form.get());
  holder->name = "holder";
  holder->SetParent(Form.get());
  holder->SetBounds(10, 10, 60, 30);
  LRESULT answer = MA_NOACTIVATE;
  TWindowProcHook formAnswer;
  formAnswer.Hook(Form.get(), [&](TMessage& m) {
    formAnswer.CallSaved(m);
    if (m.Msg == WM_MOUSEACTIVATE) m.Result = answer;
  });
  SimulateMouse(holder, WM_LBUTTONDOWN, 5, 5, MK_LBUTTON);
  testsupport::Pump(5);
  EXPECT_EQ(GetActiveWindow(), other->Handle());
  EXPECT_EQ(gLog, (std::vector<std::string>{"form mouseactivate", "form parentnotify 201 at 15,15", "holder down"}));
  EXPECT_TRUE(holder->MouseCapture());
  SimulateMouse(holder, WM_LBUTTONUP, 5, 5, 0);
  answer = MA_ACTIVATE;
  gLog.clear();
  SimulateMouse(holder, WM_LBUTTONDOWN, 5, 5, MK_LBUTTON);
  testsupport::Pump(5);
  EXPECT_EQ(GetActiveWindow(), Form->Handle());
  EXPECT_TRUE(holder->MouseCapture());
  // Another window activated while the button is held: the holder is told to let go.
  other->SetFocus();
  testsupport::WaitUntil([&] { return !Form->Active(); }, 500);
  EXPECT_FALSE(Form->Active());
  EXPECT_FALSE(holder->MouseCapture());
  EXPECT_EQ(gLog.back(), "holder cancelmode");
  SimulateMouse(holder, WM_LBUTTONUP, 5, 5, 0);
  formAnswer.Unhook();
}

TEST_F(FormMessages, AModalLoopStartingCancelsTheCapture) {
  auto* holder = new Box(Form.get());
  holder->name = "holder";
  holder->SetParent(Form.get());
  holder->SetBounds(10, 10, 60, 30);
  SimulateMouse(holder, WM_LBUTTONDOWN, 5, 5, MK_LBUTTON);
  ASSERT_TRUE(holder->MouseCapture());
  auto dialog = std::make_unique<TForm>(nullptr);
  bool capturedWhenShown = true;
  dialog->OnShow = [&](TObject*) {
    capturedWhenShown = holder->MouseCapture();
    dialog->SetModalResult(mrOk);
  };
  EXPECT_EQ(dialog->ShowModal(), mrOk);
  EXPECT_FALSE(capturedWhenShown);
  EXPECT_EQ(gLog.back(), "holder cancelmode");
  SimulateMouse(holder, WM_LBUTTONUP, 5, 5, 0);
}

TEST_F(FormMessages, SyncPaintReachesTheFormAndMetricsAreTheClassicOnes) {
  bool synced = false;
  TWindowProcHook hook;
  hook.Hook(Form.get(), [&](TMessage& m) {
    if (m.Msg == WM_SYNCPAINT) synced = true;
    hook.CallSaved(m);
  });
  Form->Hide();
  Form->Show();
  testsupport::Pump(5);
  EXPECT_TRUE(synced);
  hook.Unhook();
  EXPECT_EQ(GetSystemMetrics(SM_CYCAPTION), 19);
  EXPECT_EQ(GetSystemMetrics(SM_CXSIZE), 18);
  EXPECT_EQ(GetSystemMetrics(SM_CYSIZE), 18);
  EXPECT_EQ(GetSystemMetrics(SM_CXFRAME), 4);
  EXPECT_EQ(GetSystemMetrics(SM_CYMENU), 19);
  EXPECT_EQ(GetSystemMetrics(SM_CXVSCROLL), 16);
  EXPECT_EQ(GetSystemMetrics(SM_CYHSCROLL), 16);
  EXPECT_EQ(GetSystemMetrics(SM_CXEDGE), 2);
  EXPECT_EQ(GetSystemMetrics(SM_CXBORDER), 1);
  EXPECT_EQ(GetSystemMetrics(SM_CXSMICON), 16);
  EXPECT_EQ(GetSystemMetrics(12345), 0);
}

}  // namespace
