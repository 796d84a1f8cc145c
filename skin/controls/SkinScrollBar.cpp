#include "skin/controls/SkinScrollBar.h"

#include "skin/controls/FocusGrab.h"

#include <algorithm>
#include <cmath>

#include "framework/graphics/Canvas.h"
#include "framework/messages/MessageViews.h"
#include "framework/windows/Forms.h"
#include "framework/windows/Windows.h"
#include "skin/data/SkinData.h"
#include "skin/draw/DefaultLook.h"
#include "skin/draw/SkinGlyphs.h"
#include "skin/draw/SkinImage.h"

namespace {
constexpr int ArrowSize = 16;
constexpr int DefaultThumb = 16;

int Round(double v) { return int(std::lround(v)); }
TRect OrElse(const TRect& r, const TRect& fallback) { return IsNullRect(r) ? fallback : r; }
}  // namespace

TbsSkinScrollBar::TbsSkinScrollBar(TComponent* AOwner) : TbsSkinCustomControl(AOwner) {
  FControlStyle.Exclude(csClickEvents);
  FSkinDataName = "hscrollbar";
  FWidth = 200;
  FHeight = 19;
  FDefaultHeight = 19;
  FTabStop = false;
}

TbsSkinScrollBar::~TbsSkinScrollBar() { StopTimer(); }

// ---- properties -------------------------------------------------------------------------
int TbsSkinScrollBar::MaxPosition() const { return FPageSize != 0 ? FMax - FPageSize + 1 : FMax; }

void TbsSkinScrollBar::SetPosition(int Value) {
  // A range whose top lies below Min (Min > Max, or a page larger than the range) pins
  // the position to Min.
  Value = std::max(FMin, std::min(Value, MaxPosition()));
  if (Value == FPosition) return;
  FPosition = Value;
  Invalidate();
  if (OnChange) {
    TNotifyEvent handler = OnChange;
    handler(this);
  }
}

void TbsSkinScrollBar::SetParams(int AMin, int AMax, int APageSize, int APosition) {
  FMin = AMin;
  FMax = AMax;
  FPageSize = std::max(0, APageSize);
  FPosition = std::max(FMin, std::min(APosition, MaxPosition()));
  Invalidate();
}

void TbsSkinScrollBar::SetMin(int Value) {
  FMin = Value;
  if (FPosition < FMin) FPosition = FMin;
  Invalidate();
}

void TbsSkinScrollBar::SetMax(int Value) {
  FMax = Value;
  const int top = MaxPosition();
  if (FPosition > top) FPosition = std::max(FMin, top);
  Invalidate();
}

void TbsSkinScrollBar::SetPageSize(int Value) {
  // A negative page would let the position run past Max; the fit is measured from Min.
  if (Value >= 0 && FMax - FMin + 1 >= Value + (FPosition - FMin)) FPageSize = Value;
  Invalidate();
}

void TbsSkinScrollBar::SetSmallChange(int Value) {
  FSmallChange = Value;
  Invalidate();
}

void TbsSkinScrollBar::SetLargeChange(int Value) {
  FLargeChange = Value;
  Invalidate();
}

void TbsSkinScrollBar::SetKind(TScrollBarKind Value) {
  if (Value == FKind) return;
  FKind = Value;
  if (Designing() && !IsLoading()) {
    if (FKind == sbVertical) {
      FSkinDataName = "vscrollbar";
      if (Width() > Height()) SetBounds(Left(), Top(), Height(), Width());
      FDefaultWidth = FDefaultHeight;
      FDefaultHeight = 0;
    } else {
      FSkinDataName = "hscrollbar";
      if (Height() > Width()) SetBounds(Left(), Top(), Height(), Width());
      FDefaultHeight = FDefaultWidth;
      FDefaultWidth = 0;
    }
  }
  Invalidate();
}

void TbsSkinScrollBar::SetBoth(bool Value) {
  if (Value == FBoth) return;
  FBoth = Value;
  if (!Designing()) {
    if (FBoth) {
      FNormalSkinDataName = FSkinDataName;
      FSkinDataName = FBothSkinDataName;
    } else if (!FNormalSkinDataName.empty()) {
      FSkinDataName = FNormalSkinDataName;
    }
  }
  ReadSkinRecord();
  if (FIndex == -1)
    Invalidate();
  else
    ApplySkinChange();
}

