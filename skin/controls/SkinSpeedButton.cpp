#include "skin/controls/SkinSpeedButton.h"

#include "framework/actions/Action.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/ImageList.h"
#include "skin/controls/SkinSpeedButtonActionLink.h"
#include "skin/controls/SkinToolBar.h"
#include "skin/data/SkinData.h"
#include "skin/draw/DefaultLook.h"

TbsSkinSpeedButton::TbsSkinSpeedButton(TComponent* AOwner) : TbsSkinGlyphButtonOf(AOwner) {
  // Clicks come from the button's own press and release rules.
  FControlStyle = {csCaptureMouse, csOpaque, csDoubleClicks, csSetCaption};
  FSkinDataName = "toolbutton";
  FWidth = 25;
  FHeight = 25;
}

TbsSkinSpeedButton::~TbsSkinSpeedButton() {
  FRepeatTimer.reset();
  ReleaseBehaviour();
}

// ---- properties -------------------------------------------------------------------------
void TbsSkinSpeedButton::SetShowCaption(bool Value) {
  if (Value == FShowCaption) return;
  FShowCaption = Value;
  if (FWidthWithCaption > 0 && FWidthWithoutCaption > 0)
    SetWidth(FShowCaption ? FWidthWithCaption : FWidthWithoutCaption);
  else
    Invalidate();
}

void TbsSkinSpeedButton::SetImageIndex(int Value) {
  FImageIndex = Value;
  if (ToolBar()) Invalidate();
}

void TbsSkinSpeedButton::SetFlat(bool Value) {
  FFlat = Value;
  SetTransparent(Value);
}

void TbsSkinSpeedButton::SetTransparent(bool Value) {
  FTransparent = Value;
  if (Value)
    FControlStyle.Exclude(csOpaque);
  else
    FControlStyle.Include(csOpaque);
  // The fade blends two opaque images: a transparent button shows no fade.
  if (Value) StopMorph();
  Invalidate();
}

TbsSkinToolBar* TbsSkinSpeedButton::ToolBar() const { return dynamic_cast<TbsSkinToolBar*>(FParent); }

void TbsSkinSpeedButton::ButtonClick() {
  if (OnClick) {
    TNotifyEvent handler = OnClick;  // the handler may free this button
    handler(this);
  } else if (FActionLink && !Designing()) {
    FActionLink->Execute(this);
  }
}

// ---- action -----------------------------------------------------------------------------
void TbsSkinSpeedButton::SetAction(TBasicAction* Value) {
  if (LinkSkinAction<TbsSkinSpeedButtonActionLink>(this, FActionLink, Value))
    ActionChange(Value, IsLoading() || Value->IsLoading());
}

// ---- painting ---------------------------------------------------------------------------
void TbsSkinSpeedButton::DrawContent(TCanvas* C, const TRect& r, bool pressed) const {
  TbsSkinToolBar* bar = ToolBar();
  if (!FGlyph.Empty() || !bar) {
    DrawGlyphAndText(C, r, FMargin, pressed, GlyphCell(FDown, FMouseIn, FEnabled, FNumGlyphs), FNumGlyphs, FGlyph,
                     ShownCaption(), FLayout, FSpacing);
    return;
  }
  const TImageList* images = bar->Images();
  bool enabled = FEnabled;
  if ((FMouseIn || FDown) && bar->HotImages()) {
    images = bar->HotImages();
  } else if (!FEnabled && bar->DisabledImages()) {
    images = bar->DisabledImages();
    enabled = true;  // the list's own disabled look
  }
  DrawImageAndText(C, r, FMargin, FDown && FMouseIn, images, FImageIndex, enabled, ShownCaption(), FLayout,
                   FSpacing);
}

