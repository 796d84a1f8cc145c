// The main window as a real window on the test X server: a screenshot of the screen
// right after start (standard controls), then another after a video was opened
// through the open button, which must show the video on the right.
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>

#include "app/Unt_main.h"
#include "skin/controls/SkinButton.h"
#include "skin/dialogs/SkinOpenDialog.h"
#include "framework/core/Exceptions.h"
#include "framework/core/SysUtils.h"
#include "framework/graphics/Bitmap.h"
#include "framework/windows/Application.h"
#include "media/WindowsMediaPlayer.h"
#include "platform/ole/MediaPlayerControl.h"
#include "tests/support/TestSupport.h"

using testsupport::WaitUntil;

namespace {
struct Rgb {
  int R, G, B;
};
Rgb At(const TBitmap& b, TPoint p) {
  TColor c = b.Pixel(p.X, p.Y);
  return {c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF};
}
bool Near(Rgb a, Rgb b, int tol) {
  return std::abs(a.R - b.R) <= tol && std::abs(a.G - b.G) <= tol && std::abs(a.B - b.B) <= tol;
}

// The whole screen of the test X server, as the user would see it.
std::unique_ptr<TBitmap> Screenshot(const std::string& name) {
  const char* display = std::getenv("DISPLAY");
  const std::string png = testsupport::ArtifactDir() + "/" + name;
  const std::string cmd = std::string("import -display '") + (display ? display : "") + "' -window root '" + png + "'";
  if (std::system(cmd.c_str()) != 0) throw Exception("screenshot failed: " + cmd);
  auto shot = std::make_unique<TBitmap>();
  shot->LoadPngFile(png);
  return shot;
}

class MainWindowSmoke : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!std::getenv("CORVALE_TEST_DISPLAY")) GTEST_SKIP() << "no test X server (scripts/services.sh)";
    Application_Initialize();
    RegisterProgramClasses();
    setenv("XDG_CONFIG_HOME", testsupport::MakeTempDir("smoke-profile").c_str(), 1);
    Application->SetMessageBoxHook([](const std::string&, const std::string&, unsigned) { return 1; });
    form = new TForm1(Application);
    form->Show();
  }
  void TearDown() override {
    SetSkinOpenDialogHook({});
    delete form;
  }
  TPoint OnScreen(int x, int y) { return form->ClientToScreen({x, y}); }
  TForm1* form = nullptr;
};
}  // namespace

TEST_F(MainWindowSmoke, ShowsItsControlsAndThenAVideoOnTheRight) {
  testsupport::Pump(1500);  // mapped and painted on the server
  const auto idleShot = Screenshot("main_window.png");
  const TBitmap& idle = *idleShot;
  // The face colour between the controls, and the skin button's default look: a grey
  // edge over its face.
  const TColor faceColour = ColorToRGB(clBtnFace);
  const Rgb face{faceColour & 0xFF, (faceColour >> 8) & 0xFF, (faceColour >> 16) & 0xFF};
  EXPECT_TRUE(Near(At(idle, OnScreen(8, 430)), face, 24));
  EXPECT_TRUE(Near(At(idle, OnScreen(40, 375)), face, 24));
  EXPECT_TRUE(Near(At(idle, OnScreen(40, 344)), {128, 128, 128}, 24)) << "no edge on the record button";
  EXPECT_TRUE(Near(At(idle, OnScreen(40, 346)), face, 24));
  // The player's area is black before a video plays.
  const Rgb player = At(idle, OnScreen(144 + 232, 8 + 216));
  EXPECT_LT(player.R + player.G + player.B, 60);

  // Open a video through the button, the way the user does.
  const std::string dir = testsupport::MakeTempDir("smoke-video");
  const std::string video = dir + "/bars.mp4";
  const std::string cmd = "ffmpeg -v error -y -f lavfi -i smptebars=size=640x480:rate=25:duration=8 "
                          "-f lavfi -i sine=frequency=440:duration=8 -c:v libx264 -preset ultrafast "
                          "-pix_fmt yuv420p -c:a aac -shortest '" + video + "'";
  ASSERT_EQ(std::system(cmd.c_str()), 0);
  SetSkinOpenDialogHook([&](TbsSkinOpenDialog* d) {
    d->SetFileName(video);
    return true;
  });
  form->bsSkinButton1->Click();
  ASSERT_TRUE(WaitUntil([&] { return form->WindowsMediaPlayer1->Player()->FramesRendered() > 20; }, 20000));
  testsupport::Pump(500);
  const auto playingShot = Screenshot("main_window_video.png");
  const TBitmap& playing = *playingShot;
  // 640x480 is scaled down into 465x433, centred: the first bar (75 % grey) sits at
  // the left of the picture, the blue bar at its right.
  const int top = 8 + (433 - 465 * 3 / 4) / 2, row = top + 465 * 3 / 4 / 3;
  EXPECT_TRUE(Near(At(playing, OnScreen(144 + 465 / 14, row)), {191, 191, 191}, 45));
  EXPECT_TRUE(Near(At(playing, OnScreen(144 + 465 * 13 / 14, row)), {0, 0, 191}, 45));
  // The controls on the left are still drawn.
  EXPECT_TRUE(Near(At(playing, OnScreen(8, 430)), face, 24));
}