void TbsSkinScrollBar::SetBothMarkerWidth(int Value) {
  if (Value < 0) return;
  FBothMarkerWidth = Value;
  if (FIndex == -1) Invalidate();
}

void TbsSkinScrollBar::SetCanFocused(bool Value) {
  FCanFocused = Value;
  SetTabStop(Value);
}

// ---- skin -------------------------------------------------------------------------------
bool TbsSkinScrollBar::AcceptsRecord(const TbsDataSkinControl* Record) const {
  return Record->As<TbsDataSkinScrollBarControl>() && TbsSkinCustomControl::AcceptsRecord(Record);
}

void TbsSkinScrollBar::ReadSkinRecord() {
  TbsSkinCustomControl::ReadSkinRecord();
  auto* r = Record<TbsDataSkinScrollBarControl>();
  if (!r) return;
  FTrackArea = r->trackarea;
  FUpButtonRect = r->upbuttonrect;
  FActiveUpButtonRect = r->activeupbuttonrect;
  FDownUpButtonRect = OrElse(r->downupbuttonrect, FActiveUpButtonRect);
  FDownButtonRect = r->downbuttonrect;
  FActiveDownButtonRect = r->activedownbuttonrect;
  FDownDownButtonRect = OrElse(r->downdownbuttonrect, FActiveDownButtonRect);
  FThumbRect = r->thumbrect;
  FActiveThumbRect = OrElse(r->activethumbrect, FThumbRect);
  FDownThumbRect = OrElse(r->downthumbrect, FActiveThumbRect);
  FThumbOffset1 = r->thumboffset1;
  FThumbOffset2 = r->thumboffset2;
  FGlyphRect = r->glyphrect;
  FActiveGlyphRect = OrElse(r->activeglyphrect, FGlyphRect);
  FDownGlyphRect = OrElse(r->downglyphrect, FActiveGlyphRect);
}

void TbsSkinScrollBar::CalcSkinSize(int& W, int& H) {
  TbsSkinCustomControl::CalcSkinSize(W, H);
  CalcRects();
}

// ---- geometry ---------------------------------------------------------------------------
TRect TbsSkinScrollBar::PartRect(int Part) {
  CalcRects();
  return FParts[Part].R;
}

TRect TbsSkinScrollBar::TrackRect() {
  CalcRects();
  return FTrack;
}

void TbsSkinScrollBar::CalcRects() {
  const bool horz = FKind == sbHorizontal;
  const int W = Width(), H = Height();
  int thumbLen = DefaultThumb, thumbAcross = -1;
  if (FIndex == -1) {
    const int w = FBoth ? W - FBothMarkerWidth : W;
    if (horz) {
      FParts[DecPart].R = Rect(1, 1, 1 + ArrowSize, H - 1);
      FParts[IncPart].R = Rect(w - 1 - ArrowSize, 1, w - 1, H - 1);
      FTrack = Rect(1 + ArrowSize, 1, w - 1 - ArrowSize, H - 1);
    } else {
      FParts[DecPart].R = Rect(1, 1, W - 1, 1 + ArrowSize);
      FParts[IncPart].R = Rect(1, H - 1 - ArrowSize, W - 1, H - 1);
      FTrack = Rect(1, 1 + ArrowSize, W - 1, H - 1 - ArrowSize);
    }
  } else {
    const int dx = W - RectWidth(FSkinRect), dy = H - RectHeight(FSkinRect);
    FTrack = FTrackArea;
    TRect inc = FUpButtonRect, dec = FDownButtonRect;
    if (horz) {
      FTrack.Right += dx;
      if (inc.Left >= FPoints.RightTop.X) OffsetRect(inc, dx, 0);
      if (dec.Left >= FPoints.RightTop.X) OffsetRect(dec, dx, 0);
      thumbLen = RectWidth(FThumbRect);
      thumbAcross = RectHeight(FThumbRect);
    } else {
      FTrack.Bottom += dy;
      if (inc.Top >= FPoints.LeftBottom.Y) OffsetRect(inc, 0, dy);
      if (dec.Top >= FPoints.LeftBottom.Y) OffsetRect(dec, 0, dy);
      thumbLen = RectHeight(FThumbRect);
      thumbAcross = RectWidth(FThumbRect);
    }
    FParts[IncPart].R = inc;
    FParts[DecPart].R = dec;
  }
  const int start = TrackStart(), length = TrackEnd() - start;
  int len, half;
  double k;
  if (FPageSize == 0) {
    len = thumbLen;
    half = len / 2;
    k = FMax == FMin ? 0 : double(FPosition - FMin) / (FMax - FMin);
    FTravelStart = start + half;
    FTravelEnd = start + length - half;
    k = std::clamp(k, 0.0, 1.0);
    FThumbOffset = Round(k * (length - len));
  } else {
    const int range = FMax - FMin + 1;
    len = range == 0 ? 0 : Round(double(length) * FPageSize / range);
    len = std::max(len, thumbLen);
    half = len / 2;
    len = 2 * half;
    const int divisor = FMax - FPageSize - FMin + 1;
    k = divisor > 0 ? double(FPosition - FMin) / divisor : (horz ? 1 : 0);
    k = std::clamp(k, 0.0, 1.0);
    FTravelStart = start + half;
    FTravelEnd = start + length - half;
    FThumbOffset = Round(k * (length - len));
  }
  TRect& t = FParts[ThumbPart].R;
  if (horz) {
    int top = FTrack.Top, bottom = FTrack.Bottom;
    if (thumbAcross >= 0) {
      top = FTrack.Top + (RectHeight(FTrack) - thumbAcross) / 2;
      bottom = top + thumbAcross;
    }
    t = Rect(start + FThumbOffset, top, start + FThumbOffset + len, bottom);
  } else {
    int left = FTrack.Left, right = FTrack.Right;
    if (thumbAcross >= 0) {
      left = FTrack.Left + (RectWidth(FTrack) - thumbAcross) / 2;
      right = left + thumbAcross;
    }
    t = Rect(left, start + FThumbOffset, right, start + FThumbOffset + len);
  }
}

