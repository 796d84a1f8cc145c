// The real program on the test X server, clicked with the server's own pointer while the
// test tone plays: takes outlive SIGTERM, SIGKILL, a power cut, a second copy of the
// program, a full disk and a lost display.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <thread>

#include "tests/support/TestSupport.h"
#include "tests/support/ToneAnalysis.h"

namespace fs = std::filesystem;
using namespace std::chrono_literals;

namespace {
std::string Run(const std::string& cmd) {
  std::string out;
  char buf[256];
  if (FILE* p = ::popen(cmd.c_str(), "r")) {
    while (std::fgets(buf, sizeof buf, p)) out += buf;
    ::pclose(p);
  }
  return out;
}
struct stat Stat(const std::string& path) {
  struct stat st {};
  ::stat(path.c_str(), &st);
  return st;
}
std::uint64_t SizeOf(const std::string& path) { return Stat(path).st_size; }

// A copy of the program in a folder of its own, where Temp.wav and its journal land.
struct TProgram {
  std::string Dir, Display, Journal = Dir + "/.Temp.wav.recording";
  pid_t Pid = -1;
  int X = 0, Y = 0;  // the client area on the screen

  ~TProgram() {
    if (Signal(SIGKILL)) waitpid(Pid, nullptr, 0);
  }
  // Only ever the program itself: a pid of -1 would signal every process there is.
  bool Signal(int sig) const { return Pid > 0 && ::kill(Pid, sig) == 0; }
  // True once the window shows.
  bool Start(rlim_t fileSizeLimit = RLIM_INFINITY) {
    if (!fs::exists(Dir + "/corvale")) fs::create_hard_link(CORVALE_BINARY_DIR "/corvale", Dir + "/corvale");
    if ((Pid = fork()) == 0) {
      setenv("DISPLAY", Display.c_str(), 1);
      setenv("QT_QPA_PLATFORM", "xcb", 1);
      setenv("HOME", Dir.c_str(), 1);
      freopen((Dir + "/stderr.txt").c_str(), "a", stderr);
      ::signal(SIGXFSZ, SIG_IGN);
      rlimit r{fileSizeLimit, fileSizeLimit};
      if (fileSizeLimit != RLIM_INFINITY) setrlimit(RLIMIT_FSIZE, &r);
      execl((Dir + "/corvale").c_str(), "corvale", (char*)nullptr);
      _exit(127);
    }
    auto info = [this] { return Run("xwininfo -display " + Display + " -name 'www.corvale.example   Lirovan' 2>&1"); };
    if (Pid < 0 ||
        !testsupport::WaitUntil([&] { return info().find("upper-left Y") != std::string::npos || Wait(0) != -1; }, 30000) ||
        Pid < 0)
      return false;  // it ended before its window showed
    std::this_thread::sleep_for(1s);  // placed and painted
    const std::string placed = info();
    std::sscanf(placed.c_str() + placed.find("upper-left X:"), "upper-left X: %d", &X);
    std::sscanf(placed.c_str() + placed.find("upper-left Y:"), "upper-left Y: %d", &Y);
    X += 3, Y += 22;  // the default frame's border and caption
    return true;
  }
  // Not --sync: it waits for a motion that never comes when the pointer is there already.
  void Click(int x, int y) const {
    Run("DISPLAY=" + Display + " xdotool mousemove " + std::to_string(X + x) + " " + std::to_string(Y + y) +
        " sleep 0.2 click 1");
  }
  bool Shows(const std::string& title) const {
    return !Run("DISPLAY=" + Display + " xdotool search --onlyvisible --name '^" + title + "$'").empty();
  }
  // Clicks record and sings for the given time once sound reaches the journal (or five
  // seconds have passed without it).
  void Record(std::chrono::milliseconds length) const {
    Click(45, 356);
    testsupport::WaitUntil([&] { return SizeOf(Journal) > 44; }, 5000);
    std::this_thread::sleep_for(length);
  }
  // The wait status, -1 when the program still runs after ms.
  int Wait(int ms = 15000) {
    int status = 0;
    if (Pid <= 0) return -1;
    for (int i = 0; i <= ms / 50; ++i, std::this_thread::sleep_for(ms ? 50ms : 0ms))
      if (waitpid(Pid, &status, WNOHANG) == Pid) return Pid = -1, status;
    return -1;
  }
  std::string Log() const { return Run("cat " + Dir + "/stderr.txt"); }
};

// A whole wave file of at least minSeconds in the stored format, with the tone's 440 Hz
// on the left and its 1000 Hz on the right.
void ExpectTheTone(const std::string& path, double minSeconds) {
  testsupport::WaveData w;
  std::string why;
  ASSERT_TRUE(testsupport::ReadWave(path, w, why)) << path << ": " << why;
  ASSERT_EQ(w.Channels * w.SampleRate, 2 * 22050);
  EXPECT_EQ(w.DataSize, w.FileSize - 44);
  EXPECT_GE(double(w.Samples[0].size()) / 22050, minSeconds);
  for (int c = 0; c < 2; ++c) {
    std::vector<double> s(w.Samples[c].begin() + std::min<size_t>(w.Samples[c].size(), 11025), w.Samples[c].end());
    const double mine = testsupport::TonePower(s, 22050, c ? 1000 : 440);
    EXPECT_GT(mine, 1e-4) << "channel " << c;
    EXPECT_GT(mine, 50 * testsupport::TonePower(s, 22050, c ? 440 : 1000)) << "channel " << c;
  }
}

class TakeSurvival : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!std::getenv("CORVALE_TEST_DISPLAY") || !testsupport::PulseExpected())
      GTEST_SKIP() << "needs the test X server and sound server (scripts/services.sh)";
  }
  std::string dir = testsupport::MakeTempDir("takes"), wav = dir + "/Temp.wav";
  const char* display = std::getenv("CORVALE_TEST_DISPLAY");
  testsupport::ToneFeeder tone;
};
}  // namespace

