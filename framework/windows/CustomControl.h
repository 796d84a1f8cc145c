#pragma once
#include "framework/windows/WinControl.h"

// A window with a canvas and a Paint method.
class TCustomControl : public TWinControl {
 public:
  explicit TCustomControl(TComponent* AOwner);
  ~TCustomControl() override;
  std::string ClassName() const override { return "TCustomControl"; }
  // During WM_PAINT the canvas of the off-screen image; outside it a canvas over the
  // window's retained image (what is drawn there shows at the next blit).
  TCanvas* Canvas();

 protected:
  virtual void Paint();
  void PaintWindow(TCanvas* canvas) override;
  TCanvas* FPaintCanvas = nullptr;
};
