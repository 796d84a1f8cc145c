// The media player inside a form on the offscreen platform, with videos made by ffmpeg
// at test time: what the control's image shows, that playback runs, that a new URL
// replaces the old one and that files it cannot play leave it black.
#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWidget>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <random>

#include "framework/core/Exceptions.h"
#include "framework/core/SysUtils.h"
#include "framework/graphics/Bitmap.h"
#include "framework/windows/Forms.h"
#include "media/WindowsMediaPlayer.h"
#include "tests/support/TestSupport.h"

using namespace mediaplayer;
using testsupport::WaitUntil;

namespace {
struct Rgb {
  int R, G, B;
};
Rgb At(const TBitmap& b, int x, int y) {
  TColor c = b.Pixel(x, y);
  return {c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF};
}
bool Near(Rgb a, Rgb b, int tol = 45) {
  return std::abs(a.R - b.R) <= tol && std::abs(a.G - b.G) <= tol && std::abs(a.B - b.B) <= tol;
}
bool Dark(Rgb a) { return a.R < 40 && a.G < 40 && a.B < 40; }

// The rectangle of pixels that are not (near) black.
TRect LitArea(const TBitmap& b) {
  TRect r{b.Width(), b.Height(), 0, 0};
  for (int y = 0; y < b.Height(); ++y)
    for (int x = 0; x < b.Width(); ++x)
      if (!Dark(At(b, x, y))) {
        r.Left = std::min(r.Left, x);
        r.Top = std::min(r.Top, y);
        r.Right = std::max(r.Right, x + 1);
        r.Bottom = std::max(r.Bottom, y + 1);
      }
  return r;
}
bool AllBlack(const TBitmap& b) {
  for (int y = 0; y < b.Height(); y += 3)
    for (int x = 0; x < b.Width(); x += 3)
      if (!Dark(At(b, x, y))) return false;
  return true;
}

// A short video with a tone, made with ffmpeg from one of its generated sources.
std::string MakeVideo(const std::string& dir, const std::string& name, const std::string& source, int seconds) {
  std::string out = dir + "/" + name;
  std::string cmd = "ffmpeg -v error -y -f lavfi -i " + source + ":rate=25:duration=" + std::to_string(seconds) +
                    " -f lavfi -i sine=frequency=440:duration=" + std::to_string(seconds) +
                    " -c:v libx264 -preset ultrafast -pix_fmt yuv420p -c:a aac -shortest '" + out + "'";
  if (std::system(cmd.c_str()) != 0 || !FileExists(out)) throw Exception("ffmpeg failed: " + cmd);
  return out;
}

class WindowsMediaPlayerGui : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    RegisterWindowsMediaPlayerClass();
    dir = testsupport::MakeTempDir("wmp");
    bars = MakeVideo(dir, "bars.mp4", "smptebars=size=320x240", 6);
    red = MakeVideo(dir, "red.mp4", "color=c=red:size=320x240", 6);
  }
  void SetUp() override {
    form = new TForm(nullptr);
    form->SetBounds(40, 40, 640, 480);
    player = new TWindowsMediaPlayer(form);
    player->SetParent(form);
    player->SetBounds(144, 8, 465, 433);
    player->OnPlayStateChange = [this](TObject* sender, const TWMPEventArgs& a) {
      EXPECT_EQ(sender, player);
      states.push_back(a.at(0).AsInt());
    };
    player->OnMediaError = [this](TObject*, const TWMPEventArgs&) { ++mediaErrors; };
    form->Show();
  }
  void TearDown() override { delete form; }

  const TBitmap& Image() { return player->Player()->FrameImage(); }
  bool Playing() { return player->Player()->PlayState() == psPlaying; }
  bool ShowsBars() {
    TRect lit = LitArea(Image());
    if (lit.Width() < 100) return false;
    int y = lit.Top + lit.Height() / 3;
    return Near(At(Image(), lit.Left + lit.Width() / 14, y), {191, 191, 191}) &&
           Near(At(Image(), lit.Left + lit.Width() * 13 / 14, y), {0, 0, 191});
  }

  static inline std::string dir, bars, red;
  TForm* form = nullptr;
  TWindowsMediaPlayer* player = nullptr;
  std::vector<int> states;
  int mediaErrors = 0;
};
}  // namespace

