// The application object, modal forms and timers.
#include <gtest/gtest.h>

#include <QTimer>
#include <memory>

#include "framework/core/Exceptions.h"
#include "framework/windows/Application.h"
#include "framework/windows/Forms.h"
#include "framework/windows/Timers.h"
#include "framework/windows/Windows.h"
#include "tests/support/TestSupport.h"

namespace {

TEST(ApplicationObject, FormsInCreationOrderAndTheFirstCreatedIsMain) {
  int before = Application->FormCount();
  TCustomForm* saved = Application->MainForm();
  Application->SetMainForm(nullptr);
  TForm* first = Application->CreateForm<TForm>();
  auto* second = new TForm(nullptr);
  TForm* third = Application->CreateForm<TForm>();
  EXPECT_EQ(Application->MainForm(), first);
  ASSERT_EQ(Application->FormCount(), before + 3);
  EXPECT_EQ(Application->Forms(before), first);
  EXPECT_EQ(Application->Forms(before + 1), second);
  EXPECT_EQ(Application->Forms(before + 2), third);
  EXPECT_EQ(first->Owner(), static_cast<TComponent*>(Application));
  delete second;
  EXPECT_EQ(Application->FormCount(), before + 2);
  delete first;
  EXPECT_EQ(Application->MainForm(), nullptr);
  delete third;
  Application->SetMainForm(saved);
}

TEST(ApplicationObject, ClosingTheMainFormEndsRun) {
  TCustomForm* saved = Application->MainForm();
  Application->SetMainForm(nullptr);
  TForm* main = Application->CreateForm<TForm>();
  bool shown = false;
  main->OnShow = [&](TObject*) {
    shown = true;
    PostMessage(main->Handle(), WM_CLOSE, 0, 0);
  };
  Application->Run();
  EXPECT_TRUE(shown);
  EXPECT_FALSE(main->Visible());
  delete main;
  Application->SetMainForm(saved);
}

TEST(ModalForm, ShowModalReturnsTheModalResult) {
  auto f = std::make_unique<TForm>(nullptr);
  QTimer::singleShot(20, [&] { f->SetModalResult(mrOk); });
  EXPECT_EQ(f->ShowModal(), mrOk);
  EXPECT_FALSE(f->Visible());
  EXPECT_FALSE(f->Modal());

  // CloseQuery may refuse once; Close gives mrCancel.
  int asked = 0;
  f->OnCloseQuery = [&](TObject*, bool& can) { can = ++asked > 1; };
  QTimer::singleShot(10, [&] { f->SetModalResult(mrYes); });
  QTimer::singleShot(40, [&] { f->Close(); });
  EXPECT_EQ(f->ShowModal(), mrCancel);
  EXPECT_EQ(asked, 2);

  f->Show();
  EXPECT_THROW(f->ShowModal(), EInvalidOperation);
}

TEST(Timers, TimerTicksAndMayBeFreedInsideItsOwnTick) {
  auto* t = new TTimer(nullptr);
  t->SetInterval(5);
  int ticks = 0;
  t->OnTimer = [&](TObject* sender) {
    ++ticks;
    if (ticks == 3) delete static_cast<TTimer*>(sender);
  };
  EXPECT_TRUE(testsupport::WaitUntil([&] { return ticks >= 3; }, 3000));
  testsupport::Pump(50);
  EXPECT_EQ(ticks, 3);  // freed: no tick after

  TTimer off(nullptr);
  int offTicks = 0;
  off.SetInterval(5);
  off.OnTimer = [&](TObject*) { ++offTicks; };
  off.SetEnabled(false);
  testsupport::Pump(40);
  EXPECT_EQ(offTicks, 0);
  off.SetEnabled(true);
  EXPECT_TRUE(testsupport::WaitUntil([&] { return offTicks > 0; }, 3000));
}

TEST(Timers, WindowTimersDeliverTheirIdAndCanBeKilledInTheirOwnTick) {
  auto f = std::make_unique<TForm>(nullptr);
  HWND h = f->Handle();
  std::vector<WPARAM> ids;
  TWndMethod saved = f->WindowProc;
  f->WindowProc = [&](TMessage& m) {
    if (m.Msg == WM_TIMER) {
      ids.push_back(m.WParam);
      if (m.WParam == 7) KillTimer(h, 7);
    }
    saved(m);
  };
  EXPECT_EQ(SetTimer(h, 7, 5), 7u);
  EXPECT_EQ(SetTimer(h, 9, 5), 9u);
  EXPECT_TRUE(testsupport::WaitUntil([&] { return std::count(ids.begin(), ids.end(), WPARAM(9)) >= 3; }, 3000));
  EXPECT_EQ(std::count(ids.begin(), ids.end(), WPARAM(7)), 1);
  EXPECT_FALSE(KillTimer(h, 7));
  // A window destroyed with a running timer gets no more ticks.
  f->WindowProc = saved;
  f.reset();
  testsupport::Pump(30);
  EXPECT_EQ(SetTimer(h, 1, 5), 0u);
}

}  // namespace
