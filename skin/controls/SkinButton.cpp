#include "skin/controls/SkinButton.h"

#include "skin/controls/FocusGrab.h"

#include "framework/actions/Action.h"
#include "framework/graphics/Canvas.h"
#include "framework/menus/Hotkeys.h"
#include "skin/controls/SkinButtonActionLink.h"
#include "framework/windows/Windows.h"
#include "skin/data/ResourceStrData.h"
#include "skin/data/SkinData.h"
#include "skin/draw/DefaultLook.h"
#include "skin/draw/EffectBmp.h"
#include "skin/draw/SkinGeometry.h"

TbsSkinButton::TbsSkinButton(TComponent* AOwner) : TbsSkinCustomControl(AOwner) {
  // Clicks come from the button's own press and release rules, not the framework's.
  FControlStyle.Exclude(csClickEvents);
  FSkinDataName = "button";
  FWidth = 75;
  FHeight = 25;
  FTabStop = true;
}

TbsSkinButton::~TbsSkinButton() {
  StopRepeat();
  StopMorph();
  FActionLink.reset();
}

// ---- properties -------------------------------------------------------------------------
void TbsSkinButton::SetGlyph(const TBitmap* Value) {
  FGlyph.Assign(Value);
  Invalidate();
}

void TbsSkinButton::SetNumGlyphs(TbsNumGlyphs Value) {
  FNumGlyphs = Value < MinNumGlyphs ? MinNumGlyphs : Value > MaxNumGlyphs ? MaxNumGlyphs : Value;
  Invalidate();
}

void TbsSkinButton::SetLayout(TbsButtonLayout Value) {
  if (Value == FLayout) return;
  FLayout = Value;
  Invalidate();
}

void TbsSkinButton::SetMargin(int Value) {
  if (Value == FMargin || Value < -1) return;
  FMargin = Value;
  Invalidate();
}

void TbsSkinButton::SetSpacing(int Value) {
  if (Value == FSpacing) return;
  FSpacing = Value;
  Invalidate();
}

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

void TbsSkinButton::SetDown(bool Value) {
  if (Value == FDown) return;
  FDown = Value;
  if (MorphingInUse()) {
    if (FDown) {
      FMorph.Factor = 1;
      StopMorph();
    } else {
      StartMorphOrRepaint();
    }
  }
  Invalidate();
  if (FGroupIndex != 0 && FDown && !FAllowAllUp) ReleaseGroup();
}

void TbsSkinButton::ReleaseGroup() {
  if (!FParent) return;
  for (int i = 0; i < FParent->ControlCount(); ++i) {
    auto* b = dynamic_cast<TbsSkinButton*>(FParent->Controls(i));
    if (b && b != this && b->FGroupIndex == FGroupIndex && b->FDown) b->SetDown(false);
  }
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
  if (!FActionLink) TbsSkinCustomControl::Click();
}

// ---- action -----------------------------------------------------------------------------
TBasicAction* TbsSkinButton::Action() const { return FActionLink ? FActionLink->Action() : nullptr; }

void TbsSkinButton::SetAction(TBasicAction* Value) {
  if (LinkSkinAction<TbsSkinButtonActionLink>(this, FActionLink, Value))
    ActionChange(Value, IsLoading() || Value->IsLoading());
}

void TbsSkinButton::ActionChange(TBasicAction* Sender, bool CheckDefaults) {
  if (TakeActionValues(this, Sender, CheckDefaults)) Invalidate();
}

void TbsSkinButton::Loaded() {
  TbsSkinCustomControl::Loaded();
  if (TBasicAction* a = Action()) ActionChange(a, true);
}

// ---- skin -------------------------------------------------------------------------------
bool TbsSkinButton::AcceptsRecord(const TbsDataSkinControl* Record) const {
  return Record->As<TbsDataSkinButtonControl>() && TbsSkinCustomControl::AcceptsRecord(Record);
}

