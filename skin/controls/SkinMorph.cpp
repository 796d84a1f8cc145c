#include "skin/controls/SkinMorph.h"

#include "framework/windows/WinControl.h"
#include "framework/windows/Windows.h"

namespace {
// Five steps of 0.2 end exactly at 0 or 1, not a rounding error away from them.
double SnapFactor(double f) {
  if (f < 1e-9) return 0;
  if (f > 1 - 1e-9) return 1;
  return f;
}
}  // namespace

bool TbsMorphState::Start(TWinControl& control, bool inUse, std::uintptr_t timerId, unsigned interval) {
  if (!inUse || !control.HandleAllocated()) return false;
  if (!Running) Running = SetTimer(control.HandleValue(), timerId, interval) != 0;
  return Running;
}

void TbsMorphState::Stop(TWinControl& control, std::uintptr_t timerId) {
  if (!Running) return;
  Running = false;
  if (control.HandleAllocated()) KillTimer(control.HandleValue(), timerId);
}

bool TbsMorphState::Advance(bool hot) {
  if (hot && Factor < 1) {
    Factor = SnapFactor(Factor + Step);
    return true;
  }
  if (!hot && Factor > 0) {
    Factor = SnapFactor(Factor - Step);
    return true;
  }
  Factor = hot ? 1 : 0;
  return false;
}

bool TbsMorphState::Tick(TWinControl& control, bool inUse, bool hot, std::uintptr_t timerId) {
  if (!inUse) {
    Factor = hot ? 1 : 0;
    Stop(control, timerId);
    return false;
  }
  if (!Advance(hot)) Stop(control, timerId);
  return true;
}
