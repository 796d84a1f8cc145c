#pragma once
// The hover fade of the skin's buttons and boxes: a window timer steps the factor from the
// normal image (0) toward the hot image (1) and back, 0.2 per tick.
#include <cstdint>

class TWinControl;

class TbsMorphState {
 public:
  static constexpr double Step = 0.2;

  double Factor = 0;
  bool Running = false;  // the window timer is set

  // Sets the timer on the control's window unless it already runs; false when morphing
  // is not in use, the window does not exist yet or the timer could not be set, so the
  // caller repaints at once instead.
  bool Start(TWinControl& control, bool inUse, std::uintptr_t timerId, unsigned interval);
  void Stop(TWinControl& control, std::uintptr_t timerId);
  // One timer tick: steps toward hot, or jumps there when morphing went out of use, and
  // stops the timer at the end. True when the control should repaint.
  bool Tick(TWinControl& control, bool inUse, bool hot, std::uintptr_t timerId);
  // One tick toward hot or not hot; false once the end was reached (the factor is then
  // exactly 0 or 1) and the timer may stop.
  bool Advance(bool hot);
};