TEST_F(WindowsMediaPlayerGui, PlaysColourBarsLetterboxedAtTheirAspect) {
  player->SetURL(Utf8ToUtf16(bars));
  ASSERT_TRUE(WaitUntil([&] { return ShowsBars(); }, 20000)) << "no bars within 20 s";
  const TBitmap& img = Image();
  ASSERT_EQ(img.Width(), 465);
  ASSERT_EQ(img.Height(), 433);
  // A 320x240 picture is shown at its own size, centred, black around it.
  TRect lit = LitArea(img);
  EXPECT_NEAR(lit.Width(), 320, 4);
  EXPECT_NEAR(lit.Height(), 240, 6);
  EXPECT_NEAR(lit.Left, (465 - 320) / 2, 3);
  EXPECT_NEAR(lit.Top, (433 - 240) / 2, 4);
  // The seven bars, left to right (75 % grey, yellow, cyan, green, magenta, red, blue).
  const Rgb expected[7] = {{191, 191, 191}, {191, 191, 0}, {0, 191, 191}, {0, 191, 0},
                           {191, 0, 191},   {191, 0, 0},   {0, 0, 191}};
  int y = lit.Top + lit.Height() / 3;
  for (int i = 0; i < 7; ++i) {
    int x = lit.Left + (2 * i + 1) * lit.Width() / 14;
    Rgb got = At(img, x, y);
    EXPECT_TRUE(Near(got, expected[i])) << "bar " << i << " at " << x << "," << y << " is " << got.R << ","
                                        << got.G << "," << got.B;
  }
  img.SavePngFile(testsupport::ArtifactDir() + "/video_bars.png");

  // Playback runs by itself: the position advances.
  ASSERT_TRUE(WaitUntil([&] { return player->Player()->Position() > 0.5; }, 10000));
  double p1 = player->Player()->Position();
  ASSERT_TRUE(WaitUntil([&] { return player->Player()->Position() > p1 + 0.4; }, 5000));
  EXPECT_GT(player->Player()->FramesRendered(), 10);
  EXPECT_NEAR(player->currentMedia().duration, 6.0, 0.3);
  EXPECT_EQ(player->currentMedia().imageSourceWidth, 320);
  EXPECT_EQ(player->currentPlaylist().count, 1);
  EXPECT_EQ(player->URL(), Utf8ToUtf16(bars));
  ASSERT_FALSE(states.empty());
  EXPECT_EQ(states.front(), psPlaying);

  // Stretched to fit: the whole width, the aspect kept, bars above and below.
  player->SetstretchToFit(true);
  ASSERT_TRUE(WaitUntil([&] { return LitArea(Image()).Width() > 440; }, 8000));
  lit = LitArea(Image());
  EXPECT_NEAR(lit.Width(), 465, 2);
  EXPECT_NEAR(lit.Height(), 465 * 3 / 4, 6);
  EXPECT_NEAR(lit.Top, (433 - 465 * 3 / 4) / 2, 5);
}

TEST_F(WindowsMediaPlayerGui, ASecondUrlReplacesTheFirst) {
  player->SetURL(Utf8ToUtf16(bars));
  ASSERT_TRUE(WaitUntil([&] { return ShowsBars(); }, 20000));
  player->SetURL(Utf8ToUtf16(red));
  auto centreRed = [&] { return Near(At(Image(), 465 / 2, 433 / 2), {255, 0, 0}, 60); };
  ASSERT_TRUE(WaitUntil(centreRed, 20000)) << "the red video did not replace the bars";
  EXPECT_FALSE(ShowsBars());
  EXPECT_EQ(player->URL(), Utf8ToUtf16(red));
  EXPECT_EQ(mediaErrors, 0);
  Image().SavePngFile(testsupport::ArtifactDir() + "/video_second_url.png");
}

TEST_F(WindowsMediaPlayerGui, ANameThatIsNotUtf8StillPlays) {
  // Latin-1 "café.mp4": the byte 0xE9 is no UTF-8; the URL carries it and hands it back.
  const std::string latin1 = MakeVideo(dir, "caf\xE9.mp4", "smptebars=size=320x240", 3);
  ASSERT_FALSE(IsValidUtf8(latin1));
  player->SetURL(Utf8ToUtf16(latin1));
  EXPECT_EQ(Utf16ToUtf8(player->URL()), latin1);
  EXPECT_EQ(player->URL().find(u'\uFFFD'), std::u16string::npos);
  EXPECT_TRUE(WaitUntil([&] { return ShowsBars(); }, 20000)) << "the video did not open";
  EXPECT_EQ(mediaErrors, 0);
}

TEST_F(WindowsMediaPlayerGui, FilesItCannotPlayLeaveItBlack) {
  std::string missing = dir + "/no such video.mp4";
  std::string corrupt = dir + "/corrupt.mp4";
  {
    std::ofstream f(corrupt, std::ios::binary);
    std::mt19937 rng(7);
    for (int i = 0; i < 64 * 1024; ++i) f.put(char(rng()));
  }
  // First something that plays, so black is a change and not the start.
  player->SetURL(Utf8ToUtf16(bars));
  ASSERT_TRUE(WaitUntil([&] { return ShowsBars(); }, 20000));
  player->SetURL(Utf8ToUtf16(missing));
  ASSERT_TRUE(WaitUntil([&] { return mediaErrors == 1 && AllBlack(Image()); }, 15000));
  EXPECT_NE(player->Player()->PlayState(), psPlaying);
  EXPECT_EQ(player->Player()->OpenState(), osMediaFailed);

  player->SetURL(Utf8ToUtf16(corrupt));
  ASSERT_TRUE(WaitUntil([&] { return mediaErrors == 2; }, 15000));
  testsupport::Pump(300);
  EXPECT_TRUE(AllBlack(Image()));
  // Still alive: the next good file plays.
  player->SetURL(Utf8ToUtf16(red));
  EXPECT_TRUE(WaitUntil([&] { return Near(At(Image(), 232, 216), {255, 0, 0}, 60); }, 20000));
}

