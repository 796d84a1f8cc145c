#include "skin/controls/GraphicSkinControl.h"

#include "framework/graphics/Canvas.h"
#include "skin/data/SkinData.h"

TbsGraphicSkinControl::TbsGraphicSkinControl(TComponent* AOwner) : TGraphicControl(AOwner) {
  FControlStyle.Include(csOpaque);
}

TbsGraphicSkinControl::~TbsGraphicSkinControl() = default;

void TbsGraphicSkinControl::SetSkinData(TbsSkinData* Value) {
  if (FSD && FSD != Value) FSD->RemoveFreeNotification(this);
  FSD = Value;
  if (FSD) FSD->FreeNotification(this);
  if (FSD && !FSD->SkinEmpty && !Designing()) ApplySkinChange();
}

void TbsGraphicSkinControl::Notification(TComponent* AComponent, TOperation Operation) {
  TGraphicControl::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FSD) {
    FSD = nullptr;
    FIndex = -1;
  }
}

bool TbsGraphicSkinControl::AcceptsRecord(const TbsDataSkinControl*) const { return true; }

void TbsGraphicSkinControl::ReadSkinRecord() {
  if (!FSD || FSD->SkinEmpty) {
    FIndex = -1;
    return;
  }
  FIndex = FSD->FindControlIndex(FSkinDataName);
  if (FIndex != -1 && !AcceptsRecord(FSD->ControlRecords[size_t(FIndex)].get())) FIndex = -1;
}

TbsDataSkinControl* TbsGraphicSkinControl::SkinRecord() const {
  if (!FSD || FSD->SkinEmpty || FIndex < 0 || size_t(FIndex) >= FSD->ControlRecords.size()) return nullptr;
  return FSD->ControlRecords[size_t(FIndex)].get();
}

void TbsGraphicSkinControl::DrawDefaultImage(TBitmap& B) {
  TCanvas* c = B.Canvas();
  c->Brush()->Style = TBrushStyle::bsSolid;
  c->Brush()->Color = clBtnFace;
  c->FillRect(ClientRect());
}

void TbsGraphicSkinControl::DrawSkinImage(TBitmap& B) { DrawDefaultImage(B); }

void TbsGraphicSkinControl::Paint() {
  if (Width() <= 0 || Height() <= 0) return;
  ReadSkinRecord();
  TBitmap B(Width(), Height());
  if (FIndex == -1)
    DrawDefaultImage(B);
  else
    DrawSkinImage(B);
  if (TCanvas* c = Canvas()) c->Draw(0, 0, &B);
}

void TbsGraphicSkinControl::ApplySkinChange() {
  ReadSkinRecord();
  Invalidate();
}

void TbsGraphicSkinControl::BeginSkinChange() { FIndex = -1; }

void TbsGraphicSkinControl::CMMouseEnter(TMessage& Message) {
  if (Designing()) {
    FMouseInControl = true;
    return;
  }
  TGraphicControl::CMMouseEnter(Message);
}

void TbsGraphicSkinControl::CMMouseLeave(TMessage& Message) {
  if (Designing()) {
    FMouseInControl = false;
    return;
  }
  TGraphicControl::CMMouseLeave(Message);
}
