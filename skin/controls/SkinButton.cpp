#include "skin/controls/SkinButton.h"

#include "skin/controls/FocusGrab.h"

#include "framework/actions/Action.h"
#include "framework/graphics/Canvas.h"
#include "framework/menus/Hotkeys.h"
#include "skin/controls/SkinButtonActionLink.h"
#include "framework/messages/MessageViews.h"
#include "framework/windows/Windows.h"
#include "skin/data/SkinData.h"
#include "skin/draw/DefaultLook.h"
#include "skin/draw/SkinGeometry.h"

TbsSkinButton::TbsSkinButton(TComponent* AOwner) : TbsSkinGlyphButtonOf(AOwner) {
  // Clicks come from the button's own press and release rules, not the framework's.
  FControlStyle.Exclude(csClickEvents);
  FSkinDataName = "button";
  FWidth = 75;
  FHeight = 25;
  FTabStop = true;
}

TbsSkinButton::~TbsSkinButton() {
  StopRepeat();
  ReleaseBehaviour();
}

// ---- properties -------------------------------------------------------------------------
void TbsSkinButton::SetGroupIndex(int Value) {
  FGroupIndex = Value;
  if (Value != 0) FCanFocused = false;
}

void TbsSkinButton::SetCanFocused(bool Value) {
  FCanFocused = Value;
  if (Designing() && !IsLoading()) SetTabStop(Value);
}

void TbsSkinButton::SetDefault(bool Value) {
  FDefault = Value;
  if (HandleAllocated() && FCanFocused) AnnounceFocus();
}

// ---- clicks -----------------------------------------------------------------------------
void TbsSkinButton::ButtonClick() {
  if (FCanFocused)
    if (TCustomForm* form = GetParentForm(this)) form->SetModalResult(FModalResult);
  // The button's own handler wins over a linked action (never the same function here:
  // the link does not copy the action's handler into OnClick).
  if (OnClick) {
    TNotifyEvent handler = OnClick;  // the handler may free this button
    handler(this);
  } else if (FActionLink && !Designing()) {
    FActionLink->Execute(this);
  }
}

void TbsSkinButton::Click() {
  if (!FActionLink) TbsSkinGlyphButtonOf::Click();
}

// ---- action -----------------------------------------------------------------------------
void TbsSkinButton::SetAction(TBasicAction* Value) {
  if (LinkSkinAction<TbsSkinButtonActionLink>(this, FActionLink, Value))
    ActionChange(Value, IsLoading() || Value->IsLoading());
}

// ---- painting ---------------------------------------------------------------------------
void TbsSkinButton::DrawDefaultImage(TBitmap& B) {
  TCanvas* c = B.Canvas();
  const bool focused = ButtonFocused();
  const bool pressed = FDown && (FGroupIndex != 0 || FMouseIn || (focused && !FMousePressed));
  DrawDefaultFace(c, ClientRect(), pressed ? facePressed : FMouseIn || focused ? faceHot : faceNormal);
  UseDefaultFont(c->Font());
  DrawGlyphAndText(c, ClientRect(), FMargin, pressed, GlyphCell(FDown, FMouseIn, FEnabled, FNumGlyphs), FNumGlyphs,
                   FGlyph, FCaption, FLayout, FSpacing);
}

void TbsSkinButton::Paint() {
  ReadSkinRecord();
  if (FIndex == -1) {
    TbsSkinGlyphButtonOf::Paint();
    return;
  }
  if (Width() <= 0 || Height() <= 0) return;
  if (Fading() && FEnabled) {
    DrawMorph(Canvas());
    return;
  }
  TBitmap B(Width(), Height());
  const bool focused = ButtonFocused();
  if (!FEnabled && !IsNullRect(FDisabledSkinRect))
    DrawButtonImage(B, FDisabledSkinRect, false, false);
  else if (FDown && (FGroupIndex != 0 || FMouseIn || (focused && !FMousePressed)))
    DrawButtonImage(B, FDownSkinRect, true, true);
  else if (focused || FMouseIn)
    DrawButtonImage(B, FActiveSkinRect, true, false);
  else if (!FMorphing || FMorph.Factor != 1)
    DrawButtonImage(B, FSkinRect, false, false);
  else
    DrawButtonImage(B, FActiveSkinRect, true, false);
  Canvas()->Draw(0, 0, &B);
}

// ---- timers -----------------------------------------------------------------------------
void TbsSkinButton::StartRepeat() {
  StopRepeat();
  if (!HandleAllocated()) return;
  FRepeating = SetTimer(HandleValue(), RepeatTimerId, UINT(FRepeatInterval > 0 ? FRepeatInterval : 1)) != 0;
}

void TbsSkinButton::StopRepeat() {
  if (!FRepeating) return;
  FRepeating = false;
  if (HandleAllocated()) KillTimer(HandleValue(), RepeatTimerId);
}

// ---- messages ---------------------------------------------------------------------------
void TbsSkinButton::CreateWnd() {
  TbsSkinGlyphButtonOf::CreateWnd();
  FActiveDefault = FDefault;
}

