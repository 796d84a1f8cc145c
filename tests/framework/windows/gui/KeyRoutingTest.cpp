// Keys no control handled: dialog keys, dialog characters, focus moves, the keyboard
// menu and closing, and the focus-change announcement.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "framework/windows/Forms.h"
#include "tests/support/input/InputSimulation.h"
#include "framework/windows/WindowProcHook.h"
#include "tests/support/TestSupport.h"

namespace {

// A focusable control that logs the framework's notifications it gets.
struct Item : TCustomControl {
  explicit Item(TComponent* owner) : TCustomControl(owner) { FTabStop = true; }
  std::vector<std::string> log;
  std::vector<TWinControl*> focusNotes;
  char32_t accel = 0;
  LRESULT dlgCode = 0;

 protected:
  void WndProc(TMessage& m) override {
    switch (m.Msg) {
      case CM_DIALOGCHAR:
        log.push_back("char " + std::string(1, char(m.WParam)));
        if (accel && char32_t(m.WParam) == accel) {
          m.Result = 1;
          return;
        }
        break;
      case CM_DIALOGKEY:
        log.push_back("key " + std::to_string(m.WParam));
        break;
      case CM_FOCUSCHANGED:
        focusNotes.push_back(reinterpret_cast<TWinControl*>(m.LParam));
        break;
      case WM_GETDLGCODE:
        m.Result = dlgCode;
        return;
    }
    TCustomControl::WndProc(m);
  }
};

class KeyRouting : public ::testing::Test {
 protected:
  void SetUp() override {
    Form = std::make_unique<TForm>(nullptr);
    Form->SetBounds(120, 80, 360, 240);
    Form->Show();
    testsupport::Pump(5);
    FormHook.Hook(Form.get(), [this](TMessage& m) {
      if (m.Msg == WM_SYSCOMMAND) Commands.emplace_back(m.WParam, m.LParam);
      FormHook.CallSaved(m);
    });
  }
  void TearDown() override {
    FormHook.Unhook();
    Form.reset();
  }
  Item* AddItem(TWinControl* parent, int x, int tabOrder) {
    auto* it = new Item(Form.get());
    it->SetParent(parent);
    it->SetBounds(x, 10, 40, 20);
    if (tabOrder >= 0) it->SetTabOrder(tabOrder);
    return it;
  }
  static void Key(TWinControl* c, int vk, WPARAM keys = 0) {
    SimulateKey(c, WM_KEYDOWN, vk, keys);
    SimulateKey(c, WM_KEYUP, vk, keys);
  }

