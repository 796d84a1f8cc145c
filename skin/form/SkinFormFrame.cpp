// The frame side of TbsSkinForm: the frame's messages, applying a skin, the default and
// the skinned frame's layout and painting, the window shape and the client background.
#include <algorithm>

#include "framework/graphics/Canvas.h"
#include "framework/menus/MainMenu.h"
#include "framework/messages/MessageViews.h"
#include "framework/windows/Forms.h"
#include "framework/windows/Timers.h"
#include "framework/windows/Windows.h"
#include "skin/controls/SkinControl.h"
#include "skin/data/ResourceStrData.h"
#include "skin/data/SkinData.h"
#include "skin/data/SkinMessageViews.h"
#include "skin/data/SkinMessages.h"
#include "skin/draw/EffectBmp.h"
#include "skin/draw/FrameStrips.h"
#include "skin/draw/SkinGeometry.h"
#include "skin/draw/SkinText.h"
#include "skin/form/SkinAnimateObject.h"
#include "skin/form/SkinCaptionObject.h"
#include "skin/form/SkinForm.h"
#include "skin/form/SkinStdButtonObject.h"

namespace {
constexpr int Border = 3;
constexpr int ButtonTop = 4;

bool IsToolWindow(const TCustomForm* f) {
  return f->BorderStyle() == bsToolWindow || f->BorderStyle() == bsSizeToolWin;
}

// Makes the window system recalculate the frame (and the form realign its controls):
// the width moves by one pixel and back.
void NudgeFormWidth(TCustomForm* f, int minWidth) {
  const int w = f->Width();
  f->SetWidth(w - 1 < minWidth ? w + 1 : w - 1);
  f->SetWidth(w);
}

void ApplyInactiveEffect(TBitmap& b, TInactiveEffect effect) {
  if (b.Empty()) return;
  TbsEffectBmp e(b);
  switch (effect) {
    case ieBrightness: e.Brightness(0.5); break;
    case ieDarkness: e.Darkness(0.3); break;
    case ieGrayScale: e.Grayscale(); break;
    case ieNoise: e.Noise(50); break;
    case ieSplitBlur: e.SplitBlur(1); break;
    case ieInvert: e.Invert(); break;
  }
  e.CopyTo(b);
}

// Tiles tile (its rectangle src) over the canvas from (0, 0) to w x h.
void TileOver(TCanvas* c, const TBitmap& pic, const TRect& src, int w, int h) {
  const int tw = RectWidth(src), th = RectHeight(src);
  if (tw <= 0 || th <= 0) return;
  for (int row = 0; row <= h / th; ++row)
    for (int col = 0; col <= w / tw; ++col)
      c->CopyRect(Rect(col * tw, row * th, col * tw + tw, row * th + th), &pic, src);
}
}  // namespace

// ---- sizes ------------------------------------------------------------------------------

int TbsSkinForm::DefaultCaptionHeight() const { return FForm && IsToolWindow(FForm) ? 15 : 19; }

int TbsSkinForm::MinimumHeight() const { return SizeLimits().MinimumHeight(); }

// The minimised bar is the picture's width even when MinWidth asks for more.
int TbsSkinForm::MinimumWidth() const { return SizeLimits().MinimumWidth(); }

bool TbsSkinForm::SkinFrame() const { return FSkinActive && FFrame.Skinned && FSkinData; }

TRect TbsSkinForm::FrameClientRect() const {
  if (!FForm) return TRect{};
  const int w = FForm->Width(), h = FForm->Height();
  if (FForm->BorderStyle() == bsNone) return Rect(0, 0, w, h);
  if (SkinFrame()) return ComputeFrameGeometry(*FSkinData, w, h).Client;
  return Rect(Border, DefaultCaptionHeight() + Border, w - Border, h - Border);
}

// ---- messages ---------------------------------------------------------------------------