int TbsSkinScrollBar::PartAt(int X, int Y) const {
  for (int i = 0; i < 3; ++i)
    if (i != ThumbPart || FEnabled)
      if (PtInRect(FParts[i].R, Point(X, Y))) return i;
  return -1;
}

// ---- painting ---------------------------------------------------------------------------
void TbsSkinScrollBar::DrawDefaultImage(TBitmap& B) {
  CalcRects();
  TCanvas* c = B.Canvas();
  c->Brush()->Style = TBrushStyle::bsSolid;
  c->Brush()->Color = clBtnFace;
  c->FillRect(ClientRect());
  const bool horz = FKind == sbHorizontal;
  for (int i : {IncPart, DecPart, ThumbPart}) {
    if (i == ThumbPart && !FEnabled) continue;
    const Part& p = FParts[i];
    const bool pressed = i == ThumbPart ? (FThumbDrag || ThumbFocused()) : (p.Down && p.MouseIn);
    DrawDefaultFace(c, p.R, pressed ? facePressed : p.MouseIn ? faceHot : faceNormal);
    if (i == IncPart) DrawArrow(c, p.R, clBlack, horz ? adRight : adDown);
    if (i == DecPart) DrawArrow(c, p.R, clBlack, horz ? adLeft : adUp);
  }
}

void TbsSkinScrollBar::DrawSkinImage(TBitmap& B) {
  TbsSkinCustomControl::DrawSkinImage(B);
  CalcRects();
  TBitmap* pic = Picture();
  if (!pic) return;
  TCanvas* c = B.Canvas();
  for (int i : {IncPart, DecPart}) {
    const Part& p = FParts[i];
    TRect src;
    if (p.Down && p.MouseIn)
      src = i == IncPart ? FDownUpButtonRect : FDownDownButtonRect;
    else if (p.MouseIn)
      src = i == IncPart ? FActiveUpButtonRect : FActiveDownButtonRect;
    if (!IsNullRect(src)) c->CopyRect(p.R, pic, src);
  }
  if (!FEnabled) return;
  const Part& t = FParts[ThumbPart];
  TRect src = FThumbRect, glyph = FGlyphRect;
  if (FThumbDrag || ThumbFocused()) {
    src = FDownThumbRect;
    glyph = FDownGlyphRect;
  } else if (t.MouseIn) {
    src = FActiveThumbRect;
    glyph = FActiveGlyphRect;
  }
  if (FPageSize == 0) {
    c->CopyRect(t.R, pic, src);
  } else {
    TBitmap strip;
    if (FKind == sbHorizontal)
      BuildHSkinImage(FThumbOffset1, FThumbOffset2, strip, RectWidth(t.R), src, *pic);
    else
      BuildVSkinImage(FThumbOffset1, FThumbOffset2, strip, RectHeight(t.R), src, *pic);
    c->Draw(t.R.Left, t.R.Top, &strip);
  }
  if (!IsNullRect(glyph)) {
    const int gw = RectWidth(glyph), gh = RectHeight(glyph);
    const int x = t.R.Left + (RectWidth(t.R) - gw) / 2, y = t.R.Top + (RectHeight(t.R) - gh) / 2;
    c->CopyRect(Rect(x, y, x + gw, y + gh), pic, glyph);
  }
}

