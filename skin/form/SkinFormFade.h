#pragma once
// Layered-window alpha of a skinned form and its fade-in: showing the form starts it at
// opacity 0 and arms a one-shot window timer; on that timer the opacity rises by steps
// of 5 to its target, and a fully opaque form leaves the layered state again.
#include <functional>

#include "framework/core/Types.h"
#include "framework/messages/Messages.h"

class TbsFormFade {
 public:
  static constexpr UINT TimerId = 1;
  static constexpr int Step = 5;

  // Adds or removes WS_EX_LAYERED.
  static void SetLayered(HWND wnd, bool on);
  // Sets the opacity of a layered window.
  void SetAlpha(HWND wnd, Byte alpha);
  // The form is being shown: layered at opacity 0, the timer armed.
  void Begin(HWND wnd);
  // Whether a fade waits for its timer.
  bool Pending() const { return FPending; }
  // The timer came: kills it; false when no fade was waiting.
  bool TakeTimer(HWND wnd);
  // Raises the opacity 5, 10, 15 ... (each capped at target) until target is reached.
  void Animate(HWND wnd, Byte target);

  // Each opacity set, in order (for observers such as tests).
  std::function<void(Byte)> OnStep;

 private:
  bool FPending = false;
};
