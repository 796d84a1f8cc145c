// The tray icon in a real notification area: trayer (an X11 embedding tray host) on the
// test X server. The icon appears in it with the program's icon and the tip cut to whole
// characters; a click fires OnClick once, a double click OnDblClick and no OnClick, a
// right click opens the skin popup menu; the tray host restarted shows the icon again;
// the main form goes to the tray and comes back from it; with no tray host at all the
// window is minimised as usual.
#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <regex>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

#include "framework/graphics/Icon.h"
#include "framework/menus/MenuItem.h"
#include "framework/windows/Application.h"
#include "framework/windows/Forms.h"
#include "framework/windows/Windows.h"
#include "platform/tray/NotifyIcon.h"
#include "skin/form/SkinForm.h"
#include "skin/form/SkinMenu.h"
#include "skin/form/SkinPopupMenu.h"
#include "skin/form/SkinPopupWindow.h"
#include "skin/form/SkinTrayIcon.h"
#include "tests/support/TestSupport.h"

namespace {

std::string Sh(const std::string& cmd) {
  std::string out;
  if (FILE* p = popen(cmd.c_str(), "r")) {
    char buf[512];
    while (fgets(buf, sizeof buf, p)) out += buf;
    pclose(p);
  }
  return out;
}

std::string Display() {
  const char* d = std::getenv("DISPLAY");
  return d ? d : "";
}

std::string AppName() {
  const std::string self = Sh("readlink /proc/" + std::to_string(getpid()) + "/exe");
  return self.substr(self.find_last_of('/') + 1, self.find_last_not_of('\n') - self.find_last_of('/'));
}

struct IconPlace {
  bool Found = false;
  int X = 0, Y = 0, W = 0, H = 0;
};

// Our icon's window inside the tray host's panel (screen position and size).
IconPlace FindIcon() {
  IconPlace place;
  const std::string panel = Sh("DISPLAY=" + Display() + " xdotool search --name '^panel$' 2>/dev/null | head -n1");
  if (panel.empty()) return place;
  const std::string tree = Sh("xwininfo -display " + Display() + " -tree -id " + panel + " 2>/dev/null");
  const std::regex line("\"" + AppName() + "\".*\\s(\\d+)x(\\d+)\\+-?\\d+\\+-?\\d+\\s+\\+(-?\\d+)\\+(-?\\d+)");
  std::smatch m;
  if (std::regex_search(tree, m, line)) {
    place.Found = true;
    place.W = std::stoi(m[1]);
    place.H = std::stoi(m[2]);
    place.X = std::stoi(m[3]);
    place.Y = std::stoi(m[4]);
  }
  return place;
}

void Xdo(const std::string& args) { Sh("DISPLAY=" + Display() + " xdotool " + args); }

// "IsViewable" when a window with that title is shown, else "hidden".
std::string MapState(const std::string& title) {
  const std::string id =
      Sh("DISPLAY=" + Display() + " xdotool search --onlyvisible --name '^" + title + "$' 2>/dev/null | head -n1");
  return id.empty() ? "hidden" : "IsViewable";
}

class Tray : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    // No session bus: the X11 embedding protocol, which trayer speaks.
    setenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent/corvale-test-bus", 1);
  }
  void SetUp() override {
    if (Display().empty() || std::getenv("QT_QPA_PLATFORM") != std::string("xcb"))
      GTEST_SKIP() << "needs the test X server (CORVALE_TEST_DISPLAY)";
    if (Sh("command -v trayer").empty()) GTEST_SKIP() << "trayer is missing (scripts/setup)";
    savedMain = Application->MainForm();
    form = new TForm(nullptr);
    form->SetBounds(200, 200, 320, 200);
    form->SetCaption("Tray form");
    Application->SetMainForm(form);
    skinForm = new TbsSkinForm(form);
    tray = new TbsTrayIcon(form);
    tray->OnClick = [this](TObject*) { ++clicks; };
    tray->OnDblClick = [this](TObject*) { ++doubleClicks; };
    tray->OnNoNotificationArea = [this](TObject*) { ++reported; };
    form->Show();
    testsupport::Pump(100);
  }
  void TearDown() override {
    Application->Restore();
    delete form;
    Application->SetMainForm(savedMain);
    Application->SetAppWindowVisible(true);
    StopTrayer();
    testsupport::Pump(50);
  }
  void StartTrayer() {
    trayer = fork();
    if (trayer == 0) {
      setenv("DISPLAY", Display().c_str(), 1);
      execlp("trayer", "trayer", "--edge", "top", "--align", "right", "--widthtype", "pixel", "--width", "120",
             "--heighttype", "pixel", "--height", "28", static_cast<char*>(nullptr));
      _exit(127);
    }
    ASSERT_TRUE(testsupport::WaitUntil([] { return NotificationAreaAvailable(); }, 8000)) << "trayer did not start";
  }
  void StopTrayer() {
    if (trayer <= 0) return;
    kill(trayer, SIGTERM);
    waitpid(trayer, nullptr, 0);
    trayer = -1;
    testsupport::WaitUntil([] { return !NotificationAreaAvailable(); }, 5000);
  }
  void ClickIcon(const std::string& how) {
    const IconPlace p = FindIcon();
    ASSERT_TRUE(p.Found);
    // The pointer settles before the buttons (a click right after the move can miss).
    Xdo("mousemove " + std::to_string(p.X + p.W / 2) + " " + std::to_string(p.Y + p.H / 2) + " sleep 0.3 " + how);
  }
  void Shot(const std::string& name) {
    Sh("import -display " + Display() + " -window root '" + testsupport::ArtifactDir() + "/" + name + ".png'");
  }

  TCustomForm* savedMain = nullptr;
  TForm* form = nullptr;
  TbsSkinForm* skinForm = nullptr;
  TbsTrayIcon* tray = nullptr;
  pid_t trayer = -1;
  int clicks = 0, doubleClicks = 0, reported = 0;
};

