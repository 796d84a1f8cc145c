#include "skin/form/ActiveSkinObject.h"

#include <algorithm>

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "skin/data/SkinData.h"
#include "skin/draw/EffectBmp.h"
#include "skin/draw/SkinGeometry.h"
#include "skin/form/SkinForm.h"

TbsActiveSkinObject::TbsActiveSkinObject(TbsSkinForm* form, const TbsDataSkinObject* record) : FForm(form) {
  FSkinData = form ? form->SkinData() : nullptr;
  if (FSkinData && !FSkinData->SkinEmpty) FPicture = FSkinData->SkinPicture.get();
  if (!record) return;
  IDName = record->IDName;
  Hint = record->hint;
  SkinRect = record->skinrect;
  ActiveSkinRect = record->activeskinrect;
  InActiveSkinRect = record->inactiveskinrect;
  SkinRectInAPicture = record->skinrectinapicture;
  Morphing = record->morphing;
  MorphKind = record->morphkind;
  if (FSkinData && FSkinData->IsValidPictureIndex(record->activepictureindex)) {
    FActivePicture = FSkinData->PictureList[size_t(record->activepictureindex)].get();
  } else {
    // No picture to take them from: the object has no active or inactive image.
    ActiveSkinRect = NullRect;
    InActiveSkinRect = NullRect;
  }
  if (IsNullRect(ActiveSkinRect)) Morphing = false;
  ObjectRect = SkinRect;
}

bool TbsActiveSkinObject::FormActive() const { return FForm && FForm->FormActive(); }

bool TbsActiveSkinObject::MorphPending() const { return Morphing && MorphInProgress(); }

bool TbsActiveSkinObject::MorphStep() {
  if (!MorphPending()) return false;
  MorphKf = std::clamp(MorphKf + (Active ? 0.2 : -0.2), 0.0, 1.0);
  RedrawNow();
  return true;
}

void TbsActiveSkinObject::RedrawNow() {
  if (FForm) FForm->DrawObject(this);
}

void TbsActiveSkinObject::RedrawOrMorph() {
  if (Morphing && FForm) FForm->StartMorphTimer();
  else RedrawNow();
}

const TBitmap* TbsActiveSkinObject::NormalPicture() const {
  return SkinRectInAPicture ? FActivePicture : FPicture;
}

void TbsActiveSkinObject::DrawImage(TCanvas* canvas, const TBitmap* pic, const TRect& src) const {
  if (!canvas || !pic || pic->Empty() || IsNullRect(src) || IsNullRect(ObjectRect)) return;
  canvas->CopyRect(ObjectRect, pic, src);
}

void TbsActiveSkinObject::DrawMorph(TCanvas* canvas, const TBitmap* picA, const TRect& a, const TBitmap* picB,
                                    const TRect& b) const {
  const int w = RectWidth(ObjectRect), h = RectHeight(ObjectRect);
  if (!canvas || w <= 0 || h <= 0 || !picA || !picB) return;
  TBitmap ba(w, h), bb(w, h);
  ba.Canvas()->CopyRect(Rect(0, 0, w, h), picA, a);
  bb.Canvas()->CopyRect(Rect(0, 0, w, h), picB, b);
  TbsEffectBmp ea(ba), eb(bb);
  ea.MorphBy(TbsMorphKind(int(MorphKind)), eb, MorphKf);
  ea.DrawTo(canvas, ObjectRect.Left, ObjectRect.Top);
}

void TbsActiveSkinObject::DrawBase(TCanvas* canvas, bool direct) {
  if (!Enabled || FormActive() || IsNullRect(InActiveSkinRect)) {
    if (Morphing && MorphInProgress()) {
      DrawMorph(canvas, NormalPicture(), SkinRect, FActivePicture, ActiveSkinRect);
    } else if (!Active || IsNullRect(ActiveSkinRect)) {
      if (direct || SkinRectInAPicture) DrawImage(canvas, NormalPicture(), SkinRect);
    } else {
      DrawImage(canvas, FActivePicture, ActiveSkinRect);
    }
  } else {
    DrawImage(canvas, FActivePicture, InActiveSkinRect);
  }
}

void TbsActiveSkinObject::Draw(TCanvas* canvas, bool direct) { DrawBase(canvas, direct); }

void TbsActiveSkinObject::MouseDown(int X, int Y, TMouseButton Button) {
  if (FForm && FForm->OnMouseDownEvent) FForm->OnMouseDownEvent(IDName, X, Y, ObjectRect, Button);
}

void TbsActiveSkinObject::MouseUp(int X, int Y, TMouseButton Button) {
  if (MouseIn && FForm && FForm->OnMouseUpEvent) FForm->OnMouseUpEvent(IDName, X, Y, ObjectRect, Button);
}

void TbsActiveSkinObject::MouseMove(int X, int Y) {
  if (FForm && FForm->OnMouseMoveEvent) FForm->OnMouseMoveEvent(IDName, X, Y, ObjectRect);
}

void TbsActiveSkinObject::MouseEnter() {
  MouseIn = true;
  Active = true;
  if (!IsNullRect(ActiveSkinRect)) RedrawOrMorph();
  if (FForm && FForm->OnMouseEnterEvent) FForm->OnMouseEnterEvent(IDName);
}

void TbsActiveSkinObject::MouseLeave() {
  MouseIn = false;
  Active = false;
  if (!IsNullRect(ActiveSkinRect)) RedrawOrMorph();
  if (FForm && FForm->OnMouseLeaveEvent) FForm->OnMouseLeaveEvent(IDName);
}
