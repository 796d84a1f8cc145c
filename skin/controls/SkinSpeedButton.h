#pragma once
// The window-less tool button: never takes the focus, draws on its parent's surface and
// may be flat (no frame until hovered) and transparent (only glyph and caption over the
// parent). Sticky group buttons, auto-repeat, a glyph strip or an image of its tool
// bar's image lists; with a "button" record one skin rectangle per state and the hover
// cross-fade of the push button.
#include <memory>

#include "framework/windows/Timers.h"
#include "skin/controls/SkinButtonBehaviour.h"

class TImageList;
class TbsSkinToolBar;

class TbsSkinSpeedButton : public TbsSkinGlyphButtonOf<TbsGraphicSkinCustomControl> {
 public:
  explicit TbsSkinSpeedButton(TComponent* AOwner);
  ~TbsSkinSpeedButton() override;
  std::string ClassName() const override { return "TbsSkinSpeedButton"; }

  bool ShowCaption() const { return FShowCaption; }
  void SetShowCaption(bool Value);
  int WidthWithCaption() const { return FWidthWithCaption; }
  void SetWidthWithCaption(int Value) { FWidthWithCaption = Value; }
  int WidthWithoutCaption() const { return FWidthWithoutCaption; }
  void SetWidthWithoutCaption(int Value) { FWidthWithoutCaption = Value; }
  int ImageIndex() const { return FImageIndex; }
  void SetImageIndex(int Value);
  bool Flat() const { return FFlat; }
  void SetFlat(bool Value);
  bool Transparent() const { return FTransparent; }
  void SetTransparent(bool Value);

  // Look state, for the gallery and tests.
  bool Repeating() const { return FRepeatTimer != nullptr; }

  // A linked TAction gives the button its caption, enabled state, hint and visibility,
  // and runs when the button has no OnClick.
  void SetAction(TBasicAction* Value);

  // Fires OnClick (or, without one, executes the linked action).
  void ButtonClick() override;

 protected:
  bool FadeAllowed() const override { return !FTransparent; }
  void DrawDefaultImage(TBitmap& B) override;
  void Paint() override;

  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void CMMouseEnter(TMessage& Message) override;
  void CMMouseLeave(TMessage& Message) override;
  void CMTextChanged(TMessage& Message) override;

  // The parent when it is a skin tool bar, else nullptr.
  TbsSkinToolBar* ToolBar() const;
  // The caption as drawn: empty while ShowCaption is off.
  std::string ShownCaption() const override { return FShowCaption ? FCaption : std::string(); }
  // Pressed look: down in a group, or down with the pointer over it.
  bool PressedLook() const { return FDown && (FGroupIndex != 0 || FMouseIn); }
  // Glyph (or tool-bar image) and caption in r with the canvas's font.
  void DrawContent(TCanvas* C, const TRect& r, bool pressed) const;
  void StartRepeat() override;
  void StopRepeat() override;
  void HoverRepaint();

  bool FShowCaption = true;
  int FWidthWithCaption = 0;
  int FWidthWithoutCaption = 0;
  int FImageIndex = 0;
  bool FFlat = false;
  bool FTransparent = false;

  std::unique_ptr<TTimer> FRepeatTimer;
};
