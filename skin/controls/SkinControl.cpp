#include "skin/controls/SkinControl.h"

#include "framework/graphics/Canvas.h"
#include "framework/graphics/Region.h"
#include "framework/windows/Forms.h"
#include "framework/windows/Windows.h"
#include "skin/controls/SkinChangeClient.h"
#include "skin/data/SkinData.h"
#include "skin/draw/SkinImage.h"
#include "skin/draw/SkinRegion.h"

// ---------------------------------------------------------------------------------------
TbsSkinControl::TbsSkinControl(TComponent* AOwner) : TCustomControl(AOwner) {
  // Every pixel is painted by the control: nothing behind it shows or needs erasing.
  FControlStyle.Include(csOpaque);
}

TbsSkinControl::~TbsSkinControl() = default;

void TbsSkinControl::SetSkinData(TbsSkinData* Value) {
  if (FSD && FSD != Value) FSD->RemoveFreeNotification(this);
  FSD = Value;
  if (FSD) FSD->FreeNotification(this);
  if (FSD && !FSD->SkinEmpty && !Designing()) ApplySkinChange();
}

void TbsSkinControl::SetSkinDataName(const std::string& Value) { FSkinDataName = Value; }

void TbsSkinControl::Notification(TComponent* AComponent, TOperation Operation) {
  TCustomControl::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FSD) {
    FSD = nullptr;
    FIndex = -1;
    // Freed under a living control: as a change to no skin, so that nothing of the old
    // skin (its shape, its sizes) stays. A control on its way out needs none of that.
    const TComponent* owner = Owner();
    const TComponent* form = GetParentForm(this);
    if (!IsDestroying() && !(owner && owner->IsDestroying()) && !(form && form->IsDestroying()) && !Designing()) {
      BeginSkinChange();
      ApplySkinChange();
    }
  }
}

bool TbsSkinControl::AcceptsRecord(const TbsDataSkinControl*) const { return true; }

void TbsSkinControl::ReadSkinRecord() {
  if (!FSD || FSD->SkinEmpty) {
    FIndex = -1;
    return;
  }
  FIndex = FSD->FindControlIndex(FSkinDataName);
  if (FIndex != -1 && !AcceptsRecord(FSD->ControlRecords[size_t(FIndex)].get())) FIndex = -1;
}

TbsDataSkinControl* TbsSkinControl::SkinRecord() const {
  if (!FSD || FSD->SkinEmpty || FIndex < 0 || size_t(FIndex) >= FSD->ControlRecords.size()) return nullptr;
  return FSD->ControlRecords[size_t(FIndex)].get();
}

void TbsSkinControl::DrawDefaultImage(TBitmap& B) {
  TCanvas* c = B.Canvas();
  c->Brush()->Style = TBrushStyle::bsSolid;
  c->Brush()->Color = clBtnFace;
  c->FillRect(ClientRect());
}

void TbsSkinControl::DrawSkinImage(TBitmap& B) { DrawDefaultImage(B); }

void TbsSkinControl::Paint() {
  if (Width() <= 0 || Height() <= 0) return;
  ReadSkinRecord();
  TBitmap B(Width(), Height());
  if (FIndex == -1)
    DrawDefaultImage(B);
  else
    DrawSkinImage(B);
  Canvas()->Draw(0, 0, &B);
}

void TbsSkinControl::ApplySkinChange() {
  ReadSkinRecord();
  Invalidate();
}

void TbsSkinControl::BeginSkinChange() { FIndex = -1; }

void TbsSkinControl::WndProc(TMessage& Message) {
  if (Message.Msg == WM_ERASEBKGND) {
    Message.Result = 1;
    return;
  }
  TCustomControl::WndProc(Message);
}

void TbsSkinControl::CMMouseEnter(TMessage& Message) {
  if (Designing()) {
    FMouseInControl = true;
    return;
  }
  TCustomControl::CMMouseEnter(Message);  // fires OnMouseEnter with this control
}

void TbsSkinControl::CMMouseLeave(TMessage& Message) {
  if (Designing()) {
    FMouseInControl = false;
    return;
  }
  TCustomControl::CMMouseLeave(Message);
}

// ---------------------------------------------------------------------------------------
TbsSkinCustomControl::TbsSkinCustomControl(TComponent* AOwner) : TbsSkinControl(AOwner) {
  FDefaultFont.SetName("Arial");
  FDefaultFont.SetHeight(14);
  FDefaultFont.SetStyle({});
  FDefaultFont.OnChange = [this](TObject*) {
    DefaultFontChanged();
    if (FIndex == -1) Invalidate();
  };
}

TbsSkinCustomControl::~TbsSkinCustomControl() { FDefaultFont.OnChange = nullptr; }

void TbsSkinCustomControl::SetDefaultFont(const TFont* Value) {
  FDefaultFont.Assign(Value);
  DefaultFontChanged();
}

