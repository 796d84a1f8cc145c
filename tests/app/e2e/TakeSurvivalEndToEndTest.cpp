// The real program, started on the test X server and clicked with the server's own
// pointer, while the test tone plays into the sound server: takes must outlive SIGTERM,
// SIGKILL, a power cut, a second copy of the program, a full disk and a lost display.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include "tests/support/TestSupport.h"
#include "tests/support/ToneAnalysis.h"

namespace fs = std::filesystem;
using namespace std::chrono_literals;

namespace {
std::string Run(const std::string& cmd) {
  std::string out;
  if (FILE* p = ::popen(cmd.c_str(), "r")) {
    char buf[256];
    while (std::fgets(buf, sizeof buf, p)) out += buf;
    ::pclose(p);
  }
  return out;
}

ino_t Inode(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 ? st.st_ino : 0;
}

std::uint64_t SizeOf(const std::string& path) {
  std::error_code e;
  auto n = fs::file_size(path, e);
  return e ? 0 : n;
}

// One copy of the program in a folder of its own (Temp.wav and its journal land there).
struct TProgram {
  std::string Dir, Display;
  pid_t Pid = -1;
  int X = 0, Y = 0;  // the client area on the screen

  TProgram(const std::string& dir, const std::string& display) : Dir(dir), Display(display) {
    if (!fs::exists(Dir + "/corvale")) fs::create_hard_link(CORVALE_BINARY_DIR "/corvale", Dir + "/corvale");
  }
  ~TProgram() { Kill(SIGKILL); }
  void Start(rlim_t fileSizeLimit = RLIM_INFINITY) {
    Pid = fork();
    if (Pid == 0) {
      setenv("DISPLAY", Display.c_str(), 1);
      setenv("QT_QPA_PLATFORM", "xcb", 1);
      setenv("HOME", Dir.c_str(), 1);
      setenv("XDG_CONFIG_HOME", (Dir + "/config").c_str(), 1);
      setenv("ASAN_OPTIONS", "detect_leaks=0", 1);
      freopen((Dir + "/stderr.txt").c_str(), "a", stderr);
      ::signal(SIGXFSZ, SIG_IGN);
      rlimit r{fileSizeLimit, fileSizeLimit};
      if (fileSizeLimit != RLIM_INFINITY) setrlimit(RLIMIT_FSIZE, &r);
      execl((Dir + "/corvale").c_str(), "corvale", (char*)nullptr);
      _exit(127);
    }
    auto info = [this] { return Run("xwininfo -display " + Display + " -name 'www.corvale.example   Lirovan' 2>&1"); };
    testsupport::WaitUntil([&] { return info().find("Absolute upper-left Y") != std::string::npos; }, 30000);
    std::this_thread::sleep_for(1s);  // placed and painted
    const std::string placed = info();
    std::sscanf(placed.c_str() + placed.find("Absolute upper-left X:"), "Absolute upper-left X: %d", &X);
    std::sscanf(placed.c_str() + placed.find("Absolute upper-left Y:"), "Absolute upper-left Y: %d", &Y);
    X += 3, Y += 22;  // the default frame's border and caption
  }
  void Click(int x, int y) const {
    // Not --sync: it waits for a motion that never comes when the pointer is there already.
    Run("DISPLAY=" + Display + " xdotool mousemove " + std::to_string(X + x) + " " + std::to_string(Y + y) +
        " sleep 0.2 click 1");
  }
  void ClickRecord() const { Click(45, 356); }
  void ClickStop() const { Click(109, 356); }
  bool Shows(const std::string& title) const {
    return !Run("DISPLAY=" + Display + " xdotool search --onlyvisible --name '^" + title + "$' 2>/dev/null").empty();
  }
  // Once sound reaches the journal (or after five seconds without one), sleeps for the
  // take's length.
  void Sing(std::chrono::milliseconds length) const {
    testsupport::WaitUntil([&] { return SizeOf(Journal()) > 44; }, 5000);
    std::this_thread::sleep_for(length);
  }
  void Kill(int signal) const {
    if (Pid > 0) ::kill(Pid, signal);
  }
  // The wait status, -1 when the program is still running after ms.
  int Wait(int ms = 15000) {
    int status = 0;
    for (int i = 0; i < ms / 50; ++i, std::this_thread::sleep_for(50ms))
      if (waitpid(Pid, &status, WNOHANG) == Pid) {
        Pid = -1;
        return status;
      }
    return -1;
  }
  std::string Journal() const { return Dir + "/.Temp.wav.recording"; }
  std::string Log() const {
    std::ifstream f(Dir + "/stderr.txt");
    std::stringstream s;
    s << f.rdbuf();
    return s.str();
  }
};

// A whole wave file of at least minSeconds, stereo, 16 bits, 22050 Hz, with the tone's
// 440 Hz on the left and 1000 Hz on the right.
void ExpectTheTone(const std::string& path, double minSeconds) {
  testsupport::WaveData w;
  std::string why;
  ASSERT_TRUE(testsupport::ReadWave(path, w, why)) << path << ": " << why;
  ASSERT_EQ(w.Channels, 2);
  EXPECT_EQ(w.SampleRate, 22050);
  EXPECT_EQ(w.DataSize, w.FileSize - 44);
  EXPECT_GE(double(w.Samples[0].size()) / 22050, minSeconds);
  for (int c = 0; c < 2; ++c) {
    std::vector<double> s(w.Samples[c].begin() + std::min<size_t>(w.Samples[c].size(), 22050 / 2), w.Samples[c].end());
    double mine = testsupport::TonePower(s, 22050, c ? 1000 : 440), other = testsupport::TonePower(s, 22050, c ? 440 : 1000);
    EXPECT_GT(mine, 1e-4) << "channel " << c;
    EXPECT_GT(mine, 50 * other) << "channel " << c;
  }
}

class TakeSurvival : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!std::getenv("CORVALE_TEST_DISPLAY") || !testsupport::PulseExpected())
      GTEST_SKIP() << "needs the test X server and sound server (scripts/services.sh)";
    dir = testsupport::MakeTempDir("takes");
    display = std::getenv("CORVALE_TEST_DISPLAY");
  }
  std::vector<std::string> Rescued() const {
    std::vector<std::string> out;
    for (auto& e : fs::directory_iterator(dir))
      if (e.path().filename().string().rfind("Temp-", 0) == 0) out.push_back(e.path());
    return out;
  }
  std::string dir, display;
  testsupport::ToneFeeder tone;
};
}  // namespace

