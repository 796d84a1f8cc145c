#pragma once
// The window-less counterpart of TbsSkinCustomControl: the default font and size of the
// skin-less look and the resizable geometry of a record (fixed skin sizes, corner
// points for the current size). A window-less control has no shape of its own, so a
// record's mask is not used.
#include "framework/graphics/Font.h"
#include "skin/controls/GraphicSkinControl.h"
#include "skin/draw/SkinGeometry.h"

class TbsGraphicSkinCustomControl : public TbsGraphicSkinControl {
 public:
  explicit TbsGraphicSkinCustomControl(TComponent* AOwner);
  ~TbsGraphicSkinCustomControl() override;
  std::string ClassName() const override { return "TbsGraphicSkinCustomControl"; }

  TFont* DefaultFont() { return &FDefaultFont; }
  const TFont* DefaultFont() const { return &FDefaultFont; }
  void SetDefaultFont(const TFont* Value);
  int DefaultWidth() const { return FDefaultWidth; }
  void SetDefaultWidth(int Value);
  int DefaultHeight() const { return FDefaultHeight; }
  void SetDefaultHeight(int Value);
  bool UseSkinFont() const { return FUseSkinFont; }
  void SetUseSkinFont(bool Value) { FUseSkinFont = Value; }

  int ResizeMode() const { return FResizeMode; }
  const TRect& SkinRect() const { return FSkinRect; }
  const TbsSkinPoints& SkinPoints() const { return FPoints; }
  const TbsSkinPoints& NewPoints() const { return FNew; }
  TRect NewClientRect() const { return FNew.Client; }
  // The record's picture, looked up in the skin data; nullptr when none.
  TBitmap* Picture() const;

  // Keeps the skin's fixed dimensions while a record is in use.
  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
  void ApplySkinChange() override;
  void BeginSkinChange() override;

 protected:
  void ReadSkinRecord() override;
  bool AcceptsRecord(const TbsDataSkinControl* Record) const override;
  void DrawSkinImage(TBitmap& B) override;
  virtual void DefaultFontChanged();
  // Replaces W and H by what the skin allows and computes the New... values for them.
  virtual void CalcSkinSize(int& W, int& H);
  // Paints skin rectangle R of picture into B by ResizeMode.
  void DrawSkinRect(TBitmap& B, const TBitmap* APicture, const TRect& R);

  TFont FDefaultFont;
  int FDefaultWidth = 0;
  int FDefaultHeight = 0;
  bool FUseSkinFont = true;
  int FPictureIndex = -1;
  TRect FSkinRect;
  TbsSkinPoints FPoints;
  TbsSkinPoints FNew;
  int FResizeMode = 0;
};
