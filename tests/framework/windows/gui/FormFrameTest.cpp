// Forms: the window procedure hook, the default frame, the move and size loops, a form
// read from a stored layout.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/Region.h"
#include "framework/layout/ClassRegistry.h"
#include "framework/layout/LayoutReader.h"
#include "framework/windows/Application.h"
#include "framework/windows/Forms.h"
#include "tests/support/input/InputSimulation.h"
#include "framework/windows/PaintTo.h"
#include "framework/windows/Timers.h"
#include "framework/windows/Windows.h"
#include "framework/windows/WindowsClasses.h"
#include "tests/support/TestSupport.h"

namespace {

std::unique_ptr<TForm> MakeForm(int l, int t, int w, int h, const std::string& caption = "Hi") {
  auto f = std::make_unique<TForm>(nullptr);
  f->SetBounds(l, t, w, h);
  f->SetCaption(caption);
  return f;
}

// Hooks WindowProc, records every message number, then forwards to the saved one.
struct Hook {
  std::vector<UINT> seen;
  TWndMethod saved;
  std::function<bool(TMessage&)> before;  // returns true to swallow
  TControl* target;
  explicit Hook(TControl* c) : target(c) {
    saved = c->WindowProc;
    c->WindowProc = [this](TMessage& m) {
      seen.push_back(m.Msg);
      if (before && before(m)) return;
      saved(m);
    };
  }
  ~Hook() { target->WindowProc = saved; }  // unhooks, as a hooking component does
  bool Saw(UINT msg) const { return std::find(seen.begin(), seen.end(), msg) != seen.end(); }
  int IndexOf(UINT msg) const {
    auto it = std::find(seen.begin(), seen.end(), msg);
    return it == seen.end() ? -1 : int(it - seen.begin());
  }
};

TEST(FormHook, SeesNonClientAndSizeMessagesBeforeTheFormAndForwards) {
  auto f = MakeForm(40, 50, 300, 200);
  HWND h = f->Handle();
  std::vector<std::string> order;
  Hook hook(f.get());
  hook.before = [&](TMessage& m) {
    if (m.Msg == WM_SIZE) order.push_back("hook size");
    return false;
  };
  f->OnResize = [&](TObject*) { order.push_back("form resize"); };

  f->SetBounds(40, 50, 320, 220);
  EXPECT_TRUE(hook.Saw(WM_NCCALCSIZE));
  EXPECT_EQ(order, (std::vector<std::string>{"hook size", "form resize"}));
  EXPECT_EQ(f->ClientWidth(), 320 - 2 * DefaultFrameBorder);  // the forwarded default did the calc

  // Hit test through the hook: forwarded, so the default frame answers.
  LRESULT hit = SendMessage(h, WM_NCHITTEST, 0, MAKELPARAM(40 + 100, 50 + 10));
  EXPECT_TRUE(hook.Saw(WM_NCHITTEST));
  EXPECT_EQ(hit, HTCAPTION);
  EXPECT_EQ(SendMessage(h, WM_NCHITTEST, 0, MAKELPARAM(40 + 100, 50 + 100)), HTCLIENT);
  EXPECT_EQ(SendMessage(h, WM_NCHITTEST, 0, MAKELPARAM(40 + 319, 50 + 100)), HTRIGHT);

  // Frame painting goes through the hook too.
  TBitmap shot;
  PaintTo(f.get(), &shot);
  EXPECT_TRUE(hook.Saw(WM_NCPAINT));

  // A hook that answers itself overrides the form.
  hook.before = [](TMessage& m) {
    if (m.Msg != WM_NCHITTEST) return false;
    m.Result = HTBOTTOMRIGHT;
    return true;
  };
  EXPECT_EQ(SendMessage(h, WM_NCHITTEST, 0, MAKELPARAM(40 + 100, 50 + 100)), HTBOTTOMRIGHT);
}

TEST(FormHook, CalcSizeHookDecidesTheClientArea) {
  auto f = MakeForm(0, 0, 200, 150);
  f->Handle();
  Hook hook(f.get());
  hook.before = [](TMessage& m) {
    if (m.Msg != WM_NCCALCSIZE) return false;
    auto* r = reinterpret_cast<TRect*>(m.LParam);
    InflateRect(*r, -10, -10);
    return true;
  };
  f->SetBounds(0, 0, 220, 160);
  EXPECT_EQ(f->ClientRectInWindow(), Rect(10, 10, 210, 150));
  EXPECT_EQ(f->ClientWidth(), 200);
  EXPECT_EQ(f->ClientOrigin(), Point(10, 10));
  // Nothing can make the client rectangle inside out.
  hook.before = [](TMessage& m) {
    if (m.Msg != WM_NCCALCSIZE) return false;
    auto* r = reinterpret_cast<TRect*>(m.LParam);
    r->Right = r->Left - 50;
    return true;
  };
  f->SetBounds(0, 0, 230, 160);
  EXPECT_EQ(f->ClientWidth(), 0);
}

TEST(FormFrame, DefaultFramePaintsBorderCaptionAndOffsetsTheClient) {
  auto f = MakeForm(10, 10, 240, 160, "Corvale");
  HWND h = f->Handle();
  auto* child = new TCustomControl(f.get());
  child->SetParent(f.get());
  child->SetBounds(0, 0, 20, 20);
  child->SetColor(clRed);
  SendMessage(h, WM_ACTIVATE, WA_ACTIVE, 0);
  SendMessage(h, WM_NCACTIVATE, 1, 0);
  ASSERT_TRUE(f->Active());

  EXPECT_EQ(f->ClientRectInWindow(), Rect(3, 22, 237, 157));
  EXPECT_EQ(f->ClientOrigin(), Point(13, 32));

  TBitmap shot;
  PaintTo(f.get(), &shot);
  ASSERT_EQ(shot.Width(), 240);
  ASSERT_EQ(shot.Height(), 160);
  shot.SavePngFile(testsupport::ArtifactDir() + "/windows_default_frame.png");

  EXPECT_EQ(shot.Pixel(0, 0), ColorToRGB(cl3DLight));
  EXPECT_EQ(shot.Pixel(1, 1), ColorToRGB(clBtnHighlight));
  EXPECT_EQ(shot.Pixel(239, 159), ColorToRGB(cl3DDkShadow));
  EXPECT_EQ(shot.Pixel(238, 158), ColorToRGB(clBtnShadow));
  EXPECT_EQ(shot.Pixel(2, 80), ColorToRGB(clBtnFace));
  // Caption band (right of the text, left of the close button) in the active colour.
  EXPECT_EQ(shot.Pixel(150, 4), ColorToRGB(clActiveCaption));
  EXPECT_EQ(shot.Pixel(150, 20), ColorToRGB(clActiveCaption));
  EXPECT_EQ(shot.Pixel(150, 21), ColorToRGB(clBtnFace));  // separator
  // Some caption text is drawn in white near the left.
  int white = 0;
  for (int y = 3; y < 21; ++y)
    for (int x = 5; x < 60; ++x) white += shot.Pixel(x, y) == clWhite;
  EXPECT_GT(white, 10);
  // The client starts at (3, 22): the child's red is there and not one pixel before.
  EXPECT_EQ(shot.Pixel(3, 22), clRed);
  EXPECT_EQ(shot.Pixel(22, 41), clRed);
  EXPECT_NE(shot.Pixel(2, 22), clRed);
  EXPECT_NE(shot.Pixel(3, 21), clRed);
  EXPECT_EQ(shot.Pixel(100, 100), ColorToRGB(clBtnFace));  // form background

  // Inactive: the caption takes the inactive colour.
  SendMessage(h, WM_ACTIVATE, WA_INACTIVE, 0);
  SendMessage(h, WM_NCACTIVATE, 0, 0);
  PaintTo(f.get(), &shot);
  EXPECT_EQ(shot.Pixel(150, 10), ColorToRGB(clInactiveCaption));
}

TEST(FormFrame, CaptionFollowsNcActivateWhichComesBeforeActivate) {
  // The window system sends WM_NCACTIVATE first: the caption must already show the new state.
  auto f = MakeForm(10, 10, 240, 160, "Corvale");
  HWND h = f->Handle();
  TBitmap shot;
  SendMessage(h, WM_NCACTIVATE, 1, 0);
  PaintTo(f.get(), &shot);
  EXPECT_EQ(shot.Pixel(150, 10), ColorToRGB(clActiveCaption));
  SendMessage(h, WM_ACTIVATE, WA_ACTIVE, 0);
  SendMessage(h, WM_NCACTIVATE, 0, 0);
  PaintTo(f.get(), &shot);
  EXPECT_EQ(shot.Pixel(150, 10), ColorToRGB(clInactiveCaption));
}

TEST(FormFrame, StylesAndBorderStyleChangeTheFrame) {
  auto f = MakeForm(0, 0, 200, 100);
  HWND h = f->Handle();
  LONG style = GetWindowLong(h, GWL_STYLE);
  EXPECT_EQ(DWORD(style) & WS_CAPTION, WS_CAPTION);
  Hook hook(f.get());
  SetWindowLong(h, GWL_STYLE, LONG(DWORD(style) & ~WS_CAPTION));
  EXPECT_TRUE(hook.Saw(WM_STYLECHANGED));
  EXPECT_LT(hook.IndexOf(WM_STYLECHANGED), hook.IndexOf(WM_NCCALCSIZE));
  EXPECT_EQ(f->ClientRectInWindow(), Rect(3, 3, 197, 97));
  EXPECT_EQ(SendMessage(h, WM_NCHITTEST, 0, MAKELPARAM(100, 10)), HTCLIENT);

  f->SetBorderStyle(bsNone);
  EXPECT_EQ(f->ClientRectInWindow(), Rect(0, 0, 200, 100));
  EXPECT_EQ(DWORD(GetWindowLong(h, GWL_STYLE)) & WS_CAPTION, 0u);
}

TEST(FormFrame, RegionAndLayeredAlpha) {
  auto f = MakeForm(0, 0, 100, 80);
  HWND h = f->Handle();
  TRegion shape(Rect(10, 0, 100, 80));
  EXPECT_EQ(SetWindowRgn(h, &shape, true), 1);
  TRegion got;
  ASSERT_TRUE(GetWindowRgn(h, got));
  EXPECT_EQ(got, shape);
  TBitmap shot;
  PaintTo(f.get(), &shot);
  EXPECT_EQ(shot.Pixel(5, 40), clBlack);  // outside the shape
  EXPECT_EQ(shot.Pixel(50, 40), ColorToRGB(clBtnFace));
  SetWindowRgn(h, nullptr, true);
  EXPECT_FALSE(GetWindowRgn(h, got));

  EXPECT_FALSE(SetLayeredWindowAttributes(h, 0, 128, LWA_ALPHA));  // not layered yet
  SetWindowLong(h, GWL_EXSTYLE, GetWindowLong(h, GWL_EXSTYLE) | LONG(WS_EX_LAYERED));
  EXPECT_TRUE(SetLayeredWindowAttributes(h, 0, 128, LWA_ALPHA));
}

TEST(MoveLoop, CaptionDragMovesTheFormAndTheHookCanChangeTheProposal) {
  auto f = MakeForm(100, 100, 300, 200);
  f->Show();
  Hook hook(f.get());
  std::vector<TRect> proposals;
  hook.before = [&](TMessage& m) {
    if (m.Msg == WM_MOVING) {
      auto* r = reinterpret_cast<TRect*>(m.LParam);
      proposals.push_back(*r);
      OffsetRect(*r, 5, 0);  // the hook nudges every proposal
    }
    return false;
  };
  // (50, -10) in client coordinates lies on the caption of the default frame.
  SimulateMouse(f.get(), WM_LBUTTONDOWN, 50, -10, MK_LBUTTON);
  EXPECT_TRUE(hook.Saw(WM_NCHITTEST));
  EXPECT_TRUE(hook.Saw(WM_NCLBUTTONDOWN));
  ASSERT_TRUE(hook.Saw(WM_ENTERSIZEMOVE));
  EXPECT_TRUE(f->InSizeMove());
  TPoint start = f->ClientToScreen(Point(50, -10));
  SimulateMouseAt(Point(start.X + 40, start.Y + 30), WM_MOUSEMOVE, MK_LBUTTON);
  ASSERT_EQ(proposals.size(), 1u);
  EXPECT_EQ(proposals[0], Bounds(140, 130, 300, 200));
  EXPECT_EQ(f->BoundsRect(), Bounds(145, 130, 300, 200));  // the changed rectangle applies
  SimulateMouseAt(Point(start.X + 60, start.Y + 10), WM_MOUSEMOVE, MK_LBUTTON);
  EXPECT_EQ(proposals.back(), Bounds(160, 110, 300, 200));
  EXPECT_EQ(f->Left(), 165);
  SimulateMouseAt(Point(start.X + 60, start.Y + 10), WM_LBUTTONUP, 0);
  EXPECT_TRUE(hook.Saw(WM_EXITSIZEMOVE));
  EXPECT_FALSE(f->InSizeMove());
  EXPECT_LT(hook.IndexOf(WM_ENTERSIZEMOVE), hook.IndexOf(WM_MOVING));
  EXPECT_LT(hook.IndexOf(WM_MOVING), hook.IndexOf(WM_EXITSIZEMOVE));
  // After the loop a move does nothing.
  TRect after = f->BoundsRect();
  SimulateMouseAt(Point(start.X + 90, start.Y + 90), WM_MOUSEMOVE, 0);
  EXPECT_EQ(f->BoundsRect(), after);
}

TEST(MoveLoop, BorderDragSizesWithinTheMinMaxLimits) {
  auto f = MakeForm(100, 100, 300, 200);
  f->Show();
  Hook hook(f.get());
  std::vector<WPARAM> edges;
  hook.before = [&](TMessage& m) {
    if (m.Msg == WM_GETMINMAXINFO) reinterpret_cast<TMinMaxInfo*>(m.LParam)->ptMinTrackSize = Point(250, 120);
    if (m.Msg == WM_SIZING) edges.push_back(m.WParam);
    return false;
  };
  // The right border: window x = 299 is client x = 299 - 3.
  SimulateMouse(f.get(), WM_LBUTTONDOWN, 296, 50, MK_LBUTTON);
  ASSERT_TRUE(hook.Saw(WM_ENTERSIZEMOVE));
  EXPECT_TRUE(hook.Saw(WM_GETMINMAXINFO));
  TPoint start = f->ClientToScreen(Point(296, 50));
  SimulateMouseAt(Point(start.X + 50, start.Y), WM_MOUSEMOVE, MK_LBUTTON);
  EXPECT_EQ(f->Width(), 350);
  EXPECT_EQ(f->Left(), 100);
  SimulateMouseAt(Point(start.X - 200, start.Y), WM_MOUSEMOVE, MK_LBUTTON);
  EXPECT_EQ(f->Width(), 250);  // held at the minimum
  SimulateMouseAt(Point(start.X - 200, start.Y), WM_LBUTTONUP, 0);
  ASSERT_FALSE(edges.empty());
  EXPECT_EQ(edges.front(), WMSZ_RIGHT);
  EXPECT_TRUE(hook.Saw(WM_EXITSIZEMOVE));

  // The top-left corner moves the left and top edges.
  SimulateMouse(f.get(), WM_LBUTTONDOWN, -3, -22, MK_LBUTTON);
  TPoint corner = f->ClientToScreen(Point(-3, -22));
  SimulateMouseAt(Point(corner.X - 10, corner.Y - 20), WM_MOUSEMOVE, MK_LBUTTON);
  SimulateMouseAt(Point(corner.X - 10, corner.Y - 20), WM_LBUTTONUP, 0);
  EXPECT_EQ(edges.back(), WMSZ_TOPLEFT);
  EXPECT_EQ(f->BoundsRect(), Rect(90, 80, 350, 300));
}

TEST(MoveLoop, MaximizedFormDoesNotMoveAndCloseButtonCloses) {
  auto f = MakeForm(100, 100, 300, 200);
  f->Show();
  HWND h = f->Handle();
  SendMessage(h, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
  EXPECT_EQ(f->WindowState(), wsMaximized);
  EXPECT_TRUE(IsZoomed(h));
  EXPECT_EQ(f->BoundsRect(), GetMonitorWorkArea(h));
  SendMessage(h, WM_SYSCOMMAND, SC_RESTORE, 0);
  EXPECT_EQ(f->BoundsRect(), Bounds(100, 100, 300, 200));

  bool closed = false;
  f->OnClose = [&](TObject*, TCloseAction& a) {
    closed = true;
    a = caHide;
  };
  TRect btn = Rect(300 - 3 - 2 - DefaultCloseButtonSize - 2, 5, 300 - 5, 5 + DefaultCloseButtonSize);
  TPoint p = Point(100 + (btn.Left + btn.Right) / 2, 100 + (btn.Top + btn.Bottom) / 2);
  EXPECT_EQ(SendMessage(h, WM_NCHITTEST, 0, MAKELPARAM(p.X, p.Y)), HTCLOSE);
  SimulateMouseAt(p, WM_LBUTTONDOWN, MK_LBUTTON);
  EXPECT_FALSE(closed);  // closes on release, as a button does
  SimulateMouseAt(p, WM_LBUTTONUP, 0);
  EXPECT_TRUE(closed);
  EXPECT_FALSE(f->Visible());
}

// The stored client size gets the default frame around it; OnCreate, bound by name, waits
// for the form's creation and then finds the components the layout made.
TEST(FormFrame, StoredFormFramesItsClientSizeAndRunsOnCreateOnceCreated) {
  RegisterWindowsClasses();
  std::vector<std::string> log;
  ClassRegistry().RegisterMethod("TForm", "FormCreate", [&log](TComponent* root) -> TNotifyEvent {
    return [&log, root](TObject*) {
      auto* t = dynamic_cast<TTimer*>(root->FindComponent("Timer1"));
      log.push_back("create " + std::to_string(t ? t->Interval() : 0));
    };
  });
  TForm form(nullptr);
  ReadLayout(&form, R"(object Form1: TForm
  ClientWidth = 400
  ClientHeight = 300
  OnCreate = FormCreate
  object Timer1: TTimer
    Interval = 250
  end
end
)");
  EXPECT_EQ(form.ClientWidth(), 400);
  EXPECT_EQ(form.Width(), 400 + 2 * DefaultFrameBorder);
  EXPECT_TRUE(log.empty());
  form.DoCreate();
  EXPECT_EQ(log, (std::vector<std::string>{"create 250"}));
}

}  // namespace
