// TCustomControl: a window painted through a canvas.
#include "framework/windows/CustomControl.h"

#include "framework/graphics/Canvas.h"
#include "framework/windows/CanvasHandleScope.h"
#include "framework/windows/Windows.h"

TCustomControl::TCustomControl(TComponent* AOwner) : TWinControl(AOwner) {}
TCustomControl::~TCustomControl() = default;

TCanvas* TCustomControl::Canvas() {
  if (FPaintCanvas) return FPaintCanvas;
  return GetClientCanvas(Handle());
}

void TCustomControl::Paint() {}

void TCustomControl::PaintWindow(TCanvas* canvas) {
  TCanvasHandleScope scope(FPaintCanvas, canvas);
  Paint();
}
