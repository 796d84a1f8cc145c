#include "skin/controls/SkinControlBase.h"

#include "framework/graphics/Canvas.h"
#include "skin/controls/GraphicSkinControl.h"
#include "skin/controls/SkinControl.h"
#include "skin/data/SkinData.h"
#include "skin/draw/DefaultLook.h"
#include "skin/draw/SkinImage.h"

// ---- binding and painting ---------------------------------------------------------------
template <class TBase>
TbsSkinControlOf<TBase>::TbsSkinControlOf(TComponent* AOwner) : TBase(AOwner), TbsSkinBinding(this, "") {
  // Every pixel is painted by the control: nothing behind it shows or needs erasing.
  this->FControlStyle.Include(csOpaque);
}

template <class TBase>
void TbsSkinControlOf<TBase>::SetSkinData(TbsSkinData* Value) {
  BindSkinData(Value);
  if (SkinLoaded() && !Designing()) ApplySkinChange();
}

template <class TBase>
void TbsSkinControlOf<TBase>::Notification(TComponent* AComponent, TOperation Operation) {
  TBase::Notification(AComponent, Operation);
  if (SkinDataRemoved(AComponent, Operation)) SkinDataFreed();
}

template <class TBase>
void TbsSkinControlOf<TBase>::DrawDefaultImage(TBitmap& B) {
  FillDefaultFace(B.Canvas(), this->ClientRect());
}

template <class TBase>
void TbsSkinControlOf<TBase>::Paint() {
  if (this->Width() <= 0 || this->Height() <= 0) return;
  ReadSkinRecord();
  TBitmap B(this->Width(), this->Height());
  if (FIndex == -1)
    DrawDefaultImage(B);
  else
    DrawSkinImage(B);
  if (TCanvas* c = this->Canvas()) c->Draw(0, 0, &B);
}

template <class TBase>
void TbsSkinControlOf<TBase>::ApplySkinChange() {
  ReadSkinRecord();
  this->Invalidate();
}

template <class TBase>
void TbsSkinControlOf<TBase>::BeginSkinChange() {
  FIndex = -1;
}

template <class TBase>
void TbsSkinControlOf<TBase>::CMMouseEnter(TMessage& Message) {
  if (Designing()) {
    this->FMouseInControl = true;
    return;
  }
  TBase::CMMouseEnter(Message);  // fires OnMouseEnter with this control
}

template <class TBase>
void TbsSkinControlOf<TBase>::CMMouseLeave(TMessage& Message) {
  if (Designing()) {
    this->FMouseInControl = false;
    return;
  }
  TBase::CMMouseLeave(Message);
}

// ---- default look and record geometry ---------------------------------------------------
template <class TBase>
TbsSkinCustomControlOf<TBase>::TbsSkinCustomControlOf(TComponent* AOwner) : TBase(AOwner) {
  FDefaultFont.SetName("Arial");
  FDefaultFont.SetHeight(14);
  FDefaultFont.SetStyle({});
  FDefaultFont.OnChange = [this](TObject*) {
    DefaultFontChanged();
    if (this->FIndex == -1) this->Invalidate();
  };
}

template <class TBase>
TbsSkinCustomControlOf<TBase>::~TbsSkinCustomControlOf() {
  FDefaultFont.OnChange = nullptr;
}

template <class TBase>
void TbsSkinCustomControlOf<TBase>::SetDefaultFont(const TFont* Value) {
  FDefaultFont.Assign(Value);
  DefaultFontChanged();
}

template <class TBase>
void TbsSkinCustomControlOf<TBase>::SetDefaultWidth(int Value) {
  FDefaultWidth = Value;
  if (this->FIndex == -1 && Value > 0) this->SetWidth(Value);
}

template <class TBase>
void TbsSkinCustomControlOf<TBase>::SetDefaultHeight(int Value) {
  FDefaultHeight = Value;
  if (this->FIndex == -1 && Value > 0) this->SetHeight(Value);
}

template <class TBase>
TBitmap* TbsSkinCustomControlOf<TBase>::Picture() const {
  return this->FIndex == -1 ? nullptr : this->SkinPicture(FPictureIndex);
}

template <class TBase>
TBitmap* TbsSkinCustomControlOf<TBase>::MaskPicture() const {
  TBitmap* mask = this->FIndex == -1 ? nullptr : this->SkinPicture(FMaskPictureIndex);
  return mask && !mask->Empty() ? mask : nullptr;
}

template <class TBase>
bool TbsSkinCustomControlOf<TBase>::AcceptsRecord(const TbsDataSkinControl* Record) const {
  auto* r = Record->As<TbsDataSkinCustomControl>();
  const TBitmap* picture = r ? this->SkinPicture(r->pictureindex) : nullptr;
  return r && !IsNullRect(r->skinrect) && picture && !picture->Empty();
}