void TbsSkinButton::ReadSkinRecord() {
  TbsSkinCustomControl::ReadSkinRecord();
  auto* r = Record<TbsDataSkinButtonControl>();
  if (!r) {
    FMorphing = false;
    return;
  }
  FSkinFontName = r->fontname;
  FSkinFontHeight = r->fontheight;
  FSkinFontStyle = r->fontstyle;
  FFontColor = r->fontcolor;
  FActiveFontColor = r->activefontcolor;
  FDownFontColor = r->downfontcolor;
  FDisabledFontColor = r->disabledfontcolor;
  FActiveSkinRect = IsNullRect(r->activeskinrect) ? r->skinrect : r->activeskinrect;
  FDownSkinRect = IsNullRect(r->downskinrect) ? FActiveSkinRect : r->downskinrect;
  FDisabledSkinRect = r->disabledskinrect;
  FMorphing = r->morphing;
  FMorphKind = r->morphkind;
}

void TbsSkinButton::ApplySkinChange() {
  StopMorph();
  FMorph.Factor = 0;
  TbsSkinCustomControl::ApplySkinChange();
  if (MorphingInUse() && (ButtonFocused() || FMouseIn)) FMorph.Factor = 1;
}

// ---- painting ---------------------------------------------------------------------------
void TbsSkinButton::DrawDefaultImage(TBitmap& B) {
  TCanvas* c = B.Canvas();
  const bool focused = ButtonFocused();
  const bool pressed = FDown && (FGroupIndex != 0 || FMouseIn || (focused && !FMousePressed));
  DrawDefaultFace(c, ClientRect(), pressed ? facePressed : FMouseIn || focused ? faceHot : faceNormal);
  c->Font()->Assign(&FDefaultFont);
  if (FSD && FSD->ResourceStrData()) c->Font()->SetCharset(FSD->ResourceStrData()->CharSet());
  if (!FEnabled) c->Font()->SetColor(clBtnShadow);
  DrawGlyphAndText(c, ClientRect(), FMargin, pressed, GlyphCell(FDown, FMouseIn, FEnabled, FNumGlyphs), FNumGlyphs,
                   FGlyph, FCaption, FLayout, FSpacing);
}

TColor TbsSkinButton::StateFontColor(bool active, bool down) const {
  if (!FEnabled) return FDisabledFontColor;
  if (active && down) return FDownFontColor;
  if (active) return FActiveFontColor;
  return FFontColor;
}

void TbsSkinButton::DrawButtonImage(TBitmap& B, const TRect& R, bool Active, bool IsDown) {
  DrawSkinRect(B, Picture(), R);
  TCanvas* c = B.Canvas();
  if (FUseSkinFont) {
    c->Font()->SetName(FSkinFontName);
    c->Font()->SetHeight(FSkinFontHeight);
    c->Font()->SetStyle(FSkinFontStyle);
  } else {
    c->Font()->Assign(&FDefaultFont);
  }
  c->Font()->SetCharset(FSD && FSD->ResourceStrData() ? FSD->ResourceStrData()->CharSet() : FDefaultFont.Charset());
  c->Font()->SetColor(StateFontColor(Active, IsDown));
  DrawGlyphAndText(c, FNew.Client, FMargin, Active && IsDown, GlyphCell(IsDown, Active, FEnabled, FNumGlyphs),
                   FNumGlyphs, FGlyph, FCaption, FLayout, FSpacing);
}