void TbsSkinSpeedButton::DrawDefaultImage(TBitmap& B) {
  TCanvas* c = B.Canvas();
  const TRect r = ClientRect();
  const bool pressed = PressedLook();
  c->Brush()->Style = TBrushStyle::bsSolid;
  if (pressed || FMouseIn || Designing() || !FFlat) {
    DrawDefaultFace(c, r, pressed ? facePressed : FMouseIn ? faceHot : faceNormal);
  } else if (!FTransparent) {
    FillDefaultFace(c, r);
  }
  UseDefaultFont(c->Font());
  DrawContent(c, ClientRect(), pressed);
}

void TbsSkinSpeedButton::Paint() {
  if (Width() <= 0 || Height() <= 0) return;
  TCanvas* canvas = Canvas();
  if (!canvas) return;
  ReadSkinRecord();
  if (FIndex == -1) {
    if (PressedLook() || FMouseIn || !FTransparent) {
      TbsSkinGlyphButtonOf::Paint();
      return;
    }
    // Transparent and at rest: only glyph and caption over the parent.
    UseDefaultFont(canvas->Font());
    DrawContent(canvas, ClientRect(), false);
    return;
  }
  if (Fading() && !FTransparent) {
    DrawMorph(canvas);
    return;
  }
  TBitmap B(Width(), Height());
  if (PressedLook()) {
    DrawButtonImage(B, FDownSkinRect, true, true);
  } else if (FMouseIn || (FMorphing && FMorph.Factor == 1)) {
    DrawButtonImage(B, FActiveSkinRect, true, false);
  } else if (FTransparent) {
    SetSkinCanvasFont(canvas, false, false);
    DrawGlyphAndText(canvas, FNew.Client, FMargin, false, GlyphCell(FDown, false, FEnabled, FNumGlyphs), FNumGlyphs,
                     FGlyph, ShownCaption(), FLayout, FSpacing);
    return;
  } else if (!FEnabled && !IsNullRect(FDisabledSkinRect)) {
    DrawButtonImage(B, FDisabledSkinRect, false, false);
  } else {
    DrawButtonImage(B, FSkinRect, false, false);
  }
  canvas->Draw(0, 0, &B);
}

// ---- timers -----------------------------------------------------------------------------
void TbsSkinSpeedButton::StartRepeat() {
  StopRepeat();
  FRepeatTimer = std::make_unique<TTimer>(nullptr);
  FRepeatTimer->SetInterval(unsigned(FRepeatInterval > 0 ? FRepeatInterval : 1));
  FRepeatTimer->OnTimer = [this](TObject*) { ButtonClick(); };
}

void TbsSkinSpeedButton::StopRepeat() { FRepeatTimer.reset(); }

// ---- mouse ------------------------------------------------------------------------------
void TbsSkinSpeedButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  std::weak_ptr<bool> alive = FButtonAlive;
  TbsSkinGlyphButtonOf::MouseDown(Button, Shift, X, Y);
  if (alive.expired() || Button != mbLeft || !FEnabled) return;
  PressDown();
}

void TbsSkinSpeedButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  std::weak_ptr<bool> alive = FButtonAlive;
  TbsSkinGlyphButtonOf::MouseUp(Button, Shift, X, Y);
  if (alive.expired() || Button != mbLeft) return;
  ReleaseUp();
}

void TbsSkinSpeedButton::HoverRepaint() {
  if (FGroupIndex != 0 && FDown) return;
  RepaintHover();
}

void TbsSkinSpeedButton::CMMouseEnter(TMessage& Message) {
  if (!PassMouseCrossing(Message, true) || !FEnabled) return;
  FMouseIn = true;
  HoverRepaint();
  if (FDown && FRepeatMode && FGroupIndex == 0 && FMousePressed) StartRepeat();
}

void TbsSkinSpeedButton::CMMouseLeave(TMessage& Message) {
  if (!PassMouseCrossing(Message, false)) return;
  FMouseIn = false;
  HoverRepaint();
  if (FGroupIndex == 0) StopRepeat();
}

void TbsSkinSpeedButton::CMTextChanged(TMessage& Message) {
  TbsSkinGlyphButtonOf::CMTextChanged(Message);
  Invalidate();
}
