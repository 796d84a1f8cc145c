#pragma once
// The window-less tool button: never takes the focus, draws on its parent's surface and
// may be flat (no frame until hovered) and transparent (only glyph and caption over the
// parent). Sticky group buttons, auto-repeat, a glyph strip or an image of its tool
// bar's image lists; with a "button" record one skin rectangle per state and the hover
// cross-fade of the push button.
#include <memory>

#include "framework/graphics/Bitmap.h"
#include "framework/windows/Timers.h"
#include "skin/controls/GraphicSkinCustomControl.h"
#include "skin/controls/SkinButtonGlyphs.h"
#include "skin/controls/SkinMorph.h"
#include "skin/data/SkinTypes.h"

class TBasicAction;
class TBasicActionLink;
class TImageList;
class TbsSkinToolBar;

class TbsSkinSpeedButton : public TbsGraphicSkinCustomControl {
 public:
  explicit TbsSkinSpeedButton(TComponent* AOwner);
  ~TbsSkinSpeedButton() override;
  std::string ClassName() const override { return "TbsSkinSpeedButton"; }

  static constexpr unsigned MorphInterval = 20;

  bool ShowCaption() const { return FShowCaption; }
  void SetShowCaption(bool Value);
  int WidthWithCaption() const { return FWidthWithCaption; }
  void SetWidthWithCaption(int Value) { FWidthWithCaption = Value; }
  int WidthWithoutCaption() const { return FWidthWithoutCaption; }
  void SetWidthWithoutCaption(int Value) { FWidthWithoutCaption = Value; }
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
  int ImageIndex() const { return FImageIndex; }
  void SetImageIndex(int Value);
  bool Down() const { return FDown; }
  void SetDown(bool Value);
  int GroupIndex() const { return FGroupIndex; }
  void SetGroupIndex(int Value) { FGroupIndex = Value; }
  bool AllowAllUp() const { return FAllowAllUp; }
  void SetAllowAllUp(bool Value) { FAllowAllUp = Value; }
  bool RepeatMode() const { return FRepeatMode; }
  void SetRepeatMode(bool Value) { FRepeatMode = Value; }
  int RepeatInterval() const { return FRepeatInterval; }
  void SetRepeatInterval(int Value) { FRepeatInterval = Value; }
  bool Flat() const { return FFlat; }
  void SetFlat(bool Value);
  bool Transparent() const { return FTransparent; }
  void SetTransparent(bool Value);

  // Look state, for the gallery and tests.
  bool MouseIn() const { return FMouseIn; }
  double MorphFactor() const { return FMorph.Factor; }
  bool Repeating() const { return FRepeatTimer != nullptr; }
  bool Morphing() const { return FMorphTimer != nullptr; }

  // The linked action (nullptr: none). A linked TAction gives the button its caption,
  // enabled state, hint and visibility, and runs when the button has no OnClick.
  TBasicAction* Action() const;
  void SetAction(TBasicAction* Value);
  void Loaded() override;

  // Fires OnClick (or, without one, executes the linked action).
  virtual void ButtonClick();
  void ApplySkinChange() override;

 protected:
  bool AcceptsRecord(const TbsDataSkinControl* Record) const override;
  void ReadSkinRecord() override;
  void DrawDefaultImage(TBitmap& B) override;
  void Paint() override;
  // Paints the skin rectangle R of a state with glyph and caption into B.
  virtual void DrawButtonImage(TBitmap& B, const TRect& R, bool Active, bool IsDown);

  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void CMMouseEnter(TMessage& Message) override;
  void CMMouseLeave(TMessage& Message) override;
  void CMEnabledChanged(TMessage& Message) override;
  void CMTextChanged(TMessage& Message) override;

  // The parent when it is a skin tool bar, else nullptr.
  TbsSkinToolBar* ToolBar() const;
  // The caption as drawn: empty while ShowCaption is off.
  std::string ShownCaption() const { return FShowCaption ? FCaption : std::string(); }
  // Pressed look: down in a group, or down with the pointer over it.
  bool PressedLook() const { return FDown && (FGroupIndex != 0 || FMouseIn); }
  // Font of the default look (resource-strings character set, shadow when disabled).
  void SetDefaultCanvasFont(TCanvas* C) const;
  // Glyph (or tool-bar image) and caption in r with the canvas's font.
  void DrawContent(TCanvas* C, const TRect& r, bool pressed) const;
  // Font and colour of the record's caption in a state.
  void SetSkinCanvasFont(TCanvas* C, bool Active, bool IsDown) const;
  bool MorphingInUse() const { return FMorphing && FIndex != -1 && !FTransparent; }
  void StartMorphOrRepaint();
  void StopMorph();
  void StartRepeat();
  void StopRepeat();
  void HoverRepaint();
  void ReleaseGroup();

  bool FShowCaption = true;
  int FWidthWithCaption = 0;
  int FWidthWithoutCaption = 0;
  TBitmap FGlyph;
  TbsNumGlyphs FNumGlyphs = 1;
  TbsButtonLayout FLayout = blGlyphLeft;
  int FMargin = -1;
  int FSpacing = 1;
  int FImageIndex = 0;
  bool FDown = false;
  int FGroupIndex = 0;
  bool FAllowAllUp = false;
  bool FRepeatMode = false;
  int FRepeatInterval = 100;
  bool FFlat = false;
  bool FTransparent = false;

  bool FMouseIn = false;
  bool FMousePressed = false;
  bool FSecondPress = false;
  TbsMorphState FMorph;
  std::unique_ptr<TTimer> FRepeatTimer;
  std::unique_ptr<TTimer> FMorphTimer;

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

 private:
  void MorphTick();
  void ActionChange(TBasicAction* Sender, bool CheckDefaults);
};