TEST_F(Tray, TheIconLivesInARealNotificationArea) {
  StartTrayer();
  auto* menu = new TbsSkinPopupMenu(form);
  for (const char* caption : {"Show the window", "-", "Quit"}) {
    auto* item = new TMenuItem(menu);
    item->SetCaption(caption);
    menu->Items()->Add(item);
  }
  tray->SetPopupMenu(menu);
  tray->SetIconVisible(true);
  EXPECT_TRUE(tray->IconShown());
  EXPECT_EQ(reported, 0);
  ASSERT_TRUE(testsupport::WaitUntil([] { return FindIcon().Found; }, 5000)) << "the icon did not appear in trayer";
  testsupport::Pump(700);  // the tray watcher's news of the new notification area comes and goes
  ASSERT_TRUE(testsupport::WaitUntil([] { return FindIcon().Found; }, 5000));

  // The tip as the notification area got it: 127 whole characters of one to four bytes.
  for (const std::string ch : {"x", "\xC3\xA9", "\xE5\xA3\xB0", "\xF0\x9F\x8E\xA4"}) {
    std::string hint, tip;
    for (int i = 0; i < 130; ++i) hint += ch;
    tray->SetHint(hint);
    ASSERT_TRUE(NotifyIconShown(tray->CallbackWindow(), TbsTrayIcon::IconID, &tip));
    EXPECT_EQ(tip, hint.substr(0, 127 * ch.size()));
  }

  const int wait = int(GetDoubleClickTime()) + 300;
  ClickIcon("click 1");
  ASSERT_TRUE(testsupport::WaitUntil([&] { return clicks == 1; }, 3000)) << "no OnClick";
  testsupport::Pump(wait);
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(doubleClicks, 0);

  ClickIcon("click --repeat 2 --delay 60 1");
  ASSERT_TRUE(testsupport::WaitUntil([&] { return doubleClicks == 1; }, 3000)) << "no OnDblClick";
  testsupport::Pump(wait);
  EXPECT_EQ(clicks, 1) << "a double click also fired OnClick";

  ClickIcon("click 3");
  ASSERT_TRUE(testsupport::WaitUntil(
      [&] { return skinForm->SkinMenu() && skinForm->SkinMenu()->Windows(0) && skinForm->SkinMenu()->Windows(0)->Visible(); },
      3000))
      << "the right button opened no skin menu";
  EXPECT_EQ(skinForm->SkinMenu()->Windows(0)->ItemCount(), 3);
  testsupport::Pump(300);
  Shot("tray_icon_menu");
  skinForm->CloseSkinMenus();

  // The tray host goes and comes back: the icon is added again.
  StopTrayer();
  EXPECT_TRUE(testsupport::WaitUntil([&] { return !NotifyIconShown(tray->CallbackWindow(), TbsTrayIcon::IconID); }, 3000))
      << "the icon outlived its notification area";
  StartTrayer();
  ASSERT_TRUE(testsupport::WaitUntil([&] { return FindIcon().Found && tray->IconShown(); }, 5000))
      << "the icon did not come back with the new notification area";
  EXPECT_TRUE(NotifyIconShown(tray->CallbackWindow(), TbsTrayIcon::IconID));
}