bool TbsSkinForm::FrameMessage(TMessage& m) {
  std::weak_ptr<bool> alive = FAlive;
  const bool framed = FForm->BorderStyle() != bsNone;
  switch (m.Msg) {
    case WM_SIZE: {
      if (FForm->InSizeMove() && GetDragFullWindows()) {
        // The size loop already rebuilt the frame for this size at WM_SIZING.
        if (!FLogoBitMap.Empty()) FForm->Invalidate();
        Forward(m);
        return true;
      }
      Forward(m);
      if (alive.expired()) return true;
      FFrame.Width = FForm->Width();
      FFrame.Height = FForm->Height();
      if (!SkinFrame()) {
        if (FForm->HandleAllocated()) FForm->Perform(WM_NCPAINT, 0, 0);
      } else if (FFrame.Width >= MinimumWidth() && FFrame.Height >= MinimumHeight()) {
        RebuildFrame(FFrame.Width, FFrame.Height);
      }
      if (FAlphaBlend && FAlphaBlendValue != 255 && FForm->HandleAllocated()) {
        FForm->Perform(WM_NCPAINT, 0, 0);
        FForm->Invalidate();
      }
      if (!FLogoBitMap.Empty()) FForm->Invalidate();
      return true;
    }
    case WM_SIZING: {
      if (!(FForm->InSizeMove() && GetDragFullWindows())) return false;
      Forward(m);
      if (alive.expired()) return true;
      if (const TRect* r = TRectMessage(m).Rect) {
        FFrame.Width = RectWidth(*r);
        FFrame.Height = RectHeight(*r);
      }
      if (SkinFrame() && FForm->Width() >= MinimumWidth() && FForm->Height() >= MinimumHeight())
        RebuildFrame(FFrame.Width, FFrame.Height);
      return true;
    }
    case WM_SETTEXT:
      Forward(m);
      if (!alive.expired() && framed && FForm->HandleAllocated()) FForm->Perform(WM_NCPAINT, 0, 0);
      return true;
    case WM_ERASEBKGND:
      if (FForm->FormStyle() == fsMDIForm) return false;
      PaintClientBackground(TPaintMessage(m).Canvas);
      m.Result = 1;
      return true;
    case WM_NCCALCSIZE: {
      TRect* r = TRectMessage(m).Rect;
      if (r && framed) {
        if (SkinFrame()) {
          const TRect c = FSkinData->clientrect;
          r->Left += c.Left;
          r->Top += c.Top;
          r->Right += c.Right - FSkinData->SkinPicture->Width();
          r->Bottom += c.Bottom - FSkinData->SkinPicture->Height();
        } else {
          r->Left += Border;
          r->Right -= Border;
          r->Bottom -= Border;
          r->Top += DefaultCaptionHeight() + Border;
        }
        r->Right = std::max(r->Right, r->Left);
        r->Bottom = std::max(r->Bottom, r->Top);
      }
      m.Result = 0;
      return true;
    }
    case WM_NCHITTEST: {
      const TPoint p = ScreenToWindow(TScreenPointMessage(m).Pos);
      m.Result = FrameHitTest(p);
      if (!FHoverTimer->Enabled() && m.Result == HTOBJECT) {
        TrackHover(p);
        if (!alive.expired()) FHoverTimer->SetEnabled(true);
      }
      return true;
    }
    case WM_NCPAINT:
      if (framed) {
        if (SkinFrame()) PaintSkinFrame();
        else PaintDefaultFrame();
      }
      m.Result = 0;
      return true;
    case WM_SYNCPAINT:
      if (!FRollUpState) return false;
      FForm->Perform(WM_NCPAINT, 0, 0);
      m.Result = 0;
      return true;
    case SKINMSG_BEFORECHANGE: {
      TbsSkinData* data = TSkinChangeMessage(m).Data;
      if (data && data == FSkinData) {
        FSkinActive = false;
        FFrame.Skinned = false;
        for (TTimer* t : {FMorphTimer.get(), FAnimationTimer.get(), FHoverTimer.get()}) t->SetEnabled(false);
        CloseSkinMenus();
        if (alive.expired()) return true;
        ClearObjects();
        NotifySkinControls(FForm, data, true);
        if (alive.expired()) return true;
        // The old skin's shape and margins go now: a load that fails after this point
        // sends nothing more, and the frame must not keep the pictures being cleared.
        FFrame.Shape.Clear();
        if (FForm->HandleAllocated()) {
          SetWindowRgn(FForm->HandleValue(), nullptr, true);
          FFrame.Region.reset();
          SetWindowPos(FForm->HandleValue(), 0, 0, 0, 0, 0, SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER);
          // The controls' images still show the old skin; they repaint from their
          // records, or in their default look when no new skin arrives.
          RedrawWindow(FForm->HandleValue(), nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN);
        }
      }
      if (!alive.expired()) Forward(m);
      return true;
    }
    case SKINMSG_CHANGE: {
      TbsSkinData* data = TSkinChangeMessage(m).Data;
      if (data && data == FSkinData) ApplySkin();
      if (alive.expired()) return true;
      NotifySkinControls(FForm, data, false);
      if (!alive.expired()) Forward(m);
      return true;
    }
    case SKINMSG_STRINGSCHANGE:
      FillObjectHints();
      Forward(m);
      return true;
    default:
      return false;
  }
}

