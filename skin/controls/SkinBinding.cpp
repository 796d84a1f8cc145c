#include "skin/controls/SkinBinding.h"

#include "skin/data/ResourceStrData.h"
#include "skin/data/SkinData.h"

void TbsSkinBinding::BindSkinData(TbsSkinData* Value) {
  if (FSD && FSD != Value) FSD->RemoveFreeNotification(FSelf);
  FSD = Value;
  if (FSD) FSD->FreeNotification(FSelf);
}

bool TbsSkinBinding::SkinDataRemoved(TComponent* AComponent, TOperation Operation) {
  if (Operation != opRemove || AComponent != FSD) return false;
  FSD = nullptr;
  FIndex = -1;
  return true;
}

bool TbsSkinBinding::SkinLoaded() const { return FSD && !FSD->SkinEmpty; }

bool TbsSkinBinding::AcceptsRecord(const TbsDataSkinControl*) const { return true; }

void TbsSkinBinding::LookUpRecord() {
  FIndex = FindRecordIndex(FSkinDataName);
  if (FIndex != -1 && !AcceptsRecord(RecordAt(FIndex))) FIndex = -1;
}

const TbsDataSkinControl* TbsSkinBinding::RecordAt(int Index) const {
  return SkinLoaded() ? FSD->ControlRecord<TbsDataSkinControl>(Index) : nullptr;
}

int TbsSkinBinding::FindRecordIndex(const std::string& Name) const {
  return SkinLoaded() ? FSD->FindControlIndex(Name) : -1;
}

TBitmap* TbsSkinBinding::SkinPicture(int Index) const { return SkinLoaded() ? FSD->PictureAt(Index) : nullptr; }

TFontCharset TbsSkinBinding::SkinCharset(TFontCharset Fallback) const {
  return FSD && FSD->ResourceStrData() ? FSD->ResourceStrData()->CharSet() : Fallback;
}

void TbsSkinBinding::UseSkinCharset(TFont* Font) const {
  if (FSD && FSD->ResourceStrData()) Font->SetCharset(FSD->ResourceStrData()->CharSet());
}
