#pragma once
// One connection to the sound server on its own threaded main loop. Every wait is
// bounded, so a missing or stuck server costs a timeout, never a hang.
#include <pulse/pulseaudio.h>

#include <functional>

class TPulseConnection {
 public:
  TPulseConnection() = default;
  TPulseConnection(const TPulseConnection&) = delete;
  TPulseConnection& operator=(const TPulseConnection&) = delete;
  ~TPulseConnection();

  // Connects to the server named by the environment (PULSE_SERVER) without spawning one.
  bool Connect(int timeoutMs);
  pa_threaded_mainloop* Loop() const { return FLoop; }
  pa_context* Context() const { return FContext; }

  // Runs start() under the loop lock and waits, lock held, until done() is true, the
  // context fails or timeoutMs passes. Callbacks signal the loop when they change state.
  bool Await(const std::function<bool()>& done, int timeoutMs);

  class Lock {
   public:
    explicit Lock(pa_threaded_mainloop* l) : FLoop(l) { pa_threaded_mainloop_lock(FLoop); }
    ~Lock() { pa_threaded_mainloop_unlock(FLoop); }
   private:
    pa_threaded_mainloop* FLoop;
  };

 private:
  pa_threaded_mainloop* FLoop = nullptr;
  pa_context* FContext = nullptr;
};