// The framework asks once per key press, so every press that matches fires its item.
void TbsSkinForm::ShortCut(TMessage& m, bool& handled) {
  TMainMenu* menu = nullptr;
  for (int i = 0; FForm && i < FForm->ComponentCount() && !menu; ++i)
    menu = dynamic_cast<TMainMenu*>(FForm->Components(i));
  if (!menu) return;
  if (menu->IsShortCut(m)) handled = true;
}

// ---- applying a skin --------------------------------------------------------------------

void TbsSkinForm::ApplySkin() {
  std::weak_ptr<bool> alive = FAlive;
  FHotIndex = FOldHotIndex = FPressedIndex = -1;
  FSkinActive = FSkinData && !FSkinData->SkinEmpty;
  FFrame.Skinned = FSkinActive && SkinFrameUsable(*FSkinData);
  if (FFrame.Skinned) {
    CreateSkinObjects();
    ApplyButtonVisibility();
  } else {
    // No skin, or one that cannot draw a frame: the default frame and its buttons.
    CreateDefaultButtons();
  }
  FSkinChanging = true;
  if (FForm) {
    const int mw = MinimumWidth(), mh = MinimumHeight();
    const int w = FForm->Width(), h = FForm->Height();
    if (w < mw && h < mh) FForm->SetBounds(FForm->Left(), FForm->Top(), mw, mh);
    else if (h < mh) FForm->SetHeight(mh);
    else if (w < mw) FForm->SetWidth(mw);
    else NudgeFormWidth(FForm, mw);
    if (alive.expired()) return;
    if (FRollUpState || FWindowState == TbsWindowState::wsMinimized) FForm->SetHeight(mh);
    if (FWindowState == TbsWindowState::wsMinimized) FForm->SetWidth(mw);
    if (alive.expired()) return;
    FFrame.Width = FForm->Width();
    FFrame.Height = FForm->Height();
    RebuildFrame(FFrame.Width, FFrame.Height);
    if (FForm->HandleAllocated()) {
      FForm->Perform(WM_NCPAINT, 0, 0);
      FForm->Invalidate();
    }
  }
  UpdateActiveState(true);
  if (alive.expired()) return;
  FHoverTimer->SetEnabled(true);
  if (OnChangeSkinData) OnChangeSkinData(this);
  if (alive.expired()) return;
  FSkinChanging = false;
  if (FForm && FClientWidth > 0) FForm->SetClientWidth(FClientWidth);
  if (FForm && FClientHeight > 0) FForm->SetClientHeight(FClientHeight);
}

void TbsSkinForm::RebuildFrame(int w, int h) {
  FFrame.Width = w;
  FFrame.Height = h;
  if (SkinFrame()) {
    FFrame.Geometry = ComputeFrameGeometry(*FSkinData, w, h);
    LayoutSkinObjects();
  }
  UpdateRegion();
}

void TbsSkinForm::UpdateRegion() {
  if (!FForm || !FForm->HandleAllocated() || FForm->BorderStyle() == bsNone) return;
  const HWND wnd = FForm->HandleValue();
  std::unique_ptr<TRegion> region;
  if (SkinFrame()) region = FFrame.Shape.Build(*FSkinData, FFrame.Geometry);
  else FFrame.Shape.Clear();
  if (region) {
    SetWindowRgn(wnd, region.get(), true);
    FFrame.Region = std::move(region);
    return;
  }
  SetWindowRgn(wnd, nullptr, true);
  FFrame.Region.reset();
  FForm->Perform(WM_NCPAINT, 0, 0);
}

