#pragma once
// Private: the application's hint state (the window, the control it is for, the pause
// and hide timers).
#include <chrono>
#include <memory>

#include "framework/windows/Application.h"
#include "framework/windows/HintWindow.h"
#include "framework/windows/Timers.h"

struct TApplication::THintState {
  THintState();
  ~THintState();
  THintWindow* Window = nullptr;  // owned
  TControl* Control = nullptr;
  std::weak_ptr<const bool> ControlAlive;
  bool Active = false;  // a hint is on the screen
  // A hint that the pointer just left: the next control within this time gets the short pause.
  std::chrono::steady_clock::time_point ReshowUntil;
  std::unique_ptr<TTimer> ShowTimer, HideTimer;

  TControl* LiveControl() const { return ControlAlive.expired() ? nullptr : Control; }
};
