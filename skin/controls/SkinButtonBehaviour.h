#pragma once
// What the skin's push button, tool button and check/radio box share, written once over
// their custom control base (windowed TbsSkinCustomControl or window-less
// TbsGraphicSkinCustomControl):
// - TbsSkinButtonBehaviour: pointer-in tracking, the group index, the hover fade between
//   the record's normal and hot image, the record's font and hot look, the linked action;
// - TbsSkinGlyphButtonOf adds what the two buttons share: the glyph strip, Down with its
//   group and auto-repeat, the pressed and disabled look, the press and release rules.
//
// The fade runs on a window timer (MorphTimerId) on a windowed control and on a TTimer on
// a window-less one, which has no window to own a timer.
//
// FButtonAlive guards code that runs handlers which may free the control. The final
// class's destructor calls ReleaseBehaviour, so the flag expires with the final class's
// part, before the bases are torn down.
#include <cstdint>
#include <memory>
#include <string>
#include <type_traits>

#include "framework/graphics/Bitmap.h"
#include "framework/windows/Timers.h"
#include "skin/controls/GraphicSkinCustomControl.h"
#include "skin/controls/SkinButtonGlyphs.h"
#include "skin/controls/SkinControl.h"
#include "skin/controls/SkinMorph.h"
#include "skin/data/SkinControlRecords.h"
#include "skin/data/SkinTypes.h"

class TBasicAction;
class TBasicActionLink;
class TCanvas;

template <class TBase, class TRecord>
class TbsSkinButtonBehaviour : public TBase {
 public:
  explicit TbsSkinButtonBehaviour(TComponent* AOwner) : TBase(AOwner) {}

  // Window timer of the fade on a windowed control (WM_TIMER with this id).
  static constexpr std::uintptr_t MorphTimerId = 2;
  static constexpr unsigned MorphInterval = 20;

  int GroupIndex() const { return FGroupIndex; }
  void SetGroupIndex(int Value) { FGroupIndex = Value; }

  // The linked action (nullptr: none).
  TBasicAction* Action() const;
  TBasicActionLink* ActionLink() const { return FActionLink.get(); }
  void Loaded() override;

  // Look state, for the gallery and tests.
  bool MouseIn() const { return FMouseIn; }
  double MorphFactor() const { return FMorph.Factor; }
  bool Morphing() const;

  void ApplySkinChange() override;

 protected:
  static constexpr bool Windowed = std::is_base_of_v<TWinControl, TBase>;

  bool AcceptsRecord(const TbsDataSkinControl* Record) const override;
  void ReadSkinRecord() override;
  // The class's own values of the record, after the shared ones were copied.
  virtual void ReadRecordValues(const TRecord&) {}
  // False where the look cannot fade (a transparent or flat look has no opaque images).
  virtual bool FadeAllowed() const { return true; }
  bool MorphingInUse() const { return FMorphing && this->FIndex != -1 && FadeAllowed(); }
  // The state the fade heads for.
  virtual bool HotLook() const { return FMouseIn; }
  // Between the normal (0) and the hot (1) image.
  bool Fading() const { return FMorphing && FMorph.Factor > 0 && FMorph.Factor < 1; }
  // The record's image R of a state (Active: hot) into B.
  virtual void DrawStateImage(TBitmap& B, const TRect& R, bool Active) = 0;
  // Paints the fade's current blend of the normal and the hot image onto C.
  void DrawMorph(TCanvas* C);
  // Reads the record again and resizes: the middle of ApplySkinChange.
  virtual void ApplyRecordChange() { TBase::ApplySkinChange(); }
  // Takes the linked action's values.
  virtual void ActionChange(TBasicAction* Sender, bool CheckDefaults);

  void StartMorphOrRepaint();
  void StopMorph();
  void MorphTick();

  // Passes the pointer's entry or exit on; false when the control went meanwhile or is
  // being designed, and the notice must go no further.
  bool PassMouseCrossing(TMessage& Message, bool Enter);
  void CMEnabledChanged(TMessage& Message) override;
  void WndProc(TMessage& Message) override;
  // Stops the fade, unlinks the action and expires FButtonAlive; the final class's
  // destructor calls it.
  void ReleaseBehaviour();

  int FGroupIndex = 0;
  bool FMouseIn = false;
  bool FMousePressed = false;
  TbsMorphState FMorph;
  // The fade's timer on a window-less control.
  std::unique_ptr<TTimer> FMorphTimer;

  // Copies of the record's values.
  TbsSkinFont FSkinFont;
  TColor FFontColor = 0, FActiveFontColor = 0;
  TRect FActiveSkinRect;
  bool FMorphing = false;
  TMorphKind FMorphKind = mkDefault;

  std::unique_ptr<TBasicActionLink> FActionLink;
  std::shared_ptr<bool> FButtonAlive = std::make_shared<bool>(true);
};

template <class TBase>
class TbsSkinGlyphButtonOf : public TbsSkinButtonBehaviour<TBase, TbsDataSkinButtonControl> {
  using Behaviour = TbsSkinButtonBehaviour<TBase, TbsDataSkinButtonControl>;

 public:
  using Behaviour::Behaviour;

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
  bool AllowAllUp() const { return FAllowAllUp; }
  void SetAllowAllUp(bool Value) { FAllowAllUp = Value; }
  bool RepeatMode() const { return FRepeatMode; }
  void SetRepeatMode(bool Value) { FRepeatMode = Value; }
  int RepeatInterval() const { return FRepeatInterval; }
  void SetRepeatInterval(int Value) { FRepeatInterval = Value; }

  virtual void ButtonClick() = 0;

 protected:
  void ReadRecordValues(const TbsDataSkinButtonControl& Record) override;
  // The caption as drawn.
  virtual std::string ShownCaption() const { return this->FCaption; }
  // Font and colour of the record's caption in a state.
  void SetSkinCanvasFont(TCanvas* C, bool Active, bool IsDown) const;
  // Paints the skin rectangle R of a state with glyph and caption into B.
  virtual void DrawButtonImage(TBitmap& B, const TRect& R, bool Active, bool IsDown);
  void DrawStateImage(TBitmap& B, const TRect& R, bool Active) override { DrawButtonImage(B, R, Active, false); }

  virtual void StartRepeat() = 0;
  virtual void StopRepeat() = 0;
  // The left button went down on the button / came up: Down, group and repeat rules.
  void PressDown();
  void ReleaseUp();
  // Repaints for a change of MouseIn: a held button at once, else through the fade.
  void RepaintHover();

  TBitmap FGlyph;
  TbsNumGlyphs FNumGlyphs = 1;
  TbsButtonLayout FLayout = blGlyphLeft;
  int FMargin = -1;
  int FSpacing = 1;
  bool FDown = false;
  bool FAllowAllUp = false;
  bool FRepeatMode = false;
  int FRepeatInterval = 100;
  bool FSecondPress = false;

  TColor FDownFontColor = 0, FDisabledFontColor = 0;
  TRect FDownSkinRect, FDisabledSkinRect;

 private:
  void ReleaseGroup();
};

extern template class TbsSkinButtonBehaviour<TbsSkinCustomControl, TbsDataSkinButtonControl>;
extern template class TbsSkinButtonBehaviour<TbsGraphicSkinCustomControl, TbsDataSkinButtonControl>;
extern template class TbsSkinButtonBehaviour<TbsSkinCustomControl, TbsDataSkinCheckRadioControl>;
extern template class TbsSkinGlyphButtonOf<TbsSkinCustomControl>;
extern template class TbsSkinGlyphButtonOf<TbsGraphicSkinCustomControl>;