template <class TBase>
void TbsSkinCustomControlOf<TBase>::ReadSkinRecord() {
  TBase::ReadSkinRecord();
  auto* r = this->template Record<TbsDataSkinCustomControl>();
  if (!r) {
    FPictureIndex = FMaskPictureIndex = -1;
    return;
  }
  FSkinRect = r->skinrect;
  FPoints = {r->lefttoppoint, r->righttoppoint, r->leftbottompoint, r->rightbottompoint, r->clientrect};
  FPictureIndex = r->pictureindex;
  FMaskPictureIndex = r->maskpictureindex;
  FResizeMode = SkinResizeMode(FSkinRect, FPoints);
  // Target geometry for the size the control has now, so that a paint after a skin
  // change that did not resize the control still draws with the new record's points.
  int W = this->Width(), H = this->Height();
  FNew = CalcTargetSkinPoints(FResizeMode, FSkinRect, FPoints, W, H);
}

template <class TBase>
void TbsSkinCustomControlOf<TBase>::CalcSkinSize(int& W, int& H) {
  if (FResizeMode == rmNone) return;
  if (FResizeMode == rmFixed && this->FIndex == -1) return;
  FNew = CalcTargetSkinPoints(FResizeMode, FSkinRect, FPoints, W, H);
}

template <class TBase>
void TbsSkinCustomControlOf<TBase>::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  ReadSkinRecord();
  const bool resize = this->FIndex != -1 && (AWidth != this->Width() || AHeight != this->Height());
  if (resize) {
    CalcSkinSize(AWidth, AHeight);
    if (FResizeMode == rmFixed) FNew.Client = FPoints.Client;
  }
  TBase::SetBounds(ALeft, ATop, AWidth, AHeight);
  if (resize) {
    UpdateSkinRegion();
    this->Invalidate();
  }
}

template <class TBase>
void TbsSkinCustomControlOf<TBase>::ApplySkinChange() {
  ReadSkinRecord();
  bool changed = false;
  if (this->FIndex == -1) {
    int W = FDefaultWidth > 0 ? FDefaultWidth : this->Width();
    int H = FDefaultHeight > 0 ? FDefaultHeight : this->Height();
    if (W != this->Width() || H != this->Height()) TBase::SetBounds(this->Left(), this->Top(), W, H);
  } else {
    int W = this->Width(), H = this->Height();
    CalcSkinSize(W, H);
    changed = W != this->Width() || H != this->Height();
    // Resizing reshapes and repaints the control.
    if (changed) SetBounds(this->Left(), this->Top(), W, H);
  }
  if (!changed || this->FIndex == -1) {
    UpdateSkinRegion();
    this->Invalidate();
  }
}

template <class TBase>
void TbsSkinCustomControlOf<TBase>::BeginSkinChange() {
  TBase::BeginSkinChange();
  FPictureIndex = FMaskPictureIndex = -1;
  // The default look is drawn until the next change, which may never come (a skin that
  // fails to load): it must not stay cut to the old skin's shape.
  UpdateSkinRegion();
}

template <class TBase>
void TbsSkinCustomControlOf<TBase>::DrawSkinImage(TBitmap& B) {
  DrawSkinRect(B, Picture(), FSkinRect);
}

template <class TBase>
void TbsSkinCustomControlOf<TBase>::DrawSkinRect(TBitmap& B, const TBitmap* APicture, const TRect& R) {
  if (!APicture) return;
  const int RW = RectWidth(R), RH = RectHeight(R);
  const TbsSkinPoints& s = FPoints;
  switch (FResizeMode) {
    case rmFixed:
      B.SetSize(RW, RH);
      B.Canvas()->CopyRect(Rect(0, 0, RW, RH), APicture, R);
      break;
    case rmBoth:
      BuildSkinImage(s.LeftTop, s.RightTop, s.LeftBottom, s.RightBottom, s.Client, FNew.LeftTop,
                     FNew.RightTop, FNew.LeftBottom, FNew.RightBottom, FNew.Client, *APicture, B, R,
                     this->Width(), this->Height(), true);
      break;
    case rmHorizontal:
      BuildHSkinImage(s.LeftTop.X, RW - s.RightTop.X, B, this->Width(), R, *APicture);
      break;
    case rmVertical:
      BuildVSkinImage(s.LeftTop.Y, RH - s.LeftBottom.Y, B, this->Height(), R, *APicture);
      break;
    default:
      break;
  }
}

template <class TBase>
void TbsSkinCustomControlOf<TBase>::UseRecordFont(TFont* Font, const TbsSkinFont& Skin) const {
  if (FUseSkinFont) {
    Font->SetName(Skin.Name);
    Font->SetHeight(Skin.Height);
    Font->SetStyle(Skin.Style);
  } else {
    Font->Assign(&FDefaultFont);
  }
  Font->SetCharset(this->SkinCharset(FDefaultFont.Charset()));
}

template <class TBase>
void TbsSkinCustomControlOf<TBase>::UseDefaultFont(TFont* Font) const {
  Font->Assign(&FDefaultFont);
  this->UseSkinCharset(Font);
  if (!this->FEnabled) Font->SetColor(clBtnShadow);
}

template class TbsSkinControlOf<TCustomControl>;
template class TbsSkinControlOf<TGraphicControl>;
template class TbsSkinCustomControlOf<TbsSkinControl>;
template class TbsSkinCustomControlOf<TbsGraphicSkinControl>;