  std::unique_ptr<TForm> Form;
  TWindowProcHook FormHook;
  std::vector<std::pair<WPARAM, LPARAM>> Commands;
};

TEST_F(KeyRouting, AltSpaceF10AndALoneAltTapAskForTheKeyboardMenu) {
  Item* a = AddItem(Form.get(), 10, -1);
  a->SetFocus();
  Key(a, VK_SPACE, MK_ALT);
  ASSERT_EQ(Commands.size(), 1u);
  EXPECT_EQ(Commands[0].first, WPARAM(0xF100));
  EXPECT_EQ(Commands[0].second, LPARAM(' '));
  Key(a, VK_F10);
  ASSERT_EQ(Commands.size(), 2u);
  EXPECT_EQ(Commands[1], (std::pair<WPARAM, LPARAM>(SC_KEYMENU, 0)));
  SimulateKey(a, WM_KEYDOWN, VK_MENU, MK_ALT);
  SimulateKey(a, WM_KEYUP, VK_MENU);
  ASSERT_EQ(Commands.size(), 3u);
  EXPECT_EQ(Commands[2], (std::pair<WPARAM, LPARAM>(SC_KEYMENU, 0)));
  // Alt used with another key is no tap; the form itself (nothing focused) works too.
  SimulateKey(Form.get(), WM_KEYDOWN, VK_MENU, MK_ALT);
  SimulateKey(Form.get(), WM_KEYDOWN, 'X', MK_ALT);
  SimulateKey(Form.get(), WM_KEYUP, VK_MENU);
  EXPECT_EQ(Commands.size(), 3u);
  EXPECT_EQ(a->log, std::vector<std::string>{"char x"});  // Alt+X offered as a dialog character
}

TEST_F(KeyRouting, AltF4ClosesTheForm) {
  Item* a = AddItem(Form.get(), 10, -1);
  a->SetFocus();
  Key(a, VK_F4, MK_ALT);
  ASSERT_EQ(Commands.size(), 1u);
  EXPECT_EQ(Commands[0].first, SC_CLOSE);
  EXPECT_FALSE(Form->Visible());
}

TEST_F(KeyRouting, TabAndShiftTabFollowTabOrderAcrossContainersAndSkipNonStops) {
  Item* c = AddItem(Form.get(), 10, 2);
  Item* a = AddItem(Form.get(), 60, 0);
  auto* panel = new Item(Form.get());  // a container that is no tab stop itself
  panel->SetParent(Form.get());
  panel->SetTabStop(false);
  panel->SetTabOrder(1);
  panel->SetBounds(10, 60, 200, 60);
  Item* inner = AddItem(panel, 10, 0);
  Item* skipped = AddItem(Form.get(), 110, 3);
  skipped->SetTabStop(false);
  a->SetFocus();
  std::vector<TWinControl*> order;
  for (int i = 0; i < 4; ++i) {
    Key(Form->ActiveControl(), VK_TAB);
    order.push_back(Form->ActiveControl());
  }
  EXPECT_EQ(order, (std::vector<TWinControl*>{inner, c, a, inner}));
  Key(Form->ActiveControl(), VK_TAB, MK_SHIFT);
  EXPECT_EQ(Form->ActiveControl(), a);
  EXPECT_TRUE(a->Focused());
  // A control that wants Tab keeps it.
  a->dlgCode = DLGC_WANTTAB;
  Key(a, VK_TAB);
  EXPECT_EQ(Form->ActiveControl(), a);
}

TEST_F(KeyRouting, ArrowsMoveAmongSiblingsAndEveryFocusChangeIsAnnounced) {
  auto* panel = new Item(Form.get());
  panel->SetParent(Form.get());
  panel->SetBounds(10, 60, 300, 60);
  Item* x = AddItem(panel, 10, 0);
  Item* y = AddItem(panel, 60, 1);
  y->SetTabStop(false);  // arrows pass over tab stops
  Item* outside = AddItem(Form.get(), 10, 5);
  x->SetFocus();
  Key(x, VK_RIGHT);
  EXPECT_EQ(Form->ActiveControl(), y);
  Key(y, VK_DOWN);
  EXPECT_EQ(Form->ActiveControl(), x);  // wraps inside the panel, never to outside
  Key(x, VK_LEFT);
  EXPECT_EQ(Form->ActiveControl(), y);
  // Every control of the form, nested ones too, heard of each change, with the control.
  EXPECT_EQ(outside->focusNotes, (std::vector<TWinControl*>{x, y, x, y}));
  EXPECT_EQ(x->focusNotes, outside->focusNotes);
  EXPECT_EQ(panel->focusNotes, outside->focusNotes);
}

TEST_F(KeyRouting, UnhandledCharactersAreDialogCharactersUnlessTheControlWantsThem) {
  Item* a = AddItem(Form.get(), 10, 0);
  Item* b = AddItem(Form.get(), 60, 1);
  b->accel = U'k';
  a->SetFocus();
  SimulateChar(a, U'k');
  EXPECT_EQ(a->log, std::vector<std::string>{"char k"});
  EXPECT_EQ(b->log, std::vector<std::string>{"char k"});
  // Taken by b: nobody after it hears of the next one.
  Item* c = AddItem(Form.get(), 110, 2);
  SimulateChar(a, U'k');
  EXPECT_TRUE(c->log.empty());
  a->dlgCode = DLGC_WANTCHARS;
  SimulateChar(a, U'q');
  EXPECT_EQ(b->log.size(), 2u);
}

}  // namespace