TEST_F(Tray, TheIconIsTheProgramsOwn) {
  TIcon program, shown;
  program.LoadFromResourceName("corvale");
  Application->SetIcon(&program);
  auto* icon = new TbsTrayIcon(form);
  EXPECT_FALSE(icon->Icon()->Empty()) << "did not start with the application's icon";
  StartTrayer();
  icon->SetIconVisible(true);
  tray->SetIconVisible(true);  // made before the application had an icon: it has none
  ASSERT_TRUE(testsupport::WaitUntil([] { return FindIcon().Found; }, 5000)) << "the icon did not appear in trayer";
  testsupport::Pump(700);
  Shot("tray_program_icon");
  Application->SetIcon(nullptr);
  for (TbsTrayIcon* t : {icon, tray}) {
    ASSERT_TRUE(NotifyIconShown(t->CallbackWindow(), TbsTrayIcon::IconID, nullptr, &shown));
    EXPECT_EQ(0xFF34495Eu, shown.ArgbPixel(40, 220)) << "not the program's slate ground";
  }
}

TEST_F(Tray, TheMainFormGoesToTheTrayAndComesBack) {
  StartTrayer();
  skinForm->SetTrayIcon(tray);
  EXPECT_FALSE(FindIcon().Found) << "the icon shows before minimising";
  EXPECT_EQ(MapState("Tray form"), "IsViewable");
  skinForm->MinimizeToTray();
  EXPECT_FALSE(form->Visible());
  EXPECT_FALSE(Application->AppWindowVisible());
  ASSERT_TRUE(testsupport::WaitUntil([] { return FindIcon().Found; }, 5000)) << "no icon to come back from";
  testsupport::Pump(700);
  ASSERT_TRUE(testsupport::WaitUntil([] { return FindIcon().Found; }, 5000));
  EXPECT_TRUE(testsupport::WaitUntil([] { return MapState("Tray form") != "IsViewable"; }, 3000));
  Shot("tray_minimised");

  // The icon's double click restores (the skin form's doing).
  ClickIcon("click --repeat 2 --delay 60 1");
  ASSERT_TRUE(testsupport::WaitUntil([&] { return form->Visible(); }, 3000)) << "not restored from the tray";
  EXPECT_TRUE(testsupport::WaitUntil([] { return MapState("Tray form") == "IsViewable"; }, 3000));
  EXPECT_FALSE(Application->Minimized());
  EXPECT_TRUE(Application->AppWindowVisible());
  // Nothing left behind: the icon went with the restore.
  EXPECT_TRUE(testsupport::WaitUntil([] { return !FindIcon().Found; }, 3000));
  EXPECT_FALSE(tray->IconShown());
  testsupport::Pump(200);
  Shot("tray_restored");
}

TEST_F(Tray, WithoutATrayHostTheWindowIsMinimisedAsUsual) {
  ASSERT_FALSE(NotificationAreaAvailable()) << "a notification area exists on the bare server";
  skinForm->SetTrayIcon(tray);
  skinForm->MinimizeToTray();
  EXPECT_EQ(reported, 1);
  EXPECT_TRUE(Application->Minimized());
  EXPECT_TRUE(form->Visible()) << "hidden with no tray to come back from";
  EXPECT_TRUE(Application->AppWindowVisible());
  EXPECT_EQ(MapState("Tray form"), "IsViewable");
  skinForm->RestoreFromTray();
  EXPECT_FALSE(Application->Minimized());
  EXPECT_TRUE(testsupport::WaitUntil([] { return MapState("Tray form") == "IsViewable"; }, 3000));
}

}  // namespace
