#include "skin/controls/SkinButtonBehaviour.h"

#include "framework/actions/Action.h"
#include "framework/graphics/Canvas.h"
#include "framework/messages/MessageViews.h"
#include "framework/windows/Windows.h"
#include "skin/controls/SkinActionLink.h"
#include "skin/data/SkinData.h"
#include "skin/draw/EffectBmp.h"
#include "skin/draw/SkinGeometry.h"

// ---- TbsSkinButtonBehaviour --------------------------------------------------------------
template <class TBase, class TRecord>
TBasicAction* TbsSkinButtonBehaviour<TBase, TRecord>::Action() const {
  return FActionLink ? FActionLink->Action() : nullptr;
}

template <class TBase, class TRecord>
void TbsSkinButtonBehaviour<TBase, TRecord>::ActionChange(TBasicAction* Sender, bool CheckDefaults) {
  if (TakeActionValues(this, Sender, CheckDefaults)) this->Invalidate();
}

template <class TBase, class TRecord>
void TbsSkinButtonBehaviour<TBase, TRecord>::Loaded() {
  TBase::Loaded();
  if (TBasicAction* a = Action()) ActionChange(a, true);
}

template <class TBase, class TRecord>
bool TbsSkinButtonBehaviour<TBase, TRecord>::AcceptsRecord(const TbsDataSkinControl* Record) const {
  return Record->As<TRecord>() && TBase::AcceptsRecord(Record);
}

template <class TBase, class TRecord>
void TbsSkinButtonBehaviour<TBase, TRecord>::ReadSkinRecord() {
  TBase::ReadSkinRecord();
  auto* r = this->template Record<TRecord>();
  if (!r) {
    FMorphing = false;
    return;
  }
  FSkinFont.Read(*r);
  FFontColor = r->fontcolor;
  FActiveFontColor = r->activefontcolor;
  FActiveSkinRect = IsNullRect(r->activeskinrect) ? r->skinrect : r->activeskinrect;
  FMorphing = r->morphing && FadeAllowed();
  FMorphKind = r->morphkind;
  ReadRecordValues(*r);
}

template <class TBase, class TRecord>
void TbsSkinButtonBehaviour<TBase, TRecord>::ApplySkinChange() {
  StopMorph();
  FMorph.Factor = 0;
  ApplyRecordChange();
  if (MorphingInUse() && HotLook()) FMorph.Factor = 1;
}

template <class TBase, class TRecord>
void TbsSkinButtonBehaviour<TBase, TRecord>::DrawMorph(TCanvas* C) {
  const int w = this->Width(), h = this->Height();
  TBitmap normal(w, h), hot(w, h);
  DrawStateImage(normal, this->FSkinRect, false);
  DrawStateImage(hot, FActiveSkinRect, true);
  TbsEffectBmp a(normal), b(hot);
  a.MorphBy(static_cast<TbsMorphKind>(static_cast<int>(FMorphKind)), b, FMorph.Factor);
  a.DrawTo(C, 0, 0);
}

template <class TBase, class TRecord>
bool TbsSkinButtonBehaviour<TBase, TRecord>::Morphing() const {
  if constexpr (Windowed)
    return FMorph.Running;
  else
    return FMorphTimer != nullptr;
}

template <class TBase, class TRecord>
void TbsSkinButtonBehaviour<TBase, TRecord>::StartMorphOrRepaint() {
  if constexpr (Windowed) {
    if (!FMorph.Start(*this, MorphingInUse(), MorphTimerId, MorphInterval)) this->Invalidate();
  } else {
    if (!MorphingInUse()) {
      this->Invalidate();
      return;
    }
    if (FMorphTimer) return;
    FMorphTimer = std::make_unique<TTimer>(nullptr);
    FMorphTimer->SetInterval(MorphInterval);
    FMorphTimer->OnTimer = [this](TObject*) { MorphTick(); };
  }
}

