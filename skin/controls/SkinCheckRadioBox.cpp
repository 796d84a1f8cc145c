#include "skin/controls/SkinCheckRadioBox.h"

#include <algorithm>

#include "framework/actions/Action.h"
#include "framework/controls/ControlPaint.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/ImageList.h"
#include "framework/menus/Hotkeys.h"
#include "framework/messages/MessageViews.h"
#include "framework/windows/Windows.h"
#include "skin/controls/SkinCheckRadioBoxActionLink.h"
#include "skin/controls/SkinPictureParts.h"
#include "skin/data/SkinData.h"
#include "skin/draw/DefaultLook.h"
#include "skin/draw/SkinGlyphs.h"
#include "skin/draw/SkinText.h"
#include "skin/draw/WindowHelpers.h"

TbsSkinCheckRadioBox::TbsSkinCheckRadioBox(TComponent* AOwner) : TbsSkinButtonBehaviour(AOwner) {
  // OnClick comes from Checked changes, not from the framework's click.
  FControlStyle.Exclude(csClickEvents);
  FWidth = 150;
  FHeight = 25;
  FSkinDataName = "checkbox";
  FTabStop = false;
}

TbsSkinCheckRadioBox::~TbsSkinCheckRadioBox() {
  if (FImages) FImages->RemoveFreeNotification(this);
  ReleaseBehaviour();
}

// ---- properties -------------------------------------------------------------------------
void TbsSkinCheckRadioBox::SetChecked(bool Value) {
  std::weak_ptr<bool> alive = FButtonAlive;
  FChecked = Value;
  Invalidate();
  if (FChecked && FGroupIndex != 0 && FParent) {
    for (int i = 0; i < FParent->ControlCount(); ++i) {
      auto* b = dynamic_cast<TbsSkinCheckRadioBox*>(FParent->Controls(i));
      if (b && b != this && b->FGroupIndex == FGroupIndex && b->FChecked) b->SetChecked(false);
      if (alive.expired()) return;
    }
  }
  if ((FRadio && !FChecked) || FClicksDisabled) return;
  // The box's own handler wins over a linked action, as on a button.
  if (OnClick) {
    TNotifyEvent handler = OnClick;  // the handler may free the box
    handler(this);
  } else if (FActionLink && !Designing()) {
    FActionLink->Execute(this);
  }
}

void TbsSkinCheckRadioBox::SetCheckedByAction(bool Value) {
  std::weak_ptr<bool> alive = FButtonAlive;
  FClicksDisabled = true;
  SetChecked(Value);
  if (!alive.expired()) FClicksDisabled = false;
}

// ---- action -----------------------------------------------------------------------------
void TbsSkinCheckRadioBox::SetAction(TBasicAction* Value) {
  if (LinkSkinAction<TbsSkinCheckRadioBoxActionLink>(this, FActionLink, Value))
    ActionChange(Value, IsLoading() || Value->IsLoading());
}

void TbsSkinCheckRadioBox::ActionChange(TBasicAction* Sender, bool CheckDefaults) {
  TAction* a = TakeActionValues(this, Sender, CheckDefaults);
  if (!a) return;
  // A box checked by its stored layout stays checked.
  if (!CheckDefaults || !FChecked) SetCheckedByAction(a->Checked());
}

void TbsSkinCheckRadioBox::SetRadio(bool Value) {
  FRadio = Value;
  if (Designing() && !IsLoading()) {
    FSkinDataName = Value ? "radiobox" : "checkbox";
    FGroupIndex = Value ? 1 : 0;
  }
  Invalidate();
}

void TbsSkinCheckRadioBox::SetFlat(bool Value) {
  FFlat = Value;
  Invalidate();
}

void TbsSkinCheckRadioBox::SetCanFocused(bool Value) {
  FCanFocused = Value;
  SetTabStop(Value);
}

void TbsSkinCheckRadioBox::SetImages(TImageList* Value) {
  if (FImages) FImages->RemoveFreeNotification(this);
  FImages = Value;
  if (FImages) FImages->FreeNotification(this);
  Invalidate();
}

void TbsSkinCheckRadioBox::SetImageIndex(int Value) {
  FImageIndex = Value;
  Invalidate();
}

