#pragma once
// The hint window and what the application's hint machinery tells its handlers. The
// application shows one hint window, made from HintWindowClass, for the control under
// the pointer (see TApplication's hint members); a skin may supply its own class.
#include <functional>
#include <string>

#include "framework/windows/Application.h"
#include "framework/windows/CustomControl.h"

// What the application is about to show; OnShowHint and CM_HINTSHOW (LParam points to
// it) may change it. Times are in milliseconds.
struct THintInfo {
  TControl* HintControl = nullptr;
  TPoint HintPos;            // screen point of the hint window's top-left corner
  int HintMaxWidth = 0;
  TColor HintColor = clInfoBk;
  TRect CursorRect;          // screen rectangle the hint belongs to
  TPoint CursorPos;          // pointer, in the hint control's client coordinates
  int ReshowTimeout = 0;
  int HideTimeout = 0;
  std::string HintStr;
  void* HintData = nullptr;
};

// A borderless top-level tool window that never takes the activation or the pointer.
class THintWindow : public TCustomControl {
 public:
  explicit THintWindow(TComponent* AOwner);
  ~THintWindow() override;
  std::string ClassName() const override { return "THintWindow"; }
  void CreateParams(TCreateParams& Params) override;

  // Shows the hint text in rect (screen coordinates), kept on the screen, topmost and
  // without activation.
  virtual void ActivateHint(TRect Rect, const std::string& AHint);
  virtual void ActivateHintData(TRect Rect, const std::string& AHint, void* AData);
  // The size the text needs, at (0, 0), wrapped at MaxWidth.
  virtual TRect CalcHintRect(int MaxWidth, const std::string& AHint, void* AData);
  // Hides the window.
  virtual void ReleaseHandle();
  bool Showing() const { return FVisible; }

 protected:
  void WndProc(TMessage& Message) override;
  void Paint() override;
};

// Makes the application's hint window; replace it (then toggle Application->ShowHint off
// and on) to have hints shown by another class.
using THintWindowClass = std::function<THintWindow*(TComponent* AOwner)>;
extern THintWindowClass HintWindowClass;
template <class T>
THintWindowClass HintWindowClassOf() {
  return [](TComponent* owner) -> THintWindow* { return new T(owner); };
}

// The part of a hint before the first '|'.
std::string GetShortHint(const std::string& Hint);
// How far below the pointer a hint goes: the visible height of the current cursor's
// shape below its hot spot, or the platform's cursor height when that cannot be read.
int GetCursorHeightMargin();
// The control whose hint shows for control: the first one up the parent chain that
// has a hint, nullptr when none.
TControl* GetHintControl(TControl* Control);
