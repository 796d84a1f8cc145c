#include "skin/form/SkinHint.h"

#include "framework/windows/Forms.h"
#include "framework/windows/HintWindow.h"
#include "framework/windows/Timers.h"
#include "framework/windows/Windows.h"
#include "skin/data/SkinData.h"
#include "skin/form/SkinHintWindow.h"

namespace {
// The hint components in existence and the one whose handler the application calls.
int gHintComponents = 0;
TbsSkinHint* gInstalled = nullptr;

bool Designing(const TComponent* c) { return c->ComponentState().Contains(csDesigning); }
}  // namespace

TbsSkinHint::TbsSkinHint(TComponent* AOwner) : TComponent(AOwner) {
  FHintWindow = new TbsSkinHintWindow(this);
  if (Designing(this)) return;
  ++gHintComponents;
  HintWindowClass = HintWindowClassOf<TbsSkinHintWindow>();
  // Toggled so that the application makes its window of the new class.
  Application->SetShowHint(!Application->ShowHint());
  Application->SetShowHint(!Application->ShowHint());
  InstallShowHint();
  Application->SetHintShortPause(100);
}

TbsSkinHint::~TbsSkinHint() {
  FHintTimer.reset();
  if (!Designing(this)) {
    if (gInstalled == this) {
      gInstalled = nullptr;
      Application->OnShowHint = nullptr;
    }
    // The last one gone: the application's own hint window comes back, so hints go on.
    if (--gHintComponents == 0) {
      HintWindowClass = HintWindowClassOf<THintWindow>();
      if (Application->ShowHint()) {
        Application->SetShowHint(false);
        Application->SetShowHint(true);
      }
    }
  }
  delete FHintWindow;
  FHintWindow = nullptr;
}

void TbsSkinHint::Notification(TComponent* c, TOperation op) {
  TComponent::Notification(c, op);
  if (op == opRemove && c == FSkinData) FSkinData = nullptr;
}

void TbsSkinHint::SetSkinData(TbsSkinData* v) {
  if (FSkinData) RemoveFreeNotification(FSkinData);
  FSkinData = v;
  if (v) FreeNotification(v);
}

void TbsSkinHint::InstallShowHint() {
  gInstalled = this;
  std::weak_ptr<bool> alive = FAlive;
  Application->OnShowHint = [this, alive](std::string& text, bool& canShow, THintInfo& info) {
    if (!alive.expired() && OnShowHint) OnShowHint(text, canShow, info);
  };
}

void TbsSkinHint::SetActive(bool v) {
  FActive = v;
  if (!v || Designing(this)) return;
  if (TCustomForm* main = Application->MainForm())
    for (int i = 0; i < main->ComponentCount(); ++i)
      if (auto* other = dynamic_cast<TbsSkinHint*>(main->Components(i)); other && other != this && other->Active())
        other->SetActive(false);
  InstallShowHint();
}

void TbsSkinHint::StartTimer(unsigned ms) {
  FHintTimer = std::make_unique<TTimer>(nullptr);
  FHintTimer->SetInterval(ms > 0 ? ms : 1);
  FHintTimer->OnTimer = [this](TObject*) { HintTimerTick(); };
}

void TbsSkinHint::ActivateHint(const std::string& hint) {
  FHintTimer.reset();
  FHintText = hint;
  FHintShown = false;
  StartTimer(Application->HintPause());
}

void TbsSkinHint::HintTimerTick() {
  if (!FHintTimer) return;
  if (FHintShown) {
    HideHint();  // frees the timer inside its own tick, which TTimer allows
    return;
  }
  TPoint p;
  GetCursorPos(p);
  const int margin = GetCursorHeightMargin();
  FHintWindow->ActivateHint(Rect(p.X, p.Y + margin, p.X, p.Y + margin), FHintText);
  FHintShown = true;
  StartTimer(Application->HintHidePause());
}

void TbsSkinHint::HideHint() {
  FHintTimer.reset();
  FHintShown = false;
  if (FHintWindow && FHintWindow->Showing() && FHintWindow->HandleAllocated())
    SetWindowPos(FHintWindow->HandleValue(), HWND_TOPMOST, 0, 0, 0, 0,
                 SWP_HIDEWINDOW | SWP_NOACTIVATE | SWP_NOSIZE | SWP_NOMOVE);
  if (FHintWindow) FHintWindow->ReleaseHandle();
}
