#include "skin/controls/SkinToolBar.h"

#include <algorithm>

#include "framework/graphics/Canvas.h"
#include "framework/graphics/ImageList.h"
#include "framework/messages/MessageViews.h"
#include "framework/windows/Windows.h"
#include "skin/controls/SkinBevel.h"
#include "skin/controls/SkinMenuSpeedButton.h"
#include "skin/controls/SkinSpeedButton.h"
#include "skin/data/SkinData.h"
#include "skin/draw/DefaultLook.h"
#include "skin/draw/SkinGlyphs.h"
#include "skin/draw/SkinImage.h"

namespace {

template <class F>
void ForEachSpeedButton(TWinControl* parent, F f) {
  for (int i = 0; i < parent->ControlCount(); ++i)
    if (auto* b = dynamic_cast<TbsSkinSpeedButton*>(parent->Controls(i))) f(b);
}
}  // namespace

TbsSkinToolBar::TbsSkinToolBar(TComponent* AOwner) : TbsSkinPanel(AOwner) {
  FSkinDataName = "toolpanel";
  FBorderStyle = bvNone;
  SetDefaultHeight(25);
}

TbsSkinToolBar::~TbsSkinToolBar() { StopScrollTimer(); }

// ---- properties -------------------------------------------------------------------------
void TbsSkinToolBar::SetImages(TImageList* Value) {
  if (FImages && FImages != Value) FImages->RemoveFreeNotification(this);
  FImages = Value;
  if (Value) Value->FreeNotification(this);
  ForEachSpeedButton(this, [](TbsSkinSpeedButton* b) { b->Invalidate(); });
}

void TbsSkinToolBar::SetHotImages(TImageList* Value) {
  if (FHotImages && FHotImages != Value) FHotImages->RemoveFreeNotification(this);
  FHotImages = Value;
  if (Value) Value->FreeNotification(this);
}

void TbsSkinToolBar::SetDisabledImages(TImageList* Value) {
  if (FDisabledImages && FDisabledImages != Value) FDisabledImages->RemoveFreeNotification(this);
  FDisabledImages = Value;
  if (Value) Value->FreeNotification(this);
}

void TbsSkinToolBar::Notification(TComponent* AComponent, TOperation Operation) {
  TbsSkinPanel::Notification(AComponent, Operation);
  if (Operation != opRemove) return;
  if (AComponent == FImages) FImages = nullptr;
  if (AComponent == FHotImages) FHotImages = nullptr;
  if (AComponent == FDisabledImages) FDisabledImages = nullptr;
}

void TbsSkinToolBar::SetFlat(bool Value) {
  FFlat = Value;
  ForEachSpeedButton(this, [Value](TbsSkinSpeedButton* b) { b->SetFlat(Value); });
}

void TbsSkinToolBar::SetShowCaptions(bool Value) {
  if (Value == FShowCaptions) return;
  FShowCaptions = Value;
  if (FAutoShowHideCaptions) ForEachSpeedButton(this, [Value](TbsSkinSpeedButton* b) { b->SetShowCaption(Value); });
  if (FWidthWithCaptions > 0 && FWidthWithoutCaptions > 0)
    SetWidth(Value ? FWidthWithCaptions : FWidthWithoutCaptions);
}

void TbsSkinToolBar::SetCanScroll(bool Value) {
  if (Value == FCanScroll) return;
  FCanScroll = Value;
  UpdateScrollAreas();
}

void TbsSkinToolBar::SetHotScroll(bool Value) {
  FHotScroll = Value;
  if (!Value && !FPressedArea) StopScrollTimer();
}

void TbsSkinToolBar::SetSkinData(TbsSkinData* Value) {
  TbsSkinPanel::SetSkinData(Value);
  // Speed buttons and bevels draw from the bar's skin; other children keep their own.
  for (int i = 0; i < ControlCount(); ++i) {
    TControl* c = Controls(i);
    if (auto* b = dynamic_cast<TbsSkinSpeedButton*>(c))
      b->SetSkinData(Value);
    else if (auto* v = dynamic_cast<TbsSkinBevel*>(c))
      v->SetSkinData(Value);
  }
}

void TbsSkinToolBar::SetSkinDataName(const std::string& Value) {
  TbsSkinPanel::SetSkinDataName(Value);
  if (!Designing() || IsLoading()) return;
  const std::string big = Value == "bigtoolpanel" ? "big" : "";
  ForEachSpeedButton(this, [&big](TbsSkinSpeedButton* b) {
    if (auto* m = dynamic_cast<TbsSkinMenuSpeedButton*>(b))
      m->SetSkinDataName(big + (m->TrackButtonMode() ? "toolmenutrackbutton" : "toolmenubutton"));
    else
      b->SetSkinDataName(big + "toolbutton");
  });
}

