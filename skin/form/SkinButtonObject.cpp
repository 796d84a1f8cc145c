#include "skin/form/SkinButtonObject.h"

#include "framework/menus/PopupMenu.h"
#include "skin/data/SkinData.h"
#include "skin/draw/SkinGeometry.h"
#include "skin/form/SkinForm.h"

TbsSkinButtonObject::TbsSkinButtonObject(TbsSkinForm* form, const TbsDataSkinButton* record)
    : TbsActiveSkinObject(form, record) {
  if (!record) return;
  if (FActivePicture) {
    DownRect = record->downrect;
    DisabledRect = record->disableskinrsect;
  }
}

bool TbsSkinButtonObject::MorphPending() const {
  if (Down && MenuItem) return false;
  return TbsActiveSkinObject::MorphPending();
}

void TbsSkinButtonObject::DrawButton(TCanvas* canvas, bool direct) {
  if (!Enabled && !IsNullRect(DisabledRect)) {
    DrawImage(canvas, FActivePicture, DisabledRect);
  } else if (Enabled && Down && MouseIn && !IsNullRect(DownRect)) {
    DrawImage(canvas, FActivePicture, DownRect);
  } else {
    DrawBase(canvas, direct);
  }
}

void TbsSkinButtonObject::Draw(TCanvas* canvas, bool direct) { DrawButton(canvas, direct); }

void TbsSkinButtonObject::SetDown(bool v) {
  Down = v;
  if (Morphing && Active) MorphKf = 1;
  RedrawNow();
  if (Morphing && !Down) RedrawOrMorph();
}

void TbsSkinButtonObject::MouseEnter() {
  MouseIn = true;
  Active = true;
  if (!IsNullRect(DownRect) && Down) {
    if (Morphing) MorphKf = 1;
    RedrawNow();
  } else if (!IsNullRect(ActiveSkinRect)) {
    RedrawOrMorph();
  }
  if (FForm && FForm->OnMouseEnterEvent) FForm->OnMouseEnterEvent(IDName);
}

void TbsSkinButtonObject::MouseLeave() {
  MouseIn = false;
  Active = false;
  if (!(Down && MenuItem)) {
    RedrawNow();
    RedrawOrMorph();
  }
  if (FForm && FForm->OnMouseLeaveEvent) FForm->OnMouseLeaveEvent(IDName);
}

void TbsSkinButtonObject::MouseDown(int X, int Y, TMouseButton Button) {
  if (!Enabled) return;
  if (Button == mbLeft && !Down) {
    SetDown(true);
    PopupMenuItem();
  }
  TbsActiveSkinObject::MouseDown(X, Y, Button);
}

void TbsSkinButtonObject::MouseUp(int X, int Y, TMouseButton Button) {
  if (!Enabled) return;
  if (Button == mbLeft && Down && !MenuItem) SetDown(false);
  TbsActiveSkinObject::MouseUp(X, Y, Button);
}

void TbsSkinButtonObject::PopupMenuItem() {
  if (!MenuItem || MenuItem->Count() == 0 || !FForm) return;
  FForm->PopupMenuItem(MenuItem, FForm->ObjectScreenRect(this), PopupUp);
}
