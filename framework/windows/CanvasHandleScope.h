#pragma once
// Points a control's paint-canvas slot at a canvas for the length of a scope (one paint
// call) and puts the previous one back on the way out, also when painting throws.
class TCanvas;

class TCanvasHandleScope {
 public:
  TCanvasHandleScope(TCanvas*& Slot, TCanvas* Canvas) : FSlot(Slot), FSaved(Slot) { FSlot = Canvas; }
  ~TCanvasHandleScope() { FSlot = FSaved; }
  TCanvasHandleScope(const TCanvasHandleScope&) = delete;
  TCanvasHandleScope& operator=(const TCanvasHandleScope&) = delete;

 private:
  TCanvas*& FSlot;
  TCanvas* FSaved;
};