TEST_F(TakeSurvival, SigtermSavesTheTakeWithoutABoxAndExitsWithZero) {
  TProgram p(dir, display);
  p.Start();
  p.ClickRecord();
  p.Sing(4s);
  p.Kill(SIGTERM);
  int status = p.Wait();
  ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status << "\n" << p.Log();
  EXPECT_NE(p.Log().find("SIGTERM during a take; the take was saved in " + dir + "/Temp.wav"), std::string::npos)
      << p.Log();
  EXPECT_FALSE(fs::exists(p.Journal()));
  ExpectTheTone(dir + "/Temp.wav", 3.9);
}

// Killed outright, then the power fails before the last bytes reach the disk: the next
// start rescues every whole frame, says so in a box, and its own end by SIGTERM (outside
// a take) is immediate.
TEST_F(TakeSurvival, AKilledTakeCutAtAnyByteIsRescuedAtTheNextStart) {
  TProgram p(dir, display);
  p.Start();
  p.ClickRecord();
  p.Sing(4s);
  p.Kill(SIGKILL);
  p.Wait();
  ASSERT_TRUE(fs::exists(p.Journal())) << "the killed take left nothing behind";
  const std::uint64_t cut = SizeOf(p.Journal()) - 1001;  // not a frame's edge
  ASSERT_GT(cut, 44 + 2 * 88200u);
  fs::resize_file(p.Journal(), cut);
  p.Start();
  EXPECT_TRUE(testsupport::WaitUntil([&] { return p.Shows("信息"); }, 10000)) << p.Log();
  ASSERT_EQ(Rescued().size(), 1u) << p.Log();
  EXPECT_NE(p.Log().find("was rescued into " + Rescued()[0]), std::string::npos) << p.Log();
  EXPECT_EQ(SizeOf(Rescued()[0]), 44 + (cut - 44) / 4 * 4);
  ExpectTheTone(Rescued()[0], 2.0);
  EXPECT_FALSE(fs::exists(p.Journal()));
  p.Kill(SIGTERM);
  int status = p.Wait(3000);
  EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGTERM) << status;
}