void TbsSkinCheckRadioBox::Notification(TComponent* AComponent, TOperation Operation) {
  TbsSkinButtonBehaviour::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FImages) FImages = nullptr;
}

void TbsSkinCheckRadioBox::Toggle() {
  if (!FRadio)
    SetChecked(!FChecked);
  else if (!FChecked)
    SetChecked(true);
}

// ---- skin -------------------------------------------------------------------------------
void TbsSkinCheckRadioBox::ReadRecordValues(const TbsDataSkinCheckRadioControl& r) {
  FUnEnabledFontColor = r.unenabledfontcolor;
  FFrameFontColor = r.framefontcolor;
  FCheckImageArea = r.checkimagearea;
  FTextAreaRec = r.textarea;
  FCheckRect = r.checkimagerect;
  FUncheckRect = r.uncheckimagerect;
  FActiveCheckRect = IsNullRect(r.activecheckimagerect) ? FCheckRect : r.activecheckimagerect;
  FActiveUncheckRect = IsNullRect(r.activeuncheckimagerect) ? FUncheckRect : r.activeuncheckimagerect;
  FUnEnabledCheckRect = IsNullRect(r.unenabledcheckimagerect) ? FCheckRect : r.unenabledcheckimagerect;
  FUnEnabledUncheckRect = IsNullRect(r.unenableduncheckimagerect) ? FUncheckRect : r.unenableduncheckimagerect;
  // A flat box has no shape of its own: it shows its parent around its marks.
  if (FFlat) FMaskPictureIndex = -1;
  UpdateAreas(Width());
}

void TbsSkinCheckRadioBox::UpdateAreas(int W) {
  const int dx = W - RectWidth(FSkinRect);
  FTextArea = FTextAreaRec;
  FTextArea.Right += dx;
  TRect area = FCheckImageArea;
  // An image to the right of the text moves with the right side.
  if (FTextAreaRec.Right < FCheckImageArea.Right) OffsetRect(area, dx, 0);
  const int iw = RectWidth(FCheckRect), ih = RectHeight(FCheckRect);
  const int l = area.Left + RectWidth(area) / 2 - iw / 2, t = area.Top + RectHeight(area) / 2 - ih / 2;
  FCheckImageBox = Rect(l, t, l + iw, t + ih);
}

void TbsSkinCheckRadioBox::CalcSkinSize(int& W, int& H) {
  // A flat box takes any size: it draws no skin image of its own.
  if (FFlat) return;
  TbsSkinButtonBehaviour::CalcSkinSize(W, H);
  if (FIndex != -1) UpdateAreas(W);
}

void TbsSkinCheckRadioBox::ApplyRecordChange() {
  if (FFlat) {
    ReadSkinRecord();
    UpdateSkinRegion();
    Invalidate();
  } else {
    TbsSkinButtonBehaviour::ApplyRecordChange();
  }
}

const TRect& TbsSkinCheckRadioBox::CheckImageRect() const {
  if (!FEnabled) return FChecked ? FUnEnabledCheckRect : FUnEnabledUncheckRect;
  if (FChecked) return FMouseIn ? FActiveCheckRect : FCheckRect;
  return FMouseIn ? FActiveUncheckRect : FUncheckRect;
}

void TbsSkinCheckRadioBox::BeginSkinChange() {
  TbsSkinButtonBehaviour::BeginSkinChange();
  Invalidate();
}

// ---- painting ---------------------------------------------------------------------------
void TbsSkinCheckRadioBox::DrawDefaultBox(TCanvas* C, int Middle) const {
  TRect box = Rect(3, Middle - 7, 17, Middle + 7);
  const TColor frame = FMouseIn ? DefaultNavy : clBtnShadow;
  Frame3D(C, box, frame, frame, 1);
}

void TbsSkinCheckRadioBox::DrawDefaultMark(TCanvas* C, int Middle) const {
  if (!FChecked) return;
  const TColor mark = FEnabled ? clBlack : clBtnShadow;
  if (FRadio)
    DrawRadioDot(C, 7, Middle - 3, mark);
  else
    DrawCheckMark(C, 7, Middle - 4, mark);
}

