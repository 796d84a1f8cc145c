#pragma once
// TbsSkinHintWindow: the hint window the skin hint component puts in place of the
// application's. It looks like the skin's hint-window record (the window picture
// fitted to the text, the record's mask as its shape, the record's font) when the
// active hint component's skin has one, else like a plain info tip, and it turns to
// the other side of its anchor where it would cross the screen's right or bottom edge.
#include <memory>
#include <string>

#include "framework/windows/HintWindow.h"
#include "skin/draw/SkinGeometry.h"

class TbsSkinData;
class TbsSkinHint;
class TbsDataSkinHintWindow;
class TCanvas;

class TbsSkinHintWindow : public THintWindow {
 public:
  explicit TbsSkinHintWindow(TComponent* AOwner);
  ~TbsSkinHintWindow() override;
  std::string ClassName() const override { return "TbsSkinHintWindow"; }
  void CreateParams(TCreateParams& Params) override;

  // Shows the text with its left-top corner at Rect's (the size follows the text).
  void ActivateHint(TRect Rect, const std::string& AHint) override;
  TRect CalcHintRect(int MaxWidth, const std::string& AHint, void* AData) override;

  // What the last ActivateHint found and used.
  TbsSkinHint* ActiveHint() const;
  bool Skinned() const { return FSkinned; }
  bool AlphaApplied() const { return FAlphaApplied; }
  const TbsSkinPoints& FramePoints() const { return FPoints; }

 protected:
  void WndProc(TMessage& Message) override;
  void Paint() override;

 private:
  // Finds the active hint component and its skin's record.
  void Prepare();
  void PrepareFont(TCanvas* canvas) const;
  TSize MeasureText(const std::string& text) const;
  void ApplyAlpha();
  void ApplyShape();

  TbsSkinHint* FHint = nullptr;
  std::weak_ptr<const bool> FHintAlive;
  TbsSkinData* FSkinData = nullptr;
  const TbsDataSkinHintWindow* FRecord = nullptr;
  bool FSkinned = false;
  bool FAlphaApplied = false;
  int FAlphaValue = -1;
  TbsSkinPoints FPoints;  // for the current size
};

// The active skin hint component: the first one with Active among the components of
// the application's main form (nullptr when none).
TbsSkinHint* FindActiveSkinHint();
