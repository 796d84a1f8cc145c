#pragma once
// The timer component. A timer may be disabled or freed inside its own OnTimer: the
// tick never touches the object after the handler returns if it was freed.
#include <memory>

#include "framework/core/Component.h"

class TTimer : public TComponent {
 public:
  explicit TTimer(TComponent* AOwner);
  ~TTimer() override;
  std::string ClassName() const override { return "TTimer"; }

  unsigned Interval() const { return FInterval; }
  void SetInterval(unsigned ms);
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool v);
  void Loaded() override;

  TNotifyEvent OnTimer;

 protected:
  virtual void Timer();

 private:
  void UpdateTimer();
  struct Impl;
  std::unique_ptr<Impl> FImpl;
  unsigned FInterval = 1000;
  bool FEnabled = true;
};