void TbsSkinCheckRadioBox::DrawFlat(TBitmap& B) {
  TCanvas* c = B.Canvas();
  const int W = Width(), H = Height(), h2 = H / 2;
  CopyParentBackground(this, c);
  TBitmap* pic = FIndex != -1 ? Picture() : nullptr;
  if (pic) {
    UseRecordFont(c->Font(), FSkinFont);
    c->Font()->SetColor(FEnabled ? FFrameFontColor : FUnEnabledFontColor);
  } else {
    UseDefaultFont(c->Font());
  }
  c->Brush()->Style = TBrushStyle::bsClear;
  TRect tr = Rect(0, 0, 0, 0);
  c->DrawText(FCaption, tr, DT_CALCRECT | DT_SINGLELINE);
  OffsetRect(tr, pic ? RectWidth(FCheckRect) + 7 : 22, h2 - RectHeight(tr) / 2);
  tr.Right = std::min(tr.Right, W - 2);
  TRect imageRect;
  const bool image = FImages && FImageIndex >= 0 && FImageIndex < FImages->Count();
  if (image) {
    const int y = h2 - FImages->Height() / 2;
    imageRect = Rect(tr.Left, y, tr.Left + FImages->Width(), y + FImages->Height());
    FImages->Draw(c, tr.Left, y, FImageIndex, FEnabled);
    OffsetRect(tr, FImages->Width() + 5, 0);
  }
  DrawTextVCentered(c, FCaption, tr);
  if (pic) {
    const TRect& img = CheckImageRect();
    DrawPicturePartTransparent(c, *pic, img, 3, h2 - RectHeight(FCheckRect) / 2);
  } else {
    DrawDefaultBox(c, h2);
    c->Pen()->Color = clBlack;
    DrawDefaultMark(c, h2);
  }
  InflateRect(tr, 2, 1);
  tr.Right += 1;
  c->Brush()->Style = TBrushStyle::bsSolid;
  c->Brush()->Color = clBtnFace;
  if (BoxFocused()) {
    if (!FCaption.empty()) {
      DrawFocusRect(c, tr);
    } else if (image) {
      InflateRect(imageRect, 1, 1);
      DrawFocusRect(c, imageRect);
    }
  }
}

void TbsSkinCheckRadioBox::DrawDefaultImage(TBitmap& B) {
  if (FFlat) {
    DrawFlat(B);
    return;
  }
  TbsSkinButtonBehaviour::DrawDefaultImage(B);
  TCanvas* c = B.Canvas();
  const int W = Width(), H = Height(), h2 = H / 2;
  if (BoxFocused() || FMouseIn) {
    TRect r = Rect(0, 0, W, H);
    Frame3D(c, r, clBtnShadow, clBtnShadow, 1);
  }
  UseDefaultFont(c->Font());
  c->Pen()->Color = clBlack;
  c->Brush()->Style = TBrushStyle::bsClear;
  DrawTextVCentered(c, FCaption, Rect(19, 0, W, H));
  DrawDefaultBox(c, h2);
  DrawDefaultMark(c, h2);
}

void TbsSkinCheckRadioBox::DrawStateImage(TBitmap& B, const TRect& R, bool Active) {
  TBitmap* pic = Picture();
  DrawSkinRect(B, pic, R);
  if (!pic) return;
  TCanvas* c = B.Canvas();
  DrawPicturePartTransparent(c, *pic, CheckImageRect(), FCheckImageBox.Left, FCheckImageBox.Top);
  UseRecordFont(c->Font(), FSkinFont);
  c->Font()->SetColor(!FEnabled ? FUnEnabledFontColor : Active ? FActiveFontColor : FFontColor);
  c->Brush()->Style = TBrushStyle::bsClear;
  DrawTextVCentered(c, FCaption, FTextArea);
}

void TbsSkinCheckRadioBox::Paint() {
  ReadSkinRecord();
  if (FIndex == -1 || FFlat) {
    // The default painter draws the flat look, with or without the record.
    if (Width() <= 0 || Height() <= 0) return;
    TBitmap B(Width(), Height());
    if (FFlat)
      DrawFlat(B);
    else
      DrawDefaultImage(B);
    Canvas()->Draw(0, 0, &B);
    return;
  }
  if (Width() <= 0 || Height() <= 0) return;
  if (Fading()) {
    DrawMorph(Canvas());
    return;
  }
  TBitmap B(Width(), Height());
  if (FMouseIn || BoxFocused())
    DrawStateImage(B, FActiveSkinRect, true);
  else
    DrawStateImage(B, FSkinRect, false);
  Canvas()->Draw(0, 0, &B);
}

