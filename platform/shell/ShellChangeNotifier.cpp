// Folder change notification over inotify, with a pipe to wake the thread for stopping.
#include "platform/shell/ShellChangeNotifier.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/inotify.h>
#include <unistd.h>

#include <atomic>
#include <thread>

struct TShellChangeNotifier::TImpl {
  int Notify = -1;
  int Wake[2] = {-1, -1};
  std::function<void()> OnChange;
  std::thread Thread;

  void Run() {
    pollfd fds[2] = {{Notify, POLLIN, 0}, {Wake[0], POLLIN, 0}};
    alignas(inotify_event) char buffer[4096];
    for (;;) {
      if (poll(fds, 2, -1) < 0) continue;
      if (fds[1].revents) return;
      if (!(fds[0].revents & POLLIN)) continue;
      bool gone = false;
      // Fold a burst: read until the folder is quiet for 50 ms.
      do {
        const ssize_t n = read(Notify, buffer, sizeof buffer);
        for (ssize_t at = 0; at + ssize_t(sizeof(inotify_event)) <= n;) {
          const auto* e = reinterpret_cast<const inotify_event*>(buffer + at);
          if (e->mask & (IN_DELETE_SELF | IN_MOVE_SELF | IN_IGNORED)) gone = true;
          at += ssize_t(sizeof(inotify_event) + e->len);
        }
        pollfd quiet[2] = {{Notify, POLLIN, 0}, {Wake[0], POLLIN, 0}};
        if (poll(quiet, 2, 50) <= 0 || quiet[1].revents) break;
      } while (true);
      OnChange();
      if (gone) {
        // The folder is gone: nothing more will come; wait for the stop.
        pollfd stop{Wake[0], POLLIN, 0};
        while (poll(&stop, 1, -1) < 0) {
        }
        return;
      }
    }
  }
};

TShellChangeNotifier::TShellChangeNotifier(const std::string& Folder, std::function<void()> OnChange)
    : FImpl(std::make_unique<TImpl>()) {
  FImpl->OnChange = std::move(OnChange);
  FImpl->Notify = inotify_init1(IN_CLOEXEC | IN_NONBLOCK);
  if (FImpl->Notify < 0) return;
  const uint32_t events = IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO | IN_MODIFY |
                          IN_ATTRIB | IN_DELETE_SELF | IN_MOVE_SELF;
  if (inotify_add_watch(FImpl->Notify, Folder.c_str(), events | IN_ONLYDIR) < 0 ||
      pipe2(FImpl->Wake, O_CLOEXEC) != 0) {
    close(FImpl->Notify);
    FImpl->Notify = -1;
    return;
  }
  FImpl->Thread = std::thread([impl = FImpl.get()] { impl->Run(); });
}

TShellChangeNotifier::~TShellChangeNotifier() {
  if (FImpl->Thread.joinable()) {
    const char stop = 1;
    if (write(FImpl->Wake[1], &stop, 1) < 0) {
    }
    FImpl->Thread.join();
  }
  for (int fd : {FImpl->Notify, FImpl->Wake[0], FImpl->Wake[1]})
    if (fd >= 0) close(fd);
}

bool TShellChangeNotifier::Watching() const { return FImpl->Thread.joinable(); }