void TbsSkinButton::Paint() {
  ReadSkinRecord();
  if (FIndex == -1) {
    TbsSkinCustomControl::Paint();
    return;
  }
  if (Width() <= 0 || Height() <= 0) return;
  if (FMorphing && FMorph.Factor > 0 && FMorph.Factor < 1 && FEnabled) {
    TBitmap normal(Width(), Height()), hot(Width(), Height());
    DrawButtonImage(normal, FSkinRect, false, false);
    DrawButtonImage(hot, FActiveSkinRect, true, false);
    TbsEffectBmp a(normal), b(hot);
    a.MorphBy(static_cast<TbsMorphKind>(static_cast<int>(FMorphKind)), b, FMorph.Factor);
    a.DrawTo(Canvas(), 0, 0);
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
void TbsSkinButton::StartMorphOrRepaint() {
  if (!FMorph.Start(*this, MorphingInUse(), MorphTimerId, MorphInterval)) Invalidate();
}

void TbsSkinButton::StopMorph() { FMorph.Stop(*this, MorphTimerId); }

void TbsSkinButton::MorphTick() {
  if (FMorph.Tick(*this, MorphingInUse(), FMouseIn || ButtonFocused(), MorphTimerId)) Invalidate();
}

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
  TbsSkinCustomControl::CreateWnd();
  FActiveDefault = FDefault;
}

void TbsSkinButton::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_TIMER:
      if (m.WParam == RepeatTimerId) {
        if (FRepeating) ButtonClick();
        return;
      }
      if (m.WParam == MorphTimerId) {
        if (FMorph.Running) MorphTick();
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
  TbsSkinCustomControl::WndProc(m);
}

void TbsSkinButton::DialogKey(TMessage& m) {
  const int key = int(m.WParam);
  const TShiftState shift = KeyboardStateToShiftState();
  if ((key == VK_RETURN && FActiveDefault && FEnabled) ||
      (key == VK_ESCAPE && FCancel && FCanFocused && shift.Empty() && CanFocus())) {
    ButtonClick();
    m.Result = 1;
  }
}

void TbsSkinButton::DialogChar(TMessage& m) {
  if (!FCanFocused || !CanFocus() || !IsAccel(char32_t(m.WParam), FCaption)) return;
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
  TbsSkinCustomControl::MouseDown(Button, Shift, X, Y);
  if (alive.expired() || Button != mbLeft) return;
  FMousePressed = true;
  if (!FDown) {
    FMouseIn = true;
    SetDown(true);
    if (FRepeatMode && FGroupIndex == 0)
      StartRepeat();
    else if (FGroupIndex != 0)
      ButtonClick();
    if (alive.expired()) return;
    FSecondPress = false;
  } else if (FGroupIndex != 0) {
    FSecondPress = true;
  }
}

void TbsSkinButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  std::weak_ptr<bool> alive = FButtonAlive;
  // A click needs the press that began it: the release of a dropped press (the focus
  // could not be taken) leaves the button alone.
  if (Button == mbLeft && FMousePressed) {
    FMousePressed = false;
    if (FGroupIndex == 0) {
      StopRepeat();
      if (FMouseIn) {
        SetDown(false);
        ButtonClick();
      } else {
        FDown = false;
        Invalidate();
      }
    } else if (FDown && FAllowAllUp && FSecondPress && FMouseIn) {
      SetDown(false);
      ButtonClick();
    }
    if (alive.expired() || !HandleAllocated() || !Visible()) return;
  }
  TbsSkinCustomControl::MouseUp(Button, Shift, X, Y);
}

void TbsSkinButton::KeyDown(Word& Key, TShiftState Shift) {
  std::weak_ptr<bool> alive = FButtonAlive;
  TbsSkinCustomControl::KeyDown(Key, Shift);
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
  TbsSkinCustomControl::KeyUp(Key, Shift);
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
  if (FGroupIndex != 0 ? !FDown : (!ButtonFocused() || FDown)) {
    if (FDown) {
      if (MorphingInUse()) FMorph.Factor = 1;
      Invalidate();
    } else {
      StartMorphOrRepaint();
    }
  }
}

void TbsSkinButton::CMMouseEnter(TMessage& Message) {
  std::weak_ptr<bool> alive = FButtonAlive;
  TbsSkinCustomControl::CMMouseEnter(Message);
  if (alive.expired() || Designing()) return;
  FMouseIn = true;
  HoverRepaint();
  if (FDown && FRepeatMode && FGroupIndex == 0 && FMousePressed) StartRepeat();
}

void TbsSkinButton::CMMouseLeave(TMessage& Message) {
  std::weak_ptr<bool> alive = FButtonAlive;
  TbsSkinCustomControl::CMMouseLeave(Message);
  if (alive.expired() || Designing()) return;
  if (!(FCanFocused && FDefault && FActiveDefault && !Focused())) FMouseIn = false;
  HoverRepaint();
  if (FDown && FRepeatMode && FRepeating && FGroupIndex == 0) StopRepeat();
}

void TbsSkinButton::CMEnabledChanged(TMessage& Message) {
  StopMorph();
  if (FMorphing) FMorph.Factor = 0;
  FMouseIn = false;
  TbsSkinCustomControl::CMEnabledChanged(Message);
  Invalidate();
}

void TbsSkinButton::DoEnter() {
  if (FCanFocused) StartMorphOrRepaint();
  TbsSkinCustomControl::DoEnter();
}

void TbsSkinButton::DoExit() {
  StopRepeat();
  FSpaceDown = false;
  if (FGroupIndex == 0) FDown = false;
  StartMorphOrRepaint();
  TbsSkinCustomControl::DoExit();
}