// ---- messages ---------------------------------------------------------------------------
void TbsSkinCheckRadioBox::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      if (FCanFocused && !Focused()) {
        if (!CanFocus()) return;
        std::weak_ptr<bool> alive = FButtonAlive;
        FFocusGrab = true;
        SetFocus();
        if (alive.expired()) return;
        FFocusGrab = false;
        if (!Focused()) return;
      }
      break;
    case WM_COMMAND:
      if (FFocusGrab) return;
      break;
    case CM_DIALOGCHAR:
      if (DialogChar(char32_t(TKeyMessage(m).CharCode))) {
        m.Result = 1;
        return;
      }
      break;
  }
  TbsSkinButtonBehaviour::WndProc(m);
}

bool TbsSkinCheckRadioBox::DialogChar(char32_t Ch) {
  if (!FCanFocused || !CanFocus() || !IsAccel(Ch, FCaption)) return false;
  std::weak_ptr<bool> alive = FButtonAlive;
  SetFocus();
  if (alive.expired()) return true;
  Toggle();
  return true;
}

void TbsSkinCheckRadioBox::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (Button == mbLeft) FMousePressed = true;
  if (!FMouseIn) {
    FMouseIn = true;
    StartMorphOrRepaint();
  }
  TbsSkinButtonBehaviour::MouseDown(Button, Shift, X, Y);
}

void TbsSkinCheckRadioBox::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  std::weak_ptr<bool> alive = FButtonAlive;
  // Only the release of a press the box took toggles it: not one whose press was
  // dropped (the focus could not be taken).
  const bool pressed = Button == mbLeft && FMousePressed;
  if (Button == mbLeft) FMousePressed = false;
  TbsSkinButtonBehaviour::MouseUp(Button, Shift, X, Y);
  if (alive.expired()) return;
  // A release after the pointer left the box (MouseIn cleared) toggles nothing.
  if (pressed && FMouseIn) Toggle();
}

void TbsSkinCheckRadioBox::KeyDown(Word& Key, TShiftState Shift) {
  std::weak_ptr<bool> alive = FButtonAlive;
  TbsSkinButtonBehaviour::KeyDown(Key, Shift);
  if (alive.expired()) return;
  if (Key == VK_SPACE && BoxFocused()) FSpaceDown = true;
}

void TbsSkinCheckRadioBox::KeyUp(Word& Key, TShiftState Shift) {
  std::weak_ptr<bool> alive = FButtonAlive;
  TbsSkinButtonBehaviour::KeyUp(Key, Shift);
  if (alive.expired()) return;
  // As for a button: only a release whose press the box saw toggles it.
  if (Key == VK_SPACE && FSpaceDown && BoxFocused()) {
    Key = 0;
    FSpaceDown = false;
    Toggle();
  }
}

void TbsSkinCheckRadioBox::CMMouseEnter(TMessage& Message) {
  if (!PassMouseCrossing(Message, true)) return;
  FMouseIn = true;
  StartMorphOrRepaint();
}

void TbsSkinCheckRadioBox::CMMouseLeave(TMessage& Message) {
  if (!PassMouseCrossing(Message, false)) return;
  FMouseIn = false;
  StartMorphOrRepaint();
}

void TbsSkinCheckRadioBox::CMTextChanged(TMessage& Message) {
  TbsSkinButtonBehaviour::CMTextChanged(Message);
  Invalidate();
}

void TbsSkinCheckRadioBox::BoundsChanged(bool moved, bool sized) {
  TbsSkinButtonBehaviour::BoundsChanged(moved, sized);
  // The parent's image under a flat box changed with its place.
  if (moved && FFlat) Invalidate();
}

void TbsSkinCheckRadioBox::FocusChanged() {
  if (!FCanFocused) return;
  if (FFlat)
    Invalidate();
  else
    StartMorphOrRepaint();
}

void TbsSkinCheckRadioBox::DoEnter() {
  FocusChanged();
  TbsSkinButtonBehaviour::DoEnter();
}

void TbsSkinCheckRadioBox::DoExit() {
  FSpaceDown = false;
  FocusChanged();
  TbsSkinButtonBehaviour::DoExit();
}