TEST_F(TakeSurvival, SigtermSavesTheTakeWithoutABoxAndExitsWithZero) {
  TProgram p{dir, display};
  ASSERT_TRUE(p.Start()) << p.Log();
  p.Record(4s);
  p.Signal(SIGTERM);
  int status = p.Wait();
  ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status << "\n" << p.Log();
  EXPECT_NE(p.Log().find("SIGTERM during a take; the take was saved in " + wav), std::string::npos) << p.Log();
  EXPECT_FALSE(fs::exists(p.Journal));
  ExpectTheTone(wav, 3.9);
}

// Killed outright, then the power fails before the last bytes reach the disk: the next
// start rescues every whole frame and says so in a box; its end by SIGTERM outside a
// take is immediate.
TEST_F(TakeSurvival, AKilledTakeCutAtAnyByteIsRescuedAtTheNextStart) {
  TProgram p{dir, display};
  ASSERT_TRUE(p.Start()) << p.Log();
  p.Record(4s);
  p.Signal(SIGKILL);
  p.Wait();
  ASSERT_TRUE(fs::exists(p.Journal)) << "the killed take left nothing behind";
  const std::uint64_t cut = SizeOf(p.Journal) - 1001;  // not a frame's edge
  fs::resize_file(p.Journal, cut);
  ASSERT_TRUE(p.Start()) << p.Log();
  EXPECT_TRUE(testsupport::WaitUntil([&] { return p.Shows("信息"); }, 10000)) << p.Log();
  ::Run("import -display " + p.Display + " -window root " + testsupport::ArtifactDir() + "/take_rescued.png");
  std::vector<std::string> rescued;
  for (auto& e : fs::directory_iterator(dir))
    if (e.path().filename().string().rfind("Temp-", 0) == 0) rescued.push_back(e.path());
  ASSERT_EQ(rescued.size(), 1u) << p.Log();
  EXPECT_NE(p.Log().find("was rescued into " + rescued[0]), std::string::npos) << p.Log();
  EXPECT_EQ(SizeOf(rescued[0]), 44 + (cut - 44) / 4 * 4);
  ExpectTheTone(rescued[0], 2.0);
  EXPECT_FALSE(fs::exists(p.Journal));
  p.Signal(SIGTERM);
  int status = p.Wait(3000);
  EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGTERM) << status;
}

TEST_F(TakeSurvival, ASecondCopyCannotRecordIntoATakeInProgress) {
  TProgram first{dir, display}, second{dir, display};
  ASSERT_TRUE(first.Start()) << first.Log();
  first.Record(1s);
  const ino_t journal = Stat(first.Journal).st_ino;
  ASSERT_TRUE(second.Start()) << second.Log();  // on top of the first, at the same place
  second.Record(0s);
  EXPECT_TRUE(testsupport::WaitUntil([&] { return second.Shows("错误"); }, 5000)) << second.Log();
  const std::uint64_t before = SizeOf(first.Journal);
  second.Signal(SIGTERM);
  second.Wait();
  std::this_thread::sleep_for(1500ms);
  EXPECT_GT(SizeOf(first.Journal), before) << "the first take stopped growing";
  EXPECT_EQ(Stat(first.Journal).st_ino, journal);
  first.Click(109, 356);  // stop
  EXPECT_TRUE(testsupport::WaitUntil([&] { return first.Shows("信息"); }, 10000)) << first.Log();
  ExpectTheTone(wav, 2.4);
}

TEST_F(TakeSurvival, AFullDiskEndsTheTakeWithTheErrorBoxAndKeepsWhatWasWritten) {
  TProgram p{dir, display};
  constexpr rlim_t kLimit = 200000;  // 2.27 s of the stored format
  ASSERT_TRUE(p.Start(kLimit)) << p.Log();
  p.Record(3s);
  p.Click(109, 356);  // stop
  EXPECT_TRUE(testsupport::WaitUntil([&] { return p.Shows("错误"); }, 10000)) << p.Log();
  EXPECT_EQ(SizeOf(wav), 44 + (kLimit - 44) / 4 * 4);
  ExpectTheTone(wav, 2.0);
}

TEST_F(TakeSurvival, ALostDisplaySavesTheTake) {
  const std::string fdFile = dir + "/displayfd";
  TProgram xvfb{dir, ""};  // the display's own server, ended however the test ends
  ASSERT_GE(xvfb.Pid = fork(), 0);
  if (xvfb.Pid == 0) {
    dup2(::open(fdFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644), 3);
    // -noreset: a server resets whenever its last client leaves, dropping one that was
    // connecting then (the polls of xwininfo race the program's start).
    execlp("Xvfb", "Xvfb", "-displayfd", "3", "-screen", "0", "1024x768x24", "-nolisten", "tcp", "-noreset",
           (char*)nullptr);
    _exit(127);
  }
  ASSERT_TRUE(testsupport::WaitUntil([&] { return SizeOf(fdFile) > 0; }, 10000));
  std::string number;
  std::ifstream(fdFile) >> number;
  TProgram p{dir, ":" + number};
  ASSERT_TRUE(p.Start()) << p.Log();
  p.Record(2s);
  xvfb.Signal(SIGKILL);
  xvfb.Wait();
  EXPECT_NE(p.Wait(), -1) << "the program outlived its display";
  EXPECT_NE(p.Log().find("the take was saved in " + wav), std::string::npos) << p.Log();
  EXPECT_FALSE(fs::exists(p.Journal));
  ExpectTheTone(wav, 1.9);
}
