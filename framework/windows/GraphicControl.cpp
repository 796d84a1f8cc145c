// TGraphicControl: a window-less control painted by its parent on the parent's image.
#include "framework/windows/GraphicControl.h"

#include "framework/graphics/Canvas.h"
#include "framework/windows/CanvasHandleScope.h"
#include "framework/windows/WindowImpl.h"

TGraphicControl::TGraphicControl(TComponent* AOwner) : TControl(AOwner) {
  FControlStyle.Exclude(csCaptureMouse);
  FControlStyle.Include(csCaptureMouse);
}
TGraphicControl::~TGraphicControl() = default;

TCanvas* TGraphicControl::Canvas() {
  if (FPaintCanvas) return FPaintCanvas;
  if (!FParent) return nullptr;
  FParent->Handle();
  TWinControl::Impl* impl = FParent->WindowImpl();
  if (!FOwnCanvas || FOwnCanvas->Target() != &impl->ClientImage) FOwnCanvas = std::make_unique<TCanvas>(&impl->ClientImage);
  FOwnCanvas->ResetClip();
  FOwnCanvas->SetOrigin(Point(FLeft, FTop));
  FOwnCanvas->IntersectClipRect(Rect(0, 0, FWidth, FHeight));
  impl->UpdateClient();
  return FOwnCanvas.get();
}

void TGraphicControl::PaintOn(TCanvas* canvas) {
  TCanvasHandleScope scope(FPaintCanvas, canvas);
  Paint();
}

void TGraphicControl::Paint() {}

void TGraphicControl::WndProc(TMessage& m) { TControl::WndProc(m); }
