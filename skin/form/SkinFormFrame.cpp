// The frame side of TbsSkinForm: the default frame's layout, hit test and painting, and
// the client rectangle of either frame.
#include <algorithm>

#include "framework/graphics/Canvas.h"
#include "framework/windows/Forms.h"
#include "framework/windows/Windows.h"
#include "skin/data/ResourceStrData.h"
#include "skin/data/SkinData.h"
#include "skin/draw/FrameStrips.h"
#include "skin/draw/SkinGeometry.h"
#include "skin/draw/SkinText.h"
#include "skin/form/SkinCaptionObject.h"
#include "skin/form/SkinForm.h"
#include "skin/form/SkinStdButtonObject.h"

namespace {
constexpr int Border = 3;
constexpr int ButtonTop = 4;

bool IsToolWindow(const TCustomForm* f) {
  return f->BorderStyle() == bsToolWindow || f->BorderStyle() == bsSizeToolWin;
}
}  // namespace

int TbsSkinForm::DefaultCaptionHeight() const { return FForm && IsToolWindow(FForm) ? 15 : 19; }

int TbsSkinForm::MinimumHeight() const {
  if (FSkinActive && FSkinData->SkinPicture)
    return FSkinData->SkinPicture->Height() - RectHeight(FSkinData->clientrect);
  return DefaultCaptionHeight() + 6;
}

int TbsSkinForm::MinimumWidth() const {
  if (FSkinActive && FSkinData->SkinPicture) return std::max(FSkinData->SkinPicture->Width(), FMinWidth);
  return FMinWidth > 0 ? FMinWidth : 120;
}

TRect TbsSkinForm::FrameClientRect() const {
  if (!FForm) return TRect{};
  const int w = FForm->Width(), h = FForm->Height();
  if (FForm->BorderStyle() == bsNone) return Rect(0, 0, w, h);
  if (FSkinActive && FSkinData->SkinPicture && !FSkinData->SkinPicture->Empty()) {
    TRect c = FSkinData->clientrect;
    c.Right += w - FSkinData->SkinPicture->Width();
    c.Bottom += h - FSkinData->SkinPicture->Height();
    return c;
  }
  return Rect(Border, DefaultCaptionHeight() + Border, w - Border, h - Border);
}

void TbsSkinForm::DefaultLayout() {
  if (!FForm) return;
  const int w = FForm->Width();
  const int size = IsToolWindow(FForm) ? 13 : 17;
  FDefaultCaptionRect = Rect(Border, Border, w - Border, DefaultCaptionHeight());
  int x = w - Border;
  for (TStdCommand command : {cmClose, cmMaximize, cmMinimize, cmRollUp, cmMinimizeToTray}) {
    for (auto& o : FObjects) {
      auto* b = dynamic_cast<TbsSkinStdButtonObject*>(o.get());
      if (!b || b->Skinned || b->Command != command || !b->Visible || !b->Enabled) continue;
      b->ObjectRect = Rect(x - size, ButtonTop, x, ButtonTop + size);
      x -= size;
      break;
    }
  }
  FDefaultCaptionRect.Right = x;
  for (auto& o : FObjects) {
    auto* b = dynamic_cast<TbsSkinStdButtonObject*>(o.get());
    if (!b || b->Skinned || b->Command != cmSysMenu || !b->Visible || !b->Enabled) continue;
    b->ObjectRect = Rect(Border, ButtonTop, Border + size, ButtonTop + size);
    FDefaultCaptionRect.Left = Border + size;
    break;
  }
}

