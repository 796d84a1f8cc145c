#include "platform/audio/PulseConnection.h"

#include <chrono>
#include <thread>

namespace {
void SignalLoop(pa_context*, void* loop) {
  pa_threaded_mainloop_signal(static_cast<pa_threaded_mainloop*>(loop), 0);
}
}  // namespace

TPulseConnection::~TPulseConnection() {
  if (FLoop) pa_threaded_mainloop_stop(FLoop);
  if (FContext) {
    pa_context_set_state_callback(FContext, nullptr, nullptr);
    pa_context_disconnect(FContext);
    pa_context_unref(FContext);
  }
  if (FLoop) pa_threaded_mainloop_free(FLoop);
}

bool TPulseConnection::Await(const std::function<bool()>& done, int timeoutMs) {
  // Polls with the lock released in short steps: pa_threaded_mainloop_wait has no
  // timeout of its own, and a dead server must not hold the caller.
  auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  for (;;) {
    if (done()) return true;
    pa_context_state_t st = pa_context_get_state(FContext);
    if (st == PA_CONTEXT_FAILED || st == PA_CONTEXT_TERMINATED) return false;
    if (std::chrono::steady_clock::now() >= deadline) return false;
    pa_threaded_mainloop_unlock(FLoop);
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
    pa_threaded_mainloop_lock(FLoop);
  }
}

bool TPulseConnection::Connect(int timeoutMs) {
  FLoop = pa_threaded_mainloop_new();
  if (!FLoop) return false;
  FContext = pa_context_new(pa_threaded_mainloop_get_api(FLoop), "Corvale");
  if (!FContext) return false;
  pa_context_set_state_callback(FContext, SignalLoop, FLoop);
  if (pa_context_connect(FContext, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0) return false;
  if (pa_threaded_mainloop_start(FLoop) < 0) return false;
  Lock lock(FLoop);
  return Await([this] { return pa_context_get_state(FContext) == PA_CONTEXT_READY; }, timeoutMs);
}