template <class TBase, class TRecord>
void TbsSkinButtonBehaviour<TBase, TRecord>::StopMorph() {
  if constexpr (Windowed)
    FMorph.Stop(*this, MorphTimerId);
  else
    FMorphTimer.reset();
}

template <class TBase, class TRecord>
void TbsSkinButtonBehaviour<TBase, TRecord>::MorphTick() {
  if constexpr (Windowed) {
    if (FMorph.Tick(*this, MorphingInUse(), HotLook(), MorphTimerId)) this->Invalidate();
  } else {
    if (!MorphingInUse()) {
      FMorph.Factor = HotLook() ? 1 : 0;
      StopMorph();
      return;
    }
    if (!FMorph.Advance(HotLook())) StopMorph();
    this->Invalidate();
  }
}

template <class TBase, class TRecord>
void TbsSkinButtonBehaviour<TBase, TRecord>::WndProc(TMessage& m) {
  if constexpr (Windowed) {
    if (m.Msg == WM_TIMER && TTimerMessage(m).TimerId == MorphTimerId) {
      if (FMorph.Running) MorphTick();
      return;
    }
  }
  TBase::WndProc(m);
}

template <class TBase, class TRecord>
bool TbsSkinButtonBehaviour<TBase, TRecord>::PassMouseCrossing(TMessage& Message, bool Enter) {
  std::weak_ptr<bool> alive = FButtonAlive;
  if (Enter)
    TBase::CMMouseEnter(Message);
  else
    TBase::CMMouseLeave(Message);
  return !alive.expired() && !this->Designing();
}

template <class TBase, class TRecord>
void TbsSkinButtonBehaviour<TBase, TRecord>::CMEnabledChanged(TMessage& Message) {
  StopMorph();
  if (FMorphing) FMorph.Factor = 0;
  FMouseIn = false;
  TBase::CMEnabledChanged(Message);
  this->Invalidate();
}

template <class TBase, class TRecord>
void TbsSkinButtonBehaviour<TBase, TRecord>::ReleaseBehaviour() {
  StopMorph();
  FActionLink.reset();
  FButtonAlive.reset();
}

// ---- TbsSkinGlyphButtonOf ----------------------------------------------------------------
template <class TBase>
void TbsSkinGlyphButtonOf<TBase>::SetGlyph(const TBitmap* Value) {
  FGlyph.Assign(Value);
  this->Invalidate();
}

template <class TBase>
void TbsSkinGlyphButtonOf<TBase>::SetNumGlyphs(TbsNumGlyphs Value) {
  FNumGlyphs = Value < MinNumGlyphs ? MinNumGlyphs : Value > MaxNumGlyphs ? MaxNumGlyphs : Value;
  this->Invalidate();
}

template <class TBase>
void TbsSkinGlyphButtonOf<TBase>::SetLayout(TbsButtonLayout Value) {
  if (Value == FLayout) return;
  FLayout = Value;
  this->Invalidate();
}

template <class TBase>
void TbsSkinGlyphButtonOf<TBase>::SetMargin(int Value) {
  if (Value == FMargin || Value < -1) return;
  FMargin = Value;
  this->Invalidate();
}

template <class TBase>
void TbsSkinGlyphButtonOf<TBase>::SetSpacing(int Value) {
  if (Value == FSpacing) return;
  FSpacing = Value;
  this->Invalidate();
}

template <class TBase>
void TbsSkinGlyphButtonOf<TBase>::SetDown(bool Value) {
  if (Value == FDown) return;
  FDown = Value;
  if (this->MorphingInUse()) {
    if (FDown) {
      this->FMorph.Factor = 1;
      this->StopMorph();
    } else {
      this->StartMorphOrRepaint();
    }
  }
  this->Invalidate();
  if (this->FGroupIndex != 0 && FDown && !FAllowAllUp) ReleaseGroup();
}

