#pragma once
// The skin engine's push button: a plain button, a sticky button of a group, an
// auto-repeat button, a dialog's default or cancel button, with an optional glyph strip
// beside its caption. Without a skin record it draws a flat look of its own; with a
// "button" record it draws one skin rectangle per state and can cross-fade between the
// normal and the hot image.
#include <cstdint>

#include "framework/windows/Forms.h"
#include "skin/controls/SkinButtonBehaviour.h"

class TbsSkinButton : public TbsSkinGlyphButtonOf<TbsSkinCustomControl> {
 public:
  explicit TbsSkinButton(TComponent* AOwner);
  ~TbsSkinButton() override;
  std::string ClassName() const override { return "TbsSkinButton"; }

  // Window timer of the auto-repeat (WM_TIMER with this id; the fade's is MorphTimerId).
  static constexpr std::uintptr_t RepeatTimerId = 1;

  // A button of a group never takes the focus.
  void SetGroupIndex(int Value);
  bool CanFocused() const { return FCanFocused; }
  void SetCanFocused(bool Value);
  TModalResult ModalResult() const { return FModalResult; }
  void SetModalResult(TModalResult Value) { FModalResult = Value; }
  bool Default() const { return FDefault; }
  void SetDefault(bool Value);
  bool Cancel() const { return FCancel; }
  void SetCancel(bool Value) { FCancel = Value; }

  // A linked TAction gives the button its caption, enabled state, hint and visibility,
  // and runs when the button has no OnClick.
  void SetAction(TBasicAction* Value);

  // Look state, for the gallery and tests.
  bool ActiveDefault() const { return FActiveDefault; }
  bool Repeating() const { return FRepeating; }
  // Focused in the button's sense: the window has the focus and CanFocused is set.
  bool ButtonFocused() const { return FCanFocused && Focused(); }

  // Performs a click: modal result first, then OnClick.
  void ButtonClick() override;
  // The framework's generic click.
  void Click() override;

 protected:
  bool HotLook() const override { return FMouseIn || ButtonFocused(); }
  void DrawDefaultImage(TBitmap& B) override;
  void Paint() override;

  void WndProc(TMessage& Message) override;
  void CreateWnd() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void KeyDown(Word& Key, TShiftState Shift) override;
  void KeyUp(Word& Key, TShiftState Shift) override;
  void CMMouseEnter(TMessage& Message) override;
  void CMMouseLeave(TMessage& Message) override;
  void DoEnter() override;
  void DoExit() override;
  void StartRepeat() override;
  void StopRepeat() override;

 private:
  void HoverRepaint();
  void FocusChanged(TWinControl* focused);
  void DialogKey(TMessage& Message);
  void DialogChar(TMessage& Message);
  void AnnounceFocus();

  bool FCanFocused = true;
  bool FDefault = false;
  bool FCancel = false;
  TModalResult FModalResult = mrNone;

  bool FActiveDefault = false;
  bool FFocusGrab = false;
  bool FSpaceDown = false;
  bool FRepeating = false;
};
