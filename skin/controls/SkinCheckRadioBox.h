#pragma once
// One control for check boxes and radio buttons (Radio). It draws a 14 x 14 box with a
// check mark or a square dot, the caption beside it, an optional image-list image and a
// focus rectangle. Flat (the usual mode) it has no background of its own: it paints its
// parent's image under itself, so it sits seamlessly on panels and group boxes. With a
// "checkradio" record it draws the record's check images instead of the box.
#include <cstdint>
#include <memory>

#include "skin/controls/SkinControl.h"
#include "skin/controls/SkinMorph.h"
#include "skin/data/SkinTypes.h"

class TBasicAction;
class TBasicActionLink;
class TImageList;

class TbsSkinCheckRadioBox : public TbsSkinCustomControl {
 public:
  explicit TbsSkinCheckRadioBox(TComponent* AOwner);
  ~TbsSkinCheckRadioBox() override;
  std::string ClassName() const override { return "TbsSkinCheckRadioBox"; }

  // Window timer of the morph (WM_TIMER with this id).
  static constexpr std::uintptr_t MorphTimerId = 2;
  static constexpr unsigned MorphInterval = 20;

  bool Checked() const { return FChecked; }
  virtual void SetChecked(bool Value);
  bool Radio() const { return FRadio; }
  void SetRadio(bool Value);
  int GroupIndex() const { return FGroupIndex; }
  void SetGroupIndex(int Value) { FGroupIndex = Value; }
  bool Flat() const { return FFlat; }
  void SetFlat(bool Value);
  bool CanFocused() const { return FCanFocused; }
  void SetCanFocused(bool Value);
  TImageList* Images() const { return FImages; }
  void SetImages(TImageList* Value);
  int ImageIndex() const { return FImageIndex; }
  void SetImageIndex(int Value);

  // The click action: a check box flips, a radio box only becomes checked.
  virtual void Toggle();

  // The linked action (nullptr: none). A linked TAction gives the box its caption,
  // enabled state, hint, visibility and checked state, and runs on a change of Checked
  // when the box has no OnClick.
  TBasicAction* Action() const;
  void SetAction(TBasicAction* Value);
  TBasicActionLink* ActionLink() const { return FActionLink.get(); }
  // Checked as the linked action has it: no OnClick, and the action does not run again.
  void SetCheckedByAction(bool Value);
  void Loaded() override;

  // Look state, for the gallery and tests.
  bool MouseIn() const { return FMouseIn; }
  double MorphFactor() const { return FMorph.Factor; }
  bool Morphing() const { return FMorph.Running; }
  // Focused in the box's sense: the window has the focus and CanFocused is set.
  bool BoxFocused() const { return FCanFocused && Focused(); }
  // Where the check image and the caption go at the current size (non-flat skinned look).
  const TRect& CheckImageBox() const { return FCheckImageBox; }
  const TRect& TextArea() const { return FTextArea; }

  void ApplySkinChange() override;
  // The record is about to go: the next paint draws without it, also when no new
  // skin follows (a failed load).
  void BeginSkinChange() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

 protected:
  bool AcceptsRecord(const TbsDataSkinControl* Record) const override;
  void ReadSkinRecord() override;
  void CalcSkinSize(int& W, int& H) override;
  void DrawDefaultImage(TBitmap& B) override;
  void Paint() override;
  void WndProc(TMessage& Message) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void KeyDown(Word& Key, TShiftState Shift) override;
  void KeyUp(Word& Key, TShiftState Shift) override;
  void CMMouseEnter(TMessage& Message) override;
  void CMMouseLeave(TMessage& Message) override;
  void CMEnabledChanged(TMessage& Message) override;
  void CMTextChanged(TMessage& Message) override;
  void BoundsChanged(bool moved, bool sized) override;
  void DoEnter() override;
  void DoExit() override;
  // Handles an accelerator character; true when it was this box's.
  bool DialogChar(char32_t Ch);

  // Expires with the box: an OnClick handler may free it.
  std::shared_ptr<bool> FBoxAlive = std::make_shared<bool>(true);

 private:
  bool MorphingInUse() const { return FMorphing && FIndex != -1 && !FFlat; }
  void StartMorphOrRepaint();
  void StopMorph();
  void MorphTick();
  void FocusChanged();
  // The record's check image for the current state.
  const TRect& CheckImageRect() const;
  void UseRecordFont(TCanvas* C) const;
  void DrawFlat(TBitmap& B);
  void DrawStateImage(TBitmap& B, const TRect& R, bool Active);
  void UpdateAreas(int W);
  void ActionChange(TBasicAction* Sender, bool CheckDefaults);

  bool FChecked = false;
  bool FRadio = false;
  int FGroupIndex = 0;
  bool FFlat = true;
  bool FCanFocused = true;
  TImageList* FImages = nullptr;
  int FImageIndex = 0;

  bool FMouseIn = false;
  bool FFocusGrab = false;
  bool FMousePressed = false;
  bool FSpaceDown = false;
  bool FClicksDisabled = false;
  TbsMorphState FMorph;

  // Copies of the record's values.
  std::string FSkinFontName = "Arial";
  TFontStyles FSkinFontStyle;
  int FSkinFontHeight = 14;
  TColor FFontColor = 0, FActiveFontColor = 0, FUnEnabledFontColor = 0, FFrameFontColor = 0;
  TRect FActiveSkinRect, FCheckImageArea, FTextAreaRec;
  TRect FCheckRect, FUncheckRect, FActiveCheckRect, FActiveUncheckRect;
  TRect FUnEnabledCheckRect, FUnEnabledUncheckRect;
  bool FMorphing = false;
  TMorphKind FMorphKind = mkDefault;
  // For the current size.
  TRect FCheckImageBox, FTextArea;

  std::unique_ptr<TBasicActionLink> FActionLink;
};
