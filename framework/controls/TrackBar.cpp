#include "framework/controls/TrackBar.h"

#include <algorithm>

#include "framework/controls/ControlPaint.h"
#include "framework/graphics/Canvas.h"

namespace {
constexpr int kMargin = 8;          // channel ends from the control's ends
constexpr int kChannelThickness = 4;
constexpr int kTickGap = 2;         // between thumb and ticks
constexpr int kTickLength = 3;      // end ticks are one longer
}  // namespace

TTrackBar::TTrackBar(TComponent* AOwner) : TCustomControl(AOwner) {
  FControlStyle = {csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks};
  FColor = clBtnFace;
  FWidth = 150;
  FHeight = 45;
  FTabStop = true;
}

// ---- range and position ----

void TTrackBar::SetRange(int aMin, int aMax) {
  FMin = aMin;
  FMax = aMax;
  if (ComponentState().Contains(csLoading)) {
    Invalidate();
    return;  // Min, Max and Position may come in any order; Loaded settles them
  }
  int clamped = std::clamp(FPosition, FMin, FMax);
  Invalidate();
  if (clamped != FPosition) {
    FPosition = clamped;
    Changed();
  }
}

void TTrackBar::SetMin(int v) {
  if (v == FMin) return;
  bool loading = ComponentState().Contains(csLoading);
  SetRange(v, loading ? FMax : std::max(FMax, v));
}

void TTrackBar::SetMax(int v) {
  if (v == FMax) return;
  bool loading = ComponentState().Contains(csLoading);
  SetRange(loading ? FMin : std::min(FMin, v), v);
}

void TTrackBar::SetPosition(int v) {
  if (!ComponentState().Contains(csLoading)) v = std::clamp(v, FMin, FMax);
  if (v == FPosition) return;
  FPosition = v;
  Invalidate();
  Changed();
}

bool TTrackBar::StepTo(int v) {
  std::weak_ptr<bool> alive = FAlive;
  SetPosition(v);
  return !alive.expired();
}

void TTrackBar::Loaded() {
  TCustomControl::Loaded();
  if (FMax < FMin) FMax = FMin;
  FPosition = std::clamp(FPosition, FMin, FMax);
}

void TTrackBar::Changed() {
  if (ComponentState().Contains(csLoading) || !OnChange) return;
  auto handler = OnChange;  // the handler may free the track bar
  handler(this);
}

void TTrackBar::SetOrientation(TTrackBarOrientation v) {
  if (v == FOrientation) return;
  FOrientation = v;
  // Turning the bar swaps its sides, as the classic control does (not while reading).
  if (!ComponentState().Contains(csLoading)) SetBounds(FLeft, FTop, FHeight, FWidth);
  Invalidate();
}

void TTrackBar::SetFrequency(int v) {
  v = std::max(1, v);
  if (v == FFrequency) return;
  FFrequency = v;
  Invalidate();
}

void TTrackBar::SetTickStyle(TTickStyle v) {
  if (v == FTickStyle) return;
  FTickStyle = v;
  Invalidate();
}

void TTrackBar::SetTickMarks(TTickMark v) {
  if (v == FTickMarks) return;
  FTickMarks = v;
  Invalidate();
}

void TTrackBar::SetThumbLength(int v) {
  v = std::max(4, v);
  if (v == FThumbLength) return;
  FThumbLength = v;
  Invalidate();
}

void TTrackBar::SetSliderVisible(bool v) {
  if (v == FSliderVisible) return;
  FSliderVisible = v;
  Invalidate();
}

// ---- geometry ----

TRect TTrackBar::Oriented(int a0, int s0, int a1, int s1) const {
  return Horizontal() ? Rect(a0, s0, a1, s1) : Rect(s0, a0, s1, a1);
}

int TTrackBar::ThumbWidth() const { return FThumbLength / 2 + 1; }

// Ticks on one side only make the thumb point at them.
static bool PointsForward(TTickMark m, TTickStyle s) { return s != tsNone && m == tmBottomRight; }
static bool PointsBack(TTickMark m, TTickStyle s) { return s != tsNone && m == tmTopLeft; }