// ---- default frame -----------------------------------------------------------------------

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
    int bw = size, bh = size;
    if (FShowIcon) {
      bw = SmallIconSize().X;
      bh = SmallIconSize().Y;
    }
    b->ObjectRect = Rect(Border, ButtonTop, Border + bw, ButtonTop + bh);
    FDefaultCaptionRect.Left = Border + bw;
    break;
  }
}

void TbsSkinForm::PaintDefaultFrame() {
  if (!FForm || !FForm->HandleAllocated()) return;
  if (FObjects.empty()) CreateDefaultButtons();
  DefaultLayout();
  const int w = FForm->Width(), h = FForm->Height(), ch = DefaultCaptionHeight();
  if (w - 6 <= 0 || ch <= 0) return;
  TBitmap& cap = FFrame.CaptionBitmap;
  cap.SetSize(w - 6, ch);
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
  FFrame.CaptionText = text;
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

// ---- skinned frame ---------------------------------------------------------------------

void TbsSkinForm::LayoutSkinObjects() {
  if (!SkinFrame()) return;
  const TbsFormFrameGeometry& g = FFrame.Geometry;
  const int dx = g.W - g.PW, dy = g.H - g.PH;
  TbsSkinCaptionObject* caption = nullptr;
  for (auto& o : FObjects) {
    if (!caption) caption = dynamic_cast<TbsSkinCaptionObject*>(o.get());
    if (!o->SkinRectInAPicture) o->ObjectRect = MapFrameObjectRect(*FSkinData, o->SkinRect, dx, dy);
  }
  const bool inButtons = !IsNullRect(g.Buttons);
  const TRect row = inButtons ? g.Buttons : g.Caption;
  if (IsNullRect(row)) return;

  // The row's buttons: the standard commands in order, then the custom buttons.
  auto drawnByItself = [](TbsActiveSkinObject* o) { return o->SkinRectInAPicture && o->Visible; };
  std::vector<TbsActiveSkinObject*> buttons;
  TbsSkinStdButtonObject* sys = nullptr;
  for (TStdCommand command : {cmClose, cmMaximize, cmMinimize, cmRollUp, cmMinimizeToTray})
    for (auto& o : FObjects)
      if (auto* b = dynamic_cast<TbsSkinStdButtonObject*>(o.get()); b && b->Command == command && drawnByItself(b))
        buttons.push_back(b);
  for (auto& o : FObjects) {
    auto* b = dynamic_cast<TbsSkinButtonObject*>(o.get());
    if (!b || !drawnByItself(b)) continue;
    auto* sb = dynamic_cast<TbsSkinStdButtonObject*>(b);
    if (!sb || sb->Command == cmDefault) buttons.push_back(b);
    else if (sb->Command == cmSysMenu && !sys) sys = sb;
  }
  auto size = [&](TbsActiveSkinObject* o) {
    if (o == sys && FShowIcon) return SmallIconSize();
    return Point(RectWidth(o->SkinRect), RectHeight(o->SkinRect));
  };
  const int offset = g.ButtonsOffset;
  if (g.ButtonsInLeft) {
    int x = row.Left;
    if (!inButtons && sys) buttons.push_back(sys);
    for (TbsActiveSkinObject* o : buttons) {
      const TPoint s = size(o);
      o->ObjectRect = Rect(x, row.Top, x + s.X, row.Top + s.Y);
      x += s.X + offset;
    }
    if (!inButtons && caption) caption->ObjectRect.Left = x;
    return;
  }
  int x = row.Right;
  for (TbsActiveSkinObject* o : buttons) {
    const TPoint s = size(o);
    o->ObjectRect = Rect(x - s.X, row.Top, x, row.Top + s.Y);
    x -= s.X + offset;
  }
  if (!inButtons && caption) caption->ObjectRect.Right = x + offset;
  if (sys && !IsNullRect(g.Caption)) {
    const TPoint s = size(sys);
    const int top = g.Caption.Top + (RectHeight(g.Caption) - s.Y) / 2;
    sys->ObjectRect = Rect(g.Caption.Left, top, g.Caption.Left + s.X, top + s.Y);
    if (caption) caption->ObjectRect.Left = sys->ObjectRect.Right;
  }
}

void TbsSkinForm::PaintSkinFrame() {
  if (!FForm || !FForm->HandleAllocated() || !SkinFrame()) return;
  const int w = FForm->Width(), h = FForm->Height();
  if (w < MinimumWidth() || h < MinimumHeight()) return;
  FFrame.Geometry = ComputeFrameGeometry(*FSkinData, w, h);
  LayoutSkinObjects();
  const TbsSkinData& s = *FSkinData;
  const TbsFormFrameGeometry& g = FFrame.Geometry;
  const bool active = FormActive();
  const TBitmap* inactive = s.SkinInactivePicture.get();
  // An inactive picture of another size would be cut at the main picture's points.
  const bool useInactive = !active && inactive && !inactive->Empty() && inactive->Width() == g.PW &&
                           inactive->Height() == g.PH;
  const TBitmap& pic = useInactive ? *inactive : *s.SkinPicture;
  TBitmap& top = FFrame.Top;
  TBitmap& bottom = FFrame.Bottom;
  TBitmap& left = FFrame.Left;
  TBitmap& right = FFrame.Right;
  BuildStretchFrameStrips(s.lefttoppoint, s.righttoppoint, s.leftbottompoint, s.clientrect, s.rightbottompoint, g.LT,
                          g.RT, g.LB, g.RB, g.Client, s.leftstretch, s.topstretch, s.rightstretch, s.bottomstretch, w,
                          h, Rect(0, 0, g.PW, g.PH), pic, top, bottom, left, right);
  for (auto& o : FObjects) {
    if (!o->Visible) continue;
    if (o->ObjectRect.Bottom > g.Client.Top) {
      if (bottom.Empty()) continue;
      bottom.Canvas()->SetOrigin(Point(0, -g.Client.Bottom));
      o->Draw(bottom.Canvas(), false);
      bottom.Canvas()->SetOrigin(Point(0, 0));
    } else if (!top.Empty()) {
      o->Draw(top.Canvas(), false);
    }
  }
  if (!active && s.autorenderinginactiveimage)
    for (TBitmap* b : {&top, &bottom, &left, &right}) ApplyInactiveEffect(*b, s.inactiveeffect);
  TCanvas* wc = GetWindowCanvas(FForm->HandleValue());
  if (!wc) return;
  wc->SaveState();
  wc->ExcludeClipRect(g.Client);
  if (!top.Empty()) wc->Draw(0, 0, &top);
  if (!left.Empty()) wc->Draw(0, top.Height(), &left);
  if (!right.Empty()) wc->Draw(w - right.Width(), top.Height(), &right);
  if (!bottom.Empty()) wc->Draw(0, h - bottom.Height(), &bottom);
  wc->RestoreState();
}

// ---- client background -------------------------------------------------------------------

void TbsSkinForm::PaintClientBackground(TCanvas* c) {
  if (!c || !FForm) return;
  const TRect cr = FForm->ClientRect();
  const int cw = RectWidth(cr), ch = RectHeight(cr);
  c->Brush()->Style = TBrushStyle::bsSolid;
  c->Brush()->Color = ColorToRGB(clBtnFace);
  bool filled = false;
  if (FSkinActive) {
    const TbsSkinData& s = *FSkinData;
    if (s.bgpictureindex == -1) {
      if (SkinFrame() && !IsNullRect(s.clientrect)) {
        TileOver(c, *s.SkinPicture, s.clientrect, cw, ch);
        filled = true;
      }
    } else if (s.IsValidPictureIndex(s.bgpictureindex)) {
      const TBitmap& tile = *s.PictureList[size_t(s.bgpictureindex)];
      if (!tile.Empty()) {
        TileOver(c, tile, Rect(0, 0, tile.Width(), tile.Height()), cw, ch);
        filled = true;
      }
    }
  }
  if (!filled) c->FillRect(Rect(0, 0, cw, ch));
  if (!FLogoBitMap.Empty()) {
    const int x = std::max(0, cw / 2 - FLogoBitMap.Width() / 2);
    const int y = std::max(0, ch / 2 - FLogoBitMap.Height() / 2);
    FLogoBitMap.SetTransparent(FLogoBitMapTransparent);
    c->Draw(x, y, &FLogoBitMap);
  }
}