template <class TBase>
void TbsSkinGlyphButtonOf<TBase>::ReleaseGroup() {
  TWinControl* parent = this->FParent;
  if (!parent) return;
  for (int i = 0; i < parent->ControlCount(); ++i) {
    auto* b = dynamic_cast<TbsSkinGlyphButtonOf*>(parent->Controls(i));
    if (b && b != this && b->FGroupIndex == this->FGroupIndex && b->FDown) b->SetDown(false);
  }
}

template <class TBase>
void TbsSkinGlyphButtonOf<TBase>::ReadRecordValues(const TbsDataSkinButtonControl& r) {
  FDownFontColor = r.downfontcolor;
  FDisabledFontColor = r.disabledfontcolor;
  FDownSkinRect = IsNullRect(r.downskinrect) ? this->FActiveSkinRect : r.downskinrect;
  FDisabledSkinRect = r.disabledskinrect;
}

template <class TBase>
void TbsSkinGlyphButtonOf<TBase>::SetSkinCanvasFont(TCanvas* C, bool Active, bool IsDown) const {
  this->UseRecordFont(C->Font(), this->FSkinFont);
  TColor color = this->FFontColor;
  if (!this->FEnabled)
    color = FDisabledFontColor;
  else if (Active && IsDown)
    color = FDownFontColor;
  else if (Active)
    color = this->FActiveFontColor;
  C->Font()->SetColor(color);
}

template <class TBase>
void TbsSkinGlyphButtonOf<TBase>::DrawButtonImage(TBitmap& B, const TRect& R, bool Active, bool IsDown) {
  this->DrawSkinRect(B, this->Picture(), R);
  TCanvas* c = B.Canvas();
  SetSkinCanvasFont(c, Active, IsDown);
  const int cell = GlyphCell(IsDown, Active, this->FEnabled, FNumGlyphs);
  DrawGlyphAndText(c, this->FNew.Client, FMargin, Active && IsDown, cell, FNumGlyphs, FGlyph, ShownCaption(), FLayout,
                   FSpacing);
}

template <class TBase>
void TbsSkinGlyphButtonOf<TBase>::PressDown() {
  std::weak_ptr<bool> alive = this->FButtonAlive;
  this->FMousePressed = true;
  if (!FDown) {
    this->FMouseIn = true;
    SetDown(true);
    if (FRepeatMode && this->FGroupIndex == 0)
      StartRepeat();
    else if (this->FGroupIndex != 0)
      ButtonClick();
    if (alive.expired()) return;
    FSecondPress = false;
  } else if (this->FGroupIndex != 0) {
    FSecondPress = true;
  }
}

template <class TBase>
void TbsSkinGlyphButtonOf<TBase>::ReleaseUp() {
  this->FMousePressed = false;
  if (this->FGroupIndex == 0) {
    StopRepeat();
    if (this->FMouseIn) {
      SetDown(false);
      ButtonClick();
    } else {
      FDown = false;
      this->Invalidate();
    }
  } else if (FDown && FAllowAllUp && FSecondPress && this->FMouseIn) {
    SetDown(false);
    ButtonClick();
  }
}

template <class TBase>
void TbsSkinGlyphButtonOf<TBase>::RepaintHover() {
  if (FDown) {
    if (this->MorphingInUse()) this->FMorph.Factor = 1;
    this->Invalidate();
  } else {
    this->StartMorphOrRepaint();
  }
}

template class TbsSkinButtonBehaviour<TbsSkinCustomControl, TbsDataSkinButtonControl>;
template class TbsSkinButtonBehaviour<TbsGraphicSkinCustomControl, TbsDataSkinButtonControl>;
template class TbsSkinButtonBehaviour<TbsSkinCustomControl, TbsDataSkinCheckRadioControl>;
template class TbsSkinGlyphButtonOf<TbsSkinCustomControl>;
template class TbsSkinGlyphButtonOf<TbsGraphicSkinCustomControl>;