void TbsSkinToolBar::Loaded() {
  TbsSkinPanel::Loaded();
  UpdateScrollAreas();
}

// ---- scrolling --------------------------------------------------------------------------
int TbsSkinToolBar::ContentExtent() const {
  int extent = 0;
  for (int i = 0; i < ControlCount(); ++i) {
    const TControl* c = Controls(i);
    if (c->Visible()) extent = std::max(extent, c->Left() + c->Width() + FPosition);
  }
  return extent;
}

void TbsSkinToolBar::AdjustClientRect(TRect& R) {
  TbsSkinPanel::AdjustClientRect(R);
  if (!FScrollAreas) return;
  const int top = FIndex == -1 ? 1 : FNew.Client.Top;
  const int bottom = FIndex == -1 ? Height() - 1 : FNew.Client.Bottom;
  R = Rect(-FPosition, top, -FPosition + std::max(ContentExtent(), ClientWidth()), std::max(top, bottom));
}

void TbsSkinToolBar::UpdateScrollAreas() {
  if (FUpdatingAreas || IsLoading()) return;
  FUpdatingAreas = true;
  const bool overflow = FCanScroll && ContentExtent() > Width();
  if (overflow && !FScrollAreas) {
    FScrollAreas = true;
    RecreateWnd();  // the non-client space for the two areas
    Realign();
  } else if (!overflow && FScrollAreas) {
    StopScrollTimer();
    FPressedArea = FHotArea = 0;
    ScrollTo(0);
    FScrollAreas = false;
    RecreateWnd();
    Realign();
  }
  if (FScrollAreas) {
    // A wider bar may show more than the position allows now.
    const int limit = std::max(0, ContentExtent() - ClientWidth() + 1);
    if (FPosition > limit) ScrollTo(limit);
  }
  FUpdatingAreas = false;
}

void TbsSkinToolBar::ScrollTo(int Position) {
  const int delta = Position - FPosition;
  if (delta == 0) return;
  FPosition = Position;
  for (TControl* c : std::vector<TControl*>(FControls)) c->SetBounds(c->Left() - delta, c->Top(), c->Width(), c->Height());
  Invalidate();
}

void TbsSkinToolBar::ScrollStep(int Direction) {
  if (!FScrollAreas) return;
  const int step = FScrollOffset > 0 ? FScrollOffset : std::max(1, ClientWidth());
  if (Direction < 0) {
    ScrollTo(std::max(0, FPosition - step));
  } else {
    const int limit = std::max(0, ContentExtent() - ClientWidth() + 1);
    ScrollTo(std::max(FPosition, std::min(FPosition + step, limit)));
  }
}

void TbsSkinToolBar::StartScrollTimer(int Direction) {
  StopScrollTimer();
  if (!HandleAllocated()) return;
  if (SetTimer(HandleValue(), ScrollTimerId, UINT(FScrollTimerInterval))) FTimerDir = Direction;
}

void TbsSkinToolBar::StopScrollTimer() {
  if (!FTimerDir) return;
  FTimerDir = 0;
  if (HandleAllocated()) KillTimer(HandleValue(), ScrollTimerId);
}

int TbsSkinToolBar::AreaAt(TPoint sp) const {
  if (!FScrollAreas) return 0;
  const TPoint p = ScreenToClient(sp);
  if (p.Y < -ClientRectInWindow().Top || p.Y >= Height() - ClientRectInWindow().Top) return 0;
  if (p.X < 0 && p.X >= -ScrollAreaWidth) return -1;
  if (p.X >= ClientWidth() && p.X < ClientWidth() + ScrollAreaWidth) return 1;
  return 0;
}

void TbsSkinToolBar::SetHotArea(int Area) {
  if (Area == FHotArea) return;
  FHotArea = Area;
  RedrawScrollAreas();
}

void TbsSkinToolBar::RedrawScrollAreas() {
  if (FScrollAreas && HandleAllocated()) Perform(WM_NCPAINT, 0, 0);
}

