#include "skin/controls/SkinControl.h"

#include "framework/graphics/Region.h"
#include "framework/windows/Forms.h"
#include "framework/windows/Windows.h"
#include "skin/draw/SkinRegion.h"

// ---------------------------------------------------------------------------------------
void TbsSkinControl::SkinDataFreed() {
  // A control on its way out needs none of the change.
  const TComponent* owner = Owner();
  const TComponent* form = GetParentForm(this);
  if (!IsDestroying() && !(owner && owner->IsDestroying()) && !(form && form->IsDestroying()) && !Designing()) {
    BeginSkinChange();
    ApplySkinChange();
  }
}

void TbsSkinControl::WndProc(TMessage& Message) {
  if (Message.Msg == WM_ERASEBKGND) {
    Message.Result = 1;
    return;
  }
  TbsSkinControlOf::WndProc(Message);
}

// ---------------------------------------------------------------------------------------
TbsSkinCustomControl::~TbsSkinCustomControl() = default;

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
  TbsSkinCustomControlOf::CreateWnd();
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
    if (auto* cl = dynamic_cast<TbsSkinChangeClient*>(ctl); cl && (!data || cl->SkinData() == data)) {
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