// ---- timer ------------------------------------------------------------------------------
void TbsSkinScrollBar::StartTimer(unsigned ms) {
  if (!HandleAllocated()) return;
  if (FTimerInterval) KillTimer(HandleValue(), RepeatTimerId);
  FTimerInterval = SetTimer(HandleValue(), RepeatTimerId, ms) != 0 ? ms : 0;
}

void TbsSkinScrollBar::StopTimer() {
  if (FTimerInterval && HandleAllocated()) KillTimer(HandleValue(), RepeatTimerId);
  FTimerInterval = 0;
}

void TbsSkinScrollBar::ArrowStep(int P) {
  const TNotifyEvent& e = P == IncPart ? OnUpButtonClick : OnDownButtonClick;
  if (e) {
    TNotifyEvent handler = e;
    handler(this);
  } else {
    SetPosition(FPosition + (P == IncPart ? FSmallChange : -FSmallChange));
  }
}

void TbsSkinScrollBar::PageStep(bool Up) {
  std::weak_ptr<bool> alive = FAlive;
  SetPosition(FPosition + (Up ? -FLargeChange : FLargeChange));
  if (!Alive(alive)) return;
  const TNotifyEvent& e = Up ? OnPageUp : OnPageDown;
  if (e) {
    TNotifyEvent handler = e;
    handler(this);
  }
}

void TbsSkinScrollBar::TimerTick() {
  if (FWait) {
    FWait = false;
    StartTimer(RepeatInterval);
    return;
  }
  switch (FTimerMode) {
    case 1:
      ArrowStep(DecPart);
      break;
    case 2:
      ArrowStep(IncPart);
      break;
    case 3:
    case 4: {
      UpdateHover(FLastPoint.X, FLastPoint.Y);
      CalcRects();
      const int at = Along(FLastPoint.X, FLastPoint.Y);
      const bool up = FTimerMode == 3;
      if (up ? at < ThumbStart() : at >= ThumbEnd()) {
        PageStep(up);
      } else {
        StopTimer();
        FTimerMode = 0;
      }
      break;
    }
    default:
      StopTimer();
      break;
  }
}

// ---- mouse ------------------------------------------------------------------------------
void TbsSkinScrollBar::UpdateHover(int X, int Y) {
  FLastPoint = Point(X, Y);
  CalcRects();
  int hover = PartAt(X, Y);
  if (FCapturedPart != -1 && hover != FCapturedPart) hover = -1;
  if (hover == FHoverPart) return;
  const int old = FHoverPart;
  FHoverPart = hover;
  if (old != -1) {
    FParts[old].MouseIn = false;
    if (old != ThumbPart && FParts[old].Down) StopTimer();
  }
  if (hover != -1) {
    FParts[hover].MouseIn = true;
    if (hover != ThumbPart && FParts[hover].Down) {
      FWait = false;
      StartTimer(RepeatInterval);
    }
  }
  Invalidate();
}

void TbsSkinScrollBar::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  std::weak_ptr<bool> alive = FAlive;
  TbsSkinCustomControl::MouseDown(Button, Shift, X, Y);
  if (!Alive(alive) || Button != mbLeft) return;
  FMouseDown = true;
  CalcRects();
  FTimerMode = 0;
  FWait = true;
  FLastPoint = Point(X, Y);
  const int p = PartAt(X, Y);
  if (p != -1) {
    FCapturedPart = p;
    if (FHoverPart != p) {
      if (FHoverPart != -1) FParts[FHoverPart].MouseIn = false;
      FHoverPart = p;
      FParts[p].MouseIn = true;
    }
    FParts[p].Down = true;
    if (p == ThumbPart) {
      FDragPointer = Along(X, Y);
      FDragOffset = FThumbOffset;
      FDragPosition = FPosition;
      FThumbDrag = true;
      Invalidate();
      return;
    }
    Invalidate();
    ArrowStep(p);
    if (!Alive(alive)) return;
    FTimerMode = p == IncPart ? 2 : 1;
    StartTimer(FirstRepeatDelay);
    return;
  }
  if (!PtInRect(FTrack, Point(X, Y))) return;
  const bool up = Along(X, Y) < ThumbStart();
  FTimerMode = up ? 3 : 4;
  // The timer first: a page handler may free the bar.
  StartTimer(FirstRepeatDelay);
  PageStep(up);
}

