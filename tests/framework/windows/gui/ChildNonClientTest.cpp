// Child windows with a non-client area: WM_NCCALCSIZE reserves it when the window is
// made again, the client (and the children in it) move inside, WM_NCPAINT paints it,
// WM_NCHITTEST classifies the pointer and presses there arrive as WM_NC* messages.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "framework/windows/Forms.h"
#include "tests/support/input/InputSimulation.h"
#include "framework/windows/PaintTo.h"
#include "framework/windows/Windows.h"
#include "tests/support/TestSupport.h"

namespace {

// A control that reserves Margin pixels at the left and right edges while Reserve is on,
// paints them red (left) and blue (right), and reports its own hit codes 100 / 101 there.
struct Margined : TCustomControl {
  explicit Margined(TComponent* owner) : TCustomControl(owner) {}
  bool Reserve = false;
  bool OwnHitCodes = false;
  static constexpr int Margin = 12;
  std::vector<TMessage> NcMessages;
  std::vector<TMessage> ClientPresses;

 protected:
  void Paint() override {
    Canvas()->Brush()->Color = clLime;
    Canvas()->FillRect(ClientRect());
  }
  void WndProc(TMessage& m) override {
    switch (m.Msg) {
      case WM_NCCALCSIZE:
        if (Reserve) {
          auto* r = reinterpret_cast<TRect*>(m.LParam);
          r->Left += Margin;
          r->Right -= Margin;
          return;
        }
        break;
      case WM_NCPAINT:
        if (Reserve) {
          TCanvas* c = GetWindowCanvas(Handle());
          c->Brush()->Color = clRed;
          c->FillRect(Rect(0, 0, Margin, Height()));
          c->Brush()->Color = clBlue;
          c->FillRect(Rect(Width() - Margin, 0, Width(), Height()));
          return;
        }
        break;
      case WM_NCHITTEST:
        if (OwnHitCodes) {
          TPoint p = ScreenToClient(Point(GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)));
          if (p.X < 0) m.Result = 100;
          else if (p.X >= ClientWidth()) m.Result = 101;
          else m.Result = HTCLIENT;
          return;
        }
        break;
      case WM_NCLBUTTONDOWN:
      case WM_NCLBUTTONUP:
      case WM_NCMOUSEMOVE:
        NcMessages.push_back(m);
        break;
      case WM_LBUTTONDOWN:
        ClientPresses.push_back(m);
        break;
    }
    TCustomControl::WndProc(m);
  }
};

class ChildNonClient : public ::testing::Test {
 protected:
  void SetUp() override {
    SetCursorPos(3000, 3000);
    Form = std::make_unique<TForm>(nullptr);
    Form->SetBounds(60, 60, 320, 200);
    Form->Show();
    testsupport::Pump(5);
    Bar = new Margined(Form.get());
    Bar->SetParent(Form.get());
    Bar->SetBounds(10, 20, 200, 40);
  }
  std::unique_ptr<TForm> Form;
  Margined* Bar = nullptr;
};