TEST_F(WindowsMediaPlayerGui, EmptyUrlStopsAndDestroyingWhilePlayingIsSafe) {
  player->SetURL(Utf8ToUtf16(bars));
  ASSERT_TRUE(WaitUntil([&] { return ShowsBars(); }, 20000));
  player->SetURL(u"");
  EXPECT_TRUE(WaitUntil([&] { return AllBlack(Image()) && !Playing(); }, 8000));
  EXPECT_EQ(player->URL(), u"");
  player->SetURL(Utf8ToUtf16(red));
  ASSERT_TRUE(WaitUntil([&] { return Playing(); }, 20000));
  // Messages from mpv's threads still queued for the player must find nothing.
  delete player;
  player = nullptr;
  testsupport::Pump(500);
  SUCCEED();
}

TEST_F(WindowsMediaPlayerGui, PutOnAnUnknownDispatchIdFails) {
  EXPECT_THROW(player->SetWordBoolProp(77, true), EOleError);
  try {
    player->SetuiMode(u"sideways");
    FAIL() << "no exception";
  } catch (const EOleError& e) {
    EXPECT_NE(e.Message().find("sideways"), std::string::npos);
  }
  player->SetuiMode(u"invisible");
  EXPECT_FALSE(player->Player()->VideoWindow()->Visible());
  player->SetuiMode(u"none");
  EXPECT_TRUE(player->Player()->VideoWindow()->Visible());
  EXPECT_EQ(player->uiMode(), u"none");
}

// The player's own controls with Qt's own events: a click on the picture and Space
// (once per press, however long it is held) pause and resume; Right and Left jump 5 s.
TEST_F(WindowsMediaPlayerGui, ClickAndSpacePauseAndArrowsJump) {
  const std::string longer = MakeVideo(dir, "long.mp4", "smptebars=size=320x240", 20);
  std::vector<std::pair<double, double>> jumps;
  player->OnPositionChange = [&](TObject*, const TWMPEventArgs& a) { jumps.emplace_back(a.at(0).AsReal(), a.at(1).AsReal()); };
  player->SetURL(Utf8ToUtf16(longer));
  ASSERT_TRUE(WaitUntil([&] { return Playing() && player->Player()->Position() > 0.5; }, 20000));
  TWinControl* video = player->Player()->VideoWindow();
  auto mouse = [&](QEvent::Type type) {
    const TPoint sp = video->ClientToScreen(Point(200, 200));
    QWidget* w = QApplication::widgetAt(sp.X, sp.Y);
    ASSERT_NE(w, nullptr);
    const QPointF global(sp.X, sp.Y), local = w->mapFromGlobal(global);
    QMouseEvent e(type, local, local, global, type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton,
                  type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
  };
  auto key = [&](int k, int repeats) {
    const QString text = k == Qt::Key_Space ? " " : "";
    for (int i = 0; i <= repeats; ++i) {
      QKeyEvent press(QEvent::KeyPress, k, Qt::NoModifier, text, i > 0);
      QApplication::sendEvent(QApplication::focusWidget(), &press);
      testsupport::Pump(150);  // the repeat rate of a held key, the player answering meanwhile
    }
    QKeyEvent release(QEvent::KeyRelease, k, Qt::NoModifier, text, false);
    QApplication::sendEvent(QApplication::focusWidget(), &release);
  };
  auto paused = [&] { return player->Player()->PlayState() == psPaused; };
  auto playing = [&] { return Playing(); };

  for (QEvent::Type t : {QEvent::MouseMove, QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) mouse(t);
  ASSERT_TRUE(WaitUntil(paused, 5000)) << "a click did not pause";
  const double held = player->Player()->Position();
  testsupport::Pump(600);
  EXPECT_NEAR(player->Player()->Position(), held, 0.05) << "the picture moved on while paused";
  for (QEvent::Type t : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) mouse(t);
  ASSERT_TRUE(WaitUntil(playing, 5000)) << "a second click did not resume";

  key(Qt::Key_Space, 3);  // held: repeated presses, one release
  ASSERT_TRUE(WaitUntil(paused, 5000)) << "Space did not pause";
  testsupport::Pump(300);
  EXPECT_TRUE(paused()) << "a held Space toggled more than once";
  key(Qt::Key_Space, 0);
  ASSERT_TRUE(WaitUntil(playing, 5000)) << "Space did not resume";

  key(Qt::Key_Right, 0);
  ASSERT_TRUE(WaitUntil([&] { return jumps.size() == 1 && Playing(); }, 5000)) << "no jump on Right";
  EXPECT_NEAR(jumps[0].second - jumps[0].first, 5.0, 0.3);
  key(Qt::Key_Left, 0);
  ASSERT_TRUE(WaitUntil([&] { return jumps.size() == 2; }, 5000)) << "no jump on Left";
  EXPECT_NEAR(jumps[1].second - jumps[1].first, -5.0, 0.3);
  EXPECT_NE(std::find(states.begin(), states.end(), int(psTransitioning)), states.end());
  player->SetURL(u"");
}