int TbsSkinForm::DefaultHitTest(TPoint p) {
  if (!FForm) return HTNOWHERE;
  const int w = FForm->Width(), h = FForm->Height();
  if (FSkinActive) {
    const TRect client = FrameClientRect();
    if (FHotIndex >= 0 && !PtInRect(client, p) && !dynamic_cast<TbsSkinCaptionObject*>(Objects(FHotIndex)))
      return HTOBJECT;
    if (PtInRect(client, p)) return HTCLIENT;
    for (auto& o : FObjects)
      if (dynamic_cast<TbsSkinCaptionObject*>(o.get()) && PtInRect(o->ObjectRect, p)) return HTCAPTION;
    return HTOBJECT;
  }
  if (FObjects.empty()) CreateDefaultButtons();
  DefaultLayout();
  const bool sizeable = (FForm->BorderStyle() == bsSizeable || FForm->BorderStyle() == bsSizeToolWin) &&
                        FWindowState == TbsWindowState::wsNormal && !FRollUpState;
  if (sizeable) {
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
  if (PtInRect(FrameClientRect(), p)) return HTCLIENT;
  return HTOBJECT;
}

void TbsSkinForm::PaintDefaultFrame() {
  if (!FForm || !FForm->HandleAllocated()) return;
  if (FObjects.empty()) CreateDefaultButtons();
  DefaultLayout();
  const int w = FForm->Width(), h = FForm->Height(), ch = DefaultCaptionHeight();
  if (w - 6 <= 0 || ch <= 0) return;
  TBitmap cap(w - 6, ch);
  TCanvas* c = cap.Canvas();
  c->Brush()->Style = TBrushStyle::bsSolid;
  c->Brush()->Color = ColorToRGB(clBtnFace);
  c->FillRect(Rect(0, 0, w - 6, ch));
  const int left = FDefaultCaptionRect.Left - Border;
  const int rm = (w - 6) - FDefaultCaptionRect.Right;
  if (ch - 4 > 1)
    for (int i = 0; i < ch - 5; ++i) {
      c->Pen()->Color = ColorToRGB(i % 2 == 0 ? clBtnHighlight : clBtnShadow);
      c->MoveTo(left + 2, 2 + i);
      c->LineTo((w - 6) - rm - 6, 2 + i);
    }
  std::string text = FForm->Caption();
  TFont* font = FormActive() ? &FDefCaptionFont : &FDefInActiveCaptionFont;
  c->Font()->Assign(font);
  if (FSkinData && FSkinData->ResourceStrData()) c->Font()->SetCharset(FSkinData->ResourceStrData()->CharSet());
  const int area = (w - 6) - left - rm;
  TrimTextToWidth(c, text, std::max(0, area));
  const int tw = c->TextWidth(text), th = c->TextHeight(text);
  const int x0 = left + area / 2 - (tw + 5) / 2, y0 = ch / 2 - th / 2;
  c->FillRect(Rect(x0, 0, x0 + tw + 5, ch));
  c->Brush()->Style = TBrushStyle::bsClear;
  c->TextOut(x0 + 3, y0, text);
  c->Brush()->Style = TBrushStyle::bsSolid;
  c->SetOrigin(Point(-Border, -Border));
  for (auto& o : FObjects)
    if (o->Visible) o->Draw(c, true);
  c->SetOrigin(Point(0, 0));

  TCanvas* wc = GetWindowCanvas(FForm->HandleValue());
  if (!wc) return;
  wc->SaveState();
  wc->ExcludeClipRect(Rect(Border, ch + Border, w - Border, h - Border));
  wc->CopyRect(Rect(Border, Border, w - Border, Border + ch), &cap, Rect(0, 0, w - 6, ch));
  TRect r = Rect(0, 0, w, h);
  Frame3D(wc, r, ColorToRGB(cl3DLight), ColorToRGB(cl3DDkShadow), 1);
  Frame3D(wc, r, ColorToRGB(clBtnHighlight), ColorToRGB(clBtnShadow), 1);
  Frame3D(wc, r, ColorToRGB(clBtnFace), ColorToRGB(clBtnFace), 1);
  wc->RestoreState();
}

// The skinned frame as far as the frame objects need it: the four sides cut from the
// skin's picture and the objects on them.
void TbsSkinForm::PaintSkinFrame() {
  if (!FForm || !FForm->HandleAllocated() || !FSkinData || !FSkinData->SkinPicture) return;
  const TBitmap& pic = FormActive() || FSkinData->SkinInactivePicture->Empty() ? *FSkinData->SkinPicture
                                                                              : *FSkinData->SkinInactivePicture;
  const int w = FForm->Width(), h = FForm->Height();
  if (pic.Empty() || w < MinimumWidth() || h < MinimumHeight()) return;
  const int dx = w - pic.Width(), dy = h - pic.Height();
  const TbsSkinData& s = *FSkinData;
  const TRect ncl = FrameClientRect();
  TBitmap top, bottom, left, right;
  BuildStretchFrameStrips(s.lefttoppoint, s.righttoppoint, s.leftbottompoint, s.clientrect, s.rightbottompoint,
                          s.lefttoppoint, Point(s.righttoppoint.X + dx, s.righttoppoint.Y),
                          Point(s.leftbottompoint.X, s.leftbottompoint.Y + dy),
                          Point(s.rightbottompoint.X + dx, s.rightbottompoint.Y + dy), ncl, s.leftstretch,
                          s.topstretch, s.rightstretch, s.bottomstretch, w, h, Rect(0, 0, pic.Width(), pic.Height()),
                          pic, top, bottom, left, right);
  for (auto& o : FObjects) {
    if (!o->Visible) continue;
    if (o->ObjectRect.Bottom > ncl.Top && !bottom.Empty()) {
      bottom.Canvas()->SetOrigin(Point(0, -ncl.Bottom));
      o->Draw(bottom.Canvas(), false);
      bottom.Canvas()->SetOrigin(Point(0, 0));
    } else if (!top.Empty()) {
      o->Draw(top.Canvas(), false);
    }
  }
  TCanvas* wc = GetWindowCanvas(FForm->HandleValue());
  if (!wc) return;
  wc->SaveState();
  wc->ExcludeClipRect(ncl);
  if (!top.Empty()) wc->Draw(0, 0, &top);
  if (!left.Empty()) wc->Draw(0, top.Height(), &left);
  if (!right.Empty()) wc->Draw(w - right.Width(), top.Height(), &right);
  if (!bottom.Empty()) wc->Draw(0, h - bottom.Height(), &bottom);
  wc->RestoreState();
}
