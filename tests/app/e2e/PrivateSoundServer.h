#pragma once
// A sound server of the test's own, so that a test may kill it without disturbing the
// shared test daemon: its default source is a 440 Hz sine. While it lives PULSE_SERVER
// points at it; the destructor kills it (if the test has not) and restores the variable.
#include <signal.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <string>
#include <thread>

#include "tests/support/TestSupport.h"

namespace e2etest {
class TPrivateSoundServer {
 public:
  TPrivateSoundServer() {
    const char* old = std::getenv("PULSE_SERVER");
    FHadOld = old != nullptr;
    if (old) FOld = old;
    // Short, under /tmp: a unix socket path must fit in 108 bytes.
    char pattern[] = "/tmp/corvale-pa-XXXXXX";
    if (!mkdtemp(pattern)) return;
    FDir = pattern;
    FServer = "unix:" + FDir + "/pa.sock";
    std::string cmd = "XDG_RUNTIME_DIR='" + FDir + "' HOME='" + FDir +
                      "' pulseaudio --daemonize=yes --exit-idle-time=-1 -n --use-pid-file=yes"
                      " --log-target=file:" + FDir + "/pulse.log"
                      " --load='module-null-sink sink_name=privsink rate=44100 channels=2'"
                      " --load='module-sine-source source_name=sine rate=44100 frequency=440'"
                      " --load='module-native-protocol-unix auth-anonymous=1 socket=" + FDir + "/pa.sock'"
                      " >/dev/null 2>&1";
    if (std::system(cmd.c_str()) != 0) return;
    const std::string pactl = "PULSE_SERVER='" + FServer + "' pactl ";
    for (int i = 0; i < 100 && !FUp; ++i) {
      FUp = std::system((pactl + "info >/dev/null 2>&1").c_str()) == 0;
      if (!FUp) std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    if (!FUp) return;
    FUp = std::system((pactl + "set-default-source sine >/dev/null 2>&1").c_str()) == 0 &&
          std::system((pactl + "set-default-sink privsink >/dev/null 2>&1").c_str()) == 0;
    std::ifstream(FDir + "/pulse/pid") >> FPid;
    FUp = FUp && FPid > 0;
    if (FUp) setenv("PULSE_SERVER", FServer.c_str(), 1);
  }
  ~TPrivateSoundServer() {
    Kill();
    if (FHadOld)
      setenv("PULSE_SERVER", FOld.c_str(), 1);
    else
      unsetenv("PULSE_SERVER");
    if (!FDir.empty()) std::system(("rm -rf '" + FDir + "'").c_str());
  }
  bool Up() const { return FUp; }
  // The server goes away as a crashed one does: at once, without a goodbye.
  void Kill() {
    if (FPid <= 0) return;
    ::kill(FPid, SIGKILL);
    for (int i = 0; i < 200 && Alive(FPid); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
    FPid = -1;
  }

 private:
  // Gone, or a zombie nobody has reaped yet.
  static bool Alive(pid_t pid) {
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string pidField, name, state;
    if (!(stat >> pidField >> name >> state)) return false;
    return state != "Z" && state != "X";
  }
  std::string FDir, FServer, FOld;
  bool FHadOld = false;
  bool FUp = false;
  pid_t FPid = -1;
};
}  // namespace e2etest
