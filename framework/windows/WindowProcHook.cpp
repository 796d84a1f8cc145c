#include "framework/windows/WindowProcHook.h"

struct TWindowProcHook::State {
  TControl* Control = nullptr;
  std::weak_ptr<const bool> Lifetime;
  TWndMethod Handler;
  TWndMethod Saved;
  bool Active = true;
};

namespace {
// What sits in the control's WindowProc; recognisable, so that only our own entry is
// taken out again.
struct HookEntry {
  std::shared_ptr<TWindowProcHook::State> S;
  void operator()(TMessage& m) const {
    std::shared_ptr<TWindowProcHook::State> s = S;  // lives on if the handler ends the hook
    if (s->Active && s->Handler)
      s->Handler(m);
    else if (s->Saved)
      s->Saved(m);
  }
};
}  // namespace

void TWindowProcHook::Hook(TControl* control, TWndMethod handler) {
  Unhook();
  if (!control) return;
  auto s = std::make_shared<State>();
  s->Control = control;
  s->Lifetime = control->Lifetime();
  s->Handler = std::move(handler);
  s->Saved = control->WindowProc;
  control->WindowProc = HookEntry{s};
  FState = std::move(s);
}

void TWindowProcHook::Unhook() {
  if (!FState) return;
  std::shared_ptr<State> s = std::move(FState);
  FState.reset();
  s->Active = false;
  if (s->Lifetime.expired()) return;  // the control went first
  auto* top = s->Control->WindowProc.target<HookEntry>();
  if (top && top->S == s) s->Control->WindowProc = s->Saved;
}

TControl* TWindowProcHook::Control() const {
  return FState && !FState->Lifetime.expired() ? FState->Control : nullptr;
}

void TWindowProcHook::CallSaved(TMessage& m) const {
  if (!FState) return;
  std::shared_ptr<State> s = FState;
  if (s->Saved && !s->Lifetime.expired()) s->Saved(m);
}

TWndMethod TWindowProcHook::SavedCaller() const {
  return [s = FState](TMessage& m) {
    if (s && s->Saved && !s->Lifetime.expired()) s->Saved(m);
  };
}
