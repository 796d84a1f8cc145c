// The tray icon without a desktop (the offscreen platform has no notification area):
// the click and double-click rule of the callbacks, icon cycling, and minimising with
// MinimizeToTray or starting with MinimizedOnStart where no notification area exists
// (reported, the main form stays within reach).
#include <gtest/gtest.h>

#include <string>

#include "framework/graphics/ImageList.h"
#include "framework/menus/MenuItem.h"
#include "framework/windows/Application.h"
#include "framework/windows/Forms.h"
#include "framework/windows/Timers.h"
#include "framework/windows/Windows.h"
#include "platform/tray/NotifyIcon.h"
#include "skin/form/SkinForm.h"
#include "skin/form/SkinPopupMenu.h"
#include "skin/form/SkinTrayIcon.h"
#include "tests/skin/form/gui/SkinFormTestSupport.h"
#include "tests/support/TestSupport.h"

namespace {

using sftest::Tick;

class TrayIcon : public ::testing::Test {
 protected:
  void SetUp() override {
    savedMain = Application->MainForm();
    form = new TForm(nullptr);
    form->SetBounds(100, 100, 300, 200);
    Application->SetMainForm(form);
    tray = new TbsTrayIcon(form);
    tray->OnClick = [this](TObject*) { ++clicks; };
    tray->OnDblClick = [this](TObject*) { ++doubleClicks; };
    tray->OnMouseDown = [this](TObject*, TMouseButton b, TShiftState, int, int) { downs += char('0' + int(b)); };
    tray->OnNoNotificationArea = [this](TObject*) { ++reported; };
  }
  void TearDown() override {
    delete form;
    Application->SetMainForm(savedMain);
    Application->SetAppWindowVisible(true);
    Application->SetShowMainForm(true);
    testsupport::Pump(5);
  }
  void Callback(UINT mouse) { SendMessage(tray->CallbackWindow(), TbsTrayIcon::CallbackMessage, 1, LPARAM(mouse)); }

