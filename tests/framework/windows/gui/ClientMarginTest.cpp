// Client margins of containers, child window regions in rendered windows, and the
// context menu opened by a right click.
#include <gtest/gtest.h>

#include <memory>

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/Region.h"
#include "framework/menus/PopupMenu.h"
#include "framework/windows/Forms.h"
#include "tests/support/input/InputSimulation.h"
#include "framework/windows/PaintTo.h"
#include "framework/windows/Windows.h"
#include "tests/support/TestSupport.h"

namespace {

struct Fill : TCustomControl {
  explicit Fill(TComponent* owner, TColor c) : TCustomControl(owner), color(c) {}
  TColor color;

 protected:
  void Paint() override {
    Canvas()->Brush()->Color = color;
    Canvas()->FillRect(ClientRect());
  }
};

// A panel-like container with a 20-pixel caption and a 4-pixel border of its own.
struct CaptionPanel : Fill {
  using Fill::Fill;
  void AdjustClientRect(TRect& r) override {
    Fill::AdjustClientRect(r);
    r = Rect(r.Left + 4, r.Top + 20, r.Right - 4, r.Bottom - 4);
  }
};

class ClientMargins : public ::testing::Test {
 protected:
  void SetUp() override {
    Form = std::make_unique<TForm>(nullptr);
    Form->SetBounds(60, 60, 320, 240);
    Form->Show();
    testsupport::Pump(5);
  }
  std::unique_ptr<TForm> Form;
};

TEST_F(ClientMargins, AlignedChildrenStayInsideTheMarginsAdjustClientRectLeaves) {
  auto* panel = new CaptionPanel(Form.get(), clNavy);
  panel->SetParent(Form.get());
  panel->SetBounds(10, 10, 200, 150);
  auto* top = new Fill(Form.get(), clRed);
  top->SetHeight(10);
  top->SetParent(panel);
  top->SetAlign(alTop);
  auto* client = new Fill(Form.get(), clLime);
  client->SetParent(panel);
  client->SetAlign(alClient);
  EXPECT_EQ(top->BoundsRect(), Rect(4, 20, 196, 30));
  EXPECT_EQ(client->BoundsRect(), Rect(4, 30, 196, 146));
  panel->SetBounds(10, 10, 240, 100);  // realigned on resizing, margins kept
  EXPECT_EQ(client->BoundsRect(), Rect(4, 30, 236, 96));
  TBitmap shot;
  PaintTo(Form.get(), &shot);
  shot.SavePngFile(testsupport::ArtifactDir() + "/client_margins.png");
  TPoint o = Point(Form->ClientRectInWindow().Left + 10, Form->ClientRectInWindow().Top + 10);
  EXPECT_EQ(shot.Pixel(o.X + 2, o.Y + 10), clNavy);   // the panel's own caption area
  EXPECT_EQ(shot.Pixel(o.X + 10, o.Y + 25), clRed);   // alTop below it
  EXPECT_EQ(shot.Pixel(o.X + 10, o.Y + 60), clLime);  // alClient inside the border
  EXPECT_EQ(shot.Pixel(o.X + 238, o.Y + 60), clNavy);  // right border
}

TEST_F(ClientMargins, RenderedWindowsShowChildrenOnlyInsideTheirRegions) {
  Form->SetColor(clBlue);
  auto* child = new Fill(Form.get(), clRed);
  child->SetParent(Form.get());
  child->SetBounds(20, 20, 100, 60);
  TRegion shape(Rect(0, 0, 50, 60));
  shape.Combine(TRegion(Rect(50, 20, 100, 40)), TRegionOp::Or);
  SetWindowRgn(child->Handle(), &shape, true);
  TBitmap shot;
  PaintTo(Form.get(), &shot);
  shot.SavePngFile(testsupport::ArtifactDir() + "/child_region.png");
  TPoint o = Form->ClientRectInWindow().TopLeft();
  EXPECT_EQ(shot.Pixel(o.X + 30, o.Y + 30), clRed);    // inside the left part
  EXPECT_EQ(shot.Pixel(o.X + 90, o.Y + 45), clRed);    // inside the bar
  EXPECT_EQ(shot.Pixel(o.X + 90, o.Y + 25), clBlue);   // cut away: the form shows
  EXPECT_EQ(shot.Pixel(o.X + 110, o.Y + 75), clBlue);
  SetWindowRgn(child->Handle(), nullptr, true);
  PaintTo(Form.get(), &shot);
  EXPECT_EQ(shot.Pixel(o.X + 90, o.Y + 25), clRed);
}

TEST_F(ClientMargins, RightClickOpensTheAutoPopupMenuAtTheScreenPoint) {
  auto* menu = new TPopupMenu(Form.get());
  TPoint shownAt{-1, -1};
  int shown = 0;
  menu->OnPopupShow = [&](TPopupMenu*, const TRect& a) {
    shownAt = a.TopLeft();
    ++shown;
    return true;
  };
  auto* box = new Fill(Form.get(), clRed);
  box->SetParent(Form.get());
  box->SetBounds(30, 30, 80, 40);
  box->SetPopupMenu(menu);
  SimulateMouse(box, WM_RBUTTONDOWN, 10, 12, MK_RBUTTON);
  SimulateMouse(box, WM_RBUTTONUP, 10, 12, 0);
  EXPECT_EQ(shown, 1);
  EXPECT_EQ(shownAt, box->ClientToScreen(Point(10, 12)));
  EXPECT_EQ(menu->PopupComponent(), box);
  // Shift+F10 opens it from the keyboard at the control's middle.
  SimulateKey(box, WM_KEYDOWN, VK_F10, MK_SHIFT);
  EXPECT_EQ(shown, 2);
  EXPECT_EQ(shownAt, box->ClientToScreen(Point(40, 20)));
  // Without AutoPopup the parent is asked, which has no menu: nothing opens.
  menu->SetAutoPopup(false);
  SimulateMouse(box, WM_RBUTTONDOWN, 10, 12, MK_RBUTTON);
  SimulateMouse(box, WM_RBUTTONUP, 10, 12, 0);
  EXPECT_EQ(shown, 2);
  // A window-less control's menu, and the parent's menu for a control without one.
  menu->SetAutoPopup(true);
  box->SetPopupMenu(nullptr);
  Form->SetPopupMenu(menu);
  SimulateMouse(box, WM_RBUTTONDOWN, 10, 12, MK_RBUTTON);
  SimulateMouse(box, WM_RBUTTONUP, 10, 12, 0);
  EXPECT_EQ(shown, 3);
  EXPECT_EQ(menu->PopupComponent(), Form.get());
  auto* spot = new TGraphicControl(Form.get());
  spot->SetParent(Form.get());
  spot->SetBounds(150, 30, 20, 20);
  auto* spotMenu = new TPopupMenu(Form.get());
  spotMenu->OnPopupShow = [&](TPopupMenu*, const TRect&) {
    shown += 10;
    return true;
  };
  spot->SetPopupMenu(spotMenu);
  SimulateMouse(Form.get(), WM_RBUTTONDOWN, 155, 35, MK_RBUTTON);
  SimulateMouse(Form.get(), WM_RBUTTONUP, 155, 35, 0);
  EXPECT_EQ(shown, 13);
  // Freeing a menu clears the reference to it.
  delete spotMenu;
  EXPECT_EQ(spot->PopupMenu(), nullptr);
}

}  // namespace
