// The framework's hover tracking and input filter as a push button meets them.
#include <string>
#include <vector>

#include "framework/controls/Button.h"
#include "framework/windows/InputPolicy.h"
#include "framework/windows/WindowProcHook.h"
#include "tests/framework/controls/gui/ControlsFixture.h"

using namespace controlstest;

namespace {

class ButtonHoverTest : public ControlsFixture {
 protected:
  void SetUp() override {
    ControlsFixture::SetUp();
    Btn = new TButton(Form);
    Btn->SetParent(Form);
    Btn->SetBounds(20, 20, 80, 30);
    Btn->SetCaption("Go");
    Btn->OnMouseEnter = [this](TObject*) { Log.push_back("enter"); };
    Btn->OnMouseLeave = [this](TObject*) { Log.push_back("leave"); };
    Btn->OnClick = [this](TObject*) { Log.push_back("click"); };
  }
  TButton* Btn = nullptr;
  std::vector<std::string> Log;
};

TEST_F(ButtonHoverTest, PressMoveOffReleaseLeavesWhileDownAndDoesNotClick) {
  SimulateMouse(Btn, WM_MOUSEMOVE, 10, 10);
  EXPECT_EQ(Log, (std::vector<std::string>{"enter"}));
  EXPECT_EQ(GetMouseControl(), Btn);
  Press(Btn, 10, 10);
  Move(Btn, 150, 90);  // off the button, left button still down
  EXPECT_EQ(Log, (std::vector<std::string>{"enter", "leave"}));
  EXPECT_FALSE(Btn->MouseInControl());
  EXPECT_FALSE(Btn->Down());
  EXPECT_TRUE(Btn->MouseCapture());
  Release(Btn, 150, 90);
  EXPECT_EQ(Log, (std::vector<std::string>{"enter", "leave"}));  // no click
  EXPECT_FALSE(Btn->MouseCapture());

  // Pressed, off and back on while down, released: entered again and one click.
  Log.clear();
  Move(Btn, 10, 10);
  Press(Btn, 10, 10);
  Move(Btn, 150, 90);
  Move(Btn, 12, 12);
  EXPECT_TRUE(Btn->Down());
  Release(Btn, 12, 12);
  EXPECT_EQ(Log, (std::vector<std::string>{"enter", "leave", "enter", "click"}));
  TBitmap shot;
  PaintTo(Form, &shot);
  SaveArtifact(shot, "button_hover_after_click");
}

TEST_F(ButtonHoverTest, PointerLeavingEveryWindowLeavesTheButton) {
  SimulateMouse(Btn, WM_MOUSEMOVE, 10, 10);
  SimulateMouseAt(Point(-500, -500), WM_MOUSEMOVE);
  EXPECT_EQ(Log, (std::vector<std::string>{"enter", "leave"}));
  EXPECT_EQ(GetMouseControl(), nullptr);
  // From the button onto its form: left, and the form is under the pointer.
  SimulateMouse(Btn, WM_MOUSEMOVE, 10, 10);
  SimulateMouse(Form, WM_MOUSEMOVE, 200, 150);
  EXPECT_EQ(Log, (std::vector<std::string>{"enter", "leave", "enter", "leave"}));
  EXPECT_EQ(GetMouseControl(), Form);
}

TEST_F(ButtonHoverTest, DisabledButtonIsLeftAndTakesNoInput) {
  SimulateMouse(Btn, WM_MOUSEMOVE, 10, 10);
  ASSERT_TRUE(Btn->MouseInControl());
  Btn->SetEnabled(false);
  EXPECT_FALSE(Btn->MouseInControl());
  EXPECT_EQ(Log, (std::vector<std::string>{"enter", "leave"}));
  // The pointer over a disabled button is over its parent; presses and keys are dropped.
  SimulateMouse(Btn, WM_MOUSEMOVE, 12, 12);
  EXPECT_EQ(GetMouseControl(), Form);
  Press(Btn, 12, 12);
  Release(Btn, 12, 12);
  Key(Btn, VK_SPACE);
  Key(Btn, VK_RETURN);
  EXPECT_EQ(Log, (std::vector<std::string>{"enter", "leave"}));
  EXPECT_FALSE(Btn->Down());
  Btn->SetEnabled(true);
  SimulateMouse(Btn, WM_MOUSEMOVE, 14, 14);
  EXPECT_EQ(GetMouseControl(), Btn);
}

TEST_F(ButtonHoverTest, EnterAndEscapeReachDefaultAndCancelButtonsAsDialogKeys) {
  auto* cancel = new TButton(Form);
  cancel->SetParent(Form);
  cancel->SetBounds(120, 20, 80, 30);
  cancel->SetCancel(true);
  int cancelled = 0;
  cancel->OnClick = [&](TObject*) { ++cancelled; };
  Btn->SetDefault(true);
  // The focus is on a control that does nothing with Enter or Escape.
  auto* other = new TCustomControl(Form);
  other->SetParent(Form);
  other->SetBounds(20, 80, 60, 20);
  other->SetTabStop(true);
  other->SetFocus();
  Key(other, VK_RETURN);
  EXPECT_EQ(Log, (std::vector<std::string>{"click"}));
  Key(other, VK_ESCAPE);
  EXPECT_EQ(cancelled, 1);
  // A control that wants every key keeps them.
  auto* greedy = new TCustomControl(Form);
  greedy->SetParent(Form);
  TWindowProcHook hook;
  hook.Hook(greedy, [&hook](TMessage& m) {
    if (m.Msg == WM_GETDLGCODE) {
      m.Result = DLGC_WANTALLKEYS;
      return;
    }
    hook.CallSaved(m);
  });
  Key(greedy, VK_RETURN);
  EXPECT_EQ(Log, (std::vector<std::string>{"click"}));
}

}  // namespace
