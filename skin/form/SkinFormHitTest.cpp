// Non-client hit testing of TbsSkinForm: the default frame's bands and caption, and the
// skinned frame's objects, shaped sizing edges and client rectangle.
#include "framework/windows/Forms.h"
#include "framework/windows/Windows.h"
#include "skin/data/SkinData.h"
#include "skin/draw/SkinGeometry.h"
#include "skin/form/SkinCaptionObject.h"
#include "skin/form/SkinForm.h"

bool TbsSkinForm::SizeableNow() const {
  const bool sizeable = FForm->BorderStyle() == bsSizeable || FForm->BorderStyle() == bsSizeToolWin;
  return sizeable && FWindowState == TbsWindowState::wsNormal && !FRollUpState;
}

int TbsSkinForm::FrameHitTest(TPoint p) {
  if (!FForm) return HTNOWHERE;
  if (FForm->BorderStyle() == bsNone) return HTCLIENT;
  return SkinFrame() ? SkinHitTest(p) : DefaultHitTest(p);
}

int TbsSkinForm::DefaultHitTest(TPoint p) {
  const int w = FForm->Width(), h = FForm->Height();
  if (FObjects.empty()) CreateDefaultButtons();
  DefaultLayout();
  if (SizeableNow()) {
    if (FHotIndex >= 0) return HTOBJECT;
    const int x = p.X, y = p.Y;
    if (x <= 2 && y <= 2) return HTTOPLEFT;
    if (x >= w - 2 && y <= 2) return HTTOPRIGHT;
    if (x <= 2 && y >= h - 2) return HTBOTTOMLEFT;
    if (x >= w - 2 && y >= h - 2) return HTBOTTOMRIGHT;
    if (x <= 2) return HTLEFT;
    if (y <= 2) return HTTOP;
    if (x >= w - 2) return HTRIGHT;
    if (y >= h - 2) return HTBOTTOM;
  }
  if (PtInRect(FDefaultCaptionRect, p)) return HTCAPTION;
  if (PtInRect(Rect(3, DefaultCaptionHeight() + 3, w - 3, h - 3), p)) return HTCLIENT;
  return HTOBJECT;
}

int TbsSkinForm::SkinHitTest(TPoint p) {
  const int w = FForm->Width(), h = FForm->Height();
  if (FFrame.Geometry.W != w || FFrame.Geometry.H != h) {
    FFrame.Geometry = ComputeFrameGeometry(*FSkinData, w, h);
    LayoutSkinObjects();
  }
  const TbsFormFrameGeometry& g = FFrame.Geometry;
  auto inCaption = [&] {
    for (auto& o : FObjects)
      if (dynamic_cast<TbsSkinCaptionObject*>(o.get()) && PtInRect(o->ObjectRect, p)) return true;
    return false;
  };
  if (!FRollUpState && FWindowState != TbsWindowState::wsMinimized) {
    if (FHotIndex >= 0 && !inCaption() && !PtInRect(g.Client, p) && !FForm->InSizeMove()) return HTOBJECT;
    if (SizeableNow()) {
      const int b = FSkinData->borderwidth;
      const TPoint probes[] = {Point(p.X - b, p.Y), Point(p.X, p.Y - b), Point(p.X + b, p.Y), Point(p.X, p.Y + b)};
      const TRect window = Rect(0, 0, w, h);
      bool nearEdge = false;
      if (!FFrame.Shape.HasMask()) {
        for (TPoint q : probes) nearEdge = nearEdge || !PtInRect(window, q);
      } else if (!PtInRect(FFrame.Shape.MaskArea(), p)) {
        for (TPoint q : probes) nearEdge = nearEdge || !FFrame.Shape.Inside(q);
      }
      if (!nearEdge) {
        if (PtInRect(g.Client, p)) return HTCLIENT;
        return inCaption() ? HTCAPTION : HTOBJECT;
      }
      const int x = p.X, y = p.Y;
      if (x <= g.HitLT.X && y <= g.HitLT.Y) return HTTOPLEFT;
      if (x >= g.HitRT.X && y <= g.HitRT.Y) return HTTOPRIGHT;
      if (x <= g.HitLB.X && y >= g.HitLB.Y) return HTBOTTOMLEFT;
      if (x >= g.HitRB.X && y >= g.HitRB.Y) return HTBOTTOMRIGHT;
      if (PtInRect(Rect(g.HitLT.X, 0, g.HitRT.X, g.Client.Top), p)) return HTTOP;
      if (PtInRect(Rect(g.HitLB.X, g.Client.Bottom, g.HitRB.X, h), p)) return HTBOTTOM;
      if (PtInRect(Rect(0, g.HitLT.Y, g.Client.Left, g.HitLB.Y), p)) return HTLEFT;
      if (PtInRect(Rect(g.Client.Right, g.HitRT.Y, w, g.HitRB.Y), p)) return HTRIGHT;
    }
    if (PtInRect(g.Client, p)) return HTCLIENT;
  }
  return inCaption() ? HTCAPTION : HTOBJECT;
}
