#include "skin/form/SkinAnimateObject.h"

#include <algorithm>

#include "skin/data/SkinData.h"
#include "skin/draw/SkinGeometry.h"
#include "skin/form/SkinForm.h"

TbsSkinAnimateObject::TbsSkinAnimateObject(TbsSkinForm* form, const TbsDataSkinAnimate* record)
    : TbsActiveSkinObject(form, record) {
  Morphing = false;
  if (!record) return;
  CountFrames = std::max(1, record->countframes);
  Cycle = record->cycle;
  ButtonStyle = record->buttonstyle;
  TimerInterval = std::max(TimerStep, record->timerinterval);
  Command = record->command;
}

TRect TbsSkinAnimateObject::FrameRect(int frame) const {
  const int w = RectWidth(SkinRect), h = RectHeight(SkinRect);
  const int left = ActiveSkinRect.Left + (frame - 1) * w;
  return Rect(left, ActiveSkinRect.Top, left + w, ActiveSkinRect.Top + h);
}

void TbsSkinAnimateObject::Draw(TCanvas* canvas, bool) {
  if (IsNullRect(ActiveSkinRect)) return;
  DrawImage(canvas, FActivePicture, FrameRect(CurrentFrame));
}

void TbsSkinAnimateObject::MouseEnter() {
  MouseIn = true;
  if (ButtonStyle) {
    Active = true;
    Forward = true;
    if (FForm) FForm->StartAnimationTimer();
  }
  if (FForm && FForm->OnMouseEnterEvent) FForm->OnMouseEnterEvent(IDName);
}

void TbsSkinAnimateObject::MouseLeave() {
  if (ButtonStyle && MouseIn) {
    Active = true;
    Forward = false;
    if (FForm) FForm->StartAnimationTimer();
  }
  MouseIn = false;
  if (FForm && FForm->OnMouseLeaveEvent) FForm->OnMouseLeaveEvent(IDName);
}

void TbsSkinAnimateObject::Step() {
  if (!Active) return;
  if (ElapsedTime < TimerInterval) {
    ElapsedTime += TimerStep;
    return;
  }
  if (Forward) CurrentFrame = CurrentFrame >= CountFrames ? 1 : CurrentFrame + 1;
  else CurrentFrame = CurrentFrame <= 1 ? CountFrames : CurrentFrame - 1;
  ElapsedTime = TimerStep;
  if ((Forward && !Cycle && CurrentFrame == CountFrames) || (!Forward && CurrentFrame == 1)) Active = false;
  RedrawNow();
}

void TbsSkinAnimateObject::MouseUp(int X, int Y, TMouseButton Button) {
  const bool run = ButtonStyle && Button == mbLeft && MouseIn;
  TbsActiveSkinObject::MouseUp(X, Y, Button);
  if (run && FForm) FForm->ObjectCommand(Command, this);
}

void TbsSkinAnimateObject::DblClick() {
  if (Command == cmSysMenu && FForm) FForm->CloseForm();
}