TEST_F(TakeSurvival, ASecondCopyCannotRecordIntoATakeInProgress) {
  TProgram first(dir, display), second(dir, display);
  first.Start();
  first.ClickRecord();
  first.Sing(1s);
  const ino_t inode = Inode(first.Journal());
  second.Start();  // on top of the first, at the same place
  second.ClickRecord();
  EXPECT_TRUE(testsupport::WaitUntil([&] { return second.Shows("错误"); }, 5000)) << second.Log();
  const std::uint64_t before = SizeOf(first.Journal());
  second.Kill(SIGTERM);
  second.Wait();
  std::this_thread::sleep_for(1500ms);
  EXPECT_GT(SizeOf(first.Journal()), before) << "the first take stopped growing";
  EXPECT_EQ(Inode(first.Journal()), inode);
  first.ClickStop();
  EXPECT_TRUE(testsupport::WaitUntil([&] { return first.Shows("信息"); }, 10000)) << first.Log();
  ExpectTheTone(dir + "/Temp.wav", 2.4);
  EXPECT_TRUE(Rescued().empty());
}

TEST_F(TakeSurvival, AFullDiskEndsTheTakeWithTheErrorBoxAndKeepsWhatWasWritten) {
  TProgram p(dir, display);
  constexpr rlim_t kLimit = 200000;  // 2.27 s of the stored format
  p.Start(kLimit);
  p.ClickRecord();
  p.Sing(3s);
  p.ClickStop();
  EXPECT_TRUE(testsupport::WaitUntil([&] { return p.Shows("错误"); }, 10000)) << p.Log();
  EXPECT_EQ(SizeOf(dir + "/Temp.wav"), 44 + (kLimit - 44) / 4 * 4);
  ExpectTheTone(dir + "/Temp.wav", 2.0);
}

TEST_F(TakeSurvival, ALostDisplaySavesTheTake) {
  const std::string fdFile = dir + "/displayfd";
  pid_t xvfb = fork();
  if (xvfb == 0) {
    int fd = ::open(fdFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    dup2(fd, 3);
    execlp("Xvfb", "Xvfb", "-displayfd", "3", "-screen", "0", "1024x768x24", "-nolisten", "tcp", (char*)nullptr);
    _exit(127);
  }
  ASSERT_TRUE(testsupport::WaitUntil([&] { return SizeOf(fdFile) > 0; }, 10000));
  std::string number;
  std::ifstream(fdFile) >> number;
  TProgram p(dir, ":" + number);
  p.Start();
  p.ClickRecord();
  p.Sing(2s);
  ::kill(xvfb, SIGKILL);
  waitpid(xvfb, nullptr, 0);
  EXPECT_NE(p.Wait(), -1) << "the program outlived its display";
  EXPECT_NE(p.Log().find("the take was saved in " + dir + "/Temp.wav"), std::string::npos) << p.Log();
  EXPECT_FALSE(fs::exists(p.Journal()));
  ExpectTheTone(dir + "/Temp.wav", 1.9);
}