  TCustomForm* savedMain = nullptr;
  TForm* form = nullptr;
  TbsTrayIcon* tray = nullptr;
  int clicks = 0, doubleClicks = 0, reported = 0;
  std::string downs;
};

TEST_F(TrayIcon, AClickFiresOnceTheDoubleClickTimeHasPassed) {
  ASSERT_NE(tray->CallbackWindow(), HWND(0));
  Callback(WM_LBUTTONDOWN);
  Callback(WM_LBUTTONUP);
  EXPECT_EQ(clicks, 0) << "a click before the double-click time ran out";
  EXPECT_TRUE(tray->ClickTimer()->Enabled());
  EXPECT_EQ(tray->ClickTimer()->Interval(), GetDoubleClickTime());
  Tick(tray->ClickTimer());
  EXPECT_EQ(clicks, 1);
  EXPECT_FALSE(tray->ClickTimer()->Enabled());
  Tick(tray->ClickTimer());
  EXPECT_EQ(clicks, 1) << "one click fired twice";

  // Released after the timer ran out: the click fires on the release.
  Callback(WM_LBUTTONDOWN);
  Tick(tray->ClickTimer());
  EXPECT_EQ(clicks, 1);
  Callback(WM_LBUTTONUP);
  EXPECT_EQ(clicks, 2);
  EXPECT_EQ(downs, "00");
}

TEST_F(TrayIcon, ADoubleClickFiresOnDblClickAndNoClick) {
  Callback(WM_LBUTTONDOWN);
  Callback(WM_LBUTTONUP);
  Callback(WM_LBUTTONDBLCLK);
  EXPECT_EQ(doubleClicks, 1);
  Tick(tray->ClickTimer());
  EXPECT_EQ(clicks, 0);
  // The next single click counts again.
  Callback(WM_LBUTTONDOWN);
  Callback(WM_LBUTTONUP);
  Tick(tray->ClickTimer());
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(doubleClicks, 1);

}

TEST_F(TrayIcon, DisabledIgnoresTheCallbacksAndTheDefaultItemAnswersADoubleClick) {
  tray->SetEnabled(false);
  Callback(WM_LBUTTONDOWN);
  Callback(WM_LBUTTONUP);
  Callback(WM_LBUTTONDBLCLK);
  Tick(tray->ClickTimer());
  EXPECT_EQ(clicks + doubleClicks, 0);
  tray->SetEnabled(true);

  auto* menu = new TbsSkinPopupMenu(form);
  auto* plain = new TMenuItem(menu);
  auto* open = new TMenuItem(menu);
  open->SetDefault(true);
  int opened = 0, plainClicked = 0;
  open->OnClick = [&](TObject*) { ++opened; };
  plain->OnClick = [&](TObject*) { ++plainClicked; };
  menu->Items()->Add(plain);
  menu->Items()->Add(open);
  tray->SetPopupMenu(menu);
  Callback(WM_LBUTTONDBLCLK);
  EXPECT_EQ(opened, 1);
  EXPECT_EQ(plainClicked, 0);
  tray->SetPopupByLeftButton(true);
  Callback(WM_LBUTTONDBLCLK);
  EXPECT_EQ(opened, 1) << "with PopupByLeftButton the default item is not clicked";
  delete menu;
  EXPECT_EQ(tray->PopupMenu(), nullptr);
}

TEST_F(TrayIcon, MinimizedOnStartWithoutANotificationAreaStartsAsUsual) {
  ASSERT_FALSE(NotificationAreaAvailable()) << "the offscreen platform has no tray";
  tray->SetMinimizedOnStart(true);
  tray->Loaded();  // as the layout reader does
  EXPECT_EQ(reported, 1);
  EXPECT_FALSE(tray->IconShown());
  EXPECT_TRUE(Application->ShowMainForm()) << "the main form would never be shown";
  EXPECT_TRUE(Application->AppWindowVisible());
}

TEST_F(TrayIcon, CyclingWalksTheListAndTellsTheNextIndex) {
  TImageList list(nullptr);
  TBitmap cells(48, 16);
  for (int x = 0; x < 48; ++x)
    for (int y = 0; y < 16; ++y) cells.SetPixel(x, y, x < 16 ? clRed : x < 32 ? clLime : clBlue);
  list.Add(&cells, nullptr);
  ASSERT_EQ(list.Count(), 3);
  tray->SetIconList(&list);
  std::string next;
  tray->OnCycle = [&](TObject*, int n) { next += char('0' + n); };
  tray->SetAnimateTimerInterval(100);
  tray->SetCycleIcons(true);
  EXPECT_TRUE(tray->AnimateTimer()->Enabled());
  EXPECT_EQ(tray->IconIndex(), 0);
  for (int i = 0; i < 4; ++i) Tick(tray->AnimateTimer());
  EXPECT_EQ(next, "1201");
  EXPECT_EQ(tray->IconIndex(), 1);
  // The fourth tick showed the first image again and moved on to the second.
  EXPECT_EQ(tray->Icon()->ArgbPixel(0, 0) & 0xFFFFFF, 0xFF0000u) << "the icon is not the list's first image";
  tray->SetIconIndex(99);
  EXPECT_EQ(tray->IconIndex(), 2);
  EXPECT_EQ(tray->Icon()->ArgbPixel(0, 0) & 0xFFFFFF, 0x0000FFu);
  tray->SetCycleIcons(false);
  EXPECT_FALSE(tray->AnimateTimer()->Enabled());
  tray->SetIconList(nullptr);
  tray->SetIconIndex(2);
  EXPECT_EQ(tray->IconIndex(), 0);
}

TEST_F(TrayIcon, WithoutANotificationAreaMinimisingKeepsTheWindowWithinReach) {
  ASSERT_FALSE(NotificationAreaAvailable()) << "the offscreen platform has no tray";
  form->Show();
  testsupport::Pump(10);
  tray->SetIconVisible(true);
  EXPECT_EQ(reported, 1);
  EXPECT_FALSE(tray->IconShown());

  auto* skinForm = new TbsSkinForm(form);
  skinForm->SetTrayIcon(tray);
  EXPECT_EQ(skinForm->TrayLink(), tray);
  EXPECT_NE(tray->PopupMenu(), nullptr) << "the skin form's tray menu was not handed over";
  skinForm->MinimizeToTray();
  EXPECT_TRUE(tray->MinimizeToTray());
  EXPECT_TRUE(Application->Minimized());
  EXPECT_EQ(reported, 2);
  EXPECT_TRUE(form->Visible()) << "hidden without a tray to bring it back from";
  EXPECT_TRUE(Application->AppWindowVisible());
  skinForm->RestoreFromTray();
  EXPECT_FALSE(Application->Minimized());
  EXPECT_TRUE(form->Visible());
  delete tray;
  EXPECT_EQ(skinForm->TrayLink(), nullptr);
}

}  // namespace

namespace {

TEST_F(TrayIcon, TheSkinFormsMinimiseCommandAndAlwaysShowInTrayUseTheIcon) {
  form->Show();
  testsupport::Pump(10);
  auto* skinForm = new TbsSkinForm(form);
  skinForm->SetTrayIcon(tray);
  EXPECT_FALSE(tray->IconVisible()) << "shown before minimising without AlwaysShowInTray";
  skinForm->SetAlwaysMinimizeToTray(true);
  skinForm->ObjectCommand(cmMinimize, nullptr);
  EXPECT_TRUE(tray->MinimizeToTray()) << "the minimise command did not go to the tray";
  EXPECT_TRUE(Application->Minimized());
  skinForm->RestoreFromTray();
  EXPECT_FALSE(tray->MinimizeToTray());
  EXPECT_FALSE(tray->IconVisible()) << "the icon stays after the restore without AlwaysShowInTray";

  skinForm->SetAlwaysShowInTray(true);
  skinForm->ObjectCommand(cmMinimize, nullptr);
  skinForm->RestoreFromTray();
  EXPECT_TRUE(tray->IconVisible()) << "AlwaysShowInTray: the restore took the icon away";
  EXPECT_FALSE(Application->Minimized());
}

}  // namespace