TEST_F(ChildNonClient, ReservedAreaMovesTheClientAndItsChildren) {
  auto* inner = new Margined(Form.get());
  inner->SetParent(Bar);
  inner->SetBounds(0, 0, 10, 10);
  EXPECT_EQ(Bar->ClientRect(), Rect(0, 0, 200, 40));
  const TPoint before = Bar->ClientOrigin();

  Bar->Reserve = true;
  Bar->RecreateWnd();
  EXPECT_EQ(Bar->ClientRect(), Rect(0, 0, 176, 40));
  EXPECT_EQ(Bar->ClientRectInWindow(), Rect(12, 0, 188, 40));
  EXPECT_EQ(Bar->ClientOrigin(), Point(before.X + 12, before.Y));
  EXPECT_EQ(Bar->BoundsRect(), Bounds(10, 20, 200, 40)) << "the window keeps its bounds";
  EXPECT_EQ(inner->ClientOrigin(), Point(before.X + 12, before.Y));

  TBitmap shot;
  PaintTo(Form.get(), &shot);
  shot.SavePngFile(testsupport::ArtifactDir() + "/child_nonclient_reserved.png");
  TBitmap bar;
  PaintTo(Bar, &bar);
  EXPECT_EQ(bar.Pixel(0, 5), clRed);
  EXPECT_EQ(bar.Pixel(11, 39), clRed);
  EXPECT_EQ(bar.Pixel(12, 20), clLime) << "the inner child at client (0, 0) is itself lime";
  EXPECT_EQ(bar.Pixel(30, 20), clLime);
  EXPECT_EQ(bar.Pixel(187, 20), clLime);
  EXPECT_EQ(bar.Pixel(188, 20), clBlue);
  EXPECT_EQ(bar.Pixel(199, 0), clBlue);

  // A size change asks again; the client follows the new width.
  Bar->SetWidth(150);
  EXPECT_EQ(Bar->ClientRect(), Rect(0, 0, 126, 40));
  PaintTo(Bar, &bar);
  EXPECT_EQ(bar.Pixel(149, 10), clBlue);
  EXPECT_EQ(bar.Pixel(137, 10), clLime);

  // Given back: the whole window is client again.
  Bar->Reserve = false;
  SetWindowPos(Bar->Handle(), 0, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
  EXPECT_EQ(Bar->ClientRect(), Rect(0, 0, 150, 40));
  EXPECT_EQ(Bar->ClientOrigin(), before);
  PaintTo(Bar, &bar);
  EXPECT_EQ(bar.Pixel(0, 5), clLime);
  EXPECT_EQ(bar.Pixel(149, 5), clLime);
}

TEST_F(ChildNonClient, PressesOutsideTheClientArriveAsNonClientMessagesWithTheHitCode) {
  Bar->Reserve = true;
  Bar->OwnHitCodes = true;
  Bar->RecreateWnd();
  // Client coordinates: (-6, 10) is in the left area, (ClientWidth + 3, 10) in the right.
  SimulateMouse(Bar, WM_LBUTTONDOWN, -6, 10, MK_LBUTTON);
  SimulateMouse(Bar, WM_LBUTTONUP, -6, 10, 0);
  SimulateMouse(Bar, WM_MOUSEMOVE, Bar->ClientWidth() + 3, 10, 0);
  ASSERT_EQ(Bar->NcMessages.size(), 3u);
  EXPECT_EQ(Bar->NcMessages[0].Msg, WM_NCLBUTTONDOWN);
  EXPECT_EQ(Bar->NcMessages[0].WParam, 100u);
  const TPoint sp = Bar->ClientToScreen(Point(-6, 10));
  EXPECT_EQ(GET_X_LPARAM(Bar->NcMessages[0].LParam), sp.X) << "screen coordinates";
  EXPECT_EQ(GET_Y_LPARAM(Bar->NcMessages[0].LParam), sp.Y);
  EXPECT_EQ(Bar->NcMessages[1].Msg, WM_NCLBUTTONUP);
  EXPECT_EQ(Bar->NcMessages[2].Msg, WM_NCMOUSEMOVE);
  EXPECT_EQ(Bar->NcMessages[2].WParam, 101u);
  EXPECT_TRUE(Bar->ClientPresses.empty());
  EXPECT_EQ(WindowFromPoint(sp), Bar->Handle());

  // Inside the client: an ordinary press in client coordinates.
  SimulateMouse(Bar, WM_LBUTTONDOWN, 5, 7, MK_LBUTTON);
  SimulateMouse(Bar, WM_LBUTTONUP, 5, 7, 0);
  ASSERT_EQ(Bar->ClientPresses.size(), 1u);
  EXPECT_EQ(GET_X_LPARAM(Bar->ClientPresses[0].LParam), 5);
  EXPECT_EQ(GET_Y_LPARAM(Bar->ClientPresses[0].LParam), 7);
  EXPECT_EQ(Bar->NcMessages.size(), 3u);
}

TEST_F(ChildNonClient, DefaultHitTestAndPaintOfAReservedArea) {
  Bar->Reserve = true;
  Bar->RecreateWnd();
  Bar->Reserve = false;  // the reservation stays until asked again; the defaults answer now
  Bar->SetColor(clYellow);
  RedrawWindow(Bar->Handle(), nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
  const TPoint o = Bar->ClientOrigin();
  auto hit = [&](int x, int y) {
    return Bar->Perform(WM_NCHITTEST, 0, MAKELPARAM(unsigned(o.X + x), unsigned(o.Y + y)));
  };
  EXPECT_EQ(hit(-3, 5), HTBORDER);
  EXPECT_EQ(hit(3, 5), HTCLIENT);
  EXPECT_EQ(hit(-30, 5), HTNOWHERE);
  TBitmap bar;
  PaintTo(Bar, &bar);
  EXPECT_EQ(bar.Pixel(3, 3), clYellow) << "the control's colour around the client";
  EXPECT_EQ(bar.Pixel(20, 3), clLime);
}

TEST_F(ChildNonClient, HiddenAndDestroyedWithTheWindowWidget) {
  Bar->Reserve = true;
  Bar->RecreateWnd();
  const TPoint inside = Bar->ClientToScreen(Point(-6, 10));
  EXPECT_EQ(WindowFromPoint(inside), Bar->Handle());
  Bar->Hide();
  testsupport::Pump(5);
  EXPECT_NE(WindowFromPoint(inside), Bar->Handle());
  Bar->Show();
  testsupport::Pump(5);
  EXPECT_EQ(WindowFromPoint(inside), Bar->Handle());
  delete Bar;
  testsupport::Pump(5);
  EXPECT_EQ(WindowFromPoint(inside), Form->Handle());
}

}  // namespace
