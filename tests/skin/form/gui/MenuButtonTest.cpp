// The menu speed button on a skinned form, pressed with the real mouse: a menu that
// cannot open leaves the button up and fires nothing (no click either), and the menu opens at the
// button's rectangle, above it where there is no room below.
#include "framework/menus/MenuItem.h"
#include "skin/controls/SkinMenuSpeedButton.h"
#include "skin/form/SkinPopupMenu.h"
#include "tests/skin/form/gui/SkinFormTestSupport.h"

using namespace sftest;

namespace {
class MenuButtonTest : public FormFixture {
 protected:
  TbsSkinMenuSpeedButton* Button(TForm* on, TPopupMenu* menu) {
    auto* b = new TbsSkinMenuSpeedButton(on);
    b->SetParent(on);
    b->SetBounds(20, 20, 60, 25);
    b->SetSkinPopupMenu(menu);
    b->OnShowTrackMenu = [this](TObject*) { ++shows; };
    b->OnHideTrackMenu = [this](TObject*) { ++hides; };
    b->OnClick = [this](TObject*) { ++clicks; };
    return b;
  }
  static TMenuItem* Add(TPopupMenu* menu, const std::string& caption) {
    auto* i = new TMenuItem(menu);
    i->SetCaption(caption);
    menu->Items()->Add(i);
    return i;
  }
  static TRect ScreenRect(TControl* c) {
    const TPoint p = c->ClientToScreen(Point(0, 0));
    return Bounds(p.X, p.Y, c->Width(), c->Height());
  }
  static TPoint Centre(TControl* c) { return c->ClientToScreen(Point(c->Width() / 2, c->Height() / 2)); }
  int shows = 0, hides = 0, clicks = 0;
};
}  // namespace

TEST_F(MenuButtonTest, AMenuThatCannotOpenLeavesTheButtonUpAndFiresNothing) {
  auto* empty = new TbsSkinPopupMenu(form);
  auto* hiddenOnly = new TbsSkinPopupMenu(form);
  Add(hiddenOnly, "&Hidden")->SetVisible(false);
  // A form without a skin form: no one shows the menu.
  auto* bare = new TForm(nullptr);
  bare->SetBounds(560, 150, 200, 100);
  bare->Show();
  testsupport::Pump(20);
  auto* unreachable = new TbsSkinPopupMenu(bare);
  Add(unreachable, "&Item");
  const struct {
    const char* what;
    TForm* on;
    TPopupMenu* menu;
  } cases[] = {{"empty", form, empty}, {"hidden items only", form, hiddenOnly}, {"no skin form", bare, unreachable}};
  for (const auto& c : cases) {
    shows = hides = clicks = 0;
    TbsSkinMenuSpeedButton* b = Button(c.on, c.menu);
    for (int press = 0; press < 2; ++press) {
      realinput::Click(Centre(b));
      EXPECT_FALSE(b->Down()) << c.what;
      EXPECT_FALSE(b->MenuOpen()) << c.what;
    }
    EXPECT_EQ(0, Menu()->LevelCount()) << c.what;
    EXPECT_EQ(0, shows) << c.what;
    EXPECT_EQ(0, hides) << c.what;
    EXPECT_EQ(0, clicks) << c.what << ": the release of a menu press is no click";
    delete b;
  }
  delete bare;
}

TEST_F(MenuButtonTest, TheMenuOpensBelowTheButtonOrAboveItNearTheScreenBottom) {
  auto* menu = new TbsSkinPopupMenu(form);
  for (const char* caption : {"&Large icons", "&Small icons", "&List"}) Add(menu, caption);
  TbsSkinMenuSpeedButton* b = Button(form, menu);
  const TRect work = GetMonitorWorkArea(form->Handle());
  // The button's bottom 10 pixels above the work area's: the 64-pixel menu fits only above.
  form->SetTop(work.Bottom - 10 - 25 - 20 - form->ClientRectInWindow().Top);
  ASSERT_EQ(ScreenRect(b).Bottom, work.Bottom - 10);
  realinput::Click(Centre(b));
  ASSERT_EQ(1, Menu()->LevelCount());
  TRect m = Level(0)->BoundsRect();
  EXPECT_EQ(m.Bottom, ScreenRect(b).Top) << "the menu ends where the button begins";
  EXPECT_EQ(m.Left, ScreenRect(b).Left);
  EXPECT_TRUE(b->Down());
  EXPECT_EQ(1, shows);
  skinForm->CloseSkinMenus();
  EXPECT_FALSE(b->Down());
  EXPECT_EQ(1, hides);
  EXPECT_EQ(0, clicks);

  form->SetTop(150);
  realinput::Click(Centre(b));
  ASSERT_EQ(1, Menu()->LevelCount());
  m = Level(0)->BoundsRect();
  EXPECT_EQ(m.Top, ScreenRect(b).Bottom) << "with room below, right under the button";
  EXPECT_EQ(m.Left, ScreenRect(b).Left);
  skinForm->CloseSkinMenus();
}