void TbsSkinScrollBar::MouseMove(TShiftState Shift, int X, int Y) {
  std::weak_ptr<bool> alive = FAlive;
  TbsSkinCustomControl::MouseMove(Shift, X, Y);
  if (!Alive(alive)) return;
  UpdateHover(X, Y);
  if (!FThumbDrag) return;
  const int d = Along(X, Y) - FDragPointer + FDragOffset;
  const int travel = FTravelEnd - FTravelStart;
  const double q = travel > 0 ? std::clamp(double(d) / travel, 0.0, 1.0) : 0.0;
  const int span = FPageSize == 0 ? FMax - FMin : FMax - FMin - FPageSize + 1;
  SetPosition(FMin + Round(q * span));
}

void TbsSkinScrollBar::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  std::weak_ptr<bool> alive = FAlive;
  TbsSkinCustomControl::MouseUp(Button, Shift, X, Y);
  if (!Alive(alive)) return;
  FMouseDown = false;
  if (FTimerMode == 3 || FTimerMode == 4) {
    StopTimer();
    FTimerMode = 0;
  }
  const int p = FCapturedPart;
  FCapturedPart = -1;
  if (p == -1) return;
  FParts[p].Down = false;
  if (p != FHoverPart) FParts[p].MouseIn = false;
  Invalidate();
  if (p == ThumbPart) {
    FThumbDrag = false;
    if (Button == mbLeft && OnLastChange) {
      TNotifyEvent handler = OnLastChange;
      handler(this);
    }
  } else {
    StopTimer();
    FTimerMode = 0;
  }
}

void TbsSkinScrollBar::CMMouseLeave(TMessage& Message) {
  std::weak_ptr<bool> alive = FAlive;
  TbsSkinCustomControl::CMMouseLeave(Message);
  if (!Alive(alive)) return;
  if (FCapturedPart == -1 && !FThumbDrag && FHoverPart != -1) {
    FParts[FHoverPart].MouseIn = false;
    FHoverPart = -1;
    Invalidate();
  }
  if (FTimerMode == 4) {
    StopTimer();
    FTimerMode = 0;
  }
}

bool TbsSkinScrollBar::DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) {
  if (TbsSkinCustomControl::DoMouseWheel(Shift, WheelDelta, MousePos)) return true;
  if (!ThumbFocused()) return false;
  SetPosition(FPosition + (WheelDelta > 0 ? -FSmallChange : FSmallChange));
  return true;
}

// ---- keys and focus ---------------------------------------------------------------------
void TbsSkinScrollBar::KeyDown(Word& Key, TShiftState Shift) {
  std::weak_ptr<bool> alive = FAlive;
  TbsSkinCustomControl::KeyDown(Key, Shift);
  if (!Alive(alive)) return;
  if (Key == VK_LEFT || Key == VK_UP)
    SetPosition(FPosition - FSmallChange);
  else if (Key == VK_RIGHT || Key == VK_DOWN)
    SetPosition(FPosition + FSmallChange);
}

void TbsSkinScrollBar::CMEnabledChanged(TMessage& Message) {
  TbsSkinCustomControl::CMEnabledChanged(Message);
  Invalidate();
}

void TbsSkinScrollBar::DoEnter() {
  if (FCanFocused) Invalidate();
  TbsSkinCustomControl::DoEnter();
}

void TbsSkinScrollBar::DoExit() {
  if (FCanFocused) Invalidate();
  TbsSkinCustomControl::DoExit();
}

void TbsSkinScrollBar::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_TIMER:
      if (TTimerMessage(m).TimerId == RepeatTimerId) {
        TbsSkinCustomControl::WndProc(m);
        if (FTimerInterval) TimerTick();
        return;
      }
      break;
    case WM_GETDLGCODE:
      m.Result = DLGC_WANTARROWS;
      return;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      if (FCanFocused && !Focused() && !GrabFocusForPress(this, FAlive, FFocusGrab)) return;
      break;
    case WM_COMMAND:
      if (FFocusGrab) return;
      break;
  }
  TbsSkinCustomControl::WndProc(m);
}
