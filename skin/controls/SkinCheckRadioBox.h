#pragma once
// One control for check boxes and radio buttons (Radio). It draws a 14 x 14 box with a
// check mark or a square dot, the caption beside it, an optional image-list image and a
// focus rectangle. Flat (the usual mode) it has no background of its own: it paints its
// parent's image under itself, so it sits seamlessly on panels and group boxes. With a
// "checkradio" record it draws the record's check images instead of the box.
#include "skin/controls/SkinButtonBehaviour.h"

class TBasicAction;
class TImageList;

class TbsSkinCheckRadioBox : public TbsSkinButtonBehaviour<TbsSkinCustomControl, TbsDataSkinCheckRadioControl> {
 public:
  explicit TbsSkinCheckRadioBox(TComponent* AOwner);
  ~TbsSkinCheckRadioBox() override;
  std::string ClassName() const override { return "TbsSkinCheckRadioBox"; }

  bool Checked() const { return FChecked; }
  virtual void SetChecked(bool Value);
  bool Radio() const { return FRadio; }
  void SetRadio(bool Value);
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

  // A linked TAction gives the box its caption, enabled state, hint, visibility and
  // checked state, and runs on a change of Checked when the box has no OnClick.
  void SetAction(TBasicAction* Value);
  // Checked as the linked action has it: no OnClick, and the action does not run again.
  void SetCheckedByAction(bool Value);

  // Focused in the box's sense: the window has the focus and CanFocused is set.
  bool BoxFocused() const { return FCanFocused && Focused(); }
  // Where the check image and the caption go at the current size (non-flat skinned look).
  const TRect& CheckImageBox() const { return FCheckImageBox; }
  const TRect& TextArea() const { return FTextArea; }

  // The record is about to go: the next paint draws without it, also when no new
  // skin follows (a failed load).
  void BeginSkinChange() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

 protected:
  void ReadRecordValues(const TbsDataSkinCheckRadioControl& Record) override;
  bool FadeAllowed() const override { return !FFlat; }
  bool HotLook() const override { return FMouseIn || BoxFocused(); }
  void ApplyRecordChange() override;
  void ActionChange(TBasicAction* Sender, bool CheckDefaults) override;
  void DrawStateImage(TBitmap& B, const TRect& R, bool Active) override;
  void CalcSkinSize(int& W, int& H) override;
  void DrawDefaultImage(TBitmap& B) override;
  void Paint() override;
  void WndProc(TMessage& Message) override;
  void CMMouseEnter(TMessage& Message) override;
  void CMMouseLeave(TMessage& Message) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void KeyDown(Word& Key, TShiftState Shift) override;
  void KeyUp(Word& Key, TShiftState Shift) override;
  void CMTextChanged(TMessage& Message) override;
  void BoundsChanged(bool moved, bool sized) override;
  void DoEnter() override;
  void DoExit() override;
  // Handles an accelerator character; true when it was this box's.
  bool DialogChar(char32_t Ch);

 private:
  void FocusChanged();
  // The record's check image for the current state.
  const TRect& CheckImageRect() const;
  void DrawFlat(TBitmap& B);
  // The default look's 14 x 14 box and its check mark or dot, centred on Middle.
  void DrawDefaultBox(TCanvas* C, int Middle) const;
  void DrawDefaultMark(TCanvas* C, int Middle) const;
  void UpdateAreas(int W);

  bool FChecked = false;
  bool FRadio = false;
  bool FFlat = true;
  bool FCanFocused = true;
  TImageList* FImages = nullptr;
  int FImageIndex = 0;

  bool FFocusGrab = false;
  bool FSpaceDown = false;
  bool FClicksDisabled = false;

  // Copies of the record's values.
  TColor FUnEnabledFontColor = 0, FFrameFontColor = 0;
  TRect FCheckImageArea, FTextAreaRec;
  TRect FCheckRect, FUncheckRect, FActiveCheckRect, FActiveUncheckRect;
  TRect FUnEnabledCheckRect, FUnEnabledUncheckRect;
  // For the current size.
  TRect FCheckImageBox, FTextArea;
};
