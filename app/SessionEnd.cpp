#include "app/SessionEnd.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <thread>

namespace {
std::atomic<bool> gTakeRunning{false};
int gSignalPipe[2] = {-1, -1};
int gExitStatus = 0;
// Never destroyed: exit handlers may still need it after static objects are gone.
std::function<void()>* gSaveAtExit = nullptr;

// Runs in whichever thread the signal hits: only what is safe there.
void OnEndSignal(int signal) {
  if (gTakeRunning.load()) {
    const int saved = errno;
    const unsigned char b = static_cast<unsigned char>(signal);
    if (::write(gSignalPipe[1], &b, 1) != 1) {
      // A full pipe already holds a signal for the take; nothing more to say.
    }
    errno = saved;
    return;
  }
  ::signal(signal, SIG_DFL);
  ::raise(signal);
}

void AtExit() {
  if (gTakeRunning.load() && gSaveAtExit && *gSaveAtExit) {
    auto save = *gSaveAtExit;
    save();
  }
}
}  // namespace

void CatchEndSignals(HWND window, UINT msg) {
  if (gSignalPipe[0] >= 0 || ::pipe2(gSignalPipe, O_CLOEXEC) != 0) return;
  // A signal handler may not touch the event loop; this thread may.
  std::thread([fd = gSignalPipe[0], window, msg] {
    unsigned char b = 0;
    for (;;) {
      ssize_t n = ::read(fd, &b, 1);
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) return;
      PostMessageFromThread(window, msg, b, 0);
    }
  }).detach();
  struct sigaction sa {};
  sa.sa_handler = OnEndSignal;
  sigemptyset(&sa.sa_mask);
  sa.sa_flags = SA_RESTART;
  for (int s : {SIGTERM, SIGINT, SIGHUP}) {
    // A signal the program was started to ignore (nohup, a background job) stays ignored.
    struct sigaction old {};
    if (::sigaction(s, nullptr, &old) == 0 && old.sa_handler != SIG_IGN) ::sigaction(s, &sa, nullptr);
  }
}

void SetTakeRunning(bool running) { gTakeRunning = running; }
bool TakeRunning() { return gTakeRunning.load(); }

void EndBySignal(int signal) {
  ::signal(signal, SIG_DFL);
  ::raise(signal);
  std::_Exit(128 + signal);  // a signal whose default action is not the end
}

const char* SignalName(int signal) {
  switch (signal) {
    case SIGTERM: return "SIGTERM";
    case SIGINT: return "SIGINT";
    case SIGHUP: return "SIGHUP";
    default: return "a signal";
  }
}

void SaveTakeAtExit(std::function<void()> save) {
  if (!gSaveAtExit) {
    gSaveAtExit = new std::function<void()>;
    std::atexit(AtExit);
  }
  *gSaveAtExit = std::move(save);
}

int SessionExitStatus() { return gExitStatus; }
void SetSessionExitStatus(int status) { gExitStatus = status; }
