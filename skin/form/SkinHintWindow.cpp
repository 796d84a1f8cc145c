#include "skin/form/SkinHintWindow.h"

#include <algorithm>

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/Region.h"
#include "framework/windows/Forms.h"
#include "framework/windows/Windows.h"
#include "skin/data/ResourceStrData.h"
#include "skin/data/SkinData.h"
#include "skin/data/SkinWindowRecords.h"
#include "skin/draw/SkinImage.h"
#include "skin/draw/SkinRegion.h"
#include "skin/form/SkinHint.h"

TbsSkinHint* FindActiveSkinHint() {
  TCustomForm* main = Application->MainForm();
  if (!main) return nullptr;
  for (int i = 0; i < main->ComponentCount(); ++i)
    if (auto* h = dynamic_cast<TbsSkinHint*>(main->Components(i)); h && h->Active()) return h;
  return nullptr;
}

TbsSkinHintWindow::TbsSkinHintWindow(TComponent* AOwner) : THintWindow(AOwner) {}

TbsSkinHintWindow::~TbsSkinHintWindow() = default;

void TbsSkinHintWindow::CreateParams(TCreateParams& p) {
  THintWindow::CreateParams(p);
  p.Style &= ~WS_BORDER;
}

TbsSkinHint* TbsSkinHintWindow::ActiveHint() const { return FHintAlive.expired() ? nullptr : FHint; }

void TbsSkinHintWindow::Prepare() {
  // The object-hint window belongs to its hint component; the application's finds the
  // active one on the main form.
  FHint = dynamic_cast<TbsSkinHint*>(Owner());
  if (!FHint) FHint = FindActiveSkinHint();
  FHintAlive = FHint ? FHint->Lifetime() : std::weak_ptr<const bool>();
  FSkinData = FHint ? FHint->SkinData() : nullptr;
  FRecord = nullptr;
  FSkinned = false;
  if (FSkinData && !FSkinData->SkinEmpty && FSkinData->HintRecord &&
      FSkinData->IsValidPictureIndex(FSkinData->HintRecord->windowpictureindex)) {
    FRecord = FSkinData->HintRecord.get();
    FSkinned = !FSkinData->PictureList[size_t(FRecord->windowpictureindex)]->Empty();
  }
}

void TbsSkinHintWindow::PrepareFont(TCanvas* c) const {
  TFont* f = c->Font();
  if (FHint) f->Assign(FHint->DefaultFont());
  if (FSkinned && FHint && FHint->UseSkinFont()) {
    f->SetName(FRecord->fontname);
    f->SetHeight(FRecord->fontheight);
    f->SetStyle(FRecord->fontstyle);
  }
  if (FSkinData && FSkinData->ResourceStrData()) f->SetCharset(FSkinData->ResourceStrData()->CharSet());
  else if (FHint) f->SetCharset(FHint->DefaultFont()->Charset());
}

TSize TbsSkinHintWindow::MeasureText(const std::string& text) const {
  TBitmap measure(1, 1);
  TCanvas* c = measure.Canvas();
  PrepareFont(c);
  TRect r = Rect(0, 0, 0, 0);
  c->DrawText(text, r, DT_CALCRECT | DT_NOPREFIX);
  return TSize{r.Width(), r.Height()};
}

TRect TbsSkinHintWindow::CalcHintRect(int, const std::string& hint, void*) {
  Prepare();
  const TSize t = MeasureText(hint);
  return Rect(0, 0, t.cx + 4, t.cy + 4);
}

void TbsSkinHintWindow::ActivateHint(TRect anchor, const std::string& hint) {
  Prepare();
  if (!FHint) return;  // no active hint component: nothing is shown
  SetCaption(hint);
  const TSize t = MeasureText(hint);
  int w = t.cx + 4, h = t.cy + 4;
  if (FSkinned) {
    const TBitmap& pic = *FSkinData->PictureList[size_t(FRecord->windowpictureindex)];
    const TRect& cl = FRecord->clientrect;
    w = std::max(t.cx + pic.Width() - RectWidth(cl), pic.Width());
    h = std::max(t.cy + pic.Height() - RectHeight(cl), pic.Height());
    const int dx = w - pic.Width(), dy = h - pic.Height();
    FPoints.LeftTop = FRecord->lefttoppoint;
    FPoints.RightTop = Point(FRecord->righttoppoint.X + dx, FRecord->righttoppoint.Y);
    FPoints.LeftBottom = Point(FRecord->leftbottompoint.X, FRecord->leftbottompoint.Y + dy);
    FPoints.RightBottom = Point(FRecord->rightbottompoint.X + dx, FRecord->rightbottompoint.Y + dy);
    FPoints.Client = Rect(cl.Left, cl.Top, cl.Right + dx, cl.Bottom + dy);
  } else {
    FPoints = TbsSkinPoints{};
    FPoints.Client = Rect(2, 2, w - 2, h - 2);
  }
  // Where it would cross the screen's right or bottom edge it goes to the other side
  // of the anchor point.
  const TRect screen = GetMonitorRectAt(anchor.TopLeft());
  int x = anchor.Left, y = anchor.Top;
  if (x + w > screen.Right) x -= w + 2;
  if (y + h > screen.Bottom) y -= h + 2;
  SetBounds(x, y, w, h);
  ApplyAlpha();
  ApplyShape();
  SetWindowPos(Handle(), HWND_TOPMOST, x, y, w, h, SWP_SHOWWINDOW | SWP_NOACTIVATE);
  FVisible = true;
  Invalidate();
}

