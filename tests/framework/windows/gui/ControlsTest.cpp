// Controls: message delivery, posting, window-less children, capture, keys and the
// application's message filter.
#include <gtest/gtest.h>

#include <memory>
#include <thread>
#include <vector>

#include "framework/core/Exceptions.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "framework/windows/Application.h"
#include "framework/windows/Forms.h"
#include "tests/support/input/InputSimulation.h"
#include "framework/windows/PaintTo.h"
#include "framework/windows/Windows.h"
#include "tests/support/TestSupport.h"

namespace {

struct Filled : TCustomControl {
  using TCustomControl::TCustomControl;
  TColor fill = clBlue;
  std::vector<UINT> seen;
  void WndProc(TMessage& m) override {
    seen.push_back(m.Msg);
    TCustomControl::WndProc(m);
  }
  int Count(UINT msg) const { return int(std::count(seen.begin(), seen.end(), msg)); }

 protected:
  void Paint() override {
    Canvas()->Brush()->Color = fill;
    Canvas()->FillRect(ClientRect());
  }
};

struct Spot : TGraphicControl {
  using TGraphicControl::TGraphicControl;
  std::vector<std::string> log;

 protected:
  void Paint() override {
    Canvas()->Brush()->Color = clRed;
    Canvas()->FillRect(Rect(0, 0, Width() + 50, Height() + 50));  // clipped to the control
  }
  void CMMouseEnter(TMessage& m) override {
    TGraphicControl::CMMouseEnter(m);
    log.push_back("enter");
  }
  void CMMouseLeave(TMessage& m) override {
    TGraphicControl::CMMouseLeave(m);
    log.push_back("leave");
  }
};

struct FormFixture : ::testing::Test {
  std::unique_ptr<TForm> form;
  void SetUp() override {
    form = std::make_unique<TForm>(nullptr);
    form->SetBounds(200, 150, 320, 240);
    form->Show();
  }
  void TearDown() override {
    Application->OnMessage = nullptr;
    Application->OnException = nullptr;
    Application->SetMessageBoxHook(nullptr);
    ReleaseCapture();
    form.reset();
  }
};

TEST_F(FormFixture, SendIsSynchronousPostIsQueuedAndDeadWindowsDropMessages) {
  auto* c = new Filled(form.get());
  c->SetParent(form.get());
  HWND h = c->Handle();
  EXPECT_TRUE(IsWindow(h));
  SendMessage(h, WM_USER + 1, 0, 0);
  EXPECT_EQ(c->Count(WM_USER + 1), 1);
  EXPECT_TRUE(PostMessage(h, WM_USER + 2, 0, 0));
  EXPECT_EQ(c->Count(WM_USER + 2), 0);  // not before the loop runs
  Application->ProcessMessages();
  EXPECT_EQ(c->Count(WM_USER + 2), 1);

  // Posted to a window that is destroyed before delivery: dropped, no crash.
  EXPECT_TRUE(PostMessage(h, WM_USER + 3, 0, 0));
  delete c;
  EXPECT_FALSE(IsWindow(h));
  Application->ProcessMessages();
  EXPECT_FALSE(PostMessage(h, WM_USER + 4, 0, 0));
  EXPECT_EQ(SendMessage(h, WM_USER + 5, 0, 0), 0);
  EXPECT_EQ(FindControl(h), nullptr);

  // Posting from another thread arrives on this one.
  auto* d = new Filled(form.get());
  d->SetParent(form.get());
  HWND hd = d->Handle();
  std::thread([hd] { PostMessageFromThread(hd, WM_USER + 6, 7, 8); }).join();
  EXPECT_TRUE(testsupport::WaitUntil([&] { return d->Count(WM_USER + 6) == 1; }, 2000));
}

TEST_F(FormFixture, GraphicControlPaintsInItsParentAndGetsMouseMessages) {
  auto* host = new Filled(form.get());
  host->SetParent(form.get());
  host->SetBounds(10, 10, 100, 80);
  auto* spot = new Spot(form.get());
  spot->SetParent(host);
  spot->SetBounds(20, 30, 10, 10);

  TBitmap shot;
  PaintTo(host, &shot);
  EXPECT_EQ(shot.Pixel(25, 35), clRed);
  EXPECT_EQ(shot.Pixel(20, 30), clRed);
  EXPECT_EQ(shot.Pixel(29, 39), clRed);
  EXPECT_EQ(shot.Pixel(30, 35), clBlue);  // clipped at the control's edge
  EXPECT_EQ(shot.Pixel(25, 40), clBlue);
  EXPECT_EQ(shot.Pixel(5, 5), clBlue);

  // What the parent shows under the control (without the control itself).
  TBitmap under(10, 10);
  CopyParentImage(spot, under.Canvas());
  EXPECT_EQ(under.Pixel(5, 5), clBlue);

  std::vector<std::string> events;
  spot->OnMouseDown = [&](TObject*, TMouseButton b, TShiftState s, int x, int y) {
    events.push_back("down " + std::to_string(x) + "," + std::to_string(y) + (s.Contains(ssLeft) ? " L" : ""));
  };
  spot->OnMouseUp = [&](TObject*, TMouseButton, TShiftState, int x, int y) {
    events.push_back("up " + std::to_string(x) + "," + std::to_string(y));
  };
  spot->OnMouseMove = [&](TObject*, TShiftState, int x, int y) {
    events.push_back("move " + std::to_string(x) + "," + std::to_string(y));
  };
  spot->OnClick = [&](TObject*) { events.push_back("click"); };

  SimulateMouse(host, WM_MOUSEMOVE, 5, 5);
  SimulateMouse(host, WM_MOUSEMOVE, 22, 33);
  EXPECT_EQ(spot->log, (std::vector<std::string>{"enter"}));
  EXPECT_TRUE(spot->MouseInControl());
  SimulateMouse(host, WM_LBUTTONDOWN, 22, 33, MK_LBUTTON);
  EXPECT_TRUE(spot->MouseCapture());
  // Captured: moves outside still reach it, in its own coordinates.
  SimulateMouse(host, WM_MOUSEMOVE, 60, 70, MK_LBUTTON);
  SimulateMouse(host, WM_LBUTTONUP, 60, 70, 0);
  EXPECT_FALSE(spot->MouseCapture());
  SimulateMouse(host, WM_LBUTTONDOWN, 24, 34, MK_LBUTTON);
  SimulateMouse(host, WM_LBUTTONUP, 24, 34, 0);
  EXPECT_EQ(events, (std::vector<std::string>{"move 2,3", "down 2,3 L", "move 40,40", "up 40,40", "down 4,4 L",
                                              "click", "up 4,4"}));
  EXPECT_EQ(host->Count(WM_LBUTTONDOWN), 2);  // seen by the parent, handled by the child
  // Hover follows every message: left by the captured move off it, entered by the
  // second press, left by the last move.
  SimulateMouse(host, WM_MOUSEMOVE, 80, 70);
  EXPECT_EQ(spot->log, (std::vector<std::string>{"enter", "leave", "enter", "leave"}));

  // Hidden or disabled window-less controls are passed over.
  spot->SetEnabled(false);
  events.clear();
  SimulateMouse(host, WM_LBUTTONDOWN, 22, 33, MK_LBUTTON);
  SimulateMouse(host, WM_LBUTTONUP, 22, 33, 0);
  EXPECT_TRUE(events.empty());
}

TEST_F(FormFixture, CaptureRoutesMouseMessagesAndTellsTheLoser) {
  auto* a = new Filled(form.get());
  a->SetParent(form.get());
  a->SetBounds(0, 0, 50, 50);
  auto* b = new Filled(form.get());
  b->SetParent(form.get());
  b->SetBounds(100, 100, 50, 50);
  TPoint where;
  a->OnMouseMove = [&](TObject*, TShiftState, int x, int y) { where = Point(x, y); };
  EXPECT_EQ(SetCapture(a->Handle()), HWND(0));
  EXPECT_EQ(GetCapture(), a->Handle());
  SimulateMouse(b, WM_MOUSEMOVE, 5, 6);
  EXPECT_EQ(where, Point(105, 106));  // in a's client coordinates
  EXPECT_EQ(b->Count(WM_MOUSEMOVE), 0);
  SetCapture(b->Handle());
  EXPECT_EQ(a->Count(WM_CAPTURECHANGED), 1);
  ReleaseCapture();
  EXPECT_EQ(b->Count(WM_CAPTURECHANGED), 1);
  EXPECT_EQ(GetCapture(), HWND(0));
  // Capture dies with its window.
  SetCapture(a->Handle());
  delete a;
  EXPECT_EQ(GetCapture(), HWND(0));
  SimulateMouse(b, WM_MOUSEMOVE, 1, 1);
  EXPECT_EQ(b->Count(WM_MOUSEMOVE), 1);
}

TEST_F(FormFixture, KeysCharsWheelAndTheApplicationFilter) {
  auto* c = new Filled(form.get());
  c->SetParent(form.get());
  c->SetBounds(0, 0, 50, 50);
  std::vector<std::string> log;
  c->OnKeyDown = [&](TObject*, Word& k, TShiftState s) {
    log.push_back("down " + std::to_string(k) + (s.Contains(ssShift) ? " shift" : ""));
  };
  c->OnKeyPress = [&](TObject*, char32_t& ch) { log.push_back("press " + std::to_string(unsigned(ch))); };
  c->OnMouseWheel = [&](TObject*, TShiftState, int delta, TPoint, bool& handled) {
    log.push_back("wheel " + std::to_string(delta));
    handled = true;
  };
  SimulateKey(c, WM_KEYDOWN, VK_LEFT, MK_SHIFT);
  SimulateChar(c, U'a');
  SimulateChar(c, U'中');
  SimulateWheel(c, 5, 5, -120);
  EXPECT_EQ(log, (std::vector<std::string>{"down 37 shift", "down 65", "press 97", "press 20013", "wheel -120"}));

  // OnMessage sees keys and wheel first and may take them.
  std::vector<UINT> filtered;
  Application->OnMessage = [&](TMessage& m, HWND target, bool& handled) {
    filtered.push_back(m.Msg);
    if (m.Msg == WM_KEYDOWN || m.Msg == WM_MOUSEWHEEL) {
      EXPECT_EQ(target, c->Handle());
      handled = true;
    }
  };
  log.clear();
  SimulateKey(c, WM_KEYDOWN, VK_ESCAPE);
  SimulateWheel(c, 5, 5, 240);
  EXPECT_TRUE(log.empty());
  EXPECT_NE(std::find(filtered.begin(), filtered.end(), WM_KEYDOWN), filtered.end());
  EXPECT_NE(std::find(filtered.begin(), filtered.end(), WM_MOUSEWHEEL), filtered.end());
  Application->OnMessage = nullptr;

  // KeyPreview: the form sees the key first and can swallow it.
  form->SetKeyPreview(true);
  form->OnKeyDown = [&](TObject*, Word& k, TShiftState) {
    log.push_back("form " + std::to_string(k));
    if (k == VK_ESCAPE) k = 0;
  };
  SimulateKey(c, WM_KEYDOWN, VK_ESCAPE);
  SimulateKey(c, WM_KEYDOWN, VK_RETURN);
  EXPECT_EQ(log, (std::vector<std::string>{"form 27", "form 13", "down 13"}));
}

TEST_F(FormFixture, ExceptionsInHandlersReachTheDefaultHandlerAndTheProgramRunsOn) {
  std::vector<std::string> boxes;
  unsigned lastFlags = 0;
  Application->SetTitle("Corvale");
  Application->SetMessageBoxHook([&](const std::string& text, const std::string& caption, unsigned flags) {
    boxes.push_back(caption + ": " + text);
    lastFlags = flags;
    return IDOK;
  });
  auto* c = new Filled(form.get());
  c->SetParent(form.get());
  c->SetBounds(0, 0, 50, 50);
  int clicks = 0;
  c->OnClick = [&](TObject*) {
    ++clicks;
    throw EInOutError(5, "Disk full");
  };
  SimulateMouse(c, WM_LBUTTONDOWN, 5, 5, MK_LBUTTON);
  SimulateMouse(c, WM_LBUTTONUP, 5, 5, 0);
  SimulateMouse(c, WM_LBUTTONDOWN, 5, 5, MK_LBUTTON);
  SimulateMouse(c, WM_LBUTTONUP, 5, 5, 0);
  EXPECT_EQ(clicks, 2);
  EXPECT_EQ(boxes, (std::vector<std::string>{"Corvale: Disk full", "Corvale: Disk full"}));
  EXPECT_EQ(lastFlags & 0xF0, MB_ICONERROR);

  // A posted message whose handler throws, and OnException replacing the default.
  std::string seen;
  Application->OnException = [&](TObject*, const std::exception& e) { seen = e.what(); };
  c->OnKeyDown = [](TObject*, Word&, TShiftState) { throw Exception("from a key"); };
  SimulateKey(c, WM_KEYDOWN, VK_SPACE);
  EXPECT_EQ(seen, "from a key");
  EXPECT_EQ(boxes.size(), 2u);

  EXPECT_EQ(Application->MessageBox("Sure?", "Ask", MB_OKCANCEL), IDOK);
  EXPECT_EQ(boxes.back(), "Ask: Sure?");
}

TEST_F(FormFixture, DestroyingAControlInsideItsOwnClickIsSafe) {
  auto* c = new Filled(form.get());
  c->SetParent(form.get());
  c->SetBounds(0, 0, 50, 50);
  HWND h = c->Handle();
  c->OnClick = [&](TObject* sender) { delete static_cast<TControl*>(sender); };
  SimulateMouse(c, WM_LBUTTONDOWN, 5, 5, MK_LBUTTON);
  SimulateMouse(c, WM_LBUTTONUP, 5, 5, 0);
  EXPECT_FALSE(IsWindow(h));
  EXPECT_EQ(form->ControlCount(), 0);
  Application->ProcessMessages();
}

TEST_F(FormFixture, AlignedChildrenFillTheClientArea) {
  auto* top = new Filled(form.get());
  top->SetParent(form.get());
  top->SetHeight(30);
  top->SetAlign(alTop);
  auto* rest = new Filled(form.get());
  rest->SetParent(form.get());
  rest->SetAlign(alClient);
  EXPECT_EQ(top->BoundsRect(), Rect(0, 0, form->ClientWidth(), 30));
  EXPECT_EQ(rest->BoundsRect(), Rect(0, 30, form->ClientWidth(), form->ClientHeight()));
  form->SetBounds(form->Left(), form->Top(), 400, 300);
  EXPECT_EQ(rest->BoundsRect(), Rect(0, 30, form->ClientWidth(), form->ClientHeight()));
}

}  // namespace