// ---- non-client painting ----------------------------------------------------------------
void TbsSkinToolBar::PaintScrollArea(TCanvas* C, const TRect& R, int Direction) {
  const bool pressed = FPressedArea == Direction, hot = FHotArea == Direction;
  const int adir = Direction < 0 ? adLeft : adRight;
  // The "resizebutton" record of the skin, when it can draw.
  const auto* rec = FindRecord<TbsDataSkinButtonControl>("resizebutton");
  if (rec && (IsNullRect(rec->skinrect) || !FSD->IsValidPictureIndex(rec->pictureindex))) rec = nullptr;
  if (!rec) {
    DrawDefaultFace(C, R, pressed ? facePressed : hot ? faceHot : faceNormal);
    DrawArrow(C, R, clBlack, adir);
    return;
  }
  const TBitmap& pic = *FSD->PictureList[size_t(rec->pictureindex)];
  TRect src = rec->skinrect;
  TColor color = rec->fontcolor;
  if (pressed) {
    src = !IsNullRect(rec->downskinrect) ? rec->downskinrect : !IsNullRect(rec->activeskinrect) ? rec->activeskinrect : src;
    color = rec->downfontcolor;
  } else if (hot) {
    if (!IsNullRect(rec->activeskinrect)) src = rec->activeskinrect;
    color = rec->activefontcolor;
  }
  const TbsSkinPoints pts{rec->lefttoppoint, rec->righttoppoint, rec->leftbottompoint, rec->rightbottompoint,
                          rec->clientrect};
  const int mode = SkinResizeMode(rec->skinrect, pts);
  int W = RectWidth(R), H = RectHeight(R);
  TBitmap B(W, H);
  if (mode == rmBoth) {
    int w = W, h = H;
    const TbsSkinPoints n = CalcTargetSkinPoints(mode, rec->skinrect, pts, w, h);
    BuildSkinImage(pts.LeftTop, pts.RightTop, pts.LeftBottom, pts.RightBottom, pts.Client, n.LeftTop, n.RightTop,
                   n.LeftBottom, n.RightBottom, n.Client, pic, B, src, W, H, true);
  } else {
    B.Canvas()->CopyRect(Rect(0, 0, W, H), &pic, src);
  }
  DrawArrow(B.Canvas(), Rect(0, 0, W, H), color, adir);
  C->Draw(R.Left, R.Top, &B);
}

void TbsSkinToolBar::PaintScrollAreas() {
  TCanvas* C = GetWindowCanvas(Handle());
  if (!C) return;
  const int W = Width(), H = Height();
  PaintScrollArea(C, Rect(0, 0, std::min(ScrollAreaWidth, W), H), -1);
  PaintScrollArea(C, Rect(std::max(0, W - ScrollAreaWidth), 0, W, H), 1);
}

// ---- messages ---------------------------------------------------------------------------
void TbsSkinToolBar::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_NCCALCSIZE:
      if (FScrollAreas) {
        TRect* r = TRectMessage(m).Rect;
        r->Left += ScrollAreaWidth;
        r->Right = std::max(r->Left, r->Right - ScrollAreaWidth);
        m.Result = 0;
        return;
      }
      break;
    case WM_NCHITTEST:
      if (int area = AreaAt(TScreenPointMessage(m).Pos)) {
        m.Result = area < 0 ? HTSCROLLLEFT : HTSCROLLRIGHT;
        return;
      }
      break;
    case WM_NCPAINT:
      if (FScrollAreas) {
        PaintScrollAreas();
        m.Result = 0;
        return;
      }
      break;
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK:
      if (const int hit = TScreenPointMessage(m).HitTest; hit == HTSCROLLLEFT || hit == HTSCROLLRIGHT) {
        FPressedArea = hit == HTSCROLLLEFT ? -1 : 1;
        RedrawScrollAreas();
        StartScrollTimer(FPressedArea);
        return;
      }
      break;
    case WM_NCLBUTTONUP:
    case WM_LBUTTONUP:
      if (FPressedArea) {
        const int dir = FPressedArea;
        FPressedArea = 0;
        StopScrollTimer();
        ScrollStep(dir);
        RedrawScrollAreas();
        if (m.Msg == WM_NCLBUTTONUP) return;
      }
      break;
    case WM_NCMOUSEMOVE: {
      const int hit = TScreenPointMessage(m).HitTest;
      const int area = hit == HTSCROLLLEFT ? -1 : hit == HTSCROLLRIGHT ? 1 : 0;
      SetHotArea(area);
      if (FHotScroll && area && !FPressedArea && FTimerDir != area) StartScrollTimer(area);
      if (FHotScroll && !area && !FPressedArea) StopScrollTimer();
      break;
    }
    case WM_MOUSEMOVE:
      SetHotArea(0);
      if (FHotScroll && !FPressedArea) StopScrollTimer();
      break;
    case WM_NCMOUSELEAVE:
    case CM_MOUSELEAVE:
      SetHotArea(0);
      if (!FPressedArea) StopScrollTimer();
      break;
    case WM_TIMER:
      if (TTimerMessage(m).TimerId == ScrollTimerId) {
        if (FTimerDir) ScrollStep(FTimerDir);
        return;
      }
      break;
  }
  TbsSkinPanel::WndProc(m);
  if (m.Msg == WM_SIZE) UpdateScrollAreas();
}
