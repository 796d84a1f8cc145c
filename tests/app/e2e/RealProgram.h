#pragma once
// The built program as the user runs it: a real window on the test X server, driven by
// the X server's own pointer and keys (xdotool), with the test sound server's null sink
// as its output and that sink's monitor as its input.
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>
#include <thread>

namespace e2etest {

// Runs a shell command; its standard output (and error when asked) and exit status.
inline int Shell(const std::string& cmd, std::string* out = nullptr) {
  FILE* p = ::popen(cmd.c_str(), "r");
  if (!p) return -1;
  char buf[4096];
  std::size_t n;
  while ((n = std::fread(buf, 1, sizeof buf, p)) > 0)
    if (out) out->append(buf, n);
  int status = ::pclose(p);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

inline void Sleep(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

class TRealProgram {
 public:
  static constexpr const char* Caption = "www.corvale.example   Lirovan";

  explicit TRealProgram(const std::string& configDir) {
    FDisplay = std::getenv("CORVALE_TEST_DISPLAY") ? std::getenv("CORVALE_TEST_DISPLAY") : "";
    FPid = ::fork();
    if (FPid == 0) {
      setenv("DISPLAY", FDisplay.c_str(), 1);
      setenv("QT_QPA_PLATFORM", "xcb", 1);
      setenv("XDG_CONFIG_HOME", configDir.c_str(), 1);
      const std::string program = std::string(CORVALE_BINARY_DIR) + "/corvale";
      ::execl(program.c_str(), program.c_str(), static_cast<char*>(nullptr));
      std::_Exit(127);
    }
  }
  ~TRealProgram() {
    if (FPid > 0) {
      ::kill(FPid, SIGKILL);
      ::waitpid(FPid, nullptr, 0);
    }
  }
  bool Alive() const { return FPid > 0 && ::waitpid(FPid, nullptr, WNOHANG) == 0; }

  // xdotool on the test display.
  int Xdo(const std::string& args) const { return Shell("DISPLAY='" + FDisplay + "' xdotool " + args + " 2>/dev/null"); }
  std::string WindowId(const std::string& title) const {
    std::string out;
    Shell("DISPLAY='" + FDisplay + "' xdotool search --onlyvisible --name '^" + title + "$' 2>/dev/null | head -n1",
          &out);
    while (!out.empty() && (out.back() == '\n' || out.back() == ' ')) out.pop_back();
    return out;
  }
  bool WaitWindow(const std::string& title, int ms, bool shown = true) const {
    for (int t = 0; t < ms; t += 100) {
      if (WindowId(title).empty() != shown) return true;
      Sleep(100);
    }
    return false;
  }
  // The main window's client origin on the screen (inside the default frame).
  bool FindMainWindow(int& cx, int& cy) {
    if (!WaitWindow(Caption, 30000)) return false;
    std::string info;
    Shell("xwininfo -display '" + FDisplay + "' -name '" + Caption + "'", &info);
    std::istringstream in(info);
    std::string line;
    int x = -1, y = -1;
    while (std::getline(in, line)) {
      if (line.find("Absolute upper-left X:") != std::string::npos) x = std::stoi(line.substr(line.rfind(' ')));
      if (line.find("Absolute upper-left Y:") != std::string::npos) y = std::stoi(line.substr(line.rfind(' ')));
    }
    cx = x + 3;
    cy = y + 22;
    return x >= 0 && y >= 0;
  }
  void Click(int x, int y) const { Xdo("mousemove --sync " + std::to_string(x) + " " + std::to_string(y) + " click 1"); }
  void Key(const std::string& key) const { Xdo("key " + key); }

  // The open-video button, the path typed into the skinned dialog, Return.
  bool OpenVideo(int cx, int cy, const std::string& path) {
    Click(cx + 16 + 60, cy + 384 + 12);
    if (!WaitWindow("Open file", 10000)) return false;
    Sleep(500);
    const std::string dialog = WindowId("Open file");
    Xdo("windowactivate " + dialog);
    Sleep(300);
    Xdo("type --delay 10 '" + path + "'");
    Sleep(200);
    Key("Return");
    return WaitWindow("Open file", 10000, false);
  }
  // Record (client 16,344) and stop (80,344), each 59 x 25.
  void Record(int cx, int cy) const { Click(cx + 45, cy + 356); }
  // Stops and answers the information box; false when no such box showed.
  bool Stop(int cx, int cy) const {
    Click(cx + 109, cy + 356);
    if (!WaitWindow("信息", 15000)) return false;
    Sleep(300);
    Xdo("windowactivate " + WindowId("信息"));
    Key("Return");
    return WaitWindow("信息", 5000, false);
  }
  // The middle of the video picture (client 144,8, 465 x 433).
  void ClickVideo(int cx, int cy) const { Click(cx + 144 + 232, cy + 8 + 216); }

 private:
  std::string FDisplay;
  pid_t FPid = -1;
};

}  // namespace e2etest