void TbsSkinButton::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_TIMER:
      if (TTimerMessage(m).TimerId == RepeatTimerId) {
        if (FRepeating) ButtonClick();
        return;
      }
      break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      if (FCanFocused && !Focused() && !GrabFocusForPress(this, FButtonAlive, FFocusGrab)) return;
      break;
    case WM_COMMAND:
      if (FFocusGrab) return;
      break;
    case CM_DIALOGKEY:
      DialogKey(m);
      if (m.Result) return;
      break;
    case CM_DIALOGCHAR:
      DialogChar(m);
      if (m.Result) return;
      break;
    case CM_FOCUSCHANGED:
      FocusChanged(reinterpret_cast<TWinControl*>(m.LParam));
      break;
  }
  TbsSkinGlyphButtonOf::WndProc(m);
}

void TbsSkinButton::DialogKey(TMessage& m) {
  const int key = int(TKeyMessage(m).CharCode);
  const TShiftState shift = KeyboardStateToShiftState();
  if ((key == VK_RETURN && FActiveDefault && FEnabled) ||
      (key == VK_ESCAPE && FCancel && FCanFocused && shift.Empty() && CanFocus())) {
    ButtonClick();
    m.Result = 1;
  }
}

void TbsSkinButton::DialogChar(TMessage& m) {
  if (!FCanFocused || !CanFocus() || !IsAccel(char32_t(TKeyMessage(m).CharCode), FCaption)) return;
  std::weak_ptr<bool> alive = FButtonAlive;
  SetFocus();
  if (alive.expired()) return;
  m.Result = 1;
  ButtonClick();
}

void TbsSkinButton::FocusChanged(TWinControl* focused) {
  auto* button = dynamic_cast<TbsSkinButton*>(focused);
  FActiveDefault = button ? button == this : FDefault;
  if (!FCanFocused || !FDefault) return;
  if (button && button != this) {
    FMouseIn = false;
    StartMorphOrRepaint();
  } else if (!button) {
    FMouseIn = true;
    if (MorphingInUse()) FMorph.Factor = 1;
    StartMorphOrRepaint();
  }
}

void TbsSkinButton::AnnounceFocus() {
  // The form passes the notice to every control on it; each button re-evaluates whom
  // Enter clicks.
  if (TCustomForm* form = GetParentForm(this))
    form->Perform(CM_FOCUSCHANGED, 0, reinterpret_cast<LPARAM>(form->ActiveControl()));
}

void TbsSkinButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  std::weak_ptr<bool> alive = FButtonAlive;
  TbsSkinGlyphButtonOf::MouseDown(Button, Shift, X, Y);
  if (alive.expired() || Button != mbLeft) return;
  PressDown();
}

void TbsSkinButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  std::weak_ptr<bool> alive = FButtonAlive;
  // A click needs the press that began it: the release of a dropped press (the focus
  // could not be taken) leaves the button alone.
  if (Button == mbLeft && FMousePressed) {
    ReleaseUp();
    if (alive.expired() || !HandleAllocated() || !Visible()) return;
  }
  TbsSkinGlyphButtonOf::MouseUp(Button, Shift, X, Y);
}

void TbsSkinButton::KeyDown(Word& Key, TShiftState Shift) {
  std::weak_ptr<bool> alive = FButtonAlive;
  TbsSkinGlyphButtonOf::KeyDown(Key, Shift);
  if (alive.expired() || !FCanFocused) return;
  // A key the button answers is used up here: passed on, Enter would come back as a
  // dialog key and click the focused (active default) button a second time.
  if (Key == VK_SPACE) {
    Key = 0;
    FSpaceDown = true;
    SetDown(true);
    if (FRepeatMode) ButtonClick();
  } else if (Key == VK_RETURN) {
    Key = 0;
    ButtonClick();
  }
}

void TbsSkinButton::KeyUp(Word& Key, TShiftState Shift) {
  std::weak_ptr<bool> alive = FButtonAlive;
  TbsSkinGlyphButtonOf::KeyUp(Key, Shift);
  if (alive.expired() || !FCanFocused) return;
  // Only a release whose press this button saw clicks it.
  if (Key == VK_SPACE && FSpaceDown) {
    Key = 0;
    FSpaceDown = false;
    SetDown(false);
    ButtonClick();
  }
}

void TbsSkinButton::HoverRepaint() {
  if (FGroupIndex != 0 ? !FDown : (!ButtonFocused() || FDown)) RepaintHover();
}

void TbsSkinButton::CMMouseEnter(TMessage& Message) {
  if (!PassMouseCrossing(Message, true)) return;
  FMouseIn = true;
  HoverRepaint();
  if (FDown && FRepeatMode && FGroupIndex == 0 && FMousePressed) StartRepeat();
}

void TbsSkinButton::CMMouseLeave(TMessage& Message) {
  if (!PassMouseCrossing(Message, false)) return;
  if (!(FCanFocused && FDefault && FActiveDefault && !Focused())) FMouseIn = false;
  HoverRepaint();
  if (FDown && FRepeatMode && FRepeating && FGroupIndex == 0) StopRepeat();
}

void TbsSkinButton::DoEnter() {
  if (FCanFocused) StartMorphOrRepaint();
  TbsSkinGlyphButtonOf::DoEnter();
}

void TbsSkinButton::DoExit() {
  StopRepeat();
  FSpaceDown = false;
  if (FGroupIndex == 0) FDown = false;
  StartMorphOrRepaint();
  TbsSkinGlyphButtonOf::DoExit();
}
