#pragma once
// A scoped hook on a control's WindowProc: every message of the control reaches Handler
// first, which passes it on with CallSaved. Destroying the hook (or Unhook) puts the
// replaced procedure back; when another hook was laid on top meanwhile, that one stays
// and this one only passes messages through from then on. When the control dies first,
// the hook touches nothing.
#include <memory>

#include "framework/windows/Control.h"

class TWindowProcHook {
 public:
  TWindowProcHook() = default;
  TWindowProcHook(TControl* Control, TWndMethod Handler) { Hook(Control, std::move(Handler)); }
  ~TWindowProcHook() { Unhook(); }
  TWindowProcHook(const TWindowProcHook&) = delete;
  TWindowProcHook& operator=(const TWindowProcHook&) = delete;

  // Hooks Control, unhooking whatever this object hooked before.
  void Hook(TControl* Control, TWndMethod Handler);
  void Unhook();
  // The hooked control; nullptr when nothing is hooked or the control is gone.
  TControl* Control() const;
  bool Hooked() const { return Control() != nullptr; }
  // Passes Message to the procedure the hook replaced (nothing when unhooked).
  void CallSaved(TMessage& Message) const;
  // The same, as a callable that stays safe to call after this hook object is gone:
  // for handlers that may free their own owner before passing the message on.
  TWndMethod SavedCaller() const;

  struct State;

 private:
  std::shared_ptr<State> FState;
};