int TTrackBar::ThumbAcross() const {
  int across = AcrossExtent();
  if (PointsForward(FTickMarks, FTickStyle)) return kMargin;
  if (PointsBack(FTickMarks, FTickStyle)) return std::max(0, across - kMargin - FThumbLength);
  return std::max(0, (across - FThumbLength) / 2);
}

TRect TTrackBar::ChannelRect() const {
  int s0 = ThumbAcross();
  int point = (ThumbWidth() + 1) / 2;
  int body = FThumbLength - point;
  int s;
  if (PointsForward(FTickMarks, FTickStyle))
    s = s0 + (body - kChannelThickness) / 2;
  else if (PointsBack(FTickMarks, FTickStyle))
    s = s0 + point + (body - kChannelThickness) / 2;
  else
    s = s0 + (FThumbLength - kChannelThickness) / 2;
  int a1 = std::max(kMargin + ThumbWidth(), AlongExtent() - kMargin);
  return Oriented(kMargin, s, a1, s + kChannelThickness);
}

int TTrackBar::ThumbOffsetFor(int position) const {
  TRect ch = ChannelRect();
  int start = Horizontal() ? ch.Left : ch.Top;
  int span = (Horizontal() ? ch.Width() : ch.Height()) - ThumbWidth();
  long long range = (long long)FMax - FMin;
  if (range <= 0 || span <= 0) return start;
  long long rel = std::clamp<long long>((long long)position - FMin, 0, range);
  return start + int((rel * span * 2 + range) / (2 * range));
}

TRect TTrackBar::ThumbRect() const {
  int a = ThumbOffsetFor(FPosition);
  int s = ThumbAcross();
  return Oriented(a, s, a + ThumbWidth(), s + FThumbLength);
}

int TTrackBar::PositionAt(int along) const {
  TRect ch = ChannelRect();
  int start = Horizontal() ? ch.Left : ch.Top;
  int span = (Horizontal() ? ch.Width() : ch.Height()) - ThumbWidth();
  long long range = (long long)FMax - FMin;
  if (range <= 0 || span <= 0) return FMin;
  long long rel = std::clamp<long long>(along - ThumbWidth() / 2 - start, 0, span);
  return FMin + int((rel * range * 2 + span) / (2 * span));
}

// ---- input ----

void TTrackBar::WndProc(TMessage& m) {
  if (!FEnabled && ((m.Msg >= WM_MOUSEMOVE && m.Msg <= WM_MBUTTONDBLCLK) || (m.Msg >= WM_KEYDOWN && m.Msg <= WM_SYSCHAR)))
    return;
  if (m.Msg == WM_CANCELMODE) FDragging = false;
  TCustomControl::WndProc(m);
}

void TTrackBar::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (Button == mbLeft) {
    if (!Focused() && CanFocus()) SetFocus();
    TRect thumb = ThumbRect();
    int along = Along(X, Y);
    int thumbStart = Horizontal() ? thumb.Left : thumb.Top;
    if (FSliderVisible && PtInRect(thumb, Point(X, Y))) {
      FDragging = true;
      FDragOffset = along - thumbStart;
    } else if (along < thumbStart) {
      if (!StepTo(FPosition - FPageSize)) return;
    } else if (along >= thumbStart + ThumbWidth()) {
      if (!StepTo(FPosition + FPageSize)) return;
    }
  }
  TCustomControl::MouseDown(Button, Shift, X, Y);
}

void TTrackBar::MouseMove(TShiftState Shift, int X, int Y) {
  if (FDragging && !StepTo(PositionAt(Along(X, Y) - FDragOffset + ThumbWidth() / 2))) return;
  TCustomControl::MouseMove(Shift, X, Y);
}

void TTrackBar::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (Button == mbLeft && FDragging) {
    FDragging = false;
    if (!StepTo(PositionAt(Along(X, Y) - FDragOffset + ThumbWidth() / 2))) return;
  }
  TCustomControl::MouseUp(Button, Shift, X, Y);
}

void TTrackBar::KeyDown(Word& Key, TShiftState Shift) {
  TCustomControl::KeyDown(Key, Shift);
  switch (Key) {
    case VK_LEFT: case VK_UP: SetPosition(FPosition - FLineSize); break;
    case VK_RIGHT: case VK_DOWN: SetPosition(FPosition + FLineSize); break;
    case VK_PRIOR: SetPosition(FPosition - FPageSize); break;
    case VK_NEXT: SetPosition(FPosition + FPageSize); break;
    case VK_HOME: SetPosition(FMin); break;
    case VK_END: SetPosition(FMax); break;
    default: return;
  }
  Key = 0;
}