void TbsSkinCustomControl::DefaultFontChanged() {}

void TbsSkinCustomControl::SetDefaultWidth(int Value) {
  FDefaultWidth = Value;
  if (FIndex == -1 && Value > 0) SetWidth(Value);
}

void TbsSkinCustomControl::SetDefaultHeight(int Value) {
  FDefaultHeight = Value;
  if (FIndex == -1 && Value > 0) SetHeight(Value);
}

TBitmap* TbsSkinCustomControl::Picture() const {
  if (FIndex == -1 || !FSD || FSD->SkinEmpty || !FSD->IsValidPictureIndex(FPictureIndex)) return nullptr;
  return FSD->PictureList[size_t(FPictureIndex)].get();
}

TBitmap* TbsSkinCustomControl::MaskPicture() const {
  if (FIndex == -1 || !FSD || FSD->SkinEmpty || !FSD->IsValidPictureIndex(FMaskPictureIndex)) return nullptr;
  TBitmap* mask = FSD->PictureList[size_t(FMaskPictureIndex)].get();
  return mask->Empty() ? nullptr : mask;
}

bool TbsSkinCustomControl::AcceptsRecord(const TbsDataSkinControl* Record) const {
  // A record that cannot draw the control (another kind, no picture, no image) gives
  // the default look at the designed size rather than an unpainted or zero-size window.
  auto* r = dynamic_cast<const TbsDataSkinCustomControl*>(Record);
  return r && !IsNullRect(r->skinrect) && FSD->IsValidPictureIndex(r->pictureindex) &&
         !FSD->PictureList[size_t(r->pictureindex)]->Empty();
}

void TbsSkinCustomControl::ReadSkinRecord() {
  TbsSkinControl::ReadSkinRecord();
  auto* r = dynamic_cast<const TbsDataSkinCustomControl*>(SkinRecord());
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
  int W = Width(), H = Height();
  FNew = CalcTargetSkinPoints(FResizeMode, FSkinRect, FPoints, W, H);
}

void TbsSkinCustomControl::CalcSkinSize(int& W, int& H) {
  if (FResizeMode == rmNone) return;
  if (FResizeMode == rmFixed && FIndex == -1) return;
  FNew = CalcTargetSkinPoints(FResizeMode, FSkinRect, FPoints, W, H);
}

void TbsSkinCustomControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  ReadSkinRecord();
  const bool resize = FIndex != -1 && (AWidth != Width() || AHeight != Height());
  if (resize) {
    CalcSkinSize(AWidth, AHeight);
    if (FResizeMode == rmFixed) FNew.Client = FPoints.Client;
  }
  TbsSkinControl::SetBounds(ALeft, ATop, AWidth, AHeight);
  if (resize) {
    UpdateSkinRegion();
    Invalidate();
  }
}

void TbsSkinCustomControl::ApplySkinChange() {
  ReadSkinRecord();
  bool changed = false;
  if (FIndex == -1) {
    int W = FDefaultWidth > 0 ? FDefaultWidth : Width();
    int H = FDefaultHeight > 0 ? FDefaultHeight : Height();
    if (W != Width() || H != Height()) TbsSkinControl::SetBounds(Left(), Top(), W, H);
  } else {
    int W = Width(), H = Height();
    CalcSkinSize(W, H);
    changed = W != Width() || H != Height();
    if (changed) SetBounds(Left(), Top(), W, H);
  }
  if (!changed || FIndex == -1) {
    UpdateSkinRegion();
    Invalidate();
  }
}

void TbsSkinCustomControl::BeginSkinChange() {
  TbsSkinControl::BeginSkinChange();
  FPictureIndex = FMaskPictureIndex = -1;
  // The default look is drawn until the next change, which may never come (a skin that
  // fails to load): it must not stay cut to the old skin's shape.
  if (FRgn) SetWindowShape(nullptr);
}

void TbsSkinCustomControl::DrawSkinImage(TBitmap& B) { DrawSkinRect(B, Picture(), FSkinRect); }

void TbsSkinCustomControl::DrawSkinRect(TBitmap& B, const TBitmap* APicture, const TRect& R) {
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
                     Width(), Height(), true);
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

