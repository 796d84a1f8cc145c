#include "framework/controls/Button.h"

#include "framework/controls/ControlPaint.h"
#include "framework/graphics/Canvas.h"
#include "framework/messages/MessageViews.h"

TButton::TButton(TComponent* AOwner) : TCustomControl(AOwner) {
  FControlStyle = {csSetCaption, csDoubleClicks, csClickEvents, csCaptureMouse};
  FColor = clBtnFace;
  FWidth = 75;
  FHeight = 25;
  FTabStop = true;
}

void TButton::SetDefault(bool v) {
  if (v == FDefault) return;
  FDefault = v;
  Invalidate();
}

void TButton::SetDown(bool v) {
  if (v == FDown) return;
  FDown = v;
  Invalidate();
}

void TButton::Click() {
  if (!FEnabled) return;
  if (FModalResult != mrNone)
    if (TCustomForm* form = GetParentForm(this)) form->SetModalResult(FModalResult);
  TCustomControl::Click();
}

void TButton::WndProc(TMessage& m) {
  switch (m.Msg) {
    case CM_DIALOGKEY: {
      const WPARAM key = TKeyMessage(m).CharCode;
      if (FEnabled && Visible() && ((FDefault && key == WPARAM(VK_RETURN)) || (FCancel && key == WPARAM(VK_ESCAPE)))) {
        Click();
        m.Result = 1;
        return;
      }
      break;
    }
    case CM_ENABLEDCHANGED:
      if (!FEnabled) {
        FMouseHeld = FSpaceHeld = false;
        FClicking = false;
        if (MouseCapture()) SetMouseCapture(false);
        SetDown(false);
      }
      break;
    case WM_CANCELMODE:
      FMouseHeld = FSpaceHeld = false;
      SetDown(false);
      break;
  }
  TCustomControl::WndProc(m);
}

void TButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (Button == mbLeft) {
    if (!Focused() && CanFocus()) SetFocus();
    FMouseHeld = true;
    SetDown(true);
  }
  TCustomControl::MouseDown(Button, Shift, X, Y);
}

void TButton::MouseMove(TShiftState Shift, int X, int Y) {
  if (FMouseHeld) SetDown(PtInRect(ClientRect(), Point(X, Y)));
  TCustomControl::MouseMove(Shift, X, Y);
}

void TButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (Button == mbLeft) {
    FMouseHeld = false;
    if (!FSpaceHeld) SetDown(false);
  }
  TCustomControl::MouseUp(Button, Shift, X, Y);
}

void TButton::KeyDown(Word& Key, TShiftState Shift) {
  TCustomControl::KeyDown(Key, Shift);
  if (Key == VK_SPACE) {
    FSpaceHeld = true;
    SetDown(true);
    Key = 0;
  } else if (Key == VK_RETURN) {
    Key = 0;
    Click();
  }
}

void TButton::KeyUp(Word& Key, TShiftState Shift) {
  TCustomControl::KeyUp(Key, Shift);
  if (Key == VK_SPACE && FSpaceHeld) {
    FSpaceHeld = false;
    Key = 0;
    if (!FMouseHeld) {
      SetDown(false);
      Click();
    }
  }
}

void TButton::DoEnter() {
  Invalidate();
  TCustomControl::DoEnter();
}

void TButton::DoExit() {
  FSpaceHeld = false;
  if (!FMouseHeld) SetDown(false);
  Invalidate();
  TCustomControl::DoExit();
}

void TButton::Paint() {
  TCanvas* c = Canvas();
  TRect r = ClientRect();
  c->Brush()->Style = TBrushStyle::bsSolid;
  c->Brush()->Color = FColor;
  c->FillRect(r);
  bool focused = Focused();
  if (FDefault || focused) {
    // The default (or focused) button carries an extra black ring.
    c->Brush()->Color = clWindowFrame;
    c->FrameRect(r);
    InflateRect(r, -1, -1);
  }
  if (FDown) {
    c->Brush()->Color = clBtnShadow;
    c->FrameRect(r);
    InflateRect(r, -1, -1);
  } else {
    Frame3D(c, r, clBtnHighlight, cl3DDkShadow, 1);
    Frame3D(c, r, cl3DLight, clBtnShadow, 1);
  }
  c->Font()->Assign(&FFont);
  TRect text = ClientRect();
  if (FDown) OffsetRect(text, 1, 1);
  DrawControlText(c, FCaption, text, DT_CENTER | DT_VCENTER | DT_SINGLELINE, FEnabled);
  if (focused) {
    TRect f = ClientRect();
    InflateRect(f, -4, -4);
    DrawFocusRect(c, f);
  }
}
