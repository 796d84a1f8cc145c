// Timing helpers shared by the benches: this thread's processor time, best of a few
// rounds, so other work on a shared machine skews the numbers less.
#pragma once

#include <ctime>

#include <algorithm>
#include <functional>

namespace bench {

inline double ThreadSeconds() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return double(t.tv_sec) + double(t.tv_nsec) * 1e-9;
}

// Processor seconds per call of f, best of five rounds of n calls.
inline double SecondsPerCall(const std::function<void()>& f, int n) {
  double best = 1e9;
  for (int round = 0; round < 5; ++round) {
    const double t0 = ThreadSeconds();
    for (int i = 0; i < n; ++i) f();
    best = std::min(best, (ThreadSeconds() - t0) / n);
  }
  return best;
}

}  // namespace bench
