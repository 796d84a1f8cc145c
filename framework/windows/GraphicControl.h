#pragma once
#include <memory>

#include "framework/windows/Control.h"

// A control without a window; its parent paints it and routes mouse messages to it.
class TGraphicControl : public TControl {
 public:
  explicit TGraphicControl(TComponent* AOwner);
  ~TGraphicControl() override;
  std::string ClassName() const override { return "TGraphicControl"; }
  // During painting the parent's canvas, moved to the control and clipped to it;
  // outside painting a canvas over the parent's retained image, set up the same way.
  TCanvas* Canvas();
  // Called by the parent with the origin already moved and the clip set.
  void PaintOn(TCanvas* canvas);

 protected:
  virtual void Paint();
  void WndProc(TMessage& Message) override;
  TCanvas* FPaintCanvas = nullptr;
  std::unique_ptr<TCanvas> FOwnCanvas;
};
