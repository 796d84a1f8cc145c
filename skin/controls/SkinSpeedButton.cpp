#include "skin/controls/SkinSpeedButton.h"

#include "framework/actions/Action.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/ImageList.h"
#include "skin/controls/SkinSpeedButtonActionLink.h"
#include "skin/controls/SkinToolBar.h"
#include "skin/data/ResourceStrData.h"
#include "skin/data/SkinData.h"
#include "skin/draw/DefaultLook.h"
#include "skin/draw/EffectBmp.h"

TbsSkinSpeedButton::TbsSkinSpeedButton(TComponent* AOwner) : TbsGraphicSkinCustomControl(AOwner) {
  // Clicks come from the button's own press and release rules.
  FControlStyle = {csCaptureMouse, csOpaque, csDoubleClicks, csSetCaption};
  FSkinDataName = "toolbutton";
  FWidth = 25;
  FHeight = 25;
}

TbsSkinSpeedButton::~TbsSkinSpeedButton() {
  FRepeatTimer.reset();
  FMorphTimer.reset();
  FActionLink.reset();
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

void TbsSkinSpeedButton::SetGlyph(const TBitmap* Value) {
  FGlyph.Assign(Value);
  Invalidate();
}

void TbsSkinSpeedButton::SetNumGlyphs(TbsNumGlyphs Value) {
  FNumGlyphs = Value < MinNumGlyphs ? MinNumGlyphs : Value > MaxNumGlyphs ? MaxNumGlyphs : Value;
  Invalidate();
}

void TbsSkinSpeedButton::SetLayout(TbsButtonLayout Value) {
  if (Value == FLayout) return;
  FLayout = Value;
  Invalidate();
}

void TbsSkinSpeedButton::SetMargin(int Value) {
  if (Value == FMargin || Value < -1) return;
  FMargin = Value;
  Invalidate();
}

void TbsSkinSpeedButton::SetSpacing(int Value) {
  if (Value == FSpacing) return;
  FSpacing = Value;
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

void TbsSkinSpeedButton::SetDown(bool Value) {
  if (Value == FDown) return;
  FDown = Value;
  if (MorphingInUse()) {
    if (FDown) {
      FMorph.Factor = 1;
      StopMorph();
    } else {
      StartMorphOrRepaint();
    }
  }
  Invalidate();
  if (FGroupIndex != 0 && FDown && !FAllowAllUp) ReleaseGroup();
}

void TbsSkinSpeedButton::ReleaseGroup() {
  if (!FParent) return;
  for (int i = 0; i < FParent->ControlCount(); ++i) {
    auto* b = dynamic_cast<TbsSkinSpeedButton*>(FParent->Controls(i));
    if (b && b != this && b->FGroupIndex == FGroupIndex && b->FDown) b->SetDown(false);
  }
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
TBasicAction* TbsSkinSpeedButton::Action() const { return FActionLink ? FActionLink->Action() : nullptr; }

void TbsSkinSpeedButton::SetAction(TBasicAction* Value) {
  if (LinkSkinAction<TbsSkinSpeedButtonActionLink>(this, FActionLink, Value))
    ActionChange(Value, IsLoading() || Value->IsLoading());
}

void TbsSkinSpeedButton::ActionChange(TBasicAction* Sender, bool CheckDefaults) {
  if (TakeActionValues(this, Sender, CheckDefaults)) Invalidate();
}

void TbsSkinSpeedButton::Loaded() {
  TbsGraphicSkinCustomControl::Loaded();
  if (TBasicAction* a = Action()) ActionChange(a, true);
}

// ---- skin -------------------------------------------------------------------------------
bool TbsSkinSpeedButton::AcceptsRecord(const TbsDataSkinControl* Record) const {
  return Record->As<TbsDataSkinButtonControl>() && TbsGraphicSkinCustomControl::AcceptsRecord(Record);
}

void TbsSkinSpeedButton::ReadSkinRecord() {
  TbsGraphicSkinCustomControl::ReadSkinRecord();
  auto* r = Record<TbsDataSkinButtonControl>();
  if (!r) {
    FMorphing = false;
    return;
  }
  FSkinFontName = r->fontname;
  FSkinFontHeight = r->fontheight;
  FSkinFontStyle = r->fontstyle;
  FFontColor = r->fontcolor;
  FActiveFontColor = r->activefontcolor;
  FDownFontColor = r->downfontcolor;
  FDisabledFontColor = r->disabledfontcolor;
  FActiveSkinRect = IsNullRect(r->activeskinrect) ? r->skinrect : r->activeskinrect;
  FDownSkinRect = IsNullRect(r->downskinrect) ? FActiveSkinRect : r->downskinrect;
  FDisabledSkinRect = r->disabledskinrect;
  FMorphing = r->morphing && !FTransparent;
  FMorphKind = r->morphkind;
}

void TbsSkinSpeedButton::ApplySkinChange() {
  StopMorph();
  FMorph.Factor = 0;
  TbsGraphicSkinCustomControl::ApplySkinChange();
  if (MorphingInUse() && FMouseIn) FMorph.Factor = 1;
}

// ---- painting ---------------------------------------------------------------------------
void TbsSkinSpeedButton::SetDefaultCanvasFont(TCanvas* C) const {
  C->Font()->Assign(&FDefaultFont);
  if (FSD && FSD->ResourceStrData()) C->Font()->SetCharset(FSD->ResourceStrData()->CharSet());
  if (!FEnabled) C->Font()->SetColor(clBtnShadow);
}

void TbsSkinSpeedButton::SetSkinCanvasFont(TCanvas* C, bool Active, bool IsDown) const {
  if (FUseSkinFont) {
    C->Font()->SetName(FSkinFontName);
    C->Font()->SetHeight(FSkinFontHeight);
    C->Font()->SetStyle(FSkinFontStyle);
  } else {
    C->Font()->Assign(&FDefaultFont);
  }
  C->Font()->SetCharset(FSD && FSD->ResourceStrData() ? FSD->ResourceStrData()->CharSet() : FDefaultFont.Charset());
  TColor color = FFontColor;
  if (!FEnabled)
    color = FDisabledFontColor;
  else if (Active && IsDown)
    color = FDownFontColor;
  else if (Active)
    color = FActiveFontColor;
  C->Font()->SetColor(color);
}

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
  SetDefaultCanvasFont(c);
  DrawContent(c, ClientRect(), pressed);
}

void TbsSkinSpeedButton::DrawButtonImage(TBitmap& B, const TRect& R, bool Active, bool IsDown) {
  DrawSkinRect(B, Picture(), R);
  TCanvas* c = B.Canvas();
  SetSkinCanvasFont(c, Active, IsDown);
  DrawGlyphAndText(c, FNew.Client, FMargin, Active && IsDown, GlyphCell(IsDown, Active, FEnabled, FNumGlyphs),
                   FNumGlyphs, FGlyph, ShownCaption(), FLayout, FSpacing);
}

void TbsSkinSpeedButton::Paint() {
  if (Width() <= 0 || Height() <= 0) return;
  TCanvas* canvas = Canvas();
  if (!canvas) return;
  ReadSkinRecord();
  if (FIndex == -1) {
    if (PressedLook() || FMouseIn || !FTransparent) {
      TbsGraphicSkinCustomControl::Paint();
      return;
    }
    // Transparent and at rest: only glyph and caption over the parent.
    SetDefaultCanvasFont(canvas);
    DrawContent(canvas, ClientRect(), false);
    return;
  }
  if (FMorphing && FMorph.Factor > 0 && FMorph.Factor < 1 && !FTransparent) {
    TBitmap normal(Width(), Height()), hot(Width(), Height());
    DrawButtonImage(normal, FSkinRect, false, false);
    DrawButtonImage(hot, FActiveSkinRect, true, false);
    TbsEffectBmp a(normal), b(hot);
    a.MorphBy(static_cast<TbsMorphKind>(static_cast<int>(FMorphKind)), b, FMorph.Factor);
    a.DrawTo(canvas, 0, 0);
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
void TbsSkinSpeedButton::StartMorphOrRepaint() {
  if (!MorphingInUse()) {
    Invalidate();
    return;
  }
  if (FMorphTimer) return;
  FMorphTimer = std::make_unique<TTimer>(nullptr);
  FMorphTimer->SetInterval(MorphInterval);
  FMorphTimer->OnTimer = [this](TObject*) { MorphTick(); };
}

void TbsSkinSpeedButton::StopMorph() { FMorphTimer.reset(); }

void TbsSkinSpeedButton::MorphTick() {
  if (!MorphingInUse()) {
    FMorph.Factor = FMouseIn ? 1 : 0;
    StopMorph();
    return;
  }
  if (!FMorph.Advance(FMouseIn)) StopMorph();
  Invalidate();
}

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
  TbsGraphicSkinCustomControl::MouseDown(Button, Shift, X, Y);
  if (alive.expired() || Button != mbLeft || !FEnabled) return;
  FMousePressed = true;
  if (!FDown) {
    FMouseIn = true;
    SetDown(true);
    if (FRepeatMode && FGroupIndex == 0)
      StartRepeat();
    else if (FGroupIndex != 0)
      ButtonClick();
    if (alive.expired()) return;
    FSecondPress = false;
  } else if (FGroupIndex != 0) {
    FSecondPress = true;
  }
}

void TbsSkinSpeedButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  std::weak_ptr<bool> alive = FButtonAlive;
  TbsGraphicSkinCustomControl::MouseUp(Button, Shift, X, Y);
  if (alive.expired() || Button != mbLeft) return;
  FMousePressed = false;
  if (FGroupIndex == 0) {
    StopRepeat();
    if (FMouseIn) {
      SetDown(false);
      ButtonClick();
    } else {
      FDown = false;
      Invalidate();
    }
  } else if (FDown && FAllowAllUp && FSecondPress && FMouseIn) {
    SetDown(false);
    ButtonClick();
  }
}

void TbsSkinSpeedButton::HoverRepaint() {
  if (FGroupIndex != 0 && FDown) return;
  if (FDown) {
    if (MorphingInUse()) FMorph.Factor = 1;
    Invalidate();
  } else {
    StartMorphOrRepaint();
  }
}

void TbsSkinSpeedButton::CMMouseEnter(TMessage& Message) {
  std::weak_ptr<bool> alive = FButtonAlive;
  TbsGraphicSkinCustomControl::CMMouseEnter(Message);
  if (alive.expired() || Designing() || !FEnabled) return;
  FMouseIn = true;
  HoverRepaint();
  if (FDown && FRepeatMode && FGroupIndex == 0 && FMousePressed) StartRepeat();
}

void TbsSkinSpeedButton::CMMouseLeave(TMessage& Message) {
  std::weak_ptr<bool> alive = FButtonAlive;
  TbsGraphicSkinCustomControl::CMMouseLeave(Message);
  if (alive.expired() || Designing()) return;
  FMouseIn = false;
  HoverRepaint();
  if (FGroupIndex == 0) StopRepeat();
}

void TbsSkinSpeedButton::CMEnabledChanged(TMessage& Message) {
  StopMorph();
  if (FMorphing) FMorph.Factor = 0;
  FMouseIn = false;
  TbsGraphicSkinCustomControl::CMEnabledChanged(Message);
  Invalidate();
}

void TbsSkinSpeedButton::CMTextChanged(TMessage& Message) {
  TbsGraphicSkinCustomControl::CMTextChanged(Message);
  Invalidate();
}
