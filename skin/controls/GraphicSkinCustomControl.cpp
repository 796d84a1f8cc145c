#include "skin/controls/GraphicSkinCustomControl.h"

#include "framework/graphics/Canvas.h"
#include "skin/data/SkinData.h"
#include "skin/draw/SkinImage.h"

TbsGraphicSkinCustomControl::TbsGraphicSkinCustomControl(TComponent* AOwner) : TbsGraphicSkinControl(AOwner) {
  FDefaultFont.SetName("Arial");
  FDefaultFont.SetHeight(14);
  FDefaultFont.SetStyle({});
  FDefaultFont.OnChange = [this](TObject*) {
    DefaultFontChanged();
    if (FIndex == -1) Invalidate();
  };
}

TbsGraphicSkinCustomControl::~TbsGraphicSkinCustomControl() { FDefaultFont.OnChange = nullptr; }

void TbsGraphicSkinCustomControl::SetDefaultFont(const TFont* Value) {
  FDefaultFont.Assign(Value);
  DefaultFontChanged();
}

void TbsGraphicSkinCustomControl::DefaultFontChanged() {}

void TbsGraphicSkinCustomControl::SetDefaultWidth(int Value) {
  FDefaultWidth = Value;
  if (FIndex == -1 && Value > 0) SetWidth(Value);
}

void TbsGraphicSkinCustomControl::SetDefaultHeight(int Value) {
  FDefaultHeight = Value;
  if (FIndex == -1 && Value > 0) SetHeight(Value);
}

TBitmap* TbsGraphicSkinCustomControl::Picture() const {
  if (FIndex == -1 || !FSD || FSD->SkinEmpty || !FSD->IsValidPictureIndex(FPictureIndex)) return nullptr;
  return FSD->PictureList[size_t(FPictureIndex)].get();
}

bool TbsGraphicSkinCustomControl::AcceptsRecord(const TbsDataSkinControl* Record) const {
  // A record without an image to copy from draws the default look instead.
  auto* r = dynamic_cast<const TbsDataSkinCustomControl*>(Record);
  return r && !IsNullRect(r->skinrect) && FSD->IsValidPictureIndex(r->pictureindex) &&
         !FSD->PictureList[size_t(r->pictureindex)]->Empty();
}

void TbsGraphicSkinCustomControl::ReadSkinRecord() {
  TbsGraphicSkinControl::ReadSkinRecord();
  auto* r = dynamic_cast<const TbsDataSkinCustomControl*>(SkinRecord());
  if (!r) {
    FPictureIndex = -1;
    return;
  }
  FSkinRect = r->skinrect;
  FPoints = {r->lefttoppoint, r->righttoppoint, r->leftbottompoint, r->rightbottompoint, r->clientrect};
  FPictureIndex = r->pictureindex;
  FResizeMode = SkinResizeMode(FSkinRect, FPoints);
  int W = Width(), H = Height();
  FNew = CalcTargetSkinPoints(FResizeMode, FSkinRect, FPoints, W, H);
}

void TbsGraphicSkinCustomControl::CalcSkinSize(int& W, int& H) {
  if (FResizeMode == rmNone) return;
  if (FResizeMode == rmFixed && FIndex == -1) return;
  FNew = CalcTargetSkinPoints(FResizeMode, FSkinRect, FPoints, W, H);
}

void TbsGraphicSkinCustomControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  ReadSkinRecord();
  const bool resize = FIndex != -1 && (AWidth != Width() || AHeight != Height());
  if (resize) {
    CalcSkinSize(AWidth, AHeight);
    if (FResizeMode == rmFixed) FNew.Client = FPoints.Client;
  }
  TbsGraphicSkinControl::SetBounds(ALeft, ATop, AWidth, AHeight);
  if (resize) Invalidate();
}

void TbsGraphicSkinCustomControl::ApplySkinChange() {
  ReadSkinRecord();
  if (FIndex == -1) {
    int W = FDefaultWidth > 0 ? FDefaultWidth : Width();
    int H = FDefaultHeight > 0 ? FDefaultHeight : Height();
    if (W != Width() || H != Height()) TbsGraphicSkinControl::SetBounds(Left(), Top(), W, H);
  } else {
    int W = Width(), H = Height();
    CalcSkinSize(W, H);
    if (W != Width() || H != Height()) SetBounds(Left(), Top(), W, H);
  }
  Invalidate();
}

void TbsGraphicSkinCustomControl::BeginSkinChange() {
  TbsGraphicSkinControl::BeginSkinChange();
  FPictureIndex = -1;
}

void TbsGraphicSkinCustomControl::DrawSkinImage(TBitmap& B) { DrawSkinRect(B, Picture(), FSkinRect); }

void TbsGraphicSkinCustomControl::DrawSkinRect(TBitmap& B, const TBitmap* APicture, const TRect& R) {
  if (!APicture) return;
  const int RW = RectWidth(R), RH = RectHeight(R);
  const TbsSkinPoints& s = FPoints;
  switch (FResizeMode) {
    case rmFixed:
      B.SetSize(RW, RH);
      B.Canvas()->CopyRect(Rect(0, 0, RW, RH), APicture, R);
      break;
    case rmBoth:
      BuildSkinImage(s.LeftTop, s.RightTop, s.LeftBottom, s.RightBottom, s.Client, FNew.LeftTop, FNew.RightTop,
                     FNew.LeftBottom, FNew.RightBottom, FNew.Client, *APicture, B, R, Width(), Height(), true);
      break;
    case rmHorizontal:
      BuildHSkinImage(s.LeftTop.X, RW - s.RightTop.X, B, Width(), R, *APicture);
      break;
    case rmVertical:
      BuildVSkinImage(s.LeftTop.Y, RH - s.LeftBottom.Y, B, Height(), R, *APicture);
      break;
    default:
      break;
  }
}
