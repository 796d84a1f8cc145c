// Lifetimes: a form hooked by its own component, the scoped WindowProc hook, and the
// pointers to controls (active, hovered, capturing) that must never dangle.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "framework/windows/Forms.h"
#include "tests/support/input/InputSimulation.h"
#include "framework/windows/InputPolicy.h"
#include "framework/windows/WindowProcHook.h"
#include "framework/windows/Windows.h"
#include "tests/support/TestSupport.h"

namespace {

// Hooks its owner form by hand, as a skinning component does, and puts the saved
// procedure back in its destructor.
struct HandHook : TComponent {
  TCustomForm* Form;
  TWndMethod Saved;
  std::vector<UINT>* Seen;
  bool FormWhole = false;
  bool WindowThere = false;
  HandHook(TCustomForm* f, std::vector<UINT>* seen) : TComponent(f), Form(f), Seen(seen) {
    Saved = f->WindowProc;
    f->WindowProc = [this](TMessage& m) {
      Seen->push_back(m.Msg);
      Saved(m);
    };
  }
  ~HandHook() override {
    FormWhole = dynamic_cast<TCustomForm*>(Form) != nullptr;
    WindowThere = Form->HandleAllocated();
    Form->WindowProc = Saved;
    Form->Perform(WM_USER + 7, 0, 0);  // the form still answers messages
    if (Report) *Report = {FormWhole, WindowThere};
  }
  std::pair<bool, bool>* Report = nullptr;
};

// The same with the scoped hook object.
struct ScopedHook : TComponent {
  TWindowProcHook Hook;
  std::vector<UINT>* Seen;
  ScopedHook(TCustomForm* f, std::vector<UINT>* seen) : TComponent(f), Seen(seen) {
    Hook.Hook(f, [this](TMessage& m) {
      Seen->push_back(m.Msg);
      Hook.CallSaved(m);
    });
  }
};

struct Box : TCustomControl {
  using TCustomControl::TCustomControl;
};

TForm* ShownForm() {
  auto* f = new TForm(nullptr);
  f->SetBounds(100, 100, 300, 200);
  f->Show();
  testsupport::Pump(5);
  return f;
}

TEST(Teardown, FormHookedByItsOwnComponentIsDestroyedWhileStillAForm) {
  std::vector<UINT> seen;
  std::pair<bool, bool> report{false, false};
  TForm* form = ShownForm();
  auto* child = new Box(form);
  child->SetParent(form);
  child->SetBounds(10, 10, 50, 20);
  auto* hook = new HandHook(form, &seen);
  hook->Report = &report;
  form->Perform(WM_USER + 1, 0, 0);
  EXPECT_EQ(seen, std::vector<UINT>{WM_USER + 1});
  delete form;  // under the address sanitizer: no use of freed memory
  EXPECT_TRUE(report.first);   // the hook's destructor met a form
  EXPECT_TRUE(report.second);  // whose window was still there
}

TEST(Teardown, ScopedHookPassesMessagesAndRestoresOnDestruction) {
  std::unique_ptr<TForm> form(ShownForm());
  std::vector<UINT> lower, upper;
  auto* first = new ScopedHook(form.get(), &lower);
  auto* second = new ScopedHook(form.get(), &upper);
  form->Perform(WM_USER + 1, 0, 0);
  EXPECT_EQ(lower, std::vector<UINT>{WM_USER + 1});
  EXPECT_EQ(upper, std::vector<UINT>{WM_USER + 1});
  // The lower hook goes first: the upper one stays in place and still reaches the form.
  delete first;
  form->Perform(WM_USER + 2, 0, 0);
  EXPECT_EQ(lower, std::vector<UINT>{WM_USER + 1});
  EXPECT_EQ(upper, (std::vector<UINT>{WM_USER + 1, WM_USER + 2}));
  form->SetCaption("still handled");
  EXPECT_EQ(form->Caption(), "still handled");
  EXPECT_TRUE(second->Hook.Hooked());
  second->Hook.Unhook();
  EXPECT_FALSE(second->Hook.Hooked());
  upper.clear();
  form->Perform(WM_USER + 3, 0, 0);
  EXPECT_TRUE(upper.empty());
  // A form owning a component with a scoped hook is destroyed cleanly.
  new ScopedHook(form.get(), &upper);
  form.reset();
}

TEST(Teardown, ScopedHookOutlivingItsControlTouchesNothing) {
  TForm* form = ShownForm();
  auto* box = new Box(form);
  box->SetParent(form);
  std::vector<UINT> seen;
  auto hook = std::make_unique<TWindowProcHook>();
  hook->Hook(box, [&](TMessage& m) {
    seen.push_back(m.Msg);
    hook->CallSaved(m);
  });
  EXPECT_EQ(hook->Control(), box);
  box->Perform(WM_USER + 4, 0, 0);
  EXPECT_EQ(seen.back(), WM_USER + 4);
  delete form;  // the control goes first
  EXPECT_EQ(hook->Control(), nullptr);
  EXPECT_FALSE(hook->Hooked());
  hook.reset();  // no restore into freed memory
}

TEST(Teardown, ActiveHoveredAndCapturingControlsAreClearedWhenFreed) {
  std::unique_ptr<TForm> form(ShownForm());
  auto* box = new Box(form.get());
  box->SetParent(form.get());
  box->SetBounds(10, 10, 80, 40);
  box->SetTabStop(true);
  box->SetFocus();
  EXPECT_EQ(form->ActiveControl(), box);
  SimulateMouse(box, WM_MOUSEMOVE, 5, 5);
  EXPECT_EQ(GetMouseControl(), box);
  box->SetMouseCapture(true);
  EXPECT_EQ(GetCaptureControl(), box);
  std::vector<TWinControl*> announced;
  auto* watcher = new Box(form.get());
  watcher->SetParent(form.get());
  TWindowProcHook hook;
  hook.Hook(watcher, [&](TMessage& m) {
    if (m.Msg == CM_FOCUSCHANGED) announced.push_back(reinterpret_cast<TWinControl*>(m.LParam));
    hook.CallSaved(m);
  });
  delete box;
  EXPECT_EQ(form->ActiveControl(), nullptr);
  EXPECT_EQ(GetMouseControl(), nullptr);
  EXPECT_EQ(GetCaptureControl(), nullptr);
  EXPECT_EQ(GetCapture(), HWND(0));
  EXPECT_EQ(announced, std::vector<TWinControl*>{nullptr});
  // Mouse input after that goes on normally.
  SimulateMouse(form.get(), WM_MOUSEMOVE, 200, 150);
  EXPECT_EQ(GetMouseControl(), form.get());

  // A window-less control holding the capture and the hover, then freed.
  auto* spot = new TGraphicControl(form.get());
  spot->SetParent(form.get());
  spot->SetBounds(100, 20, 30, 30);
  SimulateMouse(form.get(), WM_MOUSEMOVE, 110, 30);
  EXPECT_EQ(GetMouseControl(), spot);
  SimulateMouse(form.get(), WM_LBUTTONDOWN, 110, 30, MK_LBUTTON);
  EXPECT_EQ(GetCaptureControl(), spot);
  delete spot;
  EXPECT_EQ(GetMouseControl(), nullptr);
  EXPECT_EQ(GetCaptureControl(), nullptr);
  EXPECT_EQ(GetCapture(), HWND(0));
  SimulateMouse(form.get(), WM_LBUTTONUP, 110, 30, 0);
  hook.Unhook();
}

TEST(Teardown, ControlsTakenOutOrHiddenStopBeingHoveredOrCapturing) {
  std::unique_ptr<TForm> form(ShownForm());
  auto* box = new Box(form.get());
  box->SetParent(form.get());
  box->SetBounds(10, 10, 80, 40);
  int leaves = 0;
  box->OnMouseLeave = [&](TObject*) { ++leaves; };
  SimulateMouse(box, WM_MOUSEMOVE, 5, 5);
  box->SetMouseCapture(true);
  box->Hide();
  EXPECT_EQ(leaves, 1);
  EXPECT_EQ(GetMouseControl(), nullptr);
  EXPECT_FALSE(box->MouseCapture());
  box->Show();
  SimulateMouse(box, WM_MOUSEMOVE, 6, 6);
  EXPECT_EQ(GetMouseControl(), box);
  box->SetParent(nullptr);
  EXPECT_EQ(leaves, 2);
  EXPECT_EQ(GetMouseControl(), nullptr);
  delete box;
}

}  // namespace
