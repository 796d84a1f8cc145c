#pragma once
// The skin engine's push button: a plain button, a sticky button of a group, an
// auto-repeat button, a dialog's default or cancel button, with an optional glyph strip
// beside its caption. Without a skin record it draws a flat look of its own; with a
// "button" record it draws one skin rectangle per state and can cross-fade between the
// normal and the hot image.
#include <cstdint>
#include <memory>

#include "framework/graphics/Bitmap.h"
#include "framework/windows/Forms.h"
#include "skin/controls/SkinButtonGlyphs.h"
#include "skin/controls/SkinControl.h"
#include "skin/controls/SkinMorph.h"
#include "skin/data/SkinTypes.h"

class TBasicAction;
class TBasicActionLink;

class TbsSkinButton : public TbsSkinCustomControl {
 public:
  explicit TbsSkinButton(TComponent* AOwner);
  ~TbsSkinButton() override;
  std::string ClassName() const override { return "TbsSkinButton"; }

  // Window timers of the button (WM_TIMER with these ids).
  static constexpr std::uintptr_t RepeatTimerId = 1;
  static constexpr std::uintptr_t MorphTimerId = 2;
  static constexpr unsigned MorphInterval = 20;

  TBitmap* Glyph() { return &FGlyph; }
  const TBitmap* Glyph() const { return &FGlyph; }
  void SetGlyph(const TBitmap* Value);
  TbsNumGlyphs NumGlyphs() const { return FNumGlyphs; }
  void SetNumGlyphs(TbsNumGlyphs Value);
  TbsButtonLayout Layout() const { return FLayout; }
  void SetLayout(TbsButtonLayout Value);
  int Margin() const { return FMargin; }
  void SetMargin(int Value);
  int Spacing() const { return FSpacing; }
  void SetSpacing(int Value);
  bool Down() const { return FDown; }
  void SetDown(bool Value);
  int GroupIndex() const { return FGroupIndex; }
  void SetGroupIndex(int Value);
  bool AllowAllUp() const { return FAllowAllUp; }
  void SetAllowAllUp(bool Value) { FAllowAllUp = Value; }
  bool RepeatMode() const { return FRepeatMode; }
  void SetRepeatMode(bool Value) { FRepeatMode = Value; }
  int RepeatInterval() const { return FRepeatInterval; }
  void SetRepeatInterval(int Value) { FRepeatInterval = Value; }
  bool CanFocused() const { return FCanFocused; }
  void SetCanFocused(bool Value);
  bool Default() const { return FDefault; }
  void SetDefault(bool Value);
  bool Cancel() const { return FCancel; }
  void SetCancel(bool Value) { FCancel = Value; }
  TModalResult ModalResult() const { return FModalResult; }
  void SetModalResult(TModalResult Value) { FModalResult = Value; }

  // The linked action (nullptr: none). A linked TAction gives the button its caption,
  // enabled state, hint and visibility, and runs when the button has no OnClick.
  TBasicAction* Action() const;
  void SetAction(TBasicAction* Value);
  TBasicActionLink* ActionLink() const { return FActionLink.get(); }
  void Loaded() override;

  // Look state, for the gallery and tests.
  bool MouseIn() const { return FMouseIn; }
  double MorphFactor() const { return FMorph.Factor; }
  bool ActiveDefault() const { return FActiveDefault; }
  bool Repeating() const { return FRepeating; }
  bool Morphing() const { return FMorph.Running; }
  // Focused in the button's sense: the window has the focus and CanFocused is set.
  bool ButtonFocused() const { return FCanFocused && Focused(); }

  // Performs a click: modal result first, then OnClick.
  virtual void ButtonClick();
  // The framework's generic click.
  void Click() override;
  void ApplySkinChange() override;

 protected:
  bool AcceptsRecord(const TbsDataSkinControl* Record) const override;
  void ReadSkinRecord() override;
  void DrawDefaultImage(TBitmap& B) override;
  void Paint() override;
  // Paints the skin rectangle R of a state with glyph and caption into B.
  virtual void DrawButtonImage(TBitmap& B, const TRect& R, bool Active, bool IsDown);

  void WndProc(TMessage& Message) override;
  void CreateWnd() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void KeyDown(Word& Key, TShiftState Shift) override;
  void KeyUp(Word& Key, TShiftState Shift) override;
  void CMMouseEnter(TMessage& Message) override;
  void CMMouseLeave(TMessage& Message) override;
  void CMEnabledChanged(TMessage& Message) override;
  void DoEnter() override;
  void DoExit() override;

 private:
  bool MorphingInUse() const { return FMorphing && FIndex != -1; }
  void StartMorphOrRepaint();
  void StopMorph();
  void MorphTick();
  void StartRepeat();
  void StopRepeat();
  void HoverRepaint();
  void FocusChanged(TWinControl* focused);
  void DialogKey(TMessage& Message);
  void DialogChar(TMessage& Message);
  void AnnounceFocus();
  void ReleaseGroup();
  TColor StateFontColor(bool active, bool down) const;
  void ActionChange(TBasicAction* Sender, bool CheckDefaults);

  TBitmap FGlyph;
  TbsNumGlyphs FNumGlyphs = 1;
  TbsButtonLayout FLayout = blGlyphLeft;
  int FMargin = -1;
  int FSpacing = 1;
  bool FDown = false;
  int FGroupIndex = 0;
  bool FAllowAllUp = false;
  bool FRepeatMode = false;
  int FRepeatInterval = 100;
  bool FCanFocused = true;
  bool FDefault = false;
  bool FCancel = false;
  TModalResult FModalResult = mrNone;

  bool FMouseIn = false;
  bool FMousePressed = false;
  bool FSecondPress = false;
  bool FActiveDefault = false;
  bool FFocusGrab = false;
  bool FSpaceDown = false;
  bool FRepeating = false;
  TbsMorphState FMorph;

  // Copies of the record's values.
  std::string FSkinFontName = "Arial";
  int FSkinFontHeight = 14;
  TFontStyles FSkinFontStyle;
  TColor FFontColor = 0, FActiveFontColor = 0, FDownFontColor = 0, FDisabledFontColor = 0;
  TRect FActiveSkinRect, FDownSkinRect, FDisabledSkinRect;
  bool FMorphing = false;
  TMorphKind FMorphKind = mkDefault;

  std::unique_ptr<TBasicActionLink> FActionLink;
  // Expires with the button: a click handler may free it.
  std::shared_ptr<bool> FButtonAlive = std::make_shared<bool>(true);
};
