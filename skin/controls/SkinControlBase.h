#pragma once
// What the windowed and the window-less skin controls share, written once over either
// framework base (TCustomControl or TGraphicControl):
// - TbsSkinControlOf binds a control to a skin data component and a record name, looks
//   the record up again on every paint and paints through an off-screen bitmap with the
//   default or the skinned painter;
// - TbsSkinCustomControlOf adds the default font and size of the skin-less look and the
//   resizable geometry of the record: fixed skin sizes and corner points for the current
//   size.
// SkinControl.h and GraphicSkinControl.h build the two kinds of control from them; the
// members are defined (and instantiated for those two) in SkinControlBase.cpp.
//
// A control never keeps a record: Record() and Picture() are looked up from the skin
// data each time and are only meaningful right after ReadSkinRecord().
#include <string>

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Font.h"
#include "framework/messages/Messages.h"
#include "skin/controls/SkinBinding.h"
#include "skin/draw/SkinGeometry.h"

template <class TBase>
class TbsSkinControlOf : public TBase, public TbsSkinBinding {
 public:
  explicit TbsSkinControlOf(TComponent* AOwner);

  // Outside the designer a loaded (non-empty) skin is applied at once.
  virtual void SetSkinData(TbsSkinData* Value);
  // Only stored; the next paint or ApplySkinChange uses it.
  virtual void SetSkinDataName(const std::string& Value) { FSkinDataName = Value; }

  // The skin (or the skin data) changed: read the record again, resize, repaint.
  void ApplySkinChange() override;
  // The skin is about to be replaced: forget the record before it is freed.
  void BeginSkinChange() override;

  void Notification(TComponent* AComponent, TOperation Operation) override;

 protected:
  // Finds the record by name (SkinIndex) and copies what the control draws with.
  virtual void ReadSkinRecord() { LookUpRecord(); }
  // Paint the default / skinned look into a bitmap of the control's size.
  virtual void DrawDefaultImage(TBitmap& B);
  virtual void DrawSkinImage(TBitmap& B) { DrawDefaultImage(B); }
  // After the skin data was freed under the control.
  virtual void SkinDataFreed() {}
  bool Designing() const { return this->ComponentState().Contains(csDesigning); }

  void Paint() override;
  void CMMouseEnter(TMessage& Message) override;
  void CMMouseLeave(TMessage& Message) override;
};

template <class TBase>
class TbsSkinCustomControlOf : public TBase {
 public:
  explicit TbsSkinCustomControlOf(TComponent* AOwner);
  ~TbsSkinCustomControlOf() override;

  TFont* DefaultFont() { return &FDefaultFont; }
  const TFont* DefaultFont() const { return &FDefaultFont; }
  void SetDefaultFont(const TFont* Value);
  int DefaultWidth() const { return FDefaultWidth; }
  void SetDefaultWidth(int Value);
  int DefaultHeight() const { return FDefaultHeight; }
  void SetDefaultHeight(int Value);
  bool UseSkinFont() const { return FUseSkinFont; }
  void SetUseSkinFont(bool Value) { FUseSkinFont = Value; }

  // Geometry copied from the record (relative to SkinRect) and the same for the
  // current size (the New... values).
  int ResizeMode() const { return FResizeMode; }
  const TRect& SkinRect() const { return FSkinRect; }
  const TbsSkinPoints& SkinPoints() const { return FPoints; }
  const TbsSkinPoints& NewPoints() const { return FNew; }
  TPoint NewLeftTopPoint() const { return FNew.LeftTop; }
  TPoint NewRightTopPoint() const { return FNew.RightTop; }
  TPoint NewLeftBottomPoint() const { return FNew.LeftBottom; }
  TPoint NewRightBottomPoint() const { return FNew.RightBottom; }
  TRect NewClientRect() const { return FNew.Client; }
  // The record's pictures, looked up in the skin data; nullptr when none.
  TBitmap* Picture() const;
  TBitmap* MaskPicture() const;

  // Keeps the skin's fixed dimensions while a record is in use.
  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
  void ApplySkinChange() override;
  void BeginSkinChange() override;

 protected:
  void ReadSkinRecord() override;
  // A record that cannot draw the control (another kind, no picture, no image) gives the
  // default look at the designed size rather than an unpainted or zero-size control.
  bool AcceptsRecord(const TbsDataSkinControl* Record) const override;
  void DrawSkinImage(TBitmap& B) override;
  // Hook after DefaultFont was assigned.
  virtual void DefaultFontChanged() {}
  // Replaces W and H by what the skin allows and computes the New... values for them.
  virtual void CalcSkinSize(int& W, int& H);
  // Shapes the control with the record's mask (or removes the shape); only a window
  // has a shape of its own.
  virtual void UpdateSkinRegion() {}
  // Paints skin rectangle R (the normal one or a state's of the same size) of picture
  // into B by ResizeMode.
  void DrawSkinRect(TBitmap& B, const TBitmap* APicture, const TRect& R);
  // The font of the skinned look: the record's (UseSkinFont) or DefaultFont, in the
  // skin's character set.
  void UseRecordFont(TFont* Font, const TbsSkinFont& Skin) const;
  // The font of the default look: DefaultFont in the skin's character set, button
  // shadow while disabled.
  void UseDefaultFont(TFont* Font) const;

  TFont FDefaultFont;
  int FDefaultWidth = 0;
  int FDefaultHeight = 0;
  bool FUseSkinFont = true;
  int FPictureIndex = -1;
  int FMaskPictureIndex = -1;
  TRect FSkinRect;
  TbsSkinPoints FPoints;
  TbsSkinPoints FNew;
  int FResizeMode = 0;
};
