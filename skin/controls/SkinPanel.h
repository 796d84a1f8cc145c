#pragma once
// A container with an optional caption bar. The bar can carry a glyph, a check box that
// enables or disables the children (CheckedMode) and a roll-up arrow that collapses the
// panel to its caption (RollUpMode). Children align inside the panel's client area,
// which leaves out the border and the caption bar (or follows the skin's client
// rectangle).
#include <memory>
#include <vector>

#include "framework/controls/TextAlignment.h"
#include "framework/graphics/Bitmap.h"
#include "skin/controls/SkinControl.h"
#include "skin/data/SkinTypes.h"

enum class TbsSkinBorderStyle { bvFrame, bvRaised, bvLowered, bvNone };
constexpr auto bvFrame = TbsSkinBorderStyle::bvFrame;
constexpr auto bvRaised = TbsSkinBorderStyle::bvRaised;
constexpr auto bvLowered = TbsSkinBorderStyle::bvLowered;
constexpr auto bvNone = TbsSkinBorderStyle::bvNone;

// Cells of the caption glyph: 1 normal, 2 disabled.
using TbsSkinPanelNumGlyphs = int;

class TbsSkinPanel : public TbsSkinCustomControl {
 public:
  explicit TbsSkinPanel(TComponent* AOwner);
  ~TbsSkinPanel() override;
  std::string ClassName() const override { return "TbsSkinPanel"; }

  bool CaptionMode() const { return FCaptionMode; }
  virtual void SetCaptionMode(bool Value);
  int DefaultCaptionHeight() const { return FDefaultCaptionHeight; }
  virtual void SetDefaultCaptionHeight(int Value);
  TAlignment DefaultAlignment() const { return FDefaultAlignment; }
  void SetDefaultAlignment(TAlignment Value);
  TbsSkinBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TbsSkinBorderStyle Value);
  TBitmap* Glyph() { return &FGlyph; }
  const TBitmap* Glyph() const { return &FGlyph; }
  void SetGlyph(const TBitmap* Value);
  TbsSkinPanelNumGlyphs NumGlyphs() const { return FNumGlyphs; }
  void SetNumGlyphs(TbsSkinPanelNumGlyphs Value);
  int Spacing() const { return FSpacing; }
  void SetSpacing(int Value);
  bool CheckedMode() const { return FCheckedMode; }
  void SetCheckedMode(bool Value);
  bool Checked() const { return FChecked; }
  void SetChecked(bool Value);
  bool AutoEnabledControls() const { return FAutoEnabledControls; }
  void SetAutoEnabledControls(bool Value) { FAutoEnabledControls = Value; }
  bool RollUpMode() const { return FRollUpMode; }
  void SetRollUpMode(bool Value);
  bool RollUpState() const { return FRollUpState; }
  void SetRollUpState(bool Value);
  // Height before rolling up; -1 while unrolled.
  int RealHeight() const { return FRealHeight; }
  void SetRealHeight(int Value) { FRealHeight = Value; }

  TNotifyEvent OnChecked;

  // The area children (and a radio group's buttons) are placed in.
  void AdjustClientRect(TRect& Rect) override;
  // The caption bar's rectangle for the current size (the hit area of its clicks);
  // empty when there is none.
  TRect CaptionBarRect();

  void ApplySkinChange() override;
  // The record is about to go: the next paint draws without it, also when no new
  // skin follows (a failed load).
  void BeginSkinChange() override;
  void Loaded() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

 protected:
  bool AcceptsRecord(const TbsDataSkinControl* Record) const override;
  void ReadSkinRecord() override;
  void DrawDefaultImage(TBitmap& B) override;
  void DrawSkinImage(TBitmap& B) override;
  void Paint() override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void CMTextChanged(TMessage& Message) override;
  void CMEnabledChanged(TMessage& Message) override;
  void WndProc(TMessage& Message) override;
  // The record's background picture, nullptr when none.
  TBitmap* BackgroundPicture() const;
  // Rolls up (true) or down (false) by the current geometry.
  void Roll(bool Up);

  bool FCaptionMode = false;
  int FDefaultCaptionHeight = 22;
  TAlignment FDefaultAlignment = taLeftJustify;
  TbsSkinBorderStyle FBorderStyle = bvFrame;
  TBitmap FGlyph;
  TbsSkinPanelNumGlyphs FNumGlyphs = 1;
  int FSpacing = 2;
  bool FCheckedMode = false;
  bool FChecked = false;
  bool FAutoEnabledControls = true;
  bool FRollUpMode = false;
  bool FRollUpState = false;
  int FRealHeight = -1;

  // Children hidden by rolling up; exists only while rolled up.
  std::unique_ptr<std::vector<TControl*>> FHiddenControls;

  // Copies of the record's values.
  TRect FCaptionRect;
  TSkinAlignment FAlignment = saCenter;
  std::string FSkinFontName = "Arial";
  TFontStyles FSkinFontStyle;
  int FSkinFontHeight = 14;
  TColor FSkinFontColor = 0;
  int FBgPictureIndex = -1;
  TRect FCheckImageRect, FUncheckImageRect;

  // Expires with the panel: an OnChecked handler may free it.
  std::shared_ptr<bool> FPanelAlive = std::make_shared<bool>(true);

 private:
  void DrawCaptionGlyph(TCanvas* C, int x, int y);
};