void TTrackBar::DoEnter() {
  Invalidate();
  TCustomControl::DoEnter();
}

void TTrackBar::DoExit() {
  Invalidate();
  TCustomControl::DoExit();
}

// ---- painting ----

void TTrackBar::PaintThumb(TCanvas* c, const TRect& r) {
  // Drawn in along/across terms: a = along the channel, s = across it.
  int a0 = Horizontal() ? r.Left : r.Top;
  int s0 = Horizontal() ? r.Top : r.Left;
  int tw = ThumbWidth(), tl = FThumbLength;
  int point = (tw + 1) / 2;
  bool fwd = PointsForward(FTickMarks, FTickStyle), back = PointsBack(FTickMarks, FTickStyle);
  TColor face = ColorToRGB(clBtnFace), hi = ColorToRGB(clBtnHighlight);
  TColor dk = ColorToRGB(cl3DDkShadow), sh = ColorToRGB(clBtnShadow);
  auto plot = [&](int a, int s, TColor col) {
    if (Horizontal())
      c->SetPixel(a, s, col);
    else
      c->SetPixel(s, a, col);
  };
  int bodyStart = back ? point : 0;
  int bodyEnd = fwd ? tl - point : tl;  // exclusive, relative to s0
  for (int j = bodyStart; j < bodyEnd; ++j) {
    for (int i = 0; i < tw; ++i) {
      TColor col = face;
      bool lastRow = !fwd && j == bodyEnd - 1, innerLastRow = !fwd && j == bodyEnd - 2;
      if (i == tw - 1 || lastRow) col = dk;
      else if ((!back && j == 0) || i == 0) col = hi;
      else if (i == tw - 2 || innerLastRow) col = sh;
      plot(a0 + i, s0 + j, col);
    }
  }
  // The point: rows narrowing to a one-pixel tip.
  if (!fwd && !back) return;
  for (int k = 0; k < point; ++k) {
    int s = fwd ? s0 + bodyEnd + k : s0 + point - 1 - k;
    int lo = k, hiEdge = tw - 1 - k;
    for (int i = lo; i <= hiEdge; ++i) {
      TColor col = face;
      if (i == lo) col = hi;
      if (i == hiEdge) col = dk;
      else if (i == hiEdge - 1 && i != lo) col = sh;
      plot(a0 + i, s, col);
    }
  }
}

void TTrackBar::Paint() {
  TCanvas* c = Canvas();
  TRect client = ClientRect();
  c->Brush()->Style = TBrushStyle::bsSolid;
  c->Brush()->Color = FColor;
  c->FillRect(client);

  TRect ch = ChannelRect();
  Frame3D(c, ch, clBtnShadow, clBtnHighlight, 1);
  Frame3D(c, ch, cl3DDkShadow, cl3DLight, 1);

  if (FTickStyle == tsAuto && FMax > FMin) {
    c->Brush()->Color = FEnabled ? clBtnText : clBtnShadow;
    int s0 = ThumbAcross();
    auto tick = [&](int value, bool end) {
      int a = ThumbOffsetFor(value) + ThumbWidth() / 2;
      int len = kTickLength + (end ? 1 : 0);
      if (FTickMarks != tmTopLeft) {
        int s = s0 + FThumbLength + kTickGap;
        c->FillRect(Oriented(a, s, a + 1, s + len));
      }
      if (FTickMarks != tmBottomRight) {
        int s = s0 - kTickGap - len;
        c->FillRect(Oriented(a, s, a + 1, s + len));
      }
    };
    tick(FMin, true);
    // Guard against overflow and against drawing more ticks than pixels.
    long long range = (long long)FMax - FMin;
    if (range / FFrequency < AlongExtent())
      for (long long v = (long long)FMin + FFrequency; v < FMax; v += FFrequency) tick(int(v), false);
    tick(FMax, true);
  }

  if (FSliderVisible) PaintThumb(c, ThumbRect());
  if (Focused()) DrawFocusRect(c, client);
}