void TbsSkinCustomControl::UpdateSkinRegion() {
  TBitmap* mask = MaskPicture();
  if (!mask || FIndex == -1) {
    if (FRgn) SetWindowShape(nullptr);
    return;
  }
  const TbsSkinPoints& s = FPoints;
  const int W = Width(), H = Height();
  const int RW = RectWidth(FSkinRect), RH = RectHeight(FSkinRect);
  std::unique_ptr<TRegion> rgn;
  switch (FResizeMode) {
    case rmFixed:
      rgn = CreateMaskRegion(*mask);
      break;
    case rmBoth:
      rgn = CreateFrameMaskRegion(s.LeftTop, s.RightTop, s.LeftBottom, s.RightBottom, s.Client, FNew.LeftTop,
                                  FNew.RightTop, FNew.LeftBottom, FNew.RightBottom, FNew.Client, W, H, *mask);
      break;
    case rmHorizontal: {
      const TPoint nr{W + s.RightTop.X - RW, s.RightTop.Y};
      rgn = CreateFrameMaskRegion(s.LeftTop, s.RightTop, s.LeftTop, s.RightTop, s.Client, s.LeftTop, nr,
                                  s.LeftTop, nr, FNew.Client, W, H, *mask);
      break;
    }
    case rmVertical: {
      const TPoint nb{s.LeftBottom.X, H + s.LeftBottom.Y - RH};
      rgn = CreateFrameMaskRegion(s.LeftTop, s.LeftTop, s.LeftBottom, s.LeftBottom, s.Client, s.LeftTop,
                                  s.LeftTop, nb, nb, FNew.Client, W, H, *mask);
      break;
    }
    default:
      break;
  }
  SetWindowShape(std::move(rgn));
}

void TbsSkinCustomControl::SetWindowShape(std::unique_ptr<TRegion> region) {
  if (HandleAllocated()) SetWindowRgn(HandleValue(), region.get(), true);
  FRgn = std::move(region);
}

void TbsSkinCustomControl::CreateWnd() {
  TbsSkinControl::CreateWnd();
  if (FRgn) SetWindowRgn(HandleValue(), FRgn.get(), false);
}

TRect TbsSkinCustomControl::MapSkinRect(const TRect& R) const {
  const int RW = RectWidth(FSkinRect), RH = RectHeight(FSkinRect);
  const int dx = Width() - RW, dy = Height() - RH;
  const TPoint LT = FPoints.LeftTop, RT = FPoints.RightTop, LB = FPoints.LeftBottom, RB = FPoints.RightBottom;
  TRect r = R;
  switch (FResizeMode) {
    case rmBoth: {
      const TRect A = Rect(0, 0, LT.X, LT.Y), B = Rect(RT.X, 0, RW, RT.Y);
      const TRect C = Rect(0, LB.Y, LB.X, RH), D = Rect(RB.X, RB.Y, RW, RH);
      const TPoint tl = R.TopLeft(), br = R.BottomRight();
      if (RectInsideRect(R, A)) {
      } else if (RectInsideRect(R, B)) {
        OffsetRect(r, dx, 0);
      } else if (RectInsideRect(R, C)) {
        OffsetRect(r, 0, dy);
      } else if (RectInsideRect(R, D)) {
        OffsetRect(r, dx, dy);
      } else if (PointInsideRect(A, tl) && PointInsideRect(D, br)) {
        r.Right += dx;
        r.Bottom += dy;
      } else if (PointInsideRect(A, tl) && PointInsideRect(B, br)) {
        r.Right += dx;
      } else if (PointInsideRect(C, tl) && PointInsideRect(D, br)) {
        r.Right += dx;
        OffsetRect(r, 0, dy);
      } else if (PointInsideRect(A, tl) && PointInsideRect(C, br)) {
        r.Bottom += dy;
      } else if (PointInsideRect(B, tl) && PointInsideRect(D, br)) {
        OffsetRect(r, dx, 0);
        r.Bottom += dy;
      }
      break;
    }
    case rmHorizontal:
      if (LT.X >= R.Left && R.Right >= RT.X)
        r.Right += dx;
      else if (R.Left >= RT.X && R.Right > RT.X)
        OffsetRect(r, dx, 0);
      break;
    case rmVertical:
      if (LT.Y >= R.Top && R.Bottom >= LB.Y)
        r.Bottom += dy;
      else if (R.Top >= LB.Y)
        OffsetRect(r, 0, dy);
      break;
    default:
      break;
  }
  return r;
}

// ---------------------------------------------------------------------------------------
void NotifySkinControls(TWinControl* parent, TbsSkinData* data, bool before) {
  if (!parent) return;
  for (int i = 0; i < parent->ControlCount(); ++i) {
    TControl* ctl = parent->Controls(i);
    if (auto* sc = dynamic_cast<TbsSkinControl*>(ctl); sc && (!data || sc->SkinData() == data)) {
      if (before)
        sc->BeginSkinChange();
      else
        sc->ApplySkinChange();
    } else if (auto* cl = dynamic_cast<TbsSkinChangeClient*>(ctl); cl && (!data || cl->SkinData() == data)) {
      if (before)
        cl->BeginSkinChange();
      else
        cl->ApplySkinChange();
    }
    auto* w = dynamic_cast<TWinControl*>(ctl);
    // The control list may change under a handler; the index check guards it.
    if (w && i < parent->ControlCount() && parent->Controls(i) == w) NotifySkinControls(w, data, before);
  }
}
