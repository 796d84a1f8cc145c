#pragma once
// The plain push button: a 3-D frame that sinks while pressed, a focus rectangle, a
// heavier frame when it is the default button or has the focus. It clicks on a mouse
// release inside it, on Space (released) and on Enter; a default button also clicks on
// Enter and a cancel button on Escape when its form offers them (CM_DIALOGKEY).
#include "framework/windows/Controls.h"
#include "framework/windows/Forms.h"

class TButton : public TCustomControl {
 public:
  explicit TButton(TComponent* AOwner);
  std::string ClassName() const override { return "TButton"; }

  bool Default() const { return FDefault; }
  void SetDefault(bool v);
  bool Cancel() const { return FCancel; }
  void SetCancel(bool v) { FCancel = v; }
  // Given to the parent form's ModalResult when the button is clicked.
  TModalResult ModalResult() const { return FModalResult; }
  void SetModalResult(TModalResult v) { FModalResult = v; }
  // True while the button is held down (mouse over it or Space held).
  bool Down() const { return FDown; }

  // Clicks the button as the user would (not when it is disabled).
  void Click() override;

 protected:
  void WndProc(TMessage& Message) override;
  void Paint() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void KeyDown(Word& Key, TShiftState Shift) override;
  void KeyUp(Word& Key, TShiftState Shift) override;
  void DoEnter() override;
  void DoExit() override;

 private:
  void SetDown(bool v);
  bool FDefault = false;
  bool FCancel = false;
  TModalResult FModalResult = mrNone;
  bool FDown = false;
  bool FMouseHeld = false;
  bool FSpaceHeld = false;
};