void TbsSkinHintWindow::ApplyAlpha() {
  if (!LayeredWindowsSupported() || !FHint) return;
  const HWND wnd = Handle();
  if (FHint->AlphaBlend()) {
    if (!FAlphaApplied) {
      SetWindowLong(wnd, GWL_EXSTYLE, LONG(GetWindowLong(wnd, GWL_EXSTYLE) | WS_EX_LAYERED));
      FAlphaApplied = true;
      FAlphaValue = -1;
    }
    if (FAlphaValue != FHint->AlphaBlendValue()) {
      FAlphaValue = FHint->AlphaBlendValue();
      SetLayeredWindowAttributes(wnd, 0, Byte(FAlphaValue), LWA_ALPHA);
    }
  } else if (FAlphaApplied) {
    SetWindowLong(wnd, GWL_EXSTYLE, LONG(GetWindowLong(wnd, GWL_EXSTYLE) & ~WS_EX_LAYERED));
    FAlphaApplied = false;
    FAlphaValue = -1;
  }
}

void TbsSkinHintWindow::ApplyShape() {
  const HWND wnd = Handle();
  if (FSkinned && FSkinData->IsValidPictureIndex(FRecord->maskpictureindex)) {
    const TBitmap& mask = *FSkinData->PictureList[size_t(FRecord->maskpictureindex)];
    const TbsDataSkinHintWindow& r = *FRecord;
    auto region = CreateFrameMaskRegion(r.lefttoppoint, r.righttoppoint, r.leftbottompoint, r.rightbottompoint,
                                        r.clientrect, FPoints.LeftTop, FPoints.RightTop, FPoints.LeftBottom,
                                        FPoints.RightBottom, FPoints.Client, Width(), Height(), mask);
    SetWindowRgn(wnd, region.get(), true);
    return;
  }
  SetWindowRgn(wnd, nullptr, true);
}

void TbsSkinHintWindow::WndProc(TMessage& m) {
  if (m.Msg == WM_NCPAINT) return;  // no frame of its own
  THintWindow::WndProc(m);
}

void TbsSkinHintWindow::Paint() {
  const int w = Width(), h = Height();
  TBitmap image(w, h);
  TCanvas* c = image.Canvas();
  PrepareFont(c);
  std::string text = Caption();
  if (FSkinned && !FSkinData->SkinEmpty) {
    const TbsDataSkinHintWindow& r = *FRecord;
    const TBitmap& pic = *FSkinData->PictureList[size_t(r.windowpictureindex)];
    BuildStretchSkinImage(r.lefttoppoint, r.righttoppoint, r.leftbottompoint, r.rightbottompoint, r.clientrect,
                          FPoints.LeftTop, FPoints.RightTop, FPoints.LeftBottom, FPoints.RightBottom, FPoints.Client,
                          pic, image, Rect(0, 0, pic.Width(), pic.Height()), w, h, true, r.leftstretch, r.topstretch,
                          r.rightstretch, r.bottomstretch);
    c = image.Canvas();
    PrepareFont(c);
    c->Font()->SetColor(r.fontcolor);
    c->Brush()->Style = TBrushStyle::bsClear;
    // Centred in the client rectangle, as a block of lines.
    TRect measure = Rect(0, 0, 0, 0);
    c->DrawText(text, measure, DT_CALCRECT | DT_NOPREFIX);
    TRect t = FPoints.Client;
    t.Top += (RectHeight(FPoints.Client) - measure.Height()) / 2;
    t.Bottom = t.Top + measure.Height();
    c->DrawText(text, t, DT_CENTER | DT_NOPREFIX);
  } else {
    c->Brush()->Style = TBrushStyle::bsSolid;
    c->Brush()->Color = ColorToRGB(clInfoBk);
    c->FillRect(Rect(0, 0, w, h));
    c->Brush()->Color = ColorToRGB(clBtnShadow);
    c->FrameRect(Rect(0, 0, w, h));
    c->Brush()->Style = TBrushStyle::bsClear;
    c->Font()->SetColor(clInfoText);
    TRect t = Rect(2, 2, w - 2, h - 2);
    c->DrawText(text, t, DT_LEFT | DT_TOP | DT_NOPREFIX);
  }
  Canvas()->CopyRect(Rect(0, 0, w, h), &image, Rect(0, 0, w, h));
}
